#include "core/value.h"

#include <cmath>
#include <limits>

#include "core/modes.h"
#include "core/status_codes.h"
#include "core/truncation.h"

namespace calc {
namespace {

constexpr double kOneOver3600 = 1.0 / 3600.0;
constexpr double kOneOver60 = 1.0 / 60.0;
constexpr double kOneOver180 = 1.0 / 180.0;
constexpr double kOneOver200 = 1.0 / 200.0;
constexpr double kPi = 3.14159265358979323846;
constexpr double kU32Max = 4294967295.0;

// Division rounded toward minus infinity, as the upward carries need it.
double FloorQuotient(double a, double b) { return std::floor(a / b); }

}  // namespace

// --- fractions ----------------------------------------------------------------

double FractionToReal(const CalcFraction& f) {
  const double n = static_cast<double>(f.num);
  return (f.sign ? -n : n) / static_cast<double>(f.den);
}

std::uint32_t FractionGcd(std::uint32_t a, std::uint32_t b) {
  while (b != 0) {
    const std::uint32_t r = a % b;
    a = b;
    b = r;
  }
  return a;
}

std::uint64_t FractionLcm(std::uint32_t a, std::uint32_t b) {
  const std::uint32_t g = FractionGcd(a, b);
  if (g == 0) return 0;
  return static_cast<std::uint64_t>(a) / g * b;
}

void ReduceFraction(CalcFraction& f) {
  const std::uint32_t g = FractionGcd(f.num, f.den);
  if (g == 0) return;
  f.num /= g;
  f.den /= g;
}

namespace {

// The smallest i >= 0 with x * 10^i integral, and that product. The product is
// formed in double exactly as the test sees it: widening first would turn
// 0.3 * 10 into 2.999... and truncate it to the wrong numerator.
struct DecimalScale {
  int count;
  double scale;
  double scaled;
};

DecimalScale FindDecimalScale(double x) {
  if (!std::isfinite(x)) return {0, 1.0, x};
  double scale = 1.0;
  for (int i = 0; i < kMaxDecimalCount; ++i) {
    const double scaled = x * scale;
    double whole;
    if (std::modf(scaled, &whole) == 0.0) return {i, scale, scaled};
    scale *= 10.0;
  }
  return {kMaxDecimalCount, scale, x * scale};
}

}  // namespace

int DecimalCount(double x) { return FindDecimalScale(x).count; }

CalcFraction RealToFraction(double x) {
  CalcFraction f;
  f.sign = x < 0 ? 1 : 0;
  x = std::fabs(x);
  const std::uint32_t whole = TruncToUint32(x);
  if (x == static_cast<double>(whole)) {
    f.num = whole;
    f.den = 1;
    return f;
  }
  // Scale by the decimal count, then fit both terms into 32 bits keeping
  // their ratio (the comparisons and the rescaling run in extended precision).
  const DecimalScale decimal = FindDecimalScale(x);
  const long double s = decimal.scale;
  const long double n = decimal.scaled;
  constexpr long double kMax = kU32Max;
  if (n > s && n > kMax) {
    f.num = 4294967295u;
    f.den = TruncToUint32(s * kMax / n);
  } else if (s >= n && s > kMax) {
    f.den = 4294967295u;
    f.num = TruncToUint32(n * kMax / s);
  } else {
    f.num = TruncToUint32(n);
    f.den = TruncToUint32(s);
  }
  ReduceFraction(f);
  return f;
}

// --- times --------------------------------------------------------------------

double TimeToSeconds(const CalcTime& t) {
  const double s = t.frames / t.fps + t.minutes * 60.0 + t.hours * 3600.0 + t.seconds;
  return t.sign ? -s : s;
}

double TimeToHours(const CalcTime& t) {
  return ((t.frames / t.fps + t.seconds) * kOneOver3600) + t.minutes * kOneOver60 + t.hours;
}

double TimeToMinutes(const CalcTime& t) {
  return (t.frames / t.fps + t.seconds) * kOneOver60 + t.minutes;
}

CalcTime RealToTime(double x, double fps) {
  CalcTime t;
  t.fps = fps;
  if (x < 0) {
    t.sign = 1;
    x = -x;
  }
  const std::uint32_t w = TruncToUint32(x);
  const std::uint32_t hours = w / 3600;
  t.hours = hours;
  x -= static_cast<double>(hours) * 3600.0;
  const std::uint32_t minutes = TruncToUint32(x) / 60;
  t.minutes = minutes;
  x -= static_cast<double>(minutes) * 60.0;
  t.seconds = static_cast<double>(TruncToUint32(x));
  t.frames = (x - t.seconds) * fps;
  return t;
}

void NormalizeTime(CalcTime& t) {
  // Carry fractions downward.
  const double h = TruncToInt32(t.hours);
  t.minutes += (t.hours - h) * 60.0;
  t.hours = h;
  const double m = TruncToInt32(t.minutes);
  t.seconds += (t.minutes - m) * 60.0;
  t.minutes = m;
  const double s = TruncToInt32(t.seconds);
  t.frames += (t.seconds - s) * t.fps;
  t.seconds = s;
  // Carry upward; a negative total leaves negative hours, which are turned
  // into magnitudes with the sign flipped. One flip always suffices for finite
  // fields; the bound keeps NaN (which never compares >= 0) from looping.
  for (int pass = 0; pass < 2; ++pass) {
    double q = FloorQuotient(t.frames, t.fps);
    t.seconds += q;
    t.frames -= q * t.fps;
    q = FloorQuotient(t.seconds, 60.0);
    t.minutes += q;
    t.seconds -= 60.0 * q;
    q = FloorQuotient(t.minutes, 60.0);
    t.hours += q;
    t.minutes -= 60.0 * q;
    if (!(t.hours < 0)) return;
    t.hours = -t.hours;
    t.minutes = -t.minutes;
    t.seconds = -t.seconds;
    t.frames = -t.frames;
    t.sign ^= 1;
  }
}

void ChangeFps(CalcTime& t, double fps) {
  if (t.fps == fps) return;
  t.frames = fps * t.frames / t.fps;
  t.fps = fps;
  NormalizeTime(t);
}

// --- angles -------------------------------------------------------------------

void ConvertAngle(CalcComplex& c, std::uint8_t from, std::uint8_t to) {
  if (from == to) return;
  double factor = 1.0;
  if (from == kDegrees) factor = to == kGrads ? 200.0 * kOneOver180 : kPi * kOneOver180;
  else if (from == kGrads) factor = to == kDegrees ? 180.0 * kOneOver200 : kPi * kOneOver200;
  else factor = to == kDegrees ? 180.0 / kPi : 200.0 / kPi;
  c.re *= factor;
  c.im *= factor;
}

// --- CalcValue ----------------------------------------------------------------

CalcValue::CalcValue(const CalcFraction& f) : CalcValue() {
  fraction_ = f;
  kind_ = kKindFraction;
  Sync();
}

CalcValue::CalcValue(const CalcTime& t) : CalcValue() {
  time_ = t;
  ChangeFps(time_, Numeric().current_fps);
  kind_ = kKindTime;
  Sync();
}

CalcValue CalcValue::FromReal(double x) {
  CalcValue v;
  v.SetReal(x);
  return v;
}

void CalcValue::ConvertTo(std::uint8_t kind) {
  switch (kind) {
    case kKindComplex: complex_ = ComplexView(); break;
    case kKindFraction: fraction_ = FractionView(); break;
    default: time_ = TimeView(); break;
  }
  kind_ = kind;
}

CalcComplex CalcValue::ComplexView() const {
  switch (kind_) {
    case kKindComplex: return complex_;
    case kKindFraction: return {FractionToReal(fraction_), 0.0};
    default: return {TimeToSeconds(time_), 0.0};
  }
}

CalcFraction CalcValue::FractionView() const {
  switch (kind_) {
    case kKindFraction: return fraction_;
    case kKindComplex: return RealToFraction(complex_.re);
    default: return RealToFraction(TimeToSeconds(time_));
  }
}

CalcTime CalcValue::TimeView() const {
  switch (kind_) {
    case kKindTime: return time_;
    case kKindComplex: return RealToTime(complex_.re, Numeric().current_fps);
    default: return RealToTime(FractionToReal(fraction_), Numeric().current_fps);
  }
}

void CalcValue::SetReal(double x) {
  switch (kind_) {
    case kKindComplex: complex_ = {x, 0.0}; break;
    case kKindFraction: fraction_ = RealToFraction(x); break;
    default: time_ = RealToTime(x, Numeric().current_fps); break;
  }
}

void CalcValue::Assign(const CalcValue& other) {
  Sync();
  switch (kind_) {
    case kKindComplex: complex_ = other.ComplexView(); break;
    case kKindFraction: fraction_ = other.FractionView(); break;
    default:
      time_ = other.TimeView();
      ChangeFps(time_, Numeric().current_fps);
      break;
  }
}

CalcValue CalcValue::Negate() const {
  CalcValue v(*this);
  switch (v.Sync()) {
    case kKindComplex:
      v.complex_.re = -v.complex_.re;
      v.complex_.im = -v.complex_.im;
      break;
    case kKindFraction: v.fraction_.sign ^= 1; break;
    default: v.time_.sign ^= 1; break;
  }
  return v;
}

// --- integer narrowing --------------------------------------------------------

IntegerLimits LimitsOf(std::uint16_t mode) {
  switch (mode) {
    case kModeChar: return {-128, 127};
    case kModeUchar: return {0, 255};
    case kModeShort: return {-32768, 32767};
    case kModeUshort: return {0, 65535};
    case kModeLong: return {-2147483648LL, 2147483647};
    default: return {0, 4294967295LL};
  }
}

int FitToIntegerMode(CalcValue& v, std::uint16_t mode, bool range_warnings) {
  const double real = v.ToReal();
  int warning = 0;
  if (range_warnings) {
    const IntegerLimits limits = LimitsOf(mode);
    if (real < static_cast<double>(limits.min)) warning = W_UNDERFLOW;
    else if (real > static_cast<double>(limits.max)) warning = W_OVERFLOW;
  }
  const double narrowed = static_cast<double>(NarrowInteger(TruncToInt64(real), mode));
  // Every operand and result passes here: a complex value, the usual kind,
  // takes the real part directly, as SetReal would store it.
  if (v.ComplexIfActive() != nullptr)
    v.SetComplex({narrowed, 0.0});
  else
    v.SetReal(narrowed);
  return warning;
}

bool ReadNamedConstant(std::string_view word, CalcValue& out) {
  double x;
  if (word == "RAND_MAX") x = 32767.0;
  else if (word == "HUGE_VAL") x = HUGE_VAL;
  else return false;
  out.Sync();
  out.SetReal(x);
  return true;
}

}  // namespace calc
