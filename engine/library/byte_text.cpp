#include "library/byte_text.h"

namespace calc {
namespace {

constexpr char LowerByte(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c; }

}  // namespace

std::string AsciiLower(std::string_view text) {
  std::string lowered(text);
  for (char& c : lowered) c = LowerByte(c);
  return lowered;
}

std::size_t FindText(std::string_view text, std::string_view needle, std::size_t from, bool ignore_case) {
  if (!ignore_case) return text.find(needle, from);
  return AsciiLower(text).find(AsciiLower(needle), from);
}

}  // namespace calc
