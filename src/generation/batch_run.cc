// The batch run. Paths are compared exactly when looking the Project up in the
// history: on a case-sensitive file system two spellings are two files.
#include "generation/batch_run.h"

#include "common/error.h"
#include "common/error_report.h"
#include "common/host.h"
#include "generation/command_line.h"
#include "project/history_operations.h"
#include "project/project_settings.h"
#include "project/startup.h"
#include "project/workspace.h"

namespace tarvelo {
namespace {

void ShowCommandLineError(Workspace& workspace, const TarveloError& error) {
  ShowErrorReport(
      workspace.host,
      TarveloError(error.number,
                   "Error processing command line options. (" + error.description + ")." + "\r" +
                       "Please verify that the command line settings are correct.",
                   error.source));
}

// Puts a one-run override back however the run ends.
template <typename T>
class Restore {
 public:
  Restore(T& field, bool active) : field_(field), saved_(field), active_(active) {}
  ~Restore() {
    if (active_) field_ = saved_;
  }
  Restore(const Restore&) = delete;
  Restore& operator=(const Restore&) = delete;

 private:
  T& field_;
  T saved_;
  bool active_;
};

}  // namespace

std::string InvalidProjectMessage(const std::string& project) {
  return "Error processing command line options.\rThe file " + project +
         " is not a valid Project file.\rPlease verify that the command line settings are "
         "correct.";
}

int BatchExitStatus(const RunResult& result) {
  switch (result.outcome) {
    case RunOutcome::kHalted:
      return 2;
    case RunOutcome::kStopped:
      return 130;
    case RunOutcome::kCompleted:
      break;
  }
  const RunCounters& c = result.counters;
  return c.errors > 0 || c.missing_files > 0 ? 1 : 0;
}

BatchOpenResult OpenBatchProject(Workspace& workspace, const CommandLineOptions& options) {
  if (ReadSettingFromFile(workspace.files, options.project, "name").empty()) {
    workspace.host.ShowMessage(InvalidProjectMessage(options.project), "Command Line Error",
                               MessageButtons::kOk, MessageIcon::kExclamation);
    return BatchOpenResult::kInvalidProject;
  }
  try {
    // Open Project reads the history again under its lock and marks a listed entry
    // current, so two batch runs started together both keep their entries.
    if (!OpenProject(workspace, options.project).settings_read) return BatchOpenResult::kNotOpened;
  } catch (const TarveloError& error) {
    ShowCommandLineError(workspace, error);
    return BatchOpenResult::kNotOpened;
  }
  // The settings now read must be this Project's; anything else is not to be run.
  return workspace.settings.project_file_path == options.project ? BatchOpenResult::kOpened
                                                                 : BatchOpenResult::kNotOpened;
}

RunResult GenerateBatchProject(Workspace& workspace, const CommandLineOptions& options,
                               const Clock& clock, const std::set<std::string>* changed_sources) {
  const bool new_root = !options.document_root.empty();
  const bool new_modified_only = options.modified_only != -1;
  Restore<std::string> restore_root(workspace.settings.document_root, new_root);
  Restore<Int16> restore_modified_only(workspace.options.modified_only, new_modified_only);
  if (new_root) workspace.settings.document_root = options.document_root;
  if (new_modified_only) workspace.options.modified_only = options.modified_only;
  GenerationRequest request;
  request.scope = kScopeProject;
  request.keep_status = true;
  request.wait_for_other_runs = !options.no_wait;
  request.jobs = options.jobs;
  request.changed_sources = changed_sources;
  return RunGeneration(workspace, request, clock);
}

}  // namespace tarvelo
