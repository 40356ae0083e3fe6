// Runs the real tarvelo-cli for the end-to-end tests and captures what it printed.
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

/// Starts tarvelo-cli as RunCli does; `tag` tells apart the output files of processes
/// that share `home`.
CliProcess StartCli(const std::string& home, const std::vector<std::string>& arguments,
                    const std::string& tag = "", long epoch = 1765000000);

/// Waits for a started tarvelo-cli to end and collects what it printed.
CliResult FinishCli(const CliProcess& process);

/// What the started tarvelo-cli has printed on stdout so far.
std::string OutputSoFar(const CliProcess& process);

/// The lines of a text, split at LF with a CR before it dropped.
std::vector<std::string> Lines(const std::string& text);

}  // namespace tarvelo::testing

#endif  // TARVELO_TESTS_E2E_CLI_RUNNER_H_
