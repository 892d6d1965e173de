// The compositor as a whole: backgrounds, the keyed skin one pixel up, one
// element redrawn alone, the Fore and FlatButton settings, and the mouse.
#include "skin/skin_surface.h"

#include <gtest/gtest.h>

#include <vector>

#include "skin_test_host.h"

namespace radixpad::skin {
namespace {

constexpr int kW = 8, kH = 6;
constexpr SkinColor kBackground = MakeSkinColor(100, 100, 100);
constexpr Pixel kMagenta = MakePixel(255, 0, 255);
constexpr Pixel kSkinInk = MakePixel(20, 40, 60);

class SkinSurfaceTest : public testing::Test {
 protected:
  SkinSurfaceTest() {
    surface.Bind({buffer.data(), kW, kH});
    surface.SetBackgroundColor(kBackground);
  }

  // A skin whose top-left pixel is magenta: every magenta pixel is keyed,
  // the rest is ink. Row 0 is never drawn (the skin sits one pixel up).
  static Bitmap MagentaSkin() {
    Bitmap skin{kW, kH + 1, true, {}};
    for (int y = 0; y <= kH; ++y)
      for (int x = 0; x < kW; ++x)
        skin.pixels.push_back((x + y) % 2 == 0 ? kMagenta | kImageKeyed << 24 : kSkinInk | kImageDrawn << 24);
    return skin;
  }

  Pixel At(int x, int y) const { return buffer[static_cast<std::size_t>(y) * kW + x] & 0xFFFFFFu; }

