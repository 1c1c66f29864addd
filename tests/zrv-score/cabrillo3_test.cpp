// The 3.0 file made from a file the plug-in core's own writer makes, with the header settings kept
// in memory: the header against Cabrillo 3.0's tag list, the QSO lines as the plug-in's.
#include "tools/zrv-score/cabrillo3.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <sstream>
#include <string>

#include "core/cabrillo/cabrillo_header_settings.h"
#include "core/cabrillo/cabrillo_writer.h"
#include "tests/support/fakes.h"
#include "tools/zrv-score/version.h"

namespace {

// Cabrillo 3.0's header tags in the order of the file, as TAG=WORD,WORD (no words: free text).
// ON3 is the contest's own overlay.
constexpr char kTagList[] = R"(START-OF-LOG=3.0 CREATED-BY CONTEST=ZRV-DX-CW,ZRV-DX-SSB CALLSIGN
  CATEGORY-OPERATOR=SINGLE-OP,MULTI-OP,CHECKLOG CATEGORY-BAND=ALL,160M,80M,40M,20M,15M,10M,6M,2M
  CATEGORY-POWER=HIGH,LOW,QRP CATEGORY-MODE=CW,DIGI,FM,RTTY,SSB,MIXED
  CATEGORY-ASSISTED=ASSISTED,NON-ASSISTED CATEGORY-TRANSMITTER=ONE,TWO,LIMITED,UNLIMITED,SWL
  CATEGORY-STATION=DISTRIBUTED,FIXED,MOBILE,PORTABLE,ROVER,ROVER-LIMITED,ROVER-UNLIMITED,EXPEDITION,HQ,SCHOOL,EXPLORER
  CATEGORY-TIME=6-HOURS,8-HOURS,12-HOURS,24-HOURS
  CATEGORY-OVERLAY=CLASSIC,ROOKIE,TB-WIRES,YOUTH,NOVICE-TECH,OVER-50,ON3 CLAIMED-SCORE OPERATORS
  NAME EMAIL CLUB ADDRESS ADDRESS-CITY ADDRESS-STATE-PROVINCE ADDRESS-POSTALCODE ADDRESS-COUNTRY
  SOAPBOX)";

// A header of those tags in that order, each with one of its words or a non-empty free text.
std::regex headerPattern() {
  std::istringstream tags(kTagList);
  std::string pattern;
  for (std::string entry; tags >> entry;) {
    const size_t equals = entry.find('=');
    std::string words = equals == std::string::npos ? "[^\r\n]+" : entry.substr(equals + 1);
    std::replace(words.begin(), words.end(), ',', '|');
    pattern += "(" + entry.substr(0, equals) + ": (" + words + ")\r\n)*";
  }
  return std::regex(pattern);
}

// The plug-in's file for a CW-leg export with the settings "KEY=VALUE|...", and its 3.0 form.
std::pair<std::string, zrv_score::Cabrillo3Log> make(const std::string& values) {
  stats_test::FakeProfile profile;
  std::istringstream pairs(values);
  for (std::string pair; std::getline(pairs, pair, '|');) {
    profile.values[pair.substr(0, pair.find('='))] = pair.substr(pair.find('=') + 1);
  }
  profile.values["Mode"] = "CW";
  const stats::Settings settings(profile);
  stats::CabrilloState header;
  stats::loadCabrilloHeader(header, settings, "ON4ABC/P");
  stats::keepCancelledCabrilloHeader(header);
  const COleDateTime time{46000.5, COleDateTimeValid};
  stats::AddCabrilloQso(header, 1, "DL1AA", 14025, "CW", time, "001 LG", "001");
  stats::AddCabrilloQso(header, 1, "K1ABCDEFGHIJKLM", 144300, "??", time, "002 LG", "017 x");
  std::string plugin = stats::cabrilloFileText(header, 1, 1, 1234);
  return {plugin, zrv_score::cabrillo3Log(plugin, settings, true, zrv_score::kZrvScoreVersion)};
}

