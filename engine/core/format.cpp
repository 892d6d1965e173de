#include "core/format.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "core/modes.h"
#include "core/truncation.h"

namespace calc {
namespace {

constexpr char kDigits[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
constexpr std::string_view kFractionSeparator = "_";

int ClampRadix(int radix) { return radix < 2 ? 10 : radix > 36 ? 36 : radix; }

void AppendUnsigned(std::string& out, std::uint32_t n, int radix) {
  const std::uint32_t base = static_cast<std::uint32_t>(ClampRadix(radix));
  char digits[32];  // 2^32 - 1 in radix 2 is the longest
  char* first = digits + sizeof digits;
  do {
    *--first = kDigits[n % base];
    n /= base;
  } while (n != 0);
  out.append(first, digits + sizeof digits);
}

void AppendSigned(std::string& out, std::int32_t n, int radix) {
  if (n < 0) {
    out.push_back('-');
    // The magnitude in unsigned arithmetic, so that -2^31 has one.
    AppendUnsigned(out, 0u - static_cast<std::uint32_t>(n), radix);
  } else {
    AppendUnsigned(out, static_cast<std::uint32_t>(n), radix);
  }
}

// Whole numbers as a 32-bit "%lu" prints them: always decimal, unsigned.
void AppendWhole(std::string& out, std::uint32_t n) { AppendUnsigned(out, n, 10); }

enum class Notation { kExponent, kFixed, kGeneral };

int Print(char* buffer, std::size_t size, Notation notation, int precision, double x) {
  switch (notation) {
    case Notation::kExponent: return std::snprintf(buffer, size, "%.*e", precision, x);
    case Notation::kFixed: return std::snprintf(buffer, size, "%.*f", precision, x);
    case Notation::kGeneral: break;
  }
  return std::snprintf(buffer, size, "%.*g", precision, x);
}

// Appends x as printf prints it with the notation and precision. Most texts
// fit the stack buffer; a longer one (a large precision, a huge real in fixed
// notation) is printed a second time straight into the string at its size.
void AppendReal(std::string& out, Notation notation, int precision, double x) {
  precision = std::min(precision, kMaxFormatPrecision);
  char buffer[128];
  const int length = Print(buffer, sizeof buffer, notation, precision, x);
  if (length < 0) return;
  const std::size_t size = static_cast<std::size_t>(length);
  if (size < sizeof buffer) {
    out.append(buffer, size);
    return;
  }
  const std::size_t start = out.size();
  out.resize(start + size + 1);  // room for the terminating NUL printf writes
  Print(out.data() + start, size + 1, notation, precision, x);
  out.resize(start + size);
}

// Precision 0 asks for as many digits as the number itself has.
int PartPrecision(Notation notation, int precision, double x) {
  if (precision != 0) return precision;
  switch (notation) {
    case Notation::kExponent: return SignificantCount(x);
    case Notation::kFixed: return DecimalCount(x);
    case Notation::kGeneral: break;
  }
  return 15;
}

// The shortest text of x that reads back as x, in "%e"'s layout (scientific)
// or "%f"'s without trailing zeros (fixed). The buffer holds the longest
// such text of a double (a subnormal in fixed notation: a sign, "0." and 324
// digits); should to_chars refuse anyway, printf's automatic digits stand in.
void AppendChars(std::string& out, std::chars_format format, double x) {
  char buffer[384];
  const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, x, format);
  if (ec == std::errc()) {
    out.append(buffer, end);
    return;
  }
  const Notation notation = format == std::chars_format::fixed ? Notation::kFixed : Notation::kExponent;
  AppendReal(out, notation, PartPrecision(notation, 0, x), x);
}

// The exponent X of x's shortest scientific text and its digit count D.
struct ShortestShape {
  int exponent;
  int digits;
};
ShortestShape ShapeOf(double x) {
  std::string text;
  AppendChars(text, std::chars_format::scientific, x);
  const std::size_t e = text.find('e');
  if (e == std::string::npos) return {0, 1};
  const auto is_digit = [](char c) { return c >= '0' && c <= '9'; };
  return {std::atoi(text.c_str() + e + 1),
          static_cast<int>(std::count_if(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(e), is_digit))};
}

// x with the fewest significant digits that read back as x. The general
// notation follows "%g" with as many digits as x needs (fixed while
// -4 <= X < D, else the exponent notation), except that a whole number below
// 2^64 is written out in full: integers never lose digits to an exponent.
// Infinities and NaN keep printf's text.
void AppendShortest(std::string& out, Notation notation, double x) {
  if (!std::isfinite(x)) {
    AppendReal(out, notation, 0, x);
    return;
  }
  constexpr double kTwoTo64 = 18446744073709551616.0;
  switch (notation) {
    case Notation::kExponent:
      AppendChars(out, std::chars_format::scientific, x);
      return;
    case Notation::kFixed:
      AppendChars(out, std::chars_format::fixed, x);
      return;
    case Notation::kGeneral:
      break;
  }
  if (std::fabs(x) < kTwoTo64 && std::trunc(x) == x) {
    AppendChars(out, std::chars_format::fixed, x);
    return;
  }
  const ShortestShape shape = ShapeOf(x);
  const bool fixed = shape.exponent >= -4 && shape.exponent < shape.digits;
  AppendChars(out, fixed ? std::chars_format::fixed : std::chars_format::scientific, x);
}

// The text of one real part under the context's precision.
void AppendPart(std::string& out, Notation notation, const CalcContext& context, double x) {
  const int precision = context.precision();
  if (precision == 0 && context.shortest_automatic) {
    AppendShortest(out, notation, x);
    return;
  }
  AppendReal(out, notation, PartPrecision(notation, precision, x), x);
}

Notation NotationOf(std::uint16_t mode) {
  switch (mode & 0x0F) {
    case 0: return Notation::kExponent;
    case 1: return Notation::kFixed;
    default: return Notation::kGeneral;
  }
}

// Where the pieces of a text go. FormatValue points both at the same string;
// the answer display keeps the imaginary part apart and marks a positive one
// with "+" even when no real part precedes it.
struct Target {
  std::string& real;
  std::string& imaginary;
  bool answer;
};

void FormatComplex(const CalcContext& context, const CalcValue& value, Target& target) {
  const CalcComplex c = value.ComplexView();
  const Notation notation = NotationOf(context.mode());
  if (c.im == 0.0) {  // false for NaN
    AppendPart(target.real, notation, context, c.re);
    return;
  }
  const bool real_shown = c.re != 0.0;  // NaN is shown
  if (real_shown) AppendPart(target.real, notation, context, c.re);
  if (c.im > 0.0 && (real_shown || target.answer)) target.imaginary.push_back('+');
  AppendPart(target.imaginary, notation, context, c.im);
  target.imaginary.push_back('i');
}

void FormatFraction(const CalcValue& value, bool mixed, std::string_view separator,
                    std::string& out) {
  const CalcFraction f = value.FractionView();
  if (f.den == 0) {
    // Not a number a fraction can show: the value as a real, read in the kind
    // it holds (a large real viewed as a fraction is what leads here).
    AppendReal(out, Notation::kGeneral, 6, value.ToReal());
    return;
  }
  if (f.sign == 1 && f.num != 0) out.push_back('-');
  if (mixed && f.num >= f.den) {
    AppendWhole(out, f.num / f.den);
    if (f.num % f.den != 0) {
      out.append(separator);
      AppendWhole(out, f.num % f.den);
      out.append(separator);
      AppendWhole(out, f.den);
    }
    return;
  }
  AppendWhole(out, f.num);
  if (f.den != 1) {
    out.append(separator);
    AppendWhole(out, f.den);
  }
}

// A zero before a component whose own quantity is below 10.
void AppendPad(std::string& out, double quantity) {
  if (quantity < 10.0) out.push_back('0');
}

// A whole component: truncated to a 32-bit int and printed as "%lu" prints it
// on a 32-bit platform; out of range that is 2147483648.
std::uint32_t WholePart(double x) { return static_cast<std::uint32_t>(TruncToInt32(x)); }

void AppendTimeReal(std::string& out, double quantity) {
  AppendPad(out, quantity);
  AppendReal(out, Notation::kGeneral, 15, quantity);
}

void AppendTimeWhole(std::string& out, double quantity) {
  AppendPad(out, quantity);
  AppendWhole(out, WholePart(quantity));
  out.push_back(':');
}

void FormatTime(const CalcValue& value, std::uint16_t mode, std::string& out) {
  const CalcTime t = value.TimeView();
  const double hours = TimeToHours(t);
  const double minutes = TimeToMinutes(t);
  const double seconds = t.frames / t.fps + t.seconds;
  if (t.sign == 1) out.push_back('-');
  const bool has_hours = WholePart(hours) != 0;
  const bool has_minutes = WholePart(minutes) != 0;
  switch (mode) {
    case kModeHtime:
      AppendTimeReal(out, hours);
      return;
    case kModeMtime:
      if (has_hours) AppendTimeWhole(out, hours);
      AppendTimeReal(out, minutes);
      return;
    case kModeTime:
      if (has_hours) AppendTimeWhole(out, hours);
      if (has_hours || has_minutes) AppendTimeWhole(out, minutes);
      AppendTimeReal(out, seconds);
      return;
    default: {  // ftime
      const bool has_seconds = WholePart(seconds) != 0;
      if (has_hours) AppendTimeWhole(out, hours);
      if (has_hours || has_minutes) AppendTimeWhole(out, minutes);
      if (has_hours || has_minutes || has_seconds) AppendTimeWhole(out, seconds);
      AppendTimeReal(out, t.frames);
      return;
    }
  }
}

void FormatInteger(const CalcContext& context, const CalcValue& value, std::string& out) {
  const std::uint16_t mode = context.mode();
  const std::int64_t n = NarrowInteger(TruncToInt64(value.ToReal()), mode);
  const bool is_unsigned = (mode & 1) != 0;
  if (is_unsigned) {
    AppendUnsigned(out, static_cast<std::uint32_t>(n), context.radix());
  } else {
    AppendSigned(out, static_cast<std::int32_t>(n), context.radix());
  }
}

void Format(const CalcContext& context, const CalcValue& value, Target& target) {
  const std::uint16_t mode = context.mode();
  switch (mode) {
    case kModeEfloat:
    case kModeFloat:
    case kModeGfloat:
      AppendPart(target.real, NotationOf(mode), context, value.ComplexView().re);
      return;
    case kModeEcomplex:
    case kModeComplex:
    case kModeGcomplex:
      FormatComplex(context, value, target);
      return;
    case kModeFract:
    case kModeMfract:
      FormatFraction(value, mode == kModeMfract,
                     target.answer ? std::string_view(kAnswerFractionSeparator) : kFractionSeparator,
                     target.real);
      return;
    case kModeHtime:
    case kModeMtime:
    case kModeTime:
    case kModeFtime:
      FormatTime(value, mode, target.real);
      return;
    case kModeChar:
    case kModeUchar:
    case kModeShort:
    case kModeUshort:
    case kModeLong:
    case kModeUlong:
      FormatInteger(context, value, target.real);
      return;
  }
  // Not a mode word: no text.
}

// log10 |x| truncated toward zero, taken through log2.
int TruncatedLog10(double x) {
  return TruncToInt32(std::log2(std::fabs(x)) * 0.30102999566398119523);
}

bool IsWhole(double x) {
  double whole;
  return std::modf(x, &whole) == 0.0;
}

}  // namespace

std::string FormatValue(const CalcContext& context, const CalcValue& value) {
  const NumericScope numeric(context.numeric());
  std::string text;
  Target target{text, text, false};
  Format(context, value, target);
  return text;
}

AnswerText FormatAnswer(const CalcContext& context, const CalcValue& value) {
  const NumericScope numeric(context.numeric());
  AnswerText answer;
  Target target{answer.real, answer.imaginary, true};
  Format(context, value, target);
  return answer;
}

std::string SignedToText(std::int32_t n, int radix) {
  std::string text;
  AppendSigned(text, n, radix);
  return text;
}

std::string UnsignedToText(std::uint32_t n, int radix) {
  std::string text;
  AppendUnsigned(text, n, radix);
  return text;
}

int SignificantCount(double x) {
  if (!std::isfinite(x) || x == 0.0) return 0;
  if (IsWhole(x)) return TruncatedLog10(x);
  // Scale by 10 until no fraction is left, counting the leading zero digits
  // (steps that began below 1) on the way. The loop ends by the time the
  // scale overflows to infinity, whose product has no fractional part.
  int leading_zeros = 0;
  double previous = x;
  for (int i = 1;; ++i) {
    double whole;
    std::modf(previous, &whole);
    if (whole == 0.0) ++leading_zeros;
    const double product = x * std::pow(10.0, i);
    if (IsWhole(product)) return leading_zeros > 0 ? i - leading_zeros : i + TruncatedLog10(x);
    previous = product;
  }
}

}  // namespace calc
