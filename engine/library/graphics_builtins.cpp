// The canvas queries: its size, the colour, the pen in pixels and in world
// coordinates, the colour at a point and the conversions between pixels and
// world coordinates. None changes anything.
#include <cmath>

#include "core/status_codes.h"
#include "library/builtin_handlers.h"
#include "library/library_state.h"

namespace calc::builtins {
namespace {

const CalcCanvas& CanvasOf(BuiltinCall& call) { return RunState(call.engine()).canvas; }

int ReadReal(BuiltinCall& call, double& out) {
  CalcValue value;
  if (const int status = ReadValue(call, value)) return status;
  out = value.ToReal();
  return kDone;
}

// A function of the canvas and one argument.
template <typename Convert>
int Converted(BuiltinCall& call, Convert convert) {
  double x = 0;
  if (const int status = ReadReal(call, x)) return status;
  call.SetReal(convert(CanvasOf(call), x));
  return kDone;
}

// The colour at the pixel (x, y), or at the pixel of the world point (x, y).
int ColourAt(BuiltinCall& call, bool world) {
  double x = 0, y = 0;
  if (const int status = ReadReal(call, x)) return status;
  if (const int status = ReadReal(call, y)) return status;
  const CalcCanvas& canvas = CanvasOf(call);
  if (world) {
    x = canvas.PixelX(x);
    y = canvas.PixelY(y);
  }
  call.SetReal(canvas.Get(std::trunc(x), std::trunc(y)));
  return kDone;
}

}  // namespace

int Gwidth(BuiltinCall& call) {
  call.SetReal(CanvasOf(call).width());
  return kDone;
}
int Gheight(BuiltinCall& call) {
  call.SetReal(CanvasOf(call).height());
  return kDone;
}
int Gcolor(BuiltinCall& call) {
  call.SetReal(CanvasOf(call).colour);
  return kDone;
}
int Gcx(BuiltinCall& call) {
  call.SetReal(CanvasOf(call).pen_x());
  return kDone;
}
int Gcy(BuiltinCall& call) {
  call.SetReal(CanvasOf(call).pen_y());
  return kDone;
}
int Wcx(BuiltinCall& call) {
  call.SetReal(CanvasOf(call).pen_world_x());
  return kDone;
}
int Wcy(BuiltinCall& call) {
  call.SetReal(CanvasOf(call).pen_world_y());
  return kDone;
}
int Gget(BuiltinCall& call) { return ColourAt(call, false); }
int Wget(BuiltinCall& call) { return ColourAt(call, true); }
int Gx(BuiltinCall& call) {
  return Converted(call, [](const CalcCanvas& canvas, double x) { return canvas.PixelX(x); });
}
int Gy(BuiltinCall& call) {
  return Converted(call, [](const CalcCanvas& canvas, double y) { return canvas.PixelY(y); });
}
int Wx(BuiltinCall& call) {
  return Converted(call, [](const CalcCanvas& canvas, double x) { return canvas.WorldX(x); });
}
int Wy(BuiltinCall& call) {
  return Converted(call, [](const CalcCanvas& canvas, double y) { return canvas.WorldY(y); });
}

}  // namespace calc::builtins
