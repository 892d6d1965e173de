// Reading a text one physical line at a time with a bound on the line's
// length, so that a file without line ends (a device such as /dev/zero, a
// binary file) is refused after the bound instead of read whole into memory.
#pragma once

#include <cstddef>
#include <istream>
#include <string>

namespace radixcalc {

enum class LineRead {
  kLine,     // `line` holds the next line
  kEnd,      // nothing was left
  kTooLong,  // the line is longer than the bound; the stream is left inside it
};

// The next physical line of `in` without its end (LF, CR or CR LF) into
// `line`. A last line without an end is a line too; an empty stream, or one
// read to its end, gives kEnd.
LineRead ReadPhysicalLine(std::istream& in, std::string& line, std::size_t max_length);

}  // namespace radixcalc
