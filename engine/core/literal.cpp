#include "core/literal.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/modes.h"
#include "core/numeric_settings.h"
#include "core/truncation.h"

namespace calc {
namespace {

// Characters a character constant may hold.
constexpr int kMaxConstantChars = 4;
// Fields of a time literal: hours:minutes:seconds:frames.
constexpr int kMaxTimeFields = 4;
// Hexadecimal digits that make up one double of a raw image.
constexpr std::size_t kDigitsPerDouble = 16;

// Positions of the time fields, in writing order.
enum TimeUnit : int { kHoursField = 0, kMinutesField = 1, kSecondsField = 2, kFramesField = 3 };

// The value of c as a digit of radix 36; 36 for anything that is no digit.
constexpr std::array<std::uint8_t, 256> DigitValues() {
  std::array<std::uint8_t, 256> values{};
  for (int c = 0; c < 256; ++c) {
    if (c >= '0' && c <= '9') values[c] = static_cast<std::uint8_t>(c - '0');
    else if (c >= 'a' && c <= 'z') values[c] = static_cast<std::uint8_t>(c - 'a' + 10);
    else if (c >= 'A' && c <= 'Z') values[c] = static_cast<std::uint8_t>(c - 'A' + 10);
    else values[c] = 36;
  }
  return values;
}

constexpr auto kDigitValues = DigitValues();

int DigitValue(char c) { return kDigitValues[static_cast<unsigned char>(c)]; }

// White space as isspace sees it in the C locale.
bool IsCSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// The largest magnitude of a 32-bit literal; more reads as this.
constexpr std::uint64_t kMaxMagnitude = 0xFFFFFFFFu;

// Digits of `base` from s[i] on, accumulated into `magnitude`, which stops at
// kMaxMagnitude + 1 once the digits pass 32 bits. Returns where they end.
std::size_t ReadDigits(std::string_view s, std::size_t i, int base, std::uint64_t& magnitude) {
  for (; i < s.size(); ++i) {
    const int d = DigitValue(s[i]);
    if (d >= base) break;
    magnitude = std::min(magnitude * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(d),
                         kMaxMagnitude + 1);
  }
  return i;
}

// strtoul as a platform with a 32-bit unsigned long implements it, so that the
// result does not depend on the host's long: optional white space, an optional
// sign, an optional "0x"/"0X" before radix-16 digits (only when a hex digit
// follows it), then digits of the base. A magnitude above 4294967295 gives
// 4294967295; a "-" wraps the magnitude modulo 2^32. Returns the number of
// characters used, 0 when no digit was found (then `out` is 0).
std::size_t ReadUnsigned32(std::string_view s, int base, std::uint32_t& out) {
  out = 0;
  if (base < 2 || base > 36) return 0;
  std::size_t i = 0;
  while (i < s.size() && IsCSpace(s[i])) ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
    negative = s[i] == '-';
    ++i;
  }
  if (base == 16 && i + 2 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X') &&
      DigitValue(s[i + 2]) < 16) {
    i += 2;
  }
  const std::size_t first_digit = i;
  std::uint64_t magnitude = 0;
  i = ReadDigits(s, i, base, magnitude);
  if (i == first_digit) return 0;
  const auto low = static_cast<std::uint32_t>(magnitude);
  out = magnitude > kMaxMagnitude ? static_cast<std::uint32_t>(kMaxMagnitude) : negative ? 0u - low : low;
  return i;
}

// The usual literal of the integer modes, digits of the radix and nothing
// else, which ReadUnsigned32 would read whole with no sign, space or prefix
// ("x" is no digit of radix 16). False, with `out` untouched, otherwise.
bool ReadPlainDigits(std::string_view s, int base, std::uint32_t& out) {
  if (s.empty() || base < 2 || base > 36) return false;
  std::uint64_t magnitude = 0;
  if (ReadDigits(s, 0, base, magnitude) != s.size()) return false;
  out = static_cast<std::uint32_t>(std::min(magnitude, kMaxMagnitude));
  return true;
}

// The byte a character constant takes for the character after a backslash.
char EscapedChar(char c) {
  switch (c) {
    case '0': return 0;
    case 'a': return 7;
    case 'b': return 8;
    case 'e': return 27;
    case 'f': return 12;
    case 'n': return 10;
    case 'r': return 13;
    case 't': return 9;
    case 'v': return 11;
    default: return c;
  }
}

// Decodes hexadecimal digit pairs into `count` doubles: each pair is one byte,
// the first pair the lowest byte of the first double. Missing digits on the
// right count as "0". False when there is no digit, more digits than the
// doubles hold, or a character that is no hexadecimal digit.
bool DecodeRawImage(std::string_view digits, double* out, std::size_t count) {
  if (digits.empty() || digits.size() > kDigitsPerDouble * count) return false;
  std::uint64_t bits[2] = {0, 0};
  for (std::size_t i = 0; i < digits.size(); ++i) {
    const int d = DigitValue(digits[i]);
    if (d >= 16) return false;
    const std::size_t byte = i / 2;
    const unsigned shift = static_cast<unsigned>(8 * (byte % 8) + (i % 2 == 0 ? 4 : 0));
    bits[byte / 8] |= static_cast<std::uint64_t>(d) << shift;
  }
  for (std::size_t j = 0; j < count; ++j) out[j] = std::bit_cast<double>(bits[j]);
  return true;
}

// Which field the last of `fields` unlettered time fields fills in `mode`.
int LastUnletteredField(std::uint16_t mode, int fields) {
  switch (fields) {
    case 1: return kSecondsField;
    case 2:
      return mode == kModeFtime ? kFramesField : mode == kModeTime ? kSecondsField : kMinutesField;
    case 3: return mode == kModeFtime ? kFramesField : kSecondsField;
    default: return kFramesField;
  }
}

// The field a unit letter names, or -1.
int FieldOfLetter(char c) {
  switch (c) {
    case 'h': return kHoursField;
    case 'm': return kMinutesField;
    case 's': return kSecondsField;
    case 'f': return kFramesField;
    default: return -1;
  }
}

class LiteralReader {
 public:
  LiteralReader(const CalcContext& ctx, std::string_view text, CalcValue& value)
      : ctx_(ctx), text_(text), value_(value) {}

