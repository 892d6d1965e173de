// The program folder: where RadixPad finds its settings, catalogue, images and log.
#pragma once

#include <string>

namespace radixpad::win32 {

// The full path of the running program cut before its last backslash (no trailing
// backslash), in the ANSI code page. Empty if the path cannot be read.
std::string ProgramFolder();

}  // namespace radixpad::win32
