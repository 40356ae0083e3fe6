// The Folder and Document loops of a generation run: which Documents the scope selects,
// and for each the checks that decide whether it is generated, skipped or halts the
// run, the loading of its Macros and its assembly.
#include "common/error_report.h"
#include "common/host.h"
#include "common/paths.h"
#include "common/text.h"
#include "engine/content_file.h"
#include "engine/document_assembly.h"
#include "generation/generation_state.h"
#include "generation/reporting.h"
#include "generation/up_to_date.h"
#include "generation/watch_loop.h"
#include "project/output_checks.h"
#include "project/program_options.h"
#include "project/project_definition.h"
#include "project/project_history.h"
#include "project/startup.h"
#include "project/workspace.h"

namespace tarvelo {
namespace {

constexpr PromptButtons kThreeButtons{true, true, true, false};
constexpr PromptButtons kFourButtons{true, true, true, true};

std::string DocumentPrefix(Int16 folder_index, Int16 document_index) {
  return PadNumber(folder_index, 4) + ":" + PadNumber(document_index, 4) + " ";
}

}  // namespace

void GenerationRun::RunFolders() {
  const std::vector<Int16> order = FolderListOrder(ws_.definition, ws_.options.sort_folders == 1);
  for (size_t position = 0; position < order.size(); ++position) {
    if (ws_.stop_requested) break;
    if (static_cast<long>(position) > ws_.settings.max_folders - 1L) break;
    const Int16 folder_index = order[position];
    const FolderEntry& folder = ws_.definition.folders[folder_index];
    if (folder.name.empty()) break;
    if (request_.scope != kScopeProject && folder_index != request_.folder_index) continue;
    LogLine(PadNumber(folder_index, 4) + ":---- " + folder.name);
    LoadFolderGlobals(folder);
    RunDocuments(folder_index);
  }
}

void GenerationRun::LoadFolderGlobals(const FolderEntry& folder) {
  ClearMacroTables(macros_, false, true, false, false, false, false);
  const std::vector<std::string>& names = folder.folder_globals;
  for (size_t j = 0; j < names.size() && static_cast<long>(j) < ws_.settings.max_folder_globals;
       ++j) {
    if (names[j].empty()) break;
    macros_.folder_globals.resize(j + 1);
    HandleLoadResult(LoadMacroFile(kLevelFolderGlobals, macros_.folder_globals[j], names[j]),
                     names[j]);
    Increment(macros_.folder_global_files_loaded);
  }
  LogLine("");
}

void GenerationRun::RunDocuments(Int16 folder_index) {
  const std::vector<DocumentEntry>& documents = ws_.definition.folders[folder_index].documents;
  for (size_t d = 0; d < documents.size() && static_cast<long>(d) < ws_.settings.max_docs; ++d) {
    if (ws_.stop_requested || documents[d].document.empty()) break;
    // Once per Document, so that Stop and repaints get through.
    ws_.host.ProcessEvents();
    const Int16 document_index = static_cast<Int16>(d);
    if (request_.scope == kScopeDocument && document_index != request_.document_index) continue;
    GenerateDocument(folder_index, document_index);
    LogLine("");
  }
}

void GenerationRun::GenerateDocument(Int16 folder_index, Int16 document_index) {
  const DocumentEntry& document = ws_.definition.folders[folder_index].documents[document_index];
  const std::string& output = document.document;
  LogLine(DocumentPrefix(folder_index, document_index) + output);
  Increment(counters_.total);

  if (document.tmpl.empty()) {
    Increment(counters_.static_documents);
    LogDetail(">Static document, generation skipped");
    return;
  }
  if (ws_.options.modified_only == 1) {
    UpdateStatus(ws_.host, ws_.log, std::string("Comparing:") + kTab + output);
    if (UsesChangedSource(folder_index, document)) {
      LogDetail(">Source files changed");
    } else if (!SourcesOutOfDate(ws_, folder_index, document_index)) {
      Increment(counters_.current);
      return;
    }
  }
  if (RefusedOutput(output) || !ReadyToWrite(output)) return;

  LoadContentFiles(document);
  if (request_.scope == kScopeProject &&
      !NotModifiedSince(ws_, folder_index, document_index, start_time_)) {
    Increment(counters_.warnings);
    LogDetail(
        "WARNING: Possible duplicate document. Document has been modified since generation "
        "started.");
  }
  UpdateStatus(ws_.host, ws_.log, std::string("Processing:") + kTab + output);
  Assemble(folder_index, document_index, output);
}

bool GenerationRun::ReadyToWrite(const std::string& output) {
  if (IsReadOnlyFile(ws_, output)) {
    if (ws_.options.skip_read_only == 1) {
      Increment(counters_.read_only);
      LogDetail(">Read-only document. Generation skipped.");
      return false;
    }
    Increment(counters_.errors);
    LogDetail("ERROR: Read-only document. Project generation halted.");
    throw HaltError("Error processing file: " + output + "." + std::string(kCrLf) +
                    "This file may be a read-only file." + std::string(kCrLf) +
                    "Project generation halted.");
  }
  return SubdirectoryReady(output);
}

bool GenerationRun::SubdirectoryReady(const std::string& output) {
  const std::string folder = FolderOfPath(output);
  // A bare file name has no folder of its own to create.
  if (folder.empty() || ws_.files.FolderExists(folder)) return true;
  if (ws_.options.create_subdirectories != 1 && !create_all_subdirectories_) {
    const int answer = ws_.host.AskWithPromptBox(
        "Subdirectory Does Not Exist",
        "The subdirectory " + folder +
            " does not exist. Would you like Tarvelo to create this subdirectory?",
        kFourButtons, kPromptCancel);
    if (answer == kPromptYesToAll) {
      create_all_subdirectories_ = true;
    } else if (answer == kPromptNo) {
      Increment(counters_.warnings);
      LogDetail("WARNING: Subdirectory does not exist. Generation skipped.");
      return false;
    } else if (answer != kPromptYes) {
      Increment(counters_.errors);
      throw HaltError("Error processing file: " + output + "." + std::string(kCrLf) +
                      "Subdirectory does not exist." + std::string(kCrLf) +
                      "Project generation halted.");
    }
  }
  EnsureFolderPath(ws_.files, folder);
  return true;
}

void GenerationRun::LoadContentFiles(const DocumentEntry& document) {
  ClearMacroTables(macros_, false, false, true, false, false, false);
  const std::vector<std::string>& names = document.content_files;
  for (size_t k = 0; k < names.size() && static_cast<long>(k) < ws_.settings.max_content_files;
       ++k) {
    if (names[k].empty()) break;
    macros_.content_files.resize(k + 1);
    HandleLoadResult(LoadMacroFile(kLevelContentFiles, macros_.content_files[k], names[k]),
                     names[k]);
    Increment(macros_.content_files_loaded);
  }
}

void GenerationRun::Assemble(Int16 folder_index, Int16 document_index, const std::string& output) {
  Int16 result = 0;
  try {
    expander_.SetDocument(folder_index, document_index);
    result = AssembleDocument(ws_, expander_, folder_index, document_index);
  } catch (const TarveloError& error) {
    AssemblyFailed(output, error);
    return;
  }
  if (result == kGeneratedWithWarnings) Increment(counters_.warnings);
  if (result == kUpToDate) Increment(counters_.current);
  if (result == kGenerated || result == kGeneratedWithWarnings) {
    std::string failure;
    if (!WriteGeneratedFile(ws_.files, ws_.working.generated_list, output, false, true, &failure)) {
      GeneratedListFailed(failure);
    }
    Increment(counters_.generated);
  }
}

void GenerationRun::AssemblyFailed(const std::string& output, const TarveloError& error) {
  Increment(counters_.errors);
  LogDetail("ERROR: " + error.description);
  if (ignore_generation_errors_) return;
  const std::string cr(1, kCr);
  const int answer = ws_.host.AskWithPromptBox(
      "Project Generation Error",
      "Error processing file: " + output + "." + cr + error.description + cr +
          "Would you like to ignore this error and continue generating the Project?",
      kThreeButtons, kPromptNo);
  if (answer == kPromptYesToAll) ignore_generation_errors_ = true;
  if (answer == kPromptYesToAll || answer == kPromptYes) return;
  throw HaltError("Error processing file: " + output + "." + std::string(kCrLf) +
                  error.description + std::string(kCrLf) + "Project generation halted.");
}

void GenerationRun::RememberSources() {
  const auto source = [this](std::string_view path) {
    protected_.Add(path, ProtectedKind::kSource);
  };
  source(ws_.settings.project_file_path);
  for (const std::string* name :
       {&ws_.settings.definition_file, &ws_.settings.project_macro_file}) {
    if (!name->empty()) {
      source(ResolveProjectPath(ws_.settings, ws_.options, ws_.files, *name, true, false, "", ""));
    }
  }
  for (const std::string& global : ws_.definition.globals) source(global);
  for (const FolderEntry& folder : ws_.definition.folders) {
    for (const std::string& global : folder.folder_globals) source(global);
    const std::string* previous_template = nullptr;
    for (const DocumentEntry& document : folder.documents) {
      // Documents in a row mostly share their Template: looked at once, not per Document.
      if (previous_template == nullptr || *previous_template != document.tmpl) {
        source(document.tmpl);
      }
      previous_template = &document.tmpl;
      for (const std::string& content_file : document.content_files) source(content_file);
    }
  }
  const WorkingFiles& working = ws_.working;
  for (const std::string& own :
       {DefaultProgramOptionsPath(ws_.program_folder),
        ProjectHistoryPath(ws_.options, ws_.program_folder), working.log_file,
        working.generated_list, working.search_file, working.replace_file}) {
    protected_.Add(own, ProtectedKind::kOwnFile);
  }
  protected_.AddPassFiles(working.pass_stem);
}

// A slip in the definition (a Template named where the output belongs, a path through
// a linked folder) must not cost the user a source file or the program its settings.
// Checked before any folder is made for the output, so a refusal leaves no trace.
bool GenerationRun::RefusedOutput(const std::string& output) {
  const ProtectedKind kind = protected_.Find(output);
  if (kind == ProtectedKind::kNone) return false;
  const std::string what = kind == ProtectedKind::kSource ? " is a source file of this Project"
                                                          : " is one of Tarvelo's own files";
  AssemblyFailed(output, TarveloError(kErrGenerationHalted, "The output file " + output + what +
                                                                " and was not overwritten."));
  return true;
}

bool GenerationRun::UsesChangedSource(Int16 folder_index, const DocumentEntry& document) const {
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
