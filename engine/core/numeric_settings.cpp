#include "core/numeric_settings.h"

namespace calc {

NumericSettings& Numeric() {
  static NumericSettings settings;
  return settings;
}

void SetAngleUnit(std::uint8_t unit) {
  NumericSettings& s = Numeric();
  s.angle_unit = unit;
  s.radian_flag = unit == kRadians ? 1 : 0;
  s.half_turn = unit == kDegrees ? 180.0 : 200.0;
}

}  // namespace calc
