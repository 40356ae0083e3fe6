// FileWatcher: tells which of a set of files changed, through Linux inotify on their
// folders, so that editors which save by writing a new file and renaming it over the
// old one are seen as well as those that write in place, and files that vanish or
// appear again are followed.
#ifndef TARVELO_COMMON_FILE_WATCHER_H_
#define TARVELO_COMMON_FILE_WATCHER_H_

#include <functional>
#include <map>
#include <set>
#include <string>

namespace tarvelo {

class FileWatcher {
 public:
  /// Raises TarveloError 75 when the system refuses a watch instance.
  FileWatcher();
  ~FileWatcher();
  FileWatcher(const FileWatcher&) = delete;
  FileWatcher& operator=(const FileWatcher&) = delete;

  /// Watches exactly these files (absolute, normalised disk paths) from now on: their
  /// folders are watched, folders no longer needed are dropped. A file whose folder
  /// does not exist cannot be watched and is left out of the count.
  void SetFiles(const std::set<std::string>& files);

  /// Files of the set whose folder is watched.
  size_t watched_file_count() const;
  size_t watched_folder_count() const { return folders_.size(); }

  /// Waits for a change to a watched file, then until `quiet_ms` pass without another
  /// (at most `longest_ms` in all, so a steady stream of writes still gets its run), and
  /// returns the changed files. Returns what it has (possibly nothing) as soon as
  /// `keep_waiting` gives false; that is asked at least every `check_ms`. When the
  /// system's event queue overflowed, every watched file counts as changed.
  std::set<std::string> WaitForChanges(int quiet_ms, int longest_ms, int check_ms,
                                       const std::function<bool()>& keep_waiting);

 private:
  // Reads the pending events into `changed`; true when at least one named a watched file.
  bool ReadEvents(std::set<std::string>& changed);

  int fd_ = -1;
  std::set<std::string> files_;
  std::map<int, std::string> folders_;  // watch descriptor -> folder
};

}  // namespace tarvelo

#endif  // TARVELO_COMMON_FILE_WATCHER_H_
