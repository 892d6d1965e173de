// A RadixPad that runs while setup starts is closed first, so that it saves
// its settings and no shortcut points at a program that is being replaced.
#pragma once

#include <windows.h>

namespace radixpad::setup {

// When a running RadixPad has published its window handle, tells the user
// (the message `notice`), then sends the window WM_CLOSE and returns once it
// has been handled. Does nothing when none runs or its store cannot be read.
void CloseRunningConverter(const char* notice);

}  // namespace radixpad::setup