  test::RecordingHost host;
  std::vector<Pixel> buffer = std::vector<Pixel>(kW * kH, 0);
  SkinSurface surface{host};
};

TEST_F(SkinSurfaceTest, MagentaSkinPixelsShowTheBackgroundAndTheSkinSitsOnePixelUp) {
  surface.SetSkin(MagentaSkin());
  surface.SetActive(true);
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x)  // buffer row y shows skin row y + 1
      EXPECT_EQ(At(x, y), (x + y + 1) % 2 == 0 ? PixelOf(kBackground) : kSkinInk) << x << "," << y;
  EXPECT_EQ(host.presented, (std::vector<PixelRect>{PixelRect{0, 0, kW, kH}}));
}

TEST_F(SkinSurfaceTest, AHalfTransparentSkinBlendsWithOpacity127) {
  surface.SetSkin(MagentaSkin());
  surface.SetSkinHalfTransparent(true);
  surface.SetActive(true);
  EXPECT_EQ(At(0, 0), MakePixel(100 - 80 * 127 / 255, 100 - 60 * 127 / 255, 100 - 40 * 127 / 255));
  EXPECT_EQ(At(1, 0), PixelOf(kBackground));
}

TEST_F(SkinSurfaceTest, BackgroundModesTakeTheirPictureFromTheHostOrNowhere) {
  const struct {
    int mode;
    Pixel expected;
    std::vector<BackgroundMode> captures;
  } cases[] = {{0, PixelOf(kBackground), {}},
               {1, host.captured, {BackgroundMode::kTransparent}},
               {2, host.captured, {BackgroundMode::kWallpaper}},
               {7, 0, {}}};  // no background prepared: the buffer of Bind
  for (const auto& c : cases) {
    test::RecordingHost fresh;
    std::vector<Pixel> pixels(kW * kH, 0);
    SkinSurface s(fresh);
    s.Bind({pixels.data(), kW, kH});
    s.SetBackgroundColor(kBackground);
    s.SetBackgroundMode(c.mode);
    s.SetActive(true);
    EXPECT_EQ(pixels[kW * kH - 1], c.expected) << "mode " << c.mode;
    EXPECT_EQ(fresh.captures, c.captures) << "mode " << c.mode;
  }
}

TEST_F(SkinSurfaceTest, NothingIsDrawnOrPresentedWhileInactive) {
  SkinButton button({1, 1, 4, 4});
  surface.Register(button);
  surface.Start();
  button.SetChecked(true);
  surface.OnPaint();
  EXPECT_TRUE(host.presented.empty());
  EXPECT_EQ(buffer, std::vector<Pixel>(kW * kH, 0));
}

TEST_F(SkinSurfaceTest, MovingRefreshesOnlyABackgroundThatShowsWhatIsBehind) {
  surface.SetActive(true);
  host.presented.clear();
  surface.OnMove();  // not composed once yet
  surface.Start();
  surface.OnMove();  // solid: nothing to follow
  EXPECT_TRUE(host.presented.empty());
  surface.SetBackgroundMode(1);
  surface.OnMove();
  EXPECT_EQ(host.presented.size(), 1u);
  EXPECT_EQ(host.captures.size(), 1u);
}

TEST_F(SkinSurfaceTest, AChangedElementRedrawsAndPresentsItsRectangleAlone) {
  SkinButton button({2, 1, 7, 5});
  SkinLabel label({0, 4, 8, 6});
  surface.Register(button);
  surface.Register(label);
  surface.SetActive(true);
  host.presented.clear();
  buffer[0] = 0x123456;  // outside the button: must survive
  button.SetChecked(true);
  EXPECT_EQ(host.presented, (std::vector<PixelRect>{PixelRect{2, 1, 7, 5}}));
  EXPECT_EQ(buffer[0], 0x123456u);
  // Checked face: white at opacity 127 over the background.
  EXPECT_EQ(At(4, 3), MakePixel(100 + 155 * 127 / 255, 100 + 155 * 127 / 255, 100 + 155 * 127 / 255));
  surface.Unregister(button);
  button.SetChecked(false);
  EXPECT_EQ(host.presented.size(), 1u);
}

TEST_F(SkinSurfaceTest, ForeZeroShowsTheSkinThroughButtonsLeavingOnlyTheirEdges) {
  SkinButton button({1, 1, 6, 5});
  SkinLabel label({0, 5, 8, 6});
  label.SetEtched(true);
  surface.Register(button);
  surface.Register(label);
  surface.SetSkin(MagentaSkin());
  surface.ApplyFore(0);
  surface.SetActive(true);
  EXPECT_EQ(At(2, 2), kSkinInk);              // inside: the skin
  EXPECT_EQ(At(3, 2), PixelOf(kBackground));  // a keyed skin pixel: the background
  EXPECT_EQ(At(1, 1), PixelOf(SystemColors{}.highlight));
  EXPECT_EQ(button.colors().face, kFaceInvisible);
  EXPECT_EQ(button.colors().checkedFace, kFaceInvisible);
  EXPECT_EQ(label.colors().face, kFaceInvisible);
  surface.ApplyFore(1);
  EXPECT_EQ(button.colors().face, kFaceHalf);
  surface.ApplyFore(2);  // other values change nothing
  EXPECT_EQ(label.colors().face, kFaceHalf);
}

TEST_F(SkinSurfaceTest, FlatButtonsShowTheFlatOnlySeparators) {
  SkinButton button({0, 0, 2, 2});
  SkinLabel separator({3, 0, 5, 4});
  SkinLabel text({5, 0, 8, 4});
  separator.SetFlatOnly(true);
  separator.SetVisible(false);
  surface.Register(button);
  surface.Register(separator);
  surface.Register(text);
  surface.ApplyFlatButtons(true);
  EXPECT_TRUE(button.flat());
  EXPECT_TRUE(separator.visible());
  surface.ApplyFlatButtons(false);
  EXPECT_FALSE(button.flat());
  EXPECT_FALSE(separator.visible());
  EXPECT_TRUE(text.visible());
}

// Mouse tracking: a script of events against two buttons and a label.
class SkinMouseTest : public SkinSurfaceTest {
 protected:
  SkinMouseTest() {
    first.SetClickAction([this] { clicks.push_back(1); });
    second.SetClickAction([this] { clicks.push_back(2); });
    surface.Register(label);  // no action: the mouse ignores it
    surface.Register(first);
    surface.Register(second);
    surface.SetActive(true);
  }
  SkinLabel label{{0, 0, 8, 6}};
  SkinButton first{{0, 0, 4, 3}};
  SkinButton second{{4, 0, 8, 3}};
  std::vector<int> clicks;
};

TEST_F(SkinMouseTest, PressAndReleaseOnOneButtonRunsItsActionOnce) {
  surface.MouseDown(1, 1);
  EXPECT_EQ(first.look(), ButtonLook::kPressed);
  EXPECT_EQ(surface.tracking(), Tracking::kPressed);
  surface.MouseUp();
  surface.MouseUp();
  EXPECT_EQ(clicks, std::vector<int>{1});
  EXPECT_EQ(first.look(), ButtonLook::kNormal);
  EXPECT_EQ(host.mouseCaptures, (std::vector<bool>{true, false}));
}

TEST_F(SkinMouseTest, ReleasingOutsideRunsNothingAndComingBackFirstDoes) {
  surface.MouseDown(1, 1);
  surface.MouseMove(5, 1);  // onto the other button: still tracking the first
  EXPECT_EQ(first.look(), ButtonLook::kNormal);
  EXPECT_EQ(second.look(), ButtonLook::kNormal);
  EXPECT_EQ(surface.tracking(), Tracking::kNone);
  surface.MouseUp();
  EXPECT_TRUE(clicks.empty());
  EXPECT_EQ(host.mouseCaptures.back(), false);
  surface.MouseDown(1, 1);
  surface.MouseMove(1, 5);
  surface.MouseMove(3, 2);
  EXPECT_EQ(first.look(), ButtonLook::kPressed);
  surface.MouseUp();
  EXPECT_EQ(clicks, std::vector<int>{1});
}

TEST_F(SkinMouseTest, HoverFollowsTheMouseAndLetsTheCaptureGoOffEveryButton) {
  surface.MouseMove(1, 1);
  EXPECT_EQ(first.look(), ButtonLook::kHover);
  EXPECT_EQ(surface.tracking(), Tracking::kHover);
  surface.MouseMove(6, 1);
  EXPECT_EQ(first.look(), ButtonLook::kNormal);
  EXPECT_EQ(second.look(), ButtonLook::kHover);
  surface.MouseMove(6, 5);  // only the label, which has no action
  EXPECT_EQ(second.look(), ButtonLook::kNormal);
  EXPECT_EQ(surface.hover(), nullptr);
  EXPECT_EQ(host.mouseCaptures, (std::vector<bool>{true, true, false}));
}

TEST_F(SkinMouseTest, HiddenButtonsAndActionlessElementsAreNeverHit) {
  second.SetVisible(false);
  surface.MouseDown(5, 1);
  surface.MouseUp();
  surface.MouseDown(6, 5);  // only the label
  EXPECT_EQ(surface.tracking(), Tracking::kNone);
  surface.MouseUp();
  EXPECT_TRUE(clicks.empty());
}

TEST_F(SkinMouseTest, AButtonHiddenOrDestroyedWhilePressedIsNotClicked) {
  surface.MouseDown(1, 1);
  first.SetVisible(false);
  surface.MouseUp();
  {
    SkinButton temporary({0, 3, 8, 6});
    temporary.SetClickAction([this] { clicks.push_back(3); });
    surface.Register(temporary);
    surface.MouseDown(2, 4);
  }
  surface.MouseMove(2, 4);
  surface.MouseUp();
  EXPECT_TRUE(clicks.empty());
}

TEST_F(SkinMouseTest, AnActionMayRemoveItsOwnButton) {
  auto owned = std::make_unique<SkinButton>(PixelRect{0, 3, 8, 6});
  owned->SetClickAction([&] { owned.reset(); clicks.push_back(4); });
  surface.Register(*owned);
  surface.MouseDown(1, 4);
  surface.MouseUp();
  EXPECT_EQ(owned, nullptr);
  EXPECT_EQ(clicks, std::vector<int>{4});
}

}  // namespace
}  // namespace radixpad::skin
