// Content File loading: definitions, values and their blank lines, warnings, limits,
// parameter declarations, and input that is malformed or large.
#include "engine/content_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/error.h"
#include "common/log_sink.h"
#include "project/file_store.h"
#include "project/project_settings.h"
#include "support/raised_by.h"
#include "support/test_support.h"

namespace tarvelo {
namespace {

using namespace testing;

class RecordingLog : public LogSink {
 public:
  void WriteLog(const std::string& line) override { lines.push_back(line); }
  std::vector<std::string> lines;
};

class ContentFileTest : public ::testing::Test {
 protected:
  ContentFileTest() : path_(dir_ / "page.par") { DimensionMacroTable(macros_, settings_); }

  // Writes `text` to a file and loads it as a Document's Content File.
  Int16 Load(const std::string& text, bool log_warnings = true) {
    WriteFile(path_, text);
    return LoadContentFile(files_, settings_, macros_, log_, kLevelContentFiles, entry_, path_,
                           log_warnings, false);
  }

  // Loads and expects the load to raise `number`; returns the description.
  std::string LoadError(const std::string& text, int number) {
    const TarveloError error = RaisedBy([&] { Load(text); });
    EXPECT_EQ(error.number, number);
    return error.description;
  }

  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const MacroSlot& slot : entry_.slots) names.push_back(slot.name);
    return names;
  }

  std::string Warning(const std::string& text) const { return "          WARNING: " + text; }

  TempDir dir_;
  FileStore files_;
  ProjectSettings settings_;
  MacroTable macros_;
  RecordingLog log_;
  ContentFileEntry entry_;
  std::string path_;
};

TEST_F(ContentFileTest, ReadsDefinitionsValuesAndHeadLines) {
  EXPECT_EQ(Load("Comment line\r\n"
                 "[@TITLE]: ignored after the colon\r\n"
                 "Welcome\r\n"
                 "[@] also ignored\r\n"
                 "\r\n"
                 "[@BODY]:\r\n"
                 "  first   \r\n"
                 "[@NOT A HEAD]:\r\n"
                 "second\r\n"
                 "[@]\r\n"
                 "[@EMPTY]:\r\n"
                 "[@]\r\n"),
            kLoaded);
  EXPECT_TRUE(log_.lines.empty());
  EXPECT_EQ(entry_.path, path_);
  ASSERT_EQ(Names(), (std::vector<std::string>{"[@TITLE]", "[@BODY]", "[@EMPTY]"}));
  EXPECT_EQ(entry_.slots[0].value, "Welcome");
  EXPECT_EQ(entry_.slots[1].value, "  first\r\n[@NOT A HEAD]:\r\nsecond");
  EXPECT_EQ(entry_.slots[2].value, "");
  EXPECT_EQ(entry_.slots[0].line, 2);
  EXPECT_EQ(entry_.slots[1].line, 6);
  EXPECT_EQ(entry_.slots[2].line, 11);
}

TEST_F(ContentFileTest, EmptyLinesInsideAValueCollapseToOne) {
  struct Case {
    const char* text;
    const char* value;
  } cases[] = {{"[@A]:\nx\n\n\ny\n[@]\n", "x\r\n\r\ny"},
               {"[@A]:\nx\n\ny\n[@]\n", "x\r\n\r\ny"},
               {"[@A]:\n\n\nx\n   \ny\n\n\n[@]\n", "x\r\n\r\ny"},
               {"[@A]:\n  \n[@]\n", ""}};
  for (const Case& c : cases) {
    EXPECT_EQ(Load(c.text), kLoaded) << c.text;
    ASSERT_EQ(entry_.slots.size(), 1u) << c.text;
    EXPECT_EQ(entry_.slots[0].value, c.value) << c.text;
  }
}

