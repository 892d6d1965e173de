// The matrix built-ins as scripts call them: matrix arguments by array name
// or as expressions, results as values, matrices or counts, the arrays that
// receive eigenvalues and factors, and the warnings and failures of matrices
// the functions cannot work on or of arguments that name no array.
#include <cstdint>
#include <string>
#include <vector>

#include "library_fixture.h"

namespace calc::testing {
namespace {

class MatrixBuiltins : public LibraryTest {
 protected:
  MatrixBuiltins() { Run(":array a s d n z v w l u\nx = 1"); }

  // The general float mode and the matrices every case starts from.
  void Fill() {
    ASSERT_EQ(Run(":gfloat\n"
                  "a { { 2 1 } { 1 3 } }\n"
                  "s { { 0 1 } { 1 0 } }\n"
                  "d { { 1 0 0 } { 0 3 0 } { 0 0 2 } }\n"
                  "n { { 1 2 3 } { 4 5 6 } }\n"
                  "z { { 1 2 } { 2 4 } }"),
              kNoValue);
  }
};

struct ScriptCase {
  const char* text;
  int status;               // of the last statement
  const char* printed;      // its echo; for an error the offending token
  std::vector<int> warnings;
};

TEST_F(MatrixBuiltins, GiveTheirResultsAndWarnings) {
  const std::vector<ScriptCase> cases = {
      // exact in a fraction mode
      {":fract; inv a", kValue, "{ { 3_5 \\-1_5 } { \\-1_5 2_5 } }", {}},
      {":fract; inv a * a", kValue, "{ { 1 0 } { 0 1 } }", {}},
      {":fract; det a", kValue, "5", {}},
      {":fract; det (a * a)", kValue, "25", {}},  // an expression as the matrix
      {"det s", kValue, "-1", {}},                  // the zero pivot: the negated row moves up
      {"det z", kValue, "0", {}},                  // singular: no warning
      {"inv s", kValue, "{ { 0 1 } { 1 0 } }", {}},
      {"trans n", kValue, "{ { 1 4 } { 2 5 } { 3 6 } }", {}},
      {":fract; dec a", kValue, "{ { 2 1_2 } { 1 5_2 } }", {}},
      {":fract; dec a l u; l * u", kValue, "{ { 2 1 } { 1 3 } }", {}},
      // not square, or singular
      {"det n", kValue, "0", {W_DET}},
      {"inv n", kValue, "0", {W_INV}},
      {"inv z", kValue, "0", {W_INV}},
      {"dec n", kValue, "0", {W_DEC}},
      {"dec n l u", kValue, "0", {W_DEC}},
      {"house n", kValue, "0", {W_INV}},
      {"hes n", kValue, "0", {W_INV}},
      {"eigen n v", kValue, "0", {}},
      {"pm n 2 v", kValue, "0", {}},
      {"dqr n v", kValue, "0", {}},
      // counts and the arrays that receive the results
      {"eigen d v w; v", kValue, "{ { 3 2 1 } }", {}},
      {"eigen d v w; w", kValue, "{ { 0 1 0 } { 0 0 1 } { 1 0 0 } }", {}},
      {"eigen d v w + 10", kValue, "13", {}},  // "+" ends the arguments
      {"jacobi d v; v", kValue, "{ { 3 2 1 } }", {}},
      {"power d 2 v; v", kValue, "{ { 3 2 } }", {}},
      {"qr d v", kValue, "3", {}},
      {"house a", kValue, "{ { 2 1 } { 1 3 } }", {}},
      {"hes d", kValue, "{ { 1 0 0 } { 0 3 0 } { 0 0 2 } }", {}},
      {":gcomplex; dqr s v; v", kValue, "{ { 1 \\-1 } }", {}},
      {"pm2 d 1 v w; v", kValue, "3", {}},
      {"pm2 d 1 v w; w", kValue, "0", {}},
      {"eigen d @@q; @@q", kValue, "{ { 3 2 1 } }", {}},  // an array by code
      {"inv a; dec a; house a; eigen a v; a", kValue, "{ { 2 1 } { 1 3 } }", {}},  // sources stay
      {"eigen a a; a", kValue, "{ { 3.61803 1.38197 } }", {}},  // the source may receive
      // an output argument that names no array
      {"eigen d x", E_FUNCTION, "x", {}},
      {"eigen d 5", E_FUNCTION, "5", {}},
      {"eigen d", E_FUNCTION, "eigen", {}},
      {"dec a l", E_FUNCTION, "dec", {}},
      {"dec a l x", E_FUNCTION, "x", {}},
      {"pm d 2 (v)", E_FUNCTION, "(", {}},
      {"det", E_FUNCTION, "det", {}},
  };
  for (const ScriptCase& c : cases) {
    SCOPED_TRACE(c.text);
    Fill();
    ASSERT_EQ(Run(c.text), c.status);
    if (c.status != kValue) {
      ASSERT_EQ(ReportCodes(), std::vector<int>{c.status});
      EXPECT_EQ(engine.reports[0].token, c.printed);
      continue;
    }
    ASSERT_FALSE(engine.printed.empty());
    EXPECT_EQ(engine.printed.back(), c.printed);
    EXPECT_EQ(ReportCodes(), c.warnings);
  }
}

// pm and pm2 draw their start vectors from the engine's generator: a seed
// repeats the estimates to the last bit, and the draws move the sequence on.
TEST_F(MatrixBuiltins, PowerMethodsRepeatAfterSeeding) {
  Fill();
  const CalcArrayTable& arrays = engine.storage().arrays();
  const auto v = static_cast<std::uint8_t>(arrays.Find("v"));
  const auto w = static_cast<std::uint8_t>(arrays.Find("w"));
  for (const char* call : {"pm a 2 v", "pm2 a 2 v w"}) {
    SCOPED_TRACE(call);
    ASSERT_EQ(Run(std::string(":srand 9; ") + call + "; r = rand"), kValue);
    const CalcMatrix first = arrays.Matrix(v);
    const double after_first = Variable("r");
    ASSERT_EQ(Run(std::string(":srand 9; ") + call + "; r = rand"), kValue);
    ASSERT_EQ(arrays.Matrix(v).count(), 2);
    for (int i = 0; i < 2; ++i) EXPECT_EQ(arrays.Matrix(v).ElementAt(i).ToReal(), first.ElementAt(i).ToReal());
    EXPECT_EQ(Variable("r"), after_first);
    ASSERT_EQ(Run(":srand 9; r = rand"), kValue);
    EXPECT_NE(Variable("r"), after_first);
  }
  EXPECT_EQ(arrays.Matrix(w).count(), 2);  // pm2's imaginary parts
}

}  // namespace
}  // namespace calc::testing
