#include "library/text_blocks.h"

#include "library/byte_text.h"

namespace calc {
namespace {

constexpr bool kIgnoreCase = true;

// `text` cut just after the first `end`; false when it has none.
bool CutAfter(std::string_view& text, std::string_view end) {
  const std::size_t at = FindText(text, end, 0, kIgnoreCase);
  if (at == std::string_view::npos) return false;
  text = text.substr(0, at + end.size());
  return true;
}

}  // namespace

std::string_view FirstBlockScan::Take(std::string_view line) {
  std::string_view candidate = line;
  if (state_ == kNoBegin) {
    const std::size_t at = FindText(line, begin_, 0, kIgnoreCase);
    if (at == std::string_view::npos) return {};
    candidate = line.substr(at + begin_.size());
  }
  state_ = CutAfter(candidate, end_) ? kComplete : kNoEnd;
  return candidate;
}

std::string_view BlockListScan::Take(std::string_view line) {
  std::string_view candidate = line;
  if (!InsideBlock()) {
    const std::size_t at = FindText(line, begin_, 0, kIgnoreCase);
    if (at == std::string_view::npos) return {};
    ++count_;
    candidate = line.substr(at);
  }
  if (CutAfter(candidate, end_)) ++count_;
  return candidate;
}

std::optional<TextSpan> FindBlock(std::string_view text, std::string_view begin, std::string_view end) {
  const std::size_t first = FindText(text, begin, 0, kIgnoreCase);
  if (first == std::string_view::npos) return std::nullopt;
  const std::size_t last = FindText(text, end, first + begin.size(), kIgnoreCase);
  if (last == std::string_view::npos) return std::nullopt;
  return TextSpan{first, last + end.size() - first};
}

}  // namespace calc
