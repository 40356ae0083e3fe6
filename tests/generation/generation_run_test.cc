// The generation run over fixture Projects: what it logs, shows, asks, writes and
// counts, on the completed, stopped and halted paths.
#include "generation/generation_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "common/date_format.h"
#include "engine/content_file.h"
#include "engine/macro_table.h"
#include "generation/generation_state.h"
#include "project/file_locks.h"
#include "project/project_definition.h"
#include "project/workspace.h"
#include "support/test_support.h"

namespace tarvelo {
namespace {

using namespace testing;

constexpr std::int64_t kStart = 1700000000;
const std::string kPad = "          ";

// Sources are a day older than the run, so nothing looks modified during it.
constexpr std::int64_t kOld = kStart - 86400;

class GenerationRunTest : public ::testing::Test {
 protected:
  GenerationRunTest() : ws(host, dir.path()) {
    ws.settings.name = "Site";
    ws.settings.content_root = dir / "src/";
    ws.settings.document_root = dir / "site/";
    ws.settings.definition_file = "project.txt";
    std::filesystem::create_directories(dir / "site");
    ws.working = WorkingFilesIn(dir / "temp/");
    Source("page.tpl", "<h1>[@TITLE]</h1>\r\n<p>[@SITE]</p>\r\n");
    Source("globals.par", "[@SITE]:\r\nMy Site\r\n[@]\r\n");
    Source("folder.par", "[@SECTION]:\r\nMain\r\n[@]\r\n");
    Source("index.par", "[@TITLE]:\r\nHome\r\n[@]\r\n");
    Source("about.par", "[@TITLE]:\r\nAbout\r\n[@]\r\n");
  }

  void Source(const std::string& name, const std::string& text) {
    WriteFile(dir / ("src/" + name), text);
    SetModified(dir / ("src/" + name), kOld);
  }
  void Definition(const std::string& text) { Source("project.txt", text); }
  std::string Out(const std::string& name) const { return dir / ("site/" + name); }

  // Keeps the run's tables, to see which Macro files it loaded.
  RunResult Run(Int16 scope = kScopeProject, Int16 folder = -1, Int16 document = -1) {
    const GenerationRequest request{scope, folder, document, false};
    const Clock clock = FixedClock(kStart);
    GenerationRun run(ws, request, clock);
    const RunResult result = run.Run();
    macros = run.macros();
    return result;
  }

  std::vector<std::string> Log() const {
    std::vector<std::string> lines;
    std::string text = ReadFile(ws.working.log_file);
    size_t start = 0;
    for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
      lines.push_back(text.substr(start, end - start));
    }
    return lines;
  }
  // The log from its first line that begins with `prefix`, `count` lines long.
  std::vector<std::string> LogFrom(const std::string& prefix, size_t count) const {
    const std::vector<std::string> lines = Log();
    for (size_t i = 0; i < lines.size(); ++i) {
      if (lines[i].rfind(prefix, 0) == 0) {
        return {lines.begin() + i, lines.begin() + std::min(lines.size(), i + count)};
      }
    }
    return {};
  }
  bool Logged(const std::string& line) const {
    const std::vector<std::string> lines = Log();
    return std::find(lines.begin(), lines.end(), line) != lines.end();
  }
  bool Shown(const std::string& line) const {
    return std::find(host.status.begin(), host.status.end(), line) != host.status.end();
  }

