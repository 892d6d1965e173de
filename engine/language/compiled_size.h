// What compiled lines take in memory, for the run budget: the text of a line
// is small, but its compiled form is many times larger (a token per character
// at worst), so the budget is asked before a line is compiled and charged
// what the statements really took afterwards.
#pragma once

#include <cstddef>
#include <string_view>

#include "language/line_runner.h"

namespace calc {

// About the most one physical line takes once compiled: a token per
// character of its statements (grouping adds parentheses, but a character
// rarely makes a token of its own), the statements and the comment they
// share.
std::size_t CompiledSizeEstimate(std::string_view physical_line);

// What one statement takes: the statement, its tokens, what they own
// and its comment (counted whole, as if the statement were the comment's only
// holder: a recorded statement may outlive the rest of its line).
std::size_t CompiledSize(const CalcLine& line);

// What statements [from, end) of `lines` take: the statements, their tokens,
// what the tokens own and the comments, each shared comment once.
std::size_t CompiledSize(const CalcLineList& lines, std::size_t from = 0);

}  // namespace calc
