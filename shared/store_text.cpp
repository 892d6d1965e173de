#include "store_text.h"

#include <cstdint>
#include <limits>
#include <vector>

namespace radixpad {
namespace {

// The lines before the first empty line, without their line ends. A lone LF
// also ends a line, so a text written by hand reads the same.
std::vector<std::string_view> LinesBeforeTerminator(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    const std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
    if (end == std::string_view::npos) end = text.size();
    if (end > start && text[end - 1] == '\r') --end;
    const std::string_view line = text.substr(start, end - start);
    if (line.empty()) break;
    lines.push_back(line);
    start = next;
  }
  return lines;
}

bool IsLineOf(std::string_view line, std::string_view key) {
  return line.size() > key.size() && line.substr(0, key.size()) == key && line[key.size()] == '=';
}

}  // namespace

std::string StoreFileName(std::string_view store_name) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string name = "fmo";
  for (char c : store_name) {
    // Sign-extended: a byte of 0x80 or more is written as eight digits.
    const auto extended = static_cast<std::uint32_t>(static_cast<std::int32_t>(static_cast<signed char>(c)));
    const int digits = extended > 0xFF ? 8 : 2;
    for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4) name += kHex[(extended >> shift) & 0xF];
  }
  return name;
}

std::string StoreSet(std::string_view text, std::string_view key, std::optional<std::string_view> value) {
  std::string out;
  bool replaced = false;
  auto append_entry = [&] {
    if (!value) return;
    out.append(key).append("=").append(*value).append("\r\n");
  };
  for (std::string_view line : LinesBeforeTerminator(text)) {
    if (!replaced && IsLineOf(line, key)) {
      append_entry();
      replaced = true;
      continue;
    }
    out.append(line).append("\r\n");
  }
  if (!replaced) append_entry();
  out += "\r\n";
  return out;
}

std::optional<std::string> StoreGet(std::string_view text, std::string_view key) {
  for (std::string_view line : LinesBeforeTerminator(text))
    if (IsLineOf(line, key)) return std::string(line.substr(key.size() + 1));
  return std::nullopt;
}

std::int64_t ParseLeadingInteger(std::string_view text) {
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
  std::int64_t value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    const int digit = text[i] - '0';
    value = value > (kMax - digit) / 10 ? kMax : value * 10 + digit;
  }
  return negative ? -value : value;
}

}  // namespace radixpad
