#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "core/log/ole_date_time.h"
#include "tests/support/scratch_folder.h"
#include "tools/zrv-score/adif_qso.h"
#include "tools/zrv-score/adif_reader.h"
#include "tools/zrv-score/qso_selection.h"

namespace zrv_score {
namespace {

std::string fixturePath(const std::string& name) {
  return std::string(ZRV_ADIF_FIXTURES) + "/" + name;
}

// The file's bytes; a missing file fails the test.
std::string fileBytes(const std::string& path) {
  return stats_test::readBytes(path).value();
}

// Every record of the bytes, which must outlive the result (its fields are views into them).
struct Log {
  std::vector<AdifField> header;
  std::string headerNotice;
  std::vector<AdifRecord> records;
  std::vector<std::size_t> ends;  // where reading stood after each record
  std::size_t recordsStart = 0;
};

Log readLog(std::string_view bytes) {
  AdifReader reader(bytes);
  Log log{reader.headerFields(), reader.headerNotice(), {}, {}, reader.position()};
  AdifRecord record;
  while (reader.next(record)) {
    log.records.push_back(record);
    log.ends.push_back(reader.position());
  }
  EXPECT_TRUE(record.fields.empty() && record.problem.empty());
  return log;
}

std::string fieldValue(const AdifRecord& record, std::string_view name) {
  const AdifField* field = record.find(name);
  return field ? std::string(field->value) : "<none>";
}

// ---- The reader

TEST(AdifReader, ReadsTheFixturesRecordByRecord) {
  const struct {
    std::string file;
    std::size_t headerFields;
    // The call of each record read whole, or "!" and a part of the problem it reports.
    std::vector<std::string> records;
  } cases[] = {
      {"header_crlf.adi", 3, {"DL1ABC", "F5XYZ", "ON4AAA"}},
      {"no_header_lf.adi", 0, {"G4ABC", "SP9XYZ", "OK1AB"}},
      {"missing_fields.adi",
       2,
       {"PA3AAA", "<none>", "PA3CCC", "PA3DDD", "PA3EEE", "PA3FFF", "PA3GGG", "PA3HHH"}},
      {"cut_off_before_eor.adi",
       1,
       {"HB9AAA", "HB9BBB", "!the file ends before the record's <EOR>"}},
      {"length_past_end.adi",
       0,
       {"EA1AAA",
        "!field TIME_ON at byte 110 declares 4 bytes, past the end of the file (2 bytes"}},
      {"malformed_tags.adi",
       0,
       {"I1AAA", "!malformed tag <QSO_DATE:eight> at byte 88: its length is not a number",
        "!malformed tag <RST_SENT> at byte 181: it gives no length",
        "!malformed tag <TIME_ON 1403  at byte 213: no '>' closes it", "I1EEE"}},
  };
  for (const auto& test : cases) {
    SCOPED_TRACE(test.file);
    const std::string bytes = fileBytes(fixturePath(test.file));
    const Log log = readLog(bytes);
    EXPECT_EQ(log.header.size(), test.headerFields);
    EXPECT_EQ(log.headerNotice, "");
    ASSERT_EQ(log.records.size(), test.records.size());
    for (std::size_t i = 0; i < test.records.size(); ++i) {
      const AdifRecord& record = log.records[i];
      EXPECT_EQ(record.number, i + 1);
      if (test.records[i].starts_with('!')) {
        EXPECT_NE(record.problem.find(test.records[i].substr(1)), std::string::npos)
            << "record " << i + 1 << ": " << record.problem;
      } else {
        EXPECT_EQ(record.problem, "") << "record " << i + 1;
        EXPECT_EQ(fieldValue(record, "CALL"), test.records[i]) << "record " << i + 1;
      }
    }
  }
}

TEST(AdifReader, TakesValuesByTheirLengthWhateverBytesTheyHold) {
  const std::string bytes = fileBytes(fixturePath("no_header_lf.adi"));
  const Log log = readLog(bytes);
  ASSERT_EQ(log.records.size(), 3u);
  EXPECT_EQ(fieldValue(log.records[0], "COMMENT"), "rig <IC-7300> <EOR> said \"<CALL:5>X\"");
  EXPECT_EQ(fieldValue(log.records[1], "address"), "line one\r\nline two\nline three<");
  EXPECT_EQ(fieldValue(log.records[1], "NAME"), "Krak\xC3\xB3w");
  EXPECT_EQ(fieldValue(log.records[2], "QTH"), "  Esch  ");
  EXPECT_EQ(fieldValue(log.records[2], "APP_X_EMPTY"), "");
  EXPECT_EQ(log.records[2].fields.size(), 9u);

  const std::string withTypes = fileBytes(fixturePath("header_crlf.adi"));
  const Log typed = readLog(withTypes);
  ASSERT_EQ(typed.records.size(), 3u);
  const AdifField* frequency = typed.records[0].find("freq");
  ASSERT_NE(frequency, nullptr);
  EXPECT_EQ(frequency->name, "FREQ");
  EXPECT_EQ(frequency->value, "14.025");
  EXPECT_EQ(frequency->type, "N");
  EXPECT_EQ(typed.records[0].find("MODE")->type, "");
  EXPECT_EQ(typed.header[2].name, "USERDEF1");
  EXPECT_EQ(typed.header[2].value, "RUN");
}

TEST(AdifReader, HeadersMarkersAndMalformedTags) {
  // Records summed up as "CALL" for one read whole, "!" for one with a problem.
  const struct {
    std::string input;
    std::vector<std::string> records;
    std::string problem;  // part of the first problem
    bool headerNotice = false;
  } cases[] = {
      {"", {}, ""},
      {"<EOR>\n<eor>", {}, ""},
      {"text only, no tags\n", {}, "", true},
      {"log of ON4XYZ\n<CALL:2>AA<EOR><CALL:2>BB<EOR>", {"AA", "BB"}, "", true},
      {"see <http://example> for more\n<EOH><CALL:2>AA<EOR>", {"AA"}, ""},
      {"<ADIF_VER:5>3.1.0<eoh><CALL:2>AA<EOR>", {"AA"}, ""},
      {"<CALL:2>AA<EOR:0><CALL:3:>BBB<EOR>", {"AA", "BBB"}, ""},
      {"<CALL:2:S>AA<EOR>\n<CALL:2>BB<EOR>trailing text", {"AA", "BB"}, ""},
      // A second header, and markers outside records, are not records.
      {"<CALL:2>AA<EOR>text<ADIF_VER:5>3.1.0<EOH><CALL:2>BB<EOR><EOF>", {"AA", "BB"}, ""},
      {"<CALL:2>AA<EOR><APP_X_EOF>\n", {"AA"}, ""},
      // Inside a record they still break it.
      {"<CALL:2>XX<EOR><CALL:2>AA<EOH><CALL:2>BB<EOR>", {"XX", "!", "BB"}, "an <EOH> at byte"},
      {"<CALL:2>AA<EOF><EOR>", {"!"}, "it gives no length"},
      {"<CALL:2>AA<EOR><", {"AA", "!"}, "no '>' closes it"},
      {"<CALL:2>AA<EOR>< CALL:2>BB<EOR><:2>CC<EOR>", {"AA", "!", "!"}, "the field name is empty"},
      {"<CALL:2:S:X>AA<EOR>", {"!"}, "its data type holds a character"},
      {"<CALL:99999999999999999999999999>AA<EOR>",
       {"!"},
       "past the end of the file (7 bytes left)"},
      {"<CALL:2>\x01\x7F<CA\nLL:2>AA<EOR>", {"!"}, "malformed tag <CA\\x0ALL:2> at byte 10"},
  };
  for (const auto& test : cases) {
    SCOPED_TRACE(test.input);
    const Log log = readLog(test.input);
    std::vector<std::string> summary;
    std::string firstProblem;
    for (const AdifRecord& record : log.records) {
      summary.push_back(record.ok() ? fieldValue(record, "CALL") : "!");
      if (firstProblem.empty()) firstProblem = record.problem;
    }
    EXPECT_EQ(summary, test.records);
    if (test.problem.empty()) {
      EXPECT_EQ(firstProblem, "");
    } else {
      EXPECT_NE(firstProblem.find(test.problem), std::string::npos) << firstProblem;
    }
    EXPECT_EQ(!log.headerNotice.empty(), test.headerNotice) << log.headerNotice;
  }
}

// A file cut anywhere keeps every record that ended before the cut, and, when the cut falls
// inside a record, reports that one as its last. The cut copy is exactly as long as the cut, so
// that a sanitizer build catches any read past it.
TEST(AdifReader, AFileCutAnywhereKeepsTheRecordsBeforeTheCut) {
  for (const char* file : {"header_crlf.adi", "no_header_lf.adi", "missing_fields.adi"}) {
    SCOPED_TRACE(file);
    const std::string bytes = fileBytes(fixturePath(file));
    const Log whole = readLog(bytes);
    for (std::size_t cut = 0; cut < bytes.size(); ++cut) {
      const std::vector<char> prefix(bytes.begin(), bytes.begin() + static_cast<long>(cut));
      const Log log = readLog(std::string_view(prefix.data(), prefix.size()));
      std::size_t complete = 0;
      bool insideRecord = false;
      for (std::size_t i = 0; i < whole.records.size(); ++i) {
        if (whole.ends[i] <= cut) ++complete;
        if (whole.records[i].offset < cut && cut < whole.ends[i]) insideRecord = true;
      }
      ASSERT_GE(log.records.size(), complete) << "cut at " << cut;
      for (std::size_t i = 0; i < complete; ++i) {
        EXPECT_TRUE(log.records[i].ok()) << "cut at " << cut;
        EXPECT_EQ(log.records[i].fields.size(), whole.records[i].fields.size()) << "cut at " << cut;
        EXPECT_EQ(fieldValue(log.records[i], "CALL"), fieldValue(whole.records[i], "CALL"));
      }
      if (cut < whole.recordsStart) continue;  // the header is cut: its fields are no record
      EXPECT_EQ(log.records.size(), complete + (insideRecord ? 1 : 0)) << "cut at " << cut;
      if (insideRecord) {
        EXPECT_FALSE(log.records.back().ok()) << "cut at " << cut;
      }
    }
  }
}

// ---- From a record to the QSO

AdifQso qsoOf(std::string_view adif) {
  AdifReader reader(adif);
  AdifRecord record;
  EXPECT_TRUE(reader.next(record)) << adif;
  return qsoFromRecord(record);
}

std::string field(std::string_view name, std::string_view value) {
  return "<" + std::string(name) + ":" + std::to_string(value.size()) + ">" + std::string(value);
}

// A record with a call, date and time, and the given fields.
std::string recordWith(const std::string& fields, std::string_view date = "20240302",
                       std::string_view time = "1200") {
  return field("CALL", "DL1ABC") + field("QSO_DATE", date) + field("TIME_ON", time) + fields +
         "<EOR>";
}

TEST(AdifQso, MapsTheFieldsTheToolHandsOver) {
  const struct {
    std::string fields;
    unsigned int hz;
    std::string band, mode;
    std::string sent = "", received = "";
    FrequencySource source = FrequencySource::freq;
  } cases[] = {
      {field("FREQ", "14.025") + field("BAND", "20M") + field("MODE", "CW"), 14025000, "20m", "CW"},
      {field("FREQ", "3.5255"), 3525500, "80m", ""},
      {field("FREQ", "0007") + field("MODE", "cw"), 7000000, "40m", "CW"},
      {field("FREQ", "14.0250005"), 14025001, "20m", ""},
      {field("FREQ", "14.02500049999"), 14025000, "20m", ""},
      {field("FREQ", "4294.967295"), 4294967295u, "", ""},
      {field("FREQ", "1.8"), 1800000, "160m", ""},
      {field("FREQ", "29.7"), 29700000, "10m", ""},
      {field("FREQ", "29.7001"), 29700100, "", ""},
      {field("FREQ", "14.3501"), 14350100, "", ""},
      {field("FREQ", "21.45"), 21450000, "15m", ""},
      // No FREQ: the band's lowest frequency. FREQ in kHz or Hz: converted where it lands in the
      // band. A FREQ outside BAND's contest band: BAND decides.
      {field("BAND", "160M") + field("MODE", "Usb"), 1800000, "160m", "SSB", "", "",
       FrequencySource::bandEdge},
      {field("FREQ", "14200"), 14200000, "20m", "", "", "", FrequencySource::converted},
      {field("FREQ", "7025500") + field("BAND", "40M"), 7025500, "40m", "", "", "",
       FrequencySource::converted},
      {field("FREQ", "3,5") + field("BAND", "80m"), 3500000, "80m", "", "", "",
       FrequencySource::overruled},
      {field("BAND", "30m") + field("FREQ", "10.1"), 10100000, "30m", ""},
      {field("FREQ", "10368.1"), 4294967295u, "", ""},
      {field("BAND", "70CM") + field("FREQ", "432.2"), 432200000, "70cm", ""},
      {field("BAND", "20m") + field("FREQ", "7.01"), 14000000, "20m", "", "", "",
       FrequencySource::overruled},
      {field("MODE", "SSB") + field("SUBMODE", "USB"), 0, "", "SSB"},
      {field("MODE", "lsb"), 0, "", "SSB"},
      {field("MODE", "rtty"), 0, "", "rtty"},
      {field("STX", "7") + field("STX_STRING", "007") + field("SRX", "12") +
           field("SRX_STRING", "012 AN"),
       0, "", "", "007", "012 AN"},
      // Serials as the logger hands them over: three digits at least.
      {field("STX_STRING", "") + field("STX", "7") + field("SRX", " 12\r\n"), 0, "", "", "007",
       "12"},
      {field("STX", "48") + field("SRX", "5"), 0, "", "", "048", "5"},
      {field("STX_STRING", "1234") + field("SRX", "5"), 0, "", "", "1234", "5"},
      {field("STX_STRING", "12 LG") + field("SRX", "5"), 0, "", "", "12 LG", "5"},
  };
  for (const auto& test : cases) {
    SCOPED_TRACE(test.fields);
    const AdifQso qso = qsoOf(recordWith(test.fields));
    EXPECT_EQ(qso.problem, "");
    EXPECT_EQ(qso.call, "DL1ABC");
    EXPECT_EQ(qso.frequencyHz, test.hz);
    EXPECT_EQ(qso.band, test.band);
    EXPECT_EQ(qso.mode, test.mode);
    EXPECT_EQ(qso.sentSerial, test.sent);
    EXPECT_EQ(qso.receivedExchange, test.received);
    EXPECT_EQ(qso.frequencySource, test.source);
  }

  const AdifQso trimmed =
      qsoOf(field("CALL", " ON4XYZ\r\n") + field("QSO_DATE", "20240302") +
            field("TIME_ON", "1200") + field("PFX", "ON4") + field("CALL", "ON4XYZ") + "<EOR>");
  EXPECT_EQ(trimmed.problem, "");
  EXPECT_EQ(trimmed.call, "ON4XYZ");
  EXPECT_EQ(trimmed.prefix, "ON4");
}

TEST(BandPlan, EachContestBandHoldsItsEdgesAndNothingBeyond) {
  const struct {
    std::uint64_t lowHz, highHz;
    std::string band;
  } bands[] = {{1800000, 2000000, "160m"},  {3500000, 4000000, "80m"},
               {7000000, 7300000, "40m"},   {14000000, 14350000, "20m"},
               {21000000, 21450000, "15m"}, {28000000, 29700000, "10m"}};
  for (const auto& test : bands) {
    EXPECT_EQ(contestBandOf(test.lowHz), test.band);
    EXPECT_EQ(contestBandOf(test.highHz), test.band);
    EXPECT_EQ(contestBandOf(test.lowHz - 1), "") << test.band;
    EXPECT_EQ(contestBandOf(test.highHz + 1), "") << test.band;
    EXPECT_EQ(bandEdgeHz(test.band), test.lowHz);
  }
  EXPECT_EQ(contestBandOf(7250000), "40m");
}

TEST(QsoSelection, ThePeriodGivenOnTheCommandLineIsInclusive) {
  const struct {
    const char* text;
    bool end;
    const char* date;  // as oleDateOf takes it; nullptr: refused
    const char* time;
  } kCases[] = {
      {"2026-03-07 12:00", false, "20260307", "120000"},
      {"2026-03-07T12:00:30", false, "20260307", "120030"},
      {"20260307 1200", true, "20260307", "120059"},
      {"2026-03-08", true, "20260308", "235959"},
      {"2026-03-08", false, "20260308", "000000"},
      {"2026-03-07 12:0", false, nullptr, nullptr},
      {"2026-13-07", false, nullptr, nullptr},
      {"07-03-2026", false, nullptr, nullptr},
      {"2026-03-07x12:00", false, nullptr, nullptr},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.text);
    const std::optional<double> parsed = parseUtcDateTime(row.text, row.end);
    if (row.date == nullptr) {
      EXPECT_FALSE(parsed);
    } else {
      EXPECT_EQ(parsed, oleDateOf(row.date, row.time));
    }
  }
}

TEST(AdifQso, DatesFollowThePluginsOleConvention) {
  const AdifQso anchor = qsoOf(recordWith("", "20240302", "1200"));
  EXPECT_TRUE(anchor.dateValid);
  EXPECT_EQ(anchor.oleDate, 45353.5);  // 2024-01-01 is day 45292

  const struct {
    std::string date, time, shown;
  } cases[] = {
      {"19300101", "0000", "19300101 000000"}, {"20000229", "235959", "20000229 235959"},
      {"20240302", "0001", "20240302 000100"}, {"21001231", "120030", "21001231 120030"},
      {"99991231", "2359", "99991231 235900"},
  };
  for (const auto& test : cases) {
    const AdifQso qso = qsoOf(recordWith("", test.date, test.time));
    ASSERT_TRUE(qso.dateValid) << test.date << " " << qso.problem;
    EXPECT_EQ(stats::formatDateTime(COleDateTime{qso.oleDate, COleDateTimeValid}, "%Y%m%d %H%M%S"),
              test.shown);
  }
}

TEST(AdifQso, ReportsWhyARecordGivesNoQso) {
  const struct {
    std::string adif;
    std::string problem;
  } cases[] = {
      {field("QSO_DATE", "20240302") + field("TIME_ON", "1200") + "<EOR>", "no CALL"},
      {field("CALL", "  ") + field("QSO_DATE", "20240302") + field("TIME_ON", "1200") + "<EOR>",
       "no CALL"},
      {field("CALL", "DL1ABC") + field("TIME_ON", "1200") + "<EOR>", "no QSO_DATE"},
      {field("CALL", "DL1ABC") + field("QSO_DATE", "20240302") + "<EOR>", "no TIME_ON"},
      {field("QSO_DATE", "20240302") + "<EOR>", "no CALL; no TIME_ON"},
      {recordWith("", "20240230"), "QSO_DATE '20240230' is not a date"},
      {recordWith("", "20230229"), "QSO_DATE '20230229' is not a date"},
      {recordWith("", "19291231"), "QSO_DATE '19291231' is not a date"},
      {recordWith("", "2024-03-02"), "QSO_DATE '2024-03-02' is not a date"},
      {recordWith("", "20241301"), "QSO_DATE '20241301' is not a date"},
      {recordWith("", "20240302", "2400"), "TIME_ON '2400' is not a time"},
      {recordWith("", "20240302", "1260"), "TIME_ON '1260' is not a time"},
      {recordWith("", "20240302", "120060"), "TIME_ON '120060' is not a time"},
      {recordWith("", "20240302", "12000"), "TIME_ON '12000' is not a time"},
      {recordWith(field("FREQ", "3,525")), "FREQ '3,525' is not a frequency"},
      {recordWith(field("FREQ", "14.0.2")), "FREQ '14.0.2' is not a frequency"},
      {recordWith(field("FREQ", "-14")), "FREQ '-14' is not a frequency"},
      {recordWith(field("FREQ", "1e1")), "FREQ '1e1' is not a frequency"},
      {recordWith(field("FREQ", ".")), "FREQ '.' is not a frequency"},
      {recordWith(field("FREQ", "1234567890123")), "FREQ '1234567890123' is not a frequency"},
      {recordWith(field("FREQ", "x") + field("BAND", "6m")), "FREQ 'x' is not a frequency"},
      {recordWith(field("call", "DL2XYZ")), "two CALL fields, 'DL1ABC' and 'DL2XYZ'"},
      {recordWith("<TIME_ON:x>"), "malformed tag <TIME_ON:x>"},
  };
  for (const auto& test : cases) {
    SCOPED_TRACE(test.adif);
    const AdifQso qso = qsoOf(test.adif);
    EXPECT_FALSE(qso.ok());
    EXPECT_FALSE(qso.dateValid);
    EXPECT_NE(qso.problem.find(test.problem), std::string::npos) << qso.problem;
  }
}

// ---- Against adif-parser-ts

struct OtherReading {
  std::string error;
  std::map<std::string, std::string> header;
  std::vector<std::map<std::string, std::string>> records;
};

std::string unescaped(std::string_view text) {
  std::string value;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 == text.size()) {
      value += text[i];
      continue;
    }
    const char c = text[++i];
    value += c == 't' ? '\t' : c == 'r' ? '\r' : c == 'n' ? '\n' : c;
  }
  return value;
}

