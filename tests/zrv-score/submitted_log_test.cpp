// The submitted-log reader: the QSO line as the plug-in and other loggers write it, the header
// tags, and the logs it refuses.
#include "tools/zrv-score/submitted_log.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using zrv_score::readSubmittedLog;
using zrv_score::SubmittedQso;

std::string logWith(const std::string& lines) {
  return "START-OF-LOG: 3.0\r\nCALLSIGN: dl1abc\r\nX-MINE: kept\r\n" + lines + "END-OF-LOG:\r\n";
}

// What the reader kept of a line: frequency, mode, date and time, the serial and province sent,
// the call, the serial and province received ("-" for none), and "X" for an X-QSO line.
std::string shown(const SubmittedQso& qso) {
  const auto side = [](const zrv_score::SubmittedExchange& exchange) {
    return exchange.serial + " " + (exchange.province.empty() ? "-" : exchange.province);
  };
  return std::to_string(qso.frequencyKHz) + " " + qso.mode + " " +
         zrv_score::dateAndTimeOf(qso.minute) + " " + side(qso.sent) + " " + qso.call + " " +
         side(qso.received) + (qso.xQso ? " X" : "");
}

TEST(SubmittedLog, ReadsTheQsoLineOfEveryWriter) {
  const struct {
    const char* line;
    const char* kept;
  } cases[] = {
      // The plug-in's own lines, CW and SSB, foreign and Belgian, the province typed on.
      {"QSO: 14025 CW 2024-06-01 1200 DL1ABC        599 001 --     ON4AA         599 12 AN\r\n",
       "14025 CW 2024-06-01 1200 001 - ON4AA 12 AN"},
      {"QSO:  7012 PH 2024-02-29 2359 ON4AA         59  002 LG     F5XYZ         59  5 --\r\n",
       "7012 PH 2024-02-29 2359 002 LG F5XYZ 5 -"},
      {"QSO: 14025 CW 2024-06-01 1201 DL1ABC        599 002 --     ON4BB         599 12an\r\n",
       "14025 CW 2024-06-01 1201 002 - ON4BB 12 AN"},
      // Other loggers: no provinces, lower case, LF, a transmitter number, an X-QSO line.
      {"qso: 3510 cw 1999-12-31 0001 dl1abc 599 3 w1aw 599 44\n",
       "3510 CW 1999-12-31 0001 3 - W1AW 44 -"},
      {"QSO: 21010 CW 2024-06-01 0930 DL1ABC 599 4 ON5BB 599 7 lg 1\r\n",
       "21010 CW 2024-06-01 0930 4 - ON5BB 7 LG"},
      {"X-QSO: 28010 CW 2024-06-01 1000 DL1ABC 599 5 -- OE1XX 599 9 --\r\n",
       "28010 CW 2024-06-01 1000 5 - OE1XX 9 - X"},
  };
  for (const auto& example : cases) {
    std::string error;
    const auto log = readSubmittedLog(logWith(example.line), error);
    ASSERT_TRUE(log) << error;
    ASSERT_EQ(log->qsos.size(), 1u) << example.line;
    EXPECT_EQ(shown(log->qsos[0]), example.kept);
    EXPECT_EQ(log->qsos[0].line, 4);
    EXPECT_EQ(log->callsign, "DL1ABC");
    EXPECT_EQ(log->tags.back(), (std::pair<std::string, std::string>{"X-MINE", "kept"}));
  }
}

TEST(SubmittedLog, UnreadableLinesAreNamedAndUnreadableLogsRefused) {
  std::string error;
  const auto log =
      readSubmittedLog(logWith("QSO: 14025 CW 2024-06-01 1200 DL1ABC 599 001\r\n"
                               "QSO: abc CW 2024-06-01 1200 DL1ABC 599 1 W1AW 599 2\r\n"
                               "QSO: -7025 CW 2024-06-01 1200 DL1ABC 599 1 W1AW 599 2\r\n"
                               "QSO: 14025 CW 2024-02-30 1200 DL1ABC 599 1 W1AW 599 2\r\n"
                               "QSO: 14025 CW 2024-06-01 1200 DL1ABC 599 1 W1AW 599 2 AN X Y\r\n"),
                       error);
  ASSERT_TRUE(log) << error;
  EXPECT_TRUE(log->qsos.empty());
  EXPECT_EQ(log->unreadLines,
            (std::vector<std::pair<int, std::string>>{{4, "too few fields"},
                                                      {5, "no frequency"},
                                                      {6, "no frequency"},
                                                      {7, "no date and time"},
                                                      {8, "more fields than an exchange"}}));

  EXPECT_FALSE(readSubmittedLog("CALLSIGN: DL1ABC\nQSO: 14025 CW\n", error));
  EXPECT_EQ(error, "no START-OF-LOG line: not a Cabrillo log");
  EXPECT_FALSE(readSubmittedLog("START-OF-LOG: 2.0\nEND-OF-LOG:\n", error));
  EXPECT_EQ(error, "no CALLSIGN line");
}

}  // namespace
