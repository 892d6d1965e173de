// Text to statements, and the line filter.
//
// Text is compiled one physical line at a time: the line is cut into
// statements at every ";" and ends early at a "#", which starts a comment
// running to the end of the line; a ";" or "#" after an odd number of
// backslashes is part of the statement (the tokenizer then reads the escaped
// character as an ordinary one). Each statement is tokenised and grouped, and
// every statement of one physical line carries that line's number.
//
// Running statements (the per-statement statuses, echo, recording and replay)
// is CalcEngine's; see engine.h.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/context.h"
#include "core/run_budget.h"
#include "core/token.h"
#include "language/scalar_plan.h"

namespace calc {

// One statement: its grouped tokens, the number of its physical line and the
// comment of that line, if it has one. A statement that is replayed also
// carries the scalar plans of its tokens (a copy does not: the plans point
// into their own list).
struct CalcLine {
  CalcTokenList tokens;
  CalcScalarPlans plans;
  int line = 0;
  // The comment of the physical line (null: none). Every statement of the
  // line, and every copy of one, shares it: a line of many statements and a
  // long comment would otherwise hold the comment many times over.
  std::shared_ptr<const std::string> comment;

  bool has_comment() const { return comment != nullptr; }
  std::string_view comment_text() const { return comment != nullptr ? std::string_view(*comment) : std::string_view(); }

  // Deep copy into `out`; 0 or E_MEM.
  int CopyTo(CalcLine& out) const;
};

using CalcLineList = std::vector<CalcLine>;

// Builds the scalar plans of statements that run many times, such as a
// function's body.
void PlanStatements(CalcLineList& lines);

// The statement texts of one physical line (no CR or LF in it), in order, and
// its comment. A line that holds nothing but blanks (and perhaps a comment)
// gives no statement; otherwise every piece between ";" gives one, empty
// pieces included, so that "for i = 0;; i++" keeps its empty condition.
struct SplitLine {
  std::vector<std::string_view> statements;
  std::string_view comment;
  bool has_comment = false;
};
SplitLine SplitStatements(std::string_view physical_line);

// True for a statement of nothing but blanks (spaces and tabs), which
// compiles to no tokens.
bool IsBlankStatement(std::string_view text);

// The same cut, one statement at a time, for a line too long to hold a list
// of its pieces twice over. Next gives the statements in order and false
// after the last; the comment is known once Next has given false.
class StatementCutter {
 public:
  explicit StatementCutter(std::string_view physical_line) : line_(physical_line) {}
  bool Next(std::string_view& statement);
  std::string_view comment() const { return comment_; }
  bool has_comment() const { return has_comment_; }

 private:
  std::string_view line_;
  std::size_t start_ = 0;  // where the next statement starts
  bool started_ = false;
  bool done_ = false;
  bool has_separator_ = false;
  std::string_view comment_;
  bool has_comment_ = false;
};

// Compiles one physical line into statements appended to `out`, all numbered
// `line_number`. Numbers are read under the context's current mode and radix.
// 0, or E_MEM (the statements compiled before stay in `out`); with a budget,
// also E_MEM when an interruption or the step limit ends the run.
int CompileLine(const CalcContext& context, std::string_view physical_line, int line_number, CalcLineList& out,
                CalcRunBudget* budget = nullptr);

// Compiles a text of any number of physical lines (ended by CR, LF or CR LF),
// numbering them from `first_line` on.
int CompileText(const CalcContext& context, std::string_view text, int first_line, CalcLineList& out);

// The next physical line of `text` from `pos`: the line without its end, and
// `pos` moved past the end. False when `pos` is at the end of the text.
bool NextPhysicalLine(std::string_view text, std::size_t& pos, std::string_view& line);

// What the line hooks see of a statement about to run.
struct CalcLineInfo {
  int line = 0;
  const CalcTokenList* tokens = nullptr;
  std::string_view comment;
};

// Decides, before each statement, whether it runs. The embedding program
// sets the mode and the line numbers:
//   kRunAll     every statement runs; no hook is asked (the default);
//   kAskAll     before every statement the notification hook is called (when
//               notification is on) and the permission hook answers;
//   kAskListed  as kAskAll, but only for statements on the listed lines; all
//               others run.
struct CalcLineFilter {
  enum Mode : int { kRunAll = 0, kAskAll = 1, kAskListed = 2 };

  int mode = kRunAll;
  bool notify = true;
  std::vector<int> lines;

  // True when the hooks are to be asked about a statement on this line.
  bool Asks(int line) const;
};

}  // namespace calc
