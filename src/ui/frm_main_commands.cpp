// frmMain's commands: the Project commands, generation and its end, the launchers of
// the menus and toolbar, and the commands of the columns. Each runs inside Trap, so
// its errors reach the user through the common error report.
#include <QComboBox>
#include <QGroupBox>

#include "common/error.h"
#include "common/paths.h"
#include "generation/generation_run.h"
#include "generation/sample_run.h"
#include "project/history_operations.h"
#include "project/launchers.h"
#include "project/project_definition.h"
#include "project/workspace.h"
#include "ui/file_chooser.h"
#include "ui/frm_about.h"
#include "ui/frm_macros.h"
#include "ui/frm_main.h"
#include "ui/frm_main_views.h"
#include "ui/frm_program_options.h"
#include "ui/frm_project_options.h"
#include "views/project_properties.h"

namespace tarvelo {
namespace {

std::string LineText(std::int32_t line) {
  return line > 0 ? std::to_string(line) : std::string();
}

}  // namespace

// --- Projects ---

void frmMain::newProject() {
  CheckRoomForNewProject(ws_);
  frmProjectOptions dialog(ws_, chooser_, true, this);
  if (dialog.exec() != QDialog::Accepted) return;
  // The new Project is current: every column starts at its first entry.
  reset_selection_ = true;
  RefreshProjects(true);
  reset_selection_ = false;
}

void frmMain::editProjectProperties() {
  frmProjectOptions dialog(ws_, chooser_, false, this);
  if (dialog.exec() != QDialog::Accepted) return;
  RememberSelection();
  RefreshProjects(true);
}

void frmMain::openProject() {
  // The dialog starts in the current Project's folder.
  const std::string folder =
      current_project_ >= 0 ? FolderOfPath(ws_.settings.project_file_path) : std::string();
  const QString path =
      chooser_.OpenFileName(this, tr("Open Project"), tr("Tarvelo Projects (*.web)"),
                            PathText(folder) + QStringLiteral("*.web"));
  if (path.isEmpty()) return;
  const HistoryUpdate update = OpenProject(ws_, PathBytes(path));
  if (!update.list_changed) return;
  // Another Project: every column starts at its first entry.
  reset_selection_ = true;
  RefreshProjects(true);
  reset_selection_ = false;
}

void frmMain::removeProject() {
  if (RemoveProject(ws_).list_changed) RefreshProjects(true);
}

void frmMain::pickProject(int combo_index) {
  const QVariant index = cmbProjects_->itemData(combo_index);
  if (!index.isValid()) return;
  reset_selection_ = true;
  SelectProject(ws_, static_cast<Int16>(index.toInt()));
  RefreshProjects(true);
  reset_selection_ = false;
}

void frmMain::refresh() {
  RememberSelection();
  DisplayCurrentProject(true);
}

void frmMain::exitProgram() {
  CloseProgram();
}

// --- Generation ---

void frmMain::RunGeneration(Int16 scope, Int16 folder_index, Int16 document_index) {
  if (generating_) return;
  GenerationRequest request;
  request.scope = scope;
  request.folder_index = folder_index;
  request.document_index = document_index;
  request.keep_status = false;
  ::tarvelo::RunGeneration(ws_, request, clock_);
}

void frmMain::generateProject() {
  RunGeneration(kScopeProject, -1, -1);
}
void frmMain::generateFolder() {
  RunGeneration(kScopeFolder, current_folder_, -1);
}
void frmMain::generateDocument() {
  RunGeneration(kScopeDocument, current_folder_, current_document_);
}
void frmMain::stopGeneration() {
  ws_.stop_requested = true;
}

void frmMain::EndGenerate() {
  generating_ = false;
  frProjects_->setEnabled(true);
  for (const char* name : {"mnuNewProject", "mnuOpenProject"}) item(name)->setEnabled(true);
  if (current_project_ >= 0) {
    EnableProjectChoices();
  } else {
    DisableProjectChoices();
  }
  tool("Stop")->setEnabled(false);
  item("mnuStopGeneration")->setEnabled(false);
  // The run has just read the definition and reported any failure through its halt;
  // reading it again for the columns says nothing twice.
  quiet_definition_errors_ = true;
  if (ws_.options.post_generate_refresh == 1 || display_pending_) {
    display_pending_ = false;
    DisplayCurrentProject(false);
  } else if (current_project_ >= 0) {
    // The run left the definition with resolved names; the columns use them as written.
    ReadDefinitionForColumns();
    remembered_folder_row_ = 0;
    remembered_document_ = 0;
  }
  quiet_definition_errors_ = false;
}

// --- Launchers of the menus and the toolbar ---

Launchers frmMain::MakeLaunchers() {
  return Launchers(ws_.options, ws_.settings, desktop_, ws_.host);
}

void frmMain::viewLog() {
  MakeLaunchers().LaunchEditor(ws_.working.log_file);
}
void frmMain::viewDefinition() {
  MakeLaunchers().LaunchEditor(DefinitionFilePath());
}
void frmMain::launchEditor() {
  MakeLaunchers().LaunchEditor("");
}
void frmMain::launchBrowser() {
  MakeLaunchers().LaunchBrowser("");
}
void frmMain::launchImageEditor() {
  MakeLaunchers().LaunchImageEditor("");
}
void frmMain::launchXmlEditor() {
  MakeLaunchers().LaunchXMLEditor("");
}
void frmMain::launchCustomApplication(Int16 number) {
  MakeLaunchers().LaunchCustomApplication(number);
}
void frmMain::exploreFolder() {
  MakeLaunchers().OpenWithDefaultApplication(ws_.options.browse_folder1, 2);
}

// The tutorial is the overview sample Project's own site, generated into the program
// folder's overview/; on a first start it is generated before it is opened.
void frmMain::openTutorial() {
  const std::string index = JoinPath(JoinPath(ws_.program_folder, "overview"), "index.html");
  if (!ws_.files.FileExists(index)) {
    if (generating_) return;
    GenerateSampleProject(ws_, clock_);
  }
  MakeLaunchers().OpenWithDefaultApplication(index, 1);
}

// The program has no web site of its own: "Online" shows the same local overview in
// the browser rather than an address nobody keeps.
void frmMain::openOnline() {
  MakeLaunchers().LaunchBrowser(JoinPath(JoinPath(ws_.program_folder, "overview"), "index.html"));
}

void frmMain::showAbout() {
  frmAbout about(this);
  about.exec();
}

void frmMain::programOptions() {
  frmProgramOptions dialog(ws_, chooser_, this);
  if (dialog.exec() != QDialog::Accepted) return;
  SetProgramChoices();
  // The border, the layout preset and the Folders list may have changed.
  ResizeScreen();
  CenterInWorkArea();
  RefreshProjects(true);
}

// --- Commands of the columns ---

void frmMain::editFolder() {
  const ColumnEntry* row = CurrentFolderRow();
  if (row == nullptr) return;
  MakeLaunchers().LaunchEditor(DefinitionFilePath(), LineText(row->line));
}

void frmMain::documentAction(DocumentAction action) {
  const ColumnEntry* row = CurrentDocumentRow();
  if (row == nullptr) return;
  const std::string& document = row->resolved_path;
  Launchers launchers = MakeLaunchers();
  switch (action) {
    case DocumentAction::kOpen:
      launchers.OpenWithDefaultApplication(document, 1);
      break;
    case DocumentAction::kView:
      launchers.LaunchBrowser(document);
      break;
    case DocumentAction::kEdit:
      launchers.LaunchEditor(document);
      break;
    case DocumentAction::kEditContentFile:
      launchers.LaunchEditor(ContentFileToEdit(CurrentContentRow(), *row));
      break;
    case DocumentAction::kEditImage:
      launchers.LaunchImageEditor(document);
      break;
    case DocumentAction::kEditXml:
      launchers.LaunchXMLEditor(document);
      break;
  }
}

void frmMain::documentDefault() {
  documentAction(DefaultDocumentAction(ws_.options.documents_default_action));
}

void frmMain::editTemplate() {
  if (template_row_.text.empty()) return;
  MakeLaunchers().LaunchEditor(template_row_.resolved_path);
}

void frmMain::editContentFile() {
  const ColumnEntry* row = CurrentContentRow();
  // "(all macros)" stands for no file of its own.
  if (row == nullptr || row->resolved_path.empty()) return;
  MakeLaunchers().LaunchEditor(row->resolved_path);
}

void frmMain::macroList() {
  const ColumnEntry* row = CurrentContentRow();
  // "(all macros)" stands for no file of its own.
  if (row == nullptr || row->resolved_path.empty()) return;
  frmMacros macros(ws_, desktop_, row->resolved_path, MacroLevelOf(row->role), this);
  macros.exec();
}

void frmMain::editMacro() {
  const ColumnEntry* row = CurrentMacroRow();
  if (row == nullptr || row->resolved_path.empty()) return;
  MakeLaunchers().LaunchEditor(row->resolved_path, LineText(row->line));
}

void frmMain::customAction(const std::string& file, int number) {
  if (file.empty()) return;
  MakeLaunchers().LaunchCustomAction(file, static_cast<Int16>(number));
}

}  // namespace tarvelo
