// Value arithmetic: exact fractions as long as they fit in 32 bits, times in
// hours, minutes, seconds and frames, and the value-level + - * / that pick a
// primitive by the kinds of the operands. Every operation first brings its
// left operand into the engine-wide current kind; results have that kind.
// Nothing is reported: division by zero follows IEEE rules for reals and
// leaves a denominator of 0 in fractions.
#pragma once

#include "core/value.h"

namespace calc {

// Fits a non-negative N/D held in extended precision into 32-bit terms,
// keeping the ratio, and reduces it. The sign is left to the caller.
void ClampAndReduce(CalcFraction& f, long double numerator, long double denominator);

// Fraction primitives (a op= b).
void FractionAdd(CalcFraction& a, const CalcFraction& b);
void FractionSubtract(CalcFraction& a, const CalcFraction& b);
void FractionAddReal(CalcFraction& a, double x);
void FractionMultiply(CalcFraction& a, const CalcFraction& b);
void FractionMultiplyReal(CalcFraction& a, double x);
void FractionDivide(CalcFraction& a, const CalcFraction& b);
void FractionDivideReal(CalcFraction& a, double x);

// Time primitives (t op= u), in the current fps.
void TimeAdd(CalcTime& t, const CalcTime& u);
void TimeSubtract(CalcTime& t, const CalcTime& u);
void TimeAddReal(CalcTime& t, double seconds);
void TimeMultiplyReal(CalcTime& t, double x);
void TimeDivideReal(CalcTime& t, double x);

// Value level.
void ValueAdd(CalcValue& v, const CalcValue& w);
void ValueSubtract(CalcValue& v, const CalcValue& w);
CalcValue ValueMultiply(const CalcValue& v, const CalcValue& w);
void ValueDivide(CalcValue& v, const CalcValue& w);
void ValueAddReal(CalcValue& v, double x);
void ValueSubtractReal(CalcValue& v, double x);
void ValueDivideReal(CalcValue& v, double x);

// Complex division with scaling by the larger component of the divisor.
CalcComplex ComplexDivide(const CalcComplex& dividend, const CalcComplex& divisor);

}  // namespace calc
