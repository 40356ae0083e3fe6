// Find: searching the Project's source files, or its generated Documents, for a
// literal text, file by file, with the status lines, results, search log and summary
// that the Find window and the console show.
#ifndef TARVELO_SEARCH_FIND_RUN_H_
#define TARVELO_SEARCH_FIND_RUN_H_

#include <atomic>
#include <cstdint>
#include <string>

#include "common/int16.h"
#include "search/search_file_list.h"

namespace tarvelo {

class SearchReporter;
struct ProjectDefinition;
struct Workspace;

struct FindRequest {
  std::string find_text;  // as typed
  bool ignore_case = false;
  bool definitions_only = false;
  SearchScope scope;
};

struct FindTotals {
  std::int32_t occurrences = 0;
  Int16 files_found = 0;
  Int16 files_checked = 0;
  bool stopped = false;
};

/// "Complete. 5 occurrences in 2 files. 9 files checked. " ("Stopped. " when stopped).
std::string FindSummary(const FindTotals& totals);

/// Reads the current Project's definition with its names as written, for the file
/// list; a failure is shown with the common error report and gives false.
bool LoadSearchDefinition(Workspace& workspace, ProjectDefinition& definition);

/// The full path of a listed name: under document-root in Documents mode, else under
/// content-root (or default-content-root when the file is not under content-root).
std::string ResolveSearchPath(const Workspace& workspace, const std::string& name,
                              bool documents_mode);

/// Searches one file line by line, reporting each line that holds occurrences, and
/// returns the file's total. A file that cannot be read ends with the common error
/// report; what was counted until then is returned.
std::int32_t DoSearch(Workspace& workspace, SearchReporter& reporter,
                      const std::string& file_without_path, const std::string& file_with_path,
                      const std::string& text_to_find, bool ignore_case, bool definitions_only);

/// The Find run over the listed files. `stop_requested` is cleared at the start and
/// tested before each list entry (events are let through on even entries); it is
/// cleared again at the end. The summary is logged and shown in the status list.
FindTotals RunFind(Workspace& workspace, const ProjectDefinition& definition,
                   const FindRequest& request, SearchFileList& list, SearchReporter& reporter,
                   std::atomic<bool>& stop_requested);

}  // namespace tarvelo

#endif  // TARVELO_SEARCH_FIND_RUN_H_
