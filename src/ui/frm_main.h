// frmMain: the workbench's main window. It shows the current Project in five columns
// (Folders, Documents, Template, Content Files, Macros), carries every command of the
// program in its menus, toolbar and buttons, and runs the command-line batch mode from
// its timer. The widgets are built in frm_main.cpp and frm_main_menus.cpp, the
// columns filled in frm_main_columns.cpp, the commands in frm_main_commands.cpp and
// the batch mode in frm_main_batch.cpp.
#ifndef TARVELO_UI_FRM_MAIN_H_
#define TARVELO_UI_FRM_MAIN_H_

#include <QMainWindow>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "common/clock.h"
#include "common/int16.h"
#include "generation/command_line.h"
#include "views/project_view.h"

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QTimer;
class QToolBar;
class QTreeWidgetItem;

namespace tarvelo {

class ColumnList;
class ColumnTree;
class DesktopServices;
class ProjectsCombo;
class FileChooser;
class Launchers;
struct Workspace;

class frmMain : public QMainWindow {
  Q_OBJECT

 public:
  /// The configuration must be up (LoadConfiguration) before the window is built.
  /// `desktop` starts the user's programs, `chooser` asks for project files; both and
  /// the workspace outlive the window.
  frmMain(Workspace& workspace, DesktopServices& desktop, FileChooser& chooser,
          Clock clock = SystemClock(), QWidget* parent = nullptr);
  ~frmMain() override;
  frmMain(const frmMain&) = delete;
  frmMain& operator=(const frmMain&) = delete;

  /// The rest of the start-up once the Host is wired to the window: the display
  /// options, the command line (`arguments` without the program name), the border
  /// and Folders list choice, the known Projects, the first status lines and the
  /// batch run. False when the command line could not be read: the error report was
  /// shown and the program closed.
  bool Load(const std::vector<std::string>& arguments);

  // --- The frame (frm_main.cpp, frm_main_menus.cpp) ---
  /// Places every control for the preset of `large-display` and sizes the window.
  void ResizeScreen();
  /// Hides the window and ends the program (programClosed is emitted).
  void CloseProgram();
  /// Applies the Program Options to the launch commands, the Content Files label and
  /// the visible Folders list.
  void SetProgramChoices();
  void EnableProjectChoices();
  void DisableProjectChoices();
  /// Fills the six option boxes from the Program Options without saving them.
  void LoadDisplayOptions();
  /// A generation run starts or ends (wired to the Host's generation callbacks).
  void StartGenerate();
  void EndGenerate();

  // --- Projects and columns (frm_main_columns.cpp) ---
  /// Refills cmbProjects from the Project History and shows the current Project (with
  /// the "Current Project: " line when `show_status`); no Project current empties
  /// every column.
  void RefreshProjects(bool show_status = true);
  /// Reads the Project Definition File (names as written) and fills the columns;
  /// with `show_status` adds the "Current Project: " line.
  void DisplayCurrentProject(bool show_status);
  void DisplayCurrentFolder();
  void DisplayContentFiles();
  void ClearFoldersAndFiles();

  // --- Generation and the batch mode (frm_main_commands.cpp, frm_main_batch.cpp) ---
  /// One generation run from the window (the status list is emptied first).
  void RunGeneration(Int16 scope, Int16 folder_index, Int16 document_index);
  /// Arms Timer2 (1000 ms, once) when a project was given and a mode asks for a run.
  bool ArmBatchRun();
  /// The batch run: open the Project, generate it, start the command, close in mode 2.
  void Timer2_Timer();

  // --- Search and replace (frm_main_search.cpp) ---
  /// Shows the Find window modally for the current Folder and Document: over the
  /// Project's source files, or with `documents` over the generated Documents.
  void PrepareAndShowSearch(bool documents);
  /// Shows the Replace window modally for the current Folder and Document.
  void PrepareAndShowSearchReplace();
  /// Shows the Replace Special window modally.
  void PrepareAndShowReplaceSpecial();

  /// lstStatus, for the Host that writes the status lines.
  QListWidget* status_list() const { return lstStatus_; }
  const CommandLineOptions& command_line() const { return command_line_; }
  /// The program's exit status: that of the batch run (0, 1, 2 or 130, as the
  /// console's), 2 when the batch run could not start, 0 without one.
  int exit_status() const { return exit_status_; }
  Int16 current_folder() const { return current_folder_; }
  Int16 current_document() const { return current_document_; }
  std::int64_t current_content_file() const { return current_content_file_; }

 Q_SIGNALS:
  /// CloseProgram ran: the window is closed and the program ends.
  void programClosed();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  // Construction.
  void CreateControls();
  void CreateMenus();
  void CreateToolbar();
  void CreatePopupMenus();
  void ConnectColumns();
  void ConnectOptionBoxes();
  QAction* AddItem(QMenu* menu, const char* name, const QString& caption,
                   void (frmMain::*command)());
  QMenu* CreatePopup(const char* name, const std::vector<std::pair<const char*, QString>>& items,
                     const std::function<void(int)>& custom);
  void ArrangeProjectsFrame();
  void SetCaption();
  void CenterInWorkArea();
  int Px(int twips) const;

  // Every command traps its own errors and shows them with the error report.
  void Trap(const std::function<void()>& command);
  void Connect(QAction* action, void (frmMain::*command)());

  // Display options.
  void SaveDisplayOptions();
  void ShowMacrosToggled(bool checked);
  void ShowAttributesToggled(bool checked);
  void ShowPathsToggled();
  void RememberSelection();

