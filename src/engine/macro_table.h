// MacroTable: the Macros one Document sees, in four levels (4 the Project Macro File,
// 1 the Document's Content Files, 2 the Folder Globals, 3 the Global Content Files),
// each file an entry of named slots; and ParameterWork, the parameter work area that
// the loader and the expansion share.
#ifndef TARVELO_ENGINE_MACRO_TABLE_H_
#define TARVELO_ENGINE_MACRO_TABLE_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/int16.h"

namespace tarvelo {

struct ProjectSettings;

enum MacroLevel : Int16 {
  kLevelNone = 0,
  kLevelContentFiles = 1,
  kLevelFolderGlobals = 2,
  kLevelGlobals = 3,
  kLevelProject = 4,
  kLevelView1 = 5,  // the single-file tables of the Content File views
  kLevelView2 = 6,
};

/// One parameter: its reference form with its tags ("(@url)") and a value (the
/// declared default in a definition, the passed value in ParameterWork).
struct MacroParameter {
  std::string reference;
  std::string value;
};

struct MacroSlot {
  std::string name;   // with its Macro Tags, without parameter groups: "[@LINK]"
  std::string value;  // lines joined by CR LF
  std::vector<MacroParameter> parameters;  // declared parameters, in order
  std::int32_t line = 0;                   // physical line on which the definition head ended
};

/// The first slot of each name in one entry, so that a lookup or a duplicate test costs
/// one hash probe instead of a walk over the slots. It holds slot numbers only (no
/// names, no pointers), so an entry can be copied or moved with it. Slots are only ever
/// appended to an entry, or the entry is replaced or reloaded as a whole (the loader
/// clears the index); `Catch` indexes what was appended since its last call, which
/// keeps tables filled directly (the views, tests) in step too.
class MacroIndex {
 public:
  static constexpr size_t kNone = static_cast<size_t>(-1);

  /// Indexes the slots appended since the last call. Returns false when the last of
  /// them repeats an earlier slot's name.
  bool Catch(const std::vector<MacroSlot>& slots);

  /// The first slot whose name equals `name` exactly; kNone when there is none.
  size_t Find(const std::vector<MacroSlot>& slots, std::string_view name) const;

  /// The first slot with an empty name (where a walk over the entry stops); kNone when
  /// there is none.
  size_t FirstEmptyName() const { return first_empty_; }

  void Clear() { *this = MacroIndex(); }

 private:
  // Eight bytes a bucket: the low half of the name's hash and the slot number.
  struct Bucket {
    std::uint32_t hash = 0;
    std::uint32_t slot_plus_one = 0;  // 0: the bucket is free
  };

  static std::uint32_t Hash(std::string_view name);

  void Grow();
  // Inserts slot `slot` unless its name is held already; returns whether it was new.
  bool Insert(const std::vector<MacroSlot>& slots, size_t slot);

  std::vector<Bucket> buckets_;  // open addressing, a power of two in size
  size_t names_ = 0;             // distinct names held
  size_t indexed_ = 0;           // slots looked at so far
  size_t first_empty_ = kNone;
};

/// One Content File's Macros. Slots are filled from 0 in file order; the vector holds
/// only the slots in use (the per-file limit is checked by the loader).
struct ContentFileEntry {
  std::string path;  // empty when the entry is unused (or its file was missing)
  std::vector<MacroSlot> slots;
  MacroIndex index{};  // built as the file is loaded
};

/// The shared parameter work area and a clean flag, so that the many references without
/// parameters need not empty it. `pairs` holds only the pairs stored since the last
/// reset (at most `max-parameters`, in group order); an absent pair reads as empty.
struct ParameterWork {
  std::vector<MacroParameter> pairs;
  bool clean = true;
};

struct MacroTable {
  /// Limits taken from the settings each time they are read.
  Int16 max_parameters = 5;
  Int16 max_project_macros = 5;
  Int16 max_global_macros = 100;
  Int16 max_folder_global_macros = 50;
  Int16 max_content_file_macros = 50;
  Int16 max_globals = 5;
  Int16 max_folder_globals = 5;
  Int16 max_content_files = 5;

  ContentFileEntry project;                      // level 4
  std::vector<ContentFileEntry> content_files;   // level 1, grows as files load
  std::vector<ContentFileEntry> folder_globals;  // level 2
  std::vector<ContentFileEntry> globals;         // level 3
  ContentFileEntry view1;
  ContentFileEntry view2;

  Int16 content_files_loaded = 0;
  Int16 folder_global_files_loaded = 0;
  Int16 global_files_loaded = 0;
  bool project_loaded = false;

  ParameterWork parameter_work;
};

/// The Macros-per-file limit of a level: 4 `max-project-macros`, 3 `max-global-macros`,
/// 2 `max-folder-global-macros`, 1 and the two view levels `max-content-file-macros`.
/// Raises 5 "Invalid procedure call or argument" for any other level code.
Int16 MacrosPerFile(const MacroTable& macros, Int16 level);

// The loading and clearing operations are declared in engine/content_file.h.

}  // namespace tarvelo

#endif  // TARVELO_ENGINE_MACRO_TABLE_H_
