// Logging QSOs into a contest state the way the host would, for tests of what reads the log.
#pragma once

#include <gtest/gtest.h>

#include <string_view>

#include "core/contest/qso_accounting.h"

namespace stats_test {

// A CW QSO with these values; serial 1 sent.
inline stats::QsoArguments cwQso(std::string_view call, std::string_view dxcc,
                                 std::string_view band, std::string_view received = "5",
                                 std::string_view prefix = "") {
  stats::QsoArguments qso;
  qso.call = call;
  qso.mode = "CW";
  qso.sentSerial = "1";
  qso.receivedExchange = received;
  qso.dxccPrefix = dxcc;
  qso.callPrefix = prefix;
  qso.band = band;
  return qso;
}

inline void logQso(stats::ContestState& state, std::string_view call, std::string_view dxcc,
                   std::string_view band, std::string_view received = "5",
                   std::string_view prefix = "") {
  ASSERT_EQ(stats::addQso(state, cwQso(call, dxcc, band, received, prefix)), 1);
}

}  // namespace stats_test
