// One call of a built-in function as its handler sees it: the evaluator
// whose cursor stands on the arguments, the function token, the result, the
// arguments the dispatcher has already read, and the call's event flags.
//
// Event flags: the complex routines raise them when a real function is taken
// outside its real domain while the engine is in a non-complex mode (the
// square root of -4 in a float mode). A handler with a warning of its own
// (W_SQRT, W_LOG, ...) reports and clears them; whatever is still raised when
// the handler returns is reported by the dispatcher as W_FUNCTION. The flags
// belong to the call, so engines, nested calls and threads never see each
// other's.
#pragma once

#include <cstdint>
#include <string>

#include "core/numeric_settings.h"
#include "core/token.h"
#include "core/value.h"
#include "language/engine.h"
#include "library/arguments.h"

namespace calc {

struct DomainEvents {
  enum Flag : std::uint8_t {
    kOutsideDomain = 0,  // no real result: the result is not a number
    kPole = 1,           // an infinite result at a finite argument (log 0)
    kOverflow = 2,       // a finite argument whose result exceeds the real range
    kMatrix = 3,         // raised by the matrix routines
  };
  bool raised[4] = {};

  void Raise(Flag flag) { raised[flag] = true; }
  void Clear(Flag flag) { raised[flag] = false; }
  // One of the first three, which W_FUNCTION reports.
  bool AnyDomainEvent() const { return raised[kOutsideDomain] || raised[kPole] || raised[kOverflow]; }
  void ClearDomainEvents() { raised[kOutsideDomain] = raised[kPole] = raised[kOverflow] = false; }
};

// How a built-in takes its arguments. The dispatcher reads the first three
// forms before the handler runs; the handlers of the others read their own.
enum class ArgumentForm : std::uint8_t {
  kNone,              // -
  kValue,             // e
  kTwoValues,         // e, e
  kValueAndVariable,  // e, v: the handler assigns to the variable
  kNextToken,         // the next token itself, not evaluated
  kArrayOrValue,      // an array name, or an expression standing for an array
  kFormatAndValues,   // s, then one e per directive of the format
  kCallee,            // s naming the callee, then the callee's arguments
  kMatrices,          // arrays and expressions of the linear algebra
  kStrings,           // strings of the string functions
  kFiles,             // file handles and data
  kStreams,           // string-stream handles and data
  kGraphics,          // coordinates and colours of the canvas
};

struct BuiltinCall {
  CalcEvaluator& evaluator;
  const CalcToken& function;
  CalcMatrix& result;
  DomainEvents& events;
  // For kValue and kTwoValues (and the value of kValueAndVariable): the first
  // element of each argument, in the current kind.
  CalcValue values[2];
  VariableTarget target;  // for kValueAndVariable

  CalcEngine& engine() const { return evaluator.engine(); }
  // Complex modes give complex results where real functions have none.
  static bool ComplexMode() { return Numeric().real_only == 0; }

  // Records the function token as the offender and returns the code.
  int Fail(int code) const { return evaluator.Fail(code, &function); }
  void Warn(int code) const { evaluator.Warn(code, &function); }

  // The result as a 1 x 1 value in the current kind.
  void SetReal(double x) const;
  void SetComplex(const CalcComplex& z) const;
  void SetValue(const CalcValue& v) const;

  // For a handler with a domain warning of its own: in a non-complex mode a
  // raised event is reported as `warning` and the flags are cleared.
  void ReportDomainEvents(int warning) const;
  // For the matrix functions with a warning of their own: a raised matrix
  // event is reported as `warning` in every mode, and cleared.
  void ReportMatrixEvent(int warning) const;
};

// A built-in's body: 0, or an error with the offender recorded.
using BuiltinHandler = int (*)(BuiltinCall& call);

// An expression argument of a function: the next operand, evaluated into
// `out`. E_FUNCTION when no argument follows (the end of the group, or an
// infix operator) or when it yields no value; E_CONSTANT for a token that
// cannot be a value (a string, a brace); else the operand's own error.
int ReadExpression(const BuiltinCall& call, CalcMatrix& out);
// The same, its first element in the current kind.
int ReadValue(const BuiltinCall& call, CalcValue& out);
// An expression argument's real part truncated toward zero (a handle, a
// byte, an offset).
int ReadInteger(const BuiltinCall& call, std::int64_t& out);
// A file or stream handle argument (see ToHandle). Handlers look the handle
// up only after their last argument: an argument may call a function that
// closes the file or stream.
int ReadHandle(const BuiltinCall& call, int& handle);
// A string argument (see TakeString); a missing one fails with E_FUNCTION.
int ReadString(const BuiltinCall& call, std::string& out);
// An array argument (see TakeWritableArray): `code` is its slot; any other
// token fails with E_FUNCTION.
int ReadArray(const BuiltinCall& call, std::uint8_t& code);

}  // namespace calc
