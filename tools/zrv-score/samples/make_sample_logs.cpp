// Makes the sample logs that zrv-score scores when it is given no log: two 24-hour ZRV DX Contest
// logs in ADIF, one leg each: the CW leg of a station outside Belgium and the SSB leg of a Belgian
// station. A third, smaller log holds QSOs of both legs, for the tests of a log that does.
//
//   make_sample_logs SAMPLES_FOLDER FIXTURES_FOLDER
//
// writes SAMPLES_FOLDER/foreign_station.adi, SAMPLES_FOLDER/belgian_station.adi and
// FIXTURES_FOLDER/both_legs.adi. The output is the
// same bytes on every platform and compiler: the random numbers come from the program's own
// generator (splitmix64) and every computation is in integers.
//
// The operator of each log changes band and mode in stints that follow the propagation of the
// hour (160 and 80 m at night, 20, 15 and 10 m by day), runs a frequency or tunes the band, and
// works stations drawn from a fixed population: Belgian stations with their provinces,
// European-Union and other European stations, and DX whose continents open and close with the
// band and the hour. Each worked station sends a serial number that grows with its own rate. A few
// dupes and a few QSOs in modes outside the contest (FT8, RTTY) are logged as operators do.
#include <algorithm>
#include <array>
#include <cstdint>
#include <fstream>
#include <iostream>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "tools/seeded_random.h"

