// SearchReporter: where the Find, Replace and Replace Special runs show their progress.
// The windows fill their lists and tree, the console prints, tests record; so all of
// them drive the same loops. Message boxes, error reports and event processing go
// through the Host as everywhere else.
#ifndef TARVELO_SEARCH_SEARCH_REPORTER_H_
#define TARVELO_SEARCH_SEARCH_REPORTER_H_

#include <cstdint>
#include <string>

namespace tarvelo {

class SearchReporter {
 public:
  virtual ~SearchReporter() = default;

  /// Empties the status list.
  virtual void ClearStatus() = 0;
  /// Appends a line to the status list (UpdateSearchStatus, UpdateReplaceStatus).
  virtual void UpdateStatus(const std::string& status) = 0;
  /// Empties the results list and the detailed results.
  virtual void ClearResults() = 0;
  /// Appends a line to the results list: the path, " (", the count and ")".
  virtual void UpdateResultsStatus(const std::string& status) = 0;
  /// One line that holds occurrences: the file as listed and as resolved, the line's
  /// text, its count and its number (from 1).
  virtual void UpdateDetailedResultsStatus(const std::string& file_without_path,
                                           const std::string& file_with_path,
                                           const std::string& text_line, std::int32_t occurrences,
                                           std::int32_t line_number) = 0;
};

}  // namespace tarvelo

#endif  // TARVELO_SEARCH_SEARCH_REPORTER_H_
