// Every distinct text of the log stored once, under a 32-bit id: a record keeps ids, and two
// texts are equal exactly when their ids are. The ids stay valid until `clear`.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "core/log/chunked_vector.h"
#include "core/log/slot_table.h"

namespace stats {

class TextPool {
 public:
  static constexpr uint32_t kNone = SlotTable::kNone;

  // The id of `text`, added when new.
  uint32_t intern(std::string_view text);
  // The id of `text`, or kNone when the pool has never seen it.
  uint32_t find(std::string_view text) const;
  std::string_view text(uint32_t id) const {
    const Entry& entry = entries_[id];
    return {entry.bytes, entry.length};
  }
  // A hash of the text, computed when it was added.
  uint32_t hash(uint32_t id) const { return entries_[id].hash; }
  void clear();

 private:
  struct Entry {
    const char* bytes;
    uint32_t length;
    uint32_t hash;
  };
  static uint32_t hashText(std::string_view text);
  const char* store(std::string_view text);

  ChunkedVector<Entry> entries_;
  SlotTable ids_;
  // The bytes, in blocks filled one after the other; a long text gets a block of its own.
  std::vector<std::unique_ptr<char[]>> blocks_;
  std::size_t blockSpace_ = 0;
  char* blockEnd_ = nullptr;
};

}  // namespace stats
