// The mode commands (":efloat" ... ":angle", codes 1-28): what each does to
// the context and to the engine-wide numeric settings. The command runner
// evaluates the optional argument and calls RunModeCommand.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include "core/context.h"
#include "core/value.h"

namespace calc {

// What a mode command may change besides the context: the running engine
// object's own angle state, and the parameter variables ":angle" converts.
struct ModeCommandTarget {
  explicit ModeCommandTarget(CalcContext& ctx) : context(ctx) {}

  CalcContext& context;
  std::uint16_t creation_mode = kModeGfloat;  // restored by ":ptype"
  std::uint8_t caller_angle_unit = kRadians;  // the calling engine's unit
  std::uint8_t engine_angle_unit = kRadians;  // recorded by ":rad" ":deg" ":grad"
  bool answer_conversion = false;             // likewise
  // Parameter variable 0..9, or nullptr when there is none.
  std::function<CalcValue*(int)> parameter;
};

bool IsModeCommand(int code);

// Runs mode command `code` with its argument (nullopt when none was given or
// it could not be evaluated). Returns 4 (done) or E_COMMAND_PARAM.
int RunModeCommand(int code, std::optional<double> argument, ModeCommandTarget& target);

}  // namespace calc
