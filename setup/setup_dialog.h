// setup's one dialog: the options, uninstall, and carrying out the choice.
#pragma once

#include <windows.h>

namespace radixpad::setup {

// Shows the dialog until the user confirms or cancels. Returns the dialog's
// result (IDOK, IDCANCEL, or -1 when it could not be made).
INT_PTR RunSetupDialog(HINSTANCE instance);

}  // namespace radixpad::setup
