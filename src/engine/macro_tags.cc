// Tag-set validation, the default tags and the dialog's example captions.
#include "engine/macro_tags.h"

#include <array>

#include "common/text.h"
#include "project/project_settings.h"

namespace tarvelo {

std::string ValidateMacroTags(const ProjectSettings& settings) {
  if (IsBlank(settings.macro_start_tag)) return "Macro Tag starting value cannot be blank.";
  if (IsBlank(settings.macro_end_tag)) return "Macro Tag ending value cannot be blank.";
  const bool has_start = !IsBlank(settings.conditional_start_tag);
  const bool has_end = !IsBlank(settings.conditional_end_tag);
  if (has_start && !has_end) {
    return "Please enter an ending values for the Conditional Block Macro Tag.";
  }
  if (has_end && !has_start) {
    return "Please enter a starting values for the Conditional Block Macro Tag.";
  }

  // A tag that holds another would be read as that other tag by the parsers. The else
  // tag is left out on purpose: its default "}{" holds both conditional tags.
  const std::array<const std::string*, 12> tags = {
      &settings.macro_start_tag,      &settings.macro_end_tag,
      &settings.parameter_start_tag,  &settings.parameter_end_tag,
      &settings.wildcard_tag,         &settings.non_blank_delete_tag,
      &settings.parent_reference_tag, &settings.single_quote_escape_tag,
      &settings.concatenate_tag,      &settings.conditional_start_tag,
      &settings.conditional_end_tag,  &settings.required_tag,
  };
  for (size_t a = 0; a < tags.size(); ++a) {
    if (IsBlank(*tags[a])) continue;
    for (size_t b = 0; b < tags.size(); ++b) {
      if (a == b || IsBlank(*tags[b])) continue;
      if (tags[a]->find(*tags[b]) != std::string::npos) {
        return "Macro Tags cannot be substrings of one another. Please double-check all of the "
               "Macro Tags and Advanced Macro Tags that you have entered.";
      }
    }
  }
  return std::string();
}

void ResetMacroTags(ProjectSettings& settings) {
  const ProjectSettings defaults;
  settings.macro_start_tag = defaults.macro_start_tag;
  settings.macro_end_tag = defaults.macro_end_tag;
  settings.parameter_start_tag = defaults.parameter_start_tag;
  settings.parameter_end_tag = defaults.parameter_end_tag;
  settings.wildcard_tag = defaults.wildcard_tag;
  settings.non_blank_delete_tag = defaults.non_blank_delete_tag;
  settings.parent_reference_tag = defaults.parent_reference_tag;
  settings.single_quote_escape_tag = defaults.single_quote_escape_tag;
  settings.concatenate_tag = defaults.concatenate_tag;
  settings.conditional_start_tag = defaults.conditional_start_tag;
  settings.conditional_else_tag = defaults.conditional_else_tag;
  settings.conditional_end_tag = defaults.conditional_end_tag;
  settings.required_tag = defaults.required_tag;
  settings.delete_line = 1;
  settings.delete_line_exceptions = "ROOT_DIR";
}

AdvancedMacroSamples ShowSampleAdvancedMacros(const ProjectSettings& settings) {
  const std::string& start = settings.macro_start_tag;
  const std::string& end = settings.macro_end_tag;
  const auto prefixed = [&](const std::string& tag) { return start + tag + "MACRO" + end; };
  AdvancedMacroSamples samples;
  samples.non_blank_delete = prefixed(settings.non_blank_delete_tag);
  samples.parent_reference = prefixed(settings.parent_reference_tag);
  samples.single_quote_escape = prefixed(settings.single_quote_escape_tag);
  samples.concatenate = prefixed(settings.concatenate_tag);
  samples.conditional_start = prefixed(settings.conditional_start_tag);
  samples.required = prefixed(settings.required_tag);
  samples.wildcard = start + "MACRO" + settings.wildcard_tag + end;
  samples.conditional_else = start + settings.conditional_else_tag + end;
  samples.conditional_end = start + settings.conditional_end_tag + end;
  return samples;
}

MacroSamples ShowSampleMacroDefinition(const ProjectSettings& settings) {
  MacroSamples samples;
  samples.definition = settings.macro_start_tag + "MACRO";
  // Blank parameter tags switch parameters off, so the example shows none then.
  if (!IsBlank(settings.parameter_start_tag) && !IsBlank(settings.parameter_end_tag)) {
    samples.definition +=
        settings.parameter_start_tag + "param1:value1" + settings.parameter_end_tag;
  }
  samples.definition += settings.macro_end_tag + ":";
  samples.closing = settings.macro_start_tag + settings.macro_end_tag;
  samples.advanced = ShowSampleAdvancedMacros(settings);
  return samples;
}

}  // namespace tarvelo
