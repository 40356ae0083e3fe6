// The operations on the Project History that the workbench and the console share:
// open, select, remove and move a Project. Each changes the table, writes the history
// file and reads it back (and the current Project's settings where it changes), so the
// table in memory always matches the file. Failures are shown with the error report
// through the Host; the result says what the window has to show again.
#ifndef TARVELO_PROJECT_HISTORY_OPERATIONS_H_
#define TARVELO_PROJECT_HISTORY_OPERATIONS_H_

#include <string>

#include "common/int16.h"

namespace tarvelo {

struct Workspace;

/// What an operation changed.
struct HistoryUpdate {
  /// The history file was written and read back: refill the Projects list.
  bool list_changed = false;
  /// The current Project's settings were read again: show the Project.
  bool settings_read = false;
  /// The entry to select afterwards: the current one, or for a move the moved entry at
  /// its new index; -1 for none.
  Int16 selected_index = -1;
};

/// CheckProjectHistoryFile for the workspace's history path. A failure (a failed write
/// of the default file, an unreadable file) is shown with the error report and
/// returns false, as a refusal does.
bool CheckProjectHistoryFile(Workspace& workspace, bool importing);

/// ReadProjectHistory / WriteProjectHistory for the workspace's history path; a
/// failure is shown with the error report and returns false.
bool ReadProjectHistory(Workspace& workspace);
bool WriteProjectHistory(Workspace& workspace);

/// Open Project: makes the project file at `path` current, adding it after the last
/// entry when it is not listed. A file without a name changes nothing. A full table
/// raises 9 "Subscript out of range" (shown) and changes nothing. An empty path does
/// nothing (the caller asks for a file first).
HistoryUpdate OpenProject(Workspace& workspace, const std::string& path);

/// Select Project: makes the listed entry at `index` current.
HistoryUpdate SelectProject(Workspace& workspace, Int16 index);

/// Remove Project: asks "Are you sure you want to remove the Project "<name>" from
/// Tarvelo?" and on OK drops the current entry; the first listed entry then becomes
/// current. Does nothing without a current Project or on Cancel.
HistoryUpdate RemoveProject(Workspace& workspace);

/// Move Up / Move Down: swaps the entry at `index` with the previous or next listed one
/// (an entry without a name or with state 0 is passed over). An index with no such
/// neighbour raises 9 "Subscript out of range" (shown).
HistoryUpdate MoveProjectUp(Workspace& workspace, Int16 index);
HistoryUpdate MoveProjectDown(Workspace& workspace, Int16 index);

}  // namespace tarvelo

#endif  // TARVELO_PROJECT_HISTORY_OPERATIONS_H_
