// Conditional blocks and required Macros, driven line by line as document assembly
// drives them: which lines are written, the state left behind and the warnings.
#include <gtest/gtest.h>

#include "engine/expand_fixture.h"

namespace tarvelo {
namespace {

using Lines = std::vector<std::string>;

class ConditionalTest : public ExpandFixture {
 protected:
  // Starts a fresh Document whose only Content File defines `macros`.
  void NewDocument(const std::vector<MacroSlot>& macros) {
    macros_.content_files.clear();
    macros_.content_files_loaded = 0;
    AddFile(kLevelContentFiles, "/c/doc.par", macros);
    state_ = kOutsideBlock;
    warnings_.clear();
  }
};

const std::string kEndOutside =
    "WARNING: Conditional end tags must appear within conditional blocks. [@}] does not "
    "appear within a conditional block.";
const std::string kElseOutside =
    "WARNING: Conditional else tags must appear within conditional blocks. [@}{] does not "
    "appear within a conditional block.";

TEST_F(ConditionalTest, BlockKeepsOrDropsItsLines) {
  const Lines block = {"[@{A]", "text", "[@}]", "after"};
  const Lines with_else = {"[@{A]", "one", "[@}{]", "two", "[@}]", "after"};
  const struct {
    std::vector<MacroSlot> macros;
    Lines lines;
    Lines written;
  } cases[] = {
      {{}, block, {"after"}},
      {{Slot("[@A]", "x")}, block, {"text", "after"}},
      {{Slot("[@A]", " ")}, block, {"text", "after"}},  // blanks count as a value
      {{}, with_else, {"two", "after"}},
      {{Slot("[@A]", "x")}, with_else, {"one", "after"}},
      {{Slot("[@A]", "x")}, {"keep [@{A] lost", "text", "lost [@}] too"}, {"text"}},
      {{Slot("[@A]", "(@p)", {{"(@p)", ""}})}, {"[@{A(@p:1)]", "text", "[@}]"}, {"text"}},
      {{Slot("[@A]", "x")}, {"[@{^A]", "text", "[@}]"}, {"text"}},
      {{}, {"[@{TARVELO_PROJECT_NAME]", "text", "[@}]"}, {"text"}},
  };
  for (const auto& c : cases) {
    NewDocument(c.macros);
    EXPECT_EQ(RunPass(c.lines), c.written) << c.lines[0];
    EXPECT_EQ(state_, kOutsideBlock);
    EXPECT_EQ(warnings_, Lines());
  }
}

TEST_F(ConditionalTest, MisplacedTagsWarnAndAreTreatedAsEmpty) {
  const struct {
    Int16 delete_line;
    Lines lines;
    Lines written;
    Lines warnings;
  } cases[] = {
      {1, {"[@}]", "x"}, {"x"}, {kEndOutside}},
      {0, {"a [@}] b"}, {"a  b"}, {kEndOutside}},
      {1, {"[@}{]"}, {}, {kElseOutside}},
      {1,
       {"[@{A]", "[@{B]", "in", "[@}]", "after"},
       {"in", "after"},
       {"WARNING: Conditional blocks cannot be nested. [@{B] appears within a conditional "
        "block."}},
      {0,
       {"[@{A]", "a[@{^B]b", "[@}]"},
       {"ab"},
       {"WARNING: Conditional blocks cannot be nested. [@{B] appears within a conditional "
        "block."}},
  };
  for (const auto& c : cases) {
    settings_.delete_line = c.delete_line;
    NewDocument({Slot("[@A]", "x"), Slot("[@B]", "y")});
    EXPECT_EQ(RunPass(c.lines), c.written) << c.lines[0];
    EXPECT_EQ(warnings_, c.warnings) << c.lines[0];
    EXPECT_EQ(state_, kOutsideBlock);
  }
}

TEST_F(ConditionalTest, BlankConditionalTagsSwitchBlocksOff) {
  settings_.conditional_end_tag = "";
  NewDocument({Slot("[@{A]", "literal")});
  EXPECT_EQ(RunPass({"[@{A]", "[@}]", "x"}), (Lines{"literal", "x"}));
  EXPECT_EQ(warnings_, Lines());

  // Without an else tag "[@}{]" is read as an end.
  settings_.conditional_end_tag = "}";
  settings_.conditional_else_tag = " ";
  NewDocument({Slot("[@A]", "x")});
  EXPECT_EQ(RunPass({"[@{A]", "one", "[@}{]", "two"}), (Lines{"one", "two"}));
}

TEST_F(ConditionalTest, RequiredMacroWithoutValueWarnsAndDropsTheLine) {
  const std::string missing = "WARNING: The required Macro [@T] does not have a value.";
  const struct {
    std::vector<MacroSlot> macros;
    Lines lines;
    Lines written;
    Lines warnings;
  } cases[] = {
      {{}, {"a [@$T] b"}, {}, {missing}},
      {{}, {"a [@\\$T] b"}, {}, {missing}},
      {{Slot("[@T]", "v")}, {"a [@$T] b"}, {"a v b"}, {}},
      {{}, {"[@$TARVELO_PROJECT_NAME]"}, {"Project"}, {}},
      {{}, {"[@{A]", "x [@$T]", "[@}]"}, {}, {missing}},  // a dropping block still warns
      {{}, {"a[@&$T]b"}, {"ab"}, {}},                     // not looked for after concatenate
      {{}, {"a[@!$T]b"}, {"ab"}, {}},                     // nor after non-blank delete
  };
  settings_.delete_line = 0;
  for (const auto& c : cases) {
    NewDocument(c.macros);
    EXPECT_EQ(RunPass(c.lines), c.written) << c.lines[0];
    EXPECT_EQ(warnings_, c.warnings) << c.lines[0];
  }
}

}  // namespace
}  // namespace tarvelo
