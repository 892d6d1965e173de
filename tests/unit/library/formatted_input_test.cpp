// The input commands and :fprintf: word conversions with 32-bit integers on
// every system, formats and words, and the commands through the host hooks,
// where a failing target takes no input.
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "../language/temp_folder.h"
#include "library/scan_format.h"
#include "library/scan_item.h"
#include "library_fixture.h"

namespace calc::testing {
namespace {

TEST(ScanWords, ConvertWithThirtyTwoBitLongs) {
  struct Case {
    char conversion;
    const char* word;
    std::optional<double> value;
  };
  const std::vector<Case> cases = {
      {'d', "42", 42},
      {'d', "  -17x", -17},
      {'d', "4294967297", 2147483647.0},  // a 64-bit long would give 4294967297
      {'d', "-3000000000", -2147483648.0},
      {'d', "x", std::nullopt},
      {'d', "-", std::nullopt},
      {'u', "-1", 4294967295.0},
      {'u', "4294967296", 4294967295.0},
      {'u', "99999999999999999999999", 4294967295.0},
      {'o', "777", 511},
      {'o', "8", std::nullopt},
      {'x', "0x1F", 31},
      {'x', "ffffffff", 4294967295.0},
      {'x', "1ffffffff", 4294967295.0},
      {'x', "0x", 0},
      {'f', "2.5e1", 25},
      {'f', ".", std::nullopt},
      {'c', "a", 97},
      {'c', "ab", 24930},
      {'c', "abcde", 1633837924},
      {'c', "\xFF", 4294967295.0},  // -1 as a signed byte, kept unsigned
      {'c', "\x81\x40", 4294934848.0},
      {'s', "word", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(1, c.conversion) + " " + c.word);
    EXPECT_EQ(ConvertScanWord(c.conversion, c.word), c.value);
  }
}

TEST(ScanWords, FormatsAndWords) {
  const std::vector<ScanDirective> directives = ParseScanFormat("Name? %s%i%%Age? %d% %x%");
  ASSERT_EQ(directives.size(), 3u);
  EXPECT_EQ(directives[0].prompt, "Name? ");
  EXPECT_EQ(directives[0].conversion, 's');
  EXPECT_EQ(directives[1].prompt, "Age? ");
  EXPECT_EQ(directives[1].conversion, 'd');
  EXPECT_EQ(directives[2].prompt, "");
  EXPECT_EQ(directives[2].conversion, 'x');

  const std::string text = " \t12\t34\r\n56  ";
  std::size_t at = 0;
  std::vector<std::string> words;
  for (int i = 0; i < 5; ++i) words.push_back(NextScanWord(text, at));
  EXPECT_EQ(words, (std::vector<std::string>{"12", "34", "", "56", ""}));
}

class FormattedInput : public LibraryTest {
 protected:
  double Number(std::string_view name) { return VariableValue(name).ToReal(); }
  TempFolder folder;
};

TEST_F(FormattedInput, SscanfAssignsWordByWord) {
  ASSERT_EQ(Run("a = 1; b = 2; :array w; :define K 5"), kNoValue);
  struct Case {
    const char* text;
    double a, b;
    const char* w;
  };
  const std::vector<Case> cases = {
      {":sscanf [\"12 34] [\"%d%d] a b", 12, 34, ""},
      {":sscanf \"x [\"%d] a", 12, 34, ""},  // no number: unchanged, still done
      {":sscanf [\"7 name 0x10] [\"%u%s%x] a w b", 7, 16, "name"},
      {":sscanf [\"9] [\"%d%s] b w", 7, 9, "name"},  // an empty word stores nothing
      {":sscanf [\"-1 ab] [\"%o%c] a b", 4294967295.0, 24930, "name"},
      {":sscanf [\"3] [\"%d] K", 4294967295.0, 24930, "name"},  // a constant is passed over
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(Run(c.text), kNoValue);
    EXPECT_TRUE(engine.reports.empty());
    EXPECT_EQ(Number("a"), c.a);
    EXPECT_EQ(Number("b"), c.b);
    EXPECT_EQ(Text("w"), c.w);
  }
  EXPECT_EQ(Number("K"), 5);
}

TEST_F(FormattedInput, ScanfAsksTheHostLineByLine) {
  engine.input = {"15\r\n", "some text", "2.5"};
  ASSERT_EQ(Run(":array w; :scanf [\"Count? %dName? %s%f] n w r"), kNoValue);
  EXPECT_EQ(engine.prompts, (std::vector<std::string>{"Count? ", "Name? ", ""}));
  EXPECT_EQ(Number("n"), 15);
  EXPECT_EQ(Text("w"), "some text");
  EXPECT_EQ(Number("r"), 2.5);
  // No more input: the targets stay.
  ASSERT_EQ(Run(":scanf [\"%d] n"), kNoValue);
  EXPECT_EQ(Number("n"), 15);
}

TEST_F(FormattedInput, ATargetOfTheWrongKindTakesNoInput) {
  ASSERT_LT(Run(":array w; n = 1"), 0x100);
  for (const char* text : {":scanf [\"%d%s] n n", ":scanf [\"%s] n", ":sscanf \"1 [\"%d] w", ":scanf [\"%d]",
                           ":fscanf 1 [\"%d] 5", ":scan 5", ":scan (n)"}) {
    SCOPED_TRACE(text);
    engine.input = {"1"};
    EXPECT_EQ(Run(text), E_COMMAND_PARAM);
    EXPECT_EQ(engine.input.size(), 1u);
  }
}

TEST_F(FormattedInput, ScanHandsItsItemsToTheHost) {
  ASSERT_EQ(Run(":array w; :define K 1"), kNoValue);
  std::vector<CalcScanItem> seen;
  engine.scan_values = [&seen](std::vector<CalcScanItem>& items) {
    seen = items;
    items[0].reply = "-ff";
    items[1].reply = "typed text";
  };
  ASSERT_EQ(Run(":long; :radix 16; :scan [\"x? ] x [\"w? ] w y"), kNoValue);
  ASSERT_EQ(seen.size(), 3u);
  EXPECT_EQ(seen[0].prompt, "x? ");
  EXPECT_FALSE(seen[0].is_array);
  EXPECT_EQ(seen[1].prompt, "w? ");
  EXPECT_TRUE(seen[1].is_array);
  EXPECT_EQ(seen[2].prompt, "w? ");
  EXPECT_EQ(Text("w"), "typed text");
  EXPECT_EQ(Number("x"), -255);
  EXPECT_EQ(Number("y"), 0);  // no reply: unchanged

  seen.clear();
  EXPECT_EQ(Run(":scan [\"k? ] x K"), E_ASS);
  EXPECT_TRUE(seen.empty());  // nothing is handed over when an argument fails
}

TEST_F(FormattedInput, FscanfReadsBoundedWordsAndFprintfWritesPieces) {
  folder.Write("in.txt", "12 abc\n" + std::string(300, 'z') + " 0x7f\n");
  const std::string open = ":array w; :array v; h = fopen [\"" + folder.File("in.txt") + "] [\"r]";
  ASSERT_LT(Run(open), 0x100);
  ASSERT_EQ(Run(":fscanf h [\"%d%s] n w"), kNoValue);
  EXPECT_EQ(Number("n"), 12);
  EXPECT_EQ(Text("w"), "abc");
  ASSERT_EQ(Run(":fscanf h [\"%s%s%x] w v n"), kNoValue);
  EXPECT_EQ(Text("w"), std::string(kMaxScanWord, 'z'));
  EXPECT_EQ(Text("v"), std::string(300 - kMaxScanWord, 'z'));
  EXPECT_EQ(Number("n"), 127);
  ASSERT_EQ(Run(":fscanf h [\"%d] n; :fscanf 9 [\"%d] n"), kNoValue);  // the end, a bad handle
  EXPECT_EQ(Number("n"), 127);

  ASSERT_LT(Run("o = fopen [\"" + folder.File("out.txt") + "] [\"w]"), 0x100);
  EXPECT_EQ(Run(":fprintf o [\"%5.2f|%x|%s\\n] 3.14159 255 \"ab"), kNoValue);
  EXPECT_EQ(Run(":fprintf o [\"%d %d\\n] 1"), E_COMMAND_PARAM);  // nothing of it is written
  EXPECT_EQ(Run(":fprintf 9 [\"%d] 1"), kNoValue);
  ASSERT_EQ(Run("fclose o"), kValue);
  EXPECT_EQ(folder.ReadText("out.txt"), " 3.14|ff|ab\n");
}

}  // namespace
}  // namespace calc::testing
