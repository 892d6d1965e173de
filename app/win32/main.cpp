// RadixPad: entry point of the converter program.
#include <windows.h>

#include "application.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR command_line, int) {
  try {
    return radixpad::win32::RunApplication(instance, command_line);
  } catch (...) {
    return 1;
  }
}