namespace {

using tools::Random;

// An index drawn with the given integer weights (at least one of them positive).
std::size_t weightedIndex(Random& random, const std::vector<uint32_t>& weights) {
  uint64_t total = 0;
  for (uint32_t weight : weights) total += weight;
  uint64_t pick = random.next() % total;
  for (std::size_t index = 0; index < weights.size(); ++index) {
    if (pick < weights[index]) return index;
    pick -= weights[index];
  }
  return weights.size() - 1;
}

// ---- Bands, modes and propagation

constexpr std::size_t kBandCount = 6;
constexpr std::array<std::string_view, kBandCount> kBandNames = {"160m", "80m", "40m",
                                                                 "20m",  "15m", "10m"};

enum class Mode { cw, ssb };
constexpr std::size_t kModeCount = 2;

// Where an operator runs or tunes, in Hz: the CW and the phone segments of each band.
struct Segment {
  uint32_t low;
  uint32_t high;
};
constexpr std::array<Segment, kBandCount> kCwSegments = {{{1'810'000, 1'838'000},
                                                          {3'502'000, 3'568'000},
                                                          {7'001'000, 7'038'000},
                                                          {14'001'000, 14'068'000},
                                                          {21'001'000, 21'068'000},
                                                          {28'001'000, 28'068'000}}};
constexpr std::array<Segment, kBandCount> kSsbSegments = {{{1'843'000, 1'948'000},
                                                           {3'600'000, 3'790'000},
                                                           {7'050'000, 7'195'000},
                                                           {14'125'000, 14'345'000},
                                                           {21'150'000, 21'440'000},
                                                           {28'320'000, 28'680'000}}};
// FT8 dial frequencies, and the RTTY segments.
constexpr std::array<uint32_t, kBandCount> kFt8Dial = {1'840'000,  3'573'000,  7'074'000,
                                                       14'074'000, 21'074'000, 28'074'000};
constexpr std::array<Segment, kBandCount> kRttySegments = {{{1'838'000, 1'840'000},
                                                            {3'580'000, 3'598'000},
                                                            {7'040'000, 7'048'000},
                                                            {14'080'000, 14'098'000},
                                                            {21'080'000, 21'118'000},
                                                            {28'080'000, 28'148'000}}};

// How good each band is, 0 to 9, by UTC hour (column 0 is 00 UTC), for a European station on a
// contest weekend in March: the low bands at night, the high bands by day.
constexpr std::array<std::string_view, kBandCount> kBandByHour = {
    "444442000000000000013444",  // 160 m
    "888887410000000000147888",  // 80 m
    "666667754333333456776666",  // 40 m
    "100013688766666788753221",  // 20 m
    "000000257888888764100000",  // 15 m
    "000000002578887531000000",  // 10 m
};

// QSOs an hour a good running station makes, by UTC hour; the contest starts at 12 UTC.
constexpr std::array<uint32_t, 24> kRateByHour = {95,  85,  75,  70,  75,  95,  120, 140,
                                                  150, 150, 150, 155, 190, 175, 165, 160,
                                                  160, 155, 150, 140, 130, 120, 110, 100};
// The share of that rate each band gives, in percent.
constexpr std::array<uint32_t, kBandCount> kBandRatePercent = {60, 85, 100, 105, 100, 90};

int digitAt(std::string_view row, int hour) {
  return row[static_cast<std::size_t>(hour)] - '0';
}

// ---- Where the worked stations are

enum class Region {
  belgium,
  euMember,  // a country of the European Union
  europe,    // the rest of Europe
  northAmerica,
  southAmerica,
  asia,
  africa,
  oceania,
};
constexpr std::size_t kRegionCount = 8;
constexpr std::size_t kFirstDxRegion = 3;

// How well each DX region is heard, 0 to 9, by band and UTC hour.
constexpr std::array<std::array<std::string_view, kBandCount>, kRegionCount - kFirstDxRegion>
    kDxByHour = {{
        // North America
        {"333220000000000000000012", "444332000000000000000123", "555443100000000000001234",
         "322100000000035788876543", "000000000000257876410000", "000000000000356654100000"},
        // South America
        {"221100000000000000000012", "333221000000000000001233", "444432100000000000012344",
         "544321000000000012356776", "100000000000123457765421", "000000000000234565432100"},
        // Asia
        {"000000000000000001221000", "110000000000000012332100", "211000000000001244443211",
         "100013566542234564321000", "000002467765442100000000", "000000356654321000000000"},
        // Africa
        {"110000000000000000011111", "221100000000000001222222", "333211000000012233333333",
         "211123344444456665543322", "000001345667777654320000", "000000234567776543100000"},
        // Oceania
        {"000000000000000000000100", "000001000000000000011100", "000011100000000000122100",
         "000123421000000000123210", "000012343210000000000000", "000001232100000000000000"},
    }};

// The calls of one DXCC entity. `heads` lists the parts of its calls up to the digit, separated
// by blanks: "DL#" is DL followed by any digit, "EA:123457" EA followed by one of those digits,
// "EA8" is taken as it is; "/FK" after a head restricts the suffix's first letter to F or K.
struct EntityCalls {
  std::string_view dxcc;  // the entity's DXCC prefix in the country file
  Region region;
  uint32_t activity;  // how many of its stations are on, relatively
  std::string_view heads;
};

// clang-format off
constexpr EntityCalls kEntities[] = {
    // European Union
    {"DL", Region::euMember, 120, "DL# DK# DJ# DF# DG# DH# DM# DO# DB# DC# DD#"},
    {"I", Region::euMember, 60, "I:12345678 IK:12345678 IZ:12345678 IW:12345678 IU:12345678 IT9"},
    {"IS", Region::euMember, 3, "IS0 IM0"},
    {"SP", Region::euMember, 55, "SP# SQ# SO# SN:2345789"},
    {"OK", Region::euMember, 40, "OK:12 OL:345"},
    {"OM", Region::euMember, 18, "OM:0234578"},
    {"F", Region::euMember, 35, "F:14568"},
    {"TK", Region::euMember, 2, "TK:45"},
    {"EA", Region::euMember, 35, "EA:123457 EB:123457 EC:123457 ED:123457"},
    {"EA6", Region::euMember, 2, "EA6 EB6"},
    {"EA8", Region::euMember, 4, "EA8 EC8"},
    {"CT", Region::euMember, 8, "CT:127 CS:7"},
    {"CT3", Region::euMember, 1, "CT3 CR3"},
    {"CU", Region::euMember, 1, "CU:2358"},
    {"PA", Region::euMember, 45, "PA# PD# PE# PH:2345789 PC:2345"},
    {"LX", Region::euMember, 4, "LX:12"},
    {"OZ", Region::euMember, 16, "OZ# OU:2"},
    {"SM", Region::euMember, 18, "SM:01234567 SA:0234567 SE:0234567"},
    {"OH", Region::euMember, 16, "OH:123456789 OG:2356"},
    {"OH0", Region::euMember, 1, "OH0"},
    {"ES", Region::euMember, 6, "ES:1234578"},
    {"YL", Region::euMember, 6, "YL:23"},
    {"LY", Region::euMember, 8, "LY:12345"},
    {"HA", Region::euMember, 22, "HA# HG:0123456789"},
    {"S5", Region::euMember, 12, "S5:123456789"},
    {"9A", Region::euMember, 14, "9A:1234567"},
    {"OE", Region::euMember, 18, "OE:123456789"},
    {"YO", Region::euMember, 14, "YO:23456789"},
    {"LZ", Region::euMember, 12, "LZ:12345"},
    {"SV", Region::euMember, 8, "SV:1234678 SZ:1"},
    {"SV5", Region::euMember, 1, "SV5"},
    {"SV9", Region::euMember, 1, "SV9"},
    {"EI", Region::euMember, 6, "EI:23456789"},
    {"9H", Region::euMember, 2, "9H:15"},
    {"5B", Region::euMember, 2, "5B:4"},
    {"G", Region::euMember, 30, "G:0345678 M:0167 2E:01"},
    {"GM", Region::euMember, 6, "GM:034 MM:06"},
    {"GW", Region::euMember, 4, "GW:034 MW:06"},
    {"GI", Region::euMember, 2, "GI:04 MI:06"},
    {"GD", Region::euMember, 1, "GD:046"},
    {"GJ", Region::euMember, 1, "GJ:36"},
    {"GU", Region::euMember, 1, "GU:04"},
    // the rest of Europe
    {"UA", Region::europe, 50, "UA:1346 RA:1346 RW:1346 RZ:1346 RN:136 RK:36 R:1346"},
    {"UA2", Region::europe, 3, "UA2/FK RA2/FK"},
    {"UR", Region::europe, 25, "UR# UT# UX# UY# US:5678"},
    {"EU", Region::europe, 8, "EW:1678 EU:1678"},
    {"YU", Region::europe, 10, "YU:1234 YT:12"},
    {"HB", Region::europe, 12, "HB9 HB3"},
    {"LA", Region::europe, 8, "LA:123456789 LB:12345"},
    {"TF", Region::europe, 2, "TF:1238"},
    {"OY", Region::europe, 1, "OY:19"},
    {"E7", Region::europe, 5, "E7:3"},
    {"Z3", Region::europe, 3, "Z3:5"},
    {"4O", Region::europe, 2, "4O:3"},
    {"ZA", Region::europe, 1, "ZA:1"},
    {"ER", Region::europe, 3, "ER:134"},
    {"3A", Region::europe, 1, "3A:2"},
    {"T7", Region::europe, 1, "T7:0"},
    {"C3", Region::europe, 1, "C3:1"},
    {"ZB", Region::europe, 1, "ZB:2"},
    {"HB0", Region::europe, 1, "HB0"},
    {"TA", Region::europe, 6, "TA:12 TC:2"},
    // North America, with the European-Union islands of the Caribbean
    {"K", Region::northAmerica, 150,
     "K# W# N# AA# AB# AC# AD# AE# AF# AG# AI# AJ# AK# KA# KB# KC# KD# KE# KF# KI# KJ# KK# KM# KN#"},
    {"VE", Region::northAmerica, 25, "VE:1234567 VA:2367 VY:2"},
    {"XE", Region::northAmerica, 4, "XE:123"},
    {"KP4", Region::northAmerica, 3, "KP4 NP4 WP4"},
    {"CM", Region::northAmerica, 3, "CO:2678 CM:2678"},
    {"HI", Region::northAmerica, 2, "HI:38"},
    {"TI", Region::northAmerica, 1, "TI:25"},
    {"HP", Region::northAmerica, 1, "HP:1"},
    {"6Y", Region::northAmerica, 1, "6Y:5"},
    {"8P", Region::northAmerica, 1, "8P:6"},
    {"FG", Region::northAmerica, 1, "FG:48"},
    {"FM", Region::northAmerica, 1, "FM:5"},
    {"VP9", Region::northAmerica, 1, "VP9"},
    {"KL", Region::northAmerica, 1, "KL7 AL7"},
    // South America
    {"PY", Region::southAmerica, 20, "PY:12345789 PU:12345 PP:15"},
    {"LU", Region::southAmerica, 10, "LU#/ABCDEFGHIJKLMNOPRSTUVWXY LW:1239"},
    {"CE", Region::southAmerica, 5, "CE:1234678 CA:3 XQ:3"},
    {"CX", Region::southAmerica, 3, "CX:123456789"},
    {"YV", Region::southAmerica, 3, "YV:12345678"},
    {"HK", Region::southAmerica, 4, "HK:12345678"},
    {"OA", Region::southAmerica, 2, "OA:4"},
    {"HC", Region::southAmerica, 2, "HC:125"},
    {"ZP", Region::southAmerica, 1, "ZP:56"},
    {"9Y", Region::southAmerica, 1, "9Y:4"},
    {"P4", Region::southAmerica, 1, "P4:0"},
    {"PJ2", Region::southAmerica, 1, "PJ2"},
    {"FY", Region::southAmerica, 1, "FY:5"},
    // Asia
    {"JA", Region::asia, 60,
     "JA# JH:1234567890 JR:1234567890 JE:1234567890 JF:1234567890 JG:1234567890 JI:1234567890 "
     "JJ:1234567890 JK:1234567890 JL:1234567890 JM:1234567890 JN:1234567890 JO:1234567890"},
    {"UA9", Region::asia, 20,
     "UA9/ACLMOSUWY RA9/ACLMOSUWY RW9/ACLMOSUWY UA0/ACDFIJKLSW RA0/ACDFIJKLSW"},
    {"BY", Region::asia, 8, "BG:1234567 BD:1234567 BH:1234 BA:14"},
    {"HL", Region::asia, 6, "HL:12345 DS:12345"},
    {"BV", Region::asia, 2, "BV:2 BX:2"},
    {"VU", Region::asia, 4, "VU:23"},
    {"4X", Region::asia, 5, "4X:1456 4Z:45"},
    {"A6", Region::asia, 2, "A6:15"},
    {"A7", Region::asia, 1, "A7:1"},
    {"9K", Region::asia, 1, "9K:2"},
    {"HZ", Region::asia, 1, "HZ:1"},
    {"A4", Region::asia, 1, "A4:1"},
    {"UN", Region::asia, 4, "UN:6789 UP:2"},
    {"4L", Region::asia, 2, "4L:148"},
    {"EK", Region::asia, 1, "EK:6"},
    {"4J", Region::asia, 1, "4K:6 4J:6"},
    {"EX", Region::asia, 1, "EX:8"},
    {"JT", Region::asia, 1, "JT:1"},
    {"HS", Region::asia, 2, "HS:01 E2:0"},
    {"9V", Region::asia, 1, "9V:1"},
    {"9M2", Region::asia, 1, "9M2"},
    {"VR", Region::asia, 1, "VR2"},
    {"4S", Region::asia, 1, "4S:7"},
    {"OD", Region::asia, 1, "OD5"},
    {"JY", Region::asia, 1, "JY:459"},
    {"A9", Region::asia, 1, "A9:2"},
    {"EP", Region::asia, 1, "EP:23"},
    // Africa, with the European-Union islands off it
    {"ZS", Region::africa, 6, "ZS:123456 ZR:16"},
    {"CN", Region::africa, 4, "CN:28"},
    {"SU", Region::africa, 2, "SU:1"},
    {"7X", Region::africa, 2, "7X:245"},
    {"3V", Region::africa, 1, "3V:8"},
    {"5H", Region::africa, 1, "5H:13"},
    {"5Z", Region::africa, 1, "5Z:4"},
    {"9J", Region::africa, 1, "9J:2"},
    {"V5", Region::africa, 1, "V5:1"},
    {"A2", Region::africa, 1, "A2:2"},
    {"Z2", Region::africa, 1, "Z2:1"},
    {"D4", Region::africa, 1, "D4:4"},
    {"6W", Region::africa, 1, "6W:1 6V:7"},
    {"TU", Region::africa, 1, "TU:25"},
    {"5N", Region::africa, 1, "5N:07"},
    {"3B8", Region::africa, 1, "3B8"},
    {"FR", Region::africa, 1, "FR:45"},
    {"EA9", Region::africa, 1, "EA9 EB9"},
    {"9G", Region::africa, 1, "9G:15"},
    // Oceania
    {"VK", Region::oceania, 10, "VK:12345678"},
    {"ZL", Region::oceania, 4, "ZL:1234"},
    {"KH6", Region::oceania, 2, "KH6 AH6 NH6 WH6"},
    {"DU", Region::oceania, 3, "DU:1379 DV:1"},
    {"YB", Region::oceania, 3, "YB:0123456789 YC:0123456789 YD:0123456789"},
    {"9M6", Region::oceania, 1, "9M6 9M8"},
    {"FK", Region::oceania, 1, "FK8"},
    {"KH2", Region::oceania, 1, "KH2 AH2"},
    {"3D2", Region::oceania, 1, "3D2/ABDGJKLMNPSTUVWY"},
    {"P2", Region::oceania, 1, "P29"},
};
// clang-format on

constexpr std::string_view kSuffixLetters = "ABCDEFGHIJKLMNOPRSTUVWXYZ";  // no Q

std::string randomSuffix(Random& random, std::size_t length, std::string_view firstLetters) {
  std::string suffix;
  for (std::size_t index = 0; index < length; ++index) {
    const std::string_view letters = index == 0 ? firstLetters : kSuffixLetters;
    suffix += letters[random.below(static_cast<uint32_t>(letters.size()))];
  }
  return suffix;
}

std::vector<std::string_view> splitBlanks(std::string_view text) {
  std::vector<std::string_view> parts;
  while (!text.empty()) {
    const std::size_t blank = text.find(' ');
    if (blank != 0) parts.push_back(text.substr(0, blank));
    if (blank == std::string_view::npos) break;
    text.remove_prefix(blank + 1);
  }
  return parts;
}

// A call of the entity: one of its heads, completed with a digit where the head asks for one,
// and a suffix of one to three letters.
std::string entityCall(Random& random, const EntityCalls& entity) {
  const std::vector<std::string_view> heads = splitBlanks(entity.heads);
  std::string_view head = heads[random.below(static_cast<uint32_t>(heads.size()))];
  std::string_view firstLetters = kSuffixLetters;
  if (const std::size_t slash = head.find('/'); slash != std::string_view::npos) {
    firstLetters = head.substr(slash + 1);
    head = head.substr(0, slash);
  }
  std::string call;
  if (const std::size_t colon = head.find(':'); colon != std::string_view::npos) {
    const std::string_view digits = head.substr(colon + 1);
    call = std::string(head.substr(0, colon));
    call += digits[random.below(static_cast<uint32_t>(digits.size()))];
  } else if (head.back() == '#') {
    call = std::string(head.substr(0, head.size() - 1));
    call += static_cast<char>('0' + random.below(10));
  } else {
    call = std::string(head);
  }
  const uint32_t lengthPick = random.below(100);
  const std::size_t length = lengthPick < 6 ? 1 : lengthPick < 40 ? 2 : 3;
  return call + randomSuffix(random, length, firstLetters);
}

// Belgian calls: the personal ON2 to ON8 licences with two or three letters, and the short
// contest calls of the other Belgian prefixes.
struct BelgianHead {
  std::string_view letters;
  std::string_view digits;
  uint32_t weight;
  std::size_t minSuffix;
  std::size_t maxSuffix;
};
constexpr BelgianHead kBelgianHeads[] = {
    {"ON", "4", 22, 2, 3},      {"ON", "5", 16, 2, 3},        {"ON", "6", 12, 2, 3},
    {"ON", "7", 12, 2, 3},      {"ON", "8", 5, 2, 3},         {"ON", "3", 12, 3, 3},
    {"ON", "2", 4, 3, 3},       {"OT", "123456789", 8, 1, 2}, {"OO", "4569", 3, 1, 1},
    {"OR", "0123456", 4, 1, 2}, {"OQ", "4567", 3, 1, 2},      {"OP", "0147", 3, 1, 1},
    {"OS", "0", 2, 1, 1},
};

std::string belgianCall(Random& random) {
  std::vector<uint32_t> weights;
  for (const BelgianHead& head : kBelgianHeads) weights.push_back(head.weight);
  const BelgianHead& head = kBelgianHeads[weightedIndex(random, weights)];
  std::string call(head.letters);
  call += head.digits[random.below(static_cast<uint32_t>(head.digits.size()))];
  const std::size_t length =
      head.minSuffix + random.below(static_cast<uint32_t>(head.maxSuffix - head.minSuffix + 1));
  return call + randomSuffix(random, length, kSuffixLetters);
}

// The provinces, weighted by how many Belgian contesters live there.
constexpr std::array<std::string_view, 11> kProvinces = {"AN", "BR", "BW", "HT", "LB", "LG",
                                                         "NM", "LU", "OV", "VB", "WV"};
constexpr std::array<uint32_t, 11> kProvinceWeights = {16, 8, 5, 10, 7, 10, 5, 3, 14, 12, 12};

// ---- The population of worked stations

struct Station {
  std::string call;
  std::string_view province;  // a Belgian station's, empty for the others
  uint32_t weight = 1;        // how often it is heard
  int firstMinute = 0;        // the contest minute it starts operating
  uint32_t serialsPerHour = 0;
  uint32_t exchangeStyle = 0;  // how the operator logs what it sends, 0 to 2
};

struct Population {
  std::array<std::vector<Station>, kRegionCount> byRegion;
  std::array<std::vector<uint32_t>, kRegionCount> weights;
};

// How many stations of each region take part.
constexpr std::array<std::size_t, kRegionCount> kPopulationSizes = {260, 1500, 420, 600,
                                                                    160, 360,  110, 80};

Population makePopulation(Random& random, const std::set<std::string>& excluded) {
  Population population;
  std::set<std::string> taken = excluded;
  std::vector<uint32_t> provinceWeights(kProvinceWeights.begin(), kProvinceWeights.end());
  for (std::size_t region = 0; region < kRegionCount; ++region) {
    std::vector<const EntityCalls*> entities;
    std::vector<uint32_t> entityWeights;
    for (const EntityCalls& entity : kEntities) {
      if (static_cast<std::size_t>(entity.region) != region) continue;
      entities.push_back(&entity);
      entityWeights.push_back(entity.activity);
    }
    auto& stations = population.byRegion[region];
    while (stations.size() < kPopulationSizes[region]) {
      Station station;
      if (region == static_cast<std::size_t>(Region::belgium)) {
        station.call = belgianCall(random);
        station.province = kProvinces[weightedIndex(random, provinceWeights)];
      } else {
        station.call = entityCall(random, *entities[weightedIndex(random, entityWeights)]);
      }
      if (!taken.insert(station.call).second) continue;
      // A few big stations are heard everywhere, most are heard now and then.
      const uint32_t level = random.below(100);
      station.weight = 2 + level * level / 100;
      station.firstMinute = random.chance(800) ? 0 : random.between(0, 720);
      station.serialsPerHour = 15 + station.weight + random.below(40);
      station.exchangeStyle = random.below(3);
      stations.push_back(std::move(station));
    }
    for (const Station& station : stations) population.weights[region].push_back(station.weight);
  }
  return population;
}

// ---- The log of one station

constexpr int kContestMinutes = 24 * 60;
constexpr int kStartHourUtc = 12;

struct Break {
  int firstMinute;
  int minutes;
};

struct LogPlan {
  std::string_view fileName;
  bool testFixture;  // written into the fixtures folder, not among the samples
  std::string_view ownCall;
  std::string_view ownProvince;  // a Belgian station's, written as MY_STATE
  uint64_t seed;
  uint32_t ratePercent;  // of kRateByHour
  uint32_t cwPercent;    // share of the stints in CW
  uint32_t runPercent;   // share of the stints spent running a frequency
  int otherModeQsos;     // QSOs in modes outside the contest
  // Weight of a QSO with a Belgian station by band, of one with the EU and the rest of Europe;
  // the DX regions weigh their digit of kDxByHour times dxWeight.
  std::array<uint32_t, kBandCount> belgianWeights;
  uint32_t euWeight;
  uint32_t europeWeight;
  uint32_t dxWeight;
  std::vector<Break> breaks;
};

struct Qso {
  int second = 0;  // since the contest start
  std::size_t band = 0;
  uint32_t frequencyHz = 0;
  std::string_view mode;  // "CW", "SSB", "FT8", "RTTY"
  std::string call;
  std::string rstSent;
  std::string rstReceived;
  uint32_t serialSent = 0;  // 0 when the QSO carries no exchange
  std::string received;
};

struct LogSummary {
  std::size_t qsos = 0;
  std::size_t dupes = 0;
  std::size_t otherModes = 0;
};

class LogMaker {
 public:
  LogMaker(const LogPlan& plan, const Population& population)
      : plan_(plan), population_(population), random_(plan.seed) {
    for (std::size_t region = 0; region < kRegionCount; ++region) {
      worked_[region].assign(population.byRegion[region].size(), 0);
    }
  }

