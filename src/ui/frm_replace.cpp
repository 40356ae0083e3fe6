// The Replace window.
#include "ui/frm_replace.h"

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
#include <QVBoxLayout>

#include "common/host.h"
#include "project/project_definition.h"
#include "project/workspace.h"
#include "search/find_run.h"
#include "search/replace_run.h"
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

frmReplace::frmReplace(Workspace& workspace, DesktopServices& desktop, Int16 selected_folder,
                       Int16 selected_document, QWidget* parent)
    : SearchDialog(workspace.host,
                   "There is an operation in progress. Please stop the operation before "
                   "closing the form.",
                   "Operation In Progress", parent),
      ws_(workspace),
      selected_folder_(selected_folder),
      selected_document_(selected_document),
      results_(new SearchResults(this, workspace, desktop, "mnuReplace", tr("Replace Results"),
                                 tr("Detailed Replace Results"))) {
  setObjectName(QStringLiteral("frmReplace"));
  setWindowTitle(tr("Replace"));
  setModal(true);
  CreateControls();
  UpdateReplaceButton();
}

void frmReplace::CreateControls() {
  txtFind_ = new QLineEdit(this);
  txtFind_->setObjectName(QStringLiteral("txtFind"));
  txtReplace_ = new QLineEdit(this);
  txtReplace_->setObjectName(QStringLiteral("txtReplace"));
  cmdReplace_ = new QPushButton(tr("Replace"), this);
  cmdReplace_->setObjectName(QStringLiteral("cmdReplace"));
  cmdReplace_->setDefault(true);
  cmdClose_ = new QPushButton(tr("Close"), this);
  cmdClose_->setObjectName(QStringLiteral("cmdClose"));

  auto* scope = new QGroupBox(tr("Replace In"), this);
  scope->setObjectName(QStringLiteral("frScope"));
  rbScope_[0] = new QRadioButton(tr("Files For All Documents"), scope);
  rbScope_[0]->setObjectName(QStringLiteral("rbScope0"));
  rbScope_[1] = new QRadioButton(tr("Files For Selected Document"), scope);
  rbScope_[1]->setObjectName(QStringLiteral("rbScope1"));
  rbScope_[0]->setChecked(true);
  rbScope_[1]->setEnabled(selected_folder_ >= 0 && selected_document_ >= 0);
  auto* scope_layout = new QVBoxLayout(scope);
  scope_layout->addWidget(rbScope_[0]);
  scope_layout->addWidget(rbScope_[1]);

  auto* types = new QGroupBox(tr("File Types to Search"), this);
  types->setObjectName(QStringLiteral("frContentTypes"));
  ckGlobals_ = Box(types, "ckGlobals", tr("Global Content Files"), true);
  ckTemplates_ = Box(types, "ckTemplates", tr("Template Files"), true);
  ckContentFiles_ = Box(types, "ckContentFiles", tr("Content Files"), true);
  ckFolderGlobals_ = Box(types, "ckFolderGlobals", tr("Folder Content Files"), true);
  auto* types_layout = new QGridLayout(types);
  types_layout->addWidget(ckGlobals_, 0, 0);
  types_layout->addWidget(ckTemplates_, 0, 1);
  types_layout->addWidget(ckContentFiles_, 1, 0);
  types_layout->addWidget(ckFolderGlobals_, 1, 1);

  ckIgnoreCase_ = Box(this, "ckIgnoreCase", tr("Ignore Case"), false);
  ckShowDetailedResults_ = Box(this, "ckShowDetailedResults", tr("Show Detailed Results"), true);

  auto* note = new QLabel(
      tr("Note: This operation cannot be undone. Accordingly, you may want to make a backup "
         "copy of your Project files before performing this operation. Read-only files will "
         "be searched, but replacements will not be made."),
      this);
  note->setObjectName(QStringLiteral("labNote"));
  note->setWordWrap(true);

  auto* texts = new QGridLayout;
  texts->addWidget(new QLabel(tr("Find:"), this), 0, 0);
  texts->addWidget(txtFind_, 0, 1);
  texts->addWidget(cmdReplace_, 0, 2);
  texts->addWidget(new QLabel(tr("Replace With:"), this), 1, 0);
  texts->addWidget(txtReplace_, 1, 1);
  texts->addWidget(cmdClose_, 1, 2);
  auto* frames = new QHBoxLayout;
  frames->addWidget(scope);
  frames->addWidget(types, 1);
  auto* boxes = new QHBoxLayout;
  boxes->addWidget(ckIgnoreCase_);
  boxes->addWidget(ckShowDetailedResults_);
  boxes->addStretch(1);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(texts);
  layout->addLayout(frames);
  layout->addLayout(boxes);
  layout->addWidget(note);
  layout->addWidget(new QLabel(tr("Replace Status"), this));
  results_->status()->setObjectName(QStringLiteral("lstReplaceStatus"));
  results_->status()->setMaximumHeight(fontMetrics().height() * 6);
  layout->addWidget(results_->status());
  layout->addWidget(results_->label());
  layout->addWidget(results_->list(), 1);
  layout->addWidget(results_->tree(), 1);
  resize(720, 560);

  for (QLineEdit* text : {txtFind_, txtReplace_}) {
    connect(text, &QLineEdit::textChanged, this, [this] { UpdateReplaceButton(); });
  }
  for (QCheckBox* box : {ckGlobals_, ckTemplates_, ckContentFiles_, ckFolderGlobals_}) {
    connect(box, &QCheckBox::toggled, this, [this] { UpdateReplaceButton(); });
  }
  connect(ckShowDetailedResults_, &QCheckBox::toggled, this,
          [this](bool on) { results_->ShowDetailed(on); });
  connect(cmdReplace_, &QPushButton::clicked, this, [this] { cmdReplace_Click(); });
  connect(cmdClose_, &QPushButton::clicked, this, &QDialog::accept);
}

