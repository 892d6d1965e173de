// The tokenizer: cuts a line of Shift-JIS text into a CalcTokenList.
//
// Operator characters, parentheses, braces and blanks end a word; everything
// else collects into words, which are then classified in this order: operator
// word ("-", "~", "<=", ...), built-in function, statement keyword, ":" command,
// "!" external function, '"' string, the internal one/two-byte words, the
// named constants HUGE_VAL and RAND_MAX, a number, and otherwise a name.
//
//   \x       a backslash before a digit or one of a b e f n r t v x stays in the
//            word; "\\" stays as two bytes; before any other byte the backslash
//            goes and that byte joins the word as a plain character ("\-5" is
//            the one word -5, "1\+2i" the one word 1+2i).
//   [ ... ]  quotes: everything up to "]" is one word ([-] is the unary minus,
//            ["a b] the string a b); [] alone is the empty-brackets token.
//   @a @@a   variable and array by code; a word starting with "@" ends right
//            after a ":" ("@a:").
//
// A Shift-JIS lead byte (0x81-0x9F, 0xE0-0xEF) always carries the byte after
// it, so a second byte that looks like "\", "[" or "|" never acts as one.
// Words have no length limit.
#pragma once

#include <string_view>

#include "core/context.h"
#include "core/token.h"

namespace calc {

// Clears `list`, then fills it from `text`. With parse_numbers false, words
// that are neither keyword forms nor HUGE_VAL/RAND_MAX become names, so the
// text can be re-rendered in another radix. 0, or E_MEM (the list then holds
// the tokens made so far).
int Tokenize(const CalcContext& ctx, std::string_view text, bool parse_numbers, CalcTokenList& list);

// Classifies one collected word (escapes still in it) and appends its token.
// An empty word appends nothing. 0 or E_MEM.
int AppendWord(const CalcContext& ctx, std::string_view word, bool parse_numbers, CalcTokenList& list);

// The token one word makes. May throw std::bad_alloc.
CalcToken ClassifyWord(const CalcContext& ctx, std::string_view word, bool parse_numbers);

// The text of a string word after its opening quote, escapes resolved:
// \0 \a \b \e \f \n \r \t \v, any other escaped byte stands for itself, and a
// trailing backslash is dropped. Double-byte characters are copied whole.
std::string ResolveStringEscapes(std::string_view body);

// True for a byte that opens a Shift-JIS double-byte character.
constexpr bool IsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xEF); }

}  // namespace calc
