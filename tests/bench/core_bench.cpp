// What one converter keystroke costs at the number level: one literal read
// under its field's type and radix, then written into all four fields.
#include <benchmark/benchmark.h>

#include <array>
#include <string>

#include "core/context.h"
#include "core/grouping.h"
#include "core/literal.h"
#include "core/modes.h"
#include "core/render.h"
#include "core/token.h"
#include "core/tokenizer.h"
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

// Calculation hold: an expression typed into the hex field is tokenized and
// grouped, then rendered token by token into all four fields.
void BM_GroupAndTranscribeExpression(benchmark::State& state) {
  calc::CalcContext ctx;
  constexpr std::array<int, 4> kRadix = {2, 8, 10, 16};
  constexpr std::array<bool, 4> kUnsigned = {true, true, false, true};
  const std::string_view text = "(0x1F+@a)*3<<2|0xFF";
  for (auto _ : state) {
    ctx.SetMode(calc::kModeUlong);
    ctx.SetRadix(16);
    calc::CalcTokenList list;
    calc::TokenizeAndGroup(ctx, text, true, list);
    for (int field = 0; field < 4; ++field) {
      ctx.SetMode(calc::IntegerMode(32, kUnsigned[field]));
      ctx.SetRadix(kRadix[field]);
      std::string out;
      for (const calc::CalcToken& token : list) calc::AppendRenderedToken(ctx, token, nullptr, out);
      benchmark::DoNotOptimize(out.data());
    }
  }
}
BENCHMARK(BM_GroupAndTranscribeExpression);

}  // namespace

BENCHMARK_MAIN();
