// The project-file argument. Any "/word=" is taken for an option, known or not, so a
// batch option spelled with a new name is never opened as a file.
#include "generation/project_argument.h"

#include <filesystem>

#include "common/host.h"
#include "common/text.h"
#include "generation/batch_run.h"
#include "project/file_store.h"
#include "project/history_operations.h"
#include "project/project_settings.h"
#include "project/workspace.h"

namespace tarvelo {
namespace {

bool IsOption(const std::string& argument) {
  if (argument.empty() || argument[0] == '-') return true;
  if (argument[0] != '/') return false;
  const size_t equals = argument.find('=');
  if (equals == std::string::npos || equals == 1) return false;
  for (size_t i = 1; i < equals; ++i) {
    const char c = argument[i];
    if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '-')) return false;
  }
  return true;
}

bool EndsWithProjectExtension(const std::string& argument) {
  return argument.size() > 4 && ToLowerAscii(argument.substr(argument.size() - 4)) == ".web";
}

}  // namespace

std::string ProjectFileArgument(const std::vector<std::string>& arguments, const FileStore& files) {
  if (arguments.size() != 1 || IsOption(arguments[0])) return std::string();
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(arguments[0], error);
  if (error) return std::string();
  const std::string path = absolute.string();
  if (!EndsWithProjectExtension(path) && !files.FileExists(path)) return std::string();
  return path;
}

bool OpenProjectArgument(Workspace& workspace, const std::string& path) {
  if (ReadSettingFromFile(workspace.files, path, "name").empty()) {
    workspace.host.ShowMessage(InvalidProjectMessage(path), "Command Line Error",
                               MessageButtons::kOk, MessageIcon::kExclamation);
    return false;
  }
  return OpenProject(workspace, path).settings_read;
}

}  // namespace tarvelo
