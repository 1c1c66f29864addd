// What each verdict of the cross-check does to a log's checked score: whether its QSO is kept,
// and the points taken off besides. A sponsor's own rule (an extra penalty for a busted call, say)
// is a change of one line of this table.
#pragma once

#include "tools/zrv-score/cross_check.h"

namespace zrv_score {

struct VerdictPolicy {
  Outcome outcome;
  bool kept;          // the QSO is scored in the checked score
  int penaltyPoints;  // points taken off the checked score besides
};

inline constexpr VerdictPolicy kCheckPolicy[] = {
    {Outcome::good, true, 0},
    {Outcome::unchecked, true, 0},
    {Outcome::bustedExchange, false, 0},
    {Outcome::bustedCall, false, 0},
    {Outcome::nil, false, 0},
    {Outcome::unique, false, 0},
    {Outcome::dupe, false, 0},
    {Outcome::xQso, false, 0},
};

// The row of an outcome; an outcome without one scores nothing.
inline VerdictPolicy policyOf(Outcome outcome) {
  for (const VerdictPolicy& policy : kCheckPolicy) {
    if (policy.outcome == outcome) return policy;
  }
  return {outcome, false, 0};
}

}  // namespace zrv_score
