#include "language/compiled_size.h"

#include <algorithm>

namespace calc {
namespace {

// A token in its list: the token and the list node's two links.
constexpr std::size_t kTokenBytes = sizeof(CalcToken) + 2 * sizeof(void*);

}  // namespace

std::size_t CompiledSizeEstimate(std::string_view physical_line) {
  // Counting every ";" and taking the first "#" ignores backslash escapes;
  // the comment is then counted as code, which costs more.
  const std::size_t hash = physical_line.find('#');
  const std::string_view code = physical_line.substr(0, hash);
  const std::size_t comment = hash == std::string_view::npos ? 0 : physical_line.size() - hash;
  const auto statements = static_cast<std::size_t>(std::count(code.begin(), code.end(), ';')) + 1;
  return statements * (sizeof(CalcLine) + comment) + code.size() * kTokenBytes;
}

std::size_t CompiledSize(const CalcLineList& lines, std::size_t from) {
  std::size_t bytes = 0;
  for (std::size_t i = from; i < lines.size(); ++i) {
    const CalcLine& line = lines[i];
    bytes += sizeof(CalcLine) + line.comment.size() + line.tokens.Count() * kTokenBytes;
    for (const CalcToken& token : line.tokens) bytes += token.text().size();
  }
  return bytes;
}

}  // namespace calc