TEST_F(ContentFileTest, ContinuationJoinsPhysicalLines) {
  EXPECT_EQ(Load("[@A]:\r\nab\\\\\r\ncd\r\n[@]\r\n[@B]:\r\n[@]\r\n"), kLoaded);
  EXPECT_EQ(entry_.slots[0].value, "abcd");
  EXPECT_EQ(entry_.slots[1].line, 5);

  // A head split over lines ends on its last physical line; blanks before the
  // continuation stay, blanks at the end of the joined line go.
  EXPECT_EQ(Load("x\n[@LO\\\\\nNG]:\n a \\\\\nb  \n[@]\n"), kLoaded);
  EXPECT_EQ(Names(), std::vector<std::string>{"[@LONG]"});
  EXPECT_EQ(entry_.slots[0].line, 3);
  EXPECT_EQ(entry_.slots[0].value, " a b");

  // Blank switches joining off: a continuation of spaces must not glue every line
  // that happens to end in one to the next.
  for (const char* off : {"", "  "}) {
    settings_.line_continuation = off;
    EXPECT_EQ(Load("[@A]:\nab\\\\\ncd  \nef\n[@]\n"), kLoaded);
    EXPECT_EQ(entry_.slots[0].value, "ab\\\\\r\ncd\r\nef") << "'" << off << "'";
  }
}

TEST_F(ContentFileTest, ContinuationOnTheLastLineKeepsWhatWasRead) {
  EXPECT_EQ(Load("[@A]:\nvalue\n[@]\\\\"), kLoaded);
  EXPECT_EQ(entry_.slots[0].value, "value");
  EXPECT_EQ(Load("[@A]:\nab\\\\\n"), kLoadedWithWarnings);
  EXPECT_EQ(entry_.slots[0].value, "ab");
}

TEST_F(ContentFileTest, WarningsAndTheirResults) {
  EXPECT_EQ(Load("only\r\ncomments\r\n"), kLoadedWithWarnings);
  EXPECT_EQ(log_.lines,
            std::vector<std::string>{Warning("No Macro definitions found in file: " + path_)});

  log_.lines.clear();
  EXPECT_EQ(Load("[@A]:\r\nkept\r\n"), kLoadedWithWarnings);
  EXPECT_EQ(entry_.slots[0].value, "kept");
  EXPECT_EQ(log_.lines, std::vector<std::string>{Warning(
                            "Possible error in Macro definition. Could not find end of Macro: "
                            "[@A] in file: " +
                            path_)});

  log_.lines.clear();
  EXPECT_EQ(Load("[@BROKEN] no colon  \r\n"), kLoadedWithWarnings);
  EXPECT_EQ(log_.lines,
            (std::vector<std::string>{
                Warning("Possible error in Macro definition. Could not find Macro End Tag on "
                        "line: [@BROKEN] no colon in file: " +
                        path_),
                Warning("No Macro definitions found in file: " + path_)}));

  // Without logging the result still says there were warnings.
  log_.lines.clear();
  EXPECT_EQ(Load("comment\r\n", false), kLoadedWithWarnings);
  EXPECT_TRUE(log_.lines.empty());
}

TEST_F(ContentFileTest, UnclosedDefinitionSwallowsTheNext) {
  EXPECT_EQ(Load("[@A]:\na\n[@B]:\nb\n[@]\n"), kLoaded);
  EXPECT_TRUE(log_.lines.empty());
  EXPECT_EQ(Names(), std::vector<std::string>{"[@A]"});
  EXPECT_EQ(entry_.slots[0].value, "a\r\n[@B]:\r\nb");
}

TEST_F(ContentFileTest, DuplicateWarnsAndFirstDefinitionComesFirst) {
  EXPECT_EQ(Load("[@A]:\nfirst\n[@]\n[@B]:\n[@]\n[@A(@x:1)]:\nsecond\n[@]\n"), kLoadedWithWarnings);
  EXPECT_EQ(log_.lines, std::vector<std::string>{Warning(
                            "Duplicate definition for Macro: [@A(@x:1)] in file: " + path_)});
  EXPECT_EQ(Names(), (std::vector<std::string>{"[@A]", "[@B]", "[@A]"}));
  EXPECT_EQ(entry_.slots[0].value, "first");
}

TEST_F(ContentFileTest, DuplicatesFoundAmongManyDefinitions) {
  settings_.max_content_file_macros = 1000;
  DimensionMacroTable(macros_, settings_);
  std::string text;
  for (int i = 0; i < 500; ++i) text += "[@M" + std::to_string(i) + "]:\nv\n[@]\n";
  text += "[@M3]:\n[@]\n[@M499]:\n[@]\n[@M500]:\n[@]\n";
  EXPECT_EQ(Load(text), kLoadedWithWarnings);
  EXPECT_EQ(log_.lines, (std::vector<std::string>{
                            Warning("Duplicate definition for Macro: [@M3] in file: " + path_),
                            Warning("Duplicate definition for Macro: [@M499] in file: " + path_)}));
}

