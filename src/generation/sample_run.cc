// The overview sample Project's run. It needs a workspace of its own: the program-wide
// one holds the current Project, which the user did not ask to change.
#include "generation/sample_run.h"

#include "project/project_settings.h"
#include "project/startup.h"
#include "project/workspace.h"

namespace tarvelo {

RunResult GenerateSampleProject(Workspace& workspace, const Clock& clock) {
  Workspace sample(workspace.host, workspace.program_folder);
  sample.options = workspace.options;
  // Nobody asked for this run, so it asks nothing back.
  sample.options.ignore_generation_errors = 1;
  sample.options.ignore_missing_file_errors = 1;
  sample.options.create_subdirectories = 1;
  sample.options.skip_read_only = 1;
  sample.options.modified_only = 0;
  if (!ReadProjectSettings(sample, SampleProjectFilePath(sample.program_folder))) {
    return {RunOutcome::kHalted, RunCounters{}};
  }
  GenerationRequest request;
  request.scope = kScopeProject;
  request.keep_status = true;
  return RunGeneration(sample, request, clock);
}

}  // namespace tarvelo
