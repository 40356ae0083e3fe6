// The Replace and Replace Special runs. A file is rewritten only through FileStore's
// replacing writer: the text is complete in a sibling before it takes the file's
// place, so a failure at any line leaves the file as it was.
#include "search/replace_run.h"

#include <atomic>
#include <filesystem>
#include <system_error>
#include <vector>

#include "common/error.h"
#include "common/error_report.h"
#include "common/text.h"
#include "project/file_locks.h"
#include "project/output_checks.h"
#include "project/run_lock.h"
#include "project/workspace.h"
#include "search/find_run.h"
#include "search/occurrences.h"
#include "search/search_log.h"
#include "search/search_reporter.h"

namespace tarvelo {
namespace {

struct ChangedLine {
  std::string text;
  std::int32_t count;
  std::int32_t number;
};

// Copies the file into the working file, line by line, and tells whether rewriting it
// would change any byte: not when nothing is to be replaced and every line already
// ends with CR LF (then the copy is exactly as long as the file).
// A file holding NUL bytes is copied, then refused unless it is only read.
bool CopyToWorkingFile(const FileStore& files, const std::string& source,
                       const std::string& working, const std::string& text_to_find,
                       bool ignore_case, bool read_only) {
  TextReader reader = files.OpenTextFile(source);
  TextWriter writer = files.CreateTextFile(working);
  std::string line;
  std::uintmax_t written = 0;
  bool changes = false;
  bool binary = false;
  while (reader.ReadLine(line)) {
    binary = binary || line.find('\0') != std::string::npos;
    writer.WriteLine(line);
    written += line.size() + 2;
    if (!changes) {
      try {
        changes = ReplaceInLine(line, text_to_find, "", ignore_case, true) > 0;
      } catch (const TarveloError&) {
        changes = true;  // the rewrite itself raises it
      }
    }
  }
  reader.Close();
  writer.Close();
  // Rewriting would turn each LF of a binary file into CR LF.
  if (binary && !read_only) {
    throw TarveloError(kPathFileAccessError, "The file holds NUL bytes, so it is not a text file");
  }
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(files.DiskPath(source), error);
  return changes || error || size != written;
}

// Replacing goes through tarvelo.rpl in the temporary files folder, so it takes turns
// with generation runs and other replaces that share the folder, as runs do: two at
// once could write one file's text into another. False when `stop` ended the wait. A
// folder that cannot be locked (it is missing) leaves the replace as it was.
bool LockWorkingFolder(Workspace& workspace, FolderLock& lock, SearchReporter* reporter,
                       const std::atomic<bool>& stop) {
  const std::string& folder = workspace.working.temp_folder;
  try {
    if (folder.empty() || lock.TryLock(workspace.files, folder)) return true;
    if (reporter != nullptr) reporter->UpdateStatus(WaitingForRunText(folder));
    do {
      if (stop) return false;
      workspace.host.Pause(200);
    } while (!lock.TryLock(workspace.files, folder));
  } catch (const TarveloError&) {
  }
  return true;
}

}  // namespace

std::pair<std::string, std::string> ReplaceSummary(const ReplaceTotals& totals) {
  std::string first = std::string(totals.stopped ? "Stopped. " : "Complete. ") +
                      Plural(totals.replacements, "replacement") + " in " +
                      Plural(totals.files_changed, "file") + ". ";
  if (totals.read_only_occurrences > 0) {
    first += Plural(totals.read_only_occurrences, "occurrence") + " in " +
             Plural(totals.read_only_files_with_occurrences, "read-only file") + " not replaced.";
  }
  std::string second = Plural(totals.files_checked, "file") + " checked";
  if (totals.read_only_files == 0) {
    second += ".";
  } else {
    second += " (" + Plural(totals.read_only_files, "read-only file") + ").";
  }
  return {first, second};
}

std::string ConfirmReplaceText(const std::string& find_text, const std::string& replace_with) {
  return "Are you sure you want to replace \"" + find_text + "\" with \"" + replace_with + "\"?";
}

std::int32_t ReplaceInFile(Workspace& workspace, SearchReporter* reporter,
                           const std::string& file_without_path, const std::string& file_with_path,
                           const std::string& text_to_find, const std::string& replace_with,
                           bool ignore_case, bool read_only, bool* failed) {
  if (failed != nullptr) *failed = false;
  const FileStore& files = workspace.files;
  std::int32_t total = 0;
  std::vector<ChangedLine> changed;
  try {
    const bool changes = CopyToWorkingFile(files, file_with_path, workspace.working.replace_file,
                                           text_to_find, ignore_case, read_only);
    // A rewrite that would write the same bytes only renews the file's time.
    if (!changes && !read_only && files.TouchFile(file_with_path)) return 0;
    TextReader reader = files.OpenTextFile(workspace.working.replace_file);
    TextWriter writer;
    if (!read_only) writer = files.ReplaceTextFile(file_with_path);
    std::string line;
    std::int32_t number = 0;
    while (reader.ReadLine(line)) {
      ++number;
      const std::int32_t count =
          ReplaceInLine(line, text_to_find, replace_with, ignore_case, read_only);
      total += count;
      if (!read_only) writer.WriteLine(line);
      if (count > 0 && reporter != nullptr) changed.push_back({line, count, number});
    }
    reader.Close();
    if (!read_only) writer.Close();
  } catch (const TarveloError& error) {
    if (failed != nullptr) *failed = true;
    // The writer, unclosed, has removed its sibling: the file is as it was.
    TarveloError report = error;
    report.description = "Error replacing text in " + file_with_path + ". " + error.description +
                         ". The file was left unchanged.";
    ShowErrorReport(workspace.host, report);
    if (!read_only) return 0;
  }
  if (reporter != nullptr) {
    for (const ChangedLine& line : changed) {
      reporter->UpdateDetailedResultsStatus(file_without_path, file_with_path, line.text,
                                            line.count, line.number);
    }
  }
  return total;
}

ReplaceTotals RunReplace(Workspace& workspace, const ProjectDefinition& definition,
                         const ReplaceRequest& request, SearchFileList& list,
                         SearchReporter& reporter, std::atomic<bool>& stop_requested) {
  stop_requested = false;
  const FileStore& files = workspace.files;
  SearchLogBuffer log(files, workspace.working.search_file);
  log.Start("Replacing: \"" + request.find_text + "\" with: \"" + request.replace_with + "\"");
  log.Add("");

  list.InitFileList();
  reporter.ClearStatus();
  reporter.ClearResults();
  reporter.UpdateStatus("Building File List...");
  SearchScope scope = request.scope;
  scope.documents_mode = false;
  try {
    BuildFileList(definition, workspace.settings, scope, list);
  } catch (const TarveloError& error) {
    ShowErrorReport(workspace.host, error);
  }

  ReplaceTotals totals;
  FolderLock lock;  // a wait ended by Stop leaves the flag set: the loop does nothing
  LockWorkingFolder(workspace, lock, &reporter, stop_requested);
  for (Int16 index = 0; index < list.capacity(); ++index) {
    if (stop_requested) break;
    if (index % 2 == 0) workspace.host.ProcessEvents();
    const std::string& name = list.at(index);
    if (name.empty()) continue;
    const std::string path = ResolveSearchPath(workspace, name, false);
    reporter.UpdateStatus("Processing: " + path);
    log.Add(path);
    if (!files.FileExists(path)) {
      log.Add(">File does not exist");
      log.Add("");
      continue;
    }
    const bool read_only = IsReadOnlyFile(workspace, path);
    if (read_only) ++totals.read_only_files;
    ++totals.files_checked;
    bool failed = false;
    const std::int32_t n =
        ReplaceInFile(workspace, &reporter, name, path, request.find_text, request.replace_with,
                      request.ignore_case, read_only, &failed);
    (read_only ? totals.read_only_occurrences : totals.replacements) += n;
    if (n > 0) {
      std::string message;
      if (read_only) {
        ++totals.read_only_files_with_occurrences;
        message = Plural(n, "occurrence") + " found in read-only file. Not replaced.";
      } else {
        ++totals.files_changed;
        message = Plural(n, "replacement") + " made.";
      }
      reporter.UpdateStatus(message);
      log.Add(">" + message);
      reporter.UpdateResultsStatus(path + " (" + std::to_string(n) + ")");
    } else if (failed && !read_only) {
      log.Add(">Error: the file was left unchanged");
    } else {
      log.Add(">Not found");
    }
    log.Add("");
  }

  totals.stopped = stop_requested.exchange(false);
  const auto [first, second] = ReplaceSummary(totals);
  reporter.UpdateStatus(first);
  log.Add("");
  log.Add(first);
  reporter.UpdateStatus(second);
  log.Add(second);
  return totals;
}

void RunReplaceSpecial(Workspace& workspace, const std::string& file, SearchReporter& reporter) {
  reporter.UpdateStatus("Processing File: " + file);
  if (!workspace.files.FileExists(file)) {
    reporter.UpdateStatus("File does not exist.");
    return;
  }
  if (IsReadOnlyFile(workspace, file)) {
    reporter.UpdateStatus("File is read-only and could not be fixed.");
    return;
  }
  FolderLock lock;
  if (!LockWorkingFolder(workspace, lock, &reporter, workspace.stop_requested)) return;
  bool failed = false;
  const std::int32_t n =
      ReplaceInFile(workspace, nullptr, file, file, "\r", "\r\n", false, false, &failed);
  if (failed) return;
  if (n > 32767) {
    ShowErrorReport(workspace.host, RuntimeError(kOverflow));
    return;
  }
  reporter.UpdateStatus("File fixed. " + Plural(n, "occurrence") + " replaced.");
}

}  // namespace tarvelo
