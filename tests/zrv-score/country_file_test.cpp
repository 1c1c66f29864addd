// The country file: its format, what a damaged file keeps, and calls resolved with the installed
// file of the package hamradio-files.
#include "tools/zrv-score/country_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "core/rules/contest_rules.h"

namespace {

using zrv_score::CountryFile;
using zrv_score::Entity;

struct Resolution {
  const char* call;
  const char* dxccPrefix;
};

std::vector<std::string> names(const CountryFile& file) {
  std::vector<std::string> result;
  for (const Entity& entity : file.entities()) result.push_back(entity.name);
  return result;
}

// The installed country file, read once; null when it cannot be read.
const CountryFile* installed(std::string& message) {
  static std::string error;
  static const std::optional<CountryFile> file =
      zrv_score::loadCountryFile(std::string(zrv_score::kDefaultCountryFilePath), error);
  message = error + "; the Debian package hamradio-files installs it: run scripts/setup";
  return file ? &*file : nullptr;
}

TEST(CountryFile, ReadsTheFormat) {
  const CountryFile file = CountryFile::parse(
      "Belgium:                  14:  27:  EU:   50.70:    -4.85:    -1.0:  ON:\n"
      "    ON,OO,OP,OQ,OR,OS,OT,\n"
      "    =ON4ABC/LH;\n"
      "Sicily:                   15:  28:  EU:   37.50:   -14.00:    -1.0:  *IT9:\r\n"
      "    IT9,=IY9ABC/LH;\r\n"
      "Italy:                    15:  28:  EU:   42.82:   -12.58:    -1.0:  I:\r\n"
      "    I,=ON9ABC(15)[28]<42.0/-12.5>{EU}~-1.0~;\r\n"
      "Mount Athos:              20:  28:  EU:   40.00:   -24.00:    -2.0:  SV/a:\n"
      "    =SV2ASP,=SV2ASP/P;\n");
  EXPECT_TRUE(file.problems().empty()) << file.problems().front();
  // The award-only entity is not among the DXCC entities.
  EXPECT_EQ(names(file), (std::vector<std::string>{"Belgium", "Italy", "Mount Athos"}));
  const Entity& belgium = file.entities().front();
  EXPECT_EQ(belgium.cqZone, 14);
  EXPECT_EQ(belgium.ituZone, 27);
  EXPECT_EQ(belgium.continent, "EU");
  EXPECT_DOUBLE_EQ(belgium.latitude, 50.70);
  EXPECT_DOUBLE_EQ(belgium.longitude, -4.85);
  EXPECT_DOUBLE_EQ(belgium.utcOffset, -1.0);
  EXPECT_EQ(belgium.primaryPrefix, "ON");
  EXPECT_EQ(file.entities().back().primaryPrefix, "SV/a");
  for (const Resolution& r : {
           Resolution{"OT6X", "ON"},
           Resolution{"ON4ABC/LH", "ON"},
           Resolution{"ON9ABC", "I"},  // listed whole, overrides skipped
           Resolution{"IT9XYZ", "I"},  // Sicily, no DXCC entity, captures nothing
           Resolution{"IY9ABC/LH", "I"},
           Resolution{"sv2asp/p", "SY"},  // the plug-in's spelling of Mount Athos
           Resolution{"SV2ASP/QRP", "SY"},
           Resolution{"SV2ABC", ""},
       }) {
    EXPECT_EQ(file.dxccPrefix(r.call), r.dxccPrefix) << r.call;
  }
}

TEST(CountryFile, DamagedTextKeepsWhatIsSound) {
  const std::string belgium = "Belgium: 14: 27: EU: 50.70: -4.85: -1.0: ON:\n    ON,OT;\n";
  const std::string germany = "Fed. Rep. of Germany: 14: 28: EU: 51.00: -10.00: -1.0: DL:\n";
  struct Case {
    std::string text;
    std::vector<std::string> entities;
    std::vector<Resolution> resolutions;
    const char* problem;  // in the first problem
    std::size_t problemCount = 1;
  };
  const std::vector<Case> cases = {
      {"Germany: 14: 28: EU: 51.00: -1.0: DL:\n    DL;\n" + belgium,
       {"Belgium"},
       {{"DL1ABC", ""}, {"OT6X", "ON"}},
       "line 1: not an entity line"},
      {"Germany: x: 28: EU: 51.00: -10.00: -1.0: DL:\n    DL;\n" + belgium,
       {"Belgium"},
       {{"OT6X", "ON"}},
       "CQ zone \"x\""},
      {"Germany: 14: 28: XX: 51.00: -10.00: -1.0: DL:\n    DL;\n" + belgium,
       {"Belgium"},
       {{"OT6X", "ON"}},
       "continent \"XX\""},
      {germany + "    DL,DA\n" + belgium,  // no ';': the next header still starts a record
       {"Fed. Rep. of Germany", "Belgium"},
       {{"DA1X", "DL"}, {"OT6X", "ON"}, {"BELGIUM", ""}},
       "line 3: the entries of \"Fed. Rep. of Germany\" do not end with ';'"},
      {germany + "    DL(14,DA;\n" + belgium,
       {"Fed. Rep. of Germany", "Belgium"},
       {{"DL1ABC", ""}, {"DA1X", "DL"}},
       "'(' is not closed"},
      {germany + "    D#L,DA;\n" + belgium,
       {"Fed. Rep. of Germany", "Belgium"},
       {{"DA1X", "DL"}},
       "entry \"D#L\" of \"Fed. Rep. of Germany\" is not a prefix or a call"},
      {belgium.substr(0, belgium.size() - 2),  // ends without ';'
       {"Belgium"},
       {{"OT6X", "ON"}},
       "do not end with ';'"},
      {"some text\nmore text\n" + belgium, {"Belgium"}, {{"OT6X", "ON"}}, "not an entity line"},
      {"1A,Sov Mil Order of Malta,246,EU,15,28,41.9,-12.43,-1.0,1A;\n" + belgium,
       {"Belgium"},
       {{"1A0C", ""}, {"OT6X", "ON"}},
       "not an entity line"},
      {std::string("\x01\xff:\0;:::::::::\n;", 16),
       {},
       {},
       "line 1: not an entity line (eight fields, each ended by ':'): \"\\x01\\xFF:\\x00;",
       2},
  };
  for (const Case& c : cases) {
    const CountryFile file = CountryFile::parse(c.text);
    EXPECT_EQ(names(file), c.entities) << c.text;
    for (const Resolution& r : c.resolutions) {
      EXPECT_EQ(file.dxccPrefix(r.call), r.dxccPrefix) << r.call << " in " << c.text;
    }
    ASSERT_EQ(file.problems().size(), c.problemCount) << c.text;
    EXPECT_NE(file.problems().front().find(c.problem), std::string::npos)
        << file.problems().front();
  }

  std::string manyBadLines;
  for (int i = 0; i < 30; ++i) manyBadLines += "x;\n";
  const CountryFile many = CountryFile::parse(manyBadLines);
  ASSERT_EQ(many.problems().size(), CountryFile::kMaxProblems + 1);
  EXPECT_EQ(many.problems().back(), "and 10 more problems");
}

TEST(CountryFile, LoadRefusesFilesWithoutEntities) {
  std::string error;
  const std::string missing = testing::TempDir() + "no-such-country-file.dat";
  EXPECT_FALSE(zrv_score::loadCountryFile(missing, error));
  EXPECT_EQ(error, "country file " + missing + ": cannot be opened");

  const std::string notCountryFile = testing::TempDir() + "not-a-country-file.dat";
  std::ofstream(notCountryFile) << "<CALL:6>DL1ABC<EOR>\n";
  EXPECT_FALSE(zrv_score::loadCountryFile(notCountryFile, error));
  EXPECT_EQ(
      error.rfind("country file " + notCountryFile + ": no entity could be read (line 1: ", 0), 0u)
      << error;
}

TEST(CountryFile, InstalledFileReadsWhole) {
  std::string message;
  const CountryFile* file = installed(message);
  ASSERT_NE(file, nullptr) << message;
  EXPECT_TRUE(file->problems().empty()) << file->problems().front();
  EXPECT_GT(file->entities().size(), 300u);
}

TEST(CountryFile, ResolvesCallsWithTheInstalledFile) {
  std::string message;
  const CountryFile* file = installed(message);
  ASSERT_NE(file, nullptr) << message;
  for (const Resolution& r : {
           Resolution{"ON4ABC", "ON"}, Resolution{"OT6X", "ON"}, Resolution{"DL1ABC", "DL"},
           Resolution{"DL1ABC/P", "DL"}, Resolution{"DL1ABC/M", "DL"},
           Resolution{"DL1ABC/QRP", "DL"}, Resolution{"dl1abc/a", "DL"},
           Resolution{"ON/DL1ABC", "ON"}, Resolution{"DL1ABC/ON", "ON"},
           Resolution{"OH0/DL1ABC", "OH0"}, Resolution{"DL1ABC/OH0", "OH0"},
           Resolution{"K1ABC/KH6", "KH6"}, Resolution{"KH6/K1ABC", "KH6"},
           Resolution{"W1ABC/4", "K"},
           Resolution{"M/DL1ABC", "G"},  // M is one of England's prefixes
           Resolution{"CT3AB", "CT3"}, Resolution{"EA8AB", "EA8"}, Resolution{"K1ABC", "K"},
           Resolution{"JA1ABC", "JA"}, Resolution{"IT9ABC", "I"},  // Sicily is no DXCC entity
           Resolution{"TA1ABC", "TA"},                             // nor European Turkey
           Resolution{"SV2ABC", "SV"}, Resolution{"SV2ABC/A", "SV"}, Resolution{"DL1ABC/MM", ""},
           Resolution{"DL1ABC/AM", ""}, Resolution{"", ""},
           // Calls the file lists whole.
           Resolution{"SV2ASP/A", "SY"},  // Mount Athos
           Resolution{"SY2A", "SY"},
           Resolution{"4U1UN", "4U1U"},   // "4U" alone is one of Italy's prefixes
           Resolution{"SV5FRI/1", "SV"},  // not Dodecanese
           Resolution{"9M2/PG5M", "1S"},  // Spratly Islands, not West Malaysia
           Resolution{"II0SB/MM", "IS"},  // listed whole, so not at sea
           // Calls of entities of other award lists, listed under their DXCC entity too.
           Resolution{"4U1VIC", "OE"},    // Vienna International Centre: Austria
           Resolution{"GB0SI", "GM"},     // Shetland Islands: Scotland, not England
           Resolution{"JW/LB2PG", "JW"},  // Bear Island: Svalbard
       }) {
    EXPECT_EQ(file->dxccPrefix(r.call), r.dxccPrefix) << r.call;
  }
}

TEST(CountryFile, EuropeanUnionEntitiesResolveToThePluginsList) {
  std::string message;
  const CountryFile* file = installed(message);
  ASSERT_NE(file, nullptr) << message;
  struct Member {
    const char* name;  // as the country file names the entity
    const char* dxccPrefix;
  };
  const Member members[] = {
      {"Austria", "OE"},
      {"Fed. Rep. of Germany", "DL"},
      {"Bulgaria", "LZ"},
      {"Croatia", "9A"},
      {"Cyprus", "5B"},
      {"Czech Republic", "OK"},
      {"Denmark", "OZ"},
      {"Estonia", "ES"},
      {"Finland", "OH"},
      {"Aland Islands", "OH0"},
      {"Market Reef", "OJ0"},
      {"France", "F"},
      {"Corsica", "TK"},
      {"Guadeloupe", "FG"},
      {"Martinique", "FM"},
      {"French Guiana", "FY"},
      {"Reunion Island", "FR"},
      {"Greece", "SV"},
      {"Mount Athos", "SY"},
      {"Dodecanese", "SV5"},
      {"Crete", "SV9"},
      {"Hungary", "HA"},
      {"Ireland", "EI"},
      {"Italy", "I"},
      {"Sardinia", "IS"},
      {"Latvia", "YL"},
      {"Lithuania", "LY"},
      {"Luxembourg", "LX"},
      {"Malta", "9H"},
      {"Netherlands", "PA"},
      {"Poland", "SP"},
      {"Portugal", "CT"},
      {"Madeira Islands", "CT3"},
      {"Azores", "CU"},
      {"Romania", "YO"},
      {"Slovak Republic", "OM"},
      {"Slovenia", "S5"},
      {"Spain", "EA"},
      {"Balearic Islands", "EA6"},
      {"Canary Islands", "EA8"},
      {"Sweden", "SM"},
      // The British entities, which the plug-in's list still counts.
      {"England", "G"},
      {"Isle of Man", "GD"},
      {"Northern Ireland", "GI"},
      {"Jersey", "GJ"},
      {"Scotland", "GM"},
      {"Guernsey", "GU"},
      {"Wales", "GW"},
  };
  std::set<std::string> covered;
  for (const Member& member : members) {
    const auto entity = std::find_if(file->entities().begin(), file->entities().end(),
                                     [&](const Entity& e) { return e.name == member.name; });
    ASSERT_NE(entity, file->entities().end()) << member.name << " is not in the country file";
    EXPECT_EQ(entity->dxccPrefix, member.dxccPrefix) << member.name;
    EXPECT_TRUE(stats::isEuropeanUnion(entity->dxccPrefix)) << member.name;
    covered.insert(entity->dxccPrefix);
  }
  for (std::string_view prefix : stats::kEuropeanUnionPrefixes) {
    EXPECT_TRUE(covered.count(std::string(prefix))) << prefix << " has no entity in the table";
  }
}

}  // namespace
