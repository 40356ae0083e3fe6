// The caller operations on the Project History. Every write is followed by a read of
// the same file, so whatever went wrong on the way, the table shows what the file
// holds.
#include "project/history_operations.h"

#include <algorithm>
#include <utility>

#include "common/error.h"
#include "generation/reporting.h"
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

// The neighbour is the next entry that way which the lists show: an entry whose
// project file has gone is dropped by the write, so swapping with it would move
// nothing the user sees.
HistoryUpdate MoveProject(Workspace& workspace, Int16 index, int step) {
  ProjectHistory& history = workspace.history;
  const int last = std::min<int>(history.last_index, static_cast<int>(history.entries.size()) - 1);
  int other = index + step;
  while (other >= 0 && other <= last && !Listed(history.entries[other])) other += step;
  if (index < 0 || index > last || other < 0 || other > last) {
    ShowErrorReport(workspace.host, RuntimeError(kSubscriptOutOfRange));
    return HistoryUpdate();
  }
  std::swap(history.entries[index], history.entries[other]);
  const std::string moved = history.entries[other].path;
  HistoryUpdate update = WriteAndReadBack(workspace, false);
  update.selected_index = FindProject(history, moved);
  return update;
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
  ProjectHistory& history = workspace.history;
  Int16 index = FindProject(history, path);
  if (index < 0) {
    const std::string name = ReadSettingFromFile(workspace.files, path, "name");
    if (name.empty()) return HistoryUpdate();
    if (!StorablePath(path)) {
      ShowErrorReport(workspace.host, FileError(kBadFileName, path));
      return HistoryUpdate();
    }
    // A full table fails before anything changes, so the table in memory still
    // matches the file and every later operation works on both alike.
    if (history.last_index + 1 >= static_cast<int>(history.entries.size())) {
      ShowErrorReport(workspace.host, RuntimeError(kSubscriptOutOfRange));
      return HistoryUpdate();
    }
    ClearCurrentMark(history);
    index = static_cast<Int16>(history.last_index + 1);
    history.entries[index] = HistoryEntry{name, path, kHistoryCurrent};
    history.last_index = index;
  } else {
    ClearCurrentMark(history);
  }
  history.entries[index].state = kHistoryCurrent;
  return WriteAndReadBack(workspace, true);
}

HistoryUpdate SelectProject(Workspace& workspace, Int16 index) {
  ProjectHistory& history = workspace.history;
  if (index < 0 || index > history.last_index ||
      index >= static_cast<int>(history.entries.size())) {
    ShowErrorReport(workspace.host, RuntimeError(kSubscriptOutOfRange));
    return HistoryUpdate();
  }
  history.current_index = index;
  ClearCurrentMark(history);
  history.entries[index].state = kHistoryCurrent;
  return WriteAndReadBack(workspace, true);
}

HistoryUpdate RemoveProject(Workspace& workspace) {
  ProjectHistory& history = workspace.history;
  const Int16 current = history.current_index;
  if (current < 0 || current >= static_cast<int>(history.entries.size())) return HistoryUpdate();
  const MessageAnswer answer = workspace.host.ShowMessage(
      "Are you sure you want to remove the Project \"" + history.entries[current].name +
          "\" from Tarvelo?",
      "Remove Project", MessageButtons::kOkCancel, MessageIcon::kQuestion);
  if (answer != MessageAnswer::kOk) return HistoryUpdate();
  history.entries[current].state = kHistoryEmpty;
  return WriteAndReadBack(workspace, true);
}

HistoryUpdate MoveProjectUp(Workspace& workspace, Int16 index) {
  return MoveProject(workspace, index, -1);
}

HistoryUpdate MoveProjectDown(Workspace& workspace, Int16 index) {
  return MoveProject(workspace, index, +1);
}

}  // namespace tarvelo
