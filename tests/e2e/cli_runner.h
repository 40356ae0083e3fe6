// Runs the real tarvelo-cli (and the workbench) for the end-to-end tests and captures what it
// printed.
#ifndef TARVELO_TESTS_E2E_CLI_RUNNER_H_
#define TARVELO_TESTS_E2E_CLI_RUNNER_H_

#include <string>
#include <vector>

namespace tarvelo::testing {

struct CliResult {
  int status = -1;
  std::string out;
  std::string err;
};

/// Runs tarvelo-cli with the arguments, TARVELO_HOME set to `home` and the clock fixed
/// at `epoch` (SOURCE_DATE_EPOCH), standard input from /dev/null.
CliResult RunCli(const std::string& home, const std::vector<std::string>& arguments,
                 long epoch = 1765000000);

/// A tarvelo-cli started without waiting for it, its output going to files.
struct CliProcess {
  int pid = -1;
  std::string out_path;
  std::string err_path;
};

/// Starts `program` with the test environment and `extra_environment` ("NAME=value")
/// added; `tag` tells apart the output files of processes that share `home`.
CliProcess StartProgram(const std::string& program, const std::string& home,
                        const std::vector<std::string>& arguments,
                        const std::vector<std::string>& extra_environment,
                        const std::string& tag = "", long epoch = 1765000000);

/// Starts tarvelo-cli as RunCli does; `tag` tells apart the output files of processes
/// that share `home`.
CliProcess StartCli(const std::string& home, const std::vector<std::string>& arguments,
                    const std::string& tag = "", long epoch = 1765000000);

/// Waits for a started program to end and collects what it printed. One still running
/// after `timeout_seconds` (a window waiting for a click) is killed and reported as
/// 128 + SIGKILL.
CliResult FinishCli(const CliProcess& process, int timeout_seconds = 120);

/// What the started tarvelo-cli has printed on stdout so far.
std::string OutputSoFar(const CliProcess& process);

/// Runs `program` as RunCli runs tarvelo-cli (see StartProgram and FinishCli).
CliResult RunProgram(const std::string& program, const std::string& home,
                     const std::vector<std::string>& arguments,
                     const std::vector<std::string>& extra_environment, int timeout_seconds = 120,
                     long epoch = 1765000000);

/// The lines of a text, split at LF with a CR before it dropped.
std::vector<std::string> Lines(const std::string& text);

}  // namespace tarvelo::testing

#endif  // TARVELO_TESTS_E2E_CLI_RUNNER_H_
