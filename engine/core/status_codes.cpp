#include "core/status_codes.h"

#include <algorithm>
#include <utility>

namespace calc {
namespace {

// Sorted by code so that the lookup can bisect.
constexpr std::pair<int, std::string_view> kNames[] = {
    {E_NULL, "E_NULL"},
    {E_COMMAND, "E_COMMAND"},
    {E_STAT, "E_STAT"},
    {W_ARRAY, "W_ARRAY"},
    {W_DIV, "W_DIV"},
    {W_UNDERFLOW, "W_UNDERFLOW"},
    {W_OVERFLOW, "W_OVERFLOW"},
    {W_ASIN, "W_ASIN"},
    {W_ACOS, "W_ACOS"},
    {W_ACOSH, "W_ACOSH"},
    {W_ATANH, "W_ATANH"},
    {W_LOG, "W_LOG"},
    {W_LOG10, "W_LOG10"},
    {W_SQRT, "W_SQRT"},
    {W_DEC, "W_DEC"},
    {W_DET, "W_DET"},
    {W_INV, "W_INV"},
    {W_FUNCTION, "W_FUNCTION"},
    {W_RETURN, "W_RETURN"},
    {E_MEM, "E_MEM"},
    {E_UNARY, "E_UNARY"},
    {E_OPERATOR, "E_OPERATOR"},
    {E_ARRAY, "E_ARRAY"},
    {E_FUNCTION, "E_FUNCTION"},
    {E_LVALUE, "E_LVALUE"},
    {E_RVALUE, "E_RVALUE"},
    {E_RVALUE_NULL, "E_RVALUE_NULL"},
    {E_CONDITIONAL, "E_CONDITIONAL"},
    {E_EXTFUNC, "E_EXTFUNC"},
    {E_USERFUNC, "E_USERFUNC"},
    {E_CONSTANT, "E_CONSTANT"},
    {E_STRING, "E_STRING"},
    {E_COMPLEX, "E_COMPLEX"},
    {E_FRACT, "E_FRACT"},
    {E_ASS, "E_ASS"},
    {E_CALL, "E_CALL"},
    {E_STAT_IF, "E_STAT_IF"},
    {E_STAT_ENDIF, "E_STAT_ENDIF"},
    {E_STAT_SWITCH, "E_STAT_SWITCH"},
    {E_STAT_ENDSWI, "E_STAT_ENDSWI"},
    {E_STAT_UNTIL, "E_STAT_UNTIL"},
    {E_STAT_ENDWHILE, "E_STAT_ENDWHILE"},
    {E_STAT_FOR_CON, "E_STAT_FOR_CON"},
    {E_STAT_FOR_EXP, "E_STAT_FOR_EXP"},
    {E_STAT_NEXT, "E_STAT_NEXT"},
    {E_STAT_CONTINUE, "E_STAT_CONTINUE"},
    {E_STAT_BREAK, "E_STAT_BREAK"},
    {E_STAT_FUNC, "E_STAT_FUNC"},
    {E_STAT_FUNC_NEST, "E_STAT_FUNC_NEST"},
    {E_STAT_ENDFUNC, "E_STAT_ENDFUNC"},
    {E_STAT_FUNCNAME, "E_STAT_FUNCNAME"},
    {E_STAT_FUNCPARAM, "E_STAT_FUNCPARAM"},
    {E_COMMAND_NULL, "E_COMMAND_NULL"},
    {E_COMMAND_PARAM, "E_COMMAND_PARAM"},
    {E_COMMAND_DEFINE, "E_COMMAND_DEFINE"},
    {E_COMMAND_UNDEF, "E_COMMAND_UNDEF"},
    {E_COMMAND_PARAMS, "E_COMMAND_PARAMS"},
    {E_FUNC_OPEN, "E_FUNC_OPEN"},
    {E_FUNC_PARANUM, "E_FUNC_PARANUM"},
    {E_FUNC_PARACODE, "E_FUNC_PARACODE"},
};

constexpr bool SortedByCode() {
  for (std::size_t i = 1; i < std::size(kNames); ++i)
    if (kNames[i - 1].first >= kNames[i].first) return false;
  return true;
}
static_assert(SortedByCode(), "the name table must stay sorted by code");

}  // namespace

std::string_view StatusName(int code) {
  const auto* it = std::lower_bound(std::begin(kNames), std::end(kNames), code,
                                    [](const auto& entry, int c) { return entry.first < c; });
  if (it != std::end(kNames) && it->first == code) return it->second;
  return "E_UNKNOWN";
}

}  // namespace calc
