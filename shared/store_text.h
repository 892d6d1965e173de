// The text behind a SharedStore: lines "key=value" ending in CR LF, closed by
// one empty line. The owner rewrites the whole text on every Set; readers in
// other processes look keys up in the published copy. Portable: the file
// mapping that publishes the text is the Win32 side's business.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace radixpad {

// The text of a store that holds nothing yet.
inline constexpr std::string_view kEmptyStoreText = "\r\n\r\n";

// The backing file's name: "fmo" and every byte of the store name written
// with "%02X" from its sign-extended value ("AB" gives "fmo4142").
std::string StoreFileName(std::string_view store_name);

// The text after setting `key`: the line of the key keeps its position (or is
// dropped when `value` is empty-optional), a new key is appended after the
// existing lines, and the empty terminator line ends the text. Everything from
// the first empty line on is dropped.
std::string StoreSet(std::string_view text, std::string_view key, std::optional<std::string_view> value);

// The value of the first line before the first empty line that starts with
// `key` followed directly by "=". Never reads outside `text`.
std::optional<std::string> StoreGet(std::string_view text, std::string_view key);

// The number at the start of a text, as the published window handle (the key
// "HWnd") and the command API's arguments are read: an optional sign and the
// leading decimal digits, 0 when there are none. Saturates instead of
// overflowing.
std::int64_t ParseLeadingInteger(std::string_view text);

}  // namespace radixpad
