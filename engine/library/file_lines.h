// Reading a text file one line at a time, as fgets and the hl functions do.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

namespace calc {

// Appends the next line of `file` to `line`, its line feed included, and
// returns the number of bytes appended (0 at the end of the file). A line
// is read whole however long it is, up to `limit` bytes in `line`; the rest
// of a longer one stays in the file for the next read, so no line can make
// the reader take more memory than the caller allows.
std::size_t AppendFileLine(std::FILE* file, std::string& line, std::size_t limit);

}  // namespace calc
