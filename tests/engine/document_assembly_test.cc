// Document assembly: the pass loop, continuation lines, the pass limit, the
// optimisation levels, modified-only output, and that the output is only ever
// replaced whole.
#include "engine/document_assembly.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "common/error.h"
#include "common/text.h"
#include "engine/expand_line.h"
#include "project/workspace.h"
#include "support/raised_by.h"
#include "support/test_support.h"

namespace tarvelo {
namespace {

using namespace testing;

constexpr const char* kNestingError =
    "Maximum number of nested Macros was exceeded. Please update the Project Properties.";

class DocumentAssemblyTest : public ::testing::Test {
 protected:
  DocumentAssemblyTest()
      : workspace_(host_, dir_.path()),
        expander_(workspace_.settings, macros_, workspace_.definition, FixedClock(0)) {
    std::filesystem::create_directories(dir_ / "temp");
    std::filesystem::create_directories(dir_ / "site");
    workspace_.working.temp_folder = dir_ / "temp/";
    workspace_.working.log_file = dir_ / "temp/tarvelo.txt";
    workspace_.working.pass_stem = dir_ / "temp/tarvelo";
    workspace_.options.enable_logging = 1;
    workspace_.log.Write("start", true);
    DocumentEntry document;
    document.document = output_;
    document.tmpl = template_;
    FolderEntry folder;
    folder.name = "Site";
    folder.documents.push_back(document);
    workspace_.definition.folders.push_back(folder);
  }

  DocumentEntry& document() { return workspace_.definition.folders[0].documents[0]; }

  // Defines a Macro as the Document's first Content File would.
  void Define(const std::string& name, const std::string& value) {
    MacroTable& macros = macros_;
    if (macros.content_files.empty()) {
      macros.content_files.push_back(ContentFileEntry{dir_ / "page.par", {}});
      macros.content_files_loaded = 1;
    }
    MacroSlot slot;
    slot.name = "[@" + name + "]";
    slot.value = value;
    macros.content_files[0].slots.push_back(slot);
  }

  Int16 Assemble(const std::string& template_text) {
    WriteFile(template_, template_text);
    return AssembleDocument(workspace_, expander_, 0, 0);
  }

  std::string Output() const { return ReadFile(output_); }
  std::string PassFile(int pass) const { return dir_ / ("temp/tarvelo." + std::to_string(pass)); }

  // The log lines written after the fixture's first line.
  std::vector<std::string> LogDetails() const {
    return LogLinesAfterTheFirst(workspace_.working.log_file);
  }

  static std::string Detail(const std::string& text) { return std::string(kLogPad) + text; }

