// The runner starts tarvelo-cli directly (no shell) with its output sent to files.
#include "e2e/cli_runner.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include "support/test_support.h"

extern char** environ;

namespace tarvelo::testing {

CliProcess StartProgram(const std::string& program, const std::string& home,
                        const std::vector<std::string>& arguments,
                        const std::vector<std::string>& extra_environment, const std::string& tag,
                        long epoch) {
  CliProcess process;
  process.out_path = home + tag + ".out";
  process.err_path = home + tag + ".err";
  std::vector<std::string> args = {program};
  args.insert(args.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);

  std::vector<std::string> env_strings = {"TARVELO_HOME=" + home,
                                          "SOURCE_DATE_EPOCH=" + std::to_string(epoch), "TZ=UTC",
                                          "PATH=/usr/bin:/bin", "HOME=" + home};
  env_strings.insert(env_strings.end(), extra_environment.begin(), extra_environment.end());
  std::vector<char*> envp;
  for (std::string& e : env_strings) envp.push_back(e.data());
  envp.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, process.out_path.c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, 2, process.err_path.c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0644);
  pid_t pid = 0;
  if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data()) == 0) {
    process.pid = pid;
  }
  posix_spawn_file_actions_destroy(&actions);
  return process;
}

CliProcess StartCli(const std::string& home, const std::vector<std::string>& arguments,
                    const std::string& tag, long epoch) {
  return StartProgram(TARVELO_CLI_PATH, home, arguments, {}, tag, epoch);
}

CliResult FinishCli(const CliProcess& process, int timeout_seconds) {
  CliResult result;
  if (process.pid > 0) {
    int status = 0;
    for (int waited = 0; ::waitpid(process.pid, &status, WNOHANG) == 0; ++waited) {
      if (waited == timeout_seconds * 50) ::kill(process.pid, SIGKILL);
      ::usleep(20000);
    }
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  }
  result.out = ReadFile(process.out_path);
  result.err = ReadFile(process.err_path);
  ::unlink(process.out_path.c_str());
  ::unlink(process.err_path.c_str());
  return result;
}

std::string OutputSoFar(const CliProcess& process) {
  return ReadFile(process.out_path);
}

CliResult RunCli(const std::string& home, const std::vector<std::string>& arguments, long epoch) {
  return FinishCli(StartCli(home, arguments, "", epoch));
}

CliResult RunProgram(const std::string& program, const std::string& home,
                     const std::vector<std::string>& arguments,
                     const std::vector<std::string>& extra_environment, int timeout_seconds,
                     long epoch) {
  return FinishCli(StartProgram(program, home, arguments, extra_environment, "", epoch),
                   timeout_seconds);
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

}  // namespace tarvelo::testing
