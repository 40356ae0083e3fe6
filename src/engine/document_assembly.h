// Document assembly: a Document's Template expanded in passes (each pass a working
// file in the temporary files path) until no reference is left, optionally optimised,
// and put in place or, with modified-only, compared with the existing output first.
#ifndef TARVELO_ENGINE_DOCUMENT_ASSEMBLY_H_
#define TARVELO_ENGINE_DOCUMENT_ASSEMBLY_H_

#include <functional>
#include <string>

#include "common/int16.h"
#include "engine/optimiser.h"

namespace tarvelo {

struct Workspace;
class LogSink;
class MacroExpander;
class TextWriter;

/// Where one of several assemblies running at once writes: its own log and pass files
/// (`pass_stem` + "." + n). The finished output is handed to `finished` (flushed and
/// open, see FileStore::CopyFile) at the moment it would have been put in place, for
/// the caller to put in place later by closing it; an output that already holds the
/// bytes is only dated now, and `finished` then gets a writer that holds no file.
/// Without `finished` the output is put in place at once.
struct AssemblyTarget {
  LogSink& log;
  std::string pass_stem;
  std::function<void(TextWriter&)> finished;
};

enum AssemblyResult : Int16 { kGenerated = 1, kGeneratedWithWarnings = 2, kUpToDate = 4 };

/// Logged (and counted as a warning) when a conditional block is still open at the
/// end of an expansion pass; each pass starts outside any block.
inline constexpr const char* kUnclosedBlockWarning =
    "WARNING: Conditional block is not closed at the end of the Document.";

/// The description of the error that ends a Document whose pass output grew past
/// the workspace's max_pass_bytes.
inline constexpr const char* kRunawayExpansionError =
    "The Document grew past 256 MB while its Macros were expanded. A Macro may refer to "
    "itself.";

/// What is kept of each pass file of a Document that grew too large: enough to see
/// the loop, not the whole of it.
inline constexpr long long kRunawayPassFileBytes = 64 * 1024;

/// Assembles one Document of the workspace's definition (names resolved) with the
/// Macros already loaded; the pass files are kept as pass_stem + "." + n. Returns
/// kGenerated, kGeneratedWithWarnings or kUpToDate. The output is only ever replaced
/// whole (a temporary sibling renamed over it), so an error leaves the old output.
/// Raises 10006 when the pass limit is reached or a pass grows too large (its pass
/// files are then cut to kRunawayPassFileBytes), the file system's errors (with the
/// file's path), the expansion's errors, and 10006 "Error processing file: " + name
/// for an error without a description. Without a `target` the workspace's log and pass
/// files are used and the output is put in place at once; the workspace is otherwise
/// only read, so assemblies with their own targets and expanders may run together.
Int16 AssembleDocument(Workspace& workspace, MacroExpander& expander, Int16 folder_index,
                       Int16 document_index, const AssemblyTarget* target = nullptr);

}  // namespace tarvelo

#endif  // TARVELO_ENGINE_DOCUMENT_ASSEMBLY_H_
