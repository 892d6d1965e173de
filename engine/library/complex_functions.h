// The elementary functions on complex values, with the principal branches,
// as the built-ins use them. In a complex mode a function taken outside its
// real domain gives its complex value (the square root of -4 is 2i); in a
// non-complex mode it gives the real function's result (not a number, or an
// infinity at a pole) and raises the matching event flag instead. A real
// argument inside the real domain is always computed with the real function,
// so real results are exactly the C library's.
//
// Angles here are in radians; the handlers convert from and to the unit.
#pragma once

#include "core/value.h"
#include "library/builtin_call.h"

namespace calc {

// The square root: the model for the others, written out so that its
// results do not depend on the platform's complex library.
CalcComplex ComplexSqrt(const CalcComplex& z, bool complex_mode, DomainEvents& events);

CalcComplex ComplexSin(const CalcComplex& z, bool complex_mode, DomainEvents& events);
CalcComplex ComplexCos(const CalcComplex& z, bool complex_mode, DomainEvents& events);
CalcComplex ComplexTan(const CalcComplex& z, bool complex_mode, DomainEvents& events);
CalcComplex ComplexAsin(const CalcComplex& z, bool complex_mode, DomainEvents& events);
CalcComplex ComplexAcos(const CalcComplex& z, bool complex_mode, DomainEvents& events);
CalcComplex ComplexAtan(const CalcComplex& z, bool complex_mode, DomainEvents& events);
CalcComplex ComplexSinh(const CalcComplex& z, bool complex_mode, DomainEvents& events);
CalcComplex ComplexCosh(const CalcComplex& z, bool complex_mode, DomainEvents& events);
CalcComplex ComplexTanh(const CalcComplex& z, bool complex_mode, DomainEvents& events);
CalcComplex ComplexAsinh(const CalcComplex& z, bool complex_mode, DomainEvents& events);
CalcComplex ComplexAcosh(const CalcComplex& z, bool complex_mode, DomainEvents& events);
CalcComplex ComplexAtanh(const CalcComplex& z, bool complex_mode, DomainEvents& events);
CalcComplex ComplexExp(const CalcComplex& z, bool complex_mode, DomainEvents& events);
CalcComplex ComplexExp10(const CalcComplex& z, bool complex_mode, DomainEvents& events);
CalcComplex ComplexLog(const CalcComplex& z, bool complex_mode, DomainEvents& events);
CalcComplex ComplexLog10(const CalcComplex& z, bool complex_mode, DomainEvents& events);
// x to the power y: a negative real base with a fractional exponent is
// outside the real domain, 0 to a negative power is a pole.
CalcComplex ComplexPow(const CalcComplex& x, const CalcComplex& y, bool complex_mode, DomainEvents& events);

}  // namespace calc
