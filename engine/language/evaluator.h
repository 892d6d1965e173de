// The expression evaluator. The grouping pass has already made precedence
// explicit with parentheses, so evaluation is strictly left to right: every
// operator applies to the accumulated result on its left and exactly one
// operand on its right, and a parenthesised group counts as one operand.
//
// The evaluator walks one token list with a position of its own: the list is
// only read, so engines that run the same statement at once, as a recursive
// function does, never disturb each other, and a statement compiled once
// gives each run the answer of that run's mode and radix. It keeps the state of
// one expression: the parenthesis depth, the top-level assignment
// flag, the last assignable operand (CalcLvalueRef) and the queue of postfix
// increments and decrements, which run after the whole expression.
//
// Every failure records the offending token (a copy, so that the report can
// render it after the list is gone) and returns its code; warnings are
// reported at once through the engine and evaluation goes on.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/token.h"
#include "core/value.h"
#include "core/matrix.h"
#include "language/evaluator_services.h"
#include "language/scalar_plan.h"
#include "language/variables.h"

namespace calc {

class CalcEngine;

// The last assignable operand: where "=", the compound assignments and the
// increments store.
struct CalcLvalueRef {
  enum Kind : std::uint8_t { kNone, kVariableCode, kVariableName, kArrayCode, kArrayName };

  Kind kind = kNone;
  std::uint8_t code = 0;  // by code
  // By name: the name token's text, valid while its list lives (a queued
  // postfix operation keeps a copy of its own).
  std::string_view name;
  // Evaluated subscripts, non-negative, ended by -1.
  std::int32_t subscripts[kMaxArraySubscripts + 1] = {-1};
  int subscript_count = 0;
  // The operand's token, for reports; valid while its list lives.
  const CalcToken* token = nullptr;

  std::span<const std::int32_t> Subscripts() const { return {subscripts, static_cast<std::size_t>(subscript_count)}; }
  void Clear() {
    kind = kNone;
    subscript_count = 0;
    subscripts[0] = -1;
    token = nullptr;
  }
};

// A postfix "++" or "--" waiting for the end of the expression.
struct CalcPostOp {
  int delta = 1;
  CalcLvalueRef target;  // its name is set from `name` when the operation runs
  std::string name;      // outlives a brace list the target was read from
  CalcToken op;          // the operator, for reports
};

class CalcEvaluator {
 public:
  // Deepest nesting of operands: parentheses, prefix operators, computed
  // codes, subscripts and branch operands each count one level. Beyond it the
  // operand fails with E_MEM: the expression is well formed, but evaluating
  // it would take more stack than the engine allows itself, which is the same
  // condition as memory that is not available. (E_OPERATOR would tell the
  // user that the expression is malformed, which it is not.) 256 levels hold
  // every text the converter accepts (255 characters) and stay far below the
  // 1 MB stack of a Windows program.
  static constexpr int kMaxNesting = 256;
  // Deepest nesting through function calls: each call continues its
  // caller's count (see CalcEngine::kCallNesting), so recursion is bounded by
  // the stack it takes, like any other nesting. One level takes about 450
  // bytes of stack in a 64-bit build and 380 in the 32-bit Windows build
  // (900 with the sanitizers), so 2048 levels stay below 1 MB, the smallest
  // stack a Windows program is given. A function that calls itself in a
  // "return" passes about 400 levels of recursion.
  static constexpr int kMaxCallNesting = 2048;

  // `services` is the engine's side (normally `engine` itself); the context
  // and storage are those the engine runs on, and must outlive the evaluator.
  CalcEvaluator(CalcEngine& engine, CalcEvaluatorServices& services, CalcContext& context, CalcStorage& storage)
      : engine_(engine), services_(services), context_(context), storage_(storage) {}
  CalcEvaluator(const CalcEvaluator&) = delete;
  CalcEvaluator& operator=(const CalcEvaluator&) = delete;

  // --- whole expressions ---

  // Evaluates the statement `tokens` from its first token as one top-level
  // group. `result` holds the starting value (the previous answer) on entry
  // and the value on exit. Clears the depth, the assignment flag and the
  // postfix queue first; does not apply the queue (ApplyPostOps does).
  // `plans`, built from `tokens`, run the groups they cover. Returns 0, 4 (a
  // statement or command ran: no value) or an error.
  int EvaluateStatement(const CalcTokenList& tokens, CalcMatrix& result, const CalcScalarPlans* plans = nullptr);
  // Applies the queued postfix operations in order and empties the queue.
  // 0, or the first error (the others still run).
  int ApplyPostOps() { return post_ops_.empty() ? 0 : RunPostOps(); }
  // Hands a statement to the brace list being collected; once the braces
  // balance, fills the array, and text after the closing brace continues with
  // the array as its left operand. 4 while collecting or when nothing
  // follows, 0 with a value, or an error.
  int ContinueBraceList(const CalcTokenList& tokens, CalcMatrix& result);

