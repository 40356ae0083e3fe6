// The log file: the account of the latest generation run, written one line at a time
// (open, append, close) so it is complete on disk after every line.
#ifndef TARVELO_PROJECT_LOG_H_
#define TARVELO_PROJECT_LOG_H_

#include <string>

#include "common/log_sink.h"

namespace tarvelo {

class FileStore;
class Host;
struct ProgramOptions;
struct WorkingFiles;

inline constexpr const char* kLoggingDisabledNotice =
    "Logging may be disabled. You can enable logging in the Tools->Options screen.";

class Log : public LogSink {
 public:
  /// The log reads the options and the working-file paths as they are at each write.
  Log(const FileStore& files, Host& host, const ProgramOptions& options,
      const WorkingFiles& working);
  Log(const Log&) = delete;
  Log& operator=(const Log&) = delete;

  /// Writes one line. With `start_afresh` the file is created anew and logging becomes
  /// active (when enabled); with logging disabled and `write_notice`, the file is
  /// replaced by the notice line. A failed write shows "Log File Error" once and turns
  /// logging off until the next start-afresh write.
  void Write(const std::string& text, bool start_afresh = false, bool write_notice = false);

  void WriteLog(const std::string& line) override { Write(line); }
  void RestartLog(const std::string& line) override { Write(line, true); }

  /// LoggingActive: set by a start-afresh write while logging is enabled.
  bool active() const { return active_; }

 private:
  const FileStore& files_;
  Host& host_;
  const ProgramOptions& options_;
  const WorkingFiles& working_;
  bool active_ = false;
};

}  // namespace tarvelo

#endif  // TARVELO_PROJECT_LOG_H_
