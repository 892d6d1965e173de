#include "utf8_text.h"

#include <cstdint>
#include <cstdio>

namespace radixcalc {
namespace {

bool IsContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// The length of the well-formed character at `offset`, or 0 when the bytes
// there do not form one.
std::size_t CharacterLength(std::string_view text, std::size_t offset) {
  const auto c = static_cast<unsigned char>(text[offset]);
  if (c < 0x80) return 1;
  std::size_t length;
  std::uint32_t min;
  if ((c & 0xE0) == 0xC0) {
    length = 2;
    min = 0x80;
  } else if ((c & 0xF0) == 0xE0) {
    length = 3;
    min = 0x800;
  } else if ((c & 0xF8) == 0xF0) {
    length = 4;
    min = 0x10000;
  } else {
    return 0;
  }
  if (offset + length > text.size()) return 0;
  std::uint32_t code = c & (0x7F >> length);
  for (std::size_t k = 1; k < length; ++k) {
    const auto next = static_cast<unsigned char>(text[offset + k]);
    if (!IsContinuation(next)) return 0;
    code = (code << 6) | (next & 0x3F);
  }
  if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
  return length;
}

// Line and column of `offset`; the text before it is well-formed, so every
// byte that is not a continuation byte begins a character.
TextProblem ProblemAt(std::string_view text, std::size_t offset, std::string what) {
  TextProblem problem;
  for (std::size_t i = 0; i < offset; ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c == '\n') {
      ++problem.line;
      problem.column = 1;
    } else if (!IsContinuation(c)) {
      ++problem.column;
    }
  }
  problem.what = std::move(what);
  return problem;
}

}  // namespace

std::size_t FirstInvalidUtf8(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    const std::size_t length = CharacterLength(text, i);
    if (length == 0) return i;
    i += length;
  }
  return std::string_view::npos;
}

bool IsValidUtf8(std::string_view text) { return FirstInvalidUtf8(text) == std::string_view::npos; }

char32_t CodePointAt(std::string_view text, std::size_t offset) {
  const std::size_t length = CharacterLength(text, offset);
  if (length <= 1) return static_cast<unsigned char>(text[offset]);
  char32_t code = static_cast<unsigned char>(text[offset]) & (0x7F >> length);
  for (std::size_t k = 1; k < length; ++k) code = (code << 6) | (static_cast<unsigned char>(text[offset + k]) & 0x3F);
  return code;
}

std::string TextProblem::Describe() const { return "column " + std::to_string(column) + ": " + what; }

TextProblem InvalidUtf8Problem(std::string_view text, std::size_t offset) {
  std::size_t end = offset + 1;
  const auto lead = static_cast<unsigned char>(text[offset]);
  if (lead >= 0xC0)  // a lead byte: its continuation bytes belong to the fault
    while (end < text.size() && end < offset + 4 && IsContinuation(static_cast<unsigned char>(text[end]))) ++end;
  std::string what = end - offset == 1 ? "invalid UTF-8 (byte" : "invalid UTF-8 (bytes";
  for (std::size_t i = offset; i < end; ++i) {
    char hex[4];
    std::snprintf(hex, sizeof hex, " %02X", static_cast<unsigned char>(text[i]));
    what += hex;
  }
  what += ')';
  return ProblemAt(text, offset, std::move(what));
}

TextProblem MissingCharacterProblem(std::string_view text, std::size_t offset) {
  const char32_t code = CodePointAt(text, offset);
  char name[16];
  std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(code));
  std::string what = "character ";
  what += name;
  // The character itself where it shows as one (not a control character).
  if (code >= 0xA0) {
    what += " (";
    what += text.substr(offset, CharacterLength(text, offset));
    what += ')';
  }
  what += " has no Shift-JIS code";
  return ProblemAt(text, offset, std::move(what));
}

}  // namespace radixcalc
