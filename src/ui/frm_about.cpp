// The about box. The version comes from the build (the core's version definitions),
// so the box and the first status line always agree.
#include "ui/frm_about.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtGlobal>

#include "ui/icons.h"

namespace tarvelo {
namespace {

QLabel* AddLabel(QWidget* parent, QVBoxLayout* layout, const char* name, const QString& text) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setWordWrap(true);
  layout->addWidget(label);
  return label;
}

}  // namespace

QString ProgramVersion() {
  return QStringLiteral("%1.%2.%3")
      .arg(TARVELO_VERSION_MAJOR)
      .arg(TARVELO_VERSION_MINOR)
      .arg(TARVELO_VERSION_PATCH);
}

frmAbout::frmAbout(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmAbout"));
  setWindowTitle(tr("About Tarvelo CMS"));

  auto* text = new QVBoxLayout;
  QLabel* title = AddLabel(this, text, "lblTitle", tr("Tarvelo CMS"));
  QFont title_font = title->font();
  title_font.setPointSizeF(title_font.pointSizeF() * 1.6);
  title_font.setBold(true);
  title->setFont(title_font);
  AddLabel(this, text, "lblDescription", tr("Tarvelo Content Management System"));
  AddLabel(this, text, "lblVersion", tr("Version %1").arg(ProgramVersion()));
  text->addSpacing(10);
  QLabel* legal =
      AddLabel(this, text, "lblLegal",
               tr("Copyright \u00a9 the Tarvelo CMS developers.\n\n"
                  "This program uses the Qt library %1 under the terms of the GNU Lesser General "
                  "Public License version 3.")
                   .arg(QString::fromLatin1(qVersion())));
  legal->setTextInteractionFlags(Qt::TextSelectableByMouse);
  legal->setMinimumWidth(320);

  auto* logo = new QLabel(this);
  logo->setObjectName(QStringLiteral("imgLogo"));
  logo->setPixmap(StateIcon(FileRole::kDocument, FileState::kPresent).pixmap(32, 32));
  logo->setAlignment(Qt::AlignTop);

  auto* body = new QHBoxLayout;
  body->addWidget(logo);
  body->addSpacing(12);
  body->addLayout(text, 1);

  auto* cmdOK = new QPushButton(tr("OK"), this);
  cmdOK->setObjectName(QStringLiteral("cmdOK"));
  cmdOK->setDefault(true);
  connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(cmdOK);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(body);
  layout->addSpacing(8);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace tarvelo
