// The exported entry points (listed in api/exports.list): the only place that knows the binary
// interface. Each unpacks its arguments (a null text reads as the empty string), delegates to the
// plug-in and never lets an exception reach the host; one that is stopped here is traced.
#include <string>
#include <string_view>
#include <utility>

#include "api/stats_api.h"
#include "core/diagnostics/diagnostics.h"
#include "core/log/ole_date_time.h"
#include "core/rules/contest_rules.h"
#include "entry/application.h"

namespace {

std::string_view text(const char* value) {
  return value ? std::string_view(value) : "";
}

// Runs an export's work; an exception ends it with `fallback` and a trace naming the export.
template <typename Result, typename Work>
Result guarded(const char* exportName, Result fallback, Work&& work) noexcept {
  return stats::stopExceptions([exportName] { return std::string(exportName) + ": stopped"; },
                               fallback, std::forward<Work>(work));
}

stats::QsoArguments qsoArguments(const char* call, const COleDateTime* qsoTime,
                                 unsigned int frequencyHz, const char* mode, const char* hostText10,
                                 const char* hostText11, const char* sentSerial,
                                 const char* receivedExchange, const char* callPrefix,
                                 const char* dxccPrefix, const char* hostText30, const char* band) {
  stats::QsoArguments qso;
  qso.call = text(call);
  qso.qsoTime = stats::copyDateTime(qsoTime);
  qso.frequencyHz = frequencyHz;
  qso.mode = text(mode);
  qso.hostText10 = text(hostText10);
  qso.hostText11 = text(hostText11);
  qso.sentSerial = text(sentSerial);
  qso.receivedExchange = text(receivedExchange);
  qso.callPrefix = text(callPrefix);
  qso.dxccPrefix = text(dxccPrefix);
  qso.hostText30 = text(hostText30);
  qso.band = text(band);
  return qso;
}

}  // namespace

extern "C" {

STATS_EXPORT int STATS_CALL GetNumberOfSets(void) {
  return 1;
}

STATS_EXPORT const char* STATS_CALL GetSetName(int setIndex) {
  return setIndex == 0 ? stats::kSetName.data() : "";
}

// The exchange checks are the very function that counts the sets: every one answers 1, and with
// the caller cleaning the stack the differing parameter lists do no harm.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wattribute-alias"
#pragma GCC diagnostic ignored "-Wmissing-attributes"
STATS_EXPORT int STATS_CALL IsValidExchg0(const char*, const char*, const char*, const char*, int,
                                          int, int) __attribute__((alias("GetNumberOfSets")));
STATS_EXPORT int STATS_CALL GetExchgCount0(const char*, const char*, const char*)
    __attribute__((alias("GetNumberOfSets")));
#pragma GCC diagnostic pop

STATS_EXPORT void STATS_CALL SetupSet0(void) {
  guarded("SetupSet0", 0, [] {
    stats::theApp().plugin().setup();
    return 0;
  });
}

STATS_EXPORT int STATS_CALL ResetStats0(const char*, int exportRequest, const char* ownCall,
                                        COleDateTime*, COleDateTime*, const char*, const char*,
                                        const char*, const char*, const char*, const char*,
                                        const char*, const char*, const char*,
                                        const char* ownDxccPrefix, int, int, int, double, double,
                                        const char*, const char*, const char*) {
  guarded("ResetStats0", 0, [&] {
    return stats::theApp().plugin().resetStats(exportRequest, text(ownCall), text(ownDxccPrefix));
  });
  return 1;
}

STATS_EXPORT int STATS_CALL AddData0(
    const char*, const char* call, COleDateTime*, COleDateTime* qsoTime, COleDateTime*,
    COleDateTime*, unsigned int, unsigned int frequencyHz, const char* mode, const char* hostText10,
    const char* hostText11, const char* sentSerial, const char* receivedExchange, const char*,
    const char*, const char*, const char*, const char*, const char*, const char*, const char*,
    const char* callPrefix, const char* dxccPrefix, int, int, int, double, double, const char*,
    const char* hostText30, const char*, const char* band, const char*) {
  return guarded("AddData0", 0, [&] {
    return stats::theApp().plugin().addData(
        qsoArguments(call, qsoTime, frequencyHz, mode, hostText10, hostText11, sentSerial,
                     receivedExchange, callPrefix, dxccPrefix, hostText30, band));
  });
}

STATS_EXPORT int STATS_CALL RemoveData0(
    const char*, const char* call, COleDateTime*, COleDateTime* qsoTime, COleDateTime*,
    COleDateTime*, unsigned int, unsigned int frequencyHz, const char* mode, const char* hostText10,
    const char* hostText11, const char* sentSerial, const char* receivedExchange, const char*,
    const char*, const char*, const char*, const char*, const char*, const char*, const char*,
    const char* callPrefix, const char* dxccPrefix, int, int, int, double, double, const char*,
    const char* hostText30, const char*, const char* band, const char*) {
  return guarded("RemoveData0", 0, [&] {
    return stats::theApp().plugin().removeData(
        qsoArguments(call, qsoTime, frequencyHz, mode, hostText10, hostText11, sentSerial,
                     receivedExchange, callPrefix, dxccPrefix, hostText30, band));
  });
}

STATS_EXPORT int STATS_CALL CheckCall0(const char* call, unsigned int, unsigned int, const char*,
                                       const char*, const char*, const char*, const char*,
                                       const char*, const char*, const char*, const char*,
                                       const char* callPrefix, const char* dxccPrefix, int, int,
                                       int, double, double, const char*, const char*, const char*,
                                       const char*, const char*, const char* band,
                                       const char* secondBand, char* outputText, char*) {
  return guarded("CheckCall0", 1, [&] {
    stats::CallCheckArguments arguments;
    arguments.call = text(call);
    arguments.callPrefix = callPrefix;
    arguments.dxccPrefix = dxccPrefix;
    arguments.band = band;
    arguments.secondBand = secondBand;
    arguments.outputText = outputText;
    return stats::theApp().plugin().checkCall(arguments);
  });
}

STATS_EXPORT const char* STATS_CALL GetResult0(int* exportDone) {
  return guarded<const char*>("GetResult0", "",
                              [&] { return stats::theApp().plugin().getResult(exportDone); });
}

}  // extern "C"
