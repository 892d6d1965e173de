// Reading a whole, bounded file into memory for the image decoders.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace radixpad::image {

// The bytes of the file at `path` (a path in the C library's encoding).
// Nothing for a null path, a file that cannot be read, or one longer than
// `maxBytes`; the check happens while reading, so a huge file costs at most
// `maxBytes` of memory.
std::optional<std::vector<std::uint8_t>> ReadFileBytes(const char* path, std::size_t maxBytes);

}  // namespace radixpad::image
