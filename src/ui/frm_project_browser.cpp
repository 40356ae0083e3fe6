// The Project browser: rows and key files come from the core's HistoryBrowser, moves
// from the history operations; the window copies them into its controls.
#include "ui/frm_project_browser.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "project/history_operations.h"
#include "project/launchers.h"
#include "project/workspace.h"
#include "ui/frm_main_views.h"
#include "ui/icons.h"
#include "ui/widget_host.h"
#include "ui/window_support.h"

namespace tarvelo {
namespace {

QLabel* NamedLabel(const QString& text, const char* name, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QLatin1String(name));
  return label;
}

}  // namespace

frmProjectBrowser::frmProjectBrowser(Workspace& workspace, DesktopServices& desktop,
                                     QWidget* parent)
    : QDialog(parent), ws_(workspace), desktop_(desktop) {
  setObjectName(QStringLiteral("frmProjectBrowser"));
  setModal(true);
  setWindowTitle(tr("Project Browser"));
  CreateControls();
  FillProjects(ws_.history.current_index);
}

void frmProjectBrowser::CreateControls() {
  auto* facts = new QFormLayout;
  facts->addRow(tr("Project History File:"),
                NamedLabel(PathText(ws_.options.project_file), "lblProjectHistoryFile", this));
  facts->addRow(tr("Maximum Projects:"), NamedLabel(QString::number(ws_.options.maximum_projects),
                                                    "lblMaximumProjects", this));
  facts->addRow(tr("Active Project:"),
                NamedLabel(DisplayText(ws_.settings.name), "lblActiveProject", this));

  lstProjects_ = new QListWidget(this);
  lstProjects_->setObjectName(QStringLiteral("lstProjects"));
  cmdMoveUp_ = new QPushButton(tr("Move Up"), this);
  cmdMoveUp_->setObjectName(QStringLiteral("cmdMoveUp"));
  cmdMoveDown_ = new QPushButton(tr("Move Down"), this);
  cmdMoveDown_->setObjectName(QStringLiteral("cmdMoveDown"));
  cmdClose_ = new QPushButton(tr("Close"), this);
  cmdClose_->setObjectName(QStringLiteral("cmdClose"));

  popup_ = CreateFilePopup(
      this, QStringLiteral("mnuFile"), ws_.host, [this] { EditFile(popup_file_); },
      [this](int n) {
        if (popup_file_.empty()) return;
        Launchers(ws_.options, ws_.settings, desktop_, ws_.host)
            .LaunchCustomAction(popup_file_, static_cast<Int16>(n));
      });

  auto* files = new QVBoxLayout;
  files->addWidget(NamedLabel(tr("Project File"), "labProjectFile", this));
  tvProjectFile_ = AddFileTree("tvProjectFile");
  files->addWidget(tvProjectFile_);
  files->addWidget(NamedLabel(tr("Project Definition File"), "labDefinitionFile", this));
  tvDefinitionFile_ = AddFileTree("tvDefinitionFile");
  files->addWidget(tvDefinitionFile_);
  labMacroFile_ = NamedLabel(tr("Project Macro File"), "labMacroFile", this);
  files->addWidget(labMacroFile_);
  tvMacroFile_ = AddFileTree("tvMacroFile");
  files->addWidget(tvMacroFile_);
  files->addStretch(1);

  auto* projects = new QVBoxLayout;
  projects->addWidget(NamedLabel(tr("Projects"), "labProjects", this));
  projects->addWidget(lstProjects_, 1);
  auto* moves = new QHBoxLayout;
  moves->addWidget(cmdMoveUp_);
  moves->addWidget(cmdMoveDown_);
  moves->addStretch(1);
  projects->addLayout(moves);

  auto* columns = new QHBoxLayout;
  columns->addLayout(projects, 2);
  columns->addLayout(files, 3);
  auto* close = new QHBoxLayout;
  close->addStretch(1);
  close->addWidget(cmdClose_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(facts);
  layout->addLayout(columns, 1);
  layout->addLayout(close);
  resize(720, 400);

  connect(lstProjects_, &QListWidget::currentRowChanged, this,
          [this](int row) { TrapErrors(ws_.host, [&] { SelectProject(row); }); });
  connect(cmdMoveUp_, &QPushButton::clicked, this, [this] { Move(-1); });
  connect(cmdMoveDown_, &QPushButton::clicked, this, [this] { Move(+1); });
  connect(cmdClose_, &QPushButton::clicked, this, &QDialog::accept);
}

// A one-node tree: double-click and Enter edit, the right button shows the pop-up,
// a drag offers the file.
ColumnTree* frmProjectBrowser::AddFileTree(const char* name) {
  auto* tree = new ColumnTree(this);
  tree->setObjectName(QLatin1String(name));
  tree->setFixedHeight(tree->fontMetrics().height() + 16);
  tree->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  const auto edit = [this, tree] { TrapErrors(ws_.host, [&] { EditFile(FileOf(tree)); }); };
  connect(tree, &QTreeWidget::itemDoubleClicked, this, edit);
  tree->hooks = {[this, tree] { return PathText(FileOf(tree)); }, edit};
  tree->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(tree, &QWidget::customContextMenuRequested, this, [this, tree](const QPoint& position) {
    popup_file_ = FileOf(tree);
    if (popup_file_.empty()) return;
    PrepareFilePopup(popup_, ws_.options);
    popup_->popup(tree->viewport()->mapToGlobal(position));
  });
  return tree;
}

void frmProjectBrowser::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) CenterInWorkArea(this);
}

