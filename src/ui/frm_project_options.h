// frmProjectOptions: "Project Properties", the five pages that edit the current
// Project's settings, or create a new Project ("Create", the "New Project Options"
// group, the sample files and the save dialog for its project file). The pages are
// built in frm_project_options.cpp; loading, the live captions, the Reset Defaults
// buttons and confirming are in frm_project_options_commands.cpp. The checks and the
// storing are the core's (project_properties.h, new_project.h).
#ifndef TARVELO_UI_FRM_PROJECT_OPTIONS_H_
#define TARVELO_UI_FRM_PROJECT_OPTIONS_H_

#include <QDialog>
#include <array>

#include "project/project_settings.h"

class QCheckBox;
class QGroupBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QRadioButton;
class QTabWidget;

namespace tarvelo {

class FileChooser;
struct Workspace;

class frmProjectOptions : public QDialog {
  Q_OBJECT

 public:
  /// Edits a copy of the current settings or, with `new_project`, a record of
  /// NewProjectSettings. The chooser asks for the files; both outlive the dialog.
  frmProjectOptions(Workspace& workspace, FileChooser& chooser, bool new_project,
                    QWidget* parent = nullptr);

  /// OK or Create: checks the fields, creates the samples and asks for the project
  /// file (new Project), stores everything and closes. A refusal or failure is shown
  /// and the dialog stays open.
  void Confirm();

 private:
  void CreatePages();
  QWidget* CreateGeneralPage();
  QWidget* CreateMacrosPage();
  QWidget* CreateOptimizationPage();
  QWidget* CreateMemoryPage();
  QWidget* CreateAdvancedPage();
  void ConnectFields();

  void ShowRecord();
  void ShowLimits();
  void ReadTags(ProjectSettings& settings) const;
  void ReadFields(ProjectSettings& settings) const;
  void ShowSampleMacroDefinition();
  void OptimizationChoiceChanged();
  void ResetMacroTags();
  void ResetOptimization();
  void ResetMemoryLimits();
  void BrowseFile(QLineEdit* box, const QString& filter, const QString& initial);
  void RootLeft(QLineEdit* left, QLineEdit* other);
  bool ConfirmFields();

  Workspace& ws_;
  FileChooser& chooser_;
  bool new_project_;
  ProjectSettings record_;

  QTabWidget* tabOptions_ = nullptr;
  // General.
  QLineEdit* txtProjectName_ = nullptr;
  QLineEdit* txtDefinitionFile_ = nullptr;
  QLineEdit* txtDocumentRoot_ = nullptr;
  QLineEdit* txtContentRoot_ = nullptr;
  QLineEdit* txtDefaultContentRoot_ = nullptr;
  QGroupBox* frNewProject_ = nullptr;
  QCheckBox* ckCreateSampleFiles_ = nullptr;
  QCheckBox* ckCreateSampleDefinition_ = nullptr;
  QCheckBox* ckCreateRootPaths_ = nullptr;
  // Macros: the thirteen tags in the order of ProjectTagFields, the delete-line pair
  // and the example captions.
  std::array<QLineEdit*, 13> tags_{};
  QCheckBox* ckDeleteLine_ = nullptr;
  QLineEdit* txtDeleteLineExceptions_ = nullptr;
  QLabel* labSampleDefinition_ = nullptr;
  QLabel* labSampleValue_ = nullptr;
  QLabel* labSampleClosing_ = nullptr;
  /// The examples beside the nine advanced tags (labSampleWildcard ...).
  std::array<QLabel*, 9> advanced_samples_{};
  // HTML Optimization.
  QRadioButton* rbNoOptimization_ = nullptr;
  QRadioButton* rbOptimizeAllExcept_ = nullptr;
  QRadioButton* rbOptimizeFlagsOnly_ = nullptr;
  QLineEdit* txtOptimizeExcludeList_ = nullptr;
  QGroupBox* frOptimizationScheme_ = nullptr;
  QRadioButton* rbOptimizationLevel1_ = nullptr;
  QRadioButton* rbOptimizationLevel2_ = nullptr;
  // Memory Management limits and the nesting limit, in ProjectLimitFields order.
  std::array<QLineEdit*, 11> limits_{};
  // Advanced.
  QLineEdit* txtLineContinuation_ = nullptr;
  QLineEdit* txtTemporaryFilesPath_ = nullptr;
  QLineEdit* txtGlobalContentFiles_ = nullptr;
  QLineEdit* txtProjectMacroFile_ = nullptr;
  QCheckBox* ckDisplayProjectMacroFile_ = nullptr;
  std::array<QLineEdit*, 4> reserved_{};
  QLineEdit* txtCustomProjectPath_ = nullptr;
  QCheckBox* ckCustomProjectPathWithDrive_ = nullptr;
};

}  // namespace tarvelo

#endif  // TARVELO_UI_FRM_PROJECT_OPTIONS_H_
