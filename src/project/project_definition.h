// ProjectDefinition: the Project Definition File read into tables: the Global Content
// Files, and the Folders with their Folder Globals and Documents; and ResolveProjectPath,
// which turns a name of the Project into the full path it is used by.
#ifndef TARVELO_PROJECT_PROJECT_DEFINITION_H_
#define TARVELO_PROJECT_PROJECT_DEFINITION_H_

#include <cstdint>
#include <string>
#include <vector>

#include "common/int16.h"

namespace tarvelo {

class FileStore;
struct ProgramOptions;
struct ProjectSettings;
struct Workspace;

/// An empty document name is an unused slot: it ends its Folder's Documents for every
/// reader, whether or not the names were resolved.
struct DocumentEntry {
  std::string document;  // output file name or path
  std::string tmpl;      // the Template; empty for a static Document
  std::vector<std::string> content_files;
  Int16 double_bang = 0;    // line ends with "!!": no Folder Globals
  Int16 triple_bang = 0;    // line ends with "!!!": no Global Content Files either
  Int16 optimisation = -1;  // -1 none, 0 " -ox", 1 " -o1", 2 " -o2"
};

struct FolderEntry {
  std::string name;
  std::int32_t line = 0;  // 1-based line of the Folder in the file
  std::vector<std::string> folder_globals;
  std::vector<DocumentEntry> documents;
  Int16 star = 0;  // Folder line ends with "*": no Project Macro File
};

/// The tables hold only what was read; the capacities of the settings are limits
/// checked while reading, not allocations.
struct ProjectDefinition {
  std::vector<std::string> globals;
  std::vector<FolderEntry> folders;
  Int16 folder_count = 0;
  Int16 document_count = 0;
};

/// The full path of a Project name, with native separators. A name without ":" that
/// does not begin with a separator is relative when `relative_allowed` is set; it is
/// joined to `folder_path` when that is not empty (with `alternative_folder_path` as
/// the alternative), else to document-root for a document, else to content-root (with
/// default-content-root as the alternative). The default drive of `options` is applied.
/// When an alternative is set and no file exists at the result, the alternative joined
/// with the name is returned and `*used_alternative` (when given) is set; it is cleared
/// otherwise.
std::string ResolveProjectPath(const ProjectSettings& settings, const ProgramOptions& options,
                               const FileStore& files, const std::string& name,
                               bool relative_allowed, bool is_document,
                               const std::string& folder_path,
                               const std::string& alternative_folder_path,
                               bool* used_alternative = nullptr);

/// Clears `definition` and reads the definition-file of `settings` into it; with
/// `resolve_names` every global, document, Template and Content File name goes through
/// ResolveProjectPath (a missing name stays empty, so a static Document stays static).
/// Raises 10005 for a missing file, 10012..10015 when a capacity of the settings is
/// exceeded, 5 for a Folder line whose "]" stands before its "[", and the FileStore's
/// errors; what was read before a failure stays in `definition`. An empty resolved path
/// reads nothing.
void ReadProjectDefinitionFile(const FileStore& files, const ProjectSettings& settings,
                               const ProgramOptions& options, bool resolve_names,
                               ProjectDefinition& definition);

/// The same, returning a fresh definition (nothing of it survives a failure).
ProjectDefinition ReadProjectDefinitionFile(const FileStore& files, const ProjectSettings& settings,
                                            const ProgramOptions& options, bool resolve_names);

/// The Document at the given indexes; raises 9 "Subscript out of range" for indexes
/// outside the tables.
const DocumentEntry& DocumentAt(const ProjectDefinition& definition, Int16 folder_index,
                                Int16 document_index);

/// Reads the current Project's definition into workspace.definition. With
/// `report_errors` a failure is shown with the common error report through the host
/// (the tables keep what was read) and false returned; otherwise it is raised with its
/// number and text.
bool ReadProjectDefinition(Workspace& workspace, bool resolve_names, bool report_errors);

}  // namespace tarvelo

#endif  // TARVELO_PROJECT_PROJECT_DEFINITION_H_
