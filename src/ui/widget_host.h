// WidgetHost: the workbench's Host. Status lines go to lstStatus, message boxes are
// QMessageBox, the prompt box is frmMessageBox, events run through the event loop.
#ifndef TARVELO_UI_WIDGET_HOST_H_
#define TARVELO_UI_WIDGET_HOST_H_

#include <functional>

#include "common/host.h"

class QListWidget;
class QWidget;

namespace tarvelo {

class WidgetHost : public Host {
 public:
  /// `parent` owns the boxes; the status list and the generation callbacks are set
  /// by the main window once it exists.
  explicit WidgetHost(QWidget* parent = nullptr);

  void set_parent(QWidget* parent) { parent_ = parent; }
  void set_status_list(QListWidget* list) { status_list_ = list; }
  void set_generation_callbacks(std::function<void()> started, std::function<void()> ended) {
    started_ = std::move(started);
    ended_ = std::move(ended);
  }

  void AddStatusLine(const std::string& line) override;
  void ClearStatusLines() override;
  MessageAnswer ShowMessage(const std::string& text, const std::string& caption,
                            MessageButtons buttons, MessageIcon icon) override;
  int AskWithPromptBox(const std::string& caption, const std::string& message,
                       const PromptButtons& buttons, int preset) override;
  void ProcessEvents() override;
  void Pause(int milliseconds) override;
  void Beep() override;
  void GenerationStarted() override;
  void GenerationEnded() override;

 private:
  QWidget* parent_;
  QListWidget* status_list_ = nullptr;
  std::function<void()> started_;
  std::function<void()> ended_;
};

}  // namespace tarvelo

#endif  // TARVELO_UI_WIDGET_HOST_H_