TEST_F(ContentFileTest, DefinitionPastTheLimitRaisesAndKeepsTheFirst) {
  std::string text;
  for (int i = 1; i <= 51; ++i) text += "[@M" + std::to_string(i) + "]:\nv\n[@]\n";
  EXPECT_EQ(LoadError(text, kErrTooManyMacros), "Maximum number of Macros exceeded in: " + path_);
  ASSERT_EQ(entry_.slots.size(), 50u);
  EXPECT_EQ(entry_.slots[49].name, "[@M50]");
  EXPECT_EQ(entry_.path, path_);
}

TEST_F(ContentFileTest, EachLevelHasItsOwnLimit) {
  settings_.max_project_macros = 1;
  settings_.max_global_macros = 2;
  settings_.max_folder_global_macros = 3;
  settings_.max_content_file_macros = 2;
  DimensionMacroTable(macros_, settings_);
  WriteFile(path_, "[@A]:\n[@]\n[@B]:\n[@]\n[@C]:\n[@]\n");
  const auto load = [&](Int16 level) {
    ContentFileEntry entry;
    try {
      LoadContentFile(files_, settings_, macros_, log_, level, entry, path_, true, false);
    } catch (const TarveloError& error) {
      return error.number;
    }
    return 0;
  };
  EXPECT_EQ(load(kLevelProject), kErrTooManyMacros);
  EXPECT_EQ(load(kLevelGlobals), kErrTooManyMacros);
  EXPECT_EQ(load(kLevelFolderGlobals), 0);
  EXPECT_EQ(load(kLevelContentFiles), kErrTooManyMacros);
  EXPECT_EQ(load(kLevelView1), kErrTooManyMacros);
  EXPECT_EQ(load(kLevelView2), kErrTooManyMacros);
  EXPECT_EQ(load(kLevelNone), kInvalidProcedureCall);
}

TEST_F(ContentFileTest, HeadsDeclareTheirParameters) {
  EXPECT_EQ(Load("[@L(@a:1)(@b)(@c:x:y)]:\n(@a)(@b)(@c)\n[@]\n"
                 "[@PLAIN]:\n[@]\n"
                 "[@T(@a: spaced )]:\n[@]\n"),
            kLoaded);
  EXPECT_EQ(Names(), (std::vector<std::string>{"[@L]", "[@PLAIN]", "[@T]"}));
  const std::vector<MacroParameter>& l = entry_.slots[0].parameters;
  ASSERT_EQ(l.size(), 3u);
  EXPECT_EQ(l[0].reference, "(@a)");
  EXPECT_EQ(l[0].value, "1");
  EXPECT_EQ(l[1].reference, "(@b)");
  EXPECT_EQ(l[1].value, "");
  EXPECT_EQ(l[2].reference, "(@c)");
  EXPECT_EQ(l[2].value, "x:y");
  // A plain head after a parameterised one declares nothing.
  EXPECT_TRUE(entry_.slots[1].parameters.empty());
  EXPECT_EQ(entry_.slots[2].parameters[0].value, " spaced ");

  settings_.trim_parameter_values = 1;
  Load("[@T(@a: spaced )]:\n[@]\n");
  EXPECT_EQ(entry_.slots[0].parameters[0].value, "spaced");
}

TEST_F(ContentFileTest, TooManyParametersWarnOnlyWhenLogging) {
  settings_.max_parameters = 2;
  const std::string text = "[@L(@a:1)(@b:2)(@c:3)]:\nv\n[@]\n";
  EXPECT_EQ(Load(text, false), kLoaded);
  EXPECT_TRUE(log_.lines.empty());
  ASSERT_EQ(entry_.slots[0].parameters.size(), 2u);
  EXPECT_EQ(entry_.slots[0].parameters[1].reference, "(@b)");

  EXPECT_EQ(Load(text, true), kLoadedWithWarnings);
  EXPECT_EQ(log_.lines,
            std::vector<std::string>{Warning("The maximum number of parameters have been "
                                             "exceeded in the Macro [@L(@a:1)(@b:2)(@c:3)].")});
}

TEST_F(ContentFileTest, MalformedParameterListRaises) {
  EXPECT_EQ(LoadError("[@A]:\n[@]\n[@L(@a:1]:\n[@]\n", kErrMacroSyntax),
            "Error processing macro tag and parameters: [@L(@a:1]");
  EXPECT_EQ(Names(), std::vector<std::string>{"[@A]"});
}

