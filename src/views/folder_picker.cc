// The folder picker's rules. The window lists folders on disk; what it returns is the
// form a project file or the options keep.
#include "views/folder_picker.h"

#include "common/paths.h"
#include "common/text.h"
#include "project/file_store.h"
#include "project/program_options.h"
#include "views/project_properties.h"

namespace tarvelo {
namespace {

std::string WithSeparator(std::string folder) {
  if (folder.empty() || !EndsWithSeparator(folder)) folder += kNativeSeparator;
  return folder;
}

std::string LetterDrive(const std::string& path) {
  const size_t colon = path.find(':');
  return colon == std::string::npos ? std::string() : Trim(path.substr(0, colon + 1));
}

}  // namespace

bool DefaultDriveInUse(const ProgramOptions& options) {
  return options.enable_default_drive == 1 && !options.default_drive.empty();
}

std::string PickerStartDrive(const std::string& path, const ProgramOptions& options,
                             const std::string& program_folder) {
  if (std::string drive = LetterDrive(path); !drive.empty()) return drive;
  if (DefaultDriveInUse(options)) return options.default_drive;
  if (std::string drive = LetterDrive(program_folder); !drive.empty()) return drive;
  return StartsWithSeparator(program_folder) ? std::string(1, kNativeSeparator) : std::string();
}

std::string DriveFolder(const FileStore& files, const std::string& drive) {
  if (drive.empty()) return std::string(1, kNativeSeparator);
  return WithSeparator(files.DiskPath(drive.back() == ':' ? drive + "\\" : drive));
}

std::string PickerStartFolder(const FileStore& files, const std::string& path,
                              const std::string& drive, const ProgramOptions& options) {
  std::string folder = Trim(path);
  if (!folder.empty()) {
    folder = files.DiskPath(ApplyDefaultDrive(folder, options));
    // A relative text names no place on disk: start on the drive.
    if (!StartsWithSeparator(folder)) folder.clear();
  }
  while (!folder.empty() && !files.FolderExists(folder)) {
    while (!folder.empty() && EndsWithSeparator(folder)) folder.pop_back();
    folder = FolderOfPath(folder);
  }
  return folder.empty() ? DriveFolder(files, drive) : WithSeparator(folder);
}

FolderDisplay FolderDisplayForm(const std::string& folder, const ProgramOptions& options) {
  FolderDisplay display;
  std::string text = Trim(folder);
  if (DefaultDriveInUse(options)) {
    std::string drive = options.default_drive;
    while (drive.size() > 1 && EndsWithSeparator(drive)) drive.pop_back();
    const bool inside = text.compare(0, drive.size(), drive) == 0 &&
                        (text.size() == drive.size() || IsSeparator(text[drive.size()]) ||
                         drive.back() == ':' || IsSeparator(drive.back()));
    if (inside) {
      text.erase(0, drive.size());
      display.using_default_drive = true;
    }
  }
  display.text = NormaliseFolderPath(text);
  if (display.text.empty()) display.text = std::string(1, kNativeSeparator);
  return display;
}

}  // namespace tarvelo
