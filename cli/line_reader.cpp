#include "line_reader.h"

#include <algorithm>
#include <cstring>
#include <streambuf>

namespace radixcalc {
namespace {

using Traits = std::streambuf::traits_type;

// The characters a stream buffer holds already, read in place: a line is
// then found and copied in runs instead of a call per character. A class
// derived from std::streambuf may form pointers to its protected members,
// and those work on any stream buffer.
class GetArea : public std::streambuf {
 public:
  static const char* Begin(std::streambuf& buffer) { return (buffer.*&GetArea::gptr)(); }
  static const char* End(std::streambuf& buffer) { return (buffer.*&GetArea::egptr)(); }
  // Takes `count` characters of the area, which holds at least as many.
  static void Consume(std::streambuf& buffer, std::size_t count) {
    // An area never holds more than an int counts (gbump takes an int), but
    // the step is cut to be safe.
    while (count > 0) {
      const std::size_t step = std::min<std::size_t>(count, 1u << 30);
      (buffer.*&GetArea::gbump)(static_cast<int>(step));
      count -= step;
    }
  }
};

bool IsLineEnd(char c) { return c == '\n' || c == '\r'; }

// The first CR or LF of [begin, end), else end: the LF is found first, then a
// CR before it (searches for one byte beat a test of two per byte).
const char* FindLineEnd(const char* begin, const char* end) {
  const auto length = static_cast<std::size_t>(end - begin);
  const void* lf = std::memchr(begin, '\n', length);
  const char* stop = lf != nullptr ? static_cast<const char*>(lf) : end;
  const void* cr = std::memchr(begin, '\r', static_cast<std::size_t>(stop - begin));
  return cr != nullptr ? static_cast<const char*>(cr) : stop;
}

}  // namespace

LineRead ReadPhysicalLine(std::istream& in, std::string& line, std::size_t max_length) {
  line.clear();
  std::streambuf* buffer = in.rdbuf();
  if (buffer == nullptr) return LineRead::kEnd;
  if (Traits::eq_int_type(buffer->sgetc(), Traits::eof())) {
    in.setstate(std::ios::eofbit);
    return LineRead::kEnd;
  }
  for (;;) {
    const char* begin = GetArea::Begin(*buffer);
    const char* end = GetArea::End(*buffer);
    if (begin == end) {
      // Nothing held (an unbuffered stream, or the area is used up): one
      // character the ordinary way, which also refills the area.
      const Traits::int_type c = buffer->sbumpc();
      if (Traits::eq_int_type(c, Traits::eof())) break;
      const char ch = Traits::to_char_type(c);
      if (IsLineEnd(ch)) {
        if (ch == '\r' && Traits::eq_int_type(buffer->sgetc(), Traits::to_int_type('\n'))) buffer->sbumpc();
        return LineRead::kLine;
      }
      if (line.size() >= max_length) return LineRead::kTooLong;
      line.push_back(ch);
      continue;
    }
    const char* stop = FindLineEnd(begin, end);
    const auto run = static_cast<std::size_t>(stop - begin);
    const std::size_t room = max_length - std::min(line.size(), max_length);
    if (run > room) {
      // The character one past the bound is read too, as it would be one
      // at a time, and the line is refused there.
      line.append(begin, room);
      GetArea::Consume(*buffer, room + 1);
      return LineRead::kTooLong;
    }
    line.append(begin, run);
    GetArea::Consume(*buffer, run);
    if (stop != end) {
      const char ch = *stop;
      GetArea::Consume(*buffer, 1);
      if (ch == '\r' && Traits::eq_int_type(buffer->sgetc(), Traits::to_int_type('\n'))) buffer->sbumpc();
      return LineRead::kLine;
    }
    if (Traits::eq_int_type(buffer->sgetc(), Traits::eof())) break;
  }
  in.setstate(std::ios::eofbit);
  return LineRead::kLine;
}

}  // namespace radixcalc
