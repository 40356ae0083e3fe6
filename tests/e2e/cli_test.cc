// End-to-end: the real tarvelo-cli on fixture Projects, checking the Documents byte for
// byte, the log (the clock is fixed), the status lines and the exit status.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <regex>

#include "e2e/cli_runner.h"
#include "support/test_support.h"

namespace tarvelo::testing {
namespace {

// The log and status lines with their date-times replaced by "<time>" and the
// generation time by "N seconds", since those are the run's real times.
std::vector<std::string> Masked(const std::vector<std::string>& lines) {
  static const std::regex time(R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d)");
  static const std::regex seconds(R"(\d+ seconds?$)");
  std::vector<std::string> masked;
  for (const std::string& line : lines) {
    masked.push_back(
        std::regex_replace(std::regex_replace(line, time, "<time>"), seconds, "N seconds"));
  }
  return masked;
}

// A small site: one Global Content File, two Folders, a static Document.
class CliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    site_ = dir_ / "site";
    home_ = dir_ / "home";
    WriteSiteFile(site_, "Fixture Site");
    WriteFile(site_ + "/src/project.txt",
              "# The fixture site\r\n"
              "Globals=globals.par\r\n"
              "[Main]\r\n"
              "index.html,page.tpl,index.par\r\n"
              "about.html,page.tpl,about.par\r\n"
              "[Static]\r\n"
              "robots.txt\r\n");
    WriteFile(site_ + "/src/globals.par",
              "[@SITE]:\r\nTarvelo Test\r\n[@]\r\n"
              "[@LINK(@url:index.html)(@text:Home)]:\r\n<a href='(@url)'>(@text)</a>\r\n[@]\r\n");
    WriteFile(site_ + "/src/page.tpl",
              "<html><head><title>[@TITLE] - [@SITE]</title></head>\r\n"
              "<body>\r\n"
              "  [@BODY]\r\n"
              "  [@{NOTE]\r\n"
              "  <p class='note'>[@NOTE]</p>\r\n"
              "  [@}]\r\n"
              "  <p>[@LINK(@text:Back)]</p>\r\n"
              "</body></html>\r\n");
    WriteFile(site_ + "/src/index.par",
              "[@TITLE]:\r\nWelcome\r\n[@]\r\n[@BODY]:\r\n<p>One</p>\r\n<p>Two</p>\r\n[@]\r\n"
              "[@NOTE]:\r\nNew!\r\n[@]\r\n");
    WriteFile(site_ + "/src/about.par",
              "[@TITLE]:\r\nAbout\r\n[@]\r\n[@BODY]:\r\n<p>It's us.</p>\r\n[@]\r\n");
    ::mkdir((site_ + "/out").c_str(), 0777);
  }

  CliResult Run(std::vector<std::string> extra = {}) {
    std::vector<std::string> arguments = {"/project=" + site_ + "/site.web"};
    arguments.insert(arguments.end(), extra.begin(), extra.end());
    return RunCli(home_, arguments);
  }

  TempDir dir_;
  std::string site_;
  std::string home_;
};

