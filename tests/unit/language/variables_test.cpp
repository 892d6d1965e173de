// Variable and array storage: name allocation and relocation, constants, the
// previous answer, element reads and writes with growth, size limits, brace
// lists and the brace form.
#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <string>
#include <vector>

#include "core/context.h"
#include "core/render.h"
#include "core/status_codes.h"
#include "language/variables.h"

namespace calc {
namespace {

using Subs = std::vector<std::int32_t>;
using Rows = std::vector<std::vector<double>>;

CalcValue Real(double x) { return CalcValue::FromReal(x); }

class VariablesTest : public ::testing::Test {
 protected:
  NumericSettings numeric;
  NumericScope numeric_scope{numeric};

  double At(std::uint8_t code, const Subs& subs) const { return arrays().Element(code, subs).ToReal(); }
  int Put(std::uint8_t code, const Subs& subs, double x, bool mark = false) {
    return arrays().WriteValue(code, subs, Real(x), mark);
  }
  std::vector<double> Vector(std::uint8_t code) const {
    std::vector<double> out;
    for (std::int32_t i = 0; i < arrays().Node(code).ValueCount(); ++i) out.push_back(At(code, {i}));
    return out;
  }
  Rows Matrix(std::uint8_t code) const {
    const CalcMatrix& m = arrays().Matrix(code);
    Rows rows(m.rows(), std::vector<double>(m.columns()));
    for (int i = 0; i < m.rows(); ++i)
      for (int j = 0; j < m.columns(); ++j) rows[i][j] = m.Element(i, j).ToReal();
    return rows;
  }
  // The brace form with numbers as plain integers: "{{1 2}{3 4}}".
  std::string Braces(std::uint8_t code) const {
    CalcTokenList list;
    EXPECT_EQ(arrays().BraceForm(code, list), 0);
    std::string out;
    for (const CalcToken& t : list) {
      if (t.kind() == kTokNumber) {
        if (!out.empty() && out.back() != '{') out += ' ';
        out += std::to_string(static_cast<long long>(t.NumberValue().ToReal()));
      } else {
        out += t.kind() == kTokOpenBrace ? "{" : t.kind() == kTokCloseBrace ? "}" : "?";
      }
    }
    return out;
  }

  CalcVariableTable& variables() { return storage.variables(); }
  CalcArrayTable& arrays() { return storage.arrays(); }
  const CalcArrayTable& arrays() const { return storage.arrays(); }

