// The Project browser's rows and key files.
#include "views/history_browser.h"

#include <algorithm>

#include "common/error.h"
#include "common/text.h"
#include "project/key_value_file.h"
#include "project/project_definition.h"
#include "project/workspace.h"

namespace tarvelo {
namespace {

// Resolved against the browsed Project's roots alone: with the current Project's
// settings as the fallback, a Project without a content-root would show the current
// Project's files instead of its own.
KeyFile Resolve(const Workspace& workspace, const ProjectSettings& roots, const std::string& name) {
  KeyFile file;
  if (IsBlank(name)) return file;
  bool under_default_root = false;
  file.path = ResolveProjectPath(roots, workspace.options, workspace.files, name, true, false, "",
                                 "", &under_default_root);
  file.state = FileStateAt(workspace.files, file.path, under_default_root);
  return file;
}

}  // namespace

std::vector<HistoryRow> HistoryRows(const ProjectHistory& history) {
  std::vector<HistoryRow> rows;
  const int last = std::min<int>(history.last_index, static_cast<int>(history.entries.size()) - 1);
  for (int i = 0; i <= last; ++i) {
    const HistoryEntry& entry = history.entries[static_cast<size_t>(i)];
    if (entry.name.empty() || entry.state <= kHistoryEmpty) continue;
    rows.push_back(HistoryRow{static_cast<Int16>(i), entry.name});
  }
  return rows;
}

ProjectKeyFiles KeyFilesOf(const Workspace& workspace, const std::string& path) {
  ProjectKeyFiles files;
  files.project_file.path = path;
  files.project_file.state = FileStateAt(workspace.files, path, false);
  if (path.empty()) return files;
  KeyValueText text;
  try {
    text = KeyValueText::Read(workspace.files, path);
  } catch (const TarveloError& error) {
    files.problem = "The project file " + path + " could not be read. " + error.description + ".";
    return files;
  }
  ProjectSettings roots;
  roots.content_root = text.Text("content-root", "");
  roots.default_content_root = text.Text("default-content-root", "");
  files.definition_file = Resolve(workspace, roots, text.Text("definition-file", ""));
  files.macro_file = Resolve(workspace, roots, text.Text("project-macro-file", ""));
  return files;
}

}  // namespace tarvelo
