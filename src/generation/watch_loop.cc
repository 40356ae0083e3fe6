// The watch loop. It is single-threaded: while a run goes on, the kernel queues the
// events of the watched folders, so changes made during a run are read right after it
// and start one more run.
#include "generation/watch_loop.h"

#include <filesystem>

#include "common/error.h"
#include "common/host.h"
#include "common/text.h"
#include "generation/batch_run.h"
#include "project/project_definition.h"
#include "project/startup.h"
#include "project/workspace.h"

namespace tarvelo {
namespace {

// ~100 ms of quiet ends a burst; a stream of writes that never pauses still gets a run
// every second. Ctrl+C is noticed within the check interval even when the signal went
// to another thread.
constexpr int kQuietMs = 100;
constexpr int kLongestMs = 1000;
constexpr int kCheckMs = 250;
constexpr size_t kNamesShown = 3;

bool Intersects(const std::set<std::string>& a, const std::set<std::string>& b) {
  for (const std::string& item : a) {
    if (b.count(item) != 0) return true;
  }
  return false;
}

}  // namespace

std::string WatchKey(const FileStore& files, const std::string& path) {
  return std::filesystem::absolute(files.DiskPath(path)).lexically_normal().string();
}

WatchedSources CollectWatchedSources(Workspace& workspace) {
  WatchedSources sources;
  const ProjectSettings& settings = workspace.settings;
  const auto add = [&](const std::string& path, bool project) {
    if (path.empty()) return;
    const std::string key = WatchKey(workspace.files, path);
    sources.all.insert(key);
    if (project) sources.project.insert(key);
  };
  const auto resolve = [&](const std::string& name) {
    return name.empty() ? name
                        : ResolveProjectPath(settings, workspace.options, workspace.files, name,
                                             true, false, "", "");
  };
  add(settings.project_file_path, true);
  add(resolve(settings.definition_file), true);
  add(resolve(settings.project_macro_file), true);
  ProjectDefinition definition;
  try {
    ReadProjectDefinitionFile(workspace.files, settings, workspace.options, true, definition);
  } catch (const TarveloError&) {
    // What was read before the failure is still worth watching; the next run reports it.
  }
  for (const std::string& global : definition.globals) add(global, false);
  for (const FolderEntry& folder : definition.folders) {
    for (const std::string& global : folder.folder_globals) add(global, false);
    for (const DocumentEntry& document : folder.documents) {
      add(document.tmpl, false);
      for (const std::string& content_file : document.content_files) add(content_file, false);
    }
  }
  return sources;
}

std::string WatchRunLine(const std::set<std::string>& changed, int generated) {
  std::string names;
  size_t shown = 0;
  for (const std::string& path : changed) {
    if (shown == kNamesShown) {
      names += " and " + std::to_string(changed.size() - shown) + " more";
      break;
    }
    if (shown++ > 0) names += ", ";
    names += std::filesystem::path(path).filename().string();
  }
  return "Watch: " + names + " changed; " + Plural(generated, "Document") + " generated";
}

WatchLoop::WatchLoop(Workspace& workspace, const CommandLineOptions& options, const Clock& clock)
    : workspace_(workspace), options_(options), clock_(clock) {}

void WatchLoop::Start() {
  sources_ = CollectWatchedSources(workspace_);
  watcher_.SetFiles(sources_.all);
}

RunResult WatchLoop::Run(RunResult last, const std::function<void(const RunResult&)>& after_run) {
  const auto keep_waiting = [this] { return !workspace_.stop_requested.load(); };
  while (keep_waiting()) {
    const std::set<std::string> changed =
        watcher_.WaitForChanges(kQuietMs, kLongestMs, kCheckMs, keep_waiting);
    if (changed.empty() || !keep_waiting()) break;
    RunResult result;
    if (!RunFor(changed, result)) continue;
    last = result;
    workspace_.host.AddStatusLine(WatchRunLine(changed, result.counters.generated));
    after_run(result);
    if (result.outcome == RunOutcome::kStopped) break;
  }
  return last;
}

bool WatchLoop::RunFor(const std::set<std::string>& changed, RunResult& result) {
  const bool whole_project = Intersects(changed, sources_.project);
  const std::string& project_file = workspace_.settings.project_file_path;
  if (changed.count(WatchKey(workspace_.files, project_file)) != 0) {
    if (!workspace_.files.FileExists(project_file)) {
      workspace_.host.AddStatusLine("Watch: the project file " + project_file +
                                    " is missing; waiting for it to return");
      return false;
    }
    if (!ReadProjectSettings(workspace_, project_file)) return false;
  }
  CommandLineOptions run_options = options_;
  run_options.modified_only = whole_project ? 0 : 1;
  result =
      GenerateBatchProject(workspace_, run_options, clock_, whole_project ? nullptr : &changed);
  if (whole_project) Start();  // the definition may name other files now
  return true;
}

}  // namespace tarvelo
