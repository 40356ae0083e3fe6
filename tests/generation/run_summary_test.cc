// The run summary: the status line, the log block and the halted run's short form.
#include "generation/run_summary.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/log_sink.h"
#include "support/test_support.h"

namespace tarvelo {
namespace {

using testing::ScriptedHost;

class RecordingSink : public LogSink {
 public:
  void WriteLog(const std::string& line) override { lines.push_back(line); }
  std::vector<std::string> lines;
};

RunCounters Counts(Int16 generated, Int16 total) {
  RunCounters counters;
  counters.generated = generated;
  counters.total = total;
  return counters;
}

TEST(RunSummaryTest, SummaryLineTexts) {
  struct Case {
    const char* name;
    RunCounters counters;
    bool logging;
    std::string line;
  };
  RunCounters example = Counts(7, 9);
  example.missing_files = 1;
  example.warnings = 2;
  example.current = 2;
  RunCounters warnings_only = Counts(2, 2);
  warnings_only.warnings = 1;
  RunCounters current_only = Counts(0, 2);
  current_only.current = 2;
  RunCounters all_skips = Counts(1, 8);
  all_skips.read_only = 1;
  all_skips.current = 2;
  all_skips.static_documents = 3;
  all_skips.no_path = 1;
  RunCounters errors_only = Counts(1, 3);
  errors_only.errors = 2;
  RunCounters errors_and_missing = Counts(0, 4);
  errors_and_missing.errors = 1;
  errors_and_missing.missing_files = 2;
  errors_and_missing.static_documents = 1;
  RunCounters full = Counts(0, 1);  // two full counters must not overflow the sum
  full.errors = 32767;
  full.missing_files = 32767;
  const Case cases[] = {
      {"example", example, true,
       "Generated 7 of 9 documents with 1 error (1 missing file) and 2 warnings "
       "(2  current documents).\t\tSee Log File."},
      {"clean", Counts(3, 3), true, "Generated 3 of 3 documents."},
      {"singular", Counts(1, 1), true, "Generated 1 of 1 document."},
      {"current only", current_only, true, "Generated 0 of 2 documents (2  current documents)."},
      {"warnings logged", warnings_only, true,
       "Generated 2 of 2 documents with 1 warning.\t\tSee Log File."},
      {"warnings not logged", warnings_only, false, "Generated 2 of 2 documents with 1 warning."},
      {"every skip", all_skips, false,
       "Generated 1 of 8 documents (1  read-only document, 2  current documents, "
       "3  static documents, 1  no-path document)."},
      {"errors only", errors_only, false, "Generated 1 of 3 documents with 2 errors."},
      {"missing files add to errors", errors_and_missing, false,
       "Generated 0 of 4 documents with 3 errors (2 missing files) (1  static document)."},
      {"full counters", full, false,
       "Generated 0 of 1 document with 65534 errors (32767 missing files)."},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SummaryLine(c.counters, c.logging), c.line) << c.name;
  }
}

TEST(RunSummaryTest, BlockListsEveryCountAndTheList) {
  RunCounters counters = Counts(7, 9);
  counters.missing_files = 1;
  counters.errors = 1;
  counters.warnings = 2;
  counters.current = 2;
  RecordingSink log;
  WriteSummaryBlock(log, counters, 1000, 1001, "/tmp/generate.txt");
  EXPECT_EQ(log.lines, (std::vector<std::string>{
                           "ERRORS:   2  (1 missing file)",
                           "WARNINGS: 2",
                           "",
                           "Documents Generated:  7",
                           "Current Documents:    2",
                           "Read-Only Documents:  0",
                           "Static Documents:     0",
                           "No-Path Documents:    0",
                           "",
                           "Total Documents:      9",
                           "",
                           "Generation Time:      1 second",
                           "",
                           "Generated Files List: /tmp/generate.txt",
                       }));
}

TEST(RunSummaryTest, ShortSummaryLogsProblemLinesAndShowsTheCounts) {
  RunCounters counters = Counts(1, 3);
  counters.errors = 1;
  counters.missing_files = 1;
  counters.warnings = 1;
  counters.current = 1;  // never listed in the short form
  ScriptedHost host;
  RecordingSink log;
  WriteShortSummary(host, log, counters, true);
  const std::string text =
      "Generated 1 of 3 documents with 2 errors (1 missing file) and 1 warning";
  EXPECT_EQ(host.status, std::vector<std::string>{text + "\t\tSee Log File."});
  EXPECT_EQ(log.lines, (std::vector<std::string>{"", "ERRORS:   2  (1 missing file)", "",
                                                 "WARNINGS: 1", "", text}));
}

}  // namespace
}  // namespace tarvelo
