// The line source of radixcalc's interactive session: GNU readline (line
// editing and history) where it was found at build time, else a plain prompt
// on the standard streams.
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace radixcalc {

class LineEditor {
 public:
  virtual ~LineEditor() = default;
  // Shows the prompt and reads one line (without its end). False at the end
  // of input. A Ctrl+C while the line is being typed (see Interrupt) drops
  // the line and asks again.
  virtual bool ReadLine(std::string_view prompt, std::string& line) = 0;
  // Adds a line to the history the user can recall.
  virtual void AddHistory(std::string_view line) = 0;
};

// The editor for a terminal session.
std::unique_ptr<LineEditor> MakeTerminalEditor();

// True when standard input and standard output are both terminals.
bool IsInteractiveTerminal();
// True when standard output is a terminal (so screen control is meaningful).
bool StdoutIsTerminal();

// Called by the SIGINT handler when no script is running: the line being
// typed is dropped. Async-signal-safe.
void InterruptLineEditor();

}  // namespace radixcalc
