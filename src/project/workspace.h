// Workspace: the program-wide state in one object, created at start-up and passed by
// reference: the options, the history, the current Project's settings and definition,
// the working files, the FileStore, the log and the Host.
#ifndef TARVELO_PROJECT_WORKSPACE_H_
#define TARVELO_PROJECT_WORKSPACE_H_

#include <atomic>
#include <string>

#include "common/host.h"
#include "project/file_store.h"
#include "project/log.h"
#include "project/program_options.h"
#include "project/project_definition.h"
#include "project/project_history.h"
#include "project/project_settings.h"
#include "project/working_files.h"

namespace tarvelo {

struct Workspace {
  Workspace(Host& host, std::string program_folder)
      : host(host), program_folder(std::move(program_folder)), log(files, host, options, working) {}
  Workspace(const Workspace&) = delete;
  Workspace& operator=(const Workspace&) = delete;

  Host& host;
  /// The program folder, without a trailing separator.
  std::string program_folder;
  FileStore files;
  ProgramOptions options;
  ProjectHistory history;
  ProjectSettings settings;
  ProjectDefinition definition;
  WorkingFiles working;
  Log log;
  /// GenerationStopRequested: set by Stop (or Ctrl+C in the console), cleared when a
  /// run starts; tested before each Folder and Document.
  std::atomic<bool> stop_requested{false};
  /// The most one pass may write of a Document before its assembly ends with an
  /// error (a Macro that refers to itself doubles the text every pass). Tests lower it.
  long long max_pass_bytes = 256LL << 20;
};

}  // namespace tarvelo

#endif  // TARVELO_PROJECT_WORKSPACE_H_
