// Feeds the bytes as a Project Definition File, read with names left as written and
// with names resolved against a content root holding a few of the files it may name;
// the tables must stay within the capacities of the settings.
#include <cstdint>
#include <cstring>

#include "common/error.h"
#include "fuzz_support.h"
#include "project/file_store.h"
#include "project/program_options.h"
#include "project/project_definition.h"
#include "project/project_settings.h"

namespace {

void CheckCapacities(const tarvelo::ProjectDefinition& definition,
                     const tarvelo::ProjectSettings& settings) {
  if (definition.folders.size() > static_cast<size_t>(settings.max_folders)) __builtin_trap();
  if (definition.globals.size() > static_cast<size_t>(settings.max_globals)) __builtin_trap();
  for (const tarvelo::FolderEntry& folder : definition.folders) {
    if (folder.documents.size() > static_cast<size_t>(settings.max_docs)) __builtin_trap();
    if (folder.folder_globals.size() > static_cast<size_t>(settings.max_folder_globals)) {
      __builtin_trap();
    }
    for (const tarvelo::DocumentEntry& document : folder.documents) {
      if (document.content_files.size() > static_cast<size_t>(settings.max_content_files)) {
        __builtin_trap();
      }
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tarvelo;
  // "P:" names the scratch folder, so a definition may reach the files made below by
  // a drive as well as by a relative name.
  static const FileStore files(std::map<char, std::string>{{'P', fuzz::ScratchFolder()}});
  static const bool made = [] {
    for (const char* name : {"a.par", "b.par", "extra.par", "page.tpl", "index.html"}) {
      fuzz::WriteScratchFile(name, "[@X]:x\r\n");
    }
    return true;
  }();
  (void)made;
  fuzz::WriteScratchFile("project.txt", fuzz::AsText(data, size));

  ProjectSettings settings = NewProjectSettings();
  settings.content_root = fuzz::ScratchFolder() + "/";
  settings.document_root = fuzz::ScratchFolder() + "/out/";
  settings.default_content_root = "P:\\";
  settings.definition_file = "project.txt";
  settings.global_content_files = "extra.par";
  settings.max_folders = 6;
  settings.max_docs = 8;
  settings.max_globals = 3;
  settings.max_folder_globals = 3;
  settings.max_content_files = 3;
  const ProgramOptions options;
  for (bool resolve : {false, true}) {
    ProjectDefinition definition;
    try {
      ReadProjectDefinitionFile(files, settings, options, resolve, definition);
    } catch (const TarveloError& error) {
      const bool capacity =
          error.number >= kErrTooManyFolders && error.number <= kErrTooManyContentFiles;
      // A file holding null bytes is refused as not a text file, and only such a file.
      const bool binary =
          error.number == kInvalidFileFormat && std::memchr(data, 0, size) != nullptr;
      if (!capacity && !binary && error.number != kInvalidProcedureCall) __builtin_trap();
    }
    CheckCapacities(definition, settings);
  }
  return 0;
}
