// The source-date check, the output comparison and the read-only and duplicate tests.
#include "generation/up_to_date.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "common/error.h"
#include "common/text.h"
#include "project/output_checks.h"
#include "project/workspace.h"
#include "support/raised_by.h"
#include "support/test_support.h"

namespace tarvelo {
namespace {

using namespace testing;

constexpr std::int64_t kOutputTime = 1700000000;

class UpToDateTest : public ::testing::Test {
 protected:
  UpToDateTest() : workspace_(host_, dir_.path()) {
    workspace_.working.log_file = dir_ / "tarvelo.txt";
    workspace_.options.enable_logging = 1;
    workspace_.log.Write("start", true);
    workspace_.definition.globals = {Source("g1.par"), Source("g2.par")};
    FolderEntry folder;
    folder.folder_globals = {Source("f1.par")};
    DocumentEntry document;
    document.document = dir_ / "site/index.html";
    document.tmpl = Source("index.tpl");
    document.content_files = {Source("c1.par"), Source("c2.par")};
    folder.documents.push_back(document);
    workspace_.definition.folders.push_back(folder);
  }

  std::string Source(const std::string& name) { return dir_ / ("src/" + name); }
  DocumentEntry& document() { return workspace_.definition.folders[0].documents[0]; }

  std::vector<std::string> LogDetails() const {
    return testing::LogLinesAfterTheFirst(workspace_.working.log_file);
  }

  static std::string Detail(const std::string& text) { return std::string(kLogPad) + text; }

  testing::TempDir dir_;
  testing::ScriptedHost host_;
  Workspace workspace_;
};

TEST_F(UpToDateTest, SourcesOutOfDateScansUntilASourceIsNotOlder) {
  struct Case {
    const char* what;
    std::map<std::string, std::int64_t> offsets;  // source name -> seconds after the output
    Int16 double_bang;
    Int16 triple_bang;
    Int16 max_content_files;
    bool out_of_date;
  };
  const Case cases[] = {
      {"every source older", {}, 0, 0, 5, false},
      {"Template newer", {{"index.tpl", 1}}, 0, 0, 5, true},
      {"Global newer", {{"g2.par", 1}}, 0, 0, 5, true},
      {"same second stops the scan", {{"c1.par", 0}, {"index.tpl", 5}}, 0, 0, 5, false},
      {"older source then newer", {{"c1.par", -3600}, {"c2.par", 1}}, 0, 0, 5, true},
      {"triple bang hides Globals", {{"g1.par", 5}, {"f1.par", 0}}, 1, 1, 5, false},
      {"double bang hides Folder Globals", {{"f1.par", 5}}, 1, 0, 5, false},
      {"double bang keeps Globals", {{"g1.par", 5}}, 1, 0, 5, true},
      {"bound of the Content Files", {{"c2.par", 5}}, 0, 0, 1, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    workspace_.log.Write("start", true);
    WriteFile(document().document, "out");
    SetModified(document().document, kOutputTime);
    for (const char* name : {"g1.par", "g2.par", "f1.par", "c1.par", "c2.par", "index.tpl"}) {
      WriteFile(Source(name), "x");
      const auto it = c.offsets.find(name);
      SetModified(Source(name), kOutputTime + (it == c.offsets.end() ? -1 : it->second));
    }
    document().double_bang = c.double_bang;
    document().triple_bang = c.triple_bang;
    workspace_.settings.max_content_files = c.max_content_files;
    EXPECT_EQ(c.out_of_date, SourcesOutOfDate(workspace_, 0, 0));
    const std::string expected =
        c.out_of_date ? ">Source files out-of-date" : ">Source files up-to-date";
    EXPECT_EQ(std::vector<std::string>{Detail(expected)}, LogDetails());
  }
}

TEST_F(UpToDateTest, MissingOutputIsOutOfDateWithoutLookingAtSources) {
  EXPECT_TRUE(SourcesOutOfDate(workspace_, 0, 0));
  EXPECT_EQ(std::vector<std::string>{Detail(">Source files out-of-date")}, LogDetails());
}

TEST_F(UpToDateTest, MissingSourceRaisesTheFileSystemError) {
  WriteFile(document().document, "out");
  WriteFile(Source("g1.par"), "x");
  SetModified(Source("g1.par"), 0);
  const TarveloError error = RaisedBy([&] { SourcesOutOfDate(workspace_, 0, 0); });
  EXPECT_EQ(kFileNotFound, error.number);
  EXPECT_EQ("File not found (" + Source("g2.par") + ")", error.description);
}

TEST_F(UpToDateTest, CompareTextFilesComparesLinesNotLineEnds) {
  struct Case {
    const char* first;
    const char* second;
    bool same;
  };
  const Case cases[] = {
      {"a\r\nb\r\n", "a\r\nb\r\n", true},
      {"a\r\nb\r\n", "a\r\nb\r\n\r\n\r\n", true},  // trailing empty lines do not count
      {"a\r\nb\r\n\r\n", "a\r\nb", true},
      {"a\nb\n", "a\r\nb\r\n", true},
      {"", "\r\n", true},
      {"a\r\nb\r\n", "a\r\nc\r\n", false},
      {"a\r\n", "a\r\nb\r\n", false},
      {"a \r\n", "a\r\n", false},
  };
  const std::string first = dir_ / "new.txt";
  const std::string second = dir_ / "old.txt";
  for (const Case& c : cases) {
    WriteFile(first, c.first);
    WriteFile(second, c.second);
    EXPECT_EQ(c.same, CompareTextFiles(workspace_, first, second)) << c.first << "|" << c.second;
  }
  EXPECT_TRUE(LogDetails().empty());
}

TEST_F(UpToDateTest, CompareTextFilesLogsWhenAFileCannotBeRead) {
  WriteFile(dir_ / "new.txt", "a\r\n");
  EXPECT_FALSE(CompareTextFiles(workspace_, dir_ / "new.txt", dir_ / "missing.txt"));
  EXPECT_FALSE(CompareTextFiles(workspace_, dir_ / "missing.txt", dir_ / "new.txt"));
  const std::vector<std::string> expected(2, Detail(">Unable to compare files"));
  EXPECT_EQ(expected, LogDetails());
}

TEST_F(UpToDateTest, IsReadOnlyFileTestsTheOwnersWriteBit) {
  const std::string path = dir_ / "page.html";
  EXPECT_FALSE(IsReadOnlyFile(workspace_, path));
  WriteFile(path, "x");
  EXPECT_FALSE(IsReadOnlyFile(workspace_, path));
  testing::SetReadOnly(path, true);
  EXPECT_TRUE(IsReadOnlyFile(workspace_, path));
  EXPECT_TRUE(host_.messages.empty());
}

TEST_F(UpToDateTest, NotModifiedSinceComparesWholeSeconds) {
  EXPECT_TRUE(NotModifiedSince(workspace_, 0, 0, kOutputTime));
  WriteFile(document().document, "out");
  SetModified(document().document, kOutputTime);
  EXPECT_TRUE(NotModifiedSince(workspace_, 0, 0, kOutputTime + 1));
  EXPECT_FALSE(NotModifiedSince(workspace_, 0, 0, kOutputTime));
  EXPECT_FALSE(NotModifiedSince(workspace_, 0, 0, kOutputTime - 1));
}

}  // namespace
}  // namespace tarvelo
