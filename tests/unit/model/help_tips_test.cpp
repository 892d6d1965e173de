#include "model/help_tips.h"

#include <gtest/gtest.h>

namespace radixpad {
namespace {

using Action = HelpTips::Action;

// A walk of the mouse over three tips; the second overlaps the first, and the
// third can be disabled. Each row optionally switches the third tip, then moves.
TEST(HelpTipsTest, TrackFollowsThePointerOverEnabledTips) {
  HelpTips tips;
  ASSERT_EQ(tips.Add({10, 10, 20, 20}, "first"), 0);
  ASSERT_EQ(tips.Add({15, 10, 30, 20}, "second"), 1);
  ASSERT_EQ(tips.Add({0, 40, 12, 53}, "mark"), 2);
  tips.Enable(2, false);

  struct Row {
    int enable_mark;  // -1: leave it, 0/1: disable/enable tip 2 first
    int x, y;
    Action action;
    int id;
  };
  const Row rows[] = {
      {-1, 5, 5, Action::kClose, -1},     // nothing under the point
      {-1, 10, 10, Action::kOpen, 0},     // top-left corner is inside
      {-1, 19, 19, Action::kRedraw, 0},   // still the first; overlap goes to the earlier one
      {-1, 20, 15, Action::kOpen, 1},     // right edge of the first is outside
      {-1, 29, 15, Action::kRedraw, 1},
      {-1, 30, 15, Action::kClose, -1},   // right edge of the second is outside
      {-1, 5, 45, Action::kClose, -1},    // a disabled tip never shows
      {1, 5, 45, Action::kOpen, 2},       // enabled, the same point opens it
      {0, 5, 45, Action::kClose, -1},     // disabled while shown: the next move closes it
      {1, 5, 45, Action::kOpen, 2},       // and re-enabling opens it afresh
      {-1, 15, 15, Action::kOpen, 0},     // back into the overlap
      {-1, -1, -1, Action::kClose, -1},   // outside the client area
      {-1, 15, 15, Action::kOpen, 0},     // reopens after a close
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "at (" << row.x << "," << row.y << ")");
    if (row.enable_mark >= 0) tips.Enable(2, row.enable_mark == 1);
    const HelpTips::Step step = tips.Track(row.x, row.y);
    EXPECT_EQ(step.action, row.action);
    EXPECT_EQ(step.id, row.id);
    EXPECT_EQ(tips.shown(), row.id);
  }
}

TEST(HelpTipsTest, CloseAndUnknownIdentifiersLeaveTheListIntact) {
  HelpTips tips;
  const int id = tips.Add({0, 0, 10, 10}, "8 bit");
  tips.Enable(-1, false);
  tips.Enable(7, false);
  EXPECT_EQ(tips.Track(1, 1).action, Action::kOpen);
  tips.Close();
  EXPECT_EQ(tips.shown(), HelpTips::kNone);
  EXPECT_EQ(tips.Track(1, 1).action, Action::kOpen);  // closed, so it opens again rather than redraws
  EXPECT_EQ(tips.TextOf(id), "8 bit");
  EXPECT_EQ(tips.TextOf(1), "");
  EXPECT_EQ(tips.TextOf(-1), "");
}

}  // namespace
}  // namespace radixpad
