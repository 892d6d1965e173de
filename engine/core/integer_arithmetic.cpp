#include "core/integer_arithmetic.h"

#include "core/keywords.h"
#include "core/status_codes.h"
#include "core/value.h"

namespace calc {
namespace {

std::uint64_t MagnitudeOf(std::int64_t n) {
  return n < 0 ? 0 - static_cast<std::uint64_t>(n) : static_cast<std::uint64_t>(n);
}

WideInteger Truth(bool holds) { return WideInteger::From(holds ? 1 : 0); }

}  // namespace

WideInteger WideInteger::From(std::int64_t n) { return {n < 0, MagnitudeOf(n)}; }

bool ExactIntegerOperation(int id, std::int64_t a, std::int64_t b, std::uint16_t mode, WideInteger& out) {
  // Narrowed operands lie in [-2^31, 2^32 - 1], so sums, differences,
  // quotients and shifted values fit in 64 signed bits, and the magnitude of
  // a product fits in 64 unsigned bits.
  a = NarrowInteger(a, mode);
  b = NarrowInteger(b, mode);
  const unsigned count = static_cast<unsigned>(static_cast<std::uint64_t>(b) & 31u);
  switch (id) {
    case kOpMultiply: {
      const std::uint64_t magnitude = MagnitudeOf(a) * MagnitudeOf(b);
      out = {(a < 0) != (b < 0) && magnitude != 0, magnitude};
      return true;
    }
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
    case kOpShiftLeft: out = {a < 0, MagnitudeOf(a) << count}; return true;
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
  const IntegerLimits limits = LimitsOf(mode);
  if (value.negative) return value.magnitude > MagnitudeOf(limits.min) ? W_UNDERFLOW : 0;
  return value.magnitude > static_cast<std::uint64_t>(limits.max) ? W_OVERFLOW : 0;
}

}  // namespace calc