  CalcStorage storage;
};

// --- names ---------------------------------------------------------------------

TEST_F(VariablesTest, DeclaredNamesTakeTheHighestFreeCodeAndFreedCodesComeBack) {
  EXPECT_EQ(variables().Declare("x", Real(0), false), 255);
  EXPECT_EQ(variables().Declare("y", Real(0), false), 254);
  variables().Set(253, Real(1), true);  // used through its code: never handed out
  EXPECT_EQ(variables().State(253), kSlotUsed);
  EXPECT_EQ(variables().Declare("z", Real(0), false), 252);
  EXPECT_EQ(variables().Undefine("y"), 254);
  EXPECT_EQ(variables().Declare("w", Real(0), false), 254);
  EXPECT_EQ(variables().Find("X"), -1);  // names are case-sensitive
  EXPECT_EQ(arrays().Find("x"), -1);  // the two tables are separate
}

// Find skips the slots without a name; after any mix of declarations,
// renames, frees and claims (relocations included) it must still give what a
// scan of every slot gives: the lowest code carrying the name.
TEST_F(VariablesTest, FindAgreesWithAScanOfEverySlotAfterRandomNameChanges) {
  std::mt19937 random(7);
  const auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  const auto name = [&] { return std::string(1, static_cast<char>('a' + pick(12))) + std::to_string(pick(3)); };
  const auto scan = [&](std::string_view wanted) {
    for (int code = 0; code < kSlotCount; ++code)
      if (variables().NameOf(static_cast<std::uint8_t>(code)) == wanted) return code;
    return -1;
  };
  for (int step = 0; step < 20000; ++step) {
    const auto code = static_cast<std::uint8_t>(pick(kSlotCount));
    switch (pick(5)) {
      case 0: variables().Declare(name(), Real(step), false); break;
      case 1: variables().Undefine(name()); break;
      case 2: variables().SetName(code, pick(4) == 0 ? "" : name(), pick(2) == 0); break;
      case 3: variables().Claim(code); break;
      case 4: variables().FreeCode(code); break;
    }
    const std::string wanted = name();
    ASSERT_EQ(variables().Find(wanted), scan(wanted)) << "step " << step << ", name " << wanted;
  }
}

TEST_F(VariablesTest, AssigningThroughTheCodeMovesTheDeclaredVariableWithItsValue) {
  variables().Declare("x", Real(7), false);
  variables().Declare("k", Real(9), true);  // 254, constant
  ASSERT_TRUE(variables().Set(255, Real(3), true));
  EXPECT_EQ(variables().Find("x"), 253);
  EXPECT_EQ(variables().Get(253).ToReal(), 7.0);
  EXPECT_EQ(variables().Get(255).ToReal(), 3.0);
  EXPECT_EQ(variables().State(255), kSlotUsed);

  // A constant is claimed through a label: the flag moves with the name.
  ASSERT_EQ(variables().SetName(254, "lbl", true), 0);
  EXPECT_EQ(variables().Find("k"), 252);
  EXPECT_TRUE(variables().IsConstant(252));
  EXPECT_FALSE(variables().IsConstant(254));
  EXPECT_EQ(variables().Get(252).ToReal(), 9.0);

  // Assigning through a name (no mark) leaves everything in place.
  variables().Set(253, Real(8), false);
  EXPECT_EQ(variables().Find("x"), 253);
}

TEST_F(VariablesTest, WithoutAFreeSlotARelocatedNameIsLost) {
  for (int i = 0; i < kSlotCount; ++i) variables().Declare("v" + std::to_string(i), Real(i), i == 0);
  ASSERT_TRUE(variables().IsConstant(255));
  variables().Claim(255);
  EXPECT_EQ(variables().Find("v0"), -1);
  EXPECT_FALSE(variables().IsConstant(255));
  EXPECT_TRUE(variables().Set(255, Real(1), true));
}

TEST_F(VariablesTest, ConstantsRefuseAssignmentAndStayWhereTheyAre) {
  const int k = variables().Declare("K", Real(2), true);
  EXPECT_FALSE(variables().Set(k, Real(5), false));
  EXPECT_EQ(storage.SetVariable(k, Real(5), true), E_ASS);
  EXPECT_EQ(variables().Get(k).ToReal(), 2.0);
  EXPECT_EQ(variables().Find("K"), k);  // a refused assignment relocates nothing
}

TEST_F(VariablesTest, StoredValuesFollowTheCurrentKind) {
  variables().Set(1, Real(0.75), false);
  Put(1, {2}, 0.5);
  numeric.current_kind = kKindFraction;
  EXPECT_EQ(variables().Get(1).kind(), kKindFraction);
  EXPECT_EQ(variables().Get(1).FractionView().den, 4u);
  EXPECT_EQ(arrays().Element(1, Subs{2}).kind(), kKindFraction);
  EXPECT_EQ(arrays().Element(1, Subs{9}).kind(), kKindFraction);  // the spare too
}

// --- the previous answer -------------------------------------------------------------

TEST_F(VariablesTest, VariableZeroIsTheFirstElementOfThePreviousAnswer) {
  CalcMatrix result = *CalcMatrix::Make(2, 2);
  result.SetElementAt(0, Real(4));
  result.SetElementAt(3, Real(6));
  ASSERT_EQ(storage.StoreAnswer(result), 0);
  EXPECT_EQ(storage.GetVariable(0).ToReal(), 4.0);
  EXPECT_EQ(Matrix(0), Rows({{4, 0}, {0, 6}}));

  ASSERT_EQ(storage.SetVariable(0, Real(9), true), 0);
  EXPECT_EQ(Matrix(0), Rows({{9}}));

  storage.StoreAnswer(result);
  storage.ResetAnswer();
  EXPECT_EQ(Matrix(0), Rows({{0}}));
}

TEST_F(VariablesTest, StoringTheAnswerMovesAnArrayDeclaredAtCodeZero) {
  for (int i = 0; i < kSlotCount; ++i) arrays().Declare("a" + std::to_string(i));
  ASSERT_EQ(arrays().Find("a255"), 0);
  Put(0, {1}, 5);
  arrays().Undefine("a3");  // frees code 252
  storage.StoreAnswer(*CalcMatrix::Make(1, 3));
  EXPECT_EQ(arrays().Find("a255"), 252);
  EXPECT_EQ(At(252, {1}), 5.0);
  EXPECT_EQ(arrays().State(0), kSlotUsed);
  EXPECT_EQ(Matrix(0), Rows({{0, 0, 0}}));
}

// --- elements ---------------------------------------------------------------------------

TEST_F(VariablesTest, ReadingPastTheVectorGivesZeroAndWritingGrowsIt) {
  for (int i = 0; i < 3; ++i) Put(1, {i}, i + 1);
  EXPECT_EQ(At(1, {7}), 0.0);
  EXPECT_EQ(arrays().Node(1).ValueCount(), 3);
  ASSERT_EQ(Put(1, {7}, 8), 0);
  EXPECT_EQ(Vector(1), std::vector<double>({1, 2, 3, 0, 0, 0, 0, 8}));
  EXPECT_EQ(At(2, {0}), 0.0);  // a fresh array reads zero everywhere
  EXPECT_EQ(At(2, {5, 5, 5}), 0.0);
}

TEST_F(VariablesTest, WritingOutsideTheMatrixEnlargesItKeepingEveryElement) {
  CalcMatrix one;
  one.SetElementAt(0, Real(1));
  arrays().Write(1, {}, one);
  ASSERT_EQ(Put(1, {2, 3}, 5), 0);
  EXPECT_EQ(Matrix(1), Rows({{1, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 5}}));
  ASSERT_EQ(Put(1, {3, 0}, 6), 0);
  EXPECT_EQ(arrays().Matrix(1).rows(), 4);
  EXPECT_EQ(arrays().Matrix(1).columns(), 4);
  EXPECT_EQ(At(1, {2, 3}), 5.0);
  EXPECT_EQ(At(1, {9, 0}), 0.0);
}

TEST_F(VariablesTest, ThreeOrMoreSubscriptsWalkTheChildNodes) {
  ASSERT_EQ(Put(1, {2, 1, 4}, 7), 0);
  const CalcArrayNode& top = arrays().Node(1);
  EXPECT_EQ(top.ChildCount(), 3);
  EXPECT_EQ(top.Child(2)->ChildCount(), 2);
  EXPECT_EQ(top.Child(2)->Child(1)->ValueCount(), 5);
  EXPECT_EQ(At(1, {2, 1, 4}), 7.0);
  EXPECT_EQ(At(1, {0, 1, 4}), 0.0);  // a child that is empty
  EXPECT_EQ(At(1, {9, 9, 9, 9}), 0.0);  // children that do not exist
  EXPECT_EQ(top.ChildCount(), 3);
  EXPECT_EQ(top.ValueCount(), 0);  // the tree and the vector are separate
  EXPECT_EQ(Matrix(1), Rows({{0}}));
}

TEST_F(VariablesTest, ReadGivesAWholeMatrixOrOneElement) {
  Put(1, {1, 1}, 3);
  Put(1, {4}, 2);
  CalcMatrix out;
  ASSERT_EQ(arrays().Read(1, {}, out), 0);
  EXPECT_EQ(out.count(), 4);
  ASSERT_EQ(arrays().Read(1, Subs{4}, out), 0);
  EXPECT_EQ(out.count(), 1);
  EXPECT_EQ(out.First().ToReal(), 2.0);
}

TEST_F(VariablesTest, HugeSubscriptsFailWithEMemAndChangeNothing) {
  Put(1, {1}, 1);
  Put(1, {1, 1}, 1);
  Put(1, {1, 1, 1}, 1);
  const std::int32_t max = CalcMatrix::kMaxElements;
  const Subs huge[] = {{INT_MAX},           {max},           {INT_MAX, 0},      {0, INT_MAX},
                       {70000, 70000},      {INT_MAX, 0, 0}, {0, 0, INT_MAX},   {1, max, 0},
                       {max - 1, max - 1, 0},  // each list fits, both together do not
                       Subs(kMaxArraySubscripts, INT_MAX)};
  for (const Subs& subs : huge) {
    EXPECT_EQ(Put(1, subs, 9), E_MEM) << subs.size() << " subscripts, first " << subs[0];
  }
  EXPECT_EQ(arrays().Node(1).ValueCount(), 2);
  EXPECT_EQ(arrays().Node(1).ChildCount(), 2);
  EXPECT_EQ(arrays().Node(1).Child(1)->ChildCount(), 2);
  EXPECT_EQ(Matrix(1), Rows({{0, 0}, {0, 1}}));

  EXPECT_EQ(Put(1, {-1}, 9), E_ARRAY);
  EXPECT_EQ(Put(1, Subs(kMaxArraySubscripts + 1, 0), 9), E_ARRAY);
  EXPECT_EQ(Put(1, Subs(kMaxArraySubscripts, 0), 9), 0);  // the deepest tree allowed
}

// --- copies and relocation of arrays -----------------------------------------------------

TEST_F(VariablesTest, ArrayCopiesAreDeepAndIndependent) {
  Put(1, {0, 1, 2}, 5);
  Put(1, {1}, 6);
  Put(1, {1, 1}, 7);
  CalcArrayTable other;
  ASSERT_EQ(other.CopySlot(9, arrays(), 1), 0);
  Put(1, {0, 1, 2}, 50);
  EXPECT_EQ(other.Element(9, Subs{0, 1, 2}).ToReal(), 5.0);
  EXPECT_EQ(other.Element(9, Subs{1}).ToReal(), 6.0);
  EXPECT_EQ(other.Element(9, Subs{1, 1}).ToReal(), 7.0);

  // Copying a subtree over the node that holds it.
  CalcArrayNode& top = arrays().Node(1);
  ASSERT_EQ(top.CopyFrom(*top.Child(0)), 0);
  EXPECT_EQ(top.Child(1)->Value(2).ToReal(), 50.0);
  EXPECT_EQ(top.ChildCount(), 2);
  EXPECT_EQ(top.ValueCount(), 0);
}

// --- brace lists ----------------------------------------------------------------------------

// Feeds a brace list written as text: "{", "}" and single-digit values.
int Fill(CalcArrayTable& table, std::uint8_t code, const std::string& list, bool by_code = false) {
  CalcBraceFill fill(table, code, by_code);
  for (char c : list) {
    int status = 0;
    if (c == '{') status = fill.OpenLevel();
    else if (c == '}') status = fill.CloseLevel();
    else if (c != ' ') status = fill.Store(Real(c - '0'));
    if (status != 0) return status;
  }
  return fill.Finish();
}

TEST_F(VariablesTest, AOneLevelListReplacesTheVectorExactly) {
  for (int i = 0; i < 10; ++i) Put(1, {i}, 9);
  ASSERT_EQ(Fill(arrays(), 1, "{1 2 3}"), 0);
  EXPECT_EQ(Vector(1), std::vector<double>({1, 2, 3}));
  ASSERT_EQ(Fill(arrays(), 1, "{}"), 0);
  EXPECT_EQ(arrays().Node(1).ValueCount(), 0);
}

TEST_F(VariablesTest, ATwoLevelListGivesTheMatrixExactlyItsShape) {
  ASSERT_EQ(arrays().Write(1, {}, *CalcMatrix::Make(5, 5)), 0);
  Put(1, {0}, 7);
  ASSERT_EQ(Fill(arrays(), 1, "{{1 2}{3 4}}"), 0);
  EXPECT_EQ(Matrix(1), Rows({{1, 2}, {3, 4}}));
  EXPECT_EQ(Vector(1), std::vector<double>({7}));  // untouched
  ASSERT_EQ(Fill(arrays(), 1, "{{1}{2 3 4}}"), 0);   // ragged rows are zero-filled
  EXPECT_EQ(Matrix(1), Rows({{1, 0, 0}, {2, 3, 4}}));
}

TEST_F(VariablesTest, DeeperListsFillTheNodeTree) {
  ASSERT_EQ(Fill(arrays(), 1, "{{{1 2}}{{3}{4 5}}}"), 0);
  EXPECT_EQ(At(1, {0, 0, 1}), 2.0);
  EXPECT_EQ(At(1, {1, 0, 0}), 3.0);
  EXPECT_EQ(At(1, {1, 1, 1}), 5.0);
  EXPECT_EQ(Braces(1), "{{{1 2}}{{3}{4 5}}}");
}

TEST_F(VariablesTest, UnbalancedOrTooDeepListsFailWithEArray) {
  EXPECT_EQ(Fill(arrays(), 1, "{1}}"), E_ARRAY);
  EXPECT_EQ(Fill(arrays(), 1, "{{1}"), E_ARRAY);
  EXPECT_EQ(Fill(arrays(), 1, "1"), E_ARRAY);
  EXPECT_EQ(Fill(arrays(), 1, std::string(kMaxArraySubscripts, '{') + "1" +
                                  std::string(kMaxArraySubscripts, '}')), 0);
  EXPECT_EQ(Fill(arrays(), 1, std::string(kMaxArraySubscripts + 1, '{')), E_ARRAY);
}

TEST_F(VariablesTest, FillingADeclaredArrayThroughItsCodeMovesIt) {
  const int a = arrays().Declare("a");
  Put(a, {0}, 8);
  ASSERT_EQ(Fill(arrays(), static_cast<std::uint8_t>(a), "{1 2}", true), 0);
  EXPECT_EQ(Vector(254), std::vector<double>({8}));
  EXPECT_EQ(Vector(255), std::vector<double>({1, 2}));
}

// --- brace form --------------------------------------------------------------------------------

TEST_F(VariablesTest, TheBraceFormWritesTheMatrixThenTheNodes) {
  EXPECT_EQ(Braces(1), "{}");  // nothing at all
  Put(1, {0}, 0);
  EXPECT_EQ(Braces(1), "{0}");  // a zero scalar matrix is left out
  Fill(arrays(), 1, "{{1 2}{3 4}}");
  EXPECT_EQ(Braces(1), "{{1 2}{3 4}}{0}");
  arrays().Node(1).ResizeValues(0);
  EXPECT_EQ(Braces(1), "{{1 2}{3 4}}");
  Put(1, {2, 0, 0}, 5);  // children before values, an empty child as "{}"
  Put(1, {1}, 6);
  EXPECT_EQ(Braces(1), "{{1 2}{3 4}}{{}{}{{5}}}{0 6}");
}

// --- the context and the renderer -------------------------------------------------------------

TEST_F(VariablesTest, RenderedSlotsShowTheirNames) {
  CalcContext ctx;
  StorageOf(ctx).variables().SetName('a', "rate", true);
  StorageOf(ctx).arrays().Declare("table");
  EXPECT_EQ(RenderToken(ctx, kTokVariable, std::uint8_t{'a'}, &StorageOf(ctx)), "rate");
  EXPECT_EQ(RenderToken(ctx, kTokVariable, std::uint8_t{'b'}, &StorageOf(ctx)), "@b");
  EXPECT_EQ(RenderToken(ctx, kTokArray, std::uint8_t{255}, &StorageOf(ctx)), "table");
  CalcContext other;  // every context has its own storage
  EXPECT_EQ(StorageOf(other).variables().Find("rate"), -1);
}

}  // namespace
}  // namespace calc
