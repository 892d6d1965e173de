// Reading UTF-8 text one character at a time: where it stops being UTF-8,
// and how to name a place and a character in it for a report.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace radixcalc {

// The offset of the first byte that does not begin a well-formed UTF-8
// character (overlong forms, surrogates and sequences cut short included),
// or npos when the whole text is well-formed.
std::size_t FirstInvalidUtf8(std::string_view text);

// True when `text` is well-formed UTF-8.
bool IsValidUtf8(std::string_view text);

// The code point that begins at `offset` of well-formed text.
char32_t CodePointAt(std::string_view text, std::size_t offset);

// A character that cannot become engine text, and where it is.
struct TextProblem {
  std::size_t line = 1;    // from 1: lines end at LF
  std::size_t column = 1;  // in characters, from 1
  std::string what;        // "character U+1F600 (😀) has no Shift-JIS code"

  // "column C: WHAT", for a report after "SOURCE:LINE: ".
  std::string Describe() const;
};

// The problem of the bytes at `offset` that do not begin a UTF-8 character:
// "invalid UTF-8 (bytes E3 81)", naming the lead byte and the continuation
// bytes that follow it.
TextProblem InvalidUtf8Problem(std::string_view text, std::size_t offset);

// The problem of the well-formed character at `offset` that has no Shift-JIS
// code: "character U+1F600 (😀) has no Shift-JIS code".
TextProblem MissingCharacterProblem(std::string_view text, std::size_t offset);

}  // namespace radixcalc
