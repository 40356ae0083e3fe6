// The import wizard's two steps. Paths typed into its fields are trimmed and given the
// native separator when the field is left, as they are before every use.
#include "ui/frm_import_options.h"

#include <QButtonGroup>
#include <QEvent>
#include <QFont>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "project/workspace.h"
#include "ui/file_chooser.h"
#include "ui/frm_main_views.h"
#include "ui/widget_host.h"
#include "ui/window_support.h"

namespace tarvelo {
namespace {

template <typename T>
T* Named(T* widget, const char* name) {
  widget->setObjectName(QLatin1String(name));
  return widget;
}

QLabel* StepTitle(const QString& text, const char* name, QWidget* parent) {
  auto* title = Named(new QLabel(text, parent), name);
  QFont font = title->font();
  font.setBold(true);
  title->setFont(font);
  return title;
}

std::string FieldPath(const QLineEdit* field) {
  return NormaliseDialogPath(PathBytes(field->text()));
}

}  // namespace

frmImportOptions::frmImportOptions(Workspace& workspace, FileChooser& chooser, QWidget* parent)
    : QDialog(parent), ws_(workspace), chooser_(chooser), import_(workspace) {
  setObjectName(QStringLiteral("frmImportOptions"));
  setModal(true);
  setWindowTitle(tr("Import Program Options"));

  steps_ = new QStackedWidget(this);
  steps_->addWidget(CreateStep1());
  steps_->addWidget(CreateStep2());
  cmdBack_ = Named(new QPushButton(tr("< Back"), this), "cmdBack");
  cmdNext_ = Named(new QPushButton(tr("Next >"), this), "cmdNext");
  cmdFinish_ = Named(new QPushButton(tr("Finish"), this), "cmdFinish");
  cmdCancel_ = Named(new QPushButton(tr("Cancel"), this), "cmdCancel");
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  for (QPushButton* button : {cmdBack_, cmdNext_, cmdFinish_, cmdCancel_}) {
    button->setAutoDefault(false);
    buttons->addWidget(button);
  }
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(steps_, 1);
  layout->addLayout(buttons);
  resize(560, 330);

  connect(cmdBack_, &QPushButton::clicked, this, [this] { ShowStep(1); });
  connect(cmdNext_, &QPushButton::clicked, this, &frmImportOptions::Next);
  connect(cmdFinish_, &QPushButton::clicked, this, &frmImportOptions::Finish);
  connect(cmdCancel_, &QPushButton::clicked, this, &QDialog::reject);
  ShowStep(1);
}

QWidget* frmImportOptions::CreateStep1() {
  auto* page = Named(new QWidget(this), "fraStep1");
  auto* text = Named(
      new QLabel(tr("You can import Program Options from another installation of Tarvelo CMS. "
                    "For example, you can import Program Options from a  previous version of "
                    "Tarvelo CMS or from another user. Enter the path to the Program Options "
                    "file below that you wish to import."),
                 page),
      "lblExplanation");
  text->setWordWrap(true);
  txtOptionsFile_ = Named(new QLineEdit(page), "txtOptionsFile");
  auto* browse = Named(new QPushButton(tr("Browse..."), page), "cmdBrowseOptions");
  auto* field = new QHBoxLayout;
  field->addWidget(txtOptionsFile_, 1);
  field->addWidget(browse);
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(StepTitle(tr("Step 1 of 2: Program Options File"), "lblStep1", page));
  layout->addWidget(text);
  layout->addLayout(field);
  layout->addWidget(Named(new QLabel(tr("Example: C:\\Program Files\\Tarvelo\\tarvelo.ini"), page),
                          "lblExample"));
  layout->addStretch(1);

  connect(txtOptionsFile_, &QLineEdit::textChanged, this,
          [this](const QString& text) { cmdNext_->setEnabled(step() == 1 && !text.isEmpty()); });
  connect(txtOptionsFile_, &QLineEdit::editingFinished, this,
          [this] { txtOptionsFile_->setText(PathText(FieldPath(txtOptionsFile_))); });
  connect(browse, &QPushButton::clicked, this, &frmImportOptions::BrowseOptions);
  return page;
}

QWidget* frmImportOptions::CreateStep2() {
  auto* page = Named(new QWidget(this), "fraStep2");
  choices_ = new QButtonGroup(this);
  const char* const names[] = {"rbHistory0", "rbHistory1", "rbHistory2", "rbHistory3"};
  for (int i = 0; i < 4; ++i) {
    rbHistory_[i] = Named(new QRadioButton(page), names[i]);
    choices_->addButton(rbHistory_[i], i);
  }
  txtHistoryFile_ = Named(new QLineEdit(page), "txtHistoryFile");
  txtHistoryFile_->installEventFilter(this);
  auto* browse = Named(new QPushButton(tr("Browse..."), page), "cmdBrowseHistory");

  auto* import =
      Named(new QGroupBox(tr("Import the Project History File from:"), page), "frImportHistory");
  auto* other = new QHBoxLayout;
  other->addWidget(rbHistory_[1]);
  other->addWidget(txtHistoryFile_, 1);
  other->addWidget(browse);
  auto* import_layout = new QVBoxLayout(import);
  import_layout->addWidget(rbHistory_[0]);
  import_layout->addLayout(other);

  auto* reference =
      Named(new QGroupBox(
                tr("Do not import the Project History File. Reference the file below from Program "
                   "Options:"),
                page),
            "frReferenceHistory");
  auto* reference_layout = new QVBoxLayout(reference);
  reference_layout->addWidget(rbHistory_[2]);
  reference_layout->addWidget(rbHistory_[3]);

  auto* layout = new QVBoxLayout(page);
  layout->addWidget(StepTitle(tr("Step 2 of 2: Project History File"), "lblStep2", page));
  layout->addWidget(import);
  layout->addWidget(reference);
  layout->addStretch(1);

  connect(choices_, &QButtonGroup::idClicked, this, [this] { UpdateFinish(); });
  connect(txtHistoryFile_, &QLineEdit::textEdited, this, [this] {
    rbHistory_[kCopyOtherHistory]->setChecked(true);
    UpdateFinish();
  });
  connect(txtHistoryFile_, &QLineEdit::editingFinished, this,
          [this] { txtHistoryFile_->setText(PathText(FieldPath(txtHistoryFile_))); });
  connect(browse, &QPushButton::clicked, this, &frmImportOptions::BrowseHistory);
  return page;
}

int frmImportOptions::step() const {
  return steps_->currentIndex() + 1;
}

bool frmImportOptions::eventFilter(QObject* watched, QEvent* event) {
  // A click into the path field picks the choice it belongs to.
  if (watched == txtHistoryFile_ && event->type() == QEvent::MouseButtonPress) {
    rbHistory_[kCopyOtherHistory]->setChecked(true);
    UpdateFinish();
  }
  return QDialog::eventFilter(watched, event);
}

void frmImportOptions::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) CenterInWorkArea(this);
}

