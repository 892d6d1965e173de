// The language tests' recording engine with the standard library installed,
// and the readers the library tests share.
#pragma once

#include <complex>
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
};

}  // namespace calc::testing
