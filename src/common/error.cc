// Fixed runtime error texts, so a failure reads the same wherever it is reported.
#include "common/error.h"

#include <cerrno>

namespace tarvelo {

std::string RuntimeErrorText(int number) {
  switch (number) {
    case kInvalidProcedureCall:
      return "Invalid procedure call or argument";
    case kOverflow:
      return "Overflow";
    case kSubscriptOutOfRange:
      return "Subscript out of range";
    case kTypeMismatch:
      return "Type mismatch";
    case kBadFileName:
      return "Bad file name or number";
    case kFileNotFound:
      return "File not found";
    case kDiskFull:
      return "Disk full";
    case kInputPastEndOfFile:
      return "Input past end of file";
    case kPermissionDenied:
      return "Permission denied";
    case kPathFileAccessError:
      return "Path/File access error";
    case kPathNotFound:
      return "Path not found";
    case kInvalidFileFormat:
      return "Invalid file format";
    default:
      return "";
  }
}

TarveloError RuntimeError(int number) {
  return TarveloError(number, RuntimeErrorText(number));
}

TarveloError FileError(int number, const std::string& path) {
  return TarveloError(number, RuntimeErrorText(number) + " (" + path + ")");
}

TarveloError SystemFileError(int err, const std::string& path) {
  switch (err) {
    case ENOENT:
      return FileError(kFileNotFound, path);
    case ENOTDIR:
      return FileError(kPathNotFound, path);
    case EACCES:
    case EPERM:
    case EROFS:
      return FileError(kPermissionDenied, path);
    case ENAMETOOLONG:
      return FileError(kBadFileName, path);
    case ENOSPC:
    case EDQUOT:
      return FileError(kDiskFull, path);
    case ELOOP:
      // Not "missing": a configuration file behind a looping link must not be taken
      // for absent and replaced with defaults.
      return TarveloError(kPathFileAccessError, RuntimeErrorText(kPathFileAccessError) +
                                                    ": the symbolic links loop (" + path + ")");
    default:
      return FileError(kPathFileAccessError, path);
  }
}

void RethrowWithContext(const TarveloError& error, const std::string& prefix) {
  throw TarveloError(error.number, prefix + error.description, error.source);
}

}  // namespace tarvelo
