// The console's search options: /find=, /replace=, /in=, /file-types=,
// /definitions-only=, /ignore-case= and --yes, taken from the arguments; the rest are
// the usual batch options (/project= ...).
#ifndef TARVELO_CLI_SEARCH_OPTIONS_H_
#define TARVELO_CLI_SEARCH_OPTIONS_H_

#include <optional>
#include <string>
#include <vector>

#include "search/search_file_list.h"

namespace tarvelo {

struct SearchOptions {
  std::optional<std::string> find;
  std::optional<std::string> replace;
  bool ignore_case = false;
  bool definitions_only = false;
  bool yes = false;
  SearchScope scope;
  /// The arguments that are not search options, for ParseCommandLine.
  std::vector<std::string> rest;
  /// Why the arguments cannot be run; empty when they can.
  std::string error;
};

/// An argument that begins with "/name=" or "--name=" (name in any case) sets that
/// option; a later argument that begins no option continues the value with a blank,
/// as an unquoted text would. Values are kept exactly (blanks included).
SearchOptions ParseSearchOptions(const std::vector<std::string>& arguments);

}  // namespace tarvelo

#endif  // TARVELO_CLI_SEARCH_OPTIONS_H_
