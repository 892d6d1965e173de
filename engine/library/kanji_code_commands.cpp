// The character-code commands: ":euc2jis a" and the other five fixed
// conversions, and ":str2euc a", ":str2jis a", ":str2sjis a", which first
// guess the code the array string is in. The string is converted as a copy
// and stored in one step.
#include "core/command_names.h"
#include "core/status_codes.h"
#include "library/array_strings.h"
#include "library/command_arguments.h"
#include "library/kanji_codes.h"
#include "library/library_commands.h"

namespace calc {
namespace {

struct CodeConversion {
  CommandCode command;
  bool detects;   // the source code is guessed from the text
  KanjiCode from;  // when it is not
  KanjiCode to;
};

constexpr CodeConversion kConversions[] = {
    {kCmdEuc2jis, false, KanjiCode::kEuc, KanjiCode::kJis},
    {kCmdEuc2sjis, false, KanjiCode::kEuc, KanjiCode::kShiftJis},
    {kCmdJis2euc, false, KanjiCode::kJis, KanjiCode::kEuc},
    {kCmdJis2sjis, false, KanjiCode::kJis, KanjiCode::kShiftJis},
    {kCmdSjis2euc, false, KanjiCode::kShiftJis, KanjiCode::kEuc},
    {kCmdSjis2jis, false, KanjiCode::kShiftJis, KanjiCode::kJis},
    {kCmdStr2euc, true, KanjiCode::kPlain, KanjiCode::kEuc},
    {kCmdStr2jis, true, KanjiCode::kPlain, KanjiCode::kJis},
    {kCmdStr2sjis, true, KanjiCode::kPlain, KanjiCode::kShiftJis},
};

}  // namespace

int RunKanjiCode(CalcEngine& engine, const CalcToken& command) {
  const CodeConversion* conversion = nullptr;
  for (const CodeConversion& entry : kConversions)
    if (entry.command == command.code()) conversion = &entry;
  if (conversion == nullptr) return engine.evaluator().Fail(E_COMMAND_PARAM, &command);

  std::uint8_t code = 0;
  if (const int status = ReadTargetArray(engine, command, code)) return status;
  CalcArrayTable& arrays = engine.storage().arrays();
  const std::string text = ArrayString(arrays, code);
  const KanjiCode from = conversion->detects ? DetectKanjiCode(text) : conversion->from;
  if (from == conversion->to || from == KanjiCode::kPlain) return kNoValue;
  const int status = StoreArrayString(arrays, code, 0, ConvertKanjiCode(text, from, conversion->to));
  return status == kDone ? kNoValue : engine.evaluator().Fail(status, &command);
}

}  // namespace calc
