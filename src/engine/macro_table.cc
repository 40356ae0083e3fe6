// Per-level facts of the MacroTable.
#include "engine/macro_table.h"

#include "common/error.h"

namespace tarvelo {

Int16 MacrosPerFile(const MacroTable& macros, Int16 level) {
  switch (level) {
    case kLevelProject:
      return macros.max_project_macros;
    case kLevelGlobals:
      return macros.max_global_macros;
    case kLevelFolderGlobals:
      return macros.max_folder_global_macros;
    case kLevelContentFiles:
    case kLevelView1:
    case kLevelView2:
      return macros.max_content_file_macros;
    default:
      throw RuntimeError(kInvalidProcedureCall);
  }
}

}  // namespace tarvelo
