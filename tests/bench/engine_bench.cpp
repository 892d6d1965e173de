// What one converter keystroke costs in the engine: the edited field's text is
// evaluated under its type and radix (tokenize, group, evaluate, narrow), and
// the answer is rendered into the three other fields. And what a call of a
// function with a loop in it costs.
#include <benchmark/benchmark.h>

#include <array>
#include <string>

#include "core/context.h"
#include "core/modes.h"
#include "core/render.h"
#include "language/engine.h"

namespace {

// The converter's engine set-up: no echo, commands and statements refused,
// range warnings on; reports are dropped (the base host's answer).
class QuietEngine : public calc::CalcHost, public calc::CalcEngine {
 public:
  explicit QuietEngine(calc::CalcContext& ctx) : CalcEngine(ctx, *this, Settings()) {}

 private:
  static calc::CalcEngineSettings Settings() {
    calc::CalcEngineSettings s;
    s.echo = false;
    return s;
  }
};

void KeystrokeInHexField(benchmark::State& state, const char* text) {
  calc::CalcContext ctx;
  ctx.commands_allowed = false;
  ctx.statements_allowed = false;
  ctx.range_warnings = true;
  QuietEngine engine(ctx);
  constexpr std::array<int, 3> kOtherRadix = {2, 8, 10};
  constexpr std::array<bool, 3> kOtherUnsigned = {true, true, false};
  for (auto _ : state) {
    ctx.SetMode(calc::kModeUlong);
    ctx.SetRadix(16);
    engine.storage().ResetAnswer();
    const int status = engine.RunText(text);
    benchmark::DoNotOptimize(status);
    const calc::CalcValue answer = engine.storage().AnswerValue();
    for (int field = 0; field < 3; ++field) {
      ctx.SetMode(calc::IntegerMode(32, kOtherUnsigned[field]));
      ctx.SetRadix(kOtherRadix[field]);
      std::string out = calc::RenderNumber(ctx, answer);
      benchmark::DoNotOptimize(out.data());
    }
  }
}

void BM_KeystrokeTypicalExpression(benchmark::State& state) {
  KeystrokeInHexField(state, "(0x1F+@a)*3<<2|0xFF");
}
void BM_KeystrokeSingleNumber(benchmark::State& state) { KeystrokeInHexField(state, "DEADBEEF"); }

BENCHMARK(BM_KeystrokeTypicalExpression);
BENCHMARK(BM_KeystrokeSingleNumber);

// One call of a user-defined function whose body holds a small loop: the
// call's engine, the body's statements and the loop's four iterations. The
// loop is recorded by the first call only; every later one replays it.
void BM_CallOfAFunctionWithALoop(benchmark::State& state) {
  calc::CalcContext ctx;
  calc::CalcHost host;
  calc::CalcEngineSettings settings;
  settings.echo = false;
  settings.implicit_variables = true;
  calc::CalcEngine engine(ctx, host, settings);
  engine.RunText("func f n\ns = 0\nfor i = 0; i < 4; i += 1\ns = s + i * n\nnext\nreturn s\nendfunc");
  for (auto _ : state) {
    const int status = engine.RunText("f 3");
    benchmark::DoNotOptimize(status);
  }
  if (engine.storage().AnswerValue().ToReal() != 18.0) state.SkipWithError("f 3 is not 18");
}

BENCHMARK(BM_CallOfAFunctionWithALoop);

}  // namespace

BENCHMARK_MAIN();
