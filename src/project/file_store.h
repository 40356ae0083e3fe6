// FileStore: the one file-system service. Every file and folder operation of the
// program goes through it, so the port rules live in one place: "\" and "/" both
// separate, a drive "X:" maps to $TARVELO_DRIVE_X (else "/"), lines end at LF with a
// CR before the LF dropped, every written line ends with CR LF, read-only is the
// owner's write bit, and times are whole seconds.
#ifndef TARVELO_PROJECT_FILE_STORE_H_
#define TARVELO_PROJECT_FILE_STORE_H_

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <string_view>

namespace tarvelo {

/// A text stream positioned at the start of a file, read line by line.
class TextReader {
 public:
  TextReader() = default;
  TextReader(TextReader&& other) noexcept;
  TextReader& operator=(TextReader&& other) noexcept;
  TextReader(const TextReader&) = delete;
  TextReader& operator=(const TextReader&) = delete;
  ~TextReader();

  /// True once every line has been read.
  bool AtEndOfStream();
  /// The next line without its terminator; raises 62 "Input past end of file" at the end.
  std::string ReadLine();
  /// Reads the next line into `line`; false at the end of the stream.
  bool ReadLine(std::string& line);
  /// Releases the file. Safe to call twice.
  void Close();

  /// A stream over text already in memory (a file this program has just written),
  /// read as the file would be; `path` names it in errors.
  static TextReader FromText(std::string_view text, std::string path);

 private:
  friend class FileStore;
  TextReader(int fd, std::string path);
  bool Fill();

  int fd_ = -1;
  std::string path_;
  std::unique_ptr<char[]> buffer_;
  size_t capacity_ = 0;
  size_t begin_ = 0;
  size_t end_ = 0;
  bool eof_ = false;
};

/// A text stream that writes a file. In replace mode it writes a temporary sibling
/// (unnamed until Close() where the file system allows it, else a locked
/// ".NAME.tarvelo-N.tmp") that Close() renames over the target, so the target is never
/// half-written; a writer destroyed without Close() removes its temporary file and
/// leaves the target as it was.
class TextWriter {
 public:
  TextWriter() = default;
  TextWriter(TextWriter&& other) noexcept;
  TextWriter& operator=(TextWriter&& other) noexcept;
  TextWriter(const TextWriter&) = delete;
  TextWriter& operator=(const TextWriter&) = delete;
  ~TextWriter();

  /// Writes the text followed by CR LF.
  void WriteLine(std::string_view text);
  /// Writes the text with no line break.
  void Write(std::string_view text);
  /// Bytes written so far, buffered ones included.
  long long BytesWritten() const { return written_ + static_cast<long long>(buffer_.size()); }
  /// Writes out what is buffered; the file stays open (and, in replace mode, not yet
  /// in place).
  void Flush();
  /// Flushes and releases the file (and, in replace mode, renames it into place).
  /// Raises the file system's error when that fails. Does nothing on a writer that
  /// holds no file.
  void Close();

  /// Keeps a copy of everything written while it stays within `limit` bytes, so the
  /// text can be read again without reading the file.
  void KeepCopy(size_t limit);
  /// Moves the copy into `text` after Close(); false when none was kept or what was
  /// written outgrew it.
  bool TakeCopy(std::string& text);

 private:
  friend class FileStore;
  TextWriter(int fd, std::string path, std::string disk_target, std::string temp_path);
  void Abandon() noexcept;
  void CutStaleTail() noexcept;

  int fd_ = -1;
  std::string path_;
  std::string disk_target_;  // replace mode only: the file renamed over
  std::string temp_path_;    // replace mode only: the sibling's name, empty while unnamed
  std::string buffer_;
  long long written_ = 0;        // bytes written so far
  bool cut_at_close_ = false;    // CreateTextFile: cut the old tail at Close()
  bool target_missing_ = false;  // replace mode: no file was there when it was opened
  bool keep_copy_ = false;
  size_t copy_limit_ = 0;
  std::string copy_;
};

/// What one look at a path found.
struct FileFacts {
  bool exists = false;  // a file or a folder is there
  bool folder = false;
  bool read_only = false;     // the owner's write bit is clear
  std::int64_t modified = 0;  // whole seconds since the epoch
};

class FileStore {
 public:
  /// Takes the drive mapping (TARVELO_DRIVE_A .. TARVELO_DRIVE_Z) from the environment.
  FileStore();
  /// A FileStore with an explicit drive mapping, letter (upper case) to folder.
  explicit FileStore(std::map<char, std::string> drives);

