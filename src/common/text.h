// Small text helpers shared by every subsystem: trimming, searching, replacing and the
// count phrase of the summaries.
#ifndef TARVELO_COMMON_TEXT_H_
#define TARVELO_COMMON_TEXT_H_

#include <string>
#include <string_view>

namespace tarvelo {

inline constexpr std::string_view kCrLf = "\r\n";
inline constexpr char kCr = '\r';
inline constexpr char kTab = '\t';
/// Ten blanks: the indentation of every detail line of the log.
inline constexpr std::string_view kLogPad = "          ";

/// Removes blanks (spaces) from both ends, from the left or from the right.
std::string Trim(std::string_view text);
std::string TrimLeft(std::string_view text);
std::string TrimRight(std::string_view text);

/// True when the text is empty after removing its spaces.
bool IsBlank(std::string_view text);

/// Replaces every occurrence of `from` (which must not be empty) by `to`, scanning
/// left to right and never rescanning inserted text.
void ReplaceAll(std::string& text, std::string_view from, std::string_view to);

/// The count phrase: "1 second", "3 errors".
std::string Plural(long count, std::string_view word);

/// The number padded on the left with `pad` to `width` characters ("0003").
std::string PadNumber(long number, size_t width, char pad = '0');

/// Splits at CR LF; one piece for text without CR LF, one empty piece for "".
template <typename Fn>
void ForEachCrLfPiece(std::string_view text, Fn&& fn) {
  size_t start = 0;
  while (true) {
    const size_t pos = text.find(kCrLf, start);
    if (pos == std::string_view::npos) {
      fn(text.substr(start));
      return;
    }
    fn(text.substr(start, pos - start));
    start = pos + 2;
  }
}

/// Folds ASCII and Latin-1 letters to lower case, for "text comparison".
char FoldCase(char c);
std::string FoldCase(std::string_view text);

/// ASCII lower case.
std::string ToLowerAscii(std::string_view text);

}  // namespace tarvelo

#endif  // TARVELO_COMMON_TEXT_H_