  // --- the three operations of the evaluator ---

  // Pairs of operator and operand until the end of the list or a ")" (which
  // is consumed). `result` holds the left operand on entry.
  int EvaluateGroup(CalcMatrix& result);
  // Exactly one operand: a primary, a prefix operator with its operand or a
  // parenthesised group. Records it in the lvalue when it is assignable.
  int EvaluateOperand(CalcMatrix& result);
  // Moves the cursor over exactly one operand without evaluating it.
  int SkipOperand();

  // --- the token walk ---

  const CalcTokenList* list() const { return list_; }
  // The token the walk reads next, or null at the end.
  const CalcToken* Peek() const;
  // Takes the next token; null at the end.
  const CalcToken* Take();
  CalcTokenList::const_iterator Position() const { return pos_; }
  // Any position of the current list (its end finishes the walk).
  void SetPosition(CalcTokenList::const_iterator pos) { pos_ = pos; }
  // True when the token can start an operand: kinds whose low five bits are at
  // most 11, except the operators that only follow an operand (ids >= 6).
  static bool CanBeginOperand(const CalcToken& token);
  bool NextCanBeginOperand() const;

  // A computed code ("@:" and "@@:"): the next operand, truncated toward
  // zero, its low eight bits.
  int ReadComputedCode(std::uint8_t& code);

  // Evaluates one operand of another list (a brace list, a declaration's
  // argument) from `pos`, leaving `pos` after it.
  int EvaluateOperandAt(const CalcTokenList& list, CalcTokenList::const_iterator& pos, CalcMatrix& result);

  // --- scalar plans (see scalar_plan.h) ---

  // Evaluates a plan without changing anything: its value, and the variable
  // slot of its target (-1 without one). False when the plan does not apply
  // now, and the general walk must run its group.
  bool ComputeScalarPlan(const CalcScalarPlan& plan, double& value, int& target);
  // Stores a computed plan's value into its target, as "=" would.
  void StoreScalarTarget(const CalcScalarPlan& plan, double value, int target);

  // --- state the operators and statements use ---

  // The engine that runs this evaluator, for the operators and built-ins,
  // which sit above it; the evaluator itself reaches it only through
  // services().
  CalcEngine& engine() { return engine_; }
  CalcEvaluatorServices& services() { return services_; }
  int depth() const { return paren_depth_; }
  // Operand nesting now: the levels of EvaluateOperand in progress, plus the
  // level this evaluator started from.
  int nesting() const { return nesting_; }
  // Where an evaluator made for a function call starts: its caller's nesting
  // and the call's own cost. One expression may still nest kMaxNesting levels
  // from there, and all of them together kMaxCallNesting. Only between
  // evaluations.
  void set_nesting(int level) { nesting_ = nesting_base_ = level; }
  bool top_level_assignment() const { return top_level_assignment_; }
  void set_top_level_assignment(bool on) { top_level_assignment_ = on; }
  CalcLvalueRef& lvalue() { return lvalue_; }

  // Queues a postfix operation on the current lvalue; E_LVALUE without one.
  int QueuePostOp(int delta, const CalcToken& op);
  // The current value of an assignable target (its first element).
  int ReadTarget(const CalcLvalueRef& target, CalcValue& out);
  // Stores into a target: a variable takes the first element, an array
  // element likewise, a whole array the matrix. E_LVALUE for no target, E_ASS
  // for a constant, E_ARRAY or E_MEM from the array table.
  int Store(const CalcLvalueRef& target, const CalcMatrix& value, const CalcToken* op);

  // Fits every element to the current mode, reporting W_OVERFLOW and
  // W_UNDERFLOW (a single value without text, an array element with its
  // unnarrowed value written "%.0f").
  void Normalize(CalcMatrix& m);
  void Normalize(CalcValue& v);

  // Records the offending token (null: the token before the cursor, if any)
  // and returns the code.
  int Fail(int code, const CalcToken* token);
  // Reports a warning at once; evaluation goes on.
  void Warn(int code, const CalcToken* token);

  // The offending token of the last failure.
  const CalcToken* offending_token() const { return has_offender_ ? &offender_ : nullptr; }
  void ClearOffender() { has_offender_ = false; }

 private:
  friend class TokenListScope;

