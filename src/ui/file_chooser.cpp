// The file-open dialog of the workbench.
#include "ui/file_chooser.h"

#include <QFileDialog>
#include <QFileInfo>

namespace tarvelo {

QString DialogFileChooser::OpenFileName(QWidget* parent, const QString& caption,
                                        const QString& filter, const QString& initial) {
  QFileDialog dialog(parent, caption, QString(), filter);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  // "*.web" only preselects the filter, and a folder before it is where the dialog
  // starts; a concrete name is offered as the selection.
  if (initial.contains(QLatin1Char('*'))) {
    const QFileInfo pattern(initial);
    if (initial.contains(QLatin1Char('/'))) dialog.setDirectory(pattern.path());
  } else if (!initial.isEmpty()) {
    dialog.selectFile(initial);
  }
  if (dialog.exec() != QDialog::Accepted) return QString();
  const QStringList files = dialog.selectedFiles();
  return files.isEmpty() ? QString() : files.first();
}

}  // namespace tarvelo
