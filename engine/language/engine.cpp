#include "language/engine.h"

#include <algorithm>
#include <new>
#include <optional>

#include "core/command_names.h"
#include "core/format.h"
#include "core/numeric_settings.h"
#include "core/status_codes.h"
#include "language/blocks.h"
#include "language/declarations.h"

namespace calc {

CalcEngine::CalcEngine(CalcContext& context, const CalcEngineSettings& settings)
    : CalcEngine(context, nullptr, settings) {}

CalcEngine::CalcEngine(CalcContext& context, CalcStorage& storage, const CalcEngineSettings& settings)
    : CalcEngine(context, &storage, settings) {}

CalcEngine::CalcEngine(CalcContext& context, CalcStorage* storage, const CalcEngineSettings& settings)
    : context_(context),
      storage_(storage),
      settings_(settings),
      evaluator_(*this),
      mode_target_(context),
      saved_angle_unit_(Numeric().angle_unit),
      echo_(settings.echo),
      warnings_(settings.warnings),
      assertions_(settings.assertions) {
  if (storage_ == nullptr) {
    own_storage_ = std::make_unique<CalcStorage>();
    storage_ = own_storage_.get();
  }
  filter_.mode = settings.line_filter_mode;
  filter_.notify = settings.line_notification;
  mode_target_.creation_mode = settings.mode;
  SetAngleUnit(kRadians);
}

CalcEngine::~CalcEngine() { SetAngleUnit(saved_angle_unit_); }

// --- running text --------------------------------------------------------------------

int CalcEngine::RunText(std::string_view text) {
  run_stopped_ = false;
  int last = kNoValue;
  std::size_t pos = 0;
  std::string_view physical;
  while (!run_stopped_ && NextPhysicalLine(text, pos, physical)) {
    CalcLineList lines;
    current_line_ = next_line_;
    const int status = CompileLine(context_, physical, next_line_++, lines);
    if (status != kDone) {
      evaluator_.ClearOffender();
      if (ReportCode(status)) run_stopped_ = true;
      return status;
    }
    for (CalcLine& statement : lines) {
      last = control_.blocks.mode() == RecordingMode::kRecording ? RecordStatement(statement)
                                                                   : RunStatement(statement);
      if (run_stopped_) break;
    }
  }
  return last;
}

int CalcEngine::RunLines(CalcLineList& lines) {
  run_stopped_ = false;
  int last = kNoValue;
  for (CalcLine& statement : lines) {
    last = control_.blocks.mode() == RecordingMode::kRecording ? RecordStatement(statement) : RunStatement(statement);
    if (run_stopped_) break;
  }
  return last;
}

int CalcEngine::RunStatement(CalcLine& statement) {
  current_statement_ = &statement;
  current_line_ = statement.line;
  int status;
  if (CheckInterrupt()) {
    evaluator_.ClearOffender();
    status = E_MEM;
  } else {
    try {
      status = RunStatementUnguarded(statement);
    } catch (const std::bad_alloc&) {
      evaluator_.ClearOffender();
      status = E_MEM;
    }
  }
  current_statement_ = nullptr;
  if (status >= 0x100 && ReportCode(status)) run_stopped_ = true;
  if (interrupted_) run_stopped_ = true;
  if (control_.stop) {  // "return"
    control_.stop = false;
    run_stopped_ = true;
  }
  return status;
}

int CalcEngine::RunStatementUnguarded(CalcLine& statement) {
  if (!FilterPermits(statement)) return 1;
  if (statement.tokens.Empty()) return kNoValue;
  const CalcToken& first = *statement.tokens.begin();
  if (first.kind() == kTokCommand) {
    if (!context_.commands_allowed) return E_COMMAND;
    if (control_.Skips()) return kNoValue;
  } else if (first.kind() == kTokStatement) {
    if (!context_.statements_allowed) return E_STAT;
    if (const int status = RunStructureHandler(*this, first)) return status;
  } else if (control_.Skips()) {
    return kNoValue;
  }
  return EvaluateStatement(statement);
}

int CalcEngine::EvaluateStatement(CalcLine& statement) {
  CalcMatrix result;
  int status = braces_.active ? evaluator_.ContinueBraceList(statement.tokens, result)
                              : evaluator_.EvaluateStatement(statement.tokens, result);
  if (status == kDone) {
    evaluator_.Normalize(result);  // the final narrowing of the line
    if (storage_->StoreAnswer(result) != kDone) {
      evaluator_.ClearOffender();
      status = E_MEM;
    } else {
      status = kValue;
    }
  }
  if (const int post = evaluator_.ApplyPostOps(); post != 0 && !IsError(status)) status = post;
  if (status == kValue && echo_ && !evaluator_.top_level_assignment()) Echo(result);
  return status;
}

void CalcEngine::Echo(const CalcMatrix& result) {
  if (result.rows() == 1 && result.columns() == 1) {
    const AnswerText text = FormatAnswer(context_, result.At(0));
    PrintValue(text.real, text.imaginary);
    return;
  }
  CalcTokenList braces;
  if (storage_->arrays().BraceForm(0, braces) == kDone) PrintList(braces);
}

bool CalcEngine::FilterPermits(const CalcLine& statement) {
  if (!filter_.Asks(statement.line)) return true;
  const CalcLineInfo info{statement.line, &statement.tokens, statement.comment};
  if (filter_.notify) NotifyLine(info);
  return PermitLine(info);
}

// --- recording ---------------------------------------------------------------------------

int CalcEngine::StartRecording(const CalcLine& statement) {
  recording_if_depth_ = control_.if_depth;
  recording_switch_depth_ = control_.switch_depth;
  if (control_.blocks.StartRecording() != kDone) return evaluator_.Fail(E_MEM, nullptr);
  bool complete = false;
  CalcToken offender;
  if (const int status = control_.blocks.Record(statement, complete, offender)) {
    control_.blocks.Abandon();
    return evaluator_.Fail(status, &offender);
  }
  return kNoValue;
}

int CalcEngine::RecordStatement(const CalcLine& statement) {
  current_line_ = statement.line;
  int status;
  bool complete = false;
  if (CheckInterrupt()) {
    evaluator_.ClearOffender();
    status = E_MEM;
  } else {
    try {
      CalcToken offender;
      status = control_.blocks.Record(statement, complete, offender);
      if (status != kDone) evaluator_.Fail(status, &offender);
    } catch (const std::bad_alloc&) {
      evaluator_.ClearOffender();
      status = E_MEM;
    }
  }
  if (status != kDone) {
    AbandonBlocks(recording_if_depth_, recording_switch_depth_);
    if (ReportCode(status) || interrupted_) run_stopped_ = true;
    return status;
  }
  if (!complete) return kNoValue;

  status = ReplayBlocks(*this);
  if (IsError(status) || run_stopped_)
    AbandonBlocks(recording_if_depth_, recording_switch_depth_);
  else
    control_.blocks.Abandon();
  return status;
}

void CalcEngine::AbandonBlocks(int if_depth, int switch_depth) {
  control_.blocks.Abandon();
  control_.if_depth = std::min(control_.if_depth, if_depth);
  control_.switch_depth = std::min(control_.switch_depth, switch_depth);
}

void CalcEngine::ResetControl() {
  control_.Reset();
  braces_.Reset();
}

// --- sources and interruption ----------------------------------------------------------

void CalcEngine::BeginSource(std::string_view name) {
  in_source_ = true;
  source_name_ = name;
  next_line_ = 1;
}

void CalcEngine::EndSource() {
  in_source_ = false;
  source_name_.clear();
}

void CalcEngine::SetStepLimit(std::uint64_t limit) {
  step_limit_ = limit;
  steps_ = 0;
}

bool CalcEngine::CheckInterrupt() {
  ++steps_;
  const bool cancelled = interrupt_requested_.exchange(false, std::memory_order_relaxed);
  interrupted_ = cancelled || (step_limit_ != 0 && steps_ > step_limit_);
  return interrupted_;
}

// --- reporting -------------------------------------------------------------------------

bool CalcEngine::ReportCode(int code) { return ReportWith(code, Offender{evaluator_.offending_token(), {}}); }

bool CalcEngine::ReportWith(int code, const Offender& offender) {
  if (code >= 0x100 && !IsWarning(code)) ++errors_reported_;
  const ReportSource source{source_name_, 1, current_line_};
  const ReportSettings settings{context_, warnings_, in_source_ ? &source : nullptr, storage_};
  return ReportStatus(code, offender, settings, *this) == ReportOutcome::kStop;
}

// --- services ---------------------------------------------------------------------------

int CalcEngine::RunCommand(const CalcToken& command, CalcMatrix&) {
  if (!context_.commands_allowed) return evaluator_.Fail(E_COMMAND, &command);
  const int code = command.code();
  if (code == kCmdNone) return evaluator_.Fail(E_COMMAND_NULL, &command);

  int status;
  if (IsModeCommand(code)) {
    // The optional argument is one operand; one that cannot be evaluated
    // counts as none.
    std::optional<double> argument;
    if (evaluator_.NextCanBeginOperand()) {
      const auto at = evaluator_.Position();
      CalcMatrix value;
      if (evaluator_.EvaluateOperand(value) == kDone)
        argument = value.First().ToReal();
      else
        evaluator_.SetPosition(at);
    }
    // ":angle" converts a parameter variable in place.
    CalcValue parameter;
    int parameter_index = -1;
    mode_target_.parameter = [&](int n) -> CalcValue* {
      parameter_index = n;
      parameter = storage_->GetVariable(static_cast<std::uint8_t>('0' + n));
      return &parameter;
    };
    status = RunModeCommand(code, argument, mode_target_);
    mode_target_.parameter = nullptr;
    if (status == kNoValue && parameter_index >= 0)
      storage_->SetVariable(static_cast<std::uint8_t>('0' + parameter_index), parameter, false);
  } else if (IsDeclarationCommand(code)) {
    CalcTokenList& list = *evaluator_.list();
    DeclarationArgs args;
    args.pos = evaluator_.Position();
    args.end = list.end();
    args.offending = list.end();
    args.evaluate = [this, &list](CalcTokenList::iterator& pos, CalcTokenList::iterator, CalcMatrix& out) {
      return evaluator_.EvaluateOperandAt(list, pos, out);
    };
    status = RunDeclaration(code, *storage_, args);
    evaluator_.SetPosition(args.pos);
    if (status != kNoValue)
      return evaluator_.Fail(status, args.offending != list.end() ? &*args.offending : &command);
  } else {
    return evaluator_.Fail(E_COMMAND_PARAM, &command);
  }
  if (status != kNoValue) return evaluator_.Fail(status, &command);

  // An extra argument that evaluates is an error; anything else is left to
  // the enclosing group.
  if (evaluator_.NextCanBeginOperand()) {
    const auto at = evaluator_.Position();
    const CalcToken* extra = evaluator_.Peek();
    CalcMatrix value;
    if (evaluator_.EvaluateOperand(value) == kDone) return evaluator_.Fail(E_COMMAND_PARAM, extra);
    evaluator_.SetPosition(at);
  }
  return kNoValue;
}

int CalcEngine::RunKeyword(const CalcToken& keyword) {
  if (!context_.statements_allowed) return evaluator_.Fail(E_STAT, &keyword);
  // A keyword acts only as the first token of its statement; anywhere else it
  // cannot begin a value.
  if (current_statement_ == nullptr || current_statement_->tokens.Empty() ||
      &*current_statement_->tokens.begin() != &keyword)
    return evaluator_.Fail(E_CONSTANT, &keyword);
  return RunActionHandler(*this, keyword);
}

int CalcEngine::CallUserFunction(const CalcToken& name, CalcMatrix&) { return evaluator_.Fail(E_USERFUNC, &name); }

int CalcEngine::CallExternalFunction(const CalcToken& name, CalcMatrix&) {
  return evaluator_.Fail(E_EXTFUNC, &name);
}

int CalcEngine::DefineFunction(const CalcFunctionDefinition&) { return kDone; }

// --- hooks (base behaviour) ---------------------------------------------------------------

void CalcEngine::OnReport(const Report&) {}
void CalcEngine::PrintValue(std::string_view, std::string_view) {}
void CalcEngine::PrintList(const CalcTokenList&) {}
void CalcEngine::PrintMessage(std::string_view) {}
void CalcEngine::NotifyLine(const CalcLineInfo&) {}
bool CalcEngine::PermitLine(const CalcLineInfo&) { return true; }
bool CalcEngine::AssertionFailed(int, std::string_view) { return false; }

}  // namespace calc
