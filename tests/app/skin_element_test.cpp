// Buttons and labels drawn pixel by pixel: the edges of every look, the
// checked face, where content goes (and the pressed shift), etched labels.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <ostream>
#include <vector>

#include "skin/skin_button.h"
#include "skin/skin_label.h"
#include "skin_test_host.h"

namespace radixpad::skin {
namespace {

// Opaque, distinct colours, one letter each in the pictures below.
constexpr SkinColor kHighlight = MakeSkinColor(250, 0, 0);  // H
constexpr SkinColor kFace = MakeSkinColor(0, 250, 0);       // F
constexpr SkinColor kShadow = MakeSkinColor(0, 0, 250);     // S
constexpr SkinColor kDark = MakeSkinColor(10, 10, 10);      // D
constexpr SkinColor kChecked = MakeSkinColor(250, 250, 0);  // C
constexpr Pixel kBack = MakePixel(1, 2, 3);                 // .

class Picture {
 public:
  Picture(int w, int h) : pixels_(static_cast<std::size_t>(w) * h, kBack), canvas_{pixels_.data(), w, h} {}
  PixelCanvas canvas() const { return canvas_; }

  std::string Art() const {
    const std::map<Pixel, char> letters = {{PixelOf(kHighlight), 'H'}, {PixelOf(kFace), 'F'},
                                           {PixelOf(kShadow), 'S'},    {PixelOf(kDark), 'D'},
                                           {PixelOf(kChecked), 'C'},   {kBack, '.'}};
    std::string art;
    for (int y = 0; y < canvas_.height; ++y) {
      for (int x = 0; x < canvas_.width; ++x) {
        const auto it = letters.find(canvas_.At(x, y));
        art += it != letters.end() ? it->second : '?';
      }
      art += '\n';
    }
    return art;
  }

