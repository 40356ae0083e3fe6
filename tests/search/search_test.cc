// Find, Replace and Replace Special over a fixture Project: the order of the file
// list, the counting and replacing rules, the runs' logs and summaries, read-only
// files and the rewrite that never leaves a file half-written.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "common/error.h"
#include "project/file_locks.h"
#include "project/project_definition.h"
#include "project/project_settings.h"
#include "project/workspace.h"
#include "search/find_run.h"
#include "search/occurrences.h"
#include "search/replace_run.h"
#include "search/search_reporter.h"
#include "support/raised_by.h"
#include "support/test_support.h"

namespace tarvelo {
namespace {

using namespace testing;

class RecordingReporter : public SearchReporter {
 public:
  void ClearStatus() override { status.clear(); }
  void UpdateStatus(const std::string& line) override { status.push_back(line); }
  void ClearResults() override {
    results.clear();
    details.clear();
  }
  void UpdateResultsStatus(const std::string& line) override { results.push_back(line); }
  void UpdateDetailedResultsStatus(const std::string& listed, const std::string& path,
                                   const std::string& text, std::int32_t count,
                                   std::int32_t number) override {
    details.push_back(listed + "|" + path + ":" + std::to_string(number) + ":" +
                      std::to_string(count) + ":" + text);
  }
  std::vector<std::string> status, results, details;
};

// Two Folders; index.par is shared by two Documents, a Template is missing.
class SearchTest : public ::testing::Test {
 protected:
  SearchTest() : ws(host, dir.path()) {
    ws.settings = NewProjectSettings();
    ws.settings.content_root = dir / "src/";
    ws.settings.document_root = dir / "site/";
    ws.settings.definition_file = "project.txt";
    ws.settings.project_macro_file = "project.par";
    ws.working = WorkingFilesIn(dir / "temp/");
    Src("project.txt",
        "Globals=globals.par\r\n[Main]\r\nGlobals=folder.par\r\n"
        "index.html,page.tpl,index.par\r\nabout.html,page.tpl,about.par,index.par\r\n"
        "[News]\r\nnews.html,gone.tpl,index.par\r\n");
    Src("project.par", "[@SITE]:\r\nSite\r\n[@]\r\n");
    Src("globals.par", "[@TITLE]: global\r\n");
    Src("folder.par", "none\r\n");
    Src("page.tpl", "<h1>[@TITLE]</h1>\r\n<p>[@TITLE] [@title]</p>\r\n");
    Src("index.par", "[@TITLE]:\r\nHome\r\n[@]\r\n");
    Src("about.par", "[@TITLE(@x)]:\r\nAbout\r\n[@]\r\n");
    WriteFile(dir / "site/index.html", "<h1>Home</h1>\r\n");
    EXPECT_TRUE(LoadSearchDefinition(ws, definition));
  }
  void Src(const std::string& name, const std::string& text) { WriteFile(Path(name), text); }
  std::string Path(const std::string& name) const { return dir / ("src/" + name); }
  std::string Log() const { return ReadFile(ws.working.search_file); }

  FindTotals Find(const std::string& text, bool definitions = false, bool ignore_case = false) {
    FindRequest request{text, ignore_case, definitions, {}};
    return RunFind(ws, definition, request, list, reporter, stop);
  }
  ReplaceTotals Replace(const std::string& from, const std::string& to, bool ignore_case = false) {
    ReplaceRequest request{from, to, ignore_case, {}};
    return RunReplace(ws, definition, request, list, reporter, stop);
  }

