// The About box (dialog 100): the program's icon, name and version.
#pragma once

#include <windows.h>

namespace radixpad::win32 {

// Runs the About box modally over `owner` until it is closed with OK.
void RunAboutDialog(HINSTANCE instance, HWND owner);

}  // namespace radixpad::win32
