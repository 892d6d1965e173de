// A SkinHost for the compositor tests: records what the surface asks of the
// platform (captures, presents, texts, icons) and fills captured backgrounds
// with one known colour.
#pragma once

#include <string>
#include <vector>

#include "skin/skin_host.h"

namespace radixpad::skin::test {

struct TextCall {
  PixelRect rect;
  std::string text;
  TextLayout layout;
  friend bool operator==(const TextCall&, const TextCall&) = default;
};

struct IconCall {
  int left, top, icon;
  PixelRect clip;
  friend bool operator==(const IconCall&, const IconCall&) = default;
};

class RecordingHost final : public SkinHost {
 public:
  Pixel captured = MakePixel(9, 8, 7);  // what "lies behind the window"

  std::vector<BackgroundMode> captures;
  std::vector<PixelRect> presented;
  std::vector<TextCall> texts;
  std::vector<IconCall> icons;
  std::vector<bool> mouseCaptures;

  void CaptureBackground(BackgroundMode mode, PixelCanvas background) override {
    captures.push_back(mode);
    for (int y = 0; y < background.height; ++y)
      for (int x = 0; x < background.width; ++x) background.At(x, y) = captured;
  }
  void Present(const PixelRect& area) override { presented.push_back(area); }
  void DrawText(PixelCanvas, const PixelRect& rect, std::string_view text, TextLayout layout) override {
    texts.push_back({rect, std::string(text), layout});
  }
  void DrawIcon(PixelCanvas, int left, int top, int icon, const PixelRect& clip) override {
    icons.push_back({left, top, icon, clip});
  }
  void SetMouseCapture(bool capture) override { mouseCaptures.push_back(capture); }
};

}  // namespace radixpad::skin::test
