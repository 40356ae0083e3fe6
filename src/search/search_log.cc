// Open, write, close for every line, so the log is complete whenever a run stops.
#include "search/search_log.h"

#include "common/error.h"
#include "project/file_store.h"

namespace tarvelo {

void WriteSearchLog(const FileStore& files, const std::string& path, const std::string& text,
                    bool start_afresh) {
  try {
    TextWriter writer =
        start_afresh ? files.CreateTextFile(path) : files.OpenTextFileForAppending(path);
    writer.WriteLine(text);
    writer.Close();
  } catch (const TarveloError&) {
    // The log is an aid; the run goes on without it.
  }
}

}  // namespace tarvelo
