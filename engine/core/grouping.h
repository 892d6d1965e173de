// The grouping pass: inserts parentheses so that operator precedence is
// explicit, because the evaluator applies operators strictly left to right.
// 1+2*3 becomes 1+(2*3), a=b=1 becomes a=(b=1), and "if x<1" becomes
// "if (x<1)". Unbalanced parentheses are completed at the ends of the line.
#pragma once

#include <string_view>

#include "core/context.h"
#include "core/token.h"

namespace calc {

// Operator levels, highest first: 15 postfix ++ --, 14 prefix and unary,
// 13 * / %, 12 + -, 11 << >>, 10 < <= > >=, 9 == !=, 8 &, 7 ^, 6 |, 5 &&,
// 4 ||, 3 ?, 2 assignments, 1 ",".
constexpr int kAssignmentLevel = 2;

// The level of an operator code; 0 for a code outside the operator table.
int OperatorLevel(int code);

// Groups the list in place, without recursion, in time linear in the number
// of tokens. A line with an unmatched ")", or with a statement keyword that is
// not the start of its parenthesis or that follows a grouped operator, takes
// time quadratic in its length. 0, or E_MEM (the list may then be partly
// grouped).
int GroupTokens(CalcTokenList& list);

// Tokenize, then, when that succeeded, GroupTokens.
int TokenizeAndGroup(const CalcContext& ctx, std::string_view text, bool parse_numbers, CalcTokenList& list);

}  // namespace calc
