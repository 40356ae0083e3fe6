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
#include "cli/search_command.h"
#include "cli/watch_command.h"
#include "common/clock.h"
#include "common/error.h"
#include "common/shell_words.h"
#include "common/text.h"
#include "generation/batch_run.h"
#include "generation/command_line.h"
#include "project/project_definition.h"
#include "project/startup.h"
#include "project/workspace.h"

namespace {

constexpr const char* kUsage =
    "Usage: tarvelo-cli /project=FILE.web [/document-root=DIR] [/modified-only=0|1]\n"
    "                   [/command=CMD] [--keep-going] [--no-wait] [--jobs=N] [--verbose]\n"
    "                   [--watch] [--serve[=PORT]] [--bind=ADDR]\n"
    "\n"
    "Generates a Tarvelo CMS Project completely, as the workbench's batch mode does.\n"
    "\n"
    "  /project=FILE.web     the project file to open and generate\n"
    "  /document-root=DIR    write the Documents under DIR for this run only\n"
    "  /modified-only=0|1    generate modified Documents only (1) or all (0), this run\n"
    "  /command=CMD          start CMD after the run (split like a shell, never run by one)\n"
    "  --keep-going          answer every question of the run with Yes to All: missing\n"
    "                        files and failing Documents are counted and logged, missing\n"
    "                        folders created, and the run goes on (then exit status 1)\n"
    "  --no-wait             exit 2 when another run uses the temporary files folder,\n"
    "                        instead of waiting for it to finish\n"
    "  --jobs=N              assemble N Documents at once (1 to 64, default 1); the log,\n"
    "                        the list, the questions and the outputs come in the same\n"
    "                        order and with the same text as with one\n"
    "  --verbose             echo every log line\n"
    "  --watch               after the run, generate again on every save (Ctrl+C ends)\n"
    "  --serve[=PORT]        --watch, and serve document-root on http://127.0.0.1:PORT/\n"
    "                        (default 8437, 0 picks a free one) with pages that reload\n"
    "  --bind=ADDR           the address --serve listens on (default 127.0.0.1)\n"
    "  --help, --version     this text; the program's version\n"
    "\n"
    "Find and replace in the Project's files instead of generating:\n"
    "  tarvelo-cli /project=FILE.web /find=TEXT [/replace=TEXT] [/in=documents]\n"
    "      [/file-types=globals,templates,content,folder-globals] [/definitions-only=1]\n"
    "      [/ignore-case=1] [--yes]\n"
    "  prints each line found as path:line: text, then the summary; writes search.txt.\n"
    "  A replace asks first on a terminal; elsewhere it needs --yes. An empty /replace=\n"
    "  deletes. Exit status: 0 found (or replaced), 1 none, 2 error, 130 stopped.\n"
    "\n"
    "Option names ignore case and may be written --name=VALUE; a value ends at the next\n"
    "option. The program folder is $TARVELO_HOME, else ~/.config/tarvelo.\n"
    "\n"
    "Exit status: 0 completed, 1 completed with errors or missing files (or a settings\n"
    "error, or a /command= that could not be started), 2 halted or not started,\n"
    "130 stopped (Ctrl+C or SIGTERM; a second one ends the program at once).\n";

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

// A definition file that lists no Folder, or Folders without a Document, generates
// nothing; say why it may be so, since a file with CR-only line ends reads as one long
// line. A project file read as one line names no definition file at all: its warning
// names the project file.
void WarnWhenNothingListed(const tarvelo::Workspace& workspace) {
  if (workspace.definition.document_count > 0) return;
  const std::string path =
      tarvelo::ResolveProjectPath(workspace.settings, workspace.options, workspace.files,
                                  workspace.settings.definition_file, true, false, "", "");
  const std::string& read_path = path.empty() ? workspace.settings.project_file_path : path;
  std::string text;
  try {
    text = workspace.files.ReadAll(read_path);
  } catch (const tarvelo::TarveloError&) {
    // Unreadable: the warning then says nothing about line ends.
  }
  const bool cr_only = text.find('\r') != std::string::npos && text.find('\n') == std::string::npos;
  const char* line_ends = cr_only ? " (its lines end with CR only)" : "";
  if (path.empty()) {
    std::fprintf(stderr,
                 "tarvelo-cli: warning: the project file %s names no Project Definition "
                 "File%s\n",
                 read_path.c_str(), line_ends);
  } else {
    const char* missing = workspace.definition.folder_count > 0 ? "Document" : "Folder";
    std::fprintf(stderr, "tarvelo-cli: warning: the Project Definition File %s lists no %s%s\n",
                 path.c_str(), missing, line_ends);
  }
}

// "Current Project: " TAB name " (3 Folders, 12 Documents)", from what can be read of
// the Project Definition File (names as written); false when it cannot be read. That
// is not reported here: the run reads it again and ends through its halt path, so the
// log and the generated-files list say so too.
bool ShowCurrentProject(tarvelo::Workspace& workspace) {
  bool read = false;
  try {
    read = tarvelo::ReadProjectDefinition(workspace, false, false);
  } catch (const tarvelo::TarveloError&) {
  }
  const auto& definition = workspace.definition;
  workspace.host.AddStatusLine("Current Project: \t" + workspace.settings.name + " (" +
                               tarvelo::Plural(definition.folder_count, "Folder") + ", " +
                               tarvelo::Plural(definition.document_count, "Document") + ")");
  return read;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> arguments;
  bool verbose = false;
  bool keep_going = false;
  bool no_wait = false;
  int jobs = 1;
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
    if (argument == "--keep-going") {
      keep_going = true;
      continue;
    }
    if (argument == "--verbose" || argument == "-v") {
      verbose = true;
      continue;
    }
    if (argument == "--no-wait") {
      no_wait = true;
      continue;
    }
    if (argument == "--jobs" || argument.starts_with("--jobs=")) {
      const std::string value = argument.size() > 7 ? argument.substr(7) : "";
      if (!tarvelo::ParseJobs(value, jobs)) {
        std::fprintf(stderr, "tarvelo-cli: bad --jobs= value: %s (a whole number from 1 to %d)\n",
                     value.c_str(), tarvelo::kMaxJobs);
        return 2;
      }
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
  if (tarvelo::IsSearchCommand(arguments)) return tarvelo::RunSearchCommand(arguments, verbose);

  tarvelo::CommandLineOptions options;
  try {
    options = tarvelo::ParseCommandLine(tarvelo::JoinArguments(arguments));
  } catch (const tarvelo::TarveloError& error) {
    std::fprintf(stderr, "tarvelo-cli: bad /modified-only= value: %s\n", error.what());
    return 2;
  }
  options.no_wait = no_wait;
  options.jobs = jobs;
  if (options.project.empty()) {
    std::fprintf(stderr, "tarvelo-cli: no /project= given\n\n%s", kUsage);
    return 2;
  }

  const bool interactive = ::isatty(STDIN_FILENO) && ::isatty(STDERR_FILENO);
  tarvelo::ConsoleHost host(stdout, stderr, stdin, interactive, verbose);
  host.set_keep_going(keep_going);
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
  // A definition that cannot be read is reported by the run's halt, not here.
  if (ShowCurrentProject(workspace)) WarnWhenNothingListed(workspace);
  // A settings error reported on the way (a value out of range in tarvelo.ini) let
  // the run go on, but a script must still learn of it.
  const bool settings_error = host.error_reports() > 0;

  g_stop_flag.store(&workspace.stop_requested);
  // SIGTERM stops like Ctrl+C, so no file is left half-way; a second signal ends the
  // program at once.
  struct sigaction action = {};
  action.sa_handler = RequestStop;
  action.sa_flags = SA_RESETHAND;
  ::sigaction(SIGINT, &action, nullptr);
  ::sigaction(SIGTERM, &action, nullptr);
  const tarvelo::RunResult result =
      watch.watch ? tarvelo::WatchProject(workspace, options, watch, tarvelo::SystemClock())
                  : tarvelo::GenerateBatchProject(workspace, options, tarvelo::SystemClock());
  g_stop_flag.store(nullptr);

  const bool command_failed =
      !options.command.empty() && !tarvelo::StartCommand(host, options.command);
  int status = tarvelo::BatchExitStatus(result);
  if (status == 0 && (settings_error || command_failed)) status = 1;
  return status;
}
