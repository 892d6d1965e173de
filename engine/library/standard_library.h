// The engine's library of built-in functions and library commands, as the
// embedding programs install it: engine.set_library(&StandardLibrary()).
#pragma once

#include "language/library_interface.h"

namespace calc {

// One stateless object for the whole process; what a run keeps lives in
// its storage (library/library_state.h).
const CalcLibrary& StandardLibrary();

}  // namespace calc
