// The grouping pass runs in one walk over the line. These tests hold it to
// the plain definition of the pass, written here as the obvious scans (for
// every operator, a scan back for the operator that binds looser and a scan
// forward for the end of its group), on random token sequences that include
// unbalanced parentheses, keywords in odd places and every operator; and
// they check that very long lines group.
#include <gtest/gtest.h>

#include <iterator>
#include <random>
#include <string>

#include "core/context.h"
#include "core/grouping.h"
#include "core/keywords.h"
#include "core/status_codes.h"
#include "core/token.h"

namespace calc {
namespace {

using Iter = CalcTokenList::iterator;

int LevelOf(const CalcToken& token) { return token.kind() == kTokOperator ? OperatorLevel(token.code()) : 0; }

// The definition: each operator, left to right, is grouped against the text
// as grouped so far.
void GroupByScans(CalcTokenList& list) {
  for (Iter op = list.begin(); op != list.end(); ++op) {
    const int level = LevelOf(*op);
    if (level == 0) continue;
    Iter looser = list.end();
    bool done = false;
    int depth = 0;
    for (Iter it = op; !done && looser == list.end() && it != list.begin();) {
      --it;
      if (it->Is(kTokClose)) {
        ++depth;
      } else if (it->Is(kTokOpen)) {
        if (depth == 0) done = true;
        else --depth;
      } else if (it->Is(kTokStatement)) {
        list.InsertBefore(std::next(it), kTokOpen);
        done = true;
      } else if (depth == 0 && LevelOf(*it) != 0) {
        const int other = LevelOf(*it);
        if (other < level || (other == kAssignmentLevel && level == kAssignmentLevel)) looser = it;
      }
    }
    if (done || looser == list.end()) continue;
    const int bound = LevelOf(*looser);
    Iter stop = list.end();
    depth = 0;
    for (Iter it = std::next(op); it != list.end(); ++it) {
      if (it->Is(kTokOpen)) {
        ++depth;
      } else if (it->Is(kTokClose)) {
        if (depth-- == 0) {
          stop = it;
          break;
        }
      } else if (depth == 0 && LevelOf(*it) != 0) {
        const int other = LevelOf(*it);
        if (other < bound || (other == bound && bound != kAssignmentLevel)) {
          stop = it;
          break;
        }
      }
    }
    list.InsertBefore(std::next(looser), kTokOpen);
    if (stop != list.end()) list.InsertBefore(stop, kTokClose);
  }
  int depth = 0;
  for (Iter it = list.begin(); it != list.end(); ++it) {
    if (it->Is(kTokOpen)) ++depth;
    else if (it->Is(kTokClose) && depth > 0) --depth;
    else if (it->Is(kTokClose)) list.InsertBefore(list.begin(), kTokOpen);
  }
  for (; depth > 0; --depth) list.Append(kTokClose);
}

std::string Spell(const CalcTokenList& list) {
  std::string out;
  for (const CalcToken& token : list) {
    if (token.Is(kTokOpen)) out += "( ";
    else if (token.Is(kTokClose)) out += ") ";
    else if (token.Is(kTokOperator)) out += std::string(OperatorForm(token.code())) + ' ';
    else if (token.Is(kTokStatement)) out += "if ";
    else out += "x ";
  }
  return out;
}

// A random line: operands, parentheses (not always balanced), "if" anywhere
// (mostly first) and operators of every level.
void RandomLine(std::mt19937& rng, int length, CalcTokenList& a, CalcTokenList& b) {
  std::uniform_int_distribution<int> pick(0, 99);
  std::uniform_int_distribution<int> op(0, kOperatorCount - 1);
  std::uniform_int_distribution<int> assignment(kOpAssign, kOpXorAssign);
  const bool balanced = pick(rng) < 70;
  int open = 0;
  for (int i = 0; i < length; ++i) {
    const int r = pick(rng);
    CalcToken token;
    if (r < 3 || (i == 0 && r < 30)) {
      token = CalcToken(kTokStatement, std::uint8_t{kStIf});
      if (i != 0 && balanced && r != 0) continue;
    } else if (r < 35) {
      token = CalcToken(kTokNumber, CalcValue::FromReal(i));
    } else if (r < 47) {
      token = CalcToken(kTokOpen, {});
      ++open;
    } else if (r < 59) {
      if (balanced && open == 0) continue;
      token = CalcToken(kTokClose, {});
      --open;
    } else if (r < 67) {
      token = CalcToken(kTokOperator, static_cast<std::uint8_t>(assignment(rng)));
    } else {
      token = CalcToken(kTokOperator, static_cast<std::uint8_t>(op(rng)));
    }
    a.Append(token);
    b.Append(token);
  }
}

TEST(GroupingScanTest, OneWalkGroupsExactlyAsTheScans) {
  std::mt19937 rng(20261207);
  for (int round = 0; round < 20000; ++round) {
    CalcTokenList walked;
    CalcTokenList scanned;
    RandomLine(rng, 1 + round % 40, walked, scanned);
    const std::string before = Spell(walked);
    ASSERT_EQ(GroupTokens(walked), kDone);
    GroupByScans(scanned);
    ASSERT_EQ(Spell(walked), Spell(scanned)) << "line: " << before;
  }
}

// Long lines group in one walk; the scans took seconds at 40,000 terms. A
// sum with products inserts a pair per product, a chain of prefix operators
// none, a chain of assignments a pair per assignment after the first.
TEST(GroupingScanTest, VeryLongLinesGroup) {
  constexpr int kTerms = 200000;
  const auto count = [](const CalcTokenList& list, std::uint8_t kind) {
    int n = 0;
    for (const CalcToken& token : list) n += token.Is(kind) ? 1 : 0;
    return n;
  };
  CalcTokenList sum;
  CalcTokenList nots;
  CalcTokenList assignments;
  for (int i = 0; i < kTerms; ++i) {
    if (i > 0) sum.Append(kTokOperator, std::uint8_t{kOpAdd});
    sum.AppendNumber(CalcValue::FromReal(2));
    if (i % 2 == 1) {
      sum.Append(kTokOperator, std::uint8_t{kOpMultiply});
      sum.AppendNumber(CalcValue::FromReal(3));
    }
    nots.Append(kTokOperator, std::uint8_t{kOpLogicalNot});
    assignments.Append(kTokVariable, std::uint8_t{'a'});
    assignments.Append(kTokOperator, std::uint8_t{kOpAssign});
  }
  nots.AppendNumber(CalcValue::FromReal(0));
  assignments.AppendNumber(CalcValue::FromReal(7));

  ASSERT_EQ(GroupTokens(sum), kDone);
  EXPECT_EQ(count(sum, kTokOpen), kTerms / 2);
  EXPECT_EQ(count(sum, kTokClose), kTerms / 2);
  ASSERT_EQ(GroupTokens(nots), kDone);
  EXPECT_EQ(count(nots, kTokOpen), 0);
  ASSERT_EQ(GroupTokens(assignments), kDone);
  EXPECT_EQ(count(assignments, kTokOpen), kTerms - 1);
  EXPECT_EQ(count(assignments, kTokClose), kTerms - 1);
}

}  // namespace
}  // namespace calc
