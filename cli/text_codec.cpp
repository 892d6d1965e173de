#include "text_codec.h"

#include <cstdint>

#ifndef _WIN32
#include <iconv.h>

#include <cerrno>
#endif

namespace radixcalc {

bool ConvertsByDefault() {
#ifdef _WIN32
  return false;
#else
  return true;
#endif
}

bool IsValidUtf8(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    const auto c = static_cast<unsigned char>(text[i]);
    std::size_t length;
    std::uint32_t min;
    if (c < 0x80) {
      ++i;
      continue;
    } else if ((c & 0xE0) == 0xC0) {
      length = 2;
      min = 0x80;
    } else if ((c & 0xF0) == 0xE0) {
      length = 3;
      min = 0x800;
    } else if ((c & 0xF8) == 0xF0) {
      length = 4;
      min = 0x10000;
    } else {
      return false;
    }
    if (i + length > text.size()) return false;
    std::uint32_t code = c & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      code = (code << 6) | (next & 0x3F);
    }
    if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
    i += length;
  }
  return true;
}

#ifdef _WIN32

TextCodec::TextCodec(bool) : convert_(false) {}
TextCodec::~TextCodec() = default;
std::string TextCodec::ToEngine(std::string_view text) const { return std::string(text); }
std::string TextCodec::FromEngine(std::string_view text) const { return std::string(text); }

#else

namespace {

// Converts with `cd`; an input sequence it cannot convert becomes "?" and
// the input moves on by `skip(rest)` bytes.
template <typename Skip>
std::string Convert(void* cd, std::string_view text, Skip skip) {
  auto descriptor = static_cast<iconv_t>(cd);
  iconv(descriptor, nullptr, nullptr, nullptr, nullptr);
  std::string out;
  out.reserve(text.size() * 3 / 2 + 8);
  char buffer[1024];
  char* in = const_cast<char*>(text.data());
  std::size_t in_left = text.size();
  while (in_left > 0) {
    char* dest = buffer;
    std::size_t dest_left = sizeof buffer;
    const std::size_t done = iconv(descriptor, &in, &in_left, &dest, &dest_left);
    out.append(buffer, static_cast<std::size_t>(dest - buffer));
    if (done != static_cast<std::size_t>(-1)) break;
    if (errno == E2BIG) continue;
    // EILSEQ or EINVAL: a sequence that does not convert.
    out += '?';
    const std::size_t n = skip(std::string_view(in, in_left));
    in += n;
    in_left -= n;
    iconv(descriptor, nullptr, nullptr, nullptr, nullptr);
  }
  return out;
}

// Text of seven-bit bytes reads the same in UTF-8 and in CP932, so it needs
// no conversion: most scripts are nothing else.
bool IsAscii(std::string_view text) {
  for (const char c : text)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

// The length of the UTF-8 character at the start of valid text.
std::size_t Utf8Length(std::string_view rest) {
  const auto c = static_cast<unsigned char>(rest[0]);
  const std::size_t n = c < 0x80 ? 1 : (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : 4;
  return n < rest.size() ? n : rest.size();
}

}  // namespace

TextCodec::TextCodec(bool convert) : convert_(convert) {
  if (!convert_) return;
  const iconv_t to = iconv_open("CP932", "UTF-8");
  const iconv_t from = iconv_open("UTF-8", "CP932");
  if (to == reinterpret_cast<iconv_t>(-1) || from == reinterpret_cast<iconv_t>(-1)) {
    if (to != reinterpret_cast<iconv_t>(-1)) iconv_close(to);
    if (from != reinterpret_cast<iconv_t>(-1)) iconv_close(from);
    convert_ = false;  // no such conversion here: text passes unchanged
    return;
  }
  to_engine_ = to;
  from_engine_ = from;
}

TextCodec::~TextCodec() {
  if (to_engine_ != nullptr) iconv_close(static_cast<iconv_t>(to_engine_));
  if (from_engine_ != nullptr) iconv_close(static_cast<iconv_t>(from_engine_));
}

std::string TextCodec::ToEngine(std::string_view text) const {
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  if (!convert_ || IsAscii(text) || !IsValidUtf8(text)) return std::string(text);
  return Convert(to_engine_, text, Utf8Length);
}

std::string TextCodec::FromEngine(std::string_view text) const {
  if (!convert_ || IsAscii(text)) return std::string(text);
  return Convert(from_engine_, text, [](std::string_view) -> std::size_t { return 1; });
}

#endif

}  // namespace radixcalc