  /// The path as the disk sees it: separators made "/" and a leading drive mapped.
  std::string DiskPath(std::string_view path) const;

  /// True when a regular file (or a folder) exists at the path; never raises.
  bool FileExists(std::string_view path) const noexcept;
  bool FolderExists(std::string_view path) const noexcept;
  /// Existence, kind, read-only bit and date in one look (for checks made per
  /// Document); never raises.
  FileFacts Examine(std::string_view path) const noexcept;

  /// Opens a file for reading; raises 53 (missing), 76 (missing folder), 70 or 75.
  TextReader OpenTextFile(std::string_view path) const;
  /// Opens an existing file for appending; raises 53 when it does not exist.
  TextWriter OpenTextFileForAppending(std::string_view path) const;
  /// Creates or truncates a file in place (the log and the lists).
  TextWriter CreateTextFile(std::string_view path) const;
  /// Creates a file through a sibling temporary file renamed over it on Close(); an
  /// existing file keeps its permission bits, and a symbolic link stays one (its final
  /// target is replaced; a loop raises 75 saying so). The first time this FileStore
  /// writes into a folder, it removes the stale temporary siblings there (left by a
  /// writer that no longer runs). For every file the program rewrites.
  TextWriter ReplaceTextFile(std::string_view path) const;

  /// Brings a file's modification time up to now, for a rewrite that would write the
  /// bytes it holds: its folder is swept of stale temporary siblings as for a rewrite,
  /// or one left by a killed writer beside a file that was already done would stay.
  /// False when the time could not be set.
  bool TouchFile(std::string_view path) const;
  /// Copies `source` over `destination` (through a temporary sibling and a rename).
  /// With `finished`, the complete copy is left there, flushed and open, and is put in
  /// place when the caller closes it; a destination that already holds the bytes is
  /// only dated now either way, and `finished` is then left empty.
  void CopyFile(std::string_view source, std::string_view destination,
                TextWriter* finished = nullptr) const;
  /// Puts `bytes` at `destination` as CopyFile puts a file's bytes there.
  void PutBytes(std::string_view bytes, std::string_view destination,
                TextWriter* finished = nullptr) const;
  /// Creates one folder level; raises 76 when its parent is missing.
  void CreateFolder(std::string_view path) const;

  /// Attribute bits of a file: 1 read-only (the owner's write bit is clear), 16 folder.
  int Attributes(std::string_view path) const;
  /// Last modification time in whole seconds since the epoch.
  std::int64_t DateLastModified(std::string_view path) const;

  /// Cuts a file longer than `size` bytes to that length; a missing file is left alone.
  void CutFile(std::string_view path, std::int64_t size) const;
  /// Removes the temporary siblings (".NAME.tarvelo-N.tmp") in the folder that no
  /// running writer holds; returns how many. Never raises.
  int RemoveStaleTemporaryFiles(std::string_view folder) const;

  /// The whole file as bytes (for small configuration files).
  std::string ReadAll(std::string_view path) const;

 private:
  void SweepFolderOnce(const std::string& disk_file) const;
  TextWriter OpenReplacement(std::string_view path, const std::string& disk, int seen_mode) const;
  void CopyBytes(std::string_view bytes, std::string_view destination,
                 const std::string& disk_destination, TextWriter* finished) const;

  std::map<char, std::string> drives_;
  // Whether an unnamed file can be given a name later (through /proc/self/fd): asked
  // once, not before every rewrite.
  bool unnamed_files_;
  // The folders already swept of stale temporary files: listing a folder once per
  // program run costs little, probing at every write would not.
  mutable std::mutex swept_mutex_;
  mutable std::set<std::string> swept_folders_;
};

}  // namespace tarvelo

#endif  // TARVELO_PROJECT_FILE_STORE_H_
