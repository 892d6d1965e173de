// The engine's fixed vocabularies: built-in function names, statement keywords
// and operator spellings. In every table a word's code is its position.
// (The ":" command names live in command_names.h.)
#pragma once

#include <cstdint>
#include <iterator>
#include <optional>
#include <string_view>

namespace calc {

constexpr int kBuiltinCount = 126;   // codes 0..125
constexpr int kStatementCount = 21;  // codes 0..20
constexpr int kOperatorCount = 39;   // codes 0..38

// Statement codes. ORDER: kStatementNames in keywords.cpp.
enum StatementCode : std::uint8_t {
  kStDo, kStUntil, kStWhile, kStEndwhile, kStFor, kStNext, kStFunc, kStEndfunc,
  kStIf, kStElif, kStElse, kStEndif, kStSwitch, kStCase, kStDefault, kStEndswi,
  kStBreakswi, kStContinue, kStBreak, kStAssert, kStReturn,
};

// Operator codes. ORDER: kOperatorForms below.
enum OperatorCode : std::uint8_t {
  kOpPreIncrement, kOpPreDecrement, kOpBitNot, kOpLogicalNot, kOpNegate, kOpPlus,
  kOpPostIncrement, kOpPostDecrement,
  kOpMultiply, kOpDivide, kOpRemainder, kOpAdd, kOpSubtract, kOpShiftLeft, kOpShiftRight,
  kOpLess, kOpLessEqual, kOpGreater, kOpGreaterEqual, kOpEqual, kOpNotEqual,
  kOpBitAnd, kOpBitXor, kOpBitOr, kOpLogicalAnd, kOpLogicalOr, kOpConditional,
  kOpAssign, kOpMultiplyAssign, kOpDivideAssign, kOpRemainderAssign, kOpAddAssign,
  kOpSubtractAssign, kOpShiftLeftAssign, kOpShiftRightAssign, kOpAndAssign, kOpOrAssign,
  kOpXorAssign, kOpComma,
};

// The built-in function names. ORDER: the position is the built-in function
// code; the library's function table is checked against it at compile time.
inline constexpr std::string_view kBuiltinNames[] = {
    "defined", "isinf", "isnan", "rand", "time", "mktime", "tm_sec", "tm_min", "tm_hour",
    "tm_mday", "tm_mon", "tm_year", "tm_wday", "tm_yday", "tm_isdst", "tm_xmon", "tm_xyear",
    "a2d", "a2g", "a2r", "d2a", "d2g", "d2r", "g2a", "g2d", "g2r", "r2a", "r2d", "r2g",
    "sin", "cos", "tan", "asin", "acos", "atan", "atan2", "sinh", "cosh", "tanh", "asinh",
    "acosh", "atanh", "exp", "exp10", "log", "log10", "pow", "sqr", "sqrt", "ceil", "floor",
    "abs", "ldexp", "frexp", "modf", "int", "real", "imag", "arg", "norm", "conjg", "polar",
    "num", "denom", "row", "col", "dec", "det", "inv", "trans", "eigen", "jac", "jacobi", "pm",
    "power", "pm2", "house", "qr", "qrs", "hes", "dqr", "strchr", "strrchr", "strcmp",
    "stricmp", "strlen", "strstr", "stristr", "strtok", "strrtok", "fopen", "fclose", "fflush",
    "feof", "fgetc", "fputc", "fgets", "fputs", "sopen", "sclose", "sflush", "sseek", "stell",
    "seos", "sgetc", "sputc", "sgets", "sputs", "hlload", "hlloadblock", "hlloadblockm",
    "hlgetline", "gwidth", "gheight", "gcolor", "gcx", "gcy", "wcx", "wcy", "gget", "wget",
    "gx", "gy", "wx", "wy", "call",
};
static_assert(std::size(kBuiltinNames) == kBuiltinCount);

// Names of codes; "" outside the tables.
std::string_view BuiltinName(int code);
std::string_view StatementName(int code);
// ORDER OperatorCode.
inline constexpr std::string_view kOperatorForms[] = {
    "[++]", "[--]", "[~]", "[!]", "[-]", "[+]", "++", "--", "*", "/", "%", "+", "-",
    "<<", ">>", "<", "<=", ">", ">=", "==", "!=", "&", "^", "|", "&&", "||", "?", "=",
    "*=", "/=", "%=", "+=", "-=", "<<=", ">>=", "&=", "|=", "^=", ",",
};
static_assert(std::size(kOperatorForms) == kOperatorCount);

// The written form of an operator: the unary codes 0-5 in brackets ("[-]").
constexpr std::string_view OperatorForm(int code) {
  return code >= 0 && code < kOperatorCount ? kOperatorForms[code] : std::string_view{};
}

std::optional<std::uint8_t> LookupBuiltin(std::string_view word);
std::optional<std::uint8_t> LookupStatement(std::string_view word);
// Words that name an operator by themselves ("-", "~", "<=", ...): the text
// inside brackets or a word the tokenizer collected whole.
std::optional<std::uint8_t> LookupOperatorWord(std::string_view word);

}  // namespace calc
