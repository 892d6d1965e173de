#include "core/context.h"

#include <cmath>

#include "core/numeric_settings.h"
#include "language/variables.h"

namespace calc {

CalcContext::CalcContext() : storage_(std::make_unique<CalcStorage>()) {}

CalcContext::~CalcContext() = default;

void CalcContext::SetMode(std::uint16_t mode) {
  mode_ = mode;
  Republish();
}

void CalcContext::Republish() const {
  NumericSettings& s = Numeric();
  s.real_only = InGroup(mode_, kGroupComplex) ? 0 : 1;
  s.current_kind = InGroup(mode_, kGroupFraction) ? kKindFraction
                   : InGroup(mode_, kGroupTime)   ? kKindTime
                                                  : kKindComplex;
}

void CalcContext::SetRadix(std::int32_t radix) {
  radix_ = radix < 2 ? 10 : radix > 36 ? 36 : radix;
}

void CalcContext::SetPrecision(std::int32_t precision) { precision_ = precision < 0 ? 6 : precision; }

void CalcContext::SetFps(double fps) {
  // Frames are divided by the fps everywhere, so 0 (or NaN) would turn every
  // time into NaN, and an infinite rate makes every frame count infinite and
  // its whole seconds NaN; such a rate falls back to the default like a
  // negative one.
  fps_ = fps > 0 && std::isfinite(fps) ? fps : 30.0;
  Numeric().current_fps = fps_;
}

}  // namespace calc
