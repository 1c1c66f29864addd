#include "core/dialogs/dialog_init_data.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string_view>
#include <vector>

namespace {

using stats::DialogInitRecord;
using stats::kDialogInitComboAddString;
using stats::parseDialogInitData;

// Builds resource bytes record by record, as the resource compiler packs them.
class Bytes {
 public:
  Bytes& word(uint16_t value) {
    data.push_back(static_cast<uint8_t>(value & 0xFF));
    data.push_back(static_cast<uint8_t>(value >> 8));
    return *this;
  }
  Bytes& dword(uint32_t value) {
    word(static_cast<uint16_t>(value & 0xFFFF));
    return word(static_cast<uint16_t>(value >> 16));
  }
  Bytes& raw(std::string_view bytes) {
    data.insert(data.end(), bytes.begin(), bytes.end());
    return *this;
  }
  Bytes& record(uint16_t id, uint16_t message, std::string_view bytes) {
    return word(id).word(message).dword(static_cast<uint32_t>(bytes.size())).raw(bytes);
  }
  std::vector<uint8_t> data;
};

TEST(DialogInitData, ReadsPackedRecordsInOrder) {
  using namespace std::string_literals;
  // "DX\0" has an odd length, so the next record starts at an odd offset.
  Bytes bytes;
  bytes.record(1024, kDialogInitComboAddString, "DX\0"s)
      .record(1013, kDialogInitComboAddString, "SINGLE OPERATOR\0"s)
      .record(0x1234, 0x0401, "\x01\x02\x00\xFF"s)
      .word(0);
  const auto records = parseDialogInitData(bytes.data);
  ASSERT_TRUE(records.has_value());
  ASSERT_EQ(records->size(), 3u);
  EXPECT_EQ((*records)[0].controlId, 1024);
  EXPECT_EQ((*records)[0].message, kDialogInitComboAddString);
  EXPECT_EQ((*records)[0].bytes, "DX\0"s);
  EXPECT_EQ((*records)[1].controlId, 1013);
  EXPECT_EQ((*records)[1].bytes, "SINGLE OPERATOR\0"s);
  EXPECT_EQ((*records)[2].controlId, 0x1234);
  EXPECT_EQ((*records)[2].message, 0x0401);
  EXPECT_EQ((*records)[2].bytes, "\x01\x02\x00\xFF"s);
}

TEST(DialogInitData, AnEndMarkerAloneIsAnEmptyListAndBytesBehindItAreIgnored) {
  const auto records = parseDialogInitData(Bytes().word(0).raw("junk").data);
  ASSERT_TRUE(records.has_value());
  EXPECT_TRUE(records->empty());
}

TEST(DialogInitData, RejectsDataThatIsCutShortOrUnterminated) {
  EXPECT_FALSE(parseDialogInitData({}).has_value());
  EXPECT_FALSE(
      parseDialogInitData(Bytes().record(1013, kDialogInitComboAddString, "ONE").data).has_value());
  // The byte count runs past the end.
  EXPECT_FALSE(
      parseDialogInitData(
          Bytes().word(1013).word(kDialogInitComboAddString).dword(9).raw("ONE").word(0).data)
          .has_value());
  // A header cut in the middle, and a lone byte where the end marker should be.
  EXPECT_FALSE(
      parseDialogInitData(Bytes().word(1013).word(kDialogInitComboAddString).data).has_value());
  Bytes oneByteShort = Bytes().record(1013, kDialogInitComboAddString, "A");
  oneByteShort.data.push_back(0);
  EXPECT_FALSE(parseDialogInitData(oneByteShort.data).has_value());
  // A huge byte count must not wrap around.
  EXPECT_FALSE(parseDialogInitData(
                   Bytes().word(7).word(kDialogInitComboAddString).dword(0xFFFFFFFF).word(0).data)
                   .has_value());
}

TEST(DialogInitData, ComboListsTakeTheTextsOfOneControlInRecordOrder) {
  using namespace std::string_literals;
  Bytes bytes;
  bytes.record(1022, kDialogInitComboAddString, "ONE\0"s)
      .record(1021, kDialogInitComboAddString, "QRP\0"s)
      .record(1022, 0x0401, "NOT A COMBO ENTRY\0"s)
      .record(1022, kDialogInitComboAddString, "TWO\0junk"s)
      .record(1022, kDialogInitComboAddString, "UNLIMITED"s)
      .word(0);
  const auto records = parseDialogInitData(bytes.data);
  ASSERT_TRUE(records.has_value());
  EXPECT_EQ(stats::comboListEntries(*records, 1022),
            (std::vector<std::string>{"ONE", "TWO", "UNLIMITED"}));
  EXPECT_EQ(stats::comboListEntries(*records, 1021), (std::vector<std::string>{"QRP"}));
  EXPECT_TRUE(stats::comboListEntries(*records, 1013).empty());
}

}  // namespace
