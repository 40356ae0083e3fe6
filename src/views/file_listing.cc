// The list windows' rows: candidates walked in the definition's order, each admitted
// once; and the Macros of one Content File in name order.
#include "views/file_listing.h"

#include <algorithm>
#include <unordered_set>
#include <utility>

#include "common/error.h"
#include "common/text.h"
#include "engine/content_file.h"
#include "engine/macro_table.h"
#include "project/file_store.h"
#include "project/workspace.h"

namespace tarvelo {
namespace {

constexpr int kProgressStep = 50;
// Enough of a file to tell text from binary without reading it all twice.
constexpr size_t kBinaryProbeBytes = 8192;

// Every list of the definition ends at its first empty name for every reader.
template <typename Item, typename Empty>
size_t Listed(const std::vector<Item>& items, Empty empty) {
  size_t count = 0;
  while (count < items.size() && !empty(items[count])) ++count;
  return count;
}

size_t ListedNames(const std::vector<std::string>& names) {
  return Listed(names, [](const std::string& name) { return name.empty(); });
}
size_t ListedFolders(const ProjectDefinition& definition) {
  return Listed(definition.folders, [](const FolderEntry& folder) { return folder.name.empty(); });
}
size_t ListedDocuments(const FolderEntry& folder) {
  return Listed(folder.documents,
                [](const DocumentEntry& document) { return document.document.empty(); });
}

bool IsReadOnlyState(FileState state) {
  return state == FileState::kReadOnly || state == FileState::kReadOnlyUnderDefaultRoot;
}

class Lister {
 public:
  Lister(const Workspace& workspace, const ProjectView& view, bool filtered, Int16 mode,
         ListingObserver& observer)
      : options_(workspace.options),
        view_(view),
        filtered_(filtered),
        mode_(mode),
        observer_(observer) {}

  bool cancelled() { return observer_.Cancelled(); }

  void Offer(const std::string& name, std::string key, FileRole role) {
    if (IsBlank(name)) return;
    if (filtered_ && !PassesContentFileFilter(options_, name)) return;
    // The cheap test first: a name already listed needs no look at the disk.
    if (listed_.contains(name)) return;
    ColumnEntry resolved;
    view_.ResolveInto(name, false, resolved);
    const bool read_only = IsReadOnlyState(resolved.state);
    if ((mode_ == kDisplayReadOnly && !read_only) || (mode_ == kDisplayWritable && read_only)) {
      return;
    }
    listed_.insert(name);
    observer_.Added(ListedFile{name, std::move(key), role, resolved.state, resolved.resolved_path});
  }

