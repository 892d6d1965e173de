#include "model/help_tips.h"

#include <utility>

namespace radixpad {

int HelpTips::Add(const PixelRect& rect, std::string text) {
  entries_.push_back({rect, std::move(text), true});
  return size() - 1;
}

void HelpTips::Enable(int id, bool enabled) {
  if (Known(id)) entries_[static_cast<std::size_t>(id)].enabled = enabled;
}

HelpTips::Step HelpTips::Track(int x, int y) {
  int found = kNone;
  for (int id = 0; id < size() && found == kNone; ++id) {
    const Entry& entry = entries_[static_cast<std::size_t>(id)];
    if (entry.enabled && entry.rect.Contains(x, y)) found = id;
  }
  if (found == kNone) {
    shown_ = kNone;
    return {Action::kClose, kNone};
  }
  if (found == shown_) return {Action::kRedraw, found};
  shown_ = found;
  return {Action::kOpen, found};
}

const std::string& HelpTips::TextOf(int id) const {
  static const std::string kEmpty;
  return Known(id) ? entries_[static_cast<std::size_t>(id)].text : kEmpty;
}

}  // namespace radixpad
