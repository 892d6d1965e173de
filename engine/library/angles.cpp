#include "library/angles.h"

#include "core/numeric_settings.h"
#include "core/status_codes.h"
#include "library/builtin_handlers.h"

namespace calc {
namespace {

constexpr double kPi = 3.14159265358979323846;

// The value converted from unit `from` to unit `to` (both parts alike).
int Convert(BuiltinCall& call, std::uint8_t from, std::uint8_t to) {
  CalcComplex z = call.values[0].ComplexView();
  ConvertAngle(z, from, to);
  call.SetComplex(z);
  return kDone;
}

std::uint8_t CurrentUnit() { return Numeric().angle_unit; }

}  // namespace

double AngleToRadians(double angle) {
  const NumericSettings& numeric = Numeric();
  return numeric.radian_flag ? angle : angle * kPi / numeric.half_turn;
}

double RadiansToAngle(double radians) {
  const NumericSettings& numeric = Numeric();
  return numeric.radian_flag ? radians : radians * numeric.half_turn / kPi;
}

CalcComplex AngleToRadians(const CalcComplex& angle) { return {AngleToRadians(angle.re), AngleToRadians(angle.im)}; }

CalcComplex RadiansToAngle(const CalcComplex& radians) {
  return {RadiansToAngle(radians.re), RadiansToAngle(radians.im)};
}

namespace builtins {

int A2d(BuiltinCall& call) { return Convert(call, CurrentUnit(), kDegrees); }
int A2g(BuiltinCall& call) { return Convert(call, CurrentUnit(), kGrads); }
int A2r(BuiltinCall& call) { return Convert(call, CurrentUnit(), kRadians); }
int D2a(BuiltinCall& call) { return Convert(call, kDegrees, CurrentUnit()); }
int D2g(BuiltinCall& call) { return Convert(call, kDegrees, kGrads); }
int D2r(BuiltinCall& call) { return Convert(call, kDegrees, kRadians); }
int G2a(BuiltinCall& call) { return Convert(call, kGrads, CurrentUnit()); }
int G2d(BuiltinCall& call) { return Convert(call, kGrads, kDegrees); }
int G2r(BuiltinCall& call) { return Convert(call, kGrads, kRadians); }
int R2a(BuiltinCall& call) { return Convert(call, kRadians, CurrentUnit()); }
int R2d(BuiltinCall& call) { return Convert(call, kRadians, kDegrees); }
int R2g(BuiltinCall& call) { return Convert(call, kRadians, kGrads); }

}  // namespace builtins
}  // namespace calc
