// Float-to-integer truncation with the results of the x86 conversion
// instructions the engine was designed on: a real outside the signed 64-bit
// range, an infinity or NaN becomes -2^63. Plain casts would be undefined
// behaviour for those inputs.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

namespace calc {

inline std::int64_t TruncToInt64(double x) {
  constexpr double kTwo63 = 9223372036854775808.0;
  if (!(x >= -kTwo63 && x < kTwo63)) return std::numeric_limits<std::int64_t>::min();
  return static_cast<std::int64_t>(x);
}

inline std::int64_t TruncToInt64(long double x) {
  constexpr long double kTwo63 = 9223372036854775808.0L;
  if (!(x >= -kTwo63 && x < kTwo63)) return std::numeric_limits<std::int64_t>::min();
  return static_cast<std::int64_t>(x);
}

// The low 32 bits of the 64-bit truncation, as unsigned.
inline std::uint32_t TruncToUint32(double x) {
  return static_cast<std::uint32_t>(static_cast<std::uint64_t>(TruncToInt64(x)));
}
inline std::uint32_t TruncToUint32(long double x) {
  return static_cast<std::uint32_t>(static_cast<std::uint64_t>(TruncToInt64(x)));
}

// Truncation toward zero clamped to the unsigned 32-bit range, as strtoul
// saturates: below 0 (and NaN) is 0, above 4294967295 is 4294967295.
inline std::uint32_t SaturateToUint32(double x) {
  if (!(x > 0.0)) return 0;
  if (x >= 4294967295.0) return std::numeric_limits<std::uint32_t>::max();
  return static_cast<std::uint32_t>(x);
}

// Truncation to a signed 32-bit integer; outside its range -2^31.
inline std::int32_t TruncToInt32(double x) {
  if (!(x > -2147483649.0 && x < 2147483648.0)) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(x);
}

}  // namespace calc
