// Reading the Project Definition File: each trimmed line is a comment, the end mark, a
// Folder line, a globals line or a Document line, and the comma lists of the last two
// are split into the fixed-capacity tables of the settings.
#include "project/project_definition.h"

#include <algorithm>
#include <limits>
#include <string_view>

#include "common/error.h"
#include "common/error_report.h"
#include "common/paths.h"
#include "common/text.h"
#include "project/file_store.h"
#include "project/program_options.h"
#include "project/project_settings.h"
#include "project/workspace.h"

namespace tarvelo {
namespace {

constexpr std::string_view kGlobalsKey = "Globals=";

struct FileList {
  std::vector<std::string> items;  // trimmed, up to the first empty item
  Int16 optimisation = -1;
};

// Removes an optimisation flag from the first item of a list and says which it was.
Int16 TakeOptimisationFlag(std::string& item) {
  static constexpr std::string_view kFlags[] = {" -ox", " -o1", " -o2"};
  for (Int16 value = 0; value < 3; ++value) {
    if (item.find(kFlags[value]) != std::string::npos) {
      ReplaceAll(item, kFlags[value], "");
      return value;
    }
  }
  return -1;
}

// An item ends at the next ","; without one, at the next "!" or the end of the text.
// At most `capacity` items are split; the rest are dropped, and an empty item ends the
// list, so ",," hides everything after it.
FileList SplitFileList(std::string_view text, int capacity) {
  FileList list;
  size_t pos = 0;
  while (pos < text.size() && static_cast<int>(list.items.size()) < capacity) {
    size_t end = text.find(',', pos);
    if (end == std::string_view::npos) end = text.find('!', pos);
    if (end == std::string_view::npos) end = text.size();
    std::string item(text.substr(pos, end - pos));
    pos = end + 1;
    if (list.items.empty()) list.optimisation = TakeOptimisationFlag(item);
    item = Trim(item);
    if (item.empty()) break;
    list.items.push_back(std::move(item));
  }
  return list;
}

bool EndsWith(std::string_view text, std::string_view tail) {
  return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

std::string Quoted(const std::string& name) {
  return "\"" + name + "\"";
}

// The text of every capacity error.
std::string Exceeded(const std::string& what) {
  return "You have exceeded the maximum number of " + what +
         ". Please update your Project Properties.";
}

// A capacity of the settings as a table size; a negative limit admits nothing.
size_t Limit(Int16 capacity) {
  return capacity > 0 ? static_cast<size_t>(capacity) : 0;
}

class DefinitionReader {
 public:
  DefinitionReader(const FileStore& files, const ProjectSettings& settings,
                   const ProgramOptions& options, bool resolve_names, ProjectDefinition& definition)
      : files_(files),
        settings_(settings),
        options_(options),
        resolve_names_(resolve_names),
        definition_(definition) {
    // One more than the largest table a list fills, so that an overflow is noticed;
    // counted in int so that limits near 32767 neither overflow nor allocate.
    const int largest =
        std::max({settings.max_content_files + 2, static_cast<int>(settings.max_globals),
                  static_cast<int>(settings.max_folder_globals)});
    list_capacity_ = std::max(largest + 1, 0);
  }

  void ReadLines(TextReader& reader, const std::string& path) {
    std::string raw;
    std::int32_t line_number = 0;
    while (reader.ReadLine(raw)) {
      if (line_number == std::numeric_limits<std::int32_t>::max()) {
        throw RuntimeError(kOverflow);
      }
      // No path holds a NUL (the system would cut the name there), and a binary file
      // read as lines makes Folders of stray "[" bytes: neither is a definition.
      if (raw.find('\0') != std::string::npos) {
        throw TarveloError(kInvalidFileFormat, "The Project Definition file " + path +
                                                   " is not a text file (it holds null bytes).");
      }
      ++line_number;
      const std::string line = Trim(raw);
      if (line.empty() || line.front() == '#') continue;
      if (line.front() == '!') return;
      if (line.find('[') != std::string::npos) {
        AddFolder(line, line_number);
      } else if (const size_t key = line.find(kGlobalsKey); key != std::string::npos) {
        ReadGlobals(line.substr(key + kGlobalsKey.size()));
      } else if (!definition_.folders.empty()) {
        AddDocument(line);
      }
    }
  }

 private:
  std::string Name(const std::string& item, bool is_document) const {
    if (!resolve_names_) return item;
    return ResolveProjectPath(settings_, options_, files_, item, true, is_document, "", "");
  }

  void AddFolder(const std::string& line, std::int32_t line_number) {
    if (definition_.folders.size() >= Limit(settings_.max_folders)) {
      throw TarveloError(kErrTooManyFolders, Exceeded("Folders defined for this Project"));
    }
    const size_t open = line.find('[');
    const size_t close = line.find(']');
    if (close != std::string::npos && close < open) throw RuntimeError(kInvalidProcedureCall);
    FolderEntry folder;
    folder.name = close == std::string::npos ? line.substr(open + 1)
                                             : line.substr(open + 1, close - open - 1);
    folder.line = line_number;
    folder.star = line.back() == '*' ? 1 : 0;
    definition_.folders.push_back(std::move(folder));
    Increment(definition_.folder_count);
  }

  void ReadGlobals(std::string list_text) {
    if (definition_.folders.empty()) {
      if (!settings_.global_content_files.empty()) {
        // The setting's files follow the listed ones, and a final "!" closes the list.
        if (!list_text.empty() && list_text.back() == '!') list_text.pop_back();
        // With nothing listed, a leading "," would be an empty first item hiding them.
        if (!IsBlank(list_text)) list_text += ',';
        list_text += settings_.global_content_files + "!";
      }
      FillGlobals(list_text, settings_.max_globals, definition_.globals,
                  Exceeded("Global Content Files for this Project"));
    } else {
      FolderEntry& folder = definition_.folders.back();
      FillGlobals(list_text, settings_.max_folder_globals, folder.folder_globals,
                  Exceeded("Global Content Files for the Folder " + Quoted(folder.name)));
    }
  }

  // Each globals line fills its table afresh.
  void FillGlobals(const std::string& list_text, Int16 capacity, std::vector<std::string>& table,
                   const std::string& overflow_text) {
    const FileList list = SplitFileList(list_text, list_capacity_);
    table.clear();
    for (const std::string& item : list.items) {
      if (table.size() >= Limit(capacity)) {
        throw TarveloError(kErrTooManyGlobals, overflow_text);
      }
      table.push_back(Name(item, false));
    }
  }

  void AddDocument(const std::string& line) {
    FolderEntry& folder = definition_.folders.back();
    if (folder.documents.size() >= Limit(settings_.max_docs)) {
      throw TarveloError(kErrTooManyDocuments,
                         Exceeded("Documents for the Folder " + Quoted(folder.name)));
    }
    const FileList list = SplitFileList(line, list_capacity_);
    // The entry takes its slot first, so a Content File overflow leaves what was read.
    Increment(definition_.document_count);
    DocumentEntry& document = folder.documents.emplace_back();
    document.optimisation = list.optimisation;
    const std::vector<std::string>& items = list.items;
    if (!items.empty()) document.document = Name(items[0], true);
    if (items.size() > 1) document.tmpl = Name(items[1], false);
    for (size_t i = 2; i < items.size(); ++i) {
      if (document.content_files.size() >= Limit(settings_.max_content_files)) {
        throw TarveloError(kErrTooManyContentFiles,
                           Exceeded("Content Files for the Document " + Quoted(document.document)));
      }
      document.content_files.push_back(Name(items[i], false));
    }
    if (EndsWith(line, "!!")) document.double_bang = 1;
    if (EndsWith(line, "!!!")) document.triple_bang = 1;
  }

  const FileStore& files_;
  const ProjectSettings& settings_;
  const ProgramOptions& options_;
  const bool resolve_names_;
  ProjectDefinition& definition_;
  int list_capacity_ = 0;
};

}  // namespace

std::string ResolveProjectPath(const ProjectSettings& settings, const ProgramOptions& options,
                               const FileStore& files, const std::string& name,
                               bool relative_allowed, bool is_document,
                               const std::string& folder_path,
                               const std::string& alternative_folder_path, bool* used_alternative) {
  if (used_alternative != nullptr) *used_alternative = false;
  if (!relative_allowed || !IsRelativeName(name)) {
    return ToNativeSeparators(ApplyDefaultDrive(name, options));
  }
  std::string base;
  std::string alternative;
  if (!folder_path.empty()) {
    base = folder_path;
    alternative = alternative_folder_path;
  } else if (is_document) {
    base = settings.document_root;
  } else {
    base = settings.content_root;
    alternative = settings.default_content_root;
  }
  std::string path = ApplyDefaultDrive(JoinPath(base, name), options);
  if (!alternative.empty() && !files.FileExists(path)) {
    path = ApplyDefaultDrive(JoinPath(alternative, name), options);
    if (used_alternative != nullptr) *used_alternative = true;
  }
  return ToNativeSeparators(path);
}

void ReadProjectDefinitionFile(const FileStore& files, const ProjectSettings& settings,
                               const ProgramOptions& options, bool resolve_names,
                               ProjectDefinition& definition) {
  definition = ProjectDefinition();
  const std::string path =
      ResolveProjectPath(settings, options, files, settings.definition_file, true, false, "", "");
  if (path.empty()) return;
  if (!files.FileExists(path)) {
    throw TarveloError(kErrMissingFile,
                       "Could not open Project Definition file at " + path +
                           ". Please check the path to your Project Definition File or create a "
                           "Project Definition file at this location.");
  }
  TextReader reader = files.OpenTextFile(path);
  DefinitionReader(files, settings, options, resolve_names, definition).ReadLines(reader, path);
  reader.Close();
}

ProjectDefinition ReadProjectDefinitionFile(const FileStore& files, const ProjectSettings& settings,
                                            const ProgramOptions& options, bool resolve_names) {
  ProjectDefinition definition;
  ReadProjectDefinitionFile(files, settings, options, resolve_names, definition);
  return definition;
}

const DocumentEntry& DocumentAt(const ProjectDefinition& definition, Int16 folder_index,
                                Int16 document_index) {
  if (folder_index < 0 || static_cast<size_t>(folder_index) >= definition.folders.size()) {
    throw RuntimeError(kSubscriptOutOfRange);
  }
  const FolderEntry& folder = definition.folders[static_cast<size_t>(folder_index)];
  if (document_index < 0 || static_cast<size_t>(document_index) >= folder.documents.size()) {
    throw RuntimeError(kSubscriptOutOfRange);
  }
  return folder.documents[static_cast<size_t>(document_index)];
}

bool ReadProjectDefinition(Workspace& workspace, bool resolve_names, bool report_errors) {
  try {
    ReadProjectDefinitionFile(workspace.files, workspace.settings, workspace.options, resolve_names,
                              workspace.definition);
    return true;
  } catch (const TarveloError& error) {
    if (!report_errors) throw;
    ShowErrorReport(workspace.host, error);
    return false;
  }
}

}  // namespace tarvelo
