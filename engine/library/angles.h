// The current angle unit (radians, degrees or grads, a context setting) as
// the trigonometric built-ins see it: their arguments and results are in
// that unit, their computations in radians.
#pragma once

#include "core/value.h"

namespace calc {

// An angle in the current unit as radians: x times pi divided by the unit's
// half turn (180 or 200); both parts alike.
CalcComplex AngleToRadians(const CalcComplex& angle);
double AngleToRadians(double angle);
// Radians as an angle in the current unit.
CalcComplex RadiansToAngle(const CalcComplex& radians);
double RadiansToAngle(double radians);

}  // namespace calc