TEST_F(ContentFileTest, MissingAndEmptyPaths) {
  entry_.path = "untouched";
  EXPECT_EQ(LoadContentFile(files_, settings_, macros_, log_, kLevelContentFiles, entry_, "", true,
                            false),
            kLoaded);
  EXPECT_EQ(entry_.path, "untouched");

  const std::string missing = dir_ / "missing.par";
  EXPECT_EQ(
      LoadContentFile(files_, settings_, macros_, log_, kLevelGlobals, entry_, missing, true, true),
      kMissingIgnored);
  EXPECT_EQ(entry_.path, "untouched");
  const TarveloError error = RaisedBy([&] {
    LoadContentFile(files_, settings_, macros_, log_, kLevelGlobals, entry_, missing, true, false);
  });
  EXPECT_EQ(error.number, kErrMissingFile);
  EXPECT_EQ(error.description,
            "Could not open file at " + missing + ". Project generation halted.");
}

TEST_F(ContentFileTest, ReloadingAnEntryDropsTheOldSlots) {
  Load("[@A]:\n[@]\n[@B]:\n[@]\n");
  Load("[@C]:\n[@]\n");
  EXPECT_EQ(Names(), std::vector<std::string>{"[@C]"});
}

TEST_F(ContentFileTest, OtherTagSets) {
  settings_.macro_start_tag = "{{";
  settings_.macro_end_tag = "}}";
  settings_.empty_macro_marker = "{{}}";
  settings_.parameter_start_tag = "<<";
  settings_.parameter_end_tag = ">>";
  EXPECT_EQ(Load("{{A<<p:1>>}}:\nx\n[@]\n{{}}\n"), kLoaded);
  EXPECT_EQ(Names(), std::vector<std::string>{"{{A}}"});
  EXPECT_EQ(entry_.slots[0].value, "x\r\n[@]");
  EXPECT_EQ(entry_.slots[0].parameters[0].reference, "<<p>>");

  // Blank parameter tags switch parameters off: the groups stay in the name. A tag
  // of spaces is blank too, so a name holding a space is no parameter list.
  for (const char* off : {"", " "}) {
    settings_.parameter_start_tag = off;
    EXPECT_EQ(Load("{{A<<p:1>>}}:\n{{}}\n{{MY PAGE}}:\n{{}}\n"), kLoaded) << "'" << off << "'";
    EXPECT_EQ(Names(), (std::vector<std::string>{"{{A<<p:1>>}}", "{{MY PAGE}}"}));
    EXPECT_TRUE(entry_.slots[0].parameters.empty());
  }
}

TEST_F(ContentFileTest, BinaryJunkAndLongLines) {
  std::string junk = "\x01\xff\x7f\r\r\n";
  junk += std::string("[@\0\xfe]:\n", 7);
  junk += std::string("\0\0value\xff\n", 9);
  junk += "[@]\n\xff\xfe";
  EXPECT_EQ(Load(junk), kLoaded);
  ASSERT_EQ(Names(), std::vector<std::string>{std::string("[@\0\xfe]", 5)});
  EXPECT_EQ(entry_.slots[0].value, std::string("\0\0value\xff", 8));

  const std::string big(1 << 20, 'x');
  EXPECT_EQ(Load("[@BIG]:\n" + big + "\n[@]\n[@" + big + "\n"), kLoadedWithWarnings);
  // Compared as booleans: a failure must not print megabytes.
  EXPECT_TRUE(entry_.slots[0].value == big);
  ASSERT_EQ(log_.lines.size(), 1u);
  EXPECT_TRUE(log_.lines[0] == Warning("Possible error in Macro definition. Could not find Macro "
                                       "End Tag on line: [@" +
                                       big + " in file: " + path_));
}

