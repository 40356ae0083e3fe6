// WidgetHost: the workbench's Host. Status lines go to lstStatus, message boxes are
// QMessageBox, the prompt box is frmMessageBox, events run through the event loop.
#ifndef TARVELO_UI_WIDGET_HOST_H_
#define TARVELO_UI_WIDGET_HOST_H_

#include <QElapsedTimer>
#include <QString>
#include <QStringList>
#include <functional>
#include <string>

#include "common/host.h"

class QListWidget;
class QWidget;

namespace tarvelo {

/// The core's text (bytes) as a QString: UTF-8 when it is valid UTF-8, otherwise the
/// single-byte text of older files, read as Latin-1, so no byte is lost.
QString DisplayText(const std::string& bytes);

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

  /// Adds the line to the status list; from the second line on the newest line is
  /// selected, which scrolls it into view. During a generation run the lines reach
  /// the list in batches, at most kStatusInterval apart and before any box, pause or
  /// the end of the run, so a run of thousands of Documents does not spend its time
  /// laying out and painting the list once per Document.
  void AddStatusLine(const std::string& line) override;
  void ClearStatusLines() override;
  MessageAnswer ShowMessage(const std::string& text, const std::string& caption,
                            MessageButtons buttons, MessageIcon icon) override;
  int AskWithPromptBox(const std::string& caption, const std::string& message,
                       const PromptButtons& buttons, int preset) override;
  void ProcessEvents() override;
  /// Runs a local event loop for `milliseconds`, so input and repaints get through.
  void Pause(int milliseconds) override;
  void Beep() override;
  void GenerationStarted() override;
  void GenerationEnded() override;

  /// The longest a status line waits during a run before it is shown, in ms.
  static constexpr int kStatusInterval = 100;

 private:
  /// Adds the waiting lines to the list in one insertion and selects the newest.
  void FlushStatusLines();

  QWidget* parent_;
  QListWidget* status_list_ = nullptr;
  bool generating_ = false;
  QStringList pending_lines_;
  QElapsedTimer since_flush_;
  std::function<void()> started_;
  std::function<void()> ended_;
};

}  // namespace tarvelo

#endif  // TARVELO_UI_WIDGET_HOST_H_
