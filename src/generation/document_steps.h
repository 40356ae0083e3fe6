// The steps of one Document of a generation run (the checks that decide whether it is
// generated, skipped or halts the run, the loading of its Content Files, its assembly),
// written once for the run's own thread and for the jobs that assemble Documents side
// by side. What a step reports goes through a DocumentReport: the run's own report acts
// at once; a job's report keeps it for the run to act on in Document order. Internal to
// the run.
#ifndef TARVELO_GENERATION_DOCUMENT_STEPS_H_
#define TARVELO_GENERATION_DOCUMENT_STEPS_H_

#include <cstdint>
#include <string>

#include "common/error.h"
#include "common/host.h"
#include "common/int16.h"
#include "common/log_sink.h"
#include "generation/run_summary.h"

namespace tarvelo {

struct AssemblyTarget;
struct DocumentEntry;
struct GenerationRequest;
struct MacroTable;
class MacroExpander;
class ProtectedFiles;
struct Workspace;

/// What a question is about: each kind has its own "to all" answer, which the run keeps.
enum class QuestionKind { kMissingFile, kSubdirectory, kGenerationError, kErrorReport };

struct Question {
  QuestionKind kind = QuestionKind::kGenerationError;
  std::string caption;
  std::string message;
  PromptButtons buttons;
  int preset = kPromptNo;
  std::string folder;         // kSubdirectory: asked only while it does not exist
  TarveloError error{0, ""};  // kErrorReport: shown, nothing asked
};

class DocumentReport : public LogSink {
 public:
  virtual void Status(const std::string& text) = 0;
  virtual void Count(Int16 RunCounters::*counter) = 0;
  /// The output was generated: it goes on the list of generated files.
  virtual void Listed(const std::string& output) = 0;
  /// The answer to a question (kPromptYes without asking when an earlier "to all"
  /// answer covers it). A job's report waits until the Documents before its own are done.
  virtual int Ask(const Question& question) = 0;
};

/// Counts a missing or warned-about Macro file and asks whether to go on past a missing
/// one; raises the halt when the answer is no.
void HandleLoadResult(Int16 result, const std::string& path, DocumentReport& report);

/// Counts and logs a Document's error and asks whether to go on; raises the halt when
/// the answer is no.
void ReportAssemblyFailure(const std::string& output, const TarveloError& error,
                           DocumentReport& report);

/// The steps of Documents, one at a time, with one Macro table (whose Content Files
/// level it fills) and one expander.
class DocumentSteps {
 public:
  DocumentSteps(Workspace& workspace, const GenerationRequest& request,
                const ProtectedFiles& protected_files, const std::int64_t& start_time,
                MacroTable& macros, MacroExpander& expander);

  /// Takes one Document through its steps. With a `target` the assembly writes there
  /// (see AssembleDocument); without, it uses the workspace's log and pass files.
  void Generate(Int16 folder_index, Int16 document_index, DocumentReport& report,
                const AssemblyTarget* target);

 private:
  bool ReadyToWrite(const std::string& output, DocumentReport& report);
  bool ReadOnly(const std::string& output, DocumentReport& report);
  bool SubdirectoryReady(const std::string& output, DocumentReport& report);
  void LoadContentFiles(const DocumentEntry& document, DocumentReport& report);
  void Assemble(Int16 folder_index, Int16 document_index, const std::string& output,
                DocumentReport& report, const AssemblyTarget* target);
  bool RefusedOutput(const std::string& output, DocumentReport& report);
  // True when the request names a changed source that this Document is made from.
  bool UsesChangedSource(Int16 folder_index, const DocumentEntry& document) const;

  Workspace& ws_;
  const GenerationRequest& request_;
  const ProtectedFiles& protected_;
  const std::int64_t& start_time_;
  MacroTable& macros_;
  MacroExpander& expander_;
};

}  // namespace tarvelo

#endif  // TARVELO_GENERATION_DOCUMENT_STEPS_H_
