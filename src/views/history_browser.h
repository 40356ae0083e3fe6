// HistoryBrowser: what the Project browser shows — the listed Projects of the history
// with their indexes, and for one Project its three key files (project file, Project
// Definition File, Project Macro File) resolved against that Project's own roots, each
// with its state. Plain C++, so the window only copies it into widgets.
#ifndef TARVELO_VIEWS_HISTORY_BROWSER_H_
#define TARVELO_VIEWS_HISTORY_BROWSER_H_

#include <string>
#include <vector>

#include "common/int16.h"
#include "views/project_view.h"

namespace tarvelo {

struct ProjectHistory;
struct Workspace;

/// One line of the Projects list.
struct HistoryRow {
  Int16 index = -1;
  std::string name;
};

/// The entries 0 to last index that have a name and a state above 0, in table order.
std::vector<HistoryRow> HistoryRows(const ProjectHistory& history);

/// A key file: its full path (empty for none) and state.
struct KeyFile {
  std::string path;
  FileState state = FileState::kMissing;
};

struct ProjectKeyFiles {
  KeyFile project_file;
  KeyFile definition_file;
  KeyFile macro_file;  // empty path when the Project has no Project Macro File
  /// Set when the project file could not be read: the text names the file.
  std::string problem;
};

/// Reads definition-file, project-macro-file, content-root and default-content-root
/// from the project file at `path` and resolves both names as relative names of that
/// Project (content-root first, then default-content-root), with the default drive of
/// the options. A project file that cannot be read gives empty names and a problem.
ProjectKeyFiles KeyFilesOf(const Workspace& workspace, const std::string& path);

}  // namespace tarvelo

#endif  // TARVELO_VIEWS_HISTORY_BROWSER_H_
