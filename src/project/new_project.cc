// Laying out a new Project from the sample files installed in the program folder.
#include "project/new_project.h"

#include "common/error.h"
#include "common/paths.h"
#include "project/file_store.h"
#include "project/program_options.h"
#include "project/project_settings.h"
#include "project/startup.h"

namespace tarvelo {
namespace {

void CreateFolderWhenMissing(const FileStore& files, const std::string& folder) {
  if (folder.empty() || files.FolderExists(folder)) return;
  EnsureFolderPath(files, folder);
}

void CopySample(const FileStore& files, const std::string& samples, const std::string& name,
                const std::string& target) {
  const std::string source = JoinPath(samples, name);
  if (files.FileExists(target) || files.FolderExists(target) || !files.FileExists(source)) return;
  files.CopyFile(source, target);
}

}  // namespace

void CreateSampleProjectFiles(const FileStore& files, const std::string& program_folder,
                              const ProgramOptions& options, const ProjectSettings& settings,
                              const NewProjectChoices& choices) {
  const std::string samples = JoinPath(program_folder, "samples");
  auto folder = [&options](const std::string& path) {
    if (path.empty() || EndsWithSeparator(path)) return ApplyDefaultDrive(path, options);
    return ApplyDefaultDrive(path + kNativeSeparator, options);
  };
  const std::string content_root = folder(settings.content_root);
  try {
    if (choices.create_roots) {
      CreateFolderWhenMissing(files, folder(settings.document_root));
      CreateFolderWhenMissing(files, content_root);
      if (!content_root.empty()) {
        CreateFolderWhenMissing(files, content_root + "templates" + kNativeSeparator);
        CreateFolderWhenMissing(files, content_root + "images" + kNativeSeparator);
      }
    }
    if (content_root.empty()) return;
    if (choices.sample_definition) {
      const std::string& name =
          settings.definition_file.empty() ? std::string("project.txt") : settings.definition_file;
      // A definition file given with its full path is copied to that path.
      const std::string target =
          IsRelativeName(name) ? content_root + name : ApplyDefaultDrive(name, options);
      CopySample(files, samples, "project.txt", target);
      for (const char* image : {"images/space.gif", "images/tarvelo.gif"}) {
        CopySample(files, samples, image, content_root + image);
      }
    }
    if (choices.sample_files) {
      for (const char* name :
           {"templates/general.tpl", "globals.par", "index.par", "tools.par", "partners.par"}) {
        CopySample(files, samples, name, content_root + name);
      }
    }
  } catch (const TarveloError&) {
    throw TarveloError(kErrSampleFiles, "Error creating sample project files.");
  }
}

std::string ProposedProjectFile(const ProjectSettings& settings) {
  return JoinPath(settings.content_root, settings.name + ".web");
}

}  // namespace tarvelo
