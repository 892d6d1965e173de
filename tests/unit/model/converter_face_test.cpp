// The converter window's face on the compositor: the button table's
// rectangles, registration order and visibility decide what the mouse hits
// and clicks; the layout keeps every control clear of the skin buttons.
#include <gtest/gtest.h>

#include <vector>

#include "model/converter_face.h"
#include "model/window_layout.h"

namespace radixpad {
namespace {

// Draws nothing; remembers the capture requests.
class NullHost final : public skin::SkinHost {
 public:
  std::vector<bool> captures;
  void CaptureBackground(skin::BackgroundMode, skin::PixelCanvas) override {}
  void Present(const PixelRect&) override {}
  void DrawText(skin::PixelCanvas, const PixelRect&, std::string_view, skin::TextLayout) override {}
  void DrawIcon(skin::PixelCanvas, int, int, int, const PixelRect&) override {}
  void SetMouseCapture(bool capture) override { captures.push_back(capture); }
};

class ConverterFaceTest : public ::testing::Test {
 protected:
  ConverterFaceTest() {
    face.Register(surface, [this](ButtonId id) { clicked.push_back(id); });
  }
  void Click(int x, int y) {
    surface.MouseDown(x, y);
    surface.MouseUp();
  }
  NullHost host;
  skin::SkinSurface surface{host};
  ConverterFace face;
  std::vector<ButtonId> clicked;
};

TEST_F(ConverterFaceTest, WarningMarksStartHiddenAndAreHitOnlyWhileShown) {
  EXPECT_EQ(face.ButtonAt(5, 80), std::nullopt);
  Click(5, 80);
  EXPECT_TRUE(clicked.empty());
  face.button(MarkOf(3)).SetVisible(true);
  EXPECT_EQ(face.ButtonAt(5, 80), ButtonId::kMark3);
  Click(5, 80);
  EXPECT_EQ(clicked, std::vector<ButtonId>{ButtonId::kMark3});
}

TEST_F(ConverterFaceTest, RectanglesIncludeTheirTopLeftButNotTheirBottomRight) {
  struct Case {
    int x, y;
    std::optional<ButtonId> hit;
  };
  const Case cases[] = {
      {248, 1, ButtonId::kMinimize}, {262, 14, ButtonId::kMinimize}, {263, 14, ButtonId::kClose},
      {278, 5, std::nullopt},        {150, 30, std::nullopt},        {250, 33, ButtonId::kBinSigned},
      {80, 10, ButtonId::kGlobalUnsigned}, {79, 22, ButtonId::kGlobalSigned}, {277, 108, ButtonId::kHexUnsigned},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "(" << c.x << ", " << c.y << ")");
    EXPECT_EQ(face.ButtonAt(c.x, c.y), c.hit);
    clicked.clear();
    Click(c.x, c.y);
    EXPECT_EQ(clicked, c.hit ? std::vector<ButtonId>{*c.hit} : std::vector<ButtonId>{});
  }
}

TEST_F(ConverterFaceTest, ReleasingOutsideRunsNothingButComingBackFirstDoes) {
  surface.MouseDown(120, 10);  // 8 bit
  surface.MouseMove(150, 40);
  EXPECT_EQ(face.button(ButtonId::kBit8).look(), skin::ButtonLook::kNormal);
  surface.MouseUp();
  EXPECT_TRUE(clicked.empty());
  surface.MouseDown(120, 10);
  surface.MouseMove(150, 40);
  surface.MouseMove(121, 11);
  EXPECT_EQ(face.button(ButtonId::kBit8).look(), skin::ButtonLook::kPressed);
  surface.MouseUp();
  EXPECT_EQ(clicked, std::vector<ButtonId>{ButtonId::kBit8});
}

TEST_F(ConverterFaceTest, HoldShowsItsStateByCheckAndIcon) {
  const auto icon = [&] { return std::get<skin::IconContent>(face.button(ButtonId::kHold).content()).icon; };
  EXPECT_EQ(icon(), kHoldOffIcon);
  face.ShowHold(true);
  EXPECT_TRUE(face.button(ButtonId::kHold).checked());
  EXPECT_EQ(icon(), kHoldOnIcon);
  face.ShowHold(false);
  EXPECT_FALSE(face.button(ButtonId::kHold).checked());
  EXPECT_EQ(icon(), kHoldOffIcon);
}

TEST_F(ConverterFaceTest, SeparatorsFollowFlatButtonsAndTheRestStaysVisible) {
  surface.ApplyFlatButtons(true);
  EXPECT_TRUE(face.button(ButtonId::kBit8).flat());
  surface.ApplyFlatButtons(false);
  EXPECT_FALSE(face.button(ButtonId::kClose).flat());
  EXPECT_TRUE(face.button(ButtonId::kClose).visible());
}

// Every field is as tall as its row of sign buttons and starts right of its
// label; no control covers a skin button; everything fits the client area.
TEST(WindowLayoutTest, ControlsLineUpWithTheFace) {
  const auto controls = ConverterControls();
  EXPECT_EQ(ConverterClientWidth(), 279);
  EXPECT_EQ(ConverterClientHeight(), 112);
  const PixelRect client{0, 0, ConverterClientWidth(), ConverterClientHeight()};
  for (std::size_t i = 0; i < controls.size(); ++i) {
    const PixelRect& r = controls[i].rect;
    SCOPED_TRACE(controls[i].id);
    EXPECT_EQ(r.Intersect(client), r);
    for (const ButtonLayout& b : kConverterButtons) EXPECT_TRUE(r.Intersect(b.rect).Empty()) << "button " << int(b.id);
    if (i == 0) continue;  // the MASTER box
    const int field = static_cast<int>(i);
    const PixelRect sign = LayoutOf(SignedButtonOf(field)).rect;
    EXPECT_LE(r.top, sign.top);
    EXPECT_GE(r.bottom, sign.bottom);
    EXPECT_LE(sign.top - r.top, 2);  // centred on the buttons, not below them
    EXPECT_EQ(r.left, 33);           // right of the labels (13..33)
    EXPECT_LT(r.right, sign.left);
  }
  EXPECT_EQ(controls[0].id, 1012);
  EXPECT_EQ(controls[1].id, 1166);
  EXPECT_EQ(controls[4].id, 1169);
}

TEST(WindowLayoutTest, DialogUnitsRoundHalfAwayFromZeroLikeTheDialogManager) {
  EXPECT_EQ(DialogUnitsToPixels(0, 0, 4, 8), (PixelRect{0, 0, 6, 12}));
  EXPECT_EQ(DialogUnitsToPixels(1, 19, 9, 12), (PixelRect{2, 29, 16, 47}));  // 1.5, 28.5, 13.5, 18
  EXPECT_EQ(DialogUnitsToPixels(22, 33, 142, 1), (PixelRect{33, 50, 246, 52}));  // 49.5, 1.5
}

}  // namespace
}  // namespace radixpad
