// The program folder: where RadixPad finds its settings, catalogue, images and log.
#pragma once

#include <string>

namespace radixpad::win32 {

// The full path of the running program in the ANSI code page; empty if it
// cannot be read.
std::string ProgramPath();

// The program's path cut before its last backslash (no trailing backslash).
// Empty if the path cannot be read.
std::string ProgramFolder();

// Creates every missing folder of `path`, one backslash-separated level at a
// time. Failures are silent: the caller's feature is simply absent.
void CreateFolderPath(const std::string& path);

}  // namespace radixpad::win32
