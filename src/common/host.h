// Host: everything the core says to, or asks of, a person. The workbench implements it
// with widgets, tarvelo-cli with the terminal, and tests with a scripted fake, so the
// core never draws a window and no test ever blocks on a modal box.
#ifndef TARVELO_COMMON_HOST_H_
#define TARVELO_COMMON_HOST_H_

#include <string>

namespace tarvelo {

enum class MessageButtons { kOk, kOkCancel };
enum class MessageIcon { kNone, kQuestion, kExclamation, kInformation, kCritical };
enum class MessageAnswer { kOk, kCancel };

/// Result codes of the prompt box.
enum PromptResult : int { kPromptYes = 1, kPromptYesToAll = 2, kPromptNo = 3, kPromptCancel = 4 };

/// Which of the prompt box's four buttons are visible.
struct PromptButtons {
  bool yes_to_all = true;
  bool yes = true;
  bool no = true;
  bool cancel = false;
};

class Host {
 public:
  virtual ~Host() = default;

  /// Adds a line to the end of the status list (and shows it).
  virtual void AddStatusLine(const std::string& line) = 0;
  /// Empties the status list.
  virtual void ClearStatusLines() = 0;

  /// A message box; the answer is kOk for a box with only an OK button.
  virtual MessageAnswer ShowMessage(const std::string& text, const std::string& caption,
                                    MessageButtons buttons, MessageIcon icon) = 0;

  /// The prompt box: Yes / Yes to All / No / Cancel. Returns a PromptResult; closing
  /// the box without a button returns `preset`.
  virtual int AskWithPromptBox(const std::string& caption, const std::string& message,
                               const PromptButtons& buttons, int preset) = 0;

  /// Lets pending events run (repaints, the Stop command).
  virtual void ProcessEvents() = 0;
  /// Waits about `milliseconds`, letting events run meanwhile.
  virtual void Pause(int milliseconds) = 0;
  /// The system beep.
  virtual void Beep() = 0;

  /// A generation run starts or ends: the generate commands are disabled and Stop is
  /// enabled, or the reverse.
  virtual void GenerationStarted() = 0;
  virtual void GenerationEnded() = 0;

  /// Every line written to the log, after it was written (the console echoes them
  /// with --verbose). Does nothing by default.
  virtual void LogLineWritten(const std::string& line) { (void)line; }
};

}  // namespace tarvelo

#endif  // TARVELO_COMMON_HOST_H_
