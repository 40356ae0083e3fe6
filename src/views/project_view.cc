// The main window's columns as plain rows: each name resolved and given its state,
// the Content File filter applied, and the Macros of a Content Files entry loaded
// into the view table.
#include "views/project_view.h"

#include <algorithm>

#include "common/error.h"
#include "common/paths.h"
#include "common/text.h"
#include "engine/content_file.h"
#include "engine/macro_table.h"
#include "engine/optimiser.h"
#include "project/workspace.h"

namespace tarvelo {
namespace {

// Folder and Document tables end at their first empty name for every reader.
size_t ListedFolders(const ProjectDefinition& definition) {
  size_t count = 0;
  while (count < definition.folders.size() && !definition.folders[count].name.empty()) ++count;
  return count;
}

size_t ListedDocuments(const FolderEntry& folder) {
  size_t count = 0;
  while (count < folder.documents.size() && !folder.documents[count].document.empty()) ++count;
  return count;
}

// The Document at the indexes when the column lists it, else nothing.
const DocumentEntry* ListedDocument(const ProjectDefinition& definition, Int16 folder,
                                    Int16 document) {
  if (folder < 0 || static_cast<size_t>(folder) >= ListedFolders(definition)) return nullptr;
  const FolderEntry& entry = definition.folders[static_cast<size_t>(folder)];
  if (document < 0 || static_cast<size_t>(document) >= ListedDocuments(entry)) return nullptr;
  return &entry.documents[static_cast<size_t>(document)];
}

// A folder at a file's path is no file the column could open.
bool IsFile(const FileStore& files, const std::string& path) {
  if (path.empty() || !files.FileExists(path)) return false;
  try {
    return (files.Attributes(path) & 16) == 0;
  } catch (const TarveloError&) {
    return false;  // gone between the two looks
  }
}

}  // namespace

FileState FileStateAt(const FileStore& files, const std::string& path, bool under_default_root) {
  if (!IsFile(files, path)) return FileState::kMissing;
  bool read_only = false;
  try {
    read_only = (files.Attributes(path) & 1) != 0;
  } catch (const TarveloError&) {
    return FileState::kMissing;
  }
  if (under_default_root) {
    return read_only ? FileState::kReadOnlyUnderDefaultRoot : FileState::kUnderDefaultRoot;
  }
  return read_only ? FileState::kReadOnly : FileState::kPresent;
}

// The Macros-per-file limit follows the file's own level, so a file that generates
// without complaint also lists.
Int16 MacroLevelOf(FileRole role) {
  switch (role) {
    case FileRole::kProjectMacroFile:
      return kLevelProject;
    case FileRole::kGlobalContentFile:
      return kLevelGlobals;
    case FileRole::kFolderGlobal:
      return kLevelFolderGlobals;
    default:
      return kLevelContentFiles;
  }
}

std::int64_t ContentFileCode(int kind, int index) {
  return std::stoll(std::to_string(kind) + std::to_string(index));
}

std::string TrimPath(const std::string& name, bool show_paths) {
  return show_paths ? name : FileNameOfPath(name);
}

int RowToSelect(int count, bool reset, int remembered) {
  if (count <= 0) return -1;
  if (reset || remembered < 1) return 0;
  return remembered < count ? remembered : -1;
}

std::string ContentFileFilter(const ProgramOptions& options) {
  return options.enable_content_file_filter == 1 ? Trim(options.content_file_filter)
                                                 : std::string();
}

bool PassesContentFileFilter(const ProgramOptions& options, const std::string& name) {
  if (IsBlank(name)) return false;
  return name.ends_with(ContentFileFilter(options));
}

std::string ContentFilesLabel(const ProgramOptions& options) {
  const std::string filter = ContentFileFilter(options);
  if (filter.empty()) return "Content Files";
  return "Content Files (using filter *" + filter + ")";
}

std::string MacroDisplayName(const std::string& stored_name, const ProjectSettings& settings,
                             bool show_tags) {
  if (show_tags) return stored_name;
  const size_t start = settings.macro_start_tag.size();
  const size_t end = settings.macro_end_tag.size();
  if (stored_name.size() <= start + end) return std::string();
  return stored_name.substr(start, stored_name.size() - start - end);
}

DocumentAction DefaultDocumentAction(Int16 documents_default_action) {
  switch (documents_default_action) {
    case 1:
      return DocumentAction::kView;
    case 2:
      return DocumentAction::kEdit;
    case 3:
      return DocumentAction::kEditContentFile;
    case 4:
      return DocumentAction::kEditImage;
    case 5:
      return DocumentAction::kEditXml;
    default:
      return DocumentAction::kOpen;
  }
}

std::string ContentFileToEdit(const ColumnEntry* selected_content_file,
                              const ColumnEntry& document) {
  if (selected_content_file == nullptr || selected_content_file->resolved_path.empty()) {
    return document.resolved_path;
  }
  return selected_content_file->resolved_path;
}

bool CustomActionShown(const ProgramOptions& options, int number) {
  if (number < 1 || number > static_cast<int>(options.custom_commands.size())) return false;
  const CustomCommand& custom = options.custom_commands[static_cast<size_t>(number - 1)];
  return !custom.caption.empty() && !custom.command.empty();
}

ProjectView::ProjectView(Workspace& workspace) : workspace_(workspace) {}

std::string ProjectView::DefinitionPath() const {
  return ResolveProjectPath(workspace_.settings, workspace_.options, workspace_.files,
                            workspace_.settings.definition_file, true, false, "", "");
}

std::vector<ColumnEntry> ProjectView::Folders(bool sorted) const {
  const ProjectDefinition& definition = workspace_.definition;
  const size_t count = ListedFolders(definition);
  const std::string definition_path = DefinitionPath();
  std::vector<ColumnEntry> rows;
  rows.reserve(count);
  for (size_t i = 0; i < count; ++i) {
    ColumnEntry& row = rows.emplace_back();
    row.text = definition.folders[i].name;
    row.data = static_cast<std::int64_t>(i);
    row.line = definition.folders[i].line;
    row.resolved_path = definition_path;
  }
  if (sorted) {
    // As a sorted list box orders its rows: letters without regard to case.
    std::stable_sort(rows.begin(), rows.end(), [](const ColumnEntry& a, const ColumnEntry& b) {
      return FoldCase(a.text) < FoldCase(b.text);
    });
  }
  return rows;
}

std::vector<ColumnEntry> ProjectView::Documents(Int16 folder) const {
  const ProjectDefinition& definition = workspace_.definition;
  std::vector<ColumnEntry> rows;
  if (folder < 0 || static_cast<size_t>(folder) >= ListedFolders(definition)) return rows;
  const FolderEntry& entry = definition.folders[static_cast<size_t>(folder)];
  const bool show_paths = workspace_.options.display_paths == 1;
  const size_t count = ListedDocuments(entry);
  rows.reserve(count);
  for (size_t i = 0; i < count; ++i) {
    const DocumentEntry& document = entry.documents[i];
    ColumnEntry& row = rows.emplace_back();
    row.text = TrimPath(document.document, show_paths);
    row.data = static_cast<std::int64_t>(i);
    row.key = "d:" + std::to_string(i);
    row.role = FileRole::kDocument;
    ResolveInto(document.document, true, row);
    row.optimisation = DocumentOptimisationLevel(workspace_.settings, document);
  }
  return rows;
}

ColumnEntry ProjectView::TemplateEntry(Int16 folder, Int16 document) const {
  ColumnEntry row;
  row.key = "t:1";
  row.role = FileRole::kTemplate;
  row.state = FileState::kMissing;
  const DocumentEntry* entry = ListedDocument(workspace_.definition, folder, document);
  if (entry == nullptr) return row;
  row.text = TrimPath(entry->tmpl, workspace_.options.display_paths == 1);
  ResolveInto(entry->tmpl, false, row);
  return row;
}

std::vector<ColumnEntry> ProjectView::ContentFiles(Int16 folder, Int16 document,
                                                   bool macros_shown) const {
  std::vector<ColumnEntry> rows;
  const DocumentEntry* entry = ListedDocument(workspace_.definition, folder, document);
  if (entry == nullptr) return rows;
  const ProgramOptions& options = workspace_.options;
  const bool show_paths = options.display_paths == 1;

  const auto add = [&](int kind, size_t index, const std::string& name, FileRole role) {
    if (!PassesContentFileFilter(options, name)) return;
    ColumnEntry& row = rows.emplace_back();
    row.text = TrimPath(name, show_paths);
    row.data = ContentFileCode(kind, static_cast<int>(index));
    row.key = "c:" + std::to_string(row.data);
    row.role = role;
    ResolveInto(name, false, row);
  };
  const auto add_list = [&](int kind, const std::vector<std::string>& names, FileRole role) {
    for (size_t i = 0; i < names.size() && !names[i].empty(); ++i) add(kind, i, names[i], role);
  };

  const ProjectSettings& settings = workspace_.settings;
  if (!settings.project_macro_file.empty() && settings.display_project_macro_file == 1) {
    add(kKindProjectMacroFile, 0, settings.project_macro_file, FileRole::kProjectMacroFile);
  }
  add_list(kKindContentFile, entry->content_files, FileRole::kContentFile);
  add_list(kKindFolderGlobal,
           workspace_.definition.folders[static_cast<size_t>(folder)].folder_globals,
           FileRole::kFolderGlobal);
  add_list(kKindGlobal, workspace_.definition.globals, FileRole::kGlobalContentFile);

  // The pseudo-entry names no file, so the filter has nothing to judge in it.
  if (options.display_all_macros == 1 && macros_shown) {
    ColumnEntry& row = rows.emplace_back();
    row.text = kAllMacrosText;
    row.data = kAllMacrosCode;
    row.key = "c:" + std::to_string(kAllMacrosCode);
  }
  return rows;
}

int ProjectView::ContentFileRowToSelect(const std::vector<ColumnEntry>& rows, bool reset,
                                        std::int64_t remembered) {
  if (rows.empty()) return -1;
  if (reset || remembered < 1) return 0;
  const auto it = std::find_if(rows.begin(), rows.end(),
                               [&](const ColumnEntry& row) { return row.data == remembered; });
  return it == rows.end() ? 0 : static_cast<int>(it - rows.begin());
}

std::vector<ColumnEntry> ProjectView::Macros(const std::vector<ColumnEntry>& content_files,
                                             std::int64_t code) {
  macro_rows_.clear();
  const bool all_macros = code == kAllMacrosCode;
  const bool show_tags = workspace_.options.show_macro_tags == 1;
  // The view keeps its own table: a run's tables are the run's.
  MacroTable macros;
  DimensionMacroTable(macros, workspace_.settings);
  std::vector<ColumnEntry> rows;
  std::vector<MacroRow> remembered;

  for (const ColumnEntry& file : content_files) {
    if (file.data == kAllMacrosCode || (!all_macros && file.data != code)) continue;
    // The view table holds only the file being listed; a missing one leaves it empty.
    ClearMacroTables(macros, false, false, false, false, true, false);
    if (!IsFile(workspace_.files, file.resolved_path)) {
      if (all_macros) continue;
      break;
    }
    const Int16 loaded =
        LoadContentFile(workspace_.files, workspace_.settings, macros, workspace_.log,
                        MacroLevelOf(file.role), macros.view1, file.resolved_path, false, true);
    if (loaded != kMissingIgnored) {
      const std::vector<MacroSlot>& slots = macros.view1.slots;
      for (size_t i = 0; i < slots.size() && !slots[i].name.empty(); ++i) {
        const std::int64_t index = static_cast<std::int64_t>(i);
        ColumnEntry& row = rows.emplace_back();
        row.text = MacroDisplayName(slots[i].name, workspace_.settings, show_tags);
        row.data = all_macros ? file.data * kMacroCodeFactor + index : index;
        row.role = file.role;
        row.state = file.state;
        row.resolved_path = file.resolved_path;
        row.line = slots[i].line;
        remembered.push_back(MacroRow{row.data, slots[i].value, file.text});
      }
    }
    if (!all_macros) break;
  }
  macro_rows_ = std::move(remembered);
  return rows;
}

std::string ProjectView::MacroValueText(std::int64_t macro_data, bool all_macros) const {
  const auto it = std::find_if(macro_rows_.begin(), macro_rows_.end(),
                               [&](const MacroRow& row) { return row.data == macro_data; });
  if (it == macro_rows_.end()) return std::string();
  return all_macros ? "(" + it->file_text + ")" : it->value;
}

std::string ProjectView::Resolve(const std::string& name, bool is_document) const {
  if (IsBlank(name)) return std::string();
  return ResolveProjectPath(workspace_.settings, workspace_.options, workspace_.files, name, true,
                            is_document, "", "");
}

FileState ProjectView::StateOf(const std::string& name, bool is_document) const {
  ColumnEntry row;
  ResolveInto(name, is_document, row);
  return row.state;
}

void ProjectView::ResolveInto(const std::string& name, bool is_document, ColumnEntry& row) const {
  bool under_default_root = false;
  row.resolved_path.clear();
  if (!IsBlank(name)) {
    row.resolved_path =
        ResolveProjectPath(workspace_.settings, workspace_.options, workspace_.files, name, true,
                           is_document, "", "", &under_default_root);
  }
  row.state = FileStateAt(workspace_.files, row.resolved_path, under_default_root);
}

}  // namespace tarvelo
