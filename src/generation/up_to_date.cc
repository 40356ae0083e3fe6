// The source-date check and the modified-since test of the generation run.
#include "generation/up_to_date.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "common/error.h"
#include "common/text.h"
#include "project/workspace.h"

namespace tarvelo {
namespace {

// Walks the sources in scan order while `difference` (seconds from the source's time
// to the output's) stays positive; false once the scan has stopped.
class SourceScan {
 public:
  SourceScan(const FileStore& files, std::int64_t output_time)
      : files_(files), output_time_(output_time) {}

  void List(const std::vector<std::string>& names, Int16 bound) {
    const size_t count = std::min(names.size(), static_cast<size_t>(std::max<Int16>(bound, 0)));
    for (size_t i = 0; i < count && !names[i].empty(); ++i) {
      if (!Source(names[i])) return;
    }
  }

  bool Source(const std::string& path) {
    if (difference_ < 1) return false;
    difference_ = output_time_ - files_.DateLastModified(path);
    return true;
  }

  std::int64_t difference() const { return difference_; }

 private:
  const FileStore& files_;
  std::int64_t output_time_;
  std::int64_t difference_ = 1;
};

}  // namespace

bool SourcesOutOfDate(Workspace& workspace, Int16 folder_index, Int16 document_index) {
  return SourcesOutOfDate(workspace, workspace.log, folder_index, document_index);
}

bool SourcesOutOfDate(const Workspace& workspace, LogSink& log, Int16 folder_index,
                      Int16 document_index) {
  const ProjectDefinition& definition = workspace.definition;
  const DocumentEntry& document = DocumentAt(definition, folder_index, document_index);
  const FolderEntry& folder = definition.folders[static_cast<size_t>(folder_index)];
  const ProjectSettings& settings = workspace.settings;
  bool out_of_date = true;
  const FileFacts output = workspace.files.Examine(document.document);
  if (output.exists && !output.folder) {
    SourceScan scan(workspace.files, output.modified);
    if (document.triple_bang == 0) scan.List(definition.globals, settings.max_globals);
    if (document.double_bang == 0) scan.List(folder.folder_globals, settings.max_folder_globals);
    scan.List(document.content_files, settings.max_content_files);
    if (!document.tmpl.empty()) scan.Source(document.tmpl);
    out_of_date = scan.difference() < 0;
  }
  log.WriteDetail(out_of_date ? ">Source files out-of-date" : ">Source files up-to-date");
  return out_of_date;
}

bool NotModifiedSince(Workspace& workspace, Int16 folder_index, Int16 document_index,
                      std::int64_t start_time) {
  const DocumentEntry& document = DocumentAt(workspace.definition, folder_index, document_index);
  const FileFacts output = workspace.files.Examine(document.document);
  if (!output.exists || output.folder) return true;
  return output.modified - start_time < 0;
}

}  // namespace tarvelo
