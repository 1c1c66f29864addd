// One QSO as the plug-in keeps it, and the plug-in's copy of the log.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "plugin/stats_api.h"

namespace stats {

struct CInfo {
  std::string call;        // worked callsign, as the host gave it
  std::string country;     // worked station's DXCC prefix
  std::string hostText30;  // carried through from the host, shown nowhere
  std::string band;
  std::string mode;
  std::string hostText11;
  std::string hostText10;
  std::string rcvdExch;   // normalised received exchange ("0012 AN", "0123 --")
  std::string sentExch;   // sent exchange built from the sent serial number
  std::string province;   // ON province multiplier, upper case
  std::string euCountry;  // European-Union country multiplier
  std::string onPrefix;   // ON prefix multiplier
  int32_t freqKHz = 0;
  COleDateTime time{0.0, COleDateTimeValid};
};

// Identity as used by duplicate suppression: every text byte for byte, the frequency and the time.
bool identical(const CInfo& left, const CInfo& right);

// Equal for identical records.
size_t identityHash(const CInfo& record);

// The log store: records by value in log order. Lookups scan from the start; a count of the
// stored records per identity hash lets adding a new QSO skip the scan when nothing stored can be
// identical, so replaying a long log stays linear.
class QsoLog {
 public:
  const std::vector<CInfo>& records() const { return records_; }
  size_t size() const { return records_.size(); }
  void clear();

  // Appends a copy unless an identical record is stored already.
  void appendIfNotIdentical(const CInfo& record);

  // Removes the first record identical to `record`; false when there is none.
  bool removeFirstIdentical(const CInfo& record);

  // Removes the first record with this call, mode and band (exact); false when there is none.
  bool removeFirstByCallModeBand(std::string_view call, std::string_view mode,
                                 std::string_view band);

  std::optional<size_t> findFirstByCallAndBand(std::string_view call, std::string_view band) const;

 private:
  void erase(std::vector<CInfo>::iterator position);

  std::vector<CInfo> records_;
  std::unordered_map<size_t, size_t> recordsPerIdentityHash_;
};

// Band names of accepted QSOs, each once, in the order first seen since the contest start.
using BandList = std::vector<std::string>;
void addBandIfNew(BandList& bands, std::string_view band);

}  // namespace stats
