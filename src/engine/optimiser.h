// HTML optimisation: which level a Document is optimised at, and the pass that strips
// white space from its lines, leaving regions between the OFF and ON markers alone.
#ifndef TARVELO_ENGINE_OPTIMISER_H_
#define TARVELO_ENGINE_OPTIMISER_H_

#include <string>
#include <string_view>

#include "common/int16.h"

namespace tarvelo {

struct DocumentEntry;
struct ProjectSettings;
class TextWriter;

inline constexpr std::string_view kOptimizeOffMarker = "<!--TARVELO:OPTIMIZE:OFF-->";
inline constexpr std::string_view kOptimizeOnMarker = "<!--TARVELO:OPTIMIZE:ON-->";

/// 0, 1 or 2: the optimisation status, the exclude list and the Document's own flag.
/// Under status 1 a Document without a flag takes `optimization-level` as it is.
Int16 DocumentOptimisationLevel(const ProjectSettings& settings, const DocumentEntry& document);

/// The text after the first "." of the trimmed file name (the part after the last
/// separator, so a dotted folder does not count); empty when the file name is one
/// character long or has no ".".
std::string DocumentExtension(std::string_view document_name);

/// The line without its leading spaces and tabs.
std::string StripLeadingWhiteSpace(std::string_view line);

/// The optimisation pass over one Document's lines, fed one logical line at a time.
class HtmlOptimiser {
 public:
  explicit HtmlOptimiser(Int16 level) : level_(level) {}

  /// Writes what `line` becomes at this level: level 1 strips the indentation and
  /// drops empty lines; level 2 also runs the lines together. The marker lines are
  /// not written; at level 2 an OFF marker starts a new line.
  void Process(std::string_view line, TextWriter& writer);

 private:
  Int16 level_;
  bool off_ = false;
};

}  // namespace tarvelo

#endif  // TARVELO_ENGINE_OPTIMISER_H_
