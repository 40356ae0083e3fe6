// End-to-end safety: real tarvelo-cli processes that share a temporary files folder,
// runs killed at random moments, and the exit statuses of failures that a run used to
// report as success.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/mount.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "common/text.h"
#include "e2e/cli_runner.h"
#include "project/file_locks.h"
#include "project/file_store.h"
#include "support/test_support.h"

namespace tarvelo::testing {
namespace {

namespace fs = std::filesystem;

// A Project of `pages` Documents whose every line names the site, so that a page
// holding another site's text shows at once.
std::string WriteSite(const std::string& root, const std::string& name, int pages,
                      const std::string& extra_settings = "") {
  WriteSiteFile(root, name, extra_settings);
  std::string tpl;
  for (int i = 0; i < 40; ++i) tpl += "<p>[@SITE] [@PAGE]</p>\r\n";
  WriteFile(root + "/src/page.tpl", tpl);
  WriteFile(root + "/src/globals.par", "[@SITE]:\r\n" + name + "\r\n[@]\r\n");
  std::string definition = "Globals=globals.par\r\n[Main]\r\n";
  for (int i = 0; i < pages; ++i) {
    const std::string page = "p" + std::to_string(i);
    definition += page + ".html,page.tpl," + page + ".par\r\n";
    WriteFile(root + "/src/" + page + ".par", "[@PAGE]:\r\n" + page + "\r\n[@]\r\n");
  }
  WriteFile(root + "/src/project.txt", definition);
  fs::create_directories(root + "/out");
  return "/project=" + root + "/site.web";
}

// Waits (generously: the machine may be loaded) until the process has printed `text`.
bool WaitForOutput(const CliProcess& process, const std::string& text) {
  for (int i = 0; i < 1200; ++i) {
    if (OutputSoFar(process).find(text) != std::string::npos) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return false;
}

std::vector<std::string> TemporarySiblings(const std::vector<std::string>& folders) {
  std::vector<std::string> found;
  for (const std::string& folder : folders) {
    for (const auto& entry : fs::directory_iterator(folder)) {
      const std::string name = entry.path().filename().string();
      if (name.find(".tarvelo-") != std::string::npos) found.push_back(entry.path().string());
    }
  }
  return found;
}

TEST(CliSafetyTest, RunsThatShareTheTemporaryFilesFolderTakeTurns) {
  TempDir dir;
  const std::string home = dir / "home";
  const std::string site_a = WriteSite(dir / "a", "Alpha", 30);
  const std::string site_b = WriteSite(dir / "b", "Beta", 30);
  ASSERT_EQ(RunCli(home, {site_a}).status, 0);  // sets up the program folder

  // While another run holds the folder, a run waits, and with --no-wait gives up.
  const std::string waiting = "Waiting for another run that uses " + home + "/temp/ to finish...";
  FileStore files;
  FolderLock other;
  ASSERT_TRUE(other.TryLock(files, home + "/temp/"));
  fs::remove(dir / "a/out/p0.html");
  const CliProcess waiter = StartCli(home, {site_a}, "-waiter");
  ASSERT_TRUE(WaitForOutput(waiter, waiting));
  const CliResult refused = RunCli(home, {site_b, "--no-wait"});
  EXPECT_EQ(refused.status, 2);
  EXPECT_NE(refused.out.find(waiting), std::string::npos);
  EXPECT_FALSE(Exists(dir / "b/out/p0.html"));
  EXPECT_FALSE(Exists(dir / "a/out/p0.html"));
  other.Release();
  const CliResult waited = FinishCli(waiter);
  EXPECT_EQ(waited.status, 0) << waited.err;
  EXPECT_EQ(waited.out.find(waiting), waited.out.rfind(waiting));  // said once
  EXPECT_TRUE(Exists(dir / "a/out/p0.html"));

  // Two real runs at once: each site holds its own text only, and the Project History
  // keeps both.
  const CliProcess a = StartCli(home, {site_a}, "-a");
  const CliProcess b = StartCli(home, {site_b}, "-b");
  const CliResult result_a = FinishCli(a);
  const CliResult result_b = FinishCli(b);
  EXPECT_EQ(result_a.status, 0) << result_a.err;
  EXPECT_EQ(result_b.status, 0) << result_b.err;
  for (int i = 0; i < 30; ++i) {
    const std::string page = "p" + std::to_string(i);
    for (const auto& [site, name, wrong] :
         {std::tuple{dir / "a", "Alpha", "Beta"}, std::tuple{dir / "b", "Beta", "Alpha"}}) {
      const std::string text = ReadFile(site + "/out/" + page + ".html");
      EXPECT_NE(text.find("<p>" + std::string(name) + " " + page + "</p>"), std::string::npos);
      EXPECT_EQ(text.find(wrong), std::string::npos) << site << "/" << page;
    }
  }
  const std::string history = ReadFile(home + "/projects.ini");
  EXPECT_NE(history.find(dir / "a/site.web"), std::string::npos);
  EXPECT_NE(history.find(dir / "b/site.web"), std::string::npos);
}

TEST(CliSafetyTest, KilledRunsLeaveNoTemporaryFileBehind) {
  TempDir dir;
  const std::string home = dir / "home";
  const std::string site = WriteSite(dir / "site", "Site", 400, "max-docs=400\r\n");
  ASSERT_EQ(RunCli(home, {site}).status, 0);

  std::mt19937 random(std::random_device{}());
  for (int kill = 0; kill < 3; ++kill) {
    const CliProcess run = StartCli(home, {site});
    std::this_thread::sleep_for(std::chrono::milliseconds(random() % 400));
    ::kill(run.pid, SIGKILL);
    FinishCli(run);
  }
  // What a killed writer of older days left, in each place a run writes.
  WriteFile(dir / "site/out/.p1.html.tarvelo-0.tmp", "");
  WriteFile(home + "/temp/.tarvelo.0.tarvelo-83.tmp", "");
  WriteFile(home + "/.projects.ini.tarvelo-123456789.tmp", "");

  // SIGTERM stops the run at the next Document, as Ctrl+C does.
  const CliProcess stopped = StartCli(home, {site});
  ASSERT_TRUE(WaitForOutput(stopped, "Processing:"));
  ::kill(stopped.pid, SIGTERM);
  const CliResult stop = FinishCli(stopped);
  EXPECT_EQ(stop.status, 130);
  EXPECT_NE(stop.out.find("Stopped Project:  \tSite"), std::string::npos);

  EXPECT_EQ(RunCli(home, {site}).status, 0);
  EXPECT_EQ(TemporarySiblings({dir / "site/out", home + "/temp", home}),
            std::vector<std::string>{});
  for (int i = 0; i < 400; i += 37) {
    const std::string page = "p" + std::to_string(i);
    std::string complete;
    for (int line = 0; line < 40; ++line) complete += "<p>Site " + page + "</p>\r\n";
    EXPECT_EQ(ReadFile(dir / ("site/out/" + page + ".html")), complete);
  }
}

// Failures that used to end in exit status 0.
TEST(CliSafetyTest, FailuresOutsideTheRunStillFailTheExitStatus) {
  TempDir dir;
  const std::string home = dir / "home";
  const std::string site = WriteSite(dir / "site", "Site", 2);
  ASSERT_EQ(RunCli(home, {site}).status, 0);

  // A follow-up command that cannot be started.
  CliResult result = RunCli(home, {site, "/command=/nonexistent/tarvelo-next"});
  EXPECT_EQ(result.status, 1);
  EXPECT_NE(result.out.find("Completed Project:"), std::string::npos);

  // A list of generated files that cannot be written.
  WriteSite(dir / "site", "Site", 2, "generated-files-log-file=/dev/full\r\n");
  result = RunCli(home, {site});
  EXPECT_EQ(result.status, 1);
  EXPECT_NE(result.out.find("ERROR: The list of generated files could not be written. Disk "
                            "full (/dev/full)"),
            std::string::npos);
  WriteSite(dir / "site", "Site", 2);

  // A definition file with CR-only line ends lists no Folder: a warning, status 0.
  WriteFile(dir / "site/src/project.txt", "# The site\r[Main]\rp0.html,page.tpl\r");
  result = RunCli(home, {site});
  EXPECT_EQ(result.status, 0);
  EXPECT_NE(result.err.find("tarvelo-cli: warning: the Project Definition File " +
                            (dir / "site/src/project.txt") +
                            " lists no Folder (its lines end with CR only)"),
            std::string::npos)
      << result.err;
  WriteSite(dir / "site", "Site", 2);

  // A settings value out of range: the run goes on, the status says something was wrong.
  std::string options = ReadFile(home + "/tarvelo.ini");
  const size_t at = options.find("maximum-projects=25");
  ASSERT_NE(at, std::string::npos);
  WriteFile(home + "/tarvelo.ini", options.replace(at, 19, "maximum-projects=99999"));
  result = RunCli(home, {site});
  EXPECT_EQ(result.status, 1);
  EXPECT_NE(result.err.find("Overflow"), std::string::npos);
  EXPECT_NE(result.out.find("Completed Project:"), std::string::npos);
}

TEST(CliSafetyTest, AFullDiskIsReportedAsDiskFull) {
  TempDir dir;
  const std::string home = dir / "home";
  const std::string site = WriteSite(dir / "site", "Site", 1);
  if (::mount("tarvelo-test", (dir / "site/out").c_str(), "tmpfs", 0, "size=16k") != 0) {
    GTEST_SKIP() << "no tmpfs can be mounted here; the FileStore test checks Disk full";
  }
  std::string big;
  for (int i = 0; i < 2000; ++i) big += "<p>[@SITE] [@PAGE] filler text</p>\r\n";
  WriteFile(dir / "site/src/page.tpl", big);
  const CliResult result = RunCli(home, {site});
  ::umount((dir / "site/out").c_str());
  EXPECT_EQ(result.status, 2);  // the failed Document's question is answered No
  const std::string log = ReadFile(home + "/temp/tarvelo.txt");
  EXPECT_NE(log.find("ERROR: Disk full (" + (dir / "site/out/p0.html") + ")"), std::string::npos)
      << log;
}

}  // namespace
}  // namespace tarvelo::testing
