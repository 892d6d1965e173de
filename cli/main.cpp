// radixcalc: the engine's console host.
#include <csignal>
#include <iostream>
#include <memory>
#include <string_view>
#include <vector>

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include "convert_command.h"
#include "line_editor.h"
#include "run_command.h"

namespace {

void PrintUsage(std::ostream& os) { os << radixcalc::RunUsage() << radixcalc::ConvertUsage(); }

// Ctrl+C ends a running text with a report instead of the program; in an
// interactive session it drops the line being typed. A second Ctrl+C while
// the first is still untaken (the engine is inside work that does not check,
// such as compiling a huge line) ends the program. Otherwise it does what it
// always does.
extern "C" void OnInterrupt(int) {
  switch (radixcalc::InterruptScripts()) {
    case radixcalc::InterruptAnswer::kRequested:
      return;
    case radixcalc::InterruptAnswer::kIdle:
      if (radixcalc::InSession()) {
        radixcalc::InterruptLineEditor();
        return;
      }
      break;
    case radixcalc::InterruptAnswer::kUnanswered:
      break;
  }
  std::signal(SIGINT, SIG_DFL);
  std::raise(SIGINT);
}

void InstallInterruptHandler() {
#ifdef _WIN32
  std::signal(SIGINT, OnInterrupt);
#else
  // No SA_RESTART: the session's wait for a key must see the interruption.
  struct sigaction action = {};
  action.sa_handler = OnInterrupt;
  sigemptyset(&action.sa_mask);
  action.sa_flags = 0;
  sigaction(SIGINT, &action, nullptr);
#endif
}

// Every call of a user function makes an engine and a storage of about
// 100 KB and frees them on return. glibc gives the top of its heap back to
// the system as soon as 128 KB lie free there, so a recursion that goes up
// and down a few levels maps and faults those pages in again on every call
// (a recursive fib(22) spent 2.2 of its 3 seconds in the kernel). Keeping up
// to 32 MB of free heap avoids that.
void KeepFreedHeap() {
#ifdef __GLIBC__
  mallopt(M_TRIM_THRESHOLD, 32 << 20);
  mallopt(M_TOP_PAD, 1 << 20);
#endif
}

}  // namespace

int main(int argc, char** argv) {
  KeepFreedHeap();
  std::ios::sync_with_stdio(false);
  std::vector<std::string_view> args(argv + 1, argv + argc);
  if (!args.empty() && args[0] == "convert")
    return radixcalc::RunConvert(std::span(args).subspan(1), std::cout, std::cerr);
  for (const std::string_view arg : args) {
    if (arg == "--") break;
    if (arg == "--help" || arg == "-h") {
      PrintUsage(std::cout);
      return 0;
    }
  }
  InstallInterruptHandler();
  std::unique_ptr<radixcalc::LineEditor> terminal;
  if (radixcalc::IsInteractiveTerminal()) terminal = radixcalc::MakeTerminalEditor();
  return radixcalc::RunScripts(args, std::cin, std::cout, std::cerr, terminal.get());
}
