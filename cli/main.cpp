// radixcalc: the engine's console host.
#include <csignal>
#include <iostream>
#include <string_view>
#include <vector>

#include "convert_command.h"
#include "run_command.h"

namespace {

void PrintUsage(std::ostream& os) {
  os << radixcalc::RunUsage() << radixcalc::ConvertUsage();
}

extern "C" void OnInterrupt(int) { radixcalc::InterruptScripts(); }

}  // namespace

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  std::vector<std::string_view> args(argv + 1, argv + argc);
  if (args.empty()) {
    PrintUsage(std::cerr);
    return 2;
  }
  if (args[0] == "--help" || args[0] == "-h") {
    PrintUsage(std::cout);
    return 0;
  }
  if (args[0] == "convert") return radixcalc::RunConvert(std::span(args).subspan(1), std::cout, std::cerr);
  // Ctrl+C ends a runaway script with a report instead of killing the process.
  std::signal(SIGINT, OnInterrupt);
  return radixcalc::RunScripts(args, std::cin, std::cout, std::cerr);
}
