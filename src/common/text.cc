// Text helpers; blanks are spaces only, as the file formats define them.
#include "common/text.h"

namespace tarvelo {

std::string TrimLeft(std::string_view text) {
  const size_t first = text.find_first_not_of(' ');
  return first == std::string_view::npos ? std::string() : std::string(text.substr(first));
}

std::string TrimRight(std::string_view text) {
  const size_t last = text.find_last_not_of(' ');
  return last == std::string_view::npos ? std::string() : std::string(text.substr(0, last + 1));
}

std::string Trim(std::string_view text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return std::string();
  const size_t last = text.find_last_not_of(' ');
  return std::string(text.substr(first, last - first + 1));
}

bool IsBlank(std::string_view text) {
  return text.find_first_not_of(' ') == std::string_view::npos;
}

void ReplaceAll(std::string& text, std::string_view from, std::string_view to) {
  if (from.empty()) return;
  size_t pos = text.find(from);
  if (pos == std::string::npos) return;
  std::string result;
  result.reserve(text.size());
  size_t start = 0;
  while (pos != std::string::npos) {
    result.append(text, start, pos - start);
    result.append(to);
    start = pos + from.size();
    pos = text.find(from, start);
  }
  result.append(text, start, std::string::npos);
  text.swap(result);
}

std::string Plural(long count, std::string_view word) {
  std::string text = std::to_string(count);
  text += ' ';
  text += word;
  if (count != 1) text += 's';
  return text;
}

std::string PadNumber(long number, size_t width, char pad) {
  std::string digits = std::to_string(number);
  if (digits.size() < width) digits.insert(0, width - digits.size(), pad);
  return digits;
}

char FoldCase(char c) {
  const unsigned char u = static_cast<unsigned char>(c);
  if (u >= 'A' && u <= 'Z') return static_cast<char>(u + 32);
  // Latin-1 capitals À..Þ except the multiplication sign.
  if (u >= 0xC0 && u <= 0xDE && u != 0xD7) return static_cast<char>(u + 32);
  return c;
}

std::string FoldCase(std::string_view text) {
  std::string folded(text);
  for (char& c : folded) c = FoldCase(c);
  return folded;
}

std::string ToLowerAscii(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  }
  return lower;
}

}  // namespace tarvelo
