// The context's numeric fields and the mode commands that change them.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <optional>

#include "core/command_names.h"
#include "core/context.h"
#include "core/mode_commands.h"
#include "core/status_codes.h"

namespace calc {
namespace {

class ModeCommandTest : public ::testing::Test {
 protected:

  int Run(std::string_view name, std::optional<double> argument = std::nullopt) {
    return RunModeCommand(LookupCommand(name), argument, target);
  }

  CalcContext ctx;
  ModeCommandTarget target{ctx};
};

TEST_F(ModeCommandTest, ANewContextHasTheDefaults) {
  EXPECT_EQ(ctx.mode(), kModeGfloat);
  EXPECT_EQ(ctx.precision(), 6);
  EXPECT_EQ(ctx.radix(), 10);
  EXPECT_EQ(ctx.fps(), 30.0);
  EXPECT_TRUE(ctx.commands_allowed);
  EXPECT_TRUE(ctx.statements_allowed);
  EXPECT_FALSE(ctx.range_warnings);
}

struct ModeRow {
  std::string_view command;
  std::uint16_t mode;
  std::uint8_t kind;
  std::uint8_t real_only;
};

TEST_F(ModeCommandTest, EveryModeCommandSetsItsWordAndTheValueKind) {
  const ModeRow rows[] = {
      {"efloat", 16, kKindComplex, 1},   {"float", 17, kKindComplex, 1},   {"gfloat", 18, kKindComplex, 1},
      {"ecomplex", 32, kKindComplex, 0}, {"complex", 33, kKindComplex, 0}, {"gcomplex", 34, kKindComplex, 0},
      {"fract", 64, kKindFraction, 1},   {"mfract", 65, kKindFraction, 1}, {"htime", 128, kKindTime, 1},
      {"mtime", 129, kKindTime, 1},      {"time", 130, kKindTime, 1},      {"ftime", 131, kKindTime, 1},
      {"char", 256, kKindComplex, 1},    {"uchar", 257, kKindComplex, 1},  {"short", 258, kKindComplex, 1},
      {"ushort", 259, kKindComplex, 1},  {"long", 260, kKindComplex, 1},   {"ulong", 261, kKindComplex, 1},
      {"int", 260, kKindComplex, 1},     {"uint", 261, kKindComplex, 1},
  };
  for (const auto& row : rows) {
    ctx.SetMode(kModeComplex);  // start from something different
    ctx.SetMode(kModeFract);
    EXPECT_EQ(Run(row.command), kNoValue) << row.command;
    EXPECT_EQ(ctx.mode(), row.mode) << row.command;
    EXPECT_EQ(ctx.numeric().current_kind, row.kind) << row.command;
    EXPECT_EQ(ctx.numeric().real_only, row.real_only) << row.command;
  }
}

TEST_F(ModeCommandTest, RequiredArgumentsAreChecked) {
  for (std::string_view name : {"prec", "fps", "radix", "angle"})
    EXPECT_EQ(Run(name), E_COMMAND_PARAM) << name;
}

TEST_F(ModeCommandTest, RadixIsClamped) {
  EXPECT_EQ(Run("radix", 1), kNoValue);
  EXPECT_EQ(ctx.radix(), 10);
  Run("radix", 99);
  EXPECT_EQ(ctx.radix(), 36);
  Run("radix", 1e12);
  EXPECT_EQ(ctx.radix(), 36);
  Run("ushort", 2.9);
  EXPECT_EQ(ctx.radix(), 2);
  EXPECT_EQ(ctx.mode(), kModeUshort);
}

TEST_F(ModeCommandTest, PrecisionFallsBackToSixWhenNegative) {
  Run("efloat", -3);
  EXPECT_EQ(ctx.mode(), kModeEfloat);
  EXPECT_EQ(ctx.precision(), 6);
  Run("efloat", 0);
  EXPECT_EQ(ctx.precision(), 0);
  Run("prec", 12.7);
  EXPECT_EQ(ctx.precision(), 12);
  Run("fract", 3);  // arguments ignored
  EXPECT_EQ(ctx.precision(), 12);
}

struct FpsRow {
  std::string_view command;
  double argument;
  double fps;
};

TEST_F(ModeCommandTest, FpsFallsBackToThirtyAndValuesFollowIt) {
  // No time can be expressed in zero, a negative, NaN or an infinite number
  // of frames per second: each leaves the default.
  const FpsRow rows[] = {
      {"ftime", -1, 30},           {"fps", 0, 30},
      {"fps", std::nan(""), 30},   {"fps", HUGE_VAL, 30},
      {"fps", -HUGE_VAL, 30},      {"fps", 25, 25},
      {"time", 59.94, 59.94},      {"fps", 1e-3, 1e-3},
  };
  for (const FpsRow& row : rows) {
    ctx.SetFps(12);  // start from something different
    EXPECT_EQ(Run(row.command, row.argument), kNoValue) << row.command << " " << row.argument;
    EXPECT_EQ(ctx.fps(), row.fps) << row.command << " " << row.argument;
    EXPECT_EQ(ctx.numeric().current_fps, row.fps) << row.command << " " << row.argument;
  }
  EXPECT_EQ(ctx.mode(), kModeTime);  // ":fps" keeps the mode
}

TEST_F(ModeCommandTest, PtypeRestoresTheCreationMode) {
  target.creation_mode = kModeUshort;
  Run("fract");
  Run("ptype");
  EXPECT_EQ(ctx.mode(), kModeUshort);
}

TEST_F(ModeCommandTest, AngleUnitsRecordTheAnswerConversionSwitch) {
  Run("deg", 1);
  EXPECT_EQ(ctx.numeric().angle_unit, kDegrees);
  EXPECT_EQ(ctx.numeric().radian_flag, 0);
  EXPECT_EQ(ctx.numeric().half_turn, 180.0);
  EXPECT_EQ(target.engine_angle_unit, kDegrees);
  EXPECT_TRUE(target.answer_conversion);
  Run("grad", 0);
  EXPECT_EQ(ctx.numeric().half_turn, 200.0);
  EXPECT_FALSE(target.answer_conversion);
  Run("rad");
  EXPECT_EQ(ctx.numeric().radian_flag, 1);
  EXPECT_FALSE(target.answer_conversion);
}

TEST_F(ModeCommandTest, AngleConvertsAParameterFromTheCallersUnit) {
  CalcValue parameter = CalcValue::FromReal(180.0);
  target.caller_angle_unit = kDegrees;
  target.parameter = [&](int n) { return n == 3 ? &parameter : nullptr; };
  Run("rad");
  EXPECT_EQ(Run("angle", 3), kNoValue);
  EXPECT_DOUBLE_EQ(parameter.ToReal(), std::numbers::pi);
  EXPECT_EQ(Run("angle", 10), E_COMMAND_PARAM);
  EXPECT_EQ(Run("angle", -1), E_COMMAND_PARAM);
  EXPECT_EQ(Run("angle", 4), E_COMMAND_PARAM);  // no such parameter
}

TEST_F(ModeCommandTest, CommandNamesMapToTheirCodes) {
  EXPECT_EQ(LookupCommand("efloat"), 1);
  EXPECT_EQ(LookupCommand("radix"), 23);
  EXPECT_EQ(LookupCommand("angle"), 28);
  EXPECT_EQ(LookupCommand("replot"), 103);
  EXPECT_EQ(LookupCommand("hex"), 0);
  EXPECT_EQ(LookupCommand(""), 0);
  EXPECT_EQ(CommandName(103), "replot");
  EXPECT_EQ(CommandName(104), "");
  EXPECT_FALSE(IsModeCommand(0));
  EXPECT_FALSE(IsModeCommand(29));
  EXPECT_EQ(RunModeCommand(29, 1.0, target), E_COMMAND_PARAM);
}

TEST(StatusNames, KnownCodesHaveTheirNamesAndOthersAreUnknown) {
  EXPECT_EQ(StatusName(W_OVERFLOW), "W_OVERFLOW");
  EXPECT_EQ(StatusName(0x2141), "E_COMMAND_PARAM");
  EXPECT_EQ(StatusName(0x2162), "E_FUNC_PARACODE");
  EXPECT_EQ(StatusName(0x100), "E_NULL");
  EXPECT_EQ(StatusName(0x2001), "E_UNKNOWN");
  EXPECT_EQ(StatusName(0x2002), "E_UNKNOWN");
  EXPECT_EQ(StatusName(0), "E_UNKNOWN");
  EXPECT_EQ(StatusName(-1), "E_UNKNOWN");
  EXPECT_TRUE(IsTokenError(E_CONSTANT));
  EXPECT_FALSE(IsTokenError(E_MEM));
  EXPECT_TRUE(IsWarning(W_DIV));
}

}  // namespace
}  // namespace calc
