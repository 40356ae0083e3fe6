// The steps of one Document: which checks skip it or halt the run, the loading of its
// Content Files and its assembly, reporting through a DocumentReport.
#include "generation/document_steps.h"

#include "common/paths.h"
#include "common/text.h"
#include "engine/content_file.h"
#include "engine/document_assembly.h"
#include "engine/expand_line.h"
#include "generation/generation_run.h"
#include "generation/generation_state.h"
#include "generation/protected_files.h"
#include "generation/up_to_date.h"
#include "generation/watch_loop.h"
#include "project/project_definition.h"
#include "project/startup.h"
#include "project/workspace.h"

namespace tarvelo {
namespace {

constexpr PromptButtons kThreeButtons{true, true, true, false};
constexpr PromptButtons kFourButtons{true, true, true, true};

std::string DocumentPrefix(Int16 folder_index, Int16 document_index) {
  return PadNumber(folder_index, 4) + ":" + PadNumber(document_index, 4) + " ";
}

// Creates the folders of a path. Another job may create one of them at the same time,
// which is no failure: the second attempt finds it.
void MakeFolderPath(const FileStore& files, const std::string& folder) {
  try {
    EnsureFolderPath(files, folder);
  } catch (const TarveloError&) {
    if (files.FolderExists(folder)) return;
    EnsureFolderPath(files, folder);
  }
}

}  // namespace

void HandleLoadResult(Int16 result, const std::string& path, DocumentReport& report) {
  if (result == kLoadedWithWarnings) report.Count(&RunCounters::warnings);
  if (result != kMissingIgnored) return;
  report.Count(&RunCounters::missing_files);
  report.WriteDetail("ERROR: Could not open file at " + path + ".");
  const std::string cr(1, kCr);
  Question question;
  question.kind = QuestionKind::kMissingFile;
  question.caption = "File Access Error";
  question.message = "Error opening file: " + path + "." + cr + cr +
                     "Would you like to ignore this error and continue generating the Project?";
  question.buttons = kThreeButtons;
  const int answer = report.Ask(question);
  if (answer == kPromptYesToAll || answer == kPromptYes) return;
  throw HaltError("Error opening file: " + path + "." + std::string(kCrLf) + std::string(kCrLf) +
                  "Project generation halted.");
}

void ReportAssemblyFailure(const std::string& output, const TarveloError& error,
                           DocumentReport& report) {
  report.Count(&RunCounters::errors);
  report.WriteDetail("ERROR: " + error.description);
  const std::string cr(1, kCr);
  Question question;
  question.kind = QuestionKind::kGenerationError;
  question.caption = "Project Generation Error";
  question.message = "Error processing file: " + output + "." + cr + error.description + cr +
                     "Would you like to ignore this error and continue generating the Project?";
  question.buttons = kThreeButtons;
  const int answer = report.Ask(question);
  if (answer == kPromptYesToAll || answer == kPromptYes) return;
  throw HaltError("Error processing file: " + output + "." + std::string(kCrLf) +
                  error.description + std::string(kCrLf) + "Project generation halted.");
}

DocumentSteps::DocumentSteps(Workspace& workspace, const GenerationRequest& request,
                             const ProtectedFiles& protected_files, const std::int64_t& start_time,
                             MacroTable& macros, MacroExpander& expander)
    : ws_(workspace),
      request_(request),
      protected_(protected_files),
      start_time_(start_time),
      macros_(macros),
      expander_(expander) {}

void DocumentSteps::Generate(Int16 folder_index, Int16 document_index, DocumentReport& report,
                             const AssemblyTarget* target) {
  const DocumentEntry& document = ws_.definition.folders[folder_index].documents[document_index];
  const std::string& output = document.document;
  report.WriteLog(DocumentPrefix(folder_index, document_index) + output);
  report.Count(&RunCounters::total);

  if (document.tmpl.empty()) {
    report.Count(&RunCounters::static_documents);
    report.WriteDetail(">Static document, generation skipped");
    return;
  }
  if (ws_.options.modified_only == 1) {
    report.Status(std::string("Comparing:") + kTab + output);
    if (UsesChangedSource(folder_index, document)) {
      report.WriteDetail(">Source files changed");
    } else if (!SourcesOutOfDate(ws_, report, folder_index, document_index)) {
      report.Count(&RunCounters::current);
      return;
    }
  }
  if (RefusedOutput(output, report) || !ReadyToWrite(output, report)) return;

  LoadContentFiles(document, report);
  if (request_.scope == kScopeProject &&
      !NotModifiedSince(ws_, folder_index, document_index, start_time_)) {
    report.Count(&RunCounters::warnings);
    report.WriteDetail(
        "WARNING: Possible duplicate document. Document has been modified since generation "
        "started.");
  }
  report.Status(std::string("Processing:") + kTab + output);
  Assemble(folder_index, document_index, output, report, target);
}

bool DocumentSteps::ReadyToWrite(const std::string& output, DocumentReport& report) {
  if (ReadOnly(output, report)) {
    if (ws_.options.skip_read_only == 1) {
      report.Count(&RunCounters::read_only);
      report.WriteDetail(">Read-only document. Generation skipped.");
      return false;
    }
    report.Count(&RunCounters::errors);
    report.WriteDetail("ERROR: Read-only document. Project generation halted.");
    throw HaltError("Error processing file: " + output + "." + std::string(kCrLf) +
                    "This file may be a read-only file." + std::string(kCrLf) +
                    "Project generation halted.");
  }
  return SubdirectoryReady(output, report);
}

bool DocumentSteps::ReadOnly(const std::string& output, DocumentReport& report) {
  try {
    return ws_.files.FileExists(output) && (ws_.files.Attributes(output) & 1) != 0;
  } catch (const TarveloError& error) {
    Question question;
    question.kind = QuestionKind::kErrorReport;
    question.error = error;
    report.Ask(question);
    return false;
  }
}

bool DocumentSteps::SubdirectoryReady(const std::string& output, DocumentReport& report) {
  const std::string folder = FolderOfPath(output);
  // A bare file name has no folder of its own to create.
  if (folder.empty() || ws_.files.FolderExists(folder)) return true;
  if (ws_.options.create_subdirectories != 1) {
    Question question;
    question.kind = QuestionKind::kSubdirectory;
    question.caption = "Subdirectory Does Not Exist";
    question.message = "The subdirectory " + folder +
                       " does not exist. Would you like Tarvelo to create this subdirectory?";
    question.buttons = kFourButtons;
    question.preset = kPromptCancel;
    question.folder = folder;
    const int answer = report.Ask(question);
    if (answer == kPromptNo) {
      report.Count(&RunCounters::warnings);
      report.WriteDetail("WARNING: Subdirectory does not exist. Generation skipped.");
      return false;
    }
    if (answer != kPromptYes && answer != kPromptYesToAll) {
      report.Count(&RunCounters::errors);
      throw HaltError("Error processing file: " + output + "." + std::string(kCrLf) +
                      "Subdirectory does not exist." + std::string(kCrLf) +
                      "Project generation halted.");
    }
  }
  MakeFolderPath(ws_.files, folder);
  return true;
}

void DocumentSteps::LoadContentFiles(const DocumentEntry& document, DocumentReport& report) {
  ClearMacroTables(macros_, false, false, true, false, false, false);
  const std::vector<std::string>& names = document.content_files;
  for (size_t k = 0; k < names.size() && static_cast<long>(k) < ws_.settings.max_content_files;
       ++k) {
    if (names[k].empty()) break;
    macros_.content_files.resize(k + 1);
    // Missing files come back as a result, so the run can count them and ask.
    const Int16 result =
        LoadContentFile(ws_.files, ws_.settings, macros_, report, kLevelContentFiles,
                        macros_.content_files[k], names[k], true, true);
    HandleLoadResult(result, names[k], report);
    Increment(macros_.content_files_loaded);
  }
}

void DocumentSteps::Assemble(Int16 folder_index, Int16 document_index, const std::string& output,
                             DocumentReport& report, const AssemblyTarget* target) {
  Int16 result = 0;
  try {
    expander_.SetDocument(folder_index, document_index);
    result = AssembleDocument(ws_, expander_, folder_index, document_index, target);
  } catch (const TarveloError& error) {
    ReportAssemblyFailure(output, error, report);
    return;
  }
  if (result == kGeneratedWithWarnings) report.Count(&RunCounters::warnings);
  if (result == kUpToDate) report.Count(&RunCounters::current);
  if (result == kGenerated || result == kGeneratedWithWarnings) {
    report.Listed(output);
    report.Count(&RunCounters::generated);
  }
}

// A slip in the definition (a Template named where the output belongs, a path through
// a linked folder) must not cost the user a source file or the program its settings.
// Checked before any folder is made for the output, so a refusal leaves no trace.
bool DocumentSteps::RefusedOutput(const std::string& output, DocumentReport& report) {
  const ProtectedKind kind = protected_.Find(output);
  if (kind == ProtectedKind::kNone) return false;
  const std::string what = kind == ProtectedKind::kSource ? " is a source file of this Project"
                                                          : " is one of Tarvelo's own files";
  ReportAssemblyFailure(output,
                        TarveloError(kErrGenerationHalted, "The output file " + output + what +
                                                               " and was not overwritten."),
                        report);
  return true;
}

bool DocumentSteps::UsesChangedSource(Int16 folder_index, const DocumentEntry& document) const {
  const std::set<std::string>* changed = request_.changed_sources;
  if (changed == nullptr || changed->empty()) return false;
  const auto in = [&](const std::vector<std::string>& names, Int16 bound) {
    for (size_t i = 0; i < names.size() && static_cast<long>(i) < bound && !names[i].empty(); ++i) {
      if (changed->count(WatchKey(ws_.files, names[i])) != 0) return true;
    }
    return false;
  };
  const FolderEntry& folder = ws_.definition.folders[folder_index];
  return (document.triple_bang == 0 && in(ws_.definition.globals, ws_.settings.max_globals)) ||
         (document.double_bang == 0 &&
          in(folder.folder_globals, ws_.settings.max_folder_globals)) ||
         in(document.content_files, ws_.settings.max_content_files) ||
         (!document.tmpl.empty() && changed->count(WatchKey(ws_.files, document.tmpl)) != 0);
}

}  // namespace tarvelo
