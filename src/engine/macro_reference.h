// Finding the first Macro reference of a line and decoding its advanced tags (parent,
// conditional, parameters, wildcard, non-blank delete, single-quote escape, concatenate,
// required) down to the Macro's name. The expander acts on what is found here.
#ifndef TARVELO_ENGINE_MACRO_REFERENCE_H_
#define TARVELO_ENGINE_MACRO_REFERENCE_H_

#include <cstddef>
#include <string>
#include <string_view>

#include "common/int16.h"
#include "engine/macro_table.h"

namespace tarvelo {

struct ProjectSettings;

/// What the advanced tags of one reference asked for.
struct ReferenceFlags {
  Int16 parent_count = -1;  // -1: no parent tag
  bool conditional_start = false;
  bool conditional_else = false;
  bool conditional_end = false;
  bool has_parameters = false;
  bool wildcard = false;
  bool non_blank_delete = false;
  bool single_quote_escape = false;
  bool concatenate = false;
  bool required = false;
};

/// Sets [begin, end) to the first reference of `line`. Returns false when the line
/// holds no macro start tag. When a parameter start tag stands between the start and
/// the first end tag, the reference runs to the first parameter end tag that is
/// directly followed by the end tag. Raises 10001 "Invalid tag in string: " + line when
/// the reference has no end (or a tag is empty).
bool LocateReference(const ProjectSettings& settings, std::string_view line, size_t& begin,
                     size_t& end);

/// Removes the advanced tags from `reference`, leaving the Macro's name with its Macro
/// Tags, and fills `flags`. Misplaced conditional tags set `warning` and empty the
/// name; the parameter parser's warning is passed on. Parameters go to `work`, which is
/// reset when the reference passes none. Raises the parameter parser's 10001, and 6
/// "Overflow" for more parent tags than a 16-bit count holds.
void DecodeReference(const ProjectSettings& settings, ParameterWork& work, Int16 conditional_state,
                     std::string& reference, ReferenceFlags& flags, std::string& warning);

/// The first position from `from` where `first` is immediately followed by `second`;
/// npos when there is none.
size_t FindTagPair(std::string_view text, std::string_view first, std::string_view second,
                   size_t from = 0);

/// True when `name` is exactly start + body + end (the tagged form of a setting such
/// as a reserved name), compared without building that text.
bool IsTaggedName(std::string_view name, std::string_view start, std::string_view body,
                  std::string_view end);

}  // namespace tarvelo

#endif  // TARVELO_ENGINE_MACRO_REFERENCE_H_
