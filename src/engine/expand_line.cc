// MacroExpander: one reference of one line per call. The lookup visits the MacroTable
// in precedence order, stopping at the first unused entry and slot; within an entry an
// exact name is found through the entry's index, a wildcard prefix by a walk.
#include "engine/expand_line.h"

#include <algorithm>
#include <cstdint>

#include "common/date_format.h"
#include "common/text.h"
#include "engine/macro_reference.h"
#include "project/project_definition.h"
#include "project/project_settings.h"

namespace tarvelo {
namespace {

// The levels in the order the lookup walks them.
constexpr Int16 kLevelOrder[] = {kLevelProject, kLevelContentFiles, kLevelFolderGlobals,
                                 kLevelGlobals};

// Positions are 16-bit; the walk never goes past what they can hold.
constexpr size_t kPositionLimit = static_cast<size_t>(INT16_MAX) + 1;

void AppendWithTagReplaced(std::string& text, std::string_view source, std::string_view tag,
                           std::string_view replacement) {
  if (IsBlank(tag)) {
    text.append(source);
    return;
  }
  size_t start = 0;
  for (size_t pos = source.find(tag); pos != std::string_view::npos;
       pos = source.find(tag, start)) {
    text.append(source.substr(start, pos - start));
    text.append(replacement);
    start = pos + tag.size();
  }
  text.append(source.substr(start));
}

template <typename Entries>
auto* EntryAt(Entries& entries, int file) {
  const bool inside =
      file >= 0 && static_cast<size_t>(file) < std::min(entries.size(), kPositionLimit);
  return inside ? &entries[static_cast<size_t>(file)] : nullptr;
}

}  // namespace

MacroExpander::MacroExpander(const ProjectSettings& settings, MacroTable& macros,
                             const ProjectDefinition& definition, Clock clock,
                             const MacroTable* shared)
    : settings_(settings),
      macros_(macros),
      shared_(shared),
      definition_(definition),
      clock_(clock ? std::move(clock) : SystemClock()) {}

void MacroExpander::SetDocument(Int16 folder_index, Int16 document_index) {
  folder_index_ = folder_index;
  document_index_ = document_index;
  marks_ = LookupMarks();
  if (folder_index < 0 || static_cast<size_t>(folder_index) >= definition_.folders.size()) {
    return;
  }
  const FolderEntry& folder = definition_.folders[folder_index];
  marks_.star = folder.star != 0;
  if (document_index < 0 || static_cast<size_t>(document_index) >= folder.documents.size()) {
    return;
  }
  const DocumentEntry& document = folder.documents[document_index];
  marks_.double_bang = document.double_bang != 0;
  marks_.triple_bang = document.triple_bang != 0;
}

void MacroExpander::ExpandLine(std::string_view line, std::string& output, Int16& conditional_state,
                               std::string& warning) {
  warning.clear();
  composed_.clear();
  size_t begin = 0;
  size_t end = 0;
  if (!LocateReference(settings_, line, begin, end)) {
    composed_.assign(line);
    output.swap(composed_);
    return;
  }
  const std::string_view before = line.substr(0, begin);
  const std::string_view after = line.substr(end);
  reference_.assign(line.substr(begin, end - begin));

  ReferenceFlags flags;
  DecodeReference(settings_, macros_.parameter_work, conditional_state, reference_, flags, warning);

  if (flags.conditional_else) {
    if (conditional_state == kBlockKeeping) {
      conditional_state = kBlockDropping;
    } else if (conditional_state == kBlockDropping) {
      conditional_state = kBlockKeeping;
    }
  } else if (flags.conditional_end) {
    conditional_state = kOutsideBlock;
  } else if (flags.wildcard) {
    composed_ = ExpandWildcard(before, reference_, after);
  } else {
    LookupPosition position = StartLevel(flags.parent_count);
    LookupMacro(position, reference_, value_, false, remainder_);
    // A Content File definition of a reserved name overrides the reserved Macro.
    if (value_.empty()) ReservedValue(reference_, value_);
    if (value_.empty()) {
      ComposeEmpty(flags, before, after, conditional_state, warning);
    } else {
      ComposeValue(flags, before, after, conditional_state);
    }
  }
  // `line` may view `output`: it is replaced only now that the line has been used.
  output.swap(composed_);
}

void MacroExpander::ComposeEmpty(const ReferenceFlags& flags, std::string_view before,
                                 std::string_view after, Int16& conditional_state,
                                 std::string& warning) {
  if (flags.conditional_start) {
    conditional_state = kBlockDropping;
    return;
  }
  if (flags.required) {
    warning = "WARNING: The required Macro " + reference_ + " does not have a value.";
    return;
  }
  const bool keep_rest =
      settings_.delete_line != 1 || flags.non_blank_delete || IsDeleteLineException(reference_);
  if (!keep_rest || (IsBlank(before) && IsBlank(after))) return;
  composed_.append(before);
  composed_.append(after);
}

void MacroExpander::ComposeValue(const ReferenceFlags& flags, std::string_view before,
                                 std::string_view after, Int16& conditional_state) {
  if (flags.non_blank_delete) return;
  if (flags.conditional_start) {
    conditional_state = kBlockKeeping;
    return;
  }
  if (flags.single_quote_escape) ReplaceAll(value_, "'", "\\'");
  // Later lines of a multi-line value line up with the reference's line.
  const std::string_view indentation =
      before.substr(0, std::min(before.find_first_not_of(" \t"), before.size()));
  composed_.reserve(before.size() + value_.size() + after.size());
  composed_.append(before);
  bool first = true;
  ForEachCrLfPiece(value_, [&](std::string_view piece) {
    if (!first) {
      composed_.append(kCrLf);
      composed_.append(indentation);
    }
    first = false;
    composed_.append(piece);
  });
  composed_.append(after);
}

bool MacroExpander::IsDeleteLineException(std::string_view name) const {
  const std::string_view list = settings_.delete_line_exceptions;
  if (list.empty()) return false;
  size_t start = 0;
  while (start <= list.size()) {
    size_t comma = list.find(',', start);
    // The list is read as if it ended in a comma: text after the last comma is an item,
    // nothing after a final comma is not.
    if (comma == std::string_view::npos) {
      if (start == list.size()) return false;
      comma = list.size();
    }
    std::string_view item = list.substr(start, comma - start);
    const size_t first = item.find_first_not_of(' ');
    item = first == std::string_view::npos
               ? std::string_view()
               : item.substr(first, item.find_last_not_of(' ') - first + 1);
    if (IsTaggedName(name, settings_.macro_start_tag, item, settings_.macro_end_tag)) return true;
    start = comma + 1;
  }
  return false;
}

void MacroExpander::ReservedValue(std::string_view name, std::string& value) const {
  const std::string& start = settings_.macro_start_tag;
  const std::string& end = settings_.macro_end_tag;
  if (IsTaggedName(name, start, settings_.reserved_date_macro, end)) {
    const std::string format_form =
        settings_.parameter_start_tag + "format" + settings_.parameter_end_tag;
    const std::string* pattern = PassedValue(format_form);
    value = pattern != nullptr && !pattern->empty() ? FormatDate(clock_(), *pattern)
                                                    : GeneralDate(clock_());
    return;
  }
  if (IsTaggedName(name, start, settings_.reserved_project_name_macro, end)) {
    value = settings_.name;
    return;
  }
  const bool folder_name = IsTaggedName(name, start, settings_.reserved_folder_name_macro, end);
  const bool document_name =
      !folder_name && IsTaggedName(name, start, settings_.reserved_document_name_macro, end);
  if (!folder_name && !document_name) return;
  if (folder_index_ < 0 || static_cast<size_t>(folder_index_) >= definition_.folders.size()) {
    return;
  }
  const FolderEntry& folder = definition_.folders[folder_index_];
  if (folder_name) {
    value = folder.name;
  } else if (document_index_ >= 0 &&
             static_cast<size_t>(document_index_) < folder.documents.size()) {
    value = folder.documents[document_index_].document;
  }
}

LookupPosition MacroExpander::StartLevel(Int16 parent_count) const {
  LookupPosition position;
  int count = parent_count;
  if (count == -1 && !Shared().project_loaded) count = 0;
  if (count == -1) {
    position.level = kLevelProject;
    return position;
  }
  if (count < 0) return position;
  if (settings_.parent_reference_tag_is_by_file != 1) {
    // By scope: each parent tag steps down one level.
    if (count <= 2) position.level = kLevelOrder[count + 1];
    return position;
  }
  // By file: the count indexes one list of the Document's Content Files, then the
  // Folder Globals, then the Global Content Files.
  const Int16 sizes[] = {macros_.content_files_loaded, Shared().folder_global_files_loaded,
                         Shared().global_files_loaded};
  for (int group = 0; group < 3; ++group) {
    const int size = std::max<int>(sizes[group], 0);
    if (count < size) {
      position.level = kLevelOrder[group + 1];
      position.file = static_cast<Int16>(count);
      return position;
    }
    count -= size;
  }
  return position;
}

const ContentFileEntry* MacroExpander::Entry(Int16 level, int file) const {
  if (shared_ == nullptr || level == kLevelContentFiles) {
    // The expander's own table: slots appended to it directly (the views, tests) are
    // indexed before the lookup.
    ContentFileEntry* entry = nullptr;
    switch (level) {
      case kLevelProject:
        entry = file == 0 ? &macros_.project : nullptr;
        break;
      case kLevelContentFiles:
        entry = EntryAt(macros_.content_files, file);
        break;
      case kLevelFolderGlobals:
        entry = EntryAt(macros_.folder_globals, file);
        break;
      case kLevelGlobals:
        entry = EntryAt(macros_.globals, file);
        break;
      default:
        break;
    }
    if (entry != nullptr) entry->index.Catch(entry->slots);
    return entry;
  }
  // A shared table was loaded (and indexed) before any expander read it; it is only read.
  switch (level) {
    case kLevelProject:
      return file == 0 ? &shared_->project : nullptr;
    case kLevelFolderGlobals:
      return EntryAt(shared_->folder_globals, file);
    case kLevelGlobals:
      return EntryAt(shared_->globals, file);
    default:
      return nullptr;
  }
}

bool MacroExpander::LevelHidden(Int16 level) const {
  return (level == kLevelProject && marks_.star) ||
         (level == kLevelFolderGlobals && marks_.double_bang) ||
         (level == kLevelGlobals && marks_.triple_bang);
}

bool MacroExpander::LookupMacro(LookupPosition& position, std::string_view name, std::string& value,
                                bool wildcard_mode, std::string& remainder) {
  value.clear();
  remainder.clear();
  const Int16* level = std::find(std::begin(kLevelOrder), std::end(kLevelOrder), position.level);
  int file = std::max<int>(position.file, 0);
  size_t slot_index = static_cast<size_t>(std::max<int>(position.slot, 0));
  for (; level != std::end(kLevelOrder); ++level, file = 0, slot_index = 0) {
    if (LevelHidden(*level)) continue;
    // A level ends at its first unused entry: a missing file hides the ones after it.
    for (const ContentFileEntry* entry = Entry(*level, file);
         entry != nullptr && !entry->path.empty(); entry = Entry(*level, ++file), slot_index = 0) {
      size_t prefix_at = 0;
      slot_index = MatchInEntry(*entry, slot_index, name, wildcard_mode, prefix_at);
      if (slot_index != MacroIndex::kNone) {
        const MacroSlot& slot = entry->slots[slot_index];
        position.level = *level;
        position.file = static_cast<Int16>(file);
        position.slot = static_cast<Int16>(slot_index);
        value = slot.value;
        ApplyParameters(slot, value);
        RewriteParentReferences(*level, file, value);
        if (wildcard_mode) {
          std::string_view rest = std::string_view(slot.name).substr(prefix_at + name.size());
          if (rest.ends_with(settings_.macro_end_tag)) {
            rest.remove_suffix(settings_.macro_end_tag.size());
          }
          remainder.assign(rest);
        }
        return true;
      }
    }
  }
  position.level = kLevelNone;
  return false;
}

size_t MacroExpander::MatchInEntry(const ContentFileEntry& entry, size_t from,
                                   std::string_view name, bool wildcard_mode,
                                   size_t& prefix_at) const {
  const std::vector<MacroSlot>& slots = entry.slots;
  // Positions must fit in 16 bits, and the entry ends at its first empty name.
  const size_t end = std::min(slots.size(), kPositionLimit);
  if (!wildcard_mode && from <= entry.index.FirstEmptyName()) {
    const size_t first = entry.index.Find(slots, name);
    if (first == MacroIndex::kNone || first >= std::min(end, entry.index.FirstEmptyName())) {
      return MacroIndex::kNone;
    }
    if (first >= from) return first;
    // Resuming past the first definition (only a caller with its own position does):
    // a later duplicate can only be found by the walk below.
  }
  for (size_t slot = from; slot < end && !slots[slot].name.empty(); ++slot) {
    prefix_at = wildcard_mode ? slots[slot].name.find(name) : 0;
    if (wildcard_mode ? prefix_at != std::string::npos : slots[slot].name == name) return slot;
  }
  return MacroIndex::kNone;
}

void MacroExpander::ApplyParameters(const MacroSlot& slot, std::string& value) const {
  const std::string& parameter_start = settings_.parameter_start_tag;
  const std::string& parameter_end = settings_.parameter_end_tag;
  const std::string& escape_tag = settings_.single_quote_escape_tag;
  for (const MacroParameter& parameter : slot.parameters) {
    if (parameter.reference.empty()) break;
    const std::string* passed = PassedValue(parameter.reference);
    const std::string& actual = passed != nullptr ? *passed : parameter.value;
    ReplaceAll(value, parameter.reference, actual);
    if (IsBlank(escape_tag) ||
        FindTagPair(value, parameter_start, escape_tag) == std::string::npos) {
      continue;
    }
    // (@\url): the parameter's value with every "'" written as "\'".
    std::string_view bare = parameter.reference;
    if (bare.starts_with(parameter_start)) bare.remove_prefix(parameter_start.size());
    if (bare.ends_with(parameter_end)) bare.remove_suffix(parameter_end.size());
    std::string escaped_form = parameter_start + escape_tag;
    escaped_form.append(bare);
    escaped_form += parameter_end;
    std::string escaped_value = actual;
    ReplaceAll(escaped_value, "'", "\\'");
    ReplaceAll(value, escaped_form, escaped_value);
  }
}

void MacroExpander::RewriteParentReferences(Int16 level, int file, std::string& value) const {
  // The Project Macro File is searched first, so one parent tag already starts below it.
  if (level == kLevelProject || IsBlank(settings_.parent_reference_tag)) return;
  const std::string& start = settings_.macro_start_tag;
  const std::string& parent = settings_.parent_reference_tag;
  if (FindTagPair(value, start, parent) == std::string::npos) return;
  size_t tags = 0;
  if (settings_.parent_reference_tag_is_by_file == 1) {
    // Point at the file after the match in the list StartLevel walks.
    size_t index = static_cast<size_t>(file);
    if (level >= kLevelFolderGlobals) index += std::max<int>(macros_.content_files_loaded, 0);
    if (level == kLevelGlobals) index += std::max<int>(Shared().folder_global_files_loaded, 0);
    tags = index + 2;
  } else {
    tags = level == kLevelContentFiles ? 2 : level == kLevelFolderGlobals ? 3 : 4;
  }
  std::string replacement = start;
  for (size_t i = 0; i < tags; ++i) replacement += parent;
  ReplaceAll(value, start + parent, replacement);
}

const std::string* MacroExpander::PassedValue(std::string_view reference_form) const {
  if (reference_form.empty()) return nullptr;
  for (const MacroParameter& pair : macros_.parameter_work.pairs) {
    if (pair.reference == reference_form) return &pair.value;
  }
  return nullptr;
}

std::string MacroExpander::ParameterValue(std::string_view reference_form, bool& found) const {
  const std::string* value = PassedValue(reference_form);
  found = value != nullptr;
  return found ? *value : std::string();
}

std::string MacroExpander::ExpandWildcard(std::string_view before, std::string_view reference,
                                          std::string_view after) {
  const std::string& tag = settings_.wildcard_tag;
  const std::string_view prefix =
      reference.substr(0, IsBlank(tag) ? std::string_view::npos : reference.find(tag));
  std::string lines;
  std::string value;
  std::string remainder;
  LookupPosition position;
  position.level = Shared().project_loaded ? kLevelProject : kLevelContentFiles;
  bool first = true;
  while (LookupMacro(position, prefix, value, true, remainder)) {
    if (!first) lines.append(kCrLf);
    first = false;
    lines.append(before);
    lines.append(value);
    AppendWithTagReplaced(lines, after, tag, remainder);
    if (position.slot == INT16_MAX) break;
    ++position.slot;  // resume after the match
  }
  return lines;
}

}  // namespace tarvelo
