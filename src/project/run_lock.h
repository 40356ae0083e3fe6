// The lock a generation run holds on its temporary files folder, and what a run does
// while another holds it: it says so once and waits (Stop ends the wait), or, when it
// must not wait, it does not start.
#ifndef TARVELO_PROJECT_RUN_LOCK_H_
#define TARVELO_PROJECT_RUN_LOCK_H_

#include <string>

#include "project/file_locks.h"

namespace tarvelo {

struct Workspace;

enum class RunLockResult { kLocked, kStopped, kNotWaiting };

/// "Waiting for another run that uses " + folder + " to finish..."
std::string WaitingForRunText(const std::string& folder);

/// Takes `lock` on the workspace's temporary files folder. While another run holds it:
/// shows the waiting line once, then retries between pauses of the Host (so events and
/// Stop get through) until it is free or `workspace.stop_requested` is set; without
/// `wait` it gives up at once. Once locked, removes the stale temporary files of the
/// temporary files folder and the program folder. Raises the file system's error
/// when the folder cannot be opened.
RunLockResult LockTemporaryFolder(Workspace& workspace, FolderLock& lock, bool wait);

}  // namespace tarvelo

#endif  // TARVELO_PROJECT_RUN_LOCK_H_
