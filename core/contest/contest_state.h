// The plug-in's contest state: everything that lives from load to unload. Core functions take it
// as an argument; the one process-wide instance and its lock live in StatsPlugin
// (core/plugin/stats_plugin.h).
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/cabrillo/cabrillo_header.h"
#include "core/log/qso_store.h"
#include "core/rules/contest_rules.h"

namespace stats {

using TextList = std::vector<std::string>;
using PerBandLists = std::array<TextList, kContestBandCount>;  // one list per contest band index

struct ContestState {
  std::unique_ptr<QsoStore> qsoLog = makeIndexedQsoStore();
  BandList bandList;
  std::array<TextList, kContestBandCount>
      panelRows;  // live panel rows: band, mode, time, exchange, spare

  int belgianStation = 0;
  int cabrilloExport = 0;
  int multiplierWindowOn = 0;
  int startFlag = 0;
  std::string ownProvince;
  std::string ownMode;

  PerBandLists dxccByBand;
  PerBandLists euByBand;
  PerBandLists provinceByBand;
  // What the per-band lists were last filled from: the store's multiplier version of the band and
  // the side, so that a report refills only the lists that would change.
  struct ListSource {
    uint64_t version = 0;
    bool belgianStation = false;
    bool operator==(const ListSource&) const = default;
  };
  std::array<ListSource, kContestBandCount> listSources{};

  int32_t claimedScore = 0;
  std::string reportText;

  CabrilloState cabrilloState;
  int cwMode = 0;
};

}  // namespace stats
