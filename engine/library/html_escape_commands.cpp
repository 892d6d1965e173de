// ":char2esc a" and ":esc2char a": the array string HTML-escaped, or its
// escapes turned back into characters, stored in one step.
#include <optional>
#include <string>

#include "core/command_names.h"
#include "core/status_codes.h"
#include "library/array_strings.h"
#include "library/command_arguments.h"
#include "library/library_commands.h"
#include "library/string_edits.h"

namespace calc {

int RunHtmlEscape(CalcEngine& engine, const CalcToken& command) {
  std::uint8_t code = 0;
  if (const int status = ReadTargetArray(engine, command, code)) return status;
  CalcArrayTable& arrays = engine.storage().arrays();
  const std::string text = ArrayString(arrays, code);
  const std::optional<std::string> result = command.code() == kCmdChar2esc ? HtmlEscaped(text) : HtmlUnescaped(text);
  const int status = result ? StoreArrayString(arrays, code, 0, *result) : E_MEM;
  return status == kDone ? kNoValue : engine.evaluator().Fail(status, &command);
}

}  // namespace calc
