// The value-part, shape, random and clock commands: what they change, what
// they refuse, and the faults they must not have (a huge ":mat" allocating,
// a generator that differs between platforms, local time under another TZ).
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "library_fixture.h"

namespace calc::testing {
namespace {

class ValueCommands : public LibraryTest {
 protected:
  std::vector<double> Row(std::string_view array, std::int32_t row) {
    const CalcMatrix& m = engine.storage().arrays().Matrix(
        static_cast<std::uint8_t>(engine.storage().arrays().Find(array)));
    std::vector<double> values;
    for (std::int32_t j = 0; j < m.columns(); ++j) values.push_back(m.Element(row, j).ToReal());
    return values;
  }
};

TEST_F(ValueCommands, SetOnePartOfAStoredValue) {
  ASSERT_EQ(Run(":complex; z = 1; :real z 3; :imag z 4"), kNoValue);
  const CalcComplex z = VariableValue("z").ComplexView();
  EXPECT_EQ(z.re, 3.0);
  EXPECT_EQ(z.im, 4.0);

  ASSERT_EQ(Run(":fract; q = 2/3; :num q 5"), kNoValue);
  CalcFraction f = VariableValue("q").FractionView();
  EXPECT_EQ(f.num, 5u);
  EXPECT_EQ(f.den, 3u);
  ASSERT_EQ(Run(":denom q 7; :num @n 1; :denom @n (0-2)"), kNoValue);
  f = VariableValue("q").FractionView();
  EXPECT_EQ(f.den, 7u);
  {
    const NumericScope numeric(context.numeric());
    f = engine.storage().GetVariable('n').FractionView();
  }
  EXPECT_EQ(f.sign, 1);
  EXPECT_EQ(f.num, 1u);
  EXPECT_EQ(f.den, 2u);
}

TEST_F(ValueCommands, RefuseConstantsAndMissingArguments) {
  ASSERT_EQ(Run(":define K 2"), kNoValue);
  const std::vector<std::pair<const char*, int>> cases = {
      {":real K 1", E_ASS},           {":real", E_COMMAND_PARAM},     {":imag 5 1", E_COMMAND_PARAM},
      {":num v", E_COMMAND_PARAM},    {":srand", E_COMMAND_PARAM},    {":trans 5", E_COMMAND_PARAM},
      {":mat 2 2", E_COMMAND_PARAM},  {":mat 2 2 K", E_COMMAND_PARAM}, {":srand 1 2", E_COMMAND_PARAM},
      {":localtime 0 [\"%Q] x", E_COMMAND_PARAM}, {":localtime 0 [\"%]", E_COMMAND_PARAM},
      {":localtime 0 [\"%Y]", E_COMMAND_PARAM}, {":localtime 0 [\"%Y] 5", E_COMMAND_PARAM},
      {":localtime HUGE_VAL [\"%Y] x", E_COMMAND_PARAM}, {":sprint", E_COMMAND_PARAM},
  };
  for (const auto& [text, status] : cases) {
    SCOPED_TRACE(text);
    EXPECT_EQ(Run(text), status);
  }
  EXPECT_EQ(Variable("K"), 2.0);
}

TEST_F(ValueCommands, MatKeepsTheOverlapAndTransTransposes) {
  ASSERT_EQ(Run(":array a; a {{1 2}{3 4}{5 6}}; :mat 2 3 a"), kNoValue);
  EXPECT_EQ(Row("a", 0), (std::vector<double>{1, 2, 0}));
  EXPECT_EQ(Row("a", 1), (std::vector<double>{3, 4, 0}));
  ASSERT_EQ(Run(":mat 0 5 a; :mat (0-1) 5 a"), kNoValue);  // a product of 0 or less keeps the shape
  EXPECT_EQ(Row("a", 1), (std::vector<double>{3, 4, 0}));
  ASSERT_EQ(Run(":trans a"), kNoValue);
  EXPECT_EQ(Row("a", 0), (std::vector<double>{1, 3}));
  EXPECT_EQ(Row("a", 2), (std::vector<double>{0, 0}));
  ASSERT_EQ(Run(":mat 1 2 fresh"), kNoValue);  // a new name becomes an array
  EXPECT_EQ(Row("fresh", 0), (std::vector<double>{0, 0}));
}

TEST_F(ValueCommands, MatRefusesShapesBeyondTheLimitWithoutAllocating) {
  ASSERT_EQ(Run(":array a; a {{1 2}}"), kNoValue);
  for (const char* text : {":mat 4194305 1 a", ":mat 65536 65536 a", ":mat 4294967296 4294967296 a",
                           ":mat 2147483647 2147483647 a", ":mat HUGE_VAL 2 a", ":mat 2 HUGE_VAL a"}) {
    SCOPED_TRACE(text);
    EXPECT_EQ(Run(text), E_MEM);
    EXPECT_EQ(Row("a", 0), (std::vector<double>{1, 2}));
  }
}

TEST_F(ValueCommands, SrandRepeatsTheSequenceOfEveryPlatform) {
  // The sequence of seed 1 is the classic generator's: the same everywhere.
  ASSERT_EQ(Run(":srand 1; a = rand; b = rand; c = rand"), kValue);
  EXPECT_EQ(Variable("a"), 41.0);
  EXPECT_EQ(Variable("b"), 18467.0);
  EXPECT_EQ(Variable("c"), 6334.0);
  ASSERT_EQ(Run(":srand 12345.9; a = rand; b = rand; :srand 12345; c = rand; d = rand"), kValue);
  EXPECT_EQ(Variable("a"), Variable("c"));
  EXPECT_EQ(Variable("b"), Variable("d"));
  for (int i = 0; i < 2000; ++i) {
    ASSERT_EQ(Run("rand"), kValue);
    ASSERT_GE(Answer(), 0.0);
    ASSERT_LE(Answer(), 32767.0);
  }
}

// The process's TZ variable, set or removed, and the C library told of it.
void SetTimeZoneVariable(const char* zone) {
#ifdef _WIN32
  _putenv_s("TZ", zone != nullptr ? zone : "");
  _tzset();
#else
  if (zone != nullptr)
    setenv("TZ", zone, 1);
  else
    unsetenv("TZ");
  tzset();
#endif
}

// Puts the process in a time zone (a POSIX TZ text, which needs no zone
// files) for the life of the object.
class TimeZone {
 public:
  explicit TimeZone(const char* zone) {
    if (const char* tz = std::getenv("TZ")) saved_ = tz;
    SetTimeZoneVariable(zone);
  }
  ~TimeZone() { SetTimeZoneVariable(saved_ ? saved_->c_str() : nullptr); }

