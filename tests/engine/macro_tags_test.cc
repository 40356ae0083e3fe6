// Macro Tags: which tag sets the dialog accepts, what Reset Defaults restores, and the
// example captions built from the current tags.
#include "engine/macro_tags.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "project/project_settings.h"

namespace tarvelo {
namespace {

const char kStartBlank[] = "Macro Tag starting value cannot be blank.";
const char kEndBlank[] = "Macro Tag ending value cannot be blank.";
const char kNeedsEnd[] = "Please enter an ending values for the Conditional Block Macro Tag.";
const char kNeedsStart[] = "Please enter a starting values for the Conditional Block Macro Tag.";
const char kSubstring[] =
    "Macro Tags cannot be substrings of one another. Please double-check all of the Macro "
    "Tags and Advanced Macro Tags that you have entered.";

struct TagCase {
  const char* what;
  std::function<void(ProjectSettings&)> change;
  std::string expected;
};

TEST(MacroTagsTest, ValidationFollowsTheRulesInOrder) {
  const TagCase cases[] = {
      {"defaults", [](ProjectSettings&) {}, ""},
      {"start empty", [](ProjectSettings& s) { s.macro_start_tag = ""; }, kStartBlank},
      {"start blanks", [](ProjectSettings& s) { s.macro_start_tag = "  "; }, kStartBlank},
      {"start checked before end",
       [](ProjectSettings& s) { s.macro_start_tag = s.macro_end_tag = ""; }, kStartBlank},
      {"end blank", [](ProjectSettings& s) { s.macro_end_tag = " "; }, kEndBlank},
      {"conditional end missing", [](ProjectSettings& s) { s.conditional_end_tag = ""; },
       kNeedsEnd},
      {"conditional start missing", [](ProjectSettings& s) { s.conditional_start_tag = " "; },
       kNeedsStart},
      {"conditional pair before substrings",
       [](ProjectSettings& s) {
         s.conditional_end_tag = "";
         s.wildcard_tag = "!";
       },
       kNeedsEnd},
      {"both conditional tags blank",
       [](ProjectSettings& s) { s.conditional_start_tag = s.conditional_end_tag = ""; }, ""},
      {"start tag inside end tag", [](ProjectSettings& s) { s.macro_end_tag = "[@x"; }, kSubstring},
      {"wildcard inside parameter end", [](ProjectSettings& s) { s.parameter_end_tag = "*)"; },
       kSubstring},
      {"equal advanced tags", [](ProjectSettings& s) { s.required_tag = "^"; }, kSubstring},
      {"later tag inside earlier one", [](ProjectSettings& s) { s.macro_start_tag = "<$"; },
       kSubstring},
      {"two blank advanced tags",
       [](ProjectSettings& s) { s.wildcard_tag = s.concatenate_tag = ""; }, ""},
      {"a blank tag is not found inside others",
       [](ProjectSettings& s) {
         s.macro_start_tag = "[ @";
         s.wildcard_tag = " ";
       },
       ""},
      {"else tag holds both conditional tags",
       [](ProjectSettings& s) { s.conditional_else_tag = "}{"; }, ""},
      {"else tag takes no part", [](ProjectSettings& s) { s.conditional_else_tag = "[@"; }, ""},
      {"line continuation takes no part", [](ProjectSettings& s) { s.line_continuation = "]"; },
       ""},
      {"other tags",
       [](ProjectSettings& s) {
         s.macro_start_tag = "{{";
         s.macro_end_tag = "}}";
         s.conditional_start_tag = "?";
         s.conditional_end_tag = "/";
         s.conditional_else_tag = "|";
       },
       ""},
      {"conditional start inside new start tag",
       [](ProjectSettings& s) {
         s.macro_start_tag = "{{";
         s.macro_end_tag = "}}";
       },
       kSubstring},
  };
  for (const TagCase& c : cases) {
    ProjectSettings settings;
    c.change(settings);
    EXPECT_EQ(ValidateMacroTags(settings), c.expected) << c.what;
  }
}

// The thirteen tags and the delete-line pair that Reset Defaults restores.
std::vector<std::string> ResetFields(const ProjectSettings& s) {
  return {s.macro_start_tag,       s.macro_end_tag,
          s.parameter_start_tag,   s.parameter_end_tag,
          s.wildcard_tag,          s.non_blank_delete_tag,
          s.parent_reference_tag,  s.single_quote_escape_tag,
          s.concatenate_tag,       s.conditional_start_tag,
          s.conditional_else_tag,  s.conditional_end_tag,
          s.required_tag,          std::to_string(s.delete_line),
          s.delete_line_exceptions};
}

TEST(MacroTagsTest, ResetPutsBackTheTagsAndLeavesTheRest) {
  ProjectSettings settings;
  for (std::string* text :
       {&settings.macro_start_tag, &settings.macro_end_tag, &settings.parameter_start_tag,
        &settings.parameter_end_tag, &settings.wildcard_tag, &settings.non_blank_delete_tag,
        &settings.parent_reference_tag, &settings.single_quote_escape_tag,
        &settings.concatenate_tag, &settings.conditional_start_tag, &settings.conditional_else_tag,
        &settings.conditional_end_tag, &settings.required_tag, &settings.delete_line_exceptions,
        &settings.line_continuation, &settings.reserved_date_macro,
        &settings.reserved_project_name_macro, &settings.reserved_folder_name_macro,
        &settings.reserved_document_name_macro}) {
    *text = "#";
  }
  settings.delete_line = 0;
  settings.max_nested_macros = 7;
  settings.parent_reference_tag_is_by_file = 1;

  ResetMacroTags(settings);

  EXPECT_EQ(ResetFields(settings),
            (std::vector<std::string>{"[@", "]", "(@", ")", "*", "!", "^", "\\", "&", "{", "}{",
                                      "}", "$", "1", "ROOT_DIR"}));
  EXPECT_EQ(settings.line_continuation, "#");
  EXPECT_EQ(settings.max_nested_macros, 7);
  EXPECT_EQ(settings.parent_reference_tag_is_by_file, 1);
  EXPECT_EQ(settings.reserved_date_macro + settings.reserved_project_name_macro +
                settings.reserved_folder_name_macro + settings.reserved_document_name_macro,
            "####");
}

TEST(MacroTagsTest, SampleCaptionsWithTheDefaultTags) {
  const MacroSamples samples = ShowSampleMacroDefinition(ProjectSettings());
  EXPECT_EQ(samples.definition, "[@MACRO(@param1:value1)]:");
  EXPECT_EQ(samples.closing, "[@]");
  const AdvancedMacroSamples& a = samples.advanced;
  EXPECT_EQ(a.non_blank_delete, "[@!MACRO]");
  EXPECT_EQ(a.parent_reference, "[@^MACRO]");
  EXPECT_EQ(a.single_quote_escape, "[@\\MACRO]");
  EXPECT_EQ(a.concatenate, "[@&MACRO]");
  EXPECT_EQ(a.conditional_start, "[@{MACRO]");
  EXPECT_EQ(a.required, "[@$MACRO]");
  EXPECT_EQ(a.wildcard, "[@MACRO*]");
  EXPECT_EQ(a.conditional_else, "[@}{]");
  EXPECT_EQ(a.conditional_end, "[@}]");
}

TEST(MacroTagsTest, SampleCaptionsFollowChangedTags) {
  ProjectSettings settings;
  settings.macro_start_tag = "{{";
  settings.macro_end_tag = "}}";
  settings.parameter_start_tag = "<";
  settings.parameter_end_tag = ">";
  settings.wildcard_tag = "%";
  settings.conditional_else_tag = "|";
  settings.required_tag = "";
  MacroSamples samples = ShowSampleMacroDefinition(settings);
  EXPECT_EQ(samples.definition, "{{MACRO<param1:value1>}}:");
  EXPECT_EQ(samples.closing, "{{}}");
  EXPECT_EQ(samples.advanced.wildcard, "{{MACRO%}}");
  EXPECT_EQ(samples.advanced.conditional_else, "{{|}}");
  EXPECT_EQ(samples.advanced.required, "{{MACRO}}");

  // Without both parameter tags the example has no parameter group.
  settings.parameter_end_tag = " ";
  EXPECT_EQ(ShowSampleMacroDefinition(settings).definition, "{{MACRO}}:");
  settings.parameter_end_tag = ">";
  settings.parameter_start_tag = "";
  EXPECT_EQ(ShowSampleMacroDefinition(settings).definition, "{{MACRO}}:");
}

}  // namespace
}  // namespace tarvelo
