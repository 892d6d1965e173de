#include "model/command_api.h"

#include "core/tokenizer.h"
#include "model/command_reply.h"
#include "store_text.h"

namespace radixpad {
namespace {

enum class Action { kAllSigns, kFieldSign, kWidth, kFieldSignQuery, kWidthQuery, kEnterText };

struct CommandRow {
  std::uintptr_t code;
  Action action;
  int field;  // 1..4 for the per-field commands, else 0
};

constexpr CommandRow kCommandTable[] = {
    {201, Action::kAllSigns, 0},       {211, Action::kFieldSign, 1},      {212, Action::kFieldSign, 2},
    {213, Action::kFieldSign, 3},      {214, Action::kFieldSign, 4},      {221, Action::kWidth, 0},
    {311, Action::kFieldSignQuery, 1}, {312, Action::kFieldSignQuery, 2}, {313, Action::kFieldSignQuery, 3},
    {314, Action::kFieldSignQuery, 4}, {321, Action::kWidthQuery, 0},     {401, Action::kEnterText, 1},
    {402, Action::kEnterText, 2},      {403, Action::kEnterText, 3},      {404, Action::kEnterText, 4},
};

const CommandRow* FindCommand(std::uintptr_t code) {
  for (const CommandRow& row : kCommandTable)
    if (row.code == code) return &row;
  return nullptr;
}

bool TakesArgument(Action action) {
  return action != Action::kFieldSignQuery && action != Action::kWidthQuery;
}

constexpr int kWidths[] = {8, 16, 32};

// The width query's answer: 0, 1, 2 for 8, 16, 32 bit, -1 with none selected.
int WidthIndex(int bits) {
  for (int i = 0; i < 3; ++i)
    if (kWidths[i] == bits) return i;
  return -1;
}

// The byte length of the character that starts at `at`: a lead byte keeps its
// trail byte, as the tokenizer reads it.
std::size_t CharacterLength(std::string_view text, std::size_t at) {
  return calc::IsLeadByte(static_cast<unsigned char>(text[at])) && at + 1 < text.size() ? 2 : 1;
}

}  // namespace

std::optional<int> CommandApi::Query(std::uintptr_t code) const {
  const CommandRow* row = FindCommand(code);
  if (row == nullptr) return std::nullopt;
  if (row->action == Action::kFieldSignQuery) return converter_.field_unsigned(row->field) ? 0 : 1;
  if (row->action == Action::kWidthQuery) return WidthIndex(converter_.bits());
  return std::nullopt;
}

std::string CommandApi::Handle(const CommandRequest& request, bool keep_lock) {
  const CommandRow* row = FindCommand(request.code);
  if (row == nullptr) return BadRequestReply();
  if (!TakesArgument(row->action)) return OkReply(std::to_string(*Query(request.code)));

  const std::optional<std::string_view> argument = CommandArgument(request.text);
  if (!argument) return BadRequestReply();
  if (row->action == Action::kEnterText) {
    if (argument->size() > kMaxEnteredText) return BadRequestReply();
    return OkReply(EnterText(row->field, *argument, keep_lock));
  }

  // Sign and width: the number given answers, -1 (and no change) when it is
  // out of range.
  const std::int64_t value = ParseLeadingInteger(*argument);
  if (row->action == Action::kWidth) {
    if (value < 0 || value > 2) return OkReply("-1");
    converter_.SetBitWidth(kWidths[value]);
  } else {
    if (value != 0 && value != 1) return OkReply("-1");
    const bool is_unsigned = value == 0;
    if (row->action == Action::kAllSigns)
      converter_.SetAllSigns(is_unsigned);
    else
      converter_.SetFieldSign(row->field, is_unsigned);
  }
  return OkReply(std::to_string(value));
}

std::string CommandApi::EnterText(int field, std::string_view text, bool keep_lock) {
  fields_.FocusField(field);
  for (std::size_t end = 0; end < text.size();) {
    end += CharacterLength(text, end);
    fields_.TypeFieldText(field, text.substr(0, end));
  }
  // The warnings of the last keystroke's evaluation; Enter evaluates again
  // and would clear them.
  std::string messages;
  const ErrorLog& log = converter_.error_log();
  for (std::size_t i = 0; i < log.Count(); ++i) {
    const std::optional<std::string> message = catalog_.MessageFor(log, i);
    if (message && !message->empty()) messages += "\r\n" + *message;
  }
  converter_.OnEnter(keep_lock);
  std::string payload;
  for (int f = 1; f <= kFieldCount; ++f) {
    if (f > 1) payload += "\r\n";
    std::string shown = fields_.FieldText(f);
    if (shown.size() > kMaxFieldText) shown.resize(kMaxFieldText);
    payload += shown;
  }
  return payload + messages;
}

}  // namespace radixpad
