// The console's watch: the server, when asked, is bound before the first run so that a
// port in use ends the program before anything is generated.
#include "cli/watch_command.h"

#include <cstdio>
#include <optional>

#include "cli/preview_server.h"
#include "common/host.h"
#include "common/text.h"
#include "generation/batch_run.h"
#include "generation/watch_loop.h"
#include "project/workspace.h"

namespace tarvelo {
namespace {

std::optional<int> ParsePort(const std::string& text) {
  if (text.empty() || text.size() > 5) return std::nullopt;
  int port = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    port = port * 10 + (c - '0');
  }
  return port <= 65535 ? std::optional<int>(port) : std::nullopt;
}

std::string DocumentRootOf(const Workspace& workspace, const CommandLineOptions& options) {
  return workspace.files.DiskPath(options.document_root.empty() ? workspace.settings.document_root
                                                                : options.document_root);
}

}  // namespace

WatchArgument TakeWatchArgument(const std::string& argument, WatchOptions& watch) {
  const std::string name = FoldCase(argument.substr(0, argument.find('=')));
  const bool has_value = argument.find('=') != std::string::npos;
  const std::string value = has_value ? argument.substr(argument.find('=') + 1) : "";
  if (name == "--watch" && !has_value) {
    watch.watch = true;
  } else if (name == "--serve") {
    watch.watch = watch.serve = true;
    if (has_value) {
      const std::optional<int> port = ParsePort(value);
      if (!port) return WatchArgument::kBad;
      watch.port = *port;
    }
  } else if (name == "--bind" && has_value) {
    if (value.empty()) return WatchArgument::kBad;
    watch.bind = value;
  } else {
    return WatchArgument::kNotMine;
  }
  return WatchArgument::kTaken;
}

RunResult WatchProject(Workspace& workspace, const CommandLineOptions& options,
                       const WatchOptions& watch, const Clock& clock) {
  std::optional<PreviewServer> server;
  if (watch.serve) {
    server.emplace(DocumentRootOf(workspace, options));
    if (!server->Bind(watch.bind, watch.port)) {
      std::fprintf(stderr,
                   "tarvelo-cli: cannot serve on %s port %d: the port is in use or the "
                   "address is not this machine's\n",
                   watch.bind.c_str(), watch.port);
      return {RunOutcome::kHalted, {}};
    }
    server->Start();
    const bool ipv6 = watch.bind.find(':') != std::string::npos;
    const std::string host = ipv6 ? "[" + watch.bind + "]" : watch.bind;
    workspace.host.AddStatusLine("Serving: \thttp://" + host + ":" +
                                 std::to_string(server->port()) + "/");
  }
  // Watching starts first, so that a save during the first run starts the next.
  WatchLoop loop(workspace, options, clock);
  loop.Start();
  const RunResult last = GenerateBatchProject(workspace, options, clock);
  if (last.outcome == RunOutcome::kStopped) return last;
  workspace.host.AddStatusLine(
      "Watching: \t" + Plural(static_cast<long>(loop.watched_file_count()), "file") + " in " +
      Plural(static_cast<long>(loop.watched_folder_count()), "folder") + "; Ctrl+C ends the watch");
  return loop.Run(last, [&](const RunResult& result) {
    if (!server) return;
    server->SetDocumentRoot(DocumentRootOf(workspace, options));
    if (result.counters.generated > 0) server->NotifyReload();
  });
}

}  // namespace tarvelo
