// OptionsImport: the work of the import options wizard. It reads another
// installation's Program Options file, offers four ways to come by a Project History
// File (copy the imported one, copy another, keep the imported reference, use the
// default), and on Finish writes the options and reads options, history and the
// current Project's settings back into the workspace. Nothing of the current
// installation is replaced before everything it is replaced with has been read.
#ifndef TARVELO_PROJECT_OPTIONS_IMPORT_H_
#define TARVELO_PROJECT_OPTIONS_IMPORT_H_

#include <string>

#include "project/program_options.h"

namespace tarvelo {

struct Workspace;

/// The four choices of the second step.
enum ImportChoice : int {
  kCopyImportedHistory = 0,
  kCopyOtherHistory = 1,
  kReferenceImportedHistory = 2,
  kUseDefaultHistory = 3,
};

/// A path typed into a wizard field: blanks trimmed and "\" made "/".
std::string NormaliseDialogPath(const std::string& text);

class OptionsImport {
 public:
  explicit OptionsImport(Workspace& workspace);

  /// "Next >": checks the file at `options_path` as an import (a missing file or an
  /// unknown version is refused with its message) and reads it. False when refused
  /// or unreadable (the error report was shown).
  bool ReadSource(const std::string& options_path);

  const ProgramOptions& imported() const { return imported_; }
  /// Choice 0's file: the imported project-file with the imported default drive.
  std::string ImportedHistoryPath() const;
  /// Choice 2's file: the imported project-file as written.
  const std::string& ReferencedHistoryPath() const { return imported_.project_file; }
  /// Choice 3's file, and where choices 0 and 1 copy to: projects.ini in the program
  /// folder.
  std::string DefaultHistoryPath() const;
  /// Choice 0 when the imported history lies in the folder of the imported options
  /// (compared without regard to case), else choice 2.
  ImportChoice RecommendedChoice() const;

  /// "Finish". For choices 0 and 1 the source history (`other_history` for 1) is read
  /// first: a failure raises 10000 "Error copying Project History file ..." shown with
  /// the error report, and nothing is written. A history file of an unknown version
  /// is refused with its message before anything is written. Then the options are
  /// written to tarvelo.ini, the history copied (through a temporary sibling), and the
  /// options, the history and the current settings read again. True when the wizard
  /// may close: false when something was refused or the history check declined.
  bool Finish(ImportChoice choice, const std::string& other_history);

 private:
  bool HistoryRecognised(const std::string& path, const std::string* bytes);

  Workspace& workspace_;
  ProgramOptions imported_;
  std::string options_path_;
};

}  // namespace tarvelo

#endif  // TARVELO_PROJECT_OPTIONS_IMPORT_H_
