// ProjectView: what the main window's five columns show for the current Project —
// Folders, Documents, Template, Content Files and Macros — with display names, item
// data, tree keys, state icons, the Content File filter and the rules that keep the
// selection across a refresh. Plain C++, so the window only copies it into widgets.
#ifndef TARVELO_VIEWS_PROJECT_VIEW_H_
#define TARVELO_VIEWS_PROJECT_VIEW_H_

#include <cstdint>
#include <string>
#include <vector>

#include "common/int16.h"

namespace tarvelo {

class FileStore;
struct ProgramOptions;
struct ProjectSettings;
struct Workspace;

/// The state a tree node's icon shows.
enum class FileState {
  kPresent,
  kUnderDefaultRoot,  // found only under the default-content-root
  kReadOnly,
  kReadOnlyUnderDefaultRoot,
  kMissing,
};

/// The role a tree node's icon shows. Folder rows keep kContentFile (their lists have
/// no icons); a Macros row takes the role of the file that defines it.
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
  std::string text;       // TrimPath of the name (the Folder name as written)
  std::int64_t data = 0;  // item data: index, entry code, or combined Macro code
  std::string key;        // tree node key: "d:3", "t:1", "c:112"; empty for none
  FileRole role = FileRole::kContentFile;
  FileState state = FileState::kPresent;
  Int16 optimisation = 0;  // Documents: 0 none, 1 or 2 (their optimisation level)
  /// The file the row stands for: the resolved Document, Template or Content File;
  /// the Project Definition File for a Folder; the defining Content File for a Macro.
  /// Empty for "(all macros)" and for the Template of a static Document.
  std::string resolved_path;
  std::int32_t line = 0;  // Folders: line in the definition file; Macros: head line
};

/// Content Files entry codes: kind digit followed by the index ("1" + "12" = 112).
enum ContentFileKind {
  kKindContentFile = 1,
  kKindFolderGlobal = 2,
  kKindGlobal = 3,
  kKindProjectMacroFile = 4
};
inline constexpr std::int64_t kAllMacrosCode = 9;
inline constexpr const char* kAllMacrosText = "(all macros)";
/// In all-macros mode a Macro's item data is the entry code times this plus its index.
inline constexpr std::int64_t kMacroCodeFactor = 100000;
std::int64_t ContentFileCode(int kind, int index);

/// The state of the file at a resolved path (a folder counts as missing).
FileState FileStateAt(const FileStore& files, const std::string& path, bool under_default_root);

/// The level whose Macro limit a file of this role loads with: 4 Project Macro File,
/// 3 Global Content File, 2 Folder Global, 1 anything else.
Int16 MacroLevelOf(FileRole role);

/// The display form of a name: as written when `show_paths`, else the bare file name
/// (everything up to the last "\" or "/" removed).
std::string TrimPath(const std::string& name, bool show_paths);

/// The row to select in a refilled column of `count` rows: -1 (none) for an empty
/// column; 0 when `reset` or `remembered` is below 1; `remembered` when it is a row;
/// -1 otherwise.
int RowToSelect(int count, bool reset, int remembered);

/// The Content File filter in force: content-file-filter without its blanks when
/// enable-content-file-filter is 1; empty when no filter applies.
std::string ContentFileFilter(const ProgramOptions& options);
/// True when a Content Files name may be listed: not blank, and ending (as written,
/// case-sensitive) with the filter in force.
bool PassesContentFileFilter(const ProgramOptions& options, const std::string& name);
/// "Content Files", or "Content Files (using filter *" + filter + ")" while one applies.
std::string ContentFilesLabel(const ProgramOptions& options);

/// A Macro's name as listed: as stored (with its Macro Tags) when `show_tags`, else
/// without the leading macro-start-tag and the trailing macro-end-tag.
std::string MacroDisplayName(const std::string& stored_name, const ProjectSettings& settings,
                             bool show_tags);

