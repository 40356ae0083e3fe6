// Crash trials: tarvelo-cli is killed with SIGKILL at random moments of a generation
// run over 2,000 Documents whose every output changes, and of a console Replace over
// 500 files. After each kill every Document and source file must hold exactly its old
// or its new bytes, the program's settings and the project file must be untouched, and
// the next run must complete with the new bytes and leave no temporary sibling.
//
// TARVELO_CRASH_KILLS sets the kills per trial (default 10); TARVELO_CRASH_SEED replays
// the random moments of a failed trial (its seed is printed at the start).
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <iostream>
#include <map>
#include <random>
#include <regex>
#include <string>
#include <vector>

#include "e2e/cli_runner.h"
#include "support/test_support.h"

namespace tarvelo::testing {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using Tree = std::map<std::string, std::string>;  // path under a folder -> bytes

constexpr int kFolders = 20;
constexpr long kEpochs[2] = {1765000000, 1765000000 + 400L * 86400};  // different dates

long EnvNumber(const char* name, long fallback) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0' ? std::strtol(value, nullptr, 10) : fallback;
}

bool IsTemporarySibling(const std::string& name) {
  static const std::regex sibling(R"(\..+\.tarvelo-[0-9]+\.tmp)");
  return std::regex_match(name, sibling);
}

// Every regular file under `folder` with its bytes, keyed by its path under it.
Tree ReadTree(const std::string& folder) {
  Tree tree;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    if (entry.is_regular_file()) {
      tree[fs::relative(entry.path(), folder).string()] = ReadFile(entry.path().string());
    }
  }
  return tree;
}

std::vector<std::string> TemporarySiblings(const std::string& folder) {
  std::vector<std::string> found;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    if (IsTemporarySibling(entry.path().filename().string())) found.push_back(entry.path());
  }
  return found;
}

// Writes a Project of `documents` Documents across 20 Folders under `root`: src/ holds
// the sources (each Content File has a 40-line body that says "lazy dog"), site/ the
// output folders. Each output is about 8 KB and carries the date of [@DATE].
std::string WriteProject(const std::string& root, int documents) {
  const std::string crlf = "\r\n";
  WriteFile(root + "/site.web", "ini-file-version=5\r\nname=Crash Trial\r\ndocument-root=" + root +
                                    "/site/\r\ncontent-root=" + root +
                                    "/src/\r\ndefinition-file=project.txt\r\nmax-docs=" +
                                    std::to_string(documents / kFolders + 1) + "\r\n");
  std::string globals;
  for (int i = 0; i < 20; ++i) {
    globals +=
        "[@G" + std::to_string(i) + "]:\r\nglobal value " + std::to_string(i) + "\r\n[@]\r\n";
  }
  WriteFile(root + "/src/globals.par", globals);
  std::string page = "<html><head><title>[@TITLE]</title></head><body>\r\n<h1>[@TITLE]</h1>\r\n";
  for (int i = 0; i < 40; ++i) {
    page += "<p>[@G" + std::to_string(i % 20) + "] in [@TARVELO_FOLDER_NAME]</p>\r\n";
  }
  page += "[@BODY]\r\n<footer>Generated [@DATE(@format:yyyy-mm-dd)]</footer></body></html>\r\n";
  WriteFile(root + "/src/page.tpl", page);
  std::string definition = "Globals=globals.par\r\n";
  for (int doc = 0; doc < documents; ++doc) {
    const std::string folder = "f" + std::to_string(doc % kFolders);
    if (doc < kFolders) fs::create_directories(root + "/site/" + folder);
    if (doc % (documents / kFolders) == 0) definition += "[Folder " + folder + "]" + crlf;
    const std::string name = folder + "/d" + std::to_string(doc);
    definition += name + ".html,page.tpl,docs/" + name + ".par" + crlf;
    std::string par = "[@TITLE]:\r\nDocument " + std::to_string(doc) + "\r\n[@]\r\n[@BODY]:\r\n";
    for (int line = 0; line < 40; ++line) {
      par += "<p>Line " + std::to_string(line) + " of " + std::to_string(doc) +
             ": the quick brown fox jumps over the lazy dog.</p>\r\n";
    }
    WriteFile(root + "/src/docs/" + name + ".par", par + "[@]\r\n");
  }
  WriteFile(root + "/src/project.txt", definition);
  return "/project=" + root + "/site.web";
}

class CrashTrial : public ::testing::Test {
 protected:
  void SetUp() override {
    seed_ = static_cast<unsigned>(EnvNumber("TARVELO_CRASH_SEED", std::random_device()()));
    kills_ = static_cast<int>(EnvNumber("TARVELO_CRASH_KILLS", 10));
    random_.seed(seed_);
    std::cout << "Crash trial seed " << seed_ << ", " << kills_
              << " kills (replay with TARVELO_CRASH_SEED=" << seed_ << ")" << std::endl;
    root_ = dir_ / "project";
    home_ = dir_ / "home";
  }

