// CalcEngine: runs text for a host. It owns the evaluation state (the
// evaluator), the control state (if and switch stacks, loop recording and
// replay), the line filter, the engine switches and the interruption check,
// and talks to the embedding program through its host (language/host.h),
// which the engines of function calls share.
//
// Function calls run in engines of their own: a call makes a fresh context,
// asks the host to run the body on it (RunFunction for a function entry,
// RunNamedText for an external function that is not cached), and that engine runs the
// body with BeginEntry or BeginFile, Step until it answers false, and End.
// RunEntryOn and RunFileOn do exactly that for a host; the host's base
// answers use them with a plain engine on the same host. A nested engine
// shares its caller's run budget (interruption, step limit, memory) and
// continues its caller's operand nesting, so that recursion through functions
// is bounded like any other nesting (E_MEM) and a runaway function is ended
// like a runaway loop.
//
// Running a statement gives one of these statuses:
//   0      evaluated without a printable result
//   1      not run: the line filter said no
//   3      evaluated with a result; the result is now the previous answer
//   4      skipped, or done without a value (statements, commands)
//   0x101  E_COMMAND: a command while the context does not accept commands
//   0x102  E_STAT: a statement keyword while the context does not accept them
//   and the error codes of status_codes.h.
//
// Runaway text ends with an error instead of hanging. The run budget
// (core/run_budget.h) counts work against an optional step limit: each
// statement is one step, and long operations (matrix products, fills and
// resizes of arrays, brace lists) count their element operations as they go.
// It holds a cancellation flag that any thread may set, checked as often, and
// a memory limit for the values, arrays and compiled lines of the run. Each
// ends the statement with E_MEM, and the report carries the reason as its
// token text: "interrupted", "step limit reached" or "memory limit reached";
// the first two end the run (see interrupted()). Deep input is bounded the
// same way: operand nesting by CalcEvaluator::kMaxNesting (through function
// calls kMaxCallNesting) and block nesting by CalcBlockState::kMaxBlockDepth,
// all failing with E_MEM.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/context.h"
#include "core/mode_commands.h"
#include "core/modes.h"
#include "core/run_budget.h"
#include "core/status_codes.h"
#include "core/token.h"
#include "language/brace_list.h"
#include "language/commands.h"
#include "language/evaluator.h"
#include "language/evaluator_services.h"
#include "language/functions.h"
#include "language/host.h"
#include "language/library_interface.h"
#include "language/line_runner.h"
#include "core/matrix.h"
#include "language/reporter.h"
#include "language/statements.h"
#include "language/variables.h"

namespace calc {

// The construction settings, in the order a host passes them. The engine
// keeps each switch as a pair (current, remembered), both starting at the
// given value.
struct CalcEngineSettings {
  std::uint16_t mode = kModeGfloat;  // ":ptype" returns to it
  bool echo = true;                  // print status-3 results that are no assignment
  bool assertions = false;           // "assert" is tested only while on
  bool warnings = true;              // warnings are reported only while on
  bool auto_refresh = true;          // graphics commands refresh the canvas
  bool debug = false;                // read by the host
  int line_filter_mode = CalcLineFilter::kRunAll;
  bool line_notification = true;     // the filter calls NotifyLine before PermitLine
  // An assignment to a name that names nothing declares it as a variable
  // first, as ":var" would, so scripts need no declarations. Off, such a name
  // is a call of a user-defined function.
  bool implicit_variables = false;
};

// A function being defined by "func" (see DefineFunction).
struct CalcFunctionDefinition {
  const CalcToken* name = nullptr;                  // the name token
  CalcTokenList::const_iterator params_begin;       // the rest of the "func" line
  CalcTokenList::const_iterator params_end;
  int line = 0;                                     // the line of "func"
  std::vector<const CalcLine*> body;                // the recorded statements up to "endfunc"
};

class CalcEngine : private CalcEvaluatorServices {
 public:
  // An engine with storage of its own, on `host`, which must outlive it.
  CalcEngine(CalcContext& context, CalcHost& host, const CalcEngineSettings& settings = {});
  // An engine on the host's storage (an engine made for a function call runs
  // on its context's storage: CalcEngine(context, StorageOf(context), ...)).
  CalcEngine(CalcContext& context, CalcStorage& storage, CalcHost& host, const CalcEngineSettings& settings = {});
  CalcEngine(const CalcEngine&) = delete;
  CalcEngine& operator=(const CalcEngine&) = delete;
  // Hook slot 0: the destruction. Hosts may derive their engine from this one.
  virtual ~CalcEngine();

