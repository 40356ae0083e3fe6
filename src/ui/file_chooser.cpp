// The file dialogs of the workbench.
#include "ui/file_chooser.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>

#include "ui/frm_directory.h"

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

QString DialogFileChooser::SaveFileName(QWidget* parent, const QString& caption,
                                        const QString& filter, const QString& initial) {
  QFileDialog dialog(parent, caption, QString(), filter);
  // AnyFile takes only names in existing folders; the dialog confirms an overwrite.
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  // A name typed without an extension gets the filter's ("*.web": ".web").
  const qsizetype star = filter.indexOf(QStringLiteral("*."));
  if (star >= 0) {
    const QString rest = filter.mid(star + 2);
    const qsizetype end = rest.indexOf(QRegularExpression(QStringLiteral("[ ;)]")));
    dialog.setDefaultSuffix(end < 0 ? rest : rest.left(end));
  }
  if (!initial.isEmpty()) dialog.selectFile(initial);
  if (dialog.exec() != QDialog::Accepted) return QString();
  const QStringList files = dialog.selectedFiles();
  return files.isEmpty() ? QString() : files.first();
}

QString DialogFileChooser::BrowseForFolder(QWidget* parent, const Workspace& workspace,
                                           const QString& path) {
  return RunFolderPicker(parent, workspace, path);
}

}  // namespace tarvelo
