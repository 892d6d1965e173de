// Exact arithmetic of the integer modes (char ... ulong). Reals lose the low
// bits of a product past 2^53, and the float-to-integer truncation turns
// anything past 2^63 into -2^63, so narrowing a real product afterwards can
// give a wrong low word (FFFFFFFF * FFFFFFFF in ulong would be 0, not 1).
// Here the operands are narrowed to the mode's type and combined as C
// combines values of that type, on integers wide enough to hold the exact
// result; the caller narrows the result and judges the range warnings on the
// exact value.
#pragma once

#include <cstdint>
#include <string>

namespace calc {

// An exact result before narrowing: a 128-bit two's complement integer.
// The product of two 32-bit unsigned operands needs all 64 bits of a
// magnitude and a difference needs a sign beside them; a matrix product
// sums up to 2^22 such products.
class WideInteger {
 public:
  WideInteger() = default;
  static WideInteger From(std::int64_t n);
  // a * b, exact for magnitudes below 2^32 (every narrowed operand); for
  // larger ones the product's magnitude wraps modulo 2^64, never undefined.
  static WideInteger Product(std::int64_t a, std::int64_t b);

  WideInteger& operator+=(const WideInteger& other);

  bool negative() const { return high_ < 0; }
  // True when the value fits in 64 signed bits; then it is LowBits() read
  // as signed.
  bool FitsInt64() const;
  // The low 64 bits: all that narrowing keeps of the value.
  std::uint64_t LowBits() const { return low_; }
  // Decimal text, for messages: exact within 2^64 either side of zero,
  // beyond that the nearest real written "%.0f".
  std::string ToText() const;

 private:
  WideInteger(std::int64_t high, std::uint64_t low) : high_(high), low_(low) {}

  std::int64_t high_ = 0;
  std::uint64_t low_ = 0;
};

// The operators "*" to "|" (ids 8-23) on a and b, each first narrowed to
// the type of `mode`, with the results of C on that type:
// - "/" truncates toward zero and "%" takes the sign of the dividend; the
//   quotient of the type's minimum by -1 is its exact value (one past the
//   maximum) instead of a trap;
// - "<<" and ">>" shift by the low five bits of b; ">>" of a negative value
//   is arithmetic; "<<" is exact (a times 2^count);
// - "&", "^" and "|" combine the type's bits; comparisons give 1 or 0.
// False, with `out` untouched, for another id and for "/" or "%" by zero,
// which are left to the real arithmetic.
bool ExactIntegerOperation(int id, std::int64_t a, std::int64_t b, std::uint16_t mode, WideInteger& out);

// The exact value narrowed to the mode's type.
std::int64_t NarrowWide(const WideInteger& value, std::uint16_t mode);

// W_OVERFLOW or W_UNDERFLOW when the exact value lies outside the mode's
// type, else 0.
int RangeWarningOf(const WideInteger& value, std::uint16_t mode);

}  // namespace calc
