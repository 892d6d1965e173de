// CalcValue: the engine's number. One value is seen in three numeric kinds, a
// complex number, a signed fraction of two 32-bit integers or a time of hours,
// minutes, seconds and frames. Only the part named by the kind is meaningful;
// a value switches lazily to the engine-wide current kind when it is used.
// The parts live inside the value (no allocation per part); copies are deep.
#pragma once

#include <cstdint>
#include <string_view>

#include "core/modes.h"
#include "core/numeric_settings.h"
#include "core/truncation.h"

namespace calc {

struct CalcComplex {
  double re = 0.0;
  double im = 0.0;
};

struct CalcFraction {
  std::uint8_t sign = 0;  // 1 = negative
  std::uint32_t num = 0;
  std::uint32_t den = 1;  // 0 can arise from division by zero
};

struct CalcTime {
  std::uint8_t sign = 0;  // 1 = negative; the fields are magnitudes once normalised
  double hours = 0.0;
  double minutes = 0.0;
  double seconds = 0.0;
  double frames = 0.0;
  double fps = 30.0;
};

// --- conversions between the parts -----------------------------------------

double FractionToReal(const CalcFraction& f);
CalcFraction RealToFraction(double x);

double TimeToSeconds(const CalcTime& t);  // signed
double TimeToHours(const CalcTime& t);    // magnitude, for printing
double TimeToMinutes(const CalcTime& t);  // magnitude, for printing
CalcTime RealToTime(double seconds, double fps);

// Carries fractions down and overflow up so that every field is a magnitude
// below its unit and the sign holds the sign.
void NormalizeTime(CalcTime& t);
// Re-expresses the frames in another fps and normalises; nothing when equal.
void ChangeFps(CalcTime& t, double fps);

std::uint32_t FractionGcd(std::uint32_t a, std::uint32_t b);
std::uint64_t FractionLcm(std::uint32_t a, std::uint32_t b);  // 0 when the gcd is 0
void ReduceFraction(CalcFraction& f);

// Smallest i >= 0 with x * 10^i integral; 0 for infinities and NaN. The scale
// overflows to infinity past 10^308, which ends the search for every finite x;
// the bound makes that termination explicit instead of incidental.
constexpr int kMaxDecimalCount = 340;
int DecimalCount(double x);

// Multiplies both parts by the factor that takes angle unit `from` to `to`.
void ConvertAngle(CalcComplex& c, std::uint8_t from, std::uint8_t to);

// The members that every operand passes through several times are defined in
// the class, so that they inline: a loop of scalar arithmetic spends a large
// share of its time constructing, copying and syncing values.
class CalcValue {
 public:
  CalcValue() : kind_(Numeric().current_kind) { time_.fps = Numeric().current_fps; }
  CalcValue(const CalcValue& other)
      : kind_(other.kind_), complex_(other.complex_), fraction_(other.fraction_), time_(other.time_) {
    if (kind_ == kKindTime) ChangeFps(time_, Numeric().current_fps);
  }
  explicit CalcValue(const CalcFraction& f);
  explicit CalcValue(const CalcTime& t);
  CalcValue& operator=(const CalcValue& other) {
    kind_ = other.kind_;
    complex_ = other.complex_;
    fraction_ = other.fraction_;
    time_ = other.time_;
    if (kind_ == kKindTime) ChangeFps(time_, Numeric().current_fps);
    return *this;
  }
  ~CalcValue() = default;

  // A new value in the current kind holding the real number x.
  static CalcValue FromReal(double x);

  std::uint8_t kind() const { return kind_; }

  // Brings the value into the current kind; returns the kind now active.
  std::uint8_t Sync() {
    SwitchTo(Numeric().current_kind);
    return kind_;
  }

  // Switch the active part into the requested kind and return it.
  CalcComplex& AsComplex() {
    SwitchTo(kKindComplex);
    return complex_;
  }
  CalcFraction& AsFraction() {
    SwitchTo(kKindFraction);
    return fraction_;
  }
  CalcTime& AsTime() {
    SwitchTo(kKindTime);
    return time_;
  }

  // The complex part when it is the active one, else null.
  const CalcComplex* ComplexIfActive() const { return kind_ == kKindComplex ? &complex_ : nullptr; }

  // The active part converted into a kind, without changing the value.
  CalcComplex ComplexView() const;
  CalcFraction FractionView() const;
  CalcTime TimeView() const;

  // Makes the value the complex number z, whatever its kind was.
  void SetComplex(const CalcComplex& z) {
    kind_ = kKindComplex;
    complex_ = z;
  }

  // Stores a real number into the active part.
  void SetReal(double x);
  // Copies other's content, converted to this value's kind after Sync.
  void Assign(const CalcValue& other);
  // A new value with the sign reversed, in the current kind.
  CalcValue Negate() const;

  double ToReal() const {
    switch (kind_) {
      case kKindComplex: return complex_.re;
      case kKindFraction: return FractionToReal(fraction_);
      default: return TimeToSeconds(time_);
    }
  }
  std::int64_t ToInteger() const { return TruncToInt64(ToReal()); }  // truncated toward zero

 private:
  void SwitchTo(std::uint8_t kind) {
    if (kind_ != kind) ConvertTo(kind);
  }
  // SwitchTo's conversion, for a kind other than the active one.
  void ConvertTo(std::uint8_t kind);

  std::uint8_t kind_;
  CalcComplex complex_;
  CalcFraction fraction_;
  CalcTime time_;
};

// --- integer narrowing -------------------------------------------------------

// The range of an integer mode's type (ulong for a word that is no integer
// mode); the range warnings compare with it.
struct IntegerLimits {
  std::int64_t min;
  std::int64_t max;
};
IntegerLimits LimitsOf(std::uint16_t mode);

// The low bits of n for an integer mode word, sign- or zero-extended.
// Every integer operand and result is narrowed, so it inlines.
inline std::int64_t NarrowInteger(std::int64_t n, std::uint16_t mode) {
  switch (mode) {
    case kModeChar: return static_cast<std::int8_t>(n);
    case kModeUchar: return static_cast<std::uint8_t>(n);
    case kModeShort: return static_cast<std::int16_t>(n);
    case kModeUshort: return static_cast<std::uint16_t>(n);
    case kModeLong: return static_cast<std::int32_t>(n);
    case kModeUlong: return static_cast<std::uint32_t>(n);
    default: return n;
  }
}

// FitToMode for an integer mode.
int FitToIntegerMode(CalcValue& v, std::uint16_t mode, bool range_warnings);

// Fits a value to the mode: float modes drop the imaginary part; integer modes
// truncate and narrow. Returns W_OVERFLOW or W_UNDERFLOW when range_warnings is
// set and the unnarrowed value lies outside the type (the value is narrowed all
// the same; the caller reports the code), else 0. Every operand and result is
// fitted, so the float case, a single store at most, inlines.
inline int FitToMode(CalcValue& v, std::uint16_t mode, bool range_warnings) {
  if (InGroup(mode, kGroupFloat)) {
    if (v.kind() == kKindComplex) v.AsComplex().im = 0.0;
    return 0;
  }
  if (!InGroup(mode, kGroupInteger)) return 0;
  return FitToIntegerMode(v, mode, range_warnings);
}

// "RAND_MAX" and "HUGE_VAL" read as numbers in the current kind.
bool ReadNamedConstant(std::string_view word, CalcValue& out);

}  // namespace calc