  TempDir dir;
  ScriptedHost host;
  Workspace ws;
  MacroTable macros;
  const std::string when = GeneralDate(kStart);
};

TEST_F(GenerationRunTest, GeneratesAProjectEndToEnd) {
  Definition(
      "Globals=globals.par\r\n[Main]\r\nGlobals=folder.par\r\n"
      "index.html,page.tpl,index.par\r\nlogo.gif\r\n");
  host.status.push_back("old line");
  const RunResult result = Run();

  EXPECT_EQ(result.outcome, RunOutcome::kCompleted);
  EXPECT_EQ(ReadFile(Out("index.html")), "<h1>Home</h1>\r\n<p>My Site</p>\r\n");
  EXPECT_EQ(ReadFile(ws.working.generated_list), Out("index.html") + "\r\n");
  EXPECT_EQ(Log(), (std::vector<std::string>{
                       "Starting Project: \tSite\t\t" + when,
                       "",
                       "----:---- Globals",
                       "",
                       "0000:---- Main",
                       "",
                       "0000:0000 " + Out("index.html"),
                       kPad + ">Generated",
                       "",
                       "0000:0001 " + Out("logo.gif"),
                       kPad + ">Static document, generation skipped",
                       "",
                       "",
                       "Completed Project:\tSite\t\t" + when,
                       "",
                       "",
                       "Documents Generated:  1",
                       "Current Documents:    0",
                       "Read-Only Documents:  0",
                       "Static Documents:     1",
                       "No-Path Documents:    0",
                       "",
                       "Total Documents:      2",
                       "",
                       "Generation Time:      0 seconds",
                       "",
                       "Generated Files List: " + ws.working.generated_list,
                   }));
  EXPECT_EQ(host.status, (std::vector<std::string>{
                             "Starting Project: \tSite\t\t" + when,
                             "Processing:\t" + Out("index.html"),
                             "Completed Project:\tSite\t\t" + when,
                             "Generated 1 of 2 documents (1  static document).",
                         }));
  EXPECT_EQ(host.clears, 1);
  EXPECT_EQ(host.started, 1);
  EXPECT_EQ(host.ended, 1);
  EXPECT_EQ(host.beeps, 1);
  EXPECT_TRUE(host.pauses.empty());
  EXPECT_EQ(host.events, 2);
  EXPECT_EQ(macros.global_files_loaded, 1);
  EXPECT_EQ(macros.folder_global_files_loaded, 1);
  EXPECT_EQ(macros.content_files_loaded, 1);
}

TEST_F(GenerationRunTest, ModifiedOnlyCountsACurrentDocumentWithoutProcessingIt) {
  Definition("[Main]\r\nindex.html,page.tpl,index.par\r\n");
  WriteFile(Out("index.html"), "kept");
  SetModified(Out("index.html"), kOld + 60);
  ws.options.modified_only = 1;
  const RunResult result = Run();

  EXPECT_EQ(result.counters.current, 1);
  EXPECT_EQ(result.counters.generated, 0);
  EXPECT_EQ(ReadFile(Out("index.html")), "kept");
  EXPECT_TRUE(Shown("Comparing:\t" + Out("index.html")));
  EXPECT_FALSE(Shown("Processing:\t" + Out("index.html")));
  EXPECT_TRUE(Shown("Generated 0 of 1 document (1  current document)."));
  EXPECT_EQ(LogFrom("0000:0000", 3),
            (std::vector<std::string>{"0000:0000 " + Out("index.html"),
                                      kPad + ">Source files up-to-date", ""}));
}

TEST_F(GenerationRunTest, NarrowScopesStillLoadTheProjectGlobalsAndFolderGlobals) {
  Definition(
      "Globals=globals.par\r\n[Main]\r\nindex.html,page.tpl,index.par\r\n"
      "[Second]\r\nGlobals=folder.par\r\nabout.html,page.tpl,about.par\r\n"
      "index2.html,page.tpl,index.par\r\n");
  Source("project.par", "[@OWNER]:\r\nMe\r\n[@]\r\n");
  ws.settings.project_macro_file = "project.par";
  struct Case {
    Int16 scope, folder, document;
    std::vector<std::string> documents;
  };
  const Case cases[] = {
      {kScopeFolder, 1, -1, {"about.html", "index2.html"}},
      {kScopeDocument, 1, 1, {"index2.html"}},
  };
  for (const Case& c : cases) {
    host.events = 0;
    const RunResult result = Run(c.scope, c.folder, c.document);
    EXPECT_EQ(result.counters.total, static_cast<Int16>(c.documents.size()));
    EXPECT_EQ(Log()[2], "----:---- Project");
    EXPECT_EQ(Log()[4], "----:---- Globals");
    EXPECT_EQ(Log()[6], "0001:---- Second");
    EXPECT_FALSE(Logged("0000:---- Main"));
    for (size_t d = 0; d < c.documents.size(); ++d) {
      const Int16 index = static_cast<Int16>(c.scope == kScopeDocument ? c.document : d);
      EXPECT_TRUE(Logged("0001:000" + std::to_string(index) + " " + Out(c.documents[d])));
    }
    EXPECT_TRUE(macros.project_loaded);
    EXPECT_EQ(macros.global_files_loaded, 1);
    EXPECT_EQ(macros.folder_global_files_loaded, 1);
    EXPECT_EQ(host.events, 2);  // every Document of the Folder, selected or not
  }
}

TEST_F(GenerationRunTest, MissingContentFileAnsweredNoHalts) {
  Definition("[Main]\r\nindex.html,page.tpl,nothere.par\r\nabout.html,page.tpl,about.par\r\n");
  host.prompt_answers = {kPromptNo};
  const RunResult result = Run();
  const std::string missing = dir / "src/nothere.par";

  EXPECT_EQ(result.outcome, RunOutcome::kHalted);
  EXPECT_EQ(result.counters.missing_files, 1);
  ASSERT_EQ(host.prompts.size(), 1u);
  EXPECT_EQ(host.prompts[0].caption, "File Access Error");
  EXPECT_EQ(host.prompts[0].message,
            "Error opening file: " + missing +
                ".\r\rWould you like to ignore this error and continue generating the Project?");
  EXPECT_EQ(host.prompts[0].preset, kPromptNo);
  EXPECT_FALSE(host.prompts[0].buttons.cancel);
  const std::string halt = "Error opening file: " + missing + ".\r\n\r\nProject generation halted.";
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].text, "Error # 10006 was generated by Tarvelo\r" + halt);
  EXPECT_EQ(host.messages[0].caption, "Error");
  EXPECT_EQ(LogFrom("0000:0000", 20), (std::vector<std::string>{
                                          "0000:0000 " + Out("index.html"),
                                          kPad + "ERROR: Could not open file at " + missing + ".",
                                          "",
                                          "Error in Project: \tSite\t\t" + when,
                                          "",
                                          "ERRORS:   1  (1 missing file)",
                                          "",
                                          "Generated 0 of 1 document with 1 error (1 missing file)",
                                          "",
                                          "Error opening file: " + missing + ".",
                                          "",
                                          "Project generation halted.",
                                      }));
  EXPECT_EQ(host.status.back(),
            "Generated 0 of 1 document with 1 error (1 missing file)\t\tSee Log File.");
  EXPECT_TRUE(Shown("Error in Project: \tSite\t\t" + when));
  EXPECT_FALSE(Logged("Documents Generated:  0"));
  EXPECT_EQ(host.beeps, 0);
  EXPECT_EQ(host.ended, 1);
  EXPECT_FALSE(testing::Exists(Out("about.html")));
}

