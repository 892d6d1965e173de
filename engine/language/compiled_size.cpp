#include "language/compiled_size.h"

#include <limits>

namespace calc {
namespace {

// A token in its list: the token and the list node's two links.
constexpr std::size_t kTokenBytes = sizeof(CalcToken) + 2 * sizeof(void*);

}  // namespace

std::size_t CompiledSizeEstimate(std::string_view physical_line) {
  const SplitLine split = SplitStatements(physical_line);
  std::size_t code = 0;
  for (const std::string_view statement : split.statements) code += statement.size();
  // Saturating: the product passes the range of a 32-bit size easily, and a
  // wrapped estimate would let the line compile.
  constexpr std::size_t kMax = std::numeric_limits<std::size_t>::max();
  constexpr std::size_t per_statement = sizeof(CalcLine);
  if (split.statements.size() > (kMax - split.comment.size()) / per_statement) return kMax;
  const std::size_t statements = split.statements.size() * per_statement + split.comment.size();
  if (code > (kMax - statements) / kTokenBytes) return kMax;
  return statements + code * kTokenBytes;
}

std::size_t CompiledSize(const CalcLine& line) {
  std::size_t bytes = sizeof(CalcLine) + line.comment_text().size() + line.tokens.Count() * kTokenBytes;
  for (const CalcToken& token : line.tokens) bytes += token.text().size();
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
