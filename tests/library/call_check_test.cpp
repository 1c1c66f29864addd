// CheckCall0: the result codes for both sides, the band-pair test, null arguments and the rules
// for the two output buffers.
#include <array>
#include <cstring>
#include <string>

#include "tests/library/stats_library.h"

namespace stats_test {
namespace {

Qso qso(std::string call, std::string dxcc, std::string prefix, std::string band,
        std::string received = "123") {
  Qso result;
  result.call = std::move(call);
  result.dxccPrefix = std::move(dxcc);
  result.callPrefix = std::move(prefix);
  result.band = std::move(band);
  result.receivedExchange = std::move(received);
  return result;
}

// An output buffer of the host's size, filled with a pattern so that any write shows.
class OutputBuffer {
 public:
  OutputBuffer() { refill(); }
  void refill() {
    bytes_.fill('X');
    bytes_.back() = '\0';
  }
  char* data() { return bytes_.data(); }
  bool untouched() const {
    for (size_t i = 0; i + 1 < bytes_.size(); ++i) {
      if (bytes_[i] != 'X') return false;
    }
    return bytes_.back() == '\0';
  }
  // Only the terminator of an empty text was written, nothing behind it.
  bool holdsOnlyEmptyText() const {
    if (bytes_[0] != '\0') return false;
    for (size_t i = 1; i + 1 < bytes_.size(); ++i) {
      if (bytes_[i] != 'X') return false;
    }
    return true;
  }

 private:
  std::array<char, 50> bytes_{};
};

class LibraryCallCheck : public LibraryTest {
 protected:
  // A station outside Belgium with 20m and 10m in its log.
  void startForeignLog() {
    ASSERT_EQ(lib_.reset("K1ABC", "K"), 1);
    ASSERT_EQ(lib_.add(qso("W1AW", "K", "W1", "20m", "5")), 1);
    ASSERT_EQ(lib_.add(qso("DL1ABC", "DL", "DL1", "20m")), 1);
    ASSERT_EQ(lib_.add(qso("ON4ABC", "ON", "ON4", "20m", "12 AN")), 1);
    ASSERT_EQ(lib_.add(qso("ON8ZZ", "ON", "ON8", "10m", "55")), 1);  // no province, no prefix
  }
  // A Belgian station with a German and a Belgian QSO on 20m.
  void startBelgianLog() {
    ASSERT_EQ(lib_.reset("ON4XYZ", "ON"), 1);
    ASSERT_EQ(lib_.add(qso("DL1ABC", "DL", "DL1", "20m")), 1);
    ASSERT_EQ(lib_.add(qso("ON4ABC", "ON", "ON4", "20m", "12 AN")), 1);
  }
  int check(const char* call, const char* prefix, const char* dxcc, const char* band,
            const char* secondBand) {
    return lib_.check({.call = call,
                       .callPrefix = prefix,
                       .dxccPrefix = dxcc,
                       .band = band,
                       .secondBand = secondBand,
                       .outputText = output_.data(),
                       .outputText2 = output2_.data()});
  }

