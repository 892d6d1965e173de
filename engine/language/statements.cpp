#include "language/statements.h"

#include <iterator>

#include "core/keywords.h"
#include "core/status_codes.h"
#include "language/engine.h"

namespace calc {
namespace {

bool Replaying(const CalcEngine& engine) { return engine.control().blocks.mode() == RecordingMode::kReplaying; }

int Fail(CalcEngine& engine, int code, const CalcToken& keyword) { return engine.evaluator().Fail(code, &keyword); }

// The one operand after a keyword: a condition, a value.
int ReadOperand(CalcEngine& engine, CalcMatrix& out) { return engine.evaluator().EvaluateOperand(out); }

bool ElementsEqual(const CalcValue& a, const CalcValue& b) {
  return a.ToReal() == b.ToReal() && a.ComplexView().im == b.ComplexView().im;
}

bool MatricesEqual(const CalcMatrix& a, const CalcMatrix& b) {
  if (a.rows() != b.rows() || a.columns() != b.columns()) return false;
  for (std::int32_t i = 0; i < a.count(); ++i)
    if (!ElementsEqual(a.At(i), b.At(i))) return false;
  return true;
}

bool IsSingleZero(const CalcMatrix& m) { return m.rows() == 1 && m.columns() == 1 && IsZeroValue(m.At(0)); }

// --- structure handlers: 0 the line runs, 4 it is skipped ---------------------------

int StructureIf(CalcEngine& engine, const CalcToken& keyword) {
  CalcControlState& c = engine.control();
  if (c.if_depth >= CalcControlState::kMaxIfDepth) return Fail(engine, E_STAT_IF, keyword);
  const bool runs = !c.Skips();
  c.if_state[++c.if_depth] = runs ? 3 : 2;
  return runs ? kDone : kNoValue;
}

int StructureElse(CalcEngine& engine, const CalcToken& keyword) {  // "elif" and "else"
  CalcControlState& c = engine.control();
  if (c.if_depth == 0) return Fail(engine, E_STAT_ENDIF, keyword);
  return c.if_state[c.if_depth] == 2 ? kNoValue : kDone;
}

int StructureEndif(CalcEngine& engine, const CalcToken& keyword) {
  CalcControlState& c = engine.control();
  if (c.if_depth == 0) return Fail(engine, E_STAT_ENDIF, keyword);
  --c.if_depth;
  return c.if_state[c.if_depth] == 2 ? kNoValue : kDone;
}

int StructureSwitch(CalcEngine& engine, const CalcToken& keyword) {
  CalcControlState& c = engine.control();
  if (c.switch_depth >= CalcControlState::kMaxSwitchDepth) return Fail(engine, E_STAT_SWITCH, keyword);
  const bool runs = !c.Skips();
  c.switch_state[++c.switch_depth] = runs ? 3 : 2;
  return runs ? kDone : kNoValue;
}

int StructureCase(CalcEngine& engine, const CalcToken& keyword) {  // "case", "default", "breakswi"
  CalcControlState& c = engine.control();
  if (c.switch_depth == 0) return Fail(engine, E_STAT_ENDSWI, keyword);
  return c.switch_state[c.switch_depth] == 2 ? kNoValue : kDone;
}

int StructureEndswi(CalcEngine& engine, const CalcToken& keyword) {
  CalcControlState& c = engine.control();
  if (c.switch_depth == 0) return Fail(engine, E_STAT_ENDSWI, keyword);
  --c.switch_depth;
  return kDone;
}

// "do", "while", "for", "func": met in running text they start recording; in
// a replay they run only in live text, and otherwise end their block.
int StructureOpener(CalcEngine& engine, const CalcToken&) {
  CalcControlState& c = engine.control();
  if (!Replaying(engine)) {
    const CalcLine* statement = engine.current_statement();
    return statement != nullptr ? engine.StartRecording(*statement) : kNoValue;
  }
  if (!c.Skips()) return kDone;
  c.blocks.SetBreak();
  return kNoValue;
}

// "continue", "break".
int StructureJump(CalcEngine& engine, const CalcToken&) {
  if (!Replaying(engine)) return kDone;  // runs, and fails: no loop
  return engine.control().Skips() ? kNoValue : kDone;
}

// "until", "endwhile", "next", "endfunc". A pending continue skips the test of
// "until", so the loop repeats. In a function's definition the body's loops
// are plain statements, all skipped: their closers close nothing (closing
// the definition early would leave the body's "endif" unseen).
int StructureCloser(CalcEngine& engine, const CalcToken& keyword) {
  CalcControlState& c = engine.control();
  if (!Replaying(engine)) return kDone;  // runs, and fails: no open block
  if (!c.Skips()) return kDone;
  const CalcBlock* block = c.blocks.current();
  if (block != nullptr && block->type == kBlockFunc && keyword.code() != kStEndfunc) return kNoValue;
  c.blocks.SetBreak();
  c.blocks.CloseIteration();
  return kNoValue;
}

// "assert", "return": skipped exactly when an ordinary line is.
int StructureOrdinary(CalcEngine& engine, const CalcToken&) {
  return engine.control().Skips() ? kNoValue : kDone;
}

// --- action handlers: 4 done, or an error ---------------------------------------------

int ActionNothing(CalcEngine&, const CalcToken&) { return kNoValue; }

int ActionIf(CalcEngine& engine, const CalcToken&) {
  CalcControlState& c = engine.control();
  CalcMatrix condition;
  if (const int status = ReadOperand(engine, condition)) {
    c.if_state[c.if_depth] = 2;  // a condition that fails takes no branch at all
    return status;
  }
  c.if_state[c.if_depth] = IsTrue(condition) ? 1 : 0;
  return kNoValue;
}

int ActionElif(CalcEngine& engine, const CalcToken&) {
  CalcControlState& c = engine.control();
  std::uint8_t& level = c.if_state[c.if_depth];
  if (level == 1) {
    level = 2;
  } else if (level == 0) {
    CalcMatrix condition;
    if (const int status = ReadOperand(engine, condition)) {
      level = 2;
      return status;
    }
    if (IsTrue(condition)) level = 1;
  }
  return kNoValue;
}

int ActionElse(CalcEngine& engine, const CalcToken&) {
  CalcControlState& c = engine.control();
  std::uint8_t& level = c.if_state[c.if_depth];
  if (level == 0)
    level = 1;
  else if (level == 1)
    level = 2;
  return kNoValue;
}

int ActionSwitch(CalcEngine& engine, const CalcToken&) {
  CalcControlState& c = engine.control();
  CalcMatrix value;
  if (const int status = ReadOperand(engine, value)) {
    --c.switch_depth;
    return status;
  }
  c.switch_value[c.switch_depth] = std::move(value);
  c.switch_state[c.switch_depth] = 0;
  return kNoValue;
}

int ActionCase(CalcEngine& engine, const CalcToken&) {
  CalcControlState& c = engine.control();
  if (c.switch_state[c.switch_depth] != 0) return kNoValue;  // a running case falls through
  CalcMatrix value;
  if (const int status = ReadOperand(engine, value)) return status;
  if (MatricesEqual(value, c.switch_value[c.switch_depth])) c.switch_state[c.switch_depth] = 1;
  return kNoValue;
}

int ActionDefault(CalcEngine& engine, const CalcToken&) {
  CalcControlState& c = engine.control();
  if (c.switch_state[c.switch_depth] == 0) c.switch_state[c.switch_depth] = 1;
  return kNoValue;
}

int ActionBreakswi(CalcEngine& engine, const CalcToken&) {
  CalcControlState& c = engine.control();
  if (c.switch_state[c.switch_depth] == 1) c.switch_state[c.switch_depth] = 2;
  return kNoValue;
}

// "while" and the condition line of "for": a single zero ends the loop.
int ActionLoopCondition(CalcEngine& engine, const CalcToken&) {
  if (!Replaying(engine)) return kNoValue;
  CalcMatrix condition;
  if (const int status = ReadOperand(engine, condition)) return status;
  if (IsSingleZero(condition)) engine.control().blocks.SetBreak();
  return kNoValue;
}

int ActionUntil(CalcEngine& engine, const CalcToken& keyword) {
  if (!Replaying(engine)) return Fail(engine, E_STAT_UNTIL, keyword);
  CalcMatrix condition;
  if (const int status = ReadOperand(engine, condition)) return status;
  CalcBlockState& blocks = engine.control().blocks;
  if (IsSingleZero(condition)) blocks.SetBreak();
  blocks.CloseIteration();
  return kNoValue;
}

int ActionEndwhile(CalcEngine& engine, const CalcToken& keyword) {
  if (!Replaying(engine)) return Fail(engine, E_STAT_ENDWHILE, keyword);
  engine.control().blocks.CloseIteration();
  return kNoValue;
}

int ActionNext(CalcEngine& engine, const CalcToken& keyword) {
  if (!Replaying(engine)) return Fail(engine, E_STAT_NEXT, keyword);
  engine.control().blocks.CloseIteration();
  return kNoValue;
}

int ActionEndfunc(CalcEngine& engine, const CalcToken& keyword) {
  if (!Replaying(engine)) return Fail(engine, E_STAT_ENDFUNC, keyword);
  return kNoValue;
}

int ActionContinue(CalcEngine& engine, const CalcToken& keyword) {
  if (!Replaying(engine)) return Fail(engine, E_STAT_CONTINUE, keyword);
  engine.control().blocks.SetContinue();
  return kNoValue;
}

int ActionBreak(CalcEngine& engine, const CalcToken& keyword) {
  if (!Replaying(engine)) return Fail(engine, E_STAT_BREAK, keyword);
  engine.control().blocks.SetBreak();
  return kNoValue;
}

// "func name params": defines the function and sets the block's break flag
// so that the body does not run now.
int ActionFunc(CalcEngine& engine, const CalcToken& keyword) {
  CalcEvaluator& ev = engine.evaluator();
  if (ev.Peek() != nullptr && ev.Peek()->kind() == kTokOpen) ev.Take();
  const CalcToken* name = ev.Peek();
  if (name == nullptr || name->kind() != kTokName) return Fail(engine, E_STAT_FUNCNAME, name ? *name : keyword);
  ev.Take();
  CalcBlockState& blocks = engine.control().blocks;
  blocks.SetBreak();
  CalcFunctionDefinition definition;
  definition.name = name;
  definition.params_begin = ev.Position();
  definition.params_end = ev.list()->end();
  const CalcLine* statement = engine.current_statement();
  definition.line = statement != nullptr ? statement->line : engine.current_line();
  const CalcBlock* block = blocks.current();
  if (block != nullptr && block->type == kBlockFunc) {
    // Entry 0 is the "func" line, the last one "endfunc".
    for (std::size_t i = 1; i + 1 < block->entries.size(); ++i)
      if (block->entries[i].statement != nullptr) definition.body.push_back(block->entries[i].statement.get());
  }
  // The rest of the line (the parameters) belongs to the definition.
  ev.SetPosition(ev.list()->end());
  if (const int status = engine.DefineFunction(definition)) return status;
  return kNoValue;
}

int ActionAssert(CalcEngine& engine, const CalcToken&) {
  if (!engine.assertions_on()) return kNoValue;
  CalcMatrix condition;
  if (const int status = ReadOperand(engine, condition)) return status;
  if (IsSingleZero(condition) && engine.host().AssertionFailed(engine, engine.SourceLine(), engine.source_name()))
    return E_ASSERT_STOP;
  return kNoValue;
}

// "return [value]": with the answer switch on the value becomes the previous
// answer; with it off the value is dropped with W_RETURN. Either way the run
// ends after this statement.
int ActionReturn(CalcEngine& engine, const CalcToken& keyword) {
  CalcEvaluator& ev = engine.evaluator();
  if (ev.NextCanBeginOperand()) {
    CalcMatrix value;
    if (const int status = ReadOperand(engine, value)) return status;
    if (!engine.storage().calls().answer.on())
      ev.Warn(W_RETURN, &keyword);
    else if (engine.storage().StoreAnswer(value) != 0)
      return Fail(engine, E_MEM, keyword);
  }
  engine.control().stop = true;
  return kNoValue;
}

struct StatementHandlers {
  StatementCode code;
  StatementHandler structure;
  StatementHandler action;
};

// ORDER StatementCode: the handlers of keyword i are entry i. The structure
// handler and the action handler of a keyword form the two tables side by side.
constexpr StatementHandlers kHandlers[] = {
    {kStDo, StructureOpener, ActionNothing},
    {kStUntil, StructureCloser, ActionUntil},
    {kStWhile, StructureOpener, ActionLoopCondition},
    {kStEndwhile, StructureCloser, ActionEndwhile},
    {kStFor, StructureOpener, ActionLoopCondition},
    {kStNext, StructureCloser, ActionNext},
    {kStFunc, StructureOpener, ActionFunc},
    {kStEndfunc, StructureCloser, ActionEndfunc},
    {kStIf, StructureIf, ActionIf},
    {kStElif, StructureElse, ActionElif},
    {kStElse, StructureElse, ActionElse},
    {kStEndif, StructureEndif, ActionNothing},
    {kStSwitch, StructureSwitch, ActionSwitch},
    {kStCase, StructureCase, ActionCase},
    {kStDefault, StructureCase, ActionDefault},
    {kStEndswi, StructureEndswi, ActionNothing},
    {kStBreakswi, StructureCase, ActionBreakswi},
    {kStContinue, StructureJump, ActionContinue},
    {kStBreak, StructureJump, ActionBreak},
    {kStAssert, StructureOrdinary, ActionAssert},
    {kStReturn, StructureOrdinary, ActionReturn},
};
static_assert(std::size(kHandlers) == kStatementCount, "one pair of handlers per statement keyword");

constexpr bool RowsFollowCodes() {
  for (std::size_t i = 0; i < std::size(kHandlers); ++i)
    if (kHandlers[i].code != i) return false;
  return true;
}
static_assert(RowsFollowCodes(), "handlers in keyword order");

}  // namespace

bool CalcControlState::Live() const {
  const std::uint8_t if_level = if_state[if_depth];
  const std::uint8_t switch_level = switch_state[switch_depth];
  return (if_level == 1 || if_level == 3) && (switch_level == 1 || switch_level == 3);
}

bool CalcControlState::Skips() const { return !Live() || blocks.FlagPending(); }

void CalcControlState::Reset() {
  if_depth = 0;
  if_state[0] = 1;
  switch_depth = 0;
  switch_state[0] = 1;
  blocks.Abandon();
  stop = false;
}

int RunStructureHandler(CalcEngine& engine, const CalcToken& keyword) {
  const int code = keyword.code();
  if (code >= kStatementCount) return kDone;
  return kHandlers[code].structure(engine, keyword);
}

int RunActionHandler(CalcEngine& engine, const CalcToken& keyword) {
  const int code = keyword.code();
  if (code >= kStatementCount) return engine.evaluator().Fail(E_CONSTANT, &keyword);
  return kHandlers[code].action(engine, keyword);
}

}  // namespace calc
