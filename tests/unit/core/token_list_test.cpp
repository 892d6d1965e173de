// Token lists: payload ownership by kind, insertion and removal, the cursor,
// deep copies, and running out of memory.
#include <gtest/gtest.h>

#include <cstdlib>
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
  EXPECT_EQ(list.At(1)->number()->ToReal(), 2.5);
  EXPECT_EQ(list.At(2)->matrix()->First().ToReal(), 7.0);
  EXPECT_TRUE(std::holds_alternative<std::monostate>(list.At(3)->payload()));
  EXPECT_TRUE(list.At(4)->Is(kTokOperator, 0));
  ASSERT_NE(list.At(5)->matrix(), nullptr);
  EXPECT_EQ(list.At(5)->matrix()->count(), 1);
  EXPECT_TRUE(std::holds_alternative<std::string>(list.At(6)->payload()));
  EXPECT_EQ(list.At(6)->text(), "");
  EXPECT_TRUE(std::holds_alternative<std::monostate>(list.At(7)->payload()));
  EXPECT_TRUE(list.At(8)->Is(kTokStatement, 0));
  EXPECT_TRUE(std::holds_alternative<std::uint8_t>(list.At(8)->payload()));
  EXPECT_TRUE(list.At(9)->Is(kTokOperator, kOpAdd));
  EXPECT_EQ(list.At(10), nullptr);
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

TEST_F(TokenListTest, TheCursorWalksInOrderAndSkipsARemovedToken) {
  CalcTokenList list;
  list.Append(kTokName, std::string("x"));
  list.Append(kTokOperator, std::uint8_t{kOpAssign});
  list.AppendNumber(CalcValue::FromReal(4));
  std::uint8_t kind = 255;
  const TokenPayload* payload = nullptr;
  list.Rewind();
  ASSERT_TRUE(list.Next(kind, payload));
  EXPECT_EQ(kind, kTokName);
  EXPECT_EQ(std::get<std::string>(*payload), "x");
  ASSERT_EQ(list.RemoveAt(1), kDone);  // the cursor's token
  ASSERT_TRUE(list.Next(kind, payload));
  EXPECT_EQ(std::get<CalcValue>(*payload).ToReal(), 4.0);
  EXPECT_FALSE(list.Next(kind, payload));
  list.Clear();
  list.Rewind();
  EXPECT_EQ(list.Next(), nullptr);
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
  EXPECT_EQ(copy.Next()->number()->ToReal(), 12.0);  // a copy starts rewound
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
  list.SetCursor(list.IteratorAt(299));
  CalcTokenList moved(std::move(list));
  EXPECT_TRUE(list.Empty());
  EXPECT_EQ(list.Next(), nullptr);
  ASSERT_EQ(moved.Count(), 300u);
  std::size_t i = 0;
  for (const CalcToken& token : moved) EXPECT_EQ(&token, places[i++]);
  EXPECT_EQ(moved.Next(), places[299]);
  EXPECT_EQ(moved.Next(), nullptr);  // the cursor's end is the new list's

  // Removing and inserting around a held position leaves it valid.
  moved.Erase(std::prev(held));
  ASSERT_EQ(moved.InsertBefore(std::next(held), kTokClose), kDone);
  EXPECT_EQ(held->number()->ToReal(), 150.0);
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
