// BrowseForFolder's rules, apart from its window: the drive the picker starts on, the
// folder it shows first, and the display form of the chosen folder (with the default
// drive left off, as project files keep their paths). On Linux a "drive" is either a
// letter drive of a project file ("C:", mapped by the FileStore), the default drive's
// folder prefix, or the file system's root "/".
#ifndef TARVELO_VIEWS_FOLDER_PICKER_H_
#define TARVELO_VIEWS_FOLDER_PICKER_H_

#include <string>

namespace tarvelo {

class FileStore;
struct ProgramOptions;

/// True when enable-default-drive is 1 and default-drive is set.
bool DefaultDriveInUse(const ProgramOptions& options);

/// The drive the picker starts on: the part of `path` up to and including its first
/// ":" (trimmed); else the default drive when it is in use; else the drive of the
/// program folder (its letter drive, or "/" for a path rooted on the file system).
std::string PickerStartDrive(const std::string& path, const ProgramOptions& options,
                             const std::string& program_folder);

/// The folder on disk that the folder list starts on: `path` (after the default drive
/// and the FileStore's drive mapping) or, when it does not exist, its nearest existing
/// parent; with an empty or unusable path, the drive's own folder. Ends with "/".
std::string PickerStartFolder(const FileStore& files, const std::string& path,
                              const std::string& drive, const ProgramOptions& options);

/// The folder on disk that a drive of the drive list stands for.
std::string DriveFolder(const FileStore& files, const std::string& drive);

/// How a chosen folder is shown and returned.
struct FolderDisplay {
  std::string text;
  bool using_default_drive = false;
};

/// The display form of a folder: with the default drive in use and the folder inside
/// it, the default drive is removed (the label "Using Default Drive" is shown); then
/// trimmed, with native separators and a trailing one. The default drive matches
/// whole folder names only, compared exactly (Linux file names differ by case).
FolderDisplay FolderDisplayForm(const std::string& folder, const ProgramOptions& options);

}  // namespace tarvelo

#endif  // TARVELO_VIEWS_FOLDER_PICKER_H_
