// The generation run: a Project, a Folder or a Document turned into output files,
// with every Macro file loaded at its level, every skip, prompt and halt, the counters
// and the summaries.
#ifndef TARVELO_GENERATION_GENERATION_RUN_H_
#define TARVELO_GENERATION_GENERATION_RUN_H_

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "common/clock.h"
#include "common/int16.h"
#include "generation/run_summary.h"

namespace tarvelo {

struct ProjectDefinition;
struct Workspace;

enum GenerationScope : Int16 { kScopeProject = 1, kScopeFolder = 2, kScopeDocument = 3 };

struct GenerationRequest {
  Int16 scope = kScopeProject;
  Int16 folder_index = -1;
  Int16 document_index = -1;
  /// False empties the status list first (the workbench); true keeps it (batch mode).
  bool keep_status = false;
  /// False: when another run holds the temporary files folder, do not wait for it.
  bool wait_for_other_runs = true;
  /// Sources known to have changed (absolute, lexically normal disk paths), from a
  /// watch: with modified-only on, a Document that uses one is generated whatever the
  /// file dates say, since they have whole seconds and a save in the second of the
  /// last run would otherwise be missed.
  const std::set<std::string>* changed_sources = nullptr;
  /// Documents assembled at once (the console's --jobs). 1 is the run on one thread;
  /// with more, the log, the status lines, the list, the questions and the outputs
  /// still come in Document order, as with one.
  int jobs = 1;
};

enum class RunOutcome { kCompleted, kStopped, kHalted };

struct RunResult {
  RunOutcome outcome = RunOutcome::kCompleted;
  RunCounters counters;
};

/// The Folder indexes in the order the workbench lists them: as read, or sorted by
/// name (ignoring case) when `sorted`.
std::vector<Int16> FolderListOrder(const ProjectDefinition& definition, bool sorted);

/// Runs one generation over the workspace's current Project. Reports through the
/// workspace's Host, log and generated-files list; tests workspace.stop_requested
/// before each Folder and Document.
RunResult RunGeneration(Workspace& workspace, const GenerationRequest& request, const Clock& clock);

}  // namespace tarvelo

#endif  // TARVELO_GENERATION_GENERATION_RUN_H_