TEST_F(CliTest, GeneratesTheProject) {
  const CliResult result = Run();
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(ReadFile(site_ + "/out/index.html"),
            "<html><head><title>Welcome - Tarvelo Test</title></head>\r\n"
            "<body>\r\n"
            "  <p>One</p>\r\n"
            "  <p>Two</p>\r\n"
            "  <p class='note'>New!</p>\r\n"
            "  <p><a href='index.html'>Back</a></p>\r\n"
            "</body></html>\r\n");
  EXPECT_EQ(ReadFile(site_ + "/out/about.html"),
            "<html><head><title>About - Tarvelo Test</title></head>\r\n"
            "<body>\r\n"
            "  <p>It's us.</p>\r\n"
            "  <p><a href='index.html'>Back</a></p>\r\n"
            "</body></html>\r\n");
  EXPECT_FALSE(Exists(site_ + "/out/robots.txt"));

  const std::string out = site_ + "/out/";
  EXPECT_EQ(Masked(Lines(result.out)),
            (std::vector<std::string>{
                "Tarvelo Content Management System 1.0.0",
                "Command Line: \t/project=" + site_ + "/site.web",
                "Current Project: \tFixture Site (2 Folders, 3 Documents)",
                "Starting Project: \tFixture Site\t\t<time>",
                "Processing:\t" + out + "index.html",
                "Processing:\t" + out + "about.html",
                "Completed Project:\tFixture Site\t\t<time>",
                "Generated 2 of 3 documents (1  static document).",
            }));
  EXPECT_EQ(Masked(Lines(ReadFile(home_ + "/temp/tarvelo.txt"))),
            (std::vector<std::string>{
                "Starting Project: \tFixture Site\t\t<time>",
                "",
                "----:---- Globals",
                "",
                "0000:---- Main",
                "",
                "0000:0000 " + out + "index.html",
                "          >Generated",
                "",
                "0000:0001 " + out + "about.html",
                "          >Generated",
                "",
                "0001:---- Static",
                "",
                "0001:0000 " + out + "robots.txt",
                "          >Static document, generation skipped",
                "",
                "",
                "Completed Project:\tFixture Site\t\t<time>",
                "",
                "",
                "Documents Generated:  2",
                "Current Documents:    0",
                "Read-Only Documents:  0",
                "Static Documents:     1",
                "No-Path Documents:    0",
                "",
                "Total Documents:      3",
                "",
                "Generation Time:      N seconds",
                "",
                "Generated Files List: " + home_ + "/temp/generate.txt",
            }));
  EXPECT_EQ(ReadFile(home_ + "/temp/generate.txt"),
            out + "index.html\r\n" + out + "about.html\r\n");
  // The Project became current in the history; the sample Project stays listed.
  EXPECT_NE(ReadFile(home_ + "/projects.ini").find("5|" + site_ + "/site.web|2\r\n"),
            std::string::npos);
}

TEST_F(CliTest, ModifiedOnlyLeavesCurrentDocumentsAlone) {
  ASSERT_EQ(Run().status, 0);
  for (const char* name : {"index.html", "about.html"}) {
    SetModified(site_ + "/out/" + name, 1900000000);
  }
  const CliResult result = Run({"/modified-only=1"});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(Lines(result.out).back(),
            "Generated 0 of 3 documents (2  current documents, 1  static document).");
  EXPECT_EQ(Modified(site_ + "/out/index.html"), 1900000000);
  // The override held for that run only: the options file still says 0.
  EXPECT_NE(ReadFile(home_ + "/tarvelo.ini").find("modified-only=0\r\n"), std::string::npos);
}

TEST_F(CliTest, DocumentRootOverrideIsForOneRun) {
  const CliResult result = Run({"/document-root=" + dir_.path() + "/elsewhere/"});
  EXPECT_EQ(result.status, 2) << result.out;  // the subdirectory prompt was closed: Cancel
  const CliResult second = Run({"/document-root=" + site_ + "/out/"});
  EXPECT_EQ(second.status, 0) << second.err;
  EXPECT_TRUE(Exists(site_ + "/out/index.html"));
  EXPECT_NE(ReadFile(site_ + "/site.web").find("document-root=" + site_ + "/out/"),
            std::string::npos);
}

TEST_F(CliTest, MissingContentFileHaltsWithoutATerminal) {
  ::unlink((site_ + "/src/about.par").c_str());
  const CliResult result = Run();
  EXPECT_EQ(result.status, 2);
  EXPECT_NE(result.err.find("File Access Error: Error opening file: " + site_ + "/src/about.par."),
            std::string::npos)
      << result.err;
  EXPECT_NE(result.err.find("  -> No"), std::string::npos);
  EXPECT_NE(result.out.find("Error in Project: \tFixture Site"), std::string::npos);
  const std::string log = ReadFile(home_ + "/temp/tarvelo.txt");
  EXPECT_NE(log.find("          ERROR: Could not open file at " + site_ + "/src/about.par."),
            std::string::npos);
  EXPECT_NE(log.find("Project generation halted."), std::string::npos);
}

