#include "core/log/slot_table.h"

#include <algorithm>

namespace stats {

void SlotTable::insert(uint32_t hash, uint32_t value) {
  if ((size_ + 1) * 4 > entries_.size() * 3) grow();
  std::size_t at = hash & mask();
  while (!empty(entries_[at])) at = (at + 1) & mask();
  entries_[at] = (uint64_t{hash} << 32) | value;
  ++size_;
}

std::size_t SlotTable::position(uint32_t hash, uint32_t value) const {
  if (entries_.empty()) return entries_.size();
  const uint64_t wanted = (uint64_t{hash} << 32) | value;
  for (std::size_t at = hash & mask(); !empty(entries_[at]); at = (at + 1) & mask()) {
    if (entries_[at] == wanted) return at;
  }
  return entries_.size();
}

bool SlotTable::replace(uint32_t hash, uint32_t value, uint32_t replacement) {
  const std::size_t at = position(hash, value);
  if (at == entries_.size()) return false;
  entries_[at] = (uint64_t{hash} << 32) | replacement;
  return true;
}

bool SlotTable::erase(uint32_t hash, uint32_t value) {
  std::size_t hole = position(hash, value);
  if (hole == entries_.size()) return false;
  // Backward shift: pull each later entry of the probe run into the hole when its home position
  // does not lie between the hole and where it stands, so that no search stops short of it.
  for (std::size_t at = (hole + 1) & mask(); !empty(entries_[at]); at = (at + 1) & mask()) {
    const std::size_t home = hashOf(entries_[at]) & mask();
    const bool homeAfterHole =
        hole <= at ? (home > hole && home <= at) : (home > hole || home <= at);
    if (homeAfterHole) continue;
    entries_[hole] = entries_[at];
    hole = at;
  }
  entries_[hole] = kEmpty;
  --size_;
  return true;
}

void SlotTable::clear() {
  std::fill(entries_.begin(), entries_.end(), kEmpty);
  size_ = 0;
}

void SlotTable::grow() {
  std::vector<uint64_t> old(entries_.empty() ? 16 : entries_.size() * 2, kEmpty);
  old.swap(entries_);
  for (const uint64_t entry : old) {
    if (empty(entry)) continue;
    std::size_t at = hashOf(entry) & mask();
    while (!empty(entries_[at])) at = (at + 1) & mask();
    entries_[at] = entry;
  }
}

}  // namespace stats
