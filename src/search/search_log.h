// The search log, search.txt in the temporary files path: the account of the latest
// Find or Replace run.
#ifndef TARVELO_SEARCH_SEARCH_LOG_H_
#define TARVELO_SEARCH_SEARCH_LOG_H_

#include <string>

namespace tarvelo {

class FileStore;

/// The search log of one run. Lines are kept and appended in batches (one
/// open-append-close per 64 KB, and at Flush() or the end of the object), so a run
/// over ten thousand files opens the log a handful of times instead of thirty thousand.
/// Failures are ignored, as for WriteSearchLog.
class SearchLogBuffer {
 public:
  SearchLogBuffer(const FileStore& files, std::string path)
      : files_(files), path_(std::move(path)) {}
  ~SearchLogBuffer() { Flush(); }
  SearchLogBuffer(const SearchLogBuffer&) = delete;
  SearchLogBuffer& operator=(const SearchLogBuffer&) = delete;

  /// Creates the log anew with its first line.
  void Start(const std::string& text);
  /// Adds a line.
  void Add(const std::string& text);
  /// Appends what is kept.
  void Flush();

 private:
  const FileStore& files_;
  std::string path_;
  std::string pending_;
};

/// Writes one line to the log at `path`: with `start_afresh` the file is created anew
/// first, otherwise the line is appended. Each call opens and closes the file; a
/// failure is ignored, since the log must never stop a run.
void WriteSearchLog(const FileStore& files, const std::string& path, const std::string& text,
                    bool start_afresh);

}  // namespace tarvelo

#endif  // TARVELO_SEARCH_SEARCH_LOG_H_
