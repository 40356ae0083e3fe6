// Macro expansion: replaces the first Macro reference of one line by its value, with
// parameters, parent references, wildcards, conditional blocks, required Macros and
// the reserved Macros. Document assembly calls ExpandLine once per line per pass.
#ifndef TARVELO_ENGINE_EXPAND_LINE_H_
#define TARVELO_ENGINE_EXPAND_LINE_H_

#include <string>
#include <string_view>

#include "common/clock.h"
#include "common/int16.h"
#include "engine/macro_table.h"

namespace tarvelo {

struct ProjectDefinition;
struct ProjectSettings;
struct ReferenceFlags;

/// Conditional state of a Document: 0 outside a block, 1 keeping, 2 dropping.
enum ConditionalState : Int16 { kOutsideBlock = 0, kBlockKeeping = 1, kBlockDropping = 2 };

/// Where LookupMacro is in the table; it reads and updates it so that a wildcard
/// expansion can resume after each match.
struct LookupPosition {
  Int16 level = kLevelNone;  // 4, 1, 2, 3; 0 means nothing
  Int16 file = 0;
  Int16 slot = 0;
};

/// The three marks of the current Document and Folder that take levels out of view.
struct LookupMarks {
  bool star = false;         // no Project Macro File
  bool double_bang = false;  // no Folder Globals
  bool triple_bang = false;  // no Global Content Files
};

class MacroExpander {
 public:
  /// The expander reads the settings, the table and the definition as they are at
  /// each call; `clock` gives the time of [@DATE]. With `shared`, the Project Macro
  /// File, the Folder Globals and the Global Content Files (and their counts) are read
  /// from it and never written, so several expanders may share one loaded table; the
  /// Content Files and the parameter work area are still those of `macros`.
  MacroExpander(const ProjectSettings& settings, MacroTable& macros,
                const ProjectDefinition& definition, Clock clock,
                const MacroTable* shared = nullptr);

  /// Chooses the Document whose names and marks the expansion uses.
  void SetDocument(Int16 folder_index, Int16 document_index);

  /// Replaces the first reference of `line`; an empty `output` drops the line. A
  /// non-empty `warning` is logged by the caller and counts as a Document warning.
  /// A line without a macro start tag comes back unchanged. `line` may view `output`.
  /// Raises 10001 "Invalid tag in string: " + line, or the parameter parser's 10001.
  void ExpandLine(std::string_view line, std::string& output, Int16& conditional_state,
                  std::string& warning);

  /// Where the lookup begins for a parent count (-1 when the reference has none).
  LookupPosition StartLevel(Int16 parent_count) const;

  /// Walks the levels from `position`; on a match updates `position` to it, sets
  /// `value` (parameters applied, parent references rewritten) and, in wildcard
  /// mode, `remainder`. Returns false (and an empty value) when nothing matches.
  bool LookupMacro(LookupPosition& position, std::string_view name, std::string& value,
                   bool wildcard_mode, std::string& remainder);

  /// The lines of a wildcard reference, joined by CR LF; empty when nothing matches.
  std::string ExpandWildcard(std::string_view before, std::string_view reference,
                             std::string_view after);

  /// The value passed for a parameter in the current reference; `found` says whether
  /// it was passed at all.
  std::string ParameterValue(std::string_view reference_form, bool& found) const;

 private:
  // The table that holds the levels other than the Content Files.
  const MacroTable& Shared() const { return shared_ != nullptr ? *shared_ : macros_; }
  const ContentFileEntry* Entry(Int16 level, int file) const;
  // The first slot from `from` that matches, or MacroIndex::kNone; in wildcard mode
  // `prefix_at` is where the prefix stands in the matching name.
  size_t MatchInEntry(const ContentFileEntry& entry, size_t from, std::string_view name,
                      bool wildcard_mode, size_t& prefix_at) const;
  bool LevelHidden(Int16 level) const;
  const std::string* PassedValue(std::string_view reference_form) const;
  void ApplyParameters(const MacroSlot& slot, std::string& value) const;
  void RewriteParentReferences(Int16 level, int file, std::string& value) const;
  void ReservedValue(std::string_view name, std::string& value) const;
  bool IsDeleteLineException(std::string_view name) const;
  void ComposeEmpty(const ReferenceFlags& flags, std::string_view before, std::string_view after,
                    Int16& conditional_state, std::string& warning);
  void ComposeValue(const ReferenceFlags& flags, std::string_view before, std::string_view after,
                    Int16& conditional_state);

  const ProjectSettings& settings_;
  MacroTable& macros_;
  const MacroTable* shared_;
  const ProjectDefinition& definition_;
  Clock clock_;
  Int16 folder_index_ = -1;
  Int16 document_index_ = -1;
  LookupMarks marks_;
  // Buffers kept between calls, so that a line costs no fresh allocation.
  std::string reference_;
  std::string value_;
  std::string remainder_;
  std::string composed_;
};

}  // namespace tarvelo

#endif  // TARVELO_ENGINE_EXPAND_LINE_H_
