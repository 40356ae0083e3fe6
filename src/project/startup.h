// Start-up: where the program folder is, the resources copied into it, the order in
// which the configuration is brought up, and the working files that every settings
// read recomputes. The readers here are the Workspace-level ones: they report their
// own failures through the Host and then run their follow-up steps.
#ifndef TARVELO_PROJECT_STARTUP_H_
#define TARVELO_PROJECT_STARTUP_H_

#include <functional>
#include <string>

namespace tarvelo {

class FileStore;
struct Workspace;

/// Looks up an environment variable; empty text when it is unset.
using EnvironmentLookup = std::function<std::string(const std::string& name)>;

/// The process environment, for EnvironmentLookup.
std::string ProcessEnvironment(const std::string& name);

/// The running executable (from /proc/self/exe); empty when it cannot be found.
std::string ExecutablePath();

/// The folder of the running executable (from /proc/self/exe), without a trailing
/// separator; empty when it cannot be found.
std::string ExecutableFolder();

/// The program folder, without a trailing separator: $TARVELO_HOME when set; else the
/// executable's folder when it holds tarvelo.ini (a portable install); else
/// $XDG_CONFIG_HOME/tarvelo, with ~/.config as the default for $XDG_CONFIG_HOME.
std::string ResolveProgramFolder(const FileStore& files, const std::string& executable_folder,
                                 const EnvironmentLookup& environment);

/// The read-only resources (samples/, overview/): <exe>/share/tarvelo in the build
/// tree, else <exe>/../share/tarvelo once installed, else the configured install
/// folder. Empty when none of them exists.
std::string ResolveResourceFolder(const FileStore& files, const std::string& executable_folder);

/// Copies every file of samples/ and overview/ under `resource_folder` that is missing
/// from the program folder, creating folders as needed. Existing files are never
/// overwritten; a missing resource folder copies nothing. Raises the FileStore's
/// error when a copy fails.
void InstallResources(const FileStore& files, const std::string& resource_folder,
                      const std::string& program_folder);

/// Creates the program folder, with its parents, when it is missing (the console
/// front end does this before start-up). True when it had to be created.
bool CreateProgramFolder(const FileStore& files, const std::string& program_folder);

/// Walks every separator ("\" or "/") of `path` from left to right and creates the
/// folder named by the text up to it when that folder does not exist. Text after the
/// last separator is never created: a file path gets its folders, and a folder path
/// must end with a separator. Raises the FileStore's error.
void EnsureFolderPath(const FileStore& files, const std::string& path);

/// Computes the temporary files folder T and the working file paths from the
/// current settings and options, creates missing folders, and creates a missing log,
/// search results file or list of generated files with the single line "." (the log
/// gets the logging-disabled notice instead when logging is off). A failure is shown
/// with the error report as "Error setting temporary file path to " + T + ...; the
/// paths set before it stay in force. False on failure.
bool SetUpWorkingFiles(Workspace& workspace);

/// Reads the Program Options file (empty path: tarvelo.ini in the program folder),
/// then resizes the Project History and sets up the working files. A read failure is
/// shown with the error report and skips the follow-ups. False on failure.
bool ReadProgramOptions(Workspace& workspace, const std::string& path);

/// Reads a project file into the settings. An empty path means the current history
/// entry's path; with no current entry it does nothing. After a successful read the
/// macro table takes the new limits and is emptied, the Project definition is
/// cleared and the working files are set up. A read failure is shown with the error
/// report and skips the follow-ups. True when the settings were read.
bool ReadProjectSettings(Workspace& workspace, const std::string& path);

/// Makes sure the overview sample Project exists: when the sample project file has
/// no name, the sample settings become the current settings and are written to it
/// (its folder is created when missing). A write failure is shown with the error
/// report. False on failure.
bool EnsureSampleProject(Workspace& workspace);

/// The program folder of this process: ResolveProgramFolder with the running
/// executable's folder and the process environment.
std::string ProgramFolderOfThisProcess();

/// Start-up as both front ends do it: create the program folder when missing (sets
/// `*created_folder`), then LoadConfiguration with the resources beside the executable.
/// False when the program must not go on; a failure has been shown through the Host.
bool StartUpWorkspace(Workspace& workspace, bool* created_folder = nullptr);

/// Brings up the configuration in order: the Program Options check (asking before a
/// first-run file is created), the resources when `resource_folder` is given, the
/// Program Options, the sample Project, the Project History check and read, and the
/// current Project's settings. False when a check was refused or an unexpected error
/// (shown with the error report) stopped it; the program then closes.
bool LoadConfiguration(Workspace& workspace, const std::string& resource_folder = "");

}  // namespace tarvelo

#endif  // TARVELO_PROJECT_STARTUP_H_
