// What one keystroke in a converter field costs: the Converter with the real
// engine evaluates the field and writes the other three (or, under hold,
// transcribes the text into them). The window adds only the edit controls.
#include <benchmark/benchmark.h>

#include "model/console_converter.h"

namespace {

void Keystroke(benchmark::State& state, const char* text, bool hold) {
  radixpad::ConsoleConverter console;
  if (hold) console.ToggleHold();
  for (auto _ : state) {
    const bool has_value = console.Type(3, text);
    benchmark::DoNotOptimize(has_value);
  }
}

void BM_KeystrokeSum(benchmark::State& state) { Keystroke(state, "10+20", false); }
void BM_KeystrokeLongExpression(benchmark::State& state) {
  Keystroke(state, "(123456*7+0x1F)<<3 ^ ~255 | 1000/7%13", false);
}
void BM_KeystrokeHold(benchmark::State& state) { Keystroke(state, "10+20", true); }
void BM_KeystrokeIncomplete(benchmark::State& state) { Keystroke(state, "10+", false); }

}  // namespace

BENCHMARK(BM_KeystrokeSum);
BENCHMARK(BM_KeystrokeLongExpression);
BENCHMARK(BM_KeystrokeHold);
BENCHMARK(BM_KeystrokeIncomplete);
BENCHMARK_MAIN();
