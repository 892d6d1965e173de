// The image chooser: the open-file dialog with a preview of the selected BMP
// or PNG image beside the file list.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace radixpad::win32 {

// Runs the chooser over `owner`. The chosen file's full path, or nothing when
// the user cancels.
std::optional<std::string> ChooseImage(HINSTANCE instance, HWND owner);

}  // namespace radixpad::win32
