// What the standard library keeps for a run. It lives in the storage of the
// run's outermost engine (the one the engines of function calls lead back
// to), so a function continues its caller's random sequence, and it goes
// with that storage: two engines with storages of their own never share it.
// Files and string streams a run leaves open are closed when it goes.
#pragma once

#include "language/engine.h"
#include "library/file_table.h"
#include "library/canvas.h"
#include "library/plot_state.h"
#include "library/random.h"
#include "library/stream_table.h"

namespace calc {

struct StandardLibraryState final : CalcLibraryState {
  CalcRandom random;
  CalcFileTable files;
  CalcStreamTable streams;
  CalcCanvas canvas;  // empty until ":gworld"
  CalcPlotState plots;
};

// The state of the run `engine` belongs to, made on first use. May throw
// std::bad_alloc, which the engine reports as E_MEM.
StandardLibraryState& RunState(CalcEngine& engine);

}  // namespace calc
