// Skin buttons: the hit test follows visibility and registration order, and a
// click needs a press and a release on the same button.
#include <gtest/gtest.h>

#include <vector>

#include "model/skin_buttons.h"

namespace radixpad {
namespace {

class SkinButtonsTest : public ::testing::Test {
 protected:
  SkinButtonsTest() {
    buttons.on_change = [this](ButtonId id) { changed.push_back(id); };
  }
  SkinButtons buttons;
  std::vector<ButtonId> changed;
};

TEST_F(SkinButtonsTest, WarningMarksStartHiddenAndAreHitOnlyWhileShown) {
  EXPECT_EQ(buttons.HitTest(5, 80), std::nullopt);
  buttons.SetVisible(MarkOf(3), true);
  EXPECT_EQ(buttons.HitTest(5, 80), ButtonId::kMark3);
  EXPECT_EQ(changed, std::vector<ButtonId>{ButtonId::kMark3});
  buttons.SetVisible(MarkOf(3), true);  // no change, no repaint
  EXPECT_EQ(changed.size(), 1u);
}

TEST_F(SkinButtonsTest, RectanglesIncludeTheirTopLeftButNotTheirBottomRight) {
  EXPECT_EQ(buttons.HitTest(248, 1), ButtonId::kMinimize);
  EXPECT_EQ(buttons.HitTest(262, 14), ButtonId::kMinimize);
  EXPECT_EQ(buttons.HitTest(263, 14), ButtonId::kClose);
  EXPECT_EQ(buttons.HitTest(278, 5), std::nullopt);
  EXPECT_EQ(buttons.HitTest(150, 30), std::nullopt);  // background: dragging
  EXPECT_EQ(buttons.HitTest(250, 33), ButtonId::kBinSigned);
}

TEST_F(SkinButtonsTest, PressingAndReleasingOnAButtonClicksIt) {
  EXPECT_EQ(buttons.MouseDown(200, 10), SkinButtons::Capture::kTake);
  EXPECT_EQ(buttons.state(ButtonId::kHold).look, ButtonLook::kPressed);
  EXPECT_EQ(buttons.MouseUp(), ButtonId::kHold);
  EXPECT_EQ(buttons.state(ButtonId::kHold).look, ButtonLook::kNormal);
}

TEST_F(SkinButtonsTest, ReleasingOutsideRunsNothingButComingBackFirstDoes) {
  buttons.MouseDown(120, 10);  // 8 bit
  buttons.MouseMove(150, 40);
  EXPECT_EQ(buttons.state(ButtonId::kBit8).look, ButtonLook::kNormal);
  EXPECT_EQ(buttons.MouseUp(), std::nullopt);
  buttons.MouseDown(120, 10);
  buttons.MouseMove(150, 40);
  buttons.MouseMove(121, 11);
  EXPECT_EQ(buttons.state(ButtonId::kBit8).look, ButtonLook::kPressed);
  EXPECT_EQ(buttons.MouseUp(), ButtonId::kBit8);
}

TEST_F(SkinButtonsTest, PressingTheBackgroundClicksNothing) {
  EXPECT_EQ(buttons.MouseDown(150, 40), SkinButtons::Capture::kKeep);
  EXPECT_EQ(buttons.MouseUp(), std::nullopt);
}

TEST_F(SkinButtonsTest, HoveringCapturesUntilTheMouseLeavesEveryButton) {
  EXPECT_EQ(buttons.MouseMove(60, 5), SkinButtons::Capture::kTake);
  EXPECT_EQ(buttons.state(ButtonId::kGlobalSigned).look, ButtonLook::kHover);
  EXPECT_EQ(buttons.MouseMove(85, 5), SkinButtons::Capture::kTake);
  EXPECT_EQ(buttons.state(ButtonId::kGlobalSigned).look, ButtonLook::kNormal);
  EXPECT_EQ(buttons.state(ButtonId::kGlobalUnsigned).look, ButtonLook::kHover);
  EXPECT_EQ(buttons.MouseMove(150, 40), SkinButtons::Capture::kRelease);
  EXPECT_EQ(buttons.state(ButtonId::kGlobalUnsigned).look, ButtonLook::kNormal);
}

TEST_F(SkinButtonsTest, AButtonHiddenWhilePressedIsNotClicked) {
  buttons.SetVisible(MarkOf(1), true);
  buttons.MouseDown(3, 35);
  buttons.SetVisible(MarkOf(1), false);
  EXPECT_EQ(buttons.MouseUp(), std::nullopt);
}

}  // namespace
}  // namespace radixpad