void frmImportOptions::ShowStep(int step) {
  steps_->setCurrentIndex(step - 1);
  cmdBack_->setEnabled(step == 2);
  cmdNext_->setEnabled(step == 1 && !txtOptionsFile_->text().isEmpty());
  if (step == 2) {
    UpdateFinish();
  } else {
    cmdFinish_->setEnabled(false);
  }
}

void frmImportOptions::Next() {
  const std::string path = FieldPath(txtOptionsFile_);
  txtOptionsFile_->setText(PathText(path));
  if (path.empty() || !import_.ReadSource(path)) return;
  const QString recommended = QStringLiteral(" (Recommended)");
  rbHistory_[kCopyImportedHistory]->setText(PathText(import_.ImportedHistoryPath()));
  rbHistory_[kReferenceImportedHistory]->setText(PathText(import_.ReferencedHistoryPath()));
  rbHistory_[kUseDefaultHistory]->setText(PathText(import_.DefaultHistoryPath()));
  QRadioButton* choice = rbHistory_[import_.RecommendedChoice()];
  choice->setText(choice->text() + recommended);
  choice->setChecked(true);
  ShowStep(2);
}

void frmImportOptions::UpdateFinish() {
  const bool other = choices_->checkedId() == kCopyOtherHistory;
  cmdFinish_->setEnabled(step() == 2 && (!other || !txtHistoryFile_->text().trimmed().isEmpty()));
}

void frmImportOptions::Finish() {
  const int choice = choices_->checkedId();
  if (choice < 0) return;
  bool done = false;
  TrapErrors(ws_.host, [&] {
    done = import_.Finish(static_cast<ImportChoice>(choice), FieldPath(txtHistoryFile_));
  });
  if (done) accept();
}

void frmImportOptions::BrowseOptions() {
  const QString path = chooser_.OpenFileName(
      this, windowTitle(), NameFilter("Tarvelo Program Options|tarvelo.ini|All Files|*.*"),
      QStringLiteral("tarvelo.ini"));
  if (!path.isEmpty()) txtOptionsFile_->setText(PathText(NormaliseDialogPath(PathBytes(path))));
}

void frmImportOptions::BrowseHistory() {
  const QString path = chooser_.OpenFileName(
      this, windowTitle(), NameFilter("Project History Files (*.ini)|*.ini|All Files|*.*"),
      QStringLiteral("projects.ini"));
  if (path.isEmpty()) return;
  txtHistoryFile_->setText(PathText(NormaliseDialogPath(PathBytes(path))));
  rbHistory_[kCopyOtherHistory]->setChecked(true);
  UpdateFinish();
}

}  // namespace tarvelo
