#include "language/scalar_plan.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <new>

#include "core/keywords.h"
#include "core/modes.h"
#include "language/evaluator.h"

namespace calc {
namespace {

// The code character of a computed code ("@:"), which reads an operand.
constexpr std::uint8_t kComputedCode = ':';

bool IsPlannedOperator(const CalcToken& token) {
  if (token.kind() != kTokOperator) return false;
  switch (token.code()) {
    case kOpMultiply:
    case kOpDivide:
    case kOpRemainder:
    case kOpAdd:
    case kOpSubtract:
    case kOpLess:
    case kOpLessEqual:
    case kOpGreater:
    case kOpGreaterEqual:
    case kOpEqual:
    case kOpNotEqual:
      return true;
    default:
      return false;
  }
}

// A number, a variable by code (not the answer, not a computed code) or a
// name, which must turn out to be a variable when the plan runs.
bool IsPlannedValue(const CalcToken& token) {
  switch (token.kind()) {
    case kTokNumber:
    case kTokName:
      return true;
    case kTokVariable:
      return token.code() != 0 && token.code() != kComputedCode;
    default:
      return false;
  }
}

// The step that reads a value token: numbers in the complex kind and
// variables by code are resolved now; names and other numbers when the plan
// runs (a name may turn out to be a number, or a variable, or neither).
CalcScalarStep ValueStep(const CalcToken& token) {
  CalcScalarStep step;
  step.token = &token;
  if (token.kind() == kTokVariable) {
    step.kind = CalcScalarStep::kVariable;
    step.code = token.code();
  } else if (CalcComplex number; token.ComplexNumber(number)) {
    step.kind = CalcScalarStep::kConstant;
    step.constant = number.re;  // the float modes drop the imaginary part
  }
  return step;
}

// Reads one group of the statement, a slice of `tokens` whose parentheses
// `close` matches, into postfix steps.
class PlanReader {
 public:
  PlanReader(const std::vector<CalcTokenList::iterator>& tokens, const std::vector<std::size_t>& close,
             CalcScalarPlan& plan)
      : tokens_(tokens), close_(close), plan_(plan) {}

  // operand (operator operand)* exactly filling [i, end).
  bool Sequence(std::size_t i, std::size_t end, int level) {
    if (!Operand(i, end, level)) return false;
    while (i < end) {
      const CalcToken& op = *tokens_[i];
      if (!IsPlannedOperator(op)) return false;
      ++i;
      if (!Operand(i, end, level)) return false;
      CalcScalarStep step;
      step.kind = CalcScalarStep::kOperator;
      step.code = op.code();
      plan_.steps.push_back(step);
      --stack_;
    }
    return true;
  }

  // Exactly one operand filling [i, end): the right side of "target =",
  // where one operand is all that the assignment takes.
  bool SingleOperand(std::size_t i, std::size_t end) { return Operand(i, end, 0) && i == end; }

 private:
  bool Operand(std::size_t& i, std::size_t end, int level) {
    if (i >= end) return false;
    const CalcToken& token = *tokens_[i];
    if (token.kind() == kTokOpen) {
      const std::size_t close = close_[i];
      if (close >= end || close == i + 1 || level + 1 >= CalcScalarPlans::kMaxDepth) return false;
      if (!Sequence(i + 1, close, level + 1)) return false;
      i = close + 1;
      plan_.depth = std::max(plan_.depth, level + 2);
      return true;
    }
    if (!IsPlannedValue(token)) return false;
    if (++stack_ > CalcScalarPlans::kMaxDepth) return false;
    plan_.depth = std::max(plan_.depth, stack_);
    plan_.steps.push_back(ValueStep(token));
    ++i;
    return true;
  }

