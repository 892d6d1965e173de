// radixcalc's main use: running engine text.
//   radixcalc [--mode NAME] [--radix N] [--max-steps N] [-e TEXT]... [FILE]...
// Every -e text and every file ("-" is standard input) runs, in the order
// given, as one source with commands and statements allowed. Echoed results
// go to `out`, one per line; reports to `err` as "SOURCE:LINE: NAME[: TOKEN]"
// ("-e" names the -e texts). Variables live on from one text to the next; an
// error ends the text it occurs in.
#pragma once

#include <istream>
#include <ostream>
#include <span>
#include <string_view>

namespace radixcalc {

// The statements one run may take unless --max-steps says otherwise: enough
// for tens of millions of loop iterations, and a bound on runaway loops.
constexpr unsigned long long kDefaultMaxSteps = 100'000'000ULL;

// Returns the exit status: 0 done, 1 an error was reported, 2 a usage error
// or a file that cannot be read.
int RunScripts(std::span<const std::string_view> args, std::istream& in, std::ostream& out, std::ostream& err);

// Ends the text that RunScripts is running (from a signal handler).
void InterruptScripts();

// Usage text of the run form.
std::string_view RunUsage();

}  // namespace radixcalc
