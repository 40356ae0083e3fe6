// The key=value text format shared by project files and the Program Options file:
// keys exact and at the start of a line, the first occurrence counts, values verbatim
// to the end of the line when read, trimmed when written.
#ifndef TARVELO_PROJECT_KEY_VALUE_FILE_H_
#define TARVELO_PROJECT_KEY_VALUE_FILE_H_

#include <string>
#include <string_view>

#include "common/int16.h"

namespace tarvelo {

class FileStore;

/// A whole key=value file held as one text, every line ended by CR LF.
class KeyValueText {
 public:
  /// Reads the file through the FileStore (raises its open or read error).
  static KeyValueText Read(const FileStore& files, std::string_view path);
  /// Wraps text that is already in memory (its lines separated by LF or CR LF).
  static KeyValueText FromText(std::string_view text);

  /// The value of the first line starting with key + "=", or `absent` when none.
  std::string Text(std::string_view key, std::string_view absent) const;
  /// The same, converted to a 16-bit number (raises 13 or 6 for a bad value).
  Int16 Number(std::string_view key, Int16 absent) const;

 private:
  std::string text_;  // starts with CR LF so every key is found as CR LF + key + "="
};

/// Collects key=value lines and writes them as a whole file.
class KeyValueWriter {
 public:
  /// Adds key=value with the value's blanks trimmed; a line break inside the value
  /// becomes a blank, so no value can smuggle in a line of its own.
  void Add(std::string_view key, std::string_view value);
  void Add(std::string_view key, Int16 value);
  /// Writes all lines through a temporary sibling renamed over `path`.
  void WriteTo(const FileStore& files, std::string_view path) const;
  const std::string& lines() const { return lines_; }

 private:
  std::string lines_;
};

/// Opens a configuration file and reads its first line ("" and `*empty` set for a file
/// without lines). False when no file is there; an existing file that cannot be opened
/// raises, so that it is never mistaken for a missing one and replaced by defaults.
bool ReadFirstLine(const FileStore& files, const std::string& path, std::string& first_line,
                   bool* empty = nullptr);

}  // namespace tarvelo

#endif  // TARVELO_PROJECT_KEY_VALUE_FILE_H_
