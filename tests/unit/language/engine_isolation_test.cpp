// Engines in one process never see each other's numeric settings: each runs
// on its own context, whose precision, radix, fps and angle unit are its own.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "engine_fixture.h"

namespace calc::testing {
namespace {

std::string EchoOf(RecordingEngine& engine, std::string_view text) {
  engine.printed.clear();
  engine.RunText(text);
  return engine.printed.empty() ? "<nothing>" : engine.printed.back();
}

TEST(EngineIsolation, EnginesRunInTurnsKeepTheirOwnPrecisionRadixFpsAndAngleUnit) {
  CalcContext decimal_context, time_context, hex_context;
  RecordingEngine decimal(decimal_context, {});
  RecordingEngine time(time_context, {});
  auto hex = std::make_unique<RecordingEngine>(hex_context, CalcEngineSettings{});
  decimal.RunText(":gfloat 3\n:deg");
  time.RunText(":ftime 25");
  hex->RunText(":fps 50\n:ulong 16\n:grad");

  struct Row {
    RecordingEngine* engine;
    const char* text;
    const char* echo;
  };
  const Row rows[] = {
      {&decimal, "1/3", "0.333"}, {&time, "30f", "01:05"},   {hex.get(), "ff+1", "100"},
      {&decimal, "1r", "57.3"},   {&time, "1:24f+1f", "02:00"}, {&decimal, "100g", "90"},
      {hex.get(), "7fffffff*2", "FFFFFFFE"}, {&time, "50f", "02:00"}, {&decimal, "2/3", "0.667"},
  };
  for (const Row& row : rows) EXPECT_EQ(EchoOf(*row.engine, row.text), row.echo) << row.text;

  // Ending one engine leaves the others as they were.
  hex.reset();
  EXPECT_EQ(EchoOf(decimal, "1r"), "57.3");
  EXPECT_EQ(EchoOf(time, "25f"), "01:00");
}

}  // namespace
}  // namespace calc::testing
