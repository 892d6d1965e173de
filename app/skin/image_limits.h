// Limits every image decoder applies before it allocates anything.
#pragma once

#include <cstddef>
#include <cstdint>

namespace radixpad::skin {

// Largest side and pixel count accepted: far above any skin or icon, small
// enough that a hostile header cannot make a 32-bit process allocate
// gigabytes (16 Mi pixels are 64 MiB once expanded to 32 bits).
inline constexpr std::uint32_t kMaxImageSide = 16384;
inline constexpr std::uint64_t kMaxImagePixels = 16u * 1024u * 1024u;

// Skin and icon files are small; a larger file is not read at all.
inline constexpr std::size_t kMaxImageFileBytes = 64u * 1024u * 1024u;

}  // namespace radixpad::skin
