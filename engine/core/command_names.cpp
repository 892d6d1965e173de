#include "core/command_names.h"

namespace calc {
namespace {

// ORDER CommandCode: the position is the code.
constexpr std::string_view kCommandNames[] = {
    "",          "efloat",    "float",     "gfloat",    "ecomplex",  "complex",   "gcomplex",
    "prec",      "fract",     "mfract",    "htime",     "mtime",     "time",      "ftime",
    "fps",       "char",      "uchar",     "short",     "ushort",    "long",      "ulong",
    "int",       "uint",      "radix",     "ptype",     "rad",       "deg",       "grad",
    "angle",     "ans",       "assert",    "warn",      "debug",     "param",     "params",
    "define",    "enum",      "undef",     "var",       "array",     "label",     "real",
    "imag",      "num",       "denom",     "mat",       "trans",     "srand",     "localtime",
    "sprint",    "sprintf",   "sscanf",    "strcat",    "stricat",   "strcpy",    "stricpy",
    "strlwr",    "strupr",    "strrep",    "strirep",   "strtrunc",  "euc2jis",   "euc2sjis",
    "jis2euc",   "jis2sjis",  "sjis2euc",  "sjis2jis",  "str2euc",   "str2jis",   "str2sjis",
    "char2esc",  "esc2char",  "clear",     "error",     "print",     "println",   "printf",
    "scan",      "scanf",     "fprintf",   "fscanf",    "hlerror",   "gworld",    "gclear",
    "gcolor",    "gfill",     "gmove",     "gline",     "gput",      "gget",      "gupdate",
    "window",    "wfill",     "wmove",     "wline",     "wput",      "wget",      "rectangular",
    "parametric", "polar",    "logscale",  "nologscale", "plot",     "replot",
};
static_assert(std::size(kCommandNames) == kCommandCount);
static_assert(kCommandNames[kCmdLocaltime] == "localtime" && kCommandNames[kCmdSprintf] == "sprintf" &&
              kCommandNames[kCmdClear] == "clear" && kCommandNames[kCmdPrintf] == "printf" &&
              kCommandNames[kCmdStrcat] == "strcat" && kCommandNames[kCmdStrtrunc] == "strtrunc" &&
              kCommandNames[kCmdEuc2jis] == "euc2jis" && kCommandNames[kCmdStr2sjis] == "str2sjis" &&
              kCommandNames[kCmdChar2esc] == "char2esc" && kCommandNames[kCmdEsc2char] == "esc2char" &&
              kCommandNames[kCmdSscanf] == "sscanf" && kCommandNames[kCmdScan] == "scan" &&
              kCommandNames[kCmdHlerror] == "hlerror" && kCommandNames[kCmdGworld] == "gworld" &&
              kCommandNames[kCmdReplot] == "replot");

}  // namespace

std::string_view CommandName(int code) {
  if (code <= 0 || code >= kCommandCount) return {};
  return kCommandNames[code];
}

std::uint8_t LookupCommand(std::string_view name) {
  if (name.empty()) return kCmdNone;
  for (int code = 1; code < kCommandCount; ++code)
    if (kCommandNames[code] == name) return static_cast<std::uint8_t>(code);
  return kCmdNone;
}

}  // namespace calc
