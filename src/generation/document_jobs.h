// DocumentJobs: the Documents of a Folder taken through their steps on several threads
// at once, each job with its own Content File tables, expander and pass files, all of
// them reading the one loaded Project Macro File, Global Content Files and Folder
// Globals. What a job reports is kept with its Document and acted on by the run's own
// thread in Document order: the log, the status lines, the counters, the list, each
// question (asked one at a time, once every Document before it is done) and the
// putting in place of each output. Internal to the run.
#ifndef TARVELO_GENERATION_DOCUMENT_JOBS_H_
#define TARVELO_GENERATION_DOCUMENT_JOBS_H_

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "common/clock.h"
#include "common/int16.h"

namespace tarvelo {

class DocumentReport;
struct GenerationRequest;
struct MacroTable;
class ProtectedFiles;
struct WorkingFiles;
struct Workspace;

/// The pass-file stem of job `job` (from 1): the temporary files folder's jobs/K/tarvelo.
std::string JobPassStem(const WorkingFiles& working, int job);

class DocumentJobs {
 public:
  /// Makes the jobs' pass-file folders and starts `count` jobs. `shared` is the run's
  /// table, whose Project, Global and Folder Global levels every job reads (the run
  /// loads them only while Run is not running). `run_report` is the report that acts
  /// at once; it is only ever called on this thread.
  DocumentJobs(Workspace& workspace, const GenerationRequest& request,
               const ProtectedFiles& protected_files, const std::int64_t& start_time,
               const Clock& clock, MacroTable& shared, DocumentReport& run_report, int count);
  DocumentJobs(const DocumentJobs&) = delete;
  DocumentJobs& operator=(const DocumentJobs&) = delete;
  /// Ends the jobs (each finishes the Document it has).
  ~DocumentJobs();

  /// Generates the Documents of one Folder that the request selects, as the run's own
  /// loop would, with the Folder's Macros loaded. Stops handing out Documents when a
  /// stop is requested. What a Document raised (a halt) is raised here, in its turn,
  /// once the Documents in progress are finished; their reports and outputs are then
  /// dropped, as if they had not been started.
  void Run(Int16 folder_index);

 private:
  struct Record;
  struct Job;
  class RecordReport;

  void Work(Job& job);
  void EndJobs();
  void HandOut(std::unique_ptr<Record> record, std::deque<std::unique_ptr<Record>>& in_flight);
  // Acts on the head Document's reports so far; false while it is not done.
  bool CommitHead(std::deque<std::unique_ptr<Record>>& in_flight);
  void Replay(Record& record);
  void Abandon(std::deque<std::unique_ptr<Record>>& in_flight);

  Workspace& ws_;
  const GenerationRequest& request_;
  MacroTable& shared_;
  DocumentReport& run_report_;
  size_t window_;  // Documents handed out and not yet committed, at most
  std::vector<std::unique_ptr<Job>> jobs_;

  std::mutex mutex_;
  std::condition_variable work_ready_;  // a Document queued, or the end
  std::condition_variable progress_;    // a job asked, answered or finished
  std::deque<Record*> queue_;
  bool closing_ = false;
  bool abandoned_ = false;
};

}  // namespace tarvelo

#endif  // TARVELO_GENERATION_DOCUMENT_JOBS_H_
