// The console's Find and Replace. Detailed results and the summary go to stdout, in
// the "path:line: text" form editors and terminals jump to; start-up and progress
// lines go to stderr with --verbose only, so the output can be piped as it is.
#include "cli/search_command.h"

#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>

#include "cli/console_host.h"
#include "cli/search_options.h"
#include "common/error.h"
#include "common/shell_words.h"
#include "generation/batch_run.h"
#include "generation/command_line.h"
#include "project/project_definition.h"
#include "project/startup.h"
#include "project/workspace.h"
#include "search/find_run.h"
#include "search/replace_run.h"
#include "search/search_reporter.h"

namespace tarvelo {
namespace {

// Ctrl+C asks the run to stop before the next file; a signal handler can reach only
// a flag, so the run's flag is published here while it runs.
std::atomic<std::atomic<bool>*> g_search_stop{nullptr};

void RequestSearchStop(int) {
  if (std::atomic<bool>* flag = g_search_stop.load()) flag->store(true);
}

// Status lines only with --verbose, on stderr; boxes as the console shows them, with
// the error reports counted for the exit status.
class SearchConsoleHost : public ConsoleHost {
 public:
  SearchConsoleHost(bool interactive, bool verbose)
      : ConsoleHost(stderr, stderr, stdin, interactive, false), verbose_(verbose) {}
  void AddStatusLine(const std::string& line) override {
    if (verbose_) ConsoleHost::AddStatusLine(line);
  }
  MessageAnswer ShowMessage(const std::string& text, const std::string& caption,
                            MessageButtons buttons, MessageIcon icon) override {
    if (caption == "Error") ++errors;
    return ConsoleHost::ShowMessage(text, caption, buttons, icon);
  }
  int errors = 0;

 private:
  bool verbose_;
};

class ConsoleSearchReporter : public SearchReporter {
 public:
  explicit ConsoleSearchReporter(Host& host) : host_(host) {}
  void ClearStatus() override {}
  void UpdateStatus(const std::string& status) override { host_.AddStatusLine(status); }
  void ClearResults() override {}
  void UpdateResultsStatus(const std::string&) override {}
  void UpdateDetailedResultsStatus(const std::string&, const std::string& file_with_path,
                                   const std::string& text_line, std::int32_t,
                                   std::int32_t line_number) override {
    std::fprintf(stdout, "%s:%d: %s\n", file_with_path.c_str(), static_cast<int>(line_number),
                 text_line.c_str());
  }

 private:
  Host& host_;
};

// On a terminal the user confirms; elsewhere --yes must have been given.
bool ConfirmReplace(const SearchOptions& options, bool interactive) {
  if (options.yes) return true;
  const std::string question = ConfirmReplaceText(*options.find, *options.replace);
  if (!interactive) {
    std::fprintf(stderr,
                 "Confirm Replace: %s\ntarvelo-cli: not on a terminal; give --yes to replace. "
                 "Nothing was changed.\n",
                 question.c_str());
    return false;
  }
  std::fprintf(stderr, "Confirm Replace: %s [y/N] ", question.c_str());
  std::fflush(stderr);
  char answer[64];
  if (std::fgets(answer, sizeof answer, stdin) == nullptr) return false;
  return (answer[0] | 0x20) == 'y';
}

}  // namespace

bool IsSearchCommand(const std::vector<std::string>& arguments) {
  return ParseSearchOptions(arguments).find.has_value();
}

int RunSearchCommand(const std::vector<std::string>& arguments, bool verbose) {
  const SearchOptions options = ParseSearchOptions(arguments);
  if (!options.error.empty()) {
    std::fprintf(stderr, "tarvelo-cli: %s\n", options.error.c_str());
    return 2;
  }
  CommandLineOptions batch;
  try {
    batch = ParseCommandLine(JoinArguments(options.rest));
  } catch (const TarveloError& error) {
    std::fprintf(stderr, "tarvelo-cli: bad /modified-only= value: %s\n", error.what());
    return 2;
  }
  if (batch.project.empty()) {
    std::fprintf(stderr, "tarvelo-cli: no /project= given\n");
    return 2;
  }

  const bool interactive = ::isatty(STDIN_FILENO) && ::isatty(STDERR_FILENO);
  SearchConsoleHost host(interactive, verbose);
  Workspace workspace(host, ProgramFolderOfThisProcess());
  if (!StartUpWorkspace(workspace)) return 2;
  if (OpenBatchProject(workspace, batch) != BatchOpenResult::kOpened) return 2;
  if (!batch.document_root.empty()) workspace.settings.document_root = batch.document_root;
  ProjectDefinition definition;
  if (!LoadSearchDefinition(workspace, definition)) return 2;
  if (options.replace && !ConfirmReplace(options, interactive)) return 2;

  ConsoleSearchReporter reporter(host);
  SearchFileList list;
  std::atomic<bool> stop{false};
  g_search_stop.store(&stop);
  struct sigaction action = {};
  action.sa_handler = RequestSearchStop;
  ::sigaction(SIGINT, &action, nullptr);

  bool found = false;
  bool stopped = false;
  if (options.replace) {
    const ReplaceRequest request{*options.find, *options.replace, options.ignore_case,
                                 options.scope};
    const ReplaceTotals totals = RunReplace(workspace, definition, request, list, reporter, stop);
    const auto [first, second] = ReplaceSummary(totals);
    std::printf("%s\n%s\n", first.c_str(), second.c_str());
    found = totals.replacements > 0 || totals.read_only_occurrences > 0;
    stopped = totals.stopped;
  } else {
    const FindRequest request{*options.find, options.ignore_case, options.definitions_only,
                              options.scope};
    const FindTotals totals = RunFind(workspace, definition, request, list, reporter, stop);
    std::printf("%s\n", FindSummary(totals).c_str());
    found = totals.occurrences > 0;
    stopped = totals.stopped;
  }
  g_search_stop.store(nullptr);
  std::fflush(stdout);
  if (stopped) return 130;
  if (host.errors > 0) return 2;
  return found ? 0 : 1;
}

}  // namespace tarvelo
