// The debug message log: every command message RadixPad receives while debug
// mode is on is appended to "LOG\message.log" in the program folder. An entry
// is a stamp with the local time, the entry text (written in text mode) and,
// for WM_COPYDATA, the raw argument bytes (written in binary mode, no line end
// added).
#pragma once

#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>

namespace radixpad {

// "LOG\message.log" under the program folder.
std::string MessageLogPath(std::string_view program_folder);

// "[Www Mmm dd hh:mm:ss yyyy] ": the 24 characters that ctime writes, without
// its line end, in brackets, followed by a blank.
std::string LogStamp(const std::tm& local_time);

// Numbers are written as the 32-bit signed values a "%d" of them shows.
std::string RegisteredMessageEntry(std::intptr_t wparam, std::intptr_t lparam);
std::string CopyDataEntry(std::intptr_t wparam, std::uintptr_t code);

// Appends the stamped entry, then `raw`. The file is opened and closed per
// entry; when it cannot be opened the entry is dropped.
void AppendLogEntry(const std::string& path, std::time_t now, std::string_view entry, std::string_view raw = {});

}  // namespace radixpad
