// The main window's columns as rows: display names, the selection kept across a
// refresh, the Content File filter, entry codes and order, file states, and the Macros
// of one Content File or of all of them.
#include "views/project_view.h"

#include <gtest/gtest.h>

#include "common/error.h"
#include "project/workspace.h"
#include "support/raised_by.h"
#include "support/test_support.h"

namespace tarvelo {
namespace {

using namespace testing;

ColumnEntry Row(std::int64_t data, const std::string& resolved_path = "") {
  ColumnEntry row;
  row.data = data;
  row.resolved_path = resolved_path;
  return row;
}

// A Project with content and default content roots and one Folder "Main" whose
// index.html uses page.tpl, a.par and b.par.
class ProjectViewTest : public ::testing::Test {
 protected:
  ProjectViewTest() : workspace_(host_, dir_.path()), view_(workspace_) {
    workspace_.settings.document_root = dir_ / "site";
    workspace_.settings.content_root = dir_ / "content";
    workspace_.settings.default_content_root = dir_ / "shared";
    workspace_.settings.definition_file = "project.txt";
    workspace_.settings.project_macro_file = "macros.par";
    Define(
        "Globals=globals.par,notes.txt\r\n"
        "[Main]\r\n"
        "Globals=folder.par\r\n"
        "index.html,page.tpl,pages\\a.par,b.par\r\n");
  }

  void Define(const std::string& text) {
    WriteFile(dir_ / "content/project.txt", text);
    ASSERT_TRUE(ReadProjectDefinition(workspace_, false, true));
  }

  std::vector<std::int64_t> Codes(const std::vector<ColumnEntry>& rows) {
    std::vector<std::int64_t> codes;
    for (const ColumnEntry& row : rows) codes.push_back(row.data);
    return codes;
  }

  std::vector<std::string> Texts(const std::vector<ColumnEntry>& rows) {
    std::vector<std::string> texts;
    for (const ColumnEntry& row : rows) texts.push_back(row.text);
    return texts;
  }

