// The reference store: the log as a plain vector in log order, every question answered by walking
// it. This is how the plug-in answered before it kept indexes; the differential test checks the
// indexed store against it and the benchmark measures both.
#pragma once

#include <unordered_map>

#include "core/log/qso_store.h"

namespace stats_model {

// Identity as duplicate suppression sees it: every text byte for byte, the frequency and the time.
bool identical(const stats::CInfo& left, const stats::CInfo& right);

// Equal for identical records.
std::size_t identityHash(const stats::CInfo& record);

// Every record of a store, in log order.
std::vector<stats::CInfo> allRecords(const stats::QsoStore& log);

class LinearQsoStore : public stats::QsoStore {
 public:
  void clear() override;
  std::size_t size() const override { return records_.size(); }
  void appendIfNotIdentical(const stats::CInfo& record) override;
  bool removeFirstIdentical(const stats::CInfo& record) override;
  bool removeFirstByCallModeBand(std::string_view call, std::string_view mode,
                                 std::string_view band) override;
  bool hasCallOnBand(std::string_view call, std::string_view band) const override;
  bool workedOnBand(std::string_view band, stats::MultiplierKind kind,
                    std::string_view value) const override;
  std::optional<stats::CInfo> lastWithCallOnBand(std::string_view call,
                                                 std::string_view band) const override;
  stats::BandTally tally(std::string_view band) const override;
  std::vector<std::string> multiplierValues(std::string_view band,
                                            stats::MultiplierKind kind) const override;
  uint64_t multiplierVersion(std::string_view) const override { return 0; }
  void forEachRecord(const std::function<void(const stats::CInfo&)>& visit) const override;

 private:
  void erase(std::vector<stats::CInfo>::iterator position);

  std::vector<stats::CInfo> records_;
  // Stored records per identity hash: adding a QSO skips the scan when nothing can be identical,
  // so replaying a log stays linear.
  std::unordered_map<std::size_t, std::size_t> recordsPerIdentityHash_;
};

std::unique_ptr<stats::QsoStore> makeLinearQsoStore();

}  // namespace stats_model