  TempDir dir;
  ScriptedHost host;
  Workspace ws;
  ProjectDefinition definition;
  SearchFileList list;
  RecordingReporter reporter;
  std::atomic<bool> stop{false};
};

std::vector<std::string> Listed(const SearchFileList& list) {
  std::vector<std::string> names;
  for (Int16 i = 0; i < list.capacity() && !list.at(i).empty(); ++i) names.push_back(list.at(i));
  return names;
}

TEST_F(SearchTest, FileListFollowsTheProjectOrderOnceEach) {
  struct Case {
    SearchScope scope;
    std::vector<std::string> names;
  } cases[] = {
      {{},
       {"project.par", "globals.par", "folder.par", "page.tpl", "index.par", "about.par",
        "gone.tpl"}},
      // Only Templates of the selected Document: no Folder Globals, one Template.
      {{false, true, false, true, false, false, 0, 1}, {"page.tpl"}},
      {{false, true, true, false, true, true, 1, 0}, {"project.par", "globals.par", "index.par"}},
      {{false, false, false, false, false, true, -1, -1}, {"folder.par"}},
      {{true, false, false, false, false, false, -1, -1},
       {"index.html", "about.html", "news.html"}},
      {{true, true, true, true, true, true, 0, 1}, {"about.html"}},
  };
  for (const Case& c : cases) {
    list.InitFileList();
    BuildFileList(definition, ws.settings, c.scope, list);
    EXPECT_EQ(Listed(list), c.names);
  }
}

TEST_F(SearchTest, FileListGrowsByHundredsUpToTheSixteenBitLimit) {
  list.InitFileList();
  EXPECT_EQ(list.capacity(), 10);
  for (int i = 0; i < 11; ++i) list.AddFileToList("f" + std::to_string(i));
  EXPECT_EQ(list.capacity(), 110);
  list.InitFileList();  // a grown list keeps its capacity
  EXPECT_EQ(list.capacity(), 110);
  for (int i = 0; i < 32710; ++i) list.AddFileToList("f" + std::to_string(i));
  EXPECT_EQ(list.capacity(), 32710);
  EXPECT_EQ(RaisedBy([&] { list.AddFileToList("one more"); }).number, kOverflow);
}

TEST(Occurrences, CountFollowsTheMatchingRules) {
  const ProjectSettings settings = NewProjectSettings();
  struct Case {
    const char* line;
    const char* find;  // the needle as SearchNeedle forms it
    bool ignore_case, definitions;
    int count;
  } cases[] = {
      {"aaaa", "aa", false, false, 2},  // no overlaps
      {"ABC abc", "abc", false, false, 1},
      {"ABC abc", "abc", true, false, 2},
      {"\xC0"
       "B \xE0"
       "b",
       "\xE0"
       "b",
       true, false, 2},  // Latin-1 letters fold too
      {"x", "", false, false, 0},
      {"[@NAME]: v", "[@NAME", false, true, 1},
      {"[@NAME] no colon", "[@NAME", false, true, 0},
      {" [@NAME]: not at the start", "[@NAME", false, true, 0},
      {"[@NAME(@p)]: v", "[@NAME]", false, true, 1},  // "[@NAME]:" or "[@NAME(@"
      {"[@NAMES]: v", "[@NAME]", false, true, 0},
      {"[@name]: v", "[@NAME]", true, true, 1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CountOccurrences(c.line, c.find, c.ignore_case, c.definitions, settings), c.count)
        << c.line << " / " << c.find;
  }
  EXPECT_EQ(SearchNeedle(" NAME ", true, settings), "[@NAME");
  EXPECT_EQ(SearchNeedle("[@NAME]", true, settings), "[@NAME]");
  EXPECT_EQ(SearchNeedle("   ", true, settings), "");
  EXPECT_EQ(SearchNeedle("   ", false, settings), "   ");
}

TEST(Occurrences, ReplaceScansOnceAndNeverRescansInsertedText) {
  struct Case {
    const char* line;
    const char* find;
    const char* with;
    bool ignore_case;
    const char* result;
    int count;
  } cases[] = {
      {"aabb", "ab", "", false, "ab", 1},
      {"a-a", "a", "aa", false, "aa-aa", 2},
      {"TITLE title Title", "Title", "Heading", true, "Heading Heading Heading", 3},
      {"TITLE", "Title", "Heading", false, "TITLE", 0},
      {"abc", "", "x", false, "abc", 0},
  };
  for (const Case& c : cases) {
    std::string line = c.line;
    EXPECT_EQ(ReplaceInLine(line, c.find, c.with, c.ignore_case, false), c.count) << c.line;
    EXPECT_EQ(line, c.result);
    line = c.line;
    EXPECT_EQ(ReplaceInLine(line, c.find, c.with, c.ignore_case, true), c.count);
    EXPECT_EQ(line, c.line);
  }
}

TEST(Occurrences, APositionBeyondTheSixteenBitLimitOverflows) {
  const ProjectSettings settings = NewProjectSettings();
  std::string far(32766, ' ');
  EXPECT_EQ(CountOccurrences(far + "x", "x", false, false, settings), 1);  // position 32,767
  far += " x";
  for (bool count_only : {false, true}) {
    std::string line = far;
    EXPECT_THROW(ReplaceInLine(line, "x", "y", false, count_only), TarveloError);
  }
  EXPECT_EQ(RaisedBy([&] { CountOccurrences(far, "x", false, false, settings); }).number,
            kOverflow);
}

TEST_F(SearchTest, FindLogsEveryFileAndSumsUp) {
  const FindTotals totals = Find("[@TITLE]");
  EXPECT_EQ(totals.occurrences, 4);
  const std::string summary = "Complete. 4 occurrences in 3 files. 6 files checked. ";
  EXPECT_EQ(reporter.status.back(), summary);
  EXPECT_EQ(reporter.results,
            (std::vector<std::string>{Path("globals.par") + " (1)", Path("page.tpl") + " (2)",
                                      Path("index.par") + " (1)"}));
  EXPECT_EQ(reporter.details[1], "page.tpl|" + Path("page.tpl") + ":1:1:<h1>[@TITLE]</h1>");
  const std::string log = Log();
  EXPECT_TRUE(log.starts_with("Searching for: \"[@TITLE]\"\r\n\r\n" + Path("project.par") +
                              "\r\n>Not found\r\n\r\n"));
  EXPECT_NE(log.find(Path("page.tpl") + "\r\n>2 occurrences found\r\n\r\n"), std::string::npos);
  EXPECT_NE(log.find(Path("gone.tpl") + "\r\n>File does not exist\r\n\r\n"), std::string::npos);
  EXPECT_TRUE(log.ends_with("\r\n\r\n" + summary + "\r\n"));
}

TEST_F(SearchTest, FindModesChangeWhatCounts) {
  struct Case {
    const char* text;
    bool definitions, ignore_case;
    const char* summary;
  } cases[] = {
      {"TITLE", true, false, "Complete. 3 occurrences in 3 files. 6 files checked. "},
      {"[@title]", false, true, "Complete. 5 occurrences in 3 files. 6 files checked. "},
      {"  ", true, false, "Complete. 0 occurrences in 0 files. 6 files checked. "},
  };
  for (const Case& c : cases) {
    Find(c.text, c.definitions, c.ignore_case);
    EXPECT_EQ(reporter.status.back(), c.summary) << c.text;
  }
}

TEST_F(SearchTest, AnOccurrenceTooFarInALineEndsOnlyThatFile) {
  Src("index.par", "[@TITLE]:\r\n" + std::string(32767, ' ') + "[@TITLE]\r\n[@TITLE]\r\n");
  Find("[@TITLE]");
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].text, "Error # 6 was generated by Tarvelo\rOverflow");
  EXPECT_EQ(reporter.status.back(), "Complete. 4 occurrences in 3 files. 6 files checked. ")
      << "index.par counts what was found before the failure";
}

