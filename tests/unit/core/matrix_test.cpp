// Matrices: zero reads outside the shape, kind conversion on read and store,
// reshaping, copying, the "*" product and refusal of shapes too large to hold.
#include <gtest/gtest.h>

#include <climits>
#include <utility>
#include <vector>

#include "core/matrix.h"

namespace calc {
namespace {

using Rows = std::vector<std::vector<double>>;

class MatrixTest : public ::testing::Test {
 protected:
  NumericSettings numeric;
  NumericScope numeric_scope{numeric};

  static CalcMatrix Of(const Rows& rows) {
    auto m = CalcMatrix::Make(static_cast<int>(rows.size()), static_cast<int>(rows[0].size()));
    for (int i = 0; i < m->rows(); ++i)
      for (int j = 0; j < m->columns(); ++j) m->SetElement(i, j, CalcValue::FromReal(rows[i][j]));
    return *m;
  }
  static Rows Read(const CalcMatrix& m) {
    Rows rows(m.rows(), std::vector<double>(m.columns()));
    for (int i = 0; i < m.rows(); ++i)
      for (int j = 0; j < m.columns(); ++j) rows[i][j] = m.Element(i, j).ToReal();
    return rows;
  }
};

TEST_F(MatrixTest, NewMatricesHoldOnlyZeros) {
  EXPECT_EQ(Read(CalcMatrix()), Rows({{0}}));
  EXPECT_EQ(Read(*CalcMatrix::Make(2, 3)), Rows({{0, 0, 0}, {0, 0, 0}}));
  EXPECT_EQ(CalcMatrix::Make(0, 3)->First().ToReal(), 0.0);  // no elements: reads the spare
}

TEST_F(MatrixTest, AccessOutsideTheShapeReadsZeroAndChangesNothing) {
  CalcMatrix m = Of({{1, 2}, {3, 4}});
  // (0, 2) and (1, -1) would alias stored elements if only the linear index were checked.
  const std::pair<int, int> outside[] = {{5, 0}, {0, 2}, {1, -1}, {-1, 0}, {2, 0}};
  for (auto [i, j] : outside) {
    EXPECT_EQ(m.Element(i, j).ToReal(), 0.0) << i << "," << j;
    EXPECT_FALSE(m.SetElement(i, j, CalcValue::FromReal(9))) << i << "," << j;
  }
  EXPECT_EQ(m.ElementAt(-1).ToReal(), 0.0);
  EXPECT_FALSE(m.SetElementAt(4, CalcValue::FromReal(9)));
  m.At(4) = CalcValue::FromReal(9);  // a stray write goes nowhere
  EXPECT_EQ(std::as_const(m).At(4).ToReal(), 0.0);
  EXPECT_EQ(Read(m), Rows({{1, 2}, {3, 4}}));
  EXPECT_EQ(m.ElementAt(2).ToReal(), 3.0);  // row-major
}

TEST_F(MatrixTest, ElementsFollowTheKindSwitchOnReadAndStore) {
  CalcMatrix m = Of({{2.5, -0.125}});
  const CalcValue three_quarters = CalcValue::FromReal(0.75);
  numeric.current_kind = kKindFraction;
  const CalcValue read = m.Element(0, 0);
  EXPECT_EQ(read.kind(), kKindFraction);
  EXPECT_EQ(read.FractionView().den, 2u);
  EXPECT_EQ(m.Element(7, 7).kind(), kKindFraction);
  EXPECT_EQ(m.At(1).kind(), kKindComplex);  // reading converted only the copy
  m.SetElementAt(1, three_quarters);
  EXPECT_EQ(m.At(1).kind(), kKindFraction);
  EXPECT_EQ(m.At(1).FractionView().den, 4u);
}

TEST_F(MatrixTest, ResizingKeepsEachElementAtItsRowAndColumn) {
  CalcMatrix m = Of({{1, 2}, {3, 4}});
  ASSERT_TRUE(m.Resize(3, 3));
  EXPECT_EQ(Read(m), Rows({{1, 2, 0}, {3, 4, 0}, {0, 0, 0}}));
  ASSERT_TRUE(m.Resize(1, 2));
  EXPECT_EQ(Read(m), Rows({{1, 2}}));
}

TEST_F(MatrixTest, ShapesTooLargeOrNegativeAreRefusedWithTheMatrixUnchanged) {
  const int over = CalcMatrix::kMaxElements + 1;
  // 65536 x 65536 wraps to 0 in 32 bits.
  const std::pair<int, int> shapes[] = {{-1, 2},   {2, -1},   {65536, 65536}, {INT_MAX, INT_MAX},
                                        {over, 1}, {1, over}, {2048, 2049}};
  for (auto [r, c] : shapes) {
    EXPECT_FALSE(CalcMatrix::Make(r, c)) << r << " x " << c;
    CalcMatrix m = Of({{1, 2}});
    EXPECT_FALSE(m.Resize(r, c)) << r << " x " << c;
    EXPECT_EQ(Read(m), Rows({{1, 2}}));
  }
  CalcMatrix column = *CalcMatrix::Make(4096, 1);  // times 1 x 2048: 2^23 elements
  EXPECT_FALSE(column.Multiply(*CalcMatrix::Make(1, 2048)));
  EXPECT_EQ(column.columns(), 1);
}

TEST_F(MatrixTest, CopiesAreDeepAndAssignConvertsToTheCurrentKind) {
  CalcMatrix source = Of({{1.5, 2}});
  const CalcMatrix copy(source);
  CalcMatrix assigned;
  numeric.current_kind = kKindFraction;
  ASSERT_TRUE(assigned.Assign(source));
  source.SetElement(0, 0, CalcValue::FromReal(9));
  EXPECT_EQ(Read(copy), Rows({{1.5, 2}}));
  EXPECT_EQ(Read(assigned), Rows({{1.5, 2}}));
  EXPECT_EQ(assigned.At(0).kind(), kKindFraction);
}

TEST_F(MatrixTest, ScalingByOneOfItsOwnElementsUsesTheValueFromBefore) {
  CalcMatrix m = Of({{2, 3}, {4, 5}});
  m.Scale(m.At(0));
  EXPECT_EQ(Read(m), Rows({{4, 6}, {8, 10}}));
}

TEST_F(MatrixTest, ProductsScaleBySingleElementsAndTreatMissingFactorsAsZero) {
  struct Case { Rows left, right, product; };
  const Case cases[] = {
      {{{1, 2, 3}}, {{4}, {5}, {6}}, {{32}}},                           // dot product
      {{{1, 2}, {3, 4}}, {{3}}, {{3, 6}, {9, 12}}},                     // 1 x 1 right
      {{{2}}, {{1, 2, 3}, {4, 5, 6}}, {{2, 4, 6}, {8, 10, 12}}},        // 1 x 1 left
      {{{1, 2, 3}, {4, 5, 6}}, {{1, 2}, {3, 4}}, {{7, 10}, {19, 28}}},  // right's row 2 is 0
      {{{1}, {2}, {3}}, {{1, 2}, {3, 4}}, {{1, 2}, {2, 4}, {3, 6}}},    // left's column 1 is 0
  };
  for (const Case& c : cases) {
    CalcMatrix m = Of(c.left);
    ASSERT_TRUE(m.Multiply(Of(c.right)));
    EXPECT_EQ(Read(m), c.product);
  }
  CalcMatrix square = Of({{1, 2}, {3, 4}});
  ASSERT_TRUE(square.Multiply(square));
  EXPECT_EQ(Read(square), Rows({{7, 10}, {15, 22}}));
}

}  // namespace
}  // namespace calc
