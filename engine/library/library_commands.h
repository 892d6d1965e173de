// The library's ":" commands. Each reads its arguments at the evaluator's
// cursor and returns 4 ("done") or an error with the offender recorded; the
// language then checks what follows (an extra argument fails the command).
#pragma once

#include "core/matrix.h"
#include "core/token.h"
#include "language/engine.h"

namespace calc {

// Runs library command `command` (codes 41..103); the commands this library
// does not have yet fail with E_COMMAND_PARAM.
int RunLibraryCommand(CalcEngine& engine, const CalcToken& command);

// value_part_commands.cpp: ":real v x", ":imag v x", ":num v x", ":denom v x".
int RunValuePart(CalcEngine& engine, const CalcToken& command);
// matrix_shape.cpp: ":mat rows cols a", ":trans a".
int RunMat(CalcEngine& engine, const CalcToken& command);
int RunTrans(CalcEngine& engine, const CalcToken& command);
// random.cpp: ":srand n".
int RunSrand(CalcEngine& engine, const CalcToken& command);
// clock.cpp: ":localtime t format variables".
int RunLocaltime(CalcEngine& engine, const CalcToken& command);

// output_commands.cpp: ":print items", ":println items", ":sprint a items",
// ":printf format arguments", ":sprintf a format arguments",
// ":fprintf handle format arguments", ":error text", ":clear".
int RunPrint(CalcEngine& engine, const CalcToken& command);
int RunSprint(CalcEngine& engine, const CalcToken& command);
int RunPrintf(CalcEngine& engine, const CalcToken& command);
int RunSprintf(CalcEngine& engine, const CalcToken& command);
int RunFprintf(CalcEngine& engine, const CalcToken& command);
int RunError(CalcEngine& engine, const CalcToken& command);
int RunClear(CalcEngine& engine, const CalcToken& command);

// string_commands.cpp: ":strcpy a s [b e]" (":strcat", ":stricpy",
// ":stricat"), ":strlwr a", ":strupr a", ":strrep a x y" or ":strrep a b e y"
// (":strirep"), ":strtrunc a n t".
int RunStrcpy(CalcEngine& engine, const CalcToken& command);
int RunStrCase(CalcEngine& engine, const CalcToken& command);
int RunStrrep(CalcEngine& engine, const CalcToken& command);
int RunStrtrunc(CalcEngine& engine, const CalcToken& command);
// html_escape_commands.cpp: ":char2esc a", ":esc2char a".
int RunHtmlEscape(CalcEngine& engine, const CalcToken& command);
// kanji_code_commands.cpp: ":euc2jis a" .. ":sjis2jis a", ":str2euc a",
// ":str2jis a", ":str2sjis a".
int RunKanjiCode(CalcEngine& engine, const CalcToken& command);

// input_commands.cpp: ":scan prompts and targets", ":scanf format targets",
// ":sscanf s format targets", ":fscanf handle format targets".
int RunScan(CalcEngine& engine, const CalcToken& command);
int RunScanf(CalcEngine& engine, const CalcToken& command);
int RunSscanf(CalcEngine& engine, const CalcToken& command);
int RunFscanf(CalcEngine& engine, const CalcToken& command);
// hl_builtins.cpp: ":hlerror name text".
int RunHlerror(CalcEngine& engine, const CalcToken& command);
// graphics_commands.cpp: the canvas (":gworld", ":window", ":gclear",
// ":gcolor", ":gfill"/":wfill", ":gmove"/":wmove", ":gline"/":wline",
// ":gput"/":wput", ":gget"/":wget", ":gupdate") and the plots
// (":rectangular", ":parametric", ":polar", ":logscale", ":nologscale",
// ":plot", ":replot").
int RunGworld(CalcEngine& engine, const CalcToken& command);
int RunWindow(CalcEngine& engine, const CalcToken& command);
int RunGclear(CalcEngine& engine, const CalcToken& command);
int RunGcolor(CalcEngine& engine, const CalcToken& command);
int RunFill(CalcEngine& engine, const CalcToken& command);
int RunMove(CalcEngine& engine, const CalcToken& command);
int RunLine(CalcEngine& engine, const CalcToken& command);
int RunPut(CalcEngine& engine, const CalcToken& command);
int RunGet(CalcEngine& engine, const CalcToken& command);
int RunGupdate(CalcEngine& engine, const CalcToken& command);
int RunPlotMode(CalcEngine& engine, const CalcToken& command);
int RunLogscale(CalcEngine& engine, const CalcToken& command);
int RunPlot(CalcEngine& engine, const CalcToken& command);
int RunReplot(CalcEngine& engine, const CalcToken& command);

}  // namespace calc
