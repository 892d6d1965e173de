// The console host of the converter: one text typed into one field, then
// Enter, or with hold on the transcription, and the reports of the evaluation.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "core/numeric_settings.h"
#include "core/status_codes.h"
#include "model/console_converter.h"

namespace radixpad {
namespace {

using Fields = std::array<std::string, 4>;

class ConsoleConverterTest : public ::testing::Test {};

TEST_F(ConsoleConverterTest, AValueIsShownInAllFourFieldsAsAfterEnter) {
  const ConsoleConversion c = ConvertText({}, FieldOfRadix(16), "ff", false);
  EXPECT_TRUE(c.has_value);
  EXPECT_EQ(c.fields, (Fields{"11111111", "377", "255", "FF"}));
  EXPECT_TRUE(c.reports.empty());
}

TEST_F(ConsoleConverterTest, WidthAndSignsAreThoseOfTheWindowsButtons) {
  const ConsoleConversion c = ConvertText({8, {false, false, false, false}}, 1, "10000000", false);
  EXPECT_EQ(c.fields, (Fields{"\\-10000000", "\\-200", "\\-128", "\\-80"}));
  ASSERT_EQ(c.reports.size(), 1u);
  EXPECT_EQ(c.reports[0].code, calc::W_OVERFLOW);
}

TEST_F(ConsoleConverterTest, HoldKeepsTheTypedTextAndTranscribesTheOthers) {
  const ConsoleConversion c = ConvertText({}, 3, "10+20", true);
  EXPECT_TRUE(c.has_value);
  EXPECT_EQ(c.fields, (Fields{"1010+10100", "12+24", "10+20", "A+14"}));
}

TEST_F(ConsoleConverterTest, TextWithoutAValueLeavesZeroAndReportsWhy) {
  const ConsoleConversion c = ConvertText({}, 2, "9", false);
  EXPECT_FALSE(c.has_value);
  EXPECT_EQ(c.fields, (Fields{"0", "0", "0", "0"}));
  ASSERT_EQ(c.reports.size(), 1u);
  EXPECT_TRUE(calc::IsError(c.reports[0].code));
  EXPECT_EQ(c.reports[0].token, "9");
}

TEST_F(ConsoleConverterTest, AConverterKeepsItsStateBetweenKeystrokes) {
  ConsoleConverter console;
  EXPECT_EQ(console.Field(1), "0");
  EXPECT_TRUE(console.Type(3, "12"));
  EXPECT_FALSE(console.Type(3, "12+"));
  EXPECT_EQ(console.Field(4), "C");
  console.ToggleHold();
  console.Enter(true);  // KeepLock: hold stays on
  EXPECT_TRUE(console.converter().hold());
  EXPECT_EQ(console.Field(3), "12");
  EXPECT_FALSE(console.Type(0, "1"));
}

}  // namespace
}  // namespace radixpad
