#include "model/command_request.h"

#include <cstring>

namespace radixpad {

std::optional<CommandRequest> ReadCommandRequest(const CopyDataEnvelope& envelope) {
  if (!envelope.present || envelope.size > kMaxRequestBytes) return std::nullopt;
  if (envelope.data == nullptr && envelope.size > 0) return std::nullopt;
  CommandRequest request;
  request.code = envelope.code;
  if (envelope.size > 0) {
    const auto* bytes = static_cast<const char*>(envelope.data);
    const auto size = static_cast<std::size_t>(envelope.size);
    const void* nul = std::memchr(bytes, '\0', size);
    request.text.assign(bytes, nul != nullptr ? static_cast<std::size_t>(static_cast<const char*>(nul) - bytes) : size);
  }
  return request;
}

std::optional<std::string_view> CommandArgument(std::string_view text) {
  const std::size_t end = text.find("\r\n");
  if (end == std::string_view::npos) return std::nullopt;
  return text.substr(0, end);
}

}  // namespace radixpad
