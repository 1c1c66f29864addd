// The one table the benchmark prints: every figure of both builds side by side, with the targets
// the indexed store is held to.
#pragma once

#include <string>
#include <vector>

#include "tools/bench/contest_log.h"
#include "tools/bench/measurement.h"

namespace stats_bench {

// Both builds' figures for one log size and one side.
struct Measured {
  Side side;
  int qsos;
  Figures indexed;
  Figures linear;
};

struct Verdict {
  int targets = 0;                  // figures of the indexed store that have a target
  std::vector<std::string> missed;  // one line for each target it misses
};

// Prints the table (Markdown, so that it can go into the README as it is) to stdout.
Verdict printTable(const std::vector<Measured>& results);

}  // namespace stats_bench
