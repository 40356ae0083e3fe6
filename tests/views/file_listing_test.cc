// The list windows' rows: every Content File or Template once, in the definition's
// order, through the filter and the display mode; progress and Cancel of a long
// listing; and the Macros window's sorted list of one Content File.
#include "views/file_listing.h"

#include <gtest/gtest.h>

#include "common/error.h"
#include "engine/macro_table.h"
#include "project/workspace.h"
#include "support/raised_by.h"
#include "support/test_support.h"

namespace tarvelo {
namespace {

using namespace testing;

// Records what a listing adds; cancels once `cancel_after` files were added.
struct Recorder : ListingObserver {
  bool Cancelled() override {
    return cancel_after >= 0 && static_cast<int>(rows.size()) >= cancel_after;
  }
  void Added(const ListedFile& file) override { rows.push_back(file.key + " " + file.text); }
  void Progress(int content_files) override { progress.push_back(content_files); }
  std::vector<std::string> rows;
  std::vector<int> progress;
  int cancel_after = -1;
};

class FileListingTest : public ::testing::Test {
 protected:
  FileListingTest() : workspace_(host_, dir_.path()), view_(workspace_) {
    workspace_.settings.document_root = dir_ / "site";
    workspace_.settings.content_root = dir_ / "content";
    workspace_.settings.default_content_root = dir_ / "shared";
    workspace_.settings.definition_file = "project.txt";
    workspace_.settings.project_macro_file = "macros.par";
  }

  void Define(const std::string& text) {
    WriteFile(dir_ / "content/project.txt", text);
    ASSERT_TRUE(ReadProjectDefinition(workspace_, false, true));
  }

  Recorder List(ListingKind kind, Int16 mode, int cancel_after = -1) {
    Recorder recorder;
    recorder.cancel_after = cancel_after;
    finished_ = ListProjectFiles(workspace_, view_, kind, mode, recorder);
    return recorder;
  }

