// What an evaluator asks of the engine that runs it. Values, names and
// operators are the evaluator's own business; the operands that run
// something else (a ":" command, a statement keyword, a call of a user or
// external function, a built-in through the library), the reports and the
// brace list that outlives one statement belong to the engine. The engine
// implements this interface, so the evaluator is built without the engine's
// header and the dependency runs one way: engine on evaluator.
#pragma once

#include "core/matrix.h"
#include "core/token.h"
#include "language/brace_list.h"
#include "language/reporter.h"

namespace calc {

class CalcLibrary;

class CalcEvaluatorServices {
 public:
  // A ":" command as an operand.
  virtual int RunCommand(const CalcToken& command, CalcMatrix& result) = 0;
  // A statement keyword as an operand.
  virtual int RunKeyword(const CalcToken& keyword) = 0;
  // An identifier that names nothing: a call of a user-defined function.
  virtual int CallUserFunction(const CalcToken& name, CalcMatrix& result) = 0;
  // "!name": a call of an external function.
  virtual int CallExternalFunction(const CalcToken& name, CalcMatrix& result) = 0;
  // Reports a warning or an error; true when the run must stop.
  virtual bool ReportWith(int code, const Offender& offender) = 0;
  // The built-in functions (null: none).
  virtual const CalcLibrary* library() const = 0;
  // The brace initializer being collected.
  virtual CalcBraceList& brace_list() = 0;
  // True when an assignment to a name that names nothing declares it.
  virtual bool implicit_variables() const = 0;

 protected:
  ~CalcEvaluatorServices() = default;
};

}  // namespace calc