TEST(Cabrillo3, HeaderFromSettingsQsoLinesFromPluginFile) {
  const std::regex fixedLines(
      "(START-OF-LOG|CREATED-BY|CONTEST|CALLSIGN|CATEGORY-(BAND|POWER|MODE|ASSISTED|STATION)|"
      "CLAIMED-SCORE|OPERATORS): [^|]*\\|");
  const struct {
    std::string settings;
    bool whole;          // false: the header without the lines of `fixedLines`
    std::string header;  // its lines, each ended by "|"
    size_t notes;
  } kCases[] = {
      {"Operators=ON4ABC ON4XYZ|Name=Jan|Email=jan@example.org|Club=UBA|Address=Kerkstraat 1|"
       "Address_City=Gent|Address_St_Prov=OVL|Address_PostalCode=9000|Address_Country=Belgium|"
       "SoapBox=Great fun<CR><LF><CR><LF>73|Category=multi-one",
       true,
       "START-OF-LOG: 3.0|CREATED-BY: zrv-score " + std::string(zrv_score::kZrvScoreVersion) +
           "|CONTEST: ZRV-DX-CW|CALLSIGN: ON4ABC/P|CATEGORY-OPERATOR: MULTI-OP|CATEGORY-BAND: ALL|"
           "CATEGORY-POWER: HIGH|CATEGORY-MODE: CW|CATEGORY-ASSISTED: NON-ASSISTED|"
           "CATEGORY-TRANSMITTER: ONE|CATEGORY-STATION: FIXED|CLAIMED-SCORE: 1234|"
           "OPERATORS: ON4ABC ON4XYZ|NAME: Jan|EMAIL: jan@example.org|CLUB: UBA|"
           "ADDRESS: Kerkstraat 1|ADDRESS-CITY: Gent|ADDRESS-STATE-PROVINCE: OVL|"
           "ADDRESS-POSTALCODE: 9000|ADDRESS-COUNTRY: Belgium|SOAPBOX: Great fun|SOAPBOX: 73|",
       0},
      {"", false, "CATEGORY-OPERATOR: SINGLE-OP|CATEGORY-TRANSMITTER: ONE|", 0},
      {"Category=CHECKLOG|Category_Overlay=12-HOURS|Name=Jan|Email=", false,
       "CATEGORY-OPERATOR: CHECKLOG|CATEGORY-TRANSMITTER: ONE|CATEGORY-TIME: 12-HOURS|NAME: Jan|",
       0},
      {"Category_Overlay=ON3|SoapBox=<CR><LF>x", false,
       "CATEGORY-OPERATOR: SINGLE-OP|CATEGORY-TRANSMITTER: ONE|CATEGORY-OVERLAY: ON3|SOAPBOX: x|",
       0},
      {"Category=MULTI-TWO|Category_Overlay=OVER-70", false, "CATEGORY-TRANSMITTER: ONE|", 2},
  };
  for (const auto& test : kCases) {
    const auto [plugin, log] = make(test.settings);
    const size_t qsos = log.text.find("QSO: ");
    EXPECT_EQ(log.text.substr(qsos), plugin.substr(plugin.find("QSO: ")));
    EXPECT_TRUE(std::regex_match(log.text.substr(0, qsos), headerPattern())) << log.text;
    const std::string header = stats::ReplaceAll(log.text.substr(0, qsos), "\r\n", "|");
    EXPECT_EQ(test.whole ? header : std::regex_replace(header, fixedLines, ""), test.header);
    EXPECT_EQ(log.notes.size(), test.notes) << log.text;
  }
}

TEST(Cabrillo3, NotAPluginFileIsReported) {
  const std::string plugin = make("").first;
  stats_test::FakeProfile profile;
  for (const std::string& input :
       {std::string(), std::string("\0\xff\n\n", 4), plugin.substr(plugin.find("QSO: ")),
        plugin.substr(0, plugin.find("END-OF-LOG")),
        std::string(plugin).insert(plugin.find("END-OF-LOG"), "NAME: x\r\n")}) {
    const auto log = zrv_score::cabrillo3Log(input, stats::Settings(profile), true, "1");
    EXPECT_TRUE(log.text.empty() && !log.error.empty()) << input;
  }
}

}  // namespace
