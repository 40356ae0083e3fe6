// tarvelo-cli: the console front end. Runs the start-up sequence and one Project
// generation, as the workbench's batch mode does, without a window; for schedulers
// and CI.
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "cli/command_starter.h"
#include "cli/console_host.h"
#include "cli/watch_command.h"
#include "common/clock.h"
#include "common/error.h"
#include "common/text.h"
#include "generation/batch_run.h"
#include "generation/command_line.h"
#include "generation/reporting.h"
#include "project/project_definition.h"
#include "project/startup.h"
#include "project/workspace.h"

namespace {

constexpr const char* kUsage =
    "Usage: tarvelo-cli /project=FILE.web [/document-root=DIR] [/modified-only=0|1]\n"
    "                   [/command=CMD] [--verbose] [--watch] [--serve[=PORT]] [--bind=ADDR]\n"
    "\n"
    "Generates a Tarvelo CMS Project completely, as the workbench's batch mode does.\n"
    "\n"
    "  /project=FILE.web     the project file to open and generate\n"
    "  /document-root=DIR    write the Documents under DIR for this run only\n"
    "  /modified-only=0|1    generate modified Documents only (1) or all (0), this run\n"
    "  /command=CMD          start CMD after the run (split like a shell, never run by one)\n"
    "  --verbose             echo every log line\n"
    "  --watch               after the run, generate again on every save (Ctrl+C ends)\n"
    "  --serve[=PORT]        --watch, and serve document-root on http://127.0.0.1:PORT/\n"
    "                        (default 8437, 0 picks a free one) with pages that reload\n"
    "  --bind=ADDR           the address --serve listens on (default 127.0.0.1)\n"
    "  --help, --version     this text; the program's version\n"
    "\n"
    "Option names ignore case and may be written --name=VALUE; a value ends at the next\n"
    "option. The program folder is $TARVELO_HOME, else ~/.config/tarvelo.\n"
    "\n"
    "Exit status: 0 completed, 1 completed with errors or missing files, 2 halted or\n"
    "not started, 130 stopped (Ctrl+C).\n";

// Ctrl+C asks the run to stop at the next Document; the handler can reach only a
// flag, so the one it sets is published here for the duration of the run.
std::atomic<std::atomic<bool>*> g_stop_flag{nullptr};

void RequestStop(int) {
  if (std::atomic<bool>* flag = g_stop_flag.load()) flag->store(true);
}

std::string VersionText() {
  return std::to_string(TARVELO_VERSION_MAJOR) + "." + std::to_string(TARVELO_VERSION_MINOR) + "." +
         std::to_string(TARVELO_VERSION_PATCH);
}

int ExitStatusFor(const tarvelo::RunResult& result) {
  using tarvelo::RunOutcome;
  switch (result.outcome) {
    case RunOutcome::kHalted:
      return 2;
    case RunOutcome::kStopped:
      return 130;
    case RunOutcome::kCompleted:
      break;
  }
  const auto& c = result.counters;
  return c.errors > 0 || c.missing_files > 0 ? 1 : 0;
}

// "Current Project: " TAB name " (3 Folders, 12 Documents)", from the Project
// Definition File read with names as written; false when it cannot be read (the error
// report has been shown).
bool ShowCurrentProject(tarvelo::Workspace& workspace) {
  if (!tarvelo::ReadProjectDefinition(workspace, false, true)) return false;
  const auto& definition = workspace.definition;
  workspace.host.AddStatusLine("Current Project: \t" + workspace.settings.name + " (" +
                               tarvelo::Plural(definition.folder_count, "Folder") + ", " +
                               tarvelo::Plural(definition.document_count, "Document") + ")");
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> arguments;
  bool verbose = false;
  tarvelo::WatchOptions watch;
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    if (argument == "--help" || argument == "-h") {
      std::fputs(kUsage, stdout);
      return 0;
    }
    if (argument == "--version") {
      std::printf("tarvelo-cli %s\n", VersionText().c_str());
      return 0;
    }
    if (argument == "--verbose" || argument == "-v") {
      verbose = true;
      continue;
    }
    const tarvelo::WatchArgument taken = tarvelo::TakeWatchArgument(argument, watch);
    if (taken == tarvelo::WatchArgument::kBad) {
      std::fprintf(stderr, "tarvelo-cli: bad value in %s\n", argument.c_str());
      return 2;
    }
    if (taken == tarvelo::WatchArgument::kTaken) continue;
    arguments.push_back(argument);
  }

  tarvelo::CommandLineOptions options;
  try {
    options = tarvelo::ParseCommandLine(tarvelo::JoinArguments(arguments));
  } catch (const tarvelo::TarveloError& error) {
    std::fprintf(stderr, "tarvelo-cli: bad /modified-only= value: %s\n", error.what());
    return 2;
  }
  if (options.project.empty()) {
    std::fprintf(stderr, "tarvelo-cli: no /project= given\n\n%s", kUsage);
    return 2;
  }

  const bool interactive = ::isatty(STDIN_FILENO) && ::isatty(STDERR_FILENO);
  tarvelo::ConsoleHost host(stdout, stderr, stdin, interactive, verbose);
  tarvelo::Workspace workspace(host, tarvelo::ProgramFolderOfThisProcess());
  bool created_folder = false;
  const bool started = tarvelo::StartUpWorkspace(workspace, &created_folder);
  if (created_folder) {
    std::fprintf(stderr, "tarvelo-cli: created the program folder %s\n",
                 workspace.program_folder.c_str());
  }
  if (!started) return 2;

  host.AddStatusLine("Tarvelo Content Management System " + VersionText());
  host.AddStatusLine(std::string("Command Line: \t") + options.command_line);

  if (tarvelo::OpenBatchProject(workspace, options) != tarvelo::BatchOpenResult::kOpened) {
    return 2;
  }
  if (!ShowCurrentProject(workspace)) return 2;

  g_stop_flag.store(&workspace.stop_requested);
  struct sigaction action = {};
  action.sa_handler = RequestStop;
  ::sigaction(SIGINT, &action, nullptr);
  const tarvelo::RunResult result =
      watch.watch ? tarvelo::WatchProject(workspace, options, watch, tarvelo::SystemClock())
                  : tarvelo::GenerateBatchProject(workspace, options, tarvelo::SystemClock());
  g_stop_flag.store(nullptr);

  if (!options.command.empty()) tarvelo::StartCommand(host, options.command);
  return ExitStatusFor(result);
}
