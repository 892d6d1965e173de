#include "library/random.h"

#include "core/status_codes.h"
#include "core/truncation.h"
#include "library/builtin_handlers.h"
#include "library/command_arguments.h"
#include "library/library_commands.h"
#include "library/library_state.h"

namespace calc {

int builtins::Rand(BuiltinCall& call) {
  call.SetReal(RunState(call.engine()).random.Next());
  return kDone;
}

int RunSrand(CalcEngine& engine, const CalcToken& command) {
  CalcMatrix seed;
  if (const int status = ReadCommandValue(engine, command, seed)) return status;
  // The integer part, its low 32 bits: -1 seeds as 4294967295 does.
  RunState(engine).random.Seed(TruncToUint32(seed.First().ToReal()));
  return kNoValue;
}

}  // namespace calc
