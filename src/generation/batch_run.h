// The batch run: open the Project named on the command line, make it current in the
// Project History, apply the one-run overrides, generate it completely and put the
// overrides back. The workbench runs it from its timer, the console at once.
#ifndef TARVELO_GENERATION_BATCH_RUN_H_
#define TARVELO_GENERATION_BATCH_RUN_H_

#include "common/clock.h"
#include "generation/generation_run.h"

namespace tarvelo {

struct CommandLineOptions;
struct Workspace;

enum class BatchOutcome {
  kInvalidProject,  // the file is no project file: "Command Line Error" shown
  kNotOpened,       // the Project could not be opened or its settings read
  kGenerated,       // the run took place; see the run result
};

struct BatchResult {
  BatchOutcome outcome = BatchOutcome::kNotOpened;
  RunResult run;
};

/// Runs the batch generation of `options.project`. Errors are shown with the common
/// error report, prefixed "Error processing command line options. (".
BatchResult RunBatchGeneration(Workspace& workspace, const CommandLineOptions& options,
                               const Clock& clock);

}  // namespace tarvelo

#endif  // TARVELO_GENERATION_BATCH_RUN_H_
