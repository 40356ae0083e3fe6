// The Project History file and the operations on it: what is read, what is written,
// which entry is current, and that a refused operation changes neither memory nor file.
#include "project/project_history.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/error.h"
#include "project/file_store.h"
#include "project/history_operations.h"
#include "project/startup.h"
#include "project/workspace.h"
#include "support/raised_by.h"
#include "support/test_support.h"

namespace tarvelo {
namespace {

using namespace testing;

class ProjectHistoryTest : public ::testing::Test {
 protected:
  ProjectHistoryTest() {
    WriteFile(dir_ / "a.web", "name=Alpha\r\n");
    WriteFile(dir_ / "b.web", "name=Beta\r\n");
    WriteFile(dir_ / "c.web", "name=Gamma\r\n");
    WriteFile(dir_ / "noname.web", "document-root=/x\r\n");
  }

  std::string history_path() const { return dir_ / "projects.ini"; }

  ProjectHistory ReadText(const std::string& text, size_t capacity = 25) {
    WriteFile(history_path(), text);
    ProjectHistory history;
    history.entries.resize(capacity);
    ReadProjectHistory(files_, history_path(), history);
    return history;
  }

  TempDir dir_;
  FileStore files_;
  ScriptedHost host_;
};

TEST_F(ProjectHistoryTest, ReadsPathsStatesAndNames) {
  const ProjectHistory history =
      ReadText("5|" + (dir_ / "a.web") + "|1\r\n 5 | " + (dir_ / "b.web") + " | 2 |extra\n5|" +
               (dir_ / "gone.web") + "|1\r\n");
  EXPECT_EQ(history.last_index, 2);
  EXPECT_EQ(history.current_index, 1);
  EXPECT_EQ(history.entries[0].name, "Alpha");
  EXPECT_EQ(history.entries[1].path, dir_ / "b.web");
  EXPECT_EQ(history.entries[1].name, "Beta");
  EXPECT_EQ(history.entries[1].state, kHistoryCurrent);
  EXPECT_EQ(history.entries[2].name, "");
  EXPECT_EQ(history.entries[2].state, kHistoryEmpty);

  // The Project whose file has gone disappears at the next write.
  WriteProjectHistory(files_, dir_ / "out.ini", history);
  EXPECT_EQ(ReadFile(dir_ / "out.ini"),
            "5|" + (dir_ / "a.web") + "|1\r\n5|" + (dir_ / "b.web") + "|2\r\n");
}

TEST_F(ProjectHistoryTest, WhichEntryIsCurrent) {
  const std::string a = dir_ / "a.web";
  const std::string b = dir_ / "b.web";
  const std::string gone = dir_ / "gone.web";
  const struct {
    std::string text;
    Int16 current;
    std::string missing;
  } cases[] = {
      {"5|" + a + "|1\r\n5|" + b + "|1\r\n", 0, ""},
      {"5|" + a + "|2\r\n5|" + b + "|2\r\n", 1, ""},
      // A current Project whose file is gone: the first one still listed stands in.
      {"5|" + gone + "|2\r\n5|" + b + "|1\r\n", 1, gone},
      {"5|" + a + "|1\r\n5|" + gone + "|2\r\n", 0, gone},
      {"5|" + gone + "|2\r\n", -1, gone},
  };
  for (const auto& c : cases) {
    const ProjectHistory history = ReadText(c.text);
    EXPECT_EQ(history.current_index, c.current) << c.text;
    EXPECT_EQ(history.missing_current_path, c.missing) << c.text;
  }
  const ProjectHistory empty = ReadText("");
  EXPECT_EQ(empty.last_index, -1);
  EXPECT_EQ(empty.current_index, -1);
  // Only as many lines as the table holds are read.
  const ProjectHistory small = ReadText("5|" + a + "|1\r\n5|" + b + "|2\r\n", 1);
  EXPECT_EQ(small.last_index, 0);
  EXPECT_EQ(small.current_index, 0);
}

TEST_F(ProjectHistoryTest, ABadStateFailsTheReadAndKeepsWhatCameBefore) {
  const std::string a = dir_ / "a.web";
  struct Case {
    std::string bad_line;
    int number;
  };
  const Case cases[] = {{"", kTypeMismatch},
                        {"5|" + a + "|current", kTypeMismatch},
                        {"5|" + a, kTypeMismatch},
                        {"5|" + a + "|40000", kOverflow},
                        {std::string("\0\xff|\x01|", 6), kTypeMismatch},
                        {std::string(100000, '5'), kTypeMismatch}};
  for (const Case& c : cases) {
    const std::string content = "5|" + a + "|2\r\n" + c.bad_line + "\r\n5|" + a + "|1\r\n";
    WriteFile(history_path(), content);
    ProjectHistory history;
    history.current_index = 7;
    const TarveloError error =
        RaisedBy([&] { ReadProjectHistory(files_, history_path(), history); });
    EXPECT_EQ(error.number, c.number) << c.bad_line.substr(0, 20);
    EXPECT_EQ(error.description, "Error reading Project History file " + history_path() + ". " +
                                     RuntimeErrorText(c.number) + ".");
    EXPECT_EQ(history.last_index, 0);
    EXPECT_EQ(history.entries[0].path, a);
    EXPECT_EQ(history.current_index, -1);
    EXPECT_EQ(ReadFile(history_path()), content);
  }
}

TEST_F(ProjectHistoryTest, ALongPathIsReadWhole) {
  const std::string long_path = "/" + std::string(100000, 'p') + ".web";
  const ProjectHistory history = ReadText("5|" + long_path + "|2\r\n");
  EXPECT_EQ(history.entries[0].path, long_path);
  EXPECT_EQ(history.entries[0].state, kHistoryEmpty);  // no such file, so no name
}

constexpr const char* kCreate =
    "The Project History file could not be found.\rA default Project History file will be "
    "created at %.\rPress OK to create the file or press Cancel to exit the program.";
constexpr const char* kCreateImporting =
    "The Project History file could not be found.\rA default Project History file will be "
    "created at %.\rPress OK to create the file or press Cancel to select another option.";
constexpr const char* kUnknown =
    "Tarvelo does not recognize your Project History File. To correct this error, rename % and "
    "restart the program.";
constexpr const char* kUnknownImporting =
    "Tarvelo does not recognize your Project History File. Please make sure that the file you "
    "are attempting to import is a valid Project History File.";

struct CheckCase {
  const char* label;
  const char* content;  // nullptr: no file
  bool importing;
  MessageAnswer answer;
  bool expected;
  const char* message;  // "" when no message is expected; % stands for the path
  bool sample_written;
};

TEST_F(ProjectHistoryTest, VersionCheckBranches) {
  const std::string path = dir_ / "sub/projects.ini";
  const CheckCase cases[] = {
      {"missing, OK", nullptr, false, MessageAnswer::kOk, true, kCreate, true},
      {"missing, Cancel", nullptr, false, MessageAnswer::kCancel, false, kCreate, false},
      {"missing when importing", nullptr, true, MessageAnswer::kCancel, false, kCreateImporting,
       false},
      {"empty", "", false, MessageAnswer::kOk, true, "", false},
      {"version 5", "5|/a.web|1\r\n", false, MessageAnswer::kOk, true, "", false},
      {"version 5.0", "5.0|C:\\a.web|1\r\n", true, MessageAnswer::kOk, true, "", false},
      {"a dot", ".\r\n", false, MessageAnswer::kOk, true, "", true},
      {"a dot when importing", ".", true, MessageAnswer::kOk, true, "", true},
      {"unknown", "4|/a.web|1\r\n", false, MessageAnswer::kOk, false, kUnknown, false},
      {"unknown when importing", "name=x\r\n", true, MessageAnswer::kOk, false, kUnknownImporting,
       false},
      {"junk", "\x01\xff|5|1", false, MessageAnswer::kOk, false, kUnknown, false},
  };
  for (const CheckCase& c : cases) {
    std::filesystem::remove_all(dir_ / "sub");
    if (c.content != nullptr) WriteFile(path, c.content);
    ScriptedHost host;
    host.message_answers.push_back(c.answer);
    ProjectHistory history;
    EXPECT_EQ(CheckProjectHistoryFile(files_, host, path, "/opt/tv", c.importing, history),
              c.expected)
        << c.label;
    const std::string expected_message = testing::WithPath(c.message, path);
    if (expected_message.empty()) {
      EXPECT_TRUE(host.messages.empty()) << c.label;
    } else {
      ASSERT_EQ(host.messages.size(), 1u) << c.label;
      EXPECT_EQ(host.messages[0].text, expected_message) << c.label;
      const bool question = c.content == nullptr;
      EXPECT_EQ(host.messages[0].caption,
                question ? "Create Default Project History File" : "Project History File Error")
          << c.label;
      EXPECT_EQ(host.messages[0].icon, question ? MessageIcon::kQuestion : MessageIcon::kNone);
    }
    if (c.sample_written) {
      EXPECT_EQ(ReadFile(path), "5|/opt/tv/overview/Tarvelo CMS Overview.web|2\r\n") << c.label;
      EXPECT_EQ(history.last_index, 0);
    } else if (c.content != nullptr) {
      EXPECT_EQ(ReadFile(path), c.content) << c.label;
    } else {
      EXPECT_FALSE(Exists(dir_ / "sub")) << c.label;
    }
  }
}

TEST_F(ProjectHistoryTest, FindResizeAndReset) {
  ProjectHistory history =
      ReadText("5|" + (dir_ / "a.web") + "|1\r\n5|" + (dir_ / "b.web") + "|2\r\n");
  EXPECT_EQ(FindProject(history, dir_ / "b.web"), 1);
  EXPECT_EQ(FindProject(history, dir_ / "B.web"), -1);
  EXPECT_EQ(FindProject(ProjectHistory(), ""), -1);

  ResizeProjectHistory(history, 1);
  EXPECT_EQ(history.entries.size(), 1u);
  EXPECT_EQ(history.entries[0].name, "Alpha");
  EXPECT_EQ(history.last_index, 0);
  EXPECT_EQ(history.current_index, -1);
  ResizeProjectHistory(history, 30);
  EXPECT_EQ(history.entries.size(), 30u);
  EXPECT_EQ(history.entries[0].name, "Alpha");

  ResizeProjectHistory(history, -5);
  EXPECT_TRUE(history.entries.empty());
  EXPECT_EQ(RaisedBy([&] { ResetProjectHistory(history, "/opt/tv"); }).number,
            kSubscriptOutOfRange);
}

// ---------------------------------------------------------------- operations

class HistoryOperationsTest : public ProjectHistoryTest {
 protected:
  HistoryOperationsTest() : workspace_(host_, dir_ / "prog") {
    workspace_.options.project_file = history_path();
    WriteFile(history_path(), HistoryText({{"a.web", 1}, {"b.web", 2}}));
    ReadProjectHistory(workspace_);
    ReadProjectSettings(workspace_, "");
  }

