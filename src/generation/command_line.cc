// Command-line parsing. Names are case-insensitive but values keep their case, since
// paths on this platform are case-sensitive; a value ends where the next option
// begins, so values may hold "/" as long as it does not start an option name.
#include "generation/command_line.h"

#include <array>

#include "common/text.h"

namespace tarvelo {
namespace {

constexpr std::array<std::string_view, 6> kOptionNames = {
    "mode=", "project=", "command=", "window=", "document-root=", "modified-only="};

bool StartsWithNoCase(std::string_view text, size_t pos, std::string_view word) {
  if (text.size() - pos < word.size()) return false;
  for (size_t i = 0; i < word.size(); ++i) {
    char c = text[pos + i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    if (c != word[i]) return false;
  }
  return true;
}

// The option that starts at `pos` ("/name=" or "--name="): its index and the position
// of its value, or -1.
int OptionAt(std::string_view text, size_t pos, size_t& value_start) {
  size_t name_start;
  if (text[pos] == '/') {
    name_start = pos + 1;
  } else if (text.compare(pos, 2, "--") == 0) {
    name_start = pos + 2;
  } else {
    return -1;
  }
  for (size_t i = 0; i < kOptionNames.size(); ++i) {
    if (StartsWithNoCase(text, name_start, kOptionNames[i])) {
      value_start = name_start + kOptionNames[i].size();
      return static_cast<int>(i);
    }
  }
  return -1;
}

}  // namespace

CommandLineOptions ParseCommandLine(std::string_view argument_text) {
  CommandLineOptions options;
  const std::string text = Trim(argument_text);
  options.command_line = text;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t value_start = 0;
    const int option = OptionAt(text, pos, value_start);
    if (option < 0) {
      ++pos;
      continue;
    }
    size_t value_end = value_start;
    size_t ignored;
    while (value_end < text.size() && !(OptionAt(text, value_end, ignored) >= 0)) ++value_end;
    const std::string value =
        Trim(std::string_view(text).substr(value_start, value_end - value_start));
    switch (option) {
      case 0:
        options.run = value == "1" || value == "2";
        options.close_after_run = value == "2";
        break;
      case 1:
        options.project = value;
        break;
      case 2:
        options.command = value;
        break;
      case 3:
        options.window = value == "1" ? 1 : 0;
        break;
      case 4:
        options.document_root = value;
        break;
      case 5:
        options.modified_only = ToInt16(value);
        break;
    }
    pos = value_end;
  }
  return options;
}

bool ParseJobs(std::string_view value, int& jobs) {
  if (value.empty() || value.size() > 3 ||
      value.find_first_not_of("0123456789") != std::string_view::npos) {
    return false;
  }
  int number = 0;
  for (const char digit : value) number = number * 10 + (digit - '0');
  if (number < 1 || number > kMaxJobs) return false;
  jobs = number;
  return true;
}

}  // namespace tarvelo
