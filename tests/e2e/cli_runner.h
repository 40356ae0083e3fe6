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

/// Runs `program` as RunCli runs tarvelo-cli, with `extra_environment` ("NAME=value")
/// added. A program still running after `timeout_seconds` (a window waiting for a
/// click) is killed and reported as 128 + SIGKILL.
CliResult RunProgram(const std::string& program, const std::string& home,
                     const std::vector<std::string>& arguments,
                     const std::vector<std::string>& extra_environment, int timeout_seconds = 120,
                     long epoch = 1765000000);

/// The lines of a text, split at LF with a CR before it dropped.
std::vector<std::string> Lines(const std::string& text);

}  // namespace tarvelo::testing

#endif  // TARVELO_TESTS_E2E_CLI_RUNNER_H_
