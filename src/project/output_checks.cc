#include "project/output_checks.h"

#include "common/error.h"
#include "common/text.h"
#include "project/workspace.h"

namespace tarvelo {

bool CompareTextFiles(Workspace& workspace, const std::string& new_file,
                      const std::string& existing_file) {
  return CompareTextFiles(workspace.files, workspace.log, new_file, existing_file);
}

bool CompareTextFiles(const FileStore& files, LogSink& log, const std::string& new_file,
                      const std::string& existing_file) {
  try {
    TextReader first = files.OpenTextFile(new_file);
    TextReader second = files.OpenTextFile(existing_file);
    std::string first_line;
    std::string second_line;
    bool same = true;
    // A file at its end reads as empty lines, so trailing empty lines do not count.
    while (same && (!first.AtEndOfStream() || !second.AtEndOfStream())) {
      first.ReadLine(first_line);
      second.ReadLine(second_line);
      same = first_line == second_line;
    }
    first.Close();
    second.Close();
    return same;
  } catch (const TarveloError&) {
    log.WriteDetail(">Unable to compare files");
    return false;
  }
}

bool IsReadOnlyFile(Workspace& workspace, const std::string& path) {
  const FileFacts facts = workspace.files.Examine(path);
  return facts.exists && !facts.folder && facts.read_only;
}

}  // namespace tarvelo
