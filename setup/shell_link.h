// Shortcut files through the shell link object.
#pragma once

#include "setup_plan.h"

namespace radixpad::setup {

// Makes the link file of `shortcut`. Nothing is made when its target cannot
// be opened for reading or a path did not fit; any failing step of the shell
// link object ends the attempt. False when no link was saved.
bool CreateShortcut(const Shortcut& shortcut);

// Deletes the link file; a missing file is no error.
void RemoveShortcut(const Shortcut& shortcut);

}  // namespace radixpad::setup
