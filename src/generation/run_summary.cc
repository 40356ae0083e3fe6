// The summary texts. Errors and missing files are reported together as "errors"; the
// sum is taken in a wider type so two full counters cannot overflow the report.
#include "generation/run_summary.h"

#include <string_view>

#include "common/host.h"
#include "common/log_sink.h"
#include "common/text.h"

namespace tarvelo {
namespace {

constexpr std::string_view kSeeLogFile = "\t\tSee Log File.";

long ErrorCount(const RunCounters& counters) {
  return static_cast<long>(counters.errors) + counters.missing_files;
}

bool AnythingWrong(const RunCounters& counters) {
  return counters.warnings >= 1 || counters.errors >= 1 || counters.missing_files >= 1;
}

// Labels are padded so that the numbers of the block line up.
std::string Label(std::string_view label, size_t width) {
  std::string padded(label);
  if (padded.size() < width) padded.append(width - padded.size(), ' ');
  return padded;
}

std::string MissingFilesPhrase(const RunCounters& counters) {
  return "(" + Plural(counters.missing_files, "missing file") + ")";
}

// "Generated 7 of 9 documents with 1 error (1 missing file) and 2 warnings": the part
// the full line and the short form share.
std::string CountsText(const RunCounters& counters) {
  std::string text =
      "Generated " + DecimalText(counters.generated) + " of " + Plural(counters.total, "document");
  if (AnythingWrong(counters)) text += " with ";
  if (ErrorCount(counters) >= 1) {
    text += Plural(ErrorCount(counters), "error");
    if (counters.missing_files >= 1) text += " " + MissingFilesPhrase(counters);
    if (counters.warnings >= 1) text += " and ";
  }
  if (counters.warnings >= 1) text += Plural(counters.warnings, "warning");
  return text;
}

std::string ErrorsLine(const RunCounters& counters) {
  std::string line = Label("ERRORS:", 10) + DecimalText(ErrorCount(counters));
  if (counters.missing_files >= 1) line += "  " + MissingFilesPhrase(counters);
  return line;
}

std::string WarningsLine(const RunCounters& counters) {
  return Label("WARNINGS:", 10) + DecimalText(counters.warnings);
}

}  // namespace

std::string SummaryLine(const RunCounters& counters, bool logging_enabled) {
  std::string line = CountsText(counters);
  // The words begin with a blank, so each number is followed by two.
  const struct {
    Int16 count;
    std::string_view word;
  } skipped[] = {
      {counters.read_only, " read-only document"},
      {counters.current, " current document"},
      {counters.static_documents, " static document"},
      {counters.no_path, " no-path document"},
  };
  std::string items;
  for (const auto& item : skipped) {
    if (item.count < 1) continue;
    if (!items.empty()) items += ", ";
    items += Plural(item.count, item.word);
  }
  line += items.empty() ? "." : " (" + items + ").";
  if (AnythingWrong(counters) && logging_enabled) line += kSeeLogFile;
  return line;
}

void WriteSummaryBlock(LogSink& log, const RunCounters& counters, std::int64_t start_time,
                       std::int64_t end_time, const std::string& generated_list) {
  if (ErrorCount(counters) >= 1) log.WriteLog(ErrorsLine(counters));
  if (counters.warnings >= 1) log.WriteLog(WarningsLine(counters));
  log.WriteLog("");
  log.WriteLog(Label("Documents Generated:", 22) + DecimalText(counters.generated));
  log.WriteLog(Label("Current Documents:", 22) + DecimalText(counters.current));
  log.WriteLog(Label("Read-Only Documents:", 22) + DecimalText(counters.read_only));
  log.WriteLog(Label("Static Documents:", 22) + DecimalText(counters.static_documents));
  log.WriteLog(Label("No-Path Documents:", 22) + DecimalText(counters.no_path));
  log.WriteLog("");
  log.WriteLog(Label("Total Documents:", 22) + DecimalText(counters.total));
  log.WriteLog("");
  log.WriteLog(Label("Generation Time:", 22) +
               Plural(static_cast<long>(end_time - start_time), "second"));
  if (counters.generated >= 1) {
    log.WriteLog("");
    log.WriteLog(Label("Generated Files List:", 22) + generated_list);
  }
}

void WriteShortSummary(Host& host, LogSink& log, const RunCounters& counters,
                       bool logging_enabled) {
  if (ErrorCount(counters) >= 1) {
    log.WriteLog("");
    log.WriteLog(ErrorsLine(counters));
  }
  if (counters.warnings >= 1) {
    log.WriteLog("");
    log.WriteLog(WarningsLine(counters));
  }
  const std::string text = CountsText(counters);
  host.AddStatusLine(logging_enabled ? text + std::string(kSeeLogFile) : text);
  log.WriteLog("");
  log.WriteLog(text);
}

}  // namespace tarvelo
