#include "common/shell_words.h"

namespace tarvelo {

std::string JoinArguments(const std::vector<std::string>& arguments) {
  std::string text;
  for (const std::string& argument : arguments) {
    if (!text.empty()) text += ' ';
    text += argument;
  }
  return text;
}

std::vector<std::string> SplitCommandLine(std::string_view command_line) {
  std::vector<std::string> words;
  std::string word;
  bool in_word = false;
  size_t i = 0;
  while (i < command_line.size()) {
    const char c = command_line[i];
    if (c == ' ' || c == '\t' || c == '\n') {
      if (in_word) words.push_back(word);
      word.clear();
      in_word = false;
      ++i;
      continue;
    }
    in_word = true;
    if (c == '\'') {
      const size_t close = command_line.find('\'', i + 1);
      const size_t end = close == std::string_view::npos ? command_line.size() : close;
      word.append(command_line.substr(i + 1, end - i - 1));
      i = end + 1;
    } else if (c == '"') {
      ++i;
      while (i < command_line.size() && command_line[i] != '"') {
        if (command_line[i] == '\\' && i + 1 < command_line.size() &&
            std::string_view("\"\\$`").find(command_line[i + 1]) != std::string_view::npos) {
          ++i;
        }
        word += command_line[i++];
      }
      ++i;
    } else if (c == '\\' && i + 1 < command_line.size()) {
      word += command_line[i + 1];
      i += 2;
    } else {
      word += c;
      ++i;
    }
  }
  if (in_word) words.push_back(word);
  return words;
}

}  // namespace tarvelo
