// ProjectSettings: the current Project's settings, one field per key of its project
// file (.web), and the reading and writing of that file.
#ifndef TARVELO_PROJECT_PROJECT_SETTINGS_H_
#define TARVELO_PROJECT_PROJECT_SETTINGS_H_

#include <string>

#include "common/int16.h"

namespace tarvelo {

class FileStore;

struct ProjectSettings {
  std::string name = "Project";
  /// The full path of the .web file; never stored in the file.
  std::string project_file_path;
  std::string document_root;
  std::string content_root;
  std::string default_content_root;
  std::string definition_file;
  std::string macro_start_tag = "[@";
  std::string macro_end_tag = "]";
  std::string parameter_start_tag = "(@";
  std::string parameter_end_tag = ")";
  std::string wildcard_tag = "*";
  std::string non_blank_delete_tag = "!";
  std::string parent_reference_tag = "^";
  Int16 parent_reference_tag_is_by_file = 0;
  std::string single_quote_escape_tag = "\\";
  std::string concatenate_tag = "&";
  std::string conditional_start_tag = "{";
  std::string conditional_else_tag = "}{";
  std::string conditional_end_tag = "}";
  std::string required_tag = "$";
  std::string line_continuation = "\\\\";
  Int16 delete_line = 1;
  std::string delete_line_exceptions = "ROOT_DIR";
  Int16 max_nested_macros = 50;
  std::string reserved_date_macro = "DATE";
  Int16 optimization_status = 0;
  std::string optimize_exclude_list;
  Int16 optimization_level = 1;
  Int16 max_folders = 25;
  Int16 max_globals = 5;
  Int16 max_docs = 50;
  Int16 max_folder_globals = 5;
  Int16 max_content_files = 5;
  Int16 max_global_macros = 100;
  Int16 max_folder_global_macros = 50;
  Int16 max_content_file_macros = 50;
  Int16 max_project_macros = 5;
  Int16 max_parameters = 5;
  std::string temporary_files_path;
  std::string reserved_project_name_macro = "TARVELO_PROJECT_NAME";
  std::string reserved_folder_name_macro = "TARVELO_FOLDER_NAME";
  std::string reserved_document_name_macro = "TARVELO_DOCUMENT_NAME";
  std::string project_macro_file;
  std::string global_content_files;
  Int16 display_project_macro_file = 1;
  std::string custom_project_path;
  Int16 custom_project_path_with_drive = 0;
  Int16 trim_parameter_values = 0;
  std::string generated_files_log_file;

  /// Derived after every read: macro start tag + macro end tag ("[@]"). It ends a
  /// multi-line definition.
  std::string empty_macro_marker = "[@]";
};

/// The values a reader takes for keys missing from the file (the defaults above).
ProjectSettings AbsentProjectSettings();

/// The values a new Project starts with ("New Project", "project.txt").
ProjectSettings NewProjectSettings();

/// The overview sample Project's settings for a program folder: the New values with
/// its name, both roots at <program folder>/overview/, its "overview.txt" definition
/// file and max-globals 2. The project file path is set too.
ProjectSettings SampleProjectSettings(const std::string& program_folder);

/// The sample project file's path: <program folder>/overview/Tarvelo CMS Overview.web.
std::string SampleProjectFilePath(const std::string& program_folder);

/// Reads every key of a project file into `settings`, in the reader's order, each value
/// stored right after its lookup; fields before a failure keep their new values and
/// the rest their old ones. Sets the project file path and, after the last key, the
/// empty-Macro marker. Raises the failure with "Error reading Project Data file " +
/// path + ". " + description + "." (a failed open, 13 "Type mismatch", 6 "Overflow").
/// An empty path reads no file: every field takes its Absent value.
void ReadProjectSettingsFile(const FileStore& files, const std::string& path,
                             ProjectSettings& settings);

/// Writes the record to its project file path, in the file's key order, through a
/// temporary sibling. Raises "Error writing to Project Data file " + path + ". " +
/// description + "." on failure.
void WriteProjectSettings(const FileStore& files, const ProjectSettings& settings);

/// The value of one key of any key=value file; empty when the file cannot be read or
/// has no such key.
std::string ReadSettingFromFile(const FileStore& files, const std::string& path,
                                const std::string& key);

}  // namespace tarvelo

#endif  // TARVELO_PROJECT_PROJECT_SETTINGS_H_