  TempDir dir_;
  testing::ScriptedHost host_;
  Workspace workspace_;
  MacroTable macros_;
  MacroExpander expander_;
  const std::string output_ = dir_ / "site/index.html";
  const std::string template_ = dir_ / "index.tpl";
};

TEST_F(DocumentAssemblyTest, TemplateWithoutReferencesRunsTwoPassesAndJoinsContinuations) {
  const Int16 result = Assemble(
      "<p>one \\\\\ntwo</p>\r\n\r\n  indented \t\n<!--TARVELO:OPTIMIZE:OFF-->\r\nlast \\\\");
  EXPECT_EQ(kGenerated, result);
  // Without optimisation the markers are ordinary text; every line ends with CR LF.
  EXPECT_EQ("<p>one two</p>\r\n\r\n  indented \t\r\n<!--TARVELO:OPTIMIZE:OFF-->\r\nlast \r\n",
            Output());
  EXPECT_EQ(Output(), ReadFile(PassFile(0)));
  EXPECT_EQ(Output(), ReadFile(PassFile(1)));
  EXPECT_FALSE(testing::Exists(PassFile(2)));
  EXPECT_EQ(std::vector<std::string>{Detail(">Generated")}, LogDetails());
}

TEST_F(DocumentAssemblyTest, BlankContinuationJoinsNothing) {
  // Lines that merely end in blanks stay lines of their own.
  workspace_.settings.line_continuation = "  ";
  EXPECT_EQ(kGenerated, Assemble("<p>  \r\ntext  \r\n</p>\r\n"));
  EXPECT_EQ("<p>  \r\ntext  \r\n</p>\r\n", Output());
}

TEST_F(DocumentAssemblyTest, EachReferenceNeedsItsOwnPassWithinTheLimit) {
  Define("A", "1");
  Define("B", "2");
  Define("C", "3");
  Define("N", "<[@A]>");
  struct Case {
    const char* text;
    Int16 max_nested_macros;
    const char* output;  // nullptr: the pass limit is exceeded
    int passes;
  };
  const Case cases[] = {
      {"[@A][@B][@C]\r\n", 3, "123\r\n", 4}, {"[@A][@B][@C]\r\n", 2, nullptr, 3},
      {"x[@N]y\r\n", 2, "x<1>y\r\n", 3},  // the inserted value's reference counts too
      {"x[@N]y\r\n", 1, nullptr, 2},         {"plain\r\n", 1, "plain\r\n", 2},
      {"plain\r\n", 0, nullptr, 1},  // a Document always needs two passes
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.text) + " with limit " + std::to_string(c.max_nested_macros));
    std::filesystem::remove_all(dir_ / "temp");
    std::filesystem::create_directories(dir_ / "temp");
    std::filesystem::remove(output_);
    workspace_.settings.max_nested_macros = c.max_nested_macros;
    if (c.output != nullptr) {
      EXPECT_EQ(kGenerated, Assemble(c.text));
      EXPECT_EQ(c.output, Output());
    } else {
      const TarveloError error = RaisedBy([&] { Assemble(c.text); });
      EXPECT_EQ(kErrGenerationHalted, error.number);
      EXPECT_EQ(kNestingError, error.description);
      EXPECT_FALSE(testing::Exists(output_));
    }
    EXPECT_TRUE(testing::Exists(PassFile(c.passes - 1)));
    EXPECT_FALSE(testing::Exists(PassFile(c.passes)));
  }
}

TEST_F(DocumentAssemblyTest, OptimisationLevelsStripWhiteSpaceOutsideMarkedRegions) {
  const std::string text =
      "<html>\r\n  <p>\r\n\tHello\r\n   \r\n  world</p>\r\n"
      "  <!--TARVELO:OPTIMIZE:OFF--> dropped\r\n  <pre>\r\n\r\n  keep  </pre>\r\n"
      "<!--TARVELO:OPTIMIZE:ON-->\r\n  <b>[@A]</b>\r\ntail";
  Define("A", "x");
  struct Case {
    Int16 level;
    const char* output;
  };
  const Case cases[] = {
      {1,
       "<html>\r\n<p>\r\nHello\r\nworld</p>\r\n  <pre>\r\n  keep  </pre>\r\n<b>x</b>\r\ntail\r\n"},
      {2, "<html><p>Hello world</p>\r\n  <pre>\r\n  keep  </pre>\r\n<b>x</b>tail "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("level " + std::to_string(c.level));
    workspace_.log.Write("start", true);
    workspace_.settings.optimization_status = 1;
    workspace_.settings.optimization_level = c.level;
    EXPECT_EQ(kGenerated, Assemble(text));
    EXPECT_EQ(c.output, Output());
    // The optimisation pass after the clean pass 1 writes the output itself.
    EXPECT_TRUE(testing::Exists(PassFile(1)));
    EXPECT_FALSE(testing::Exists(PassFile(2)));
    const std::vector<std::string> expected = {
        Detail(">Generated"), Detail(">Optimization Level:" + std::to_string(c.level))};
    EXPECT_EQ(expected, LogDetails());
  }
}

TEST_F(DocumentAssemblyTest, OptimisationLevelFollowsStatusExcludeListAndFlags) {
  struct Case {
    Int16 status;
    const char* exclude_list;
    const char* name;
    Int16 flag;
    Int16 level;
  };
  const Case cases[] = {
      {0, "", "/s/index.html", 2, 0},
      {1, "", "/s/index.html", -1, 2},  // optimization-level is 2 below
      {1, " .css, .js ", "/s/style.css", -1, 0},
      {1, " .css, .js ", "/s/site.js", -1, 0},
      {1, " .css, .js ", "/s/CSS.CSS", -1, 2},  // the list is case-sensitive
      {1, " .css, .js ", "/s/site.json", -1, 2},
      {1, " .css, .js ", "/s/style.css", 1, 0},  // an excluded Document stays excluded
      {1, "", "/s/index.html", 0, 0},            // " -ox"
      {1, "", "/s/index.html", 1, 1},            // " -o1"
      {2, "", "/s/index.html", -1, 0},
      {2, "", "/s/index.html", 2, 2},       // " -o2"
      {2, ".html", "/s/index.html", 2, 2},  // the list applies under status 1 only
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.name) + " status " + std::to_string(c.status) + " flag " +
                 std::to_string(c.flag));
    ProjectSettings settings;
    settings.optimization_status = c.status;
    settings.optimization_level = 2;
    settings.optimize_exclude_list = c.exclude_list;
    DocumentEntry entry;
    entry.document = c.name;
    entry.optimisation = c.flag;
    EXPECT_EQ(c.level, DocumentOptimisationLevel(settings, entry));
  }
}

