// The formats and words of scanf, sscanf and fscanf, on plain text: the
// directives of a format, the words of a string or file, and the conversion
// of one word for one directive. The commands are in input_commands.cpp.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace calc {

// "%" and one of c d f o s u x (no width, no flags); the text before it is
// scanf's prompt for it. Any other character after "%" is passed over, as
// is a "%" that ends the format.
struct ScanDirective {
  std::string prompt;
  char conversion = 0;
};
std::vector<ScanDirective> ParseScanFormat(std::string_view format);

// The longest word fscanf reads; the characters after it start the next.
constexpr std::size_t kMaxScanWord = 256;

// The next word of `text` from `at`: blanks and tabs are skipped, the word
// ends at a blank, tab, carriage return, line feed or the end; `at` moves
// past the character that ended it.
std::string NextScanWord(std::string_view text, std::size_t& at);
// The same read from a file (nothing for a null file), at most kMaxScanWord
// characters.
std::string ReadScanWord(std::FILE* file);

// A word for d, o, u, x read as the C library's "%ld", "%lo", "%lu", "%lx"
// read it where long has 32 bits (Windows), on every system: leading white
// space and a sign are taken, x takes a "0x" prefix; d saturates at the
// signed 32-bit range, the others at 4294967295 and wrap a negative value
// modulo 2^32. For f the C library's "%lf". For c the first up to four
// bytes, each as a signed 8-bit value, as v = v * 256 + byte modulo 2^32.
// Nothing for a word that does not convert (no digits) and for s.
std::optional<double> ConvertScanWord(char conversion, std::string_view word);

}  // namespace calc
