// Number formatting: a CalcValue to text under the context's mode word,
// precision and radix. The text always follows the mode, whatever kind the
// value holds; the value is read through converted copies and never changed.
// All text is Shift-JIS byte text.
#pragma once

#include <cstdint>
#include <string>

#include "core/context.h"
#include "core/value.h"

namespace calc {

// The largest precision handed to printf. The exact decimal expansion of any
// double ends by the 1074th digit after the point (2^-1074 is the smallest
// subnormal), so beyond this "%e" and "%f" would only append zeros and "%g"
// nothing at all. The cap keeps the longest text (a huge real in fixed
// notation) near 1.4 KB whatever precision a script asks for.
constexpr int kMaxFormatPrecision = 1074;

// The separator between the parts of a fraction in answer text: the closing
// corner bracket U+300D, which is 0x81 0x76 in code page 932.
inline constexpr char kAnswerFractionSeparator[] = "\x81\x76";

// The value as one text: "0.333333", "1.5+2i", "3_1_2", "01:02:05.5", "FFFF".
std::string FormatValue(const CalcContext& context, const CalcValue& value);

// The answer display's split of the same text. In the complex modes the
// imaginary part (with its "i" and a leading "+" when positive) is kept apart
// from the real part; either may be empty, and the imaginary text is empty in
// every other mode. Fractions are separated by kAnswerFractionSeparator
// instead of "_".
struct AnswerText {
  std::string real;
  std::string imaginary;
};
AnswerText FormatAnswer(const CalcContext& context, const CalcValue& value);

// Integers in radix 2..36 with upper-case digits. A negative number is "-"
// followed by its magnitude in every radix (-1 in radix 16 is "-1"). A radix
// outside 2..36 is clamped as the context clamps it (10 below 2, 36 above).
std::string SignedToText(std::int32_t n, int radix);
std::string UnsignedToText(std::uint32_t n, int radix);

// The number of digits after the first significant digit of x, so that "%.*e"
// with it shows every digit of x; 0 for 0, infinities and NaN. This is the
// automatic precision of the exponent notations (DecimalCount in value.h is
// that of the fixed notations).
int SignificantCount(double x);

}  // namespace calc