TEST_F(GenerationRunTest, MissingFilesAnsweredYesToAllAskOnce) {
  Definition("[Main]\r\nindex.html,page.tpl,gone1.par\r\nabout.html,page.tpl,gone2.par\r\n");
  host.prompt_answers = {kPromptYesToAll};
  const RunResult result = Run();

  EXPECT_EQ(result.outcome, RunOutcome::kCompleted);
  EXPECT_EQ(host.prompts.size(), 1u);
  EXPECT_EQ(result.counters.missing_files, 2);
  EXPECT_EQ(result.counters.generated, 2);
  EXPECT_TRUE(Logged(kPad + "ERROR: Could not open file at " + dir / "src/gone2.par."));
  EXPECT_TRUE(Logged("ERRORS:   2  (2 missing files)"));
  // Missing files are not counted as Errors, so one beep.
  EXPECT_EQ(host.beeps, 1);
}

TEST_F(GenerationRunTest, SubdirectoryPromptAnswers) {
  Definition("[Main]\r\nsub/a.html,page.tpl,index.par\r\nother/b.html,page.tpl,index.par\r\n");
  struct Case {
    const char* name;
    std::vector<int> answers;
    RunOutcome outcome;
    size_t prompts;
    Int16 generated, warnings, errors;
  };
  const Case cases[] = {
      {"no", {kPromptNo, kPromptNo}, RunOutcome::kCompleted, 2, 0, 2, 0},
      {"closed counts as cancel", {}, RunOutcome::kHalted, 1, 0, 0, 1},
      {"yes to all", {kPromptYesToAll}, RunOutcome::kCompleted, 1, 2, 0, 0},
  };
  for (const Case& c : cases) {
    host.prompts.clear();
    host.messages.clear();
    host.prompt_answers.assign(c.answers.begin(), c.answers.end());
    std::filesystem::remove_all(dir / "site");
    std::filesystem::create_directories(dir / "site");
    const RunResult result = Run();
    EXPECT_EQ(result.outcome, c.outcome) << c.name;
    ASSERT_EQ(host.prompts.size(), c.prompts) << c.name;
    EXPECT_EQ(host.prompts[0].caption, "Subdirectory Does Not Exist");
    EXPECT_EQ(host.prompts[0].message,
              "The subdirectory " + Out("sub/") +
                  " does not exist. Would you like Tarvelo to create this subdirectory?");
    EXPECT_TRUE(host.prompts[0].buttons.cancel);
    EXPECT_EQ(host.prompts[0].preset, kPromptCancel);
    EXPECT_EQ(result.counters.generated, c.generated) << c.name;
    EXPECT_EQ(result.counters.warnings, c.warnings) << c.name;
    EXPECT_EQ(result.counters.errors, c.errors) << c.name;
    EXPECT_EQ(testing::Exists(Out("other/b.html")), c.generated == 2) << c.name;
    EXPECT_EQ(Logged(kPad + "WARNING: Subdirectory does not exist. Generation skipped."),
              c.warnings > 0)
        << c.name;
    if (c.outcome == RunOutcome::kHalted) {
      EXPECT_EQ(
          host.messages.at(0).text,
          "Error # 10006 was generated by Tarvelo\rError processing file: " + Out("sub/a.html") +
              ".\r\nSubdirectory does not exist.\r\nProject generation halted.");
    }
  }
}