  OutputBuffer output_;
  OutputBuffer output2_;
};

TEST_F(LibraryCallCheck, RepeatIsPerBandAndExactCallWhateverTheMode) {
  startForeignLog();
  EXPECT_EQ(lib_.check({.call = "W1AW",
                        .callPrefix = "W1",
                        .dxccPrefix = "K",
                        .band = "20m",
                        .secondBand = "20m",
                        .mode = "SSB"}),
            0);
  EXPECT_EQ(check("W1AW", "W1", "K", "40m", "40m"), 1);
  EXPECT_EQ(check("w1aw", "W1", "K", "20m", "20m"), 1);
  // The band pair matches without regard to case, the repeat test does not.
  EXPECT_EQ(check("W1AW", "W1", "K", "20M", "20M"), 1);
  EXPECT_EQ(check("W1AW", "W1", "K", "20m", "20M"), 0);
}

TEST_F(LibraryCallCheck, ForeignStationNewMultipliers) {
  startForeignLog();
  EXPECT_EQ(check("DL2XYZ", "DL2", "DL", "20m", "20m"), 1);  // DL already on 20m
  EXPECT_EQ(check("DL2XYZ", "DL2", "DL", "40m", "40m"), 2);
  EXPECT_EQ(check("F5ABC", "F5", "F", "20m", "20m"), 2);
  EXPECT_EQ(check("CT7ABC", "CT7", "CT7", "20m", "20m"), 1);  // not a listed prefix
  EXPECT_EQ(check("DL2XYZ", "DL2", "dl", "40m", "40m"), 1);   // the list is case-sensitive
  EXPECT_EQ(check("JA1XX", "JA1", "JA", "20m", "20m"), 1);
  EXPECT_EQ(check("ON4XYZ", "ON4", "ON", "20m", "20m"), 1);  // prefix ON4 already on 20m
  EXPECT_EQ(check("ON7XX", "ON7", "ON", "20m", "20m"), 2);
  EXPECT_EQ(check("ON4XYZ", "ON4", "ON", "40m", "40m"), 2);
  // Provinces play no part: a new province with a known prefix is no new multiplier.
  EXPECT_EQ(check("ON4NEW", "ON4", "ON", "20m", "20m"), 1);
}

TEST_F(LibraryCallCheck, ForeignStationEmptyOrNullPrefixMatchesRecordsWithoutOnPrefix) {
  startForeignLog();
  // ON8ZZ on 10m sent no province, so its stored ON prefix is empty.
  EXPECT_EQ(check("ON9QQ", "ON9", "ON", "10m", "10m"), 2);
  EXPECT_EQ(check("ON9QQ", "", "ON", "10m", "10m"), 1);
  EXPECT_EQ(check("ON9QQ", nullptr, "ON", "10m", "10m"), 1);
  EXPECT_EQ(check("ON9QQ", nullptr, "ON", "40m", "40m"), 2);
}

TEST_F(LibraryCallCheck, BelgianStationLooksForTheDxccEntityOnTheBand) {
  startBelgianLog();
  EXPECT_EQ(check("DL1ABC", "DL1", "DL", "20m", "20m"), 0);
  EXPECT_EQ(check("DL2XYZ", "DL2", "DL", "20m", "20m"), 1);
  EXPECT_EQ(check("DL2XYZ", "DL2", "DL", "15m", "15m"), 2);
  EXPECT_EQ(check("ON4QQ", "ON4", "ON", "20m", "20m"), 1);
  EXPECT_EQ(check("ON4QQ", "ON4", "ON", "15m", "15m"), 2);
  EXPECT_EQ(check("F5ABC", "F5", "F", "20m", "20m"), 2);
  EXPECT_EQ(check("DL2XYZ", "DL2", "", "20m", "20m"), 2);
  EXPECT_EQ(check("DL2XYZ", "DL2", nullptr, "20m", "20m"), 2);
  EXPECT_EQ(check("DL2XYZ", nullptr, "DL", "20m", "20m"), 1);
  // A Belgian station never writes the output buffer.
  EXPECT_TRUE(output_.untouched());
  EXPECT_TRUE(output2_.untouched());
}

TEST_F(LibraryCallCheck, BandPairMustAgreeUnlessOneIsMissing) {
  startForeignLog();
  EXPECT_EQ(check("W1AW", "W1", "K", "20m", "40m"), 4);
  EXPECT_EQ(check("W1AW", "W1", "K", "20m", "20m "), 4);
  EXPECT_EQ(check("F5ABC", "F5", "F", "160m", "160M"), 2);
  EXPECT_EQ(check("W1AW", "W1", "K", "20m", nullptr), 0);
  // A missing band reads as the empty band name, on which nothing was logged.
  EXPECT_EQ(check("W1AW", "W1", "K", nullptr, "20m"), 1);
  EXPECT_EQ(check("F5ABC", "F5", "F", nullptr, nullptr), 2);
}

TEST_F(LibraryCallCheck, ForeignStationClearsTheFirstBufferOnlyWhenItGetsToTheMultiplierTest) {
  startForeignLog();
  EXPECT_EQ(check("W1AW", "W1", "K", "20m", "40m"), 4);
  EXPECT_TRUE(output_.untouched()) << "bands differ";
  EXPECT_EQ(check("W1AW", "W1", "K", "20m", "20m"), 0);
  EXPECT_TRUE(output_.untouched()) << "repeat";
  EXPECT_EQ(check("W1AW", "W1", nullptr, "40m", "40m"), 1);
  EXPECT_TRUE(output_.untouched()) << "null DXCC prefix";

  for (const char* dxcc : {"K", "", "DL", "F", "ON"}) {
    output_.refill();
    EXPECT_NE(check("XX9XX", "ON7", dxcc, "20m", "20m"), 0);
    EXPECT_TRUE(output_.holdsOnlyEmptyText()) << "DXCC prefix \"" << dxcc << "\"";
  }
  EXPECT_TRUE(output2_.untouched());

  // Without buffers the same checks give the same codes.
  EXPECT_EQ(lib_.check({.call = "F5ABC", .callPrefix = "F5", .dxccPrefix = "F"}), 2);
  EXPECT_EQ(lib_.check({.call = "W1AW", .callPrefix = "W1", .dxccPrefix = "K"}), 0);
}

TEST_F(LibraryCallCheck, EveryTextArgumentMayBeNull) {
  const Exports& api = lib_.api();
  auto allNull = [&api](char* output) {
    return api.CheckCall0(nullptr, 0, 0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                          nullptr, nullptr, nullptr, nullptr, nullptr, 0, 0, 0, 0.0, 0.0, nullptr,
                          nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, output, nullptr);
  };
  ASSERT_EQ(lib_.reset("K1ABC", "K"), 1);
  EXPECT_EQ(allNull(nullptr), 1);
  EXPECT_EQ(allNull(output_.data()), 1);
  EXPECT_TRUE(output_.untouched());

  ASSERT_EQ(lib_.reset("ON4XYZ", "ON"), 1);
  EXPECT_EQ(allNull(output_.data()), 2);
  EXPECT_TRUE(output_.untouched());
}

}  // namespace
}  // namespace stats_test
