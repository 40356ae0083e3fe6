// Feeds the bytes as a Content File to LoadContentFile, with parameter values trimmed
// and kept as they are, and checks the per-file limit held.
#include <cstdint>

#include "common/error.h"
#include "engine/content_file.h"
#include "fuzz_support.h"
#include "project/file_store.h"
#include "project/project_settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tarvelo;
  static const FileStore files(std::map<char, std::string>{});
  static fuzz::NullLog log;
  const std::string path = fuzz::WriteScratchFile("page.par", fuzz::AsText(data, size));
  ProjectSettings settings = NewProjectSettings();
  settings.max_content_file_macros = 40;
  settings.max_parameters = 4;
  MacroTable macros;
  DimensionMacroTable(macros, settings);
  for (Int16 trim : {0, 1}) {
    settings.trim_parameter_values = trim;
    ContentFileEntry entry;
    try {
      const Int16 result = LoadContentFile(files, settings, macros, log, kLevelContentFiles, entry,
                                           path, true, false);
      if (result != kLoaded && result != kLoadedWithWarnings) __builtin_trap();
    } catch (const TarveloError& error) {
      if (error.number != kErrMacroSyntax && error.number != kErrTooManyMacros) __builtin_trap();
    }
    if (entry.slots.size() > 40) __builtin_trap();
  }
  return 0;
}