TEST_F(GenerationRunTest, CreateSubdirectoriesOptionAsksNothing) {
  Definition("[Main]\r\ndeep/er/a.html,page.tpl,index.par\r\n");
  ws.options.create_subdirectories = 1;
  EXPECT_EQ(Run().counters.generated, 1);
  EXPECT_TRUE(host.prompts.empty());
  EXPECT_TRUE(testing::Exists(Out("deep/er/a.html")));
}

TEST_F(GenerationRunTest, ReadOnlyOutputHaltsOrIsSkipped) {
  Definition("[Main]\r\nindex.html,page.tpl,index.par\r\nabout.html,page.tpl,about.par\r\n");
  WriteFile(Out("index.html"), "locked");
  SetReadOnly(Out("index.html"), true);

  RunResult result = Run();
  EXPECT_EQ(result.outcome, RunOutcome::kHalted);
  EXPECT_EQ(result.counters.errors, 1);
  EXPECT_TRUE(Logged(kPad + "ERROR: Read-only document. Project generation halted."));
  EXPECT_EQ(host.messages.at(0).text,
            "Error # 10006 was generated by Tarvelo\rError processing file: " + Out("index.html") +
                ".\r\nThis file may be a read-only file.\r\nProject generation halted.");
  EXPECT_FALSE(testing::Exists(Out("about.html")));

  ws.options.skip_read_only = 1;
  result = Run();
  EXPECT_EQ(result.outcome, RunOutcome::kCompleted);
  EXPECT_EQ(result.counters.read_only, 1);
  EXPECT_EQ(result.counters.generated, 1);
  EXPECT_TRUE(Logged(kPad + ">Read-only document. Generation skipped."));
  EXPECT_EQ(ReadFile(Out("index.html")), "locked");
}

TEST_F(GenerationRunTest, StopBetweenDocumentsEndsWithTheNormalSummary) {
  Definition("[Main]\r\nindex.html,page.tpl,index.par\r\nabout.html,page.tpl,about.par\r\n");
  ws.stop_requested = true;  // a stale request from before the run is forgotten
  host.on_events = [this](int count) {
    if (count == 1) ws.stop_requested = true;
  };
  const RunResult result = Run();

  EXPECT_EQ(result.outcome, RunOutcome::kStopped);
  EXPECT_EQ(result.counters.generated, 1);  // the Document in progress is finished
  EXPECT_FALSE(testing::Exists(Out("about.html")));
  EXPECT_TRUE(Logged("Stopped Project:  \tSite\t\t" + when));
  EXPECT_TRUE(Shown("Stopped Project:  \tSite\t\t" + when));
  EXPECT_TRUE(Shown("Generated 1 of 1 document."));
  EXPECT_TRUE(Logged("Documents Generated:  1"));
  EXPECT_EQ(host.beeps, 1);
}