TEST_F(CliTest, IgnoredMissingFilesCompleteWithExitOne) {
  ASSERT_EQ(Run().status, 0);
  std::string options = ReadFile(home_ + "/tarvelo.ini");
  const size_t at = options.find("ignore-missing-file-errors=0");
  ASSERT_NE(at, std::string::npos);
  options.replace(at, 28, "ignore-missing-file-errors=1");
  WriteFile(home_ + "/tarvelo.ini", options);
  // Outputs from a run in the same second would read as possible duplicates.
  for (const char* name : {"index.html", "about.html"}) SetModified(site_ + "/out/" + name, 1e9);
  ::unlink((site_ + "/src/about.par").c_str());
  const CliResult result = Run();
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(Lines(result.out).back(),
            "Generated 2 of 3 documents with 1 error (1 missing file) (1  static document).\t\t"
            "See Log File.");
}

// A definition that cannot be read still gets its run: the log and the generated-files
// list of an earlier success are replaced by the halt, reported once.
TEST_F(CliTest, UnreadableDefinitionEndsTheRunThroughTheHalt) {
  ASSERT_EQ(Run().status, 0);
  ::unlink((site_ + "/src/project.txt").c_str());
  const CliResult result = Run();
  EXPECT_EQ(result.status, 2);
  const std::string description = "Could not open Project Definition file at " + site_ +
                                  "/src/project.txt. Please check the path to your Project "
                                  "Definition File or create a Project Definition file at this "
                                  "location.";
  EXPECT_EQ(Masked(Lines(result.out)),
            (std::vector<std::string>{
                "Tarvelo Content Management System 1.0.0",
                "Command Line: \t/project=" + site_ + "/site.web",
                "Current Project: \tFixture Site (0 Folders, 0 Documents)",
                "Starting Project: \tFixture Site\t\t<time>",
                "Error in Project: \tFixture Site\t\t<time>",
                "Generated 0 of 0 documents\t\tSee Log File.",
            }));
  EXPECT_EQ(Masked(Lines(ReadFile(home_ + "/temp/tarvelo.txt"))),
            (std::vector<std::string>{
                "Starting Project: \tFixture Site\t\t<time>",
                "",
                "",
                "Error in Project: \tFixture Site\t\t<time>",
                "",
                "Generated 0 of 0 documents",
                "",
                description,
            }));
  EXPECT_EQ(ReadFile(home_ + "/temp/generate.txt"), "");
  const size_t report = result.err.find("Error # ");
  ASSERT_NE(report, std::string::npos) << result.err;
  EXPECT_EQ(result.err.find("Error # ", report + 1), std::string::npos) << result.err;
}

// --keep-going answers Yes to All: the missing Content File is counted and the missing
// output folder created, the run finishes and says so with exit status 1.
TEST_F(CliTest, KeepGoingFinishesTheRunAndCounts) {
  ::unlink((site_ + "/src/about.par").c_str());
  const std::string root = dir_.path() + "/elsewhere/";
  const CliResult result = Run({"/document-root=" + root, "--keep-going"});
  EXPECT_EQ(result.status, 1) << result.err;
  EXPECT_TRUE(Exists(root + "index.html"));
  EXPECT_TRUE(Exists(root + "about.html"));
  EXPECT_EQ(Lines(result.out).back(),
            "Generated 2 of 3 documents with 1 error (1 missing file) (1  static document).\t\t"
            "See Log File.");
  for (const char* caption : {"File Access Error: ", "Subdirectory Does Not Exist: "}) {
    const size_t asked = result.err.find(caption);
    ASSERT_NE(asked, std::string::npos) << caption << result.err;
    EXPECT_NE(result.err.find("  -> Yes to All", asked), std::string::npos) << result.err;
  }
}

