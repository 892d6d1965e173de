// Status codes: plain integers with exact values. 0 done, 3 a value was
// computed, 4 skipped or done without value; from 0x100 the named conditions,
// with bit 0x1000 marking warnings and 0x2000 errors (0x2100: errors tied to one
// offending token, whose text the report carries).
#pragma once

#include <string_view>

namespace calc {

enum Status : int {
  kDone = 0,
  kValue = 3,
  kNoValue = 4,

  E_NULL = 0x100,
  E_COMMAND = 0x101,
  E_STAT = 0x102,

  W_ARRAY = 0x1000,
  W_DIV = 0x1001,
  W_UNDERFLOW = 0x1002,
  W_OVERFLOW = 0x1003,
  W_ASIN = 0x1004,
  W_ACOS = 0x1005,
  W_ACOSH = 0x1006,
  W_ATANH = 0x1007,
  W_LOG = 0x1008,
  W_LOG10 = 0x1009,
  W_SQRT = 0x100A,
  W_DEC = 0x100B,
  W_DET = 0x100C,
  W_INV = 0x100D,
  W_FUNCTION = 0x100E,
  W_RETURN = 0x100F,

  E_MEM = 0x2000,
  E_LIST_INDEX = 0x2001,   // unnamed: removal beyond the end of a token list
  E_ASSERT_STOP = 0x2002,  // unnamed: the assertion hook asked to stop

  E_UNARY = 0x2100,
  E_OPERATOR = 0x2101,
  E_ARRAY = 0x2102,
  E_FUNCTION = 0x2103,
  E_LVALUE = 0x2104,
  E_RVALUE = 0x2105,
  E_RVALUE_NULL = 0x2106,
  E_CONDITIONAL = 0x2107,
  E_EXTFUNC = 0x2108,
  E_USERFUNC = 0x2109,
  E_CONSTANT = 0x210A,
  E_STRING = 0x210B,
  E_COMPLEX = 0x210C,
  E_FRACT = 0x210D,
  E_ASS = 0x210E,
  E_CALL = 0x210F,

  E_STAT_IF = 0x2120,
  E_STAT_ENDIF = 0x2121,
  E_STAT_SWITCH = 0x2122,
  E_STAT_ENDSWI = 0x2123,
  E_STAT_UNTIL = 0x2124,
  E_STAT_ENDWHILE = 0x2125,
  E_STAT_FOR_CON = 0x2126,
  E_STAT_FOR_EXP = 0x2127,
  E_STAT_NEXT = 0x2128,
  E_STAT_CONTINUE = 0x2129,
  E_STAT_BREAK = 0x212A,
  E_STAT_FUNC = 0x212B,
  E_STAT_FUNC_NEST = 0x212C,
  E_STAT_ENDFUNC = 0x212D,
  E_STAT_FUNCNAME = 0x212E,
  E_STAT_FUNCPARAM = 0x212F,

  E_COMMAND_NULL = 0x2140,
  E_COMMAND_PARAM = 0x2141,
  E_COMMAND_DEFINE = 0x2142,
  E_COMMAND_UNDEF = 0x2143,
  E_COMMAND_PARAMS = 0x2144,

  E_FUNC_OPEN = 0x2160,
  E_FUNC_PARANUM = 0x2161,
  E_FUNC_PARACODE = 0x2162,
};

constexpr int kWarningBit = 0x1000;
constexpr int kErrorBit = 0x2000;
constexpr int kTokenErrorBits = 0x2100;

inline bool IsWarning(int code) { return (code & kWarningBit) != 0; }
inline bool IsError(int code) { return (code & kErrorBit) != 0; }
inline bool IsTokenError(int code) { return (code & kTokenErrorBits) == kTokenErrorBits; }

// The symbolic name of a code, "E_UNKNOWN" for any number without one.
std::string_view StatusName(int code);

}  // namespace calc
