// WidgetHost: the core's Host on widgets. Status lines go to the main window's list,
// questions to QMessageBox and the prompt box; waiting keeps the event loop running so
// Stop and repaints get through during a run.
#include "ui/widget_host.h"

#include <QApplication>
#include <QEventLoop>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QStringDecoder>
#include <QTimer>

#include "ui/frm_message_box.h"

namespace tarvelo {
namespace {

QMessageBox::Icon BoxIcon(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::kQuestion:
      return QMessageBox::Question;
    case MessageIcon::kExclamation:
      return QMessageBox::Warning;
    case MessageIcon::kInformation:
      return QMessageBox::Information;
    case MessageIcon::kCritical:
      return QMessageBox::Critical;
    case MessageIcon::kNone:
      break;
  }
  return QMessageBox::NoIcon;
}

// Message texts break lines with a bare carriage return.
QString WithLineBreaks(const std::string& text) {
  QString shown = DisplayText(text);
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return shown;
}

}  // namespace

QString DisplayText(const std::string& bytes) {
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString text = utf8.decode(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
  if (utf8.hasError()) return QString::fromLatin1(bytes.data(), qsizetype(bytes.size()));
  return text;
}

WidgetHost::WidgetHost(QWidget* parent) : parent_(parent) {}

void WidgetHost::AddStatusLine(const std::string& line) {
  if (!status_list_) return;
  pending_lines_.append(DisplayText(line));
  if (!generating_ || !since_flush_.isValid() || since_flush_.elapsed() >= kStatusInterval) {
    FlushStatusLines();
  }
}

void WidgetHost::FlushStatusLines() {
  since_flush_.start();
  if (!status_list_ || pending_lines_.isEmpty()) return;
  status_list_->addItems(pending_lines_);
  pending_lines_.clear();
  const int count = status_list_->count();
  if (count > 1) {
    status_list_->setCurrentRow(count - 1);
    status_list_->scrollToItem(status_list_->item(count - 1));
  }
}

void WidgetHost::ClearStatusLines() {
  pending_lines_.clear();
  if (status_list_) status_list_->clear();
}

MessageAnswer WidgetHost::ShowMessage(const std::string& text, const std::string& caption,
                                      MessageButtons buttons, MessageIcon icon) {
  FlushStatusLines();
  QMessageBox box(BoxIcon(icon), DisplayText(caption), WithLineBreaks(text), QMessageBox::NoButton,
                  parent_);
  // Messages quote file names, which must never be taken for markup.
  box.setTextFormat(Qt::PlainText);
  QPushButton* ok = box.addButton(QMessageBox::Ok);
  box.setDefaultButton(ok);
  if (buttons == MessageButtons::kOkCancel) {
    box.setEscapeButton(box.addButton(QMessageBox::Cancel));
  } else {
    box.setEscapeButton(ok);
  }
  box.exec();
  if (buttons == MessageButtons::kOk) return MessageAnswer::kOk;
  return box.clickedButton() == ok ? MessageAnswer::kOk : MessageAnswer::kCancel;
}

int WidgetHost::AskWithPromptBox(const std::string& caption, const std::string& message,
                                 const PromptButtons& buttons, int preset) {
  FlushStatusLines();
  frmMessageBox box(DisplayText(caption), DisplayText(message), buttons, preset, parent_);
  box.exec();
  return box.result_code();
}

void WidgetHost::ProcessEvents() {
  if (since_flush_.isValid() && since_flush_.elapsed() >= kStatusInterval) FlushStatusLines();
  QCoreApplication::processEvents();
}

void WidgetHost::Pause(int milliseconds) {
  FlushStatusLines();
  if (milliseconds <= 0) {
    QCoreApplication::processEvents();
    return;
  }
  QEventLoop loop;
  QTimer::singleShot(milliseconds, Qt::PreciseTimer, &loop, &QEventLoop::quit);
  loop.exec();
}

void WidgetHost::Beep() {
  QApplication::beep();
}

void WidgetHost::GenerationStarted() {
  generating_ = true;
  if (started_) started_();
}

void WidgetHost::GenerationEnded() {
  generating_ = false;
  FlushStatusLines();
  if (ended_) ended_();
}

}  // namespace tarvelo
