// --watch, --serve[=PORT] and --bind=ADDR: the console's live preview. The Project is
// generated, then generated again on every save; with --serve the site is also served
// over HTTP and its pages reload themselves after a run.
#ifndef TARVELO_CLI_WATCH_COMMAND_H_
#define TARVELO_CLI_WATCH_COMMAND_H_

#include <string>

#include "common/clock.h"
#include "generation/command_line.h"
#include "generation/generation_run.h"

namespace tarvelo {

struct Workspace;

struct WatchOptions {
  bool watch = false;
  bool serve = false;  // implies watch
  int port = 8437;     // 0: a free port, printed
  std::string bind = "127.0.0.1";
};

enum class WatchArgument { kNotMine, kTaken, kBad };

/// Takes one command-line argument if it is --watch, --serve, --serve=PORT or
/// --bind=ADDR (names in any case); kBad for a port that is no number in 0..65535 or
/// an empty address.
WatchArgument TakeWatchArgument(const std::string& argument, WatchOptions& watch);

/// Starts the server (when asked), makes the first run, then watches until Ctrl+C.
/// Returns the last run's result; a server that cannot bind is reported on stderr
/// before any run and gives a halted result (exit status 2).
RunResult WatchProject(Workspace& workspace, const CommandLineOptions& options,
                       const WatchOptions& watch, const Clock& clock);

}  // namespace tarvelo

#endif  // TARVELO_CLI_WATCH_COMMAND_H_