TEST_F(CliTest, BrokenProjectsExitTwoAndWriteNothing) {
  {
    SCOPED_TRACE("a Folder line with ] before [");
    WriteFile(site_ + "/src/project.txt", "[Main]\r\nindex.html,page.tpl,index.par\r\n]x[\r\n");
    const CliResult result = Run();
    EXPECT_EQ(result.status, 2);
    EXPECT_NE(result.err.find("Error # 5 was generated by Tarvelo\n"
                              "Invalid procedure call or argument"),
              std::string::npos)
        << result.err;
    EXPECT_FALSE(Exists(site_ + "/out/index.html"));
  }
  {
    SCOPED_TRACE("a setting that is not a number");
    WriteFile(site_ + "/site.web", ReadFile(site_ + "/site.web") + "max-docs=lots\r\n");
    WriteFile(site_ + "/src/project.txt", "[Main]\r\nindex.html,page.tpl,index.par\r\n");
    const CliResult result = Run();
    EXPECT_EQ(result.status, 2);
    EXPECT_NE(result.err.find("Error # 13 was generated by Tarvelo\nError reading Project Data "
                              "file " +
                              site_ + "/site.web. Type mismatch."),
              std::string::npos)
        << result.err;
    EXPECT_FALSE(Exists(site_ + "/out/index.html"));
  }
}

TEST_F(CliTest, ReadOnlyOutputHalts) {
  ASSERT_EQ(Run().status, 0);
  SetReadOnly(site_ + "/out/about.html", true);
  const CliResult result = Run();
  EXPECT_EQ(result.status, 2);
  EXPECT_NE(result.err.find("Error processing file: " + site_ +
                            "/out/about.html.\n"
                            "This file may be a read-only file.\nProject generation halted."),
            std::string::npos)
      << result.err;
}

TEST_F(CliTest, CtrlCStopsAfterTheDocumentInProgress) {
  std::string definition = "[Many]\r\n";
  for (int i = 0; i < 3000; ++i) {
    definition += "d" + std::to_string(i) + ".html,page.tpl,index.par\r\n";
  }
  WriteFile(site_ + "/src/project.txt", definition);
  WriteFile(site_ + "/site.web", ReadFile(site_ + "/site.web") + "max-docs=3000\r\n");

  int pipe_fds[2];
  ASSERT_EQ(::pipe(pipe_fds), 0);
  std::string project = "/project=" + site_ + "/site.web";
  std::string cli = TARVELO_CLI_PATH;
  char* argv[] = {cli.data(), project.data(), nullptr};
  std::string home = "TARVELO_HOME=" + home_;
  char* envp[] = {home.data(), nullptr};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipe_fds[1], 1);
  posix_spawn_file_actions_addclose(&actions, pipe_fds[0]);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  pid_t pid = 0;
  ASSERT_EQ(posix_spawn(&pid, argv[0], &actions, nullptr, argv, envp), 0);
  posix_spawn_file_actions_destroy(&actions);
  ::close(pipe_fds[1]);

  std::string out;
  char buffer[4096];
  bool signalled = false;
  while (true) {
    const ssize_t got = ::read(pipe_fds[0], buffer, sizeof buffer);
    if (got <= 0) break;
    out.append(buffer, static_cast<size_t>(got));
    if (!signalled && out.find("Processing:") != std::string::npos) {
      ::kill(pid, SIGINT);
      signalled = true;
    }
  }
  ::close(pipe_fds[0]);
  int status = 0;
  ::waitpid(pid, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 130);
  EXPECT_NE(out.find("Stopped Project:  \tFixture Site"), std::string::npos);
  EXPECT_FALSE(Exists(site_ + "/out/d2999.html"));
}

