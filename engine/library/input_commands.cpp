// The input commands: ":scan" hands prompts and targets to the host;
// ":scanf", ":sscanf" and ":fscanf" read one word per directive of a format
// from the host's input lines, a string or a file. Every target is read and
// checked before any input is: a command that fails takes no input.
#include <string>
#include <vector>

#include "core/literal.h"
#include "core/status_codes.h"
#include "core/truncation.h"
#include "library/array_strings.h"
#include "library/command_arguments.h"
#include "library/io_handle.h"
#include "library/library_commands.h"
#include "library/library_state.h"
#include "library/scan_format.h"
#include "library/scan_item.h"

namespace calc {
namespace {

// Where a directive's word goes: an array for s, a variable for the others.
struct ScanTarget {
  ScanDirective directive;
  VariableTarget variable;
  std::uint8_t array = 0;
};

int ReadTargets(CalcEngine& engine, const CalcToken& command, std::vector<ScanDirective> directives,
                std::vector<ScanTarget>& targets) {
  for (ScanDirective& directive : directives) {
    ScanTarget& target = targets.emplace_back();
    target.directive = std::move(directive);
    const int status = target.directive.conversion == 's'
                           ? ReadTargetArray(engine, command, target.array)
                           : ReadCommandVariable(engine, command, target.variable);
    if (status != kDone) return status;
  }
  return kDone;
}

// The format, then its targets.
int ReadFormatAndTargets(CalcEngine& engine, const CalcToken& command, std::vector<ScanTarget>& targets) {
  std::string format;
  if (const int status = ReadCommandString(engine, command, format)) return status;
  return ReadTargets(engine, command, ParseScanFormat(format), targets);
}

// One word into its target. A constant variable is passed over silently; a
// word that does not convert, and an empty word, store nothing.
int Store(CalcEngine& engine, const CalcToken& command, const ScanTarget& target, const std::string& word) {
  CalcStorage& storage = engine.storage();
  if (word.empty()) return kDone;
  if (target.directive.conversion == 's') {
    const int status = StoreArrayString(storage.arrays(), target.array, 0, word);
    return status == kDone ? kDone : engine.evaluator().Fail(status, &command);
  }
  if (storage.variables().IsConstant(target.variable.code)) return kDone;
  const std::optional<double> value = ConvertScanWord(target.directive.conversion, word);
  if (!value) return kDone;
  return AssignVariable(engine, target.variable, CalcValue::FromReal(*value));
}

// Each target receives the word `next_word` gives for its directive.
template <typename NextWord>
int StoreWords(CalcEngine& engine, const CalcToken& command, const std::vector<ScanTarget>& targets,
               NextWord next_word) {
  for (const ScanTarget& target : targets)
    if (const int status = Store(engine, command, target, next_word(target.directive))) return status;
  return kNoValue;
}

// ":scan" items: a literal is the prompt of the items after it, each
// variable or array a target.
int ReadScanItems(CalcEngine& engine, const CalcToken& command, std::vector<CalcScanItem>& items) {
  CalcEvaluator& ev = engine.evaluator();
  std::string prompt;
  while (const CalcToken* next = ev.Peek()) {
    if (next->kind() == kTokString) {
      ev.Take();
      prompt = next->text();
      continue;
    }
    int array = -1;
    if (TakeWritableArray(engine, array) != kDone) return ev.Fail(E_COMMAND_PARAM, next);
    if (array >= 0) {
      items.push_back({prompt, true, static_cast<std::uint8_t>(array), std::nullopt});
      continue;
    }
    VariableTarget variable;
    if (const int status = ReadCommandVariable(engine, command, variable)) return status;
    if (engine.storage().variables().IsConstant(variable.code)) return ev.Fail(E_ASS, next);
    items.push_back({prompt, false, variable.code, std::nullopt});
  }
  return kDone;
}

// A reply as a number: the current mode's literal, with an optional "-".
bool ReadReplyNumber(const CalcContext& context, std::string_view reply, CalcValue& value) {
  const bool negative = !reply.empty() && reply.front() == '-';
  if (!ParseNumber(context, negative ? reply.substr(1) : reply, value)) return false;
  if (negative) value = value.Negate();
  return true;
}

}  // namespace

int StoreScanReplies(CalcEngine& engine, const CalcToken& command, const std::vector<CalcScanItem>& items) {
  CalcStorage& storage = engine.storage();
  for (const CalcScanItem& item : items) {
    if (!item.reply || item.reply->empty()) continue;
    int status = kDone;
    if (item.is_array) {
      status = StoreArrayString(storage.arrays(), item.code, 0, *item.reply);
    } else {
      CalcValue value;
      if (ReadReplyNumber(engine.context(), *item.reply, value)) status = storage.SetVariable(item.code, value, false);
    }
    if (status != kDone) return engine.evaluator().Fail(status, &command);
  }
  return kDone;
}

int RunScan(CalcEngine& engine, const CalcToken& command) {
  std::vector<CalcScanItem> items;
  if (const int status = ReadScanItems(engine, command, items)) return status;
  engine.host().ScanValues(engine, items);
  if (const int status = StoreScanReplies(engine, command, items)) return status;
  return kNoValue;
}

// One input line per directive, asked for with the directive's prompt; the
// line without its trailing line ends is the word. No line is an empty word.
int RunScanf(CalcEngine& engine, const CalcToken& command) {
  std::vector<ScanTarget> targets;
  if (const int status = ReadFormatAndTargets(engine, command, targets)) return status;
  return StoreWords(engine, command, targets, [&engine](const ScanDirective& directive) {
    std::string line;
    if (!engine.host().ReadLine(engine, directive.prompt, line)) return std::string();
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.pop_back();
    return line;
  });
}

int RunSscanf(CalcEngine& engine, const CalcToken& command) {
  std::string text;
  if (const int status = ReadCommandString(engine, command, text)) return status;
  std::vector<ScanTarget> targets;
  if (const int status = ReadFormatAndTargets(engine, command, targets)) return status;
  std::size_t at = 0;
  return StoreWords(engine, command, targets,
                    [&text, &at](const ScanDirective&) { return NextScanWord(text, at); });
}

// A handle that names no open file reads as the end of a file: every word
// is empty.
int RunFscanf(CalcEngine& engine, const CalcToken& command) {
  CalcMatrix handle;
  if (const int status = ReadCommandValue(engine, command, handle)) return status;
  std::vector<ScanTarget> targets;
  if (const int status = ReadFormatAndTargets(engine, command, targets)) return status;
  std::FILE* file = RunState(engine).files.Get(ToHandle(TruncToInt64(handle.First().ToReal())));
  return StoreWords(engine, command, targets, [file](const ScanDirective&) { return ReadScanWord(file); });
}

}  // namespace calc
