// Engine text is Shift-JIS (code page 932). On Linux radixcalc's terminal,
// arguments and script files are UTF-8, so text going into the engine is
// converted from UTF-8 to CP932 and text coming out is converted back.
// radixcalc.exe on Windows uses the console's code page as it is.
#pragma once

#include <string>
#include <string_view>

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

  // UTF-8 to CP932. A leading byte order mark is dropped; a character that
  // CP932 lacks becomes "?". Text that is not valid UTF-8 is taken to be
  // Shift-JIS already and passes unchanged.
  std::string ToEngine(std::string_view text) const;
  // CP932 to UTF-8; a byte that does not begin a CP932 character becomes "?".
  std::string FromEngine(std::string_view text) const;

 private:
  bool convert_;
  void* to_engine_ = nullptr;    // iconv descriptors, where available
  void* from_engine_ = nullptr;
};

// True when `text` is well-formed UTF-8 (no overlong forms, no surrogates).
bool IsValidUtf8(std::string_view text);

}  // namespace radixcalc
