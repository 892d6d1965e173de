#include "library/builtins.h"

#include <string_view>

#include "core/keywords.h"
#include "core/status_codes.h"
#include "library/builtin_handlers.h"

namespace calc {
namespace {

using Form = ArgumentForm;
using namespace builtins;

struct BuiltinEntry {
  int id;
  std::string_view name;
  Form form;
  BuiltinHandler handler;
};

// ORDER: kBuiltinNames in core/keywords.h; the position is the identifier.
constexpr BuiltinEntry kBuiltins[] = {
    {0, "defined", Form::kNextToken, Defined},
    {1, "isinf", Form::kValue, Isinf},
    {2, "isnan", Form::kValue, Isnan},
    {3, "rand", Form::kNone, Rand},
    {4, "time", Form::kNone, Time},
    {5, "mktime", Form::kFormatAndValues, Mktime},
    // the local broken-down time
    {6, "tm_sec", Form::kNone, TmSec},
    {7, "tm_min", Form::kNone, TmMin},
    {8, "tm_hour", Form::kNone, TmHour},
    {9, "tm_mday", Form::kNone, TmMday},
    {10, "tm_mon", Form::kNone, TmMon},
    {11, "tm_year", Form::kNone, TmYear},
    {12, "tm_wday", Form::kNone, TmWday},
    {13, "tm_yday", Form::kNone, TmYday},
    {14, "tm_isdst", Form::kNone, TmIsdst},
    {15, "tm_xmon", Form::kNone, TmXmon},
    {16, "tm_xyear", Form::kNone, TmXyear},
    // angle conversions
    {17, "a2d", Form::kValue, A2d},
    {18, "a2g", Form::kValue, A2g},
    {19, "a2r", Form::kValue, A2r},
    {20, "d2a", Form::kValue, D2a},
    {21, "d2g", Form::kValue, D2g},
    {22, "d2r", Form::kValue, D2r},
    {23, "g2a", Form::kValue, G2a},
    {24, "g2d", Form::kValue, G2d},
    {25, "g2r", Form::kValue, G2r},
    {26, "r2a", Form::kValue, R2a},
    {27, "r2d", Form::kValue, R2d},
    {28, "r2g", Form::kValue, R2g},
    // trigonometric and hyperbolic functions
    {29, "sin", Form::kValue, Sin},
    {30, "cos", Form::kValue, Cos},
    {31, "tan", Form::kValue, Tan},
    {32, "asin", Form::kValue, Asin},
    {33, "acos", Form::kValue, Acos},
    {34, "atan", Form::kValue, Atan},
    {35, "atan2", Form::kTwoValues, Atan2},
    {36, "sinh", Form::kValue, Sinh},
    {37, "cosh", Form::kValue, Cosh},
    {38, "tanh", Form::kValue, Tanh},
    {39, "asinh", Form::kValue, Asinh},
    {40, "acosh", Form::kValue, Acosh},
    {41, "atanh", Form::kValue, Atanh},
    // exponentials, logarithms, powers and roots
    {42, "exp", Form::kValue, Exp},
    {43, "exp10", Form::kValue, Exp10},
    {44, "log", Form::kValue, Log},
    {45, "log10", Form::kValue, Log10},
    {46, "pow", Form::kTwoValues, Pow},
    {47, "sqr", Form::kValue, Sqr},
    {48, "sqrt", Form::kValue, Sqrt},
    // rounding and the parts of a value
    {49, "ceil", Form::kValue, Ceil},
    {50, "floor", Form::kValue, Floor},
    {51, "abs", Form::kValue, Abs},
    {52, "ldexp", Form::kTwoValues, Ldexp},
    {53, "frexp", Form::kValueAndVariable, Frexp},
    {54, "modf", Form::kValueAndVariable, Modf},
    {55, "int", Form::kValue, Int},
    {56, "real", Form::kValue, Real},
    {57, "imag", Form::kValue, Imag},
    {58, "arg", Form::kValue, Arg},
    {59, "norm", Form::kValue, Norm},
    {60, "conjg", Form::kValue, Conjg},
    {61, "polar", Form::kTwoValues, Polar},
    {62, "num", Form::kValue, Num},
    {63, "denom", Form::kValue, Denom},
    // matrices
    {64, "row", Form::kArrayOrValue, Row},
    {65, "col", Form::kArrayOrValue, Col},
    {66, "dec", Form::kMatrices, Dec},
    {67, "det", Form::kMatrices, Det},
    {68, "inv", Form::kMatrices, Inv},
    {69, "trans", Form::kMatrices, Trans},
    {70, "eigen", Form::kMatrices, Eigen},
    {71, "jac", Form::kMatrices, Jac},
    {72, "jacobi", Form::kMatrices, Jacobi},
    {73, "pm", Form::kMatrices, Pm},
    {74, "power", Form::kMatrices, Power},
    {75, "pm2", Form::kMatrices, Pm2},
    {76, "house", Form::kMatrices, House},
    {77, "qr", Form::kMatrices, Qr},
    {78, "qrs", Form::kMatrices, Qrs},
    {79, "hes", Form::kMatrices, Hes},
    {80, "dqr", Form::kMatrices, Dqr},
    // strings
    {81, "strchr", Form::kStrings, Strchr},
    {82, "strrchr", Form::kStrings, Strrchr},
    {83, "strcmp", Form::kStrings, Strcmp},
    {84, "stricmp", Form::kStrings, Stricmp},
    {85, "strlen", Form::kStrings, Strlen},
    {86, "strstr", Form::kStrings, Strstr},
    {87, "stristr", Form::kStrings, Stristr},
    {88, "strtok", Form::kStrings, Strtok},
    {89, "strrtok", Form::kStrings, Strrtok},
    // files
    {90, "fopen", Form::kFiles, Fopen},
    {91, "fclose", Form::kFiles, Fclose},
    {92, "fflush", Form::kFiles, Fflush},
    {93, "feof", Form::kFiles, Feof},
    {94, "fgetc", Form::kFiles, Fgetc},
    {95, "fputc", Form::kFiles, Fputc},
    {96, "fgets", Form::kFiles, Fgets},
    {97, "fputs", Form::kFiles, Fputs},
    // string streams
    {98, "sopen", Form::kStreams, Sopen},
    {99, "sclose", Form::kStreams, Sclose},
    {100, "sflush", Form::kStreams, Sflush},
    {101, "sseek", Form::kStreams, Sseek},
    {102, "stell", Form::kStreams, Stell},
    {103, "seos", Form::kStreams, Seos},
    {104, "sgetc", Form::kStreams, Sgetc},
    {105, "sputc", Form::kStreams, Sputc},
    {106, "sgets", Form::kStreams, Sgets},
    {107, "sputs", Form::kStreams, Sputs},
    {108, "hlload", Form::kStreams, Hlload},
    {109, "hlloadblock", Form::kStreams, Hlloadblock},
    {110, "hlloadblockm", Form::kStreams, Hlloadblockm},
    {111, "hlgetline", Form::kStreams, Hlgetline},
    // graphics
    {112, "gwidth", Form::kGraphics, Gwidth},
    {113, "gheight", Form::kGraphics, Gheight},
    {114, "gcolor", Form::kGraphics, Gcolor},
    {115, "gcx", Form::kGraphics, Gcx},
    {116, "gcy", Form::kGraphics, Gcy},
    {117, "wcx", Form::kGraphics, Wcx},
    {118, "wcy", Form::kGraphics, Wcy},
    {119, "gget", Form::kGraphics, Gget},
    {120, "wget", Form::kGraphics, Wget},
    {121, "gx", Form::kGraphics, Gx},
    {122, "gy", Form::kGraphics, Gy},
    {123, "wx", Form::kGraphics, Wx},
    {124, "wy", Form::kGraphics, Wy},
    // indirect call
    {125, "call", Form::kCallee, Call},
};

// Every row sits at its identifier and carries the tokenizer's name for it,
// so the table and the name table cannot drift apart.
constexpr bool TableMatchesNames() {
  for (int id = 0; id < kBuiltinCount; ++id)
    if (kBuiltins[id].id != id || kBuiltins[id].name != kBuiltinNames[id]) return false;
  return true;
}
static_assert(std::size(kBuiltins) == kBuiltinCount);
static_assert(TableMatchesNames());

int ReadArguments(Form form, BuiltinCall& call) {
  switch (form) {
    case Form::kValue:
      return ReadValue(call, call.values[0]);
    case Form::kTwoValues:
      if (const int status = ReadValue(call, call.values[0])) return status;
      return ReadValue(call, call.values[1]);
    case Form::kValueAndVariable: {
      if (const int status = ReadValue(call, call.values[0])) return status;
      bool found = false;
      if (const int status = TakeVariable(call.engine(), call.target, found)) return status;
      if (!found) {
        const CalcToken* next = call.evaluator.Peek();
        return next != nullptr ? call.evaluator.Fail(E_FUNCTION, next) : call.Fail(E_FUNCTION);
      }
      return kDone;
    }
    default:
      return kDone;  // the handler reads its own
  }
}

}  // namespace

int DispatchBuiltin(CalcEvaluator& evaluator, const CalcToken& function, CalcMatrix& result) {
  DomainEvents events;
  const int id = function.code();
  if (function.kind() != kTokBuiltin || id >= kBuiltinCount) return evaluator.Fail(E_FUNCTION, &function);
  const BuiltinEntry& entry = kBuiltins[id];
  BuiltinCall call{evaluator, function, result, events, {}, {}};
  if (const int status = ReadArguments(entry.form, call)) return status;
  if (const int status = entry.handler(call)) return status;
  evaluator.lvalue().Clear();  // "sqrt x = 4" must not assign to x
  evaluator.Normalize(result);
  if (events.AnyDomainEvent()) {
    call.Warn(W_FUNCTION);
    events.ClearDomainEvents();
  }
  return kDone;
}

}  // namespace calc
