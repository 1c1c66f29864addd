// Logging QSOs into a contest state the way the host would, for tests of what reads the log.
#pragma once

#include <gtest/gtest.h>

#include <string_view>

#include "core/contest/qso_accounting.h"

namespace stats_test {

inline void logQso(stats::ContestState& state, std::string_view call, std::string_view dxcc,
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
  ASSERT_EQ(stats::addQso(state, qso), 1);
}

}  // namespace stats_test