  std::string HistoryText(const std::vector<std::pair<std::string, int>>& lines) {
    std::string text;
    for (const auto& [name, state] : lines) {
      text += "5|" + (dir_ / name) + "|" + std::to_string(state) + "\r\n";
    }
    return text;
  }

  Workspace workspace_;
};

TEST_F(HistoryOperationsTest, OpenAddsAnUnlistedProjectAndMakesItCurrent) {
  const HistoryUpdate update = OpenProject(workspace_, dir_ / "c.web");
  EXPECT_TRUE(update.list_changed);
  EXPECT_TRUE(update.settings_read);
  EXPECT_EQ(update.selected_index, 2);
  EXPECT_EQ(ReadFile(history_path()), HistoryText({{"a.web", 1}, {"b.web", 1}, {"c.web", 2}}));
  EXPECT_EQ(workspace_.history.current_index, 2);
  EXPECT_EQ(workspace_.history.entries[2].name, "Gamma");
  EXPECT_EQ(workspace_.settings.name, "Gamma");
  EXPECT_TRUE(host_.messages.empty());
}

TEST_F(HistoryOperationsTest, OpenAListedProjectAddsNothing) {
  OpenProject(workspace_, dir_ / "a.web");
  EXPECT_EQ(ReadFile(history_path()), HistoryText({{"a.web", 2}, {"b.web", 1}}));
  EXPECT_EQ(workspace_.settings.name, "Alpha");
  EXPECT_EQ(workspace_.history.last_index, 1);
}

TEST_F(HistoryOperationsTest, OpenChangesNothingForFilesItCannotKeep) {
  const std::string before = ReadFile(history_path());
  WriteFile(dir_ / "pipe|d.web", "name=Delta\r\n");
  for (const std::string& path :
       {dir_ / "noname.web", dir_ / "missing.web", std::string(), dir_ / "pipe|d.web"}) {
    const HistoryUpdate update = OpenProject(workspace_, path);
    EXPECT_FALSE(update.list_changed) << path;
    EXPECT_FALSE(update.settings_read) << path;
    EXPECT_EQ(ReadFile(history_path()), before) << path;
    EXPECT_EQ(workspace_.history.last_index, 1) << path;
    EXPECT_EQ(workspace_.history.entries[1].state, kHistoryCurrent) << path;
    EXPECT_EQ(workspace_.settings.name, "Beta") << path;
  }
  ASSERT_EQ(host_.messages.size(), 1u);
  EXPECT_EQ(host_.messages[0].text,
            "Error # 52 was generated by Tarvelo\rBad file name or number (" +
                (dir_ / "pipe|d.web") + ")");
}

// A full table refuses the new Project before anything changes, so the table still
// matches the file and later operations go on working.
TEST_F(HistoryOperationsTest, OpenIntoAFullTableRaisesSubscriptOutOfRange) {
  ResizeProjectHistory(workspace_.history, 2);
  const std::string before = ReadFile(history_path());
  const HistoryUpdate update = OpenProject(workspace_, dir_ / "c.web");
  EXPECT_FALSE(update.list_changed);
  ASSERT_EQ(host_.messages.size(), 1u);
  EXPECT_EQ(host_.messages[0].text,
            "Error # 9 was generated by Tarvelo\rSubscript out of range. The Project History "
            "holds 2 Projects, the most that its maximum-projects setting allows. Remove a "
            "Project, or raise maximum-projects in " +
                (dir_ / "prog/tarvelo.ini") + ", to add another.");
  EXPECT_EQ(host_.messages[0].caption, "Error");
  EXPECT_EQ(ReadFile(history_path()), before);
  EXPECT_EQ(workspace_.history.entries[0].state, kHistoryListed);
  EXPECT_EQ(workspace_.history.entries[1].state, kHistoryCurrent);
  EXPECT_EQ(workspace_.history.last_index, 1);

  SelectProject(workspace_, 0);
  EXPECT_EQ(ReadFile(history_path()), HistoryText({{"a.web", 2}, {"b.web", 1}}));
  EXPECT_EQ(workspace_.settings.name, "Alpha");
}

// Another instance changed the file after this one read it: every operation works on
// the file as it is now, so neither instance's change is lost.
TEST_F(HistoryOperationsTest, ChangesKeepAnotherInstancesEntries) {
  testing::ScriptedHost other_host;
  Workspace other(other_host, dir_ / "prog");
  other.options.project_file = history_path();
  ReadProjectHistory(other);
  OpenProject(other, dir_ / "c.web");

  MoveProjectDown(workspace_, 0);
  EXPECT_EQ(ReadFile(history_path()), HistoryText({{"b.web", 1}, {"a.web", 1}, {"c.web", 2}}));
  RemoveProject(other);          // c, the other's current Project
  SelectProject(workspace_, 2);  // c is gone: an error, no change
  EXPECT_EQ(ReadFile(history_path()), HistoryText({{"b.web", 1}, {"a.web", 1}}));
  SelectProject(workspace_, 1);
  EXPECT_EQ(ReadFile(history_path()), HistoryText({{"b.web", 1}, {"a.web", 2}}));
  EXPECT_EQ(workspace_.settings.name, "Alpha");
  ASSERT_EQ(host_.messages.size(), 1u);
  EXPECT_EQ(host_.messages[0].text, "Error # 9 was generated by Tarvelo\rSubscript out of range");
}

TEST_F(HistoryOperationsTest, SelectMakesTheEntryCurrent) {
  const HistoryUpdate update = SelectProject(workspace_, 0);
  EXPECT_TRUE(update.settings_read);
  EXPECT_EQ(update.selected_index, 0);
  EXPECT_EQ(workspace_.history.current_index, 0);
  EXPECT_EQ(ReadFile(history_path()), HistoryText({{"a.web", 2}, {"b.web", 1}}));

  for (Int16 bad : {Int16{-1}, Int16{2}, Int16{24}}) {
    EXPECT_FALSE(SelectProject(workspace_, bad).list_changed);
  }
  EXPECT_EQ(host_.messages.size(), 3u);
  EXPECT_EQ(workspace_.history.current_index, 0);
}

TEST_F(HistoryOperationsTest, RemoveAsksAndDropsTheCurrentProject) {
  host_.message_answers = {MessageAnswer::kCancel, MessageAnswer::kOk};
  EXPECT_FALSE(RemoveProject(workspace_).list_changed);
  EXPECT_EQ(ReadFile(history_path()), HistoryText({{"a.web", 1}, {"b.web", 2}}));

  const HistoryUpdate update = RemoveProject(workspace_);
  ASSERT_EQ(host_.messages.size(), 2u);
  EXPECT_EQ(host_.messages[1].text,
            "Are you sure you want to remove the Project \"Beta\" from Tarvelo?");
  EXPECT_EQ(host_.messages[1].caption, "Remove Project");
  EXPECT_EQ(host_.messages[1].buttons, MessageButtons::kOkCancel);
  EXPECT_EQ(host_.messages[1].icon, MessageIcon::kQuestion);
  EXPECT_TRUE(update.settings_read);
  EXPECT_EQ(ReadFile(history_path()), HistoryText({{"a.web", 1}}));
  EXPECT_EQ(workspace_.history.current_index, 0);
  EXPECT_EQ(workspace_.settings.name, "Alpha");
  EXPECT_TRUE(Exists(dir_ / "b.web"));

  RemoveProject(workspace_);  // the last one: the queue answers OK
  EXPECT_EQ(ReadFile(history_path()), "");
  EXPECT_EQ(workspace_.history.current_index, -1);
  const size_t asked = host_.messages.size();
  EXPECT_FALSE(RemoveProject(workspace_).list_changed);
  EXPECT_EQ(host_.messages.size(), asked);
}

TEST_F(HistoryOperationsTest, MoveSwapsNeighboursAndFollowsTheEntry) {
  OpenProject(workspace_, dir_ / "c.web");
  HistoryUpdate update = MoveProjectUp(workspace_, 2);
  EXPECT_EQ(update.selected_index, 1);
  EXPECT_FALSE(update.settings_read);
  EXPECT_EQ(ReadFile(history_path()), HistoryText({{"a.web", 1}, {"c.web", 2}, {"b.web", 1}}));
  EXPECT_EQ(workspace_.history.current_index, 1);

  update = MoveProjectDown(workspace_, 0);
  EXPECT_EQ(update.selected_index, 1);
  EXPECT_EQ(ReadFile(history_path()), HistoryText({{"c.web", 2}, {"a.web", 1}, {"b.web", 1}}));

  const std::string before = ReadFile(history_path());
  EXPECT_FALSE(MoveProjectUp(workspace_, 0).list_changed);
  EXPECT_FALSE(MoveProjectDown(workspace_, 2).list_changed);
  EXPECT_EQ(host_.messages.size(), 2u);
  EXPECT_EQ(ReadFile(history_path()), before);
}

}  // namespace
}  // namespace tarvelo
