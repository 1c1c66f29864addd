#include "tools/bench/measured_plugin.h"

#include <stdexcept>

namespace stats_bench {
namespace {

// The contest period; the plug-in ignores it, the logger passes it anyway.
COleDateTime contestStart() {
  return {45444.5, COleDateTimeValid};
}
COleDateTime contestEnd() {
  return {45445.5, COleDateTimeValid};
}

// AddData0 and RemoveData0 take the same arguments; only the plug-in's own positions vary.
template <typename QsoExport>
int qsoCall(QsoExport function, const LoggedQso& qso) {
  COleDateTime start = contestStart();
  COleDateTime end = contestEnd();
  COleDateTime time = qso.time;
  return function("ZRV", qso.call.c_str(), &time, &time, &start, &end, 1, qso.frequencyHz,
                  qso.mode.c_str(), "", "", qso.sent.c_str(), qso.received.c_str(), "599", "599",
                  "", "14", "28", "EU", "", "", qso.prefix.c_str(), qso.dxcc.c_str(), 14, 28, 0,
                  50.0, 10.0, "", "", "G4ABC", qso.band.c_str(), "");
}

}  // namespace

MeasuredPlugin::MeasuredPlugin(const std::string& path) {
  std::string error;
  library_ = stats_host::PluginLibrary::load(path, error);
  if (!library_) throw std::runtime_error("cannot load " + path + ": " + error);
  std::string missing;
  if (!library_->resolve(api_, missing)) throw std::runtime_error("missing export " + missing);
}

void MeasuredPlugin::startContest(Side side) const {
  const bool belgian = side == Side::belgian;
  COleDateTime start = contestStart();
  COleDateTime end = contestEnd();
  const char* ownDxcc = belgian ? "ON" : "G";
  api_.ResetStats0("ZRV", 0, belgian ? "ON4ABC" : "G4ABC", &start, &end, "Mike", "IO91", ownDxcc,
                   "EU", "14", "27", "ZRV DX Contest", "", "", ownDxcc, 14, 27, 0, 51.5, 0.1, "",
                   "", "");
}

int MeasuredPlugin::add(const LoggedQso& qso) const {
  return qsoCall(api_.AddData0, qso);
}

int MeasuredPlugin::remove(const LoggedQso& qso) const {
  return qsoCall(api_.RemoveData0, qso);
}

int MeasuredPlugin::check(const CallQuery& query) const {
  char output[64] = {};
  return api_.CheckCall0(query.call.c_str(), 14025600, 0, "CW", "", "", "", "", "", "", "", "",
                         query.prefix.c_str(), query.dxcc.c_str(), 14, 28, 0, 50.0, 4.0, "", "", "",
                         "", "", query.band.c_str(), query.band.c_str(), output, nullptr);
}

const char* MeasuredPlugin::result() const {
  int exportDone = 0;
  return api_.GetResult0(&exportDone);
}

}  // namespace stats_bench