TEST_F(GenerationRunTest, DuplicateWarningOnlyInProjectRuns) {
  Definition("Globals=globals.par\r\n[Main]\r\nindex.html,page.tpl,index.par\r\n");
  const std::string warning = kPad +
                              "WARNING: Possible duplicate document. Document has been modified "
                              "since generation started.";
  for (Int16 scope : {kScopeProject, kScopeFolder, kScopeDocument}) {
    WriteFile(Out("index.html"), "newer");
    SetModified(Out("index.html"), kStart);
    const RunResult result = Run(scope, 0, 0);
    EXPECT_EQ(result.counters.warnings, scope == kScopeProject ? 1 : 0) << scope;
    EXPECT_EQ(Logged(warning), scope == kScopeProject) << scope;
    EXPECT_EQ(ReadFile(Out("index.html")), "<h1>Home</h1>\r\n<p>My Site</p>\r\n");
  }
}

TEST_F(GenerationRunTest, AssemblyErrorsAskOnceWithYesToAllOrHaltWithNo) {
  Definition("[Main]\r\nindex.html,page.tpl,index.par\r\nabout.html,page.tpl,about.par\r\n");
  ws.settings.max_nested_macros = 0;  // no Document can finish
  const std::string failure =
      "Maximum number of nested Macros was exceeded. Please update the Project Properties.";

  host.prompt_answers = {kPromptYesToAll};
  RunResult result = Run();
  EXPECT_EQ(result.outcome, RunOutcome::kCompleted);
  EXPECT_EQ(result.counters.errors, 2);
  ASSERT_EQ(host.prompts.size(), 1u);
  EXPECT_EQ(host.prompts[0].caption, "Project Generation Error");
  EXPECT_EQ(host.prompts[0].message,
            "Error processing file: " + Out("index.html") + ".\r" + failure +
                "\rWould you like to ignore this error and continue generating the Project?");
  EXPECT_TRUE(Logged(kPad + "ERROR: " + failure));
  EXPECT_EQ(host.beeps, 2);
  EXPECT_EQ(host.pauses, std::vector<int>{100});

  host.prompts.clear();
  result = Run();  // the box closed: No
  EXPECT_EQ(result.outcome, RunOutcome::kHalted);
  EXPECT_EQ(result.counters.errors, 1);
  EXPECT_EQ(Log().back(), "Project generation halted.");
  EXPECT_TRUE(Logged(failure));
}

TEST_F(GenerationRunTest, NeverWritesOverASourceFile) {
  // The output name was forgotten, so the Template stands where the output belongs.
  Definition("[Main]\r\npage.tpl,index.par\r\nindex.html,page.tpl,index.par\r\n");
  ws.settings.document_root = ws.settings.content_root;
  ws.options.ignore_generation_errors = 1;
  const RunResult result = Run();

  EXPECT_EQ(result.counters.errors, 1);
  EXPECT_EQ(result.counters.generated, 1);
  EXPECT_EQ(ReadFile(dir / "src/page.tpl"), "<h1>[@TITLE]</h1>\r\n<p>[@SITE]</p>\r\n");
  EXPECT_TRUE(Logged(kPad + "ERROR: The output file " + dir / "src/page.tpl" +
                     " is a source file of this Project and was not overwritten."));
}

TEST_F(GenerationRunTest, NeverWritesOverAProtectedFileHoweverItIsSpelled) {
  // Every way of naming a file the run must not overwrite, and what the log calls it.
  const std::string own = " is one of Tarvelo's own files and was not overwritten.";
  const std::string source = " is a source file of this Project and was not overwritten.";
  std::filesystem::create_directory_symlink(dir / "src", dir / "site/srclink");
  std::filesystem::create_hard_link(dir / "src/index.par", dir / "site/hard.par");
  WriteFile(dir / "tarvelo.ini", "ini-file-version=5\r\n");
  WriteFile(ws.working.pass_stem + ".7", "pass\r\n");
  const struct {
    std::string output;
    std::string why;
  } cases[] = {
      {dir / "site/srclink/page.tpl", source},
      {dir / "site/newdir/../../src/page.tpl", source},
      {dir / "site/hard.par", source},
      {dir / "tarvelo.ini", own},
      {dir / "projects.ini", own},
      {ws.working.log_file, own},
      {ws.working.generated_list, own},
      {ws.working.search_file, own},
      {ws.working.replace_file, own},
      {ws.working.pass_stem + ".7", own},
      {ws.working.pass_stem + ".31", own},
  };
  for (const auto& c : cases) {
    Definition("[Main]\r\n" + c.output + ",page.tpl,index.par\r\n");
    const std::string before = std::filesystem::exists(c.output) ? ReadFile(c.output) : "";
    ws.options.ignore_generation_errors = 1;
    const RunResult result = Run();
    EXPECT_EQ(result.counters.errors, 1) << c.output;
    EXPECT_TRUE(Logged(kPad + "ERROR: The output file " + c.output + c.why)) << c.output;
    if (c.output != ws.working.log_file && c.output != ws.working.generated_list) {
      EXPECT_EQ(std::filesystem::exists(c.output) ? ReadFile(c.output) : "", before) << c.output;
    }
  }
  EXPECT_FALSE(std::filesystem::exists(dir / "site/newdir"));  // no folder made on the way
}

