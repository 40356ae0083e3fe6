// The watch: after a first run, the Project is generated again whenever one of the
// files it is made from changes, one run at a time, the changes of a burst (and those
// made during a run) gathered into the next run.
#ifndef TARVELO_GENERATION_WATCH_LOOP_H_
#define TARVELO_GENERATION_WATCH_LOOP_H_

#include <functional>
#include <set>
#include <string>

#include "common/clock.h"
#include "common/file_watcher.h"
#include "generation/command_line.h"
#include "generation/generation_run.h"

namespace tarvelo {

class FileStore;
struct Workspace;

/// The files a Project is made from, as absolute, lexically normal disk paths.
struct WatchedSources {
  /// The project file, the Project Definition File and the project macro file: a
  /// change to one of them regenerates every Document.
  std::set<std::string> project;
  /// Those and every Global Content File, Folder Global, Template and Content File.
  std::set<std::string> all;
};

/// The key a watched file goes by: the disk path, absolute and lexically normal.
std::string WatchKey(const FileStore& files, const std::string& path);

/// Reads the current Project's definition afresh (names resolved) and lists its files.
/// A definition that cannot be read gives the project files only.
WatchedSources CollectWatchedSources(Workspace& workspace);

/// "index.par, page.tpl changed; 1 Document generated": the line printed per run.
std::string WatchRunLine(const std::set<std::string>& changed, int generated);

class WatchLoop {
 public:
  /// `options` are the command line's: the /document-root= override applies to every
  /// run; /modified-only= only to the first, which the caller has made.
  WatchLoop(Workspace& workspace, const CommandLineOptions& options, const Clock& clock);

  /// Files the watch follows and the folders it watches, once Start has run.
  size_t watched_file_count() const { return watcher_.watched_file_count(); }
  size_t watched_folder_count() const { return watcher_.watched_folder_count(); }

  /// Reads the files to follow from the current Project.
  void Start();

  /// Waits for changes and runs the Project after each burst, calling `after_run` with
  /// every result, until workspace.stop_requested is set (Ctrl+C) while waiting or a
  /// run was stopped. Returns the last run's result (`last` when none ran).
  RunResult Run(RunResult last, const std::function<void(const RunResult&)>& after_run);

 private:
  // One run for the changed files; false when none was made (the project file is gone
  // or cannot be read).
  bool RunFor(const std::set<std::string>& changed, RunResult& result);

  Workspace& workspace_;
  CommandLineOptions options_;
  const Clock& clock_;
  FileWatcher watcher_;
  WatchedSources sources_;
};

}  // namespace tarvelo

#endif  // TARVELO_GENERATION_WATCH_LOOP_H_