  // Runs the program to its end; the status, and the seconds it took.
  int Run(const std::vector<std::string>& arguments, long epoch, double* seconds = nullptr) {
    const Clock::time_point start = Clock::now();
    const CliResult result = FinishCli(StartCli(home_, arguments, "", epoch), 600);
    if (seconds != nullptr) *seconds = std::chrono::duration<double>(Clock::now() - start).count();
    if (result.status > 1) ADD_FAILURE() << result.out << result.err;
    return result.status;
  }

  // Starts the program and kills it after a random part of `full_seconds`; false when
  // it had ended before, and then its time becomes the span, so the kills follow the
  // machine's speed when the load on it drops.
  bool StartAndKill(const std::vector<std::string>& arguments, long epoch, double& full_seconds) {
    const Clock::time_point start = Clock::now();
    const CliProcess process = StartCli(home_, arguments, "", epoch);
    const double moment = std::uniform_real_distribution<double>(0.0, full_seconds)(random_);
    int status = 0;
    bool ended = false;
    double elapsed = 0;
    while (!ended && elapsed < moment) {
      ended = ::waitpid(process.pid, &status, WNOHANG) == process.pid;
      if (!ended) ::usleep(500);
      elapsed = std::chrono::duration<double>(Clock::now() - start).count();
    }
    if (ended) {
      full_seconds = elapsed;
    } else {
      ::kill(process.pid, SIGKILL);
      ::waitpid(process.pid, &status, 0);
    }
    ::unlink(process.out_path.c_str());
    ::unlink(process.err_path.c_str());
    return !ended && WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
  }

  // The files that must never change: the program's settings and the project file.
  Tree Settings() const {
    return {{"tarvelo.ini", ReadFile(home_ + "/tarvelo.ini")},
            {"projects.ini", ReadFile(home_ + "/projects.ini")},
            {"site.web", ReadFile(root_ + "/site.web")}};
  }

  // Each file of `now` holds its bytes in `before` or in `after`; a temporary sibling
  // is allowed only when `siblings_allowed`. Counts the files that hold the new bytes.
  int ExpectOldOrNew(const Tree& now, const Tree& before, const Tree& after, bool siblings_allowed,
                     const std::string& what) {
    int changed = 0;
    std::vector<std::string> faults;
    for (const auto& [name, bytes] : now) {
      if (IsTemporarySibling(fs::path(name).filename().string())) {
        if (!siblings_allowed) faults.push_back(name + " is a stale temporary sibling");
        continue;
      }
      const auto old_bytes = before.find(name);
      const auto new_bytes = after.find(name);
      const bool is_old = old_bytes != before.end() && old_bytes->second == bytes;
      const bool is_new = new_bytes != after.end() && new_bytes->second == bytes;
      if (!is_old && !is_new) {
        faults.push_back(name + " holds neither its old nor its new bytes (" +
                         std::to_string(bytes.size()) + " bytes)");
      }
      changed += is_new && !is_old ? 1 : 0;
    }
    for (const auto& [name, bytes] : before) {
      if (!now.count(name)) faults.push_back(name + " is missing");
    }
    EXPECT_EQ(faults.size(), 0u) << what << ": " << Listed(faults);
    return changed;
  }

  // The first few of a list, for a failure message that stays readable.
  static std::string Listed(const std::vector<std::string>& items) {
    std::string text;
    for (size_t i = 0; i < items.size() && i < 5; ++i) text += "\n  " + items[i];
    if (items.size() > 5) text += "\n  ... " + std::to_string(items.size() - 5) + " more";
    return text;
  }

  void ExpectNoSiblings(const std::string& what) {
    for (const std::string& folder : {root_, home_}) {
      const std::vector<std::string> stale = TemporarySiblings(folder);
      EXPECT_EQ(stale.size(), 0u) << what << ": stale temporary siblings" << Listed(stale);
    }
  }

  // A line every 50 kills, so a long form shows that it goes on.
  void Progress(const std::string& kind, int kills) {
    if (kills % 50 == 0) std::cout << kind << ": " << kills << " kills so far" << std::endl;
  }

  void Report(const std::string& kind, int kills, int mixed, int ended, double seconds) {
    std::cout << kind << ": " << kills << " kills survived (" << mixed
              << " left old and new files side by side), " << ended
              << " runs ended before their kill, " << seconds << " s" << std::endl;
  }

  TempDir dir_;
  std::string root_;
  std::string home_;
  unsigned seed_ = 0;
  int kills_ = 0;
  std::mt19937 random_;
};