TEST_F(GenerationRunTest, WaitsForTheTemporaryFilesFolder) {
  Definition("[Main]\r\nindex.html,page.tpl,index.par\r\n");
  WriteFile(ws.working.log_file, "the other run's log\r\n");
  FolderLock other;
  ASSERT_TRUE(other.TryLock(ws.files, ws.working.temp_folder));
  const std::string waiting =
      "Waiting for another run that uses " + ws.working.temp_folder + " to finish...";

  // The other run ends after two pauses; the waiting line is shown once.
  host.on_pause = [&](int) {
    if (host.pauses.size() == 2) other.Release();
  };
  RunResult result = Run();
  EXPECT_EQ(result.outcome, RunOutcome::kCompleted);
  EXPECT_EQ(std::count(host.status.begin(), host.status.end(), waiting), 1);
  EXPECT_TRUE(std::filesystem::exists(Out("index.html")));

  // Stop ends the wait; without waiting the run does not start. Neither touches the
  // files of the run that holds the folder.
  WriteFile(ws.working.log_file, "the other run's log\r\n");
  ASSERT_TRUE(other.TryLock(ws.files, ws.working.temp_folder));
  host.on_pause = [&](int) { ws.stop_requested = true; };
  result = Run();
  EXPECT_EQ(result.outcome, RunOutcome::kStopped);
  EXPECT_EQ(host.status.back(), "Stopped Project:  \tSite\t\t" + when);
  host.pauses.clear();
  result =
      RunGeneration(ws, GenerationRequest{kScopeProject, -1, -1, false, false}, FixedClock(kStart));
  EXPECT_EQ(result.outcome, RunOutcome::kHalted);
  EXPECT_EQ(host.status, (std::vector<std::string>{
                             waiting, "Not waiting: generation of Site was not started."}));
  EXPECT_TRUE(host.pauses.empty());
  EXPECT_EQ(host.ended, host.started);
  EXPECT_EQ(ReadFile(ws.working.log_file), "the other run's log\r\n");
}

TEST_F(GenerationRunTest, AnUnwritableListOfGeneratedFilesIsAnError) {
  Definition("[Main]\r\nindex.html,page.tpl,index.par\r\nabout.html,page.tpl,about.par\r\n");
  ws.working.generated_list = "/dev/full";
  const RunResult result = Run();
  EXPECT_EQ(result.outcome, RunOutcome::kCompleted);
  EXPECT_EQ(result.counters.errors, 1);  // once, not once per Document
  EXPECT_EQ(result.counters.generated, 2);
  const std::string text =
      "ERROR: The list of generated files could not be written. Disk full (/dev/full)";
  EXPECT_TRUE(Logged(kPad + text));
  EXPECT_TRUE(Shown(text));
}

TEST_F(GenerationRunTest, MissingDefinitionTakesTheHaltPath) {
  const RunResult result = Run();
  EXPECT_EQ(result.outcome, RunOutcome::kHalted);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].text.rfind("Error # 10005 was generated by Tarvelo\rCould not open "
                                        "Project Definition file at " +
                                            dir / "src/project.txt",
                                        0),
            0u);
  EXPECT_EQ(host.status.back(), "Generated 0 of 0 documents\t\tSee Log File.");
  EXPECT_EQ(host.ended, 1);
}

TEST(FolderListOrderTest, AsReadOrSortedIgnoringCase) {
  ProjectDefinition definition;
  for (const char* name : {"beta", "Alpha", "gamma", "alpha"}) {
    definition.folders.push_back(FolderEntry{});
    definition.folders.back().name = name;
  }
  EXPECT_EQ(FolderListOrder(definition, false), (std::vector<Int16>{0, 1, 2, 3}));
  EXPECT_EQ(FolderListOrder(definition, true), (std::vector<Int16>{1, 3, 0, 2}));
}

}  // namespace
}  // namespace tarvelo
