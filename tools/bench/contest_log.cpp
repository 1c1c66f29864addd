#include "tools/bench/contest_log.h"

#include <array>
#include <cstdint>
#include <cstdio>

namespace stats_bench {
namespace {

struct Entity {
  const char* dxcc;
  const char* prefix;  // the call's prefix without its digit
};

// Belgian calls: four prefixes with any digit make the 40 Belgian prefixes of the log; "OQ"
// never occurs, so a call with it is a new prefix multiplier.
constexpr std::array<Entity, 4> kBelgian = {
    {{"ON", "ON"}, {"ON", "OT"}, {"ON", "OR"}, {"ON", "OO"}}};
constexpr std::array<Entity, 12> kEuropean = {{{"DL", "DL"},
                                               {"F", "F"},
                                               {"G", "G"},
                                               {"I", "I"},
                                               {"EA", "EA"},
                                               {"SP", "SP"},
                                               {"OK", "OK"},
                                               {"PA", "PA"},
                                               {"OH", "OH"},
                                               {"S5", "S5"},
                                               {"YO", "YO"},
                                               {"CT3", "CT3"}}};
constexpr std::array<Entity, 8> kOthers = {{{"K", "W"},
                                            {"JA", "JA"},
                                            {"VE", "VE"},
                                            {"UA", "UA"},
                                            {"PY", "PY"},
                                            {"VK", "VK"},
                                            {"ZS", "ZS"},
                                            {"HB", "HB"}}};
constexpr std::array<const char*, 11> kProvinces = {"AN", "BR", "BW", "HT", "LB", "LG",
                                                    "NM", "LU", "OV", "VB", "WV"};
constexpr std::array<const char*, 6> kBands = {"160m", "80m", "40m", "20m", "15m", "10m"};
constexpr std::array<unsigned int, 6> kBandStartKHz = {1810, 3500, 7000, 14000, 21000, 28000};

// A small linear congruential generator: the same sequence on every machine and library.
class Random {
 public:
  explicit Random(uint32_t seed) : state_(seed) {}
  uint32_t below(std::size_t range) {
    state_ = state_ * 1664525u + 1013904223u;
    return (state_ >> 8) % static_cast<uint32_t>(range);
  }
  char letter() { return static_cast<char>('A' + below(26)); }

 private:
  uint32_t state_;
};

template <std::size_t N>
const Entity& pick(const std::array<Entity, N>& entities, Random& random) {
  return entities[random.below(N)];
}

LoggedQso makeQso(int index, Random& random) {
  LoggedQso qso;
  const uint32_t kind = random.below(6);
  const Entity& entity = kind == 0   ? pick(kBelgian, random)
                         : kind <= 3 ? pick(kEuropean, random)
                                     : pick(kOthers, random);
  const std::size_t band = random.below(kBands.size());
  const bool cw = random.below(2) == 0;
  qso.prefix = std::string(entity.prefix) + std::to_string(random.below(10));
  qso.call = qso.prefix + random.letter() + random.letter() + random.letter();
  qso.dxcc = entity.dxcc;
  qso.band = kBands[band];
  qso.mode = cw ? "CW" : "SSB";
  char sent[16];
  std::snprintf(sent, sizeof sent, "%03d", index + 1);
  qso.sent = sent;
  qso.received = std::to_string(1 + random.below(2000));
  if (kind == 0) qso.received += std::string(" ") + kProvinces[random.below(kProvinces.size())];
  qso.frequencyHz =
      (kBandStartKHz[band] + (cw ? 20 : 150) + random.below(60)) * 1000 + random.below(1000);
  qso.time = COleDateTime{45444.5 + index / 2880.0, COleDateTimeValid};
  return qso;
}

CallQuery repeatOf(const LoggedQso& qso) {
  return {qso.call, qso.band, qso.dxcc, qso.prefix, CheckAnswer::repeat};
}

// The log's calls have three letters after the digit; four letters make a call it never has.
CallQuery unloggedCall(const Entity& entity, Random& random, CheckAnswer expected) {
  CallQuery query;
  query.prefix = std::string(entity.prefix) + std::to_string(random.below(10));
  query.call = query.prefix + random.letter() + random.letter() + random.letter() + random.letter();
  query.band = kBands[random.below(kBands.size())];
  query.dxcc = entity.dxcc;
  query.expected = expected;
  return query;
}

// Worked on every band of a log of thousands of QSOs: an EU country and a non-EU entity.
const Entity& workedEntity(Random& random) {
  return random.below(2) == 0 ? pick(kEuropean, random) : pick(kOthers, random);
}

// Absent from the log: for a station outside Belgium a Belgian prefix or an EU country never
// worked, for a Belgian station an entity never worked.
const Entity& newMultiplierEntity(Side side, Random& random) {
  static constexpr std::array<Entity, 2> kNewForOutside = {{{"ON", "OQ"}, {"LX", "LX"}}};
  static constexpr std::array<Entity, 3> kNewForBelgian = {
      {{"ZL", "ZL"}, {"VU", "VU"}, {"LX", "LX"}}};
  return side == Side::belgian ? pick(kNewForBelgian, random) : pick(kNewForOutside, random);
}

}  // namespace

std::vector<LoggedQso> makeLog(int count) {
  std::vector<LoggedQso> log;
  log.reserve(static_cast<std::size_t>(count));
  Random random(12345);
  for (int index = 0; index < count; ++index) log.push_back(makeQso(index, random));
  return log;
}

std::vector<CallQuery> makeCallQueries(const std::vector<LoggedQso>& log, Side side, int count) {
  std::vector<CallQuery> queries;
  queries.reserve(static_cast<std::size_t>(count));
  Random random(67890);
  for (int index = 0; index < count; ++index) {
    switch (index % 3) {
      case 0:
        queries.push_back(repeatOf(log[random.below(log.size())]));
        break;
      case 1:
        queries.push_back(unloggedCall(workedEntity(random), random, CheckAnswer::notNew));
        break;
      default:
        queries.push_back(
            unloggedCall(newMultiplierEntity(side, random), random, CheckAnswer::newMultiplier));
        break;
    }
  }
  return queries;
}

}  // namespace stats_bench
