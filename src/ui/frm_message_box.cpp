// The prompt box: a modal question with up to four answers. Each button stores its
// result code and closes the box; Esc or the window's close button leave the preset,
// which the caller chooses as the safe answer.
#include "ui/frm_message_box.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QVBoxLayout>

namespace tarvelo {
namespace {

// Core texts break lines with a bare carriage return; a label only knows "\n".
QString WithLineBreaks(QString text) {
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return text;
}

}  // namespace

frmMessageBox::frmMessageBox(const QString& caption, const QString& message,
                             const PromptButtons& buttons, int preset, QWidget* parent)
    : QDialog(parent), result_code_(preset) {
  setObjectName(QStringLiteral("frmMessageBox"));
  setWindowTitle(caption);
  setModal(true);

  auto* lblMessage = new QLabel(WithLineBreaks(message), this);
  lblMessage->setObjectName(QStringLiteral("lblMessage"));
  // Messages quote file names, which must never be taken for markup.
  lblMessage->setTextFormat(Qt::PlainText);
  lblMessage->setWordWrap(true);
  lblMessage->setMinimumWidth(360);
  lblMessage->setTextInteractionFlags(Qt::TextSelectableByMouse);

  auto* row = new QHBoxLayout;
  row->addStretch();
  QPushButton* cmdYes = AddButton("cmdYes", tr("&Yes"), kPromptYes, buttons.yes);
  row->addWidget(cmdYes);
  row->addWidget(AddButton("cmdYesToAll", tr("Yes to &All"), kPromptYesToAll, buttons.yes_to_all));
  row->addWidget(AddButton("cmdNo", tr("&No"), kPromptNo, buttons.no));
  row->addWidget(AddButton("cmdCancel", tr("&Cancel"), kPromptCancel, buttons.cancel));

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(lblMessage);
  layout->addSpacing(8);
  layout->addLayout(row);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  cmdYes->setDefault(true);
  if (buttons.yes) cmdYes->setFocus();
}

QPushButton* frmMessageBox::AddButton(const char* name, const QString& text, int code,
                                      bool visible) {
  auto* button = new QPushButton(text, this);
  button->setObjectName(QString::fromLatin1(name));
  button->setVisible(visible);
  connect(button, &QPushButton::clicked, this, [this, code] {
    result_code_ = code;
    accept();
  });
  return button;
}

void frmMessageBox::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (event->spontaneous()) return;
  CentreWindow();
  QApplication::beep();
}

void frmMessageBox::CentreWindow() {
  const QWidget* anchor = parentWidget() ? parentWidget()->window() : nullptr;
  QScreen* screen = anchor ? anchor->screen() : this->screen();
  const QRect work_area = screen ? screen->availableGeometry() : QRect();
  const QRect area = (anchor && anchor->isVisible()) ? anchor->frameGeometry() : work_area;
  QRect frame = frameGeometry();
  frame.moveCenter(area.center());
  // Keep the whole box on the screen when the parent sits near an edge.
  if (work_area.isValid()) {
    frame.moveLeft(qBound(work_area.left(), frame.left(),
                          qMax(work_area.left(), work_area.right() - frame.width() + 1)));
    frame.moveTop(qBound(work_area.top(), frame.top(),
                         qMax(work_area.top(), work_area.bottom() - frame.height() + 1)));
  }
  move(frame.topLeft());
}

}  // namespace tarvelo
