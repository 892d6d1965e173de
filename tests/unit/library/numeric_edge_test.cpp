// The numeric routines on the inputs that break naive loops: NaN and
// infinite elements, the zero matrix, 1 x 1 and 0 x 0, non-square and
// non-symmetric matrices. Every routine must return within its limits with
// a consistent count; the work space refuses shapes it cannot hold.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <functional>
#include <limits>
#include <vector>

#include "core/status_codes.h"
#include "library/eigen.h"
#include "library/hessenberg_qr.h"
#include "library/householder.h"
#include "library/jacobi.h"
#include "library/power_method.h"
#include "library/tridiagonal_qr.h"
#include "matrix_builders.h"

namespace calc {
namespace {

using testing::RealOf;
using testing::Rows;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// What every routine gives, in one shape.
struct Outcome {
  int status;
  int count;
  std::vector<double> values;  // real parts
};

// A generator of its own for every run, so that no case depends on which
// cases ran before it.
RandomSource Seeded() {
  return [state = 1u]() mutable {
    state = state * 1103515245u + 12345u;
    return static_cast<int>((state >> 16) & 0x7FFF);
  };
}

Outcome FromReal(int status, const RealEigensystem& s) { return {status, s.count, s.values}; }
Outcome FromComplex(int status, const ComplexEigensystem& s) {
  std::vector<double> re;
  for (const CalcComplex& z : s.values) re.push_back(z.re);
  return {status, s.count, re};
}

struct Routine {
  const char* name;
  std::function<Outcome(const Rows&)> run;
};

const std::vector<Routine>& Routines() {
  static const std::vector<Routine> routines = {
      {"eigen", [](const Rows& a) { RealEigensystem s; int st = Eigen(RealOf(a), s); return FromReal(st, s); }},
      {"jac", [](const Rows& a) { RealEigensystem s; int st = Jac(RealOf(a), s); return FromReal(st, s); }},
      {"jacobi", [](const Rows& a) { RealEigensystem s; int st = Jacobi(RealOf(a), s); return FromReal(st, s); }},
      {"qr", [](const Rows& a) { RealEigensystem s; int st = Qr(RealOf(a), s); return FromReal(st, s); }},
      {"qrs", [](const Rows& a) { RealEigensystem s; int st = Qrs(RealOf(a), s); return FromReal(st, s); }},
      {"dqr", [](const Rows& a) { ComplexEigensystem s; int st = Dqr(RealOf(a), s); return FromComplex(st, s); }},
      {"pm", [](const Rows& a) { RealEigensystem s; int st = Pm(RealOf(a), 3, Seeded(), s); return FromReal(st, s); }},
      {"power", [](const Rows& a) { RealEigensystem s; int st = Power(RealOf(a), 3, s); return FromReal(st, s); }},
      {"pm2", [](const Rows& a) { ComplexEigensystem s; int st = Pm2(RealOf(a), 3, Seeded(), s); return FromComplex(st, s); }},
  };
  return routines;
}

int Order(const Rows& a) { return a.empty() || a.size() != a[0].size() ? 0 : static_cast<int>(a.size()); }

TEST(NumericEdgeTest, EveryRoutineReturnsOnHostileInput) {
  const Rows inputs[] = {
      {{kNaN, 1, 2}, {1, 3, 4}, {2, 4, 5}},
      {{kInf, 1}, {1, 2}},
      {{1, -kInf}, {-kInf, 1}},
      {{kNaN, kNaN}, {kNaN, kNaN}},
      {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}},
      {{1e300, 1e300}, {1e300, -1e300}},
      {{1e-300, 1e-310}, {1e-310, 1e-300}},
      {{1, 2, 3}, {4, 5, 6}, {7, 8, 10}},  // not symmetric
      {{1, 2, 3}, {4, 5, 6}},              // not square
  };
  for (const Rows& a : inputs) {
    for (const Routine& r : Routines()) {
      SCOPED_TRACE(::testing::Message() << r.name << " on " << a.size() << " x " << a[0].size() << " "
                                        << a[0][0]);
      const Outcome o = r.run(a);
      EXPECT_EQ(o.status, kDone);
      EXPECT_GE(o.count, 0);
      EXPECT_LE(o.count, Order(a));
      EXPECT_LE(static_cast<int>(o.values.size()), Order(a));
    }
  }
}

// A zero matrix has only the eigenvalue 0 and a 1 x 1 matrix its element;
// neither may come back as NaN.
TEST(NumericEdgeTest, ZeroAndOneByOneMatricesGiveTheirExactEigenvalues) {
  const struct {
    Rows a;
    double value;
  } cases[] = {{{{0, 0, 0}, {0, 0, 0}, {0, 0, 0}}, 0.0}, {{{5}}, 5.0}, {{{-2.5}}, -2.5}};
  for (const auto& c : cases) {
    for (const Routine& r : Routines()) {
      SCOPED_TRACE(::testing::Message() << r.name << " order " << c.a.size());
      const Outcome o = r.run(c.a);
      ASSERT_EQ(o.status, kDone);
      EXPECT_EQ(o.count, static_cast<int>(c.a.size()));
      ASSERT_EQ(o.values.size(), c.a.size());
      for (double v : o.values) EXPECT_EQ(v, c.value);
    }
  }
}

TEST(NumericEdgeTest, EmptyAndNonSquareMatricesFindNothing) {
  for (const Routine& r : Routines()) {
    SCOPED_TRACE(r.name);
    EXPECT_EQ(r.run(Rows{{1, 2}}).count, 0);
  }
  RealEigensystem s;
  ASSERT_EQ(Eigen(*RealMatrix::Make(0, 0), s), kDone);
  EXPECT_EQ(s.count, 0);
  RealMatrix out;
  EXPECT_EQ(House(RealOf({{1, 2}}), out), W_INV);
  EXPECT_EQ(Hes(RealOf({{1, 2}}), out), W_INV);
  EXPECT_EQ(out.rows(), 1);
}

// Routines that can fail say so with count 0, not with NaN eigenvalues.
TEST(NumericEdgeTest, NaNMakesTheIteratingSolversFail) {
  const Rows a = {{kNaN, 1}, {1, 2}};
  RealEigensystem s;
  ASSERT_EQ(Eigen(RealOf(a), s), kDone);
  EXPECT_EQ(s.count, 0);
  EXPECT_TRUE(s.values.empty());
  ASSERT_EQ(Jacobi(RealOf(a), s), kDone);
  EXPECT_EQ(s.count, 0);
  EXPECT_TRUE(s.values.empty());
  ASSERT_EQ(Power(RealOf(a), 2, s), kDone);
  EXPECT_EQ(s.count, 0);
}

TEST(NumericEdgeTest, WantedCountIsClampedToTheOrder) {
  const Rows a = {{2, 0}, {0, 1}};
  for (int wanted : {INT_MIN, -1, 0, 1, 2, 3, INT_MAX}) {
    RealEigensystem pm, power;
    ComplexEigensystem pm2;
    ASSERT_EQ(Pm(RealOf(a), wanted, Seeded(), pm), kDone);
    ASSERT_EQ(Power(RealOf(a), wanted, power), kDone);
    ASSERT_EQ(Pm2(RealOf(a), wanted, Seeded(), pm2), kDone);
    const int expected = wanted < 0 ? 0 : wanted > 2 ? 2 : wanted;
    EXPECT_EQ(pm.count, expected) << wanted;
    EXPECT_EQ(power.count, expected) << wanted;
    EXPECT_EQ(pm2.count, expected) << wanted;
    EXPECT_EQ(pm.vectors.rows(), expected) << wanted;
  }
}

TEST(RealMatrixTest, ShapesBeyondTheMatrixLimitAreRefusedWithoutAllocating) {
  const std::pair<int, int> refused[] = {
      {-1, 2}, {2, -1}, {INT_MAX, INT_MAX}, {INT_MAX, 2}, {1 << 16, 1 << 16}, {CalcMatrix::kMaxElements, 2}};
  for (auto [rows, columns] : refused) EXPECT_FALSE(RealMatrix::Make(rows, columns)) << rows << " x " << columns;
  EXPECT_TRUE(RealMatrix::Make(CalcMatrix::kMaxElements, 1));
  EXPECT_TRUE(RealMatrix::Make(0, 0));

  auto budget = CalcRunBudget::Make();
  budget->SetMemoryLimit(1000);
  EXPECT_FALSE(RealMatrix::Make(20, 20, budget.get()));  // 3200 bytes
  RealEigensystem s;
  EXPECT_EQ(Jac(RealOf({{1, 2}, {2, 1}}), s, budget.get()), kDone);  // 32 bytes fit
  EXPECT_EQ(Jac(testing::RealOf(Rows(20, std::vector<double>(20, 1.0))), s, budget.get()), E_MEM);
}

TEST(RealMatrixTest, AStepLimitEndsALongRoutineWithOutOfMemory) {
  Rows a(60, std::vector<double>(60));
  for (int i = 0; i < 60; ++i)
    for (int j = 0; j < 60; ++j) a[i][j] = 1.0 / (1 + i + j);
  const std::function<int(CalcRunBudget*)> runs[] = {
      [&](CalcRunBudget* b) { RealEigensystem s; return Eigen(RealOf(a), s, b); },
      [&](CalcRunBudget* b) { RealEigensystem s; return Jacobi(RealOf(a), s, b); },
      [&](CalcRunBudget* b) { RealEigensystem s; return Power(RealOf(a), 60, s, b); },
      [&](CalcRunBudget* b) { RealMatrix h; return Hes(RealOf(a), h, b); },
  };
  for (const auto& run : runs) {
    auto budget = CalcRunBudget::Make();
    budget->SetStepLimit(100);
    EXPECT_EQ(run(budget.get()), E_MEM);
    EXPECT_EQ(budget->stop(), CalcRunBudget::Stop::kStepLimit);
  }
}

TEST(RealMatrixTest, ConversionsReadEveryKindAsADoubleAndWriteTheCurrentKind) {
  NumericSettings fractions;
  fractions.current_kind = kKindFraction;
  NumericScope scope(fractions);
  CalcMatrix m = testing::CalcOf({{0.5, -3}, {0.25, 7}});
  RealMatrix r;
  ASSERT_EQ(ReadReal(m, r), kDone);
  EXPECT_EQ(testing::RowsOf(r), (Rows{{0.5, -3}, {0.25, 7}}));
  r(0, 0) = 0.75;
  CalcMatrix back;
  ASSERT_EQ(WriteReal(r, back), kDone);
  const CalcFraction f = back.Element(0, 0).FractionView();
  EXPECT_EQ(f.num, 3u);
  EXPECT_EQ(f.den, 4u);
  const std::vector<double> values = {1.5, -2};
  ASSERT_EQ(WriteRealVector(values, back), kDone);
  EXPECT_EQ(back.rows(), 1);
  EXPECT_EQ(back.columns(), 2);
  EXPECT_EQ(back.Element(0, 1).ToReal(), -2.0);
}

}  // namespace
}  // namespace calc