TEST_F(CrashTrial, GenerationKilledLeavesEachDocumentOldOrNew) {
  const Clock::time_point start = Clock::now();
  const int documents = 2000;
  const std::string project = WriteProject(root_, documents);
  const std::string web = ReadFile(root_ + "/site.web");
  // One output tree per date; the second run, where every output changes, sets the
  // span the kills fall in.
  Tree outputs[2];
  double full_seconds = 0;
  for (int date = 0; date < 2; ++date) {
    ASSERT_EQ(Run({project}, kEpochs[date], &full_seconds), 0);
    outputs[date] = ReadTree(root_ + "/site");
  }
  ASSERT_EQ(outputs[1].size(), static_cast<size_t>(documents));
  for (const auto& [name, bytes] : outputs[0]) ASSERT_NE(bytes, outputs[1][name]) << name;
  const Tree sources = ReadTree(root_ + "/src");
  const Tree settings = Settings();
  ASSERT_EQ(settings.at("site.web"), web);

  int kills = 0;
  int mixed = 0;
  int ended = 0;
  for (int trial = 0; kills < kills_ && trial < 5 * kills_ && !HasFailure(); ++trial) {
    const int before = trial % 2 == 0 ? 1 : 0;
    const int after = 1 - before;
    const std::string what = "seed " + std::to_string(seed_) + ", trial " + std::to_string(trial);
    if (StartAndKill({project}, kEpochs[after], full_seconds)) {
      Progress("Generation", ++kills);
      const int changed =
          ExpectOldOrNew(ReadTree(root_ + "/site"), outputs[before], outputs[after], true, what);
      mixed += changed > 0 && changed < documents ? 1 : 0;
    } else {
      ++ended;
    }
    ExpectOldOrNew(ReadTree(root_ + "/src"), sources, sources, false, what + " (sources)");
    EXPECT_EQ(Settings(), settings) << what;
    EXPECT_EQ(Run({project}, kEpochs[after]), 0) << what;
    ExpectOldOrNew(ReadTree(root_ + "/site"), outputs[after], outputs[after], false,
                   what + " (the next run)");
    ExpectNoSiblings(what);
  }
  if (HasFailure()) return;  // the fault is reported; later trials would only repeat it
  EXPECT_EQ(kills, kills_) << "the runs ended before their kill too often";
  Report("Generation of 2,000 Documents", kills, mixed, ended,
         std::chrono::duration<double>(Clock::now() - start).count());
}

TEST_F(CrashTrial, ReplaceKilledLeavesEachSourceFileOldOrNew) {
  const Clock::time_point start = Clock::now();
  const int files = 500;
  const std::string project = WriteProject(root_, files);
  // The texts swap places at each Replace, so its every Content File changes.
  const std::string texts[2] = {"lazy dog", "sleepy cat"};
  Tree sources[2];
  sources[0] = ReadTree(root_ + "/src");
  double full_seconds = 0;
  ASSERT_EQ(Run({project, "/find=" + texts[0], "/replace=" + texts[1], "--yes"}, kEpochs[0],
                &full_seconds),
            0);
  sources[1] = ReadTree(root_ + "/src");
  int differ = 0;
  for (const auto& [name, bytes] : sources[0]) differ += bytes != sources[1][name] ? 1 : 0;
  ASSERT_EQ(differ, files);
  const Tree settings = Settings();

  int kills = 0;
  int mixed = 0;
  int ended = 0;
  for (int trial = 0; kills < kills_ && trial < 5 * kills_ && !HasFailure(); ++trial) {
    const int before = trial % 2 == 0 ? 1 : 0;
    const int after = 1 - before;
    const std::vector<std::string> replace = {project, "/find=" + texts[before],
                                              "/replace=" + texts[after], "--yes"};
    const std::string what = "seed " + std::to_string(seed_) + ", trial " + std::to_string(trial);
    int changed = files;
    if (StartAndKill(replace, kEpochs[0], full_seconds)) {
      Progress("Replace", ++kills);
      changed =
          ExpectOldOrNew(ReadTree(root_ + "/src"), sources[before], sources[after], true, what);
      mixed += changed > 0 && changed < files ? 1 : 0;
    } else {
      ++ended;
    }
    EXPECT_EQ(Settings(), settings) << what;
    // Nothing left to replace is status 1, the only other outcome of a completed Replace.
    EXPECT_EQ(Run(replace, kEpochs[0]), changed < files ? 0 : 1) << what;
    ExpectOldOrNew(ReadTree(root_ + "/src"), sources[after], sources[after], false,
                   what + " (the next run)");
    ExpectNoSiblings(what);
  }
  if (HasFailure()) return;
  EXPECT_EQ(kills, kills_) << "the runs ended before their kill too often";
  Report("Replace over 500 files", kills, mixed, ended,
         std::chrono::duration<double>(Clock::now() - start).count());
}

}  // namespace
}  // namespace tarvelo::testing
