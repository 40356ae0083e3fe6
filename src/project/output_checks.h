// Checks on a file before it is replaced: does the new output hold the same lines
// (an unchanged output keeps its file and its date), and is the file read-only.
#ifndef TARVELO_PROJECT_OUTPUT_CHECKS_H_
#define TARVELO_PROJECT_OUTPUT_CHECKS_H_

#include <string>

namespace tarvelo {

class FileStore;
class LogSink;
struct Workspace;

/// True when both files hold the same lines (a file at its end reads as empty lines).
/// Any failure logs ">Unable to compare files" and gives false.
bool CompareTextFiles(Workspace& workspace, const std::string& new_file,
                      const std::string& existing_file);
/// The same, logging to `log`.
bool CompareTextFiles(const FileStore& files, LogSink& log, const std::string& new_file,
                      const std::string& existing_file);

/// True when a file exists at the path and is read-only. An error shows the common
/// error report and gives false.
bool IsReadOnlyFile(Workspace& workspace, const std::string& path);

}  // namespace tarvelo

#endif  // TARVELO_PROJECT_OUTPUT_CHECKS_H_
