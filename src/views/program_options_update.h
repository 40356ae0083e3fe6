// The Program Options dialog's work that is not about widgets: the checks OK makes and
// storing the edited options (tarvelo.ini written and read back, the log notice, the
// Project History file checked and read, the current Project's settings read).
#ifndef TARVELO_VIEWS_PROGRAM_OPTIONS_UPDATE_H_
#define TARVELO_VIEWS_PROGRAM_OPTIONS_UPDATE_H_

#include <string>
#include <variant>

#include "common/int16.h"

namespace tarvelo {

struct ProgramOptions;
struct Workspace;

/// The Maximum Projects number, or the rule's text when OK must refuse the fields
/// ("The maximum number of Projects must be greater than 0.", "The Project History
/// File cannot be blank."). Text that is not a number counts as 0.
std::variant<Int16, std::string> CheckProgramOptionsFields(const std::string& maximum_projects,
                                                           const std::string& project_file);

/// Writes `edited` to tarvelo.ini and reads it back into the workspace, starts the log
/// with the logging notice when logging is off, then checks the Project History file
/// (asking to create a missing one) and reads it and the current settings. A failed
/// write raises its error with the options in memory unchanged. A refused history
/// file is not taken: the previous options are written back and read, and the result
/// is false (the dialog stays open); true otherwise.
bool StoreProgramOptions(Workspace& workspace, const ProgramOptions& edited);

}  // namespace tarvelo

#endif  // TARVELO_VIEWS_PROGRAM_OPTIONS_UPDATE_H_
