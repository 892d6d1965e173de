// The preview's placement: shrink to fit by the longer side, keep proportions,
// never enlarge, centre.
#include <gtest/gtest.h>

#include "skin/preview_fit.h"

namespace radixpad::skin {
namespace {

TEST(PreviewFit, ImagesShrinkByTheirLongerSideAndAreCentred) {
  struct Row {
    int width, height, area_width, area_height;
    PreviewPlacement expected;
  };
  const Row rows[] = {
      {200, 50, 100, 100, {0, 37, 100, 25}},    // wide: fitted by width, centred vertically
      {40, 60, 100, 100, {30, 20, 40, 60}},     // small: not enlarged
      {50, 300, 100, 100, {42, 0, 16, 100}},    // tall: fitted by height
      {100, 100, 100, 100, {0, 0, 100, 100}},   // exactly the area
      {16384, 1, 100, 100, {0, 50, 100, 0}},    // a line rounds down to nothing
      {300, 200, 100, 50, {12, 0, 75, 50}},     // a flat area: the other side limits too
      {100, 300, 50, 40, {18, 0, 13, 40}},
      {0, 10, 100, 100, {0, 0, 0, 0}},          // nothing to show
      {10, -1, 100, 100, {0, 0, 0, 0}},
  };
  for (const Row& row : rows) {
    const PreviewPlacement got = FitPreview(row.width, row.height, row.area_width, row.area_height);
    EXPECT_EQ(got.x, row.expected.x) << row.width << "x" << row.height;
    EXPECT_EQ(got.y, row.expected.y) << row.width << "x" << row.height;
    EXPECT_EQ(got.width, row.expected.width) << row.width << "x" << row.height;
    EXPECT_EQ(got.height, row.expected.height) << row.width << "x" << row.height;
    EXPECT_LE(got.width, row.area_width);
    EXPECT_LE(got.height, row.area_height);
  }
}

}  // namespace
}  // namespace radixpad::skin
