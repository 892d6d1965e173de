#include "model/command_reply.h"

namespace radixpad {
namespace {

constexpr std::string_view kOkHead = "200 OK\r\n";
constexpr std::string_view kEnd = "\r\n\r\n";
constexpr std::string_view kBadRequest = "400 Bad Request\r\n\r\n";

}  // namespace

std::string OkReply(std::string_view payload) {
  std::string reply(kOkHead);
  reply += payload;
  reply += kEnd;
  return reply;
}

std::string BadRequestReply() { return std::string(kBadRequest); }

std::optional<ParsedReply> ParseReply(std::string_view text) {
  if (text == kBadRequest) return ParsedReply{false, {}};
  if (text.size() < kOkHead.size() + kEnd.size() || !text.starts_with(kOkHead) || !text.ends_with(kEnd))
    return std::nullopt;
  text.remove_prefix(kOkHead.size());
  text.remove_suffix(kEnd.size());
  return ParsedReply{true, std::string(text)};
}

}  // namespace radixpad
