// ConsoleHost: the Host of tarvelo-cli. Status lines go to stdout as they come;
// message boxes and error reports go to stderr; questions are asked on a terminal and
// otherwise answered with the preset, as if the box had been closed.
#ifndef TARVELO_CLI_CONSOLE_HOST_H_
#define TARVELO_CLI_CONSOLE_HOST_H_

#include <cstdio>
#include <string>

#include "common/host.h"

namespace tarvelo {

class ConsoleHost : public Host {
 public:
  /// `interactive`: questions may be asked on `in`; `verbose`: log lines are echoed.
  ConsoleHost(std::FILE* out, std::FILE* err, std::FILE* in, bool interactive, bool verbose);

  /// Every question of a run is answered with Yes to All (--keep-going).
  void set_keep_going(bool keep_going) { keep_going_ = keep_going; }

  void AddStatusLine(const std::string& line) override;
  void ClearStatusLines() override {}
  MessageAnswer ShowMessage(const std::string& text, const std::string& caption,
                            MessageButtons buttons, MessageIcon icon) override;
  int AskWithPromptBox(const std::string& caption, const std::string& message,
                       const PromptButtons& buttons, int preset) override;
  void ProcessEvents() override {}
  void Pause(int milliseconds) override;
  void Beep() override {}
  void GenerationStarted() override {}
  void GenerationEnded() override {}
  void LogLineWritten(const std::string& line) override;

  /// How many common error reports were shown so far.
  int error_reports() const { return error_reports_; }

 private:
  std::FILE* out_;
  std::FILE* err_;
  std::FILE* in_;
  bool interactive_;
  bool verbose_;
  bool keep_going_ = false;
  int error_reports_ = 0;
};

/// The text of a box for a terminal: each CR (the boxes' line break) becomes a LF.
std::string ConsoleText(const std::string& text);

}  // namespace tarvelo

#endif  // TARVELO_CLI_CONSOLE_HOST_H_
