#include "language/compiled_size.h"

#include <limits>

namespace calc {
namespace {

// A token in its list: the token and the list node's two links.
constexpr std::size_t kTokenBytes = sizeof(CalcToken) + 2 * sizeof(void*);
// At most what one character of a line makes: a token, and half a number
// that the token owns (a number the token cannot hold in itself, such as
// "1i" or "1_2", takes two characters at least).
constexpr std::size_t kCharacterBytes = kTokenBytes + (sizeof(CalcValue) + 1) / 2;

}  // namespace

std::size_t CompiledSizeEstimate(std::string_view physical_line) {
  StatementCutter cutter(physical_line);
  std::size_t code = 0;
  std::size_t statement_count = 0;
  for (std::string_view statement; cutter.Next(statement);) {
    code += statement.size();
    ++statement_count;
  }
  // Saturating: the product passes the range of a 32-bit size easily, and a
  // wrapped estimate would let the line compile.
  constexpr std::size_t kMax = std::numeric_limits<std::size_t>::max();
  constexpr std::size_t per_statement = sizeof(CalcLine);
  if (statement_count > (kMax - cutter.comment().size()) / per_statement) return kMax;
  const std::size_t statements = statement_count * per_statement + cutter.comment().size();
  if (code > (kMax - statements) / kCharacterBytes) return kMax;
  return statements + code * kCharacterBytes;
}

std::size_t CompiledSize(const CalcLine& line) {
  std::size_t bytes = sizeof(CalcLine) + line.comment_text().size() + line.tokens.Count() * kTokenBytes;
  for (const CalcToken& token : line.tokens) bytes += token.OwnedBytes();
  return bytes;
}

std::size_t CompiledSize(const CalcLineList& lines, std::size_t from) {
  std::size_t bytes = 0;
  const std::string* counted = nullptr;  // the statements of one line share it
  for (std::size_t i = from; i < lines.size(); ++i) {
    const CalcLine& line = lines[i];
    bytes += CompiledSize(line);
    if (line.comment != nullptr && line.comment.get() == counted) bytes -= line.comment->size();
    counted = line.comment.get();
  }
  return bytes;
}

}  // namespace calc
