// DocumentJobs: a queue of Documents in order, the jobs that take them, and the run's
// thread committing each Document's kept reports in order. Every report of a job is
// kept with its Document; the job hands the Document over (under the one lock) when it
// is done or has a question, and only then does the run's thread read what was kept.
#include "generation/document_jobs.h"

#include <algorithm>
#include <exception>
#include <thread>

#include "common/error.h"
#include "common/paths.h"
#include "common/text.h"
#include "engine/content_file.h"
#include "engine/document_assembly.h"
#include "engine/expand_line.h"
#include "generation/document_steps.h"
#include "generation/generation_run.h"
#include "project/file_store.h"
#include "project/startup.h"
#include "project/workspace.h"

namespace tarvelo {
namespace {

// Raised in a job whose question will not be answered, since the run is halting.
struct Abandoned {};

enum class OpKind { kLog, kStatus, kCount, kListed, kPutInPlace };

struct ReportOp {
  OpKind kind = OpKind::kLog;
  std::string text;
  Int16 RunCounters::*counter = nullptr;
  size_t output = 0;  // kPutInPlace: which of the Document's finished outputs
};

// A job's own table: the limits of the shared one, and Content Files of its own.
MacroTable JobTable(const MacroTable& shared) {
  MacroTable table;
  table.max_parameters = shared.max_parameters;
  table.max_project_macros = shared.max_project_macros;
  table.max_global_macros = shared.max_global_macros;
  table.max_folder_global_macros = shared.max_folder_global_macros;
  table.max_content_file_macros = shared.max_content_file_macros;
  table.max_globals = shared.max_globals;
  table.max_folder_globals = shared.max_folder_globals;
  table.max_content_files = shared.max_content_files;
  return table;
}

// The loader indexes every slot it stores; this only makes sure, on the run's thread,
// that no job's lookup finds anything left to index in the shared table.
void IndexShared(MacroTable& macros) {
  macros.project.index.Catch(macros.project.slots);
  for (ContentFileEntry& entry : macros.globals) entry.index.Catch(entry.slots);
  for (ContentFileEntry& entry : macros.folder_globals) entry.index.Catch(entry.slots);
}

}  // namespace

std::string JobPassStem(const WorkingFiles& working, int job) {
  return working.temp_folder + "jobs/" + std::to_string(job) + "/tarvelo";
}

struct DocumentJobs::Record {
  Int16 folder_index = 0;
  Int16 document_index = 0;
  std::string output_key;  // the output as the disk sees it
  // Written by the job; read by the run's thread only once handed over.
  std::vector<ReportOp> ops;
  std::vector<TextWriter> outputs;
  std::exception_ptr failure;
  // The run's thread only.
  size_t replayed = 0;
  bool overruled = false;  // putting an output in place failed: the rest is void
  // Under the lock.
  bool started = false;
  bool done = false;
  bool asking = false;
  bool answered = false;
  Question question;
  int answer = 0;
};

struct DocumentJobs::Job {
  Job(Workspace& workspace, const GenerationRequest& request, const ProtectedFiles& protected_files,
      const std::int64_t& start_time, const Clock& clock, const MacroTable& shared,
      std::string stem)
      : macros(JobTable(shared)),
        expander(workspace.settings, macros, workspace.definition, ContentClock(clock), &shared),
        pass_stem(std::move(stem)),
        steps(workspace, request, protected_files, start_time, macros, expander) {}

  MacroTable macros;
  MacroExpander expander;
  std::string pass_stem;
  DocumentSteps steps;
  std::thread thread;
};

class DocumentJobs::RecordReport : public DocumentReport {
 public:
  RecordReport(DocumentJobs& jobs, Record& record) : jobs_(jobs), record_(record) {}

