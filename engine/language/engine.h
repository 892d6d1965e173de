// CalcEngine: runs text for a host. It owns the evaluation state (the
// evaluator), the control state (if and switch stacks, loop recording and
// replay), the line filter, the engine switches and the interruption check,
// and talks to the host through virtual hooks that the host's subclass
// overrides: the report hook, the output hooks that echo results, and the
// line notification and permission hooks of the line filter.
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
// Runaway text ends with an error instead of hanging: the engine counts the
// statements it runs against an optional step limit and checks a
// cancellation flag that any thread may set; either ends the run with E_MEM
// (see Interrupted()). Deep input is bounded the same way: operand nesting by
// CalcEvaluator::kMaxNesting and block nesting by
// CalcBlockState::kMaxBlockDepth, both failing with E_MEM.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/context.h"
#include "core/mode_commands.h"
#include "core/modes.h"
#include "core/token.h"
#include "language/evaluator.h"
#include "language/line_runner.h"
#include "language/matrix.h"
#include "language/reporter.h"
#include "language/statements.h"
#include "language/variables.h"

namespace calc {

// The construction settings, in the order a host passes them.
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

// A function defined by "func", handed to the host's DefineFunction.
struct CalcFunctionDefinition {
  std::string_view name;
  const CalcTokenList* header = nullptr;  // the "func" statement: name and parameters
  std::vector<const CalcLine*> body;      // the recorded statements up to "endfunc"
};

// An array's brace initializer being collected, possibly across statements.
struct CalcBraceList {
  bool active = false;
  std::uint8_t code = 0;
  bool by_code = false;
  int depth = 0;          // braces open so far
  CalcTokenList tokens;   // from the "{" on
  void Reset() {
    active = false;
    depth = 0;
    tokens.Clear();
  }
};

class CalcEngine : public ReportHook {
 public:
  // An engine with storage of its own.
  explicit CalcEngine(CalcContext& context, const CalcEngineSettings& settings = {});
  // An engine on the host's storage.
  CalcEngine(CalcContext& context, CalcStorage& storage, const CalcEngineSettings& settings = {});
  CalcEngine(const CalcEngine&) = delete;
  CalcEngine& operator=(const CalcEngine&) = delete;
  // Restores the angle unit that was current when the engine was made.
  ~CalcEngine() override;

  CalcContext& context() { return context_; }
  CalcStorage& storage() { return *storage_; }
  CalcEvaluator& evaluator() { return evaluator_; }
  CalcControlState& control() { return control_; }
  const CalcControlState& control() const { return control_; }
  CalcLineFilter& line_filter() { return filter_; }
  CalcBraceList& brace_list() { return braces_; }
  ModeCommandTarget& mode_target() { return mode_target_; }
  const CalcEngineSettings& settings() const { return settings_; }

  // The switches.
  bool echo() const { return echo_; }
  void set_echo(bool on) { echo_ = on; }
  bool warnings_on() const { return warnings_; }
  void set_warnings(bool on) { warnings_ = on; }
  bool assertions_on() const { return assertions_; }
  void set_assertions(bool on) { assertions_ = on; }

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
  int RunStatement(CalcLine& statement);
  // True when the last run was abandoned (an error while a source runs,
  // "return", an interruption). Cleared by the next RunText or RunLines.
  bool run_stopped() const { return run_stopped_; }

  // The lines that follow come from a named source (a file): line numbers
  // restart at 1, reports carry the name and line, and an error ends the run.
  void BeginSource(std::string_view name);
  void EndSource();
  bool in_source() const { return in_source_; }
  std::string_view source_name() const { return source_name_; }
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

  // --- interruption ---

  // Asks the running text to end; safe from any thread and from a signal
  // handler. The next statement fails with E_MEM and the run ends.
  void RequestInterrupt() { interrupt_requested_.store(true, std::memory_order_relaxed); }
  // At most `limit` more statements run (0: no limit); the counter restarts.
  void SetStepLimit(std::uint64_t limit);
  std::uint64_t steps() const { return steps_; }
  // True when the last E_MEM came from the interruption check.
  bool interrupted() const { return interrupted_; }

  // --- reporting ---

  // Hands a status (0x100 and above) to the report routine with the evaluator's
  // offending token. True when the run must stop.
  bool ReportCode(int code);
  // Reports a warning or error with an explicit offender. True when the run
  // must stop.
  bool ReportWith(int code, const Offender& offender);
  // The number of reports with a code that is not a warning, since the
  // engine was made.
  int errors_reported() const { return errors_reported_; }

  // --- services the evaluator and the statements call ---

  // A ":" command as an operand: mode commands and declarations; the others
  // are not available yet (E_COMMAND_PARAM).
  int RunCommand(const CalcToken& command, CalcMatrix& result);
  // A statement keyword as an operand.
  int RunKeyword(const CalcToken& keyword);
  // An identifier that names nothing: a call of a user-defined function.
  virtual int CallUserFunction(const CalcToken& name, CalcMatrix& result);
  // "!name": a call of an external function.
  virtual int CallExternalFunction(const CalcToken& name, CalcMatrix& result);
  // A "func" block being defined. The base accepts and forgets it.
  virtual int DefineFunction(const CalcFunctionDefinition& definition);

  // --- hooks ---

  // The report hook: a code with its line, source and token text.
  void OnReport(const Report& report) override;
  // Echo of a 1 x 1 result: its real and imaginary texts (answer format).
  virtual void PrintValue(std::string_view real, std::string_view imaginary);
  // Echo of any other result: the brace form of the previous answer.
  virtual void PrintList(const CalcTokenList& braces);
  // A message text (":warn").
  virtual void PrintMessage(std::string_view text);
  // Called by the line filter before it asks PermitLine (when notification
  // is on).
  virtual void NotifyLine(const CalcLineInfo& line);
  // The line filter's final answer; true runs the statement.
  virtual bool PermitLine(const CalcLineInfo& line);
  // An "assert" failed; true stops the run.
  virtual bool AssertionFailed(int line, std::string_view source);

 private:
  CalcEngine(CalcContext& context, CalcStorage* storage, const CalcEngineSettings& settings);
  int RunStatementUnguarded(CalcLine& statement);
  int EvaluateStatement(CalcLine& statement);
  int ContinueBraceList(CalcLine& statement, CalcMatrix& result);
  void Echo(const CalcMatrix& result);
  bool FilterPermits(const CalcLine& statement);
  // True when the step limit or the cancellation flag ends the run.
  bool CheckInterrupt();
  void AbandonBlocks(int if_depth, int switch_depth);

  CalcContext& context_;
  std::unique_ptr<CalcStorage> own_storage_;
  CalcStorage* storage_;
  CalcEngineSettings settings_;
  CalcEvaluator evaluator_;
  CalcControlState control_;
  CalcLineFilter filter_;
  CalcBraceList braces_;
  ModeCommandTarget mode_target_;
  std::uint8_t saved_angle_unit_;

  bool echo_;
  bool warnings_;
  bool assertions_;

  bool in_source_ = false;
  std::string source_name_;
  int next_line_ = 1;
  int current_line_ = 0;
  const CalcLine* current_statement_ = nullptr;
  bool run_stopped_ = false;
  int errors_reported_ = 0;

  std::atomic<bool> interrupt_requested_{false};
  std::uint64_t step_limit_ = 0;
  std::uint64_t steps_ = 0;
  bool interrupted_ = false;

  // The if and switch depths when recording began, restored when an error
  // abandons the replay.
  int recording_if_depth_ = 0;
  int recording_switch_depth_ = 0;
};

}  // namespace calc