  // The embedding program's side: every hook goes to it.
  CalcHost& host() const { return host_; }
  CalcContext& context() { return context_; }
  const CalcContext& context() const { return context_; }
  CalcStorage& storage() { return *storage_; }
  const CalcStorage& storage() const { return *storage_; }
  CalcEvaluator& evaluator() { return evaluator_; }
  CalcControlState& control() { return control_; }
  const CalcControlState& control() const { return control_; }
  CalcLineFilter& line_filter() { return filter_; }
  CalcBraceList& brace_list() override { return braces_; }
  ModeCommandTarget& mode_target() { return mode_target_; }
  // The settings the engine was made with.
  const CalcEngineSettings& settings() const { return settings_; }

  // The built-in functions and library commands (null: none, and every
  // built-in fails). The library must outlive the engine; the engines made
  // for calls take the caller's.
  const CalcLibrary* library() const override { return library_; }
  void set_library(const CalcLibrary* library) { library_ = library; }

  // --- the switches: (current, remembered) pairs ---
  //
  // The setters work as a switch command with 0 or 1: the old setting is
  // remembered.
  CalcSwitch& echo_switch() { return echo_; }
  CalcSwitch& assertion_switch() { return assertions_; }
  CalcSwitch& warning_switch() { return warnings_; }
  CalcSwitch& refresh_switch() { return auto_refresh_; }
  CalcSwitch& debug_switch() { return debug_; }
  bool echo() const { return echo_.on(); }
  void set_echo(bool on) { echo_.Set(on); }
  bool assertions_on() const { return assertions_.on(); }
  void set_assertions(bool on) { assertions_.Set(on); }
  bool warnings_on() const { return warnings_.on(); }
  void set_warnings(bool on) { warnings_.Set(on); }
  bool auto_refresh() const { return auto_refresh_.on(); }
  void set_auto_refresh(bool on) { auto_refresh_.Set(on); }
  bool debug_on() const { return debug_.on(); }
  void set_debug(bool on) { debug_.Set(on); }
  bool line_notification() const { return line_notification_.on(); }
  void set_line_notification(bool on) {
    line_notification_.Set(on);
    filter_.notify = on;
  }

  // The settings of an engine this one makes for a call: this context's mode
  // word, no echo, and the current values of the other switches.
  CalcEngineSettings NestedSettings() const;

  // --- running text ---

  // Compiles and runs the text one physical line at a time, so that a mode or
  // radix command affects how the following lines read their numbers. Returns
  // the status of the last statement run (4 when none ran). Stops early when
  // an error is reported while a source runs, after "return", and when the
  // run is interrupted.
  int RunText(std::string_view text);
  // Runs compiled statements in order (recording them while a block is being
  // recorded, and replaying it when the outermost block is complete).
  int RunLines(CalcLineList& lines);
  // Runs one statement and reports its status: the line filter, the
  // keyword's structure handler or the skip test, evaluation, the previous
  // answer, the postfix queue and the echo. Used by replay too.
  int RunStatement(const CalcLine& statement);
  // True when the last run was abandoned (an error while a source runs,
  // "return", an interruption). Cleared by the next RunText, RunLines or
  // Begin.
  bool run_stopped() const { return run_stopped_; }

  // The lines that follow come from a named source (a file or a function):
  // line numbers restart at `first_line`, reports carry the name and the
  // line counted from there, and an error ends the run.
  void BeginSource(std::string_view name, int first_line = 1);
  void EndSource();
  bool in_source() const { return in_source_; }
  std::string_view source_name() const { return source_name_; }
  // The line of the statement running now within its source (1 for the
  // source's first line), or 0 outside a source.
  int SourceLine() const { return in_source_ ? current_line_ - source_first_line_ + 1 : 0; }
  // The number the next compiled physical line gets.
  int next_line() const { return next_line_; }
  // The line of the statement running now.
  int current_line() const { return current_line_; }

  // The statement being run now (null between statements).
  const CalcLine* current_statement() const { return current_statement_; }
  // Starts recording a loop or function with `statement` as its first entry
  // (the structure handler of "do", "while", "for" and "func" in mode 0).
  int StartRecording(const CalcLine& statement);
  // Records a statement while a block is being recorded; replays the tree once
  // the outermost block is complete. Returns the status to report.
  int RecordStatement(const CalcLine& statement);

  // The if and switch stacks, the block tree and a collecting brace list back
  // to their fresh state (for a host that starts an unrelated text).
  void ResetControl();

  // --- running a function: begin, step, end ---
  //
  // Each runs on the engine made for the call, whose context is the call's
  // fresh context; `caller` is the engine that makes the call and
  // `arguments` its argument list (token kinds of functions.h).