  void WriteLog(const std::string& line) override { Keep(OpKind::kLog, line); }
  void Status(const std::string& text) override { Keep(OpKind::kStatus, text); }
  void Listed(const std::string& output) override { Keep(OpKind::kListed, output); }
  void Count(Int16 RunCounters::*counter) override {
    record_.ops.push_back(ReportOp{OpKind::kCount, {}, counter, 0});
  }

  int Ask(const Question& question) override {
    std::unique_lock<std::mutex> lock(jobs_.mutex_);
    record_.question = question;
    record_.answered = false;
    record_.asking = true;
    jobs_.progress_.notify_all();
    jobs_.progress_.wait(lock, [this] { return record_.answered || jobs_.abandoned_; });
    record_.asking = false;
    if (!record_.answered) throw Abandoned();
    return record_.answer;
  }

  // The finished output, to be put in place when the run reaches it in the reports.
  void HandOver(TextWriter& output) {
    record_.outputs.push_back(std::move(output));
    record_.ops.push_back(ReportOp{OpKind::kPutInPlace, {}, nullptr, record_.outputs.size() - 1});
  }

 private:
  void Keep(OpKind kind, const std::string& text) {
    record_.ops.push_back(ReportOp{kind, text, nullptr, 0});
  }

  DocumentJobs& jobs_;
  Record& record_;
};

DocumentJobs::DocumentJobs(Workspace& workspace, const GenerationRequest& request,
                           const ProtectedFiles& protected_files, const std::int64_t& start_time,
                           const Clock& clock, MacroTable& shared, DocumentReport& run_report,
                           int count)
    : ws_(workspace),
      request_(request),
      shared_(shared),
      run_report_(run_report),
      window_(static_cast<size_t>(count) * 4) {
  for (int k = 1; k <= count; ++k) {
    const std::string stem = JobPassStem(workspace.working, k);
    EnsureFolderPath(workspace.files, FolderOfPath(stem));
    jobs_.push_back(std::make_unique<Job>(workspace, request, protected_files, start_time, clock,
                                          shared, stem));
  }
  try {
    for (std::unique_ptr<Job>& job : jobs_) {
      job->thread = std::thread([this, &job = *job] { Work(job); });
    }
  } catch (...) {
    EndJobs();
    throw;
  }
}

DocumentJobs::~DocumentJobs() {
  EndJobs();
}

void DocumentJobs::EndJobs() {
  {
    const std::lock_guard<std::mutex> guard(mutex_);
    closing_ = true;
    abandoned_ = true;
    queue_.clear();
  }
  work_ready_.notify_all();
  progress_.notify_all();
  for (std::unique_ptr<Job>& job : jobs_) {
    if (job->thread.joinable()) job->thread.join();
  }
}

void DocumentJobs::Run(Int16 folder_index) {
  IndexShared(shared_);
  const std::vector<DocumentEntry>& documents = ws_.definition.folders[folder_index].documents;
  std::deque<std::unique_ptr<Record>> in_flight;
  size_t d = 0;
  bool handing_out = true;
  try {
    while (true) {
      while (handing_out && in_flight.size() < window_) {
        if (d >= documents.size() || static_cast<long>(d) >= ws_.settings.max_docs ||
            ws_.stop_requested || documents[d].document.empty()) {
          handing_out = false;
          break;
        }
        // A Document with the same output as one still in progress waits for it, so
        // that its checks see that output as one job would.
        std::string key = ws_.files.DiskPath(documents[d].document);
        if (std::any_of(
                in_flight.begin(), in_flight.end(),
                [&key](const std::unique_ptr<Record>& r) { return r->output_key == key; })) {
          break;
        }
        // Once per Document, so that Stop gets through.
        ws_.host.ProcessEvents();
        const Int16 document_index = static_cast<Int16>(d++);
        if (request_.scope == kScopeDocument && document_index != request_.document_index) {
          continue;
        }
        auto record = std::make_unique<Record>();
        record->folder_index = folder_index;
        record->document_index = document_index;
        record->output_key = std::move(key);
        HandOut(std::move(record), in_flight);
      }
      if (in_flight.empty()) return;
      if (CommitHead(in_flight)) {
        run_report_.WriteLog("");
        in_flight.pop_front();
      }
    }
  } catch (...) {
    Abandon(in_flight);
    throw;
  }
}

void DocumentJobs::HandOut(std::unique_ptr<Record> record,
                           std::deque<std::unique_ptr<Record>>& in_flight) {
  {
    const std::lock_guard<std::mutex> guard(mutex_);
    queue_.push_back(record.get());
  }
  in_flight.push_back(std::move(record));
  work_ready_.notify_one();
}

bool DocumentJobs::CommitHead(std::deque<std::unique_ptr<Record>>& in_flight) {
  Record& head = *in_flight.front();
  bool done = false;
  {
    std::unique_lock<std::mutex> lock(mutex_);
    progress_.wait(lock, [&head] { return head.done || (head.asking && !head.answered); });
    done = head.done;
  }
  if (!head.overruled) Replay(head);
  if (!done) {
    // The Documents before this one are done, so its question comes in its turn, and
    // any "to all" answer given to them holds for it.
    const int answer = head.overruled ? kPromptYes : run_report_.Ask(head.question);
    const std::lock_guard<std::mutex> guard(mutex_);
    head.answer = answer;
    head.answered = true;
    progress_.notify_all();
    return false;
  }
  if (head.failure && !head.overruled) std::rethrow_exception(head.failure);
  return true;
}

void DocumentJobs::Replay(Record& record) {
  for (; record.replayed < record.ops.size(); ++record.replayed) {
    const ReportOp& op = record.ops[record.replayed];
    switch (op.kind) {
      case OpKind::kLog:
        run_report_.WriteLog(op.text);
        break;
      case OpKind::kStatus:
        run_report_.Status(op.text);
        break;
      case OpKind::kCount:
        run_report_.Count(op.counter);
        break;
      case OpKind::kListed:
        run_report_.Listed(op.text);
        break;
      case OpKind::kPutInPlace:
        try {
          record.outputs[op.output].Close();
        } catch (const TarveloError& error) {
          // As on one thread: the Document's assembly failed here, and what the job
          // did after it no longer counts.
          record.overruled = true;
          record.replayed = record.ops.size();
          const std::string& output =
              DocumentAt(ws_.definition, record.folder_index, record.document_index).document;
          ReportAssemblyFailure(
              output,
              error.description.empty()
                  ? TarveloError(kErrGenerationHalted, "Error processing file: " + output)
                  : error,
              run_report_);
          return;
        }
        break;
    }
  }
}

void DocumentJobs::Abandon(std::deque<std::unique_ptr<Record>>& in_flight) {
  std::unique_lock<std::mutex> lock(mutex_);
  abandoned_ = true;
  queue_.clear();
  progress_.notify_all();
  progress_.wait(lock, [&in_flight] {
    return std::all_of(in_flight.begin(), in_flight.end(),
                       [](const std::unique_ptr<Record>& r) { return !r->started || r->done; });
  });
  abandoned_ = false;
  // The Documents after the halting one leave nothing: their unfinished outputs are
  // removed as their writers go.
}

void DocumentJobs::Work(Job& job) {
  std::unique_lock<std::mutex> lock(mutex_);
  while (true) {
    work_ready_.wait(lock, [this] { return closing_ || !queue_.empty(); });
    if (closing_) return;
    Record& record = *queue_.front();
    queue_.pop_front();
    record.started = true;
    lock.unlock();
    RecordReport report(*this, record);
    const AssemblyTarget target{report, job.pass_stem,
                                [&report](TextWriter& output) { report.HandOver(output); }};
    try {
      job.steps.Generate(record.folder_index, record.document_index, report, &target);
    } catch (const Abandoned&) {
    } catch (...) {
      record.failure = std::current_exception();
    }
    lock.lock();
    record.done = true;
    progress_.notify_all();
  }
}

}  // namespace tarvelo
