// The Program Options file: its key order, Absent and First-run values, the version
// check with every message, and the default drive.
#include "project/program_options.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "common/error.h"
#include "project/file_store.h"
#include "support/raised_by.h"
#include "support/test_support.h"

namespace tarvelo {
namespace {

using namespace testing;

class ProgramOptionsTest : public ::testing::Test {
 protected:
  std::string program_folder() const { return dir_ / "prog"; }
  std::string ini() const { return dir_ / "prog/tarvelo.ini"; }

  TempDir dir_;
  FileStore files_;
  ScriptedHost host_;
};

TEST_F(ProgramOptionsTest, FirstRunFileHasEveryKeyInOrder) {
  WriteFile(ini(), "");
  WriteProgramOptions(files_, FirstRunProgramOptions(program_folder()), ini());
  const std::string text = ReadFile(ini());
  EXPECT_EQ(KeysOf(text),
            "ini-file-version editor browser image-editor xml-editor custom-application "
            "custom-application-caption custom-application2 custom-application-caption2 "
            "custom-application3 custom-application-caption3 browse-folder1 enable-default-drive "
            "default-drive enable-content-file-filter content-file-filter enable-logging "
            "custom-caption1 custom-command1 custom-caption2 custom-command2 custom-caption3 "
            "custom-command3 custom-caption4 custom-command4 custom-caption5 custom-command5 "
            "custom-caption6 custom-command6 documents-default-action maximum-projects "
            "project-file fast-file-system post-generate-refresh display-all-macros "
            "show-macro-tags resizable-border editor-options sort-folders large-display "
            "editor-options-add-space ignore-generation-errors ignore-missing-file-errors "
            "display-paths display-attributes display-macros modified-only skip-read-only "
            "create-subdirectories");
  EXPECT_TRUE(text.starts_with(
      "ini-file-version=5\r\neditor=xdg-open\r\nbrowser=xdg-open\r\nimage-editor=xdg-open\r\n"));
  for (const std::string& line : std::vector<std::string>{
           "enable-logging=1", "enable-default-drive=0", "maximum-projects=25",
           "project-file=" + program_folder() + "/projects.ini", "fast-file-system=1",
           "post-generate-refresh=1", "display-all-macros=1", "editor-options-add-space=1",
           "show-macro-tags=0", "documents-default-action=0"}) {
    EXPECT_NE(text.find("\r\n" + line + "\r\n"), std::string::npos) << line;
  }
}

TEST_F(ProgramOptionsTest, RoundTripAndAbsentValues) {
  ProgramOptions options = FirstRunProgramOptions(program_folder());
  options.custom_commands[2] = {"Tidy", "tidy -m %FILE%"};
  options.custom_application_caption2 = "  Viewer ";
  options.maximum_projects = 3;
  WriteFile(ini(), "");
  WriteProgramOptions(files_, options, ini());
  ProgramOptions read;
  ReadProgramOptionsFile(files_, program_folder(), "", read);
  EXPECT_EQ(read.custom_commands[2].caption, "Tidy");
  EXPECT_EQ(read.custom_commands[2].command, "tidy -m %FILE%");
  EXPECT_EQ(read.custom_application_caption2, "Viewer");
  EXPECT_EQ(read.maximum_projects, 3);
  WriteProgramOptions(files_, read, dir_ / "again.ini");
  EXPECT_EQ(ReadFile(ini()), ReadFile(dir_ / "again.ini"));

  WriteFile(ini(), "project-file=\r\nxml-editor=xmled\r\n");
  ProgramOptions absent = FirstRunProgramOptions("/elsewhere");
  ReadProgramOptionsFile(files_, program_folder(), ini(), absent);
  EXPECT_EQ(absent.editor, "");
  EXPECT_EQ(absent.xml_editor, "xmled");
  EXPECT_EQ(absent.project_file, program_folder() + "/projects.ini");
  EXPECT_EQ(absent.enable_logging, 1);
  EXPECT_EQ(absent.maximum_projects, 25);
  EXPECT_EQ(absent.fast_file_system, 1);
  EXPECT_EQ(absent.editor_options_add_space, 1);
  EXPECT_EQ(absent.sort_folders, 0);
}

TEST_F(ProgramOptionsTest, ReadFailuresNameTheFile) {
  const std::string content =
      "editor=ed\r\n" + std::string(100000, 'z') + "\r\nmaximum-projects=2x\r\n";
  WriteFile(ini(), content);
  ProgramOptions options;
  const TarveloError error =
      RaisedBy([&] { ReadProgramOptionsFile(files_, program_folder(), "", options); });
  EXPECT_EQ(error.number, kTypeMismatch);
  EXPECT_EQ(error.description, "Error reading Program Data file " + ini() + ". Type mismatch.");
  EXPECT_EQ(options.editor, "ed");
  EXPECT_EQ(ReadFile(ini()), content);
}

constexpr const char* kFirstRun =
    "This appears to be the first time that you are running Tarvelo. A default program "
    "initialization file will be created at %. Press OK to create the initialization file or "
    "press Cancel to exit the program.";
constexpr const char* kOpenError =
    "Error opening Program Options file at %. Check the path and "
    "try again.";
constexpr const char* kImportMismatch =
    "Tarvelo does not recognize the Program Options file at %.\rCheck the path and try again.";
constexpr const char* kMismatch =
    "Tarvelo does not recognize your initialization file. To correct this error, rename % and "
    "restart the program. This will reset all program configuration variables to default "
    "values.";

struct CheckCase {
  const char* label;
  const char* content;  // nullptr: no file
  bool importing;
  MessageAnswer answer;
  bool expected;
  const char* message;  // "" when no message is expected; % stands for the file's path
  bool file_rewritten;
};

TEST_F(ProgramOptionsTest, VersionCheckBranches) {
  const CheckCase cases[] = {
      {"first run OK", nullptr, false, MessageAnswer::kOk, true, kFirstRun, true},
      {"first run Cancel", nullptr, false, MessageAnswer::kCancel, false, kFirstRun, false},
      {"missing when importing", nullptr, true, MessageAnswer::kOk, false, kOpenError, false},
      {"version 5", "ini-file-version=5\r\neditor=x\r\n", false, MessageAnswer::kOk, true, "",
       false},
      {"version 5.0", "version=5.0\r\n", true, MessageAnswer::kOk, true, "", false},
      {"a dot", ".\r\n", false, MessageAnswer::kOk, true, "", true},
      {"a dot when importing", ".", true, MessageAnswer::kOk, false, kImportMismatch, false},
      {"old version", "ini-file-version=4\r\n", false, MessageAnswer::kOk, false, kMismatch, false},
      {"old version when importing", "ini-file-version=4\r\n", true, MessageAnswer::kOk, false,
       kImportMismatch, false},
      {"empty file", "", false, MessageAnswer::kOk, false, kMismatch, false},
      {"blanks count", "ini-file-version=5 \r\n", false, MessageAnswer::kOk, false, kMismatch,
       false},
      {"only the first line", "editor=x\r\nini-file-version=5\r\n", false, MessageAnswer::kOk,
       false, kMismatch, false},
      {"junk", "\xff\xfe\x01\x7f=ini", false, MessageAnswer::kOk, false, kMismatch, false},
  };
  for (const CheckCase& c : cases) {
    TempDir dir;
    const std::string folder = dir / "prog";
    const std::string path = folder + "/tarvelo.ini";
    if (c.content != nullptr) WriteFile(path, c.content);
    ScriptedHost host;
    host.message_answers.push_back(c.answer);
    EXPECT_EQ(CheckProgramOptionsFile(files_, host, folder, "", c.importing), c.expected)
        << c.label;
    const std::string message = testing::WithPath(c.message, path);
    if (message.empty()) {
      EXPECT_TRUE(host.messages.empty()) << c.label;
    } else {
      ASSERT_EQ(host.messages.size(), 1u) << c.label;
      EXPECT_EQ(host.messages[0].text, message) << c.label;
      const bool question = c.message == kFirstRun;
      EXPECT_EQ(host.messages[0].caption, question ? "Create Default Initialization File"
                                          : c.message == kOpenError ? "File Open Error"
                                          : c.message == kImportMismatch
                                              ? "File Error"
                                              : "Initialization File Version Mismatch")
          << c.label;
      EXPECT_EQ(host.messages[0].buttons,
                question ? MessageButtons::kOkCancel : MessageButtons::kOk);
      EXPECT_EQ(host.messages[0].icon, question ? MessageIcon::kQuestion : MessageIcon::kNone);
    }
    if (c.file_rewritten) {
      EXPECT_TRUE(ReadFile(path).starts_with("ini-file-version=5\r\neditor=xdg-open\r\n"))
          << c.label;
    } else if (c.content != nullptr) {
      EXPECT_EQ(ReadFile(path), c.content) << c.label;
    } else {
      EXPECT_FALSE(Exists(folder)) << c.label;
    }
  }
}

TEST_F(ProgramOptionsTest, AnUpdateKeepsWhatAnotherInstanceWrote) {
  ProgramOptions mine = FirstRunProgramOptions(program_folder());
  ProgramOptions other = mine;
  other.editor = "other-editor";
  std::filesystem::create_directories(program_folder());
  WriteProgramOptions(files_, other, ini());
  mine.modified_only = 1;
  UpdateProgramOptionsFile(files_, program_folder(), "",
                           [&](ProgramOptions& file) { file.modified_only = mine.modified_only; });
  ProgramOptions read;
  ReadProgramOptionsFile(files_, program_folder(), "", read);
  EXPECT_EQ(read.editor, "other-editor");
  EXPECT_EQ(read.modified_only, 1);
}

TEST_F(ProgramOptionsTest, AFailedFirstRunWriteIsRaised) {
  std::filesystem::create_directories(ini());  // a folder where the file should be
  const TarveloError error =
      RaisedBy([&] { CheckProgramOptionsFile(files_, host_, program_folder(), "", false); });
  EXPECT_EQ(error.number, kPathFileAccessError);
  EXPECT_TRUE(error.description.starts_with("Error writing to Program Data file " + ini() + ". "));
}

TEST(ApplyDefaultDriveTest, OnlyPathsRootedOnTheCurrentDriveTakeTheDrive) {
  struct Case {
    const char* path;
    const char* drive;
    Int16 enable;
    const char* expected;
  };
  const Case cases[] = {
      {"\\web\\site.web", "E:", 1, "E:\\web\\site.web"},
      {"/web/site.web", "E:", 1, "E:/web/site.web"},
      {"/site", "/mnt/web", 1, "/mnt/web/site"},
      {"\\\\server\\web", "E:", 1, "\\\\server\\web"},
      {"//server/web", "E:", 1, "//server/web"},
      {"\\/mixed", "E:", 1, "\\/mixed"},
      {"C:\\web", "E:", 1, "C:\\web"},
      {"web\\site.web", "E:", 1, "web\\site.web"},
      {"\\", "E:", 1, "\\"},
      {"\\web", "E:", -1, "\\web"},
      {"\\web", "E:", 0, "\\web"},
      {"\\web", "", 1, "\\web"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ApplyDefaultDrive(c.path, c.drive, c.enable), c.expected) << c.path << " " << c.drive;
  }
  ProgramOptions options;
  options.default_drive = "D:";
  options.enable_default_drive = 1;
  EXPECT_EQ(ApplyDefaultDrive("\\x", options), "D:\\x");
  options.enable_default_drive = -1;
  EXPECT_EQ(ApplyDefaultDrive("\\x", options), "\\x");
}

}  // namespace
}  // namespace tarvelo
