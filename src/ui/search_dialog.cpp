// The controls, the runs, the close rules and placement of the Find and Replace windows.
#include "ui/search_dialog.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "common/host.h"
#include "project/project_definition.h"
#include "project/workspace.h"
#include "search/find_run.h"
#include "ui/frm_main_views.h"
#include "ui/search_results.h"
#include "ui/window_support.h"

namespace tarvelo {
namespace {

QCheckBox* Box(QWidget* parent, const char* name, const QString& caption, bool checked) {
  auto* box = new QCheckBox(caption, parent);
  box->setObjectName(QLatin1String(name));
  box->setChecked(checked);
  return box;
}

}  // namespace

SearchDialog::SearchDialog(Workspace& workspace, DesktopServices& desktop, Int16 selected_folder,
                           Int16 selected_document, const SearchDialogTexts& texts, QWidget* parent)
    : QDialog(parent),
      ws_(workspace),
      selected_folder_(selected_folder),
      selected_document_(selected_document),
      results_(new SearchResults(this, workspace, desktop, texts.menu_name, texts.plain_label,
                                 texts.detailed_label)),
      busy_text_(texts.busy_text),
      busy_caption_(texts.busy_caption) {
  setModal(true);
}

void SearchDialog::closeEvent(QCloseEvent* event) {
  if (busy_) {
    ws_.host.ShowMessage(busy_text_, busy_caption_, MessageButtons::kOk, MessageIcon::kExclamation);
    event->ignore();
    return;
  }
  QDialog::closeEvent(event);
}

void SearchDialog::reject() {
  if (!busy_) QDialog::reject();
}

void SearchDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  CenterInWorkArea(this);
}

bool SearchDialog::AnyTypeChecked() const {
  return ckGlobals_->isChecked() || ckTemplates_->isChecked() || ckContentFiles_->isChecked() ||
         ckFolderGlobals_->isChecked();
}

void SearchDialog::CreateFindBox() {
  txtFind_ = new QLineEdit(this);
  txtFind_->setObjectName(QStringLiteral("txtFind"));
  connect(txtFind_, &QLineEdit::textChanged, this, [this] { UpdateRunButton(); });
}

void SearchDialog::CreateButtons(const QString& caption, const char* name) {
  run_caption_ = caption;
  cmdRun_ = new QPushButton(caption, this);
  cmdRun_->setObjectName(QLatin1String(name));
  cmdRun_->setDefault(true);
  cmdClose_ = new QPushButton(tr("Close"), this);
  cmdClose_->setObjectName(QStringLiteral("cmdClose"));
  connect(cmdRun_, &QPushButton::clicked, this, [this] { RunClicked(); });
  connect(cmdClose_, &QPushButton::clicked, this, &QDialog::accept);
}

QGroupBox* SearchDialog::CreateScopeGroup(const QString& caption, const char* name,
                                          const char* option_name, const QString& all,
                                          const QString& selected, QRadioButton* (&options)[2],
                                          QBoxLayout::Direction direction) {
  auto* group = new QGroupBox(caption, this);
  group->setObjectName(QLatin1String(name));
  auto* layout = new QBoxLayout(direction, group);
  const QString texts[] = {all, selected};
  for (int i = 0; i < 2; ++i) {
    options[i] = new QRadioButton(texts[i], group);
    options[i]->setObjectName(QLatin1String(option_name) + QString::number(i));
    layout->addWidget(options[i]);
  }
  options[0]->setChecked(true);
  options[1]->setEnabled(HasSelection());
  return group;
}

QGroupBox* SearchDialog::CreateTypesGroup() {
  auto* group = new QGroupBox(tr("File Types to Search"), this);
  group->setObjectName(QStringLiteral("frContentTypes"));
  ckGlobals_ = Box(group, "ckGlobals", tr("Global Content Files"), true);
  ckTemplates_ = Box(group, "ckTemplates", tr("Template Files"), true);
  ckContentFiles_ = Box(group, "ckContentFiles", tr("Content Files"), true);
  ckFolderGlobals_ = Box(group, "ckFolderGlobals", tr("Folder Content Files"), true);
  auto* layout = new QGridLayout(group);
  layout->addWidget(ckGlobals_, 0, 0);
  layout->addWidget(ckTemplates_, 0, 1);
  layout->addWidget(ckContentFiles_, 1, 0);
  layout->addWidget(ckFolderGlobals_, 1, 1);
  for (QCheckBox* box : {ckGlobals_, ckTemplates_, ckContentFiles_, ckFolderGlobals_}) {
    connect(box, &QCheckBox::toggled, this, [this] { UpdateRunButton(); });
  }
  return group;
}

QHBoxLayout* SearchDialog::CreateOptionRow(QCheckBox* leading) {
  ckIgnoreCase_ = Box(this, "ckIgnoreCase", tr("Ignore Case"), false);
  QCheckBox* detailed = Box(this, "ckShowDetailedResults", tr("Show Detailed Results"), true);
  connect(detailed, &QCheckBox::toggled, this, [this](bool on) { results_->ShowDetailed(on); });
  auto* row = new QHBoxLayout;
  if (leading != nullptr) row->addWidget(leading);
  row->addWidget(ckIgnoreCase_);
  row->addWidget(detailed);
  row->addStretch(1);
  return row;
}

void SearchDialog::AddResults(QVBoxLayout* layout, const QString& status_caption) {
  layout->addWidget(new QLabel(status_caption, this));
  results_->status()->setMaximumHeight(fontMetrics().height() * 6);
  layout->addWidget(results_->status());
  layout->addWidget(results_->label());
  layout->addWidget(results_->list(), 1);
  layout->addWidget(results_->tree(), 1);
}

void SearchDialog::FillScope(SearchScope& scope) const {
  scope.selected_only = rbScope_[1]->isChecked();
  scope.globals = ckGlobals_->isChecked();
  scope.templates = ckTemplates_->isChecked();
  scope.content_files = ckContentFiles_->isChecked();
  scope.folder_globals = ckFolderGlobals_->isChecked();
  scope.selected_folder = selected_folder_;
  scope.selected_document = selected_document_;
}

void SearchDialog::RunClicked() {
  if (busy_) {
    stop_requested_ = true;  // the run stops at its next file, finishing a rewrite first
    return;
  }
  StartRun();
}

void SearchDialog::RunBusy(const std::function<void(const ProjectDefinition&)>& run) {
  results_->ClearSelection();
  busy_ = true;
  cmdRun_->setText(tr("Stop"));
  cmdClose_->setEnabled(false);
  ProjectDefinition definition;
  if (LoadSearchDefinition(ws_, definition)) run(definition);
  results_->Flush();
  cmdRun_->setText(run_caption_);
  cmdClose_->setEnabled(true);
  busy_ = false;
}

}  // namespace tarvelo
