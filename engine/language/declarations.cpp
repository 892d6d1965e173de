#include "language/declarations.h"

#include <cmath>
#include <new>
#include <string>

#include "core/status_codes.h"

namespace calc {

namespace {

// Tokens that spell a name: a plain identifier, or one the engine has already
// turned into a variable or array by name.
bool IsNameToken(const CalcToken& token) {
  return token.kind() == kTokName || token.kind() == kTokVariableName ||
         token.kind() == kTokArrayName;
}

// The names a command has declared so far, removed again when it fails. One
// command can declare at most one name per slot of each table.
class Undo {
 public:
  explicit Undo(CalcStorage& storage) : storage_(storage) {}

  void Variable(int code) { variables_[variable_count_++] = static_cast<std::uint8_t>(code); }
  void Array(int code) { arrays_[array_count_++] = static_cast<std::uint8_t>(code); }

  void Run() {
    while (variable_count_ > 0) storage_.variables().UndefineCode(variables_[--variable_count_]);
    while (array_count_ > 0) storage_.arrays().UndefineCode(arrays_[--array_count_]);
  }

 private:
  CalcStorage& storage_;
  std::uint8_t variables_[kSlotCount] = {};
  std::uint8_t arrays_[kSlotCount] = {};
  int variable_count_ = 0;
  int array_count_ = 0;
};

int Fail(DeclarationArgs& args, CalcTokenList::const_iterator at, int status) {
  args.offending = at;
  return status;
}

// A name the command may declare: a name token that names nothing yet.
// 0, E_COMMAND_PARAM or E_COMMAND_DEFINE.
int CheckNewName(const CalcStorage& storage, const DeclarationArgs& args,
                 CalcTokenList::const_iterator at) {
  if (at == args.end || !IsNameToken(*at)) return E_COMMAND_PARAM;
  if (storage.NameExists(at->text())) return E_COMMAND_DEFINE;
  return 0;
}

bool IsNewName(const CalcStorage& storage, const DeclarationArgs& args,
               CalcTokenList::const_iterator at) {
  return CheckNewName(storage, args, at) == 0;
}

// Evaluates the operand at args.pos; on failure args.pos is put back.
bool Evaluate(DeclarationArgs& args, CalcValue& out) {
  if (!args.evaluate || args.pos == args.end) return false;
  const CalcTokenList::const_iterator start = args.pos;
  CalcMatrix result;
  try {
    if (!IsError(args.evaluate(args.pos, args.end, result))) {
      out = result.First();
      return true;
    }
  } catch (const std::bad_alloc&) {
  }
  args.pos = start;
  return false;
}

// :var and :array
int DeclareNames(CalcStorage& storage, DeclarationArgs& args, bool arrays) {
  Undo undo(storage);
  for (; args.pos != args.end; ++args.pos) {
    if (int status = CheckNewName(storage, args, args.pos); status != 0) {
      undo.Run();
      return Fail(args, args.pos, status);
    }
    const std::string_view name = args.pos->text();
    // A full table declares nothing, and that is not an error.
    if (arrays) {
      if (int code = storage.arrays().Declare(name); code >= 0) undo.Array(code);
    } else {
      if (int code = storage.variables().Declare(name, CalcValue(), false); code >= 0) undo.Variable(code);
    }
  }
  return kNoValue;
}

// :define name [operand]
int Define(CalcStorage& storage, DeclarationArgs& args) {
  if (int status = CheckNewName(storage, args, args.pos); status != 0) return Fail(args, args.pos, status);
  std::string name;
  try {
    name.assign(args.pos->text());
  } catch (const std::bad_alloc&) {
    return Fail(args, args.pos, E_MEM);
  }
  ++args.pos;
  CalcValue value = CalcValue::FromReal(1.0);
  Evaluate(args, value);
  // The operand may have declared the name itself (a command inside it).
  if (storage.NameExists(name)) return Fail(args, args.pos, E_COMMAND_DEFINE);
  storage.variables().Declare(name, value, true);
  return kNoValue;
}

// :enum name [operand] name [operand] ...
int Enumerate(CalcStorage& storage, DeclarationArgs& args) {
  Undo undo(storage);
  double counter = 0.0;
  int status = 0;
  CalcTokenList::const_iterator at = args.pos;
  while (args.pos != args.end) {
    at = args.pos;
    if ((status = CheckNewName(storage, args, at)) != 0) break;
    std::string name;
    try {
      name.assign(at->text());
    } catch (const std::bad_alloc&) {
      status = E_MEM;
      break;
    }
    ++args.pos;
    if (args.pos != args.end && !IsNewName(storage, args, args.pos)) {
      at = args.pos;
      CalcValue start;
      if (!Evaluate(args, start)) {
        status = E_COMMAND_PARAM;
        break;
      }
      counter = start.ToReal();
    }
    if (storage.NameExists(name)) {  // declared by the operand itself
      status = E_COMMAND_DEFINE;
      break;
    }
    if (int code = storage.variables().Declare(name, CalcValue::FromReal(std::trunc(counter)), true);
        code >= 0) {
      undo.Variable(code);
    }
    counter += 1.0;
  }
  if (status != 0) {
    undo.Run();
    return Fail(args, at, status);
  }
  return kNoValue;
}

// :undef name
int Undefine(CalcStorage& storage, DeclarationArgs& args) {
  if (args.pos == args.end || args.pos->kind() == kTokArrayName || !IsNameToken(*args.pos)) {
    return Fail(args, args.pos, E_COMMAND_PARAM);
  }
  const std::string_view name = args.pos->text();
  if (storage.variables().Find(name) < 0) {
    return Fail(args, args.pos, storage.arrays().Find(name) >= 0 ? E_COMMAND_PARAM : E_COMMAND_UNDEF);
  }
  storage.variables().Undefine(name);
  ++args.pos;
  return kNoValue;
}

// :label name @x   or   :label name @@x
int Label(CalcStorage& storage, DeclarationArgs& args) {
  if (int status = CheckNewName(storage, args, args.pos); status != 0) return Fail(args, args.pos, status);
  const CalcTokenList::const_iterator name = args.pos;
  CalcTokenList::const_iterator target = std::next(name);
  if (target == args.end || (target->kind() != kTokVariable && target->kind() != kTokArray)) {
    return Fail(args, target, E_COMMAND_PARAM);
  }
  CalcNameTable& table = target->kind() == kTokVariable
                             ? static_cast<CalcNameTable&>(storage.variables())
                             : static_cast<CalcNameTable&>(storage.arrays());
  if (int status = table.SetName(target->code(), name->text(), true); status != 0) {
    return Fail(args, name, status);
  }
  args.pos = std::next(target);
  return kNoValue;
}

}  // namespace

bool IsDeclarationCommand(int code) { return code >= kCmdDefine && code <= kCmdLabel; }

int RunDeclaration(int code, CalcStorage& storage, DeclarationArgs& args) {
  args.offending = args.end;
  switch (code) {
    case kCmdVar: return DeclareNames(storage, args, false);
    case kCmdArray: return DeclareNames(storage, args, true);
    case kCmdDefine: return Define(storage, args);
    case kCmdEnum: return Enumerate(storage, args);
    case kCmdUndef: return Undefine(storage, args);
    case kCmdLabel: return Label(storage, args);
    default: return E_COMMAND_NULL;
  }
}

}  // namespace calc
