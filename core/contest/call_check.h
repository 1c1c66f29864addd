// The call check: is the call being entered a repeat on its band, or a new multiplier there?
#pragma once

#include <string_view>

#include "core/contest/contest_state.h"

namespace stats {

enum CallCheckCode : int {
  kRepeat = 0,
  kNotNew = 1,
  kNewMultiplier = 2,
  kBandsDiffer = 4,
};

// The check's arguments; a null pointer is kept as null where it means something.
struct CallCheckArguments {
  std::string_view call;
  const char* callPrefix = nullptr;
  const char* dxccPrefix = nullptr;
  const char* band = nullptr;
  const char* secondBand = nullptr;
  char* outputText = nullptr;  // at least 50 bytes, or null
};

// True when both band names are given and differ without regard to ASCII letter case: the check
// is then refused with kBandsDiffer and nothing else happens.
bool bandsDiffer(const char* band, const char* secondBand);

// The repeat and multiplier test (everything after the band test).
int checkCall(const ContestState& state, const CallCheckArguments& arguments);

}  // namespace stats
