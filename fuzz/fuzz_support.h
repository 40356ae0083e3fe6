// What the fuzz targets share: a per-process scratch folder on the disk (the readers
// go through FileStore, as the program's do), writing an input there, and a log that
// drops its lines.
#ifndef TARVELO_FUZZ_FUZZ_SUPPORT_H_
#define TARVELO_FUZZ_FUZZ_SUPPORT_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/log_sink.h"

namespace tarvelo::fuzz {

/// The scratch folder of this process, made on first use under $TMPDIR (or /tmp) and
/// removed at exit; ends without a separator.
const std::string& ScratchFolder();

/// ScratchFolder() + "/" + name.
std::string ScratchPath(std::string_view name);

/// Writes `bytes` as the whole file `name` in the scratch folder; returns its path.
/// Aborts when the disk refuses, since every later input would be wrong.
std::string WriteScratchFile(std::string_view name, std::string_view bytes);

/// The fuzzer's input as text.
inline std::string_view AsText(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

/// Splits off the text up to the first LF (without it) and moves `rest` past it; the
/// whole of `rest` when there is no LF.
std::string_view NextLine(std::string_view& rest);

class NullLog : public LogSink {
 public:
  void WriteLog(const std::string&) override {}
};

}  // namespace tarvelo::fuzz

#endif  // TARVELO_FUZZ_FUZZ_SUPPORT_H_
