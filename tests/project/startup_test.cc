// Start-up: the program folder, the resources, the working files and the order in
// which a fresh program folder is brought up (or left alone when the user cancels).
#include "project/startup.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "common/error.h"
#include "project/log.h"
#include "project/workspace.h"
#include "support/raised_by.h"
#include "support/test_support.h"

namespace tarvelo {
namespace {

using namespace testing;

EnvironmentLookup Environment(std::map<std::string, std::string> values) {
  return [values](const std::string& name) {
    const auto it = values.find(name);
    return it == values.end() ? std::string() : it->second;
  };
}

TEST(ResolveProgramFolderTest, TakesTheFirstPlaceThatApplies) {
  TempDir dir;
  FileStore files;
  WriteFile(dir / "portable/tarvelo.ini", "");
  const std::string portable = dir / "portable";
  const std::string plain = dir / "bin";
  struct Case {
    const char* label;
    std::string executable;
    std::map<std::string, std::string> environment;
    std::string expected;
  };
  const Case cases[] = {
      {"TARVELO_HOME wins",
       portable,
       {{"TARVELO_HOME", "/srv/tv/"}, {"XDG_CONFIG_HOME", "/cfg"}},
       "/srv/tv"},
      {"portable install", portable + "/", {{"XDG_CONFIG_HOME", "/cfg"}}, portable},
      {"XDG_CONFIG_HOME",
       plain,
       {{"XDG_CONFIG_HOME", "/cfg/"}, {"HOME", "/home/me"}},
       "/cfg/tarvelo"},
      {"relative XDG_CONFIG_HOME is ignored",
       plain,
       {{"XDG_CONFIG_HOME", "cfg"}, {"HOME", "/home/me"}},
       "/home/me/.config/tarvelo"},
      {"default", plain, {{"HOME", "/home/me"}}, "/home/me/.config/tarvelo"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ResolveProgramFolder(files, c.executable, Environment(c.environment)), c.expected)
        << c.label;
  }
}

TEST(ResolveResourceFolderTest, LooksBesideTheProgramThenInTheInstallTree) {
  TempDir dir;
  FileStore files;
  std::filesystem::create_directories(dir / "build/share/tarvelo");
  std::filesystem::create_directories(dir / "usr/bin");
  std::filesystem::create_directories(dir / "usr/share/tarvelo");
  EXPECT_EQ(ResolveResourceFolder(files, dir / "build"), dir / "build/share/tarvelo");
  EXPECT_EQ(ResolveResourceFolder(files, dir / "usr/bin/"), dir / "usr/share/tarvelo");
}

TEST(EnsureFolderPathTest, CreatesEveryFolderUpToTheLastSeparator) {
  TempDir dir;
  FileStore files;
  EnsureFolderPath(files, dir / "a\\b/c\\file.txt");
  EXPECT_TRUE(std::filesystem::is_directory(dir / "a/b/c"));
  EXPECT_FALSE(Exists(dir / "a/b/c/file.txt"));
  EnsureFolderPath(files, dir / "x/y/");
  EXPECT_TRUE(std::filesystem::is_directory(dir / "x/y"));
  EnsureFolderPath(files, dir / "x/y/");  // existing folders are fine

  WriteFile(dir / "plain.txt", "x");
  EXPECT_EQ(RaisedBy([&] { EnsureFolderPath(files, dir / "plain.txt/sub/"); }).number,
            kPathFileAccessError);
}

TEST(InstallResourcesTest, CopiesWhatIsMissingAndNeverOverwrites) {
  TempDir dir;
  FileStore files;
  const std::string resources = dir / "share";
  WriteFile(resources + "/samples/project.txt", "resource project\r\n");
  WriteFile(resources + "/samples/images/space.gif", std::string("GIF\0\xff", 5));
  WriteFile(resources + "/overview/overview.txt", "overview\r\n");
  WriteFile(resources + "/other/skip.txt", "not a resource folder");
  WriteFile(dir / "prog/samples/project.txt", "mine");

  InstallResources(files, resources, dir / "prog");
  EXPECT_EQ(ReadFile(dir / "prog/samples/project.txt"), "mine");
  EXPECT_EQ(ReadFile(dir / "prog/samples/images/space.gif"), std::string("GIF\0\xff", 5));
  EXPECT_EQ(ReadFile(dir / "prog/overview/overview.txt"), "overview\r\n");
  EXPECT_FALSE(Exists(dir / "prog/other"));

  InstallResources(files, dir / "nowhere", dir / "prog2");
  InstallResources(files, "", dir / "prog2");
  EXPECT_FALSE(Exists(dir / "prog2"));

  EXPECT_TRUE(CreateProgramFolder(files, dir / "deep/er/prog"));
  EXPECT_TRUE(std::filesystem::is_directory(dir / "deep/er/prog"));
  EXPECT_FALSE(CreateProgramFolder(files, dir / "deep/er/prog"));
}

class StartupTest : public ::testing::Test {
 protected:
  StartupTest() : workspace_(host_, dir_ / "prog") {}

