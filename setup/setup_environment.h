// What setup reads from the system once at start: its own path, the
// environment, the Windows version and its texts.
#pragma once

#include <windows.h>

#include <string>

#include "setup_paths.h"
#include "setup_plan.h"

namespace radixpad::setup {

SetupEnvironment ReadEnvironment();

// A string of the string table in the ANSI code page ("" when missing).
std::string LoadText(HINSTANCE instance, UINT id);

FolderTemplates LoadFolderTemplates(HINSTANCE instance);
ShortcutTexts LoadShortcutTexts(HINSTANCE instance);

}  // namespace radixpad::setup
