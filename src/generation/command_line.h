// The batch-mode command line: /mode=, /project=, /command=, /window=,
// /document-root= and /modified-only=, shared by the workbench and the console.
#ifndef TARVELO_GENERATION_COMMAND_LINE_H_
#define TARVELO_GENERATION_COMMAND_LINE_H_

#include <string>
#include <string_view>

#include "common/int16.h"

namespace tarvelo {

struct CommandLineOptions {
  /// The whole argument text, trimmed ("Command Line: " shows it).
  std::string command_line;
  bool run = false;              // /mode=1 or 2
  bool close_after_run = false;  // /mode=2
  std::string project;
  std::string command;
  Int16 window = 0;  // 1 when /window=1
  std::string document_root;
  Int16 modified_only = -1;  // -1: not given
  bool no_wait = false;      // the console's --no-wait: never wait for another run
  int jobs = 1;              // the console's --jobs=N: Documents assembled at once
};

/// The most Documents the console's --jobs= lets a run assemble at once.
inline constexpr int kMaxJobs = 64;

/// Reads the value of --jobs=: a whole number from 1 to kMaxJobs, digits only. False
/// (and `jobs` unchanged) for anything else.
bool ParseJobs(std::string_view value, int& jobs);

/// Fills the options from the argument text. Option names are matched without regard
/// to case ("--name=" counts as "/name="); values keep their case and end at the next
/// "/" that begins an option name, or at the end, so "/project=/home/me/a.web" works.
/// An option given twice takes its last value. Raises 13 "Type mismatch" or 6
/// "Overflow" for a /modified-only= value that is not a 16-bit whole number.
CommandLineOptions ParseCommandLine(std::string_view argument_text);

}  // namespace tarvelo

#endif  // TARVELO_GENERATION_COMMAND_LINE_H_
