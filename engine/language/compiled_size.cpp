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
  std::size_t list_count = 0;  // a blank statement has no tokens, so no list room
  for (std::string_view statement; cutter.Next(statement);) {
    code += statement.size();
    ++statement_count;
    if (!IsBlankStatement(statement)) ++list_count;
  }
  // Saturating: the product passes the range of a 32-bit size easily, and a
  // wrapped estimate would let the line compile. Every count is at most the
  // line's length, so a line short enough for its worst case is safe.
  const std::size_t list_bytes = CalcTokenList::AllocatedBytesFor(1) - kTokenBytes;
  const std::size_t worst_per_character = sizeof(CalcLine) + list_bytes + kCharacterBytes + 1;
  if (physical_line.size() > std::numeric_limits<std::size_t>::max() / worst_per_character)
    return std::numeric_limits<std::size_t>::max();
  return statement_count * sizeof(CalcLine) + list_count * list_bytes + code * kCharacterBytes +
         cutter.comment().size();
}

std::size_t CompiledSize(const CalcLine& line) {
  std::size_t bytes = sizeof(CalcLine) + line.comment_text().size() + line.tokens.AllocatedBytes();
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
