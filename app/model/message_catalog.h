// MessageCatalog: turns a logged report into a sentence from the ERROR
// section of "MESSAGE.INI", keyed by the code's name. Templates may hold
// $value (the line), $string1 (the source name) and $string2 (the token text).
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "model/error_log.h"
#include "model/ini_store.h"

namespace radixpad {

inline constexpr char kMessageSection[] = "ERROR";
// Expanded messages are cut to this many bytes (the host's buffers hold 256).
inline constexpr std::size_t kMaxMessageBytes = 255;

// Replaces the placeholders from left to right; a "$" followed by any other
// word stays as written. The result is cut to kMaxMessageBytes, never in the
// middle of a double-byte character.
std::string ExpandMessage(std::string_view pattern, int line, std::string_view source, std::string_view token);

class MessageCatalog {
 public:
  explicit MessageCatalog(IniStore& file) : file_(file) {}

  // The expanded message of entry `index`, nothing when there is no entry;
  // an empty text when the catalogue has no template for the code.
  std::optional<std::string> MessageFor(const ErrorLog& log, std::size_t index) const;

 private:
  IniStore& file_;
};

}  // namespace radixpad
