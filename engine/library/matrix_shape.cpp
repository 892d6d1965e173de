// The shape of arrays: "row" and "col" read it, ":mat" sets it and ":trans"
// transposes an array in place.
#include <cmath>
#include <utility>

#include "core/status_codes.h"
#include "library/builtin_handlers.h"
#include "library/command_arguments.h"
#include "library/library_commands.h"
#include "library/matrix_arguments.h"

namespace calc {
namespace {

int ShapeOf(BuiltinCall& call, bool rows) {
  CalcMatrix value;
  const CalcMatrix* source = nullptr;
  if (const int status = ReadMatrixArgument(call, value, source)) return status;
  call.SetReal(rows ? source->rows() : source->columns());
  return kDone;
}

// ":mat"'s array: an existing one, or a new local array for a name that names
// nothing yet.
int ReadShapedArray(CalcEngine& engine, const CalcToken& command, std::uint8_t& code) {
  CalcEvaluator& ev = engine.evaluator();
  const CalcToken* token = ev.Peek();
  CalcStorage& storage = engine.storage();
  if (token != nullptr && token->kind() == kTokName && !storage.NameExists(token->text())) {
    const int made = storage.arrays().Declare(token->text());
    if (made < 0) return ev.Fail(E_MEM, token);
    ev.Take();
    code = static_cast<std::uint8_t>(made);
    return kDone;
  }
  return ReadTargetArray(engine, command, code);
}

// A size's integer part; not a number counts as 0.
double IntegralPart(double x) { return std::isnan(x) ? 0.0 : std::trunc(x); }

}  // namespace

int builtins::Row(BuiltinCall& call) { return ShapeOf(call, true); }
int builtins::Col(BuiltinCall& call) { return ShapeOf(call, false); }

int RunMat(CalcEngine& engine, const CalcToken& command) {
  CalcEvaluator& ev = engine.evaluator();
  CalcMatrix rows_value;
  CalcMatrix columns_value;
  if (const int status = ReadCommandValue(engine, command, rows_value)) return status;
  if (const int status = ReadCommandValue(engine, command, columns_value)) return status;
  std::uint8_t code = 0;
  if (const int status = ReadShapedArray(engine, command, code)) return status;

  // The sizes are compared as reals, which neither wrap nor overflow: an
  // infinite or huge size is beyond the limit, not a small number.
  const double rows = IntegralPart(rows_value.First().ToReal());
  const double columns = IntegralPart(columns_value.First().ToReal());
  if (rows == 0 || columns == 0 || (rows < 0) != (columns < 0)) return kNoValue;  // a product of 0 or less
  if (rows < 0) return ev.Fail(E_COMMAND_PARAM, &command);                         // two negative sizes
  constexpr double kMax = CalcMatrix::kMaxElements;
  if (rows > kMax || columns > kMax || rows * columns > kMax) return ev.Fail(E_MEM, &command);

  CalcArrayTable& arrays = engine.storage().arrays();
  CalcMatrix& matrix = arrays.Matrix(code);
  if (matrix.rows() == rows && matrix.columns() == columns) return kNoValue;
  if (!matrix.Resize(static_cast<std::int32_t>(rows), static_cast<std::int32_t>(columns), arrays.budget()))
    return ev.Fail(E_MEM, &command);
  return kNoValue;
}

int RunTrans(CalcEngine& engine, const CalcToken& command) {
  std::uint8_t code = 0;
  if (const int status = ReadTargetArray(engine, command, code)) return status;
  CalcArrayTable& arrays = engine.storage().arrays();
  CalcMatrix& matrix = arrays.Matrix(code);
  const std::int32_t rows = matrix.rows();
  const std::int32_t columns = matrix.columns();
  std::optional<CalcMatrix> transposed = CalcMatrix::Make(columns, rows, arrays.budget());
  if (!transposed) return engine.evaluator().Fail(E_MEM, &command);
  for (std::int32_t i = 0; i < rows; ++i)
    for (std::int32_t j = 0; j < columns; ++j) transposed->At(j * rows + i) = matrix.At(i * columns + j);
  matrix = std::move(*transposed);
  return kNoValue;
}

}  // namespace calc
