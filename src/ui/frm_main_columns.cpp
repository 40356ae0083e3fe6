// frmMain's five columns: the Projects list, then Folders, Documents, Template, Content
// Files and Macros filled from the ProjectView, each selection refilling the columns
// to its right, the remembered selection of a refresh, and the columns' pop-up menus,
// double-click, Enter and drag.
#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSignalBlocker>

#include "common/error.h"
#include "common/text.h"
#include "project/project_definition.h"
#include "project/workspace.h"
#include "ui/frm_main.h"
#include "ui/frm_main_views.h"
#include "ui/icons.h"
#include "ui/widget_host.h"

namespace tarvelo {
namespace {

constexpr int kDataRole = Qt::UserRole;
constexpr int kKeyRole = Qt::UserRole + 1;

void FillList(QListWidget* list, const std::vector<ColumnEntry>& rows) {
  const QSignalBlocker block(list);
  list->clear();
  for (const ColumnEntry& row : rows) {
    auto* item = new QListWidgetItem(DisplayText(row.text), list);
    item->setData(kDataRole, QVariant::fromValue<qlonglong>(row.data));
  }
}

// Trees are refilled with their redrawing suspended, the old nodes removed last
// to first.
void FillTree(QTreeWidget* tree, const std::vector<ColumnEntry>& rows) {
  const QSignalBlocker block(tree);
  tree->setUpdatesEnabled(false);
  for (int i = tree->topLevelItemCount() - 1; i >= 0; --i) delete tree->takeTopLevelItem(i);
  for (const ColumnEntry& row : rows) {
    auto* item = new QTreeWidgetItem(tree, QStringList{DisplayText(row.text)});
    item->setIcon(0, StateIcon(row.role, row.state, row.optimisation));
    item->setData(0, kDataRole, QVariant::fromValue<qlonglong>(row.data));
    item->setData(0, kKeyRole, DisplayText(row.key));
  }
  tree->setUpdatesEnabled(true);
}

void ClearColumn(QListWidget* list, QTreeWidget* tree) {
  FillList(list, {});
  if (tree != nullptr) FillTree(tree, {});
}

// Shows `row` as the current row of a list and its tree without signalling.
void ShowRow(QListWidget* list, QTreeWidget* tree, int row) {
  const QSignalBlocker block_list(list);
  list->setCurrentRow(row);
  if (tree != nullptr) {
    const QSignalBlocker block_tree(tree);
    tree->setCurrentItem(tree->topLevelItem(row));
  }
}

template <typename Rows>
const ColumnEntry* RowAt(const Rows& rows, int row) {
  if (row < 0 || static_cast<size_t>(row) >= rows.size()) return nullptr;
  return &rows[static_cast<size_t>(row)];
}

}  // namespace

// --- Projects ---

void frmMain::RefreshProjects(bool show_status) {
  const ProjectHistory& history = ws_.history;
  current_project_ = -1;
  int selected = -1;
  {
    const QSignalBlocker block(cmbProjects_);
    cmbProjects_->clear();
    const int last =
        std::min<int>(history.last_index, static_cast<int>(history.entries.size()) - 1);
    for (int i = 0; i <= last; ++i) {
      const HistoryEntry& entry = history.entries[static_cast<size_t>(i)];
      if (entry.path.empty() || entry.state <= kHistoryEmpty) continue;
      cmbProjects_->addItem(DisplayText(entry.name), i);
      // The settings in memory are those of the current index; only a Project marked
      // current there is shown.
      if (entry.state == kHistoryCurrent && i == history.current_index) {
        selected = cmbProjects_->count() - 1;
        current_project_ = static_cast<Int16>(i);
      }
    }
    cmbProjects_->setCurrentIndex(selected);
    // The list may be narrower than a name; its pop-up and tool tip show it whole.
    int widest = 0;
    for (int i = 0; i < cmbProjects_->count(); ++i) {
      widest = std::max(widest,
                        cmbProjects_->fontMetrics().horizontalAdvance(cmbProjects_->itemText(i)));
    }
    cmbProjects_->view()->setMinimumWidth(
        widest + 2 * cmbProjects_->fontMetrics().averageCharWidth() +
        cmbProjects_->view()->verticalScrollBar()->sizeHint().width());
    cmbProjects_->setToolTip(cmbProjects_->currentText());
  }
  DisplayCurrentProject(show_status);
}

void frmMain::DisplayCurrentProject(bool show_status) {
  if (generating_) {
    // The run still uses the definition in memory; EndGenerate shows the Project.
    display_pending_ = true;
    return;
  }
  SetCaption();
  if (current_project_ < 0) {
    DisableProjectChoices();
    ClearFoldersAndFiles();
    return;
  }
  EnableProjectChoices();
  ClearFoldersAndFiles();
  Trap([&] {
    // A definition that cannot be read is reported; what was read is still shown.
    ReadDefinitionForColumns();
    folder_rows_ = view_.Folders(false);
    sorted_folder_rows_ = view_.Folders(true);
    FillList(lstFolders_, folder_rows_);
    FillList(lstFoldersSorted_, sorted_folder_rows_);
    QListWidget* visible = VisibleFoldersList();
    const int row = RowToSelect(visible->count(), reset_selection_, remembered_folder_row_);
    remembered_folder_row_ = 0;
    if (row >= 0) SelectFolderRow(visible, row);
  });
  if (show_status && !ws_.settings.name.empty()) {
    ws_.host.AddStatusLine("Current Project: \t" + ws_.settings.name + " (" +
                           DecimalText(ws_.definition.folder_count) + " Folders, " +
                           DecimalText(ws_.definition.document_count) + " Documents)");
  }
}

void frmMain::ReadDefinitionForColumns() {
  if (!quiet_definition_errors_) {
    ReadProjectDefinition(ws_, false, true);
    return;
  }
  try {
    ReadProjectDefinition(ws_, false, false);
  } catch (const TarveloError&) {
    // The run reads the same file and reports the failure through its halt.
  }
}

void frmMain::ClearFoldersAndFiles() {
  folder_rows_.clear();
  sorted_folder_rows_.clear();
  ClearColumn(lstFolders_, nullptr);
  ClearColumn(lstFoldersSorted_, nullptr);
  document_rows_.clear();
  ClearColumn(lstDocuments_, tvDocuments_);
  current_folder_ = -1;
  ClearRightColumns();
}

void frmMain::ClearRightColumns() {
  current_document_ = -1;
  current_content_file_ = -1;
  template_row_ = ColumnEntry();
  content_rows_.clear();
  macro_rows_.clear();
  ClearColumn(lstTemplate_, tvTemplate_);
  ClearColumn(lstContentFiles_, tvContentFiles_);
  ClearColumn(lstMacros_, nullptr);
  txtMacroData_->clear();
}

// --- Folders ---

QListWidget* frmMain::VisibleFoldersList() const {
  return ws_.options.sort_folders == 1 ? lstFoldersSorted_ : lstFolders_;
}

void frmMain::SelectFolderRow(QListWidget* list, int row) {
  const auto& rows = list == lstFoldersSorted_ ? sorted_folder_rows_ : folder_rows_;
  const ColumnEntry* entry = RowAt(rows, row);
  if (entry == nullptr) return;
  ShowRow(list, nullptr, row);
  const auto folder = static_cast<Int16>(entry->data);
  if (folder != current_folder_) {
    current_folder_ = folder;
    DisplayCurrentFolder();
  }
}

const ColumnEntry* frmMain::CurrentFolderRow() const {
  QListWidget* list = VisibleFoldersList();
  return RowAt(list == lstFoldersSorted_ ? sorted_folder_rows_ : folder_rows_, list->currentRow());
}

std::string frmMain::DefinitionFilePath() const {
  return view_.DefinitionPath();
}

// --- Documents ---

void frmMain::DisplayCurrentFolder() {
  ClearRightColumns();
  document_rows_.clear();
  Trap([&] {
    if (current_folder_ >= 0) document_rows_ = view_.Documents(current_folder_);
  });
  FillList(lstDocuments_, document_rows_);
  FillTree(tvDocuments_, document_rows_);
  if (document_rows_.empty()) return;
  const int row =
      RowToSelect(static_cast<int>(document_rows_.size()), reset_selection_, remembered_document_);
  remembered_document_ = 0;
  if (row >= 0) SelectDocument(row);
}

void frmMain::SelectDocument(int row) {
  const ColumnEntry* entry = RowAt(document_rows_, row);
  if (entry == nullptr) return;
  ShowRow(lstDocuments_, tvDocuments_, row);
  const auto document = static_cast<Int16>(entry->data);
  if (document != current_document_) {
    current_document_ = document;
    DisplayContentFiles();
  }
}

const ColumnEntry* frmMain::CurrentDocumentRow() const {
  return RowAt(document_rows_, lstDocuments_->currentRow());
}

// --- Template and Content Files ---

void frmMain::DisplayContentFiles() {
  current_content_file_ = -1;
  template_row_ = ColumnEntry();
  content_rows_.clear();
  macro_rows_.clear();
  ClearColumn(lstMacros_, nullptr);
  txtMacroData_->clear();
  Trap([&] {
    template_row_ = view_.TemplateEntry(current_folder_, current_document_);
    content_rows_ = view_.ContentFiles(current_folder_, current_document_, macros_shown_);
  });
  // A static Document has no Template to show.
  std::vector<ColumnEntry> template_rows;
  if (!template_row_.text.empty()) template_rows.push_back(template_row_);
  FillList(lstTemplate_, template_rows);
  FillTree(tvTemplate_, template_rows);
  FillList(lstContentFiles_, content_rows_);
  FillTree(tvContentFiles_, content_rows_);
  if (content_rows_.empty()) return;
  const int row = ProjectView::ContentFileRowToSelect(content_rows_, reset_selection_,
                                                      remembered_content_file_);
  remembered_content_file_ = 0;
  if (row >= 0) SelectContentFile(row);
}

void frmMain::SelectContentFile(int row) {
  const ColumnEntry* entry = RowAt(content_rows_, row);
  if (entry == nullptr) return;
  ShowRow(lstContentFiles_, tvContentFiles_, row);
  current_content_file_ = entry->data;
  DisplayMacros();
}

const ColumnEntry* frmMain::CurrentContentRow() const {
  return RowAt(content_rows_, lstContentFiles_->currentRow());
}

// --- Macros ---

void frmMain::DisplayMacros() {
  macro_rows_.clear();
  txtMacroData_->clear();
  if (macros_shown_ && current_content_file_ >= 0) {
    Trap([&] { macro_rows_ = view_.Macros(content_rows_, current_content_file_); });
  }
  FillList(lstMacros_, macro_rows_);
}

void frmMain::ShowMacroValue(int row) {
  const ColumnEntry* entry = RowAt(macro_rows_, row);
  if (entry == nullptr) {
    txtMacroData_->clear();
    return;
  }
  std::string text = view_.MacroValueText(entry->data, current_content_file_ == kAllMacrosCode);
  ReplaceAll(text, "\r\n", "\n");
  txtMacroData_->setPlainText(DisplayText(text));
}

const ColumnEntry* frmMain::CurrentMacroRow() const {
  return RowAt(macro_rows_, lstMacros_->currentRow());
}

// --- Pop-up menus, double-click, Enter and drag ---

void frmMain::CreatePopupMenus() {
  const QString edit = tr("&Edit");
  mnuFolders_ = CreatePopup("mnuFolders", {{"Edit", edit}},
                            [this](int n) { customAction(DefinitionFilePath(), n); });
  mnuFoldersSorted_ = CreatePopup("mnuFoldersSorted", {{"Edit", edit}},
                                  [this](int n) { customAction(DefinitionFilePath(), n); });
  mnuDocuments_ = CreatePopup("mnuDocuments",
                              {{"Open", tr("&Open")},
                               {nullptr, QString()},
                               {"View", tr("&View")},
                               {"Edit", edit},
                               {"EditContentFile", tr("Edit &Content File")},
                               {"EditImage", tr("Edit &Image")},
                               {"EditXML", tr("Edit &XML")}},
                              [this](int n) {
                                if (const ColumnEntry* row = CurrentDocumentRow()) {
                                  customAction(row->resolved_path, n);
                                }
                              });
  mnuTemplate_ = CreatePopup("mnuTemplate", {{"Edit", edit}},
                             [this](int n) { customAction(template_row_.resolved_path, n); });
  mnuContentFiles_ = CreatePopup("mnuContentFiles",
                                 {{"Edit", edit}, {"MacroList", tr("&Macro List")}}, [this](int n) {
                                   if (const ColumnEntry* row = CurrentContentRow()) {
                                     customAction(row->resolved_path, n);
                                   }
                                 });
  mnuMacros_ = CreatePopup("mnuMacros", {{"Edit", edit}}, [this](int n) {
    if (const ColumnEntry* row = CurrentMacroRow()) customAction(row->resolved_path, n);
  });

  Connect(item("mnuFoldersEdit"), &frmMain::editFolder);
  Connect(item("mnuFoldersSortedEdit"), &frmMain::editFolder);
  const std::pair<const char*, DocumentAction> document_items[] = {
      {"mnuDocumentsOpen", DocumentAction::kOpen},
      {"mnuDocumentsView", DocumentAction::kView},
      {"mnuDocumentsEdit", DocumentAction::kEdit},
      {"mnuDocumentsEditContentFile", DocumentAction::kEditContentFile},
      {"mnuDocumentsEditImage", DocumentAction::kEditImage},
      {"mnuDocumentsEditXML", DocumentAction::kEditXml}};
  for (const auto& [name, action] : document_items) {
    connect(item(name), &QAction::triggered, this,
            [this, action = action] { Trap([&] { documentAction(action); }); });
  }
  Connect(item("mnuTemplateEdit"), &frmMain::editTemplate);
  Connect(item("mnuContentFilesEdit"), &frmMain::editContentFile);
  Connect(item("mnuContentFilesMacroList"), &frmMain::macroList);
  Connect(item("mnuMacrosEdit"), &frmMain::editMacro);
}

void frmMain::ShowPopup(QMenu* menu, QWidget* view, const QPoint& position) {
  if (!menu->isEnabled()) return;
  PrepareCustomItems(menu);
  // A static Document has no Template to edit.
  if (menu == mnuTemplate_)
    item("mnuTemplateEdit")->setEnabled(!template_row_.resolved_path.empty());
  auto* scroll = qobject_cast<QAbstractScrollArea*>(view);
  menu->popup((scroll != nullptr ? scroll->viewport() : view)->mapToGlobal(position));
}

QString frmMain::DragFile(const std::string& path) const {
  return path.empty() ? QString() : PathText(path);
}

void frmMain::ConnectColumns() {
  auto trapped = [this](void (frmMain::*command)()) {
    return [this, command] { Trap([&] { (this->*command)(); }); };
  };
  auto popup = [this](QAbstractItemView* view, QMenu* const* menu) {
    view->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(view, &QWidget::customContextMenuRequested, this,
            [this, view, menu](const QPoint& position) { ShowPopup(*menu, view, position); });
  };
  // The file a drag offers; a failure to resolve it starts no drag.
  auto drag = [this](std::function<std::string()> file) {
    return [this, file] {
      QString path;
      Trap([&] { path = DragFile(file()); });
      return path;
    };
  };

  for (ColumnList* list : {lstFolders_, lstFoldersSorted_}) {
    connect(list, &QListWidget::currentRowChanged, this,
            [this, list](int row) { Trap([&] { SelectFolderRow(list, row); }); });
    connect(list, &QListWidget::itemDoubleClicked, this, trapped(&frmMain::editFolder));
    list->hooks.enter_pressed = trapped(&frmMain::editFolder);
    list->hooks.drag_file = drag([this] { return DefinitionFilePath(); });
    popup(list, list == lstFolders_ ? &mnuFolders_ : &mnuFoldersSorted_);
  }

  auto document_file = [this] {
    const ColumnEntry* row = CurrentDocumentRow();
    return row != nullptr ? row->resolved_path : std::string();
  };
  connect(lstDocuments_, &QListWidget::currentRowChanged, this,
          [this](int row) { Trap([&] { SelectDocument(row); }); });
  connect(tvDocuments_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current) {
    Trap([&] { SelectDocument(tvDocuments_->indexOfTopLevelItem(current)); });
  });
  connect(lstDocuments_, &QListWidget::itemDoubleClicked, this, trapped(&frmMain::documentDefault));
  connect(tvDocuments_, &QTreeWidget::itemDoubleClicked, this, trapped(&frmMain::documentDefault));
  lstDocuments_->hooks = {drag(document_file), trapped(&frmMain::documentDefault)};
  tvDocuments_->hooks = lstDocuments_->hooks;
  popup(lstDocuments_, &mnuDocuments_);
  popup(tvDocuments_, &mnuDocuments_);

