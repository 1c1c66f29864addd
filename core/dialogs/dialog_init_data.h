// The combo-box lists of a dialog template, kept as a raw resource beside it: a sequence of
// records {16-bit control id, 16-bit message, 32-bit byte count, that many bytes}, all
// little-endian and packed without padding, ended by a control id of 0. A record whose message
// is kComboAddString carries one NUL-terminated text for the list of its combo box.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace stats {

inline constexpr uint16_t kDialogInitComboAddString = 0x0403;

struct DialogInitRecord {
  int controlId = 0;
  uint16_t message = 0;
  std::string bytes;  // as stored, including any terminating NUL
};

// The records of `data` in order; nothing when a record runs past the end or the end marker is
// missing.
std::optional<std::vector<DialogInitRecord>> parseDialogInitData(std::span<const uint8_t> data);

// A record's bytes as text: everything before the first NUL.
std::string dialogInitText(const DialogInitRecord& record);

// The texts that the records add to the list of `controlId`, in record order.
std::vector<std::string> comboListEntries(const std::vector<DialogInitRecord>& records,
                                          int controlId);

}  // namespace stats
