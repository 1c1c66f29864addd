#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "tests/support/scratch_folder.h"
#include "tools/zrv-score/adif_reader.h"
#include "tools/zrv-score/adx_to_adif.h"
#include "tools/zrv-score/log_file.h"

namespace zrv_score {
namespace {

using Fields = std::vector<std::tuple<std::string, std::string, std::string>>;

Fields fieldsOf(const std::vector<AdifField>& fields) {
  Fields copied;
  for (const AdifField& field : fields) copied.emplace_back(field.name, field.value, field.type);
  return copied;
}

// The header first, then each record, every one read whole.
std::vector<Fields> readAdif(const std::string& adif) {
  AdifReader reader(adif);
  std::vector<Fields> log{fieldsOf(reader.headerFields())};
  for (AdifRecord record; reader.next(record);) {
    EXPECT_TRUE(record.ok()) << record.problem;
    log.push_back(fieldsOf(record.fields));
  }
  return log;
}

LogFile readFixture(const std::string& name) {
  std::string error;
  const auto log = readLogFile(std::string(ZRV_ADX_FIXTURES) + "/" + name, error);
  EXPECT_TRUE(log) << error;
  return log.value_or(LogFile{});
}

TEST(AdxLogFile, GivesTheRecordsAndFieldsOfItsAdiTwin) {
  const LogFile adx = readFixture("twin.adx");
  const LogFile adi = readFixture("twin.adi");
  EXPECT_TRUE(adx.adx);
  EXPECT_FALSE(adi.adx);
  const std::vector<Fields> expected = readAdif(adi.adif);
  ASSERT_EQ(expected.size(), 5u);  // the header and four QSOs
  EXPECT_EQ(readAdif(adx.adif), expected);
}

TEST(AdxLogFile, KeepsWhatTheXmlSaysInTheFirstRecord) {
  const struct {
    std::string xml;
    Fields fields;
  } cases[] = {
      {"<ADX><RECORDS><RECORD><NOTES>a<B>b</B>c</NOTES><QTH/></RECORD></RECORDS></ADX>",
       {{"NOTES", "abc", ""}, {"QTH", "", ""}}},
      {"<ADX><RECORDS><RECORD><NOTES><![CDATA[<EOR> & <CALL:1>X]]></NOTES></RECORD></RECORDS>"
       "</ADX>",
       {{"NOTES", "<EOR> & <CALL:1>X", ""}}},
      {"<adx><record><APP PROGRAMID='X' FIELDNAME='a:b&gt;' TYPE='?'>v</APP></record></adx>",
       {{"APP_X_a_b_", "v", ""}}},
      {"<!DOCTYPE ADX [<!ENTITY me 'DL1TST'>]><ADX><RECORDS><RECORD><OPERATOR>&me;</OPERATOR>"
       "</RECORD></RECORDS></ADX>",
       {{"OPERATOR", "DL1TST", ""}}},
  };
  for (const auto& test : cases) {
    std::string error;
    const auto adif = adxToAdif(test.xml, error);
    ASSERT_TRUE(adif) << test.xml << ": " << error;
    const std::vector<Fields> log = readAdif(*adif);
    ASSERT_EQ(log.size(), 2u) << *adif;
    EXPECT_EQ(log[1], test.fields) << test.xml;
  }
}

TEST(AdxLogFile, TellsAdxFromAdiByContent) {
  const struct {
    std::string bytes;
    bool adx;
    std::string adif;  // what an ADI file gives
  } cases[] = {
      {"\xEF\xBB\xBF<CALL:4>K1AB<EOR>", false, "<CALL:4>K1AB<EOR>"},
      {"<ADX:3>abc<CALL:4>K1AB<EOR>", false, "<ADX:3>abc<CALL:4>K1AB<EOR>"},
      {"<?xml-stylesheet href='a'?>", false, "<?xml-stylesheet href='a'?>"},
      {"\xEF\xBB\xBF\r\n <ADX><RECORDS/></ADX>", true, ""},
  };
  const stats_test::ScratchFolder folder({.pluginsFolder = false, .makeCurrent = false});
  for (const auto& test : cases) {
    folder.writeFile("log", test.bytes);
    std::string error;
    const auto log = readLogFile((folder.path() / "log").string(), error);
    ASSERT_TRUE(log) << test.bytes << ": " << error;
    EXPECT_EQ(log->adx, test.adx) << test.bytes;
    if (!test.adx) {
      EXPECT_EQ(log->adif, test.adif);
    }
  }
}

TEST(AdxLogFile, RefusesWhatGivesNoLog) {
  const struct {
    std::string bytes;  // empty: a folder
    std::string reason;
  } cases[] = {
      {"", "is a folder, not a log file"},
      {"<?xml version='1.0'?>\n<ADX>\n<RECORDS>\n<RECORD><CALL>K1A</RECORD>",
       "not well-formed XML at line 4, column 20: mismatched tag"},
      {"<?xml version='1.0'?><LOG/>", "its root element is <LOG>, not <ADX>"},
  };
  const stats_test::ScratchFolder folder({.pluginsFolder = false, .makeCurrent = false});
  for (const auto& test : cases) {
    const auto path = folder.path() / "log";
    std::filesystem::remove_all(path);
    if (test.bytes.empty()) std::filesystem::create_directory(path);
    if (!test.bytes.empty()) folder.writeFile("log", test.bytes);
    std::string error;
    EXPECT_FALSE(readLogFile(path.string(), error));
    EXPECT_NE(error.find(test.reason), std::string::npos) << error;
  }
}

}  // namespace
}  // namespace zrv_score
