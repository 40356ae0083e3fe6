// Reading and writing project files. One table lists every key with its field, in the
// writer's order; the reader walks the same table with delete-line moved before
// required-tag, as existing files were always read.
#include "project/project_settings.h"

#include <variant>
#include <vector>

#include "common/error.h"
#include "common/paths.h"
#include "project/file_store.h"
#include "project/key_value_file.h"

namespace tarvelo {
namespace {

using TextField = std::string ProjectSettings::*;
using NumberField = Int16 ProjectSettings::*;

struct SettingKey {
  const char* key;
  std::variant<TextField, NumberField> field;
};

const std::vector<SettingKey>& WriterOrder() {
  static const std::vector<SettingKey> keys = {
      {"name", &ProjectSettings::name},
      {"document-root", &ProjectSettings::document_root},
      {"content-root", &ProjectSettings::content_root},
      {"default-content-root", &ProjectSettings::default_content_root},
      {"definition-file", &ProjectSettings::definition_file},
      {"macro-start-tag", &ProjectSettings::macro_start_tag},
      {"macro-end-tag", &ProjectSettings::macro_end_tag},
      {"parameter-start-tag", &ProjectSettings::parameter_start_tag},
      {"parameter-end-tag", &ProjectSettings::parameter_end_tag},
      {"wildcard-tag", &ProjectSettings::wildcard_tag},
      {"parent-reference-tag", &ProjectSettings::parent_reference_tag},
      {"parent-reference-tag-is-by-file", &ProjectSettings::parent_reference_tag_is_by_file},
      {"single-quote-escape-tag", &ProjectSettings::single_quote_escape_tag},
      {"non-blank-delete-tag", &ProjectSettings::non_blank_delete_tag},
      {"concatenate-tag", &ProjectSettings::concatenate_tag},
      {"conditional-start-tag", &ProjectSettings::conditional_start_tag},
      {"conditional-else-tag", &ProjectSettings::conditional_else_tag},
      {"conditional-end-tag", &ProjectSettings::conditional_end_tag},
      {"required-tag", &ProjectSettings::required_tag},
      {"line-continuation", &ProjectSettings::line_continuation},
      {"delete-line", &ProjectSettings::delete_line},
      {"delete-line-exceptions", &ProjectSettings::delete_line_exceptions},
      {"optimization-status", &ProjectSettings::optimization_status},
      {"optimization-level", &ProjectSettings::optimization_level},
      {"optimize-exclude-list", &ProjectSettings::optimize_exclude_list},
      {"max-nested-macros", &ProjectSettings::max_nested_macros},
      {"reserved-date-macro", &ProjectSettings::reserved_date_macro},
      {"max-folders", &ProjectSettings::max_folders},
      {"max-globals", &ProjectSettings::max_globals},
      {"max-docs", &ProjectSettings::max_docs},
      {"max-folder-globals", &ProjectSettings::max_folder_globals},
      {"max-content-files", &ProjectSettings::max_content_files},
      {"max-global-macros", &ProjectSettings::max_global_macros},
      {"max-folder-global-macros", &ProjectSettings::max_folder_global_macros},
      {"max-content-file-macros", &ProjectSettings::max_content_file_macros},
      {"max-project-macros", &ProjectSettings::max_project_macros},
      {"max-parameters", &ProjectSettings::max_parameters},
      {"temporary-files-path", &ProjectSettings::temporary_files_path},
      {"reserved-project-name-macro", &ProjectSettings::reserved_project_name_macro},
      {"reserved-folder-name-macro", &ProjectSettings::reserved_folder_name_macro},
      {"reserved-document-name-macro", &ProjectSettings::reserved_document_name_macro},
      {"project-macro-file", &ProjectSettings::project_macro_file},
      {"display-project-macro-file", &ProjectSettings::display_project_macro_file},
      {"global-content-files", &ProjectSettings::global_content_files},
      {"custom-project-path", &ProjectSettings::custom_project_path},
      {"custom-project-path-with-drive", &ProjectSettings::custom_project_path_with_drive},
      {"trim-parameter-values", &ProjectSettings::trim_parameter_values},
      {"generated-files-log-file", &ProjectSettings::generated_files_log_file},
  };
  return keys;
}

std::vector<SettingKey> ReaderOrder() {
  std::vector<SettingKey> keys = WriterOrder();
  auto find = [&keys](std::string_view key) {
    for (auto it = keys.begin(); it != keys.end(); ++it) {
      if (key == it->key) return it;
    }
    return keys.end();
  };
  const SettingKey delete_line = *find("delete-line");
  keys.erase(find("delete-line"));
  keys.insert(find("required-tag"), delete_line);
  return keys;
}

}  // namespace

ProjectSettings AbsentProjectSettings() {
  return ProjectSettings();
}

ProjectSettings NewProjectSettings() {
  ProjectSettings settings;
  settings.name = "New Project";
  settings.definition_file = "project.txt";
  return settings;
}

std::string SampleProjectFilePath(const std::string& program_folder) {
  return JoinPath(JoinPath(program_folder, "overview"), "Tarvelo CMS Overview.web");
}

ProjectSettings SampleProjectSettings(const std::string& program_folder) {
  ProjectSettings settings = NewProjectSettings();
  const std::string folder = JoinPath(program_folder, "overview") + kNativeSeparator;
  settings.name = "Tarvelo CMS Overview (Sample)";
  settings.document_root = folder;
  settings.content_root = folder;
  settings.definition_file = folder + "overview.txt";
  settings.max_globals = 2;
  settings.project_file_path = SampleProjectFilePath(program_folder);
  return settings;
}

void ReadProjectSettingsFile(const FileStore& files, const std::string& path,
                             ProjectSettings& settings) {
  settings.project_file_path = path;
  if (path.empty()) {
    settings = AbsentProjectSettings();
  } else {
    try {
      const KeyValueText text = KeyValueText::Read(files, path);
      static const std::vector<SettingKey> order = ReaderOrder();
      const ProjectSettings absent;
      for (const SettingKey& key : order) {
        if (const auto* text_field = std::get_if<TextField>(&key.field)) {
          settings.*(*text_field) = text.Text(key.key, absent.*(*text_field));
        } else {
          const NumberField number_field = std::get<NumberField>(key.field);
          settings.*number_field = text.Number(key.key, absent.*number_field);
        }
      }
    } catch (const TarveloError& error) {
      throw TarveloError(error.number,
                         "Error reading Project Data file " + path + ". " + error.description + ".",
                         error.source);
    }
  }
  settings.project_file_path = path;
  settings.empty_macro_marker = settings.macro_start_tag + settings.macro_end_tag;
}

void WriteProjectSettings(const FileStore& files, const ProjectSettings& settings) {
  KeyValueWriter writer;
  writer.Add("ini-file-version", "5");
  for (const SettingKey& key : WriterOrder()) {
    if (const auto* text_field = std::get_if<TextField>(&key.field)) {
      writer.Add(key.key, settings.*(*text_field));
    } else {
      writer.Add(key.key, settings.*std::get<NumberField>(key.field));
    }
  }
  try {
    writer.WriteTo(files, settings.project_file_path);
  } catch (const TarveloError& error) {
    throw TarveloError(error.number,
                       "Error writing to Project Data file " + settings.project_file_path + ". " +
                           error.description + ".",
                       error.source);
  }
}

std::string ReadSettingFromFile(const FileStore& files, const std::string& path,
                                const std::string& key) {
  try {
    return KeyValueText::Read(files, path).Text(key, "");
  } catch (const TarveloError&) {
    return std::string();
  }
}

}  // namespace tarvelo
