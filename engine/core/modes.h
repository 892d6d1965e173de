// The numeric mode word: the high bits name the group, the low bits the variant.
#pragma once

#include <cstdint>

namespace calc {

enum ModeWord : std::uint16_t {
  kModeEfloat = 16, kModeFloat = 17, kModeGfloat = 18,
  kModeEcomplex = 32, kModeComplex = 33, kModeGcomplex = 34,
  kModeFract = 64, kModeMfract = 65,
  kModeHtime = 128, kModeMtime = 129, kModeTime = 130, kModeFtime = 131,
  kModeChar = 256, kModeUchar = 257, kModeShort = 258, kModeUshort = 259,
  kModeLong = 260, kModeUlong = 261,
};

enum ModeGroup : std::uint16_t {
  kGroupFloat = 0x10, kGroupComplex = 0x20, kGroupFraction = 0x40,
  kGroupTime = 0x80, kGroupInteger = 0x100,
};

inline bool InGroup(std::uint16_t mode, ModeGroup group) { return (mode & group) != 0; }

// The integer mode of a width (8, 16 or 32 bits) and signedness: 256 + 2w + u.
inline std::uint16_t IntegerMode(int bits, bool is_unsigned) {
  const int w = bits == 8 ? 0 : bits == 16 ? 1 : 2;
  return static_cast<std::uint16_t>(kModeChar + 2 * w + (is_unsigned ? 1 : 0));
}

}  // namespace calc
