// ProjectView: what the main window's five columns show for the current Project —
// Folders, Documents, Template, Content Files and Macros — with display names, item
// data, tree keys, state icons, the Content File filter and the rules that keep the
// selection across a refresh. Plain C++, so the window only copies it into widgets.
#ifndef TARVELO_PROJECT_PROJECT_VIEW_H_
#define TARVELO_PROJECT_PROJECT_VIEW_H_

#include <cstdint>
#include <string>
#include <vector>

#include "common/int16.h"

namespace tarvelo {

struct Workspace;

/// The state a tree node's icon shows.
enum class FileState {
  kPresent,
  kUnderDefaultRoot,  // found only under the default-content-root
  kReadOnly,
  kReadOnlyUnderDefaultRoot,
  kMissing,
};

enum class FileRole {
  kDocument,
  kTemplate,
  kContentFile,
  kGlobalContentFile,
  kFolderGlobal,
  kProjectMacroFile,
};

/// One row of a column.
struct ColumnEntry {
  std::string text;           // TrimPath of the name (or the Folder name)
  std::int64_t data = 0;      // item data: index, entry code, or combined Macro code
  std::string key;            // tree node key: "d:3", "t:1", "c:112"; empty for none
  FileRole role = FileRole::kContentFile;
  FileState state = FileState::kPresent;
  Int16 optimisation = 0;     // Documents: 0 none, 1 or 2 (their optimisation level)
  std::string resolved_path;  // the file the row stands for (empty for Folders)
  std::int32_t line = 0;      // Folders: line in the definition file; Macros: head line
};

/// Content Files entry codes: kind digit followed by the index ("1" + "12" = 112).
enum ContentFileKind { kKindContentFile = 1, kKindFolderGlobal = 2, kKindGlobal = 3,
                       kKindProjectMacroFile = 4 };
inline constexpr std::int64_t kAllMacrosCode = 9;
std::int64_t ContentFileCode(int kind, int index);

/// The display form of a name: as written when `show_paths`, else the bare file name
/// (everything up to each "\" removed; when there is none, up to each "/").
std::string TrimPath(const std::string& name, bool show_paths);

/// The row to select in a refilled column of `count` rows: 0 when `reset` or
/// `remembered` is below 1; `remembered` when it is a row; -1 (none) otherwise.
int RowToSelect(int count, bool reset, int remembered);

class ProjectView {
 public:
  /// Reads the workspace as it is at each call (settings, options, definition read
  /// with names as written, FileStore).
  explicit ProjectView(Workspace& workspace);

  /// Folders in file order (item data = index), or sorted by name.
  std::vector<ColumnEntry> Folders(bool sorted) const;
  /// The Documents of a Folder, stopping at the first empty name; state from the
  /// resolved output path, optimisation from DocumentOptimisationLevel.
  std::vector<ColumnEntry> Documents(Int16 folder) const;
  /// The Template row of a Document (key "t:1"); empty text for a static Document.
  ColumnEntry TemplateEntry(Int16 folder, Int16 document) const;
  /// Project Macro File (when set and display-project-macro-file is 1), the Document's
  /// Content Files, the Folder Globals, the Global Content Files, and "(all macros)"
  /// when display-all-macros is 1 and `macros_shown`; each through the filter.
  std::vector<ColumnEntry> ContentFiles(Int16 folder, Int16 document, bool macros_shown) const;
  /// The row whose code equals `remembered` (or the first), by the Content Files rule.
  static int ContentFileRowToSelect(const std::vector<ColumnEntry>& rows, bool reset,
                                    std::int64_t remembered);

  /// The Macros of one Content Files row (loaded with the Content File loader into the
  /// view table), or of every row for "(all macros)" with combined codes. The text is
  /// the name with or without its tags (show-macro-tags); `resolved_path` and `line`
  /// point at the definition.
  std::vector<ColumnEntry> Macros(const std::vector<ColumnEntry>& content_files,
                                  std::int64_t code);
  /// What the value box shows for a Macros row: the value, or in all-macros mode "("
  /// + the defining Content File's name + ")".
  std::string MacroValueText(std::int64_t macro_data, bool all_macros) const;

  /// The resolved path of a name of the definition (Document or Project file).
  std::string Resolve(const std::string& name, bool is_document) const;
  /// The state of a file for its icon.
  FileState StateOf(const std::string& name, bool is_document) const;

 private:
  Workspace& workspace_;
  std::vector<std::string> macro_values_;  // values of the last Macros() call, by row
  std::vector<std::string> macro_files_;   // defining file names, by row
  std::vector<std::int64_t> macro_codes_;
};

}  // namespace tarvelo

#endif  // TARVELO_PROJECT_PROJECT_VIEW_H_
