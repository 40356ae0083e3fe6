// The optimisation level of a Document and the white-space stripping pass.
#include "engine/optimiser.h"

#include "common/paths.h"
#include "common/text.h"
#include "project/file_store.h"
#include "project/project_definition.h"
#include "project/project_settings.h"

namespace tarvelo {
namespace {

std::string_view LeadingWhiteSpaceStripped(std::string_view line) {
  const size_t first = line.find_first_not_of(" \t");
  return first == std::string_view::npos ? std::string_view() : line.substr(first);
}

bool IsExcluded(const ProjectSettings& settings, const DocumentEntry& document) {
  const std::string list = Trim(settings.optimize_exclude_list) + ",";
  const std::string needle = "." + DocumentExtension(document.document) + ",";
  return list.find(needle) != std::string::npos;
}

}  // namespace

Int16 DocumentOptimisationLevel(const ProjectSettings& settings, const DocumentEntry& document) {
  if (settings.optimization_status == 0) return 0;
  if (settings.optimization_status == 1 && IsExcluded(settings, document)) return 0;
  if (document.optimisation >= 0 && document.optimisation <= 2) return document.optimisation;
  if (settings.optimization_status == 1) return settings.optimization_level;
  return 0;
}

std::string DocumentExtension(std::string_view document_name) {
  const std::string trimmed = Trim(document_name);
  std::string_view name = trimmed;
  const size_t separator = LastSeparator(name);
  if (separator != std::string_view::npos) name.remove_prefix(separator + 1);
  if (name.size() <= 1) return std::string();
  const size_t dot = name.find('.');
  if (dot == std::string_view::npos) return std::string();
  return std::string(name.substr(dot + 1));
}

std::string StripLeadingWhiteSpace(std::string_view line) {
  return std::string(LeadingWhiteSpaceStripped(line));
}

void HtmlOptimiser::Process(std::string_view line, TextWriter& writer) {
  if (line.find(kOptimizeOffMarker) != std::string_view::npos) {
    off_ = true;
    // The untouched region must not run on from the joined line before it.
    if (level_ == 2) writer.WriteLine("");
    return;
  }
  if (line.find(kOptimizeOnMarker) != std::string_view::npos) {
    off_ = false;
    return;
  }
  if (off_ || (level_ != 1 && level_ != 2)) {
    if (!line.empty()) writer.WriteLine(line);
    return;
  }
  const std::string_view stripped = LeadingWhiteSpaceStripped(line);
  if (stripped.empty()) return;
  if (level_ == 1) {
    writer.WriteLine(stripped);
    return;
  }
  writer.Write(stripped);
  // Keeps words of consecutive lines apart; a tag end needs no separation.
  const char last = stripped.back();
  if (last != '>' && last != ' ') writer.Write(" ");
}

}  // namespace tarvelo
