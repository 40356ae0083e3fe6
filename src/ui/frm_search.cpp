// The Find window.
#include "ui/frm_search.h"

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

QRadioButton* Option(QWidget* parent, const QString& name, const QString& caption) {
  auto* option = new QRadioButton(caption, parent);
  option->setObjectName(name);
  return option;
}

}  // namespace

frmSearch::frmSearch(Workspace& workspace, DesktopServices& desktop, bool documents_mode,
                     Int16 selected_folder, Int16 selected_document, QWidget* parent)
    : SearchDialog(workspace.host,
                   "There is a search in progress. Please stop the search before closing "
                   "the form.",
                   "Search In Progress", parent),
      ws_(workspace),
      documents_mode_(documents_mode),
      selected_folder_(selected_folder),
      selected_document_(selected_document),
      results_(new SearchResults(this, workspace, desktop, "mnuSearch", tr("Search Results"),
                                 tr("Detailed Search Results"))) {
  setObjectName(QStringLiteral("frmSearch"));
  setWindowTitle(documents_mode ? tr("Find in Documents") : tr("Find"));
  setModal(true);
  results_->set_documents(documents_mode);
  CreateControls();
  UpdateSearchButton();
}

void frmSearch::CreateControls() {
  txtFind_ = new QLineEdit(this);
  txtFind_->setObjectName(QStringLiteral("txtFind"));
  cmdSearch_ = new QPushButton(tr("Search"), this);
  cmdSearch_->setObjectName(QStringLiteral("cmdSearch"));
  cmdSearch_->setDefault(true);
  cmdClose_ = new QPushButton(tr("Close"), this);
  cmdClose_->setObjectName(QStringLiteral("cmdClose"));

  frContentScope_ = new QGroupBox(tr("Search In"), this);
  frContentScope_->setObjectName(QStringLiteral("frContentScope"));
  rbScope_[0] = Option(frContentScope_, QStringLiteral("rbScope0"), tr("Files for All Documents"));
  rbScope_[1] =
      Option(frContentScope_, QStringLiteral("rbScope1"), tr("Files for Selected Document"));
  rbScope_[0]->setChecked(true);
  auto* scope_layout = new QVBoxLayout(frContentScope_);
  scope_layout->addWidget(rbScope_[0]);
  scope_layout->addWidget(rbScope_[1]);

  frContentTypes_ = new QGroupBox(tr("File Types to Search"), this);
  frContentTypes_->setObjectName(QStringLiteral("frContentTypes"));
  ckGlobals_ = Box(frContentTypes_, "ckGlobals", tr("Global Content Files"), true);
  ckTemplates_ = Box(frContentTypes_, "ckTemplates", tr("Template Files"), true);
  ckContentFiles_ = Box(frContentTypes_, "ckContentFiles", tr("Content Files"), true);
  ckFolderGlobals_ = Box(frContentTypes_, "ckFolderGlobals", tr("Folder Content Files"), true);
  auto* types_layout = new QGridLayout(frContentTypes_);
  types_layout->addWidget(ckGlobals_, 0, 0);
  types_layout->addWidget(ckTemplates_, 0, 1);
  types_layout->addWidget(ckContentFiles_, 1, 0);
  types_layout->addWidget(ckFolderGlobals_, 1, 1);

  frDocumentScope_ = new QGroupBox(tr("Search In"), this);
  frDocumentScope_->setObjectName(QStringLiteral("frDocumentScope"));
  rbDocumentScope_[0] =
      Option(frDocumentScope_, QStringLiteral("rbDocumentScope0"), tr("All Documents"));
  rbDocumentScope_[1] =
      Option(frDocumentScope_, QStringLiteral("rbDocumentScope1"), tr("Selected Document"));
  rbDocumentScope_[0]->setChecked(true);
  auto* document_layout = new QHBoxLayout(frDocumentScope_);
  document_layout->addWidget(rbDocumentScope_[0]);
  document_layout->addWidget(rbDocumentScope_[1]);

  ckDefinitionsOnly_ =
      Box(this, "ckDefinitionsOnly", tr("Search for Macro Definitions Only"), false);
  ckIgnoreCase_ = Box(this, "ckIgnoreCase", tr("Ignore Case"), false);
  ckShowDetailedResults_ = Box(this, "ckShowDetailedResults", tr("Show Detailed Results"), true);

  frContentScope_->setVisible(!documents_mode_);
  frContentTypes_->setVisible(!documents_mode_);
  ckDefinitionsOnly_->setVisible(!documents_mode_);
  frDocumentScope_->setVisible(documents_mode_);
  if (selected_folder_ < 0 || selected_document_ < 0) {
    rbScope_[1]->setEnabled(false);
    rbDocumentScope_[1]->setEnabled(false);
  }

  auto* find_row = new QHBoxLayout;
  auto* find_label = new QLabel(tr("Find:"), this);
  find_label->setBuddy(txtFind_);
  find_row->addWidget(find_label);
  find_row->addWidget(txtFind_, 1);
  find_row->addWidget(cmdSearch_);
  find_row->addWidget(cmdClose_);
  auto* frames = new QHBoxLayout;
  frames->addWidget(frContentScope_);
  frames->addWidget(frContentTypes_, 1);
  frames->addWidget(frDocumentScope_, 1);
  auto* boxes = new QHBoxLayout;
  boxes->addWidget(ckDefinitionsOnly_);
  boxes->addWidget(ckIgnoreCase_);
  boxes->addWidget(ckShowDetailedResults_);
  boxes->addStretch(1);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(find_row);
  layout->addLayout(frames);
  layout->addLayout(boxes);
  layout->addWidget(new QLabel(tr("Search Status"), this));
  layout->addWidget(results_->status());
  results_->status()->setMaximumHeight(fontMetrics().height() * 6);
  layout->addWidget(results_->label());
  layout->addWidget(results_->list(), 1);
  layout->addWidget(results_->tree(), 1);
  resize(720, 520);

  connect(txtFind_, &QLineEdit::textChanged, this, [this] { UpdateSearchButton(); });
  for (QCheckBox* box : {ckGlobals_, ckTemplates_, ckContentFiles_, ckFolderGlobals_}) {
    connect(box, &QCheckBox::toggled, this, [this] { UpdateSearchButton(); });
  }
  connect(rbScope_[0], &QRadioButton::toggled, this, [this] { UpdateSearchButton(); });
  connect(ckShowDetailedResults_, &QCheckBox::toggled, this,
          [this](bool on) { results_->ShowDetailed(on); });
  connect(cmdSearch_, &QPushButton::clicked, this, [this] { cmdSearch_Click(); });
  connect(cmdClose_, &QPushButton::clicked, this, &QDialog::accept);
}

