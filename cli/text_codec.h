// Engine text is Shift-JIS (code page 932). On Linux radixcalc's terminal,
// arguments and script files are UTF-8, so text going into the engine is
// converted from UTF-8 to CP932 and text coming out is converted back.
// radixcalc.exe on Windows uses the console's code page as it is.
#pragma once

#include <string>
#include <string_view>

#include "utf8_text.h"

namespace radixcalc {

// True where radixcalc converts by default (Linux and other Unix systems).
bool ConvertsByDefault();

class TextCodec {
 public:
  // Without `convert` both directions pass text through unchanged.
  explicit TextCodec(bool convert);
  TextCodec(const TextCodec&) = delete;
  TextCodec& operator=(const TextCodec&) = delete;
  ~TextCodec();

  bool converts() const { return convert_; }

  // UTF-8 to CP932 into `out`; a leading byte order mark is dropped. False,
  // with `problem` describing the first offence, when the text is not
  // well-formed UTF-8 or holds a character CP932 lacks: such text is refused
  // whole, never guessed at (a byte taken for a Shift-JIS lead byte would
  // swallow the character after it).
  bool ToEngine(std::string_view text, std::string& out, TextProblem& problem) const;
  // A name (a source's, shown in reports) as engine text: converted where it
  // can be, else with every byte above 0x7F as "?".
  std::string NameToEngine(std::string_view text) const;
  // CP932 to UTF-8; a byte that does not begin a CP932 character becomes "?".
  std::string FromEngine(std::string_view text) const;

 private:
  // Opens the conversions the first time a text needs one: most texts are
  // seven-bit and need none, and opening them is a noticeable share of a
  // short run. False, with conversion off for good, where they cannot be
  // opened (text then passes unchanged).
  bool Open() const;

  mutable bool convert_;
  mutable bool opened_ = false;
  mutable void* to_engine_ = nullptr;  // iconv descriptors, once opened
  mutable void* from_engine_ = nullptr;
};

// The longest start of Shift-JIS `text` that fits in `max_bytes` without
// splitting a double-byte character.
std::string_view CutShiftJis(std::string_view text, std::size_t max_bytes);

}  // namespace radixcalc
