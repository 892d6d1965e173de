// A command request as another program sends it with WM_COPYDATA: a command
// code and argument bytes that need not be terminated. The envelope is
// checked before a single byte is read, because its fields come from a
// process that may be careless or hostile.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace radixpad {

// The most argument bytes a request may carry. Larger requests are refused
// unread: no command needs more, and copying more would let any program make
// the window allocate at will.
inline constexpr std::size_t kMaxRequestBytes = 64 * 1024;

// The fields of a COPYDATASTRUCT as they arrived; `present` is false when the
// message carried no structure at all.
struct CopyDataEnvelope {
  bool present = false;
  std::uintptr_t code = 0;
  std::uint64_t size = 0;
  const void* data = nullptr;
};

struct CommandRequest {
  std::uintptr_t code = 0;
  // The argument bytes up to the first NUL (the sender's text ends there).
  std::string text;
};

// The request, or nothing when the envelope is malformed: no structure, null
// data with a nonzero size, or a size beyond kMaxRequestBytes. Reads exactly
// `size` bytes of `data`, never more.
std::optional<CommandRequest> ReadCommandRequest(const CopyDataEnvelope& envelope);

// The argument of a command that takes one: the text before the first CR LF.
// Nothing when the text has no CR LF (the request is malformed).
std::optional<std::string_view> CommandArgument(std::string_view text);

}  // namespace radixpad
