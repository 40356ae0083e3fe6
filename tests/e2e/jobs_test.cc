// End-to-end: tarvelo-cli --jobs=2 against one job on the same Projects, run for run
// from the same files: the outputs, the log, the generated-files list, the status
// lines, the questions and the exit status must be the same bytes, through halts and
// answered questions too.
#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <functional>
#include <map>
#include <regex>
#include <string>
#include <vector>

#include "e2e/cli_runner.h"
#include "support/test_support.h"

namespace tarvelo::testing {
namespace {

namespace fs = std::filesystem;

std::string Pad(int number, int width) {
  std::string text = std::to_string(number);
  return std::string(width > static_cast<int>(text.size()) ? width - text.size() : 0, '0') + text;
}

std::string Join(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

// A Project shaped like the benchmark's (bench/make_project), smaller: Folders of
// Documents from one Template with parameters, a multi-line value, a nested reference,
// a conditional block and reserved Macros; Global Macros, Folder Globals and one
// Content File each. Outputs go to ROOT/site/fNN/dNNNN.html.
void WriteBenchLikeProject(const std::string& root, int folders, int per_folder) {
  WriteFile(root + "/bench.web", Join({"name=Benchmark", "document-root=" + root + "/site/",
                                       "content-root=" + root + "/", "definition-file=project.txt",
                                       "max-docs=50", "max-folders=25"}));
  std::vector<std::string> globals;
  for (int i = 0; i < 60; ++i)
    globals.insert(globals.end(),
                   {"[@G" + Pad(i, 2) + "]:", "global value " + std::to_string(i), "[@]", ""});
  globals.insert(globals.end(),
                 {"[@LINK(@url:index.html)(@text:Home)]:", "<a href='(@url)'>(@text)</a>", "[@]",
                  "[@FOOTER]:", "<footer>", "  <p>[@G01] - [@G02]</p>",
                  "  <p>Generated [@DATE(@format:yyyy-mm-dd)]</p>", "</footer>", "[@]"});
  WriteFile(root + "/globals.par", Join(globals));
  std::vector<std::string> tmpl = {
      "<html><head><title>[@TITLE] - [@G00]</title></head><body>",
      "  <nav>[@LINK(@url:a.html)(@text:A)] [@LINK]</nav>",
      "  <p>[@TARVELO_PROJECT_NAME] / [@TARVELO_FOLDER_NAME] / [@TARVELO_DOCUMENT_NAME]</p>",
      "  [@{SHOW_NOTE]",
      "  <div class='note'>[@NOTE]</div>",
      "  [@}{]",
      "  <div class='note'>No note.</div>",
      "  [@}]",
      "  <main>",
      "    [@BODY]",
      "  </main>"};
  for (int i = 0; i < 20; ++i) {
    tmpl.push_back("  <p>[@G" + Pad(i * 3 % 60, 2) + "] and [@F" + std::to_string(i % 10) +
                   "]</p>");
  }
  tmpl.insert(tmpl.end(), {"  [@FOOTER]", "</body></html>"});
  WriteFile(root + "/page.tpl", Join(tmpl));
  std::vector<std::string> definition = {"Globals=globals.par", ""};
  int doc = 0;
  for (int f = 0; f < folders; ++f) {
    std::vector<std::string> folder_globals;
    for (int i = 0; i < 10; ++i) {
      folder_globals.insert(folder_globals.end(),
                            {"[@F" + std::to_string(i) + "]:",
                             "folder " + std::to_string(f) + " value " + std::to_string(i), "[@]"});
    }
    WriteFile(root + "/folder" + Pad(f, 2) + ".par", Join(folder_globals));
    definition.insert(definition.end(),
                      {"[Folder " + Pad(f, 2) + "]", "Globals=folder" + Pad(f, 2) + ".par"});
    for (int d = 0; d < per_folder; ++d, ++doc) {
      const std::string name = "f" + Pad(f, 2) + "/d" + Pad(d, 4);
      definition.push_back(name + ".html,page.tpl,docs/" + name + ".par");
      std::vector<std::string> par = {"[@TITLE]:", "Document " + std::to_string(doc), "[@]"};
      if (doc % 2 == 0) {
        par.insert(par.end(), {"[@SHOW_NOTE]:", "yes", "[@]",
                               "[@NOTE]:", "A note for " + std::to_string(doc) + ".", "[@]"});
      }
      par.push_back("[@BODY]:");
      for (int i = 0; i < 8; ++i) {
        par.push_back("<p>Paragraph " + std::to_string(i) + " of document " + std::to_string(doc) +
                      ".</p>");
      }
      par.push_back("[@]");
      WriteFile(root + "/docs/" + name + ".par", Join(par));
    }
    definition.push_back("");
    fs::create_directories(root + "/site/f" + Pad(f, 2));
  }
  WriteFile(root + "/project.txt", Join(definition));
}

// The run's date-times are its real ones (only the Documents' dates are fixed), and so
// is its length in seconds.
std::string Masked(const std::string& text) {
  static const std::regex time(R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d)");
  static const std::regex seconds(R"(\d+ seconds?)");
  return std::regex_replace(std::regex_replace(text, time, "<time>"), seconds, "N seconds");
}

// Sources an hour older than the outputs, and the outputs older than the next run, so
// that no check depends on the second a file was written in.
void Settle(const std::string& root) {
  const std::int64_t now = std::time(nullptr);
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    if (!entry.is_regular_file()) continue;
    const bool output = entry.path().string().find("/site/site/") != std::string::npos;
    SetModified(entry.path().string(), now - (output ? 3600 : 7200));
  }
}

// Every file under `folder` (pass files and the like excluded by the caller's choice of
// folder), by path relative to it.
std::map<std::string, std::string> Tree(const std::string& folder) {
  std::map<std::string, std::string> files;
  if (!fs::exists(folder)) return files;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    if (entry.is_regular_file()) {
      files[fs::relative(entry.path(), folder).string()] = ReadFile(entry.path().string());
    }
  }
  return files;
}

struct Outcome {
  std::vector<std::string> runs;  // each run's status, stdout and stderr
  std::map<std::string, std::string> site;
  std::string log;
  std::string list;
};

struct JobsCase {
  std::string name;
  // Writes the Project under the work folder; returns the project file and the folder
  // that holds its sources and outputs.
  std::function<std::pair<std::string, std::string>(const std::string& work)> make;
  // The runs, each with its extra arguments, and what to change before each.
  std::vector<std::pair<std::function<void(const std::string& site)>, std::vector<std::string>>>
      runs;
  int last_status;  // of the last run, so that a case cannot pass by failing early
};

const std::string kResources = std::string(TARVELO_SOURCE_DIR) + "/samples";

std::pair<std::string, std::string> Overview(const std::string& work) {
  fs::copy(kResources + "/overview", work + "/home/overview", fs::copy_options::recursive);
  return {work + "/home/overview/Tarvelo CMS Overview.web", work + "/home/overview"};
}

std::pair<std::string, std::string> BenchLike(const std::string& work) {
  WriteBenchLikeProject(work + "/site", 12, 20);
  return {work + "/site/bench.web", work + "/site"};
}

void Nothing(const std::string&) {}

Outcome RunCase(const JobsCase& c, const std::string& work, int jobs) {
  fs::remove_all(work);
  fs::create_directories(work + "/home");
  const auto [project, site] = c.make(work);
  Outcome outcome;
  for (const auto& [change, extra] : c.runs) {
    change(site);
    std::vector<std::string> arguments = {"/project=" + project};
    arguments.insert(arguments.end(), extra.begin(), extra.end());
    if (jobs > 1) arguments.push_back("--jobs=" + std::to_string(jobs));
    const CliResult result = RunCli(work + "/home", arguments);
    outcome.runs.push_back(std::to_string(result.status) + "\n" + Masked(result.out) + "\n" +
                           result.err);
  }
  // Read-only outputs must not stop the next case from clearing the folder.
  for (const auto& entry : fs::recursive_directory_iterator(site)) {
    fs::permissions(entry.path(), fs::perms::owner_write, fs::perm_options::add);
  }
  outcome.site = Tree(site);
  outcome.log = Masked(ReadFile(work + "/home/temp/tarvelo.txt"));
  outcome.list = ReadFile(work + "/home/temp/generate.txt");
  return outcome;
}

TEST(JobsTest, TwoJobsGiveTheBytesOfOne) {
  const auto global_changed = [](const std::string& site) {
    std::string globals = ReadFile(site + "/globals.par");
    globals.replace(globals.find("global value 0"), 14, "global value zero");
    WriteFile(site + "/globals.par", globals);
    Settle(site);
  };
  const auto folder_global_changed = [](const std::string& site) {
    Settle(site);
    WriteFile(site + "/folder03.par", "[@F1]:\r\nchanged\r\n[@]\r\n");
  };
  const auto content_file_missing = [](const std::string& site) {
    fs::remove(site + "/docs/f02/d0003.par");
  };
  const auto folder_missing = [](const std::string& site) { fs::remove_all(site + "/site/f05"); };
  const auto output_read_only = [](const std::string& site) {
    Settle(site);
    SetReadOnly(site + "/site/f04/d0007.html", true);
  };
  const std::vector<JobsCase> cases = {
      {"overview sample", Overview, {{Nothing, {}}}, 0},
      {"first run", BenchLike, {{Nothing, {}}}, 0},
      {"every output changed",
       BenchLike,
       {{Nothing, {}}, {global_changed, {"/modified-only=0"}}},
       0},
      {"modified-only, one Folder changed",
       BenchLike,
       {{Nothing, {}}, {folder_global_changed, {"/modified-only=1"}}},
       0},
      {"missing Content File halts", BenchLike, {{content_file_missing, {}}}, 2},
      {"missing Content File, keep going",
       BenchLike,
       {{content_file_missing, {"--keep-going"}}},
       1},
      {"missing folder halts", BenchLike, {{folder_missing, {}}}, 2},
      {"missing folder, keep going", BenchLike, {{folder_missing, {"--keep-going"}}}, 0},
      {"read-only output halts",
       BenchLike,
       {{Nothing, {}}, {output_read_only, {"/modified-only=0"}}},
       2},
  };
  TempDir dir;
  const std::string work = dir / "w";
  for (const JobsCase& c : cases) {
    const Outcome one = RunCase(c, work, 1);
    const Outcome two = RunCase(c, work, 2);
    ASSERT_FALSE(one.runs.empty());
    EXPECT_EQ(one.runs.back().substr(0, one.runs.back().find('\n')), std::to_string(c.last_status))
        << c.name << ":\n"
        << one.runs.back();
    EXPECT_EQ(one.runs, two.runs) << c.name;
    EXPECT_EQ(one.log, two.log) << c.name;
    EXPECT_EQ(one.list, two.list) << c.name;
    EXPECT_TRUE(one.site == two.site) << c.name << ": the output folders differ";
  }
}

}  // namespace
}  // namespace tarvelo::testing

namespace tarvelo::testing {
namespace {

TEST(JobsTest, BadJobCountsAreRefusedNamingTheOption) {
  TempDir dir;
  for (const std::string value : {"0", "-1", "two", "", "65", "99999999999"}) {
    const CliResult result =
        RunCli(dir / "home", {"/project=" + dir / "none.web", "--jobs=" + value});
    EXPECT_EQ(result.status, 2) << value;
    EXPECT_NE(result.err.find("bad --jobs= value: " + value + " (a whole number from 1 to 64)"),
              std::string::npos)
        << value << ": " << result.err;
  }
}

}  // namespace
}  // namespace tarvelo::testing
