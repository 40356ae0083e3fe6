// The search file list and the order in which a Project's files are listed.
#include "search/search_file_list.h"

#include "common/error.h"
#include "project/project_definition.h"
#include "project/project_settings.h"

namespace tarvelo {
namespace {

constexpr size_t kInitialCapacity = 10;
constexpr size_t kGrowth = 100;
constexpr size_t kMaxCapacity = 32767;

// Adds names from a table up to its first empty entry.
void AddUntilEmpty(const std::vector<std::string>& names, SearchFileList& list) {
  for (const std::string& name : names) {
    if (name.empty()) break;
    list.AddFileToList(name);
  }
}

}  // namespace

void SearchFileList::InitFileList() {
  const size_t capacity = slots_.size() < kInitialCapacity ? kInitialCapacity : slots_.size();
  slots_.assign(capacity, std::string());
  used_ = 0;
  listed_.clear();
}

void SearchFileList::AddFileToList(const std::string& name) {
  if (name.empty() || listed_.count(name) > 0) return;
  if (slots_.empty()) slots_.assign(kInitialCapacity, std::string());
  if (used_ >= slots_.size()) {
    if (slots_.size() + kGrowth > kMaxCapacity) throw RuntimeError(kOverflow);
    slots_.resize(slots_.size() + kGrowth);
  }
  slots_[used_++] = name;
  listed_.insert(name);
}

void BuildFileList(const ProjectDefinition& definition, const ProjectSettings& settings,
                   const SearchScope& scope, SearchFileList& list) {
  if (!scope.documents_mode) {
    if (!settings.project_macro_file.empty() && (scope.content_files || scope.globals)) {
      list.AddFileToList(settings.project_macro_file);
    }
    if (scope.globals) AddUntilEmpty(definition.globals, list);
  }
  for (size_t f = 0; f < definition.folders.size(); ++f) {
    const FolderEntry& folder = definition.folders[f];
    if (folder.name.empty()) break;
    const bool folder_selected = static_cast<Int16>(f) == scope.selected_folder;
    if (!scope.documents_mode && scope.folder_globals &&
        (!scope.selected_only || folder_selected)) {
      AddUntilEmpty(folder.folder_globals, list);
    }
    for (size_t d = 0; d < folder.documents.size(); ++d) {
      const DocumentEntry& document = folder.documents[d];
      if (document.document.empty()) break;
      const bool in_scope = !scope.selected_only ||
                            (folder_selected && static_cast<Int16>(d) == scope.selected_document);
      if (!in_scope) continue;
      if (scope.documents_mode) {
        list.AddFileToList(document.document);
        continue;
      }
      if (scope.templates && !document.tmpl.empty()) list.AddFileToList(document.tmpl);
      if (scope.content_files) AddUntilEmpty(document.content_files, list);
    }
  }
}

}  // namespace tarvelo
