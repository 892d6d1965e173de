// The application object: everything that lives from process start to exit.
// It finds the program folder, makes the engine, its context and the message
// catalogue, keeps RadixPad to one instance per desktop and runs the
// converter window.
#pragma once

#include <windows.h>

namespace radixpad::win32 {

// Runs RadixPad with WinMain's command line (the arguments only). Returns the
// process exit code.
int RunApplication(HINSTANCE instance, const char* command_line);

}  // namespace radixpad::win32
