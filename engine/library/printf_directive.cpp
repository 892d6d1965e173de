#include "library/printf_directive.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace calc {
namespace {

constexpr std::string_view kConversions = "cdouxXeEfgGs";
constexpr std::string_view kRealConversions = "eEfgG";

bool Among(char c, std::string_view set) { return set.find(c) != std::string_view::npos; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A run of digits at `at` as a bounded field; false when it passes the bound.
bool ReadField(std::string_view text, std::size_t& at, int& field) {
  field = 0;
  for (; at < text.size() && IsDigit(text[at]); ++at) {
    field = field * 10 + (text[at] - '0');
    if (field > kMaxDirectiveField) return false;
  }
  return true;
}

// A width or precision: digits, or one "*".
bool ReadWidthOrStar(std::string_view text, std::size_t& at, int& field, bool& star) {
  if (at < text.size() && text[at] == '*') {
    star = true;
    ++at;
    return true;
  }
  return ReadField(text, at, field);
}

bool LengthFits(char length, char conversion) {
  if (length == 0) return true;
  if (Among(conversion, "douxX")) return true;  // 'h' narrows to 16 bits, 'l' is 32 bits as it is
  return length == 'l' && Among(conversion, kRealConversions);
}

// Sign or prefix, then the body, padded to the width: blanks on the left,
// blanks on the right with "-", zeros between prefix and body with "0".
std::string Pad(const PrintfDirective& d, std::string_view prefix, std::string_view body, bool zeros_allowed) {
  const std::size_t size = prefix.size() + body.size();
  const std::size_t width = static_cast<std::size_t>(d.width);
  std::string out;
  if (width <= size) {
    out.append(prefix).append(body);
  } else if (d.left) {
    out.append(prefix).append(body).append(width - size, ' ');
  } else if (d.zero_pad && zeros_allowed) {
    out.append(prefix).append(width - size, '0').append(body);
  } else {
    out.append(width - size, ' ').append(prefix).append(body);
  }
  return out;
}

std::string SignOf(const PrintfDirective& d, bool negative) {
  if (negative) return "-";
  if (d.plus) return "+";
  if (d.space) return " ";
  return {};
}

std::string Digits(std::uint32_t value, unsigned radix, bool upper) {
  const char* digits = upper ? "0123456789ABCDEF" : "0123456789abcdef";
  std::string text;
  do {
    text.insert(text.begin(), digits[value % radix]);
    value /= radix;
  } while (value != 0);
  return text;
}

std::string ToChars(double magnitude, std::chars_format format, int precision) {
  // Wide enough for the largest double in fixed notation with the largest
  // precision: 309 integer digits, the point and kMaxDirectiveField digits.
  char buffer[kMaxDirectiveField + 400];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, magnitude, format, precision);
  return std::string(buffer, result.ptr);
}

// The decimal exponent of a number in scientific notation ("1.5e+03": 3).
int ExponentOf(const std::string& scientific) {
  const std::size_t e = scientific.find('e');
  return std::atoi(scientific.c_str() + e + 1);
}

// "%g": the shorter style for the precision, trailing zeros dropped unless
// "#" asks to keep them.
std::string GeneralForm(double magnitude, int precision, bool alternate) {
  const int p = precision == 0 ? 1 : precision;
  const int exponent = ExponentOf(ToChars(magnitude, std::chars_format::scientific, p - 1));
  std::string text = (exponent < p && exponent >= -4)
                         ? ToChars(magnitude, std::chars_format::fixed, p - 1 - exponent)
                         : ToChars(magnitude, std::chars_format::scientific, p - 1);
  if (alternate) return text;
  const std::size_t point = text.find('.');
  if (point == std::string::npos) return text;
  std::size_t mantissa_end = text.find('e');
  if (mantissa_end == std::string::npos) mantissa_end = text.size();
  std::size_t keep = mantissa_end;
  while (keep > point + 1 && text[keep - 1] == '0') --keep;
  if (keep == point + 1) keep = point;
  text.erase(keep, mantissa_end - keep);
  return text;
}

void EnsurePoint(std::string& text) {
  if (text.find('.') != std::string::npos) return;
  const std::size_t e = text.find('e');
  text.insert(e == std::string::npos ? text.size() : e, 1, '.');
}

void Upper(std::string& text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
}

}  // namespace

PrintfDirective::Argument PrintfDirective::argument() const {
  if (conversion == 's') return Argument::kString;
  return Among(conversion, kRealConversions) ? Argument::kReal : Argument::kInteger;
}

bool IsConversionLetter(char c) { return c != 0 && Among(c, kConversions); }

