// Byte-level text helpers of the string functions and commands. Text is
// bytes in the system's double-byte code page (Shift-JIS): letter case is
// ASCII only, and a lead byte starts a two-byte character.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace calc {

// 0x81..0x9F and 0xE0..0xEF (0xF0..0xFC are not taken as lead bytes).
constexpr bool IsLeadByte(unsigned char byte) { return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xEF); }

// "A".."Z" lowered; every other byte as it is.
std::string AsciiLower(std::string_view text);

// The offset of the first occurrence of `needle` at or after `from`, or npos;
// with `ignore_case` ASCII letters match either case.
std::size_t FindText(std::string_view text, std::string_view needle, std::size_t from, bool ignore_case);

}  // namespace calc
