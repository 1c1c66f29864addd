#include "core/dialogs/dialog_init_data.h"

namespace stats {
namespace {

uint32_t readLittleEndian(std::span<const uint8_t> data, size_t at, size_t width) {
  uint32_t value = 0;
  for (size_t i = 0; i < width; ++i) value |= static_cast<uint32_t>(data[at + i]) << (8 * i);
  return value;
}

}  // namespace

std::optional<std::vector<DialogInitRecord>> parseDialogInitData(std::span<const uint8_t> data) {
  std::vector<DialogInitRecord> records;
  size_t at = 0;
  while (true) {
    if (data.size() - at < 2) return std::nullopt;  // no end marker
    const uint32_t controlId = readLittleEndian(data, at, 2);
    if (controlId == 0) return records;
    if (data.size() - at < 8) return std::nullopt;
    DialogInitRecord record;
    record.controlId = static_cast<int>(controlId);
    record.message = static_cast<uint16_t>(readLittleEndian(data, at + 2, 2));
    const uint32_t length = readLittleEndian(data, at + 4, 4);
    at += 8;
    if (length > data.size() - at) return std::nullopt;
    record.bytes.assign(reinterpret_cast<const char*>(data.data() + at), length);
    at += length;
    records.push_back(std::move(record));
  }
}

std::string dialogInitText(const DialogInitRecord& record) {
  return record.bytes.substr(0, record.bytes.find('\0'));
}

std::vector<std::string> comboListEntries(const std::vector<DialogInitRecord>& records,
                                          int controlId) {
  std::vector<std::string> entries;
  for (const DialogInitRecord& record : records) {
    if (record.controlId == controlId && record.message == kDialogInitComboAddString) {
      entries.push_back(dialogInitText(record));
    }
  }
  return entries;
}

}  // namespace stats
