#include "language/engine.h"

#include <algorithm>
#include <new>
#include <utility>

#include "core/format.h"
#include "core/numeric_settings.h"
#include "core/status_codes.h"
#include "language/blocks.h"
#include "language/compiled_size.h"

namespace calc {
namespace {

// Hands the reporter's reports to the host, with the engine that reports.
class HostReportSink final : public ReportHook {
 public:
  HostReportSink(CalcHost& host, CalcEngine& engine) : host_(host), engine_(engine) {}
  void OnReport(const Report& report) override { host_.OnReport(engine_, report); }

 private:
  CalcHost& host_;
  CalcEngine& engine_;
};

// A user-defined function runs in the numeric state of its caller.
void TakeOverState(CalcContext& context, const CalcContext& from) {
  context.SetMode(from.mode());
  context.SetPrecision(from.precision());
  context.SetRadix(from.radix());
  context.SetFps(from.fps());
  context.commands_allowed = from.commands_allowed;
  context.statements_allowed = from.statements_allowed;
  context.range_warnings = from.range_warnings;
  context.shortest_automatic = from.shortest_automatic;
}

// The reason given with E_MEM for a line longer than kMaxLineLength.
constexpr std::string_view kLineTooLongText = "line too long";

std::string& PredefinedSymbolText() {
  static std::string name;
  return name;
}

}  // namespace

CalcEngine::CalcEngine(CalcContext& context, CalcHost& host, const CalcEngineSettings& settings)
    : CalcEngine(context, nullptr, host, settings) {}

CalcEngine::CalcEngine(CalcContext& context, CalcStorage& storage, CalcHost& host,
                       const CalcEngineSettings& settings)
    : CalcEngine(context, &storage, host, settings) {}

CalcEngine::CalcEngine(CalcContext& context, CalcStorage* storage, CalcHost& host,
                       const CalcEngineSettings& settings)
    : context_(context),
      host_(host),
      own_storage_(storage == nullptr ? std::make_unique_for_overwrite<CalcStorage>() : nullptr),
      storage_(storage != nullptr ? storage : own_storage_.get()),
      settings_(settings),
      evaluator_(*this, *this, context, *storage_),
      mode_target_(context),
      saved_angle_unit_(context.numeric().angle_unit),
      echo_(settings.echo),
      assertions_(settings.assertions),
      warnings_(settings.warnings),
      auto_refresh_(settings.auto_refresh),
      debug_(settings.debug),
      line_notification_(settings.line_notification) {
  budget_ = CalcRunBudget::Make();
  storage_->set_budget(budget_);
  filter_.mode = settings.line_filter_mode;
  filter_.notify = settings.line_notification;
  mode_target_.creation_mode = settings.mode;
  mode_target_.caller_angle_unit = saved_angle_unit_;
  mode_target_.engine_angle_unit = kRadians;
  context_.SetAngleUnit(kRadians);
}

CalcEngineSettings CalcEngine::NestedSettings() const {
  CalcEngineSettings nested = settings_;
  nested.mode = context_.mode();
  nested.echo = false;
  nested.assertions = assertions_.on();
  nested.warnings = warnings_.on();
  nested.auto_refresh = auto_refresh_.on();
  nested.debug = debug_.on();
  nested.line_filter_mode = filter_.mode;
  nested.line_notification = line_notification_.on();
  return nested;
}

CalcEngine::~CalcEngine() = default;

// --- running text --------------------------------------------------------------------

void CalcEngine::BeginRun() {
  run_stopped_ = false;
  if (budget_->stop() == CalcRunBudget::Stop::kInterrupted) budget_->ClearStop();
}

int CalcEngine::CompileCharged(std::string_view physical, int line_number, CalcLineList& lines,
                               CalcMemoryCharge& charge) {
  budget_->ClearMemoryStop();
  // A long line is asked for first, so that one whose compiled form would not
  // fit is never compiled; every line is then charged what it really took. A
  // short line is not worth the estimate: what it can take while it compiles
  // is small beside any limit.
  constexpr std::size_t kEstimatedFrom = 4096;
  if (physical.size() >= kEstimatedFrom && !charge.Set(CompiledSizeEstimate(physical), budget_.get())) return E_MEM;
  const int status = CompileLine(context_, physical, line_number, lines, budget_.get());
  if (status != kDone) return status;
  return charge.Set(CompiledSize(lines), budget_.get()) ? kDone : E_MEM;
}

int CalcEngine::RunText(std::string_view text) {
  const NumericScope numeric(context_.numeric());
  BeginRun();
  int last = kNoValue;
  std::size_t pos = 0;
  std::string_view physical;
  // Emptied for each line but kept, so that its room serves every line.
  CalcLineList lines;
  while (!run_stopped_ && NextPhysicalLine(text, pos, physical)) {
    lines.clear();
    CalcMemoryCharge charge;
    current_line_ = next_line_;
    const int status = CompileCharged(physical, next_line_++, lines, charge);
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
  const NumericScope numeric(context_.numeric());
  BeginRun();
  int last = kNoValue;
  for (CalcLine& statement : lines) {
    last = control_.blocks.mode() == RecordingMode::kRecording ? RecordStatement(statement) : RunStatement(statement);
    if (run_stopped_) break;
  }
  return last;
}

int CalcEngine::RunStatement(const CalcLine& statement) {
  const NumericScope numeric(context_.numeric());
  current_statement_ = &statement;
  current_line_ = statement.line;
  budget_->ClearMemoryStop();
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
  if (budget_->ended()) run_stopped_ = true;
  if (control_.stop) {  // "return"
    control_.stop = false;
    run_stopped_ = true;
  }
  return status;
}

int CalcEngine::RunStatementUnguarded(const CalcLine& statement) {
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

int CalcEngine::EvaluateStatement(const CalcLine& statement) {
  CalcMatrix result;
  int status = braces_.active ? evaluator_.ContinueBraceList(statement.tokens, result)
                              : evaluator_.EvaluateStatement(statement.tokens, result, &statement.plans);
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
  if (status == kValue && echo_.on() && !evaluator_.top_level_assignment()) Echo(result);
  return status;
}

void CalcEngine::Echo(const CalcMatrix& result) {
  if (result.rows() == 1 && result.columns() == 1) {
    const AnswerText text = FormatAnswer(context_, result.At(0));
    host_.PrintValue(*this, text.real, text.imaginary);
    return;
  }
  CalcTokenList braces;
  if (storage_->arrays().BraceForm(0, braces) == kDone) host_.PrintList(*this, braces);
}

bool CalcEngine::FilterPermits(const CalcLine& statement) {
  if (!filter_.Asks(statement.line)) return true;
  const CalcLineInfo info{statement.line, &statement.tokens, statement.comment_text()};
  if (filter_.notify) host_.NotifyLine(*this, info);
  return host_.PermitLine(*this, info);
}

// --- recording ---------------------------------------------------------------------------

int CalcEngine::StartRecording(const CalcLine& statement) {
  recording_if_depth_ = control_.if_depth;
  recording_switch_depth_ = control_.switch_depth;
  recording_from_ = BodyPlaceOf(statement);
  if (recording_from_ != kNotInBody) {
    if (std::shared_ptr<const CalcBlockTree> kept = body_->loops.Find(recording_from_)) {
      recording_from_ = kNotInBody;
      if (control_.blocks.StartCounting(std::move(kept)) != kDone) return evaluator_.Fail(E_MEM, nullptr);
      return kNoValue;
    }
  }
  if (control_.blocks.StartRecording() != kDone) return evaluator_.Fail(E_MEM, nullptr);
  bool complete = false;
  CalcToken offender;
  if (const int status = control_.blocks.Record(statement, complete, offender, budget_.get())) {
    control_.blocks.Abandon();
    return evaluator_.Fail(status, &offender);
  }
  return kNoValue;
}

int CalcEngine::RecordStatement(const CalcLine& statement) {
  const NumericScope numeric(context_.numeric());
  current_line_ = statement.line;
  budget_->ClearMemoryStop();
  int status;
  bool complete = false;
  if (CheckInterrupt()) {
    evaluator_.ClearOffender();
    status = E_MEM;
  } else {
    try {
      CalcToken offender;
      status = control_.blocks.Record(statement, complete, offender, budget_.get());
      if (status != kDone) evaluator_.Fail(status, &offender);
    } catch (const std::bad_alloc&) {
      evaluator_.ClearOffender();
      status = E_MEM;
    }
  }
  if (status != kDone) {
    AbandonBlocks(recording_if_depth_, recording_switch_depth_);
    if (ReportCode(status) || budget_->ended()) run_stopped_ = true;
    return status;
  }
  if (!complete) return kNoValue;

  KeepRecordedLoop();
  status = ReplayBlocks(*this);
  if (IsError(status) || run_stopped_)
    AbandonBlocks(recording_if_depth_, recording_switch_depth_);
  else
    control_.blocks.Abandon();
  return status;
}

std::size_t CalcEngine::BodyPlaceOf(const CalcLine& statement) const {
  if (body_ == nullptr || body_next_ == 0 || body_next_ > body_->lines.size()) return kNotInBody;
  const std::size_t place = body_next_ - 1;
  return &body_->lines[place] == &statement ? place : kNotInBody;
}

// The recorded statements are the body's from recording_from_ up to the one
// Step ran last; a tree that holds any other number of them came from
// elsewhere and is not kept.
void CalcEngine::KeepRecordedLoop() {
  const std::size_t from = recording_from_;
  recording_from_ = kNotInBody;
  if (from == kNotInBody || body_ == nullptr) return;
  const std::shared_ptr<const CalcBlockTree>& tree = control_.blocks.tree();
  if (tree == nullptr || tree->statements != body_next_ - from) return;
  body_->loops.Keep(from, tree, control_.blocks.charge(), body_->charge);
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

void CalcEngine::BeginSource(std::string_view name, int first_line) {
  in_source_ = true;
  source_name_ = name;
  source_first_line_ = first_line;
  next_line_ = first_line;
}

void CalcEngine::EndSource() {
  in_source_ = false;
  source_name_.clear();
}

bool CalcEngine::CheckInterrupt() { return !budget_->ChargeStep(); }

// --- reporting -------------------------------------------------------------------------

bool CalcEngine::ReportCode(int code) {
  // E_MEM carries no token; when the budget refused, it says why instead.
  if (code == E_MEM) return ReportWith(code, Offender{nullptr, CalcRunBudget::StopText(budget_->stop())});
  return ReportWith(code, Offender{evaluator_.offending_token(), {}});
}

bool CalcEngine::ReportWith(int code, const Offender& offender) {
  if (code >= 0x100 && !IsWarning(code)) ++errors_reported_;
  const ReportSource source{source_name_, source_first_line_, current_line_};
  const ReportSettings settings{context_, warnings_.on(), in_source_ ? &source : nullptr, storage_};
  HostReportSink sink{host_, *this};
  return ReportStatus(code, offender, settings, sink) == ReportOutcome::kStop;
}

// --- services ---------------------------------------------------------------------------

int CalcEngine::RunCommand(const CalcToken& command, CalcMatrix& result) {
  return calc::RunCommand(*this, command, result);
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

// --- calls ------------------------------------------------------------------------------

int CalcEngine::CallUserFunction(const CalcToken& name, CalcMatrix& result) {
  CalcFunctionEntry* found = storage_->calls().functions.Find(name.text(), true);
  if (found == nullptr) return evaluator_.Fail(E_CONSTANT, &name);
  try {
    CalcFunctionEntry entry = *found;  // shares the body for the length of the call
    CalcTokenList arguments;
    if (const int status = CollectArguments(evaluator_, arguments)) return status;
    auto callee = std::make_unique<CalcContext>();
    const int status = host_.RunFunction(entry, true, *callee, arguments, *this);
    return TakeResult(status, E_USERFUNC, name, *callee, result);
  } catch (const std::bad_alloc&) {
    return evaluator_.Fail(E_MEM, &name);
  }
}

int CalcEngine::CallExternalFunction(const CalcToken& name, CalcMatrix& result) {
  try {
    CalcTokenList arguments;
    if (const int status = CollectArguments(evaluator_, arguments)) return status;
    auto callee = std::make_unique<CalcContext>();
    const std::string function(name.text());
    CalcFunctionList& cache = ExternalFunctionCache();
    int status;
    if (CalcFunctionEntry* cached = cache.Find(function, true)) {
      CalcFunctionEntry entry = *cached;
      status = host_.RunFunction(entry, false, *callee, arguments, *this);
    } else {
      CalcSourceFile file;
      if (cache.capacity() > 0 && OpenFunctionFile(function, file)) {
        CalcFunctionEntry entry;
        entry.body = std::make_shared<CalcFunctionBody>();
        entry.body->name = function;
        if (LoadFunctionFile(file, *callee, *entry.body, budget_.get()) != kDone) {
          if (!file.line_too_long()) return evaluator_.Fail(E_MEM, &name);
          ReportWith(E_MEM, Offender{nullptr, kLineTooLongText});
          return evaluator_.Fail(E_EXTFUNC, &name);
        }
        file.Close();
        cache.Add(entry);  // when it cannot be kept, it still runs this once
        status = host_.RunFunction(entry, false, *callee, arguments, *this);
      } else {
        status = host_.RunNamedText(function, *callee, arguments, *this);
      }
    }
    return TakeResult(status, E_EXTFUNC, name, *callee, result);
  } catch (const std::bad_alloc&) {
    return evaluator_.Fail(E_MEM, &name);
  }
}

int CalcEngine::TakeResult(int status, int failure, const CalcToken& name, CalcContext& callee, CalcMatrix& result) {
  evaluator_.lvalue().Clear();  // a call's value is not assignable
  if (status != kValue) return evaluator_.Fail(failure, &name);
  const CalcStorage& answer_of = StorageOf(callee);
  if (answer_of.calls().answer.on()) {
    if (!result.Assign(answer_of.Answer())) return evaluator_.Fail(E_MEM, &name);
    evaluator_.Normalize(result);
  } else {
    // No value: the call stands for the previous answer, which a statement
    // that is nothing but the call therefore leaves as it was, unechoed.
    if (!result.Assign(storage_->Answer())) return evaluator_.Fail(E_MEM, &name);
    if (evaluator_.depth() == 0) evaluator_.set_top_level_assignment(true);
  }
  return kDone;
}

int CalcEngine::DefineFunction(const CalcFunctionDefinition& definition) {
  CalcFunctionList& functions = storage_->calls().functions;
  const std::string_view name = definition.name->text();
  if (functions.Find(name, false) != nullptr) return evaluator_.Fail(E_STAT_FUNCNAME, definition.name);
  if (functions.capacity() == 0) return evaluator_.Fail(E_STAT_FUNC, definition.name);
  const ParsedParameters parsed = ParseParameters(definition.params_begin, definition.params_end);
  if (parsed.problem == ParameterProblem::kTooMany || parsed.problem == ParameterProblem::kUnusable)
    return evaluator_.Fail(E_STAT_FUNCPARAM, &*parsed.at);
  try {
    CalcFunctionEntry entry;
    entry.body = std::make_shared<CalcFunctionBody>();
    CalcFunctionBody& body = *entry.body;
    body.name = name;
    for (auto it = definition.params_begin; it != definition.params_end; ++it)
      if (body.parameters.Append(*it) != kDone) return evaluator_.Fail(E_MEM, definition.name);
    body.lines.reserve(definition.body.size());
    for (const CalcLine* line : definition.body)
      if (line->CopyTo(body.lines.emplace_back()) != kDone) return evaluator_.Fail(E_MEM, definition.name);
    body.first_line = definition.body.empty() ? definition.line + 1 : definition.body.front()->line;
    if (!body.charge.Set(CompiledSize(body.lines), budget_.get())) return evaluator_.Fail(E_MEM, definition.name);
    PlanStatements(body.lines);
    if (!functions.Add(std::move(entry))) return evaluator_.Fail(E_MEM, definition.name);
  } catch (const std::bad_alloc&) {
    return evaluator_.Fail(E_MEM, definition.name);
  }
  return kDone;
}

bool CalcEngine::OpenFunctionFile(std::string_view name, CalcSourceFile& file) {
  if (name.empty() || name.find('\0') != std::string_view::npos) return false;
  const std::string extension = host_.FileExtension(*this);
  int state = 0;
  std::string folder;
  for (int asked = 0; asked < kMaxFolders; ++asked) {
    folder.clear();
    if (!host_.NextFolder(*this, state, folder)) break;
    std::string path = folder;
    path += kPathSeparator;
    path += name;
    path += extension;
    if (std::FILE* opened = host_.OpenFile(*this, path)) {
      file.Attach(opened);
      return true;
    }
  }
  return false;
}

// --- running a function -------------------------------------------------------------

void CalcEngine::SetPredefinedSymbol(std::string_view name) { PredefinedSymbolText() = name; }

const std::string& CalcEngine::PredefinedSymbol() { return PredefinedSymbolText(); }

void CalcEngine::DefinePredefinedSymbol() {
  const std::string& name = PredefinedSymbolText();
  if (name.empty() || storage_->NameExists(name)) return;
  storage_->variables().Declare(name, CalcValue::FromReal(1.0), true);
}

int CalcEngine::BeginCall(const CalcTokenList& arguments, CalcEngine& caller) {
  caller_ = &caller;
  call_depth_ = caller.call_depth_ + 1;
  library_ = caller.library_;
  budget_ = caller.budget_;
  storage_->set_budget(budget_);
  run_status_ = kValue;
  run_stopped_ = false;
  body_next_ = 0;
  file_lines_.clear();
  file_next_ = 0;
  saved_angle_unit_ = caller.context().numeric().angle_unit;
  mode_target_.caller_angle_unit = saved_angle_unit_;
  DefinePredefinedSymbol();

  // Calls nest like operands: the limit that bounds parentheses bounds
  // recursion.
  const int nesting = caller.evaluator_.nesting() + kCallNesting;
  int status = kDone;
  const CalcToken* offender = nullptr;
  if (nesting >= CalcEvaluator::kMaxCallNesting) {
    status = E_MEM;
  } else {
    evaluator_.set_nesting(nesting);
    status = PassArguments(arguments, caller.storage(), *storage_, offender);
  }
  if (status == kDone) {
    arguments_ = &arguments;
    return kDone;
  }
  evaluator_.Fail(status, offender);
  ReportCode(status);
  run_status_ = status;
  run_stopped_ = true;
  arguments_ = nullptr;  // nothing was passed, so nothing goes back
  return status;
}

int CalcEngine::BeginEntry(CalcFunctionEntry& entry, const CalcTokenList& arguments, CalcEngine& caller) {
  const NumericScope numeric(context_.numeric());
  body_ = entry.body;
  file_.Close();
  if (const int status = BeginCall(arguments, caller)) return status;
  const ParsedParameters parsed = ParseParameters(body_->parameters.begin(), body_->parameters.end());
  std::size_t failed = 0;
  int status = BindParameters(parsed.parameters, *storage_, true, failed);
  if (status == kDone && !storage_->calls().functions.CopyFrom(caller.storage().calls().functions))
    status = E_MEM;
  if (status != kDone) {
    evaluator_.ClearOffender();
    ReportCode(status);
    run_status_ = status;
    run_stopped_ = true;
    return status;
  }
  ResetControl();
  BeginSource(body_->name, body_->first_line);
  return kDone;
}

int CalcEngine::BeginFile(std::string_view name, const CalcTokenList& arguments, CalcEngine& caller) {
  const NumericScope numeric(context_.numeric());
  body_.reset();
  file_.Close();
  if (const int status = BeginCall(arguments, caller)) return status;
  if (!OpenFunctionFile(name, file_)) {
    ReportWith(E_FUNC_OPEN, Offender{nullptr, name});
    run_status_ = E_FUNC_OPEN;
    run_stopped_ = true;
    return E_FUNC_OPEN;
  }
  ResetControl();
  BeginSource(name, 1);
  return kDone;
}

const CalcLine* CalcEngine::NextBodyStatement() {
  if (body_ != nullptr) return body_next_ < body_->lines.size() ? &body_->lines[body_next_++] : nullptr;
  while (file_next_ >= file_lines_.size()) {
    if (!file_.is_open()) return nullptr;
    std::string line;
    if (!file_.ReadLine(line)) {
      const bool too_long = file_.line_too_long();
      file_.Close();
      if (too_long) {
        current_line_ = next_line_;
        ReportWith(E_MEM, Offender{nullptr, kLineTooLongText});
        run_status_ = E_MEM;
        run_stopped_ = true;
      }
      return nullptr;
    }
    file_lines_.clear();
    file_next_ = 0;
    current_line_ = next_line_;
    if (const int status = CompileCharged(line, next_line_++, file_lines_, file_lines_charge_)) {
      evaluator_.ClearOffender();
      ReportCode(status);
      run_status_ = status;
      run_stopped_ = true;
      return nullptr;
    }
  }
  return &file_lines_[file_next_++];
}

bool CalcEngine::Step(int* status_out) {
  const NumericScope numeric(context_.numeric());
  if (run_stopped_) return false;
  const CalcLine* statement = NextBodyStatement();
  if (statement == nullptr) return false;
  const int status = control_.blocks.mode() == RecordingMode::kRecording ? RecordStatement(*statement)
                                                                           : RunStatement(*statement);
  if (IsError(status) && run_status_ == kValue) run_status_ = status;
  if (status_out != nullptr) *status_out = status;
  return true;
}

int CalcEngine::End() {
  const NumericScope numeric(context_.numeric());
  file_.Close();
  file_lines_.clear();
  file_lines_charge_.Reset();
  ResetControl();  // a loop still being recorded at the end never runs
  EndSource();
  int status = run_status_;
  if (caller_ != nullptr && arguments_ != nullptr) {
    const CalcToken* offender = nullptr;
    if (const int written = WriteBackArguments(*arguments_, *storage_, caller_->storage(), offender)) {
      evaluator_.Fail(written, offender);
      ReportCode(written);
      if (status == kValue) status = written;
    }
  }
  // ":rad 1" (":deg 1", ":grad 1") asked for the answer in the unit the
  // caller had.
  if (mode_target_.answer_conversion && context_.numeric().angle_unit != saved_angle_unit_) {
    CalcMatrix& answer = storage_->arrays().Matrix(0);
    for (std::int32_t i = 0; i < answer.count(); ++i) {
      CalcValue& v = answer.At(i);
      ConvertAngle(v.AsComplex(), mode_target_.engine_angle_unit, saved_angle_unit_);
      v.Sync();
    }
    context_.SetAngleUnit(saved_angle_unit_);
  }
  body_.reset();
  arguments_ = nullptr;
  caller_ = nullptr;
  return status;
}

int CalcEngine::RunEntryOn(CalcEngine& engine, CalcFunctionEntry& entry, bool copy_state,
                           const CalcTokenList& arguments, CalcEngine& caller) {
  if (&engine.storage() != &StorageOf(engine.context())) return kDone;
  if (copy_state) TakeOverState(engine.context(), caller.context());
  if (engine.BeginEntry(entry, arguments, caller) == kDone)
    while (engine.Step()) {
    }
  return engine.End();
}

int CalcEngine::RunFileOn(CalcEngine& engine, std::string_view name, const CalcTokenList& arguments,
                          CalcEngine& caller) {
  if (&engine.storage() != &StorageOf(engine.context())) return kDone;
  if (engine.BeginFile(name, arguments, caller) == kDone)
    while (engine.Step()) {
    }
  return engine.End();
}

}  // namespace calc