void frmSearch::UpdateSearchButton() {
  const bool any_type = ckGlobals_->isChecked() || ckTemplates_->isChecked() ||
                        ckContentFiles_->isChecked() || ckFolderGlobals_->isChecked();
  cmdSearch_->setEnabled(!txtFind_->text().isEmpty() && (any_type || documents_mode_));
}

void frmSearch::cmdSearch_Click() {
  if (busy_) {
    stop_requested_ = true;  // the run ends before the next file
    return;
  }
  RunSearch();
}

void frmSearch::RunSearch() {
  results_->ClearSelection();
  busy_ = true;
  cmdSearch_->setText(tr("Stop"));
  cmdClose_->setEnabled(false);

  FindRequest request;
  request.find_text = PathBytes(txtFind_->text());
  request.ignore_case = ckIgnoreCase_->isChecked();
  request.definitions_only = !documents_mode_ && ckDefinitionsOnly_->isChecked();
  SearchScope& scope = request.scope;
  scope.documents_mode = documents_mode_;
  scope.selected_only =
      documents_mode_ ? rbDocumentScope_[1]->isChecked() : rbScope_[1]->isChecked();
  scope.globals = ckGlobals_->isChecked();
  scope.templates = ckTemplates_->isChecked();
  scope.content_files = ckContentFiles_->isChecked();
  scope.folder_globals = ckFolderGlobals_->isChecked();
  scope.selected_folder = selected_folder_;
  scope.selected_document = selected_document_;

  ProjectDefinition definition;
  if (LoadSearchDefinition(ws_, definition)) {
    RunFind(ws_, definition, request, list_, *results_, stop_requested_);
  }
  results_->Flush();
  cmdSearch_->setText(tr("Search"));
  cmdClose_->setEnabled(true);
  busy_ = false;
}

}  // namespace tarvelo
