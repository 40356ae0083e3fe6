// POSIX implementation of the file-system service.
#include "project/file_store.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <random>

#include "common/error.h"
#include "common/paths.h"

namespace tarvelo {
namespace {

constexpr size_t kReadBufferSize = 64 * 1024;
constexpr size_t kWriteFlushSize = 64 * 1024;

int ErrorNumberForErrno(int err) {
  switch (err) {
    case ENOENT:
      return kFileNotFound;
    case ENOTDIR:
      return kPathNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
      return kPermissionDenied;
    case ENAMETOOLONG:
      return kBadFileName;
    default:
      return kPathFileAccessError;
  }
}

bool IsFolder(const std::string& disk_path) {
  struct stat st;
  return ::stat(disk_path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// A missing file is 53, but a missing folder on the way to it is 76.
[[noreturn]] void ThrowOpenError(int err, std::string_view path, const std::string& disk_path) {
  int number = ErrorNumberForErrno(err);
  if (err == ENOENT) {
    const std::string folder = FolderOfPath(disk_path);
    if (!folder.empty() && !IsFolder(folder)) number = kPathNotFound;
  }
  throw FileError(number, std::string(path));
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

std::string TemporarySibling(const std::string& disk_target) {
  static thread_local std::mt19937_64 random{std::random_device{}()};
  const std::string folder = FolderOfPath(disk_target);
  const std::string name = FileNameOfPath(disk_target);
  return folder + "." + name + ".tarvelo-" + std::to_string(random() % 1000000000ULL) + ".tmp";
}

// Opens a fresh temporary sibling; the new file takes the target's permission bits
// when the target exists, so a rewrite never changes who may read or write it.
int OpenTemporarySibling(const std::string& disk_target, std::string& temp_path, int& err) {
  mode_t mode = 0666;
  struct stat st;
  const bool existed = ::stat(disk_target.c_str(), &st) == 0;
  if (existed) mode = st.st_mode & 07777;
  for (int attempt = 0; attempt < 16; ++attempt) {
    temp_path = TemporarySibling(disk_target);
    const int fd = ::open(temp_path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd >= 0) {
      if (existed) {
        ::fchmod(fd, mode);
      } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd, mode & ~mask);
      }
      return fd;
    }
    if (errno != EEXIST) break;
  }
  err = errno;
  return -1;
}

}  // namespace

// ---------------------------------------------------------------- TextReader

TextReader::TextReader(int fd, std::string path)
    : fd_(fd), path_(std::move(path)), buffer_(new char[kReadBufferSize]) {}

TextReader::TextReader(TextReader&& other) noexcept {
  *this = std::move(other);
}

TextReader& TextReader::operator=(TextReader&& other) noexcept {
  if (this != &other) {
    Close();
    fd_ = other.fd_;
    path_ = std::move(other.path_);
    buffer_ = std::move(other.buffer_);
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
    const ssize_t got = ::read(fd_, buffer_.get() + end_, kReadBufferSize - end_);
    if (got < 0) {
      if (errno == EINTR) continue;
      throw FileError(ErrorNumberForErrno(errno), path_);
    }
    if (got == 0) {
      eof_ = true;
      return false;
    }
    end_ += static_cast<size_t>(got);
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
    other.fd_ = -1;
    other.temp_path_.clear();
  }
  return *this;
}

TextWriter::~TextWriter() {
  if (temp_path_.empty() && fd_ >= 0) {
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
  buffer_.clear();
}

void TextWriter::Flush() {
  if (buffer_.empty()) return;
  if (fd_ < 0 || !WriteAll(fd_, buffer_.data(), buffer_.size())) {
    const int err = fd_ < 0 ? EBADF : errno;
    Abandon();
    throw FileError(ErrorNumberForErrno(err), path_);
  }
  written_ += static_cast<long long>(buffer_.size());
  buffer_.clear();
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
  const int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0) {
    const int err = errno;
    Abandon();
    throw FileError(ErrorNumberForErrno(err), path_);
  }
  if (!temp_path_.empty()) {
    if (::rename(temp_path_.c_str(), disk_target_.c_str()) != 0) {
      const int err = errno;
      Abandon();
      throw FileError(ErrorNumberForErrno(err), path_);
    }
    temp_path_.clear();
  }
}

// ---------------------------------------------------------------- FileStore

FileStore::FileStore() {
  for (char letter = 'A'; letter <= 'Z'; ++letter) {
    const std::string name = std::string("TARVELO_DRIVE_") + letter;
    if (const char* value = std::getenv(name.c_str())) drives_[letter] = value;
  }
}

FileStore::FileStore(std::map<char, std::string> drives) : drives_(std::move(drives)) {}

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

TextReader FileStore::OpenTextFile(std::string_view path) const {
  const std::string disk = DiskPath(path);
  const int fd = ::open(disk.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) ThrowOpenError(errno, path, disk);
  struct stat st;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    throw FileError(kPathFileAccessError, std::string(path));
  }
  return TextReader(fd, std::string(path));
}

TextWriter FileStore::OpenTextFileForAppending(std::string_view path) const {
  const std::string disk = DiskPath(path);
  const int fd = ::open(disk.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
  if (fd < 0) ThrowOpenError(errno, path, disk);
  return TextWriter(fd, std::string(path), "", "");
}

TextWriter FileStore::CreateTextFile(std::string_view path) const {
  const std::string disk = DiskPath(path);
  // Overwritten from the start and cut to length at Close() rather than truncated on
  // open: truncating to zero makes the file system flush the file when it is closed,
  // which made every pass file of a generation run wait for the disk.
  const int fd = ::open(disk.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
  if (fd < 0) ThrowOpenError(errno, path, disk);
  TextWriter writer(fd, std::string(path), "", "");
  writer.cut_at_close_ = true;
  return writer;
}

TextWriter FileStore::ReplaceTextFile(std::string_view path) const {
  const std::string disk = DiskPath(path);
  if (IsFolder(disk)) throw FileError(kPathFileAccessError, std::string(path));
  std::string temp;
  int err = 0;
  const int fd = OpenTemporarySibling(disk, temp, err);
  if (fd < 0) ThrowOpenError(err, path, disk);
  return TextWriter(fd, std::string(path), disk, temp);
}

// True when the file at `disk_destination` holds exactly the bytes of the open file `in`
// (read from its start; `in` is left at its start again).
static bool SameBytes(int in, const struct stat& in_stat, const std::string& disk_destination) {
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

void FileStore::CopyFile(std::string_view source, std::string_view destination) const {
  const std::string disk_source = DiskPath(source);
  const int in = ::open(disk_source.c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) ThrowOpenError(errno, source, disk_source);
  // A destination that already holds these bytes only has its time brought up to now:
  // the result is the same, and replacing it would make the file system write it again.
  struct stat in_stat;
  if (::fstat(in, &in_stat) == 0 && SameBytes(in, in_stat, DiskPath(destination)) &&
      ::utimensat(AT_FDCWD, DiskPath(destination).c_str(), nullptr, 0) == 0) {
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
      throw FileError(ErrorNumberForErrno(err), std::string(source));
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
  out.Close();
}

void FileStore::CreateFolder(std::string_view path) const {
  std::string disk = DiskPath(path);
  while (disk.size() > 1 && disk.back() == '/') disk.pop_back();
  if (::mkdir(disk.c_str(), 0777) != 0) {
    const int err = errno;
    if (err == EEXIST) throw FileError(kPathFileAccessError, std::string(path));
    throw FileError(err == ENOENT ? kPathNotFound : ErrorNumberForErrno(err), std::string(path));
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

std::string FileStore::ReadAll(std::string_view path) const {
  TextReader reader = OpenTextFile(path);
  std::string all;
  char buffer[kReadBufferSize];
  const int fd = reader.fd_;
  while (true) {
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got < 0) {
      if (errno == EINTR) continue;
      throw FileError(ErrorNumberForErrno(errno), std::string(path));
    }
    if (got == 0) break;
    all.append(buffer, static_cast<size_t>(got));
  }
  return all;
}

}  // namespace tarvelo
