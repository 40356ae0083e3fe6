// ProjectHistory: the Projects the program knows ("projects.ini"), the current one
// marked: its file's version check, reading and writing, and the small operations the
// caller operations (history_operations.h) are made of.
#ifndef TARVELO_PROJECT_PROJECT_HISTORY_H_
#define TARVELO_PROJECT_PROJECT_HISTORY_H_

#include <string>
#include <vector>

#include "common/int16.h"

namespace tarvelo {

class FileStore;
class Host;
struct ProgramOptions;

enum HistoryState : Int16 { kHistoryEmpty = 0, kHistoryListed = 1, kHistoryCurrent = 2 };

struct HistoryEntry {
  std::string name;  // from the Project's .web file; never stored in the history file
  std::string path;
  Int16 state = kHistoryEmpty;
};

struct ProjectHistory {
  /// `maximum-projects` entries, numbered from 0.
  std::vector<HistoryEntry> entries = std::vector<HistoryEntry>(25);
  Int16 last_index = -1;
  Int16 current_index = -1;
  /// The path of an entry marked current whose project file has no name (deleted or
  /// no project file) at the last read; empty when the current Project was found.
  std::string missing_current_path;
};

/// The history file's path: the project-file option after ApplyDefaultDrive, or
/// "projects.ini" in the program folder when that option is empty.
std::string ProjectHistoryPath(const ProgramOptions& options, const std::string& program_folder);

/// True when the history file at `path` may be read: it is empty, or the first field
/// of its first line is "5" or "5.0". A missing file is created with the sample
/// history after the host's OK (Cancel returns false); a first line of "." is replaced
/// by it silently; any other first line is refused with a message. An existing file
/// that cannot be opened raises its error, and so does a failed write.
bool CheckProjectHistoryFile(const FileStore& files, Host& host, const std::string& path,
                             const std::string& program_folder, bool importing,
                             ProjectHistory& history);

/// True when CheckProjectHistoryFile accepts a file whose first line is this: its first
/// field is "5" or "5.0", or the line is "." (replaced by the sample history).
bool RecognisedHistoryFirstLine(const std::string& first_line);

/// Reads up to entries.size() lines "5|path|state" (fields trimmed, further fields
/// ignored), takes each name from its project file (a Project without one gets state
/// 0), and sets the last index and the current index (the last entry of state 2, else
/// the first entry still listed, else -1). Raises "Error reading Project History file " + path +
/// ". " + description + ".", e.g. for a state that is not a 16-bit number (a blank
/// line included); the complete entries read before the failure stay, counted by the
/// last index, with no current entry.
void ReadProjectHistory(const FileStore& files, const std::string& path, ProjectHistory& history);

/// Writes the entries 0 to last index whose state is above 0 as "5|path|state" lines,
/// through a temporary sibling. Raises "Error writing to Project History file " +
/// path + ". " + description + ".".
void WriteProjectHistory(const FileStore& files, const std::string& path,
                         const ProjectHistory& history);

/// The index of the first entry 0..last index whose path equals `path` exactly (case
/// matters); -1 when there is none.
Int16 FindProject(const ProjectHistory& history, const std::string& path);

/// Turns every current entry (state 2) into a listed one (state 1).
void ClearCurrentMark(ProjectHistory& history);

/// Empties every entry and makes entry 0 the current overview sample Project
/// (<program folder>/overview/Tarvelo CMS Overview.web, state 2); last and current
/// index 0. Raises 9 "Subscript out of range" when the table has no room at all.
void ResetProjectHistory(ProjectHistory& history, const std::string& program_folder);

/// Gives the table `maximum_projects` entries (none for a value below 1), keeping the
/// entries that still fit; indexes past the new end are pulled back.
void ResizeProjectHistory(ProjectHistory& history, Int16 maximum_projects);

}  // namespace tarvelo

#endif  // TARVELO_PROJECT_PROJECT_HISTORY_H_