// One fixture through the macro rules that meet in a whole run: the Project Macro File
// and parent references across levels, the star and "!!!" marks, a wildcard, a
// multi-line value with indentation, the escape, delete-line with its exception, a
// required Macro, the reserved Macros with the date fixed by SOURCE_DATE_EPOCH, and
// optimisation levels chosen by the Documents' flags.
TEST(CliRulesTest, DocumentsMatchByteForByte) {
  TempDir dir;
  const std::string src = dir / "src";
  WriteFile(dir / "r.web", "name=Rules\r\ndocument-root=" + dir.path() +
                               "/out/\r\ncontent-root=" + src +
                               "/\r\ndefinition-file=project.txt\r\noptimization-status=2\r\n"
                               "project-macro-file=project.par\r\n");
  WriteFile(
      src + "/project.txt",
      "Globals=globals.par\r\n[Pages]\r\nGlobals=folder.par\r\nplain.html,page.tpl,plain.par\r\n"
      "level1.html -o1,page.tpl,plain.par\r\nlevel2.html -o2,page.tpl,plain.par\r\n"
      "[Bare]*\r\nbare.html,page.tpl,plain.par!!!\r\n");
  WriteFile(src + "/project.par", "[@OWNER]:\r\nProject file\r\n[@]\r\n");
  WriteFile(
      src + "/globals.par",
      "[@MENU_A]:\r\n<a href=\"a.html\">A</a>\r\n[@]\r\n[@MENU_B]:\r\n<a "
      "href=\"b.html\">B</a>\r\n[@]\r\n[@OWNER]:\r\nGlobals\r\n[@]\r\n[@ROOT_DIR]:\r\n[@]\r\n");
  WriteFile(src + "/folder.par", "[@OWNER]:\r\nFolder and [@^OWNER]\r\n[@]\r\n");
  WriteFile(
      src + "/plain.par",
      "[@TITLE]:\r\nIt's a test\r\n[@]\r\n[@LIST]:\r\n<li>one</li>\r\n<li>two</li>\r\n[@]\r\n");
  WriteFile(src + "/page.tpl",
            "<html>\r\n  <head><title>[@\\TITLE]</title></head>\r\n  <body>\r\n    <ul>\r\n"
            "      [@LIST]\r\n    </ul>\r\n    <nav class=\"*\">[@MENU_*]</nav>\r\n"
            "    <p>[@OWNER] / [@^OWNER]</p>\r\n"
            "    <p>[@TARVELO_PROJECT_NAME] [@TARVELO_FOLDER_NAME] "
            "[@DATE(@format:yyyy-mm-dd hh:nn)]</p>\r\n"
            "    <img src=\"[@ROOT_DIR]logo.gif\">\r\n    <p>[@$MISSING]</p>\r\n"
            "<!--TARVELO:OPTIMIZE:OFF-->\r\n    <pre>\r\n  kept</pre>\r\n"
            "<!--TARVELO:OPTIMIZE:ON-->\r\n  </body>\r\n</html>\r\n");
  ::mkdir((dir / "out").c_str(), 0777);

  const CliResult result = RunCli(dir / "home", {"/project=" + (dir / "r.web")});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(Lines(result.out).back(),
            "Generated 4 of 4 documents with 4 warnings.\t\tSee Log File.");
  const std::string head =
      "<html>\r\n  <head><title>It\\'s a test</title></head>\r\n  <body>\r\n    <ul>\r\n"
      "      <li>one</li>\r\n      <li>two</li>\r\n    </ul>\r\n";
  const std::string tail =
      "<!--TARVELO:OPTIMIZE:OFF-->\r\n    <pre>\r\n  kept</pre>\r\n<!--TARVELO:OPTIMIZE:ON-->\r\n"
      "  </body>\r\n</html>\r\n";
  EXPECT_EQ(ReadFile(dir / "out/plain.html"),
            head +
                "    <nav class=\"*\"><a href=\"a.html\">A</a></nav>\r\n"
                "    <nav class=\"*\"><a href=\"b.html\">B</a></nav>\r\n"
                "    <p>Project file / Folder and Globals</p>\r\n"
                "    <p>Rules Pages 2025-12-06 05:46</p>\r\n    <img src=\"logo.gif\">\r\n" +
                tail);
  EXPECT_EQ(ReadFile(dir / "out/level1.html"),
            "<html>\r\n<head><title>It\\'s a test</title></head>\r\n<body>\r\n<ul>\r\n"
            "<li>one</li>\r\n<li>two</li>\r\n</ul>\r\n"
            "<nav class=\"*\"><a href=\"a.html\">A</a></nav>\r\n"
            "<nav class=\"*\"><a href=\"b.html\">B</a></nav>\r\n"
            "<p>Project file / Folder and Globals</p>\r\n<p>Rules Pages 2025-12-06 05:46</p>\r\n"
            "<img src=\"logo.gif\">\r\n    <pre>\r\n  kept</pre>\r\n</body>\r\n</html>\r\n");
  EXPECT_EQ(ReadFile(dir / "out/level2.html"),
            "<html><head><title>It\\'s a test</title></head><body><ul><li>one</li><li>two</li>"
            "</ul><nav class=\"*\"><a href=\"a.html\">A</a></nav><nav class=\"*\"><a "
            "href=\"b.html\">B</a></nav><p>Project file / Folder and Globals</p><p>Rules Pages "
            "2025-12-06 05:46</p><img src=\"logo.gif\">\r\n    <pre>\r\n  kept</pre>\r\n"
            "</body></html>");
  EXPECT_EQ(
      ReadFile(dir / "out/bare.html"),
      head + "    <p>Rules Bare 2025-12-06 05:46</p>\r\n    <img src=\"logo.gif\">\r\n" + tail);
  const std::string log = ReadFile(dir / "home/temp/tarvelo.txt");
  EXPECT_NE(log.find("0000:0002 " + dir.path() +
                     "/out/level2.html\r\n          WARNING: The "
                     "required Macro [@MISSING] does not have a value.\r\n          >Generated\r\n"
                     "          >Optimization Level:2\r\n"),
            std::string::npos)
      << log;
}

