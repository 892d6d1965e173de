#include "library/string_edits.h"

#include <utility>

#include "library/byte_text.h"

namespace calc {
namespace {

// The text to search in: the text itself, or its lowered copy when case is
// ignored. ASCII lowering keeps every byte in place, so offsets found in the
// copy are offsets in the text. Lowering once per edit keeps a replacement
// loop linear in the text rather than lowering it again for every match.
struct SearchText {
  SearchText(std::string_view text, bool ignore_case)
      : lowered(ignore_case ? AsciiLower(text) : std::string()), view(ignore_case ? lowered : text),
        ignore_case(ignore_case) {}
  SearchText(const SearchText&) = delete;  // `view` may point into `lowered`
  SearchText& operator=(const SearchText&) = delete;
  std::size_t Find(std::string_view needle, std::size_t from) const {
    return ignore_case ? view.find(AsciiLower(needle), from) : view.find(needle, from);
  }
  std::string lowered;
  std::string_view view;
  bool ignore_case;
};

// A result built piece by piece that stops growing at kMaxEditedLength.
class BoundedText {
 public:
  bool Append(std::string_view piece) {
    if (piece.size() > kMaxEditedLength - text_.size()) return false;
    text_.append(piece);
    return true;
  }
  std::string Take() { return std::move(text_); }

 private:
  std::string text_;
};

// The replacements of `pairs` made one after the other over the whole text.
template <std::size_t N>
std::optional<std::string> ReplaceInTurn(std::string_view text, const std::string_view (&pairs)[N][2], bool ignore_case) {
  std::optional<std::string> result(text);
  for (const auto& [from, to] : pairs) {
    result = ReplaceAll(*result, from, to, ignore_case);
    if (!result) break;
  }
  return result;
}

}  // namespace

std::string MarkedSpan(std::string_view text, std::string_view begin, std::string_view end, bool ignore_case) {
  const SearchText search(text, ignore_case);
  const std::size_t first = search.Find(begin, 0);
  if (first == std::string_view::npos) return {};
  const std::size_t last = search.Find(end, first + begin.size());
  if (last == std::string_view::npos) return {};
  return std::string(text.substr(first, last + end.size() - first));
}

std::optional<std::string> ReplaceAll(std::string_view text, std::string_view from, std::string_view to,
                                      bool ignore_case) {
  if (from.empty()) return std::string(text);
  const SearchText search(text, ignore_case);
  BoundedText result;
  std::size_t done = 0;
  for (std::size_t found = search.Find(from, 0); found != std::string_view::npos;
       found = search.Find(from, done)) {
    if (!result.Append(text.substr(done, found - done)) || !result.Append(to)) return std::nullopt;
    done = found + from.size();
  }
  if (!result.Append(text.substr(done))) return std::nullopt;
  return result.Take();
}

std::optional<std::string> ReplaceSpans(std::string_view text, std::string_view begin, std::string_view end,
                                        std::string_view to, bool ignore_case) {
  if (begin.empty()) return std::string(text);
  const SearchText search(text, ignore_case);
  BoundedText result;
  std::size_t done = 0;
  for (std::size_t found = search.Find(begin, 0); found != std::string_view::npos;
       found = search.Find(begin, done)) {
    if (!result.Append(text.substr(done, found - done)) || !result.Append(to)) return std::nullopt;
    const std::size_t closing = search.Find(end, found + begin.size());
    if (closing == std::string_view::npos) return result.Take();  // an open span drops the rest
    done = closing + end.size();
  }
  if (!result.Append(text.substr(done))) return std::nullopt;
  return result.Take();
}

std::size_t CharacterCut(std::string_view text, std::size_t limit) {
  std::size_t cut = 0;
  while (cut < limit && cut < text.size()) {
    const bool pair = IsLeadByte(static_cast<unsigned char>(text[cut])) && cut + 1 < text.size();
    const std::size_t next = cut + (pair ? 2 : 1);
    if (next > limit) break;  // a pair straddling the limit stays whole by going
    cut = next;
  }
  return cut;
}

std::optional<std::string> HtmlEscaped(std::string_view text) {
  static constexpr std::string_view kEscapes[][2] = {
      {"&", "&amp;"}, {"<", "&lt;"}, {">", "&gt;"}, {"\"", "&quot;"}, {" ", "&nbsp;"}};
  return ReplaceInTurn(text, kEscapes, false);
}

std::optional<std::string> HtmlUnescaped(std::string_view text) {
  static constexpr std::string_view kEntities[][2] = {
      {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&nbsp;", " "}, {"&amp;", "&"}};
  return ReplaceInTurn(text, kEntities, true);
}

}  // namespace calc
