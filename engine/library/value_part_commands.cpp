// ":real v x", ":imag v x", ":num v x", ":denom v x": one part of a stored
// value replaced. The variable's value is viewed in the kind the part
// belongs to (a fraction or time becomes a real number for real and imag, a
// real number a fraction for num and denom), the part is set, and the value
// is stored back in the current kind. For variable code 0, the answer, this
// makes the previous answer the one value, as any store to it does.
#include "core/command_names.h"
#include "core/status_codes.h"
#include "core/truncation.h"
#include "library/command_arguments.h"
#include "library/library_commands.h"

namespace calc {
namespace {

CalcValue WithPart(int code, const CalcValue& held, double x) {
  CalcValue out;
  if (code == kCmdReal || code == kCmdImag) {
    CalcComplex z = held.ComplexView();
    (code == kCmdReal ? z.re : z.im) = x;
    out.AsComplex() = z;
  } else {
    CalcFraction f = held.FractionView();
    // The sign of the new term multiplies the fraction's sign.
    const std::uint32_t magnitude = SaturateToUint32(x < 0.0 ? -x : x);
    if (code == kCmdNum) {
      f.num = magnitude;
      f.sign = x < 0.0 ? 1 : 0;
    } else {
      f.den = magnitude;
      if (x < 0.0) f.sign ^= 1;
    }
    out.AsFraction() = f;
  }
  out.Sync();
  return out;
}

}  // namespace

int RunValuePart(CalcEngine& engine, const CalcToken& command) {
  VariableTarget target;
  if (const int status = ReadCommandVariable(engine, command, target)) return status;
  CalcMatrix x;
  if (const int status = ReadCommandValue(engine, command, x)) return status;
  const CalcValue held = engine.storage().GetVariable(target.code);
  if (const int status = AssignVariable(engine, target, WithPart(command.code(), held, x.First().ToReal())))
    return status;
  return kNoValue;
}

}  // namespace calc
