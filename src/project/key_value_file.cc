// The key=value reader looks each key up in the whole text, as CR LF + key + "=",
// so a key counts only at the start of a line and its first occurrence wins.
#include "project/key_value_file.h"

#include "common/error.h"
#include "common/text.h"
#include "project/file_store.h"

namespace tarvelo {

KeyValueText KeyValueText::Read(const FileStore& files, std::string_view path) {
  TextReader reader = files.OpenTextFile(path);
  KeyValueText result;
  result.text_ = kCrLf;
  std::string line;
  while (reader.ReadLine(line)) {
    result.text_ += line;
    result.text_ += kCrLf;
  }
  reader.Close();
  return result;
}

KeyValueText KeyValueText::FromText(std::string_view text) {
  KeyValueText result;
  result.text_ = kCrLf;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    result.text_ += line;
    result.text_ += kCrLf;
    start = end + 1;
  }
  return result;
}

std::string KeyValueText::Text(std::string_view key, std::string_view absent) const {
  std::string needle(kCrLf);
  needle += key;
  needle += '=';
  const size_t pos = text_.find(needle);
  if (pos == std::string::npos) return std::string(absent);
  const size_t value_start = pos + needle.size();
  const size_t value_end = text_.find(kCrLf, value_start);
  return text_.substr(value_start, value_end - value_start);
}

Int16 KeyValueText::Number(std::string_view key, Int16 absent) const {
  std::string needle(kCrLf);
  needle += key;
  needle += '=';
  if (text_.find(needle) == std::string::npos) return absent;
  return ToInt16(Text(key, ""));
}

void KeyValueWriter::Add(std::string_view key, std::string_view value) {
  // A value cannot span lines: a line break in it would start a line of its own that
  // the reader takes for another key (and, coming first, that key would win).
  std::string single_line(value);
  ReplaceAll(single_line, kCrLf, " ");
  ReplaceAll(single_line, "\n", " ");
  lines_ += key;
  lines_ += '=';
  lines_ += Trim(single_line);
  lines_ += kCrLf;
}

void KeyValueWriter::Add(std::string_view key, Int16 value) {
  Add(key, DecimalText(value));
}

void KeyValueWriter::WriteTo(const FileStore& files, std::string_view path) const {
  TextWriter writer = files.ReplaceTextFile(path);
  writer.Write(lines_);
  writer.Close();
}

bool ReadFirstLine(const FileStore& files, const std::string& path, std::string& first_line,
                   bool* empty) {
  TextReader reader;
  try {
    reader = files.OpenTextFile(path);
  } catch (const TarveloError& error) {
    // A folder in the file's place counts as missing, but a looping link does not.
    const bool looping = error.number == kPathFileAccessError && !files.FolderExists(path);
    if (looping || files.FileExists(path)) throw;
    return false;
  }
  const bool has_line = reader.ReadLine(first_line);
  if (empty != nullptr) *empty = !has_line;
  reader.Close();
  return true;
}

}  // namespace tarvelo
