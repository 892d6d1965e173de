// The converter window: the modal dialog that is RadixPad's whole user interface.
#pragma once

#include <windows.h>

namespace radixpad::win32 {

// Runs the converter window until it is closed. Returns the dialog's result
// (IDCANCEL after Alt+F4 or WM_CLOSE), or -1 when the dialog could not be created.
INT_PTR RunConverterWindow(HINSTANCE instance);

}  // namespace radixpad::win32
