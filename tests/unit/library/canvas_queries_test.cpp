// The canvas as scripts query and set it up: the size bounds of ":gworld",
// the world window and its conversions, both forms of gget and wget, the log
// scales and the plot entries with the ranges the host is given.
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "library/library_state.h"
#include "library_fixture.h"

namespace calc::testing {
namespace {

class CanvasQueries : public LibraryTest {
 protected:
  CanvasQueries() { Run(":gfloat"); }
  CalcCanvas& Canvas() { return RunState(engine).canvas; }
  CalcPlotState& Plots() { return RunState(engine).plots; }
};

struct QueryCase {
  const char* text;
  double answer;  // NaN: the answer must be NaN
};

TEST_F(CanvasQueries, ConvertBetweenWorldAndPixels) {
  const double nan = std::nan("");
  const std::vector<QueryCase> cases = {
      // Origin 0 and scale 1: pixel = trunc(world).
      {"gx 3.7", 3},
      {"wx 3", 3},
      {"gy (\\-2.9)", -2},
      {"gwidth", 8},
      {"gheight", 6},
      // Corners (0, 1) and (7, -1): x to columns 0..7, y upwards onto rows 5..0.
      {":window 0 1 7 \\-1; gx 7", 7},
      {"gy 1", 0},
      {"gy (\\-1)", 5},
      {"gy 0", 2},
      {"wy 0", 1},
      {"wy 5", -1},
      {"wx 7", 7},
      // The pen keeps both forms.
      {":wmove 3 (\\-1); gcx", 3},
      {"gcy", 5},
      {":gmove 0 0; wcy", 1},
      {"wcx", 0},
      // Not a number stays one; nothing is converted to an integer.
      {"gx (0/0)", nan},
      {"wy (1e300 * 1e300 - 1e300 * 1e300)", nan},
  };
  ASSERT_EQ(Run(":gworld 8 6"), kNoValue);
  for (const QueryCase& c : cases) {
    SCOPED_TRACE(c.text);
    Run(c.text);
    if (std::isnan(c.answer)) {
      EXPECT_TRUE(std::isnan(Answer()));
    } else {
      EXPECT_DOUBLE_EQ(Answer(), c.answer);
    }
  }
}

TEST_F(CanvasQueries, GgetAndWgetReadColoursInBothForms) {
  ASSERT_EQ(Run(":gworld 8 6; :gput 2 3 7; :window 0 0 7 5"), kNoValue);
  Run("c = 1");
  const std::vector<QueryCase> cases = {
      {"gget 2 3", 7},
      {"gget 2.9 3.5", 7},
      {"gget 3 3", 0},
      {"gget (\\-1) 0", 0},
      {"gget 100 3", 0},
      {"wget 2 3", 7},
      {"wget 2.5 3.99", 7},
      {"wget (0/0) 3", 0},
      {":gget 2 3 c; c", 7},
      {":gget 9 9 c; c", 0},
      {":wget 2 3 c; c", 7},
  };
  for (const QueryCase& c : cases) {
    SCOPED_TRACE(c.text);
    Run(c.text);
    EXPECT_DOUBLE_EQ(Answer(), c.answer);
  }
  // A constant cannot receive the colour; a missing variable is a bad argument.
  EXPECT_EQ(Run(":gget 2 3 1"), E_COMMAND_PARAM);
  EXPECT_EQ(Run(":define K 2; :gget 2 3 K"), E_ASS);
  EXPECT_EQ(Run(":gget 2 3"), E_COMMAND_PARAM);
}

struct SizeCase {
  const char* text;
  int status;
};

TEST_F(CanvasQueries, GworldRefusesSizesBeyondItsBoundsAndKeepsTheCanvas) {
  ASSERT_EQ(Run(":gworld 5 4; :gput 1 1 9"), kNoValue);
  const std::vector<SizeCase> cases = {
      {":gworld 0 10", E_COMMAND_PARAM},
      {":gworld 10 0", E_COMMAND_PARAM},
      {":gworld \\-5 5", E_COMMAND_PARAM},
      {":gworld 16385 1", E_COMMAND_PARAM},
      {":gworld 16384 4097", E_COMMAND_PARAM},  // 2^26 + 16384 pixels
      {":gworld 1e300 1e300", E_COMMAND_PARAM},
      {":gworld (0/0) 5", E_COMMAND_PARAM},
      {":gworld 4", E_COMMAND_PARAM},
  };
  for (const SizeCase& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(Run(c.text), c.status);
    EXPECT_EQ(Canvas().width(), 5);
    EXPECT_EQ(Canvas().Get(1, 1), 9);
  }
  EXPECT_TRUE(CalcCanvas::ValidSize(16384, 4096));
  EXPECT_TRUE(CalcCanvas::ValidSize(1, 16384));
  EXPECT_FALSE(CalcCanvas::ValidSize(4096.5, 2));
  // A new canvas is cleared and its window reset.
  ASSERT_EQ(Run(":window 0 0 1 1; :gworld 3 2"), kNoValue);
  EXPECT_EQ(Canvas().Get(1, 1), 0);
  EXPECT_DOUBLE_EQ(Canvas().PixelX(2.5), 2);
  // A window needs two different corners with finite coordinates.
  EXPECT_EQ(Run(":window 1 0 1 5"), E_COMMAND_PARAM);
  EXPECT_EQ(Run(":window 0 0 (0/0) 5"), E_COMMAND_PARAM);
}

TEST_F(CanvasQueries, LogscaleSwitchesTheAxesOfTheNextPlot) {
  struct AxisCase {
    const char* text;
    int status;
    bool x_log, y_log;
    double x_base;
  };
  const std::vector<AxisCase> cases = {
      {":logscale \"x", kNoValue, true, false, 10},
      {":logscale \"xy 2", kNoValue, true, true, 2},
      {":logscale \"x 1", kNoValue, false, true, 2},  // a base not above 1 switches off
      {":nologscale \"y", kNoValue, false, false, 2},
      {":logscale \"y 0.5", kNoValue, false, false, 2},
      {":nologscale \"z", E_COMMAND_PARAM, false, false, 2},
      {":logscale \"yx", E_COMMAND_PARAM, false, false, 2},
      {":logscale", E_COMMAND_PARAM, false, false, 2},
  };
  for (const AxisCase& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(Run(c.text), c.status);
    EXPECT_EQ(Plots().setup.x.logarithmic, c.x_log);
    EXPECT_EQ(Plots().setup.y.logarithmic, c.y_log);
    EXPECT_DOUBLE_EQ(Plots().setup.x.base, c.x_base);
  }
  PlotAxis axis;
  axis.SetLogarithmic(10);
  EXPECT_DOUBLE_EQ(axis.Place(1000), 3);
  EXPECT_TRUE(std::isnan(axis.Place(0)));
  EXPECT_DOUBLE_EQ(axis.ValueAt(2), 100);
  axis.SetLogarithmic(1);
  EXPECT_DOUBLE_EQ(axis.Place(-4), -4);
}

struct PlotCase {
  const char* text;
  std::vector<double> range;  // from, to, step given to DrawPlot
  int colour;
};

TEST_F(CanvasQueries, PlotGivesTheHostItsRange) {
  const double turn = 2 * std::numbers::pi;
  const std::vector<PlotCase> cases = {
      // y(x) by default over the window's columns, one sample per column.
      {":plot [\"sin(x)]", {-1, 2.5, 0}, 3},
      {":plot [\"x] 5", {-1, 2.5, 0}, 5},
      {":plot [\"x] 0 10", {0, 10, 0}, 3},
      {":plot [\"x] 0 10 6", {0, 10, 0}, 6},
      // The x axis's log scale: the window spans exponents.
      {":logscale \"x; :plot [\"x]", {0.1, std::pow(10, 2.5), 0}, 3},
      // One turn in steps of one degree, in the current angle unit.
      {":parametric; :plot [\"cos(t)] [\"sin(t)]", {0, turn, turn / 360}, 3},
      {":deg; :polar; :plot [\"1] 4", {0, 360, 1}, 4},
      {":polar; :plot [\"1] 0 3 0.5", {0, 3, 0.5}, 3},
      {":polar; :plot [\"1] 0 3 0.5 8", {0, 3, 0.5}, 8},
  };
  for (const PlotCase& c : cases) {
    SCOPED_TRACE(c.text);
    ASSERT_EQ(Run(":rad; :nologscale \"xy; :rectangular; :gworld 8 6; :window \\-1 1 2.5 \\-1; :gcolor 3"), kNoValue);
    engine.plot_ranges.clear();
    ASSERT_EQ(Run(c.text), kNoValue);
    ASSERT_EQ(engine.plot_ranges.size(), 1u);
    for (std::size_t i = 0; i < 3; ++i) EXPECT_NEAR(engine.plot_ranges[0][i], c.range[i], 1e-12);
    ASSERT_EQ(Plots().entries.size(), 1u);
    EXPECT_EQ(Plots().entries[0].colour, c.colour);
  }
}

TEST_F(CanvasQueries, PlotRefusesBadTextsMissingStepsAndAnEleventhEntry) {
  ASSERT_EQ(Run(":gworld 8 6; :array f; :sprint f [\"x*x]; :plot f; :parametric; :plot f f 0 1 0.1"), kNoValue);
  EXPECT_EQ(Plots().entries[0].first, "x*x");
  EXPECT_EQ(Plots().entries[1].second, "x*x");
  for (const char* text : {":plot 5", ":plot", ":plot f", ":plot f f 0 1", ":polar; :plot f 0 1"}) {
    SCOPED_TRACE(text);
    EXPECT_EQ(Run(text), E_COMMAND_PARAM);
  }
  ASSERT_EQ(Run(":rectangular; i = 2; while i < 10; :plot f; i = i + 1; endwhile"), kNoValue);
  EXPECT_EQ(Plots().entries.size(), 10u);
  EXPECT_EQ(Run(":plot f"), E_COMMAND_PARAM);
  // replot hands the host the last range; a new canvas forgets the entries.
  engine.redraw_ranges.clear();
  ASSERT_EQ(Run(":replot"), kNoValue);
  EXPECT_EQ(engine.redraw_ranges.size(), 1u);
  ASSERT_EQ(Run(":gworld 2 2"), kNoValue);
  EXPECT_TRUE(Plots().entries.empty());
}

}  // namespace
}  // namespace calc::testing