  // Columns.
  void SelectFolderRow(QListWidget* list, int row);
  void SelectDocument(int row);
  void SelectContentFile(int row);
  void DisplayMacros();
  void ShowMacroValue(int row);
  void ClearRightColumns();
  void ReadDefinitionForColumns();
  void ShowPopup(QMenu* menu, QWidget* view, const QPoint& position);
  void PrepareCustomItems(QMenu* menu);
  QListWidget* VisibleFoldersList() const;
  std::string DefinitionFilePath() const;
  const ColumnEntry* CurrentDocumentRow() const;
  const ColumnEntry* CurrentContentRow() const;
  const ColumnEntry* CurrentMacroRow() const;
  const ColumnEntry* CurrentFolderRow() const;
  QString DragFile(const std::string& path) const;

  // Commands: Projects.
  void newProject();
  void editProjectProperties();
  void openProject();
  void removeProject();
  void pickProject(int combo_index);
  void refresh();
  void exitProgram();

  // Commands: generation.
  void generateProject();
  void generateFolder();
  void generateDocument();
  void stopGeneration();

  // Commands: launchers.
  void viewLog();
  void viewDefinition();
  void launchEditor();
  void launchBrowser();
  void launchImageEditor();
  void launchXmlEditor();
  void launchCustomApplication(Int16 number);
  void exploreFolder();
  void openTutorial();
  void openOnline();
  void showAbout();
  void programOptions();

  // Commands that open the secondary windows (frm_main_windows.cpp).
  void viewContentFiles();
  void viewTemplates();
  void showProjectBrowser();
  void importOptions();

  // Commands of the columns.
  void editFolder();
  void documentAction(DocumentAction action);
  void documentDefault();
  void editTemplate();
  void editContentFile();
  void macroList();
  void editMacro();
  void customAction(const std::string& file, int number);
  Launchers MakeLaunchers();

  // Batch mode.
  void StartBatchCommand();

  Workspace& ws_;
  DesktopServices& desktop_;
  FileChooser& chooser_;
  Clock clock_;
  ProjectView view_;
  CommandLineOptions command_line_;

  // Main-window state.
  Int16 current_project_ = -1;
  Int16 current_folder_ = -1;
  Int16 current_document_ = -1;
  std::int64_t current_content_file_ = -1;
  bool macros_shown_ = false;
  bool loading_options_ = false;
  bool reset_selection_ = false;
  bool generating_ = false;
  bool display_pending_ = false;
  /// Set while the columns re-read a definition whose failure a run reports itself.
  bool quiet_definition_errors_ = false;
  int exit_status_ = 0;
  int remembered_folder_row_ = 0;
  int remembered_document_ = 0;
  std::int64_t remembered_content_file_ = 0;

  // What the columns show, row by row.
  std::vector<ColumnEntry> folder_rows_;
  std::vector<ColumnEntry> sorted_folder_rows_;
  std::vector<ColumnEntry> document_rows_;
  std::vector<ColumnEntry> content_rows_;
  std::vector<ColumnEntry> macro_rows_;
  ColumnEntry template_row_;

  // Controls (owned by Qt's parent chain).
  QWidget* client_ = nullptr;
  QToolBar* toolbar_ = nullptr;
  QGroupBox* frProjects_ = nullptr;
  ProjectsCombo* cmbProjects_ = nullptr;
  QPushButton* cmdRefresh_ = nullptr;
  QPushButton* cmdEditProjectProperties_ = nullptr;
  QPushButton* cmdProjectFiles_ = nullptr;
  QLabel* labFolders_ = nullptr;
  ColumnList* lstFolders_ = nullptr;
  ColumnList* lstFoldersSorted_ = nullptr;
  QLabel* labDocuments_ = nullptr;
  ColumnList* lstDocuments_ = nullptr;
  ColumnTree* tvDocuments_ = nullptr;
  QLabel* labTemplate_ = nullptr;
  ColumnList* lstTemplate_ = nullptr;
  ColumnTree* tvTemplate_ = nullptr;
  QLabel* labContentFiles_ = nullptr;
  ColumnList* lstContentFiles_ = nullptr;
  ColumnTree* tvContentFiles_ = nullptr;
  QLabel* labMacros_ = nullptr;
  ColumnList* lstMacros_ = nullptr;
  QPlainTextEdit* txtMacroData_ = nullptr;
  QGroupBox* frDisplay_ = nullptr;
  QCheckBox* ckShowMacros_ = nullptr;
  QCheckBox* ckShowAttributes_ = nullptr;
  QCheckBox* ckShowPaths_ = nullptr;
  QGroupBox* frOptions_ = nullptr;
  QCheckBox* ckAutomaticallyCreateSubdirectories_ = nullptr;
  QCheckBox* ckGenerateModifiedOnly_ = nullptr;
  QCheckBox* ckSkipReadOnly_ = nullptr;
  QListWidget* lstStatus_ = nullptr;
  QTimer* Timer2_ = nullptr;

  // Toolbar buttons by key, menu items and pop-up menus by name.
  QAction* tool(const char* key) const;
  QAction* item(const char* name) const;
  QMenu* mnuFolders_ = nullptr;
  QMenu* mnuFoldersSorted_ = nullptr;
  QMenu* mnuDocuments_ = nullptr;
  QMenu* mnuTemplate_ = nullptr;
  QMenu* mnuContentFiles_ = nullptr;
  QMenu* mnuMacros_ = nullptr;
};

}  // namespace tarvelo

#endif  // TARVELO_UI_FRM_MAIN_H_
