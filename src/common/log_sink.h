// LogSink: where the engine writes its log lines (warnings of Content Files and of
// expansion) without knowing about the log file.
#ifndef TARVELO_COMMON_LOG_SINK_H_
#define TARVELO_COMMON_LOG_SINK_H_

#include <string>

namespace tarvelo {

class LogSink {
 public:
  virtual ~LogSink() = default;
  /// Appends one line to the log (when logging is active).
  virtual void WriteLog(const std::string& line) = 0;
  /// Starts the log anew with `line` as its first line. A sink without a file of its
  /// own just appends.
  virtual void RestartLog(const std::string& line) { WriteLog(line); }
};

}  // namespace tarvelo

#endif  // TARVELO_COMMON_LOG_SINK_H_
