// Drawing on the canvas as scripts do it: lines pixel for pixel (clipped at
// every border, in every direction), fills, the point and array forms of
// ":gput", and the segments the clipper must survive (vertical, horizontal,
// single points, NaN and infinite end points).
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "library/canvas_draw.h"
#include "library/library_state.h"
#include "library_fixture.h"

namespace calc::testing {
namespace {

// The canvas as rows of characters: "." for colour 0, else the colour in hex
// (one digit; the tests draw with colours below 16).
std::string Picture(const CalcCanvas& canvas) {
  std::string rows;
  for (int y = 0; y < canvas.height(); ++y) {
    for (int x = 0; x < canvas.width(); ++x) {
      const int colour = canvas.Get(x, y);
      rows += colour == 0 ? '.' : "0123456789abcdef"[colour & 15];
    }
    rows += '\n';
  }
  return rows;
}

class CanvasDrawing : public LibraryTest {
 protected:
  CalcCanvas& Canvas() { return RunState(engine).canvas; }
};

struct PictureCase {
  const char* text;  // run on a fresh 8 x 5 canvas with colour 1
  const char* picture;
};

TEST_F(CanvasDrawing, LinesSetExactlyTheirPixels) {
  const std::vector<PictureCase> cases = {
      {":gline 0 0 3 1",
       "11......\n"
       "..11....\n"
       "........\n"
       "........\n"
       "........\n"},
      // The same line drawn backwards, and steep lines step along y.
      {":gline 3 1 0 0",
       "11......\n"
       "..11....\n"
       "........\n"
       "........\n"
       "........\n"},
      {":gline 1 0 2 4",
       ".1......\n"
       ".1......\n"
       ".1......\n"
       "..1.....\n"
       "..1.....\n"},
      // From the pen, which then stays at the end point.
      {":gmove 7 4; :gline 4 1; :gline 4 4 2",
       "........\n"
       "....2...\n"
       "....21..\n"
       "....2.1.\n"
       "....2..1\n"},
      // Vertical, horizontal and single-point lines, partly off the canvas.
      {":gline 2 \\-5 2 100; :gline \\-3 4 3 4; :gline 6 1 6 1",
       "..1.....\n"
       "..1...1.\n"
       "..1.....\n"
       "..1.....\n"
       "1111....\n"},
      // Clipped at two borders along the line; far-away end points stay exact.
      {":gline \\-2 \\-2 10 10",
       "1.......\n"
       ".1......\n"
       "..1.....\n"
       "...1....\n"
       "....1...\n"},
      {":gline 0 4 1000000000000000 \\-999999999999996",
       "....1...\n"
       "...1....\n"
       "..1.....\n"
       ".1......\n"
       "1.......\n"},
      // Entirely outside, and passing outside a corner: nothing.
      {":gline \\-5 \\-5 \\-1 10; :gline 6 \\-3 10 1; :gline 8 0 20 4",
       "........\n"
       "........\n"
       "........\n"
       "........\n"
       "........\n"},
      // World lines through a window with y upwards.
      {":window 0 4 7 0; :wline 0 0 7 4 3",
       ".......3\n"
       ".....33.\n"
       "...33...\n"
       ".33.....\n"
       "3.......\n"},
  };
  for (const PictureCase& c : cases) {
    SCOPED_TRACE(c.text);
    ASSERT_EQ(Run(":gworld 8 5; :gcolor 1"), kNoValue);
    EXPECT_EQ(Run(c.text), kNoValue);
    EXPECT_EQ(Picture(Canvas()), c.picture);
  }
}

TEST_F(CanvasDrawing, FillsClipAndNormalise) {
  const std::vector<PictureCase> cases = {
      // A negative x shrinks the width: columns 0..2.
      {":gfill \\-2 0 5 2",
       "111.....\n"
       "111.....\n"
       "........\n"
       "........\n"
       "........\n"},
      {":gfill 6 3 5 5 2; :gfill 0 \\-1 1 2",
       "2.......\n"
       "........\n"
       "........\n"
       "......22\n"
       "......22\n"},
      // A size of 0 or less fills nothing.
      {":gfill 1 1 0 3; :gfill 1 1 \\-2 2; :gfill 1 1 2 \\-2",
       "........\n"
       "........\n"
       "........\n"
       "........\n"
       "........\n"},
      // World extents may be negative: the corners are put in order.
      {":wfill 5 4 \\-2 \\-3",
       "........\n"
       "...11...\n"
       "...11...\n"
       "...11...\n"
       "........\n"},
      {":window 0 4 7 0; :wfill 1 1 2 2 5",
       "........\n"
       ".55.....\n"
       ".55.....\n"
       "........\n"
       "........\n"},
      {":gclear 4; :gput 0 0; :gput 7 4 6; :gput 9 9; :wput 1 0",
       "16444444\n"
       "44444444\n"
       "44444444\n"
       "44444444\n"
       "44444446\n"},
  };
  for (const PictureCase& c : cases) {
    SCOPED_TRACE(c.text);
    ASSERT_EQ(Run(":gworld 8 5; :gcolor 1"), kNoValue);
    EXPECT_EQ(Run(c.text), kNoValue);
    EXPECT_EQ(Picture(Canvas()), c.picture);
  }
}

TEST_F(CanvasDrawing, PutArrayReadsOnlyElementsThatExist) {
  ASSERT_EQ(Run(":gworld 4 3; :gclear 9; :array a\na { { 1 2 3 } { 4 261 6 } }; :gput a"), kNoValue);
  // Missing elements count as 0; an element is taken as its low byte.
  EXPECT_EQ(Picture(Canvas()),
            "123.\n"
            "456.\n"
            "....\n");
  // Through an array and back: the same picture.
  ASSERT_EQ(Run(":array b; :gget b; :gclear; :gput b"), kNoValue);
  EXPECT_EQ(Picture(Canvas()),
            "123.\n"
            "456.\n"
            "....\n");
  EXPECT_EQ(engine.storage().arrays().Matrix(static_cast<std::uint8_t>(engine.storage().arrays().Find("b"))).rows(), 3);
}

TEST_F(CanvasDrawing, RefreshesOnlyWhileAutomaticRefreshIsOn) {
  ASSERT_EQ(Run(":gworld 4 3"), kNoValue);
  EXPECT_EQ(engine.canvases_made, (std::vector<std::vector<int>>{{4, 3}}));
  engine.canvas_refreshes = 0;
  ASSERT_EQ(Run(":gclear; :gline 0 0 3 2; :gput 1 1; :gput 5 5; :gupdate 0; :gclear; :gput 2 2; :gupdate"),
            kNoValue);
  // gclear, gline and gupdate itself; gput's pixel on the canvas only.
  EXPECT_EQ(engine.canvas_refreshes, 3);
  EXPECT_EQ(engine.pixel_refreshes, (std::vector<std::vector<int>>{{1, 1}}));
}

struct SegmentCase {
  CalcSegment in;
  bool visible;
  CalcSegment out;
};

TEST(ClipSegment, KeepsThePartOnTheCanvasWithoutDividingByZero) {
  constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
  constexpr double kInf = std::numeric_limits<double>::infinity();
  const std::vector<SegmentCase> cases = {
      {{1, 1, 5, 3}, true, {1, 1, 5, 3}},
      {{-4, 0, 4, 4}, true, {0, 2, 4, 4}},
      {{3, -6, 3, 20}, true, {3, 0, 3, 9}},      // vertical
      {{-6, 2, 20, 2}, true, {0, 2, 9, 2}},      // horizontal
      {{4, 4, 4, 4}, true, {4, 4, 4, 4}},        // a single point
      {{12, 4, 12, 4}, false, {}},               // a single point off the canvas
      {{3, 12, 3, 15}, false, {}},               // vertical below
      {{-1, -1, -1, 30}, false, {}},             // vertical left
      {{0, 0, kNan, 3}, false, {}},
      {{kInf, 0, 3, 3}, false, {}},
      {{0, -kInf, 3, 3}, false, {}},
      {{-1e308, -1e308, 1e308, 1e308}, false, {}},  // the slope is not a number
  };
  for (const SegmentCase& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.in.x1 << "," << c.in.y1 << " " << c.in.x2 << "," << c.in.y2);
    CalcSegment s = c.in;
    ASSERT_EQ(ClipSegment(s, 9, 9), c.visible);
    if (!c.visible) continue;
    EXPECT_DOUBLE_EQ(s.x1, c.out.x1);
    EXPECT_DOUBLE_EQ(s.y1, c.out.y1);
    EXPECT_DOUBLE_EQ(s.x2, c.out.x2);
    EXPECT_DOUBLE_EQ(s.y2, c.out.y2);
  }
}

TEST(DrawLine, NonFiniteEndPointsDrawNothing) {
  constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
  constexpr double kInf = std::numeric_limits<double>::infinity();
  CalcCanvas canvas;
  canvas.Create(6, 4);
  canvas.colour = 7;
  for (const CalcSegment s : {CalcSegment{kNan, 0, 3, 3}, CalcSegment{0, 0, kInf, 0}, CalcSegment{-kInf, 1, kInf, 1},
                              CalcSegment{kNan, kNan, kNan, kNan}})
    DrawLine(canvas, s);
  FillRect(canvas, kNan, 0, 3, 3);
  FillRect(canvas, 0, 0, kInf, 2);  // the width is infinite, the corner is not
  EXPECT_EQ(Picture(canvas),
            "777777\n"
            "777777\n"
            "......\n"
            "......\n");
}

}  // namespace
}  // namespace calc::testing
