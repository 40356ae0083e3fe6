// MacroExpander: locating a reference, lookup precedence and parent references,
// parameters, reserved Macros, the composition of the output line, and wildcards.
#include "engine/expand_line.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

#include "common/error.h"
#include "engine/expand_fixture.h"
#include "support/raised_by.h"

namespace tarvelo {
namespace {

using ExpandLineTest = ExpandFixture;

const std::vector<MacroParameter> kLinkParameters = {{"(@url)", "index.html"}, {"(@text)", "Home"}};

TEST_F(ExpandLineTest, ExpandsOneReferencePerPass) {
  AddFile(kLevelContentFiles, "/c/index.par",
          {Slot("[@TITLE]", "Welcome"),
           Slot("[@LINK]", "<a href='(@url)'>(@text)</a>", kLinkParameters)});
  std::string line = "  <h1>[@TITLE]</h1> [@LINK(@text:Back)]";
  line = Expand(line);
  EXPECT_EQ(line, "  <h1>Welcome</h1> [@LINK(@text:Back)]");
  line = Expand(line);
  EXPECT_EQ(line, "  <h1>Welcome</h1> <a href='index.html'>Back</a>");
  EXPECT_EQ(Expand(line), line);  // nothing left: the line comes back as it is
  EXPECT_EQ(warning_, "");
}

TEST_F(ExpandLineTest, PassedParametersOverrideDefaults) {
  AddFile(kLevelContentFiles, "/c/index.par",
          {Slot("[@LINK]", "<a href='(@url)'>(@text)</a>", kLinkParameters),
           Slot("[@JS]", "alert('(@\\msg)'); // (@msg)", {{"(@msg)", "it's"}}),
           Slot("[@END]", "(@v)", {{"(@v)", "d"}})});
  const struct {
    const char* line;
    const char* expected;
  } cases[] = {
      {"[@LINK(@url:a.html)]", "<a href='a.html'>Home</a>"},
      {"[@LINK(@url:a.html)(@text:About us)]", "<a href='a.html'>About us</a>"},
      {"[@LINK(@text:)]", "<a href='index.html'></a>"},  // passed empty is not the default
      {"[@LINK]", "<a href='index.html'>Home</a>"},
      {"[@JS]", "alert('it\\'s'); // it's"},
      {"[@JS(@msg:a'b'c)]", "alert('a\\'b\\'c'); // a'b'c"},
      {"x[@END(@v:a]b)]y", "xa]by"},  // a value may hold the end tag
  };
  for (const auto& c : cases) EXPECT_EQ(Expand(c.line), c.expected) << c.line;
}

TEST_F(ExpandLineTest, ParameterWarningIsPassedOn) {
  settings_.max_parameters = 2;
  AddFile(kLevelContentFiles, "/c/a.par", {Slot("[@L]", "(@a)(@b)", {{"(@a)", ""}, {"(@b)", ""}})});
  EXPECT_EQ(Expand("[@L(@a:1)(@b:2)(@c:3)]"), "12");
  EXPECT_EQ(warning_,
            "WARNING: The maximum number of parameters have been exceeded in the Macro "
            "[@L(@a:1)(@b:2)(@c:3)].");
}

TEST_F(ExpandLineTest, LevelsAndParentTagsByScope) {
  AddFile(kLevelProject, "/c/project.par", {Slot("[@TITLE]", "Project")});
  AddFile(kLevelContentFiles, "/c/doc.par", {Slot("[@TITLE]", "Content")});
  AddFile(kLevelFolderGlobals, "/c/folder.par", {Slot("[@TITLE]", "Folder")});
  AddFile(kLevelGlobals, "/c/global.par", {Slot("[@TITLE]", "Global")});
  const struct {
    bool star, double_bang, triple_bang;
    const char* line;
    const char* expected;
  } cases[] = {
      {false, false, false, "[@TITLE]", "Project"},  {false, false, false, "[@^TITLE]", "Content"},
      {false, false, false, "[@^^TITLE]", "Folder"}, {false, false, false, "[@^^^TITLE]", "Global"},
      {false, false, false, "[@^^^^TITLE]", ""},     {true, false, false, "[@TITLE]", "Content"},
      {false, true, false, "[@^^TITLE]", "Global"},  {false, true, true, "[@^^TITLE]", ""},
  };
  for (const auto& c : cases) {
    definition_.folders[0].star = c.star;
    definition_.folders[0].documents[0].double_bang = c.double_bang;
    definition_.folders[0].documents[0].triple_bang = c.triple_bang;
    expander_.SetDocument(0, 0);
    EXPECT_EQ(Expand(c.line), c.expected) << c.line << " star " << c.star;
  }
  // Without a Project Macro File no parent tag still means the Content Files.
  macros_.project_loaded = false;
  expander_.SetDocument(0, 0);
  EXPECT_EQ(Expand("[@TITLE]"), "Content");
  EXPECT_EQ(Expand("[@^TITLE]"), "Content");
}

TEST_F(ExpandLineTest, ParentReferenceInAValuePointsBelowItsDefinition) {
  AddFile(kLevelProject, "/c/project.par", {Slot("[@P]", "P:[@^TITLE]")});
  AddFile(kLevelContentFiles, "/c/doc.par", {Slot("[@TITLE]", "Home - [@^TITLE]")});
  AddFile(kLevelFolderGlobals, "/c/folder.par",
          {Slot("[@TITLE]", "Site"), Slot("[@MENU]", "[@^M]")});
  AddFile(kLevelGlobals, "/c/global.par", {Slot("[@M]", "[@^TITLE]")});
  EXPECT_EQ(Expand("[@^TITLE]"), "Home - [@^^TITLE]");
  EXPECT_EQ(ExpandFully("[@^TITLE]"), "Home - Site");
  EXPECT_EQ(Expand("[@^MENU]"), "[@^^^M]");   // a level-2 value looks at level 3
  EXPECT_EQ(Expand("[@M]"), "[@^^^^TITLE]");  // below level 3 nothing is found
  EXPECT_EQ(Expand("[@P]"), "P:[@^TITLE]");   // Project Macro File values stay
  EXPECT_EQ(ExpandFully("[@P]"), "P:Home - Site");
}

TEST_F(ExpandLineTest, ParentTagsByFileStepThroughOneListOfFiles) {
  settings_.parent_reference_tag_is_by_file = 1;
  AddFile(kLevelContentFiles, "/c/a.par", {Slot("[@X]", "A<[@^X]>")});
  AddFile(kLevelContentFiles, "/c/b.par", {Slot("[@X]", "B")});
  AddFile(kLevelContentFiles, "/c/c.par", {Slot("[@X]", "C")});
  AddFile(kLevelFolderGlobals, "/c/f.par", {Slot("[@X]", "F[@^X]")});
  const struct {
    const char* line;
    const char* expected;
  } cases[] = {
      {"[@X]", "A<[@^^X]>"}, {"[@^X]", "A<[@^^X]>"},     {"[@^^X]", "B"},
      {"[@^^^X]", "C"},      {"[@^^^^X]", "F[@^^^^^X]"}, {"[@^^^^^X]", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(Expand(c.line), c.expected) << c.line;
  EXPECT_EQ(ExpandFully("[@X]"), "A<B>");
}

TEST_F(ExpandLineTest, StartLevelFollowsScopeOrFile) {
  macros_.content_files_loaded = 2;
  macros_.folder_global_files_loaded = 1;
  macros_.global_files_loaded = 2;
  const struct {
    Int16 by_file;
    bool project_loaded;
    Int16 count;
    Int16 level, file;
  } cases[] = {
      {0, true, -1, kLevelProject, 0},       {0, false, -1, kLevelContentFiles, 0},
      {0, true, 1, kLevelFolderGlobals, 0},  {0, true, 2, kLevelGlobals, 0},
      {0, true, 3, kLevelNone, 0},           {1, true, -1, kLevelProject, 0},
      {1, false, -1, kLevelContentFiles, 0}, {1, true, 1, kLevelContentFiles, 1},
      {1, true, 2, kLevelFolderGlobals, 0},  {1, true, 3, kLevelGlobals, 0},
      {1, true, 4, kLevelGlobals, 1},        {1, true, 5, kLevelNone, 0},
  };
  for (const auto& c : cases) {
    settings_.parent_reference_tag_is_by_file = c.by_file;
    macros_.project_loaded = c.project_loaded;
    const LookupPosition position = expander_.StartLevel(c.count);
    EXPECT_EQ(position.level, c.level) << "by file " << c.by_file << " count " << c.count;
    EXPECT_EQ(position.file, c.file) << "by file " << c.by_file << " count " << c.count;
  }
}

TEST_F(ExpandLineTest, LookupStopsAtTheFirstUnusedEntryAndSlot) {
  AddFile(kLevelContentFiles, "/c/a.par",
          {Slot("[@A]", "a"), Slot("", ""), Slot("[@HIDDEN]", "h")});
  AddFile(kLevelContentFiles, "", {});  // its file was missing
  AddFile(kLevelContentFiles, "/c/c.par", {Slot("[@C]", "c")});
  AddFile(kLevelGlobals, "/c/g.par",
          {Slot("[@A]", "first"), Slot("[@G]", "g"), Slot("[@G]", "second")});
  EXPECT_EQ(Expand("[@A]"), "a");
  EXPECT_EQ(Expand("[@C]"), "");
  EXPECT_EQ(Expand("[@HIDDEN]"), "");
  EXPECT_EQ(Expand("[@G]"), "g");  // within one file the first definition wins
  EXPECT_EQ(Expand("[@a]"), "");   // names are case-sensitive
}

TEST_F(ExpandLineTest, EmptyValueKeepsOrDropsTheLine) {
  const struct {
    Int16 delete_line;
    const char* exceptions;
    const char* line;
    const char* expected;
  } cases[] = {
      {1, "ROOT_DIR", "<p>[@X]</p>", ""},
      {1, "ROOT_DIR", "<a href='[@ROOT_DIR]x.html'>", "<a href='x.html'>"},
      {1, "A, ROOT_DIR ,B", "<a href='[@ROOT_DIR]x.html'>", "<a href='x.html'>"},
      {1, "A,B,", "x[@B]y", "xy"},
      {1, "A,", "x[@]y", ""},  // nothing after a final comma is no item
      {1, "ROOT", "x[@ROOT_DIR]y", ""},
      {1, "X", "   [@X]  ", ""},  // a blank rest is dropped either way
      {0, "", "ab[@X]cd", "abcd"},
      {0, "", "   [@X]  ", ""},
      {0, "", "\t[@X]", "\t"},  // only spaces count as blank
      {1, "", "a [@!X] b", "a  b"},
  };
  for (const auto& c : cases) {
    settings_.delete_line = c.delete_line;
    settings_.delete_line_exceptions = c.exceptions;
    EXPECT_EQ(Expand(c.line), c.expected) << c.line << " with '" << c.exceptions << "'";
    EXPECT_EQ(warning_, "");
  }
}

TEST_F(ExpandLineTest, ValueIsComposedIntoTheLine) {
  AddFile(kLevelContentFiles, "/c/a.par",
          {Slot("[@X]", "one\r\ntwo\r\nthree"), Slot("[@Q]", "It's"), Slot("[@S]", " ")});
  const struct {
    const char* line;
    const char* expected;
  } cases[] = {
      {"    [@X]", "    one\r\n    two\r\n    three"},
      {" \t<li>[@X]</li>", " \t<li>one\r\n \ttwo\r\n \tthree</li>"},
      {"[@\\Q]", "It\\'s"},
      {"[@Q]", "It's"},
      {"[@&Q]!", "It's!"},
      {"<p>[@!Q]</p>", ""},
      {"a[@!\\Q]b", "ab"},  // no escape after non-blank delete: [@\Q] is undefined
      {"[@S]", " "},        // a blank value is a value
  };
  for (const auto& c : cases) EXPECT_EQ(Expand(c.line), c.expected) << c.line;
}

TEST_F(ExpandLineTest, ReservedMacrosApplyWhenNothingIsDefined) {
  const char* old_tz = std::getenv("TZ");
  const std::string saved = old_tz ? old_tz : "";
  setenv("TZ", "UTC", 1);
  tzset();
  settings_.name = "My Site";
  EXPECT_EQ(Expand("[@DATE(@format:yyyy-mm-dd)]"), "2024-03-05");
  EXPECT_EQ(Expand("on [@DATE]."), "on 2024-03-05 14:07:09.");
  EXPECT_EQ(Expand("[@TARVELO_PROJECT_NAME]"), "My Site");
  EXPECT_EQ(Expand("[@TARVELO_FOLDER_NAME]"), "news");
  EXPECT_EQ(Expand("[@TARVELO_DOCUMENT_NAME]"), "/site/news/index.html");
  settings_.reserved_date_macro = "NOW";
  EXPECT_EQ(Expand("[@NOW]"), "2024-03-05 14:07:09");
  EXPECT_EQ(Expand("[@DATE]"), "");
  AddFile(kLevelContentFiles, "/c/a.par", {Slot("[@NOW]", "defined")});
  EXPECT_EQ(Expand("[@NOW]"), "defined");
  if (old_tz) {
    setenv("TZ", saved.c_str(), 1);
  } else {
    unsetenv("TZ");
  }
  tzset();
}

TEST_F(ExpandLineTest, WildcardGivesOneLinePerMatch) {
  AddFile(kLevelProject, "/c/project.par", {Slot("[@MENU_P]", "p")});
  AddFile(kLevelContentFiles, "/c/a.par",
          {Slot("[@MENU_A]", "a*"), Slot("[@OTHER]", "o"), Slot("[@MENU_B]", "b"),
           Slot("[@MENU_C]", "c")});
  AddFile(kLevelGlobals, "/c/g.par", {Slot("[@MENU_A]", "global a")});
  EXPECT_EQ(Expand("*<li>[@MENU*]</li><!--*-->"),
            "*<li>p</li><!--_P-->\r\n*<li>a*</li><!--_A-->\r\n*<li>b</li><!--_B-->\r\n"
            "*<li>c</li><!--_C-->\r\n*<li>global a</li><!--_A-->");
  definition_.folders[0].star = 1;
  expander_.SetDocument(0, 0);
  EXPECT_EQ(Expand("[@MENU*]"), "a*\r\nb\r\nc\r\nglobal a");
  EXPECT_EQ(Expand("x [@NONE*] y"), "");
}

TEST_F(ExpandLineTest, MalformedReferencesRaise10001) {
  const char* lines[] = {"ab [@X cd", "[@LINK(@a:1]", "[@"};
  for (const char* line : lines) {
    const TarveloError error = testing::RaisedBy([&] { Expand(line); });
    EXPECT_EQ(error.number, 10001) << line;
    EXPECT_EQ(error.description, std::string("Invalid tag in string: ") + line);
  }
}

TEST_F(ExpandLineTest, ASelfReferenceExpandsOnceAndOutputMayAliasTheLine) {
  AddFile(kLevelContentFiles, "/c/a.par", {Slot("[@X]", "<[@X]>")});
  std::string line = "a[@X]b";
  expander_.ExpandLine(line, line, state_, warning_);
  EXPECT_EQ(line, "a<[@X]>b");
}

}  // namespace
}  // namespace tarvelo