  TempDir dir_;
  ScriptedHost host_;
  Workspace workspace_;
  ProjectView view_;
};

TEST(TrimPathTest, ShowsTheBareFileNameUnlessPathsAreShown) {
  EXPECT_EQ(TrimPath("pages\\news\\index.txt", false), "index.txt");
  EXPECT_EQ(TrimPath("a/b/c.txt", false), "c.txt");
  EXPECT_EQ(TrimPath("a\\b/c.txt", false), "c.txt");
  EXPECT_EQ(TrimPath("index.txt", false), "index.txt");
  EXPECT_EQ(TrimPath("pages\\news\\index.txt", true), "pages\\news\\index.txt");
}

TEST(RowToSelectTest, RemembersOneRowWhileItExists) {
  EXPECT_EQ(RowToSelect(0, false, 2), -1);
  EXPECT_EQ(RowToSelect(3, true, 2), 0);
  EXPECT_EQ(RowToSelect(3, false, 0), 0);
  EXPECT_EQ(RowToSelect(3, false, -1), 0);
  EXPECT_EQ(RowToSelect(3, false, 2), 2);
  EXPECT_EQ(RowToSelect(3, false, 3), -1);

  const std::vector<ColumnEntry> rows = {Row(40), Row(10), Row(11)};
  EXPECT_EQ(ProjectView::ContentFileRowToSelect({}, false, 11), -1);
  EXPECT_EQ(ProjectView::ContentFileRowToSelect(rows, true, 11), 0);
  EXPECT_EQ(ProjectView::ContentFileRowToSelect(rows, false, 0), 0);
  EXPECT_EQ(ProjectView::ContentFileRowToSelect(rows, false, 11), 2);
  EXPECT_EQ(ProjectView::ContentFileRowToSelect(rows, false, 12), 0);
}

TEST(ContentFileFilterTest, ListsOnlyNamesEndingWithTheFilter) {
  ProgramOptions options;
  options.content_file_filter = " .txt ";
  EXPECT_TRUE(PassesContentFileFilter(options, "globals.par"));
  EXPECT_FALSE(PassesContentFileFilter(options, "   "));
  EXPECT_EQ(ContentFilesLabel(options), "Content Files");

  options.enable_content_file_filter = 1;
  EXPECT_FALSE(PassesContentFileFilter(options, "globals.par"));
  EXPECT_FALSE(PassesContentFileFilter(options, "txt"));
  EXPECT_FALSE(PassesContentFileFilter(options, "notes.TXT"));
  EXPECT_TRUE(PassesContentFileFilter(options, "notes.txt"));
  EXPECT_EQ(ContentFilesLabel(options), "Content Files (using filter *.txt)");
}

TEST_F(ProjectViewTest, ListsContentFilesInOrderWithTheirCodes) {
  workspace_.options.display_all_macros = 1;
  std::vector<ColumnEntry> rows = view_.ContentFiles(0, 0, true);
  EXPECT_EQ(Codes(rows), (std::vector<std::int64_t>{40, 10, 11, 20, 30, 31, 9}));
  EXPECT_EQ(Texts(rows), (std::vector<std::string>{"macros.par", "a.par", "b.par", "folder.par",
                                                   "globals.par", "notes.txt", "(all macros)"}));
  EXPECT_EQ(rows[1].key, "c:10");
  EXPECT_EQ(rows[0].role, FileRole::kProjectMacroFile);
  EXPECT_EQ(rows[3].role, FileRole::kFolderGlobal);
  EXPECT_EQ(rows[4].role, FileRole::kGlobalContentFile);
  EXPECT_EQ(rows[1].resolved_path, dir_ / "shared/pages/a.par");

  workspace_.settings.display_project_macro_file = 0;
  EXPECT_EQ(Codes(view_.ContentFiles(0, 0, false)),
            (std::vector<std::int64_t>{10, 11, 20, 30, 31}));

  // The filter hides the project macro file too; a listed entry keeps its own index.
  workspace_.settings.display_project_macro_file = 1;
  workspace_.options.enable_content_file_filter = 1;
  workspace_.options.content_file_filter = ".txt";
  EXPECT_EQ(Codes(view_.ContentFiles(0, 0, true)), (std::vector<std::int64_t>{31, 9}));
  EXPECT_TRUE(view_.ContentFiles(0, 1, true).empty());
}

TEST_F(ProjectViewTest, StatesFollowTheResolvedFile) {
  WriteFile(dir_ / "content/here.par", "");
  WriteFile(dir_ / "shared/here.par", "");
  WriteFile(dir_ / "shared/shared.par", "");
  WriteFile(dir_ / "content/locked.par", "");
  WriteFile(dir_ / "shared/locked_shared.par", "");
  WriteFile(dir_ / "content/folder.par/x", "");
  SetReadOnly(dir_ / "content/locked.par", true);
  SetReadOnly(dir_ / "shared/locked_shared.par", true);
  EXPECT_EQ(view_.StateOf("here.par", false), FileState::kPresent);
  EXPECT_EQ(view_.Resolve("here.par", false), dir_ / "content/here.par");
  EXPECT_EQ(view_.StateOf("shared.par", false), FileState::kUnderDefaultRoot);
  EXPECT_EQ(view_.StateOf("locked.par", false), FileState::kReadOnly);
  EXPECT_EQ(view_.StateOf("locked_shared.par", false), FileState::kReadOnlyUnderDefaultRoot);
  EXPECT_EQ(view_.StateOf("gone.par", false), FileState::kMissing);
  EXPECT_EQ(view_.StateOf("folder.par", false), FileState::kMissing);
  EXPECT_EQ(view_.StateOf("shared.par", true), FileState::kMissing);
  EXPECT_EQ(view_.Resolve("  ", false), "");
}

TEST_F(ProjectViewTest, ListsDocumentsWithStateAndOptimisation) {
  Define(
      "[Main]\r\n"
      "index.html -o2,page.tpl\r\n"
      "feed.xml,page.tpl\r\n"
      "pages\\static.html\r\n"
      "hidden.html,page.tpl\r\n"
      "after.html,page.tpl\r\n");
  workspace_.definition.folders[0].documents[3].document.clear();
  workspace_.settings.optimization_status = 1;
  workspace_.settings.optimize_exclude_list = ".xml";
  WriteFile(dir_ / "site/index.html", "");
  WriteFile(dir_ / "site/feed.xml", "");
  SetReadOnly(dir_ / "site/feed.xml", true);

  const std::vector<ColumnEntry> rows = view_.Documents(0);
  EXPECT_EQ(Texts(rows), (std::vector<std::string>{"index.html", "feed.xml", "static.html"}));
  EXPECT_EQ(rows[2].key, "d:2");
  EXPECT_EQ(rows[2].resolved_path, dir_ / "site/pages/static.html");
  EXPECT_EQ(rows[0].state, FileState::kPresent);
  EXPECT_EQ(rows[1].state, FileState::kReadOnly);
  EXPECT_EQ(rows[2].state, FileState::kMissing);
  EXPECT_EQ(rows[0].optimisation, 2);
  EXPECT_EQ(rows[1].optimisation, 0);
  EXPECT_EQ(rows[2].optimisation, 1);
  EXPECT_TRUE(view_.Documents(1).empty());

  EXPECT_EQ(view_.TemplateEntry(0, 0).text, "page.tpl");
  EXPECT_EQ(view_.TemplateEntry(0, 0).key, "t:1");
  EXPECT_EQ(view_.TemplateEntry(0, 2).text, "");
  EXPECT_TRUE(view_.ContentFiles(0, 4, false).empty());
  EXPECT_EQ(view_.TemplateEntry(0, 2).resolved_path, "");
}

TEST_F(ProjectViewTest, ListsFoldersInFileOrderOrSorted) {
  Define("[news]\r\n[About]\r\n\r\n[archive]\r\n[]\r\n[zeta]\r\n");
  const std::vector<ColumnEntry> rows = view_.Folders(false);
  EXPECT_EQ(Texts(rows), (std::vector<std::string>{"news", "About", "archive"}));
  EXPECT_EQ(rows[2].line, 4);
  EXPECT_EQ(rows[2].resolved_path, dir_ / "content/project.txt");
  const std::vector<ColumnEntry> sorted = view_.Folders(true);
  EXPECT_EQ(Texts(sorted), (std::vector<std::string>{"About", "archive", "news"}));
  EXPECT_EQ(Codes(sorted), (std::vector<std::int64_t>{1, 2, 0}));
}

TEST_F(ProjectViewTest, ListsTheMacrosOfOneFileOrOfAll) {
  WriteFile(dir_ / "shared/pages/a.par",
            "[@TITLE]:\r\nHello\r\n[@]\r\n\r\n[@BODY]:\r\nOne\r\nTwo\r\n[@]\r\n");
  WriteFile(dir_ / "content/globals.par", "[@FOOT]:\r\nBye\r\n[@]\r\n");
  workspace_.options.display_all_macros = 1;
  const std::vector<ColumnEntry> files = view_.ContentFiles(0, 0, true);

  std::vector<ColumnEntry> rows = view_.Macros(files, 10);
  EXPECT_EQ(Texts(rows), (std::vector<std::string>{"TITLE", "BODY"}));
  EXPECT_EQ(Codes(rows), (std::vector<std::int64_t>{0, 1}));
  EXPECT_EQ(rows[1].line, 5);
  EXPECT_EQ(rows[1].resolved_path, dir_ / "shared/pages/a.par");
  EXPECT_EQ(view_.MacroValueText(1, false), "One\r\nTwo");

  // A missing file lists nothing, whatever the view table held before.
  EXPECT_TRUE(view_.Macros(files, 11).empty());
  EXPECT_EQ(view_.MacroValueText(1, false), "");

  workspace_.options.show_macro_tags = 1;
  rows = view_.Macros(files, kAllMacrosCode);
  EXPECT_EQ(Texts(rows), (std::vector<std::string>{"[@TITLE]", "[@BODY]", "[@FOOT]"}));
  EXPECT_EQ(Codes(rows), (std::vector<std::int64_t>{1000000, 1000001, 3000000}));
  EXPECT_EQ(view_.MacroValueText(3000000, true), "(globals.par)");
  EXPECT_EQ(view_.MacroValueText(3000000, false), "Bye");
}

TEST_F(ProjectViewTest, ListsAGlobalFileUpToItsOwnLimit) {
  workspace_.settings.max_content_file_macros = 1;
  WriteFile(dir_ / "content/globals.par", "[@A]:\r\n1\r\n[@]\r\n[@B]:\r\n2\r\n[@]\r\n");
  WriteFile(dir_ / "content/b.par", "[@A]:\r\n1\r\n[@]\r\n[@B]:\r\n2\r\n[@]\r\n");
  const std::vector<ColumnEntry> files = view_.ContentFiles(0, 0, false);
  EXPECT_EQ(view_.Macros(files, 30).size(), 2u);
  EXPECT_EQ(RaisedBy([&] { view_.Macros(files, 11); }).number, kErrTooManyMacros);
  EXPECT_EQ(view_.MacroValueText(0, false), "");
}

TEST(ProjectViewHelpersTest, NamesActionsAndMenus) {
  ProjectSettings settings;
  settings.macro_start_tag = "[";
  EXPECT_EQ(MacroDisplayName("[TITLE]", settings, false), "TITLE");
  EXPECT_EQ(MacroDisplayName("[TITLE]", settings, true), "[TITLE]");
  EXPECT_EQ(MacroDisplayName("[]", settings, false), "");

  EXPECT_EQ(DefaultDocumentAction(3), DocumentAction::kEditContentFile);
  EXPECT_EQ(DefaultDocumentAction(5), DocumentAction::kEditXml);
  EXPECT_EQ(DefaultDocumentAction(6), DocumentAction::kOpen);

  const ColumnEntry document = Row(0, "/site/index.html");
  const ColumnEntry content = Row(10, "/content/a.par");
  const ColumnEntry all_macros = Row(kAllMacrosCode);
  EXPECT_EQ(ContentFileToEdit(&content, document), "/content/a.par");
  EXPECT_EQ(ContentFileToEdit(&all_macros, document), "/site/index.html");
  EXPECT_EQ(ContentFileToEdit(nullptr, document), "/site/index.html");

  ProgramOptions options;
  options.custom_commands[1] = {"Upload", "upload %1"};
  options.custom_commands[2] = {"", "upload %1"};
  EXPECT_TRUE(CustomActionShown(options, 2));
  EXPECT_FALSE(CustomActionShown(options, 3));
  EXPECT_FALSE(CustomActionShown(options, 7));
}

}  // namespace
}  // namespace tarvelo