  int RunPostOps();
  int EvaluateParenthesisedGroup(CalcMatrix& result);
  int GroupHead(CalcMatrix& result, bool& group_done);
  [[gnu::noinline]] int NumberPair(CalcMatrix& result, bool& group_done);
  int GroupLoop(CalcMatrix& result);
  int RunOperator(const CalcToken& op, CalcMatrix& result);

  int ReadVariable(const CalcToken& token, std::uint8_t code, CalcLvalueRef::Kind kind, CalcMatrix& result);
  int ReadArray(const CalcToken& token, std::uint8_t code, CalcLvalueRef::Kind kind, CalcMatrix& result);
  int ReadSubscripts(CalcLvalueRef& ref);
  int ReadIdentifier(const CalcToken& token, CalcMatrix& result);
  // Runs the scalar plan of the group that starts at `first`, if the list
  // has one, in place of the general walk over the group: the value, the
  // store of its target, the position after the group. False, with nothing
  // changed, when there is no plan or it does not apply (see scalar_plan.h).
  bool RunScalarPlan(const CalcToken* first, CalcMatrix& result);
  bool ReadScalar(const CalcScalarStep& step, double& x);
  int ScalarVariableSlot(const CalcToken& token, CalcNameCache& cache);
  // The slot a name token names: a variable first, then an array; -1 for
  // none. Remembers its answer in the token and checks it on the next fetch.
  int ResolveName(const CalcToken& token, bool& is_array);
  // The slot of a target by name: the code it had when it was read, while
  // that slot still carries the name, else a fresh search.
  int TargetCode(const CalcLvalueRef& target) const;
  int FillFromBraces(std::uint8_t code, bool by_code, CalcMatrix& result);
  int CollectBraces(CalcBraceList& braces, bool& balanced);
  int FillArray(CalcBraceList& braces);
  void SkipToMatchingClose();

  CalcEngine& engine_;
  CalcEvaluatorServices& services_;
  CalcContext& context_;
  CalcStorage& storage_;
  const CalcTokenList* list_ = nullptr;
  CalcTokenList::const_iterator pos_;  // in *list_ while list_ is set
  const CalcScalarPlans* plans_ = nullptr;  // of *list_, when it has them
  int paren_depth_ = 0;
  int nesting_ = 0;
  int nesting_base_ = 0;
  bool top_level_assignment_ = false;
  CalcLvalueRef lvalue_;
  std::vector<CalcPostOp> post_ops_;
  CalcToken offender_;
  bool has_offender_ = false;
  bool filling_braces_ = false;
};

// Puts the evaluator on another token list, from its first token, for the
// life of the scope, and restores the previous list and position afterwards.
class TokenListScope {
 public:
  TokenListScope(CalcEvaluator& evaluator, const CalcTokenList& list);
  ~TokenListScope();
  TokenListScope(const TokenListScope&) = delete;
  TokenListScope& operator=(const TokenListScope&) = delete;

 private:
  CalcEvaluator& evaluator_;
  const CalcTokenList* saved_list_;
  CalcTokenList::const_iterator saved_pos_;
  const CalcScalarPlans* saved_plans_;
  bool had_list_;
};

// True when a value counts as zero: complex with both parts 0, a fraction
// with numerator 0, a time of 0 seconds.
bool IsZeroValue(const CalcValue& v);
// The truth of a condition: a result that is not 1 x 1 counts as non-zero.
bool IsTrue(const CalcMatrix& m);
// The stored first element of `m` when First() would return an identical
// copy of it: it is stored in the current kind and is no time (a time's copy
// follows the current fps). Null otherwise, and the caller reads First().
// Scalar operands pass here several times per operator, so the copy counts.
inline const CalcValue* FirstAsStored(const CalcMatrix& m) {
  if (m.count() < 1) return nullptr;
  const CalcValue& first = m.At(0);
  if (first.kind() != Numeric().current_kind || first.kind() == kKindTime) return nullptr;
  return &first;
}
// m.First().ToReal(), without the copy where FirstAsStored allows it.
double FirstReal(const CalcMatrix& m);
// A matrix holding one value.
void SetScalar(CalcMatrix& m, const CalcValue& v);
// A matrix holding the complex number z in the complex kind.
void SetScalarComplex(CalcMatrix& m, const CalcComplex& z);
void SetScalarReal(CalcMatrix& m, double x);

// The built-in function dispatcher: calls the function of the token with the
// operands that follow it through the engine's library (E_FUNCTION when the
// engine has none).
int CallBuiltinFunction(CalcEvaluator& evaluator, const CalcToken& function, CalcMatrix& result);

}  // namespace calc
