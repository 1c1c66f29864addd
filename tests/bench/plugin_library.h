// One build of the plug-in loaded with dlopen and driven through its exports only, the way the
// contest logger drives it. Unloaded again when the object goes.
#pragma once

#include <string>

#include "api/stats_exports.h"
#include "tests/bench/contest_log.h"

namespace stats_bench {

class PluginLibrary {
 public:
  explicit PluginLibrary(const std::string& path);
  ~PluginLibrary();
  PluginLibrary(const PluginLibrary&) = delete;
  PluginLibrary& operator=(const PluginLibrary&) = delete;

  // ResetStats0 for a station on `side`, without a Cabrillo export.
  void startContest(Side side) const;
  int add(const LoggedQso& qso) const;
  int remove(const LoggedQso& qso) const;
  // CheckCall0 with the band given twice, as the logger does when the radio's band is known.
  int check(const CallQuery& query) const;
  const char* result() const;

 private:
  void* handle_ = nullptr;
  stats_host::Exports api_;
};

}  // namespace stats_bench
