// SearchFileList: the de-duplicated, growing list of file names that Find and Replace
// build from the Project Definition and then walk; and the choice of which of the
// Project's files go into it.
#ifndef TARVELO_SEARCH_SEARCH_FILE_LIST_H_
#define TARVELO_SEARCH_SEARCH_FILE_LIST_H_

#include <string>
#include <unordered_set>
#include <vector>

#include "common/int16.h"

namespace tarvelo {

struct ProjectDefinition;
struct ProjectSettings;

/// Names are kept as written in the Project (not resolved), in the order they were
/// added, each once (compared exactly, case significant). The list is a table of
/// `capacity()` slots filled from 0; the first empty slot ends it.
class SearchFileList {
 public:
  /// Empties every slot; a capacity below 10 becomes 10, a larger one is kept.
  void InitFileList();
  /// Adds a name unless it is empty or already listed. When the last slot is taken
  /// the capacity grows by 100; past 32,767 slots raises 6 "Overflow".
  void AddFileToList(const std::string& name);

  Int16 capacity() const { return static_cast<Int16>(slots_.size()); }
  /// The name in a slot; empty for an unused one.
  const std::string& at(Int16 index) const { return slots_[static_cast<size_t>(index)]; }
  /// The number of names listed.
  size_t size() const { return used_; }

 private:
  std::vector<std::string> slots_;
  size_t used_ = 0;
  std::unordered_set<std::string> listed_;  // for the duplicate test of long lists
};

/// Which files a run lists. `selected_only` is the second scope button ("Files for
/// Selected Document" / "Selected Document").
struct SearchScope {
  bool documents_mode = false;
  bool selected_only = false;
  bool globals = true;
  bool templates = true;
  bool content_files = true;
  bool folder_globals = true;
  Int16 selected_folder = -1;
  Int16 selected_document = -1;

  /// At least one file type is chosen, or the Documents are searched.
  bool HasFileTypes() const {
    return documents_mode || globals || templates || content_files || folder_globals;
  }
};

/// Adds the Project's files in scope to `list`, in the Project's order: the project
/// macro file, the Global Content Files, then per Folder its Folder Globals and per
/// Document its Template and Content Files (Documents mode: the output files).
void BuildFileList(const ProjectDefinition& definition, const ProjectSettings& settings,
                   const SearchScope& scope, SearchFileList& list);

}  // namespace tarvelo

#endif  // TARVELO_SEARCH_SEARCH_FILE_LIST_H_
