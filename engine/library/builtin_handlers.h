// The bodies of the built-in functions, named after the functions, grouped by
// the file that holds them. The function table (builtins.cpp) refers to them;
// nothing else calls them.
#pragma once

#include "library/builtin_call.h"

namespace calc::builtins {

// angles.cpp: conversions between the current unit (a), degrees (d),
// grads (g) and radians (r), and the unit helpers of the trigonometric
// functions.
int A2d(BuiltinCall& call);
int A2g(BuiltinCall& call);
int A2r(BuiltinCall& call);
int D2a(BuiltinCall& call);
int D2g(BuiltinCall& call);
int D2r(BuiltinCall& call);
int G2a(BuiltinCall& call);
int G2d(BuiltinCall& call);
int G2r(BuiltinCall& call);
int R2a(BuiltinCall& call);
int R2d(BuiltinCall& call);
int R2g(BuiltinCall& call);

// elementary_builtins.cpp: trigonometric, hyperbolic, exponential and
// logarithmic functions, powers and roots.
int Sin(BuiltinCall& call);
int Cos(BuiltinCall& call);
int Tan(BuiltinCall& call);
int Asin(BuiltinCall& call);
int Acos(BuiltinCall& call);
int Atan(BuiltinCall& call);
int Atan2(BuiltinCall& call);
int Sinh(BuiltinCall& call);
int Cosh(BuiltinCall& call);
int Tanh(BuiltinCall& call);
int Asinh(BuiltinCall& call);
int Acosh(BuiltinCall& call);
int Atanh(BuiltinCall& call);
int Exp(BuiltinCall& call);
int Exp10(BuiltinCall& call);
int Log(BuiltinCall& call);
int Log10(BuiltinCall& call);
int Pow(BuiltinCall& call);
int Sqr(BuiltinCall& call);
int Sqrt(BuiltinCall& call);

// part_builtins.cpp: classification, rounding and the parts of a value.
int Isinf(BuiltinCall& call);
int Isnan(BuiltinCall& call);
int Ceil(BuiltinCall& call);
int Floor(BuiltinCall& call);
int Abs(BuiltinCall& call);
int Ldexp(BuiltinCall& call);
int Frexp(BuiltinCall& call);
int Modf(BuiltinCall& call);
int Int(BuiltinCall& call);
int Real(BuiltinCall& call);
int Imag(BuiltinCall& call);
int Arg(BuiltinCall& call);
int Norm(BuiltinCall& call);
int Conjg(BuiltinCall& call);
int Polar(BuiltinCall& call);
int Num(BuiltinCall& call);
int Denom(BuiltinCall& call);

// clock.cpp: the clock and the local broken-down time.
int Time(BuiltinCall& call);
int Mktime(BuiltinCall& call);
int TmSec(BuiltinCall& call);
int TmMin(BuiltinCall& call);
int TmHour(BuiltinCall& call);
int TmMday(BuiltinCall& call);
int TmMon(BuiltinCall& call);
int TmYear(BuiltinCall& call);
int TmWday(BuiltinCall& call);
int TmYday(BuiltinCall& call);
int TmIsdst(BuiltinCall& call);
int TmXmon(BuiltinCall& call);
int TmXyear(BuiltinCall& call);

// random.cpp: the engine's pseudo-random generator.
int Rand(BuiltinCall& call);

// matrix_shape.cpp: the shape of an array or a matrix value.
int Row(BuiltinCall& call);
int Col(BuiltinCall& call);

// exact_matrix_builtins.cpp: determinant, inverse, decomposition and
// transpose in the current value kind.
int Dec(BuiltinCall& call);
int Det(BuiltinCall& call);
int Inv(BuiltinCall& call);
int Trans(BuiltinCall& call);

// numeric_matrix_builtins.cpp: eigenvalues and the Householder reductions,
// computed in doubles.
int Eigen(BuiltinCall& call);
int Jac(BuiltinCall& call);
int Jacobi(BuiltinCall& call);
int Pm(BuiltinCall& call);
int Power(BuiltinCall& call);
int Pm2(BuiltinCall& call);
int House(BuiltinCall& call);
int Qr(BuiltinCall& call);
int Qrs(BuiltinCall& call);
int Hes(BuiltinCall& call);
int Dqr(BuiltinCall& call);

// name_builtins.cpp: the built-ins that work on names.
int Defined(BuiltinCall& call);
int Call(BuiltinCall& call);

// string_builtins.cpp: searches, comparisons and token scans of strings.
int Strchr(BuiltinCall& call);
int Strrchr(BuiltinCall& call);
int Strcmp(BuiltinCall& call);
int Stricmp(BuiltinCall& call);
int Strlen(BuiltinCall& call);
int Strstr(BuiltinCall& call);
int Stristr(BuiltinCall& call);
int Strtok(BuiltinCall& call);
int Strrtok(BuiltinCall& call);

// file_builtins.cpp: the files of the run's file table.
int Fopen(BuiltinCall& call);
int Fclose(BuiltinCall& call);
int Fflush(BuiltinCall& call);
int Feof(BuiltinCall& call);
int Fgetc(BuiltinCall& call);
int Fputc(BuiltinCall& call);
int Fgets(BuiltinCall& call);
int Fputs(BuiltinCall& call);

// stream_builtins.cpp: the string streams of the run's stream table.
int Sopen(BuiltinCall& call);
int Sclose(BuiltinCall& call);
int Sflush(BuiltinCall& call);
int Sseek(BuiltinCall& call);
int Stell(BuiltinCall& call);
int Seos(BuiltinCall& call);
int Sgetc(BuiltinCall& call);
int Sputc(BuiltinCall& call);
int Sgets(BuiltinCall& call);
int Sputs(BuiltinCall& call);

// hl_builtins.cpp: text blocks out of files and streams.
int Hlload(BuiltinCall& call);
int Hlloadblock(BuiltinCall& call);
int Hlloadblockm(BuiltinCall& call);
int Hlgetline(BuiltinCall& call);
// graphics_builtins.cpp: the canvas queries.
int Gwidth(BuiltinCall& call);
int Gheight(BuiltinCall& call);
int Gcolor(BuiltinCall& call);
int Gcx(BuiltinCall& call);
int Gcy(BuiltinCall& call);
int Wcx(BuiltinCall& call);
int Wcy(BuiltinCall& call);
int Gget(BuiltinCall& call);
int Wget(BuiltinCall& call);
int Gx(BuiltinCall& call);
int Gy(BuiltinCall& call);
int Wx(BuiltinCall& call);
int Wy(BuiltinCall& call);

}  // namespace calc::builtins
