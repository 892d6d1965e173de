#include "core/grouping.h"

#include <iterator>
#include <new>

#include "core/keywords.h"
#include "core/status_codes.h"
#include "core/tokenizer.h"

namespace calc {
namespace {

struct LevelRow {
  OperatorCode code;
  std::uint8_t level;
};

// ORDER OperatorCode: one row per code.
constexpr LevelRow kLevels[] = {
    {kOpPreIncrement, 14},      // [++]
    {kOpPreDecrement, 14},      // [--]
    {kOpBitNot, 14},            // [~]
    {kOpLogicalNot, 14},        // [!]
    {kOpNegate, 14},            // [-]
    {kOpPlus, 14},              // [+]
    {kOpPostIncrement, 15},     // ++
    {kOpPostDecrement, 15},     // --
    {kOpMultiply, 13},          // *
    {kOpDivide, 13},            // /
    {kOpRemainder, 13},         // %
    {kOpAdd, 12},               // +
    {kOpSubtract, 12},          // -
    {kOpShiftLeft, 11},         // <<
    {kOpShiftRight, 11},        // >>
    {kOpLess, 10},              // <
    {kOpLessEqual, 10},         // <=
    {kOpGreater, 10},           // >
    {kOpGreaterEqual, 10},      // >=
    {kOpEqual, 9},              // ==
    {kOpNotEqual, 9},           // !=
    {kOpBitAnd, 8},             // &
    {kOpBitXor, 7},             // ^
    {kOpBitOr, 6},              // |
    {kOpLogicalAnd, 5},         // &&
    {kOpLogicalOr, 4},          // ||
    {kOpConditional, 3},        // ?
    {kOpAssign, 2},             // =
    {kOpMultiplyAssign, 2},     // *=
    {kOpDivideAssign, 2},       // /=
    {kOpRemainderAssign, 2},    // %=
    {kOpAddAssign, 2},          // +=
    {kOpSubtractAssign, 2},     // -=
    {kOpShiftLeftAssign, 2},    // <<=
    {kOpShiftRightAssign, 2},   // >>=
    {kOpAndAssign, 2},          // &=
    {kOpOrAssign, 2},           // |=
    {kOpXorAssign, 2},          // ^=
    {kOpComma, 1},              // ,
};
static_assert(std::size(kLevels) == kOperatorCount);

constexpr bool RowsFollowCodes() {
  for (std::size_t i = 0; i < std::size(kLevels); ++i)
    if (kLevels[i].code != i) return false;
  return true;
}
static_assert(RowsFollowCodes());

// The level of an operator token, 0 for any other token.
int LevelOf(const CalcToken& token) {
  return token.kind() == kTokOperator ? OperatorLevel(token.code()) : 0;
}

using Iter = CalcTokenList::iterator;

// Makes the operator at `op` bind before whatever precedes it, where needed.
int GroupOperator(CalcTokenList& list, Iter op) {
  const int level = LevelOf(*op);

  // Backward: find the nearest operator at this depth that binds looser (or an
  // assignment before an assignment, which groups to the right).
  Iter looser = list.end();
  int depth = 0;
  for (Iter it = op; looser == list.end() && it != list.begin();) {
    --it;
    const std::uint8_t kind = it->kind();
    if (kind == kTokClose) {
      ++depth;
    } else if (kind == kTokOpen) {
      if (depth == 0) return kDone;  // the operand starts at this parenthesis
      --depth;
    } else if (kind == kTokStatement) {  // the keyword's expression starts right after it
      return list.InsertBefore(std::next(it), kTokOpen);
    } else if (kind == kTokOperator && depth == 0) {
      const int other = LevelOf(*it);
      if (other != 0 && (other < level || (other == kAssignmentLevel && level == kAssignmentLevel)))
        looser = it;
    }
  }
  if (looser == list.end()) return kDone;  // start of the line: left to right is right

  // Forward: the group ends before the parenthesis that closes this depth, or
  // before the first operator at this depth that binds no tighter than
  // `looser`. After an assignment only a looser operator ends it: a further
  // assignment belongs inside, so that a=b=c=d reads a=(b=(c=d)) and
  // a=b+c=d reads a=((b+c)=d).
  const int bound = LevelOf(*looser);
  const bool right_to_left = bound == kAssignmentLevel;
  Iter stop = list.end();
  depth = 0;
  for (Iter it = std::next(op); it != list.end(); ++it) {
    if (it->kind() == kTokOpen) {
      ++depth;
    } else if (it->kind() == kTokClose) {
      if (depth == 0) {
        stop = it;
        break;
      }
      --depth;
    } else if (depth == 0 && it->kind() == kTokOperator) {
      const int other = LevelOf(*it);
      if (other != 0 && (other < bound || (other == bound && !right_to_left))) {
        stop = it;
        break;
      }
    }
  }

  const int status = list.InsertBefore(std::next(looser), kTokOpen);
  if (status != kDone || stop == list.end()) return status;
  return list.InsertBefore(stop, kTokClose);
}

// Opens every unmatched ")" at the front and closes every unmatched "(" at the end.
int BalanceParentheses(CalcTokenList& list) {
  int depth = 0;
  for (Iter it = list.begin(); it != list.end(); ++it) {
    if (it->kind() == kTokOpen) {
      ++depth;
    } else if (it->kind() == kTokClose) {
      if (depth > 0) {
        --depth;
      } else if (const int status = list.InsertBefore(list.begin(), kTokOpen); status != kDone) {
        return status;
      }
    }
  }
  for (; depth > 0; --depth)
    if (const int status = list.Append(kTokClose); status != kDone) return status;
  return kDone;
}

}  // namespace

int OperatorLevel(int code) {
  return code >= 0 && code < kOperatorCount ? kLevels[code].level : 0;
}

int GroupTokens(CalcTokenList& list) {
  int status = kDone;
  try {
    for (Iter it = list.begin(); it != list.end() && status == kDone; ++it)
      if (LevelOf(*it) != 0) status = GroupOperator(list, it);
    if (status == kDone) status = BalanceParentheses(list);
  } catch (const std::bad_alloc&) {
    status = E_MEM;
  }
  list.Rewind();  // a parenthesis may have been put in front
  return status;
}

int TokenizeAndGroup(const CalcContext& ctx, std::string_view text, bool parse_numbers, CalcTokenList& list) {
  const NumericScope numeric(ctx.numeric());
  const int status = Tokenize(ctx, text, parse_numbers, list);
  return status != kDone ? status : GroupTokens(list);
}

}  // namespace calc
