// The arguments of the library commands: every one that is missing or cannot
// be used fails the command with E_COMMAND_PARAM, recorded with the command
// token or the offending argument.
#pragma once

#include <string>

#include "core/matrix.h"
#include "core/token.h"
#include "language/engine.h"
#include "library/arguments.h"

namespace calc {

// The next operand, evaluated.
int ReadCommandValue(CalcEngine& engine, const CalcToken& command, CalcMatrix& out);
// The next argument as a variable (see TakeVariable).
int ReadCommandVariable(CalcEngine& engine, const CalcToken& command, VariableTarget& target);
// The next argument as a string (see TakeString).
int ReadCommandString(CalcEngine& engine, const CalcToken& command, std::string& text);

// The next argument as an array that the command writes (see
// TakeWritableArray); `code` is its slot.
int ReadTargetArray(CalcEngine& engine, const CalcToken& command, std::uint8_t& code);

}  // namespace calc
