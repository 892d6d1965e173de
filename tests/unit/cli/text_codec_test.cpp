// The UTF-8 and Shift-JIS (CP932) conversion of radixcalc's text.
#include <gtest/gtest.h>

#include "text_codec.h"

namespace radixcalc {
namespace {

TEST(TextCodec, ConvertsBothWaysAndKeepsAsciiAsItIs) {
  if (!ConvertsByDefault()) GTEST_SKIP() << "no conversion on this system";
  const TextCodec codec(true);
  const std::string utf8 = "x = 1 \\ ~ 表示テスト";
  const std::string sjis = codec.ToEngine(utf8);
  EXPECT_EQ(sjis, "x = 1 \\ ~ \x95\x5c\x8e\xa6\x83\x65\x83\x58\x83\x67");
  EXPECT_EQ(codec.FromEngine(sjis), utf8);
}

TEST(TextCodec, OddInputNeverFailsTheConversion) {
  if (!ConvertsByDefault()) GTEST_SKIP() << "no conversion on this system";
  const TextCodec codec(true);
  EXPECT_EQ(codec.ToEngine("\xEF\xBB\xBF" "1"), "1");               // a byte order mark goes
  EXPECT_EQ(codec.ToEngine("\x95\x5c"), "\x95\x5c");                // not UTF-8: Shift-JIS already
  EXPECT_EQ(codec.ToEngine("a\xF0\x9F\x98\x80" "b"), "a?b");         // no such character in CP932
  EXPECT_EQ(codec.FromEngine("a\xFF" "b\x81"), "a?b?");              // no CP932 character
  EXPECT_EQ(TextCodec(false).ToEngine("表"), "表");
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
