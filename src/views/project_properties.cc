// The Project Properties dialog's checks and the storing of its record. The record is
// written before the settings in memory change, so a failed write leaves both the old
// file (the write goes through a temporary sibling) and the settings in force.
#include "views/project_properties.h"

#include <algorithm>

#include "common/error.h"
#include "common/paths.h"
#include "common/text.h"
#include "engine/macro_tags.h"
#include "project/history_operations.h"
#include "project/project_history.h"
#include "project/startup.h"
#include "project/workspace.h"

namespace tarvelo {
namespace {

bool HasControlCharacter(std::string_view text) {
  return std::any_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7f; });
}

// A whole number from 0 to 32767, blanks around it allowed.
std::optional<Int16> ParseLimit(std::string_view text) {
  std::string digits = Trim(text);
  if (!digits.empty() && digits.front() == '+') digits.erase(0, 1);
  if (digits.empty() || digits.size() > 5) return std::nullopt;
  if (!std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    return std::nullopt;
  }
  const long value = std::stol(digits);
  if (value > 32767) return std::nullopt;
  return static_cast<Int16>(value);
}

}  // namespace

std::string NormaliseFilePath(std::string_view text) {
  return ToNativeSeparators(Trim(text));
}

std::string NormaliseFolderPath(std::string_view text) {
  std::string path = NormaliseFilePath(text);
  if (!path.empty() && !EndsWithSeparator(path)) path += kNativeSeparator;
  return path;
}

const std::array<LimitField, 11>& ProjectLimitFields() {
  using P = ProjectSettings;
  constexpr PropertiesPage kMemory = PropertiesPage::kMemory;
  static const std::array<LimitField, 11> fields = {{
      {&P::max_folders, "Maximum Folders for Project", kMemory},
      {&P::max_globals, "Maximum Global Content Files for Project", kMemory},
      {&P::max_docs, "Maximum Documents per Folder", kMemory},
      {&P::max_folder_globals, "Maximum Folder Content Files per Folder", kMemory},
      {&P::max_content_files, "Maximum Content Files per Document", kMemory},
      {&P::max_global_macros, "Maximum Macros per Global Content File", kMemory},
      {&P::max_folder_global_macros, "Maximum Macros per Folder Content File", kMemory},
      {&P::max_content_file_macros, "Maximum Macros per Content File", kMemory},
      {&P::max_project_macros, "Maximum Macros per Project Content File", kMemory},
      {&P::max_parameters, "Maximum Parameters per Macro", kMemory},
      {&P::max_nested_macros, "Maximum Levels of Nesting", PropertiesPage::kAdvanced},
  }};
  return fields;
}

const std::array<TagField, 13>& ProjectTagFields() {
  using P = ProjectSettings;
  static const std::array<TagField, 13> fields = {{
      {&P::macro_start_tag, 5},
      {&P::macro_end_tag, 5},
      {&P::parameter_start_tag, 5},
      {&P::parameter_end_tag, 5},
      {&P::wildcard_tag, 1},
      {&P::parent_reference_tag, 1},
      {&P::non_blank_delete_tag, 1},
      {&P::single_quote_escape_tag, 1},
      {&P::concatenate_tag, 1},
      {&P::conditional_start_tag, 1},
      {&P::conditional_else_tag, 2},
      {&P::conditional_end_tag, 1},
      {&P::required_tag, 1},
  }};
  return fields;
}

void ResetMemoryLimits(ProjectSettings& settings) {
  constexpr Int16 kDefaults[] = {25, 5, 50, 5, 5, 100, 50, 50, 5, 5};
  for (size_t i = 0; i < std::size(kDefaults); ++i) {
    settings.*(ProjectLimitFields()[i].field) = kDefaults[i];
  }
}

std::optional<FieldError> ValidateProjectFields(ProjectSettings& settings,
                                                const LimitTexts& limits) {
  if (IsBlank(settings.name)) {
    return FieldError{PropertiesPage::kGeneral, "Project Name cannot be blank."};
  }
  if (std::string tags = ValidateMacroTags(settings); !tags.empty()) {
    return FieldError{PropertiesPage::kMacros, std::move(tags)};
  }
  if (HasControlCharacter(settings.definition_file)) {
    return FieldError{PropertiesPage::kGeneral,
                      "The Definition File name contains characters that cannot be used in a "
                      "file name."};
  }
  std::array<Int16, 11> values{};
  for (size_t i = 0; i < limits.size(); ++i) {
    const std::optional<Int16> value = ParseLimit(limits[i]);
    if (!value) {
      const LimitField& field = ProjectLimitFields()[i];
      return FieldError{field.page,
                        std::string(field.caption) + " must be a whole number from 0 to 32767."};
    }
    values[i] = *value;
  }
  for (size_t i = 0; i < values.size(); ++i) settings.*(ProjectLimitFields()[i].field) = values[i];
  return std::nullopt;
}

void CheckRoomForNewProject(const Workspace& workspace) {
  const ProjectHistory& history = workspace.history;
  if (history.last_index + 1 >= static_cast<int>(history.entries.size())) {
    throw TarveloError(kErrHistoryFull,
                       "Could not create new project. Maximum number of projects exceeded.");
  }
}

void StoreProjectProperties(Workspace& workspace, const ProjectSettings& record, bool new_project) {
  ProjectHistory& history = workspace.history;
  Int16 index = -1;
  if (new_project) {
    // The history file holds "5|path|state" lines: a "|" or a line break could not be
    // read back.
    if (record.project_file_path.find_first_of("|\r\n") != std::string::npos) {
      throw FileError(kBadFileName, record.project_file_path);
    }
    // Saving over a listed project file makes that entry current instead of listing
    // the same file twice.
    index = FindProject(history, record.project_file_path);
    if (index < 0) CheckRoomForNewProject(workspace);
  }
  WriteProjectSettings(workspace.files, record);
  workspace.settings = record;
  if (new_project) {
    ClearCurrentMark(history);
    if (index < 0) {
      index = static_cast<Int16>(history.last_index + 1);
      history.entries[static_cast<size_t>(index)] =
          HistoryEntry{record.name, record.project_file_path, kHistoryCurrent};
      history.last_index = index;
    }
    history.entries[static_cast<size_t>(index)].state = kHistoryCurrent;
  }
  WriteProjectHistory(workspace);
  ReadProjectHistory(workspace);
  ReadProjectSettings(workspace, "");
}

}  // namespace tarvelo
