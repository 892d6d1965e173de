// What one converter keystroke costs at the number level: one literal read
// under its field's type and radix, then written into all four fields.
#include <benchmark/benchmark.h>

#include <array>
#include <string>

#include "core/context.h"
#include "core/literal.h"
#include "core/modes.h"
#include "core/render.h"
#include "core/value.h"

namespace {

void ParseAndFormatIntoFourRadices(benchmark::State& state, const char* text, int from) {
  calc::CalcContext ctx;
  constexpr std::array<int, 4> kRadix = {2, 8, 10, 16};
  constexpr std::array<bool, 4> kUnsigned = {true, true, false, true};
  for (auto _ : state) {
    ctx.SetMode(calc::IntegerMode(32, from != 10));
    ctx.SetRadix(from);
    calc::CalcValue value;
    const bool ok = calc::ParseNumber(ctx, text, value);
    benchmark::DoNotOptimize(ok);
    calc::FitToMode(value, ctx.mode(), true);
    for (int field = 0; field < 4; ++field) {
      ctx.SetMode(calc::IntegerMode(32, kUnsigned[field]));
      ctx.SetRadix(kRadix[field]);
      std::string text_out = calc::RenderNumber(ctx, value);
      benchmark::DoNotOptimize(text_out.data());
    }
  }
}

void BM_DecimalLiteral(benchmark::State& state) { ParseAndFormatIntoFourRadices(state, "-123456789", 10); }
void BM_HexLiteral(benchmark::State& state) { ParseAndFormatIntoFourRadices(state, "DEADBEEF", 16); }

BENCHMARK(BM_DecimalLiteral);
BENCHMARK(BM_HexLiteral);

}  // namespace

BENCHMARK_MAIN();
