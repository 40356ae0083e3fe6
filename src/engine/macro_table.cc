// Per-level facts of the MacroTable.
#include "engine/macro_table.h"

#include <functional>

#include "common/error.h"

namespace tarvelo {

std::uint32_t MacroIndex::Hash(std::string_view name) {
  return static_cast<std::uint32_t>(std::hash<std::string_view>{}(name));
}

bool MacroIndex::Catch(const std::vector<MacroSlot>& slots) {
  bool last_new = true;
  for (; indexed_ < slots.size(); ++indexed_) {
    if (first_empty_ == kNone && slots[indexed_].name.empty()) first_empty_ = indexed_;
    last_new = Insert(slots, indexed_);
  }
  return last_new;
}

size_t MacroIndex::Find(const std::vector<MacroSlot>& slots, std::string_view name) const {
  if (buckets_.empty()) return kNone;
  const std::uint32_t hash = Hash(name);
  const size_t mask = buckets_.size() - 1;
  for (size_t at = hash & mask;; at = (at + 1) & mask) {
    const Bucket& bucket = buckets_[at];
    if (bucket.slot_plus_one == 0) return kNone;
    const size_t slot = bucket.slot_plus_one - 1;
    if (bucket.hash == hash && slot < slots.size() && slots[slot].name == name) return slot;
  }
}

bool MacroIndex::Insert(const std::vector<MacroSlot>& slots, size_t slot) {
  const std::string& name = slots[slot].name;
  if (Find(slots, name) != kNone) return false;
  // At most half full, so that probes stay short and always reach a free bucket.
  if ((names_ + 1) * 2 > buckets_.size()) Grow();
  const std::uint32_t hash = Hash(name);
  const size_t mask = buckets_.size() - 1;
  size_t at = hash & mask;
  while (buckets_[at].slot_plus_one != 0) at = (at + 1) & mask;
  buckets_[at] = Bucket{hash, static_cast<std::uint32_t>(slot + 1)};
  ++names_;
  return true;
}

void MacroIndex::Grow() {
  std::vector<Bucket> old = std::move(buckets_);
  buckets_.assign(old.empty() ? 16 : old.size() * 2, Bucket{});
  const size_t mask = buckets_.size() - 1;
  for (const Bucket& bucket : old) {
    if (bucket.slot_plus_one == 0) continue;
    size_t at = bucket.hash & mask;
    while (buckets_[at].slot_plus_one != 0) at = (at + 1) & mask;
    buckets_[at] = bucket;
  }
}

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