  TempDir dir_;
  ScriptedHost host_;
  Workspace workspace_;
  ProjectView view_;
  bool finished_ = false;
};

TEST_F(FileListingTest, ListsEachFileOnceThroughFilterAndDisplayMode) {
  Define(
      "Globals=globals.par,notes.txt\r\n"
      "[Main]\r\n"
      "Globals=folder.par\r\n"
      "index.html,page.tpl,a.par,b.par\r\n"
      "about.html,page.tpl,a.par,.\\a.par\r\n"
      "static.html\r\n"
      "[Other]\r\n"
      "one.html,other.tpl,missing.par\r\n");
  for (const char* name :
       {"macros.par", "globals.par", "folder.par", "a.par", "b.par", "page.tpl", "notes.txt"}) {
    WriteFile(dir_ / (std::string("content/") + name), "");
  }
  WriteFile(dir_ / "shared/other.tpl", "");
  SetReadOnly(dir_ / "content/b.par", true);
  SetReadOnly(dir_ / "content/page.tpl", true);

  struct Case {
    const char* label;
    ListingKind kind;
    Int16 mode;
    const char* filter;
    std::vector<std::string> rows;
  };
  const Case cases[] = {
      {"all Content Files; the same file written otherwise is listed twice",
       ListingKind::kContentFiles,
       kDisplayAll,
       "",
       {"p:0 macros.par", "g:0 globals.par", "g:1 notes.txt", "f:0:0 folder.par", "c:0:0:0 a.par",
        "c:0:0:1 b.par", "c:0:1:1 .\\a.par", "c:1:0:0 missing.par"}},
      {"read-only: a missing file is not listed",
       ListingKind::kContentFiles,
       kDisplayReadOnly,
       "",
       {"c:0:0:1 b.par"}},
      {"writable",
       ListingKind::kContentFiles,
       kDisplayWritable,
       "",
       {"p:0 macros.par", "g:0 globals.par", "g:1 notes.txt", "f:0:0 folder.par", "c:0:0:0 a.par",
        "c:0:1:1 .\\a.par", "c:1:0:0 missing.par"}},
      {"the filter", ListingKind::kContentFiles, kDisplayAll, ".txt", {"g:1 notes.txt"}},
      {"Templates ignore the filter; static Documents add none",
       ListingKind::kTemplates,
       kDisplayAll,
       ".txt",
       {"t:0:0 page.tpl", "t:1:0 other.tpl"}},
      {"writable Templates", ListingKind::kTemplates, kDisplayWritable, "", {"t:1:0 other.tpl"}},
  };
  for (const Case& c : cases) {
    workspace_.options.enable_content_file_filter = *c.filter != '\0' ? 1 : 0;
    workspace_.options.content_file_filter = c.filter;
    EXPECT_EQ(List(c.kind, c.mode).rows, c.rows) << c.label;
    EXPECT_TRUE(finished_) << c.label;
  }
}

TEST_F(FileListingTest, ReportsProgressAndStopsWhenCancelled) {
  std::string definition = "[Big]\r\n";
  for (int d = 0; d < 65; ++d) {
    definition += "page" + std::to_string(d) + ".html,page.tpl";
    for (int k = 0; k < 4; ++k) definition += ",f" + std::to_string(d * 4 + k) + ".par";
    definition += "\r\n";
  }
  workspace_.settings.max_docs = 100;
  workspace_.settings.max_content_files = 10;
  Define(definition);
  EXPECT_EQ(DocumentContentFileCount(workspace_.definition), 260);

  Recorder all = List(ListingKind::kContentFiles, kDisplayAll);
  EXPECT_EQ(all.rows.size(), 261u);  // with the Project Macro File
  EXPECT_EQ(all.progress, (std::vector<int>{50, 100, 150, 200, 250}));

  Recorder part = List(ListingKind::kContentFiles, kDisplayAll, 120);
  EXPECT_FALSE(finished_);
  EXPECT_EQ(part.rows.size(), 120u);
  EXPECT_EQ(part.rows.back(), "c:0:29:2 f118.par");
}

TEST_F(FileListingTest, ListsMacrosSortedWithTheirLinesAndValues) {
  WriteFile(
      dir_ / "content/m.par",
      "[@zeta]:\r\nlast\r\n[@]\r\n[@Alpha]:\r\none\r\ntwo\r\n[@]\r\n[@beta]:\r\nb\r\n[@]\r\n");
  const std::vector<MacroListEntry> entries =
      ListMacros(workspace_, dir_ / "content/m.par", kLevelContentFiles);
  std::vector<std::string> rows;
  for (const MacroListEntry& entry : entries) {
    rows.push_back(entry.text + " " + std::to_string(entry.slot) + " " +
                   std::to_string(entry.line));
  }
  EXPECT_EQ(rows, (std::vector<std::string>{"Alpha 1 4", "beta 2 8", "zeta 0 1"}));
  EXPECT_EQ(entries[0].value, "one\r\ntwo");

  workspace_.options.show_macro_tags = 1;
  EXPECT_EQ(ListMacros(workspace_, dir_ / "content/m.par", kLevelProject)[0].text, "[@Alpha]");
}

TEST_F(FileListingTest, MacrosOfAMissingOrBinaryFileRaiseAnErrorNamingIt) {
  WriteFile(dir_ / "content/image.par", std::string("GIF89a\0\x01[@X]:\r\n", 16));
  const std::pair<std::string, std::string> cases[] = {
      {dir_ / "content/none.par",
       "Could not open file at " + (dir_ / "content/none.par") + ". Project generation halted."},
      {dir_ / "content/image.par", "The file " + (dir_ / "content/image.par") +
                                       " is not a text file (it holds null bytes), so it has no "
                                       "Macros to list."},
  };
  for (const auto& [path, description] : cases) {
    const TarveloError error = RaisedBy([&] { ListMacros(workspace_, path, kLevelGlobals); });
    EXPECT_EQ(error.description, description);
  }
}

}  // namespace
}  // namespace tarvelo
