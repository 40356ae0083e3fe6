// The Project History file: one "5|path|state" line per known Project. The names are
// never stored there; they come from each Project's own file at every read, so a
// Project whose file has gone drops out at the next write.
#include "project/project_history.h"

#include <algorithm>

#include "common/error.h"
#include "common/host.h"
#include "common/paths.h"
#include "common/text.h"
#include "project/file_store.h"
#include "project/key_value_file.h"
#include "project/program_options.h"
#include "project/project_settings.h"
#include "project/startup.h"

namespace tarvelo {
namespace {

constexpr const char* kHistoryVersion = "5";

struct HistoryLine {
  std::string version;
  std::string path;
  std::string state;
};

HistoryLine SplitHistoryLine(const std::string& line) {
  HistoryLine fields;
  std::string* targets[] = {&fields.version, &fields.path, &fields.state};
  size_t start = 0;
  for (std::string* target : targets) {
    const size_t bar = line.find('|', start);
    *target = Trim(std::string_view(line).substr(start, bar - start));
    if (bar == std::string::npos) break;
    start = bar + 1;
  }
  return fields;
}

void EmptyEntries(ProjectHistory& history) {
  for (HistoryEntry& entry : history.entries) entry = HistoryEntry();
}

void WriteSampleHistory(const FileStore& files, const std::string& path,
                        const std::string& program_folder, ProjectHistory& history) {
  ResetProjectHistory(history, program_folder);
  EnsureFolderPath(files, path);
  WriteProjectHistory(files, path, history);
}

}  // namespace

std::string ProjectHistoryPath(const ProgramOptions& options, const std::string& program_folder) {
  if (options.project_file.empty()) return DefaultProjectHistoryPath(program_folder);
  return ApplyDefaultDrive(options.project_file, options);
}

bool CheckProjectHistoryFile(const FileStore& files, Host& host, const std::string& path,
                             const std::string& program_folder, bool importing,
                             ProjectHistory& history) {
  bool empty = false;
  std::string first_line;
  if (!ReadFirstLine(files, path, first_line, &empty)) {
    const std::string choice = importing
                                   ? "Press OK to create the file or press Cancel to select "
                                     "another option."
                                   : "Press OK to create the file or press Cancel to exit the "
                                     "program.";
    const MessageAnswer answer = host.ShowMessage(
        "The Project History file could not be found.\rA default Project History file will be "
        "created at " +
            path + ".\r" + choice,
        "Create Default Project History File", MessageButtons::kOkCancel, MessageIcon::kQuestion);
    if (answer != MessageAnswer::kOk) return false;
    WriteSampleHistory(files, path, program_folder, history);
    return true;
  }
  if (empty) return true;
  const std::string version = SplitHistoryLine(first_line).version;
  if (version == "5" || version == "5.0") return true;
  if (first_line == ".") {
    WriteSampleHistory(files, path, program_folder, history);
    return true;
  }
  host.ShowMessage(
      "Tarvelo does not recognize your Project History File. " +
          (importing ? std::string("Please make sure that the file you are attempting to import "
                                   "is a valid Project History File.")
                     : "To correct this error, rename " + path + " and restart the program."),
      "Project History File Error", MessageButtons::kOk, MessageIcon::kNone);
  return false;
}

bool RecognisedHistoryFirstLine(const std::string& first_line) {
  const std::string version = SplitHistoryLine(first_line).version;
  return version == "5" || version == "5.0" || first_line == ".";
}

void ReadProjectHistory(const FileStore& files, const std::string& path, ProjectHistory& history) {
  EmptyEntries(history);
  history.last_index = -1;
  // No entry is current until the names have been read: a failed read must not leave
  // an index pointing at an entry it emptied.
  history.current_index = -1;
  history.missing_current_path.clear();
  const size_t capacity = history.entries.size();
  try {
    TextReader reader = files.OpenTextFile(path);
    std::string line;
    size_t count = 0;
    while (count < capacity && reader.ReadLine(line)) {
      const HistoryLine fields = SplitHistoryLine(line);
      const Int16 state = ToInt16(fields.state);
      history.entries[count].path = fields.path;
      history.entries[count].state = state;
      history.last_index = static_cast<Int16>(count);
      ++count;
    }
    reader.Close();
  } catch (const TarveloError& error) {
    throw TarveloError(
        error.number, "Error reading Project History file " + path + ". " + error.description + ".",
        error.source);
  }
  Int16 first_listed = -1;
  for (Int16 i = 0; i <= history.last_index; ++i) {
    HistoryEntry& entry = history.entries[i];
    entry.name = ReadSettingFromFile(files, entry.path, "name");
    if (entry.name.empty()) {
      if (entry.state == kHistoryCurrent) history.missing_current_path = entry.path;
      entry.state = kHistoryEmpty;
    }
    if (entry.state > kHistoryEmpty && first_listed < 0) first_listed = i;
    if (entry.state == kHistoryCurrent) history.current_index = i;
  }
  // Without a current entry the first Project still listed stands in; index 0 could
  // be a dropped entry whose settings cannot be read.
  if (history.current_index < 0) history.current_index = first_listed;
}

void WriteProjectHistory(const FileStore& files, const std::string& path,
                         const ProjectHistory& history) {
  try {
    TextWriter writer = files.ReplaceTextFile(path);
    const int last =
        std::min<int>(history.last_index, static_cast<int>(history.entries.size()) - 1);
    for (int i = 0; i <= last; ++i) {
      const HistoryEntry& entry = history.entries[i];
      if (entry.state <= 0) continue;
      writer.WriteLine(std::string(kHistoryVersion) + "|" + entry.path + "|" +
                       DecimalText(entry.state));
    }
    writer.Close();
  } catch (const TarveloError& error) {
    throw TarveloError(
        error.number,
        "Error writing to Project History file " + path + ". " + error.description + ".",
        error.source);
  }
}

Int16 FindProject(const ProjectHistory& history, const std::string& path) {
  const int last = std::min<int>(history.last_index, static_cast<int>(history.entries.size()) - 1);
  for (int i = 0; i <= last; ++i) {
    if (history.entries[i].path == path) return static_cast<Int16>(i);
  }
  return -1;
}

void ClearCurrentMark(ProjectHistory& history) {
  for (HistoryEntry& entry : history.entries) {
    if (entry.state == kHistoryCurrent) entry.state = kHistoryListed;
  }
}

void ResetProjectHistory(ProjectHistory& history, const std::string& program_folder) {
  if (history.entries.empty()) throw RuntimeError(kSubscriptOutOfRange);
  EmptyEntries(history);
  history.entries[0].path = SampleProjectFilePath(program_folder);
  history.entries[0].state = kHistoryCurrent;
  history.last_index = 0;
  history.current_index = 0;
}

void ResizeProjectHistory(ProjectHistory& history, Int16 maximum_projects) {
  const size_t size = maximum_projects < 1 ? 0 : static_cast<size_t>(maximum_projects);
  history.entries.resize(size);
  const int last = static_cast<int>(size) - 1;
  if (history.last_index > last) history.last_index = static_cast<Int16>(last);
  if (history.current_index > last) history.current_index = -1;
}

}  // namespace tarvelo
