// The workbench's project-file argument: `tarvelo site.web`, as a file manager starts
// it for a double-clicked project file, opens that Project the way Open Project does.
#ifndef TARVELO_GENERATION_PROJECT_ARGUMENT_H_
#define TARVELO_GENERATION_PROJECT_ARGUMENT_H_

#include <string>
#include <vector>

namespace tarvelo {

class FileStore;
struct Workspace;

/// The project file named by the arguments: the only argument, when it is not an
/// option ("-..." or "/name=...") and ends in ".web" (any case) or names an existing
/// file; made absolute against the current folder. "" when there is none.
std::string ProjectFileArgument(const std::vector<std::string>& arguments, const FileStore& files);

/// Opens the project file at `path` as the Open Project command does. A file without a
/// Project name (missing, or not a project file) changes nothing and shows the
/// "Command Line Error" box. True when the Project is now current.
bool OpenProjectArgument(Workspace& workspace, const std::string& path);

}  // namespace tarvelo

#endif  // TARVELO_GENERATION_PROJECT_ARGUMENT_H_
