// Counting and replacing a literal text in one line: the rules every search and
// replace shares (non-overlapping matches, text comparison for Ignore Case, the
// definitions-only test, and positions held in 16 bits).
#ifndef TARVELO_SEARCH_OCCURRENCES_H_
#define TARVELO_SEARCH_OCCURRENCES_H_

#include <cstdint>
#include <string>
#include <string_view>

namespace tarvelo {

struct ProjectSettings;

/// The text a search looks for. With `definitions_only` the find text is trimmed and,
/// when not empty, gets the macro-start-tag in front unless it begins with it;
/// otherwise it is taken exactly as typed.
std::string SearchNeedle(const std::string& find_text, bool definitions_only,
                         const ProjectSettings& settings);

/// The occurrences of `text_to_find` in the line, without overlaps. With
/// `definitions_only` only a match at the start of a line that also holds the
/// macro-end-tag followed by ":" counts (a needle "[@NAME]" also finds "[@NAME(@").
/// Raises 6 "Overflow" for an occurrence beyond position 32,767.
std::int32_t CountOccurrences(std::string_view text_line, std::string_view text_to_find,
                              bool ignore_case, bool definitions_only,
                              const ProjectSettings& settings);

/// Replaces each occurrence of `text_to_find` in the line by `replace_with` (unless
/// `count_only`), left to right, never searching inserted text again; returns the
/// number of occurrences. Raises 6 "Overflow" for an occurrence beyond position 32,767
/// of the line as it is being rewritten.
std::int32_t ReplaceInLine(std::string& text_line, std::string_view text_to_find,
                           std::string_view replace_with, bool ignore_case, bool count_only);

}  // namespace tarvelo

#endif  // TARVELO_SEARCH_OCCURRENCES_H_
