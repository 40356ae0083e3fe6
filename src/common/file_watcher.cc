// The watcher keeps one inotify watch per folder and filters the folder's events by the
// names it was given; the run's own outputs and working files in the same folders are
// not sources and so never start a run.
#include "common/file_watcher.h"

#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <filesystem>

#include "common/error.h"

namespace tarvelo {
namespace {

constexpr uint32_t kFolderEvents =
    IN_CLOSE_WRITE | IN_MODIFY | IN_MOVED_TO | IN_MOVED_FROM | IN_CREATE | IN_DELETE | IN_ATTRIB;

std::string FolderOf(const std::string& file) {
  return std::filesystem::path(file).parent_path().string();
}

using SteadyClock = std::chrono::steady_clock;

int MillisecondsUntil(SteadyClock::time_point when) {
  const auto left =
      std::chrono::duration_cast<std::chrono::milliseconds>(when - SteadyClock::now()).count();
  return static_cast<int>(std::max<long long>(left, 0));
}

}  // namespace

FileWatcher::FileWatcher() : fd_(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
  if (fd_ < 0) throw FileError(kPathFileAccessError, "inotify");
}

FileWatcher::~FileWatcher() {
  ::close(fd_);
}

void FileWatcher::SetFiles(const std::set<std::string>& files) {
  std::set<std::string> wanted;
  for (const std::string& file : files) wanted.insert(FolderOf(file));
  for (auto it = folders_.begin(); it != folders_.end();) {
    if (wanted.count(it->second) == 0) {
      ::inotify_rm_watch(fd_, it->first);
      it = folders_.erase(it);
    } else {
      wanted.erase(it->second);
      ++it;
    }
  }
  for (const std::string& folder : wanted) {
    const int wd = ::inotify_add_watch(fd_, folder.c_str(), kFolderEvents | IN_ONLYDIR);
    if (wd >= 0) folders_[wd] = folder;
  }
  files_ = files;
}

size_t FileWatcher::watched_file_count() const {
  std::set<std::string> watched;
  for (const auto& entry : folders_) watched.insert(entry.second);
  return static_cast<size_t>(std::count_if(files_.begin(), files_.end(), [&](const auto& file) {
    return watched.count(FolderOf(file)) != 0;
  }));
}

bool FileWatcher::ReadEvents(std::set<std::string>& changed) {
  alignas(inotify_event) char buffer[16384];
  bool any = false;
  for (;;) {
    const ssize_t length = ::read(fd_, buffer, sizeof buffer);
    if (length <= 0) return any;
    for (ssize_t offset = 0; offset < length;) {
      const auto* event = reinterpret_cast<const inotify_event*>(buffer + offset);
      offset += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
      if ((event->mask & IN_Q_OVERFLOW) != 0) {
        changed.insert(files_.begin(), files_.end());
        any = true;
        continue;
      }
      if ((event->mask & IN_IGNORED) != 0) {
        folders_.erase(event->wd);  // the folder itself went away
        continue;
      }
      const auto folder = folders_.find(event->wd);
      if (folder == folders_.end() || event->len == 0) continue;
      const std::string path = folder->second + "/" + event->name;
      if (files_.count(path) != 0) {
        changed.insert(path);
        any = true;
      }
    }
  }
}

std::set<std::string> FileWatcher::WaitForChanges(int quiet_ms, int longest_ms, int check_ms,
                                                  const std::function<bool()>& keep_waiting) {
  std::set<std::string> changed;
  SteadyClock::time_point first_change{};
  SteadyClock::time_point quiet_until{};
  while (keep_waiting()) {
    int timeout = check_ms;
    if (!changed.empty()) {
      const auto deadline =
          std::min(quiet_until, first_change + std::chrono::milliseconds(longest_ms));
      if (SteadyClock::now() >= deadline) break;
      timeout = std::min(timeout, MillisecondsUntil(deadline));
    }
    pollfd entry{fd_, POLLIN, 0};
    const int ready = ::poll(&entry, 1, timeout);
    if (ready < 0 && errno != EINTR) throw FileError(kPathFileAccessError, "inotify");
    if (ready > 0 && ReadEvents(changed)) {
      const auto now = SteadyClock::now();
      if (first_change == SteadyClock::time_point{}) first_change = now;
      quiet_until = now + std::chrono::milliseconds(quiet_ms);
    }
  }
  return changed;
}

}  // namespace tarvelo
