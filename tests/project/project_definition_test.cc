// The Project Definition File: how lines are classified, how file lists split, the
// capacity errors, name resolution with the alternative root and the default drive,
// and hostile input.
#include "project/project_definition.h"

#include <gtest/gtest.h>

#include "common/error.h"
#include "project/file_store.h"
#include "project/program_options.h"
#include "project/project_settings.h"
#include "project/workspace.h"
#include "support/raised_by.h"
#include "support/test_support.h"

namespace tarvelo {
namespace {

using namespace testing;
using Names = std::vector<std::string>;

std::string Exceeded(const std::string& what) {
  return "You have exceeded the maximum number of " + what +
         ". Please update your Project Properties.";
}

class ProjectDefinitionTest : public ::testing::Test {
 protected:
  ProjectDefinitionTest() { settings_.definition_file = dir_ / "project.txt"; }

  ProjectDefinition Read(const std::string& text, bool resolve = false) {
    WriteFile(settings_.definition_file, text);
    return ReadProjectDefinitionFile(files_, settings_, options_, resolve);
  }

  TarveloError ReadError(const std::string& text, ProjectDefinition* partial = nullptr) {
    WriteFile(settings_.definition_file, text);
    return Raised(false, partial);
  }

  // The error of a failed read; `partial` receives what was read before it.
  TarveloError Raised(bool resolve, ProjectDefinition* partial = nullptr) {
    ProjectDefinition definition;
    const TarveloError error = RaisedBy(
        [&] { ReadProjectDefinitionFile(files_, settings_, options_, resolve, definition); });
    if (partial != nullptr) *partial = definition;
    return error;
  }