void frmReplace::UpdateReplaceButton() {
  const bool any_type = ckGlobals_->isChecked() || ckTemplates_->isChecked() ||
                        ckContentFiles_->isChecked() || ckFolderGlobals_->isChecked();
  cmdReplace_->setEnabled(!txtFind_->text().isEmpty() && any_type);
}

void frmReplace::cmdReplace_Click() {
  if (busy_) {
    stop_requested_ = true;  // the file being rewritten is finished first
    return;
  }
  RunReplaceFromWindow();
}

void frmReplace::RunReplaceFromWindow() {
  ReplaceRequest request;
  request.find_text = PathBytes(txtFind_->text());
  request.replace_with = PathBytes(txtReplace_->text());
  if (ws_.host.ShowMessage(ConfirmReplaceText(request.find_text, request.replace_with),
                           "Confirm Replace", MessageButtons::kOkCancel,
                           MessageIcon::kQuestion) != MessageAnswer::kOk) {
    return;
  }
  cmdClose_->setEnabled(false);
  busy_ = true;
  cmdReplace_->setText(tr("Stop"));
  results_->ClearSelection();

  request.ignore_case = ckIgnoreCase_->isChecked();
  SearchScope& scope = request.scope;
  scope.selected_only = rbScope_[1]->isChecked();
  scope.globals = ckGlobals_->isChecked();
  scope.templates = ckTemplates_->isChecked();
  scope.content_files = ckContentFiles_->isChecked();
  scope.folder_globals = ckFolderGlobals_->isChecked();
  scope.selected_folder = selected_folder_;
  scope.selected_document = selected_document_;

  ProjectDefinition definition;
  if (LoadSearchDefinition(ws_, definition)) {
    RunReplace(ws_, definition, request, list_, *results_, stop_requested_);
  }
  results_->Flush();
  cmdReplace_->setText(tr("Replace"));
  busy_ = false;
  cmdClose_->setEnabled(true);
}

}  // namespace tarvelo