 private:
  const ProgramOptions& options_;
  const ProjectView& view_;
  bool filtered_;
  Int16 mode_;
  ListingObserver& observer_;
  std::unordered_set<std::string> listed_;
};

std::string Key(const char* kind, std::initializer_list<size_t> indexes) {
  std::string key = kind;
  for (size_t index : indexes) {
    if (key.back() != ':') key += ':';
    key += std::to_string(index);
  }
  return key;
}

bool ListContentFiles(const Workspace& workspace, Lister& lister, ListingObserver& observer) {
  const ProjectDefinition& definition = workspace.definition;
  const std::string& project_macro_file = workspace.settings.project_macro_file;
  if (!project_macro_file.empty() && !lister.cancelled()) {
    lister.Offer(project_macro_file, "p:0", FileRole::kProjectMacroFile);
  }
  const size_t globals = ListedNames(definition.globals);
  for (size_t i = 0; i < globals; ++i) {
    if (lister.cancelled()) return false;
    lister.Offer(definition.globals[i], Key("g:", {i}), FileRole::kGlobalContentFile);
  }
  const size_t folders = ListedFolders(definition);
  for (size_t f = 0; f < folders; ++f) {
    const FolderEntry& folder = definition.folders[f];
    const size_t folder_globals = ListedNames(folder.folder_globals);
    for (size_t j = 0; j < folder_globals; ++j) {
      if (lister.cancelled()) return false;
      lister.Offer(folder.folder_globals[j], Key("f:", {f, j}), FileRole::kFolderGlobal);
    }
  }
  const int total = DocumentContentFileCount(definition);
  int offered = 0;
  for (size_t f = 0; f < folders; ++f) {
    const FolderEntry& folder = definition.folders[f];
    const size_t documents = ListedDocuments(folder);
    for (size_t d = 0; d < documents; ++d) {
      const std::vector<std::string>& names = folder.documents[d].content_files;
      const size_t count = ListedNames(names);
      for (size_t k = 0; k < count; ++k) {
        if (lister.cancelled()) return false;
        lister.Offer(names[k], Key("c:", {f, d, k}), FileRole::kContentFile);
        ++offered;
        if (offered % kProgressStep == 0 && offered <= total) observer.Progress(offered);
      }
    }
  }
  return !lister.cancelled();
}

bool ListTemplates(const Workspace& workspace, Lister& lister) {
  const ProjectDefinition& definition = workspace.definition;
  const size_t folders = ListedFolders(definition);
  for (size_t f = 0; f < folders; ++f) {
    const FolderEntry& folder = definition.folders[f];
    const size_t documents = ListedDocuments(folder);
    for (size_t d = 0; d < documents; ++d) {
      if (lister.cancelled()) return false;
      lister.Offer(folder.documents[d].tmpl, Key("t:", {f, d}), FileRole::kTemplate);
    }
  }
  return !lister.cancelled();
}

// A Content File with null bytes is some other kind of file named .par by mistake;
// its "Macros" would be noise, so it is refused with its name.
void RefuseBinaryFile(const FileStore& files, const std::string& path) {
  if (!files.FileExists(path)) return;  // the loader reports a missing file itself
  TextReader reader = files.OpenTextFile(path);
  std::string line;
  size_t read = 0;
  while (read < kBinaryProbeBytes && reader.ReadLine(line)) {
    if (line.find('\0') != std::string::npos) {
      throw TarveloError(kInvalidFileFormat, "The file " + path +
                                                 " is not a text file (it holds null bytes), "
                                                 "so it has no Macros to list.");
    }
    read += line.size() + 1;
  }
}

}  // namespace

int DocumentContentFileCount(const ProjectDefinition& definition) {
  int count = 0;
  const size_t folders = ListedFolders(definition);
  for (size_t f = 0; f < folders; ++f) {
    const FolderEntry& folder = definition.folders[f];
    const size_t documents = ListedDocuments(folder);
    for (size_t d = 0; d < documents; ++d) {
      count += static_cast<int>(ListedNames(folder.documents[d].content_files));
    }
  }
  return count;
}

bool ListProjectFiles(const Workspace& workspace, const ProjectView& view, ListingKind kind,
                      Int16 display_mode, ListingObserver& observer) {
  const bool content_files = kind == ListingKind::kContentFiles;
  Lister lister(workspace, view, content_files, display_mode, observer);
  return content_files ? ListContentFiles(workspace, lister, observer)
                       : ListTemplates(workspace, lister);
}

std::vector<MacroListEntry> ListMacros(Workspace& workspace, const std::string& path, Int16 level) {
  MacroTable macros;  // the list's own table: a run's tables are the run's
  DimensionMacroTable(macros, workspace.settings);
  RefuseBinaryFile(workspace.files, path);
  // The slot limit follows the level; a bad level code raises 5 from here.
  const Int16 limit = MacrosPerFile(macros, level);
  LoadContentFile(workspace.files, workspace.settings, macros, workspace.log, level, macros.view2,
                  path, false, false);
  const bool show_tags = workspace.options.show_macro_tags == 1;
  // Sorted as a sorted list box orders its entries: letters without regard to case.
  std::vector<std::pair<std::string, MacroListEntry>> keyed;
  const std::vector<MacroSlot>& slots = macros.view2.slots;
  for (size_t i = 0; i < slots.size() && static_cast<int>(i) < limit && !slots[i].name.empty();
       ++i) {
    MacroListEntry entry{MacroDisplayName(slots[i].name, workspace.settings, show_tags),
                         static_cast<Int16>(i), slots[i].value, slots[i].line};
    std::string key = FoldCase(entry.text);
    keyed.emplace_back(std::move(key), std::move(entry));
  }
  std::stable_sort(keyed.begin(), keyed.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<MacroListEntry> entries;
  entries.reserve(keyed.size());
  for (auto& [key, entry] : keyed) entries.push_back(std::move(entry));
  return entries;
}

}  // namespace tarvelo
