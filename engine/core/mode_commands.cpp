#include "core/mode_commands.h"

#include <cmath>

#include "core/command_names.h"
#include "core/numeric_settings.h"
#include "core/status_codes.h"

namespace calc {
namespace {

enum class Effect : std::uint8_t {
  kModeAndPrecision,  // optional argument: precision
  kPrecision,         // required argument
  kModeOnly,          // arguments ignored
  kModeAndFps,        // optional argument: fps
  kFps,               // required argument
  kModeAndRadix,      // optional argument: radix
  kRadix,             // required argument
  kCreationMode,
  kAngleUnit,         // optional argument: answer conversion on/off
  kAngleParameter,    // required argument 0..9
};

struct ModeCommand {
  std::uint8_t code;
  Effect effect;
  std::uint16_t value;  // mode word, or angle unit for kAngleUnit
};

// ORDER CommandCode: row i is code i + 1.
constexpr ModeCommand kModeCommands[] = {
    {kCmdEfloat, Effect::kModeAndPrecision, kModeEfloat},
    {kCmdFloat, Effect::kModeAndPrecision, kModeFloat},
    {kCmdGfloat, Effect::kModeAndPrecision, kModeGfloat},
    {kCmdEcomplex, Effect::kModeAndPrecision, kModeEcomplex},
    {kCmdComplex, Effect::kModeAndPrecision, kModeComplex},
    {kCmdGcomplex, Effect::kModeAndPrecision, kModeGcomplex},
    {kCmdPrec, Effect::kPrecision, 0},
    {kCmdFract, Effect::kModeOnly, kModeFract},
    {kCmdMfract, Effect::kModeOnly, kModeMfract},
    {kCmdHtime, Effect::kModeAndFps, kModeHtime},
    {kCmdMtime, Effect::kModeAndFps, kModeMtime},
    {kCmdTime, Effect::kModeAndFps, kModeTime},
    {kCmdFtime, Effect::kModeAndFps, kModeFtime},
    {kCmdFps, Effect::kFps, 0},
    {kCmdChar, Effect::kModeAndRadix, kModeChar},
    {kCmdUchar, Effect::kModeAndRadix, kModeUchar},
    {kCmdShort, Effect::kModeAndRadix, kModeShort},
    {kCmdUshort, Effect::kModeAndRadix, kModeUshort},
    {kCmdLong, Effect::kModeAndRadix, kModeLong},
    {kCmdUlong, Effect::kModeAndRadix, kModeUlong},
    {kCmdInt, Effect::kModeAndRadix, kModeLong},
    {kCmdUint, Effect::kModeAndRadix, kModeUlong},
    {kCmdRadix, Effect::kRadix, 0},
    {kCmdPtype, Effect::kCreationMode, 0},
    {kCmdRad, Effect::kAngleUnit, kRadians},
    {kCmdDeg, Effect::kAngleUnit, kDegrees},
    {kCmdGrad, Effect::kAngleUnit, kGrads},
    {kCmdAngle, Effect::kAngleParameter, 0},
};

constexpr bool RowsFollowCodes() {
  for (std::size_t i = 0; i < std::size(kModeCommands); ++i)
    if (kModeCommands[i].code != i + 1) return false;
  return std::size(kModeCommands) == kCmdLastMode;
}
static_assert(RowsFollowCodes(), "one row per mode command, in code order");

// Integer arguments are truncated toward zero and saturate at the 32-bit
// range, so a huge radix still clamps to 36 and NaN counts as 0.
std::int32_t IntegerArgument(double x) {
  if (std::isnan(x)) return 0;
  if (x >= 2147483647.0) return 2147483647;
  if (x <= -2147483648.0) return -2147483647 - 1;
  return static_cast<std::int32_t>(x);
}

int ApplyAngleParameter(std::optional<double> argument, ModeCommandTarget& target) {
  if (!argument) return E_COMMAND_PARAM;
  const std::int32_t n = IntegerArgument(*argument);
  if (n < 0 || n > 9) return E_COMMAND_PARAM;
  CalcValue* parameter = target.parameter ? target.parameter(n) : nullptr;
  if (parameter == nullptr) return E_COMMAND_PARAM;
  ConvertAngle(parameter->AsComplex(), target.caller_angle_unit, target.engine_angle_unit);
  parameter->Sync();
  return kNoValue;
}

}  // namespace

bool IsModeCommand(int code) { return code >= 1 && code <= kCmdLastMode; }

int RunModeCommand(int code, std::optional<double> argument, ModeCommandTarget& target) {
  if (!IsModeCommand(code)) return E_COMMAND_PARAM;
  const ModeCommand& command = kModeCommands[code - 1];
  CalcContext& ctx = target.context;
  switch (command.effect) {
    case Effect::kModeAndPrecision:
      ctx.SetMode(command.value);
      if (argument) ctx.SetPrecision(IntegerArgument(*argument));
      break;
    case Effect::kPrecision:
      if (!argument) return E_COMMAND_PARAM;
      ctx.SetPrecision(IntegerArgument(*argument));
      break;
    case Effect::kModeOnly:
      ctx.SetMode(command.value);
      break;
    case Effect::kModeAndFps:
      ctx.SetMode(command.value);
      if (argument) ctx.SetFps(*argument);
      break;
    case Effect::kFps:
      if (!argument) return E_COMMAND_PARAM;
      ctx.SetFps(*argument);
      break;
    case Effect::kModeAndRadix:
      ctx.SetMode(command.value);
      if (argument) ctx.SetRadix(IntegerArgument(*argument));
      break;
    case Effect::kRadix:
      if (!argument) return E_COMMAND_PARAM;
      ctx.SetRadix(IntegerArgument(*argument));
      break;
    case Effect::kCreationMode:
      ctx.SetMode(target.creation_mode);
      break;
    case Effect::kAngleUnit:
      ctx.SetAngleUnit(static_cast<std::uint8_t>(command.value));
      target.engine_angle_unit = static_cast<std::uint8_t>(command.value);
      target.answer_conversion = argument.has_value() && *argument != 0.0;
      break;
    case Effect::kAngleParameter:
      return ApplyAngleParameter(argument, target);
  }
  return kNoValue;
}

}  // namespace calc
