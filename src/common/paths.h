// Path routines. Every routine accepts both "\" and "/" as separators, because Project
// files keep their Windows habits; where a separator is added it is the native one.
#ifndef TARVELO_COMMON_PATHS_H_
#define TARVELO_COMMON_PATHS_H_

#include <string>
#include <string_view>

namespace tarvelo {

inline constexpr char kNativeSeparator = '/';

inline bool IsSeparator(char c) {
  return c == '\\' || c == '/';
}

bool StartsWithSeparator(std::string_view path);
bool EndsWithSeparator(std::string_view path);

/// Position of the last separator, or npos.
size_t LastSeparator(std::string_view path);

/// The path up to and including its last separator; empty when it has none.
std::string FolderOfPath(std::string_view path);

/// The text after the last separator.
std::string FileNameOfPath(std::string_view path);

/// `folder` + `name` with one native separator between them unless `folder` already
/// ends with a separator; an empty folder leaves the name unchanged.
std::string JoinPath(std::string_view folder, std::string_view name);

/// Every "\" turned into the native separator.
std::string ToNativeSeparators(std::string_view path);

/// True for a name that holds no ":" and does not begin with a separator.
bool IsRelativeName(std::string_view name);

}  // namespace tarvelo

#endif  // TARVELO_COMMON_PATHS_H_
