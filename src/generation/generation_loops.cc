// The Folder and Document loops of a generation run: which Documents the scope selects,
// on the run's own thread or handed to jobs, and the files no Document may be written
// over. The steps of one Document are in document_steps.cc.
#include "common/host.h"
#include "common/text.h"
#include "engine/content_file.h"
#include "generation/document_jobs.h"
#include "generation/generation_state.h"
#include "project/program_options.h"
#include "project/project_definition.h"
#include "project/project_history.h"
#include "project/startup.h"
#include "project/workspace.h"

namespace tarvelo {

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
                     names[j], *this);
    Increment(macros_.folder_global_files_loaded);
  }
  LogLine("");
}

void GenerationRun::RunDocuments(Int16 folder_index) {
  if (request_.jobs > 1) {
    if (!jobs_) {
      DocumentReport& report = *this;
      jobs_ = std::make_unique<DocumentJobs>(ws_, request_, protected_, start_time_, clock_,
                                             macros_, report, request_.jobs);
    }
    jobs_->Run(folder_index);
    return;
  }
  const std::vector<DocumentEntry>& documents = ws_.definition.folders[folder_index].documents;
  for (size_t d = 0; d < documents.size() && static_cast<long>(d) < ws_.settings.max_docs; ++d) {
    if (ws_.stop_requested || documents[d].document.empty()) break;
    // Once per Document, so that Stop and repaints get through.
    ws_.host.ProcessEvents();
    const Int16 document_index = static_cast<Int16>(d);
    if (request_.scope == kScopeDocument && document_index != request_.document_index) continue;
    steps_.Generate(folder_index, document_index, *this, nullptr);
    LogLine("");
  }
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
        working.generated_list, working.search_file, working.replace_file, ExecutablePath()}) {
    protected_.Add(own, ProtectedKind::kOwnFile);
  }
  protected_.AddPassFiles(working.pass_stem);
  for (int job = 1; request_.jobs > 1 && job <= request_.jobs; ++job) {
    protected_.AddPassFiles(JobPassStem(working, job));
  }
}

}  // namespace tarvelo
