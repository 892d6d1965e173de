#include "language/functions.h"

#include <iterator>
#include <new>
#include <utility>

#include "core/keywords.h"
#include "core/status_codes.h"
#include "language/compiled_size.h"
#include "language/engine.h"
#include "language/evaluator.h"
#include "language/variables.h"

namespace calc {

// --- function lists ------------------------------------------------------------

void CalcFunctionList::set_capacity(std::size_t capacity) {
  capacity_ = capacity;
  while (entries_.size() > capacity_) Evict();
}

// The entry with the fewest uses goes; among equals the one nearest the tail,
// which is the oldest.
void CalcFunctionList::Evict() {
  if (entries_.empty()) return;
  auto victim = std::prev(entries_.end());
  for (auto it = victim; it != entries_.begin();) {
    --it;
    if (it->uses < victim->uses) victim = it;
  }
  entries_.erase(victim);
}

CalcFunctionEntry* CalcFunctionList::Find(std::string_view name, bool count) {
  for (CalcFunctionEntry& entry : entries_) {
    if (entry.name() != name) continue;
    if (count && entry.uses != UINT32_MAX) ++entry.uses;
    return &entry;
  }
  return nullptr;
}

bool CalcFunctionList::Add(CalcFunctionEntry entry) {
  if (capacity_ == 0 || entry.body == nullptr) return false;
  try {
    while (entries_.size() >= capacity_) Evict();
    entries_.push_front(std::move(entry));
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}

bool CalcFunctionList::Remove(std::string_view name) {
  for (auto it = entries_.begin(); it != entries_.end(); ++it) {
    if (it->name() == name) {
      entries_.erase(it);
      return true;
    }
  }
  return false;
}

bool CalcFunctionList::CopyFrom(const CalcFunctionList& other) {
  if (&other == this) return true;
  try {
    std::list<CalcFunctionEntry> copy(other.entries_);
    for (CalcFunctionEntry& entry : copy) entry.owner = false;
    entries_ = std::move(copy);
    capacity_ = other.capacity_;
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}

std::vector<std::string> CalcFunctionList::Names() const {
  std::vector<std::string> names;
  for (const CalcFunctionEntry& entry : entries_) names.emplace_back(entry.name());
  return names;
}

CalcFunctionList& ExternalFunctionCache() {
  static CalcFunctionList cache(kDefaultExternalCacheCapacity);
  return cache;
}

// --- parameter lists -------------------------------------------------------------

ParsedParameters ParseParameters(CalcTokenList::const_iterator begin, CalcTokenList::const_iterator end) {
  ParsedParameters parsed;
  parsed.at = end;
  bool mark = false;
  CalcTokenList::const_iterator mark_at = end;
  bool after_name = false;  // the previous token was a parameter's name
  for (auto it = begin; it != end; ++it) {
    const CalcToken& token = *it;
    bool name = false;
    switch (token.kind()) {
      case kTokOpen:
      case kTokClose:
        break;
      case kTokName:
        if (parsed.parameters.size() == static_cast<std::size_t>(kMaxParameters)) {
          parsed.problem = ParameterProblem::kTooMany;
          parsed.at = it;
          return parsed;
        }
        parsed.parameters.push_back({std::string(token.text()), false, mark});
        mark = false;
        name = true;
        break;
      case kTokReference:
        mark = true;
        mark_at = it;
        break;
      case kTokOperator:
        // "&b" reads as the operator "&" and the name b; every operator past
        // the comparisons counts as the mark, as the original lists did.
        if (token.code() > kOpNotEqual) {
          mark = true;
          mark_at = it;
        }
        break;
      case kTokEmptyBrackets:
        if (after_name) parsed.parameters.back().array = true;
        break;
      default:
        parsed.problem = ParameterProblem::kUnusable;
        parsed.at = it;
        return parsed;
    }
    after_name = name;
  }
  if (mark) {
    parsed.problem = ParameterProblem::kMarkWithoutName;
    parsed.at = mark_at;
  }
  return parsed;
}

int BindParameters(const std::vector<CalcParameter>& parameters, CalcStorage& storage, bool replace,
                   std::size_t& offender) {
  if (!replace) {
    for (std::size_t i = 0; i < parameters.size(); ++i) {
      if (storage.NameExists(parameters[i].name)) {
        offender = i;
        return E_COMMAND_DEFINE;
      }
    }
  }
  CalcCallState& calls = storage.calls();
  for (int i = 0; i < kMaxParameters; ++i) calls.reference[i] = false;
  for (std::size_t i = 0; i < parameters.size() && i < static_cast<std::size_t>(kMaxParameters); ++i) {
    const CalcParameter& p = parameters[i];
    const auto code = static_cast<std::uint8_t>(kFirstParameterCode + i);
    if (storage.variables().Find(p.name) >= 0) storage.variables().Undefine(p.name);
    if (storage.arrays().Find(p.name) >= 0) storage.arrays().Undefine(p.name);
    CalcNameTable& table = p.array ? static_cast<CalcNameTable&>(storage.arrays()) : storage.variables();
    if (table.SetName(code, p.name, true) != kDone) {
      offender = i;
      return E_MEM;
    }
    calls.reference[i] = p.reference;
  }
  return kDone;
}

// --- arguments ---------------------------------------------------------------------

int CollectArguments(CalcEvaluator& evaluator, CalcTokenList& out) {
  const CalcStorage& storage = evaluator.engine().storage();
  for (;;) {
    const CalcToken* token = evaluator.Peek();
    if (token == nullptr) return kDone;
    if (!CalcEvaluator::CanBeginOperand(*token) && token->kind() != kTokString) return kDone;

    int status = kDone;
    switch (token->kind()) {
      case kTokVariable:
      case kTokArray:
        evaluator.Take();
        if (token->code() == ':') {  // the code the next operand computes
          std::uint8_t code = 0;
          if (const int s = evaluator.ReadComputedCode(code)) return s;
          status = out.Append(token->kind(), code);
        } else {
          status = out.Append(*token);
        }
        break;
      case kTokVariableName:
      case kTokArrayName:
      case kTokNumber:
      case kTokString:
        evaluator.Take();
        status = out.Append(*token);
        break;
      case kTokName: {
        const std::string_view name = token->text();
        if (storage.variables().Find(name) >= 0) {
          evaluator.Take();
          status = out.Append(kTokVariableName, std::string(name));
          break;
        }
        if (storage.arrays().Find(name) >= 0) {
          evaluator.Take();
          status = out.Append(kTokArrayName, std::string(name));
          break;
        }
        [[fallthrough]];  // a number, or a call
      }
      default: {
        CalcMatrix value;
        if (const int s = evaluator.EvaluateOperand(value)) return s;
        status = value.count() > 1 ? out.AppendMatrix(value) : out.AppendNumber(value.First());
        break;
      }
    }
    if (status != kDone) return evaluator.Fail(E_MEM, nullptr);
  }
}

namespace {

// A string in an array's vector: one element per byte, then a 0, and the
// vector cut after it.
int StoreString(CalcArrayTable& arrays, std::uint8_t code, std::string_view text) {
  CalcArrayNode& node = arrays.Node(code);
  if (text.size() >= static_cast<std::size_t>(CalcMatrix::kMaxElements)) return E_MEM;
  const auto length = static_cast<std::int32_t>(text.size());
  if (const int status = node.ResizeValues(length + 1)) return status;
  for (std::int32_t i = 0; i < length; ++i)
    node.SetValue(i, CalcValue::FromReal(static_cast<unsigned char>(text[static_cast<std::size_t>(i)])));
  node.SetValue(length, CalcValue::FromReal(0.0));
  return kDone;
}

// The caller's slot an argument token names: the code, or -1.
int CallerCode(const CalcToken& token, const CalcStorage& caller, bool& is_array) {
  switch (token.kind()) {
    case kTokVariable:
      is_array = false;
      return token.code();
    case kTokArray:
      is_array = true;
      return token.code();
    case kTokVariableName:
      is_array = false;
      return caller.variables().Find(token.text());
    case kTokArrayName:
      is_array = true;
      return caller.arrays().Find(token.text());
    default:
      return -1;
  }
}

}  // namespace

int PassArguments(const CalcTokenList& arguments, const CalcStorage& caller, CalcStorage& callee,
                  const CalcToken*& offender) {
  int count = 0;
  for (const CalcToken& token : arguments) {
    offender = &token;
    if (count == kMaxParameters) return E_FUNC_PARANUM;
    const auto code = static_cast<std::uint8_t>(kFirstParameterCode + count);
    int status = kDone;
    bool is_array = false;
    const int from = CallerCode(token, caller, is_array);
    if (from >= 0) {
      const auto slot = static_cast<std::uint8_t>(from);
      if (is_array)
        status = callee.arrays().CopySlot(code, caller.arrays(), slot);
      else
        status = callee.SetVariable(code, caller.GetVariable(slot), true);
    } else if (token.kind() == kTokNumber) {
      status = callee.SetVariable(code, token.NumberValue(), true);
    } else if (token.kind() == kTokMatrix) {
      callee.arrays().Claim(code);
      status = callee.arrays().Matrix(code).Assign(*token.matrix()) ? kDone : E_MEM;
    } else if (token.kind() == kTokString) {
      callee.arrays().Claim(code);
      status = StoreString(callee.arrays(), code, token.text());
    } else {
      return E_FUNC_PARACODE;
    }
    if (status != kDone) return status == E_ASS ? E_FUNC_PARACODE : status;
    ++count;
  }
  offender = nullptr;
  return callee.SetVariable(kArgumentCountCode, CalcValue::FromReal(count), true);
}

int WriteBackArguments(const CalcTokenList& arguments, const CalcStorage& callee, CalcStorage& caller,
                       const CalcToken*& offender) {
  const CalcCallState& calls = callee.calls();
  int first_failure = kDone;
  int i = 0;
  for (auto it = arguments.begin(); it != arguments.end() && i < kMaxParameters; ++it, ++i) {
    if (!calls.reference[i]) continue;
    const auto code = static_cast<std::uint8_t>(kFirstParameterCode + i);
    bool is_array = false;
    const int to = CallerCode(*it, caller, is_array);
    if (to < 0) continue;  // a value: nothing to write back to
    const auto slot = static_cast<std::uint8_t>(to);
    const bool by_code = it->kind() == kTokVariable || it->kind() == kTokArray;
    int status;
    if (is_array) {
      if (by_code) caller.arrays().Claim(slot);
      status = caller.arrays().CopySlot(slot, callee.arrays(), code);
    } else {
      status = caller.SetVariable(slot, callee.GetVariable(code), by_code);
    }
    if (status != kDone && first_failure == kDone) {
      first_failure = status;
      offender = &*it;
    }
  }
  return first_failure;
}

// --- function files ---------------------------------------------------------------

std::FILE* OpenReadableFile(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return nullptr;
  const int first = std::getc(file);
  if (first == EOF) {
    if (!std::ferror(file)) return file;  // empty, and readable
    std::fclose(file);
    return nullptr;
  }
  std::ungetc(first, file);
  return file;
}

void CalcSourceFile::Attach(std::FILE* file) {
  Close();
  file_ = file;
  at_end_ = file == nullptr;
  line_too_long_ = false;
}

void CalcSourceFile::Close() {
  if (file_ != nullptr) std::fclose(file_);
  file_ = nullptr;
  at_end_ = true;
}

bool CalcSourceFile::ReadPiece(std::string& piece, bool& ended) {
  piece.clear();
  ended = false;
  if (file_ == nullptr || at_end_) return false;
  while (piece.size() < kReadLimit) {
    const int c = std::getc(file_);
    if (c == EOF) {
      at_end_ = true;
      ended = true;
      break;
    }
    if (c == '\n' || c == '\r') {
      if (c == '\r') {  // CR, or CR LF
        const int next = std::getc(file_);
        if (next == EOF)
          at_end_ = true;
        else if (next != '\n')
          std::ungetc(next, file_);
      }
      ended = true;
      return true;
    }
    piece += static_cast<char>(c);
  }
  return !piece.empty() || !ended;
}

bool CalcSourceFile::ReadLine(std::string& line) {
  line.clear();
  std::string piece;
  bool ended = false;
  bool any = false;
  while (!ended && ReadPiece(piece, ended)) {
    any = true;
    if (piece.size() > kMaxLineLength - line.size()) {
      line_too_long_ = true;
      at_end_ = true;
      line.clear();
      return false;
    }
    line += piece;
  }
  return any;
}

int LoadFunctionFile(CalcSourceFile& file, const CalcContext& context, CalcFunctionBody& body,
                     CalcRunBudget* budget) {
  try {
    std::string line;
    int number = 1;
    body.first_line = 1;
    while (file.ReadLine(line)) {
      const std::size_t from = body.lines.size();
      if (const int status = CompileLine(context, line, number++, body.lines)) return status;
      if (!body.charge.Set(body.charge.bytes() + CompiledSize(body.lines, from), budget)) return E_MEM;
    }
    if (file.line_too_long()) return E_MEM;
  } catch (const std::bad_alloc&) {
    return E_MEM;
  }
  PlanStatements(body.lines);
  return kDone;
}

}  // namespace calc