  TempDir dir_;
  FileStore files_;
  ProjectSettings settings_;
  ProgramOptions options_;
};

TEST_F(ProjectDefinitionTest, ClassifiesLines) {
  const ProjectDefinition d = Read(
      "# comment\r\n"
      "#[Archive]\r\n"
      "Globals=g1.par, g2.par\r\n"
      "early.html,page.tpl\r\n"
      "\r\n"
      "  [Main]*  \r\n"
      "Globals=f1.par\r\n"
      "index.html,page.tpl\r\n"
      "[News\r\n"
      "x [ Spaced ] y\r\n"
      "   !\r\n"
      "[Hidden]\r\n"
      "hidden.html,page.tpl\r\n");
  EXPECT_EQ(d.globals, (Names{"g1.par", "g2.par"}));
  ASSERT_EQ(d.folders.size(), 3u);
  EXPECT_EQ(d.folder_count, 3);
  EXPECT_EQ(d.document_count, 1);
  EXPECT_EQ(d.folders[0].name, "Main");
  EXPECT_EQ(d.folders[0].line, 6);
  EXPECT_EQ(d.folders[0].star, 1);
  EXPECT_EQ(d.folders[0].folder_globals, Names{"f1.par"});
  ASSERT_EQ(d.folders[0].documents.size(), 1u);
  EXPECT_EQ(d.folders[0].documents[0].document, "index.html");
  EXPECT_EQ(d.folders[1].name, "News");
  EXPECT_EQ(d.folders[1].star, 0);
  EXPECT_EQ(d.folders[2].name, " Spaced ");
  EXPECT_EQ(d.folders[2].line, 10);
}

TEST_F(ProjectDefinitionTest, SplitsDocumentLines) {
  struct Case {
    std::string line;
    std::string document;
    std::string tmpl;
    Names content_files;
    Int16 optimisation;
    Int16 double_bang;
    Int16 triple_bang;
  };
  const Case cases[] = {
      {"index.html,page.tpl,a.par,,b.par", "index.html", "page.tpl", {"a.par"}, -1, 0, 0},
      {"x.html,t.tpl,a.par,  ,b.par", "x.html", "t.tpl", {"a.par"}, -1, 0, 0},
      {"index.html -o2 ,page.tpl", "index.html", "page.tpl", {}, 2, 0, 0},
      {"i.html -o1,templates\\general.tpl,i.par!",
       "i.html",
       "templates\\general.tpl",
       {"i.par"},
       1,
       0,
       0},
      {"a.html -ox -o1,t.tpl", "a.html -o1", "t.tpl", {}, 0, 0, 0},
      {"a.html -o2 x -o2,t.tpl", "a.html x", "t.tpl", {}, 2, 0, 0},
      {"a.html-o1,t.tpl -o1", "a.html-o1", "t.tpl -o1", {}, -1, 0, 0},
      {"about.html,page.tpl,about.par!!", "about.html", "page.tpl", {"about.par"}, -1, 1, 0},
      {"all.html,page.tpl!!!", "all.html", "page.tpl", {}, -1, 1, 1},
      {"x.html,t.tpl,a.par!b.par", "x.html", "t.tpl", {"a.par", "b.par"}, -1, 0, 0},
      {"x.html,t.tpl,a!b,c", "x.html", "t.tpl", {"a!b", "c"}, -1, 0, 0},
      {"x.html ,  t.tpl , a.par ", "x.html", "t.tpl", {"a.par"}, -1, 0, 0},
      {"static.html", "static.html", "", {}, -1, 0, 0},
      {", t.tpl, a.par!!", "", "", {}, -1, 1, 0},
  };
  for (const Case& c : cases) {
    const ProjectDefinition d = Read("[F]\r\n" + c.line + "\r\n");
    ASSERT_EQ(d.folders.size(), 1u) << c.line;
    ASSERT_EQ(d.folders[0].documents.size(), 1u) << c.line;
    EXPECT_EQ(d.document_count, 1) << c.line;
    const DocumentEntry& doc = d.folders[0].documents[0];
    EXPECT_EQ(doc.document, c.document) << c.line;
    EXPECT_EQ(doc.tmpl, c.tmpl) << c.line;
    EXPECT_EQ(doc.content_files, c.content_files) << c.line;
    EXPECT_EQ(doc.optimisation, c.optimisation) << c.line;
    EXPECT_EQ(doc.double_bang, c.double_bang) << c.line;
    EXPECT_EQ(doc.triple_bang, c.triple_bang) << c.line;
  }
}

TEST_F(ProjectDefinitionTest, GlobalContentFilesSettingJoinsTheFirstGlobalsLine) {
  settings_.global_content_files = "x.par,y.par";
  const struct {
    std::string text;
    Names globals;
  } cases[] = {
      {"Globals=a.par!\r\n", {"a.par", "x.par", "y.par"}},
      {"Globals=a.par\r\n", {"a.par", "x.par", "y.par"}},
      {"Globals=\r\n", {"x.par", "y.par"}},
      {"Globals=a.par,b.par\r\nGlobals=c.par\r\n", {"c.par", "x.par", "y.par"}},
      {"[F]\r\nGlobals=f.par\r\n", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(Read(c.text).globals, c.globals) << c.text;
  const ProjectDefinition d = Read("[F]\r\nGlobals=f.par\r\n");
  EXPECT_EQ(d.folders[0].folder_globals, Names{"f.par"});
}

TEST_F(ProjectDefinitionTest, CapacityErrorsNameTheirFolderOrDocument) {
  const struct {
    Int16 ProjectSettings::*limit;
    Int16 value;
    std::string text;
    int number;
    std::string description;
  } cases[] = {
      {&ProjectSettings::max_docs, 2, "[Main]\r\na.html\r\nb.html\r\nc.html\r\n", 10013,
       Exceeded("Documents for the Folder \"Main\"")},
      {&ProjectSettings::max_folders, 1, "[A]\r\n[B]\r\n", 10012,
       Exceeded("Folders defined for this Project")},
      {&ProjectSettings::max_globals, 2, "Globals=a,b,c\r\n", 10014,
       Exceeded("Global Content Files for this Project")},
      {&ProjectSettings::max_folder_globals, 1, "[Main]\r\nGlobals=a,b\r\n", 10014,
       Exceeded("Global Content Files for the Folder \"Main\"")},
      {&ProjectSettings::max_content_files, 2, "[Main]\r\nx.html,t.tpl,a,b,c,d,e,f,g\r\n", 10015,
       Exceeded("Content Files for the Document \"x.html\"")},
      {&ProjectSettings::max_docs, 0, "[Main]\r\n,\r\n", 10013,
       Exceeded("Documents for the Folder \"Main\"")},
  };
  for (const auto& c : cases) {
    settings_ = ProjectSettings();
    settings_.definition_file = dir_ / "project.txt";
    settings_.*c.limit = c.value;
    const TarveloError error = ReadError(c.text);
    EXPECT_EQ(error.number, c.number) << c.text;
    EXPECT_EQ(error.description, c.description) << c.text;
  }

  // What was read before the failure stays; exactly at a capacity is fine.
  settings_.max_docs = 2;
  settings_.max_content_files = 2;
  ProjectDefinition partial;
  ReadError("[Main]\r\na.html,t.tpl,1,2\r\nb.html\r\nc.html\r\n", &partial);
  ASSERT_EQ(partial.folders.size(), 1u);
  ASSERT_EQ(partial.folders[0].documents.size(), 2u);
  EXPECT_EQ(partial.folders[0].documents[0].content_files, (Names{"1", "2"}));
  EXPECT_EQ(partial.document_count, 2);
}

TEST_F(ProjectDefinitionTest, LargestLimitsNeitherOverflowNorAllocate) {
  settings_.max_folders = settings_.max_docs = settings_.max_content_files = 32767;
  settings_.max_globals = settings_.max_folder_globals = 32767;
  EXPECT_EQ(Read("[A]\r\na.html,t.tpl,c.par\r\n").folders[0].documents[0].content_files,
            Names{"c.par"});

  std::string line = "x.html,t.tpl";
  for (int i = 0; i < 32768; ++i) line += ",c";
  EXPECT_EQ(ReadError("[A]\r\n" + line + "\r\n").number, 10015);

  // The Document count is 16-bit over all Folders.
  std::string text = "[A]\r\n";
  for (int i = 0; i < 32767; ++i) text += "d\r\n";
  text += "[B]\r\nd\r\n";
  const TarveloError overflow = ReadError(text);
  EXPECT_EQ(overflow.number, 6);
  EXPECT_EQ(overflow.description, "Overflow");
}

TEST_F(ProjectDefinitionTest, HostileInput) {
  EXPECT_TRUE(Read("").folders.empty());

  const TarveloError bracket = ReadError("[A]\r\na.html\r\nx]y[z\r\n");
  EXPECT_EQ(bracket.number, 5);
  EXPECT_EQ(bracket.description, "Invalid procedure call or argument");

  std::string junk = "[F]\n";
  for (int c = 1; c < 256; ++c) junk += static_cast<char>(c);
  const ProjectDefinition d = Read(junk);
  ASSERT_EQ(d.folders.size(), 2u);
  EXPECT_EQ(d.folders[0].documents.size(), 1u);
  EXPECT_EQ(d.folders[0].documents[0].document.size(), 9u);  // bytes 1..9, up to the LF
  EXPECT_EQ(d.folders[1].name, "\\");                        // between '[' and ']'
  // A NUL byte: not a text file (no path can hold one).
  const TarveloError binary = ReadError(std::string(1, '\0') + junk);
  EXPECT_EQ(binary.number, 321);
  EXPECT_EQ(binary.description, "The Project Definition file " + dir_.path() +
                                    "/project.txt is not a text file (it holds null bytes).");

  const std::string long_name(100000, 'n');
  const ProjectDefinition wide = Read("[" + long_name + "]\r\n" + long_name + ",t.tpl\r\n");
  EXPECT_EQ(wide.folders[0].name, long_name);
  EXPECT_EQ(wide.folders[0].documents[0].document, long_name);
}

TEST_F(ProjectDefinitionTest, DefinitionFileIsFoundOrReported) {
  settings_.definition_file = "project.txt";
  settings_.content_root = dir_ / "site";
  settings_.default_content_root = dir_.path() + "\\shared\\";
  const TarveloError missing = Raised(false);
  EXPECT_EQ(missing.number, 10005);
  EXPECT_EQ(missing.description,
            "Could not open Project Definition file at " + dir_.path() +
                "/shared/project.txt. Please check the path to your Project Definition File "
                "or create a Project Definition file at this location.");

  WriteFile(dir_ / "shared/project.txt", "[Shared]\r\n");
  EXPECT_EQ(ReadProjectDefinitionFile(files_, settings_, options_, false).folders[0].name,
            "Shared");
  WriteFile(dir_ / "site/project.txt", "[Site]\r\n");
  EXPECT_EQ(ReadProjectDefinitionFile(files_, settings_, options_, false).folders[0].name, "Site");

  settings_ = ProjectSettings();  // no name and no roots: nothing to read
  EXPECT_TRUE(ReadProjectDefinitionFile(files_, settings_, options_, true).folders.empty());
}

TEST_F(ProjectDefinitionTest, ResolvesNamesAgainstTheRootsAndTheDrive) {
  FileStore files({{'C', dir_ / "c"}, {'D', dir_ / "d"}});
  settings_.content_root = "C:\\site";
  settings_.default_content_root = "D:\\shared\\";
  settings_.document_root = "C:\\out/";
  const auto resolve = [&](const std::string& name, bool relative, bool document,
                           bool* used = nullptr, const std::string& folder = "",
                           const std::string& alternative = "") {
    return ResolveProjectPath(settings_, options_, files, name, relative, document, folder,
                              alternative, used);
  };
  bool used = true;
  EXPECT_EQ(resolve("menu.par", true, false, &used), "D:/shared/menu.par");
  EXPECT_TRUE(used);
  WriteFile(dir_ / "c/site/menu.par", "");
  EXPECT_EQ(resolve("menu.par", true, false, &used), "C:/site/menu.par");
  EXPECT_FALSE(used);
  EXPECT_EQ(resolve("sub\\page.html", true, true, &used), "C:/out/sub/page.html");
  EXPECT_FALSE(used);
  EXPECT_EQ(resolve("x.par", true, false, &used, "F:\\f", "G:\\g"), "G:/g/x.par");
  EXPECT_TRUE(used);
  EXPECT_EQ(resolve("menu.par", false, false), "menu.par");
  EXPECT_EQ(resolve("E:\\abs.par", true, false), "E:/abs.par");

  options_.enable_default_drive = 1;
  options_.default_drive = "D:";
  EXPECT_EQ(resolve("\\web\\a.par", true, false), "D:/web/a.par");
  EXPECT_EQ(resolve("\\\\server\\a.par", true, false), "//server/a.par");
  settings_.content_root = "\\site";
  settings_.default_content_root = "";
  EXPECT_EQ(resolve("menu.par", true, false), "D:/site/menu.par");
  settings_.content_root = "";
  EXPECT_EQ(resolve("menu.par", true, false), "menu.par");
}

TEST_F(ProjectDefinitionTest, ResolvedReadKeepsEmptyNamesEmpty) {
  settings_.content_root = dir_ / "src";
  settings_.document_root = dir_ / "out";
  const ProjectDefinition d = Read(
      "Globals=g.par\r\n[F]\r\nGlobals=f.par\r\na.html,t.tpl,c.par\r\nstatic.html\r\n,\r\n", true);
  EXPECT_EQ(d.globals, Names{dir_ / "src/g.par"});
  EXPECT_EQ(d.folders[0].folder_globals, Names{dir_ / "src/f.par"});
  const auto& docs = d.folders[0].documents;
  ASSERT_EQ(docs.size(), 3u);
  EXPECT_EQ(docs[0].document, dir_ / "out/a.html");
  EXPECT_EQ(docs[0].tmpl, dir_ / "src/t.tpl");
  EXPECT_EQ(docs[0].content_files, Names{dir_ / "src/c.par"});
  EXPECT_EQ(docs[1].tmpl, "");  // still a static Document
  EXPECT_EQ(docs[2].document, "");

  settings_.max_content_files = 0;
  WriteFile(settings_.definition_file, "[F]\r\na.html,t.tpl,c.par\r\n");
  EXPECT_EQ(Raised(true).description,
            Exceeded("Content Files for the Document \"" + dir_ / "out/a.html\""));
}

TEST_F(ProjectDefinitionTest, WorkspaceReadReportsOrRaises) {
  ScriptedHost host;
  Workspace workspace(host, dir_.path());
  workspace.settings = settings_;
  workspace.settings.max_docs = 1;
  workspace.definition.globals = {"stale.par"};
  WriteFile(settings_.definition_file, "[Main]\r\na.html\r\nb.html\r\n");

  ReadProjectDefinition(workspace, false, true);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].text, "Error # 10013 was generated by Tarvelo\r" +
                                       Exceeded("Documents for the Folder \"Main\""));
  EXPECT_EQ(host.messages[0].caption, "Error");
  EXPECT_EQ(host.messages[0].icon, MessageIcon::kExclamation);
  EXPECT_TRUE(workspace.definition.globals.empty());
  EXPECT_EQ(workspace.definition.folders[0].documents.size(), 1u);

  EXPECT_THROW(ReadProjectDefinition(workspace, false, false), TarveloError);
  EXPECT_EQ(host.messages.size(), 1u);
}

}  // namespace
}  // namespace tarvelo
