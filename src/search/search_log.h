// The search log, search.txt in the temporary files path: the account of the latest
// Find or Replace run.
#ifndef TARVELO_SEARCH_SEARCH_LOG_H_
#define TARVELO_SEARCH_SEARCH_LOG_H_

#include <string>

namespace tarvelo {

class FileStore;

/// Writes one line to the log at `path`: with `start_afresh` the file is created anew
/// first, otherwise the line is appended. Each call opens and closes the file; a
/// failure is ignored, since the log must never stop a run.
void WriteSearchLog(const FileStore& files, const std::string& path, const std::string& text,
                    bool start_afresh);

}  // namespace tarvelo

#endif  // TARVELO_SEARCH_SEARCH_LOG_H_
