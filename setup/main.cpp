// setup.exe: creates or removes RadixPad's shortcuts. It copies no files and
// writes nothing to the registry.
#include <windows.h>

#include "setup_dialog.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  return radixpad::setup::RunSetupDialog(instance) == -1 ? 1 : 0;
}
