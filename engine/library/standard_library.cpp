#include "library/standard_library.h"

#include "library/builtins.h"
#include "library/library_commands.h"

namespace calc {
namespace {

class Standard final : public CalcLibrary {
 public:
  int CallFunction(CalcEvaluator& evaluator, const CalcToken& function, CalcMatrix& result) const override {
    return DispatchBuiltin(evaluator, function, result);
  }
  int RunCommand(CalcEngine& engine, const CalcToken& command, CalcMatrix&) const override {
    return RunLibraryCommand(engine, command);
  }
};

}  // namespace

const CalcLibrary& StandardLibrary() {
  static const Standard library;
  return library;
}

}  // namespace calc
