// The Replace Special window.
#include "ui/frm_replace_special.h"

#include <QDir>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "project/workspace.h"
#include "search/replace_run.h"
#include "ui/file_chooser.h"
#include "ui/frm_main_views.h"
#include "ui/search_results.h"
#include "ui/widget_host.h"
#include "ui/window_support.h"

namespace tarvelo {

frmReplaceSpecial::frmReplaceSpecial(Workspace& workspace, FileChooser& chooser, QWidget* parent)
    : QDialog(parent),
      ws_(workspace),
      chooser_(chooser),
      txtFileName_(new QLineEdit(this)),
      cmdBrowse_(new QPushButton(tr("Browse..."), this)),
      cmdReplace_(new QPushButton(tr("Replace"), this)),
      cmdClose_(new QPushButton(tr("Close"), this)),
      lstStatus_(new QListWidget(this)) {
  setObjectName(QStringLiteral("frmReplaceSpecial"));
  setWindowTitle(tr("Replace Special"));
  setModal(true);
  txtFileName_->setObjectName(QStringLiteral("txtFileName"));
  cmdBrowse_->setObjectName(QStringLiteral("cmdBrowse"));
  cmdReplace_->setObjectName(QStringLiteral("cmdReplace"));
  cmdClose_->setObjectName(QStringLiteral("cmdClose"));
  lstStatus_->setObjectName(QStringLiteral("lstStatus"));

  auto* purpose = new QLabel(tr("Use this utility to replace each Carriage Return character with "
                                "a Carriage Return character and a Line Feed character."),
                             this);
  auto* reason = new QLabel(
      tr("Like most Windows programs, Tarvelo CMS assumes that each line in a text file is "
         "terminated with a Carriage Return character and a Line Feed character. Text files "
         "created on other operating systems may contain lines that are terminated with a "
         "Carriage Return only."),
      this);
  purpose->setWordWrap(true);
  reason->setWordWrap(true);

  auto* file_row = new QGridLayout;
  file_row->addWidget(new QLabel(tr("File:"), this), 0, 0);
  file_row->addWidget(txtFileName_, 0, 1);
  file_row->addWidget(cmdBrowse_, 0, 2);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(cmdReplace_);
  buttons->addWidget(cmdClose_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(purpose);
  layout->addWidget(reason);
  layout->addLayout(file_row);
  layout->addLayout(buttons);
  layout->addWidget(lstStatus_, 1);
  resize(560, 340);

  txtFileName_->installEventFilter(this);
  cmdReplace_->setEnabled(false);
  connect(txtFileName_, &QLineEdit::textChanged, this,
          [this](const QString& text) { cmdReplace_->setEnabled(!text.isEmpty()); });
  connect(cmdBrowse_, &QPushButton::clicked, this, [this] { cmdBrowse_Click(); });
  connect(cmdReplace_, &QPushButton::clicked, this, [this] { cmdReplace_Click(); });
  connect(cmdClose_, &QPushButton::clicked, this, &QDialog::accept);
}

bool frmReplaceSpecial::eventFilter(QObject* watched, QEvent* event) {
  if (watched == txtFileName_ && event->type() == QEvent::FocusOut) NormaliseFileName();
  return QDialog::eventFilter(watched, event);
}

// Blanks trimmed, and "/" or "\" made the platform's own separator.
void frmReplaceSpecial::NormaliseFileName() {
  QString name = txtFileName_->text().trimmed();
  name.replace(QLatin1Char('\\'), QLatin1Char('/'));
  name = QDir::toNativeSeparators(name);
  if (name != txtFileName_->text()) txtFileName_->setText(name);
}

void frmReplaceSpecial::cmdBrowse_Click() {
  const QString chosen =
      chooser_.OpenFileName(this, tr("Replace Special"), tr("All Files (*)"), txtFileName_->text());
  if (!chosen.isEmpty()) txtFileName_->setText(chosen);
  txtFileName_->setFocus();
}

void frmReplaceSpecial::cmdReplace_Click() {
  NormaliseFileName();
  RunReplaceSpecial(ws_, PathBytes(txtFileName_->text()), *this);
}

void frmReplaceSpecial::UpdateStatus(const std::string& status) {
  lstStatus_->addItem(DisplayText(status));
  if (lstStatus_->count() > 1) lstStatus_->setCurrentRow(lstStatus_->count() - 1);
}

void frmReplaceSpecial::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  CenterInWorkArea(this);
}

}  // namespace tarvelo
