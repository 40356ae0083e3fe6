// frmProgramOptions: "Program Options", the four pages that edit the program-wide
// options (tarvelo.ini): the applications, the custom applications and pop-up
// commands, the double-click action, logging, the default drive, the Content File
// filter, the Project History, performance, display and error handling. OK's checks
// and the storing are the core's (program_options_update.h).
#ifndef TARVELO_UI_FRM_PROGRAM_OPTIONS_H_
#define TARVELO_UI_FRM_PROGRAM_OPTIONS_H_

#include <QDialog>
#include <array>

#include "project/program_options.h"

class QCheckBox;
class QGridLayout;
class QLineEdit;
class QRadioButton;
class QTabWidget;

namespace tarvelo {

class FileChooser;
struct Workspace;

class frmProgramOptions : public QDialog {
  Q_OBJECT

 public:
  /// Shows the current options; the chooser asks for programs, files and folders.
  frmProgramOptions(Workspace& workspace, FileChooser& chooser, QWidget* parent = nullptr);

  /// OK: checks Maximum Projects and the Project History File, stores the options and
  /// closes; a refusal or failure is shown and the dialog stays open.
  void Confirm();

 private:
  QWidget* CreateGeneralPage();
  QWidget* CreateApplicationsPage();
  QWidget* CreatePopupMenusPage();
  QWidget* CreateAdvancedPage();
  QLineEdit* AddProgramRow(QGridLayout* grid, int row, const QString& caption, const char* name);
  void ShowOptions();
  void ReadFields(ProgramOptions& options) const;

  Workspace& ws_;
  FileChooser& chooser_;
  QTabWidget* tabOptions_ = nullptr;

  QLineEdit* txtEditor_ = nullptr;
  QLineEdit* txtBrowser_ = nullptr;
  QLineEdit* txtImageEditor_ = nullptr;
  QLineEdit* txtXMLEditor_ = nullptr;
  QLineEdit* txtEditorOptions_ = nullptr;
  QCheckBox* ckEditorOptionsAddSpace_ = nullptr;
  QLineEdit* txtBrowseFolder1_ = nullptr;
  std::array<QLineEdit*, 3> application_captions_{};
  std::array<QLineEdit*, 3> applications_{};
  std::array<QLineEdit*, 6> custom_captions_{};
  std::array<QLineEdit*, 6> custom_commands_{};
  std::array<QRadioButton*, 6> documents_actions_{};
  QCheckBox* ckEnableLogging_ = nullptr;
  QCheckBox* ckEnableDefaultDrive_ = nullptr;
  QLineEdit* txtDefaultDrive_ = nullptr;
  QCheckBox* ckEnableContentFileFilter_ = nullptr;
  QLineEdit* txtContentFileFilter_ = nullptr;
  QLineEdit* txtMaximumProjects_ = nullptr;
  QLineEdit* txtProjectFile_ = nullptr;
  QCheckBox* ckFastFileSystem_ = nullptr;
  // Display, in the order of the page: post-generate-refresh, display-all-macros,
  // show-macro-tags, resizable-border, sort-folders, large-display.
  std::array<QCheckBox*, 6> display_{};
  QCheckBox* ckIgnoreGenerationErrors_ = nullptr;
  QCheckBox* ckIgnoreMissingFileErrors_ = nullptr;
};

}  // namespace tarvelo

#endif  // TARVELO_UI_FRM_PROGRAM_OPTIONS_H_
