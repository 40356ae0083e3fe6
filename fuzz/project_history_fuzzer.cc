// Feeds the bytes as a Project History file ("projects.ini") to ReadProjectHistory,
// with project files beside it for the names to come from ("P:" names that folder);
// the indexes it sets must point into the table, and the current entry must be listed.
#include <cstdint>

#include "common/error.h"
#include "fuzz_support.h"
#include "project/file_store.h"
#include "project/project_history.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tarvelo;
  static const FileStore files(std::map<char, std::string>{{'P', fuzz::ScratchFolder()}});
  static const bool made = [] {
    fuzz::WriteScratchFile("a.web", "name=Alpha\r\n");
    fuzz::WriteScratchFile("b.web", "name=Beta\r\n");
    fuzz::WriteScratchFile("noname.web", "document-root=/x\r\n");
    return true;
  }();
  (void)made;
  const std::string path = fuzz::WriteScratchFile("projects.ini", fuzz::AsText(data, size));

  ProjectHistory history;
  history.entries.resize(8);
  try {
    ReadProjectHistory(files, path, history);
  } catch (const TarveloError& error) {
    if (history.current_index != -1) __builtin_trap();
  }
  const int entries = static_cast<int>(history.entries.size());
  if (history.last_index < -1 || history.last_index >= entries) __builtin_trap();
  if (history.current_index < -1 || history.current_index > history.last_index) __builtin_trap();
  if (history.current_index >= 0 && history.entries[history.current_index].state <= kHistoryEmpty) {
    __builtin_trap();
  }
  return 0;
}
