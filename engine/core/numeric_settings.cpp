#include "core/numeric_settings.h"

namespace calc {
namespace {

const NumericSettings kDefaults;
thread_local const NumericSettings* current = &kDefaults;

}  // namespace

void NumericSettings::SetAngleUnit(std::uint8_t unit) {
  angle_unit = unit;
  radian_flag = unit == kRadians ? 1 : 0;
  half_turn = unit == kDegrees ? 180.0 : 200.0;
}

const NumericSettings& Numeric() { return *current; }

NumericScope::NumericScope(const NumericSettings& settings) : saved_(current) { current = &settings; }

NumericScope::~NumericScope() { current = saved_; }

}  // namespace calc
