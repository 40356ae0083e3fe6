// Advisory locks (flock) that keep two instances of the program apart: one on the
// temporary files folder for the whole of a generation run, since runs that share it
// would mix their pass files, log and lists; and one on a settings file for each
// read-modify-write, so that two instances never write over each other's changes.
#ifndef TARVELO_PROJECT_FILE_LOCKS_H_
#define TARVELO_PROJECT_FILE_LOCKS_H_

#include <string>

namespace tarvelo {

class FileStore;

/// An exclusive lock on a folder, held until Release() or destruction. Locks taken
/// through two FolderLocks exclude each other also within one process.
class FolderLock {
 public:
  FolderLock() = default;
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;
  ~FolderLock();

  /// Tries once, without waiting. True when the lock is held now; false when another
  /// holds it. Raises the file system's error when the folder cannot be opened.
  bool TryLock(const FileStore& files, const std::string& folder);
  bool held() const { return fd_ >= 0; }
  void Release();

 private:
  int fd_ = -1;
};

/// An exclusive lock on an existing file (a symbolic link is followed), taken on
/// construction, waiting for another holder, and held until destruction. A file that
/// does not exist yet is not locked. The lock follows the file when a holder renames a
/// new version over it.
class FileUpdateLock {
 public:
  FileUpdateLock(const FileStore& files, const std::string& path);
  FileUpdateLock(const FileUpdateLock&) = delete;
  FileUpdateLock& operator=(const FileUpdateLock&) = delete;
  ~FileUpdateLock();

 private:
  int fd_ = -1;
};

}  // namespace tarvelo

#endif  // TARVELO_PROJECT_FILE_LOCKS_H_
