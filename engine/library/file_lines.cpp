#include "library/file_lines.h"

namespace calc {

std::size_t AppendFileLine(std::FILE* file, std::string& line, std::size_t limit) {
  const std::size_t start = line.size();
  while (line.size() < limit) {
    const int c = std::getc(file);
    if (c == EOF) break;
    line += static_cast<char>(c);
    if (c == '\n') break;
  }
  return line.size() - start;
}

}  // namespace calc