TEST_F(SearchTest, StopEndsTheRunAtTheNextFile) {
  host.on_events = [&](int events) { stop = stop || events == 2; };
  Find("[@");
  EXPECT_EQ(reporter.status.back(), "Stopped. 3 occurrences in 2 files. 3 files checked. ");
  EXPECT_FALSE(stop);
  host.events = 0;
  Replace("[@TITLE]", "[@NAME]");
  const std::vector<std::string> tail(reporter.status.end() - 2, reporter.status.end());
  EXPECT_EQ(tail,
            (std::vector<std::string>{"Stopped. 1 replacement in 1 file. ", "3 files checked."}));
  EXPECT_EQ(ReadFile(Path("page.tpl")), "<h1>[@TITLE]</h1>\r\n<p>[@TITLE] [@title]</p>\r\n");
}

TEST_F(SearchTest, ReplaceWaitsForARunThatHoldsTheTemporaryFolder) {
  FolderLock held;
  ASSERT_TRUE(held.TryLock(ws.files, ws.working.temp_folder));
  int pauses = 0;
  host.on_pause = [&](int) {
    if (++pauses == 2) held.Release();
  };
  EXPECT_EQ(Replace("[@TITLE]", "[@NAME]").replacements, 4);
  EXPECT_EQ(reporter.status[1],
            "Waiting for another run that uses " + ws.working.temp_folder + " to finish...");
  EXPECT_EQ(pauses, 2);

  ASSERT_TRUE(held.TryLock(ws.files, ws.working.temp_folder));
  host.on_pause = [&](int) { stop = true; };
  const ReplaceTotals stopped = Replace("[@NAME]", "[@TITLE]");
  EXPECT_TRUE(stopped.stopped);
  EXPECT_EQ(stopped.files_checked, 0);
  EXPECT_EQ(ReadFile(Path("index.par")), "[@NAME]:\r\nHome\r\n[@]\r\n");
}

