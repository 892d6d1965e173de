#include "core/integer_arithmetic.h"

#include <cstdio>

#include "core/keywords.h"
#include "core/status_codes.h"
#include "core/value.h"

namespace calc {
namespace {

std::uint64_t MagnitudeOf(std::int64_t n) {
  return n < 0 ? 0 - static_cast<std::uint64_t>(n) : static_cast<std::uint64_t>(n);
}

WideInteger Truth(bool holds) { return WideInteger::From(holds ? 1 : 0); }

constexpr double kTwo64 = 18446744073709551616.0;

}  // namespace

WideInteger WideInteger::From(std::int64_t n) { return {n < 0 ? -1 : 0, static_cast<std::uint64_t>(n)}; }

WideInteger WideInteger::Product(std::int64_t a, std::int64_t b) {
  const std::uint64_t magnitude = MagnitudeOf(a) * MagnitudeOf(b);
  if ((a < 0) == (b < 0) || magnitude == 0) return {0, magnitude};
  return {-1, 0 - magnitude};  // -magnitude in 128 bits
}

WideInteger& WideInteger::operator+=(const WideInteger& other) {
  const std::uint64_t low = low_ + other.low_;
  const std::uint64_t carry = low < low_ ? 1 : 0;
  // The high words stay far inside 64 bits (sums of at most 2^22 products
  // below 2^64); they are added unsigned so that no sum can be undefined.
  high_ = static_cast<std::int64_t>(static_cast<std::uint64_t>(high_) + static_cast<std::uint64_t>(other.high_) + carry);
  low_ = low;
  return *this;
}

bool WideInteger::FitsInt64() const {
  const bool low_is_negative = static_cast<std::int64_t>(low_) < 0;
  return high_ == (low_is_negative ? -1 : 0);
}

std::string WideInteger::ToText() const {
  if (high_ == 0) return std::to_string(low_);
  if (high_ == -1 && low_ != 0) return "-" + std::to_string(0 - low_);
  char text[64];  // sums of products stay far below 10^40
  std::snprintf(text, sizeof text, "%.0f", static_cast<double>(high_) * kTwo64 + static_cast<double>(low_));
  return text;
}

bool ExactIntegerOperation(int id, std::int64_t a, std::int64_t b, std::uint16_t mode, WideInteger& out) {
  // Narrowed operands lie in [-2^31, 2^32 - 1], so sums, differences,
  // quotients and shifted values fit in 64 signed bits, and the magnitude of
  // a product fits in 64 unsigned bits.
  a = NarrowInteger(a, mode);
  b = NarrowInteger(b, mode);
  const unsigned count = static_cast<unsigned>(static_cast<std::uint64_t>(b) & 31u);
  switch (id) {
    case kOpMultiply: out = WideInteger::Product(a, b); return true;
    case kOpDivide:
      if (b == 0) return false;
      out = WideInteger::From(a / b);
      return true;
    case kOpRemainder:
      if (b == 0) return false;
      out = WideInteger::From(a % b);
      return true;
    case kOpAdd: out = WideInteger::From(a + b); return true;
    case kOpSubtract: out = WideInteger::From(a - b); return true;
    case kOpShiftLeft: out = WideInteger::Product(a, std::int64_t{1} << count); return true;
    case kOpShiftRight: out = WideInteger::From(a >> count); return true;
    case kOpLess: out = Truth(a < b); return true;
    case kOpLessEqual: out = Truth(a <= b); return true;
    case kOpGreater: out = Truth(a > b); return true;
    case kOpGreaterEqual: out = Truth(a >= b); return true;
    case kOpEqual: out = Truth(a == b); return true;
    case kOpNotEqual: out = Truth(a != b); return true;
    case kOpBitAnd: out = WideInteger::From(a & b); return true;
    case kOpBitXor: out = WideInteger::From(a ^ b); return true;
    case kOpBitOr: out = WideInteger::From(a | b); return true;
    default: return false;
  }
}

std::int64_t NarrowWide(const WideInteger& value, std::uint16_t mode) {
  return NarrowInteger(static_cast<std::int64_t>(value.LowBits()), mode);
}

int RangeWarningOf(const WideInteger& value, std::uint16_t mode) {
  if (!value.FitsInt64()) return value.negative() ? W_UNDERFLOW : W_OVERFLOW;
  const std::int64_t n = static_cast<std::int64_t>(value.LowBits());
  const IntegerLimits limits = LimitsOf(mode);
  return n < limits.min ? W_UNDERFLOW : n > limits.max ? W_OVERFLOW : 0;
}

}  // namespace calc
