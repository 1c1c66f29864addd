// The sample logs zrv-score scores when it is given no log, as committed: every record reads, and
// each log holds what its generator (tools/zrv-score/samples/make_sample_logs.cpp) means it to, so
// that a broken generator or a damaged file is caught. The calls are resolved with the installed
// country file of the package hamradio-files.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "core/rules/contest_rules.h"
#include "tests/support/scratch_folder.h"
#include "tools/zrv-score/adif_qso.h"
#include "tools/zrv-score/adif_reader.h"
#include "tools/zrv-score/country_file.h"

namespace zrv_score {
namespace {

struct SampleLog {
  const char* file;  // under tools/zrv-score/samples
  const char* ownCall;
  std::size_t records;
  bool belgian;
  std::set<std::string> modes;  // one leg for a sample, both for the test log
  std::size_t multipliers;      // at least: DXCC entities (Belgian), EU countries (other)
};

void PrintTo(const SampleLog& log, std::ostream* out) {
  *out << log.file;
}

// The file's bytes; a missing file fails the test.
std::string fileBytes(const std::string& path) {
  return stats_test::readBytes(path).value();
}

// The QSOs of a log, each with the fields the tests look at beside those of AdifQso.
struct LoggedQso {
  AdifQso qso;
  std::string stationCallsign;
  std::string stx;
};

std::vector<LoggedQso> readLog(const SampleLog& log, std::vector<AdifField>& header,
                               std::string& bytes) {
  bytes = fileBytes(std::string(ZRV_SAMPLES_DIR) + "/" + log.file);
  AdifReader reader(bytes);
  std::vector<LoggedQso> qsos;
  AdifRecord record;
  while (reader.next(record)) {
    EXPECT_TRUE(record.ok()) << "record " << record.number << ": " << record.problem;
    LoggedQso logged{qsoFromRecord(record), {}, {}};
    EXPECT_TRUE(logged.qso.ok()) << "record " << record.number << ": " << logged.qso.problem;
    if (const AdifField* field = record.find("STATION_CALLSIGN")) {
      logged.stationCallsign = field->value;
    }
    if (const AdifField* field = record.find("STX")) logged.stx = field->value;
    qsos.push_back(std::move(logged));
  }
  header = reader.headerFields();
  return qsos;
}

class SampleLogs : public testing::TestWithParam<SampleLog> {};

TEST_P(SampleLogs, HoldADayOfTheContestOnAllBandsInTheirLegs) {
  const SampleLog& log = GetParam();
  std::vector<AdifField> header;
  std::string bytes;
  const std::vector<LoggedQso> qsos = readLog(log, header, bytes);
  ASSERT_EQ(qsos.size(), log.records);
  std::map<std::string, std::string, std::less<>> headerValues;
  for (const AdifField& field : header) headerValues[std::string(field.name)] = field.value;
  EXPECT_EQ(headerValues["ADIF_VER"], "3.1.4");
  EXPECT_EQ(headerValues["PROGRAMID"], "zrv-sample-logs");

  std::set<std::string> bands;
  std::set<std::string> modes;
  std::size_t otherModes = 0;
  int lastSerial = 0;
  std::set<std::tuple<std::string, std::string, std::string>> worked;
  std::size_t dupes = 0;
  for (const LoggedQso& logged : qsos) {
    const AdifQso& qso = logged.qso;
    EXPECT_EQ(logged.stationCallsign, log.ownCall) << qso.call;
    EXPECT_GE(qso.oleDate, qsos.front().qso.oleDate) << qso.call << ": out of time order";
    EXPECT_LT(qso.oleDate - qsos.front().qso.oleDate, 1.0) << qso.call << ": after 24 hours";
    EXPECT_TRUE(stats::contestBandIndex(qso.band)) << qso.call << " on " << qso.band;
    // The sent serials count up by one over the QSOs that carry an exchange.
    if (!logged.stx.empty()) {
      EXPECT_EQ(std::stoi(logged.stx), ++lastSerial) << qso.call;
      EXPECT_EQ(std::stoi(qso.sentSerial), lastSerial) << qso.call;
    }
    if (!stats::isContestMode(qso.mode)) {
      ++otherModes;
      continue;
    }
    EXPECT_FALSE(qso.receivedExchange.empty()) << qso.call;
    bands.insert(qso.band);
    modes.insert(qso.mode);
    if (!worked.emplace(qso.call, qso.band, qso.mode).second) ++dupes;
  }
  EXPECT_EQ(bands.size(), stats::kContestBandCount);
  EXPECT_EQ(modes, log.modes);
  EXPECT_GT(otherModes, 0u);
  EXPECT_GT(dupes, 0u);
}

TEST_P(SampleLogs, CallsResolveAndBelgiansSendTheirProvince) {
  const SampleLog& log = GetParam();
  std::string error;
  const std::optional<CountryFile> countries =
      loadCountryFile(std::string(kDefaultCountryFilePath), error);
  ASSERT_TRUE(countries) << error << "; the Debian package hamradio-files installs it";
  EXPECT_EQ(countries->dxccPrefix(log.ownCall) == stats::kBelgiumPrefix, log.belgian);

  std::vector<AdifField> header;
  std::string bytes;
  const std::vector<LoggedQso> qsos = readLog(log, header, bytes);
  std::set<std::string> provinces;
  std::set<std::string> entities;
  std::set<std::string> euCountries;
  for (const LoggedQso& logged : qsos) {
    const AdifQso& qso = logged.qso;
    const std::string dxcc(countries->dxccPrefix(qso.call));
    EXPECT_FALSE(dxcc.empty()) << qso.call << " is in no entity";
    entities.insert(dxcc);
    if (stats::isEuropeanUnion(dxcc)) euCountries.insert(dxcc);
    if (qso.receivedExchange.empty()) continue;
    // A province closes the exchange of a Belgian station and of no other.
    const stats::ReceivedExchange received = stats::receivedExchange(qso.receivedExchange, dxcc);
    const bool endsWithLetter =
        std::isalpha(static_cast<unsigned char>(qso.receivedExchange.back()));
    EXPECT_EQ(endsWithLetter, dxcc == stats::kBelgiumPrefix)
        << qso.call << " (" << dxcc << ") sent " << qso.receivedExchange;
    if (!received.province.empty()) provinces.insert(received.province);
  }
  EXPECT_EQ(provinces.size(), stats::kBelgianProvinces.size());
  for (const std::string& province : provinces) {
    EXPECT_NE(std::find(stats::kBelgianProvinces.begin(), stats::kBelgianProvinces.end(), province),
              stats::kBelgianProvinces.end())
        << province;
  }
  // What each side counts as multipliers is there in numbers: DXCC entities for the Belgian
  // station, European-Union countries for the other.
  if (log.belgian) {
    EXPECT_GE(entities.size(), log.multipliers);
  } else {
    EXPECT_GE(euCountries.size(), log.multipliers);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Committed, SampleLogs,
    testing::Values(SampleLog{"foreign_station.adi", "DL2QZX", 2933, false, {"CW"}, 35},
                    SampleLog{"belgian_station.adi", "ON6QZV", 2140, true, {"SSB"}, 100},
                    SampleLog{"../../../tests/zrv-score/fixtures/both_legs.adi",
                              "PA3QZT",
                              995,
                              false,
                              {"CW", "SSB"},
                              30}),
    [](const testing::TestParamInfo<SampleLog>& info) {
      return info.param.modes.size() > 1 ? "BothLegs"
             : info.param.belgian        ? "BelgianStation"
                                         : "ForeignStation";
    });

}  // namespace
}  // namespace zrv_score