  const std::vector<CalcTokenList::iterator>& tokens_;
  const std::vector<std::size_t>& close_;
  CalcScalarPlan& plan_;
  int stack_ = 0;
};

constexpr std::size_t kUnmatched = static_cast<std::size_t>(-1);

// The plans of a statement, in no particular order. May throw std::bad_alloc.
std::vector<CalcScalarPlan> PlansOf(CalcTokenList& list) {
  std::vector<CalcTokenList::iterator> tokens;
  tokens.reserve(list.Count());
  for (auto it = list.begin(); it != list.end(); ++it) tokens.push_back(it);
  const std::size_t n = tokens.size();
  if (n == 0) return {};

  // Matching parentheses; a list that does not balance gets no plans.
  std::vector<std::size_t> close(n, kUnmatched);
  std::vector<std::size_t> open;
  for (std::size_t i = 0; i < n; ++i) {
    if (tokens[i]->kind() == kTokOpen) {
      open.push_back(i);
    } else if (tokens[i]->kind() == kTokClose) {
      if (open.empty()) return {};
      close[open.back()] = i;
      open.pop_back();
    }
  }
  if (!open.empty()) return {};

  const auto after = [&](std::size_t i) { return i < n ? tokens[i] : list.end(); };
  std::vector<CalcScalarPlan> plans;

  // The whole statement: a sequence, or "target = operand".
  {
    CalcScalarPlan plan;
    plan.key = &*tokens[0];
    plan.ends_list = true;
    PlanReader reader(tokens, close, plan);
    const bool assigns = n >= 3 && IsPlannedValue(*tokens[0]) && tokens[0]->kind() != kTokNumber &&
                         tokens[1]->Is(kTokOperator, kOpAssign);
    if (assigns) {
      plan.target = &*tokens[0];
      plan.top_level_assignment = 1;
      if (n <= CalcScalarPlans::kMaxGroupTokens && reader.SingleOperand(2, n)) {
        plans.push_back(std::move(plan));
        return plans;
      }
    } else if (n <= CalcScalarPlans::kMaxGroupTokens && reader.Sequence(0, n, 0)) {
      plan.top_level_assignment = n > 1 ? 0 : -1;
      plans.push_back(std::move(plan));
      return plans;
    }
  }

  // Otherwise the outermost parenthesised groups that qualify.
  for (std::size_t i = 0; i < n;) {
    if (tokens[i]->kind() == kTokOpen && close[i] > i + 1 && close[i] - i - 1 <= CalcScalarPlans::kMaxGroupTokens) {
      CalcScalarPlan plan;
      plan.key = &*tokens[i + 1];
      PlanReader reader(tokens, close, plan);
      if (reader.Sequence(i + 1, close[i], 1)) {
        plan.after = after(close[i] + 1);
        plan.ends_list = close[i] + 1 == n;
        plans.push_back(std::move(plan));
        i = close[i] + 1;
        continue;
      }
    }
    ++i;
  }
  return plans;
}

}  // namespace

void CalcScalarPlans::Build(CalcTokenList& list) {
  plans_.reset();
  try {
    std::vector<CalcScalarPlan> plans = PlansOf(list);
    if (plans.empty()) return;
    std::sort(plans.begin(), plans.end(), [](const CalcScalarPlan& a, const CalcScalarPlan& b) {
      return std::less<const CalcToken*>()(a.key, b.key);
    });
    plans_ = std::make_unique<std::vector<CalcScalarPlan>>(std::move(plans));
  } catch (const std::bad_alloc&) {
    plans_.reset();
  }
}

const CalcScalarPlan* CalcScalarPlans::Search(const CalcToken* first) const {
  const auto it = std::lower_bound(plans_->begin(), plans_->end(), first, [](const CalcScalarPlan& plan, const CalcToken* key) {
    return std::less<const CalcToken*>()(plan.key, key);
  });
  return it != plans_->end() && it->key == first ? &*it : nullptr;
}

// --- running a plan: the evaluator's side ---------------------------------------------

// The variable a value or target token stands for now: its slot, or -1 when
// it is no plain variable (an array, an unknown name, the answer).
int CalcEvaluator::ScalarVariableSlot(const CalcToken& token, CalcNameCache& cache) {
  if (token.kind() == kTokVariable) return token.code();
  if (token.kind() != kTokName) return -1;
  const std::uint64_t generation = storage_.variables().generation();
  if (cache.slot != 0 && cache.generation == generation) return cache.slot;
  bool is_array = false;
  const int code = ResolveName(token, is_array);
  if (code <= 0 || is_array) return -1;
  cache = {generation, static_cast<std::uint8_t>(code)};
  return code;
}

bool CalcEvaluator::ReadScalar(const CalcScalarStep& step, double& x) {
  const CalcToken& token = *step.token;
  if (token.kind() == kTokNumber) {
    CalcComplex number;
    if (!token.ComplexNumber(number)) return false;
    x = number.re;  // the float modes drop the imaginary part of every operand
    return true;
  }
  const int code = ScalarVariableSlot(token, step.name);
  if (code <= 0) return false;
  const CalcComplex* z = storage_.variables().Stored(static_cast<std::uint8_t>(code)).ComplexIfActive();
  if (z == nullptr) return false;
  x = z->re;  // the float modes drop the imaginary part of every operand
  return true;
}

bool CalcEvaluator::ComputeScalarPlan(const CalcScalarPlan& plan, double& value, int& target) {
  if (!InGroup(context_.mode(), kGroupFloat)) return false;
  if (nesting_ - nesting_base_ + plan.depth >= kMaxNesting || nesting_ + plan.depth >= kMaxCallNesting) return false;
  target = -1;
  if (plan.target != nullptr) {
    target = ScalarVariableSlot(*plan.target, plan.target_name);
    if (target <= 0 || storage_.variables().IsConstant(static_cast<std::uint8_t>(target))) return false;
  }

  const CalcVariableTable& variables = storage_.variables();
  double stack[CalcScalarPlans::kMaxDepth];
  stack[0] = 0.0;
  int top = 0;
  for (const CalcScalarStep& step : plan.steps) {
    switch (step.kind) {
      case CalcScalarStep::kConstant:
        stack[top++] = step.constant;
        continue;
      case CalcScalarStep::kVariable: {
        const CalcComplex* z = variables.Stored(step.code).ComplexIfActive();
        if (z == nullptr) return false;
        stack[top++] = z->re;
        continue;
      }
      case CalcScalarStep::kOperand:
        if (!ReadScalar(step, stack[top])) return false;
        ++top;
        continue;
      case CalcScalarStep::kOperator:
        break;
    }
    const double b = stack[--top];
    double& a = stack[top - 1];
    switch (step.code) {
      case kOpMultiply: a *= b; break;
      case kOpDivide:
        if (b == 0.0) return false;  // warns W_DIV: the general walk reports it
        a /= b;
        break;
      case kOpRemainder:
        if (b == 0.0) return false;
        a = std::fmod(a, b);
        break;
      case kOpAdd: a += b; break;
      case kOpSubtract: a -= b; break;
      case kOpLess: a = a < b ? 1.0 : 0.0; break;
      case kOpLessEqual: a = a <= b ? 1.0 : 0.0; break;
      case kOpGreater: a = a > b ? 1.0 : 0.0; break;
      case kOpGreaterEqual: a = a >= b ? 1.0 : 0.0; break;
      case kOpEqual: a = a == b ? 1.0 : 0.0; break;
      default: a = a != b ? 1.0 : 0.0; break;
    }
  }
  value = stack[0];
  return true;
}

// In the float modes the current kind is the complex one, so these are the
// values the general walk would store and give.
void CalcEvaluator::StoreScalarTarget(const CalcScalarPlan& plan, double value, int target) {
  if (target <= 0) return;
  const bool by_code = plan.target->kind() == kTokVariable;
  storage_.variables().SetComplex(static_cast<std::uint8_t>(target), {value, 0.0}, by_code);
}

bool CalcEvaluator::RunScalarPlan(const CalcToken* first, CalcMatrix& result) {
  if (plans_ == nullptr || first == nullptr) return false;
  const CalcScalarPlan* found = plans_->Find(first);
  if (found == nullptr) return false;
  const CalcScalarPlan& plan = *found;
  double value = 0.0;
  int target = -1;
  if (!ComputeScalarPlan(plan, value, target)) return false;
  StoreScalarTarget(plan, value, target);
  SetScalarComplex(result, {value, 0.0});
  lvalue_.Clear();
  if (plan.top_level_assignment >= 0 && paren_depth_ == 0) top_level_assignment_ = plan.top_level_assignment == 1;
  pos_ = plan.ends_list ? list_->end() : plan.after;
  return true;
}

}  // namespace calc
