// The language tests' recording engine with the standard library installed,
// and the readers the library tests share.
#pragma once

#include <complex>
#include <cstdint>
#include <string>
#include <string_view>

#include "../language/engine_fixture.h"
#include "library/standard_library.h"

namespace calc::testing {

class LibraryTest : public EngineTest {
 protected:
  LibraryTest() { engine.set_library(&StandardLibrary()); }

  // Values are read in the context's numeric settings, as the engine
  // stores them: outside them a fraction would be read as a rounded real.
  std::complex<double> ComplexAnswer() {
    const NumericScope numeric(context.numeric());
    const CalcComplex z = engine.storage().AnswerValue().ComplexView();
    return {z.re, z.im};
  }
  CalcFraction FractionAnswer() {
    const NumericScope numeric(context.numeric());
    return engine.storage().AnswerValue().FractionView();
  }
  CalcValue VariableValue(std::string_view name) {
    const NumericScope numeric(context.numeric());
    const int code = engine.storage().variables().Find(name);
    return engine.storage().GetVariable(static_cast<std::uint8_t>(code < 0 ? 0 : code));
  }
  // The string an array holds, and the number of elements it has.
  std::string Text(std::string_view array) {
    const int code = engine.storage().arrays().Find(array);
    return code < 0 ? "<no array>" : ArrayString(engine.storage().arrays(), static_cast<std::uint8_t>(code));
  }
  std::int32_t VectorSize(std::string_view array) {
    return engine.storage().arrays().Node(static_cast<std::uint8_t>(engine.storage().arrays().Find(array))).ValueCount();
  }
};

}  // namespace calc::testing
