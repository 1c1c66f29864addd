// Fuzz target: the cross-check's reader of submitted Cabrillo logs, and the check of what it read
// against a second station's copy of it, on any bytes. Beyond surviving: the QSO lines and the
// unreadable ones come in line order, the station's call and every QSO's call are upper case and
// not empty, and the check gives one verdict per QSO line.
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "tools/zrv-score/cross_check.h"
#include "tools/zrv-score/submitted_log.h"

namespace {

void check(bool condition, const char* what) {
  if (!condition) {
    std::fprintf(stderr, "cabrillo fuzzer: %s\n", what);
    std::abort();
  }
}

bool upperCase(const std::string& text) {
  for (const char c : text) {
    if (std::islower(static_cast<unsigned char>(c))) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::string error;
  const auto log = zrv_score::readSubmittedLog(bytes, error);
  if (!log) {
    check(!error.empty(), "a log refused without a reason");
    return 0;
  }
  check(!log->callsign.empty() && upperCase(log->callsign), "the station's call");
  int last = 0;
  for (const zrv_score::SubmittedQso& qso : log->qsos) {
    check(qso.line > last, "QSO lines out of order");
    last = qso.line;
    check(!qso.call.empty() && upperCase(qso.call) && upperCase(qso.mode), "a QSO's call or mode");
  }
  last = 0;
  for (const auto& [line, problem] : log->unreadLines) {
    check(line > last && !problem.empty(), "unreadable lines out of order or without a reason");
    last = line;
  }
  // The same log sent by a second station too: each logs the other's QSOs.
  zrv_score::SubmittedLog other = *log;
  other.callsign += "X";
  const auto checked = zrv_score::crossCheck({*log, other}, 3);
  check(checked.size() == 2 && checked[0].verdicts.size() == log->qsos.size() &&
            checked[1].verdicts.size() == other.qsos.size(),
        "not one verdict per QSO line");
  return 0;
}