TEST(DocumentExtensionTest, LooksAtTheFileNameOnly) {
  const std::pair<const char*, const char*> cases[] = {
      {"index.html", "html"},
      {"  /site/archive.tar.gz  ", "tar.gz"},
      {"/home/me/.config/tarvelo/site/README", ""},  // the dotted folder does not count
      {"/home/me/.config/tarvelo/site/page.css", "css"},
      {"C:\\web.site\\page", ""},
      {"/site/.htaccess", "htaccess"},
      {"x", ""},
      {"/site/.", ""},
  };
  for (const auto& [name, extension] : cases) EXPECT_EQ(extension, DocumentExtension(name)) << name;
}

TEST_F(DocumentAssemblyTest, ModifiedOnlyLeavesAnEqualOutputUntouched) {
  workspace_.options.modified_only = 1;
  Define("A", "x");
  for (const Int16 level : {0, 2}) {
    SCOPED_TRACE("level " + std::to_string(level));
    workspace_.settings.optimization_status = level == 0 ? 0 : 1;
    workspace_.settings.optimization_level = level;
    std::filesystem::remove(output_);

    workspace_.log.Write("start", true);
    EXPECT_EQ(kGenerated, Assemble("  <p>[@A]</p>\r\n"));
    const std::string first = Output();
    EXPECT_EQ(level == 0 ? "  <p>x</p>\r\n" : "<p>x</p>", first);
    EXPECT_EQ(Detail(">Unable to compare files"), LogDetails().front());

    testing::SetModified(output_, 1000000);
    workspace_.log.Write("start", true);
    EXPECT_EQ(kUpToDate, Assemble("  <p>[@A]</p>\r\n"));
    EXPECT_EQ(1000000, testing::Modified(output_));
    EXPECT_EQ(std::vector<std::string>{Detail(">Document up-to-date")}, LogDetails());

    EXPECT_EQ(kGenerated, Assemble("  <p>[@A]!</p>\r\n"));
    EXPECT_EQ(level == 0 ? "  <p>x!</p>\r\n" : "<p>x!</p>", Output());
  }
}

TEST_F(DocumentAssemblyTest, WarningsWithAnEqualOutputStillGiveUpToDate) {
  workspace_.options.modified_only = 1;
  WriteFile(output_, "a\r\n");
  EXPECT_EQ(kUpToDate, Assemble("a\r\n[@$T]\r\n"));
  const std::vector<std::string> expected = {
      Detail("WARNING: The required Macro [@T] does not have a value."),
      Detail(">Document up-to-date")};
  EXPECT_EQ(expected, LogDetails());
}