  // Begins running an external function's file: defines the predefined
  // symbol, passes the arguments, then searches the host's folders (NextFolder)
  // for folder + separator + name + extension (FileExtension) and opens it. Returns 0,
  // or the error, already reported (E_FUNC_OPEN with the name when no folder
  // has the file).
  int BeginFile(std::string_view name, const CalcTokenList& arguments, CalcEngine& caller);
  // Begins running a function entry: defines the predefined symbol, passes
  // the arguments, binds the entry's parameters, copies the caller's
  // functions and starts at the entry's first line. 0, or the error, already
  // reported.
  int BeginEntry(CalcFunctionEntry& entry, const CalcTokenList& arguments, CalcEngine& caller);
  // Runs the next statement; false at the end of the body or file, or after
  // the run stopped (an error, "return", an interruption). `status`, when
  // given, receives the statement's status.
  bool Step(int* status = nullptr);
  // Ends the run: closes the file, writes back the reference arguments,
  // converts the answer after ":rad 1" (":deg 1", ":grad 1") and restores the
  // caller's numeric settings. Returns 3 when the body ran without error,
  // else the first error.
  int End();

  // What hosts do in RunFunction and RunNamedText: on `engine` (made on the call's context
  // and its storage, with NestedSettings of the calling engine) run the entry
  // or the named file from Begin to End, and return the final status (3: it
  // ran). With `copy_state` the call's context first takes over the numeric
  // state of the caller's context (mode, precision, radix, fps and its
  // switches). An engine not on its context's storage cannot deliver a
  // result and runs nothing (0).
  static int RunEntryOn(CalcEngine& engine, CalcFunctionEntry& entry, bool copy_state,
                        const CalcTokenList& arguments, CalcEngine& caller);
  static int RunFileOn(CalcEngine& engine, std::string_view name, const CalcTokenList& arguments,
                       CalcEngine& caller);

  // The engine that called this one, while it runs a function (else null).
  CalcEngine* caller() const { return caller_; }
  // Calls between the outermost engine and this one.
  int call_depth() const { return call_depth_; }

  // --- the predefined symbol ---

  // A name the host sets once for the process ("" for none): every new
  // context of a run gets it as a constant 1 unless the name exists there.
  static void SetPredefinedSymbol(std::string_view name);
  static const std::string& PredefinedSymbol();
  // Defines it in this engine's storage (hosts call this before their own
  // text; Begin does it for functions).
  void DefinePredefinedSymbol();

  // --- interruption and limits ---

  // Asks the running text to end; safe from any thread and from a signal
  // handler. The statement running now (of this engine or of a function it
  // called) fails with E_MEM within a moment, and the run ends.
  void RequestInterrupt() { budget_->RequestInterrupt(); }
  // At most `limit` more steps of work (0: no limit); the counter restarts.
  void SetStepLimit(std::uint64_t limit) { budget_->SetStepLimit(limit); }
  std::uint64_t steps() const { return budget_->steps(); }
  // Most bytes the run's values, arrays and compiled lines may take at once
  // (0: no limit; CalcRunBudget::kDefaultMemoryLimit unless set).
  void SetMemoryLimit(std::size_t bytes) { budget_->SetMemoryLimit(bytes); }
  // The budget of the run, shared with the engines made for calls.
  CalcRunBudget& budget() { return *budget_; }
  // True when the last run was ended by an interruption or the step limit.
  bool interrupted() const { return budget_->ended(); }

  // --- reporting ---

  // Hands a status (0x100 and above) to the report routine with the evaluator's
  // offending token. True when the run must stop.
  bool ReportCode(int code);
  // Reports a warning or error with an explicit offender. True when the run
  // must stop.
  bool ReportWith(int code, const Offender& offender) override;
  // The number of reports with a code that is not a warning, since the
  // engine was made.
  int errors_reported() const { return errors_reported_; }

  // --- services the evaluator (CalcEvaluatorServices) and the statements call ---

  // A ":" command as an operand (language/commands.h).
  int RunCommand(const CalcToken& command, CalcMatrix& result) override;
  // A statement keyword as an operand.
  int RunKeyword(const CalcToken& keyword) override;
  // An identifier that names nothing: a call of a user-defined function with
  // the operands that follow it. E_CONSTANT when no function has the name,
  // E_USERFUNC when it does not run.
  int CallUserFunction(const CalcToken& name, CalcMatrix& result) override;
  // "!name": a call of an external function: from the cache, else read from
  // its file into the cache, else (cache capacity 0, or no file found) by
  // the host's RunNamedText. E_EXTFUNC when it does not run.
  int CallExternalFunction(const CalcToken& name, CalcMatrix& result) override;
  // "func name params" while its block is replayed: adds the function to the
  // context's list. E_STAT_FUNCNAME (the name is taken), E_STAT_FUNC (the list
  // takes no entries), E_STAT_FUNCPARAM (a bad parameter list), E_MEM.
  int DefineFunction(const CalcFunctionDefinition& definition);
  // Searches the host's folders (NextFolder) for the file of external function `name`
  // and opens it into `file`. False when no folder has it.
  bool OpenFunctionFile(std::string_view name, CalcSourceFile& file);

