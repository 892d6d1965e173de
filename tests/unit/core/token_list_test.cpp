// Token lists: payload ownership by kind, insertion and removal, the cursor,
// deep copies, and running out of memory.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>
#include <string>
#include <vector>

#include "core/keywords.h"
#include "core/status_codes.h"
#include "core/token.h"
#include "core/tokenizer.h"
#include "core/matrix.h"

// GCC cannot see that these deletes pair with the mallocs below.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

// Allocation failure on demand: while g_allocations_left is not negative each
// allocation uses one up, and once none is left operator new throws. The
// matching deletes are replaced too, so the sanitizers see malloc/free pairs.
namespace {
long g_allocations_left = -1;
}  // namespace

void* operator new(std::size_t size) {
  if (g_allocations_left == 0) throw std::bad_alloc();
  if (g_allocations_left > 0) --g_allocations_left;
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  return g_allocations_left == 0 ? nullptr : std::malloc(size == 0 ? 1 : size);
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept { return operator new(size, tag); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }

namespace calc {
namespace {

using namespace std::string_literals;

class TokenListTest : public ::testing::Test {
 protected:
  NumericSettings numeric;
  NumericScope numeric_scope{numeric};
  void TearDown() override { g_allocations_left = -1; }

  static std::vector<int> Kinds(const CalcTokenList& list) {
    std::vector<int> kinds;
    for (const CalcToken& token : list) kinds.push_back(token.kind());
    return kinds;
  }
};

TEST_F(TokenListTest, PayloadsAreCopiedAndAMismatchedOneBecomesTheKindsEmptyPayload) {
  CalcTokenList list;
  std::string name = "alpha";
  CalcMatrix matrix = *CalcMatrix::Make(2, 2);
  matrix.SetElementAt(0, CalcValue::FromReal(7));
  ASSERT_EQ(list.Append(kTokName, name), kDone);
  ASSERT_EQ(list.AppendNumber(CalcValue::FromReal(2.5)), kDone);
  ASSERT_EQ(list.AppendMatrix(matrix), kDone);
  ASSERT_EQ(list.Append(kTokClose, std::string("dropped")), kDone);
  ASSERT_EQ(list.Append(kTokOperator, std::string("+")), kDone);
  ASSERT_EQ(list.Append(kTokMatrix), kDone);
  // The in-place forms fit their payload to the kind the same way.
  ASSERT_EQ(list.Append(kTokName, std::uint8_t{5}), kDone);
  ASSERT_EQ(list.Append(kTokOpen, std::uint8_t{5}), kDone);
  ASSERT_EQ(list.Append(kTokStatement), kDone);
  ASSERT_EQ(list.Append(kTokOperator, std::uint8_t{kOpAdd}), kDone);
  name = "changed";
  matrix.SetElementAt(0, CalcValue::FromReal(-1));

  EXPECT_EQ(list.At(0)->text(), "alpha");
  EXPECT_EQ(list.At(1)->NumberValue().ToReal(), 2.5);
  EXPECT_EQ(list.At(2)->matrix()->First().ToReal(), 7.0);
  EXPECT_TRUE(list.At(3)->Is(kTokClose, 0));
  EXPECT_EQ(list.At(3)->text(), "");
  EXPECT_TRUE(list.At(4)->Is(kTokOperator, 0));
  ASSERT_NE(list.At(5)->matrix(), nullptr);
  EXPECT_EQ(list.At(5)->matrix()->count(), 1);
  EXPECT_TRUE(list.At(6)->Is(kTokName, 0));
  EXPECT_EQ(list.At(6)->text(), "");
  EXPECT_TRUE(list.At(7)->Is(kTokOpen, 0));
  EXPECT_TRUE(list.At(8)->Is(kTokStatement, 0));
  EXPECT_TRUE(list.At(9)->Is(kTokOperator, kOpAdd));
  EXPECT_EQ(list.At(10), nullptr);
}

// The same number bit for bit: kind, and the active part's fields (so -0.0
// differs from 0.0 and a NaN equals itself).
bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }
bool SameNumber(const CalcValue& a, const CalcValue& b) {
  if (a.kind() != b.kind()) return false;
  switch (a.kind()) {
    case kKindComplex:
      return SameBits(a.ComplexView().re, b.ComplexView().re) && SameBits(a.ComplexView().im, b.ComplexView().im);
    case kKindFraction: {
      const CalcFraction x = a.FractionView(), y = b.FractionView();
      return x.sign == y.sign && x.num == y.num && x.den == y.den;
    }
    default: {
      const CalcTime x = a.TimeView(), y = b.TimeView();
      return x.sign == y.sign && SameBits(x.hours, y.hours) && SameBits(x.minutes, y.minutes) &&
             SameBits(x.seconds, y.seconds) && SameBits(x.frames, y.frames) && SameBits(x.fps, y.fps);
    }
  }
}
bool SameToken(const CalcToken& a, const CalcToken& b) {
  if (a.kind() != b.kind() || a.code() != b.code() || a.text() != b.text()) return false;
  if (a.is_number() && !SameNumber(a.NumberValue(), b.NumberValue())) return false;
  if ((a.matrix() == nullptr) != (b.matrix() == nullptr)) return false;
  return a.matrix() == nullptr ||
         (a.matrix()->count() == b.matrix()->count() && a.matrix()->First().ToReal() == b.matrix()->First().ToReal());
}

// A token keeps a real number and a short text in itself and owns anything
// larger; every form reads back exactly what it was made from, through
// copies, moves and assignments over a token of every other form.
TEST_F(TokenListTest, EveryPayloadFormSurvivesCopiesMovesAndAssignments) {
  CalcValue imaginary = CalcValue::FromReal(1.5);
  imaginary.SetComplex({1.5, -2.0});
  CalcValue negative_zero_im = CalcValue::FromReal(0);
  negative_zero_im.SetComplex({3.0, -0.0});
  CalcMatrix matrix = *CalcMatrix::Make(3, 1);
  matrix.SetElementAt(0, CalcValue::FromReal(9));
  const std::string long_text = "\x81\x40name\0with a NUL and more"s;
  std::vector<CalcToken> forms = {
      CalcToken(),
      CalcToken(kTokOperator, std::uint8_t{kOpAdd}),
      CalcToken(CalcValue::FromReal(0.0)),
      CalcToken(CalcValue::FromReal(-0.0)),
      CalcToken(CalcValue::FromReal(-1e308)),
      CalcToken(CalcValue::FromReal(std::numeric_limits<double>::quiet_NaN())),
      CalcToken(imaginary),
      CalcToken(negative_zero_im),
      CalcToken(CalcValue(CalcFraction{1, 3, 7})),
      CalcToken(CalcValue(CalcTime{0, 1, 2, 3, 4, 25})),
      CalcToken::Text(kTokName, ""),
      CalcToken::Text(kTokName, "i"),
      CalcToken::Text(kTokString, "8 bytes!"),
      CalcToken::Text(kTokExternal, "nine byte"),
      CalcToken::Text(kTokString, long_text),
      CalcToken(matrix),
  };
  ASSERT_EQ(forms[14].text(), long_text);
  ASSERT_TRUE(SameNumber(forms[7].NumberValue(), negative_zero_im));
  for (std::size_t i = 0; i < forms.size(); ++i) {
    const CalcToken& original = forms[i];
    const CalcToken copy(original);
    EXPECT_TRUE(SameToken(copy, original)) << i;
    CalcToken moved(CalcToken{copy});
    EXPECT_TRUE(SameToken(moved, original)) << i;
    for (const CalcToken& other : forms) {
      CalcToken target(other);
      target = original;
      EXPECT_TRUE(SameToken(target, original)) << i;
      CalcToken source(original);
      target = CalcToken(other);
      target = std::move(source);
      EXPECT_TRUE(SameToken(target, original)) << i;
    }
  }
  // The forms kept inside the token take no allocation at all.
  g_allocations_left = 0;
  EXPECT_TRUE(SameToken(CalcToken(forms[4]), forms[4]));
  EXPECT_TRUE(SameToken(CalcToken(forms[12]), forms[12]));
  EXPECT_THROW(CalcToken{forms[13]}, std::bad_alloc);
}

TEST_F(TokenListTest, InsertionGoesBeforeTheGivenTokenAndRemovalBeyondTheEndFails) {
  CalcTokenList list;
  EXPECT_EQ(list.RemoveAt(0), E_LIST_INDEX);
  list.Append(kTokName, std::string("a"));
  list.Append(kTokName, std::string("b"));
  CalcTokenList::iterator front;
  ASSERT_EQ(list.InsertBefore(list.begin(), kTokOpen, {}, &front), kDone);
  ASSERT_EQ(list.InsertBefore(list.IteratorAt(2), kTokOperator, std::uint8_t{kOpAdd}), kDone);
  ASSERT_EQ(list.InsertBefore(list.end(), kTokClose), kDone);
  EXPECT_EQ(front, list.begin());
  EXPECT_EQ(Kinds(list), (std::vector<int>{kTokOpen, kTokName, kTokOperator, kTokName, kTokClose}));

  EXPECT_EQ(list.RemoveAt(5), 0x2001);
  EXPECT_EQ(list.RemoveAt(2), kDone);
  EXPECT_EQ(list.RemoveAt(0), kDone);
  EXPECT_EQ(Kinds(list), (std::vector<int>{kTokName, kTokName, kTokClose}));
}

TEST_F(TokenListTest, ACopyIsDeepAndTokensRewriteInPlace) {
  CalcTokenList list;
  list.Append(kTokName, std::string("x"));
  list.AppendMatrix(CalcMatrix());
  CalcTokenList copy;
  copy.Append(kTokOpen);
  ASSERT_EQ(list.CopyTo(copy), kDone);
  ASSERT_EQ(copy.At(0)->Assign(kTokNumber, CalcValue::FromReal(12)), kDone);
  copy.At(1)->matrix()->SetElementAt(0, CalcValue::FromReal(3));
  ASSERT_EQ(copy.At(1)->Assign(kTokString, std::string("s")), kDone);

  EXPECT_EQ(Kinds(copy), (std::vector<int>{kTokNumber, kTokString}));
  EXPECT_EQ(copy.At(0)->NumberValue().ToReal(), 12.0);
  EXPECT_EQ(copy.At(1)->text(), "s");
  EXPECT_EQ(list.At(0)->text(), "x");
  EXPECT_EQ(list.At(1)->matrix()->First().ToReal(), 0.0);
}

TEST_F(TokenListTest, TokensKeepTheirPlaceWhenTheListMovesAndRoomIsReusedWithoutAllocating) {
  CalcTokenList list;
  ASSERT_EQ(list.Reserve(40), kDone);
  g_allocations_left = 0;  // reserved room takes tokens without an allocation
  for (int i = 0; i < 40; ++i) ASSERT_EQ(list.AppendNumber(CalcValue::FromReal(i)), kDone);
  g_allocations_left = -1;
  for (int i = 40; i < 300; ++i) ASSERT_EQ(list.AppendNumber(CalcValue::FromReal(i)), kDone);

  std::vector<const CalcToken*> places;
  for (const CalcToken& token : list) places.push_back(&token);
  CalcTokenList::iterator held = list.IteratorAt(150);
  CalcTokenList moved(std::move(list));
  EXPECT_TRUE(list.Empty());
  EXPECT_EQ(list.begin(), list.end());
  ASSERT_EQ(moved.Count(), 300u);
  std::size_t i = 0;
  for (const CalcToken& token : moved) EXPECT_EQ(&token, places[i++]);

  // Removing and inserting around a held position leaves it valid.
  moved.Erase(std::prev(held));
  ASSERT_EQ(moved.InsertBefore(std::next(held), kTokClose), kDone);
  EXPECT_EQ(held->NumberValue().ToReal(), 150.0);
  EXPECT_EQ(moved.IndexOf(held), 149u);
  EXPECT_TRUE(moved.At(150)->Is(kTokClose));

  // A cleared list (a line tokenised again) and a list that loses and gains
  // tokens in turn refill their room without allocating.
  moved.Clear();
  g_allocations_left = 0;
  for (int k = 0; k < 300; ++k) ASSERT_EQ(moved.Append(kTokOperator, std::uint8_t{kOpAdd}), kDone);
  for (int k = 0; k < 1000; ++k) {
    moved.Erase(moved.begin());
    ASSERT_EQ(moved.Append(kTokOpen), kDone);
  }
  g_allocations_left = -1;
  EXPECT_EQ(moved.Count(), 300u);

  CalcTokenList assigned;
  assigned.Append(kTokName, std::string(64, 'x'));
  assigned = std::move(moved);
  EXPECT_EQ(assigned.Count(), 300u);
  EXPECT_TRUE(assigned.At(299)->Is(kTokOpen));
  EXPECT_TRUE(moved.Empty());
  ASSERT_EQ(moved.Append(kTokClose), kDone);  // a moved-from list is usable
  EXPECT_EQ(Kinds(moved), std::vector<int>{kTokClose});
}

TEST_F(TokenListTest, RunningOutOfMemoryIsReportedAndKeepsTheTokensMadeSoFar) {
  CalcContext ctx;
  const std::string text = "alpha_long_enough_to_allocate + beta_long_enough_to_allocate * 3";
  CalcTokenList full;
  ASSERT_EQ(Tokenize(ctx, text, true, full), kDone);
  bool failed = false, succeeded = false;
  for (long budget = 0; budget < 200 && !succeeded; ++budget) {
    CalcTokenList list;
    g_allocations_left = budget;
    const int status = Tokenize(ctx, text, true, list);
    g_allocations_left = -1;
    succeeded = status == kDone;
    failed = failed || status == E_MEM;
    ASSERT_TRUE(status == kDone || status == E_MEM);
    ASSERT_LE(list.Count(), full.Count());
    for (std::size_t i = 0; i < list.Count(); ++i)  // a prefix of the full result
      EXPECT_EQ(list.At(i)->text(), full.At(i)->text()) << budget;
  }
  EXPECT_TRUE(failed && succeeded);

  CalcTokenList copy;
  const TokenPayload long_name = std::string(64, 'n');
  g_allocations_left = 1;
  EXPECT_EQ(full.CopyTo(copy), E_MEM);
  g_allocations_left = 0;
  EXPECT_EQ(copy.Append(kTokName, long_name), E_MEM);
  EXPECT_EQ(copy.InsertBefore(copy.begin(), kTokClose), E_MEM);
  g_allocations_left = -1;
  EXPECT_TRUE(copy.Empty());
}

}  // namespace
}  // namespace calc
