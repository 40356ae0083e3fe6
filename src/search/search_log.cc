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

void SearchLogBuffer::Start(const std::string& text) {
  pending_.clear();
  WriteSearchLog(files_, path_, text, true);
}

void SearchLogBuffer::Add(const std::string& text) {
  pending_ += text;
  pending_ += "\r\n";
  if (pending_.size() >= 64 * 1024) Flush();
}

void SearchLogBuffer::Flush() {
  if (pending_.empty()) return;
  try {
    TextWriter writer = files_.OpenTextFileForAppending(path_);
    writer.Write(pending_);
    writer.Close();
  } catch (const TarveloError&) {
    // As for single lines: the log never stops a run.
  }
  pending_.clear();
}

}  // namespace tarvelo
