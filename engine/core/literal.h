// Number literals: decides whether one word of text is a number under the
// context's mode and radix and, if it is, stores it into a CalcValue.
//
// Forms read in every mode:
//   'A 'AB '\n        character constants, one to four characters, no closing quote
//   \017 \123 \b101 \x1F
//                     octal, decimal, binary and hexadecimal integers
//   \f<hex digits>    raw image of the doubles behind the value
// Forms that follow the mode group:
//   float, fraction   1.5  1e3  3_4  1_1_2  90d 100g 1.5r
//   complex           1+2i  1-i  2i  -i  1\-2i  90d
//   time              90  1:30  1:02:03:15  90s 2h 1:30m  1:2:3f
//   integer           digits in the context's radix (2..36)
// A leading "-" (optionally after a backslash) negates any form.
#pragma once

#include <string_view>

#include "core/context.h"
#include "core/value.h"

namespace calc {

// Reads `text` (one token's text, escape backslashes of the tokenizer already
// resolved) as a number under ctx's mode word and radix. On true `value` holds
// the number, normally in the current kind; a fraction literal read in a float
// mode and an angle-suffixed literal read in a fraction or time mode keep the
// kind they were built in and switch on first use. On false the text is not a
// number and `value` holds nothing meaningful. Never reads past the end of
// `text`; any length is handled.
//
// Integer forms follow the C strtoul rules of a 32-bit platform whatever the
// host's unsigned long is: leading white space and a sign are accepted, "0x"
// may prefix radix-16 digits, a negative magnitude is wrapped modulo 2^32 and a
// magnitude above 4294967295 reads as 4294967295. A form needs at least one
// digit ("\x" alone and a lone sign are not numbers; "\0" is zero), and a
// character constant at least one character (a lone apostrophe is no number).
bool ParseNumber(const CalcContext& ctx, std::string_view text, CalcValue& value);

}  // namespace calc
