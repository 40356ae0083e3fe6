// The caller operations on the Project History. Every write is followed by a read of
// the same file, so whatever went wrong on the way, the table shows what the file
// holds.
#include "project/history_operations.h"

#include <algorithm>
#include <utility>

#include "common/error.h"
#include "common/error_report.h"
#include "project/file_locks.h"
#include "project/program_options.h"
#include "project/project_history.h"
#include "project/project_settings.h"
#include "project/startup.h"
#include "project/workspace.h"

namespace tarvelo {
namespace {

std::string HistoryPath(const Workspace& workspace) {
  return ProjectHistoryPath(workspace.options, workspace.program_folder);
}

// The history file holds one "5|path|state" line per entry, so a path with a "|" or
// a line break in it could not be read back.
bool StorablePath(const std::string& path) {
  return path.find_first_of("|\n") == std::string::npos;
}

// The common tail: write, read back, and (when asked) read the current settings.
HistoryUpdate WriteAndReadBack(Workspace& workspace, bool read_settings) {
  HistoryUpdate update;
  WriteProjectHistory(workspace);
  ReadProjectHistory(workspace);
  update.list_changed = true;
  if (read_settings) update.settings_read = ReadProjectSettings(workspace, "");
  update.selected_index = workspace.history.current_index;
  return update;
}

bool Listed(const HistoryEntry& entry) {
  return !entry.name.empty() && entry.state > kHistoryEmpty;
}

// Another instance may have changed the file since this one read it; a change made
// to the older table would drop that instance's entries. So every change is made to
// the file as it is now, read again under its lock, and written before the lock goes.
// `change` finds its entries by path and returns false (having said why) to give up.
template <typename Change>
HistoryUpdate UpdateHistoryFile(Workspace& workspace, bool read_settings, Change change) {
  const FileUpdateLock lock(workspace.files, HistoryPath(workspace));
  if (!ReadProjectHistory(workspace)) return HistoryUpdate();
  if (!change(workspace.history)) return HistoryUpdate();
  return WriteAndReadBack(workspace, read_settings);
}

// The entry of `path` in the table as read again, or -1 (shown as 9).
Int16 FindAgain(Workspace& workspace, const std::string& path) {
  const Int16 index = FindProject(workspace.history, path);
  if (index < 0) ShowErrorReport(workspace.host, RuntimeError(kSubscriptOutOfRange));
  return index;
}

HistoryUpdate MoveProject(Workspace& workspace, Int16 index, int step) {
  const ProjectHistory& shown = workspace.history;
  const int last = std::min<int>(shown.last_index, static_cast<int>(shown.entries.size()) - 1);
  // The neighbour is the next entry that way which the lists show: an entry whose
  // project file has gone is dropped by the write, so swapping with it would move
  // nothing the user sees.
  int other = index + step;
  while (other >= 0 && other <= last && !Listed(shown.entries[other])) other += step;
  if (index < 0 || index > last || other < 0 || other > last) {
    ShowErrorReport(workspace.host, RuntimeError(kSubscriptOutOfRange));
    return HistoryUpdate();
  }
  const std::string moved = shown.entries[index].path;
  const std::string neighbour = shown.entries[other].path;
  HistoryUpdate update = UpdateHistoryFile(workspace, false, [&](ProjectHistory& history) {
    const Int16 from = FindAgain(workspace, moved);
    const Int16 to = from < 0 ? -1 : FindAgain(workspace, neighbour);
    if (to < 0) return false;
    std::swap(history.entries[from], history.entries[to]);
    return true;
  });
  if (update.list_changed) update.selected_index = FindProject(workspace.history, moved);
  return update;
}

// "Subscript out of range" with what it means here and what to do about it.
TarveloError HistoryFullError(const Workspace& workspace) {
  return TarveloError(
      kSubscriptOutOfRange,
      RuntimeErrorText(kSubscriptOutOfRange) + ". The Project History holds " +
          std::to_string(workspace.history.entries.size()) +
          " Projects, the most that its maximum-projects setting allows. Remove a Project, "
          "or raise maximum-projects in " +
          DefaultProgramOptionsPath(workspace.program_folder) + ", to add another.");
}

}  // namespace

bool CheckProjectHistoryFile(Workspace& workspace, bool importing) {
  try {
    return CheckProjectHistoryFile(workspace.files, workspace.host, HistoryPath(workspace),
                                   workspace.program_folder, importing, workspace.history);
  } catch (const TarveloError& error) {
    ShowErrorReport(workspace.host, error);
    return false;
  }
}

bool ReadProjectHistory(Workspace& workspace) {
  try {
    ReadProjectHistory(workspace.files, HistoryPath(workspace), workspace.history);
    return true;
  } catch (const TarveloError& error) {
    ShowErrorReport(workspace.host, error);
    return false;
  }
}

bool WriteProjectHistory(Workspace& workspace) {
  try {
    WriteProjectHistory(workspace.files, HistoryPath(workspace), workspace.history);
    return true;
  } catch (const TarveloError& error) {
    ShowErrorReport(workspace.host, error);
    return false;
  }
}

HistoryUpdate OpenProject(Workspace& workspace, const std::string& path) {
  if (path.empty()) return HistoryUpdate();
  const std::string name = ReadSettingFromFile(workspace.files, path, "name");
  return UpdateHistoryFile(workspace, true, [&](ProjectHistory& history) {
    Int16 index = FindProject(history, path);
    if (index < 0) {
      if (name.empty()) return false;
      if (!StorablePath(path)) {
        ShowErrorReport(workspace.host, FileError(kBadFileName, path));
        return false;
      }
      // A full table fails before anything changes, so the table in memory still
      // matches the file and every later operation works on both alike.
      if (history.last_index + 1 >= static_cast<int>(history.entries.size())) {
        ShowErrorReport(workspace.host, HistoryFullError(workspace));
        return false;
      }
      index = static_cast<Int16>(history.last_index + 1);
      history.entries[index] = HistoryEntry{name, path, kHistoryCurrent};
      history.last_index = index;
    }
    ClearCurrentMark(history);
    history.entries[index].state = kHistoryCurrent;
    return true;
  });
}

HistoryUpdate SelectProject(Workspace& workspace, Int16 index) {
  const ProjectHistory& shown = workspace.history;
  if (index < 0 || index > shown.last_index || index >= static_cast<int>(shown.entries.size())) {
    ShowErrorReport(workspace.host, RuntimeError(kSubscriptOutOfRange));
    return HistoryUpdate();
  }
  const std::string path = shown.entries[index].path;
  return UpdateHistoryFile(workspace, true, [&](ProjectHistory& history) {
    const Int16 found = FindAgain(workspace, path);
    if (found < 0) return false;
    history.current_index = found;
    ClearCurrentMark(history);
    history.entries[found].state = kHistoryCurrent;
    return true;
  });
}

HistoryUpdate RemoveProject(Workspace& workspace) {
  const ProjectHistory& shown = workspace.history;
  const Int16 current = shown.current_index;
  if (current < 0 || current >= static_cast<int>(shown.entries.size())) return HistoryUpdate();
  const MessageAnswer answer = workspace.host.ShowMessage(
      "Are you sure you want to remove the Project \"" + shown.entries[current].name +
          "\" from Tarvelo?",
      "Remove Project", MessageButtons::kOkCancel, MessageIcon::kQuestion);
  if (answer != MessageAnswer::kOk) return HistoryUpdate();
  const std::string path = shown.entries[current].path;
  return UpdateHistoryFile(workspace, true, [&](ProjectHistory& history) {
    const Int16 found = FindAgain(workspace, path);
    if (found < 0) return false;
    history.entries[found].state = kHistoryEmpty;
    return true;
  });
}

HistoryUpdate MoveProjectUp(Workspace& workspace, Int16 index) {
  return MoveProject(workspace, index, -1);
}

HistoryUpdate MoveProjectDown(Workspace& workspace, Int16 index) {
  return MoveProject(workspace, index, +1);
}

}  // namespace tarvelo
