#include "cabrillo/cabrillo_writer.h"

#include <gtest/gtest.h>

#include "tests/support/scratch_folder.h"

namespace {

using stats::CabrilloState;

TEST(CabrilloWriter, ModeCodes) {
  EXPECT_EQ(stats::cabrilloModeCode("SSB"), "PH");
  EXPECT_EQ(stats::cabrilloModeCode("CW"), "CW");
  EXPECT_EQ(stats::cabrilloModeCode("ssb"), "??");
}

TEST(CabrilloWriter, QsoLineColumns) {
  CabrilloState header;
  header.ownCall = "DL1AA";
  const COleDateTime time{46000.0 + 12.5 / 24.0, COleDateTimeValid};  // 2025-12-09 12:30
  stats::AddCabrilloQso(header, 1, "ON4AA", 14025, "CW", time, "0001 --", "0012 AN");
  stats::AddCabrilloQso(header, 0, "K1AA", 3750, "PH", time, "0002 --", "0005 --");
  stats::AddCabrilloQso(header, 0, "W1AW", 144300, "??", COleDateTime{0, COleDateTimeNull},
                        "123456 --", "1 --");
  ASSERT_EQ(header.qsoLines.size(), 3u);
  EXPECT_EQ(header.qsoLines[0],
            "QSO: 14025 CW 2025-12-09 1230 DL1AA         599 0001 --     ON4AA         599 "
            "0012 AN\r\n");
  EXPECT_EQ(header.qsoLines[1],
            "QSO:  3750 PH 2025-12-09 1230 DL1AA         59  0002 --     K1AA          59  "
            "0005 --\r\n");
  EXPECT_EQ(header.qsoLines[2],
            "QSO: 144300 ??  DL1AA         59  123456 --     W1AW          59  1 --\r\n");
}

TEST(CabrilloWriter, FileTextHeaderOrder) {
  CabrilloState header;
  header.ownCall = "ON4AA";
  header.categoryOperator = "SINGLE OPERATOR";
  header.categoryBand = "ALL BANDS";
  header.categoryPower = "HIGH POWER";
  header.categoryOverlay = "NONE";
  header.operators = "ON4AA";
  header.soapbox = "hi\r\nSOAPBOX: there";
  header.qsoLines = {"QSO: x\r\n"};
  EXPECT_EQ(stats::cabrilloFileText(header, 1, 1, -5),
            "START-OF-LOG: 2.0\r\nCONTEST: ZRV-DX-CW\r\nCALLSIGN: ON4AA\r\n"
            "CATEGORY-OPERATOR: SINGLE OPERATOR ALL BANDS HIGH POWER NONE\r\n"
            "OPERATORS: ON4AA\r\nCLAIMED-SCORE: -5\r\nNAME: \r\nEMAIL: \r\n"
            "ADDRESS: \r\nADDRESS: \r\nADDRESS: \r\nADDRESS: \r\nADDRESS: \r\n"
            "SOAPBOX: hi\r\nSOAPBOX: there\r\nQSO: x\r\nEND-OF-LOG:\r\n");
  EXPECT_NE(stats::cabrilloFileText(header, 0, 0, 0)
                .find("CONTEST: ZRV-DX-SSB\r\nCALLSIGN: ON4AA\r\n"
                      "CATEGORY-OPERATOR: SINGLE OPERATOR ALL BANDS HIGH POWER\r\n"),
            std::string::npos);
}

// The file holds the QSO lines gathered since the last export, and the export empties them: the
// next export, with nothing added, writes the header alone.
TEST(CabrilloWriter, FileTakesTheQsoLinesAndEmptiesThem) {
  const stats_test::ScratchFolder scratch;
  CabrilloState header;
  header.ownCall = "K1AA/P";
  header.fileBase = "K1AA_P";
  header.qsoLines = {"QSO: one\r\n", "QSO: two\r\n"};
  const std::string withLines = stats::cabrilloFileText(header, 1, 0, 7);
  ASSERT_NE(withLines.find("QSO: one\r\nQSO: two\r\nEND-OF-LOG:\r\n"), std::string::npos);

  EXPECT_EQ(stats::WriteCabrilloFile(header, 1, 0, 7), "File produced: K1AA_P.cbr");
  EXPECT_EQ(scratch.readFile("K1AA_P.cbr"), withLines);
  EXPECT_TRUE(header.qsoLines.empty());

  EXPECT_EQ(stats::WriteCabrilloFile(header, 1, 0, 7), "File produced: K1AA_P.cbr");
  const std::string headerOnly = scratch.readFile("K1AA_P.cbr");
  EXPECT_EQ(headerOnly.find("QSO: "), std::string::npos) << headerOnly;
  EXPECT_EQ(headerOnly, stats::cabrilloFileText(header, 1, 0, 7));
}

}  // namespace
