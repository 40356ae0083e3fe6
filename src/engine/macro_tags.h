// Macro Tags: checking a tag set before the Project Properties dialog stores it,
// putting the default tags back, and the example captions the dialog shows so the
// user sees how a definition and each advanced tag look with the current tags.
#ifndef TARVELO_ENGINE_MACRO_TAGS_H_
#define TARVELO_ENGINE_MACRO_TAGS_H_

#include <string>

namespace tarvelo {

struct ProjectSettings;

/// Checks the tag fields in a fixed order and returns the first failing rule's
/// message, or an empty text when the set is usable. Blank advanced tags are allowed
/// (they switch their feature off) and take no part in the substring rule.
std::string ValidateMacroTags(const ProjectSettings& settings);

/// Puts back the default values of the thirteen tags, delete-line 1 and
/// delete-line-exceptions "ROOT_DIR". Leaves line-continuation, max-nested-macros,
/// parent-reference-tag-is-by-file and the reserved names as they are.
void ResetMacroTags(ProjectSettings& settings);

/// Example references written with the current advanced tags.
struct AdvancedMacroSamples {
  std::string non_blank_delete;     // [@!MACRO]
  std::string parent_reference;     // [@^MACRO]
  std::string single_quote_escape;  // [@\MACRO]
  std::string concatenate;          // [@&MACRO]
  std::string conditional_start;    // [@{MACRO]
  std::string required;             // [@$MACRO]
  std::string wildcard;             // [@MACRO*]
  std::string conditional_else;     // [@}{]
  std::string conditional_end;      // [@}]
};

/// The definition example, its closing line and the advanced examples.
struct MacroSamples {
  std::string definition;  // [@MACRO(@param1:value1)]:
  std::string closing;     // [@]
  AdvancedMacroSamples advanced;
};

/// The captions of the advanced tags for the current tag fields.
AdvancedMacroSamples ShowSampleAdvancedMacros(const ProjectSettings& settings);

/// The definition captions for the current tag fields, the advanced ones included.
/// The parameter group appears only when both parameter tags are set.
MacroSamples ShowSampleMacroDefinition(const ProjectSettings& settings);

}  // namespace tarvelo

#endif  // TARVELO_ENGINE_MACRO_TAGS_H_
