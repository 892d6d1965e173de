// The engine's pseudo-random generator: the classic linear congruential one
// (seed = seed * 214013 + 2531011, each value bits 16..30 of the seed), so a
// seed gives the same sequence on every platform, whatever the C library's
// rand does. Values are 0..32767 (RAND_MAX); an unseeded generator starts
// from seed 1, as the C library's does.
#pragma once

#include <cstdint>

namespace calc {

class CalcRandom {
 public:
  static constexpr int kMax = 32767;

  void Seed(std::uint32_t seed) { state_ = seed; }
  int Next() {
    state_ = state_ * 214013u + 2531011u;
    return static_cast<int>((state_ >> 16) & 0x7fffu);
  }

 private:
  std::uint32_t state_ = 1;
};

}  // namespace calc
