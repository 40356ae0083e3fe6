// Command lines as words: splitting a line the way a shell would (launchers, the
// batch command line) and joining arguments back into one text.
#ifndef TARVELO_COMMON_SHELL_WORDS_H_
#define TARVELO_COMMON_SHELL_WORDS_H_

#include <string>
#include <string_view>
#include <vector>

namespace tarvelo {

/// The argument text: the arguments joined by one blank.
std::string JoinArguments(const std::vector<std::string>& arguments);

/// Splits a command line into program and arguments by the usual shell quoting rules
/// (blanks separate; '...' is literal; "..." allows \" \\ \$ \`; a backslash outside
/// quotes escapes the next character). No shell ever sees the text.
std::vector<std::string> SplitCommandLine(std::string_view command_line);

}  // namespace tarvelo

#endif  // TARVELO_COMMON_SHELL_WORDS_H_