TEST_F(SearchTest, ReplaceRewritesWritableFilesAndCountsReadOnlyOnes) {
  Src("folder.par", "a\nb");                              // no matches: still rewritten with CR LF
  testing::SetModified(Path("project.par"), 1000000000);  // no matches, CR LF already
  SetReadOnly(Path("page.tpl"), true);
  const ReplaceTotals totals = Replace("[@TITLE]", "[@HEADING]");
  EXPECT_EQ(totals.replacements, 2);
  const std::vector<std::string> tail(reporter.status.end() - 2, reporter.status.end());
  const std::vector<std::string> summary = {
      "Complete. 2 replacements in 2 files. 2 occurrences in 1 read-only file not replaced.",
      "6 files checked (1 read-only file)."};
  EXPECT_EQ(tail, summary);
  EXPECT_EQ(ReadFile(Path("index.par")), "[@HEADING]:\r\nHome\r\n[@]\r\n");
  EXPECT_EQ(ReadFile(Path("folder.par")), "a\r\nb\r\n");
  EXPECT_EQ(ReadFile(Path("project.par")), "[@SITE]:\r\nSite\r\n[@]\r\n");
  EXPECT_GT(testing::Modified(Path("project.par")), 1000000000);
  EXPECT_EQ(ReadFile(Path("page.tpl")), "<h1>[@TITLE]</h1>\r\n<p>[@TITLE] [@title]</p>\r\n");
  EXPECT_EQ(reporter.results[1], Path("page.tpl") + " (2)");
  EXPECT_EQ(reporter.details[0], "globals.par|" + Path("globals.par") + ":1:1:[@HEADING]: global");
  const std::string log = Log();
  EXPECT_TRUE(log.starts_with("Replacing: \"[@TITLE]\" with: \"[@HEADING]\"\r\n\r\n"));
  EXPECT_NE(log.find(">2 occurrences found in read-only file. Not replaced.\r\n"),
            std::string::npos);
  EXPECT_NE(log.find(Path("index.par") + "\r\n>1 replacement made.\r\n\r\n"), std::string::npos);
  EXPECT_TRUE(log.ends_with("\r\n\r\n" + summary[0] + "\r\n" + summary[1] + "\r\n"));
  Replace("zzz", "y");
  EXPECT_EQ(reporter.status.back(), "6 files checked (1 read-only file).");
  EXPECT_EQ(reporter.status[reporter.status.size() - 2], "Complete. 0 replacements in 0 files. ");
}