  bool Read() {
    value_ = CalcValue();
    const std::size_t pos = ReadSign();
    bool ok = false;
    if (pos < text_.size() && text_[pos] == '\'') {
      ok = ReadCharacterConstant(pos + 1);
    } else if (pos < text_.size() && text_[pos] == '\\') {
      ok = ReadBackslashForm(pos);
    } else {
      const std::uint16_t mode = ctx_.mode();
      if (InGroup(mode, kGroupInteger)) {
        ok = ReadInteger(pos);
      } else {
        // Reals, fractions, complex numbers and times carry the sign inside.
        sign_applied_ = true;
        if (InGroup(mode, kGroupTime)) ok = ReadTime(pos);
        else if (InGroup(mode, kGroupComplex)) ok = ReadComplex(pos);
        else if (InGroup(mode, kGroupFloat) || InGroup(mode, kGroupFraction)) ok = ReadReal(pos);
      }
    }
    if (!ok) return false;
    if (negative_ && !sign_applied_) value_ = value_.Negate();
    return true;
  }

 private:
  // A "+" or "-" first, or right after a leading backslash. Returns where the
  // number starts: after the sign, or at the very beginning (keeping a
  // leading backslash) when there is none.
  std::size_t ReadSign() {
    const std::size_t at = !text_.empty() && text_[0] == '\\' ? 1 : 0;
    if (at < text_.size() && (text_[at] == '+' || text_[at] == '-')) {
      negative_ = text_[at] == '-';
      return at + 1;
    }
    return 0;
  }

  // One to four characters after the apostrophe, each shifted in from the
  // right as a signed byte; a fifth and later ones are ignored. The end of the
  // text (or a dangling backslash) ends the constant early, so a lone
  // apostrophe reads as 0.
  // The running value is an integer below 2^32 in magnitude, which every kind
  // holds exactly, so it is kept here as a real and stored once at the end.
  bool ReadCharacterConstant(std::size_t pos) {
    double v = 0.0;
    int n = 0;
    for (; n < kMaxConstantChars && pos < text_.size(); ++n) {
      char c = text_[pos++];
      if (c == '\\') {
        if (pos == text_.size()) break;
        c = EscapedChar(text_[pos++]);
      }
      const int k = static_cast<signed char>(c);
      const auto shifted =
          static_cast<std::uint32_t>(static_cast<std::uint64_t>(TruncToInt64(v)) << 8);
      v = static_cast<double>(shifted) + k;
    }
    value_.SetReal(v);
    return true;
  }