/// What double-click and Enter do in the Documents column (documents-default-action).
enum class DocumentAction { kOpen, kView, kEdit, kEditContentFile, kEditImage, kEditXml };
/// 1..5 pick View, Edit, Edit Content File, Edit Image, Edit XML; anything else Open.
DocumentAction DefaultDocumentAction(Int16 documents_default_action);
/// The file "Edit Content File" opens: the selected Content Files entry, or the
/// Document itself when none is selected or the entry is "(all macros)".
std::string ContentFileToEdit(const ColumnEntry* selected_content_file,
                              const ColumnEntry& document);
/// True when custom action `number` (1..6) belongs in a pop-up menu: both its caption
/// and its command are set.
bool CustomActionShown(const ProgramOptions& options, int number);

class ProjectView {
 public:
  /// Reads the workspace as it is at each call (settings, options, the definition as
  /// the window read it with names as written, FileStore); the Macros column loads
  /// each file into a first view table of its own.
  explicit ProjectView(Workspace& workspace);

  /// The resolved Project Definition File (Folders column, "Definition...").
  std::string DefinitionPath() const;

  /// Folders in file order up to the first empty name (item data = index, `line` for
  /// the editor), or sorted by name without regard to case.
  std::vector<ColumnEntry> Folders(bool sorted) const;
  /// The Documents of a Folder, stopping at the first empty name; state from the
  /// resolved output path, optimisation from DocumentOptimisationLevel. Empty for a
  /// Folder that is not listed.
  std::vector<ColumnEntry> Documents(Int16 folder) const;
  /// The Template row of a Document (key "t:1"); empty text and path, and the missing
  /// state, for a static Document or a Document that is not listed.
  ColumnEntry TemplateEntry(Int16 folder, Int16 document) const;
  /// Project Macro File (when set and display-project-macro-file is 1), the Document's
  /// Content Files, the Folder Globals and the Global Content Files, each list up to
  /// its first empty name and each name through the filter; then "(all macros)" when
  /// display-all-macros is 1 and `macros_shown`. Empty for a Document not listed.
  std::vector<ColumnEntry> ContentFiles(Int16 folder, Int16 document, bool macros_shown) const;
  /// The row to select: -1 for no rows; 0 when `reset` or `remembered` is below 1;
  /// else the row whose code equals `remembered`, or 0 when none has it.
  static int ContentFileRowToSelect(const std::vector<ColumnEntry>& rows, bool reset,
                                    std::int64_t remembered);

  /// The Macros of the Content Files row whose code is `code`, in file order with
  /// the slot index as item data; or for "(all macros)" those of every row in turn,
  /// with combined codes. A missing file lists nothing. The text follows
  /// show-macro-tags; `resolved_path` and `line` point at the definition. Raises the
  /// loader's errors (10001, 10002, file system), leaving no rows remembered.
  std::vector<ColumnEntry> Macros(const std::vector<ColumnEntry>& content_files, std::int64_t code);
  /// What the value box shows for a row of the last Macros() call: the value (lines
  /// joined by CR LF), or with `all_macros` "(" + the defining Content Files row's
  /// text + ")". Empty for unknown data.
  std::string MacroValueText(std::int64_t macro_data, bool all_macros) const;

  /// The resolved path of a name of the definition: a Document against document-root,
  /// anything else against content-root with default-content-root as the alternative.
  /// Empty for a blank name.
  std::string Resolve(const std::string& name, bool is_document) const;
  /// The state of a file for its icon (a Document is never "under default root").
  FileState StateOf(const std::string& name, bool is_document) const;
  /// Sets `row`'s resolved path and state for a name (both looked up once).
  void ResolveInto(const std::string& name, bool is_document, ColumnEntry& row) const;

 private:
  struct MacroRow {
    std::int64_t data = 0;
    std::string value;
    std::string file_text;  // the defining Content Files row's text
  };

  Workspace& workspace_;
  std::vector<MacroRow> macro_rows_;  // of the last Macros() call
};

}  // namespace tarvelo

#endif  // TARVELO_VIEWS_PROJECT_VIEW_H_
