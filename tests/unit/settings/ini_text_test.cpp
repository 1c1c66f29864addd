// The settings file's text rules, on every target: the edits a write makes and what a read of a
// section's lines gives.
#include "core/settings/ini_text.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

TEST(IniText, AWriteEditsTheTextAsTheWindowsFunctionsDo) {
  const struct {
    const char* text;
    const char* key;
    const char* value;
    std::optional<std::string> written;  // nothing: the text already holds it
  } kCases[] = {
      {"", "Mode", "CW", "[Settings]\r\nMode=CW\r\n"},
      // The key keeps the file's spelling; every line end becomes CR LF.
      {"[settings]\nmode = SSB\n", "Mode", "CW", "[settings]\r\nmode=CW\r\n"},
      {"[Settings]\r\nMode=CW\r\n", "MODE", "CW", std::nullopt},
      // A new key goes after the section's last line, before the blank lines that part it.
      {"[Settings]\r\nA=1\r\n\r\n[Other]\r\nB=2\r\n", "Mode", "CW",
       "[Settings]\r\nA=1\r\nMode=CW\r\n\r\n[Other]\r\nB=2\r\n"},
      {"[Other]\r\nB=2\r\n", "Mode", "CW", "[Other]\r\nB=2\r\n\r\n[Settings]\r\nMode=CW\r\n"},
      {"\xEF\xBB\xBF[Settings]\r\nMode=SSB\r\n", "Mode", "CW",
       "\xEF\xBB\xBF[Settings]\r\nMode=CW\r\n"},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(stats::iniTextWithValue(row.text, "Settings", row.key, row.value), row.written);
  }
}

TEST(IniText, ASectionReadsLikeTheFileAndTakesInItsOwnWrites) {
  const std::string text =
      "[Other]\r\nMode=X\r\n[ settings ]\r\nmode = 'CW'\r\nName=\"Jan\"\r\n[Settings]\r\nA=1\r\n";
  const auto snapshot =
      stats::makeIniSectionSnapshot("Settings", stats::iniFirstSection(text, "Settings"));
  EXPECT_EQ(snapshot->read("MODE", "none"), "CW");  // case, blanks and quotes as kernel32
  EXPECT_EQ(snapshot->read("Name", ""), "Jan");
  EXPECT_EQ(snapshot->read("A", "later section "), "later section");  // only the first counts
  snapshot->written("A", "2");
  EXPECT_EQ(snapshot->read("A", ""), "2");
}

}  // namespace
