// The plug-in driven through its entry points, as the logger drives it: a contest start, the QSOs
// of the log, the report. Every argument the plug-in does not use gets an empty text or zero.
#pragma once

#include <memory>
#include <ostream>
#include <string>
#include <string_view>

#include "api/stats_exports.h"
#include "host/plugin_library.h"
#include "tools/zrv-score/host_qso.h"

namespace zrv_score {

class PluginHost {
 public:
  // False with `missing` naming the first entry point the library lacks.
  bool attach(const stats_host::PluginLibrary& library, std::string& missing);

  // ResetStats0: `exportRun` asks for the Cabrillo file at the next report.
  void startContest(bool exportRun, const std::string& ownCall, const std::string& ownDxccPrefix);
  // AddData0: true when the plug-in took the QSO.
  bool add(const HostQso& qso);
  // GetResult0: the report text; in an export run the plug-in writes the Cabrillo file first.
  std::string report();

 private:
  stats_host::Exports api_;
};

// The plug-in at `path` (beside the executable when empty) loaded and attached to `host`; null,
// with the reason told on `err` after `command` ("zrv-score", "zrv-score check"), when it cannot
// be used.
std::unique_ptr<stats_host::PluginLibrary> loadPlugin(const std::string& path, PluginHost& host,
                                                      std::string_view command, std::ostream& err);

}  // namespace zrv_score
