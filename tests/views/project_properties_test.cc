// The Project Properties and Program Options dialogs' rules without their windows:
// field checks, path fields, the sample files of a new Project, storing the results,
// and the folder picker's drive and display rules.
#include "views/project_properties.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "common/error.h"
#include "project/new_project.h"
#include "project/project_history.h"
#include "project/startup.h"
#include "project/workspace.h"
#include "support/raised_by.h"
#include "support/test_support.h"
#include "views/folder_picker.h"
#include "views/program_options_update.h"

namespace tarvelo {
namespace {

using namespace testing;

LimitTexts DefaultLimits() {
  return {"25", "5", "50", "5", "5", "100", "50", "50", "5", "5", "50"};
}

TEST(ProjectPropertiesTest, PathFieldsAreTrimmedWithNativeSeparators) {
  EXPECT_EQ(NormaliseFolderPath("  C:\\site "), "C:/site/");
  EXPECT_EQ(NormaliseFolderPath("/srv/web/"), "/srv/web/");
  EXPECT_EQ(NormaliseFolderPath("   "), "");
  EXPECT_EQ(NormaliseFilePath(" pages\\project.txt "), "pages/project.txt");
}

TEST(ProjectPropertiesTest, FieldsAreCheckedInOrderAndNothingChangesOnFailure) {
  struct Case {
    const char* what;
    std::function<void(ProjectSettings&, LimitTexts&)> edit;
    PropertiesPage page;
    const char* message;
  };
  const Case cases[] = {
      {"blank name", [](auto& s, auto&) { s.name = "  "; }, PropertiesPage::kGeneral,
       "Project Name cannot be blank."},
      {"blank name before bad tags",
       [](auto& s, auto&) {
         s.name = "";
         s.macro_start_tag = "";
       },
       PropertiesPage::kGeneral, "Project Name cannot be blank."},
      {"tags", [](auto& s, auto&) { s.macro_end_tag = "[@x"; }, PropertiesPage::kMacros,
       "Macro Tags cannot be substrings of one another. Please double-check all of the Macro "
       "Tags and Advanced Macro Tags that you have entered."},
      {"definition file", [](auto& s, auto&) { s.definition_file = "a\tb.txt"; },
       PropertiesPage::kGeneral,
       "The Definition File name contains characters that cannot be used in a file name."},
      {"letters", [](auto&, auto& l) { l[0] = "many"; }, PropertiesPage::kMemory,
       "Maximum Folders for Project must be a whole number from 0 to 32767."},
      {"negative", [](auto&, auto& l) { l[9] = "-1"; }, PropertiesPage::kMemory,
       "Maximum Parameters per Macro must be a whole number from 0 to 32767."},
      {"16-bit range", [](auto&, auto& l) { l[10] = "32768"; }, PropertiesPage::kAdvanced,
       "Maximum Levels of Nesting must be a whole number from 0 to 32767."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ProjectSettings settings = NewProjectSettings();
    LimitTexts limits = DefaultLimits();
    limits[1] = "7";
    c.edit(settings, limits);
    const ProjectSettings before = settings;
    const std::optional<FieldError> error = ValidateProjectFields(settings, limits);
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->page, c.page);
    EXPECT_EQ(error->message, c.message);
    EXPECT_EQ(settings.max_globals, before.max_globals);
  }
  ProjectSettings settings = NewProjectSettings();
  LimitTexts limits = DefaultLimits();
  limits[1] = " 32767 ";
  limits[10] = "0";
  EXPECT_FALSE(ValidateProjectFields(settings, limits).has_value());
  EXPECT_EQ(settings.max_globals, 32767);
  EXPECT_EQ(settings.max_nested_macros, 0);
}

TEST(ProjectPropertiesTest, ResetPutsBackTheTenLimits) {
  ProjectSettings settings;
  for (const LimitField& field : ProjectLimitFields()) settings.*(field.field) = 1;
  ResetMemoryLimits(settings);
  const ProjectSettings defaults;
  for (size_t i = 0; i < 10; ++i) {
    const auto field = ProjectLimitFields()[i].field;
    EXPECT_EQ(settings.*field, defaults.*field) << ProjectLimitFields()[i].caption;
  }
  EXPECT_EQ(settings.max_nested_macros, 1);
}

class NewProjectTest : public ::testing::Test {
 protected:
  NewProjectTest() : ws_(host_, dir_ / "prog") {
    for (const char* name :
         {"project.txt", "images/space.gif", "images/tarvelo.gif", "templates/general.tpl",
          "globals.par", "index.par", "tools.par", "partners.par"}) {
      WriteFile(dir_ / ("prog/samples/" + std::string(name)), std::string("sample ") + name);
    }
    settings_ = NewProjectSettings();
    settings_.name = "Site";
    settings_.document_root = dir_ / "out/";
    settings_.content_root = dir_ / "src/";
  }
  void Create(const NewProjectChoices& choices = {}) {
    CreateSampleProjectFiles(ws_.files, ws_.program_folder, ws_.options, settings_, choices);
  }

