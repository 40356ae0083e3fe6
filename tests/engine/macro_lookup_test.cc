// The indexed lookup against a plain walk over the table, kept here as the reference:
// random tables with shadowed names across levels and files, duplicates, empty names,
// unused entries and marks, random start positions and both parent modes.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "engine/expand_line.h"
#include "project/project_definition.h"
#include "project/project_settings.h"

namespace tarvelo {
namespace {

struct Match {
  bool found = false;
  LookupPosition position;
  std::string remainder;
};

std::vector<ContentFileEntry>* Level(MacroTable& macros, Int16 level) {
  switch (level) {
    case kLevelContentFiles:
      return &macros.content_files;
    case kLevelFolderGlobals:
      return &macros.folder_globals;
    default:
      return &macros.globals;
  }
}

// The walk as the rules state it, slot by slot, with no index.
Match PlainWalk(MacroTable& macros, const LookupMarks& marks, LookupPosition from,
                const std::string& name, bool wildcard, const std::string& end_tag) {
  const Int16 order[] = {kLevelProject, kLevelContentFiles, kLevelFolderGlobals, kLevelGlobals};
  Match match;
  const Int16* level = std::find(std::begin(order), std::end(order), from.level);
  size_t file = std::max<int>(from.file, 0);
  size_t slot = std::max<int>(from.slot, 0);
  for (; level != std::end(order); ++level, file = 0, slot = 0) {
    if ((*level == kLevelProject && marks.star) ||
        (*level == kLevelFolderGlobals && marks.double_bang) ||
        (*level == kLevelGlobals && marks.triple_bang)) {
      continue;
    }
    for (;; ++file, slot = 0) {
      ContentFileEntry* entry = nullptr;
      if (*level == kLevelProject) {
        if (file == 0) entry = &macros.project;
      } else if (file < Level(macros, *level)->size()) {
        entry = &(*Level(macros, *level))[file];
      }
      if (entry == nullptr || entry->path.empty()) break;
      for (; slot < entry->slots.size() && !entry->slots[slot].name.empty(); ++slot) {
        const std::string& candidate = entry->slots[slot].name;
        const size_t at = wildcard ? candidate.find(name) : 0;
        if (wildcard ? at == std::string::npos : candidate != name) continue;
        match.found = true;
        match.position = {*level, static_cast<Int16>(file), static_cast<Int16>(slot)};
        if (wildcard) {
          match.remainder = candidate.substr(at + name.size());
          if (match.remainder.ends_with(end_tag)) {
            match.remainder.resize(match.remainder.size() - end_tag.size());
          }
        }
        return match;
      }
    }
  }
  return match;
}

class LookupTables {
 public:
  explicit LookupTables(unsigned seed) : random_(seed) {}

  int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }

  // Few distinct names, so that they repeat within and across entries; sometimes empty.
  std::string Name() { return Below(40) == 0 ? "" : "[@M" + std::to_string(Below(60)) + "]"; }

  ContentFileEntry Entry() {
    ContentFileEntry entry;
    entry.path = Below(8) == 0 ? "" : "/c/" + std::to_string(Below(1000)) + ".par";
    // Mostly small entries, some large enough to make the index grow several times.
    for (int count = Below(4) == 0 ? Below(300) : Below(12); count > 0; --count) {
      MacroSlot slot;
      slot.name = Name();
      slot.value = "v" + std::to_string(count);
      entry.slots.push_back(std::move(slot));
    }
    return entry;
  }

 private:
  std::mt19937 random_;
};

TEST(MacroLookupTest, IndexedLookupFindsWhatThePlainWalkFinds) {
  LookupTables tables(20261208);
  int found = 0;
  int missed = 0;
  for (int round = 0; round < 150; ++round) {
    ProjectSettings settings;
    settings.parent_reference_tag_is_by_file = static_cast<Int16>(tables.Below(2));
    MacroTable macros;
    macros.project_loaded = tables.Below(2) == 1;
    if (macros.project_loaded) macros.project = tables.Entry();
    for (Int16 level : {kLevelContentFiles, kLevelFolderGlobals, kLevelGlobals}) {
      for (int i = tables.Below(4); i > 0; --i) Level(macros, level)->push_back(tables.Entry());
    }
    macros.content_files_loaded = static_cast<Int16>(macros.content_files.size());
    macros.folder_global_files_loaded = static_cast<Int16>(macros.folder_globals.size());
    macros.global_files_loaded = static_cast<Int16>(macros.globals.size());
    ProjectDefinition definition;
    definition.folders.resize(1);
    definition.folders[0].star = static_cast<Int16>(tables.Below(2));
    definition.folders[0].documents.resize(1);
    definition.folders[0].documents[0].double_bang = static_cast<Int16>(tables.Below(2));
    definition.folders[0].documents[0].triple_bang = static_cast<Int16>(tables.Below(2));
    const LookupMarks marks{definition.folders[0].star != 0,
                            definition.folders[0].documents[0].double_bang != 0,
                            definition.folders[0].documents[0].triple_bang != 0};
    MacroExpander expander(settings, macros, definition, FixedClock(0));
    expander.SetDocument(0, 0);

    for (int i = 0; i < 80; ++i) {
      const bool wildcard = tables.Below(6) == 0;
      const std::string name = wildcard ? "M" + std::to_string(tables.Below(7)) : tables.Name();
      LookupPosition position = expander.StartLevel(static_cast<Int16>(tables.Below(8) - 1));
      // Now and then resume inside an entry, as a caller with its own position may.
      if (tables.Below(5) == 0) position.slot = static_cast<Int16>(tables.Below(20));
      const Match expected =
          PlainWalk(macros, marks, position, name, wildcard, settings.macro_end_tag);
      std::string value;
      std::string remainder;
      const bool hit = expander.LookupMacro(position, name, value, wildcard, remainder);
      ASSERT_EQ(hit, expected.found) << "round " << round << " name " << name;
      hit ? ++found : ++missed;
      if (!hit) continue;
      EXPECT_EQ(position.level, expected.position.level) << "round " << round << " " << name;
      EXPECT_EQ(position.file, expected.position.file) << "round " << round << " " << name;
      EXPECT_EQ(position.slot, expected.position.slot) << "round " << round << " " << name;
      EXPECT_EQ(remainder, expected.remainder) << "round " << round << " " << name;
    }
  }
  // Both outcomes must be common for the comparison to mean anything.
  EXPECT_GT(found, 1000);
  EXPECT_GT(missed, 1000);
}

TEST(MacroLookupTest, IndexTellsRepeatedNamesAndFirstSlotsAsAScanWould) {
  LookupTables tables(7);
  const auto first_of = [](const std::vector<MacroSlot>& slots, const std::string& name) {
    for (size_t i = 0; i < slots.size(); ++i) {
      if (slots[i].name == name) return i;
    }
    return MacroIndex::kNone;
  };
  for (int round = 0; round < 40; ++round) {
    std::vector<MacroSlot> slots;
    MacroIndex index;
    for (int step = 0; step < 400; ++step) {
      slots.push_back(MacroSlot{tables.Name(), "", {}, 0});
      const bool repeated = first_of(slots, slots.back().name) != slots.size() - 1;
      ASSERT_EQ(index.Catch(slots), !repeated) << "round " << round << " step " << step;
    }
    for (int probe = 0; probe < 100; ++probe) {
      const std::string name = tables.Name();
      ASSERT_EQ(index.Find(slots, name), first_of(slots, name)) << "round " << round << name;
    }
  }
}

}  // namespace
}  // namespace tarvelo
