// Random lines through ExpandLine under random tag settings and tables: the only way
// out must be a result or a TarveloError, and the conditional state stays 0, 1 or 2.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "common/error.h"
#include "engine/expand_line.h"
#include "project/project_definition.h"
#include "project/project_settings.h"

namespace tarvelo {
namespace {

class Fuzzer {
 public:
  explicit Fuzzer(unsigned seed) : random_(seed) {}

  int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
  bool Chance(int percent) { return Below(100) < percent; }

  template <typename T>
  const T& Pick(const std::vector<T>& items) {
    return items[Below(static_cast<int>(items.size()))];
  }

  // Mostly the usual tag, sometimes an empty, blank, overlapping or longer one.
  std::string Tag(const std::string& usual) {
    static const std::vector<std::string> odd = {"",   " ", "[@", "]",  "(@", ")", "*", "^",
                                                 "}{", "@", "[",  "]]", ":",  "'", "\\"};
    return Chance(75) ? usual : Pick(odd);
  }

  // Pieces of the macro syntax mixed with arbitrary bytes.
  std::string Text(int max_pieces) {
    static const std::vector<std::string> pieces = {
        "[@",   "]", "(@", ")",  ":",    "*",   "!",    "^",     "\\",
        "&",    "{", "}",  "}{", "$",    "A",   "MENU", "DATE",  "(@format:",
        "yyyy", "'", " ",  "\t", "\r\n", "[@]", "(@p)", "(@\\p)"};
    std::string text;
    for (int count = Below(max_pieces); count > 0; --count) {
      if (Chance(30)) {
        text += static_cast<char>(Below(256));
      } else {
        text += Pick(pieces);
      }
    }
    return text;
  }

 private:
  std::mt19937 random_;
};

void RandomSettings(Fuzzer& fuzz, ProjectSettings& settings) {
  settings.macro_start_tag = fuzz.Chance(90) ? "[@" : fuzz.Tag("[@");
  settings.macro_end_tag = fuzz.Chance(90) ? "]" : fuzz.Tag("]");
  settings.parameter_start_tag = fuzz.Tag("(@");
  settings.parameter_end_tag = fuzz.Tag(")");
  settings.wildcard_tag = fuzz.Tag("*");
  settings.non_blank_delete_tag = fuzz.Tag("!");
  settings.parent_reference_tag = fuzz.Tag("^");
  settings.parent_reference_tag_is_by_file = static_cast<Int16>(fuzz.Below(2));
  settings.single_quote_escape_tag = fuzz.Tag("\\");
  settings.concatenate_tag = fuzz.Tag("&");
  settings.conditional_start_tag = fuzz.Tag("{");
  settings.conditional_else_tag = fuzz.Tag("}{");
  settings.conditional_end_tag = fuzz.Tag("}");
  settings.required_tag = fuzz.Tag("$");
  settings.delete_line = static_cast<Int16>(fuzz.Below(2));
  settings.delete_line_exceptions = fuzz.Chance(50) ? "ROOT_DIR, A," : fuzz.Text(4);
  settings.trim_parameter_values = static_cast<Int16>(fuzz.Below(2));
  settings.max_parameters = static_cast<Int16>(1 + fuzz.Below(5));
}

ContentFileEntry RandomEntry(Fuzzer& fuzz, const ProjectSettings& settings) {
  ContentFileEntry entry;
  entry.path = fuzz.Chance(85) ? "/c/file.par" : "";
  for (int count = fuzz.Below(6); count > 0; --count) {
    MacroSlot slot;
    slot.name = settings.macro_start_tag + fuzz.Text(3) + settings.macro_end_tag;
    slot.value = fuzz.Text(8);
    if (fuzz.Chance(30)) slot.parameters.push_back({"(@p)", fuzz.Text(3)});
    entry.slots.push_back(std::move(slot));
  }
  return entry;
}

TEST(ExpandFuzzTest, RandomLinesNeverEscapeAsAnythingButTarveloError) {
  Fuzzer fuzz(20240305);
  int lines = 0;
  int errors = 0;
  for (int round = 0; round < 60; ++round) {
    ProjectSettings settings;
    RandomSettings(fuzz, settings);
    MacroTable macros;
    macros.project_loaded = fuzz.Chance(50);
    if (macros.project_loaded) macros.project = RandomEntry(fuzz, settings);
    for (int i = fuzz.Below(4); i > 0; --i) {
      macros.content_files.push_back(RandomEntry(fuzz, settings));
      ++macros.content_files_loaded;
    }
    for (int i = fuzz.Below(3); i > 0; --i) {
      macros.globals.push_back(RandomEntry(fuzz, settings));
      ++macros.global_files_loaded;
    }
    ProjectDefinition definition;
    definition.folders.resize(1);
    definition.folders[0].star = static_cast<Int16>(fuzz.Below(2));
    definition.folders[0].documents.resize(1);
    definition.folders[0].documents[0].double_bang = static_cast<Int16>(fuzz.Below(2));
    MacroExpander expander(settings, macros, definition, FixedClock(1709647629));
    expander.SetDocument(0, static_cast<Int16>(fuzz.Below(3) - 1));

    for (int i = 0; i < 60; ++i, ++lines) {
      std::string line = fuzz.Text(16);
      Int16 state = static_cast<Int16>(fuzz.Below(3));
      std::string warning;
      // A few passes, as assembly would run them, feeding each output back in.
      for (int pass = 0; pass < 3 && !line.empty(); ++pass) {
        try {
          expander.ExpandLine(line, line, state, warning);
        } catch (const TarveloError&) {
          ++errors;
          break;
        }
        ASSERT_TRUE(state == 0 || state == 1 || state == 2) << "state " << state;
      }
    }
  }
  // Both outcomes must have been exercised for the run to mean anything.
  EXPECT_GT(errors, 0);
  EXPECT_LT(errors, lines);
}

}  // namespace
}  // namespace tarvelo