TEST(CliCommandLineTest, HelpVersionAndBadArguments) {
  TempDir dir;
  const CliResult help = RunCli(dir / "home", {"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("Usage: tarvelo-cli /project=FILE.web"), std::string::npos);
  const CliResult version = RunCli(dir / "home", {"--version"});
  EXPECT_EQ(version.out, "tarvelo-cli 1.0.0\n");
  EXPECT_EQ(RunCli(dir / "home", {}).status, 2);
  EXPECT_EQ(RunCli(dir / "home", {"/project=a.web", "/modified-only=x"}).status, 2);
  EXPECT_FALSE(Exists(dir / "home"));  // nothing is created for a wrong command line
}

TEST(CliStartUpTest, CreatesTheProgramFolderAndRefusesANonProject) {
  TempDir dir;
  WriteFile(dir / "not-a-project.web", "hello\r\n");
  const CliResult result = RunCli(dir / "home", {"/project=" + (dir / "not-a-project.web")});
  EXPECT_EQ(result.status, 2);
  EXPECT_TRUE(Exists(dir / "home/tarvelo.ini"));
  EXPECT_TRUE(Exists(dir / "home/projects.ini"));
  EXPECT_TRUE(Exists(dir / "home/temp/tarvelo.txt"));
  EXPECT_TRUE(Exists(dir / "home/overview/Tarvelo CMS Overview.web"));
  EXPECT_NE(
      result.err.find("Command Line Error: Error processing command line options.\nThe file " +
                      (dir / "not-a-project.web") + " is not a valid Project file."),
      std::string::npos)
      << result.err;
  EXPECT_EQ(ReadFile(dir / "not-a-project.web"), "hello\r\n");
}

}  // namespace
}  // namespace tarvelo::testing
