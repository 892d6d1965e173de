// RadixPad: entry point of the converter program.
#include <windows.h>

#include "converter_window.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  try {
    return radixpad::win32::RunConverterWindow(instance) == -1 ? 1 : 0;
  } catch (...) {
    return 1;
  }
}
