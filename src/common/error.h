// TarveloError is the one error type of the program: a number, a description and a
// source, thrown where a rule raises an error and caught where it is reported.
#ifndef TARVELO_COMMON_ERROR_H_
#define TARVELO_COMMON_ERROR_H_

#include <exception>
#include <string>

namespace tarvelo {

/// Runtime error numbers; their descriptions read the same everywhere.
enum RuntimeErrorNumber : int {
  kInvalidProcedureCall = 5,
  kOverflow = 6,
  kSubscriptOutOfRange = 9,
  kTypeMismatch = 13,
  kBadFileName = 52,
  kFileNotFound = 53,
  kDiskFull = 61,
  kInputPastEndOfFile = 62,
  kPermissionDenied = 70,
  kPathFileAccessError = 75,
  kPathNotFound = 76,
  kInvalidFileFormat = 321,
};

/// The program's own error numbers.
enum TarveloErrorNumber : int {
  kErrCopyHistory = 10000,
  kErrMacroSyntax = 10001,
  kErrTooManyMacros = 10002,
  kErrHistoryFull = 10003,
  kErrMissingFile = 10005,
  kErrGenerationHalted = 10006,
  kErrLaunchEditor = 10007,
  kErrLaunchBrowser = 10008,
  kErrTooManyFolders = 10012,
  kErrTooManyDocuments = 10013,
  kErrTooManyGlobals = 10014,
  kErrTooManyContentFiles = 10015,
  kErrLaunchCustomAction = 10016,
  kErrLaunchImageEditor = 10017,
  kErrLaunchCustomApplication = 10018,
  kErrSampleFiles = 10019,
  kErrDefaultApplication = 10020,
  kErrLaunchXmlEditor = 10021,
};

/// The source named in the common error report for the program's own errors.
inline constexpr const char* kErrorSource = "Tarvelo";

struct TarveloError : std::exception {
  TarveloError(int number, std::string description, std::string source = kErrorSource)
      : number(number), description(std::move(description)), source(std::move(source)) {}

  const char* what() const noexcept override { return description.c_str(); }

  int number;
  std::string description;
  std::string source;
};

/// The fixed description of a runtime error number ("Overflow" for 6); empty for
/// numbers outside the runtime table.
std::string RuntimeErrorText(int number);

/// A runtime error with its fixed description.
TarveloError RuntimeError(int number);

/// A runtime error whose description names the file it concerns:
/// "File not found (/site/page.tpl)".
TarveloError FileError(int number, const std::string& path);

/// The error for a failed system call on a file, from its errno: 53, 76, 70, 52, 61
/// "Disk full", 75 (a symbolic link that loops says so), each naming the path.
TarveloError SystemFileError(int err, const std::string& path);

/// Rethrows `error` with `prefix` in front of its description.
[[noreturn]] void RethrowWithContext(const TarveloError& error, const std::string& prefix);

}  // namespace tarvelo

#endif  // TARVELO_COMMON_ERROR_H_
