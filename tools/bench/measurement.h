// The figures of one build of the plug-in for one log size and one side of the contest, taken in
// the calling process, which must not have loaded the plug-in before (its state is process-wide,
// and a station once Belgian stays Belgian).
#pragma once

#include <cstdint>
#include <string>
#include <type_traits>
#include <vector>

#include "tools/bench/contest_log.h"

namespace stats_bench {

// How often each timed batch runs; every figure is the median over its batches.
struct Repetitions {
  int replays = 1;
  int checkBatches = 1;
  int checksPerBatch = 1;
  int resultPairs = 1;
  int removalBatches = 1;
  int removalsPerBatch = 1;
};

struct Figures {
  double replayNsPerQso = 0;  // ResetStats0 and AddData0 of every QSO, CPU time per QSO
  double bytesPerQso = 0;     // resident-set growth over the first replay, per QSO
  double checkNs = 0;         // CheckCall0, per call
  double resultNs = 0;        // GetResult0, per call, with its write of "Claimed"
  double claimedWriteNs = 0;  // that write on its own, through the same settings code
  double resultOnlyNs = 0;    // median of GetResult0 minus the write paired with it
  double removeNs = 0;        // RemoveData0 of a record in the middle of the log
  int32_t claimedScore = 0;   // what GetResult0 stored: both builds must agree
  int32_t wrongAnswers = 0;   // call checks that did not answer what the log implies
  int32_t refusedCalls = 0;   // AddData0 / RemoveData0 that did not accept a QSO
};
static_assert(std::is_trivially_copyable_v<Figures>, "sent through a pipe as bytes");

Figures measure(const std::string& libraryPath, Side side, int qsoCount, const Repetitions& reps);

// Wall time of writing "Claimed" with a value other than the stored one, through the plug-in's
// settings code, in a scratch folder: the file is then rewritten and flushed to disk, as it is by
// the first report after each new QSO. Median of `writes`.
double changedClaimedWriteNs(int writes);

// The median of each figure over rounds measured alike; the counts of failures add up. The
// claimed score is the first round's: the same log always scores the same.
Figures medianOf(const std::vector<Figures>& rounds);

}  // namespace stats_bench
