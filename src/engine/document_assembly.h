// Document assembly: a Document's Template expanded in passes (each pass a working
// file in the temporary files path) until no reference is left, optionally optimised,
// and put in place or, with modified-only, compared with the existing output first.
#ifndef TARVELO_ENGINE_DOCUMENT_ASSEMBLY_H_
#define TARVELO_ENGINE_DOCUMENT_ASSEMBLY_H_

#include <string>
#include <string_view>

#include "common/int16.h"

namespace tarvelo {

struct DocumentEntry;
struct ProjectSettings;
struct Workspace;
class MacroExpander;

enum AssemblyResult : Int16 { kGenerated = 1, kGeneratedWithWarnings = 2, kUpToDate = 4 };

inline constexpr std::string_view kOptimizeOffMarker = "<!--TARVELO:OPTIMIZE:OFF-->";
inline constexpr std::string_view kOptimizeOnMarker = "<!--TARVELO:OPTIMIZE:ON-->";

/// 0, 1 or 2: the optimisation status, the exclude list and the Document's own flag.
Int16 DocumentOptimisationLevel(const ProjectSettings& settings, const DocumentEntry& document);

/// The text after the first "." of the trimmed file name (the part after the last
/// separator); empty when the name is one character long or has no ".".
std::string DocumentExtension(std::string_view document_name);

/// The line without its leading spaces and tabs.
std::string StripLeadingWhiteSpace(std::string_view line);

/// Assembles one Document of the workspace's definition (names resolved) with the
/// Macros already loaded. Returns kGenerated, kGeneratedWithWarnings or kUpToDate.
/// Raises 10006 when the pass limit is reached, the file system's errors (with the
/// file's path) and the expansion's errors.
Int16 AssembleDocument(Workspace& workspace, MacroExpander& expander, Int16 folder_index,
                       Int16 document_index);

}  // namespace tarvelo

#endif  // TARVELO_ENGINE_DOCUMENT_ASSEMBLY_H_
