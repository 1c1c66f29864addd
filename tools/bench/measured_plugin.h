// One build of the plug-in, loaded through the host library and driven through its exports only,
// the way the contest logger drives it. Unloaded again when the object goes.
#pragma once

#include <memory>
#include <string>

#include "api/stats_exports.h"
#include "host/plugin_library.h"
#include "tools/bench/contest_log.h"

namespace stats_bench {

class MeasuredPlugin {
 public:
  explicit MeasuredPlugin(const std::string& path);

  // ResetStats0 for a station on `side`, without a Cabrillo export.
  void startContest(Side side) const;
  int add(const LoggedQso& qso) const;
  int remove(const LoggedQso& qso) const;
  // CheckCall0 with the band given twice, as the logger does when the radio's band is known.
  int check(const CallQuery& query) const;
  const char* result() const;

 private:
  std::unique_ptr<stats_host::PluginLibrary> library_;
  stats_host::Exports api_;
};

}  // namespace stats_bench
