// One directive of a printf format, checked and applied by the library's
// own formatter. The directive text never reaches the C library: every part
// of it is parsed here, anything outside the accepted grammar is refused,
// and the output is the same on every platform (two exponent digits at
// least, the exact decimal expansion of a double, "inf" and "nan").
//
// Accepted: "%" flags* [width | "*"] ["." [precision | "*"]] [length] conv
//   flags: "-", "+", " ", "#", "0"; width and precision at most
//   kMaxDirectiveField; length "h" or "l" with d, o, u, x, X and "l" with
//   e, E, f, g, G (no effect: the argument is a double); conv one of
//   c d o u x X e E f g G s.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace calc {

// The largest width or precision a directive may ask for.
constexpr int kMaxDirectiveField = 4096;

struct PrintfDirective {
  bool left = false;        // "-"
  bool plus = false;        // "+"
  bool space = false;       // " "
  bool alternate = false;   // "#"
  bool zero_pad = false;    // "0"
  int width = 0;
  int precision = -1;       // -1: none given
  bool width_star = false;  // taken from an argument
  bool precision_star = false;
  char length = 0;          // 0, 'h' or 'l'
  char conversion = 0;

  // What the directive consumes after its stars.
  enum class Argument { kInteger, kReal, kString };
  Argument argument() const;
};

// True when `c` ends a directive.
bool IsConversionLetter(char c);

// Parses the text between "%" and the conversion letter, both included.
// False for any directive outside the grammar above.
bool ParseDirective(std::string_view text, PrintfDirective& out);

// A "*" value: a negative width means "-" and its magnitude, a negative
// precision means none; both are then bounded. False when a bound is passed.
bool ApplyStarWidth(PrintfDirective& directive, std::int32_t value);
bool ApplyStarPrecision(PrintfDirective& directive, std::int32_t value);

// The text of the directive applied to one argument.
std::string FormatInteger(const PrintfDirective& directive, std::int32_t value);
std::string FormatReal(const PrintfDirective& directive, double value);
std::string FormatString(const PrintfDirective& directive, std::string_view value);

}  // namespace calc
