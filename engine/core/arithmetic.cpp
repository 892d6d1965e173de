#include "core/arithmetic.h"

#include <cmath>
#include <cstdint>

#include "core/truncation.h"

namespace calc {
namespace {

constexpr long double kTermMax = 4294967295.0L;
constexpr long double kTwo64 = 18446744073709551616.0L;

// True when |x| is a whole number a 32-bit term holds exactly; `whole` gets it.
bool WholeMagnitude(double x, std::uint32_t& whole) {
  const double magnitude = std::fabs(x);
  whole = TruncToUint32(magnitude);
  return magnitude == static_cast<double>(whole);
}

std::uint64_t Gcd64(std::uint64_t a, std::uint64_t b) {
  while (b != 0) {
    const std::uint64_t r = a % b;
    a = b;
    b = r;
  }
  return a;
}

// Cancels the common factors of n/d while both are whole numbers below 2^64.
// A product or sum of 32-bit terms can exceed 32 bits and still reduce to a
// ratio that fits; cancelling before the clamp keeps such a result exact.
void CancelCommonFactors(long double& n, long double& d) {
  if (!(n >= 0 && n < kTwo64 && d >= 0 && d < kTwo64)) return;
  if (n != std::floor(n) || d != std::floor(d)) return;
  const auto whole_n = static_cast<std::uint64_t>(n);
  const auto whole_d = static_cast<std::uint64_t>(d);
  const std::uint64_t g = Gcd64(whole_n, whole_d);
  if (g <= 1) return;
  n = static_cast<long double>(whole_n / g);
  d = static_cast<long double>(whole_d / g);
}

// The scaled numerator L * num / den of a fraction over a common multiple L of
// its denominator; exact, since L / den <= 2^32 - 1 and so is num.
std::uint64_t OverCommonDenominator(const CalcFraction& f, std::uint64_t l) {
  return l / f.den * f.num;
}

// t +/- u field by field in the current fps: same signs add, opposite signs
// subtract and normalisation moves a negative difference into the sign.
void CombineTimes(CalcTime& t, CalcTime u) {
  const double fps = Numeric().current_fps;
  ChangeFps(t, fps);
  ChangeFps(u, fps);
  if (t.sign == u.sign) {
    t.hours += u.hours;
    t.minutes += u.minutes;
    t.seconds += u.seconds;
    t.frames += u.frames;
  } else {
    t.hours -= u.hours;
    t.minutes -= u.minutes;
    t.seconds -= u.seconds;
    t.frames -= u.frames;
  }
  NormalizeTime(t);
}

// v += w, or v -= w when `negate` is set (w taken with its sign reversed in
// its own kind). v is brought into the current kind first; the primitive is
// chosen by v's kind and w's kind.
void AddValues(CalcValue& v, const CalcValue& w, bool negate) {
  v.Sync();
  // w may be v itself: read it only after the switch above.
  const std::uint8_t w_kind = w.kind();
  const double w_real = negate ? -w.ToReal() : w.ToReal();
  switch (v.kind()) {
    case kKindComplex: {
      CalcComplex& c = v.AsComplex();
      const double w_imag = w_kind == kKindComplex ? w.ComplexView().im : 0.0;
      c.re += w_real;
      c.im += negate ? -w_imag : w_imag;
      break;
    }
    case kKindFraction:
      if (w_kind == kKindFraction) {
        CalcFraction b = w.FractionView();
        if (negate) b.sign ^= 1;
        FractionAdd(v.AsFraction(), b);
      } else {
        FractionAddReal(v.AsFraction(), w_real);
      }
      break;
    default:
      if (w_kind == kKindTime) {
        CalcTime u = w.TimeView();
        if (negate) u.sign ^= 1;
        TimeAdd(v.AsTime(), u);
      } else {
        TimeAddReal(v.AsTime(), w_real);
      }
      break;
  }
}

}  // namespace

// --- fractions ----------------------------------------------------------------

void ClampAndReduce(CalcFraction& f, long double numerator, long double denominator) {
  CancelCommonFactors(numerator, denominator);
  if (numerator > denominator && numerator > kTermMax) {
    f.num = 4294967295u;
    f.den = TruncToUint32(denominator * kTermMax / numerator);
  } else if (denominator > kTermMax) {  // and so numerator <= denominator
    f.den = 4294967295u;
    f.num = TruncToUint32(numerator * kTermMax / denominator);
  } else {
    f.num = TruncToUint32(numerator);
    f.den = TruncToUint32(denominator);
  }
  ReduceFraction(f);
}

void FractionAdd(CalcFraction& a, const CalcFraction& b_in) {
  const CalcFraction b = b_in;  // b may be a itself
  if (a.den == 0 || b.den == 0) {
    // An infinite (or undefined) operand decides the sum: an infinity plus any
    // finite number keeps the infinity and its sign. Opposite infinities give
    // the undefined 0/0.
    if (a.den == 0 && b.den == 0) {
      if (a.sign != b.sign) {
        a.num = 0;
      }
    } else if (b.den == 0) {
      a = b;
    }
    return;
  }
  const std::uint64_t l = FractionLcm(a.den, b.den);
  const std::uint64_t ta = OverCommonDenominator(a, l);
  const std::uint64_t tb = OverCommonDenominator(b, l);
  if (a.sign == b.sign) {
    // The sum of two terms below 2^64 may round in the last bit; it is then far
    // beyond what 32-bit terms hold anyway.
    ClampAndReduce(a, static_cast<long double>(ta) + static_cast<long double>(tb),
                   static_cast<long double>(l));
  } else if (ta >= tb) {
    ClampAndReduce(a, static_cast<long double>(ta - tb), static_cast<long double>(l));
  } else {
    a.sign ^= 1;
    ClampAndReduce(a, static_cast<long double>(tb - ta), static_cast<long double>(l));
  }
}

void FractionSubtract(CalcFraction& a, const CalcFraction& b) {
  CalcFraction negated = b;
  negated.sign ^= 1;
  FractionAdd(a, negated);
}

void FractionAddReal(CalcFraction& a, double x) {
  std::uint32_t whole;
  if (!WholeMagnitude(x, whole)) {
    FractionAdd(a, RealToFraction(x));
    return;
  }
  // |x| * den is below 2^64 and a.num below 2^32, so the difference is exact.
  const long double scaled = static_cast<long double>(std::uint64_t{whole} * a.den);
  const long double den = a.den;
  if ((x < 0) == (a.sign == 1)) {
    ClampAndReduce(a, scaled + a.num, den);
    return;
  }
  const long double m = a.num - scaled;
  if (m >= 0) {
    ClampAndReduce(a, m, den);
  } else {
    a.sign ^= 1;
    ClampAndReduce(a, -m, den);
  }
}

void FractionMultiply(CalcFraction& a, const CalcFraction& b) {
  const std::uint8_t sign = a.sign ^ b.sign;
  const std::uint64_t n = std::uint64_t{a.num} * b.num;
  const std::uint64_t d = std::uint64_t{a.den} * b.den;
  ClampAndReduce(a, static_cast<long double>(n), static_cast<long double>(d));
  a.sign = sign;
}

void FractionMultiplyReal(CalcFraction& a, double x) {
  std::uint32_t whole;
  if (!WholeMagnitude(x, whole)) {
    FractionMultiply(a, RealToFraction(x));
    return;
  }
  const std::uint8_t sign = a.sign ^ (x < 0 ? 1 : 0);
  ClampAndReduce(a, static_cast<long double>(std::uint64_t{whole} * a.num), a.den);
  a.sign = sign;
}

void FractionDivide(CalcFraction& a, const CalcFraction& b) {
  const std::uint8_t sign = a.sign ^ b.sign;
  const std::uint64_t n = std::uint64_t{a.num} * b.den;
  const std::uint64_t d = std::uint64_t{a.den} * b.num;
  ClampAndReduce(a, static_cast<long double>(n), static_cast<long double>(d));
  a.sign = sign;
}

void FractionDivideReal(CalcFraction& a, double x) {
  std::uint32_t whole;
  CalcFraction divisor;
  if (WholeMagnitude(x, whole)) {
    divisor.sign = x < 0 ? 1 : 0;
    divisor.num = whole;
    divisor.den = 1;
  } else {
    divisor = RealToFraction(x);
  }
  FractionDivide(a, divisor);
}

// --- times --------------------------------------------------------------------

void TimeAdd(CalcTime& t, const CalcTime& u) { CombineTimes(t, u); }

void TimeSubtract(CalcTime& t, const CalcTime& u) {
  CalcTime negated = u;
  negated.sign ^= 1;
  CombineTimes(t, negated);
}

void TimeAddReal(CalcTime& t, double seconds) {
  // The time of |seconds| carries the sign of seconds: CombineTimes adds it
  // when the signs agree and subtracts it otherwise.
  CombineTimes(t, RealToTime(seconds, Numeric().current_fps));
}

void TimeMultiplyReal(CalcTime& t, double x) {
  ChangeFps(t, Numeric().current_fps);
  t.hours *= x;
  t.minutes *= x;
  t.seconds *= x;
  t.frames *= x;
  NormalizeTime(t);
}

void TimeDivideReal(CalcTime& t, double x) {
  ChangeFps(t, Numeric().current_fps);
  t.hours /= x;
  t.minutes /= x;
  t.seconds /= x;
  t.frames /= x;
  NormalizeTime(t);
}

// --- complex ------------------------------------------------------------------

CalcComplex ComplexDivide(const CalcComplex& dividend, const CalcComplex& divisor) {
  const double a = dividend.re;
  const double b = dividend.im;
  const double c = divisor.re;
  const double d = divisor.im;
  if (d == 0.0) return {a / c, b / c};
  // Scaling by the larger component keeps c^2 + d^2 from overflowing or
  // vanishing when the divisor is very large or very small.
  if (std::fabs(d) > std::fabs(c)) {
    const double r = c / d;
    const double h = d + c * r;
    return {(a * r + b) / h, (b * r - a) / h};
  }
  const double r = d / c;
  const double h = c + d * r;
  return {(a + b * r) / h, (b - a * r) / h};
}

// --- values -------------------------------------------------------------------

void ValueAdd(CalcValue& v, const CalcValue& w) { AddValues(v, w, false); }

void ValueSubtract(CalcValue& v, const CalcValue& w) { AddValues(v, w, true); }

CalcValue ValueMultiply(const CalcValue& v, const CalcValue& w) {
  CalcValue product(v);
  product.Sync();
  const std::uint8_t w_kind = w.kind();
  const double w_real = w.ToReal();
  switch (product.kind()) {
    case kKindComplex: {
      CalcComplex& p = product.AsComplex();
      const double w_imag = w_kind == kKindComplex ? w.ComplexView().im : 0.0;
      if (w_imag == 0.0) {
        // A real factor scales both parts, so an infinite part meets no 0 * inf.
        p.re *= w_real;
        p.im *= w_real;
      } else {
        const CalcComplex z = p;
        p.re = z.re * w_real - z.im * w_imag;
        p.im = z.re * w_imag + z.im * w_real;
      }
      break;
    }
    case kKindFraction:
      if (w_kind == kKindFraction) FractionMultiply(product.AsFraction(), w.FractionView());
      else FractionMultiplyReal(product.AsFraction(), w_real);
      break;
    default:
      TimeMultiplyReal(product.AsTime(), w_real);
      break;
  }
  return product;
}

void ValueDivide(CalcValue& v, const CalcValue& w) {
  v.Sync();
  // w may be v itself: read it only after the switch above.
  if (v.kind() == kKindFraction && w.kind() == kKindFraction) {
    FractionDivide(v.AsFraction(), w.FractionView());
  } else if (v.kind() == kKindComplex && w.kind() == kKindComplex) {
    const CalcComplex divisor = w.ComplexView();
    v.AsComplex() = ComplexDivide(v.AsComplex(), divisor);
  } else {
    ValueDivideReal(v, w.ToReal());
  }
}

void ValueAddReal(CalcValue& v, double x) {
  switch (v.Sync()) {
    case kKindComplex: v.AsComplex().re += x; break;
    case kKindFraction: FractionAddReal(v.AsFraction(), x); break;
    default: TimeAddReal(v.AsTime(), x); break;
  }
}

void ValueSubtractReal(CalcValue& v, double x) { ValueAddReal(v, -x); }

void ValueDivideReal(CalcValue& v, double x) {
  switch (v.Sync()) {
    case kKindComplex: {
      CalcComplex& c = v.AsComplex();
      c.re /= x;
      c.im /= x;
      break;
    }
    case kKindFraction: FractionDivideReal(v.AsFraction(), x); break;
    default: TimeDivideReal(v.AsTime(), x); break;
  }
}

}  // namespace calc
