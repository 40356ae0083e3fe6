// Feeds the bytes as a batch-mode argument text to ParseCommandLine and as a command
// to SplitCommandLine; joining the split arguments again must not fail either.
#include <cstdint>

#include "common/error.h"
#include "common/shell_words.h"
#include "fuzz_support.h"
#include "generation/command_line.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tarvelo;
  const std::string_view text = fuzz::AsText(data, size);
  try {
    ParseCommandLine(text);
  } catch (const TarveloError& error) {
    // Only /modified-only= may fail, and only as a number.
    if (error.number != kTypeMismatch && error.number != kOverflow) __builtin_trap();
  }
  const std::vector<std::string> arguments = SplitCommandLine(text);
  try {
    ParseCommandLine(JoinArguments(arguments));
  } catch (const TarveloError&) {
  }
  return 0;
}
