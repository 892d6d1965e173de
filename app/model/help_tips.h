// The help tips of the converter window: which tip belongs to which client
// rectangle and which one is shown. The window asks Track on every mouse move
// and carries out the answer; this class holds no window, so the choice of
// tip is tested without one.
#pragma once

#include <string>
#include <vector>

#include "skin/pixel_rect.h"

namespace radixpad {

class HelpTips {
 public:
  static constexpr int kNone = -1;

  enum class Action { kClose, kRedraw, kOpen };
  struct Step {
    Action action = Action::kClose;
    int id = kNone;  // the tip to redraw or open; kNone when closing
  };

  // Entries are numbered from 0 in the order they are added and start enabled.
  int Add(const PixelRect& rect, std::string text);
  // An unknown identifier is ignored. Disabling the shown tip does not close
  // it; the next Track does.
  void Enable(int id, bool enabled);

  // The first enabled entry containing the point becomes the shown one.
  Step Track(int x, int y);
  void Close() { shown_ = kNone; }

  int shown() const { return shown_; }
  // The text of entry id; empty for an unknown identifier.
  const std::string& TextOf(int id) const;
  int size() const { return static_cast<int>(entries_.size()); }

 private:
  struct Entry {
    PixelRect rect;
    std::string text;
    bool enabled = true;
  };
  bool Known(int id) const { return id >= 0 && id < size(); }

  std::vector<Entry> entries_;
  int shown_ = kNone;
};

}  // namespace radixpad
