// The Project Properties dialog's work that is not about widgets: how a path field is
// tidied when the user leaves it, the checks a confirmed set of fields must pass (with
// the page that holds the failing field), the limits' defaults, and storing the result:
// the project file, the Project History and the settings read back.
#ifndef TARVELO_VIEWS_PROJECT_PROPERTIES_H_
#define TARVELO_VIEWS_PROJECT_PROPERTIES_H_

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "common/int16.h"
#include "project/project_settings.h"

namespace tarvelo {

struct Workspace;

/// The dialog's pages, in tab order.
enum class PropertiesPage { kGeneral = 0, kMacros, kOptimization, kMemory, kAdvanced };

/// The prefix of every "Field Error" message.
inline constexpr const char* kFieldErrorPrefix =
    "Please check the Data you entered into the form. ";
inline constexpr const char* kFieldErrorCaption = "Field Error";

/// A refused field: the page that holds it and the rule's own text (without the prefix).
struct FieldError {
  PropertiesPage page;
  std::string message;
};

/// A path field as it is kept: trimmed, every "\" turned into the native separator.
std::string NormaliseFilePath(std::string_view text);
/// The same for a folder field, with a trailing separator unless it is empty.
std::string NormaliseFolderPath(std::string_view text);

/// A numeric field of the dialog: its key's field, its caption (without the colon) and
/// the page it is on.
struct LimitField {
  Int16 ProjectSettings::*field;
  const char* caption;
  PropertiesPage page;
};

/// The ten Memory Management limits in the order of the page, then the nesting limit.
const std::array<LimitField, 11>& ProjectLimitFields();

/// A Macro Tag field of the dialog: its field and longest value.
struct TagField {
  std::string ProjectSettings::*field;
  int max_length;
};

/// The thirteen tags: the four Macro Tags, then the nine Advanced Macro Tags.
const std::array<TagField, 13>& ProjectTagFields();

/// The limits' texts as the dialog holds them, in ProjectLimitFields() order.
using LimitTexts = std::array<std::string, 11>;

/// Puts the ten Memory Management limits back to 25, 5, 50, 5, 5, 100, 50, 50, 5, 5.
void ResetMemoryLimits(ProjectSettings& settings);

/// Checks the confirmed fields in order: the name ("Project Name cannot be blank."),
/// the Macro Tags (ValidateMacroTags), the definition file name (a control character
/// cannot be stored in the project file nor used in a file name), then each limit,
/// which must be a whole number from 0 to 32767. On success the limits are stored in
/// `settings`; on failure nothing in `settings` has changed.
std::optional<FieldError> ValidateProjectFields(ProjectSettings& settings,
                                                const LimitTexts& limits);

/// Stores the dialog's record as the current Project: writes its project file, and
/// for a new Project adds it to the Project History as the current entry (or makes the
/// entry current when that file is already listed); then writes and reads back the
/// history and reads the settings. Raises 10003 "Could not create new project. Maximum
/// number of projects exceeded." when a new Project finds the history full, and 52
/// "Bad file name or number" for a project file path the history cannot store, before
/// anything is written; raises the write's error with the settings in memory unchanged.
void StoreProjectProperties(Workspace& workspace, const ProjectSettings& record, bool new_project);

/// Raises 10003 when the Project History has no room for another Project.
void CheckRoomForNewProject(const Workspace& workspace);

}  // namespace tarvelo

#endif  // TARVELO_VIEWS_PROJECT_PROPERTIES_H_
