// The generation run: how it starts (the log begun afresh, the definition read with
// names resolved, the Project and Global Macros loaded), how it ends (completed or
// stopped, with the summaries) and the one path every halt and unexpected error takes.
// The Folder and Document loops are in generation_loops.cc.
#include "generation/generation_run.h"

#include <algorithm>
#include <new>

#include "common/date_format.h"
#include "common/error.h"
#include "common/error_report.h"
#include "common/host.h"
#include "common/text.h"
#include "engine/content_file.h"
#include "generation/document_jobs.h"
#include "generation/generation_state.h"
#include "generation/reporting.h"
#include "project/project_definition.h"
#include "project/run_lock.h"
#include "project/workspace.h"

namespace tarvelo {

std::vector<Int16> FolderListOrder(const ProjectDefinition& definition, bool sorted) {
  std::vector<Int16> order;
  const size_t count = std::min<size_t>(definition.folders.size(), 32767);
  for (size_t i = 0; i < count; ++i) order.push_back(static_cast<Int16>(i));
  if (sorted) {
    std::stable_sort(order.begin(), order.end(), [&definition](Int16 a, Int16 b) {
      return FoldCase(definition.folders[a].name) < FoldCase(definition.folders[b].name);
    });
  }
  return order;
}

GenerationRun::GenerationRun(Workspace& workspace, const GenerationRequest& request,
                             const Clock& clock)
    : ws_(workspace),
      request_(request),
      clock_(clock),
      expander_(workspace.settings, macros_, workspace.definition, ContentClock(clock)),
      protected_(workspace.files),
      steps_(workspace, request_, protected_, start_time_, macros_, expander_) {
  DimensionMacroTable(macros_, workspace.settings);
}

GenerationRun::~GenerationRun() = default;

RunResult GenerationRun::Run() {
  ignore_generation_errors_ = ws_.options.ignore_generation_errors == 1;
  ignore_missing_files_ = ws_.options.ignore_missing_file_errors == 1;
  if (!request_.keep_status) ws_.host.ClearStatusLines();
  ws_.stop_requested = false;
  ws_.host.GenerationStarted();
  FolderLock lock;  // the temporary files folder is this run's until it ends
  try {
    const RunLockResult locked = LockTemporaryFolder(ws_, lock, request_.wait_for_other_runs);
    if (locked != RunLockResult::kLocked) return NotStarted(locked);
    Start();
    RunFolders();
    return {Finish(), counters_};
  } catch (const TarveloError& error) {
    Halt(error);
  } catch (const std::bad_alloc&) {
    Halt(TarveloError(7, "Out of memory"));
  } catch (const std::exception& error) {
    Halt(TarveloError(kErrGenerationHalted, std::string("Unexpected error: ") + error.what() + "." +
                                                std::string(kCrLf) + "Project generation halted."));
  } catch (...) {
    Halt(TarveloError(kErrGenerationHalted,
                      "Unexpected error." + std::string(kCrLf) + "Project generation halted."));
  }
  return {RunOutcome::kHalted, counters_};
}

RunResult GenerationRun::NotStarted(RunLockResult locked) {
  // The log and the lists belong to the run that holds the folder: nothing goes there.
  const bool stopped = locked == RunLockResult::kStopped;
  ws_.host.AddStatusLine(stopped ? ProjectLine("Stopped Project:  ", clock_())
                                 : "Not waiting: generation of " + ws_.settings.name +
                                       " was not started.");
  ws_.host.GenerationEnded();
  return {stopped ? RunOutcome::kStopped : RunOutcome::kHalted, counters_};
}

void GenerationRun::Start() {
  start_time_ = clock_();
  UpdateStatus(ws_.host, ws_.log, ProjectLine("Starting Project: ", start_time_), true, true);
  LogLine("");
  std::string list_failure;
  WriteGeneratedFile(ws_.files, ws_.working.generated_list, "", true, false, &list_failure);

  ReadProjectDefinition(ws_, true, false);
  RememberSources();
  ResetParameterWork(macros_.parameter_work);
  ClearMacroTables(macros_, true, false, false, true, false, false);
  counters_ = RunCounters{};
  if (!list_failure.empty()) GeneratedListFailed(list_failure);

  if (!ws_.settings.project_macro_file.empty()) {
    LogLine("----:---- Project");
    const std::string path = ResolveProjectPath(
        ws_.settings, ws_.options, ws_.files, ws_.settings.project_macro_file, true, false, "", "");
    HandleLoadResult(LoadMacroFile(kLevelProject, macros_.project, path), path, *this);
    macros_.project_loaded = true;
    LogLine("");
  }

  LogLine("----:---- Globals");
  const std::vector<std::string>& globals = ws_.definition.globals;
  for (Int16 i = 0; i < ws_.settings.max_globals; ++i) {
    if (static_cast<size_t>(i) >= globals.size() || globals[i].empty()) break;
    if (macros_.globals.size() <= static_cast<size_t>(i)) macros_.globals.resize(i + 1);
    HandleLoadResult(LoadMacroFile(kLevelGlobals, macros_.globals[i], globals[i]), globals[i],
                     *this);
    Increment(macros_.global_files_loaded);
  }
  LogLine("");
}

RunOutcome GenerationRun::Finish() {
  const std::int64_t end_time = clock_();
  const bool stopped = ws_.stop_requested;
  LogLine("");
  UpdateStatus(ws_.host, ws_.log,
               ProjectLine(stopped ? "Stopped Project:  " : "Completed Project:", end_time), true);
  UpdateStatus(ws_.host, ws_.log, SummaryLine(counters_, LoggingEnabled()));
  LogLine("");
  WriteSummaryBlock(ws_.log, counters_, start_time_, end_time, ws_.working.generated_list);
  ws_.host.GenerationEnded();
  ws_.host.Beep();
  if (counters_.errors >= 1) {
    ws_.host.Pause(100);
    ws_.host.Beep();
  }
  return stopped ? RunOutcome::kStopped : RunOutcome::kCompleted;
}

void GenerationRun::Halt(const TarveloError& error) {
  ShowErrorReport(ws_.host, error);
  const std::string line = ProjectLine("Error in Project: ", clock_());
  LogLine("");
  LogLine(line);
  UpdateStatus(ws_.host, ws_.log, line);
  WriteShortSummary(ws_.host, ws_.log, counters_, LoggingEnabled());
  LogLine("");
  LogLine(error.description);
  ws_.host.GenerationEnded();
}

void GenerationRun::GeneratedListFailed(const std::string& description) {
  // Counted once: a script reading the list must not take an empty one for the truth.
  if (generated_list_failed_) return;
  generated_list_failed_ = true;
  Increment(counters_.errors);
  const std::string text =
      "ERROR: The list of generated files could not be written. " + description;
  ws_.host.AddStatusLine(text);
  ws_.log.WriteDetail(text);
}

Int16 GenerationRun::LoadMacroFile(Int16 level, ContentFileEntry& entry, const std::string& path) {
  // Missing files come back as a result, so the run can count them and ask.
  return LoadContentFile(ws_.files, ws_.settings, macros_, ws_.log, level, entry, path, true, true);
}

void GenerationRun::WriteLog(const std::string& line) {
  ws_.log.Write(line);
}

void GenerationRun::Status(const std::string& text) {
  UpdateStatus(ws_.host, ws_.log, text);
}

void GenerationRun::Count(Int16 RunCounters::*counter) {
  Increment(counters_.*counter);
}

void GenerationRun::Listed(const std::string& output) {
  std::string failure;
  if (!WriteGeneratedFile(ws_.files, ws_.working.generated_list, output, false, true, &failure)) {
    GeneratedListFailed(failure);
  }
}

int GenerationRun::Ask(const Question& question) {
  bool* to_all = nullptr;
  switch (question.kind) {
    case QuestionKind::kErrorReport:
      ShowErrorReport(ws_.host, question.error);
      return kPromptYes;
    case QuestionKind::kMissingFile:
      to_all = &ignore_missing_files_;
      break;
    case QuestionKind::kGenerationError:
      to_all = &ignore_generation_errors_;
      break;
    case QuestionKind::kSubdirectory:
      // Another Document may have had the folder made since the question was put.
      if (ws_.files.FolderExists(question.folder)) return kPromptYes;
      to_all = &create_all_subdirectories_;
      break;
  }
  if (*to_all) return kPromptYes;
  const int answer = ws_.host.AskWithPromptBox(question.caption, question.message, question.buttons,
                                               question.preset);
  if (answer == kPromptYesToAll) *to_all = true;
  return answer;
}

std::string GenerationRun::ProjectLine(std::string_view heading, std::int64_t time) const {
  return std::string(heading) + kTab + ws_.settings.name + kTab + kTab + GeneralDate(time);
}

bool GenerationRun::LoggingEnabled() const {
  return ws_.options.enable_logging == 1;
}

void GenerationRun::LogLine(const std::string& text) {
  ws_.log.Write(text);
}

TarveloError HaltError(const std::string& text) {
  return TarveloError(kErrGenerationHalted, text);
}

RunResult RunGeneration(Workspace& workspace, const GenerationRequest& request,
                        const Clock& clock) {
  GenerationRun run(workspace, request, clock);
  return run.Run();
}

}  // namespace tarvelo
