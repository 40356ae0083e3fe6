// Storing the Program Options from the dialog. The file is written before anything in
// memory changes, so a failed write leaves the program as it was.
#include "views/program_options_update.h"

#include "common/error.h"
#include "common/text.h"
#include "project/history_operations.h"
#include "project/log.h"
#include "project/program_options.h"
#include "project/startup.h"
#include "project/workspace.h"

namespace tarvelo {

std::variant<Int16, std::string> CheckProgramOptionsFields(const std::string& maximum_projects,
                                                           const std::string& project_file) {
  Int16 maximum = 0;
  try {
    maximum = ToInt16(maximum_projects);
  } catch (const TarveloError& error) {
    if (error.number == kOverflow && !Trim(maximum_projects).starts_with('-')) {
      return std::string("The maximum number of Projects cannot be more than 32767.");
    }
    maximum = 0;
  }
  if (maximum < 1) return std::string("The maximum number of Projects must be greater than 0.");
  if (Trim(project_file).empty()) return std::string("The Project History File cannot be blank.");
  return maximum;
}

bool StoreProgramOptions(Workspace& workspace, const ProgramOptions& edited) {
  const std::string path = DefaultProgramOptionsPath(workspace.program_folder);
  const ProgramOptions previous = workspace.options;
  WriteProgramOptions(workspace.files, edited, path);
  ReadProgramOptions(workspace, path);
  if (workspace.options.enable_logging != 1)
    workspace.log.Write(kLoggingDisabledNotice, true, true);
  if (!CheckProjectHistoryFile(workspace, false)) {
    // Keeping a history file that was refused would close the program at its next
    // start, and the next history operation would write this table into it.
    WriteProgramOptions(workspace.files, previous, path);
    ReadProgramOptions(workspace, path);
    return false;
  }
  ReadProjectHistory(workspace);
  ReadProjectSettings(workspace, "");
  return true;
}

}  // namespace tarvelo
