// Reading, writing and checking "tarvelo.ini". One table lists every key with its
// field in the record's order, which is also the reader's order; the writer walks
// its own list of keys, because existing files have always been written that way.
#include "project/program_options.h"

#include <variant>
#include <vector>

#include "common/error.h"
#include "common/host.h"
#include "common/paths.h"
#include "project/file_locks.h"
#include "project/file_store.h"
#include "project/key_value_file.h"
#include "project/startup.h"

namespace tarvelo {
namespace {

using TextField = std::string ProgramOptions::*;
using NumberField = Int16 ProgramOptions::*;

/// custom-captionN or custom-commandN: one half of a custom command.
struct CommandField {
  int index;
  std::string CustomCommand::*part;
};

struct OptionKey {
  std::string key;
  std::variant<TextField, NumberField, CommandField> field;
};

const std::vector<OptionKey>& RecordOrder() {
  static const std::vector<OptionKey> keys = [] {
    std::vector<OptionKey> list = {
        {"editor", &ProgramOptions::editor},
        {"browser", &ProgramOptions::browser},
        {"image-editor", &ProgramOptions::image_editor},
        {"xml-editor", &ProgramOptions::xml_editor},
        {"custom-application-caption", &ProgramOptions::custom_application_caption},
        {"custom-application", &ProgramOptions::custom_application},
        {"custom-application-caption2", &ProgramOptions::custom_application_caption2},
        {"custom-application2", &ProgramOptions::custom_application2},
        {"custom-application-caption3", &ProgramOptions::custom_application_caption3},
        {"custom-application3", &ProgramOptions::custom_application3},
        {"browse-folder1", &ProgramOptions::browse_folder1},
        {"enable-logging", &ProgramOptions::enable_logging},
        {"enable-default-drive", &ProgramOptions::enable_default_drive},
        {"default-drive", &ProgramOptions::default_drive},
        {"enable-content-file-filter", &ProgramOptions::enable_content_file_filter},
        {"content-file-filter", &ProgramOptions::content_file_filter},
    };
    for (int i = 0; i < 6; ++i) {
      const std::string number = std::to_string(i + 1);
      list.push_back({"custom-caption" + number, CommandField{i, &CustomCommand::caption}});
      list.push_back({"custom-command" + number, CommandField{i, &CustomCommand::command}});
    }
    const std::vector<OptionKey> rest = {
        {"documents-default-action", &ProgramOptions::documents_default_action},
        {"maximum-projects", &ProgramOptions::maximum_projects},
        {"project-file", &ProgramOptions::project_file},
        {"fast-file-system", &ProgramOptions::fast_file_system},
        {"post-generate-refresh", &ProgramOptions::post_generate_refresh},
        {"display-all-macros", &ProgramOptions::display_all_macros},
        {"show-macro-tags", &ProgramOptions::show_macro_tags},
        {"resizable-border", &ProgramOptions::resizable_border},
        {"editor-options", &ProgramOptions::editor_options},
        {"sort-folders", &ProgramOptions::sort_folders},
        {"large-display", &ProgramOptions::large_display},
        {"editor-options-add-space", &ProgramOptions::editor_options_add_space},
        {"ignore-generation-errors", &ProgramOptions::ignore_generation_errors},
        {"ignore-missing-file-errors", &ProgramOptions::ignore_missing_file_errors},
        {"display-paths", &ProgramOptions::display_paths},
        {"display-attributes", &ProgramOptions::display_attributes},
        {"display-macros", &ProgramOptions::display_macros},
        {"modified-only", &ProgramOptions::modified_only},
        {"skip-read-only", &ProgramOptions::skip_read_only},
        {"create-subdirectories", &ProgramOptions::create_subdirectories},
    };
    list.insert(list.end(), rest.begin(), rest.end());
    return list;
  }();
  return keys;
}

std::vector<std::string> WriterOrder() {
  std::vector<std::string> keys = {"editor",
                                   "browser",
                                   "image-editor",
                                   "xml-editor",
                                   "custom-application",
                                   "custom-application-caption",
                                   "custom-application2",
                                   "custom-application-caption2",
                                   "custom-application3",
                                   "custom-application-caption3",
                                   "browse-folder1",
                                   "enable-default-drive",
                                   "default-drive",
                                   "enable-content-file-filter",
                                   "content-file-filter",
                                   "enable-logging"};
  for (int i = 1; i <= 6; ++i) {
    keys.push_back("custom-caption" + std::to_string(i));
    keys.push_back("custom-command" + std::to_string(i));
  }
  for (const char* key : {"documents-default-action",
                          "maximum-projects",
                          "project-file",
                          "fast-file-system",
                          "post-generate-refresh",
                          "display-all-macros",
                          "show-macro-tags",
                          "resizable-border",
                          "editor-options",
                          "sort-folders",
                          "large-display",
                          "editor-options-add-space",
                          "ignore-generation-errors",
                          "ignore-missing-file-errors",
                          "display-paths",
                          "display-attributes",
                          "display-macros",
                          "modified-only",
                          "skip-read-only",
                          "create-subdirectories"}) {
    keys.push_back(key);
  }
  return keys;
}

const OptionKey& FindKey(const std::string& key) {
  for (const OptionKey& entry : RecordOrder()) {
    if (entry.key == key) return entry;
  }
  throw RuntimeError(kInvalidProcedureCall);
}

std::string* TextOf(ProgramOptions& options, const OptionKey& entry) {
  if (const auto* text = std::get_if<TextField>(&entry.field)) return &(options.*(*text));
  if (const auto* command = std::get_if<CommandField>(&entry.field)) {
    return &(options.custom_commands[command->index].*(command->part));
  }
  return nullptr;
}

// The version is read from the first line only, as "ini-file-version" or, in older
// files, "version".
std::string FirstLineVersion(const std::string& first_line) {
  const KeyValueText text = KeyValueText::FromText(first_line);
  std::string version = text.Text("ini-file-version", "");
  if (version.empty()) version = text.Text("version", "");
  return version;
}

void WriteFirstRunFile(const FileStore& files, const std::string& program_folder,
                       const std::string& path) {
  EnsureFolderPath(files, path);
  WriteProgramOptions(files, FirstRunProgramOptions(program_folder), path);
}

}  // namespace

std::string DefaultProgramOptionsPath(const std::string& program_folder) {
  return JoinPath(program_folder, "tarvelo.ini");
}

std::string DefaultProjectHistoryPath(const std::string& program_folder) {
  return JoinPath(program_folder, "projects.ini");
}

ProgramOptions FirstRunProgramOptions(const std::string& program_folder) {
  ProgramOptions options;
  // The desktop's own opener stands in for the Windows programs.
  options.editor = "xdg-open";
  options.browser = "xdg-open";
  options.image_editor = "xdg-open";
  options.enable_logging = 1;
  options.enable_default_drive = 0;
  options.maximum_projects = 25;
  options.project_file = DefaultProjectHistoryPath(program_folder);
  options.fast_file_system = 1;
  options.post_generate_refresh = 1;
  options.display_all_macros = 1;
  options.editor_options_add_space = 1;
  return options;
}

bool CheckProgramOptionsFile(const FileStore& files, Host& host, const std::string& program_folder,
                             const std::string& path, bool importing) {
  const std::string file = path.empty() ? DefaultProgramOptionsPath(program_folder) : path;
  std::string first_line;
  if (!ReadFirstLine(files, file, first_line)) {
    if (importing) {
      host.ShowMessage(
          "Error opening Program Options file at " + file + ". Check the path and try again.",
          "File Open Error", MessageButtons::kOk, MessageIcon::kNone);
      return false;
    }
    const MessageAnswer answer = host.ShowMessage(
        "This appears to be the first time that you are running Tarvelo. A default program "
        "initialization file will be created at " +
            file +
            ". Press OK to create the initialization file or press Cancel to exit the program.",
        "Create Default Initialization File", MessageButtons::kOkCancel, MessageIcon::kQuestion);
    if (answer != MessageAnswer::kOk) return false;
    // The file named in the question is the one created.
    WriteFirstRunFile(files, program_folder, file);
    return true;
  }

  const std::string version = FirstLineVersion(first_line);
  if (version == "5" || version == "5.0") return true;
  if (importing) {
    host.ShowMessage("Tarvelo does not recognize the Program Options file at " + file + ".\r" +
                         "Check the path and try again.",
                     "File Error", MessageButtons::kOk, MessageIcon::kNone);
    return false;
  }
  if (first_line == ".") {
    WriteFirstRunFile(files, program_folder, file);
    return true;
  }
  host.ShowMessage(
      "Tarvelo does not recognize your initialization file. To correct this error, rename " +
          JoinPath(program_folder, "tarvelo.ini") +
          " and restart the program. This will reset all program configuration variables to "
          "default values.",
      "Initialization File Version Mismatch", MessageButtons::kOk, MessageIcon::kNone);
  return false;
}

void ReadProgramOptionsFile(const FileStore& files, const std::string& program_folder,
                            const std::string& path, ProgramOptions& options) {
  const std::string file = path.empty() ? DefaultProgramOptionsPath(program_folder) : path;
  const std::string default_history = DefaultProjectHistoryPath(program_folder);
  try {
    const KeyValueText text = KeyValueText::Read(files, file);
    ProgramOptions absent;
    absent.project_file = default_history;
    for (const OptionKey& entry : RecordOrder()) {
      if (std::string* field = TextOf(options, entry)) {
        *field = text.Text(entry.key, *TextOf(absent, entry));
      } else {
        const NumberField number = std::get<NumberField>(entry.field);
        options.*number = text.Number(entry.key, absent.*number);
      }
    }
  } catch (const TarveloError& error) {
    throw TarveloError(error.number,
                       "Error reading Program Data file " + file + ". " + error.description + ".",
                       error.source);
  }
  if (options.project_file.empty()) options.project_file = default_history;
}

void WriteProgramOptions(const FileStore& files, const ProgramOptions& options,
                         const std::string& path) {
  KeyValueWriter writer;
  writer.Add("ini-file-version", "5");
  ProgramOptions copy = options;
  for (const std::string& key : WriterOrder()) {
    const OptionKey& entry = FindKey(key);
    if (const std::string* text = TextOf(copy, entry)) {
      writer.Add(key, *text);
    } else {
      writer.Add(key, copy.*std::get<NumberField>(entry.field));
    }
  }
  try {
    writer.WriteTo(files, path);
  } catch (const TarveloError& error) {
    throw TarveloError(
        error.number, "Error writing to Program Data file " + path + ". " + error.description + ".",
        error.source);
  }
}

void UpdateProgramOptionsFile(const FileStore& files, const std::string& program_folder,
                              const std::string& path,
                              const std::function<void(ProgramOptions&)>& change) {
  const std::string file = path.empty() ? DefaultProgramOptionsPath(program_folder) : path;
  const FileUpdateLock lock(files, file);
  ProgramOptions options;
  ReadProgramOptionsFile(files, program_folder, file, options);
  change(options);
  WriteProgramOptions(files, options, file);
}

std::string ApplyDefaultDrive(const std::string& path, const std::string& drive, Int16 enable) {
  // Only a path rooted on the current drive takes a drive: one leading separator, not
  // the two of a network path.
  const bool rooted = path.size() >= 2 && IsSeparator(path[0]) && !IsSeparator(path[1]);
  if (rooted && !drive.empty() && enable == 1) return drive + path;
  return path;
}

std::string ApplyDefaultDrive(const std::string& path, const ProgramOptions& options) {
  return ApplyDefaultDrive(path, options.default_drive, options.enable_default_drive);
}

}  // namespace tarvelo
