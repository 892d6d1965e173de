// The string commands on array strings: ":strcpy", ":strcat" and their
// marker forms, ":strlwr", ":strupr", ":strrep", ":strirep" and
// ":strtrunc". Every argument is read before the array is written, and the
// result is stored in one step, so a failing argument or store leaves the
// array as it was.
#include <cmath>
#include <optional>
#include <string>

#include "core/command_names.h"
#include "core/status_codes.h"
#include "library/array_strings.h"
#include "library/command_arguments.h"
#include "library/library_commands.h"
#include "library/string_edits.h"

namespace calc {
namespace {

bool IgnoresCase(const CalcToken& command) {
  return command.code() == kCmdStricpy || command.code() == kCmdStricat || command.code() == kCmdStrirep;
}

// `text` becomes array `code`'s string from element `at` on.
int StoreString(CalcEngine& engine, const CalcToken& command, std::uint8_t code, std::size_t at,
                const std::string& text) {
  const int status = StoreArrayString(engine.storage().arrays(), code, static_cast<std::int32_t>(at), text);
  return status == kDone ? kNoValue : engine.evaluator().Fail(status, &command);
}

// The same for an edit that may have outgrown every array (E_MEM).
int StoreString(CalcEngine& engine, const CalcToken& command, std::uint8_t code,
                const std::optional<std::string>& text) {
  if (!text) return engine.evaluator().Fail(E_MEM, &command);
  return StoreString(engine, command, code, 0, *text);
}

// Whether the statement goes on: any token left is the next argument (a
// string literal, an array or an operand), since nothing else may follow.
bool ArgumentFollows(CalcEngine& engine) { return engine.evaluator().Peek() != nullptr; }

}  // namespace

// strcpy/strcat a s [b e]; stricpy/stricat a s b e.
int RunStrcpy(CalcEngine& engine, const CalcToken& command) {
  const bool ignore_case = IgnoresCase(command);
  std::uint8_t code = 0;
  if (const int status = ReadTargetArray(engine, command, code)) return status;
  std::string text;
  if (const int status = ReadCommandString(engine, command, text)) return status;
  if (ignore_case || ArgumentFollows(engine)) {
    std::string begin;
    std::string end;
    if (const int status = ReadCommandString(engine, command, begin)) return status;
    if (const int status = ReadCommandString(engine, command, end)) return status;
    text = MarkedSpan(text, begin, end, ignore_case);
  }
  const bool appends = command.code() == kCmdStrcat || command.code() == kCmdStricat;
  const std::size_t at = appends ? ArrayString(engine.storage().arrays(), code).size() : 0;
  return StoreString(engine, command, code, at, text);
}

// strlwr a / strupr a: letters change element by element where they stand,
// so the elements after the string's terminating 0 are kept.
int RunStrCase(CalcEngine& engine, const CalcToken& command) {
  std::uint8_t code = 0;
  if (const int status = ReadTargetArray(engine, command, code)) return status;
  const bool lower = command.code() == kCmdStrlwr;
  const unsigned char first = lower ? 'A' : 'a';
  const int shift = lower ? 'a' - 'A' : 'A' - 'a';
  CalcArrayTable& arrays = engine.storage().arrays();
  const std::string text = ArrayString(arrays, code);
  CalcArrayNode& node = arrays.Node(code);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const unsigned char byte = static_cast<unsigned char>(text[i]);
    if (byte >= first && byte <= first + ('Z' - 'A'))
      node.SetValue(static_cast<std::int32_t>(i), CalcValue::FromReal(byte + shift));
  }
  return kNoValue;
}

// strrep/strirep a x y (every x by y) or a b e y (every span b..e by y).
int RunStrrep(CalcEngine& engine, const CalcToken& command) {
  std::uint8_t code = 0;
  if (const int status = ReadTargetArray(engine, command, code)) return status;
  std::string first;
  std::string second;
  if (const int status = ReadCommandString(engine, command, first)) return status;
  if (const int status = ReadCommandString(engine, command, second)) return status;
  const bool ignore_case = IgnoresCase(command);
  const std::string text = ArrayString(engine.storage().arrays(), code);
  if (!ArgumentFollows(engine))
    return StoreString(engine, command, code, ReplaceAll(text, first, second, ignore_case));
  std::string replacement;
  if (const int status = ReadCommandString(engine, command, replacement)) return status;
  return StoreString(engine, command, code, ReplaceSpans(text, first, second, replacement, ignore_case));
}

// strtrunc a n t: a string longer than n bytes is cut to at most n bytes on a
// character boundary and t is appended.
int RunStrtrunc(CalcEngine& engine, const CalcToken& command) {
  std::uint8_t code = 0;
  if (const int status = ReadTargetArray(engine, command, code)) return status;
  CalcMatrix limit_value;
  if (const int status = ReadCommandValue(engine, command, limit_value)) return status;
  std::string tail;
  if (const int status = ReadCommandString(engine, command, tail)) return status;
  const std::string text = ArrayString(engine.storage().arrays(), code);
  // Compared as a real: a huge or infinite limit is no limit, not a wrapped
  // integer; a negative limit keeps nothing.
  const double raw = limit_value.First().ToReal();
  const double limit = std::isnan(raw) ? 0.0 : std::trunc(raw);
  if (limit >= static_cast<double>(text.size())) return kNoValue;
  const std::size_t cut = CharacterCut(text, limit < 0 ? 0 : static_cast<std::size_t>(limit));
  return StoreString(engine, command, code, 0, text.substr(0, cut) + tail);
}

}  // namespace calc
