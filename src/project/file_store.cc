// POSIX implementation of the file-system service.
#include "project/file_store.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "common/error.h"
#include "common/paths.h"

namespace tarvelo {
namespace {

constexpr size_t kReadBufferSize = 64 * 1024;
constexpr size_t kWriteFlushSize = 64 * 1024;
// CopyFile holds a source up to this size in memory: it is compared with the
// destination and written from there, read once.
constexpr off_t kWholeCopyLimit = 1 << 20;
// What a caller found at a rewrite's target: not looked (kNotSeen), nothing there
// (kSeenMissing), or a plain file's permission bits.
constexpr int kNotSeen = -2;
constexpr int kSeenMissing = -1;

bool IsFolder(const std::string& disk_path) {
  struct stat st;
  return ::stat(disk_path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// A missing file is 53, but a missing folder on the way to it is 76.
[[noreturn]] void ThrowOpenError(int err, std::string_view path, const std::string& disk_path) {
  if (err == ENOENT) {
    const std::string folder = FolderOfPath(disk_path);
    if (!folder.empty() && !IsFolder(folder)) throw FileError(kPathNotFound, std::string(path));
  }
  throw SystemFileError(err, std::string(path));
}

bool WriteAll(int fd, const char* data, size_t size) {
  while (size > 0) {
    const ssize_t written = ::write(fd, data, size);
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += written;
    size -= static_cast<size_t>(written);
  }
  return true;
}

// Temporary siblings are named by slot, so a writer that finds its slot taken by one
// that a killed writer left behind can tell so and reuse the name. A live writer
// holds an flock on its sibling; a sibling whose lock can be had has no writer.
constexpr int kTemporarySlots = 4;
constexpr std::string_view kSiblingMark = ".tarvelo-";
constexpr std::string_view kSiblingEnd = ".tmp";

std::string TemporarySibling(const std::string& disk_target, int slot) {
  return FolderOfPath(disk_target) + "." + FileNameOfPath(disk_target) + std::string(kSiblingMark) +
         std::to_string(slot) + std::string(kSiblingEnd);
}

// ".NAME.tarvelo-N.tmp", N decimal.
bool IsSiblingName(std::string_view name) {
  if (name.size() < 2 || name[0] != '.' || !name.ends_with(kSiblingEnd)) return false;
  name.remove_suffix(kSiblingEnd.size());
  const size_t mark = name.rfind(kSiblingMark);
  if (mark == std::string_view::npos || mark == 0) return false;
  const std::string_view digits = name.substr(mark + kSiblingMark.size());
  if (digits.empty()) return false;
  for (char c : digits) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

bool SameFile(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Removes the sibling when no writer holds it; true when it was removed.
bool RemoveIfStale(const std::string& sibling) {
  const int fd = ::open(sibling.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  bool removed = false;
  struct stat held;
  struct stat named;
  if (::fstat(fd, &held) == 0 && S_ISREG(held.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
      ::lstat(sibling.c_str(), &named) == 0 && SameFile(held, named)) {
    removed = ::unlink(sibling.c_str()) == 0;
  }
  ::close(fd);
  return removed;
}

// True when the freshly created sibling is still ours under its name once locked: a
// sweeper may have taken it for stale between the create and the lock.
bool LockOwnSibling(int fd, const std::string& sibling) {
  struct stat mine;
  struct stat named;
  return ::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &mine) == 0 &&
         ::lstat(sibling.c_str(), &named) == 0 && SameFile(mine, named);
}

// The file a rewrite replaces: a symbolic link is followed to its final target, so the
// link stays a link (a configuration file kept among one's dotfiles).
std::string FollowLinks(const std::string& disk_path, std::string_view path) {
  std::string current = disk_path;
  for (int hop = 0; hop < 40; ++hop) {
    struct stat st;
    if (::lstat(current.c_str(), &st) != 0) {
      if (errno == ENOENT) return current;
      throw SystemFileError(errno, std::string(path));
    }
    if (!S_ISLNK(st.st_mode)) return current;
    char buffer[PATH_MAX];
    const ssize_t length = ::readlink(current.c_str(), buffer, sizeof buffer - 1);
    if (length <= 0) throw SystemFileError(length < 0 ? errno : ENOENT, std::string(path));
    const std::string target(buffer, static_cast<size_t>(length));
    current = target.front() == '/' ? target : FolderOfPath(current) + target;
  }
  throw SystemFileError(ELOOP, std::string(path));
}

// The process's file mode mask, read once: reading it means setting it for a moment,
// and a file another thread created in that moment would take the wrong mode. The
// FileStore reads it when made, before any generation job starts.
mode_t ProcessUmask() {
  static const mode_t mask = [] {
    const mode_t value = ::umask(0);
    ::umask(value);
    return value;
  }();
  return mask;
}

// Opens a plain file for reading and gives its status. O_NONBLOCK: opening a FIFO
// named as a source would otherwise wait for a writer for ever; it is refused like any
// file that is not a plain file. Reads of a plain file ignore the flag.
int OpenPlainFileForReading(std::string_view path, const std::string& disk, struct stat& st) {
  const int fd = ::open(disk.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) ThrowOpenError(errno, path, disk);
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    throw FileError(kPathFileAccessError, std::string(path));
  }
  return fd;
}

// Opens the temporary sibling that a rewrite fills. Where the file system allows it
// the file has no name until it is complete (`temp_path` stays empty), so a writer
// that is killed leaves nothing behind; otherwise it is a locked slot sibling. The new
// file takes the target's permission bits when the target exists, so a rewrite never
// changes who may read or write it. `seen_mode` is what a look at the target just now
// found when the caller made one (the bits of a plain file, or kSeenMissing), else
// kNotSeen: then it looks.
int OpenTemporarySibling(const std::string& disk_target, int seen_mode, bool unnamed_files,
                         std::string& temp_path, bool& target_missing, int& err) {
  struct stat st;
  if (seen_mode == kNotSeen) {
    seen_mode =
        ::stat(disk_target.c_str(), &st) == 0 ? static_cast<int>(st.st_mode & 07777) : kSeenMissing;
  }
  const bool existed = seen_mode != kSeenMissing;
  target_missing = !existed;
  const mode_t target_mode = existed ? static_cast<mode_t>(seen_mode) : 0;
  temp_path.clear();
  const std::string folder = FolderOfPath(disk_target);
  int fd = -1;
  if (unnamed_files) {
    // A new file's bits come from the umask, applied by the kernel as it creates it.
    fd = ::open(folder.empty() ? "." : folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC,
                existed ? 0600 : 0666);
    if (fd < 0 && errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) {
      err = errno;
      return -1;
    }
    if (fd >= 0) {
      // Locked once it has a name (NameTemporaryFile): unnamed, no sweeper can see it.
      if (existed) ::fchmod(fd, target_mode);
      return fd;
    }
  }
  for (int attempt = 0; fd < 0 && attempt < 2 * kTemporarySlots; ++attempt) {
    const std::string sibling = TemporarySibling(disk_target, attempt % kTemporarySlots);
    fd = ::open(sibling.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) {
      if (errno != EEXIST) {
        err = errno;
        return -1;
      }
      RemoveIfStale(sibling);
    } else if (LockOwnSibling(fd, sibling)) {
      temp_path = sibling;
    } else {
      ::close(fd);
      fd = -1;
    }
  }
  if (fd < 0) {
    err = EEXIST;
    return -1;
  }
  mode_t mode = target_mode;
  if (!existed) mode = 0666 & ~ProcessUmask();
  ::fchmod(fd, mode);
  return fd;
}

// Puts a finished sibling in the place of its target. An existing regular file is
// exchanged with the sibling and its old bytes removed after: renaming over an existing
// file makes ext4 write the new file's data out at once (its replace-by-rename
// safeguard), which made every changed output wait for the disk. A reader sees the old
// or the new file at every moment either way, and a kill between the two steps leaves
// the old bytes in the sibling, which the stale-sibling sweep removes. Where the file
// system cannot exchange, or there is nothing to exchange with, it is a plain rename.
bool PutInPlace(const std::string& sibling, const std::string& target, int& err) {
  struct stat st;
  if (::lstat(target.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
      ::renameat2(AT_FDCWD, sibling.c_str(), AT_FDCWD, target.c_str(), RENAME_EXCHANGE) == 0) {
    ::unlink(sibling.c_str());
    return true;
  }
  if (::rename(sibling.c_str(), target.c_str()) == 0) return true;
  err = errno;
  return false;
}

// Gives an unnamed temporary file a slot name beside its target, for the rename.
std::string LinkOfDescriptor(int fd) {
  return "/proc/self/fd/" + std::to_string(fd);
}

bool NameTemporaryFile(int fd, const std::string& disk_target, std::string& temp_path, int& err) {
  ::flock(fd, LOCK_EX);
  const std::string self = LinkOfDescriptor(fd);
  for (int attempt = 0; attempt < 2 * kTemporarySlots; ++attempt) {
    const std::string sibling = TemporarySibling(disk_target, attempt % kTemporarySlots);
    if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, sibling.c_str(), AT_SYMLINK_FOLLOW) == 0) {
      temp_path = sibling;
      return true;
    }
    if (errno != EEXIST) {
      err = errno;
      return false;
    }
    RemoveIfStale(sibling);
  }
  err = EEXIST;
  return false;
}

}  // namespace

// ---------------------------------------------------------------- TextReader

TextReader::TextReader(int fd, std::string path)
    : fd_(fd),
      path_(std::move(path)),
      buffer_(new char[kReadBufferSize]),
      capacity_(kReadBufferSize) {}

TextReader TextReader::FromText(std::string_view text, std::string path) {
  TextReader reader;
  reader.path_ = std::move(path);
  reader.buffer_.reset(new char[text.size() + 1]);
  reader.capacity_ = text.size() + 1;
  std::memcpy(reader.buffer_.get(), text.data(), text.size());
  reader.end_ = text.size();
  reader.eof_ = true;
  return reader;
}

TextReader::TextReader(TextReader&& other) noexcept {
  *this = std::move(other);
}

TextReader& TextReader::operator=(TextReader&& other) noexcept {
  if (this != &other) {
    Close();
    fd_ = other.fd_;
    path_ = std::move(other.path_);
    buffer_ = std::move(other.buffer_);
    capacity_ = other.capacity_;
    begin_ = other.begin_;
    end_ = other.end_;
    eof_ = other.eof_;
    other.fd_ = -1;
  }
  return *this;
}

TextReader::~TextReader() {
  Close();
}

void TextReader::Close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

bool TextReader::Fill() {
  if (eof_ || fd_ < 0) return false;
  if (begin_ > 0) {
    std::memmove(buffer_.get(), buffer_.get() + begin_, end_ - begin_);
    end_ -= begin_;
    begin_ = 0;
  }
  while (true) {
    const size_t wanted = capacity_ - end_;
    const ssize_t got = ::read(fd_, buffer_.get() + end_, wanted);
    if (got < 0) {
      if (errno == EINTR) continue;
      throw SystemFileError(errno, path_);
    }
    if (got == 0) {
      eof_ = true;
      return false;
    }
    end_ += static_cast<size_t>(got);
    // Only regular files are opened, and a short read of one is its end: asking again
    // to be told so would cost a system call per file.
    if (static_cast<size_t>(got) < wanted) eof_ = true;
    return true;
  }
}

bool TextReader::AtEndOfStream() {
  if (begin_ < end_) return false;
  return !Fill();
}

bool TextReader::ReadLine(std::string& line) {
  line.clear();
  if (AtEndOfStream()) return false;
  while (true) {
    const char* start = buffer_.get() + begin_;
    const void* lf = std::memchr(start, '\n', end_ - begin_);
    if (lf != nullptr) {
      const size_t length = static_cast<const char*>(lf) - start;
      line.append(start, length);
      begin_ += length + 1;
      break;
    }
    line.append(start, end_ - begin_);
    begin_ = end_ = 0;
    if (!Fill()) break;
  }
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return true;
}

std::string TextReader::ReadLine() {
  std::string line;
  if (!ReadLine(line)) throw RuntimeError(kInputPastEndOfFile);
  return line;
}

// ---------------------------------------------------------------- TextWriter

TextWriter::TextWriter(int fd, std::string path, std::string disk_target, std::string temp_path)
    : fd_(fd),
      path_(std::move(path)),
      disk_target_(std::move(disk_target)),
      temp_path_(std::move(temp_path)) {}

TextWriter::TextWriter(TextWriter&& other) noexcept {
  *this = std::move(other);
}

TextWriter& TextWriter::operator=(TextWriter&& other) noexcept {
  if (this != &other) {
    Abandon();
    fd_ = other.fd_;
    path_ = std::move(other.path_);
    disk_target_ = std::move(other.disk_target_);
    temp_path_ = std::move(other.temp_path_);
    buffer_ = std::move(other.buffer_);
    written_ = other.written_;
    cut_at_close_ = other.cut_at_close_;
    target_missing_ = other.target_missing_;
    keep_copy_ = other.keep_copy_;
    copy_limit_ = other.copy_limit_;
    copy_ = std::move(other.copy_);
    other.fd_ = -1;
    other.disk_target_.clear();
    other.temp_path_.clear();
  }
  return *this;
}

TextWriter::~TextWriter() {
  if (disk_target_.empty() && fd_ >= 0) {
    // A plain file keeps what was written so far, as an appended log line must.
    if (WriteAll(fd_, buffer_.data(), buffer_.size()))
      written_ += static_cast<long long>(buffer_.size());
    CutStaleTail();
  }
  Abandon();
}

void TextWriter::CutStaleTail() noexcept {
  if (!cut_at_close_ || fd_ < 0) return;
  struct stat st;
  if (::fstat(fd_, &st) == 0 && st.st_size > written_) {
    if (::ftruncate(fd_, written_) != 0) return;
  }
}

void TextWriter::Abandon() noexcept {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  if (!temp_path_.empty()) ::unlink(temp_path_.c_str());
  temp_path_.clear();
  disk_target_.clear();
  buffer_.clear();
  keep_copy_ = false;
  copy_.clear();
}

void TextWriter::Flush() {
  if (buffer_.empty()) return;
  if (fd_ < 0 || !WriteAll(fd_, buffer_.data(), buffer_.size())) {
    const int err = fd_ < 0 ? EBADF : errno;
    Abandon();
    throw SystemFileError(err, path_);
  }
  written_ += static_cast<long long>(buffer_.size());
  if (keep_copy_) {
    if (copy_.size() + buffer_.size() <= copy_limit_) {
      copy_ += buffer_;
    } else {
      keep_copy_ = false;
      std::string().swap(copy_);
    }
  }
  buffer_.clear();
}

bool TextWriter::TakeCopy(std::string& text) {
  if (!keep_copy_ || fd_ >= 0) return false;
  text.swap(copy_);
  copy_.clear();
  keep_copy_ = false;
  return true;
}

void TextWriter::KeepCopy(size_t limit) {
  keep_copy_ = written_ == 0;
  copy_limit_ = limit;
  copy_.clear();
}

void TextWriter::Write(std::string_view text) {
  if (fd_ < 0) throw RuntimeError(kBadFileName);
  buffer_.append(text);
  if (buffer_.size() >= kWriteFlushSize) Flush();
}

void TextWriter::WriteLine(std::string_view text) {
  Write(text);
  buffer_.append("\r\n");
}

void TextWriter::Close() {
  if (fd_ < 0) return;
  Flush();
  CutStaleTail();
  if (disk_target_.empty()) {
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) throw SystemFileError(errno, path_);
    return;
  }
  int err = 0;
  // A complete unnamed file whose target was not there gets the target's name at once:
  // the name appears with the whole file behind it, and nothing is replaced.
  if (temp_path_.empty() && target_missing_) {
    if (::linkat(AT_FDCWD, LinkOfDescriptor(fd_).c_str(), AT_FDCWD, disk_target_.c_str(),
                 AT_SYMLINK_FOLLOW) == 0) {
      disk_target_.clear();
      const int fd = fd_;
      fd_ = -1;
      if (::close(fd) != 0) throw SystemFileError(errno, path_);
      return;
    }
    if (errno != EEXIST) {
      err = errno;
      Abandon();
      throw SystemFileError(err, path_);
    }
  }
  // The sibling stays open, and so locked, until it has been renamed: a sweeper must
  // never take a finished file for a stale one.
  if (temp_path_.empty() && !NameTemporaryFile(fd_, disk_target_, temp_path_, err)) {
    Abandon();
    throw SystemFileError(err, path_);
  }
  if (!PutInPlace(temp_path_, disk_target_, err)) {
    Abandon();
    throw SystemFileError(err, path_);
  }
  temp_path_.clear();
  disk_target_.clear();
  const int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0) throw SystemFileError(errno, path_);
}

// ---------------------------------------------------------------- FileStore

namespace {

std::map<char, std::string> DrivesFromEnvironment() {
  std::map<char, std::string> drives;
  for (char letter = 'A'; letter <= 'Z'; ++letter) {
    const std::string name = std::string("TARVELO_DRIVE_") + letter;
    if (const char* value = std::getenv(name.c_str())) drives[letter] = value;
  }
  return drives;
}

}  // namespace

FileStore::FileStore() : FileStore(DrivesFromEnvironment()) {}

FileStore::FileStore(std::map<char, std::string> drives)
    : drives_(std::move(drives)), unnamed_files_(::access("/proc/self/fd", X_OK) == 0) {
  ProcessUmask();
}

std::string FileStore::DiskPath(std::string_view path) const {
  std::string rest(path);
  std::string prefix;
  if (rest.size() >= 2 && rest[1] == ':' && std::isalpha(static_cast<unsigned char>(rest[0]))) {
    const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(rest[0])));
    const auto it = drives_.find(letter);
    prefix = it != drives_.end() ? it->second : "/";
    rest.erase(0, 2);
  }
  for (char& c : rest) {
    if (c == '\\') c = '/';
  }
  if (prefix.empty()) return rest;
  if (!prefix.empty() && prefix.back() == '/') prefix.pop_back();
  if (!rest.empty() && rest.front() != '/') rest.insert(0, 1, '/');
  return prefix + rest;
}

