// The files a generated Document must never be written over: the Project's sources
// and the program's own files. Paths are compared as the disk sees them: symbolic
// links and ".." resolved, and by device and inode where the file exists, so no
// spelling of a path (a linked folder, a hard link) slips past.
#ifndef TARVELO_GENERATION_PROTECTED_FILES_H_
#define TARVELO_GENERATION_PROTECTED_FILES_H_

#include <map>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace tarvelo {

class FileStore;

enum class ProtectedKind { kNone, kSource, kOwnFile };

class ProtectedFiles {
 public:
  explicit ProtectedFiles(const FileStore& files) : files_(files) {}

  /// Protects the file at `path` (an empty path is ignored).
  void Add(std::string_view path, ProtectedKind kind);
  /// Protects every pass file: `stem` + "." + a number (for each stem added).
  void AddPassFiles(std::string_view stem);
  /// What the file at `path` is, kNone when it is not protected. Safe to call from
  /// several threads at once once every file has been added.
  ProtectedKind Find(std::string_view path) const;

 private:
  using Identity = std::pair<unsigned long long, unsigned long long>;
  // A path as the disk sees it, and what one look there found.
  struct Look {
    std::string disk;
    bool link = false;
    bool found = false;  // the file (a link's final target) is there
    Identity identity;
  };

  Look LookAt(std::string_view path) const;
  std::string Canonical(const Look& look) const;
  std::string ResolvedPath(const std::string& disk_path) const;

  const FileStore& files_;
  /// Folders resolved so far: a run protects thousands of files in a few folders, and
  /// resolving every component of every path cost a system call per component.
  mutable std::unordered_map<std::string, std::string> folders_;
  mutable std::mutex folders_mutex_;
  std::map<std::string, ProtectedKind> by_path_;
  std::map<Identity, ProtectedKind> by_inode_;
  std::vector<std::string> pass_stems_;
};

}  // namespace tarvelo

#endif  // TARVELO_GENERATION_PROTECTED_FILES_H_
