// Locating and decoding a Macro reference. Advanced tags are looked for in a fixed
// order, and each one found rules out some of the later ones, so the order of the
// steps below matters.
#include "engine/macro_reference.h"

#include "common/error.h"
#include "common/text.h"
#include "engine/content_file.h"
#include "engine/expand_line.h"
#include "project/project_settings.h"

namespace tarvelo {
namespace {

[[noreturn]] void ThrowInvalidTag(std::string_view line) {
  std::string description = "Invalid tag in string: ";
  description += line;
  throw TarveloError(kErrMacroSyntax, std::move(description));
}

// Removes every parent tag, counting them. Deleting the first occurrence again and again
// can join the text around it into a new occurrence (with a longer tag); compacting in
// place and dropping the tag whenever the kept text ends with it gives the same result
// in one pass.
void RemoveParentTags(std::string& reference, std::string_view tag, Int16& count) {
  if (reference.find(tag) == std::string::npos) return;
  const size_t size = tag.size();
  size_t kept = 0;
  for (size_t read = 0; read < reference.size(); ++read) {
    reference[kept++] = reference[read];
    if (kept >= size && reference.compare(kept - size, size, tag) == 0) {
      kept -= size;
      Increment(count);
    }
  }
  reference.resize(kept);
}

// Finds start tag + `tag` in the reference; removes `tag` when found and asked to.
bool TakePrefixTag(std::string& reference, std::string_view start, std::string_view tag,
                   bool remove) {
  if (IsBlank(tag)) return false;
  const size_t pos = FindTagPair(reference, start, tag);
  if (pos == std::string::npos) return false;
  if (remove) reference.erase(pos + start.size(), tag.size());
  return true;
}

// Conditional start, else and end. Returns true when one of them was found, whether or
// not it was allowed where it stands.
bool DecodeConditional(const ProjectSettings& settings, Int16 conditional_state,
                       std::string& reference, ReferenceFlags& flags, std::string& warning) {
  if (IsBlank(settings.conditional_start_tag) || IsBlank(settings.conditional_end_tag)) {
    return false;
  }
  const std::string& start = settings.macro_start_tag;
  const bool inside = conditional_state != kOutsideBlock;
  if (!inside && TakePrefixTag(reference, start, settings.conditional_start_tag, true)) {
    flags.conditional_start = true;
    return true;
  }
  if (inside && TakePrefixTag(reference, start, settings.conditional_start_tag, false)) {
    warning = "WARNING: Conditional blocks cannot be nested. " + reference +
              " appears within a conditional block.";
    reference.clear();  // an empty name matches nothing: the plain empty-value path
    return true;
  }
  // Else is tried before end: the default else tag "}{" begins with the end tag.
  if (TakePrefixTag(reference, start, settings.conditional_else_tag, false)) {
    if (inside) {
      flags.conditional_else = true;
    } else {
      warning = "WARNING: Conditional else tags must appear within conditional blocks. " +
                reference + " does not appear within a conditional block.";
      reference.clear();
    }
    return true;
  }
  if (TakePrefixTag(reference, start, settings.conditional_end_tag, false)) {
    if (inside) {
      flags.conditional_end = true;
    } else {
      warning = "WARNING: Conditional end tags must appear within conditional blocks. " +
                reference + " does not appear within a conditional block.";
      reference.clear();
    }
    return true;
  }
  return false;
}

}  // namespace

size_t FindTagPair(std::string_view text, std::string_view first, std::string_view second,
                   size_t from) {
  size_t pos = text.find(first, from);
  while (pos != std::string_view::npos) {
    if (text.substr(pos + first.size()).starts_with(second)) return pos;
    pos = text.find(first, pos + 1);
  }
  return std::string_view::npos;
}

bool IsTaggedName(std::string_view name, std::string_view start, std::string_view body,
                  std::string_view end) {
  return name.size() == start.size() + body.size() + end.size() && name.starts_with(start) &&
         name.substr(start.size(), body.size()) == body && name.ends_with(end);
}

bool LocateReference(const ProjectSettings& settings, std::string_view line, size_t& begin,
                     size_t& end) {
  const std::string& start_tag = settings.macro_start_tag;
  const std::string& end_tag = settings.macro_end_tag;
  if (start_tag.empty() || end_tag.empty()) ThrowInvalidTag(line);
  const size_t start = line.find(start_tag);
  if (start == std::string_view::npos) return false;
  const size_t close = line.find(end_tag, start + 1);
  if (close == std::string_view::npos) ThrowInvalidTag(line);
  size_t past = close + end_tag.size();

  // A parameter start tag before that end tag: parameter values may hold the end tag,
  // so the reference runs to ")]" instead.
  const std::string& parameter_start = settings.parameter_start_tag;
  const std::string& parameter_end = settings.parameter_end_tag;
  if (!IsBlank(parameter_start) && !IsBlank(parameter_end)) {
    const size_t parameter = line.find(parameter_start, start + 1);
    if (parameter != std::string_view::npos && parameter + 1 < past) {
      const size_t group_end = FindTagPair(line, parameter_end, end_tag, start + 1);
      if (group_end == std::string_view::npos) ThrowInvalidTag(line);
      past = group_end + parameter_end.size() + end_tag.size();
    }
  }
  begin = start;
  end = past;
  return true;
}

void DecodeReference(const ProjectSettings& settings, ParameterWork& work, Int16 conditional_state,
                     std::string& reference, ReferenceFlags& flags, std::string& warning) {
  flags = ReferenceFlags();
  const std::string& start = settings.macro_start_tag;

  if (!IsBlank(settings.parent_reference_tag)) {
    RemoveParentTags(reference, settings.parent_reference_tag, flags.parent_count);
  }

  const bool conditional =
      DecodeConditional(settings, conditional_state, reference, flags, warning);

  // Blank parameter tags switch parameters off; the work area is reset then as well, so
  // that no value of an earlier reference can reach this one.
  if (!IsBlank(settings.parameter_start_tag) && !IsBlank(settings.parameter_end_tag) &&
      reference.find(settings.parameter_start_tag) != std::string::npos) {
    flags.has_parameters = true;
    std::string parser_warning = ParseParameters(settings, work, reference);
    if (!parser_warning.empty()) warning = std::move(parser_warning);
  } else {
    ResetParameterWork(work);
  }

  // The wildcard tag stays in the reference: it marks where the name's prefix ends.
  flags.wildcard = !flags.has_parameters && !IsBlank(settings.wildcard_tag) &&
                   reference.find(settings.wildcard_tag) != std::string::npos;

  if (!conditional && !flags.has_parameters && !flags.wildcard) {
    flags.non_blank_delete = TakePrefixTag(reference, start, settings.non_blank_delete_tag, true);
    if (!flags.non_blank_delete) {
      flags.single_quote_escape =
          TakePrefixTag(reference, start, settings.single_quote_escape_tag, true);
    }
  }
  if (conditional || flags.wildcard || flags.non_blank_delete) return;
  flags.concatenate = TakePrefixTag(reference, start, settings.concatenate_tag, true);
  if (!flags.concatenate) {
    flags.required = TakePrefixTag(reference, start, settings.required_tag, true);
  }
}

}  // namespace tarvelo