void frmProjectBrowser::FillProjects(Int16 select_index) {
  rows_ = HistoryRows(ws_.history);
  int select = rows_.empty() ? -1 : 0;
  {
    const QSignalBlocker block(lstProjects_);
    lstProjects_->clear();
    for (size_t i = 0; i < rows_.size(); ++i) {
      auto* item = new QListWidgetItem(DisplayText(rows_[i].name), lstProjects_);
      item->setData(Qt::UserRole, rows_[i].index);
      if (rows_[i].index == select_index) select = static_cast<int>(i);
    }
  }
  lstProjects_->setCurrentRow(select);
  if (select < 0) SelectProject(-1);
}

void frmProjectBrowser::SelectProject(int row) {
  const bool listed = row >= 0 && static_cast<size_t>(row) < rows_.size();
  cmdMoveUp_->setEnabled(listed && row > 0);
  cmdMoveDown_->setEnabled(listed && static_cast<size_t>(row) + 1 < rows_.size());
  files_ = ProjectKeyFiles();
  if (listed) {
    const HistoryEntry& entry = ws_.history.entries[static_cast<size_t>(rows_[row].index)];
    files_ = KeyFilesOf(ws_, entry.path);
  }
  ShowKeyFile(tvProjectFile_, files_.project_file, FileRole::kContentFile);
  ShowKeyFile(tvDefinitionFile_, files_.definition_file, FileRole::kContentFile);
  ShowKeyFile(tvMacroFile_, files_.macro_file, FileRole::kProjectMacroFile);
  const bool macro_file = !files_.macro_file.path.empty();
  labMacroFile_->setVisible(macro_file);
  tvMacroFile_->setVisible(macro_file);
  if (!files_.problem.empty()) {
    ws_.host.ShowMessage(files_.problem, "Project Browser", MessageButtons::kOk,
                         MessageIcon::kExclamation);
  }
}

void frmProjectBrowser::ShowKeyFile(ColumnTree* tree, const KeyFile& file, FileRole role) {
  tree->clear();
  if (file.path.empty()) return;
  auto* node = new QTreeWidgetItem(tree, QStringList{PathText(file.path)});
  node->setIcon(0, StateIcon(role, file.state));
  node->setToolTip(0, PathText(file.path));
}

std::string frmProjectBrowser::FileOf(const ColumnTree* tree) const {
  if (tree == tvProjectFile_) return files_.project_file.path;
  if (tree == tvDefinitionFile_) return files_.definition_file.path;
  return files_.macro_file.path;
}

void frmProjectBrowser::Move(int step) {
  const int row = lstProjects_->currentRow();
  if (row < 0 || static_cast<size_t>(row) >= rows_.size()) return;
  const Int16 index = rows_[static_cast<size_t>(row)].index;
  const HistoryUpdate update = step < 0 ? MoveProjectUp(ws_, index) : MoveProjectDown(ws_, index);
  if (update.list_changed) FillProjects(update.selected_index);
}

void frmProjectBrowser::EditFile(const std::string& path) {
  if (path.empty()) return;
  Launchers(ws_.options, ws_.settings, desktop_, ws_.host).LaunchEditor(path);
}

}  // namespace tarvelo
