// Start-up and the working files. The readers report their own failures and go on,
// as every reader of the configuration does; only a refused check or an unexpected
// error ends the start-up.
#include "project/startup.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "common/error.h"
#include "common/error_report.h"
#include "common/paths.h"
#include "project/history_operations.h"
#include "project/project_history.h"
#include "project/workspace.h"

namespace tarvelo {
namespace {

namespace fs = std::filesystem;

std::string WithoutTrailingSeparators(std::string path) {
  while (path.size() > 1 && IsSeparator(path.back())) path.pop_back();
  return path;
}

std::string AsFolder(const std::string& path) {
  return EndsWithSeparator(path) ? path : path + kNativeSeparator;
}

// The log, search and list files start with a single "." line, so that opening one in
// an editor before the first run shows a file rather than an error.
void CreatePlaceholderFile(const FileStore& files, const std::string& path) {
  TextWriter writer = files.CreateTextFile(path);
  writer.WriteLine(".");
  writer.Close();
}

void CopyMissingFiles(const FileStore& files, const std::string& source_root,
                      const std::string& target_root) {
  const fs::path disk_source(files.DiskPath(source_root));
  std::error_code error;
  fs::recursive_directory_iterator it(disk_source, error);
  for (; !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
    const std::string relative = it->path().lexically_relative(disk_source).generic_string();
    const std::string target = JoinPath(target_root, relative);
    std::error_code odd_entry;  // a dangling link or the like is simply not copied
    if (it->is_directory(odd_entry)) {
      if (!files.FolderExists(target)) EnsureFolderPath(files, AsFolder(target));
    } else if (it->is_regular_file(odd_entry)) {
      if (files.FileExists(target) || files.FolderExists(target)) continue;
      EnsureFolderPath(files, target);
      files.CopyFile(it->path().string(), target);
    }
  }
  if (error) throw FileError(kPathFileAccessError, source_root);
}

}  // namespace

std::string ProcessEnvironment(const std::string& name) {
  const char* value = std::getenv(name.c_str());
  return value == nullptr ? std::string() : std::string(value);
}

std::string ExecutablePath() {
  std::error_code error;
  const fs::path executable = fs::read_symlink("/proc/self/exe", error);
  return error ? std::string() : executable.string();
}

std::string ExecutableFolder() {
  return fs::path(ExecutablePath()).parent_path().string();
}

std::string ResolveProgramFolder(const FileStore& files, const std::string& executable_folder,
                                 const EnvironmentLookup& environment) {
  const std::string home = environment("TARVELO_HOME");
  if (!home.empty()) return WithoutTrailingSeparators(home);
  if (!executable_folder.empty() && files.FileExists(JoinPath(executable_folder, "tarvelo.ini"))) {
    return WithoutTrailingSeparators(executable_folder);
  }
  // A relative $XDG_CONFIG_HOME is invalid and ignored, as the convention asks.
  std::string config = environment("XDG_CONFIG_HOME");
  if (config.empty() || !StartsWithSeparator(config)) {
    const std::string user_home = environment("HOME");
    if (user_home.empty()) {
      return executable_folder.empty() ? std::string(".")
                                       : WithoutTrailingSeparators(executable_folder);
    }
    config = JoinPath(user_home, ".config");
  }
  return JoinPath(WithoutTrailingSeparators(config), "tarvelo");
}

std::string ResolveResourceFolder(const FileStore& files, const std::string& executable_folder) {
  if (!executable_folder.empty()) {
    const std::string beside = JoinPath(executable_folder, "share/tarvelo");
    if (files.FolderExists(beside)) return beside;
    const std::string installed =
        JoinPath(FolderOfPath(WithoutTrailingSeparators(executable_folder)), "share/tarvelo");
    if (files.FolderExists(installed)) return installed;
  }
#ifdef TARVELO_RESOURCE_DIR
  if (files.FolderExists(TARVELO_RESOURCE_DIR)) return TARVELO_RESOURCE_DIR;
#endif
  return std::string();
}

void InstallResources(const FileStore& files, const std::string& resource_folder,
                      const std::string& program_folder) {
  if (resource_folder.empty()) return;
  for (const char* folder : {"samples", "overview"}) {
    const std::string source = JoinPath(resource_folder, folder);
    if (!files.FolderExists(source)) continue;
    CopyMissingFiles(files, source, JoinPath(program_folder, folder));
  }
}

bool CreateProgramFolder(const FileStore& files, const std::string& program_folder) {
  if (files.FolderExists(program_folder)) return false;
  EnsureFolderPath(files, AsFolder(program_folder));
  return true;
}

void EnsureFolderPath(const FileStore& files, const std::string& path) {
  for (size_t i = 0; i < path.size(); ++i) {
    if (!IsSeparator(path[i])) continue;
    const std::string folder = path.substr(0, i + 1);
    if (!files.FolderExists(folder)) files.CreateFolder(folder);
  }
}

bool SetUpWorkingFiles(Workspace& workspace) {
  const ProjectSettings& settings = workspace.settings;
  const FileStore& files = workspace.files;
  WorkingFiles& working = workspace.working;
  std::string temp;
  if (!settings.temporary_files_path.empty()) {
    // The dialog stores the folder with a trailing separator; a hand-edited value
    // without one still names the folder, not a prefix of the file names.
    temp = AsFolder(ApplyDefaultDrive(settings.temporary_files_path, workspace.options));
  } else {
    temp = AsFolder(JoinPath(workspace.program_folder, "temp"));
  }
  try {
    if (!files.FolderExists(temp)) EnsureFolderPath(files, temp);
    working.temp_folder = temp;
    working.log_file = temp + "tarvelo.txt";
    working.search_file = temp + "search.txt";
    working.pass_stem = temp + "tarvelo";
    working.replace_file = temp + "tarvelo.rpl";
    std::string list = temp + "generate.txt";
    if (!settings.generated_files_log_file.empty()) {
      list = ApplyDefaultDrive(settings.generated_files_log_file, workspace.options);
      // An existing folder named without a trailing separator is a folder all the same.
      if (FolderOfPath(list) == list || files.FolderExists(list)) {
        list = JoinPath(list, "generate.txt");
      }
      if (!files.FolderExists(list)) EnsureFolderPath(files, list);
    }
    working.generated_list = list;

    if (!files.FileExists(working.log_file)) {
      if (workspace.options.enable_logging == 1) {
        CreatePlaceholderFile(files, working.log_file);
      } else {
        workspace.log.Write("", false, true);
      }
    }
    if (!files.FileExists(working.search_file)) CreatePlaceholderFile(files, working.search_file);
    if (!files.FileExists(working.generated_list)) {
      CreatePlaceholderFile(files, working.generated_list);
    }
    return true;
  } catch (const TarveloError& error) {
    std::string description = "Error setting temporary file path to " + temp + ". ";
    if (!error.description.empty()) description += error.description + ".\r";
    description +=
        "Please check that this is a valid path or change the path in the Project "
        "Properties->Advanced screen.";
    ShowErrorReport(workspace.host, TarveloError(error.number, description, error.source));
    return false;
  }
}

bool ReadProgramOptions(Workspace& workspace, const std::string& path) {
  try {
    ReadProgramOptionsFile(workspace.files, workspace.program_folder, path, workspace.options);
  } catch (const TarveloError& error) {
    ShowErrorReport(workspace.host, error);
    return false;
  }
  ResizeProjectHistory(workspace.history, workspace.options.maximum_projects);
  SetUpWorkingFiles(workspace);
  return true;
}

bool ReadProjectSettings(Workspace& workspace, const std::string& path) {
  std::string file = path;
  if (file.empty()) {
    const ProjectHistory& history = workspace.history;
    const Int16 current = history.current_index;
    if (current < 0 || current >= static_cast<int>(history.entries.size())) return false;
    file = history.entries[current].path;
  }
  try {
    ReadProjectSettingsFile(workspace.files, file, workspace.settings);
  } catch (const TarveloError& error) {
    ShowErrorReport(workspace.host, error);
    return false;
  }
  workspace.definition = ProjectDefinition();
  SetUpWorkingFiles(workspace);
  return true;
}

bool EnsureSampleProject(Workspace& workspace) {
  const std::string sample = SampleProjectFilePath(workspace.program_folder);
  if (!ReadSettingFromFile(workspace.files, sample, "name").empty()) return true;
  workspace.settings = SampleProjectSettings(workspace.program_folder);
  try {
    EnsureFolderPath(workspace.files, sample);
    WriteProjectSettings(workspace.files, workspace.settings);
    return true;
  } catch (const TarveloError& error) {
    ShowErrorReport(workspace.host, error);
    return false;
  }
}

bool LoadConfiguration(Workspace& workspace, const std::string& resource_folder) {
  try {
    if (!CheckProgramOptionsFile(workspace.files, workspace.host, workspace.program_folder, "",
                                 false)) {
      return false;
    }
    // Only once the user agreed to set up the program folder does anything go into it.
    InstallResources(workspace.files, resource_folder, workspace.program_folder);
    ReadProgramOptions(workspace, "");
    EnsureSampleProject(workspace);
    if (!CheckProjectHistoryFile(workspace, false)) return false;
    ReadProjectHistory(workspace);
    ReadProjectSettings(workspace, "");
    return true;
  } catch (const TarveloError& error) {
    ShowErrorReport(workspace.host, error);
    return false;
  }
}

std::string ProgramFolderOfThisProcess() {
  const FileStore files;
  return ResolveProgramFolder(files, ExecutableFolder(), ProcessEnvironment);
}

bool StartUpWorkspace(Workspace& workspace, bool* created_folder) {
  try {
    const bool created = CreateProgramFolder(workspace.files, workspace.program_folder);
    if (created_folder != nullptr) *created_folder = created;
  } catch (const TarveloError& error) {
    ShowErrorReport(workspace.host, error);
    return false;
  }
  return LoadConfiguration(workspace, ResolveResourceFolder(workspace.files, ExecutableFolder()));
}

}  // namespace tarvelo
