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
};

}  // namespace tarvelo

#endif  // TARVELO_COMMON_LOG_SINK_H_
