#include "core/keywords.h"

#include <algorithm>
#include <array>
#include <utility>

namespace calc {
namespace {

// ORDER StatementCode.
constexpr std::string_view kStatementNames[] = {
    "do", "until", "while", "endwhile", "for", "next", "func", "endfunc", "if", "elif", "else",
    "endif", "switch", "case", "default", "endswi", "breakswi", "continue", "break", "assert",
    "return",
};
static_assert(std::size(kStatementNames) == kStatementCount);

// Words that read as an operator when they stand alone; the first six are
// the only way to write the prefix and unary operators.
constexpr std::pair<std::string_view, std::uint8_t> kOperatorWords[] = {
    {"++", kOpPreIncrement}, {"--", kOpPreDecrement}, {"~", kOpBitNot}, {"!", kOpLogicalNot},
    {"-", kOpNegate},        {"+", kOpPlus},          {"<", kOpLess},   {"<=", kOpLessEqual},
    {">", kOpGreater},       {">=", kOpGreaterEqual}, {"==", kOpEqual}, {"!=", kOpNotEqual},
    {"&&", kOpLogicalAnd},   {"||", kOpLogicalOr},
};

// The codes of a table in the order of their names, made at compile time, so
// that a lookup is a binary search: the tokenizer asks for every word of
// every line, and most words (numbers, names) are in no table.
template <std::size_t N>
constexpr std::array<std::uint8_t, N> SortedCodes(const std::string_view (&table)[N]) {
  std::array<std::uint8_t, N> codes{};
  for (std::size_t i = 0; i < N; ++i) codes[i] = static_cast<std::uint8_t>(i);
  std::sort(codes.begin(), codes.end(), [&](std::uint8_t a, std::uint8_t b) { return table[a] < table[b]; });
  return codes;
}

constexpr auto kBuiltinOrder = SortedCodes(kBuiltinNames);
constexpr auto kStatementOrder = SortedCodes(kStatementNames);

// Every name starts with a lowercase letter, so a word that does not (a
// number, mostly) is rejected at its first byte.
template <std::size_t N>
constexpr bool NamesStartLowercase(const std::string_view (&table)[N]) {
  for (const std::string_view name : table)
    if (name.empty() || name[0] < 'a' || name[0] > 'z') return false;
  return true;
}
static_assert(NamesStartLowercase(kBuiltinNames) && NamesStartLowercase(kStatementNames));

template <std::size_t N>
std::optional<std::uint8_t> Position(const std::string_view (&table)[N], const std::array<std::uint8_t, N>& order,
                                     std::string_view word) {
  if (word.empty() || word[0] < 'a' || word[0] > 'z') return std::nullopt;
  const auto it = std::lower_bound(order.begin(), order.end(), word,
                                   [&](std::uint8_t code, std::string_view w) { return table[code] < w; });
  if (it != order.end() && table[*it] == word) return *it;
  return std::nullopt;
}

template <std::size_t N>
std::string_view At(const std::string_view (&table)[N], int code) {
  return code >= 0 && static_cast<std::size_t>(code) < N ? table[code] : std::string_view{};
}

}  // namespace

std::string_view BuiltinName(int code) { return At(kBuiltinNames, code); }
std::string_view StatementName(int code) { return At(kStatementNames, code); }

std::optional<std::uint8_t> LookupBuiltin(std::string_view word) {
  return Position(kBuiltinNames, kBuiltinOrder, word);
}
std::optional<std::uint8_t> LookupStatement(std::string_view word) {
  return Position(kStatementNames, kStatementOrder, word);
}

// The bytes an operator word starts with, and its greatest length.
constexpr std::string_view kOperatorWordStarts = "+-~!<>=&|";
constexpr std::size_t kOperatorWordMaxLength = 2;

constexpr bool OperatorWordsFit() {
  for (const auto& [text, code] : kOperatorWords)
    if (text.empty() || text.size() > kOperatorWordMaxLength ||
        kOperatorWordStarts.find(text[0]) == std::string_view::npos)
      return false;
  return true;
}
static_assert(OperatorWordsFit());

std::optional<std::uint8_t> LookupOperatorWord(std::string_view word) {
  if (word.empty() || word.size() > kOperatorWordMaxLength ||
      kOperatorWordStarts.find(word[0]) == std::string_view::npos)
    return std::nullopt;
  for (const auto& [text, code] : kOperatorWords)
    if (text == word) return code;
  return std::nullopt;
}

}  // namespace calc