  TempDir dir_;
  ScriptedHost host_;
  Workspace ws_;
  ProjectSettings settings_;
};

TEST_F(NewProjectTest, SamplesAreCopiedWithoutOverwriting) {
  WriteFile(dir_ / "src/index.par", "mine");
  settings_.definition_file = "site.txt";
  Create();
  EXPECT_TRUE(Exists(dir_ / "out"));
  EXPECT_EQ(ReadFile(dir_ / "src/site.txt"), "sample project.txt");
  EXPECT_EQ(ReadFile(dir_ / "src/templates/general.tpl"), "sample templates/general.tpl");
  EXPECT_EQ(ReadFile(dir_ / "src/images/tarvelo.gif"), "sample images/tarvelo.gif");
  EXPECT_EQ(ReadFile(dir_ / "src/index.par"), "mine");
  EXPECT_EQ(ReadFile(dir_ / "src/partners.par"), "sample partners.par");
}

TEST_F(NewProjectTest, ChoicesAndAnEmptyContentRootLimitWhatIsMade) {
  Create({.sample_files = false, .sample_definition = true, .create_roots = true});
  EXPECT_TRUE(Exists(dir_ / "src/project.txt"));
  EXPECT_FALSE(Exists(dir_ / "src/globals.par"));

  settings_.content_root = "";
  settings_.document_root = dir_ / "out2/";
  Create();
  EXPECT_TRUE(Exists(dir_ / "out2"));
  EXPECT_FALSE(Exists(dir_ / "out2/project.txt"));
}

TEST_F(NewProjectTest, ARootThatCannotBeMadeRaises10019) {
  WriteFile(dir_ / "blocked", "a file in the way");
  settings_.content_root = dir_ / "blocked/src/";
  const TarveloError error = RaisedBy([&] { Create(); });
  EXPECT_EQ(error.number, 10019);
  EXPECT_EQ(error.description, "Error creating sample project files.");
  EXPECT_TRUE(Exists(dir_ / "out"));  // what was made before the failure stays
}

TEST_F(NewProjectTest, StoringANewProjectListsItOnceAndRefusesAFullHistory) {
  ASSERT_TRUE(LoadConfiguration(ws_));
  Create();
  settings_.project_file_path = dir_ / "src/Site.web";
  EXPECT_EQ(ProposedProjectFile(settings_), settings_.project_file_path);
  StoreProjectProperties(ws_, settings_, true);
  EXPECT_EQ(ws_.history.last_index, 1);
  EXPECT_EQ(ws_.history.current_index, 1);
  EXPECT_EQ(ws_.history.entries[1].name, "Site");
  EXPECT_EQ(ws_.settings.content_root, settings_.content_root);
  EXPECT_NE(ReadFile(ws_.options.project_file).find("|" + settings_.project_file_path + "|2"),
            std::string::npos);

  // Saving a new Project over a listed file does not list it twice.
  settings_.name = "Site Again";
  StoreProjectProperties(ws_, settings_, true);
  EXPECT_EQ(ws_.history.last_index, 1);
  EXPECT_EQ(ws_.history.entries[1].name, "Site Again");

  ResizeProjectHistory(ws_.history, 2);
  const std::string history = ReadFile(ws_.options.project_file);
  for (const std::string& path : {dir_ / "src/Other.web", dir_ / "src/a|b.web"}) {
    settings_.project_file_path = path;
    EXPECT_THROW(StoreProjectProperties(ws_, settings_, true), TarveloError);
    EXPECT_FALSE(Exists(path));
  }
  EXPECT_EQ(ReadFile(ws_.options.project_file), history);
}

TEST_F(NewProjectTest, AFailedWriteKeepsTheOldFileAndSettings) {
  ASSERT_TRUE(LoadConfiguration(ws_));
  const ProjectSettings before = ws_.settings;
  const std::string file = ReadFile(before.project_file_path);
  ProjectSettings record = before;
  record.name = "Renamed";
  record.project_file_path = dir_ / "missing/folder/x.web";
  EXPECT_THROW(StoreProjectProperties(ws_, record, false), TarveloError);
  EXPECT_EQ(ws_.settings.name, before.name);
  EXPECT_EQ(ReadFile(before.project_file_path), file);
}

TEST(ProgramOptionsFieldsTest, MaximumProjectsAndHistoryFileAreChecked) {
  const std::pair<const char*, const char*> refused[] = {
      {"0", "The maximum number of Projects must be greater than 0."},
      {"-4", "The maximum number of Projects must be greater than 0."},
      {"lots", "The maximum number of Projects must be greater than 0."},
      {"40000", "The maximum number of Projects cannot be more than 32767."},
  };
  for (const auto& [text, message] : refused) {
    EXPECT_EQ(std::get<std::string>(CheckProgramOptionsFields(text, "/p.ini")), message) << text;
  }
  EXPECT_EQ(std::get<std::string>(CheckProgramOptionsFields("5", "  ")),
            "The Project History File cannot be blank.");
  EXPECT_EQ(std::get<Int16>(CheckProgramOptionsFields(" 12 ", "/p.ini")), 12);
}

TEST_F(NewProjectTest, StoredOptionsAreReadBackAndARefusedHistoryIsNotTaken) {
  ASSERT_TRUE(LoadConfiguration(ws_));
  ProgramOptions edited = ws_.options;
  edited.enable_logging = 0;
  edited.maximum_projects = 7;
  ASSERT_TRUE(StoreProgramOptions(ws_, edited));
  EXPECT_EQ(ws_.history.entries.size(), 7u);
  EXPECT_EQ(ReadFile(ws_.working.log_file),
            "Logging may be disabled. You can enable logging in the Tools->Options screen.\r\n");

  const std::string ini = ReadFile(dir_ / "prog/tarvelo.ini");
  edited.project_file = dir_ / "other.ini";
  host_.message_answers = {MessageAnswer::kCancel};  // do not create it
  EXPECT_FALSE(StoreProgramOptions(ws_, edited));
  EXPECT_EQ(ReadFile(dir_ / "prog/tarvelo.ini"), ini);
  EXPECT_EQ(ws_.options.project_file, dir_ / "prog/projects.ini");
}

TEST(FolderPickerTest, StartDriveAndDisplayForm) {
  ProgramOptions options;
  EXPECT_EQ(PickerStartDrive(" D :\\web", options, "/prog"), "D :");
  EXPECT_EQ(PickerStartDrive("/srv", options, "/prog"), "/");
  EXPECT_EQ(PickerStartDrive("", options, "C:\\prog"), "C:");
  options.default_drive = "/mnt/web";
  EXPECT_EQ(PickerStartDrive("/srv", options, "/prog"), "/");  // not enabled
  options.enable_default_drive = 1;
  EXPECT_EQ(PickerStartDrive("\\site", options, "/prog"), "/mnt/web");

  struct Case {
    const char* folder;
    const char* text;
    bool using_default_drive;
  };
  const Case cases[] = {
      {"/mnt/web/site", "/site/", true},        {"/mnt/web", "/", true},
      {"/mnt/website", "/mnt/website/", false}, {"/mnt/Web/site", "/mnt/Web/site/", false},
      {" /srv\\x ", "/srv/x/", false},
  };
  for (const Case& c : cases) {
    const FolderDisplay display = FolderDisplayForm(c.folder, options);
    EXPECT_EQ(display.text, c.text) << c.folder;
    EXPECT_EQ(display.using_default_drive, c.using_default_drive) << c.folder;
  }
}

TEST(FolderPickerTest, StartsOnTheNearestExistingFolder) {
  TempDir dir;
  WriteFile(dir / "web/site/a.txt", "");
  FileStore files;
  ProgramOptions options;
  EXPECT_EQ(PickerStartFolder(files, dir / "web/site/gone/deeper", "/", options),
            dir / "web/site/");
  EXPECT_EQ(PickerStartFolder(files, "", "/", options), "/");
  options.default_drive = dir / "web";
  options.enable_default_drive = 1;
  EXPECT_EQ(PickerStartFolder(files, "\\site", "/", options), dir / "web/site/");
  EXPECT_EQ(PickerStartFolder(files, "relative", dir / "web", options), dir / "web/");
}

}  // namespace
}  // namespace tarvelo
