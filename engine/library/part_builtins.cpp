// Classification, rounding and the parts of a value. A fraction (or a time)
// stays in its own kind where the function leaves its value exact (abs, real,
// conjg, norm), so that 1/3 does not come back as a rounded decimal.
#include <algorithm>
#include <cmath>

#include "core/arithmetic.h"
#include "core/status_codes.h"
#include "core/truncation.h"
#include "library/angles.h"
#include "library/builtin_handlers.h"

namespace calc::builtins {
namespace {

bool IsComplexKind(const CalcValue& v) { return v.kind() == kKindComplex; }

// Beyond this power of two every finite double is 0 or infinite, so a larger
// exponent gives the same result and stays inside an int.
constexpr std::int64_t kLargestScale = 4096;

int SetFlag(BuiltinCall& call, bool on) {
  call.SetReal(on ? 1.0 : 0.0);
  return kDone;
}

int AssignTarget(BuiltinCall& call, double value) {
  return AssignVariable(call.engine(), call.target, CalcValue::FromReal(value));
}

}  // namespace

int Isinf(BuiltinCall& call) { return SetFlag(call, std::isinf(call.values[0].ToReal())); }
int Isnan(BuiltinCall& call) { return SetFlag(call, std::isnan(call.values[0].ToReal())); }

int Ceil(BuiltinCall& call) {
  call.SetReal(std::ceil(call.values[0].ToReal()));
  return kDone;
}

int Floor(BuiltinCall& call) {
  call.SetReal(std::floor(call.values[0].ToReal()));
  return kDone;
}

int Int(BuiltinCall& call) {
  call.SetReal(std::trunc(call.values[0].ToReal()));
  return kDone;
}

int Abs(BuiltinCall& call) {
  const CalcValue& v = call.values[0];
  if (IsComplexKind(v)) {
    const CalcComplex z = v.ComplexView();
    call.SetReal(z.im == 0.0 ? std::fabs(z.re) : std::hypot(z.re, z.im));
  } else {
    call.SetValue(v.ToReal() < 0.0 ? v.Negate() : v);
  }
  return kDone;
}

int Ldexp(BuiltinCall& call) {
  const std::int64_t n = std::clamp(TruncToInt64(call.values[1].ToReal()), -kLargestScale, kLargestScale);
  const int exponent = static_cast<int>(n);
  const CalcComplex z = call.values[0].ComplexView();
  call.SetComplex({std::ldexp(z.re, exponent), std::ldexp(z.im, exponent)});
  return kDone;
}

int Frexp(BuiltinCall& call) {
  int exponent = 0;
  const double mantissa = std::frexp(call.values[0].ToReal(), &exponent);
  if (const int status = AssignTarget(call, exponent)) return status;
  call.SetReal(mantissa);
  return kDone;
}

int Modf(BuiltinCall& call) {
  double integral = 0.0;
  const double fraction = std::modf(call.values[0].ToReal(), &integral);
  if (const int status = AssignTarget(call, integral)) return status;
  call.SetReal(fraction);
  return kDone;
}

int Real(BuiltinCall& call) {
  const CalcValue& v = call.values[0];
  if (IsComplexKind(v))
    call.SetReal(v.ComplexView().re);
  else
    call.SetValue(v);
  return kDone;
}

int Imag(BuiltinCall& call) {
  call.SetReal(call.values[0].ComplexView().im);
  return kDone;
}

int Arg(BuiltinCall& call) {
  const CalcComplex z = call.values[0].ComplexView();
  call.SetReal(RadiansToAngle(std::atan2(z.im, z.re)));
  return kDone;
}

int Norm(BuiltinCall& call) {
  const CalcValue& v = call.values[0];
  if (v.kind() == kKindFraction) {
    call.SetValue(ValueMultiply(v, v));
  } else {
    const CalcComplex z = v.ComplexView();
    call.SetReal(z.re * z.re + z.im * z.im);
  }
  return kDone;
}

int Conjg(BuiltinCall& call) {
  const CalcValue& v = call.values[0];
  if (IsComplexKind(v)) {
    const CalcComplex z = v.ComplexView();
    call.SetComplex({z.re, -z.im});
  } else {
    call.SetValue(v);
  }
  return kDone;
}

int Polar(BuiltinCall& call) {
  const double r = call.values[0].ToReal();
  const double angle = AngleToRadians(call.values[1].ToReal());
  call.SetComplex({r * std::cos(angle), r * std::sin(angle)});
  return kDone;
}

int Num(BuiltinCall& call) {
  const CalcFraction f = call.values[0].FractionView();
  const double n = static_cast<double>(f.num);
  call.SetReal(f.sign ? -n : n);
  return kDone;
}

int Denom(BuiltinCall& call) {
  call.SetReal(static_cast<double>(call.values[0].FractionView().den));
  return kDone;
}

}  // namespace calc::builtins
