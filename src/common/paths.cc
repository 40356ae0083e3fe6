// Path routines that treat "\" and "/" alike.
#include "common/paths.h"

namespace tarvelo {

bool StartsWithSeparator(std::string_view path) {
  return !path.empty() && IsSeparator(path.front());
}

bool EndsWithSeparator(std::string_view path) {
  return !path.empty() && IsSeparator(path.back());
}

size_t LastSeparator(std::string_view path) {
  return path.find_last_of("\\/");
}

std::string FolderOfPath(std::string_view path) {
  const size_t pos = LastSeparator(path);
  return pos == std::string_view::npos ? std::string() : std::string(path.substr(0, pos + 1));
}

std::string FileNameOfPath(std::string_view path) {
  const size_t pos = LastSeparator(path);
  return std::string(pos == std::string_view::npos ? path : path.substr(pos + 1));
}

std::string JoinPath(std::string_view folder, std::string_view name) {
  std::string joined(folder);
  if (folder.empty()) return std::string(name);
  if (!EndsWithSeparator(folder)) joined += kNativeSeparator;
  joined += name;
  return joined;
}

std::string ToNativeSeparators(std::string_view path) {
  std::string native(path);
  for (char& c : native) {
    if (IsSeparator(c)) c = kNativeSeparator;
  }
  return native;
}

bool IsRelativeName(std::string_view name) {
  return name.find(':') == std::string_view::npos && !StartsWithSeparator(name);
}

}  // namespace tarvelo
