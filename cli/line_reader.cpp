#include "line_reader.h"

namespace radixcalc {

LineRead ReadPhysicalLine(std::istream& in, std::string& line, std::size_t max_length) {
  line.clear();
  std::streambuf* buffer = in.rdbuf();
  if (buffer == nullptr) return LineRead::kEnd;
  using Traits = std::streambuf::traits_type;
  Traits::int_type c = buffer->sbumpc();
  if (Traits::eq_int_type(c, Traits::eof())) {
    in.setstate(std::ios::eofbit);
    return LineRead::kEnd;
  }
  while (!Traits::eq_int_type(c, Traits::eof())) {
    const char ch = Traits::to_char_type(c);
    if (ch == '\n') return LineRead::kLine;
    if (ch == '\r') {
      if (Traits::eq_int_type(buffer->sgetc(), Traits::to_int_type('\n'))) buffer->sbumpc();
      return LineRead::kLine;
    }
    if (line.size() >= max_length) return LineRead::kTooLong;
    line.push_back(ch);
    c = buffer->sbumpc();
  }
  in.setstate(std::ios::eofbit);
  return LineRead::kLine;
}

}  // namespace radixcalc
