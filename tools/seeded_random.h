// The tools' random numbers: splitmix64, reduced to ranges with plain integer arithmetic, so that
// a generator seeded alike writes the same bytes on every platform and compiler.
#pragma once

#include <cstdint>

namespace tools {

class Random {
 public:
  explicit Random(uint64_t seed) : state_(seed) {}

  uint64_t next() {
    state_ += 0x9E3779B97F4A7C15ull;
    uint64_t z = state_;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  // 0 to count - 1; count > 0. The modulo's bias is negligible for these small counts.
  uint32_t below(uint32_t count) { return static_cast<uint32_t>(next() % count); }
  // low to high, both included.
  int between(int low, int high) {
    return low + static_cast<int>(below(static_cast<uint32_t>(high - low + 1)));
  }
  // True with a probability of perMille / 1000.
  bool chance(uint32_t perMille) { return below(1000) < perMille; }

 private:
  uint64_t state_;
};

}  // namespace tools
