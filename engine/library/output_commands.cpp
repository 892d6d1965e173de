// The text output commands: ":print", ":println" and ":sprint" with their
// items, ":printf", ":sprintf" and ":fprintf" with a format, ":error" and
// ":clear".
// Each collects its whole output first and delivers it only when every
// argument was read, so a failing argument leaves no partial output.
#include <string>
#include <vector>

#include "core/format.h"
#include "core/status_codes.h"
#include "core/truncation.h"
#include "library/array_strings.h"
#include "library/byte_text.h"
#include "library/command_arguments.h"
#include "library/io_handle.h"
#include "library/library_commands.h"
#include "library/library_state.h"
#include "library/printf_format.h"

namespace calc {
namespace {

std::string Joined(const std::vector<std::string>& pieces) {
  std::string text;
  for (const std::string& piece : pieces) text += piece;
  return text;
}

// The string becomes array `code`'s whole string.
int StoreResult(CalcEngine& engine, const CalcToken& command, std::uint8_t code, const std::string& text) {
  const int status = StoreArrayString(engine.storage().arrays(), code, 0, text);
  return status == kDone ? kNoValue : engine.evaluator().Fail(status, &command);
}

// Print items up to the end of the statement: a literal's text, an array's
// string, or an operand's value as the answer display writes it.
int CollectItems(CalcEngine& engine, const CalcToken& command, std::vector<std::string>& pieces) {
  CalcEvaluator& ev = engine.evaluator();
  while (const CalcToken* next = ev.Peek()) {
    if (next->kind() == kTokString) {
      ev.Take();
      pieces.emplace_back(next->text());
      continue;
    }
    int array = -1;
    if (TakeArray(engine, array) != kDone) return ev.Fail(E_COMMAND_PARAM, next);
    if (array >= 0) {
      pieces.push_back(ArrayString(engine.storage().arrays(), static_cast<std::uint8_t>(array)));
      continue;
    }
    CalcMatrix value;
    if (const int status = ReadCommandValue(engine, command, value)) return status;
    ev.Normalize(value);
    pieces.push_back(FormatValue(engine.context(), value.First()));
  }
  return kDone;
}

// printf's arguments read from the statement; a failure is recorded where
// it happened.
class StatementArguments final : public PrintfArguments {
 public:
  StatementArguments(CalcEngine& engine, const CalcToken& command) : engine_(engine), command_(command) {}

  int NextInteger(std::int32_t& out) override {
    double value = 0;
    if (const int status = NextReal(value)) return status;
    out = static_cast<std::int32_t>(TruncToUint32(value));
    return kDone;
  }
  int NextReal(double& out) override {
    CalcMatrix value;
    if (const int status = ReadCommandValue(engine_, command_, value)) return Failed(status);
    out = value.First().ToReal();
    return kDone;
  }
  int NextString(std::string& out) override { return Failed(ReadCommandString(engine_, command_, out)); }

  bool failed() const { return failed_; }

 private:
  int Failed(int status) {
    failed_ = status != kDone;
    return status;
  }

  CalcEngine& engine_;
  const CalcToken& command_;
  bool failed_ = false;
};

// The format and its arguments; a refused directive is recorded with the
// command.
int CollectFormatted(CalcEngine& engine, const CalcToken& command, std::vector<std::string>& pieces) {
  std::string format;
  if (const int status = ReadCommandString(engine, command, format)) return status;
  StatementArguments arguments(engine, command);
  const int status = FormatPrintf(format, arguments, pieces);
  if (status != kDone && !arguments.failed()) return engine.evaluator().Fail(status, &command);
  return status;
}

// Inside a source file a message names it: up to the first line break,
// every "-" becomes the source name and a backslash makes the character
// after it literal. Double-byte characters are copied whole, so their
// second byte is never taken for either.
std::string SourceMessage(std::string_view text, std::string_view source) {
  std::string message;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' || c == '\n') break;
    if (c == '\\' && i + 1 < text.size()) {
      ++i;
    } else if (c == '-') {
      message += source;
      continue;
    }
    message += text[i];
    if (IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) message += text[++i];
  }
  return message;
}

}  // namespace

int RunPrint(CalcEngine& engine, const CalcToken& command) {
  std::vector<std::string> pieces;
  if (const int status = CollectItems(engine, command, pieces)) return status;
  engine.host().PrintText(engine, pieces, command.code() == kCmdPrintln);
  return kNoValue;
}

int RunSprint(CalcEngine& engine, const CalcToken& command) {
  std::uint8_t code = 0;
  if (const int status = ReadTargetArray(engine, command, code)) return status;
  std::vector<std::string> pieces;
  if (const int status = CollectItems(engine, command, pieces)) return status;
  return StoreResult(engine, command, code, Joined(pieces));
}

int RunPrintf(CalcEngine& engine, const CalcToken& command) {
  std::vector<std::string> pieces;
  if (const int status = CollectFormatted(engine, command, pieces)) return status;
  engine.host().PrintText(engine, pieces, false);
  return kNoValue;
}

int RunSprintf(CalcEngine& engine, const CalcToken& command) {
  std::uint8_t code = 0;
  if (const int status = ReadTargetArray(engine, command, code)) return status;
  std::vector<std::string> pieces;
  if (const int status = CollectFormatted(engine, command, pieces)) return status;
  return StoreResult(engine, command, code, Joined(pieces));
}

// The pieces go to the file in order; a handle that names no open file
// takes nothing. The file is looked up after the last argument was read:
// an argument may call a function that closes it.
int RunFprintf(CalcEngine& engine, const CalcToken& command) {
  CalcMatrix handle;
  if (const int status = ReadCommandValue(engine, command, handle)) return status;
  std::vector<std::string> pieces;
  if (const int status = CollectFormatted(engine, command, pieces)) return status;
  if (std::FILE* file = RunState(engine).files.Get(ToHandle(TruncToInt64(handle.First().ToReal()))))
    for (const std::string& piece : pieces) std::fwrite(piece.data(), 1, piece.size(), file);
  return kNoValue;
}

// A literal or an array's string; a stream handle or an expression is refused.
int RunError(CalcEngine& engine, const CalcToken& command) {
  CalcEvaluator& ev = engine.evaluator();
  const CalcToken* next = ev.Peek();
  std::string text;
  if (next != nullptr && next->kind() == kTokString) {
    ev.Take();
    text = next->text();
  } else {
    int array = -1;
    if (TakeArray(engine, array) != kDone || array < 0) return ev.Fail(E_COMMAND_PARAM, next ? next : &command);
    text = ArrayString(engine.storage().arrays(), static_cast<std::uint8_t>(array));
  }
  if (engine.in_source()) text = SourceMessage(text, engine.source_name());
  engine.host().ShowError(engine, text);
  return kNoValue;
}

int RunClear(CalcEngine& engine, const CalcToken&) {
  engine.host().ClearOutput(engine);
  return kNoValue;
}

}  // namespace calc
