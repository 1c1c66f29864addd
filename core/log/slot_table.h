// An open-addressing hash table of 32-bit numbers (record slots, text ids) whose keys live
// elsewhere: the caller gives the key's hash and says whether a stored number matches. Each entry
// keeps its hash beside its number, so growing and deleting never ask the caller again. Linear
// probing, deletion by backward shift, at most three quarters full: 8 bytes an entry.
#pragma once

#include <cstdint>
#include <vector>

namespace stats {

class SlotTable {
 public:
  static constexpr uint32_t kNone = UINT32_MAX;

  // The first stored number with this hash that `matches`, or kNone.
  template <typename Matches>
  uint32_t find(uint32_t hash, Matches matches) const {
    if (entries_.empty()) return kNone;
    for (std::size_t at = hash & mask(); !empty(entries_[at]); at = (at + 1) & mask()) {
      if (hashOf(entries_[at]) == hash && matches(valueOf(entries_[at]))) {
        return valueOf(entries_[at]);
      }
    }
    return kNone;
  }

  void insert(uint32_t hash, uint32_t value);
  // Replaces the entry holding `value` under `hash`; false when there is none.
  bool replace(uint32_t hash, uint32_t value, uint32_t replacement);
  // Deletes the entry holding `value` under `hash`; false when there is none.
  bool erase(uint32_t hash, uint32_t value);
  // Empties the table and keeps its room: a contest start is followed by a replay of as many.
  void clear();
  std::size_t size() const { return size_; }

 private:
  static constexpr uint64_t kEmpty = UINT64_MAX;
  static bool empty(uint64_t entry) { return entry == kEmpty; }
  static uint32_t hashOf(uint64_t entry) { return static_cast<uint32_t>(entry >> 32); }
  static uint32_t valueOf(uint64_t entry) { return static_cast<uint32_t>(entry); }
  std::size_t mask() const { return entries_.size() - 1; }
  std::size_t position(uint32_t hash, uint32_t value) const;
  void grow();

  std::vector<uint64_t> entries_;
  std::size_t size_ = 0;
};

}  // namespace stats
