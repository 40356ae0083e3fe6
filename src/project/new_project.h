// A new Project's files: its root folders and the sample site copied from the
// program folder's samples/, and the project file name the save dialog proposes.
#ifndef TARVELO_PROJECT_NEW_PROJECT_H_
#define TARVELO_PROJECT_NEW_PROJECT_H_

#include <string>

namespace tarvelo {

class FileStore;
struct ProgramOptions;
struct ProjectSettings;

/// The "New Project Options" check boxes; all on at the start.
struct NewProjectChoices {
  bool sample_files = true;       // sample Templates and Content Files
  bool sample_definition = true;  // sample Project Definition File (and its images)
  bool create_roots = true;       // document-root, content-root, templates/ and images/
};

/// Creates the chosen folders and copies the chosen samples from
/// <program folder>/samples/ into content-root. A sample is copied only when its
/// source exists and nothing exists at its target, so no file is ever overwritten. An
/// empty content-root copies nothing. Roots go through the default drive as the
/// generation run's paths do. Any failure raises 10019 "Error creating sample project
/// files."; what was created before it stays.
void CreateSampleProjectFiles(const FileStore& files, const std::string& program_folder,
                              const ProgramOptions& options, const ProjectSettings& settings,
                              const NewProjectChoices& choices);

/// The name the save dialog proposes: name + ".web", in content-root when that is set.
std::string ProposedProjectFile(const ProjectSettings& settings);

}  // namespace tarvelo

#endif  // TARVELO_PROJECT_NEW_PROJECT_H_
