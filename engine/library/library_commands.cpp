#include "library/library_commands.h"

#include "core/command_names.h"
#include "core/status_codes.h"

namespace calc {
namespace {

using CommandHandler = int (*)(CalcEngine& engine, const CalcToken& command);

struct CommandEntry {
  CommandCode code;
  CommandHandler handler;
};

// The library commands this library runs, by code.
constexpr CommandEntry kCommands[] = {
    {kCmdReal, RunValuePart}, {kCmdImag, RunValuePart}, {kCmdNum, RunValuePart},
    {kCmdDenom, RunValuePart}, {kCmdMat, RunMat},         {kCmdTrans, RunTrans},
    {kCmdSrand, RunSrand},     {kCmdLocaltime, RunLocaltime},
    {kCmdPrint, RunPrint},     {kCmdPrintln, RunPrint},     {kCmdSprint, RunSprint},
    {kCmdPrintf, RunPrintf},   {kCmdSprintf, RunSprintf},   {kCmdError, RunError},
    {kCmdClear, RunClear},     {kCmdFprintf, RunFprintf},
    {kCmdScan, RunScan},       {kCmdScanf, RunScanf},       {kCmdSscanf, RunSscanf},
    {kCmdFscanf, RunFscanf},   {kCmdHlerror, RunHlerror},
    {kCmdStrcpy, RunStrcpy},   {kCmdStrcat, RunStrcpy},     {kCmdStricpy, RunStrcpy},
    {kCmdStricat, RunStrcpy},  {kCmdStrlwr, RunStrCase},    {kCmdStrupr, RunStrCase},
    {kCmdStrrep, RunStrrep},   {kCmdStrirep, RunStrrep},    {kCmdStrtrunc, RunStrtrunc},
    {kCmdChar2esc, RunHtmlEscape}, {kCmdEsc2char, RunHtmlEscape},
    {kCmdEuc2jis, RunKanjiCode},  {kCmdEuc2sjis, RunKanjiCode}, {kCmdJis2euc, RunKanjiCode},
    {kCmdJis2sjis, RunKanjiCode}, {kCmdSjis2euc, RunKanjiCode}, {kCmdSjis2jis, RunKanjiCode},
    {kCmdStr2euc, RunKanjiCode},  {kCmdStr2jis, RunKanjiCode},  {kCmdStr2sjis, RunKanjiCode},
    // graphics
    {kCmdGworld, RunGworld}, {kCmdWindow, RunWindow}, {kCmdGclear, RunGclear}, {kCmdGcolor, RunGcolor},
    {kCmdGfill, RunFill}, {kCmdWfill, RunFill}, {kCmdGmove, RunMove}, {kCmdWmove, RunMove},
    {kCmdGline, RunLine}, {kCmdWline, RunLine}, {kCmdGput, RunPut}, {kCmdWput, RunPut},
    {kCmdGget, RunGet}, {kCmdWget, RunGet}, {kCmdGupdate, RunGupdate},
    {kCmdRectangular, RunPlotMode}, {kCmdParametric, RunPlotMode}, {kCmdPolar, RunPlotMode},
    {kCmdLogscale, RunLogscale}, {kCmdNologscale, RunLogscale}, {kCmdPlot, RunPlot}, {kCmdReplot, RunReplot},
};

}  // namespace

int RunLibraryCommand(CalcEngine& engine, const CalcToken& command) {
  for (const CommandEntry& entry : kCommands)
    if (entry.code == command.code()) return entry.handler(engine, command);
  return engine.evaluator().Fail(E_COMMAND_PARAM, &command);  // not in this library yet
}

}  // namespace calc
