#include "language/planned_loop.h"

#include <iterator>

#include "core/keywords.h"
#include "core/matrix.h"
#include "core/numeric_settings.h"
#include "core/run_budget.h"
#include "language/blocks.h"
#include "language/engine.h"
#include "language/evaluator.h"

namespace calc {
namespace {

bool IsKeywordAlone(const CalcLine& line, std::uint8_t keyword) {
  return line.tokens.Count() == 1 && line.tokens.begin()->Is(kTokStatement, keyword);
}

// "for (...)" or "while (...)": the keyword, then one planned group that runs
// to the end of the statement.
const CalcScalarPlan* ConditionPlan(const CalcLine& line, std::uint8_t keyword) {
  const CalcTokenList& tokens = line.tokens;
  if (tokens.Count() < 4 || !tokens.begin()->Is(kTokStatement, keyword)) return nullptr;
  auto open = std::next(tokens.begin());
  if (!open->Is(kTokOpen)) return nullptr;
  const CalcScalarPlan* plan = line.plans.Find(&*std::next(open));
  return plan != nullptr && plan->ends_list && plan->target == nullptr ? plan : nullptr;
}

// A statement that is one planned assignment: it stores, gives the answer and
// echoes nothing.
const CalcScalarPlan* AssignmentPlan(const CalcLine& line) {
  if (line.tokens.Empty()) return nullptr;
  const CalcScalarPlan* plan = line.plans.Find(&*line.tokens.begin());
  return plan != nullptr && plan->target != nullptr ? plan : nullptr;
}

}  // namespace

bool BuildLoopPlan(const CalcBlock& block, CalcLoopPlan& plan) {
  std::uint8_t opener = 0;
  std::uint8_t closer = 0;
  if (block.type == kBlockFor) {
    opener = kStFor;
    closer = kStNext;
    plan.first = 1;  // entry 0 is the initialisation, run once
  } else if (block.type == kBlockWhile) {
    opener = kStWhile;
    closer = kStEndwhile;
    plan.first = 0;
  } else {
    return false;
  }
  const auto& entries = block.entries;
  if (entries.size() < plan.first + 2) return false;
  for (std::size_t i = plan.first; i < entries.size(); ++i)
    if (entries[i].statement == nullptr) return false;  // a nested block

  plan.condition = ConditionPlan(*entries[plan.first].statement, opener);
  if (plan.condition == nullptr) return false;
  plan.cycle.clear();
  bool closed = false;
  for (std::size_t i = plan.first + 1; i < entries.size(); ++i) {
    const CalcLine& line = *entries[i].statement;
    if (IsKeywordAlone(line, closer)) {
      if (closed) return false;
      closed = true;
      plan.cycle.push_back(nullptr);
    } else if (const CalcScalarPlan* assignment = AssignmentPlan(line)) {
      plan.cycle.push_back(assignment);
    } else {
      return false;
    }
  }
  return closed;
}

void RunPlannedIterations(CalcEngine& engine, const CalcBlock& block, CalcBlockRun& run) {
  const CalcLoopPlan& loop = *block.loop_plan;
  if (run.cursor != loop.first || run.break_flag || run.continue_flag) return;
  if (!engine.control().Live() || engine.brace_list().active || !engine.context().statements_allowed ||
      engine.line_filter().mode != CalcLineFilter::kRunAll)
    return;

  const NumericScope numeric(engine.context().numeric());
  CalcEvaluator& evaluator = engine.evaluator();
  CalcRunBudget& budget = engine.budget();
  // Each statement counts its step as the replay does before running it. A
  // step that would end the run is left uncounted to the general replay,
  // which counts it and reports the end.
  const auto count_step = [&] {
    budget.ClearMemoryStop();
    return !budget.StepWouldEnd() && budget.ChargeStep();
  };

  bool answered = false;
  double answer = 0.0;
  for (;;) {
    double truth = 0.0;
    int no_target = -1;
    // A zero condition (or a plan that declines) is the general replay's:
    // it sets the break and walks out of the loop.
    if (!evaluator.ComputeScalarPlan(*loop.condition, truth, no_target) || truth == 0.0) break;
    if (!count_step()) break;
    std::size_t index = loop.first + 1;
    for (const CalcScalarPlan* plan : loop.cycle) {
      double value = 0.0;
      int target = -1;
      if (plan != nullptr && !evaluator.ComputeScalarPlan(*plan, value, target)) {
        run.cursor = index;
        break;
      }
      if (!count_step()) {
        run.cursor = index;
        break;
      }
      if (plan != nullptr) {
        evaluator.StoreScalarTarget(*plan, value, target);
        answer = value;
        answered = true;
      }
      ++index;
    }
    if (run.cursor != loop.first) break;
  }
  // Every statement stores its value as the answer; only the last one can
  // be seen, since no plan reads the answer.
  if (answered) {
    CalcMatrix last;
    SetScalarComplex(last, {answer, 0.0});
    engine.storage().StoreAnswer(last);
  }
}

}  // namespace calc
