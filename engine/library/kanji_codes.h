// Conversions of Japanese text between Shift-JIS, EUC and 7-bit JIS, and
// the guess of which of them a text is in. Bytes below 0x80 pass through
// unchanged in every direction except inside JIS's two-byte mode.
#pragma once

#include <string>
#include <string_view>

namespace calc {

enum class KanjiCode { kPlain, kJis, kShiftJis, kEuc };

// The code of `text` by its first telling byte: an ESC "$" means JIS, a
// byte in 0x81..0x9F Shift-JIS, one in 0xA1..0xDF EUC; a high byte that
// either code could start is passed over with the byte after it when that
// byte is above 0xA0 and taken as Shift-JIS when it is not. Reaching the
// end without a telling byte gives kPlain.
KanjiCode DetectKanjiCode(std::string_view text);

// `text` from code `from` into code `to` (a copy when they are the same or
// either is kPlain). Conversions into JIS put ESC "$" "B" before each run of
// two-byte characters and ESC "(" "B" after it, at the end too; conversions
// out of JIS follow its escapes and shifts and drop them. A high byte with
// no byte after it is copied as it is.
std::string ConvertKanjiCode(std::string_view text, KanjiCode from, KanjiCode to);

}  // namespace calc
