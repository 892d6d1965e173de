// Scalar plans: a replayed statement's purely arithmetic groups, compiled to a
// postfix program over real numbers.
//
// Loops replay the same statements many times, and most loop statements are
// small sums, products and comparisons of plain variables and numbers. The
// evaluator's general walk passes every operand through a matrix, an lvalue
// and an operator handler; a plan does the same arithmetic on doubles. It is
// taken only where that gives exactly the general walk's answer:
//   - in the float modes (every value is a complex whose imaginary part each
//     step drops), with every operand in the complex kind;
//   - with the operators * / % + - < <= > >= == != between operands that are
//     numbers, variables or parenthesised groups of the same;
//   - for a whole statement, also "target = operand", the target a variable.
// Anything else at run time (a name that is no variable, an array, a constant
// target, a division by zero, which warns) makes the plan decline before it
// has changed anything, and the general walk runs the group as always.
//
// A plan points into the token list it was built from and is valid while that
// list lives unchanged; CalcLine keeps both together.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "core/token.h"

namespace calc {

// Where a name was last found: its variable slot while the variable table's
// names are those of `generation` (see CalcNameTable::generation).
struct CalcNameCache {
  std::uint64_t generation = 0;
  std::uint8_t slot = 0;  // 0: not found yet
};

struct CalcScalarStep {
  enum Kind : std::uint8_t {
    kConstant,  // a number in the complex kind: `constant`
    kVariable,  // a variable by code: `code`
    kOperand,   // a name, or a number of another kind: read from `token`
    kOperator,  // `code` is the operator
  };
  Kind kind = kOperand;
  std::uint8_t code = 0;
  const CalcToken* token = nullptr;
  double constant = 0.0;
  mutable CalcNameCache name;  // kOperand with a name token
};

struct CalcScalarPlan {
  // The group's first token: the statement's first, or the one after a "(".
  const CalcToken* key = nullptr;
  std::vector<CalcScalarStep> steps;  // postfix
  // "target = ...": the variable or name token assigned, else null.
  const CalcToken* target = nullptr;
  mutable CalcNameCache target_name;
  // Where the walk goes on: after the group's ")", or the list's end.
  CalcTokenList::const_iterator after;
  bool ends_list = false;
  // The deepest operand stack the steps use; also the nesting they stand for.
  int depth = 0;
  // For a statement plan, what the top-level operators leave in the
  // evaluator's assignment flag: -1 unchanged, 0 cleared, 1 set.
  std::int8_t top_level_assignment = -1;
};

// The plans of one statement, sorted by key.
class CalcScalarPlans {
 public:
  // Deepest operand stack a plan may use.
  static constexpr int kMaxDepth = 16;
  // Longest group (in tokens) worth a plan.
  static constexpr int kMaxGroupTokens = 96;

  // Plans the statement itself when it qualifies, else each outermost group
  // inside it that does. Never fails: without memory there are just no plans.
  void Build(CalcTokenList& tokens);
  void Clear() { plans_.reset(); }
  bool Empty() const { return plans_ == nullptr; }
  std::size_t Count() const { return plans_ != nullptr ? plans_->size() : 0; }

  // The plan of the group that starts at `first`, or null.
  const CalcScalarPlan* Find(const CalcToken* first) const {
    if (plans_ == nullptr) return nullptr;
    if (plans_->size() == 1) return plans_->front().key == first ? &plans_->front() : nullptr;
    return Search(first);
  }

 private:
  const CalcScalarPlan* Search(const CalcToken* first) const;

  // Null without plans: every statement has a set, and most have none.
  std::unique_ptr<std::vector<CalcScalarPlan>> plans_;
};

}  // namespace calc