bool ParseDirective(std::string_view text, PrintfDirective& out) {
  out = PrintfDirective{};
  if (text.size() < 2 || text.front() != '%' || !IsConversionLetter(text.back())) return false;
  out.conversion = text.back();
  const std::string_view body = text.substr(1, text.size() - 2);
  std::size_t at = 0;
  for (; at < body.size(); ++at) {
    bool* flag = body[at] == '-'   ? &out.left
                 : body[at] == '+' ? &out.plus
                 : body[at] == ' ' ? &out.space
                 : body[at] == '#' ? &out.alternate
                 : body[at] == '0' ? &out.zero_pad
                                   : nullptr;
    if (flag == nullptr) break;
    *flag = true;
  }
  if (!ReadWidthOrStar(body, at, out.width, out.width_star)) return false;
  if (at < body.size() && body[at] == '.') {
    ++at;
    out.precision = 0;
    if (!ReadWidthOrStar(body, at, out.precision, out.precision_star)) return false;
  }
  if (at < body.size() && (body[at] == 'h' || body[at] == 'l')) out.length = body[at++];
  return at == body.size() && LengthFits(out.length, out.conversion);
}

bool ApplyStarWidth(PrintfDirective& directive, std::int32_t value) {
  const std::int64_t magnitude = std::llabs(static_cast<std::int64_t>(value));
  if (magnitude > kMaxDirectiveField) return false;
  if (value < 0) directive.left = true;
  directive.width = static_cast<int>(magnitude);
  return true;
}

bool ApplyStarPrecision(PrintfDirective& directive, std::int32_t value) {
  if (value > kMaxDirectiveField) return false;
  directive.precision = value < 0 ? -1 : value;
  return true;
}

std::string FormatInteger(const PrintfDirective& d, std::int32_t value) {
  if (d.conversion == 'c') return Pad(d, {}, std::string(1, static_cast<char>(value & 0xff)), false);
  bool negative = false;
  std::uint32_t magnitude = static_cast<std::uint32_t>(value);
  if (d.conversion == 'd') {
    const std::int64_t signed_value = d.length == 'h' ? static_cast<std::int16_t>(value) : value;
    negative = signed_value < 0;
    magnitude = static_cast<std::uint32_t>(negative ? -signed_value : signed_value);
  } else if (d.length == 'h') {
    magnitude &= 0xffffu;
  }
  const unsigned radix = d.conversion == 'o' ? 8 : (d.conversion == 'x' || d.conversion == 'X') ? 16 : 10;
  std::string digits = (d.precision == 0 && magnitude == 0) ? std::string() : Digits(magnitude, radix, d.conversion == 'X');
  if (d.precision > 0 && digits.size() < static_cast<std::size_t>(d.precision))
    digits.insert(0, static_cast<std::size_t>(d.precision) - digits.size(), '0');
  std::string prefix = d.conversion == 'd' ? SignOf(d, negative) : std::string();
  if (d.alternate && d.conversion == 'o' && (digits.empty() || digits[0] != '0')) digits.insert(0, 1, '0');
  if (d.alternate && magnitude != 0 && (d.conversion == 'x' || d.conversion == 'X'))
    prefix = d.conversion == 'x' ? "0x" : "0X";
  return Pad(d, prefix, digits, d.precision < 0);
}

std::string FormatReal(const PrintfDirective& d, double value) {
  const bool upper = d.conversion == 'E' || d.conversion == 'G';
  const std::string sign = SignOf(d, std::signbit(value));
  if (!std::isfinite(value)) {
    std::string body = std::isnan(value) ? "nan" : "inf";
    if (upper) Upper(body);
    return Pad(d, sign, body, false);
  }
  const double magnitude = std::fabs(value);
  const int precision = d.precision < 0 ? 6 : d.precision;
  std::string body;
  if (d.conversion == 'f') {
    body = ToChars(magnitude, std::chars_format::fixed, precision);
  } else if (d.conversion == 'e' || d.conversion == 'E') {
    body = ToChars(magnitude, std::chars_format::scientific, precision);
  } else {
    body = GeneralForm(magnitude, precision, d.alternate);
  }
  if (d.alternate) EnsurePoint(body);
  if (upper) Upper(body);
  return Pad(d, sign, body, true);
}

std::string FormatString(const PrintfDirective& d, std::string_view value) {
  if (d.precision >= 0 && value.size() > static_cast<std::size_t>(d.precision))
    value = value.substr(0, static_cast<std::size_t>(d.precision));
  return Pad(d, {}, value, false);
}

}  // namespace calc
