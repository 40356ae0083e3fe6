// End-to-end: the real workbench binary, offscreen, for what only its main() decides:
// --help and --version without a display, and the batch run's exit status.
#include <gtest/gtest.h>

#include "e2e/cli_runner.h"
#include "support/test_support.h"

#ifdef TARVELO_WORKBENCH_PATH

namespace tarvelo::testing {
namespace {

TEST(WorkbenchTest, HelpAndVersionPrintAndEnd) {
  TempDir dir;
  const CliResult help = RunProgram(TARVELO_WORKBENCH_PATH, dir / "home", {"--help"}, {});
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.out.rfind("Usage: tarvelo [/mode=1|2 /project=FILE.web", 0), 0u) << help.out;
  const CliResult version = RunProgram(TARVELO_WORKBENCH_PATH, dir / "home", {"--version"}, {});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, "tarvelo 1.0.0\n");
  EXPECT_FALSE(Exists(dir / "home"));  // no start-up, no program folder
}

// A mode-2 run that completes with a missing file (ignored by the options, so no box
// waits) ends the program with the console's status 1.
TEST(WorkbenchTest, BatchRunExitsWithTheConsolesStatus) {
  TempDir dir;
  WriteFile(dir / "site.web", "name=Site\r\ndocument-root=" + dir.path() +
                                  "/out/\r\ncontent-root=" + dir.path() +
                                  "/\r\ndefinition-file=project.txt\r\n");
  WriteFile(dir / "project.txt", "[Main]\r\nindex.html,page.tpl,missing.par\r\n");
  WriteFile(dir / "page.tpl", "<p>page</p>\r\n");
  WriteFile(dir / "out/.keep", "");
  // The console sets up the program folder without asking (the workbench would ask);
  // its run halts at the missing file.
  ASSERT_EQ(RunCli(dir / "home", {"/project=" + (dir / "site.web")}).status, 2);
  std::string options = ReadFile(dir / "home/tarvelo.ini");
  const size_t at = options.find("ignore-missing-file-errors=0");
  ASSERT_NE(at, std::string::npos);
  options.replace(at, 28, "ignore-missing-file-errors=1");
  WriteFile(dir / "home/tarvelo.ini", options);

  const CliResult result =
      RunProgram(TARVELO_WORKBENCH_PATH, dir / "home",
                 {"/mode=2", "/project=" + (dir / "site.web")}, {"QT_QPA_PLATFORM=offscreen"}, 60);
  EXPECT_EQ(result.status, 1) << result.err;
  EXPECT_EQ(ReadFile(dir / "out/index.html"), "<p>page</p>\r\n");
}

}  // namespace
}  // namespace tarvelo::testing

#endif  // TARVELO_WORKBENCH_PATH
