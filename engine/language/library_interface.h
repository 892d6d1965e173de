// CalcLibrary: where the built-in functions and the library's ":" commands
// plug into the language. The language knows only this interface; the
// library layer (which builds on the language and is never included by it)
// provides the implementation, and the embedding program installs it in its
// engine (CalcEngine::set_library). The engines made for function calls take
// their caller's library, so one installation covers every call a text makes.
// An engine without a library fails every built-in with E_FUNCTION and every
// library command with E_COMMAND_PARAM.
//
// A library holds no state of its own: one object serves every engine of the
// process at once. What a run needs to keep (the random generator, say) goes
// into a CalcLibraryState that the run's storage owns.
#pragma once

#include "core/matrix.h"
#include "core/token.h"

namespace calc {

class CalcEngine;
class CalcEvaluator;

// Per-run state of a library, owned by a storage (CalcStorage::library_state)
// and freed with it. Only the library that made it knows what it holds.
class CalcLibraryState {
 public:
  virtual ~CalcLibraryState() = default;
};

class CalcLibrary {
 public:
  virtual ~CalcLibrary() = default;

  // Calls the built-in function of `function` (kind 10), which the evaluator
  // has just taken: its arguments follow at the evaluator's cursor. The value
  // goes into `result`. 0, or an error with the offending token recorded.
  virtual int CallFunction(CalcEvaluator& evaluator, const CalcToken& function, CalcMatrix& result) const = 0;

  // Runs a library command (codes 41..103 of core/command_names.h) whose
  // token the evaluator has just taken: its arguments follow at the cursor.
  // 4 ("done"), or an error with the offending token recorded.
  virtual int RunCommand(CalcEngine& engine, const CalcToken& command, CalcMatrix& result) const = 0;
};

}  // namespace calc
