// Project files: the key order on disk, the Absent values, the reader's order and what a
// failed read leaves behind.
#include "project/project_settings.h"

#include <gtest/gtest.h>

#include "common/error.h"
#include "project/file_store.h"
#include "support/raised_by.h"
#include "support/test_support.h"

namespace tarvelo {
namespace {

using namespace testing;

class ProjectSettingsTest : public ::testing::Test {
 protected:
  std::string Read(const std::string& text, ProjectSettings& settings) {
    WriteFile(dir_ / "site.web", text);
    ReadProjectSettingsFile(files_, dir_ / "site.web", settings);
    return dir_ / "site.web";
  }

  TempDir dir_;
  FileStore files_;
};

TEST_F(ProjectSettingsTest, WritesEveryKeyInTheFileOrder) {
  ProjectSettings settings = NewProjectSettings();
  settings.project_file_path = dir_ / "new.web";
  WriteProjectSettings(files_, settings);
  const std::string text = ReadFile(dir_ / "new.web");
  EXPECT_EQ(KeysOf(text),
            "ini-file-version name document-root content-root default-content-root "
            "definition-file macro-start-tag macro-end-tag parameter-start-tag parameter-end-tag "
            "wildcard-tag parent-reference-tag parent-reference-tag-is-by-file "
            "single-quote-escape-tag non-blank-delete-tag concatenate-tag conditional-start-tag "
            "conditional-else-tag conditional-end-tag required-tag line-continuation delete-line "
            "delete-line-exceptions optimization-status optimization-level optimize-exclude-list "
            "max-nested-macros reserved-date-macro max-folders max-globals max-docs "
            "max-folder-globals max-content-files max-global-macros max-folder-global-macros "
            "max-content-file-macros max-project-macros max-parameters temporary-files-path "
            "reserved-project-name-macro reserved-folder-name-macro reserved-document-name-macro "
            "project-macro-file display-project-macro-file global-content-files "
            "custom-project-path custom-project-path-with-drive trim-parameter-values "
            "generated-files-log-file");
  EXPECT_TRUE(text.starts_with("ini-file-version=5\r\nname=New Project\r\ndocument-root=\r\n"));
  EXPECT_NE(text.find("\r\nsingle-quote-escape-tag=\\\r\n"), std::string::npos);
  EXPECT_NE(text.find("\r\nline-continuation=\\\\\r\n"), std::string::npos);
  EXPECT_NE(text.find("\r\nmax-nested-macros=50\r\n"), std::string::npos);
}

TEST_F(ProjectSettingsTest, RoundTripKeepsEverythingButOuterBlanks) {
  ProjectSettings first = NewProjectSettings();
  first.project_file_path = dir_ / "a.web";
  first.name = "Site = Main";
  first.macro_end_tag = "]  ";
  first.delete_line_exceptions = "A=B,ROOT_DIR";
  first.max_docs = -1;
  first.max_parameters = 32767;
  first.generated_files_log_file = "  /logs/  ";
  WriteProjectSettings(files_, first);

  ProjectSettings second;
  ReadProjectSettingsFile(files_, first.project_file_path, second);
  EXPECT_EQ(second.macro_end_tag, "]");
  EXPECT_EQ(second.empty_macro_marker, "[@]");
  EXPECT_EQ(second.generated_files_log_file, "/logs/");
  second.project_file_path = dir_ / "b.web";
  WriteProjectSettings(files_, second);
  EXPECT_EQ(ReadFile(dir_ / "a.web"), ReadFile(dir_ / "b.web"));
}

TEST_F(ProjectSettingsTest, ValuesAreReadVerbatim) {
  ProjectSettings settings;
  Read(
      "name = Blank Key\r\nmacro-end-tag=]  \r\ndelete-line-exceptions=A=B\r\n"
      "macro-start-tag=<<\r\nmax-docs=7\r\nmax-docs=8\r\n",
      settings);
  EXPECT_EQ(settings.name, "Project");
  EXPECT_EQ(settings.delete_line_exceptions, "A=B");
  EXPECT_EQ(settings.max_docs, 7);
  EXPECT_EQ(settings.empty_macro_marker, "<<]  ");
}

TEST_F(ProjectSettingsTest, AnEmptyFileOrPathGivesTheAbsentValues) {
  ProjectSettings settings = NewProjectSettings();
  settings.max_docs = 3;
  const std::string path = Read("", settings);
  EXPECT_EQ(settings.name, "Project");
  EXPECT_EQ(settings.definition_file, "");
  EXPECT_EQ(settings.max_docs, 50);
  EXPECT_EQ(settings.reserved_project_name_macro, "TARVELO_PROJECT_NAME");
  EXPECT_EQ(settings.line_continuation, "\\\\");
  EXPECT_EQ(settings.project_file_path, path);

  ProjectSettings none = NewProjectSettings();
  ReadProjectSettingsFile(files_, "", none);
  EXPECT_EQ(none.name, "Project");
  EXPECT_EQ(none.definition_file, "");
  EXPECT_EQ(none.project_file_path, "");
}

TEST_F(ProjectSettingsTest, ABadNumberStopsTheReadWhereItStands) {
  struct Case {
    const char* line;
    int number;
    const char* description;
  };
  const Case cases[] = {{"max-docs=lots", kTypeMismatch, "Type mismatch"},
                        {"max-docs=70000", kOverflow, "Overflow"}};
  for (const Case& c : cases) {
    ProjectSettings settings;
    settings.max_project_macros = 99;
    settings.name = "Old";
    const std::string content =
        std::string("name=New\r\nmax-folders=3\r\n") + c.line + "\r\nmax-project-macros=7\r\n";
    const TarveloError error = RaisedBy([&] { Read(content, settings); });
    EXPECT_EQ(error.number, c.number) << c.line;
    EXPECT_EQ(error.description, "Error reading Project Data file " + (dir_ / "site.web") + ". " +
                                     c.description + ".");
    EXPECT_EQ(settings.name, "New");
    EXPECT_EQ(settings.max_folders, 3);
    EXPECT_EQ(settings.max_project_macros, 99);
    EXPECT_EQ(ReadFile(dir_ / "site.web"), content);
  }
}

TEST_F(ProjectSettingsTest, DeleteLineIsReadBeforeRequiredTag) {
  ProjectSettings settings;
  settings.required_tag = "old-required";
  settings.conditional_end_tag = "old-end";
  EXPECT_THROW(Read("conditional-end-tag=>\r\nrequired-tag=%\r\ndelete-line=yes\r\n", settings),
               TarveloError);
  EXPECT_EQ(settings.conditional_end_tag, ">");
  EXPECT_EQ(settings.required_tag, "old-required");
  EXPECT_EQ(settings.empty_macro_marker, "[@]");
}

TEST_F(ProjectSettingsTest, JunkAndLongLinesDoNotUpsetTheReader) {
  ProjectSettings settings;
  Read(
      std::string(100000, 'q') + "\r\n" + std::string("\0\x80\xff=\r", 5) + "\nname=Still Here\r\n",
      settings);
  EXPECT_EQ(settings.name, "Still Here");

  const TarveloError error =
      RaisedBy([&] { ReadProjectSettingsFile(files_, dir_ / "gone.web", settings); });
  EXPECT_EQ(error.number, kFileNotFound);
  EXPECT_EQ(error.description.rfind(
                "Error reading Project Data file " + (dir_ / "gone.web") + ". File not found", 0),
            0u);
  EXPECT_FALSE(testing::Exists(dir_ / "gone.web"));
}

TEST_F(ProjectSettingsTest, TheSampleProjectLivesInTheOverviewFolder) {
  const ProjectSettings sample = SampleProjectSettings("/opt/tarvelo");
  EXPECT_EQ(sample.name, "Tarvelo CMS Overview (Sample)");
  EXPECT_EQ(sample.document_root, "/opt/tarvelo/overview/");
  EXPECT_EQ(sample.content_root, "/opt/tarvelo/overview/");
  EXPECT_EQ(sample.definition_file, "/opt/tarvelo/overview/overview.txt");
  EXPECT_EQ(sample.max_globals, 2);
  EXPECT_EQ(sample.project_file_path, "/opt/tarvelo/overview/Tarvelo CMS Overview.web");
}

TEST_F(ProjectSettingsTest, ReadSettingFromFileIsSilentAboutMissingFiles) {
  WriteFile(dir_ / "a.web", "definition-file=site.txt\r\n");
  EXPECT_EQ(ReadSettingFromFile(files_, dir_ / "a.web", "definition-file"), "site.txt");
  EXPECT_EQ(ReadSettingFromFile(files_, dir_ / "a.web", "name"), "");
  EXPECT_EQ(ReadSettingFromFile(files_, dir_ / "missing.web", "name"), "");
  EXPECT_EQ(ReadSettingFromFile(files_, dir_.path(), "name"), "");
}

TEST_F(ProjectSettingsTest, AFailedWriteNamesTheFile) {
  ProjectSettings settings = NewProjectSettings();
  settings.project_file_path = dir_ / "missing/site.web";
  const TarveloError error = RaisedBy([&] { WriteProjectSettings(files_, settings); });
  EXPECT_EQ(error.number, kPathNotFound);
  EXPECT_EQ(error.description.rfind("Error writing to Project Data file " +
                                        settings.project_file_path + ". Path not found",
                                    0),
            0u);
}

}  // namespace
}  // namespace tarvelo
