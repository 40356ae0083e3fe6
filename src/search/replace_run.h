// Replace: replacing a literal text by another in the Project's source files (never
// in the Documents), with the counters, status lines, results, search log and summary
// that the Replace window and the console show; and Replace Special, which repairs a
// file whose lines end with a carriage return alone.
#ifndef TARVELO_SEARCH_REPLACE_RUN_H_
#define TARVELO_SEARCH_REPLACE_RUN_H_

#include <atomic>
#include <cstdint>
#include <string>
#include <utility>

#include "common/int16.h"
#include "search/search_file_list.h"

namespace tarvelo {

class SearchReporter;
struct ProjectDefinition;
struct Workspace;

struct ReplaceRequest {
  std::string find_text;     // as typed
  std::string replace_with;  // as typed; empty deletes
  bool ignore_case = false;
  SearchScope scope;  // documents_mode is ignored: Replace works on source files only
};

struct ReplaceTotals {
  Int16 files_checked = 0;
  Int16 read_only_files = 0;
  std::int32_t replacements = 0;
  Int16 files_changed = 0;
  std::int32_t read_only_occurrences = 0;
  Int16 read_only_files_with_occurrences = 0;
  bool stopped = false;
};

/// The two summary lines: "Complete. 7 replacements in 3 files. 2 occurrences in 1
/// read-only file not replaced." and "10 files checked (2 read-only files)."
std::pair<std::string, std::string> ReplaceSummary(const ReplaceTotals& totals);

/// The question of the "Confirm Replace" box.
std::string ConfirmReplaceText(const std::string& find_text, const std::string& replace_with);

/// Rewrites one file with every occurrence replaced (or, with `read_only`, only counts
/// them) and returns the number of occurrences. The file is first copied to the
/// working file tarvelo.rpl; the new text goes to a temporary sibling renamed over the
/// file, so it is never half-written, and every line ends with CR LF. On a failure the
/// file is left as it was, the common error report says so, `*failed` is set and the
/// result is the occurrences counted (0 for a writable file: nothing was replaced).
/// `reporter` gets the lines as written back, after the file was written; it may be
/// null.
std::int32_t ReplaceInFile(Workspace& workspace, SearchReporter* reporter,
                           const std::string& file_without_path, const std::string& file_with_path,
                           const std::string& text_to_find, const std::string& replace_with,
                           bool ignore_case, bool read_only, bool* failed = nullptr);

/// The Replace run over the listed source files. `stop_requested` as for RunFind.
ReplaceTotals RunReplace(Workspace& workspace, const ProjectDefinition& definition,
                         const ReplaceRequest& request, SearchFileList& list,
                         SearchReporter& reporter, std::atomic<bool>& stop_requested);

/// Replace Special on one file: each carriage return becomes a carriage return and a
/// line feed. Status lines go to the reporter; errors to the common error report.
void RunReplaceSpecial(Workspace& workspace, const std::string& file, SearchReporter& reporter);

}  // namespace tarvelo

#endif  // TARVELO_SEARCH_REPLACE_RUN_H_
