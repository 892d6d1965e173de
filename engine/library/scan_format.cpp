#include "library/scan_format.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace calc {
namespace {

constexpr std::string_view kConversions = "cdfosux";

bool IsBlank(int c) { return c == ' ' || c == '\t'; }
bool EndsWord(int c) { return IsBlank(c) || c == '\r' || c == '\n'; }
// White space as strtol skips it.
bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

int DigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'z') return c - 'a' + 10;
  if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
  return 99;
}

// strtol / strtoul with a 32-bit long.
std::optional<double> ScanInteger(std::string_view word, int base, bool is_signed) {
  std::size_t i = 0;
  while (i < word.size() && IsSpace(word[i])) ++i;
  bool negative = false;
  if (i < word.size() && (word[i] == '+' || word[i] == '-')) negative = word[i++] == '-';
  if (base == 16 && i + 2 < word.size() && word[i] == '0' && (word[i + 1] == 'x' || word[i + 1] == 'X') &&
      DigitValue(word[i + 2]) < 16)
    i += 2;
  constexpr std::uint64_t kCap = std::uint64_t{1} << 32;  // beyond every result
  std::uint64_t magnitude = 0;
  std::size_t digits = 0;
  for (; i < word.size() && DigitValue(word[i]) < base; ++i, ++digits)
    magnitude = std::min(kCap, magnitude * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(DigitValue(word[i])));
  if (digits == 0) return std::nullopt;
  if (is_signed) {
    const std::int64_t value = negative ? -static_cast<std::int64_t>(magnitude) : static_cast<std::int64_t>(magnitude);
    constexpr auto kMin = std::numeric_limits<std::int32_t>::min();
    constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
    return static_cast<double>(value < kMin ? kMin : value > kMax ? kMax : value);
  }
  if (magnitude >= kCap) return static_cast<double>(std::numeric_limits<std::uint32_t>::max());
  const auto low = static_cast<std::uint32_t>(magnitude);
  return static_cast<double>(negative ? static_cast<std::uint32_t>(0u - low) : low);
}

std::optional<double> ScanReal(std::string_view word) {
  const std::string text(word);
  char* end = nullptr;
  const double value = std::strtod(text.c_str(), &end);
  if (end == text.c_str()) return std::nullopt;
  return value;
}

double PackBytes(std::string_view word) {
  std::uint32_t v = 0;
  for (std::size_t i = 0; i < word.size() && i < 4; ++i)
    v = v * 256u + static_cast<std::uint32_t>(static_cast<std::int32_t>(static_cast<signed char>(word[i])));
  return static_cast<double>(v);
}

}  // namespace

std::vector<ScanDirective> ParseScanFormat(std::string_view format) {
  std::vector<ScanDirective> directives;
  std::string prompt;
  for (std::size_t i = 0; i < format.size(); ++i) {
    if (format[i] != '%') {
      prompt += format[i];
      continue;
    }
    if (++i == format.size()) break;
    if (kConversions.find(format[i]) == std::string_view::npos) continue;
    directives.push_back({std::move(prompt), format[i]});
    prompt.clear();
  }
  return directives;
}

std::string NextScanWord(std::string_view text, std::size_t& at) {
  while (at < text.size() && IsBlank(text[at])) ++at;
  const std::size_t start = at;
  while (at < text.size() && !EndsWord(text[at])) ++at;
  std::string word(text.substr(start, at - start));
  if (at < text.size()) ++at;
  return word;
}

std::string ReadScanWord(std::FILE* file) {
  std::string word;
  if (file == nullptr) return word;
  int c = std::getc(file);
  while (IsBlank(c)) c = std::getc(file);
  while (c != EOF && !EndsWord(c)) {
    word += static_cast<char>(c);
    if (word.size() == kMaxScanWord) break;
    c = std::getc(file);
  }
  return word;
}

std::optional<double> ConvertScanWord(char conversion, std::string_view word) {
  switch (conversion) {
    case 'd': return ScanInteger(word, 10, true);
    case 'o': return ScanInteger(word, 8, false);
    case 'u': return ScanInteger(word, 10, false);
    case 'x': return ScanInteger(word, 16, false);
    case 'f': return ScanReal(word);
    case 'c': return PackBytes(word);
    default: return std::nullopt;
  }
}

}  // namespace calc
