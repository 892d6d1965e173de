// The engine-wide numeric settings: the kind values switch to on use, whether
// results may be complex, the frames-per-second of new times and the angle unit.
// One set per process; a CalcContext republishes them whenever its mode word or
// the angle unit changes, and every value operation reads them.
#pragma once

#include <cstdint>

namespace calc {

enum ValueKind : std::uint8_t { kKindComplex = 0, kKindFraction = 1, kKindTime = 2 };

enum AngleUnit : std::uint8_t { kRadians = 0, kDegrees = 1, kGrads = 2 };

struct NumericSettings {
  std::uint8_t current_kind = kKindComplex;
  std::uint8_t real_only = 1;
  double current_fps = 30.0;
  std::uint8_t angle_unit = kRadians;
  std::uint8_t radian_flag = 1;
  double half_turn = 200.0;  // 180 in degrees, else 200; read when radian_flag is 0
};

// The process-wide set.
NumericSettings& Numeric();

// Sets the angle unit together with its radian flag and half turn.
void SetAngleUnit(std::uint8_t unit);

}  // namespace calc