 private:
  bool implicit_variables() const override { return settings_.implicit_variables; }

  // What one call adds to the operand nesting (CalcEvaluator::kMaxCallNesting):
  // the stack a call takes beyond the operand that makes it, in operand
  // levels (measured: less than one), so that the nesting limit bounds the
  // stack through calls too.
  static constexpr int kCallNesting = 2;
  // Most folders one search asks NextFolder for, against a host that never
  // answers false.
  static constexpr int kMaxFolders = 4096;

  CalcEngine(CalcContext& context, CalcStorage* storage, CalcHost& host, const CalcEngineSettings& settings);
  int RunStatementUnguarded(const CalcLine& statement);
  int EvaluateStatement(const CalcLine& statement);
  void Echo(const CalcMatrix& result);
  bool FilterPermits(const CalcLine& statement);
  // Counts a statement; true when the step limit or the cancellation flag
  // ends the run.
  bool CheckInterrupt();
  // A run the host starts is not ended by an interruption of the last one.
  void BeginRun();
  // Compiles one physical line into `lines` with its memory charged to the
  // budget in `charge`. 0 or the error (not reported).
  int CompileCharged(std::string_view physical, int line_number, CalcLineList& lines, CalcMemoryCharge& charge);
  void AbandonBlocks(int if_depth, int switch_depth);

  // Begin's common part: the caller link, the predefined symbol, the
  // arguments. 0 or the reported error.
  int BeginCall(const CalcTokenList& arguments, CalcEngine& caller);
  // The next statement of the running body or file, or null at its end.
  const CalcLine* NextBodyStatement();
  // The place of `statement` in the running function's body, when it is the
  // body statement that Step runs now; else npos.
  std::size_t BodyPlaceOf(const CalcLine& statement) const;
  // After a loop recorded from the body's statements is complete: the body
  // keeps its tree for later runs.
  void KeepRecordedLoop();
  // A function's result into `result` after RunFunction or RunNamedText answered `status`.
  int TakeResult(int status, int failure, const CalcToken& name, CalcContext& callee, CalcMatrix& result);

  CalcContext& context_;
  CalcHost& host_;
  const CalcLibrary* library_ = nullptr;
  std::unique_ptr<CalcStorage> own_storage_;
  CalcStorage* storage_;
  CalcEngineSettings settings_;
  CalcEvaluator evaluator_;
  CalcControlState control_;
  CalcLineFilter filter_;
  CalcBraceList braces_;
  ModeCommandTarget mode_target_;
  std::uint8_t saved_angle_unit_;

  CalcSwitch echo_;
  CalcSwitch assertions_;
  CalcSwitch warnings_;
  CalcSwitch auto_refresh_;
  CalcSwitch debug_;
  CalcSwitch line_notification_;

  bool in_source_ = false;
  std::string source_name_;
  int source_first_line_ = 1;
  int next_line_ = 1;
  int current_line_ = 0;
  const CalcLine* current_statement_ = nullptr;
  bool run_stopped_ = false;
  int errors_reported_ = 0;

  // The engine's own budget, or its caller's while it runs a function.
  std::shared_ptr<CalcRunBudget> budget_;

  // The function run in progress (BeginEntry / BeginFile to End).
  CalcEngine* caller_ = nullptr;
  int call_depth_ = 0;
  const CalcTokenList* arguments_ = nullptr;
  std::shared_ptr<CalcFunctionBody> body_;  // keeps a running entry alive
  std::size_t body_next_ = 0;
  CalcSourceFile file_;
  CalcLineList file_lines_;  // the statements of the file line being run
  CalcMemoryCharge file_lines_charge_;
  std::size_t file_next_ = 0;
  int run_status_ = kValue;  // 3, or the first error of the run

  // The if and switch depths when recording began, restored when an error
  // abandons the replay.
  int recording_if_depth_ = 0;
  int recording_switch_depth_ = 0;
  // Where in the running body the block being recorded began (npos: not in
  // the body, or its tree is a kept one).
  std::size_t recording_from_ = kNotInBody;
  static constexpr std::size_t kNotInBody = static_cast<std::size_t>(-1);
};

}  // namespace calc
