// The ":" command names. A command's code is its position in the list; code 0
// is the unnamed command that a bare ":" or an unknown name reads as.
#pragma once

#include <cstdint>
#include <string_view>

namespace calc {

constexpr int kCommandCount = 104;  // codes 0..103

// Named codes the engine dispatches on directly. ORDER: command_names.cpp.
enum CommandCode : std::uint8_t {
  kCmdNone = 0,
  kCmdEfloat = 1, kCmdFloat, kCmdGfloat, kCmdEcomplex, kCmdComplex, kCmdGcomplex,
  kCmdPrec = 7,
  kCmdFract = 8, kCmdMfract,
  kCmdHtime = 10, kCmdMtime, kCmdTime, kCmdFtime,
  kCmdFps = 14,
  kCmdChar = 15, kCmdUchar, kCmdShort, kCmdUshort, kCmdLong, kCmdUlong, kCmdInt, kCmdUint,
  kCmdRadix = 23,
  kCmdPtype = 24,
  kCmdRad = 25, kCmdDeg, kCmdGrad,
  kCmdAngle = 28,
  kCmdLastMode = kCmdAngle,
  kCmdAns = 29, kCmdAssert, kCmdWarn, kCmdDebug,
  kCmdParam = 33, kCmdParams,
  kCmdDefine = 35, kCmdEnum, kCmdUndef, kCmdVar, kCmdArray, kCmdLabel,
  kCmdReal = 41, kCmdImag, kCmdNum, kCmdDenom, kCmdMat, kCmdTrans, kCmdSrand, kCmdLocaltime,
  kCmdSprint = 49, kCmdSprintf, kCmdSscanf,
  kCmdStrcat = 52, kCmdStricat, kCmdStrcpy, kCmdStricpy, kCmdStrlwr, kCmdStrupr, kCmdStrrep, kCmdStrirep,
  kCmdStrtrunc,
  kCmdEuc2jis = 61, kCmdEuc2sjis, kCmdJis2euc, kCmdJis2sjis, kCmdSjis2euc, kCmdSjis2jis, kCmdStr2euc,
  kCmdStr2jis, kCmdStr2sjis,
  kCmdChar2esc = 70, kCmdEsc2char,
  kCmdClear = 72, kCmdError, kCmdPrint, kCmdPrintln, kCmdPrintf, kCmdScan, kCmdScanf, kCmdFprintf,
  kCmdFscanf, kCmdHlerror,
  kCmdGworld = 82, kCmdGclear, kCmdGcolor, kCmdGfill, kCmdGmove, kCmdGline, kCmdGput, kCmdGget, kCmdGupdate,
  kCmdWindow, kCmdWfill, kCmdWmove, kCmdWline, kCmdWput, kCmdWget, kCmdRectangular, kCmdParametric, kCmdPolar,
  kCmdLogscale, kCmdNologscale, kCmdPlot, kCmdReplot,
  kCmdLastNamed = kCommandCount - 1,  // 103; higher codes are the host's
};

// The name of a code ("" for 0 and for codes outside the list).
std::string_view CommandName(int code);
// The code of a name without its ":" (0 when the name is not in the list).
std::uint8_t LookupCommand(std::string_view name);

}  // namespace calc
