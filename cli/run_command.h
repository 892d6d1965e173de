// radixcalc's main use: running engine text.
//   radixcalc [OPTIONS] [-e TEXT]... [FILE]...
// Every -e text and every file ("-" is standard input) runs, in the order
// given, as one source with commands and statements allowed; with neither,
// standard input is read, as an interactive session when a line editor is
// given. Echoed results go to `out`, one per line; reports to `err` as
// "SOURCE:LINE: NAME[: TOKEN]" ("-e" names the -e texts, "-" standard input,
// "stdin" the interactive session). Variables and functions live on from one
// text to the next; an error ends the text it occurs in.
#pragma once

#include <cstddef>
#include <istream>
#include <ostream>
#include <span>
#include <string_view>

#include "line_editor.h"

namespace radixcalc {

// The statements one text may take unless --max-steps says otherwise: enough
// for tens of millions of loop iterations, and a bound on runaway loops.
constexpr unsigned long long kDefaultMaxSteps = 100'000'000ULL;

// The bytes a run's values, arrays and compiled lines may take unless
// --max-memory says otherwise.
constexpr std::size_t kDefaultMaxMemory = std::size_t{1} << 30;

// The name every context of a radixcalc run has as a constant 1.
constexpr std::string_view kPredefinedSymbol = "RADIXCALC";

// Returns the exit status: 0 done, 1 an error was reported, 2 a usage error
// or a file that cannot be read. `terminal`, when given, runs the session
// that reading standard input becomes.
int RunScripts(std::span<const std::string_view> args, std::istream& in, std::ostream& out, std::ostream& err,
               LineEditor* terminal = nullptr);

enum class InterruptAnswer {
  kRequested,   // the running text was asked to end
  kIdle,        // no text is running
  kUnanswered,  // the last request has not been taken yet: the text is stuck
};

// Ends the text that RunScripts is running (from a signal handler).
InterruptAnswer InterruptScripts();

// True while an interactive session waits for a line (so that Ctrl+C drops
// the line instead of ending the program).
bool InSession();

// Usage text of the run form.
std::string_view RunUsage();

}  // namespace radixcalc