  connect(lstTemplate_, &QListWidget::itemDoubleClicked, this, trapped(&frmMain::editTemplate));
  connect(tvTemplate_, &QTreeWidget::itemDoubleClicked, this, trapped(&frmMain::editTemplate));
  lstTemplate_->hooks = {drag([this] { return template_row_.resolved_path; }),
                         trapped(&frmMain::editTemplate)};
  tvTemplate_->hooks = lstTemplate_->hooks;
  popup(lstTemplate_, &mnuTemplate_);
  popup(tvTemplate_, &mnuTemplate_);

  auto content_file = [this] {
    const ColumnEntry* row = CurrentContentRow();
    return row != nullptr ? row->resolved_path : std::string();
  };
  connect(lstContentFiles_, &QListWidget::currentRowChanged, this,
          [this](int row) { Trap([&] { SelectContentFile(row); }); });
  connect(tvContentFiles_, &QTreeWidget::currentItemChanged, this,
          [this](QTreeWidgetItem* current) {
            Trap([&] { SelectContentFile(tvContentFiles_->indexOfTopLevelItem(current)); });
          });
  connect(lstContentFiles_, &QListWidget::itemDoubleClicked, this,
          trapped(&frmMain::editContentFile));
  connect(tvContentFiles_, &QTreeWidget::itemDoubleClicked, this,
          trapped(&frmMain::editContentFile));
  lstContentFiles_->hooks = {drag(content_file), trapped(&frmMain::editContentFile)};
  tvContentFiles_->hooks = lstContentFiles_->hooks;
  popup(lstContentFiles_, &mnuContentFiles_);
  popup(tvContentFiles_, &mnuContentFiles_);

  connect(lstMacros_, &QListWidget::currentRowChanged, this,
          [this](int row) { Trap([&] { ShowMacroValue(row); }); });
  connect(lstMacros_, &QListWidget::itemDoubleClicked, this, trapped(&frmMain::editMacro));
  lstMacros_->hooks = {drag([this] {
                         const ColumnEntry* row = CurrentMacroRow();
                         return row != nullptr ? row->resolved_path : std::string();
                       }),
                       trapped(&frmMain::editMacro)};
  popup(lstMacros_, &mnuMacros_);

  connect(lstStatus_, &QListWidget::itemDoubleClicked, this, trapped(&frmMain::viewLog));
}

}  // namespace tarvelo
