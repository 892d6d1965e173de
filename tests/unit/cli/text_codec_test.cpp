// The UTF-8 and Shift-JIS (CP932) conversion of radixcalc's text.
#include <gtest/gtest.h>

#include "text_codec.h"

namespace radixcalc {
namespace {

TEST(TextCodec, ConvertsBothWaysAndKeepsAsciiAsItIs) {
  if (!ConvertsByDefault()) GTEST_SKIP() << "no conversion on this system";
  const TextCodec codec(true);
  const std::string utf8 = "x = 1 \\ ~ 表示テスト";
  std::string sjis;
  TextProblem problem;
  ASSERT_TRUE(codec.ToEngine(utf8, sjis, problem));
  EXPECT_EQ(sjis, "x = 1 \\ ~ \x95\x5c\x8e\xa6\x83\x65\x83\x58\x83\x67");
  EXPECT_EQ(codec.FromEngine(sjis), utf8);
  EXPECT_EQ(codec.FromEngine("a\xFF" "b\x81"), "a?b?");  // no CP932 character: the next one stays
  std::string passed;
  EXPECT_TRUE(TextCodec(false).ToEngine("\x95\x5c", passed, problem));
  EXPECT_EQ(passed, "\x95\x5c");
}

// A line is tested for bytes above seven bits several at a time: one such
// character anywhere, in the words or in the tail, is converted.
TEST(TextCodec, ConvertsACharacterAnywhereInAnOtherwiseAsciiLine) {
  if (!ConvertsByDefault()) GTEST_SKIP() << "no conversion on this system";
  const TextCodec codec(true);
  const std::string ascii = "0123456789abcdefghij";
  for (std::size_t at = 0; at <= ascii.size(); ++at) {
    std::string sjis;
    TextProblem problem;
    ASSERT_TRUE(codec.ToEngine(ascii.substr(0, at) + "表" + ascii.substr(at), sjis, problem)) << at;
    EXPECT_EQ(sjis, ascii.substr(0, at) + "\x95\x5c" + ascii.substr(at)) << at;
  }
}

// Text that is not UTF-8, or holds a character Shift-JIS lacks, is refused
// with the place and the character; nothing of it is guessed at.
TEST(TextCodec, RefusesWhatHasNoShiftJisCodeAndSaysWhereAndWhat) {
  if (!ConvertsByDefault()) GTEST_SKIP() << "no conversion on this system";
  const TextCodec codec(true);
  const struct {
    std::string_view text;
    std::string_view engine;  // when it converts
    std::string_view problem;  // when it does not
  } rows[] = {
      {"\xEF\xBB\xBF" "1", "1", ""},  // a byte order mark goes
      {"5 \xF0\x9F\x98\x80 7", "", "column 3: character U+1F600 (\xF0\x9F\x98\x80) has no Shift-JIS code"},
      {"表\n\xC3\xA9", "", "column 1: character U+00E9 (\xC3\xA9) has no Shift-JIS code"},
      {"a\xC2\x85", "", "column 2: character U+0085 has no Shift-JIS code"},
      {"\x95\x5c", "", "column 1: invalid UTF-8 (byte 95)"},  // Shift-JIS is not taken as it is
      {"ab\xFF" "c", "", "column 3: invalid UTF-8 (byte FF)"},
      {"テ\xE3\x81" "1", "", "column 2: invalid UTF-8 (bytes E3 81)"},  // cut short: "1" is not swallowed
      {"\xC0\x80", "", "column 1: invalid UTF-8 (bytes C0 80)"},      // overlong
      {"x\xED\xA0\x80", "", "column 2: invalid UTF-8 (bytes ED A0 80)"},  // a surrogate
      {"ok \xE3\x81", "", "column 4: invalid UTF-8 (bytes E3 81)"},      // cut by the end
  };
  for (const auto& row : rows) {
    std::string engine;
    TextProblem problem;
    const bool converted = codec.ToEngine(row.text, engine, problem);
    EXPECT_EQ(converted, row.problem.empty()) << row.text;
    if (converted) {
      EXPECT_EQ(engine, row.engine);
    } else {
      EXPECT_EQ(problem.Describe(), row.problem);
    }
  }
  std::string engine;
  TextProblem problem;
  ASSERT_FALSE(codec.ToEngine("1\n2\n3 \xF0\x9F\x98\x80", engine, problem));
  EXPECT_EQ(problem.line, 3u);
  EXPECT_EQ(codec.NameToEngine("a\xF0\x9F\x98\x80.calc"), "a????.calc");
}

TEST(TextCodec, CutsShiftJisOnCharacterBoundaries) {
  const std::string sjis = "a\x95\x5c" "b\x83";  // a, 表, b, and a lead byte with nothing after it
  const struct {
    std::size_t max;
    std::string_view kept;
  } rows[] = {{0, ""}, {1, "a"}, {2, "a"}, {3, "a\x95\x5c"}, {4, "a\x95\x5c" "b"}, {5, sjis}, {9, sjis}};
  for (const auto& row : rows) EXPECT_EQ(CutShiftJis(sjis, row.max), row.kept) << row.max;
}

TEST(TextCodec, RecognisesWellFormedUtf8) {
  EXPECT_TRUE(IsValidUtf8("plain"));
  EXPECT_TRUE(IsValidUtf8("\xE8\xA1\xA8"));
  EXPECT_FALSE(IsValidUtf8("\xC0\x80"));          // overlong
  EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));      // a surrogate
  EXPECT_FALSE(IsValidUtf8("\xE8\xA1"));          // cut short
  EXPECT_FALSE(IsValidUtf8("\x95\x5c"));
}

}  // namespace
}  // namespace radixcalc
