// frmProjectBrowser: the Project History at a glance. It lists the known Projects,
// moves them up and down (each move written to the history file at once), and shows
// the selected Project's project file, Project Definition File and Project Macro File
// with their state icons, to open in the editor, hand to a custom action or drag out.
#ifndef TARVELO_UI_FRM_PROJECT_BROWSER_H_
#define TARVELO_UI_FRM_PROJECT_BROWSER_H_

#include <QDialog>
#include <string>
#include <vector>

#include "common/int16.h"
#include "views/history_browser.h"

class QLabel;
class QListWidget;
class QMenu;
class QPushButton;

namespace tarvelo {

class ColumnTree;
class DesktopServices;
struct Workspace;

class frmProjectBrowser : public QDialog {
  Q_OBJECT

 public:
  /// Lists the history and selects the current Project (else the first one).
  frmProjectBrowser(Workspace& workspace, DesktopServices& desktop, QWidget* parent = nullptr);
  frmProjectBrowser(const frmProjectBrowser&) = delete;
  frmProjectBrowser& operator=(const frmProjectBrowser&) = delete;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void CreateControls();
  ColumnTree* AddFileTree(const char* name);
  void FillProjects(Int16 select_index);
  void SelectProject(int row);
  void ShowKeyFile(ColumnTree* tree, const KeyFile& file, FileRole role);
  void Move(int step);
  void EditFile(const std::string& path);
  std::string FileOf(const ColumnTree* tree) const;

  Workspace& ws_;
  DesktopServices& desktop_;
  std::vector<HistoryRow> rows_;
  ProjectKeyFiles files_;
  std::string popup_file_;  // the file of the node the pop-up menu was opened on

  QListWidget* lstProjects_ = nullptr;
  ColumnTree* tvProjectFile_ = nullptr;
  ColumnTree* tvDefinitionFile_ = nullptr;
  ColumnTree* tvMacroFile_ = nullptr;
  QLabel* labMacroFile_ = nullptr;
  QPushButton* cmdMoveUp_ = nullptr;
  QPushButton* cmdMoveDown_ = nullptr;
  QPushButton* cmdClose_ = nullptr;
  QMenu* popup_ = nullptr;
};

}  // namespace tarvelo

#endif  // TARVELO_UI_FRM_PROJECT_BROWSER_H_
