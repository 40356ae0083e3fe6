// The file-open dialog of the workbench.
#include "ui/file_chooser.h"

#include <QFileDialog>

namespace tarvelo {

QString DialogFileChooser::OpenFileName(QWidget* parent, const QString& caption,
                                        const QString& filter, const QString& initial) {
  QFileDialog dialog(parent, caption, QString(), filter);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  // "*.web" only preselects the filter; a concrete name is offered as the selection.
  if (!initial.isEmpty() && !initial.contains(QLatin1Char('*'))) dialog.selectFile(initial);
  if (dialog.exec() != QDialog::Accepted) return QString();
  const QStringList files = dialog.selectedFiles();
  return files.isEmpty() ? QString() : files.first();
}

}  // namespace tarvelo
