// Maps an input byte onto one of the eighteen mode words.
#pragma once

#include <cstdint>

#include "core/modes.h"

namespace fuzz {

inline constexpr std::uint16_t kModes[] = {
    calc::kModeEfloat, calc::kModeFloat,  calc::kModeGfloat, calc::kModeEcomplex, calc::kModeComplex,
    calc::kModeGcomplex, calc::kModeFract, calc::kModeMfract, calc::kModeHtime,   calc::kModeMtime,
    calc::kModeTime,   calc::kModeFtime,  calc::kModeChar,   calc::kModeUchar,    calc::kModeShort,
    calc::kModeUshort, calc::kModeLong,   calc::kModeUlong,
};
inline constexpr std::uint8_t kModeCount = sizeof(kModes) / sizeof(kModes[0]);

inline std::uint16_t ModeFromByte(std::uint8_t b) { return kModes[b % kModeCount]; }

}  // namespace fuzz
