// The follow-up command runs on its own: it is started in a new session and the
// console does not wait for it, as a scheduler's next step would be.
#include "cli/command_starter.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "common/error.h"
#include "common/error_report.h"
#include "common/host.h"
#include "common/shell_words.h"

extern char** environ;

namespace tarvelo {

bool StartCommand(Host& host, const std::string& command) {
  std::vector<std::string> words = SplitCommandLine(command);
  if (words.empty()) return false;
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
  pid_t pid = 0;
  const int result = posix_spawnp(&pid, argv[0], nullptr, &attributes, argv.data(), environ);
  posix_spawnattr_destroy(&attributes);
  if (result != 0) {
    ShowErrorReport(host, TarveloError(kFileNotFound, "Error processing command line options. (" +
                                                          std::string(std::strerror(result)) +
                                                          ": " + words[0] + ")." + "\r" +
                                                          "Please verify that the command line "
                                                          "settings are correct."));
    return false;
  }
  host.AddStatusLine("Started: \t" + command);
  return true;
}

}  // namespace tarvelo