  std::string prog(const std::string& relative) const { return dir_ / ("prog/" + relative); }

  TempDir dir_;
  ScriptedHost host_;
  Workspace workspace_;
};

TEST_F(StartupTest, WorkingFilesGoToTheDefaultTempFolder) {
  ASSERT_TRUE(SetUpWorkingFiles(workspace_));
  const WorkingFiles& working = workspace_.working;
  EXPECT_EQ(working.temp_folder, prog("temp/"));
  EXPECT_EQ(working.log_file, prog("temp/tarvelo.txt"));
  EXPECT_EQ(working.search_file, prog("temp/search.txt"));
  EXPECT_EQ(working.pass_stem, prog("temp/tarvelo"));
  EXPECT_EQ(working.replace_file, prog("temp/tarvelo.rpl"));
  EXPECT_EQ(working.generated_list, prog("temp/generate.txt"));
  for (const char* name : {"tarvelo.txt", "search.txt", "generate.txt"}) {
    EXPECT_EQ(ReadFile(prog(std::string("temp/") + name)), ".\r\n") << name;
  }
  EXPECT_FALSE(Exists(prog("temp/tarvelo.rpl")));
  EXPECT_FALSE(workspace_.log.active());

  // Existing working files are left as they are; with logging off a missing log gets
  // the notice.
  WriteFile(prog("temp/search.txt"), "old results");
  std::filesystem::remove(prog("temp/tarvelo.txt"));
  workspace_.options.enable_logging = 0;
  ASSERT_TRUE(SetUpWorkingFiles(workspace_));
  EXPECT_EQ(ReadFile(prog("temp/search.txt")), "old results");
  EXPECT_EQ(ReadFile(prog("temp/tarvelo.txt")), std::string(kLoggingDisabledNotice) + "\r\n");
}

TEST_F(StartupTest, TheSettingsChooseTheTempFolderAndTheGeneratedList) {
  workspace_.options.default_drive = dir_.path();
  workspace_.options.enable_default_drive = 1;
  workspace_.settings.temporary_files_path = "\\work\\tmp";  // rooted, no trailing separator
  struct Case {
    std::string value;
    std::string expected;
  };
  // Every rooted value takes the default drive, here a folder.
  const std::string drive = dir_.path();
  const Case cases[] = {
      {"\\logs\\", drive + "\\logs\\generate.txt"},
      {"\\lists\\site.txt", drive + "\\lists\\site.txt"},
      {"/rooted/list.txt", drive + "/rooted/list.txt"},
      {"\\work", drive + "\\work/generate.txt"},  // an existing folder without separator
  };
  for (const Case& c : cases) {
    workspace_.settings.generated_files_log_file = c.value;
    ASSERT_TRUE(SetUpWorkingFiles(workspace_)) << c.value;
    EXPECT_EQ(workspace_.working.temp_folder, dir_.path() + "\\work\\tmp/");
    EXPECT_EQ(workspace_.working.generated_list, c.expected);
    EXPECT_EQ(ReadFile(workspace_.files.DiskPath(c.expected)), ".\r\n") << c.value;
  }
  EXPECT_EQ(ReadFile(dir_ / "work/tmp/tarvelo.txt"), ".\r\n");
  EXPECT_TRUE(host_.messages.empty());
}

TEST_F(StartupTest, AnUnusableTempFolderIsReported) {
  WriteFile(dir_ / "file.txt", "x");
  workspace_.working.log_file = "kept";
  workspace_.settings.temporary_files_path = dir_ / "file.txt/tmp/";
  EXPECT_FALSE(SetUpWorkingFiles(workspace_));
  ASSERT_EQ(host_.messages.size(), 1u);
  EXPECT_EQ(host_.messages[0].text,
            "Error # 75 was generated by Tarvelo\rError setting temporary file path to " +
                (dir_ / "file.txt/tmp/") + ". Path/File access error (" + (dir_ / "file.txt/") +
                ").\rPlease check that this is a valid path or change the path in the Project "
                "Properties->Advanced screen.");
  EXPECT_EQ(workspace_.working.log_file, "kept");
}

TEST_F(StartupTest, ReadingSettingsResetsTheDefinitionOrReportsTheFailure) {
  WriteFile(dir_ / "site.web", "name=Site\r\nmax-parameters=9\r\nmax-content-files=3\r\n");
  workspace_.definition.folders.resize(4);
  EXPECT_FALSE(ReadProjectSettings(workspace_, ""));  // no current entry: nothing happens
  EXPECT_EQ(workspace_.settings.name, "Project");

  workspace_.history.entries[0] = {"Site", dir_ / "site.web", kHistoryCurrent};
  workspace_.history.last_index = workspace_.history.current_index = 0;
  ASSERT_TRUE(ReadProjectSettings(workspace_, ""));
  EXPECT_EQ(workspace_.settings.name, "Site");
  EXPECT_EQ(workspace_.settings.max_parameters, 9);
  EXPECT_EQ(workspace_.settings.max_content_files, 3);
  EXPECT_TRUE(workspace_.definition.folders.empty());
  EXPECT_EQ(workspace_.working.log_file, prog("temp/tarvelo.txt"));

  WriteFile(dir_ / "bad.web", "name=Bad\r\nmax-parameters=many\r\n");
  EXPECT_FALSE(ReadProjectSettings(workspace_, dir_ / "bad.web"));
  ASSERT_EQ(host_.messages.size(), 1u);
  EXPECT_EQ(host_.messages[0].text,
            "Error # 13 was generated by Tarvelo\rError reading Project "
            "Data file " +
                (dir_ / "bad.web") + ". Type mismatch.");
  EXPECT_EQ(ReadFile(dir_ / "bad.web"), "name=Bad\r\nmax-parameters=many\r\n");
}

TEST_F(StartupTest, ReadingOptionsResizesTheHistory) {
  WriteFile(prog("tarvelo.ini"), "ini-file-version=5\r\nmaximum-projects=3\r\n");
  ASSERT_TRUE(ReadProgramOptions(workspace_, ""));
  EXPECT_EQ(workspace_.history.entries.size(), 3u);
  EXPECT_EQ(workspace_.options.project_file, prog("projects.ini"));
  EXPECT_TRUE(Exists(prog("temp/tarvelo.txt")));
}

TEST_F(StartupTest, AFreshProgramFolderIsSetUpAfterTwoQuestions) {
  ASSERT_TRUE(LoadConfiguration(workspace_));
  ASSERT_EQ(host_.messages.size(), 2u);
  EXPECT_EQ(host_.messages[0].caption, "Create Default Initialization File");
  EXPECT_EQ(host_.messages[1].caption, "Create Default Project History File");
  EXPECT_TRUE(ReadFile(prog("tarvelo.ini")).starts_with("ini-file-version=5\r\n"));
  const std::string sample = prog("overview/Tarvelo CMS Overview.web");
  EXPECT_EQ(ReadFile(prog("projects.ini")), "5|" + sample + "|2\r\n");
  EXPECT_TRUE(
      ReadFile(sample).starts_with("ini-file-version=5\r\nname=Tarvelo CMS Overview (Sample)\r\n"));
  EXPECT_EQ(ReadFile(prog("temp/tarvelo.txt")), ".\r\n");
  EXPECT_EQ(workspace_.history.current_index, 0);
  EXPECT_EQ(workspace_.history.entries[0].name, "Tarvelo CMS Overview (Sample)");
  EXPECT_EQ(workspace_.settings.project_file_path, sample);
  EXPECT_EQ(workspace_.settings.max_globals, 2);

  // A second start asks nothing and changes nothing.
  const std::string history = ReadFile(prog("projects.ini"));
  ScriptedHost host;
  Workspace again(host, dir_ / "prog");
  ASSERT_TRUE(LoadConfiguration(again));
  EXPECT_TRUE(host.messages.empty());
  EXPECT_EQ(ReadFile(prog("projects.ini")), history);
}

TEST_F(StartupTest, CancellingEitherQuestionStopsTheStart) {
  host_.message_answers = {MessageAnswer::kCancel};
  EXPECT_FALSE(LoadConfiguration(workspace_));
  EXPECT_FALSE(Exists(dir_ / "prog"));

  host_.message_answers = {MessageAnswer::kOk, MessageAnswer::kCancel};
  EXPECT_FALSE(LoadConfiguration(workspace_));
  EXPECT_TRUE(Exists(prog("tarvelo.ini")));
  EXPECT_FALSE(Exists(prog("projects.ini")));
}

TEST_F(StartupTest, ResourcesComeBeforeTheGeneratedSample) {
  WriteFile(dir_ / "share/overview/Tarvelo CMS Overview.web", "name=Shipped Overview\r\n");
  WriteFile(dir_ / "share/samples/globals.par", "[@X]:x[@]\r\n");
  ASSERT_TRUE(LoadConfiguration(workspace_, dir_ / "share"));
  EXPECT_EQ(ReadFile(prog("overview/Tarvelo CMS Overview.web")), "name=Shipped Overview\r\n");
  EXPECT_TRUE(Exists(prog("samples/globals.par")));
  EXPECT_EQ(workspace_.settings.name, "Shipped Overview");
}

TEST_F(StartupTest, AnUnknownOptionsFileStopsTheStartWithoutTouchingAnything) {
  WriteFile(prog("tarvelo.ini"), "ini-file-version=9\r\n");
  EXPECT_FALSE(LoadConfiguration(workspace_));
  ASSERT_EQ(host_.messages.size(), 1u);
  EXPECT_EQ(host_.messages[0].caption, "Initialization File Version Mismatch");
  EXPECT_EQ(ReadFile(prog("tarvelo.ini")), "ini-file-version=9\r\n");
  EXPECT_FALSE(Exists(prog("temp")));
  EXPECT_FALSE(Exists(prog("projects.ini")));
}

}  // namespace
}  // namespace tarvelo
