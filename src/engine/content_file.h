// Content Files: reading one file of Macro definitions into an entry of the
// MacroTable, the parameter parser shared with the expansion, and clearing the table.
#ifndef TARVELO_ENGINE_CONTENT_FILE_H_
#define TARVELO_ENGINE_CONTENT_FILE_H_

#include <string>

#include "common/int16.h"
#include "engine/macro_table.h"

namespace tarvelo {

class FileStore;
class LogSink;
struct ProjectSettings;

enum LoadResult : Int16 { kLoaded = 1, kLoadedWithWarnings = 2, kMissingIgnored = 3 };

/// Takes the table limits from the settings and empties every level (done each time
/// the settings are read).
void DimensionMacroTable(MacroTable& macros, const ProjectSettings& settings);

/// Reads the Content File at `path` into `entry`, whose Macros-per-file limit is that
/// of `level`. Returns kLoaded, kLoadedWithWarnings or kMissingIgnored (no such file
/// and `ignore_missing`). An empty path loads nothing and returns kLoaded. Warnings
/// go to `log` (ten blanks first) when `log_warnings` is set. Raises 10005 (missing
/// file), 10002 (too many Macros), 10001 (a bad parameter list), 5 (an unknown level)
/// and the file system's read errors; the entry keeps what was stored before the error.
/// A loaded file replaces the entry's slots. A line continuation on the last line ends
/// the file there, keeping the text read. A head without parameter groups declares no
/// parameters.
Int16 LoadContentFile(const FileStore& files, const ProjectSettings& settings, MacroTable& macros,
                      LogSink& log, Int16 level, ContentFileEntry& entry, const std::string& path,
                      bool log_warnings, bool ignore_missing);

/// Rewrites `text` (a definition head or a reference with parameter groups) to the
/// Macro's name without them, and fills the work area. Returns the warning text
/// (empty when none). Raises 10001 "Error processing macro tag and parameters: ".
std::string ParseParameters(const ProjectSettings& settings, ParameterWork& work,
                            std::string& text);

/// Empties every pair of the work area when it is not clean, then marks it clean.
void ResetParameterWork(ParameterWork& work);

/// Empties every level whose flag is set and zeroes its loaded count.
void ClearMacroTables(MacroTable& macros, bool globals, bool folder_globals, bool content_files,
                      bool project, bool view1, bool view2);

}  // namespace tarvelo

#endif  // TARVELO_ENGINE_CONTENT_FILE_H_
