// The workbench's project-file argument: which single argument names a project file,
// and opening it as Open Project does.
#include "generation/project_argument.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "project/file_store.h"
#include "project/history_operations.h"
#include "project/startup.h"
#include "project/workspace.h"
#include "support/test_support.h"

namespace tarvelo {
namespace {

using namespace testing;

TEST(ProjectFileArgumentTest, TakesOneArgumentThatNamesAProjectFile) {
  TempDir dir;
  WriteFile(dir / "notes.txt", "name=Notes\r\n");
  const std::string cwd = std::filesystem::current_path().string();
  const FileStore files;
  const struct {
    std::vector<std::string> arguments;
    std::string expected;
  } cases[] = {
      {{dir / "site.web"}, dir / "site.web"},  // a .web file that is still missing
      {{"Site.WEB"}, cwd + "/Site.WEB"},
      {{dir / "notes.txt"}, dir / "notes.txt"},  // any existing file
      {{dir / "missing.txt"}, ""},
      {{dir.path()}, ""},  // a folder
      {{"/project=" + (dir / "site.web")}, ""},
      {{"/mode=2"}, ""},
      {{"--project=/a.web"}, ""},
      {{"-style=fusion.web"}, ""},
      {{"/x.web", "/y.web"}, ""},
      {{}, ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ProjectFileArgument(c.arguments, files), c.expected)
        << (c.arguments.empty() ? "(none)" : c.arguments.front());
  }
}

TEST(ProjectFileArgumentTest, OpensTheProjectOrSaysItIsNone) {
  TempDir dir;
  ScriptedHost host;
  Workspace workspace(host, dir / "prog");
  workspace.options.project_file = dir / "projects.ini";
  WriteFile(dir / "projects.ini", "5|" + (dir / "a.web") + "|2\r\n");
  WriteFile(dir / "a.web", "name=Alpha\r\n");
  WriteFile(dir / "b.web", "name=Beta\r\n");
  WriteFile(dir / "none.web", "document-root=/x\r\n");
  ReadProjectHistory(workspace);

  EXPECT_FALSE(OpenProjectArgument(workspace, dir / "none.web"));
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].caption, "Command Line Error");
  EXPECT_EQ(host.messages[0].text, "Error processing command line options.\rThe file " +
                                       (dir / "none.web") +
                                       " is not a valid Project file.\rPlease verify that the "
                                       "command line settings are correct.");
  EXPECT_EQ(ReadFile(dir / "projects.ini"), "5|" + (dir / "a.web") + "|2\r\n");

  EXPECT_TRUE(OpenProjectArgument(workspace, dir / "b.web"));
  EXPECT_EQ(ReadFile(dir / "projects.ini"),
            "5|" + (dir / "a.web") + "|1\r\n5|" + (dir / "b.web") + "|2\r\n");
  EXPECT_EQ(workspace.settings.name, "Beta");
  EXPECT_EQ(host.messages.size(), 1u);
}

}  // namespace
}  // namespace tarvelo