 private:
  std::optional<std::string> saved_;
};

TEST_F(ValueCommands, LocaltimeSplitsACalendarTimeIntoRawFields) {
  const TimeZone utc("UTC0");
  ASSERT_EQ(Run(":localtime 0 [\"%Y %M %D] y m d"), kNoValue);
  EXPECT_EQ(Variable("y"), 70.0);
  EXPECT_EQ(Variable("m"), 0.0);
  EXPECT_EQ(Variable("d"), 1.0);
  // 2001-09-09 01:46:40 UTC, a Sunday, day 251 of the year.
  ASSERT_EQ(Run(":define K 7; :localtime 1000000000.7 [\"%h%m%s%w%y%d%h] h m s w yd dst K"), kNoValue);
  EXPECT_EQ(Variable("h"), 1.0);
  EXPECT_EQ(Variable("m"), 46.0);
  EXPECT_EQ(Variable("s"), 40.0);
  EXPECT_EQ(Variable("w"), 0.0);
  EXPECT_EQ(Variable("yd"), 251.0);
  EXPECT_EQ(Variable("dst"), 0.0);
  EXPECT_EQ(Variable("K"), 7.0);  // a constant is passed over
  // mktime turns the fields back.
  ASSERT_EQ(Run("mktime [\"%Y %M %D %h %m %s] 101 8 9 1 46 40"), kValue);
  EXPECT_EQ(Answer(), 1000000000.0);
}

TEST_F(ValueCommands, LocaltimeFollowsTheTimeZone) {
  const TimeZone tokyo("JST-9");
  ASSERT_EQ(Run(":localtime 0 [\"%Y %M %D %h] y m d h"), kNoValue);
  EXPECT_EQ(Variable("y"), 70.0);
  EXPECT_EQ(Variable("d"), 1.0);
  EXPECT_EQ(Variable("h"), 9.0);
  const TimeZone hawaii("HST10");
  // (Windows' mktime refuses local times before 1970, so the way back is tested a day later.)
  ASSERT_EQ(Run(":localtime 0 [\"%Y %M %D %h] y m d h; mktime [\"%Y %M %D %h %m %s] 70 0 1 14 0 0"), kValue);
  EXPECT_EQ(Variable("y"), 69.0);
  EXPECT_EQ(Variable("m"), 11.0);
  EXPECT_EQ(Variable("d"), 31.0);
  EXPECT_EQ(Variable("h"), 14.0);
  EXPECT_EQ(Answer(), 86400.0);
}

TEST_F(ValueCommands, TheClockFunctionsReadTheLocalTime) {
  const TimeZone utc("UTC0");
  const std::time_t before = std::time(nullptr);
  ASSERT_EQ(Run("t = time; x = tm_xyear - tm_year; mo = tm_xmon - tm_mon; yr = tm_xyear"), kValue);
  const std::time_t after = std::time(nullptr);
  EXPECT_GE(Variable("t"), static_cast<double>(before));
  EXPECT_LT(Variable("t"), static_cast<double>(after) + 1.0);
  EXPECT_EQ(Variable("x"), 1900.0);
  EXPECT_EQ(Variable("mo"), 1.0);
  std::tm now{};
#ifdef _WIN32
  gmtime_s(&now, &after);
#else
  gmtime_r(&after, &now);
#endif
  EXPECT_NEAR(Variable("yr"), now.tm_year + 1900, 1.0);
}

}  // namespace
}  // namespace calc::testing
