// LogSink: where the engine writes its log lines (warnings of Content Files and of
// expansion) without knowing about the log file.
#ifndef TARVELO_COMMON_LOG_SINK_H_
#define TARVELO_COMMON_LOG_SINK_H_

#include <string>
#include <string_view>

#include "common/text.h"

namespace tarvelo {

class LogSink {
 public:
  virtual ~LogSink() = default;
  /// Appends one line to the log (when logging is active).
  virtual void WriteLog(const std::string& line) = 0;
  /// Starts the log anew with `line` as its first line. A sink without a file of its
  /// own just appends.
  virtual void RestartLog(const std::string& line) { WriteLog(line); }
  /// Appends `text` indented under the line of the Document or file in hand.
  void WriteDetail(std::string_view text) {
    std::string line(kLogPad);
    line += text;
    WriteLog(line);
  }
};

}  // namespace tarvelo

#endif  // TARVELO_COMMON_LOG_SINK_H_
