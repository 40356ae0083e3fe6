// GenerationRun: the state of one generation run, shared by the file that starts and
// ends a run and the file that walks its Folders and Documents. Internal to the run;
// callers use RunGeneration.
#ifndef TARVELO_GENERATION_GENERATION_STATE_H_
#define TARVELO_GENERATION_GENERATION_STATE_H_

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "common/clock.h"
#include "common/error.h"
#include "common/int16.h"
#include "engine/expand_line.h"
#include "engine/macro_table.h"
#include "generation/document_steps.h"
#include "generation/generation_run.h"
#include "generation/protected_files.h"
#include "project/run_lock.h"

namespace tarvelo {

struct ContentFileEntry;
class DocumentJobs;
struct FolderEntry;
struct Workspace;

/// A halt of the run: error 10006 with the text the user is shown and the log keeps.
TarveloError HaltError(const std::string& text);

// The run is also the report that acts at once: the Document steps on its own thread
// report to it directly, and a job's kept reports are acted on through it in order.
class GenerationRun : private DocumentReport {
 public:
  GenerationRun(Workspace& workspace, const GenerationRequest& request, const Clock& clock);
  ~GenerationRun() override;
  GenerationRun(const GenerationRun&) = delete;
  GenerationRun& operator=(const GenerationRun&) = delete;

  /// Runs to the end, or to the halt path; never raises.
  RunResult Run();

  /// The run's Macro tables as the run left them.
  const MacroTable& macros() const { return macros_; }

 private:
  // generation_run.cc: the start, the end and the halt path.
  RunResult NotStarted(RunLockResult locked);
  void Start();
  RunOutcome Finish();
  void Halt(const TarveloError& error);
  Int16 LoadMacroFile(Int16 level, ContentFileEntry& entry, const std::string& path);
  void GeneratedListFailed(const std::string& description);
  // DocumentReport: at once, to the log, the Host, the counters and the list.
  void WriteLog(const std::string& line) override;
  void Status(const std::string& text) override;
  void Count(Int16 RunCounters::*counter) override;
  void Listed(const std::string& output) override;
  int Ask(const Question& question) override;
  std::string ProjectLine(std::string_view heading, std::int64_t time) const;
  bool LoggingEnabled() const;
  void LogLine(const std::string& text);

  // generation_loops.cc: the Folders and Documents.
  void RunFolders();
  void LoadFolderGlobals(const FolderEntry& folder);
  void RunDocuments(Int16 folder_index);
  void RememberSources();

  Workspace& ws_;
  const GenerationRequest request_;
  const Clock& clock_;
  /// Every level's Macros, loaded afresh by each run; the expander reads them.
  MacroTable macros_;
  MacroExpander expander_;
  RunCounters counters_;
  std::int64_t start_time_ = 0;
  bool ignore_generation_errors_ = false;
  bool ignore_missing_files_ = false;
  bool create_all_subdirectories_ = false;
  bool generated_list_failed_ = false;
  /// Every file the Project is made from and the program's own files, so that no
  /// Document is written over one.
  ProtectedFiles protected_;
  /// The steps of the Documents generated on the run's own thread.
  DocumentSteps steps_;
  /// With more than one job: the jobs, from the first Folder to the end of the run.
  std::unique_ptr<DocumentJobs> jobs_;
};

}  // namespace tarvelo

#endif  // TARVELO_GENERATION_GENERATION_STATE_H_