// Runs the node script and parses its lines (see adif_parser_ts_dump.js); false when node could
// not run it.
bool readWithAdifParserTs(const std::vector<std::string>& files,
                          std::map<std::string, OtherReading>& readings) {
  std::string command =
      std::string("node '") + ZRV_ADIF_NODE_SCRIPT + "' '" + ZRV_NODE_MODULES + "'";
  for (const std::string& file : files) command += " '" + fixturePath(file) + "'";
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return false;
  std::string output;
  char buffer[4096];
  for (std::size_t read; (read = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
    output.append(buffer, read);
  if (pclose(pipe) != 0) return false;

  OtherReading* current = nullptr;
  std::istringstream lines(output);
  for (std::string line; std::getline(lines, line);) {
    std::vector<std::string> parts;
    std::istringstream columns(line);
    for (std::string part; std::getline(columns, part, '\t');) parts.push_back(part);
    if (parts.size() == 2 && parts[0] == "FILE") {
      current = &readings[parts[1].substr(parts[1].rfind('/') + 1)];
    } else if (current != nullptr && parts[0] == "ERROR") {
      current->error = line;
    } else if (current != nullptr && parts[0] == "RECORD") {
      current->records.emplace_back();
    } else if (current != nullptr && parts.size() >= 2 && parts[0] == "HEADER") {
      current->header[parts[1]] = unescaped(parts.size() > 2 ? parts[2] : "");
    } else if (current != nullptr && parts.size() >= 2 && parts[0] == "FIELD" &&
               !current->records.empty()) {
      current->records.back()[parts[1]] = unescaped(parts.size() > 2 ? parts[2] : "");
    } else {
      ADD_FAILURE() << "unexpected line from the node script: " << line;
    }
  }
  return true;
}

// Names upper-cased; the last of two same-named fields wins, as in the package's objects.
std::map<std::string, std::string> fieldMap(const std::vector<AdifField>& fields) {
  std::map<std::string, std::string> map;
  for (const AdifField& field : fields) {
    std::string name(field.name);
    for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    map[name] = field.value;
  }
  return map;
}

// Records both readers read whole must agree field for field. Where the package reads more or
// fewer records, or fails, our reader must have reported a problem at or before the record where
// the two part ways: the package takes a cut-off record as complete, stops reading without a word
// at a length that is not a number and fails on a tag with no length.
TEST(AdifReader, AgreesWithAdifParserTs) {
  if (std::system("node --version >/dev/null 2>&1") != 0) {
    GTEST_SKIP() << "node is not installed (scripts/setup installs it)";
  }
  if (!std::ifstream(std::string(ZRV_NODE_MODULES) + "/adif-parser-ts/package.json")) {
    GTEST_SKIP() << "adif-parser-ts is not installed in " << ZRV_NODE_MODULES
                 << " (scripts/setup installs it)";
  }
  const std::vector<std::string> files = {"header_crlf.adi",     "no_header_lf.adi",
                                          "missing_fields.adi",  "cut_off_before_eor.adi",
                                          "length_past_end.adi", "malformed_tags.adi"};
  std::map<std::string, OtherReading> readings;
  ASSERT_TRUE(readWithAdifParserTs(files, readings)) << "node could not run the script";

  for (const std::string& file : files) {
    SCOPED_TRACE(file);
    ASSERT_EQ(readings.count(file), 1u);
    const OtherReading& other = readings[file];
    const std::string bytes = fileBytes(fixturePath(file));
    const Log ours = readLog(bytes);
    std::size_t firstProblem = ours.records.size();
    for (std::size_t i = 0; i < ours.records.size(); ++i) {
      if (!ours.records[i].ok()) {
        firstProblem = i;
        break;
      }
    }
    if (!other.error.empty()) {
      EXPECT_LT(firstProblem, ours.records.size()) << other.error;
      continue;
    }
    EXPECT_EQ(fieldMap(ours.header), other.header);
    // Past a record read differently the two lists may no longer line up.
    std::size_t compared = ours.records.size();
    if (other.records.size() != ours.records.size()) {
      EXPECT_LT(firstProblem, std::min(other.records.size(), ours.records.size()));
      compared = std::min(firstProblem, other.records.size());
    }
    for (std::size_t i = 0; i < compared; ++i) {
      if (ours.records[i].ok()) {
        EXPECT_EQ(fieldMap(ours.records[i].fields), other.records[i]) << "record " << i + 1;
      }
    }
  }
}

}  // namespace
}  // namespace zrv_score
