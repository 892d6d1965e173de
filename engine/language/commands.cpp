#include "language/commands.h"

#include <optional>
#include <utility>

#include "core/command_names.h"
#include "core/mode_commands.h"
#include "core/status_codes.h"
#include "core/tokenizer.h"
#include "core/truncation.h"
#include "language/declarations.h"
#include "language/engine.h"
#include "language/functions.h"

namespace calc {
namespace {

// The mode commands take one optional operand; one that cannot be evaluated
// counts as none.
int RunMode(CalcEngine& engine, const CalcToken& command) {
  CalcEvaluator& ev = engine.evaluator();
  std::optional<double> argument;
  if (ev.NextCanBeginOperand()) {
    const auto at = ev.Position();
    CalcMatrix value;
    if (ev.EvaluateOperand(value) == kDone)
      argument = value.First().ToReal();
    else
      ev.SetPosition(at);
  }
  // ":angle" converts a parameter variable in place.
  CalcStorage& storage = engine.storage();
  ModeCommandTarget& target = engine.mode_target();
  CalcValue parameter;
  int parameter_index = -1;
  target.parameter = [&](int n) -> CalcValue* {
    parameter_index = n;
    parameter = storage.GetVariable(static_cast<std::uint8_t>(kFirstParameterCode + n));
    return &parameter;
  };
  const int status = RunModeCommand(command.code(), argument, target);
  target.parameter = nullptr;
  if (status != kNoValue) return ev.Fail(status, &command);
  if (parameter_index >= 0)
    storage.SetVariable(static_cast<std::uint8_t>(kFirstParameterCode + parameter_index), parameter, false);
  return kNoValue;
}

int RunDeclarationCommand(CalcEngine& engine, const CalcToken& command) {
  CalcEvaluator& ev = engine.evaluator();
  const CalcTokenList& list = *ev.list();
  DeclarationArgs args;
  args.pos = ev.Position();
  args.end = list.end();
  args.offending = list.end();
  args.evaluate = [&ev, &list](CalcTokenList::const_iterator& pos, CalcTokenList::const_iterator, CalcMatrix& out) {
    return ev.EvaluateOperandAt(list, pos, out);
  };
  const int status = RunDeclaration(command.code(), engine.storage(), args);
  ev.SetPosition(args.pos);
  if (status != kNoValue) return ev.Fail(status, args.offending != list.end() ? &*args.offending : &command);
  return kNoValue;
}

// The one operand of a command, evaluated; E_COMMAND_PARAM when it is
// missing or fails.
int ReadArgument(CalcEngine& engine, const CalcToken& command, CalcMatrix& value) {
  CalcEvaluator& ev = engine.evaluator();
  if (!ev.NextCanBeginOperand() || ev.EvaluateOperand(value) != kDone) return ev.Fail(E_COMMAND_PARAM, &command);
  return kDone;
}

// The array a ":warn" message is held in, when its first argument names one
// (by code or name); it is then taken from the list. -1 otherwise.
int MessageArray(CalcEngine& engine) {
  CalcEvaluator& ev = engine.evaluator();
  const CalcToken* token = ev.Peek();
  if (token == nullptr) return -1;
  int code = -1;
  if (token->kind() == kTokArray) {
    ev.Take();
    std::uint8_t computed = token->code();
    if (computed == ':' && ev.ReadComputedCode(computed) != kDone) return -2;
    code = computed;
  } else if (token->kind() == kTokArrayName || token->kind() == kTokName) {
    if (engine.storage().variables().Find(token->text()) >= 0) return -1;
    code = engine.storage().arrays().Find(token->text());
    if (code >= 0) ev.Take();
  }
  return code;
}

int RunSwitch(CalcEngine& engine, const CalcToken& command) {
  CalcEvaluator& ev = engine.evaluator();
  const int code = command.code();
  if (code == kCmdWarn) {
    std::string message;
    bool has_message = false;
    const CalcToken* first = ev.Peek();
    if (first != nullptr && first->kind() == kTokString) {
      ev.Take();
      message = first->text();
      has_message = true;
    } else if (const int array = MessageArray(engine); array >= 0) {
      message = ArrayString(engine.storage().arrays(), static_cast<std::uint8_t>(array));
      has_message = true;
    } else if (array == -2) {
      return ev.Fail(E_COMMAND_PARAM, &command);
    }
    if (has_message) {
      if (engine.warnings_on()) engine.host().PrintMessage(engine, ExpandMessage(message, engine.source_name()));
      return kNoValue;
    }
  }
  CalcMatrix value;
  if (const int status = ReadArgument(engine, command, value)) return status;
  const std::int64_t argument = TruncToInt64(value.First().ToReal());
  switch (code) {
    case kCmdAns: engine.storage().calls().answer.Apply(argument); break;
    case kCmdAssert: engine.assertion_switch().Apply(argument); break;
    case kCmdWarn: engine.warning_switch().Apply(argument); break;
    default: engine.debug_switch().Apply(argument); break;
  }
  return kNoValue;
}

// ":param n flag": reference flag n of the running function.
int RunParam(CalcEngine& engine, const CalcToken& command) {
  CalcMatrix index;
  CalcMatrix flag;
  if (const int status = ReadArgument(engine, command, index)) return status;
  if (const int status = ReadArgument(engine, command, flag)) return status;
  const std::int64_t n = TruncToInt64(index.First().ToReal());
  if (n < 0 || n >= kMaxParameters) return engine.evaluator().Fail(E_COMMAND_PARAM, &command);
  engine.storage().calls().reference[n] = !IsZeroValue(flag.First());
  return kNoValue;
}

// ":params names": the running function's parameter list, bound as a "func"
// list is at a call, except that names must be new.
int RunParams(CalcEngine& engine, const CalcToken& command) {
  CalcEvaluator& ev = engine.evaluator();
  const auto begin = ev.Position();
  const auto end = ev.list()->end();
  const ParsedParameters parsed = ParseParameters(begin, end);
  switch (parsed.problem) {
    case ParameterProblem::kTooMany:
    case ParameterProblem::kUnusable:
      return ev.Fail(E_COMMAND_PARAMS, &*parsed.at);
    case ParameterProblem::kMarkWithoutName:
      return ev.Fail(E_COMMAND_PARAM, &*parsed.at);
    case ParameterProblem::kNone:
      break;
  }
  std::size_t failed = 0;
  const int status = BindParameters(parsed.parameters, engine.storage(), false, failed);
  if (status != kDone) {
    const CalcToken* offender = &command;
    std::size_t names = 0;
    for (auto it = begin; it != end; ++it)
      if (it->kind() == kTokName && names++ == failed) {
        offender = &*it;
        break;
      }
    return ev.Fail(status, offender);
  }
  ev.SetPosition(end);
  return kNoValue;
}

}  // namespace

void CalcSwitch::Apply(std::int64_t argument) {
  const auto byte = static_cast<std::uint8_t>(static_cast<std::uint64_t>(argument) & 0xff);
  if ((byte & 0x80) != 0)
    std::swap(current, remembered);
  else
    Set(byte != 0);
}

int RunCommand(CalcEngine& engine, const CalcToken& command, CalcMatrix& result) {
  CalcEvaluator& ev = engine.evaluator();
  if (!engine.context().commands_allowed) return ev.Fail(E_COMMAND, &command);
  const int code = command.code();
  int status;
  if (code == kCmdNone) {
    return ev.Fail(E_COMMAND_NULL, &command);
  } else if (code > kCmdLastNamed) {
    // The host's command: a non-zero answer is the status as it is; 0 is
    // "done", and what the host left after the command is checked as usual.
    status = engine.host().HostCommand(engine, *ev.list(), ev.Position());
    if (status != kDone) return IsError(status) ? ev.Fail(status, &command) : status;
    status = kNoValue;
  } else if (IsModeCommand(code)) {
    status = RunMode(engine, command);
  } else if (code >= kCmdAns && code <= kCmdDebug) {
    status = RunSwitch(engine, command);
  } else if (code == kCmdParam) {
    status = RunParam(engine, command);
  } else if (code == kCmdParams) {
    status = RunParams(engine, command);
  } else if (IsDeclarationCommand(code)) {
    status = RunDeclarationCommand(engine, command);
  } else if (const CalcLibrary* library = engine.library()) {
    status = library->RunCommand(engine, command, result);
  } else {
    return ev.Fail(E_COMMAND_PARAM, &command);  // no library: its commands are unknown here
  }
  if (status != kNoValue) return status;

  // An extra argument that evaluates is an error; anything else is left to
  // the enclosing group.
  if (ev.NextCanBeginOperand()) {
    const auto at = ev.Position();
    const CalcToken* extra = ev.Peek();
    CalcMatrix value;
    if (ev.EvaluateOperand(value) == kDone) return ev.Fail(E_COMMAND_PARAM, extra);
    ev.SetPosition(at);
  }
  return kNoValue;
}

std::string ExpandMessage(std::string_view text, std::string_view source_name) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c == '\0' || c == '\r' || c == '\n') break;
    if (c == '\\' && i + 1 < text.size()) {
      ++i;
      out += text[i];
      if (IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) out += text[++i];
    } else if (IsLeadByte(c)) {
      out += text[i];
      if (i + 1 < text.size()) out += text[++i];
    } else if (c == '-') {
      out += source_name;
    } else if (c != '\\') {
      out += text[i];
    }
  }
  return out;
}

}  // namespace calc
