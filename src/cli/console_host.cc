// The console's Host. Files keep CR LF; the terminal gets plain LF lines.
#include "cli/console_host.h"

#include <chrono>
#include <thread>

namespace tarvelo {
namespace {

const char* AnswerName(int answer) {
  switch (answer) {
    case kPromptYes:
      return "Yes";
    case kPromptYesToAll:
      return "Yes to All";
    case kPromptNo:
      return "No";
    default:
      return "Cancel";
  }
}

}  // namespace

std::string ConsoleText(const std::string& text) {
  std::string plain;
  plain.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') {
      plain += '\n';
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      plain += text[i];
    }
  }
  return plain;
}

ConsoleHost::ConsoleHost(std::FILE* out, std::FILE* err, std::FILE* in, bool interactive,
                         bool verbose)
    : out_(out), err_(err), in_(in), interactive_(interactive), verbose_(verbose) {}

void ConsoleHost::AddStatusLine(const std::string& line) {
  std::fprintf(out_, "%s\n", line.c_str());
  std::fflush(out_);
}

MessageAnswer ConsoleHost::ShowMessage(const std::string& text, const std::string& caption,
                                       MessageButtons buttons, MessageIcon icon) {
  if (caption == "Error" && icon == MessageIcon::kExclamation) ++error_reports_;
  std::fprintf(err_, "%s: %s\n", caption.c_str(), ConsoleText(text).c_str());
  // The console never waits for an OK it cannot get: questions with OK and Cancel
  // (creating the default files) are answered OK, and it says so.
  if (buttons == MessageButtons::kOkCancel) std::fprintf(err_, "  -> OK\n");
  std::fflush(err_);
  return MessageAnswer::kOk;
}

int ConsoleHost::AskWithPromptBox(const std::string& caption, const std::string& message,
                                  const PromptButtons& buttons, int preset) {
  std::fprintf(err_, "%s: %s\n", caption.c_str(), ConsoleText(message).c_str());
  if (keep_going_ && buttons.yes_to_all) preset = kPromptYesToAll;
  if (!interactive_ || keep_going_) {
    std::fprintf(err_, "  -> %s\n", AnswerName(preset));
    std::fflush(err_);
    return preset;
  }
  std::string choices;
  if (buttons.yes) choices += "[y] Yes  ";
  if (buttons.yes_to_all) choices += "[a] Yes to All  ";
  if (buttons.no) choices += "[n] No  ";
  if (buttons.cancel) choices += "[c] Cancel  ";
  while (true) {
    std::fprintf(err_, "%s? ", choices.c_str());
    std::fflush(err_);
    char line[64];
    if (std::fgets(line, sizeof line, in_) == nullptr) {
      std::fprintf(err_, "\n  -> %s\n", AnswerName(preset));
      return preset;
    }
    switch (line[0] | 0x20) {
      case 'y':
        if (buttons.yes) return kPromptYes;
        break;
      case 'a':
        if (buttons.yes_to_all) return kPromptYesToAll;
        break;
      case 'n':
        if (buttons.no) return kPromptNo;
        break;
      case 'c':
        if (buttons.cancel) return kPromptCancel;
        break;
    }
  }
}

void ConsoleHost::Pause(int milliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

void ConsoleHost::LogLineWritten(const std::string& line) {
  if (!verbose_) return;
  std::fprintf(out_, "log: %s\n", line.c_str());
  std::fflush(out_);
}

}  // namespace tarvelo
