// The console's Find and Replace: "tarvelo-cli /project=FILE.web /find=TEXT
// [/replace=TEXT] ..." runs the Find or Replace window's run through the same core
// code, prints each detailed result as "path:line: text" and the summary, and writes
// search.txt as the windows do.
#ifndef TARVELO_CLI_SEARCH_COMMAND_H_
#define TARVELO_CLI_SEARCH_COMMAND_H_

#include <string>
#include <vector>

namespace tarvelo {

/// True when the arguments hold /find= (or --find=).
bool IsSearchCommand(const std::vector<std::string>& arguments);

/// Runs the search or replace the arguments ask for and returns the exit status:
/// 0 something was found (or replaced), 1 nothing, 2 an error or a refused replace,
/// 130 stopped with Ctrl+C.
int RunSearchCommand(const std::vector<std::string>& arguments, bool verbose);

}  // namespace tarvelo

#endif  // TARVELO_CLI_SEARCH_COMMAND_H_
