// FileListing: what the Content Files and Templates windows list — every Content File
// or Template a Project uses, once, with its tree key and state icon, through the
// Content File filter and the display mode — and the Macros window's sorted list of
// one Content File. Plain C++: the windows only copy the rows into widgets, and a
// long listing reports its progress to an observer that may cancel it.
#ifndef TARVELO_VIEWS_FILE_LISTING_H_
#define TARVELO_VIEWS_FILE_LISTING_H_

#include <cstdint>
#include <string>
#include <vector>

#include "common/int16.h"
#include "views/project_view.h"

namespace tarvelo {

struct ProjectDefinition;
struct Workspace;

/// Which files a list window shows: 0 all, 1 read-only only, 2 writable only.
enum DisplayMode : Int16 { kDisplayAll = 0, kDisplayReadOnly = 1, kDisplayWritable = 2 };

enum class ListingKind { kContentFiles, kTemplates };

/// One listed file: the name as written, its tree key ("p:0", "g:1", "f:0:2",
/// "c:0:1:3", "t:0:1"), role, state and resolved path.
struct ListedFile {
  std::string text;
  std::string key;
  FileRole role = FileRole::kContentFile;
  FileState state = FileState::kPresent;
  std::string resolved_path;
};

/// Receives a listing as it goes.
class ListingObserver {
 public:
  virtual ~ListingObserver() = default;
  /// Tested before every candidate; true ends the listing with what it has found.
  virtual bool Cancelled() { return false; }
  virtual void Added(const ListedFile& file) = 0;
  /// After every 50th Content File of the Documents, with that count, while it does
  /// not exceed DocumentContentFileCount.
  virtual void Progress(int content_files) { (void)content_files; }
};

/// The Content File entries of all Documents (the progress bar's maximum), each list
/// counted up to its first empty name.
int DocumentContentFileCount(const ProjectDefinition& definition);

/// Offers the candidates in order — for Content Files the Project Macro File, the
/// Global Content Files, every Folder's Folder Globals, then every Document's Content
/// Files; for Templates every Document's Template — and adds each whose trimmed name
/// is not blank, that passes the Content File filter (Content Files only) and the
/// display mode (a missing file is not read-only), and whose text is not listed yet
/// (names compare as written). Returns false when the observer cancelled it.
bool ListProjectFiles(const Workspace& workspace, const ProjectView& view, ListingKind kind,
                      Int16 display_mode, ListingObserver& observer);

/// One entry of the Macros window: the name as shown, the slot, the value (lines
/// joined by CR LF) and the line on which the definition head ended.
struct MacroListEntry {
  std::string text;
  Int16 slot = 0;
  std::string value;
  std::int32_t line = 0;
};

/// The Macros of the Content File at `path`, loaded into the workspace's second view
/// table with the Macro limit of `level` (1 Content File, 2 Folder Global, 3 Global
/// Content File, 4 Project Macro File), sorted by name without regard to case (equal
/// names keep file order). Names carry their Macro Tags when show-macro-tags is 1.
/// Raises the loader's errors (10005 "Could not open file at ..." for a missing file,
/// 10001, 10002) and 321 for a file holding null bytes, which is no text file.
std::vector<MacroListEntry> ListMacros(Workspace& workspace, const std::string& path, Int16 level);

}  // namespace tarvelo

#endif  // TARVELO_VIEWS_FILE_LISTING_H_
