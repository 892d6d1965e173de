#include "core/numeric_settings.h"

namespace calc {
namespace {

constexpr NumericSettings kDefaults;

}  // namespace

constinit thread_local const NumericSettings* numeric_detail::current = &kDefaults;

void NumericSettings::SetAngleUnit(std::uint8_t unit) {
  angle_unit = unit;
  radian_flag = unit == kRadians ? 1 : 0;
  half_turn = unit == kDegrees ? 180.0 : 200.0;
}

NumericScope::NumericScope(const NumericSettings& settings) : saved_(numeric_detail::current) {
  numeric_detail::current = &settings;
}

NumericScope::~NumericScope() { numeric_detail::current = saved_; }

}  // namespace calc
