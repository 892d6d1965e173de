// The trigonometric, hyperbolic, exponential and logarithmic built-ins,
// powers and roots: each takes the complex view of its argument, runs the
// complex routine in the current mode and stores the result in the current
// kind. The functions with a domain warning of their own report it here.
#include <cmath>

#include "core/arithmetic.h"
#include "core/status_codes.h"
#include "library/angles.h"
#include "library/builtin_handlers.h"
#include "library/complex_functions.h"

namespace calc::builtins {
namespace {

using Routine = CalcComplex (*)(const CalcComplex&, bool, DomainEvents&);

CalcComplex Apply(BuiltinCall& call, Routine routine, const CalcComplex& z) {
  return routine(z, BuiltinCall::ComplexMode(), call.events);
}

// f(x) for an argument that is no angle and a result that is none.
int Plain(BuiltinCall& call, Routine routine) {
  call.SetComplex(Apply(call, routine, call.values[0].ComplexView()));
  return kDone;
}

// sin, cos, tan: the argument is an angle in the current unit.
int OfAngle(BuiltinCall& call, Routine routine) {
  call.SetComplex(Apply(call, routine, AngleToRadians(call.values[0].ComplexView())));
  return kDone;
}

// asin, acos, atan: the result is an angle in the current unit.
int ToAngle(BuiltinCall& call, Routine routine, int warning) {
  call.SetComplex(RadiansToAngle(Apply(call, routine, call.values[0].ComplexView())));
  if (warning != 0) call.ReportDomainEvents(warning);
  return kDone;
}

// A function with a domain warning of its own.
int Warned(BuiltinCall& call, Routine routine, int warning) {
  Plain(call, routine);
  call.ReportDomainEvents(warning);
  return kDone;
}

}  // namespace

int Sin(BuiltinCall& call) { return OfAngle(call, ComplexSin); }
int Cos(BuiltinCall& call) { return OfAngle(call, ComplexCos); }
int Tan(BuiltinCall& call) { return OfAngle(call, ComplexTan); }
int Asin(BuiltinCall& call) { return ToAngle(call, ComplexAsin, W_ASIN); }
int Acos(BuiltinCall& call) { return ToAngle(call, ComplexAcos, W_ACOS); }
int Atan(BuiltinCall& call) { return ToAngle(call, ComplexAtan, 0); }

int Atan2(BuiltinCall& call) {
  call.SetReal(RadiansToAngle(std::atan2(call.values[0].ToReal(), call.values[1].ToReal())));
  return kDone;
}

int Sinh(BuiltinCall& call) { return Plain(call, ComplexSinh); }
int Cosh(BuiltinCall& call) { return Plain(call, ComplexCosh); }
int Tanh(BuiltinCall& call) { return Plain(call, ComplexTanh); }
int Asinh(BuiltinCall& call) { return Plain(call, ComplexAsinh); }
int Acosh(BuiltinCall& call) { return Warned(call, ComplexAcosh, W_ACOSH); }
int Atanh(BuiltinCall& call) { return Warned(call, ComplexAtanh, W_ATANH); }
int Exp(BuiltinCall& call) { return Plain(call, ComplexExp); }
int Exp10(BuiltinCall& call) { return Plain(call, ComplexExp10); }
int Log(BuiltinCall& call) { return Warned(call, ComplexLog, W_LOG); }
int Log10(BuiltinCall& call) { return Warned(call, ComplexLog10, W_LOG10); }
int Sqrt(BuiltinCall& call) { return Warned(call, ComplexSqrt, W_SQRT); }

int Pow(BuiltinCall& call) {
  call.SetComplex(ComplexPow(call.values[0].ComplexView(), call.values[1].ComplexView(),
                             BuiltinCall::ComplexMode(), call.events));
  return kDone;
}

// The square in the value's own arithmetic, so that a fraction stays exact.
int Sqr(BuiltinCall& call) {
  call.SetValue(ValueMultiply(call.values[0], call.values[0]));
  return kDone;
}

}  // namespace calc::builtins
