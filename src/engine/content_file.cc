// Reading Content Files into the MacroTable. A Content File holds definitions: a head
// line such as "[@LINK(@url:index.html)]:", value lines, and a line that begins with
// the empty-Macro marker "[@]". Everything outside definitions is comment.
#include "engine/content_file.h"

#include <cstdint>
#include <limits>
#include <string_view>

#include "common/error.h"
#include "common/log_sink.h"
#include "common/text.h"
#include "project/file_store.h"
#include "project/project_settings.h"

namespace tarvelo {
namespace {

constexpr size_t kNotFound = std::string::npos;

// Reads one logical line into `logical`: a physical line that ends in the continuation
// text loses it and is joined directly to the next. Trailing blanks are removed from
// the joined line. Returns false only when no line was left to read. A continuation on
// the file's last line keeps what was read instead of failing the whole file on a read
// past the end. The two buffers are reused from line to line.
bool ReadLogicalLine(TextReader& reader, std::string_view continuation, std::string& physical,
                     std::string& logical, std::int32_t& line_number) {
  logical.clear();
  bool any = false;
  while (reader.ReadLine(physical)) {
    any = true;
    if (line_number < std::numeric_limits<std::int32_t>::max()) ++line_number;
    const bool joins = !continuation.empty() && physical.ends_with(continuation);
    if (joins) physical.resize(physical.size() - continuation.size());
    if (logical.empty()) {
      logical.swap(physical);
    } else {
      logical += physical;
    }
    if (!joins) break;
  }
  while (!logical.empty() && logical.back() == ' ') logical.pop_back();
  return any;
}

// Stores one parameter group ("(@url:index.html)" or "(@text)") in the work area.
void StoreParameterGroup(const ProjectSettings& settings, ParameterWork& work,
                         std::string_view group) {
  MacroParameter& pair = work.pairs.emplace_back();
  const size_t colon = group.find(':');
  if (colon == kNotFound) {
    pair.reference = group;
  } else {
    pair.reference.reserve(colon + settings.parameter_end_tag.size());
    pair.reference.append(group.substr(0, colon));
    pair.reference.append(settings.parameter_end_tag);
    // The value ends at the group's last parameter end tag, so it may hold that tag.
    const size_t close = group.rfind(settings.parameter_end_tag);
    const size_t end = close != kNotFound && close > colon ? close : group.size();
    pair.value = group.substr(colon + 1, end - colon - 1);
    if (settings.trim_parameter_values == 1) pair.value = Trim(pair.value);
  }
  work.clean = false;
}

void ClearEntries(std::vector<ContentFileEntry>& entries, Int16& loaded) {
  entries.clear();
  loaded = 0;
}

}  // namespace

void DimensionMacroTable(MacroTable& macros, const ProjectSettings& settings) {
  macros.max_parameters = settings.max_parameters;
  macros.max_project_macros = settings.max_project_macros;
  macros.max_global_macros = settings.max_global_macros;
  macros.max_folder_global_macros = settings.max_folder_global_macros;
  macros.max_content_file_macros = settings.max_content_file_macros;
  macros.max_globals = settings.max_globals;
  macros.max_folder_globals = settings.max_folder_globals;
  macros.max_content_files = settings.max_content_files;
  ClearMacroTables(macros, true, true, true, true, true, true);
  // The work area is re-dimensioned too, so nothing of the old limits survives.
  macros.parameter_work = ParameterWork{};
}

void ClearMacroTables(MacroTable& macros, bool globals, bool folder_globals, bool content_files,
                      bool project, bool view1, bool view2) {
  if (globals) ClearEntries(macros.globals, macros.global_files_loaded);
  if (folder_globals) ClearEntries(macros.folder_globals, macros.folder_global_files_loaded);
  if (content_files) ClearEntries(macros.content_files, macros.content_files_loaded);
  if (project) {
    macros.project = ContentFileEntry{};
    macros.project_loaded = false;
  }
  if (view1) macros.view1 = ContentFileEntry{};
  if (view2) macros.view2 = ContentFileEntry{};
}

void ResetParameterWork(ParameterWork& work) {
  if (!work.clean) work.pairs.clear();
  work.clean = true;
}

std::string ParseParameters(const ProjectSettings& settings, ParameterWork& work,
                            std::string& text) {
  ResetParameterWork(work);
  const std::string trimmed = Trim(text);
  const std::string& start_tag = settings.parameter_start_tag;
  const std::string& end_tag = settings.parameter_end_tag;
  // Blank parameter tags switch parameters off: there are no groups to take apart.
  if (IsBlank(start_tag) || IsBlank(end_tag)) {
    text = trimmed;
    return std::string();
  }

  const size_t groups_begin = trimmed.find(start_tag);
  const size_t closing = trimmed.find(end_tag + settings.macro_end_tag);
  if (groups_begin == kNotFound || closing == kNotFound || closing < groups_begin) {
    throw TarveloError(kErrMacroSyntax, "Error processing macro tag and parameters: " + trimmed);
  }
  const size_t groups_end = closing + end_tag.size();
  const std::string_view groups =
      std::string_view(trimmed).substr(groups_begin, groups_end - groups_begin);

  std::string warning;
  size_t start = 0;
  Int16 taken = 0;
  while (start < groups.size()) {
    if (taken >= settings.max_parameters) {
      warning = "WARNING: The maximum number of parameters have been exceeded in the Macro " +
                trimmed + ".";
      break;
    }
    size_t next = groups.find(start_tag, start + 1);
    if (next == kNotFound) next = groups.size();
    StoreParameterGroup(settings, work, groups.substr(start, next - start));
    ++taken;
    start = next;
  }

  text = trimmed.substr(0, groups_begin) + Trim(std::string_view(trimmed).substr(groups_end));
  return warning;
}

Int16 LoadContentFile(const FileStore& files, const ProjectSettings& settings, MacroTable& macros,
                      LogSink& log, Int16 level, ContentFileEntry& entry, const std::string& path,
                      bool log_warnings, bool ignore_missing) {
  if (path.empty()) return kLoaded;
  const Int16 limit = MacrosPerFile(macros, level);
  if (!files.FileExists(path)) {
    if (ignore_missing) return kMissingIgnored;
    throw TarveloError(kErrMissingFile,
                       "Could not open file at " + path + ". Project generation halted.");
  }

  TextReader reader = files.OpenTextFile(path);
  entry.path = path;
  // Slots are filled from 0; nothing of a file read earlier into this entry may linger.
  entry.slots.clear();
  entry.index.Clear();

  Int16 result = kLoaded;
  const auto warn = [&](const std::string& text) {
    if (log_warnings) log.WriteLog(std::string(kLogPad) + text);
    result = kLoadedWithWarnings;
  };

  const std::string& start_tag = settings.macro_start_tag;
  const std::string& marker = settings.empty_macro_marker;
  const std::string head_end = settings.macro_end_tag + ":";
  const bool parameters_on =
      !IsBlank(settings.parameter_start_tag) && !IsBlank(settings.parameter_end_tag);

  std::string physical;
  std::string line;
  std::int32_t line_number = 0;
  bool in_value = false;
  bool first_value_line = false;
  bool end_found = false;
  bool any_definition = false;
  bool previous_empty = true;

  // A blank continuation text switches joining off.
  const std::string_view continuation =
      IsBlank(settings.line_continuation) ? std::string_view() : settings.line_continuation;
  while (ReadLogicalLine(reader, continuation, physical, line, line_number)) {
    if (line.empty()) {
      previous_empty = true;
      continue;
    }
    if (in_value) {
      std::string& value = entry.slots.back().value;
      if (line.starts_with(marker)) {
        end_found = true;
        in_value = false;
      } else if (first_value_line) {
        value = line;
        first_value_line = false;
      } else {
        // A run of empty lines inside a value becomes one empty line.
        if (previous_empty) value += kCrLf;
        value += kCrLf;
        value += line;
      }
    } else if (line.starts_with(start_tag)) {
      const size_t end = line.size() > 1 ? line.find(head_end, 1) : kNotFound;
      if (end == kNotFound) {
        warn("WARNING: Possible error in Macro definition. Could not find Macro End Tag on line: " +
             line + " in file: " + path);
      } else {
        if (static_cast<long>(entry.slots.size()) >= limit) {
          throw TarveloError(kErrTooManyMacros, "Maximum number of Macros exceeded in: " + path);
        }
        first_value_line = true;
        in_value = true;
        any_definition = true;
        end_found = false;

        const std::string head = line.substr(0, end + settings.macro_end_tag.size());
        std::string name = head;
        std::string parameter_warning;
        const bool has_groups =
            parameters_on && head.find(settings.parameter_start_tag) != kNotFound;
        if (has_groups) parameter_warning = ParseParameters(settings, macros.parameter_work, name);

        MacroSlot& slot = entry.slots.emplace_back();
        slot.name = std::move(name);
        slot.line = line_number;
        // A head without groups declares no parameters, whatever the work area holds
        // from an earlier head or reference.
        if (has_groups) slot.parameters = macros.parameter_work.pairs;
        // The index the lookup uses also tells whether an earlier slot holds the name.
        if (!entry.index.Catch(entry.slots)) {
          warn("WARNING: Duplicate definition for Macro: " + head + " in file: " + path);
        }
        if (!parameter_warning.empty() && log_warnings) {
          log.WriteLog(std::string(kLogPad) + parameter_warning);
          result = kLoadedWithWarnings;
        }
      }
    }
    previous_empty = false;
  }
  reader.Close();

  if (in_value && !end_found) {
    warn("WARNING: Possible error in Macro definition. Could not find end of Macro: " +
         entry.slots.back().name + " in file: " + path);
  } else if (!any_definition) {
    warn("WARNING: No Macro definitions found in file: " + path);
  }
  return result;
}

}  // namespace tarvelo