  std::vector<Qso> make();
  const LogSummary& summary() const { return summary_; }

 private:
  struct Stint {
    int endMinute = 0;
    std::size_t band = 0;
    Mode mode = Mode::cw;
    bool running = false;
    uint32_t frequencyHz = 0;
  };

  bool onBreak(int minute) const;
  void startStint(int minute);
  uint32_t expectedMilliQsos(int minute) const;
  void logQso(int second, int minute);
  void logOtherMode(int second);
  std::string receivedExchange(const Station& station, int minute);
  uint32_t nextFrequency();

  const LogPlan& plan_;
  const Population& population_;
  Random random_;
  Stint stint_;
  uint32_t burstPercent_ = 100;
  uint32_t serial_ = 0;
  std::array<uint32_t, kBandCount * kModeCount> slotQsos_{};  // contest QSOs by band and mode
  // Per station, one bit for each band and mode it was worked on.
  std::array<std::vector<uint16_t>, kRegionCount> worked_;
  std::vector<std::pair<std::size_t, std::size_t>> workedList_;  // region and station
  std::vector<Qso> qsos_;
  LogSummary summary_;
};

int utcHour(int minute) {
  return (kStartHourUtc + minute / 60) % 24;
}

bool LogMaker::onBreak(int minute) const {
  for (const Break& pause : plan_.breaks) {
    if (minute >= pause.firstMinute && minute < pause.firstMinute + pause.minutes) return true;
  }
  return false;
}

// The next band and mode: where the hour's propagation is good, with a pull towards the band and
// mode pairs that have given few QSOs so far, where the new stations and multipliers are.
void LogMaker::startStint(int minute) {
  const int hour = utcHour(minute);
  std::vector<uint32_t> weights;
  for (std::size_t band = 0; band < kBandCount; ++band) {
    const auto quality = static_cast<uint32_t>(digitAt(kBandByHour[band], hour));
    for (std::size_t mode = 0; mode < kModeCount; ++mode) {
      const uint32_t modeShare = mode == 0 ? plan_.cwPercent : 100 - plan_.cwPercent;
      const uint32_t pull = slotQsos_[band * kModeCount + mode] < 40 ? 4 : 1;
      weights.push_back(quality * quality * modeShare * pull);
    }
  }
  const std::size_t slot = weightedIndex(random_, weights);
  stint_.band = slot / kModeCount;
  stint_.mode = slot % kModeCount == 0 ? Mode::cw : Mode::ssb;
  stint_.running = random_.below(100) < plan_.runPercent;
  stint_.endMinute = minute + (stint_.running ? random_.between(20, 60) : random_.between(8, 30));
  const Segment segment =
      stint_.mode == Mode::cw ? kCwSegments[stint_.band] : kSsbSegments[stint_.band];
  const uint32_t step = stint_.mode == Mode::cw ? 10 : 100;
  stint_.frequencyHz = segment.low + random_.below((segment.high - segment.low) / step) * step;
}

// QSOs expected in this minute, in thousandths.
uint32_t LogMaker::expectedMilliQsos(int minute) const {
  uint64_t perHour = kRateByHour[static_cast<std::size_t>(utcHour(minute))];
  perHour = perHour * plan_.ratePercent / 100 * kBandRatePercent[stint_.band] / 100;
  if (!stint_.running) perHour = perHour * 45 / 100;
  return static_cast<uint32_t>(perHour * burstPercent_ / 100 * 1000 / 60);
}

// A run stays on its frequency; searching and pouncing tunes up the segment, and starts again
// at its bottom once the top is reached.
uint32_t LogMaker::nextFrequency() {
  if (stint_.running) return stint_.frequencyHz;
  const bool cw = stint_.mode == Mode::cw;
  const Segment segment = cw ? kCwSegments[stint_.band] : kSsbSegments[stint_.band];
  const uint32_t step = cw ? 10 : 100;
  stint_.frequencyHz += (cw ? random_.between(30, 400) : random_.between(20, 80)) * step;
  if (stint_.frequencyHz > segment.high) {
    stint_.frequencyHz = segment.low + random_.below(200) * step;
  }
  return stint_.frequencyHz;
}

std::string padded(uint32_t number, std::size_t digits) {
  std::string text = std::to_string(number);
  if (text.size() < digits) text.insert(0, digits - text.size(), '0');
  return text;
}

// What the worked station sends, as the operator logged it: its serial number at this minute,
// with its province when it is Belgian.
std::string LogMaker::receivedExchange(const Station& station, int minute) {
  const auto elapsed = static_cast<uint32_t>(minute - station.firstMinute);
  const uint32_t serial = 1 + elapsed * station.serialsPerHour / 60;
  if (station.province.empty()) {
    return station.exchangeStyle == 2 ? padded(serial, 3) : std::to_string(serial);
  }
  switch (station.exchangeStyle) {
    case 0:
      return std::to_string(serial) + " " + std::string(station.province);
    case 1:
      return padded(serial, 3) + std::string(station.province);
    default:
      return std::to_string(serial) + std::string(station.province);
  }
}

void LogMaker::logQso(int second, int minute) {
  const std::size_t slot = stint_.band * kModeCount + static_cast<std::size_t>(stint_.mode);
  const auto bit = static_cast<uint16_t>(1u << slot);
  std::size_t region = 0;
  std::size_t index = 0;
  bool found = false;
  if (!workedList_.empty() && random_.chance(4)) {
    // A dupe: a station worked before calls again on this band and mode, and is logged again.
    for (int attempt = 0; attempt < 40 && !found; ++attempt) {
      const auto& [pickedRegion, pickedIndex] =
          workedList_[random_.below(static_cast<uint32_t>(workedList_.size()))];
      if ((worked_[pickedRegion][pickedIndex] & bit) == 0) continue;
      region = pickedRegion;
      index = pickedIndex;
      found = true;
      ++summary_.dupes;
    }
  }
  const int hour = utcHour(minute);
  std::vector<uint32_t> regionWeights(kRegionCount, 0);
  regionWeights[static_cast<std::size_t>(Region::belgium)] = plan_.belgianWeights[stint_.band];
  regionWeights[static_cast<std::size_t>(Region::euMember)] = plan_.euWeight;
  regionWeights[static_cast<std::size_t>(Region::europe)] = plan_.europeWeight;
  for (std::size_t dx = kFirstDxRegion; dx < kRegionCount; ++dx) {
    regionWeights[dx] = static_cast<uint32_t>(
        digitAt(kDxByHour[dx - kFirstDxRegion][stint_.band], hour) * plan_.dxWeight);
  }
  for (int attempt = 0; attempt < 40 && !found; ++attempt) {
    region = weightedIndex(random_, regionWeights);
    index = weightedIndex(random_, population_.weights[region]);
    const Station& station = population_.byRegion[region][index];
    found = (worked_[region][index] & bit) == 0 && station.firstMinute <= minute;
  }
  if (!found) return;  // nobody new heard this minute
  const Station& station = population_.byRegion[region][index];
  if (worked_[region][index] == 0) workedList_.emplace_back(region, index);
  worked_[region][index] |= bit;
  ++slotQsos_[slot];

  Qso qso;
  qso.second = second;
  qso.band = stint_.band;
  qso.frequencyHz = nextFrequency();
  qso.mode = stint_.mode == Mode::cw ? "CW" : "SSB";
  qso.call = station.call;
  qso.rstSent = stint_.mode == Mode::cw ? "599" : "59";
  qso.rstReceived = qso.rstSent;
  qso.serialSent = ++serial_;
  qso.received = receivedExchange(station, minute);
  qsos_.push_back(std::move(qso));
}

// A QSO outside the contest's modes, in a minute taken off the contest, on the stint's band: FT8
// and RTTY in turn, FT8 with signal reports and no exchange, RTTY with the contest exchange and a
// serial number of the contest's sequence.
void LogMaker::logOtherMode(int second) {
  const std::size_t region =
      random_.chance(500) ? static_cast<std::size_t>(Region::euMember) : kFirstDxRegion;
  const std::size_t index = weightedIndex(random_, population_.weights[region]);
  const Station& station = population_.byRegion[region][index];
  Qso qso;
  qso.second = second;
  qso.band = stint_.band;
  qso.call = station.call;
  if (summary_.otherModes % 2 == 0) {
    qso.mode = "FT8";
    qso.frequencyHz = kFt8Dial[stint_.band] + static_cast<uint32_t>(random_.between(300, 2700));
    qso.rstSent = std::to_string(random_.between(-20, 5));
    qso.rstReceived = std::to_string(random_.between(-20, 5));
    if (qso.rstSent[0] != '-') qso.rstSent.insert(0, "+");
    if (qso.rstReceived[0] != '-') qso.rstReceived.insert(0, "+");
  } else {
    const Segment segment = kRttySegments[stint_.band];
    qso.mode = "RTTY";
    qso.frequencyHz = segment.low + random_.below((segment.high - segment.low) / 100) * 100;
    qso.rstSent = "599";
    qso.rstReceived = "599";
    qso.serialSent = ++serial_;
    qso.received = receivedExchange(station, second / 60);
  }
  ++summary_.otherModes;
  qsos_.push_back(std::move(qso));
}

std::vector<Qso> LogMaker::make() {
  std::set<int> otherModeMinutes;
  while (otherModeMinutes.size() < static_cast<std::size_t>(plan_.otherModeQsos)) {
    const int minute = random_.between(0, kContestMinutes - 1);
    if (!onBreak(minute)) otherModeMinutes.insert(minute);
  }
  for (int minute = 0; minute < kContestMinutes; ++minute) {
    if (onBreak(minute)) {
      stint_.endMinute = minute;  // back from a break, the operator picks a band afresh
      continue;
    }
    // A stint ends at its planned time, or earlier when its band closes.
    if (minute >= stint_.endMinute || digitAt(kBandByHour[stint_.band], utcHour(minute)) == 0) {
      startStint(minute);
    }
    if (minute % 5 == 0) burstPercent_ = static_cast<uint32_t>(random_.between(40, 160));
    // Up to three QSOs a minute, each with a third of the minute's expectation.
    const uint32_t chance = std::min<uint32_t>(1000, expectedMilliQsos(minute) / 3);
    int count = 0;
    for (int trial = 0; trial < 3; ++trial) count += random_.chance(chance) ? 1 : 0;
    if (otherModeMinutes.count(minute) != 0) {
      logOtherMode(minute * 60 + random_.between(0, 59));
      continue;
    }
    if (count == 0) continue;
    const int slot = 60 / count;
    for (int index = 0; index < count; ++index) {
      logQso(minute * 60 + index * slot + random_.between(0, slot - 1), minute);
    }
  }
  summary_.qsos = qsos_.size();
  return std::move(qsos_);
}

// ---- ADIF output

void field(std::string& out, std::string_view name, std::string_view value) {
  out += '<';
  out += name;
  out += ':';
  out += std::to_string(value.size());
  out += '>';
  out += value;
  out += ' ';
}

std::string frequencyMHz(uint32_t hz) {
  return std::to_string(hz / 1'000'000) + "." + padded(hz % 1'000'000, 6);
}

// QSO_DATE and TIME_ON of a second since the start, 2025-03-08 12:00 UTC.
std::string qsoDate(int second) {
  return (kStartHourUtc * 3600 + second) / 86400 == 0 ? "20250308" : "20250309";
}

std::string qsoTime(int second) {
  const int ofDay = (kStartHourUtc * 3600 + second) % 86400;
  return padded(static_cast<uint32_t>(ofDay / 3600), 2) +
         padded(static_cast<uint32_t>(ofDay / 60 % 60), 2) +
         padded(static_cast<uint32_t>(ofDay % 60), 2);
}

std::string adifText(const LogPlan& plan, const std::vector<Qso>& qsos) {
  std::string out;
  out += "Sample log for zrv-score: 24 hours of the ZRV DX Contest at ";
  out += plan.ownCall;
  out += ", made by tools/zrv-score/samples/make_sample_logs.cpp.\n";
  field(out, "ADIF_VER", "3.1.4");
  field(out, "PROGRAMID", "zrv-sample-logs");
  field(out, "CREATED_TIMESTAMP", "20250310 090000");
  out += "<EOH>\n";
  for (const Qso& qso : qsos) {
    field(out, "CALL", qso.call);
    field(out, "QSO_DATE", qsoDate(qso.second));
    field(out, "TIME_ON", qsoTime(qso.second));
    field(out, "BAND", kBandNames[qso.band]);
    field(out, "FREQ", frequencyMHz(qso.frequencyHz));
    field(out, "MODE", qso.mode);
    if (qso.mode == "SSB") field(out, "SUBMODE", qso.frequencyHz > 10'000'000 ? "USB" : "LSB");
    field(out, "RST_SENT", qso.rstSent);
    field(out, "RST_RCVD", qso.rstReceived);
    if (qso.serialSent != 0) {
      field(out, "STX", std::to_string(qso.serialSent));
      field(out, "STX_STRING", padded(qso.serialSent, 3));
      field(out, "SRX_STRING", qso.received);
    }
    field(out, "STATION_CALLSIGN", plan.ownCall);
    field(out, "OPERATOR", plan.ownCall);
    if (!plan.ownProvince.empty()) field(out, "MY_STATE", plan.ownProvince);
    out += "<EOR>\n";
  }
  return out;
}

// A German station in the CW leg, and a Belgian one in the province of Liège in the SSB leg. The
// Belgian operator runs more (it is the one called), works other Belgians mostly on the low bands
// and looks for DX, which brings it three points. A Dutch station works both legs at a slower
// rate.
const std::vector<LogPlan>& logPlans() {
  static const std::vector<LogPlan> plans = {
      {.fileName = "foreign_station.adi",
       .testFixture = false,
       .ownCall = "DL2QZX",
       .ownProvince = "",
       .seed = 0x5A3D'2B1C'0E4F'9D71ull,
       .ratePercent = 165,
       .cwPercent = 100,
       .runPercent = 55,
       .otherModeQsos = 6,
       .belgianWeights = {45, 45, 35, 12, 8, 8},
       .euWeight = 45,
       .europeWeight = 12,
       .dxWeight = 3,
       .breaks = {{450, 15}, {910, 100}, {1200, 12}}},
      {.fileName = "belgian_station.adi",
       .testFixture = false,
       .ownCall = "ON6QZV",
       .ownProvince = "LG",
       .seed = 0x0B7E'15A2'6C84'D3F9ull,
       .ratePercent = 95,
       .cwPercent = 0,
       .runPercent = 70,
       .otherModeQsos = 4,
       .belgianWeights = {30, 25, 15, 5, 3, 3},
       .euWeight = 45,
       .europeWeight = 12,
       .dxWeight = 5,
       .breaks = {{360, 30}, {840, 180}, {1330, 20}}},
      {.fileName = "both_legs.adi",
       .testFixture = true,
       .ownCall = "PA3QZT",
       .ownProvince = "",
       .seed = 0x7C21'9E04'B35A'18D6ull,
       .ratePercent = 45,
       .cwPercent = 50,
       .runPercent = 40,
       .otherModeQsos = 2,
       .belgianWeights = {40, 40, 30, 10, 8, 8},
       .euWeight = 60,
       .europeWeight = 12,
       .dxWeight = 3,
       .breaks = {{300, 60}, {900, 120}}},
  };
  return plans;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: make_sample_logs SAMPLES_FOLDER FIXTURES_FOLDER\n";
    return 2;
  }
  std::set<std::string> ownCalls;
  for (const LogPlan& plan : logPlans()) ownCalls.emplace(plan.ownCall);
  Random populationRandom(0x2E6F'4C11'9A07'B853ull);
  const Population population = makePopulation(populationRandom, ownCalls);

  for (const LogPlan& plan : logPlans()) {
    LogMaker maker(plan, population);
    const std::vector<Qso> qsos = maker.make();
    const std::string path =
        std::string(argv[plan.testFixture ? 2 : 1]) + "/" + std::string(plan.fileName);
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    const std::string text = adifText(plan, qsos);
    file.write(text.data(), static_cast<std::streamsize>(text.size()));
    file.close();
    if (!file) {
      std::cerr << "make_sample_logs: cannot write " << path << "\n";
      return 1;
    }
    const LogSummary& summary = maker.summary();
    std::cout << path << ": " << plan.ownCall << ", " << summary.qsos << " QSOs, of which "
              << summary.dupes << " dupes and " << summary.otherModes << " outside CW and SSB\n";
  }
  return 0;
}