TEST_F(DocumentAssemblyTest, TemplateThatCannotBeOpenedNamesItsPath) {
  document().tmpl = dir_ / "missing.tpl";
  const TarveloError error = RaisedBy([&] { AssembleDocument(workspace_, expander_, 0, 0); });
  EXPECT_EQ(kFileNotFound, error.number);
  EXPECT_EQ("File not found (" + document().tmpl + ")", error.description);
}

TEST_F(DocumentAssemblyTest, OutputIsReplacedWholeNeverRewrittenInPlace) {
  // A hard link still sees the old file after a replace, but would see the new text
  // if the output were written in place.
  const std::string link = dir_ / "site/link.html";
  for (const Int16 level : {0, 1, 2}) {
    SCOPED_TRACE("level " + std::to_string(level));
    std::filesystem::remove(link);
    WriteFile(output_, "old\r\n");
    ASSERT_EQ(0, ::link(output_.c_str(), link.c_str()));
    workspace_.settings.optimization_status = 1;
    workspace_.settings.optimization_level = level;
    EXPECT_EQ(kGenerated, Assemble("new\r\n"));
    EXPECT_EQ(level == 2 ? "new " : "new\r\n", Output());
    EXPECT_EQ("old\r\n", ReadFile(link));
  }
}

TEST_F(DocumentAssemblyTest, FailingDocumentKeepsTheOldOutput) {
  workspace_.settings.optimization_status = 1;
  workspace_.settings.optimization_level = 2;
  WriteFile(output_, "old\r\n");
  const TarveloError error = RaisedBy([&] { Assemble("<p>\r\n<p>[@A</p>\r\n"); });
  EXPECT_EQ(kErrMacroSyntax, error.number);
  EXPECT_EQ("old\r\n", Output());
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(dir_ / "site")) {
    names.push_back(entry.path().filename().string());
  }
  EXPECT_EQ(std::vector<std::string>{"index.html"}, names);
}

TEST_F(DocumentAssemblyTest, BlockLeftOpenIsReportedOnceAndKeepsEarlierLines) {
  // Pass 0 leaves E's block open and dropping, pass 1 leaves K's block open; a state
  // carried into the next pass would drop "keep" there.
  Define("X", "[@{K]");
  Define("K", "k");
  EXPECT_EQ(kGeneratedWithWarnings, Assemble("keep\r\n[@X]\r\n[@{E]\r\ndropped\r\n"));
  EXPECT_EQ("keep\r\n", Output());
  const std::vector<std::string> expected = {Detail(kUnclosedBlockWarning), Detail(">Generated")};
  EXPECT_EQ(expected, LogDetails());
}

TEST_F(DocumentAssemblyTest, RunawayExpansionEndsTheDocumentAndCutsItsPassFiles) {
  // A value that holds its own reference twice doubles the text every pass.
  Define("A", "loop [@A]\r\n[@A]");
  workspace_.settings.max_nested_macros = 1000;
  workspace_.max_pass_bytes = 1 << 20;
  WriteFile(output_, "old\r\n");
  const TarveloError error = RaisedBy([&] { Assemble("[@A]"); });
  EXPECT_EQ(kErrGenerationHalted, error.number);
  EXPECT_EQ(kRunawayExpansionError, error.description);
  EXPECT_EQ("old\r\n", Output());
  int pass = 0;
  for (; std::filesystem::exists(PassFile(pass)); ++pass) {
    EXPECT_LE(std::filesystem::file_size(PassFile(pass)), 64u * 1024) << pass;
  }
  // It stopped at the pass that grew past the limit, kept enough to show the loop.
  EXPECT_GT(pass, 10);
  EXPECT_LT(pass, 30);
  EXPECT_EQ(64u * 1024, std::filesystem::file_size(PassFile(pass - 1)));
  EXPECT_EQ(0u, ReadFile(PassFile(pass - 1)).find("loop loop"));
}

}  // namespace
}  // namespace tarvelo
