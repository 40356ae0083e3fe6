// The Find run. Every listed file is opened, read one line at a time and closed; a
// file is never held whole, so Find copes with files of any size.
#include "search/find_run.h"

#include "common/error.h"
#include "common/error_report.h"
#include "common/text.h"
#include "project/project_definition.h"
#include "project/workspace.h"
#include "search/occurrences.h"
#include "search/search_log.h"
#include "search/search_reporter.h"

namespace tarvelo {

std::string FindSummary(const FindTotals& totals) {
  return std::string(totals.stopped ? "Stopped. " : "Complete. ") +
         Plural(totals.occurrences, "occurrence") + " in " + Plural(totals.files_found, "file") +
         ". " + Plural(totals.files_checked, "file") + " checked. ";
}

bool LoadSearchDefinition(Workspace& workspace, ProjectDefinition& definition) {
  try {
    definition =
        ReadProjectDefinitionFile(workspace.files, workspace.settings, workspace.options, false);
    return true;
  } catch (const TarveloError& error) {
    ShowErrorReport(workspace.host, error);
    return false;
  }
}

std::string ResolveSearchPath(const Workspace& workspace, const std::string& name,
                              bool documents_mode) {
  return ResolveProjectPath(workspace.settings, workspace.options, workspace.files, name, true,
                            documents_mode, "", "");
}

std::int32_t DoSearch(Workspace& workspace, SearchReporter& reporter,
                      const std::string& file_without_path, const std::string& file_with_path,
                      const std::string& text_to_find, bool ignore_case, bool definitions_only) {
  std::int32_t total = 0;
  try {
    TextReader reader = workspace.files.OpenTextFile(file_with_path);
    std::string line;
    std::int32_t number = 0;
    while (reader.ReadLine(line)) {
      ++number;
      const std::int32_t count =
          CountOccurrences(line, text_to_find, ignore_case, definitions_only, workspace.settings);
      if (count <= 0) continue;
      total += count;
      reporter.UpdateDetailedResultsStatus(file_without_path, file_with_path, line, count, number);
    }
  } catch (const TarveloError& error) {
    ShowErrorReport(workspace.host, error);
  }
  return total;
}

FindTotals RunFind(Workspace& workspace, const ProjectDefinition& definition,
                   const FindRequest& request, SearchFileList& list, SearchReporter& reporter,
                   std::atomic<bool>& stop_requested) {
  stop_requested = false;
  reporter.ClearStatus();
  reporter.ClearResults();
  const FileStore& files = workspace.files;
  SearchLogBuffer log(files, workspace.working.search_file);
  const std::string needle =
      SearchNeedle(request.find_text, request.definitions_only, workspace.settings);
  log.Start("Searching for: \"" + needle + "\"");
  log.Add("");

  list.InitFileList();
  reporter.UpdateStatus("Building File List...");
  try {
    BuildFileList(definition, workspace.settings, request.scope, list);
  } catch (const TarveloError& error) {
    ShowErrorReport(workspace.host, error);  // the files listed so far are searched
  }

  FindTotals totals;
  for (Int16 index = 0; index < list.capacity(); ++index) {
    if (stop_requested) break;
    if (index % 2 == 0) workspace.host.ProcessEvents();
    const std::string& name = list.at(index);
    if (name.empty()) continue;
    const std::string path = ResolveSearchPath(workspace, name, request.scope.documents_mode);
    reporter.UpdateStatus("Searching: " + path);
    log.Add(path);
    if (!files.FileExists(path)) {
      log.Add(">File does not exist");
    } else {
      ++totals.files_checked;
      const std::int32_t found = DoSearch(workspace, reporter, name, path, needle,
                                          request.ignore_case, request.definitions_only);
      if (found > 0) {
        ++totals.files_found;
        totals.occurrences += found;
        const std::string phrase = Plural(found, "occurrence");
        reporter.UpdateStatus(phrase + " found.");
        reporter.UpdateResultsStatus(path + " (" + std::to_string(found) + ")");
        log.Add(">" + phrase + " found");
      } else {
        log.Add(">Not found");
      }
    }
    log.Add("");
  }

  totals.stopped = stop_requested.exchange(false);
  const std::string summary = FindSummary(totals);
  log.Add("");
  log.Add(summary);
  reporter.UpdateStatus(summary);
  return totals;
}

}  // namespace tarvelo
