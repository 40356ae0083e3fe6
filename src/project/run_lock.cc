// Waiting for the temporary files folder. The lock is a kernel lock, so a run that
// was killed never leaves it held.
#include "project/run_lock.h"

#include "common/host.h"
#include "project/workspace.h"

namespace tarvelo {
namespace {

// Short enough for Stop to feel immediate, long enough to cost nothing while waiting.
constexpr int kRetryMilliseconds = 200;

}  // namespace

std::string WaitingForRunText(const std::string& folder) {
  return "Waiting for another run that uses " + folder + " to finish...";
}

RunLockResult LockTemporaryFolder(Workspace& workspace, FolderLock& lock, bool wait) {
  const std::string& folder = workspace.working.temp_folder;
  if (!lock.TryLock(workspace.files, folder)) {
    workspace.host.AddStatusLine(WaitingForRunText(folder));
    if (!wait) return RunLockResult::kNotWaiting;
    do {
      if (workspace.stop_requested) return RunLockResult::kStopped;
      workspace.host.Pause(kRetryMilliseconds);
    } while (!lock.TryLock(workspace.files, folder));
  }
  // Whatever a killed writer left here is no longer anyone's.
  workspace.files.RemoveStaleTemporaryFiles(folder);
  workspace.files.RemoveStaleTemporaryFiles(workspace.program_folder);
  return RunLockResult::kLocked;
}

}  // namespace tarvelo
