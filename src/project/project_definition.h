// ProjectDefinition: the Project Definition File read into tables: the Global Content
// Files, and the Folders with their Folder Globals and Documents.
#ifndef TARVELO_PROJECT_PROJECT_DEFINITION_H_
#define TARVELO_PROJECT_PROJECT_DEFINITION_H_

#include <cstdint>
#include <string>
#include <vector>

#include "common/int16.h"

namespace tarvelo {

struct DocumentEntry {
  std::string document;  // output file name or path
  std::string tmpl;      // the Template; empty for a static Document
  std::vector<std::string> content_files;
  Int16 double_bang = 0;   // line ends with "!!": no Folder Globals
  Int16 triple_bang = 0;   // line ends with "!!!": no Global Content Files either
  Int16 optimisation = -1; // -1 none, 0 " -ox", 1 " -o1", 2 " -o2"
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

// The reader and ResolveProjectPath are declared by the module that implements them.

}  // namespace tarvelo

#endif  // TARVELO_PROJECT_PROJECT_DEFINITION_H_