  // "\0" octal, "\1".."\9" decimal, "\b" binary, "\x" hexadecimal, "\f" raw.
  bool ReadBackslashForm(std::size_t pos) {
    if (pos + 1 >= text_.size()) return false;
    const char form = text_[pos + 1];
    int base = 10;
    std::size_t digits = pos + 2;
    if (form == '0') {
      base = 8;
      // The "0" is itself an octal digit: "\0" alone is zero.
      if (digits == text_.size()) {
        value_.SetReal(0.0);
        return true;
      }
    } else if (form >= '1' && form <= '9') {
      digits = pos + 1;
    } else if (form == 'b') {
      base = 2;
    } else if (form == 'x') {
      base = 16;
    } else if (form == 'f') {
      return ReadRawImage(digits);
    } else {
      return false;
    }
    return ReadWholeUnsigned(digits, base);
  }

  // Integer modes: the rest of the text in the context's radix.
  bool ReadInteger(std::size_t pos) { return ReadWholeUnsigned(pos, ctx_.radix()); }

  // The rest of the text from pos as one unsigned 32-bit number, stored as a
  // real; false unless every character is used.
  bool ReadWholeUnsigned(std::size_t pos, int base) {
    const std::string_view rest = text_.substr(pos);
    std::uint32_t n = 0;
    const std::size_t used = ReadUnsigned32(rest, base, n);
    if (used == 0 || used != rest.size()) return false;
    value_.SetReal(static_cast<double>(n));
    return true;
  }

  // The bytes of the doubles behind the value, in the current kind.
  bool ReadRawImage(std::size_t pos) {
    std::string_view digits = text_.substr(pos);
    const std::uint8_t kind = value_.Sync();
    if (kind == kKindComplex && !digits.empty() && digits.back() == 'i') {
      digits.remove_suffix(1);
      double im = 0.0;
      if (!DecodeRawImage(digits, &im, 1)) return false;
      value_.AsComplex() = {0.0, im};
      return true;
    }
    double d[2] = {0.0, 0.0};
    if (!DecodeRawImage(digits, d, 2)) return false;
    switch (kind) {
      case kKindComplex:
        value_.AsComplex() = {d[0], d[1]};
        break;
      case kKindFraction: {
        CalcFraction& f = value_.AsFraction();
        f.sign = (d[0] < 0) != (d[1] < 0) ? 1 : 0;
        f.num = SaturateToUint32(std::fabs(d[0]));
        f.den = SaturateToUint32(std::fabs(d[1]));
        break;
      }
      default:
        value_.SetReal(d[0]);
        value_.AsTime().frames = d[1];
        break;
    }
    return true;
  }

  // Float and fraction modes: a real, or a fraction x_y or x_y_z, then an
  // optional angle letter.
  bool ReadReal(std::size_t pos) {
    double x = 0.0;
    std::size_t used = Strtod(pos, x);
    if (used == 0) return false;
    pos += used;
    if (pos < text_.size() && text_[pos] == '_') {
      // Terms past 32 bits saturate, as every other literal and the
      // fraction arithmetic do; wrapping would turn 4294967296_3 into 0.
      CalcFraction f;
      f.sign = negative_ ? 1 : 0;
      f.num = SaturateToUint32(x);
      double y = 0.0;
      pos = SkipSeparator(pos);
      if ((used = Strtod(pos, y)) == 0) return false;
      pos += used;
      if (pos < text_.size() && text_[pos] == '_') {
        double z = 0.0;
        pos = SkipSeparator(pos);
        if ((used = Strtod(pos, z)) == 0) return false;
        pos += used;
        if (y < 0 || z < 0) return false;
        f.den = SaturateToUint32(z);
        f.num = SaturateToUint32(x * z + static_cast<double>(SaturateToUint32(y)));
      } else {
        if (y < 0) return false;
        f.den = SaturateToUint32(y);
      }
      ReduceFraction(f);
      value_.AsFraction() = f;
    } else {
      value_.SetReal(negative_ ? -x : x);
    }
    return ReadAngleSuffix(pos);
  }

  // Complex modes: x, x+yi, x-i, x\-yi, yi, i, each with the sign in front.
  bool ReadComplex(std::size_t pos) {
    const std::size_t size = text_.size();
    double x = 0.0;
    const std::size_t used = Strtod(pos, x);
    pos += used;
    const double real = negative_ ? -x : x;
    if (used > 0 && pos < size && (text_[pos] == '+' || text_[pos] == '-' || text_[pos] == '\\')) {
      if (text_[pos] == '\\') ++pos;
      if (pos >= size || (text_[pos] != '+' && text_[pos] != '-')) return false;
      const bool imaginary_negative = text_[pos] == '-';
      ++pos;
      double y = 0.0;
      const std::size_t used_y = Strtod(pos, y);
      pos += used_y;
      if (pos + 1 != size || text_[pos] != 'i') return false;
      const double imaginary = used_y == 0 ? 1.0 : y;
      value_.AsComplex() = {real, imaginary_negative ? -imaginary : imaginary};
      return true;
    }
    if (pos < size && text_[pos] == 'i') {
      if (pos + 1 != size) return false;
      const double imaginary = used == 0 ? 1.0 : x;
      value_.AsComplex() = {0.0, negative_ ? -imaginary : imaginary};
      return true;
    }
    if (used == 0) return false;
    value_.AsComplex() = {real, 0.0};
    return ReadAngleSuffix(pos);
  }

