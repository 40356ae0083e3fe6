// ProgramOptions: the program-wide options of "tarvelo.ini" in the program folder,
// their version check, reading and writing, and the default drive.
#ifndef TARVELO_PROJECT_PROGRAM_OPTIONS_H_
#define TARVELO_PROJECT_PROGRAM_OPTIONS_H_

#include <array>
#include <functional>
#include <string>

#include "common/int16.h"

namespace tarvelo {

class FileStore;
class Host;

struct CustomCommand {
  std::string caption;
  std::string command;
};

struct ProgramOptions {
  std::string editor;
  std::string browser;
  std::string image_editor;
  std::string xml_editor;
  std::string custom_application_caption;
  std::string custom_application;
  std::string custom_application_caption2;
  std::string custom_application2;
  std::string custom_application_caption3;
  std::string custom_application3;
  std::string browse_folder1;
  Int16 enable_logging = 1;
  Int16 enable_default_drive = 0;
  std::string default_drive;
  Int16 enable_content_file_filter = 0;
  std::string content_file_filter;
  /// custom-caption1/custom-command1 .. custom-caption6/custom-command6.
  std::array<CustomCommand, 6> custom_commands;
  Int16 documents_default_action = 0;
  Int16 maximum_projects = 25;
  std::string project_file;
  Int16 fast_file_system = 1;
  Int16 post_generate_refresh = 1;
  Int16 display_all_macros = 1;
  Int16 show_macro_tags = 0;
  Int16 resizable_border = 0;
  std::string editor_options;
  Int16 sort_folders = 0;
  Int16 large_display = 0;
  Int16 editor_options_add_space = 1;
  Int16 ignore_generation_errors = 0;
  Int16 ignore_missing_file_errors = 0;
  Int16 display_paths = 0;
  Int16 display_attributes = 0;
  Int16 display_macros = 0;
  Int16 modified_only = 0;
  Int16 skip_read_only = 0;
  Int16 create_subdirectories = 0;
};

/// "tarvelo.ini" in the program folder.
std::string DefaultProgramOptionsPath(const std::string& program_folder);
/// "projects.ini" in the program folder.
std::string DefaultProjectHistoryPath(const std::string& program_folder);

/// The values written when the file is created: xdg-open for the editor, the browser
/// and the image editor, logging on, 25 Projects, the default history path.
ProgramOptions FirstRunProgramOptions(const std::string& program_folder);

/// True when the Program Options file at `path` (empty: the default) may be read: its
/// first line carries the version "5" or "5.0" (as ini-file-version, or version).
/// A missing file is created with the First-run values after the host's OK (with its
/// folders), unless importing; a first line of "." is silently replaced by them when
/// not importing; any other version is refused with a message. An existing file that
/// cannot be opened raises its error rather than being taken for a missing one, and so
/// does a failed write.
bool CheckProgramOptionsFile(const FileStore& files, Host& host, const std::string& program_folder,
                             const std::string& path, bool importing);

/// Reads the file (empty path: the default) into `options`, every key but
/// ini-file-version, missing keys taking their Absent values; fields before a failure
/// keep their new values. Replaces an empty project-file by the default. Raises
/// "Error reading Program Data file " + path + ". " + description + ".".
void ReadProgramOptionsFile(const FileStore& files, const std::string& program_folder,
                            const std::string& path, ProgramOptions& options);

/// Writes the record to `path` (which must be given; DefaultProgramOptionsPath names
/// the program's own file) in the file's key order, through a temporary sibling.
/// Raises "Error writing to Program Data file " + path + ". " + description + ".".
void WriteProgramOptions(const FileStore& files, const ProgramOptions& options,
                         const std::string& path);

/// Changes the file as it is now rather than as this instance read it: under the
/// file's lock, reads it again (empty path: the default), applies `change` and
/// writes it back, so another instance's changes to other keys are kept. Raises the
/// reader's and the writer's errors.
void UpdateProgramOptionsFile(const FileStore& files, const std::string& program_folder,
                              const std::string& path,
                              const std::function<void(ProgramOptions&)>& change);

/// Puts `drive` in front of a path rooted on the current drive (at least two
/// characters, one leading separator, not two) when `drive` is not empty and `enable`
/// is exactly 1; any other path comes back unchanged.
std::string ApplyDefaultDrive(const std::string& path, const std::string& drive, Int16 enable);
/// The same with default-drive and enable-default-drive of the options (what an
/// empty drive argument means).
std::string ApplyDefaultDrive(const std::string& path, const ProgramOptions& options);

}  // namespace tarvelo

#endif  // TARVELO_PROJECT_PROGRAM_OPTIONS_H_
