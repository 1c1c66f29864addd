// Runs a measurement in a forked child process and brings its figures back over a pipe. The
// plug-in's state lives as long as its process: a child of its own gives every measurement a
// plug-in that has never seen another side or another log.
#pragma once

#include <functional>
#include <optional>

#include "tools/bench/measurement.h"

namespace stats_bench {

// The figures `work` returns in the child; nothing when it failed (it says why on stderr).
std::optional<Figures> runInChild(const std::function<Figures()>& work);

}  // namespace stats_bench