bool FileStore::FileExists(std::string_view path) const noexcept {
  try {
    struct stat st;
    return !path.empty() && ::stat(DiskPath(path).c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
  } catch (...) {
    return false;
  }
}

bool FileStore::FolderExists(std::string_view path) const noexcept {
  try {
    return !path.empty() && IsFolder(DiskPath(path));
  } catch (...) {
    return false;
  }
}

FileFacts FileStore::Examine(std::string_view path) const noexcept {
  FileFacts facts;
  try {
    struct stat st;
    if (path.empty() || ::stat(DiskPath(path).c_str(), &st) != 0) return facts;
    facts.exists = true;
    facts.folder = S_ISDIR(st.st_mode);
    facts.read_only = (st.st_mode & S_IWUSR) == 0;
    facts.modified = static_cast<std::int64_t>(st.st_mtim.tv_sec);
  } catch (...) {
    facts = FileFacts();
  }
  return facts;
}

TextReader FileStore::OpenTextFile(std::string_view path) const {
  struct stat st;
  const int fd = OpenPlainFileForReading(path, DiskPath(path), st);
  return TextReader(fd, std::string(path));
}

TextWriter FileStore::OpenTextFileForAppending(std::string_view path) const {
  const std::string disk = DiskPath(path);
  // O_NONBLOCK: a FIFO without a reader (a list named in a project file) fails at once
  // instead of stopping the run for ever; plain files and devices ignore the flag.
  const int fd = ::open(disk.c_str(), O_WRONLY | O_APPEND | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) ThrowOpenError(errno, path, disk);
  return TextWriter(fd, std::string(path), "", "");
}

TextWriter FileStore::CreateTextFile(std::string_view path) const {
  const std::string disk = DiskPath(path);
  // Overwritten from the start and cut to length at Close() rather than truncated on
  // open: truncating to zero makes the file system flush the file when it is closed,
  // which made every pass file of a generation run wait for the disk.
  const int fd = ::open(disk.c_str(), O_WRONLY | O_CREAT | O_NONBLOCK | O_CLOEXEC, 0666);
  if (fd < 0) ThrowOpenError(errno, path, disk);
  TextWriter writer(fd, std::string(path), "", "");
  writer.cut_at_close_ = true;
  return writer;
}

TextWriter FileStore::ReplaceTextFile(std::string_view path) const {
  return OpenReplacement(path, FollowLinks(DiskPath(path), path), kNotSeen);
}

TextWriter FileStore::OpenReplacement(std::string_view path, const std::string& disk,
                                      int seen_mode) const {
  if (seen_mode == kNotSeen && IsFolder(disk)) {
    throw FileError(kPathFileAccessError, std::string(path));
  }
  SweepFolderOnce(disk);
  std::string temp;
  int err = 0;
  bool target_missing = false;
  const int fd = OpenTemporarySibling(disk, seen_mode, unnamed_files_, temp, target_missing, err);
  if (fd < 0) ThrowOpenError(err, path, disk);
  TextWriter writer(fd, std::string(path), disk, temp);
  writer.target_missing_ = target_missing;
  return writer;
}

namespace {

// Reads a regular file of `size` bytes whole; false when it turned out otherwise.
bool ReadWhole(int fd, off_t size, std::string& bytes) {
  bytes.resize(static_cast<size_t>(size) + 1);
  size_t got = 0;
  while (got < bytes.size()) {
    const ssize_t more = ::read(fd, bytes.data() + got, bytes.size() - got);
    if (more < 0 && errno == EINTR) continue;
    if (more <= 0) break;
    got += static_cast<size_t>(more);
    // A short read of a regular file is its end: no second read to be told so.
    if (got == static_cast<size_t>(size)) break;
  }
  bytes.resize(got);
  return got == static_cast<size_t>(size);
}

// True when the file at `disk_path` holds exactly `bytes`.
bool HoldsBytes(const std::string& disk_path, std::string_view bytes) {
  // O_NONBLOCK: a FIFO where an output goes must not wait for a writer; fstat refuses it.
  const int fd = ::open(disk_path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat st;
  std::string found;
  const bool same = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) &&
                    st.st_size == static_cast<off_t>(bytes.size()) &&
                    ReadWhole(fd, st.st_size, found) && found == bytes;
  ::close(fd);
  return same;
}

// True when the file at `disk_destination` holds exactly the bytes of the open file `in`
// (read from its start; `in` is left at its start again).
bool SameBytes(int in, const struct stat& in_stat, const std::string& disk_destination) {
  struct stat out_stat;
  if (::stat(disk_destination.c_str(), &out_stat) != 0 || !S_ISREG(out_stat.st_mode) ||
      out_stat.st_size != in_stat.st_size || in_stat.st_size > (1 << 24)) {
    return false;
  }
  const int out = ::open(disk_destination.c_str(), O_RDONLY | O_CLOEXEC);
  if (out < 0) return false;
  bool same = true;
  char a[kReadBufferSize];
  char b[kReadBufferSize];
  while (same) {
    const ssize_t got_a = ::read(in, a, sizeof a);
    if (got_a <= 0) {
      same = got_a == 0 && ::read(out, b, 1) == 0;
      break;
    }
    ssize_t got_b = 0;
    while (got_b < got_a) {
      const ssize_t more = ::read(out, b + got_b, static_cast<size_t>(got_a - got_b));
      if (more <= 0) break;
      got_b += more;
    }
    same = got_b == got_a && std::memcmp(a, b, static_cast<size_t>(got_a)) == 0;
  }
  ::close(out);
  ::lseek(in, 0, SEEK_SET);
  return same;
}

// Puts `out` in place, or hands it over complete and open when the caller asked for
// `finished` (it is then put in place when the caller closes it).
void Finish(TextWriter& out, TextWriter* finished) {
  if (finished == nullptr) {
    out.Close();
    return;
  }
  out.Flush();
  *finished = std::move(out);
}

}  // namespace

void FileStore::CopyFile(std::string_view source, std::string_view destination,
                         TextWriter* finished) const {
  const std::string disk_destination = DiskPath(destination);
  struct stat in_stat;
  const int in = OpenPlainFileForReading(source, DiskPath(source), in_stat);
  // A Document is read once and held: compared with the output, then written from
  // memory. Larger files are streamed.
  if (in_stat.st_size <= kWholeCopyLimit) {
    std::string bytes;
    if (ReadWhole(in, in_stat.st_size, bytes)) {
      ::close(in);
      CopyBytes(bytes, destination, disk_destination, finished);
      return;
    }
    ::lseek(in, 0, SEEK_SET);  // it changed as it was read: streamed as it is now
  }
  // A destination that already holds these bytes only has its time brought up to now:
  // the result is the same, and replacing it would make the file system write it again.
  if (SameBytes(in, in_stat, disk_destination) && TouchFile(destination)) {
    ::close(in);
    return;
  }
  TextWriter out;
  try {
    out = ReplaceTextFile(destination);
  } catch (...) {
    ::close(in);
    throw;
  }
  char buffer[kReadBufferSize];
  while (true) {
    const ssize_t got = ::read(in, buffer, sizeof buffer);
    if (got < 0) {
      if (errno == EINTR) continue;
      const int err = errno;
      ::close(in);
      throw SystemFileError(err, std::string(source));
    }
    if (got == 0) break;
    try {
      out.Write(std::string_view(buffer, static_cast<size_t>(got)));
    } catch (...) {
      ::close(in);
      throw;
    }
  }
  ::close(in);
  Finish(out, finished);
}

bool FileStore::TouchFile(std::string_view path) const {
  const std::string disk = DiskPath(path);
  if (::utimensat(AT_FDCWD, disk.c_str(), nullptr, 0) != 0) return false;
  SweepFolderOnce(disk);
  return true;
}

void FileStore::PutBytes(std::string_view bytes, std::string_view destination,
                         TextWriter* finished) const {
  CopyBytes(bytes, destination, DiskPath(destination), finished);
}

void FileStore::CopyBytes(std::string_view bytes, std::string_view destination,
                          const std::string& disk_destination, TextWriter* finished) const {
  // One look at the destination serves the comparison and the rewrite: a plain file
  // needs no following of links, no folder test and no second look for its bits.
  struct stat st;
  int seen_mode = kNotSeen;
  if (::lstat(disk_destination.c_str(), &st) != 0) {
    if (errno == ENOENT) seen_mode = kSeenMissing;
  } else if (S_ISREG(st.st_mode)) {
    seen_mode = static_cast<int>(st.st_mode & 07777);
  }
  // A plain file of another size cannot hold the bytes: no need to open it.
  const bool may_hold =
      seen_mode == kNotSeen || (seen_mode >= 0 && st.st_size == static_cast<off_t>(bytes.size()));
  if (may_hold && HoldsBytes(disk_destination, bytes) && TouchFile(destination)) return;
  TextWriter out = seen_mode == kNotSeen
                       ? ReplaceTextFile(destination)
                       : OpenReplacement(destination, disk_destination, seen_mode);
  out.Write(bytes);
  Finish(out, finished);
}

void FileStore::CreateFolder(std::string_view path) const {
  std::string disk = DiskPath(path);
  while (disk.size() > 1 && disk.back() == '/') disk.pop_back();
  if (::mkdir(disk.c_str(), 0777) != 0) {
    const int err = errno;
    if (err == EEXIST) throw FileError(kPathFileAccessError, std::string(path));
    if (err == ENOENT) throw FileError(kPathNotFound, std::string(path));
    throw SystemFileError(err, std::string(path));
  }
}

int FileStore::Attributes(std::string_view path) const {
  struct stat st;
  if (::stat(DiskPath(path).c_str(), &st) != 0) throw FileError(kFileNotFound, std::string(path));
  int attributes = 0;
  if ((st.st_mode & S_IWUSR) == 0) attributes |= 1;
  if (S_ISDIR(st.st_mode)) attributes |= 16;
  return attributes;
}

std::int64_t FileStore::DateLastModified(std::string_view path) const {
  struct stat st;
  if (::stat(DiskPath(path).c_str(), &st) != 0) throw FileError(kFileNotFound, std::string(path));
  return static_cast<std::int64_t>(st.st_mtim.tv_sec);
}

void FileStore::CutFile(std::string_view path, std::int64_t size) const {
  struct stat st;
  const std::string disk = DiskPath(path);
  if (::stat(disk.c_str(), &st) != 0 || st.st_size <= size) return;
  if (::truncate(disk.c_str(), static_cast<off_t>(size)) != 0) {
    throw SystemFileError(errno, std::string(path));
  }
}

void FileStore::SweepFolderOnce(const std::string& disk_file) const {
  std::string folder = FolderOfPath(disk_file);
  if (folder.empty()) folder = ".";
  {
    const std::lock_guard<std::mutex> guard(swept_mutex_);
    if (!swept_folders_.insert(folder).second) return;
  }
  RemoveStaleTemporaryFiles(folder);
}

int FileStore::RemoveStaleTemporaryFiles(std::string_view folder) const {
  const std::string disk = DiskPath(folder);
  DIR* dir = ::opendir(disk.c_str());
  if (dir == nullptr) return 0;
  std::vector<std::string> candidates;
  while (const struct dirent* entry = ::readdir(dir)) {
    if (IsSiblingName(entry->d_name)) candidates.push_back(JoinPath(disk, entry->d_name));
  }
  ::closedir(dir);
  int removed = 0;
  for (const std::string& candidate : candidates) removed += RemoveIfStale(candidate) ? 1 : 0;
  return removed;
}

std::string FileStore::ReadAll(std::string_view path) const {
  TextReader reader = OpenTextFile(path);
  std::string all;
  char buffer[kReadBufferSize];
  const int fd = reader.fd_;
  while (true) {
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got < 0) {
      if (errno == EINTR) continue;
      throw SystemFileError(errno, std::string(path));
    }
    if (got == 0) break;
    all.append(buffer, static_cast<size_t>(got));
  }
  return all;
}

}  // namespace tarvelo
