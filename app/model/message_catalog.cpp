#include "model/message_catalog.h"

#include <array>
#include <string>

#include "core/status_codes.h"

namespace radixpad {
namespace {

bool IsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xEF); }

// Cuts at a character boundary at most `limit` bytes in.
void CutToCharacters(std::string& text, std::size_t limit) {
  if (text.size() <= limit) return;
  std::size_t end = 0;
  while (end < limit) {
    const std::size_t width = IsLeadByte(static_cast<unsigned char>(text[end])) ? 2 : 1;
    if (end + width > limit) break;
    end += width;
  }
  text.resize(end);
}

}  // namespace

std::string ExpandMessage(std::string_view pattern, int line, std::string_view source, std::string_view token) {
  const std::string line_text = std::to_string(line);
  const std::array<std::pair<std::string_view, std::string_view>, 3> placeholders = {{
      {"$value", line_text},
      {"$string1", source},
      {"$string2", token},
  }};
  std::string out;
  std::size_t i = 0;
  while (i < pattern.size() && out.size() <= kMaxMessageBytes) {
    if (IsLeadByte(static_cast<unsigned char>(pattern[i])) && i + 1 < pattern.size()) {
      out.append(pattern.substr(i, 2));
      i += 2;
      continue;
    }
    bool expanded = false;
    if (pattern[i] == '$') {
      for (const auto& [word, replacement] : placeholders) {
        if (pattern.substr(i, word.size()) == word) {
          out.append(replacement);
          i += word.size();
          expanded = true;
          break;
        }
      }
    }
    if (!expanded) out += pattern[i++];
  }
  CutToCharacters(out, kMaxMessageBytes);
  return out;
}

std::optional<std::string> MessageCatalog::MessageFor(const ErrorLog& log, std::size_t index) const {
  const LoggedReport* entry = log.Entry(index);
  if (entry == nullptr) return std::nullopt;
  const std::string pattern = file_.ReadString(kMessageSection, calc::StatusName(entry->code), "");
  return ExpandMessage(pattern, entry->line, entry->source, entry->token);
}

}  // namespace radixpad
