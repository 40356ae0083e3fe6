// The Find window.
#include "ui/frm_search.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "project/workspace.h"
#include "search/find_run.h"
#include "ui/frm_main_views.h"
#include "ui/search_results.h"

namespace tarvelo {

frmSearch::frmSearch(Workspace& workspace, DesktopServices& desktop, bool documents_mode,
                     Int16 selected_folder, Int16 selected_document, QWidget* parent)
    : SearchDialog(
          workspace, desktop, selected_folder, selected_document,
          {"There is a search in progress. Please stop the search before closing "
           "the form.",
           "Search In Progress", "mnuSearch", tr("Search Results"), tr("Detailed Search Results")},
          parent),
      documents_mode_(documents_mode) {
  setObjectName(QStringLiteral("frmSearch"));
  setWindowTitle(documents_mode ? tr("Find in Documents") : tr("Find"));
  results_->set_documents(documents_mode);
  CreateControls();
  UpdateRunButton();
}

void frmSearch::CreateControls() {
  CreateFindBox();
  CreateButtons(tr("Search"), "cmdSearch");
  QGroupBox* content_scope =
      CreateScopeGroup(tr("Search In"), "frContentScope", "rbScope", tr("Files for All Documents"),
                       tr("Files for Selected Document"), rbScope_, QBoxLayout::TopToBottom);
  QGroupBox* content_types = CreateTypesGroup();

  QGroupBox* document_scope =
      CreateScopeGroup(tr("Search In"), "frDocumentScope", "rbDocumentScope", tr("All Documents"),
                       tr("Selected Document"), rbDocumentScope_, QBoxLayout::LeftToRight);

  ckDefinitionsOnly_ = new QCheckBox(tr("Search for Macro Definitions Only"), this);
  ckDefinitionsOnly_->setObjectName(QStringLiteral("ckDefinitionsOnly"));
  QHBoxLayout* boxes = CreateOptionRow(ckDefinitionsOnly_);

  content_scope->setVisible(!documents_mode_);
  content_types->setVisible(!documents_mode_);
  ckDefinitionsOnly_->setVisible(!documents_mode_);
  document_scope->setVisible(documents_mode_);

  auto* find_row = new QHBoxLayout;
  auto* find_label = new QLabel(tr("Find:"), this);
  find_label->setBuddy(txtFind_);
  find_row->addWidget(find_label);
  find_row->addWidget(txtFind_, 1);
  find_row->addWidget(cmdRun_);
  find_row->addWidget(cmdClose_);
  auto* frames = new QHBoxLayout;
  frames->addWidget(content_scope);
  frames->addWidget(content_types, 1);
  frames->addWidget(document_scope, 1);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(find_row);
  layout->addLayout(frames);
  layout->addLayout(boxes);
  AddResults(layout, tr("Search Status"));
  resize(720, 520);

  connect(rbScope_[0], &QRadioButton::toggled, this, [this] { UpdateRunButton(); });
}

void frmSearch::UpdateRunButton() {
  cmdRun_->setEnabled(!txtFind_->text().isEmpty() && (AnyTypeChecked() || documents_mode_));
}

void frmSearch::StartRun() {
  FindRequest request;
  request.find_text = PathBytes(txtFind_->text());
  request.ignore_case = ckIgnoreCase_->isChecked();
  request.definitions_only = !documents_mode_ && ckDefinitionsOnly_->isChecked();
  FillScope(request.scope);
  request.scope.documents_mode = documents_mode_;
  if (documents_mode_) request.scope.selected_only = rbDocumentScope_[1]->isChecked();
  RunBusy([&](const ProjectDefinition& definition) {
    RunFind(ws_, definition, request, list_, *results_, stop_requested_);
  });
}

}  // namespace tarvelo
