// radixcalc: the engine's console host.
#include <iostream>
#include <string_view>
#include <vector>

#include "convert_command.h"

namespace {

void PrintUsage(std::ostream& os) {
  os << "usage: radixcalc convert [--width 8|16|32] [--signs XXXX] [--from 2|8|10|16] TEXT\n"
        "  Reads TEXT as one number under the source field's radix and integer type\n"
        "  and prints the BIN, OCT, DEC and HEX field texts, one per line.\n"
        "  --signs: four letters s (signed) or u (unsigned) for BIN OCT DEC HEX (default uusu)\n"
        "  --width: 8, 16 or 32 bits (default 32); --from: the source radix (default 10)\n";
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string_view> args(argv + 1, argv + argc);
  if (args.empty()) {
    PrintUsage(std::cerr);
    return 2;
  }
  if (args[0] == "--help" || args[0] == "-h") {
    PrintUsage(std::cout);
    return 0;
  }
  if (args[0] == "convert")
    return radixcalc::RunConvert(std::span(args).subspan(1), std::cout, std::cerr);
  std::cerr << "radixcalc: unknown command " << args[0] << "\n";
  PrintUsage(std::cerr);
  return 2;
}
