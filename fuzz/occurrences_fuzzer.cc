// Feeds CountOccurrences and ReplaceInLine. The first byte holds the switches (bit 0
// Ignore Case, bit 1 definitions only, bit 2 count only); the rest is three lines: the
// text line, the text to find and its replacement.
#include <cstdint>

#include "common/error.h"
#include "fuzz_support.h"
#include "project/project_settings.h"
#include "search/occurrences.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tarvelo;
  if (size == 0) return 0;
  static const ProjectSettings settings = NewProjectSettings();
  const bool ignore_case = (data[0] & 1) != 0;
  const bool definitions_only = (data[0] & 2) != 0;
  const bool count_only = (data[0] & 4) != 0;
  std::string_view rest = fuzz::AsText(data + 1, size - 1);
  const std::string_view line = fuzz::NextLine(rest);
  const std::string_view find = fuzz::NextLine(rest);
  const std::string_view with = fuzz::NextLine(rest);

  std::int32_t counted = -1;
  try {
    counted = CountOccurrences(line, SearchNeedle(std::string(find), definitions_only, settings),
                               ignore_case, definitions_only, settings);
    if (counted < 0) __builtin_trap();
  } catch (const TarveloError& error) {
    if (error.number != kOverflow) __builtin_trap();
  }
  std::string replaced(line);
  try {
    const std::int32_t count = ReplaceInLine(replaced, find, with, ignore_case, count_only);
    // Counting and replacing agree on the matches of a plain search, and a count-only
    // pass leaves the line alone.
    if (count < 0) __builtin_trap();
    if (!definitions_only && counted >= 0 && count != counted) __builtin_trap();
    if (count_only && replaced != line) __builtin_trap();
    if (count == 0 && replaced != line) __builtin_trap();
  } catch (const TarveloError& error) {
    if (error.number != kOverflow) __builtin_trap();
  }
  return 0;
}
