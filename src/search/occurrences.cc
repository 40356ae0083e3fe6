// Line matching for Find and Replace. Ignore Case compares case-folded copies, which
// keep every character at its position, so positions found in the copy hold for the
// line itself.
#include "search/occurrences.h"

#include "common/error.h"
#include "common/text.h"
#include "project/project_settings.h"

namespace tarvelo {
namespace {

// Character positions are 16-bit: an occurrence that starts beyond this one cannot be
// addressed.
constexpr size_t kLastPosition = 32767;

void CheckPosition(size_t zero_based) {
  if (zero_based + 1 > kLastPosition) throw RuntimeError(kOverflow);
}

}  // namespace

std::string SearchNeedle(const std::string& find_text, bool definitions_only,
                         const ProjectSettings& settings) {
  if (!definitions_only) return find_text;
  std::string needle = Trim(find_text);
  const std::string& start_tag = settings.macro_start_tag;
  if (!needle.empty() && needle.compare(0, start_tag.size(), start_tag) != 0) {
    needle.insert(0, start_tag);
  }
  return needle;
}

std::int32_t CountOccurrences(std::string_view text_line, std::string_view text_to_find,
                              bool ignore_case, bool definitions_only,
                              const ProjectSettings& settings) {
  std::string search(text_to_find);
  std::string alternate;
  const std::string& end_tag = settings.macro_end_tag;
  const std::string definition_end = end_tag + ":";
  if (definitions_only && !end_tag.empty() && search.find(end_tag, 1) != std::string::npos) {
    if (search.find(definition_end, 1) == std::string::npos) search += ':';
    alternate =
        search.substr(0, search.size() - definition_end.size()) + settings.parameter_start_tag;
  }
  if (search.empty()) return 0;

  std::string folded_line;
  std::string_view line = text_line;
  std::string_view definition_end_view = definition_end;
  std::string folded_end;
  if (ignore_case) {
    folded_line = FoldCase(text_line);
    line = folded_line;
    search = FoldCase(search);
    alternate = FoldCase(alternate);
    folded_end = FoldCase(definition_end);
    definition_end_view = folded_end;
  }

  std::int32_t count = 0;
  size_t start = 0;
  while (start < line.size()) {
    size_t found = line.find(search, start);
    size_t length = search.size();
    if (found == std::string_view::npos && !alternate.empty()) {
      found = line.find(alternate, start);
      length = alternate.size();
    }
    if (found == std::string_view::npos) break;
    CheckPosition(found);
    if (!definitions_only) {
      ++count;
      start = found + length;
      continue;
    }
    const size_t end = found == 0 ? line.find(definition_end_view) : std::string_view::npos;
    if (end != std::string_view::npos) {
      ++count;
      start = end + definition_end_view.size();
    } else {
      start = found + length;
    }
  }
  return count;
}

std::int32_t ReplaceInLine(std::string& text_line, std::string_view text_to_find,
                           std::string_view replace_with, bool ignore_case, bool count_only) {
  if (text_to_find.empty()) return 0;
  std::string folded_line;
  std::string folded_find;
  std::string_view line = text_line;
  std::string_view find = text_to_find;
  if (ignore_case) {
    folded_line = FoldCase(text_line);
    folded_find = FoldCase(text_to_find);
    line = folded_line;
    find = folded_find;
  }

  std::int32_t count = 0;
  std::string rewritten;
  size_t start = 0;
  while (start < line.size()) {
    const size_t found = line.find(find, start);
    if (found == std::string_view::npos) break;
    ++count;
    if (count_only) {
      CheckPosition(found);
    } else {
      rewritten.append(text_line, start, found - start);
      CheckPosition(rewritten.size());  // where the occurrence stands in the new line
      rewritten.append(replace_with);
    }
    start = found + find.size();
  }
  if (!count_only && count > 0) {
    rewritten.append(text_line, start, std::string::npos);
    text_line = std::move(rewritten);
  }
  return count;
}

}  // namespace tarvelo
