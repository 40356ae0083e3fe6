// The run summary: the one line a finished run adds to the status list, the block of
// counts it appends to the log, and the shorter form of both when a run halts.
#ifndef TARVELO_GENERATION_RUN_SUMMARY_H_
#define TARVELO_GENERATION_RUN_SUMMARY_H_

#include <cstdint>
#include <string>

#include "common/int16.h"

namespace tarvelo {

class Host;
class LogSink;

/// The nine counters of a run, each 16-bit like the tables they count.
struct RunCounters {
  Int16 generated = 0;
  Int16 total = 0;
  Int16 current = 0;
  Int16 read_only = 0;
  Int16 static_documents = 0;
  Int16 no_path = 0;
  Int16 warnings = 0;
  Int16 errors = 0;
  Int16 missing_files = 0;
};

/// The status line of a completed or stopped run, e.g. "Generated 7 of 9 documents
/// with 1 error (1 missing file) and 2 warnings (2  current documents)." followed by
/// TAB TAB "See Log File." when something went wrong and `logging_enabled`.
std::string SummaryLine(const RunCounters& counters, bool logging_enabled);

/// Logs the block of counts: the ERRORS and WARNINGS lines when there are any, the
/// five Document counts, the total, the elapsed whole seconds and, when something was
/// generated, where the generated-files list is.
void WriteSummaryBlock(LogSink& log, const RunCounters& counters, std::int64_t start_time,
                       std::int64_t end_time, const std::string& generated_list);

/// The halted run's summary: logs the ERRORS and WARNINGS lines and the counts text,
/// and shows that text (with the "See Log File." ending when `logging_enabled`).
void WriteShortSummary(Host& host, LogSink& log, const RunCounters& counters, bool logging_enabled);

}  // namespace tarvelo

#endif  // TARVELO_GENERATION_RUN_SUMMARY_H_
