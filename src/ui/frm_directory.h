// frmDirectory: "Select a Folder", the folder picker of the option dialogs. A drive
// list, the folders of the current folder (double-click opens one), the chosen folder
// in its display form and the "Using Default Drive" label; OK returns that form,
// Cancel the starting path tidied the same way.
#ifndef TARVELO_UI_FRM_DIRECTORY_H_
#define TARVELO_UI_FRM_DIRECTORY_H_

#include <QDialog>
#include <string>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;

namespace tarvelo {

struct Workspace;

class frmDirectory : public QDialog {
  Q_OBJECT

 public:
  /// Controls: cmbDrive, lstFolders, txtFolder, labHint, labDefaultDrive, cmdOK,
  /// cmdCancel. Starts on PickerStartDrive and PickerStartFolder of `path`.
  frmDirectory(const Workspace& workspace, const QString& path, QWidget* parent = nullptr);

  /// The folder the list shows, on disk (ends with "/").
  const std::string& folder() const { return folder_; }
  /// What the dialog returns: the display form after OK, the tidied path otherwise.
  QString result_path() const { return result_; }

  /// Shows the folders of `disk_folder` and its display form.
  void OpenFolder(const std::string& disk_folder);

 private:
  void DriveChosen(int index);
  void FolderActivated(QListWidgetItem* item);
  void Confirm();

  const Workspace& ws_;
  std::string folder_;
  QString result_;
  QComboBox* cmbDrive_ = nullptr;
  QListWidget* lstFolders_ = nullptr;
  QLineEdit* txtFolder_ = nullptr;
  QLabel* labDefaultDrive_ = nullptr;
};

/// BrowseForFolder: shows frmDirectory modally and returns its result.
QString RunFolderPicker(QWidget* parent, const Workspace& workspace, const QString& path);

}  // namespace tarvelo

#endif  // TARVELO_UI_FRM_DIRECTORY_H_
