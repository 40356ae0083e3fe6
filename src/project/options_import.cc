// The import of another installation's options. The order of Finish is chosen so that
// a failure at any step leaves a working installation: the source history is read
// before anything is written, the options are written before the history (whose old
// copy stays until the new one is complete), and both writes go through temporary
// siblings.
#include "project/options_import.h"

#include <algorithm>

#include "common/error.h"
#include "common/error_report.h"
#include "common/paths.h"
#include "common/text.h"
#include "project/history_operations.h"
#include "project/key_value_file.h"
#include "project/project_history.h"
#include "project/startup.h"
#include "project/workspace.h"

namespace tarvelo {
namespace {

TarveloError CopyError(const std::string& source, const std::string& destination,
                       const TarveloError& failure) {
  return TarveloError(kErrCopyHistory, "Error copying Project History file " + source + " to " +
                                           destination + ". " + failure.description +
                                           ".\rPlease check the paths and try again.");
}

std::string FirstLineOf(const std::string& bytes) {
  std::string line = bytes.substr(0, bytes.find('\n'));
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

}  // namespace

std::string NormaliseDialogPath(const std::string& text) {
  std::string path = Trim(text);
  std::replace(path.begin(), path.end(), '\\', '/');
  return path;
}

OptionsImport::OptionsImport(Workspace& workspace) : workspace_(workspace) {}

bool OptionsImport::ReadSource(const std::string& options_path) {
  try {
    if (!CheckProgramOptionsFile(workspace_.files, workspace_.host, workspace_.program_folder,
                                 options_path, true)) {
      return false;
    }
    ProgramOptions read;
    ReadProgramOptionsFile(workspace_.files, workspace_.program_folder, options_path, read);
    imported_ = read;
    options_path_ = options_path;
    return true;
  } catch (const TarveloError& error) {
    ShowErrorReport(workspace_.host, error);
    return false;
  }
}

std::string OptionsImport::ImportedHistoryPath() const {
  return ApplyDefaultDrive(imported_.project_file, imported_);
}

std::string OptionsImport::DefaultHistoryPath() const {
  return DefaultProjectHistoryPath(workspace_.program_folder);
}

ImportChoice OptionsImport::RecommendedChoice() const {
  const bool same_folder =
      FoldCase(FolderOfPath(options_path_)) == FoldCase(FolderOfPath(ImportedHistoryPath()));
  return same_folder ? kCopyImportedHistory : kReferenceImportedHistory;
}

// The installation must not end up pointing at a history it would refuse; a missing
// file is fine, since the history check offers to create it.
bool OptionsImport::HistoryRecognised(const std::string& path, const std::string* bytes) {
  std::string first_line;
  bool empty = false;
  if (bytes != nullptr) {
    first_line = FirstLineOf(*bytes);
    empty = bytes->empty();
  } else if (!ReadFirstLine(workspace_.files, path, first_line, &empty)) {
    return true;
  }
  if (empty || RecognisedHistoryFirstLine(first_line)) return true;
  workspace_.host.ShowMessage(
      "Tarvelo does not recognize your Project History File. Please make sure that the file "
      "you are attempting to import is a valid Project History File.",
      "Project History File Error", MessageButtons::kOk, MessageIcon::kNone);
  return false;
}

bool OptionsImport::Finish(ImportChoice choice, const std::string& other_history) {
  ProgramOptions record = imported_;
  const std::string destination = DefaultHistoryPath();
  const bool copy = choice == kCopyImportedHistory || choice == kCopyOtherHistory;
  const std::string source = choice == kCopyOtherHistory ? other_history : ImportedHistoryPath();
  std::string history;
  try {
    if (copy) {
      try {
        history = workspace_.files.ReadAll(source);
      } catch (const TarveloError& error) {
        throw CopyError(source, destination, error);
      }
      if (!HistoryRecognised(source, &history)) return false;
      record.project_file = destination;
    } else {
      if (choice == kUseDefaultHistory) record.project_file = destination;
      if (!HistoryRecognised(ProjectHistoryPath(record, workspace_.program_folder), nullptr)) {
        return false;
      }
    }
    WriteProgramOptions(workspace_.files, record,
                        DefaultProgramOptionsPath(workspace_.program_folder));
  } catch (const TarveloError& error) {
    ShowErrorReport(workspace_.host, error);
    return false;
  }

  // The options are in place: the import is done, whatever the history does.
  if (copy) {
    try {
      TextWriter writer = workspace_.files.ReplaceTextFile(destination);
      writer.Write(history);
      writer.Close();
    } catch (const TarveloError& error) {
      ShowErrorReport(workspace_.host, CopyError(source, destination, error));
    }
  }
  if (!ReadProgramOptions(workspace_, "")) return false;
  if (!CheckProjectHistoryFile(workspace_, true)) return false;
  ReadProjectHistory(workspace_);
  ReadProjectSettings(workspace_, "");
  return true;
}

}  // namespace tarvelo