TEST_F(ContentFileTest, LargeFilesFollowTheSixteenBitLimits) {
  settings_.max_content_file_macros = 32767;
  settings_.max_globals = 32767;
  settings_.max_parameters = 32767;
  DimensionMacroTable(macros_, settings_);
  // The limits cost nothing until files load.
  EXPECT_EQ(macros_.content_files.capacity(), 0u);
  EXPECT_EQ(macros_.globals.capacity(), 0u);
  EXPECT_EQ(macros_.parameter_work.pairs.capacity(), 0u);

  std::string text(40000, '\n');  // line numbers outgrow 16 bits
  for (int i = 0; i < 40000; ++i) text += "[@M" + std::to_string(i) + "]:\n[@]\n";
  EXPECT_EQ(LoadError(text, kErrTooManyMacros), "Maximum number of Macros exceeded in: " + path_);
  ASSERT_EQ(entry_.slots.size(), 32767u);
  EXPECT_EQ(entry_.slots[0].line, 40001);
  EXPECT_EQ(entry_.slots.back().name, "[@M32766]");
  EXPECT_EQ(entry_.slots.back().line, 40001 + 2 * 32766);
}

TEST(ParseParametersTest, SplitsGroupsAndRewritesTheName) {
  ProjectSettings settings;
  ParameterWork work;
  struct Case {
    std::string text;
    std::string name;
    std::vector<std::pair<std::string, std::string>> pairs;
  } cases[] = {{"  [@LINK(@url:x)]  ", "[@LINK]", {{"(@url)", "x"}}},
               {"[@^L(@a:f(x))(@b:])]", "[@^L]", {{"(@a)", "f(x)"}, {"(@b)", "]"}}},
               {"[@L(@a:1) (@b)]", "[@L]", {{"(@a)", "1"}, {"(@b)", ""}}},
               {"[@L(@:v)(@)]", "[@L]", {{"(@)", "v"}, {"(@)", ""}}},
               {"[@L(@a:1)]:tail]", "[@L]:tail]", {{"(@a)", "1"}}}};
  for (Case& c : cases) {
    std::string text = c.text;
    EXPECT_EQ(ParseParameters(settings, work, text), "") << c.text;
    EXPECT_EQ(text, c.name) << c.text;
    std::vector<std::pair<std::string, std::string>> pairs;
    for (const MacroParameter& p : work.pairs) pairs.emplace_back(p.reference, p.value);
    EXPECT_EQ(pairs, c.pairs) << c.text;
    EXPECT_FALSE(work.clean);
  }
}

TEST(ParseParametersTest, MalformedListsRaise) {
  ProjectSettings settings;
  ParameterWork work;
  const std::pair<std::string, std::string> cases[] = {
      {"[@L(@a:1]", "[@L(@a:1]"}, {"[@L)](@a:1)", "[@L)](@a:1)"}, {" [@L] ", "[@L]"}};
  for (const auto& [bad, trimmed] : cases) {
    std::string text = bad;
    const TarveloError error = RaisedBy([&] { ParseParameters(settings, work, text); });
    EXPECT_EQ(error.number, kErrMacroSyntax) << bad;
    EXPECT_EQ(error.description, "Error processing macro tag and parameters: " + trimmed);
  }
}

TEST(ParameterWorkTest, ResetEmptiesOnlyAfterUse) {
  ParameterWork work{{{"(@a)", "kept while clean"}}, true};
  ResetParameterWork(work);
  EXPECT_EQ(work.pairs.size(), 1u);
  work.clean = false;
  ResetParameterWork(work);
  EXPECT_TRUE(work.pairs.empty() && work.clean);
}

TEST(MacroTableTest, ClearEmptiesOnlyTheFlaggedLevels) {
  MacroTable macros;
  const ContentFileEntry full{"/a.par", {MacroSlot{"[@A]", "v", {}, 3}}};
  macros.project = macros.view1 = macros.view2 = full;
  macros.content_files = macros.folder_globals = macros.globals = {full, full};
  macros.content_files_loaded = macros.folder_global_files_loaded = macros.global_files_loaded = 2;
  macros.project_loaded = true;

  ClearMacroTables(macros, true, false, true, true, false, true);
  EXPECT_TRUE(macros.globals.empty());
  EXPECT_EQ(macros.global_files_loaded, 0);
  EXPECT_EQ(macros.folder_globals.size(), 2u);
  EXPECT_EQ(macros.folder_global_files_loaded, 2);
  EXPECT_TRUE(macros.content_files.empty());
  EXPECT_EQ(macros.content_files_loaded, 0);
  EXPECT_TRUE(macros.project.path.empty());
  EXPECT_TRUE(macros.project.slots.empty());
  EXPECT_FALSE(macros.project_loaded);
  EXPECT_EQ(macros.view1.path, "/a.par");
  EXPECT_TRUE(macros.view2.slots.empty());
}

}  // namespace
}  // namespace tarvelo
