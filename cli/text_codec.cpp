#include "text_codec.h"

#include "core/tokenizer.h"

#ifndef _WIN32
#include <iconv.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#endif

namespace radixcalc {

bool ConvertsByDefault() {
#ifdef _WIN32
  return false;
#else
  return true;
#endif
}

std::string_view CutShiftJis(std::string_view text, std::size_t max_bytes) {
  std::size_t end = 0;
  while (end < text.size()) {
    // A lead byte at the very end has no second byte to keep with it.
    const bool pair = calc::IsLeadByte(static_cast<unsigned char>(text[end])) && end + 1 < text.size();
    const std::size_t length = pair ? 2 : 1;
    if (end + length > max_bytes) break;
    end += length;
  }
  return text.substr(0, end);
}

#ifdef _WIN32

TextCodec::TextCodec(bool) : convert_(false) {}
TextCodec::~TextCodec() = default;
bool TextCodec::ToEngine(std::string_view text, std::string& out, TextProblem&) const {
  out.assign(text);
  return true;
}
std::string TextCodec::NameToEngine(std::string_view text) const { return std::string(text); }
std::string TextCodec::FromEngine(std::string_view text) const { return std::string(text); }

#else

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Converts all of `text` with `cd` into `out`. Returns the offset of the
// first input sequence that does not convert, or npos when none is left.
std::size_t ConvertUntilFailure(void* cd, std::string_view text, std::string& out) {
  auto descriptor = static_cast<iconv_t>(cd);
  iconv(descriptor, nullptr, nullptr, nullptr, nullptr);
  char buffer[1024];
  char* in = const_cast<char*>(text.data());
  std::size_t in_left = text.size();
  while (in_left > 0) {
    char* dest = buffer;
    std::size_t dest_left = sizeof buffer;
    const std::size_t done = iconv(descriptor, &in, &in_left, &dest, &dest_left);
    out.append(buffer, static_cast<std::size_t>(dest - buffer));
    if (done != static_cast<std::size_t>(-1)) break;
    if (errno != E2BIG) return static_cast<std::size_t>(in - text.data());  // EILSEQ or EINVAL
  }
  return std::string_view::npos;
}

// Text of seven-bit bytes reads the same in UTF-8 and in CP932, so it needs
// no conversion: most scripts are nothing else.
// Eight bytes are tested at once: every line passes here.
bool IsAscii(std::string_view text) {
  constexpr std::uint64_t kHighBits = 0x8080808080808080u;
  std::size_t i = 0;
  for (; i + sizeof(std::uint64_t) <= text.size(); i += sizeof(std::uint64_t)) {
    std::uint64_t word;
    std::memcpy(&word, text.data() + i, sizeof word);
    if ((word & kHighBits) != 0) return false;
  }
  for (; i < text.size(); ++i)
    if (static_cast<unsigned char>(text[i]) >= 0x80) return false;
  return true;
}

}  // namespace

TextCodec::TextCodec(bool convert) : convert_(convert) {}

bool TextCodec::Open() const {
  if (opened_) return convert_;
  opened_ = true;
  const iconv_t to = iconv_open("CP932", "UTF-8");
  const iconv_t from = iconv_open("UTF-8", "CP932");
  if (to == reinterpret_cast<iconv_t>(-1) || from == reinterpret_cast<iconv_t>(-1)) {
    if (to != reinterpret_cast<iconv_t>(-1)) iconv_close(to);
    if (from != reinterpret_cast<iconv_t>(-1)) iconv_close(from);
    convert_ = false;  // no such conversion here: text passes unchanged
    return false;
  }
  to_engine_ = to;
  from_engine_ = from;
  return true;
}

TextCodec::~TextCodec() {
  if (to_engine_ != nullptr) iconv_close(static_cast<iconv_t>(to_engine_));
  if (from_engine_ != nullptr) iconv_close(static_cast<iconv_t>(from_engine_));
}

bool TextCodec::ToEngine(std::string_view text, std::string& out, TextProblem& problem) const {
  out.clear();
  if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
  if (!convert_ || IsAscii(text) || !Open()) {
    out.assign(text);
    return true;
  }
  if (const std::size_t invalid = FirstInvalidUtf8(text); invalid != std::string_view::npos) {
    problem = InvalidUtf8Problem(text, invalid);
    return false;
  }
  out.reserve(text.size());
  // Well-formed UTF-8 fails to convert only at a character CP932 lacks.
  if (const std::size_t missing = ConvertUntilFailure(to_engine_, text, out); missing != std::string_view::npos) {
    problem = MissingCharacterProblem(text, missing);
    return false;
  }
  return true;
}

std::string TextCodec::NameToEngine(std::string_view text) const {
  std::string out;
  TextProblem ignored;
  if (ToEngine(text, out, ignored)) return out;
  out.assign(text);
  for (char& c : out)
    if (static_cast<unsigned char>(c) >= 0x80) c = '?';
  return out;
}

std::string TextCodec::FromEngine(std::string_view text) const {
  if (!convert_ || IsAscii(text) || !Open()) return std::string(text);
  std::string out;
  out.reserve(text.size() * 3 / 2 + 8);
  // A byte that does not begin a CP932 character shows as "?" and the text
  // goes on after it.
  for (;;) {
    const std::size_t failed = ConvertUntilFailure(from_engine_, text, out);
    if (failed == std::string_view::npos) break;
    out += '?';
    text.remove_prefix(failed + 1);
  }
  return out;
}

#endif

}  // namespace radixcalc
