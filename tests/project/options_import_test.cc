// Importing another installation's options: the four ways to the Project History, the
// recommendation, and failures that leave the current installation as it was.
#include "project/options_import.h"

#include <gtest/gtest.h>

#include "project/history_operations.h"
#include "project/startup.h"
#include "project/workspace.h"
#include "support/test_support.h"

namespace tarvelo {
namespace {

using namespace testing;

// The current installation in prog/ knows Project "a"; the old one in old/ knows "b".
class OptionsImportTest : public ::testing::Test {
 protected:
  OptionsImportTest() : workspace_(host_, dir_ / "prog") {
    for (const char* name : {"a", "b", "c"}) {
      WriteFile(dir_ / (std::string(name) + ".web"), std::string("name=") + name + "\r\n");
    }
    WriteFile(dir_ / "prog/projects.ini", Line("a"));
    WriteFile(dir_ / "old/projects.ini", Line("b"));
    WriteFile(dir_ / "other.ini", Line("c"));
    WriteOptions(dir_ / "prog/tarvelo.ini", "current", dir_ / "prog/projects.ini");
    WriteOptions(dir_ / "old/tarvelo.ini", "old-editor", dir_ / "old/projects.ini");
    EXPECT_TRUE(ReadProgramOptions(workspace_, ""));
    EXPECT_TRUE(ReadProjectHistory(workspace_));
  }

  std::string Line(const std::string& name) { return "5|" + (dir_ / (name + ".web")) + "|2\r\n"; }

  void WriteOptions(const std::string& path, const std::string& editor,
                    const std::string& history) {
    ProgramOptions options = FirstRunProgramOptions(dir_ / "prog");
    options.editor = editor;
    options.project_file = history;
    WriteProgramOptions(workspace_.files, options, path);
  }

  ProgramOptions Saved() {
    ProgramOptions saved;
    ReadProgramOptionsFile(workspace_.files, dir_ / "prog", "", saved);
    return saved;
  }

  TempDir dir_;
  ScriptedHost host_;
  Workspace workspace_;
};

TEST_F(OptionsImportTest, EachChoiceLeadsToItsHistory) {
  struct Case {
    ImportChoice choice;
    std::string history_option;  // project-file afterwards
    std::string projects_ini;    // prog/projects.ini afterwards
    const char* current;         // the current Project afterwards
  };
  const Case cases[] = {
      {kCopyImportedHistory, dir_ / "prog/projects.ini", Line("b"), "b"},
      {kCopyOtherHistory, dir_ / "prog/projects.ini", Line("c"), "c"},
      {kReferenceImportedHistory, dir_ / "old/projects.ini", Line("a"), "b"},
      {kUseDefaultHistory, dir_ / "prog/projects.ini", Line("a"), "a"},
  };
  for (const Case& c : cases) {
    WriteFile(dir_ / "prog/projects.ini", Line("a"));
    OptionsImport import(workspace_);
    ASSERT_TRUE(import.ReadSource(dir_ / "old/tarvelo.ini"));
    EXPECT_TRUE(import.Finish(c.choice, dir_ / "other.ini")) << c.choice;
    EXPECT_EQ(Saved().project_file, c.history_option) << c.choice;
    EXPECT_EQ(Saved().editor, "old-editor") << c.choice;
    EXPECT_EQ(workspace_.options.editor, "old-editor") << c.choice;
    EXPECT_EQ(ReadFile(dir_ / "prog/projects.ini"), c.projects_ini) << c.choice;
    EXPECT_EQ(workspace_.settings.name, c.current) << c.choice;
  }
  EXPECT_TRUE(host_.messages.empty());
}

TEST_F(OptionsImportTest, RecommendsCopyingAHistoryBesideTheOptions) {
  OptionsImport import(workspace_);
  ASSERT_TRUE(import.ReadSource(dir_ / "old/tarvelo.ini"));
  EXPECT_EQ(import.RecommendedChoice(), kCopyImportedHistory);
  EXPECT_EQ(import.DefaultHistoryPath(), dir_ / "prog/projects.ini");

  WriteOptions(dir_ / "old/tarvelo.ini", "old-editor", "/elsewhere/projects.ini");
  ASSERT_TRUE(import.ReadSource(dir_ / "old/tarvelo.ini"));
  EXPECT_EQ(import.RecommendedChoice(), kReferenceImportedHistory);
  EXPECT_EQ(import.ReferencedHistoryPath(), "/elsewhere/projects.ini");
  EXPECT_EQ(NormaliseDialogPath("  C:\\old\\tarvelo.ini "), "C:/old/tarvelo.ini");
}

TEST_F(OptionsImportTest, FailuresLeaveTheInstallationAsItWas) {
  WriteFile(dir_ / "bad/tarvelo.ini", "ini-file-version=4\r\n");
  WriteFile(dir_ / "bad/projects.ini", "4|" + (dir_ / "b.web") + "|2\r\n");
  const std::string options_before = ReadFile(dir_ / "prog/tarvelo.ini");
  const std::string missing = dir_ / "gone.ini";
  const std::string destination = dir_ / "prog/projects.ini";

  OptionsImport import(workspace_);
  EXPECT_FALSE(import.ReadSource(dir_ / "bad/tarvelo.ini"));
  EXPECT_FALSE(import.ReadSource(dir_ / "none/tarvelo.ini"));
  ASSERT_TRUE(import.ReadSource(dir_ / "old/tarvelo.ini"));
  EXPECT_FALSE(import.Finish(kCopyOtherHistory, missing));
  EXPECT_FALSE(import.Finish(kCopyOtherHistory, dir_ / "bad/projects.ini"));
  WriteFile(dir_ / "old/projects.ini", "4|x|1\r\n");
  EXPECT_FALSE(import.Finish(kReferenceImportedHistory, ""));
  ASSERT_EQ(host_.messages.size(), 5u);
  EXPECT_EQ(host_.messages[0].text, "Tarvelo does not recognize the Program Options file at " +
                                        (dir_ / "bad/tarvelo.ini") +
                                        ".\rCheck the path and try again.");
  EXPECT_EQ(host_.messages[1].caption, "File Open Error");
  EXPECT_EQ(host_.messages[2].text,
            "Error # 10000 was generated by Tarvelo\rError copying Project History file " +
                missing + " to " + destination + ". File not found (" + missing +
                ").\rPlease check the paths and try again.");
  EXPECT_EQ(host_.messages[3].caption, "Project History File Error");
  EXPECT_EQ(host_.messages[4].caption, "Project History File Error");
  EXPECT_EQ(ReadFile(dir_ / "prog/tarvelo.ini"), options_before);
  EXPECT_EQ(ReadFile(destination), Line("a"));
}

}  // namespace
}  // namespace tarvelo
