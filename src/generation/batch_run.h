// The batch run: open the Project named on the command line, make it current in the
// Project History, apply the one-run overrides, generate it completely and put the
// overrides back. The workbench runs it from its timer, the console at once.
#ifndef TARVELO_GENERATION_BATCH_RUN_H_
#define TARVELO_GENERATION_BATCH_RUN_H_

#include <set>
#include <string>

#include "common/clock.h"
#include "generation/generation_run.h"

namespace tarvelo {

struct CommandLineOptions;
struct Workspace;

enum class BatchOpenResult {
  kOpened,          // the Project is current and its settings are read
  kInvalidProject,  // no project file: "Command Line Error" shown
  kNotOpened,       // the history or the settings could not be read (error shown)
};

/// Makes `options.project` the current Project: an entry with the same path is
/// marked current, any other file is opened as the Open Project command does.
BatchOpenResult OpenBatchProject(Workspace& workspace, const CommandLineOptions& options);

/// Generates the current Project (scope Project, keeping the status lines) with the
/// /document-root= and /modified-only= overrides, which are put back afterwards, also
/// when the run fails. `changed_sources`, from a watch, makes the Documents that use
/// them out of date whatever the file dates (see GenerationRequest).
RunResult GenerateBatchProject(Workspace& workspace, const CommandLineOptions& options,
                               const Clock& clock,
                               const std::set<std::string>* changed_sources = nullptr);

/// The exit status of a batch run, the same for the console and the workbench: 0
/// completed without errors or missing files (warnings allowed), 1 completed with
/// errors or missing files, 2 halted, 130 stopped.
int BatchExitStatus(const RunResult& result);

/// The exit status when the batch run never started: the command line was wrong or
/// the Project could not be opened.
constexpr int kBatchNotStarted = 2;

/// The text of the "Command Line Error" box for a file that is no project file.
std::string InvalidProjectMessage(const std::string& project);

}  // namespace tarvelo

#endif  // TARVELO_GENERATION_BATCH_RUN_H_
