// The reply texts of the command API, written by RadixPad and read by its
// clients: "200 OK" CR LF, the payload, CR LF CR LF on success, and
// "400 Bad Request" CR LF CR LF on failure.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace radixpad {

std::string OkReply(std::string_view payload);
std::string BadRequestReply();

struct ParsedReply {
  bool ok = false;
  std::string payload;  // empty for a failure
};

// Reads a reply as a client receives it; nothing when the text is neither
// form (a truncated or foreign reply).
std::optional<ParsedReply> ParseReply(std::string_view text);

}  // namespace radixpad
