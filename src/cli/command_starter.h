// Starting the follow-up command of a batch run, without a shell.
#ifndef TARVELO_CLI_COMMAND_STARTER_H_
#define TARVELO_CLI_COMMAND_STARTER_H_

#include <string>

namespace tarvelo {

class Host;

/// Splits the command by shell quoting rules and starts it detached; a failure to
/// start is shown through the host. Returns whether it started.
bool StartCommand(Host& host, const std::string& command);

}  // namespace tarvelo

#endif  // TARVELO_CLI_COMMAND_STARTER_H_
