// Every line opens, appends and closes the log, so a crash never loses what was
// written; a failure turns logging off for the rest of the run.
#include "project/log.h"

#include "common/error.h"
#include "common/host.h"
#include "project/file_store.h"
#include "project/program_options.h"
#include "project/working_files.h"

namespace tarvelo {

Log::Log(const FileStore& files, Host& host, const ProgramOptions& options,
         const WorkingFiles& working)
    : files_(files), host_(host), options_(options), working_(working) {}

void Log::Write(const std::string& text, bool start_afresh, bool write_notice) {
  const bool enabled = options_.enable_logging == 1;
  try {
    if (enabled) {
      if (start_afresh) active_ = true;
      if (!active_) return;
      TextWriter writer = start_afresh ? files_.CreateTextFile(working_.log_file)
                                       : files_.OpenTextFileForAppending(working_.log_file);
      writer.WriteLine(text);
      writer.Close();
      host_.LogLineWritten(text);
    } else if (write_notice) {
      TextWriter writer = files_.CreateTextFile(working_.log_file);
      writer.WriteLine(kLoggingDisabledNotice);
      writer.Close();
    }
  } catch (const TarveloError&) {
    active_ = false;
    host_.ShowMessage("An error occurred while writing to the log file " + working_.log_file +
                          ". Logging will be turned off.",
                      "Log File Error", MessageButtons::kOk, MessageIcon::kNone);
  }
}

}  // namespace tarvelo
