// The small decisions of start-up that need no window: the command line, the
// settings file's name and where the window may be placed.
#pragma once

#include <string>
#include <string_view>

namespace radixpad {

// True when the command line is exactly "-icon", in any case: the window then
// starts hidden.
bool IsHiddenStartCommand(std::string_view command_line);

// The settings file of the program at `program_path`: its base name (without
// folder and extension) followed by ".ini", given to the profile functions
// without a folder so that it lies in the Windows folder. Paths are in code
// page 932, where a trail byte may equal "\".
std::string SettingsFileName(std::string_view program_path);

// One coordinate of the window's stored position: a negative value becomes 0,
// one at or beyond the desktop's far edge becomes that edge minus 100.
int ClampWindowCoordinate(int value, int desktop_edge);

}  // namespace radixpad
