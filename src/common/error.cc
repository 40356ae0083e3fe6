// Fixed runtime error texts, so a failure reads the same wherever it is reported.
#include "common/error.h"

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

void RethrowWithContext(const TarveloError& error, const std::string& prefix) {
  throw TarveloError(error.number, prefix + error.description, error.source);
}

}  // namespace tarvelo