TEST_F(SearchTest, ReplaceClearsTheOldBytesOfAKilledRewriteBesideAFileAlreadyDone) {
  // Killed between putting index.par in place and unlinking its old bytes.
  const std::string sibling = Path(".index.par.tarvelo-0.tmp");
  WriteFile(sibling, "[@NAME]:\r\nHome\r\n[@]\r\n");
  EXPECT_EQ(Replace("[@NAME]", "[@TITLE]").replacements, 0);
  EXPECT_FALSE(testing::Exists(sibling));
}

TEST_F(SearchTest, AFailedRewriteLeavesTheFileAsItWas) {
  const std::string former = "[@TITLE]:\r\n" + std::string(32767, ' ') + "[@TITLE]\n";
  Src("about.par", former);  // the last file, so the working file is not reused
  const std::string binary("[@TITLE]\0\n\x89PNG\n", 14);
  Src("index.par", binary);
  Replace("[@TITLE]", "[@HEADING]");
  EXPECT_EQ(ReadFile(Path("about.par")), former);
  EXPECT_EQ(ReadFile(Path("index.par")), binary);
  EXPECT_EQ(ReadFile(ws.working.replace_file), former.substr(0, former.size() - 1) + "\r\n")
      << "the working file holds the former text";
  ASSERT_EQ(host.messages.size(), 2u);
  EXPECT_EQ(host.messages[0].text, "Error # 75 was generated by Tarvelo\rError replacing text in " +
                                       Path("index.par") +
                                       ". The file holds NUL bytes, so it is not a text file. The "
                                       "file was left unchanged.");
  EXPECT_EQ(host.messages[1].text, "Error # 6 was generated by Tarvelo\rError replacing text in " +
                                       Path("about.par") +
                                       ". Overflow. The file was left unchanged.");
  EXPECT_EQ(reporter.status[reporter.status.size() - 2], "Complete. 3 replacements in 2 files. ")
      << "neither index.par nor about.par counts";
  for (const auto& entry : std::filesystem::directory_iterator(dir / "src")) {
    EXPECT_FALSE(entry.path().filename().string().ends_with(".tmp"));
  }
}

TEST_F(SearchTest, ReplaceSpecialRepairsBareCarriageReturns) {
  struct Case {
    std::string bytes;
    bool read_only;
    std::string status;
    std::string after;
  } cases[] = {
      {"a\rb\rc\r\n", false, "File fixed. 2 occurrences replaced.", "a\r\nb\r\nc\r\n"},
      {"a\r\nb", false, "File fixed. 0 occurrences replaced.", "a\r\nb\r\n"},
      {"a\rb", true, "File is read-only and could not be fixed.", "a\rb"},
  };
  const std::string file = dir / "mac.txt";
  for (const Case& c : cases) {
    WriteFile(file, c.bytes);
    SetReadOnly(file, c.read_only);
    RunReplaceSpecial(ws, file, reporter);
    EXPECT_EQ(reporter.status.back(), c.status);
    EXPECT_EQ(ReadFile(file), c.after);
  }
  RunReplaceSpecial(ws, dir / "none.txt", reporter);
  EXPECT_EQ(reporter.status,
            (std::vector<std::string>{
                "Processing File: " + file, "File fixed. 2 occurrences replaced.",
                "Processing File: " + file, "File fixed. 0 occurrences replaced.",
                "Processing File: " + file, "File is read-only and could not be fixed.",
                "Processing File: " + (dir / "none.txt"), "File does not exist."}));
}

}  // namespace
}  // namespace tarvelo