  // Time modes: one to four fields separated by ":", optionally ended by a
  // unit letter naming the last field.
  bool ReadTime(std::size_t pos) {
    const std::size_t size = text_.size();
    double fields[kMaxTimeFields] = {};
    int count = 0;
    int last = -1;
    for (;;) {
      if (pos < size && text_[pos] == '\\') ++pos;
      const std::size_t used = Strtod(pos, fields[count]);
      if (used == 0) return false;
      pos += used;
      ++count;
      if (pos == size) break;
      if (text_[pos] == ':') {
        // A fifth field has no place in a time.
        if (count == kMaxTimeFields) return false;
        ++pos;
        continue;
      }
      if (pos + 1 != size) return false;
      last = FieldOfLetter(text_[pos]);
      if (last < 0) return false;
      break;
    }
    if (last < 0) last = LastUnletteredField(ctx_.mode(), count);
    const int first = last - (count - 1);
    if (first < 0) return false;

    CalcTime& t = value_.AsTime();
    double* slots[kMaxTimeFields] = {&t.hours, &t.minutes, &t.seconds, &t.frames};
    for (double* slot : slots) *slot = 0.0;
    for (int i = 0; i < count; ++i) *slots[first + i] = fields[i];
    t.sign = negative_ ? 1 : 0;
    NormalizeTime(t);
    return true;
  }

  // After a real: the end of the text, or one of the letters d, g, r as the
  // last character, which reads the number as an angle in degrees, grads or
  // radians and converts it into the context's unit.
  bool ReadAngleSuffix(std::size_t pos) {
    if (pos == text_.size()) return true;
    if (pos + 1 != text_.size()) return false;
    std::uint8_t unit = kRadians;
    switch (text_[pos]) {
      case 'd': unit = kDegrees; break;
      case 'g': unit = kGrads; break;
      case 'r': unit = kRadians; break;
      default: return false;
    }
    ConvertAngle(value_.AsComplex(), unit, ctx_.numeric().angle_unit);
    return true;
  }

  // Past the "_" at pos and one backslash right after it.
  std::size_t SkipSeparator(std::size_t pos) const {
    ++pos;
    if (pos < text_.size() && text_[pos] == '\\') ++pos;
    return pos;
  }

  // strtod from pos; returns the characters used (0 when nothing was read).
  // strtod needs a terminated text, so the word is copied once; an embedded
  // NUL simply ends what strtod can see.
  std::size_t Strtod(std::size_t pos, double& x) {
    if (!terminated_) {
      buffer_.assign(text_);
      terminated_ = true;
    }
    const char* start = buffer_.c_str() + pos;
    char* end = nullptr;
    x = std::strtod(start, &end);
    return static_cast<std::size_t>(end - start);
  }

  const CalcContext& ctx_;
  const std::string_view text_;
  CalcValue& value_;
  std::string buffer_;
  bool terminated_ = false;
  bool negative_ = false;
  bool sign_applied_ = false;
};

}  // namespace

namespace {

// The general reader, out of line: its frame is large, and the plain digits
// of ParseNumber's usual case need none of it.
[[gnu::noinline]] bool ReadLiteral(const CalcContext& ctx, std::string_view text, CalcValue& value) {
  const NumericScope numeric(ctx.numeric());
  return LiteralReader(ctx, text, value).Read();
}

}  // namespace

bool ParseNumber(const CalcContext& ctx, std::string_view text, CalcValue& value) {
  // Most literals of the integer modes are plain digits: read without the
  // general reader's setup, to its result.
  if (std::uint32_t n = 0; InGroup(ctx.mode(), kGroupInteger) && ReadPlainDigits(text, ctx.radix(), n)) {
    const NumericScope numeric(ctx.numeric());
    // Brought into the current kind and overwritten, which is what a fresh
    // value holding n would give, without building one to copy.
    value.Sync();
    value.SetReal(static_cast<double>(n));
    return true;
  }
  return ReadLiteral(ctx, text, value);
}

}  // namespace calc
