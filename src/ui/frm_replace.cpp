// The Replace window.
#include "ui/frm_replace.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/host.h"
#include "project/workspace.h"
#include "search/replace_run.h"
#include "ui/frm_main_views.h"
#include "ui/search_results.h"

namespace tarvelo {

frmReplace::frmReplace(Workspace& workspace, DesktopServices& desktop, Int16 selected_folder,
                       Int16 selected_document, QWidget* parent)
    : SearchDialog(workspace, desktop, selected_folder, selected_document,
                   {"There is an operation in progress. Please stop the operation before "
                    "closing the form.",
                    "Operation In Progress", "mnuReplace", tr("Replace Results"),
                    tr("Detailed Replace Results")},
                   parent) {
  setObjectName(QStringLiteral("frmReplace"));
  setWindowTitle(tr("Replace"));
  CreateControls();
  UpdateRunButton();
}

void frmReplace::CreateControls() {
  CreateFindBox();
  txtReplace_ = new QLineEdit(this);
  txtReplace_->setObjectName(QStringLiteral("txtReplace"));
  CreateButtons(tr("Replace"), "cmdReplace");
  QGroupBox* scope =
      CreateScopeGroup(tr("Replace In"), "frScope", "rbScope", tr("Files For All Documents"),
                       tr("Files For Selected Document"), rbScope_, QBoxLayout::TopToBottom);
  QGroupBox* types = CreateTypesGroup();
  QHBoxLayout* boxes = CreateOptionRow(nullptr);

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
  texts->addWidget(cmdRun_, 0, 2);
  texts->addWidget(new QLabel(tr("Replace With:"), this), 1, 0);
  texts->addWidget(txtReplace_, 1, 1);
  texts->addWidget(cmdClose_, 1, 2);
  auto* frames = new QHBoxLayout;
  frames->addWidget(scope);
  frames->addWidget(types, 1);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(texts);
  layout->addLayout(frames);
  layout->addLayout(boxes);
  layout->addWidget(note);
  results_->status()->setObjectName(QStringLiteral("lstReplaceStatus"));
  AddResults(layout, tr("Replace Status"));
  resize(720, 560);

  connect(txtReplace_, &QLineEdit::textChanged, this, [this] { UpdateRunButton(); });
}

void frmReplace::UpdateRunButton() {
  cmdRun_->setEnabled(!txtFind_->text().isEmpty() && AnyTypeChecked());
}

void frmReplace::StartRun() {
  ReplaceRequest request;
  request.find_text = PathBytes(txtFind_->text());
  request.replace_with = PathBytes(txtReplace_->text());
  if (ws_.host.ShowMessage(ConfirmReplaceText(request.find_text, request.replace_with),
                           "Confirm Replace", MessageButtons::kOkCancel,
                           MessageIcon::kQuestion) != MessageAnswer::kOk) {
    return;
  }
  request.ignore_case = ckIgnoreCase_->isChecked();
  FillScope(request.scope);
  RunBusy([&](const ProjectDefinition& definition) {
    RunReplace(ws_, definition, request, list_, *results_, stop_requested_);
  });
}

}  // namespace tarvelo
