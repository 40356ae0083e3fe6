// The locks use flock on a descriptor of their own (opened with O_CLOEXEC, so a
// command started meanwhile does not inherit them); the kernel drops them when the
// process ends, however it ends.
#include "project/file_locks.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "common/error.h"
#include "project/file_store.h"

namespace tarvelo {

FolderLock::~FolderLock() {
  Release();
}

bool FolderLock::TryLock(const FileStore& files, const std::string& folder) {
  if (fd_ >= 0) return true;
  const int fd = ::open(files.DiskPath(folder).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) throw SystemFileError(errno, folder);
  while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    if (errno == EINTR) continue;
    const int err = errno;
    ::close(fd);
    if (err == EWOULDBLOCK) return false;
    throw SystemFileError(err, folder);
  }
  fd_ = fd;
  return true;
}

void FolderLock::Release() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

FileUpdateLock::FileUpdateLock(const FileStore& files, const std::string& path) {
  const std::string disk = files.DiskPath(path);
  // A writer renames a new file over the old one, so a lock won on the old file may no
  // longer be the file's: take it again on whatever the name holds now.
  for (int attempt = 0; attempt < 100; ++attempt) {
    const int fd = ::open(disk.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return;
    int locked = 0;
    do {
      locked = ::flock(fd, LOCK_EX);
    } while (locked != 0 && errno == EINTR);
    struct stat held;
    struct stat named;
    if (locked == 0 && ::fstat(fd, &held) == 0 && ::stat(disk.c_str(), &named) == 0 &&
        held.st_dev == named.st_dev && held.st_ino == named.st_ino) {
      fd_ = fd;
      return;
    }
    ::close(fd);
    if (locked != 0) return;
  }
}

FileUpdateLock::~FileUpdateLock() {
  if (fd_ >= 0) ::close(fd_);
}

}  // namespace tarvelo
