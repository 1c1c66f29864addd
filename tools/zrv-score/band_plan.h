// The contest's bands as frequencies, and what a record's BAND and FREQ give the plug-in: the
// band name and the frequency in Hz. Other programs write FREQ in kHz or Hz as well as in MHz, or
// leave it out; a record that BAND places on a contest band is never lost to its FREQ.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zrv_score {

// The contest band (160m to 10m) whose amateur allocation holds `hz`, edges included; "" for none.
std::string contestBandOf(std::uint64_t hz);
// The lowest frequency of a contest band, as loggers without a radio connection log it; 0 for a
// band that is not one.
unsigned int bandEdgeHz(std::string_view band);
bool isContestBand(std::string_view band);

// FREQ as written (digits with at most one decimal point) in millionths of its unit, which for
// MHz is Hz; nothing when it is not a number or too large to mean a frequency.
std::optional<std::uint64_t> frequencyMillionths(std::string_view text);

enum class FrequencySource {
  freq,       // FREQ as the format says: MHz
  converted,  // FREQ was written in kHz or Hz
  bandEdge,   // no FREQ: the band's lowest frequency
  overruled,  // a FREQ outside the record's contest band, in any unit: the band's lowest frequency
};

struct BandAndFrequency {
  std::string band;  // lower case; "" when neither BAND nor FREQ names one
  unsigned int hz = 0;
  FrequencySource source = FrequencySource::freq;
};

// From BAND (trimmed, any case; empty when the record has none) and FREQ's value in millionths
// (nothing when the record has no usable FREQ). A contest band in BAND decides; a FREQ in that
// band read as MHz, kHz or Hz, in that order, gives the frequency, else the band's edge does.
// Without BAND, FREQ read the same three ways names the band.
BandAndFrequency bandAndFrequency(std::string_view band,
                                  std::optional<std::uint64_t> frequencyMillionths);

}  // namespace zrv_score