 private:
  std::vector<Pixel> pixels_;
  PixelCanvas canvas_;
};

struct EdgeCase {
  const char* name;
  bool flat;
  ButtonLook look;
  bool checked;
  const char* art;  // a 6 x 5 button at (1, 1) on an 8 x 7 picture
};
void PrintTo(const EdgeCase& c, std::ostream* os) { *os << c.name; }

const EdgeCase kEdges[] = {
    {"raised", false, ButtonLook::kNormal, false,
     "........\n.HHHHHD.\n.HFFFSD.\n.HFFFSD.\n.HSSSSD.\n.DDDDDD.\n........\n"},
    {"raised_hover_looks_the_same", false, ButtonLook::kHover, false,
     "........\n.HHHHHD.\n.HFFFSD.\n.HFFFSD.\n.HSSSSD.\n.DDDDDD.\n........\n"},
    {"sunken_pressed", false, ButtonLook::kPressed, false,
     "........\n.DDDDDH.\n.DSSSSH.\n.DSFFFH.\n.DSFFFH.\n.HHHHHH.\n........\n"},
    {"sunken_checked_on_the_checked_face", false, ButtonLook::kNormal, true,
     "........\n.DDDDDH.\n.DSSSSH.\n.DSCCCH.\n.DSCCCH.\n.HHHHHH.\n........\n"},
    {"flat_normal_has_no_edges", true, ButtonLook::kNormal, false,
     "........\n.FFFFFF.\n.FFFFFF.\n.FFFFFF.\n.FFFFFF.\n.FFFFFF.\n........\n"},
    {"flat_hover", true, ButtonLook::kHover, false,
     "........\n.HHHHHS.\n.HFFFFS.\n.HFFFFS.\n.HFFFFS.\n.SSSSSS.\n........\n"},
    {"flat_pressed", true, ButtonLook::kPressed, false,
     "........\n.SSSSSH.\n.SFFFFH.\n.SFFFFH.\n.SFFFFH.\n.HHHHHH.\n........\n"},
    {"flat_checked_while_hovered_stays_sunken", true, ButtonLook::kHover, true,
     "........\n.SSSSSH.\n.SCCCCH.\n.SCCCCH.\n.SCCCCH.\n.HHHHHH.\n........\n"},
};

class ButtonEdges : public testing::TestWithParam<EdgeCase> {};

TEST_P(ButtonEdges, DrawTheirLookPixelByPixel) {
  const EdgeCase& c = GetParam();
  SkinButton button({1, 1, 7, 6});
  button.SetColors({kHighlight, kFace, kShadow, kDark, kChecked});
  button.SetFlat(c.flat);
  button.SetLook(c.look);
  button.SetChecked(c.checked);
  Picture picture(8, 7);
  test::RecordingHost host;
  button.Draw(picture.canvas(), host);
  EXPECT_EQ(picture.Art(), c.art);
}

INSTANTIATE_TEST_SUITE_P(EveryLook, ButtonEdges, testing::ValuesIn(kEdges),
                         [](const testing::TestParamInfo<EdgeCase>& info) { return info.param.name; });

TEST(ButtonContent, TextAndIconsAreCentredInsideTheEdgesAndMoveWhenPressed) {
  test::RecordingHost host;
  Picture picture(40, 40);
  SkinButton button({10, 20, 31, 41});  // 21 x 21, like the converter's buttons
  button.SetText("8");
  button.Draw(picture.canvas(), host);
  button.SetLook(ButtonLook::kPressed);
  button.Draw(picture.canvas(), host);
  button.SetText("");  // nothing to draw
  button.Draw(picture.canvas(), host);
  EXPECT_EQ(host.texts, (std::vector<test::TextCall>{{{12, 22, 29, 39}, "8", TextLayout::kCentredLine},
                                                     {{13, 23, 30, 40}, "8", TextLayout::kCentredLine}}));
  button.SetIcon(131);
  button.Draw(picture.canvas(), host);
  button.SetLook(ButtonLook::kNormal);
  button.Draw(picture.canvas(), host);
  // Content centre (21, 31) pressed, (20, 30) otherwise; a 32 x 32 icon is offset by 16.
  EXPECT_EQ(host.icons, (std::vector<test::IconCall>{{5, 15, 131, {10, 20, 31, 41}}, {4, 14, 131, {10, 20, 31, 41}}}));
}

TEST(ButtonContent, AnImageIsKeyedAndCentredWithRoundedOffsets) {
  auto image = std::make_shared<Bitmap>(Bitmap{2, 2, true, {}});
  for (int i = 0; i < 4; ++i) image->pixels.push_back(PixelOf(kDark) | (i == 0 ? kImageKeyed : kImageDrawn) << 24);
  SkinButton button({0, 0, 9, 8});  // content (2, 2, 7, 6): 5 x 4
  button.SetColors({kHighlight, kFace, kShadow, kDark, kChecked});
  button.SetFlat(true);
  button.SetImage(image);
  Picture picture(9, 8);
  test::RecordingHost host;
  button.Draw(picture.canvas(), host);
  // x offset (5 + 1) / 2 - (2 + 1) / 2 = 2, y offset (4 + 1) / 2 - 1 = 1; the top-left is keyed.
  EXPECT_EQ(picture.Art(), "FFFFFFFFF\nFFFFFFFFF\nFFFFFFFFF\nFFFFFDFFF\nFFFFDDFFF\nFFFFFFFFF\nFFFFFFFFF\nFFFFFFFFF\n");
}

TEST(ButtonContent, AnInvisibleButtonDrawsNothing) {
  SkinButton button({0, 0, 3, 3});
  button.SetText("x");
  button.SetVisible(false);
  Picture picture(3, 3);
  test::RecordingHost host;
  button.Draw(picture.canvas(), host);
  EXPECT_EQ(picture.Art(), "...\n...\n...\n");
  EXPECT_TRUE(host.texts.empty());
}

struct LabelCase {
  const char* name;
  PixelRect rect;
  const char* art;  // on a 6 x 5 picture
};
void PrintTo(const LabelCase& c, std::ostream* os) { *os << c.name; }

const LabelCase kLabels[] = {
    {"vertical_separator", {2, 1, 4, 4}, "......\n..SH..\n..SH..\n..SH..\n......\n"},
    {"horizontal_rule", {0, 2, 5, 4}, "......\n......\nSSSSF.\nHHHHH.\n......\n"},
    {"sunken_frame", {1, 0, 6, 5}, ".SSSSH\n.SFFFH\n.SFFFH\n.SFFFH\n.HHHHH\n"},
};

class EtchedLabels : public testing::TestWithParam<LabelCase> {};

TEST_P(EtchedLabels, DrawTheirLinesOverTheFace) {
  SkinLabel label(GetParam().rect);
  label.SetColors({kHighlight, kFace, kShadow});
  label.SetEtched(true);
  Picture picture(6, 5);
  test::RecordingHost host;
  label.Draw(picture.canvas(), host);
  EXPECT_EQ(picture.Art(), GetParam().art);
}

INSTANTIATE_TEST_SUITE_P(EveryShape, EtchedLabels, testing::ValuesIn(kLabels),
                         [](const testing::TestParamInfo<LabelCase>& info) { return info.param.name; });

TEST(LabelText, IsSetWithWordBreakInsetByTwoOnlyWhenEtched) {
  test::RecordingHost host;
  Picture picture(60, 20);
  SkinLabel label({19, 7, 57, 19});
  label.SetText("MASTER");
  label.Draw(picture.canvas(), host);
  label.SetEtched(true);
  label.Draw(picture.canvas(), host);
  EXPECT_EQ(host.texts, (std::vector<test::TextCall>{{{19, 7, 57, 19}, "MASTER", TextLayout::kWordBreak},
                                                     {{21, 9, 55, 17}, "MASTER", TextLayout::kWordBreak}}));
}

}  // namespace
}  // namespace radixpad::skin
