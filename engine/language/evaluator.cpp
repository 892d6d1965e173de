#include "language/evaluator.h"

#include <cstdio>
#include <iterator>
#include <limits>
#include <string>

#include "core/arithmetic.h"
#include "core/keywords.h"
#include "core/literal.h"
#include "core/modes.h"
#include "core/status_codes.h"
#include "core/truncation.h"
#include "language/operators.h"

namespace calc {
namespace {

class NestingGuard {
 public:
  explicit NestingGuard(int& level) : level_(level) { ++level_; }
  ~NestingGuard() { --level_; }
  NestingGuard(const NestingGuard&) = delete;
  NestingGuard& operator=(const NestingGuard&) = delete;

 private:
  int& level_;
};

bool IsInfixOperator(const CalcToken& token) {
  return token.kind() == kTokOperator && token.code() >= kOpPostIncrement;
}

bool IsAssignmentOperator(const CalcToken& token) {
  return token.kind() == kTokOperator && token.code() >= kOpAssign && token.code() <= kOpXorAssign;
}

// The low five bits of a token kind select the operand's evaluation.
enum OperandClass : int {
  kOperandGroup = 0,
  kOperandVariable = 1,
  kOperandVariableName = 2,
  kOperandArray = 3,
  kOperandArrayName = 4,
  kOperandNumber = 5,
  kOperandIdentifier = 6,
  kOperandCommand = 7,
  kOperandStatement = 8,
  kOperandOperator = 9,
  kOperandBuiltin = 10,
  kOperandExternal = 11,
};

int OperandClassOf(const CalcToken& token) { return token.kind() & 0x1f; }

// The code character that asks for a computed code ("@:" and "@@:").
constexpr std::uint8_t kComputedCode = ':';

// The modes in which a group may start with a number written as two or three
// operands (see NumberPair).
bool TakesNumberPair(std::uint16_t mode) {
  return InGroup(mode, kGroupComplex) || InGroup(mode, kGroupFloat) || InGroup(mode, kGroupFraction);
}

}  // namespace

// --- helpers -----------------------------------------------------------------

bool IsZeroValue(const CalcValue& v) {
  CalcValue c = v;
  switch (c.Sync()) {
    case kKindFraction:
      return c.AsFraction().num == 0;
    case kKindTime:
      return TimeToSeconds(c.AsTime()) == 0.0;
    default: {
      const CalcComplex& z = c.AsComplex();
      return z.re == 0.0 && z.im == 0.0;
    }
  }
}

bool IsTrue(const CalcMatrix& m) {
  if (m.rows() != 1 || m.columns() != 1) return true;
  return !IsZeroValue(m.At(0));
}

double FirstReal(const CalcMatrix& m) {
  if (const CalcValue* first = FirstAsStored(m)) return first->ToReal();
  return m.First().ToReal();
}

namespace {

[[gnu::noinline]] void MakeScalar(CalcMatrix& m) { m = CalcMatrix(); }

// The element of `m` made 1 x 1 (which needs no memory), to be written in place.
CalcValue& ScalarSlot(CalcMatrix& m) {
  if (m.rows() != 1 || m.columns() != 1) MakeScalar(m);
  return m.At(0);
}

}  // namespace

void SetScalar(CalcMatrix& m, const CalcValue& v) {
  CalcValue& slot = ScalarSlot(m);
  slot = v;
  slot.Sync();
}

void SetScalarComplex(CalcMatrix& m, const CalcComplex& z) { ScalarSlot(m).SetComplex(z); }

void SetScalarReal(CalcMatrix& m, double x) {
  CalcValue v;
  v.SetReal(x);
  SetScalar(m, v);
}

int CallBuiltinFunction(CalcEvaluator& evaluator, const CalcToken& function, CalcMatrix& result) {
  const CalcLibrary* library = evaluator.services().library();
  if (library == nullptr) return evaluator.Fail(E_FUNCTION, &function);
  return library->CallFunction(evaluator, function, result);
}

// --- token list scope ----------------------------------------------------------

TokenListScope::TokenListScope(CalcEvaluator& evaluator, const CalcTokenList& list)
    : evaluator_(evaluator),
      saved_list_(evaluator.list_),
      saved_plans_(evaluator.plans_),
      had_list_(evaluator.list_ != nullptr) {
  if (had_list_) saved_pos_ = evaluator.pos_;
  evaluator_.list_ = &list;
  evaluator_.pos_ = list.begin();
  evaluator_.plans_ = nullptr;
}

TokenListScope::~TokenListScope() {
  evaluator_.list_ = saved_list_;
  evaluator_.plans_ = saved_plans_;
  if (had_list_) evaluator_.pos_ = saved_pos_;
}

// --- the token walk ----------------------------------------------------------

const CalcToken* CalcEvaluator::Peek() const {
  if (list_ == nullptr || pos_ == list_->end()) return nullptr;
  return &*pos_;
}

const CalcToken* CalcEvaluator::Take() {
  const CalcToken* token = Peek();
  if (token != nullptr) ++pos_;
  return token;
}

bool CalcEvaluator::CanBeginOperand(const CalcToken& token) {
  if ((token.kind() & 0x1f) > kOperandExternal) return false;
  if (token.kind() == kTokOperator) return token.code() <= kOpPlus;
  return true;
}

bool CalcEvaluator::NextCanBeginOperand() const {
  const CalcToken* next = Peek();
  return next != nullptr && CanBeginOperand(*next);
}

int CalcEvaluator::EvaluateOperandAt(const CalcTokenList& list, CalcTokenList::const_iterator& pos,
                                     CalcMatrix& result) {
  TokenListScope scope(*this, list);
  SetPosition(pos);
  const int status = EvaluateOperand(result);
  pos = Position();
  return status;
}

// --- failures and warnings ------------------------------------------------------

int CalcEvaluator::Fail(int code, const CalcToken* token) {
  has_offender_ = false;
  if (token == nullptr && list_ != nullptr && pos_ != list_->begin()) token = &*std::prev(pos_);
  if (token != nullptr) {
    offender_ = *token;
    has_offender_ = true;
  }
  return code;
}

void CalcEvaluator::Warn(int code, const CalcToken* token) { services_.ReportWith(code, Offender{token, {}}); }

namespace {

// The rare paths of Normalize, kept out of line: every operand and result is
// normalised, and the single value's path stays short without them.
[[gnu::noinline]] void ReportRangeWarning(CalcEvaluatorServices& services, int code) {
  services.ReportWith(code, Offender{});
}

[[gnu::noinline]] void NormalizeElements(CalcEvaluatorServices& services, const CalcContext& ctx, CalcMatrix& m) {
  const std::int32_t count = m.count();
  for (std::int32_t i = 0; i < count; ++i) {
    CalcValue& v = m.At(i);
    const double before = v.ToReal();
    if (const int code = FitToMode(v, ctx.mode(), ctx.range_warnings)) {
      char text[400];  // "%.0f" of the largest double has 309 digits
      std::snprintf(text, sizeof text, "%.0f", before);
      services.ReportWith(code, Offender{nullptr, text});
    }
  }
}

}  // namespace

void CalcEvaluator::Normalize(CalcValue& v) {
  if (const int code = FitToMode(v, context_.mode(), context_.range_warnings)) ReportRangeWarning(services_, code);
}

void CalcEvaluator::Normalize(CalcMatrix& m) {
  const std::uint16_t mode = context_.mode();
  if (!InGroup(mode, kGroupInteger) && !InGroup(mode, kGroupFloat)) return;
  if (m.rows() == 1 && m.columns() == 1) {
    Normalize(m.At(0));
    return;
  }
  NormalizeElements(services_, context_, m);
}

// --- whole expressions ------------------------------------------------------------

int CalcEvaluator::EvaluateStatement(const CalcTokenList& tokens, CalcMatrix& result, const CalcScalarPlans* plans) {
  TokenListScope scope(*this, tokens);
  plans_ = plans != nullptr && !plans->Empty() ? plans : nullptr;
  paren_depth_ = 0;
  top_level_assignment_ = false;
  post_ops_.clear();
  lvalue_.Clear();
  const CalcToken* first = Peek();
  if (RunScalarPlan(first, result)) return 0;
  // The line starts from the previous answer; it is only copied when no
  // operand comes first to overwrite it.
  if (first == nullptr || first->kind() == kTokClose || IsInfixOperator(*first)) {
    if (!result.Assign(storage_.Answer())) return Fail(E_MEM, nullptr);
  }
  return EvaluateGroup(result);
}

int CalcEvaluator::ContinueBraceList(const CalcTokenList& tokens, CalcMatrix& result) {
  TokenListScope scope(*this, tokens);
  paren_depth_ = 0;
  top_level_assignment_ = false;
  post_ops_.clear();
  lvalue_.Clear();
  CalcBraceList& braces = services_.brace_list();
  bool balanced = false;
  int status = CollectBraces(braces, balanced);
  if (status != 0 || !balanced) {
    if (status != 0) braces.Reset();
    return status != 0 ? status : kNoValue;
  }
  const std::uint8_t code = braces.code;
  status = FillArray(braces);
  braces.Reset();
  if (status != 0) return status;
  if (Peek() == nullptr) return kNoValue;
  // Text after the closing brace continues with the array as its left operand.
  status = storage_.arrays().Read(code, {}, result);
  if (status != 0) return Fail(status, nullptr);
  return GroupLoop(result);
}

int CalcEvaluator::RunPostOps() {
  int first_error = 0;
  for (CalcPostOp& op : post_ops_) {
    op.target.name = op.name;
    CalcValue value;
    int status = ReadTarget(op.target, value);
    if (status == 0) {
      ValueAddReal(value, op.delta);
      Normalize(value);
      CalcMatrix stored;
      SetScalar(stored, value);
      status = Store(op.target, stored, &op.op);
    }
    if (status != 0 && first_error == 0) first_error = status;
  }
  post_ops_.clear();
  return first_error;
}

// --- groups -------------------------------------------------------------------------

int CalcEvaluator::EvaluateGroup(CalcMatrix& result) {
  // A group usually starts where no target is pending (a statement's start,
  // or a "(" read as an operand, which cleared it); only a real target is
  // worth the copy that keeps it across the group.
  const auto run = [&] {
    bool done = false;
    const int status = GroupHead(result, done);
    return status == 0 && !done ? GroupLoop(result) : status;
  };
  if (lvalue_.kind == CalcLvalueRef::kNone) {
    const int status = run();
    lvalue_.Clear();
    return status;
  }
  CalcLvalueRef enclosing = lvalue_;
  const int status = run();
  lvalue_ = std::move(enclosing);
  return status;
}

int CalcEvaluator::EvaluateParenthesisedGroup(CalcMatrix& result) {
  // The group starts from the previous answer; it is only copied when the
  // group does not begin with an operand, which would overwrite it.
  const CalcToken* first = Peek();
  if (RunScalarPlan(first, result)) return 0;
  if (first == nullptr || first->kind() == kTokClose || IsInfixOperator(*first)) {
    if (!result.Assign(storage_.Answer())) return Fail(E_MEM, nullptr);
  }
  ++paren_depth_;
  const int status = EvaluateGroup(result);
  --paren_depth_;
  return status;
}

int CalcEvaluator::GroupHead(CalcMatrix& result, bool& group_done) {
  const CalcToken* first = Peek();
  if (first == nullptr) {  // an empty group keeps its starting value
    group_done = true;
    return 0;
  }
  if (first->kind() == kTokClose) {
    Take();
    group_done = true;
    return 0;
  }
  if (IsInfixOperator(*first)) return 0;  // continues from the starting value
  const int status = EvaluateOperand(result);
  if (status != 0) return status;
  // Nearly every group goes on with an operator: the pair, whose frame is
  // large, is only entered when a second operand follows in a mode that
  // reads one.
  if (!TakesNumberPair(context_.mode()) || !NextCanBeginOperand()) return 0;
  return NumberPair(result, group_done);
}

// A second operand written directly after the first at the start of a group
// is part of a number literal in the complex, float and fraction modes. In the
// time and integer modes it is left for the loop, which rejects it with
// E_OPERATOR: silently dropping it (or evaluating it for nothing) would hide a
// typing mistake in the converter's fields. GroupHead calls this only in a
// mode that TakesNumberPair, with an operand next.
int CalcEvaluator::NumberPair(CalcMatrix& result, bool& group_done) {
  const bool complex = InGroup(context_.mode(), kGroupComplex);

  const auto second_at = Position();
  CalcMatrix second;
  if (EvaluateOperand(second) != 0) {
    SetPosition(second_at);
    lvalue_.Clear();
    return 0;
  }
  lvalue_.Clear();
  CalcValue value = result.First();

  int end_error = E_COMPLEX;
  if (complex) {
    value.AsComplex().im = second.First().ComplexView().re;
  } else {
    bool mixed = false;
    if (NextCanBeginOperand()) {
      const auto third_at = Position();
      CalcMatrix third;
      if (EvaluateOperand(third) == 0) {
        CalcValue part = second.First();
        ValueDivide(part, third.First());
        ValueAdd(value, part);
        mixed = true;
      } else {
        SetPosition(third_at);
      }
      lvalue_.Clear();
    }
    if (!mixed) {  // first / second, and the group goes on
      ValueDivide(value, second.First());
      SetScalar(result, value);
      Normalize(result);
      return 0;
    }
    end_error = E_FRACT;
  }
  SetScalar(result, value);
  Normalize(result);
  // A complete number literal must end its group.
  const CalcToken* after = Peek();
  if (after != nullptr && after->kind() != kTokClose) return Fail(end_error, after);
  Take();
  group_done = true;
  return 0;
}

int CalcEvaluator::GroupLoop(CalcMatrix& result) {
  for (;;) {
    const CalcToken* token = Take();
    if (token == nullptr || token->kind() == kTokClose) return 0;
    if (!IsInfixOperator(*token)) return Fail(E_OPERATOR, token);
    if (const int status = RunOperator(*token, result)) return status;
  }
}

int CalcEvaluator::RunOperator(const CalcToken& op, CalcMatrix& result) {
  const int id = op.code();
  const OperatorHandler handler = OperatorHandlerFor(id);
  if (handler == nullptr) return Fail(E_OPERATOR, &op);
  if (const int status = handler(*this, result, op)) return status;
  if (paren_depth_ == 0) {
    if ((id >= kOpAssign && id <= kOpXorAssign) || id == kOpPreIncrement || id == kOpPreDecrement)
      top_level_assignment_ = true;
    else if (id >= kOpMultiply)
      top_level_assignment_ = false;
  }
  Normalize(result);
  return 0;
}

// --- operands --------------------------------------------------------------------------

int CalcEvaluator::EvaluateOperand(CalcMatrix& result) {
  if (nesting_ - nesting_base_ >= kMaxNesting || nesting_ >= kMaxCallNesting) return Fail(E_MEM, Peek());
  NestingGuard guard(nesting_);
  lvalue_.Clear();
  if (list_ == nullptr || pos_ == list_->end()) return Fail(E_RVALUE_NULL, nullptr);
  const CalcToken& token = *pos_++;

  std::uint8_t code = token.code();
  switch (OperandClassOf(token)) {
    case kOperandGroup:
      return EvaluateParenthesisedGroup(result);
    case kOperandVariable:
      if (code == kComputedCode)
        if (const int status = ReadComputedCode(code)) return status;
      return ReadVariable(token, code, CalcLvalueRef::kVariableCode, result);
    case kOperandVariableName: {
      const int found = storage_.variables().Find(token.text());
      if (found < 0) return Fail(E_CONSTANT, &token);
      return ReadVariable(token, static_cast<std::uint8_t>(found), CalcLvalueRef::kVariableName, result);
    }
    case kOperandArray:
      if (code == kComputedCode)
        if (const int status = ReadComputedCode(code)) return status;
      return ReadArray(token, code, CalcLvalueRef::kArrayCode, result);
    case kOperandArrayName: {
      const int found = storage_.arrays().Find(token.text());
      if (found < 0) return Fail(E_CONSTANT, &token);
      return ReadArray(token, static_cast<std::uint8_t>(found), CalcLvalueRef::kArrayName, result);
    }
    case kOperandNumber: {
      if (!token.is_number()) return Fail(E_CONSTANT, &token);
      // Made in place: synced, then fitted (which keeps the kind).
      CalcValue& value = ScalarSlot(result);
      token.CopyNumberTo(value);
      value.Sync();
      Normalize(value);
      return 0;
    }
    case kOperandIdentifier:
      return ReadIdentifier(token, result);
    case kOperandCommand:
      return services_.RunCommand(token, result);
    case kOperandStatement:
      return services_.RunKeyword(token);
    case kOperandOperator:
      if (token.kind() == kTokOperator && code <= kOpPlus) return RunOperator(token, result);
      return Fail(E_UNARY, &token);
    case kOperandBuiltin:
      return CallBuiltinFunction(*this, token, result);
    case kOperandExternal:
      return services_.CallExternalFunction(token, result);
    default:
      return Fail(E_CONSTANT, &token);
  }
}

int CalcEvaluator::ReadComputedCode(std::uint8_t& code) {
  CalcMatrix value;
  if (const int status = EvaluateOperand(value)) return status;
  code = static_cast<std::uint8_t>(TruncToInt64(value.First().ToReal()) & 0xff);
  return 0;
}

int CalcEvaluator::ReadVariable(const CalcToken& token, std::uint8_t code, CalcLvalueRef::Kind kind,
                                CalcMatrix& result) {
  CalcValue& value = ScalarSlot(result);
  storage_.GetVariableInto(code, value);
  Normalize(value);  // in the kind it was stored in, then synced
  value.Sync();
  lvalue_.kind = kind;
  lvalue_.code = code;
  if (kind == CalcLvalueRef::kVariableName) lvalue_.name = token.text();
  lvalue_.token = &token;
  return 0;
}

int CalcEvaluator::ReadSubscripts(CalcLvalueRef& ref) {
  CalcMatrix subscript;
  while (NextCanBeginOperand()) {
    const CalcToken* at = Peek();
    if (ref.subscript_count == kMaxArraySubscripts) return Fail(E_ARRAY, at);
    if (const int status = EvaluateOperand(subscript)) return status;
    std::int64_t index = TruncToInt64(subscript.First().ToReal());
    if (index < 0) {
      Warn(W_ARRAY, ref.token);
      index = 0;
    }
    if (index > std::numeric_limits<std::int32_t>::max()) index = std::numeric_limits<std::int32_t>::max();
    ref.subscripts[ref.subscript_count++] = static_cast<std::int32_t>(index);
    ref.subscripts[ref.subscript_count] = -1;
  }
  return 0;
}

int CalcEvaluator::ReadArray(const CalcToken& token, std::uint8_t code, CalcLvalueRef::Kind kind,
                             CalcMatrix& result) {
  CalcLvalueRef ref;
  ref.kind = kind;
  ref.code = code;
  if (kind == CalcLvalueRef::kArrayName) ref.name = token.text();
  ref.token = &token;
  if (const int status = ReadSubscripts(ref)) return status;

  const CalcToken* next = Peek();
  if (ref.subscript_count == 0 && next != nullptr && next->kind() == kTokOpenBrace) {
    if (const int status = FillFromBraces(code, kind == CalcLvalueRef::kArrayCode, result)) return status;
  } else {
    if (const int status = storage_.arrays().Read(code, ref.Subscripts(), result))
      return Fail(status, &token);
    Normalize(result);
  }
  lvalue_ = std::move(ref);
  return 0;
}

// Names are unique across both tables (every declaration checks), so a
// remembered slot that still carries the token's name is the answer a search
// would give; the check makes the hint safe against names that were freed,
// moved or declared since, and against a token copied with its hint.
int CalcEvaluator::ResolveName(const CalcToken& token, bool& is_array) {
  const CalcStorage& storage = storage_;
  const std::string_view name = token.text();
  const CalcToken::NameHint hint = token.name_hint();
  if (hint.valid) {
    const CalcNameTable& table =
        hint.is_array ? static_cast<const CalcNameTable&>(storage.arrays()) : storage.variables();
    if (!name.empty() && table.NameOf(hint.code) == name) {
      is_array = hint.is_array;
      return hint.code;
    }
  }
  is_array = false;
  int code = storage.variables().Find(name);
  if (code < 0) {
    code = storage.arrays().Find(name);
    is_array = true;
  }
  if (code >= 0) token.set_name_hint({true, is_array, static_cast<std::uint8_t>(code)});
  return code;
}

int CalcEvaluator::TargetCode(const CalcLvalueRef& target) const {
  const CalcStorage& storage = storage_;
  const bool is_array = target.kind == CalcLvalueRef::kArrayName;
  const CalcNameTable& table =
      is_array ? static_cast<const CalcNameTable&>(storage.arrays()) : storage.variables();
  if (!target.name.empty() && table.NameOf(target.code) == target.name) return target.code;
  return table.Find(target.name);
}

int CalcEvaluator::ReadIdentifier(const CalcToken& token, CalcMatrix& result) {
  CalcStorage& storage = storage_;
  const std::string_view name = token.text();
  bool is_array = false;
  if (const int code = ResolveName(token, is_array); code >= 0) {
    return is_array ? ReadArray(token, static_cast<std::uint8_t>(code), CalcLvalueRef::kArrayName, result)
                    : ReadVariable(token, static_cast<std::uint8_t>(code), CalcLvalueRef::kVariableName, result);
  }

  CalcValue value;
  // Read anew on every run, never written back into the token: what a name
  // spells as a number depends on the mode and radix of the run ("AB" is a
  // number only in a radix above 11), and one compiled statement serves runs
  // in different modes (a function body, a loop kept for it).
  if (ParseNumber(context_, name, value)) {
    value.Sync();
    Normalize(value);
    SetScalar(result, value);
    return 0;
  }
  if (services_.implicit_variables()) {
    const CalcToken* next = Peek();
    if (next != nullptr && IsAssignmentOperator(*next)) {
      const int code = storage.variables().Declare(name, CalcValue(), false);
      if (code >= 0)
        return ReadVariable(token, static_cast<std::uint8_t>(code), CalcLvalueRef::kVariableName, result);
    }
  }
  return services_.CallUserFunction(token, result);
}

// --- brace initializers ----------------------------------------------------------------

int CalcEvaluator::CollectBraces(CalcBraceList& braces, bool& balanced) {
  balanced = false;
  while (const CalcToken* token = Peek()) {
    if (token->kind() == kTokOpenBrace) {
      ++braces.depth;
    } else if (token->kind() == kTokCloseBrace) {
      --braces.depth;
    }
    if (braces.tokens.Append(*token) != 0) return Fail(E_MEM, token);
    Take();
    if (braces.depth == 0) {
      balanced = true;
      break;
    }
  }
  return 0;
}

int CalcEvaluator::FillFromBraces(std::uint8_t code, bool by_code, CalcMatrix& result) {
  CalcBraceList& braces = services_.brace_list();
  // One list at a time: a brace list inside a brace list, or one met while
  // another is still being collected, is not an item.
  if (filling_braces_ || braces.active) return Fail(E_ARRAY, Peek());
  braces.Reset();
  braces.code = code;
  braces.by_code = by_code;
  bool balanced = false;
  int status = CollectBraces(braces, balanced);
  if (status != 0) {
    braces.Reset();
    return status;
  }
  if (!balanced) {  // the following statements complete it
    braces.active = true;
    return kNoValue;
  }
  status = FillArray(braces);
  braces.Reset();
  if (status != 0) return status;
  // A statement that is nothing but the initializer has no value to echo.
  if (nesting_ == 1 && paren_depth_ == 0 && Peek() == nullptr) return kNoValue;
  status = storage_.arrays().Read(code, {}, result);
  return status != 0 ? Fail(status, nullptr) : 0;
}

int CalcEvaluator::FillArray(CalcBraceList& braces) {
  CalcBraceFill fill(storage_.arrays(), braces.code, braces.by_code);
  TokenListScope scope(*this, braces.tokens);
  filling_braces_ = true;
  int status = 0;
  CalcMatrix item;
  while (status == 0) {
    const CalcToken* token = Peek();
    if (token == nullptr) break;
    if (token->kind() == kTokOpenBrace) {
      Take();
      if (const int s = fill.OpenLevel()) status = Fail(s, token);
    } else if (token->kind() == kTokCloseBrace) {
      Take();
      if (const int s = fill.CloseLevel()) status = Fail(s, token);
    } else if (!CanBeginOperand(*token)) {
      status = Fail(E_ARRAY, token);
    } else if ((status = EvaluateOperand(item)) == 0) {
      if (const int s = fill.Store(item.First())) status = Fail(s, token);
    }
  }
  filling_braces_ = false;
  if (status != 0) return status;
  if (const int s = fill.Finish()) return Fail(s, nullptr);
  return 0;
}

// --- skipping ------------------------------------------------------------------------------

void CalcEvaluator::SkipToMatchingClose() {
  int depth = 1;
  while (const CalcToken* token = Take()) {
    if (token->kind() == kTokOpen) {
      ++depth;
    } else if (token->kind() == kTokClose && --depth == 0) {
      return;
    }
  }
}

// Mirrors EvaluateOperand without evaluating: an array, a function or a
// command takes every operand that follows it (subscripts, arguments), a
// prefix operator or a computed code one more operand. Iterative, so a long
// chain of prefix operators cannot exhaust the stack.
int CalcEvaluator::SkipOperand() {
  int pending = 1;
  bool greedy = false;
  const CalcStorage& storage = storage_;
  while (pending > 0) {
    const CalcToken* token = Peek();
    if (token == nullptr || !CanBeginOperand(*token)) return Fail(E_RVALUE_NULL, token);
    Take();
    --pending;
    switch (OperandClassOf(*token)) {
      case kOperandGroup:
        SkipToMatchingClose();
        break;
      case kOperandOperator:
        ++pending;
        break;
      case kOperandVariable:
        if (token->code() == kComputedCode) ++pending;
        break;
      case kOperandArray:
        if (token->code() == kComputedCode) ++pending;
        greedy = true;
        break;
      case kOperandIdentifier: {
        const std::string_view name = token->text();
        if (storage.variables().Find(name) >= 0) break;
        CalcValue number;
        if (storage.arrays().Find(name) < 0 && ParseNumber(context_, name, number)) break;
        greedy = true;  // an array with subscripts, or a call with arguments
        break;
      }
      case kOperandArrayName:
      case kOperandCommand:
      case kOperandStatement:
      case kOperandBuiltin:
      case kOperandExternal:
        greedy = true;
        break;
      default:
        break;
    }
  }
  if (greedy) {
    while (const CalcToken* token = Peek()) {
      if (!CanBeginOperand(*token)) break;
      Take();
      if (token->kind() == kTokOpen) SkipToMatchingClose();
    }
  }
  return 0;
}

// --- assignable targets -----------------------------------------------------------------------

int CalcEvaluator::QueuePostOp(int delta, const CalcToken& op) {
  if (lvalue_.kind == CalcLvalueRef::kNone) return Fail(E_LVALUE, &op);
  CalcPostOp entry;
  entry.delta = delta;
  entry.target = lvalue_;
  entry.name = lvalue_.name;
  entry.target.name = {};
  entry.op = op;
  post_ops_.push_back(std::move(entry));
  return 0;
}

int CalcEvaluator::ReadTarget(const CalcLvalueRef& target, CalcValue& out) {
  CalcStorage& storage = storage_;
  switch (target.kind) {
    case CalcLvalueRef::kVariableCode:
      out = storage.GetVariable(target.code);
      return 0;
    case CalcLvalueRef::kVariableName: {
      const int code = TargetCode(target);
      if (code < 0) return Fail(E_LVALUE, target.token);
      out = storage.GetVariable(static_cast<std::uint8_t>(code));
      return 0;
    }
    case CalcLvalueRef::kArrayCode:
      out = storage.arrays().Element(target.code, target.Subscripts());
      return 0;
    case CalcLvalueRef::kArrayName: {
      const int code = TargetCode(target);
      if (code < 0) return Fail(E_LVALUE, target.token);
      out = storage.arrays().Element(static_cast<std::uint8_t>(code), target.Subscripts());
      return 0;
    }
    case CalcLvalueRef::kNone:
      break;
  }
  return Fail(E_LVALUE, target.token);
}

int CalcEvaluator::Store(const CalcLvalueRef& target, const CalcMatrix& value, const CalcToken* op) {
  CalcStorage& storage = storage_;
  const auto set_variable = [&](std::uint8_t code, bool by_code) {
    if (const CalcValue* first = FirstAsStored(value)) return storage.SetVariable(code, *first, by_code);
    return storage.SetVariable(code, value.First(), by_code);
  };
  int status = 0;
  switch (target.kind) {
    case CalcLvalueRef::kNone:
      return Fail(E_LVALUE, op);
    case CalcLvalueRef::kVariableCode:
      status = set_variable(target.code, true);
      break;
    case CalcLvalueRef::kVariableName: {
      const int code = TargetCode(target);
      if (code < 0) return Fail(E_LVALUE, op);
      status = set_variable(static_cast<std::uint8_t>(code), false);
      break;
    }
    case CalcLvalueRef::kArrayCode:
      status = storage.arrays().Write(target.code, target.Subscripts(), value, true);
      break;
    case CalcLvalueRef::kArrayName: {
      const int code = TargetCode(target);
      if (code < 0) return Fail(E_LVALUE, op);
      status = storage.arrays().Write(static_cast<std::uint8_t>(code), target.Subscripts(), value, false);
      break;
    }
  }
  if (status == 0) return 0;
  return Fail(status, status == E_ASS && target.token != nullptr ? target.token : op);
}

}  // namespace calc
