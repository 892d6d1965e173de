// The string commands that rewrite an array string: copies and appends with
// their markers, case changes, replacements, the double-byte-safe cut and
// the HTML escapes, and the failures that must leave the array as it was.
#include <optional>
#include <string>
#include <vector>

#include "library/array_strings.h"
#include "library/string_edits.h"
#include "library_fixture.h"

namespace calc::testing {
namespace {

// A Shift-JIS character whose second byte is "A" (0x41), and one whose second
// byte is "\" (0x5C).
constexpr const char* kKanjiA = "\x83\x41";
constexpr const char* kKanjiYen = "\x95\x5C";

class StringCommands : public LibraryTest {
 protected:
  // Array "a" holding `text` (which must not contain "]" or "\"; a ";" is
  // escaped, as it would end the statement).
  void Hold(const std::string& text) {
    engine.storage().arrays().ClearSlot('a');
    std::string literal;
    for (const char c : text) literal += c == ';' ? std::string("\\;") : std::string(1, c);
    ASSERT_EQ(Run(":array a; :sprint a [\"" + literal + "]"), kNoValue);
    ASSERT_EQ(Text("a"), text);
  }
};

struct EditCase {
  std::string before;
  std::string command;
  std::string after;
};

TEST_F(StringCommands, EditsTheArrayString) {
  const std::string kanji_a = kKanjiA;
  const std::string kanji_yen = kKanjiYen;
  const std::vector<EditCase> cases = {
      {"old", ":strcpy a [\"new]", "new"},
      {"old", ":strcpy a [\"]", ""},
      {"", ":strcpy a [\"x<b>y</b>z] [\"<] [\">]", "<b>"},
      // The closing marker is searched after the opening one, so equal
      // markers enclose a quotation.
      {"", ":strcpy a [\"say \"hi\" now] [\"\"] [\"\"]", "\"hi\""},
      {"old", ":strcpy a [\"abc] [\"x] [\"c]", ""},
      {"old", ":strcpy a [\"abc] [\"a] [\"x]", ""},
      {"old", ":strcpy a [\"abc] [\"A] [\"c]", ""},
      {"old", ":stricpy a [\"xx<B>yy</b>] [\"<b>] [\"</B>]", "<B>yy</b>"},
      {"ab", ":strcat a [\"cd]", "abcd"},
      {"", ":strcat a [\"cd]", "cd"},
      {"ab", ":strcat a [\"x(1)y] [\"(] [\")]", "ab(1)"},
      {"ab", ":stricat a [\"xKEYvalEND] [\"key] [\"end]", "abKEYvalEND"},
      // A string-stream handle that names no stream is the empty string.
      {"old", ":strcpy a 3", ""},
      // Letters change byte by byte, a second byte of a pair included.
      {"AbC-z" + kanji_a, ":strlwr a", "abc-z\x83\x61"},
      {"AbC-z" + kanji_a, ":strupr a", "ABC-Z" + kanji_a},
      {"banana", ":strrep a [\"a] [\"aa]", "baanaanaa"},
      {"aaaaa", ":strrep a [\"aa] [\"b]", "bba"},
      {"abc", ":strrep a [\"] [\"x]", "abc"},
      {"abc", ":strrep a [\"B] [\"x]", "abc"},
      {"Hello HELLO", ":strirep a [\"hello] [\"x]", "x x"},
      {"a(b)c(d)e", ":strrep a [\"(] [\")] [\"-]", "a-c-e"},
      {"a(b)c(d", ":strrep a [\"(] [\")] [\"-]", "a-c-"},
      {"a<B>c</b>d", ":strirep a [\"<b>] [\"</b>] [\"_]", "a_d"},
      // The cut never parts a double-byte character.
      {"ab" + kanji_yen + "cd", ":strtrunc a 3 [\"..]", "ab.."},
      {"a" + kanji_yen + "cd", ":strtrunc a 3 [\"..]", "a" + kanji_yen + ".."},
      {"abc", ":strtrunc a 3 [\"..]", "abc"},
      {"abcd", ":strtrunc a 0 [\"..]", ".."},
      {"abcd", ":strtrunc a (0-5) [\"..]", ".."},
      {"abcd", ":strtrunc a 1e300 [\"..]", "abcd"},
      {"", ":strtrunc a 0 [\"..]", ""},
      {"a<b & \"c\"", ":char2esc a", "a&lt;b&nbsp;&amp;&nbsp;&quot;c&quot;"},
      {"a&lt;b&nbsp;&amp;&nbsp;&quot;c&quot;", ":esc2char a", "a<b & \"c\""},
      {"&lt;", ":char2esc a", "&amp;lt;"},
      {"&amp;lt;", ":esc2char a", "&lt;"},
      {"&LT;&Gt;&NBSP;", ":esc2char a", "<> "},
      {"", ":char2esc a", ""},
  };
  for (const EditCase& c : cases) {
    SCOPED_TRACE(c.command);
    Hold(c.before);
    ASSERT_EQ(Run(c.command), kNoValue);
    EXPECT_EQ(Text("a"), c.after);
  }
}

TEST_F(StringCommands, StoreCutsTheVectorButCaseChangesKeepIt) {
  ASSERT_EQ(Run(":array a; a {65 66 0 67 68}"), kNoValue);
  ASSERT_EQ(Run(":strlwr a"), kNoValue);
  EXPECT_EQ(VectorSize("a"), 5);
  // Behind the terminator: not a letter of the string.
  EXPECT_EQ(engine.storage().arrays().Node(static_cast<std::uint8_t>(engine.storage().arrays().Find("a"))).Value(3).ToReal(),
            67);
  ASSERT_EQ(Run(":strcpy a [\"x]"), kNoValue);
  EXPECT_EQ(VectorSize("a"), 2);
  ASSERT_EQ(Run(":strcat a [\"yz]"), kNoValue);
  EXPECT_EQ(Text("a"), "xyz");
  EXPECT_EQ(VectorSize("a"), 4);
}

TEST_F(StringCommands, BadArgumentsFailAndLeaveTheArray) {
  for (const char* text : {":strcpy", ":strcpy a", ":strcpy 5 [\"x]", ":strcpy a [\"x] [\"<]",
                           ":stricpy a [\"x]", ":stricat a [\"x] [\"<]", ":strcat a", ":strlwr", ":strupr 7",
                           ":strrep a [\"x]", ":strirep a", ":strtrunc a", ":strtrunc a 2", ":char2esc",
                           ":esc2char 1", ":sjis2euc", ":str2jis 4"}) {
    SCOPED_TRACE(text);
    Hold("keep");
    EXPECT_EQ(Run(text), E_COMMAND_PARAM);
    EXPECT_EQ(Text("a"), "keep");
  }
}

TEST_F(StringCommands, AStoreBeyondTheMemoryLimitLeavesTheArray) {
  const std::string original(1000, 'x');
  Hold(original);
  engine.SetMemoryLimit(4 << 20);
  // A million elements: far more than the limit allows.
  EXPECT_EQ(Run(":strrep a [\"x] [\"" + std::string(1000, 'y') + "]"), E_MEM);
  EXPECT_EQ(Text("a"), original);
  EXPECT_EQ(VectorSize("a"), 1001);
}

TEST_F(StringCommands, ReplacementsStopAtTheLongestArrayString) {
  // Many matches of a long replacement would otherwise ask for far more
  // memory than any array string may hold.
  const std::string replacement(2048, 'y');
  const std::optional<std::string> full = ReplaceAll(std::string(2048, 'x'), "x", replacement, false);
  ASSERT_TRUE(full.has_value());
  EXPECT_EQ(full->size(), kMaxEditedLength);
  EXPECT_FALSE(ReplaceAll(std::string(2049, 'x'), "x", replacement, false).has_value());
  EXPECT_FALSE(ReplaceSpans(std::string(2049, 'x'), "x", "", replacement, false).has_value());
}

// One text in the three codes (as Python's shift_jis, euc_jp and iso2022_jp
// codecs write it): rows and cells of both parities, lead bytes from 0x81 to
// 0xEA, second bytes on both sides of 0x7F and 0x9F, ASCII between runs and
// a run at the end.
struct KanjiText {
  std::string sjis, euc, jis;
};
const KanjiText kEndsInAscii = {"\x61\x82\xA0\x8A\xBF\x62\x8E\x9A\x98\x72\x88\xF1\x78",
                                "\x61\xA4\xA2\xB4\xC1\x62\xBB\xFA\xCF\xD3\xB0\xF3\x78",
                                "\x61\x1B$B\x24\x22\x34\x41\x1B(B\x62\x1B$B\x3B\x7A\x4F\x53\x30\x73\x1B(B\x78"};
const KanjiText kEndsInKanji = {"\xE0\x80\xEA\xA2\x89\x9E", "\xDF\xE0\xF4\xA4\xB1\xFE",
                                "\x1B$B\x5F\x60\x74\x24\x31\x7E\x1B(B"};

TEST_F(StringCommands, ConvertsBetweenKanjiCodes) {
  std::vector<EditCase> cases;
  for (const KanjiText& t : {kEndsInAscii, kEndsInKanji}) {
    const std::vector<EditCase> conversions = {
        {t.sjis, ":sjis2jis a", t.jis}, {t.sjis, ":sjis2euc a", t.euc}, {t.euc, ":euc2jis a", t.jis},
        {t.euc, ":euc2sjis a", t.sjis}, {t.jis, ":jis2euc a", t.euc},   {t.jis, ":jis2sjis a", t.sjis},
        // The source code is guessed.
        {t.sjis, ":str2euc a", t.euc},  {t.euc, ":str2jis a", t.jis},   {t.jis, ":str2sjis a", t.sjis},
        {t.sjis, ":str2sjis a", t.sjis},
    };
    cases.insert(cases.end(), conversions.begin(), conversions.end());
  }
  const std::vector<EditCase> edges = {
      // The older kanji-in escape and the shift bytes switch modes too.
      {"\x1B$@\x24\x22\x0Fz\x0E\x1B(Jy", ":jis2sjis a", "\x82\xA0zy"},
      {"a\x1B" "b", ":jis2euc a", "a\x1B" "b"},
      // A lead byte with nothing after it is copied alone.
      {"a\x82", ":sjis2jis a", "a\x82"},
      {"plain", ":str2jis a", "plain"},
      // 0xE0 0xA1 could be either code; the end without a telling byte
      // leaves the text alone.
      {"\xE0\xA1", ":str2euc a", "\xE0\xA1"},
      {"", ":euc2jis a", ""},
  };
  cases.insert(cases.end(), edges.begin(), edges.end());
  ASSERT_EQ(Run(":array a"), kNoValue);
  const int code = engine.storage().arrays().Find("a");
  for (const EditCase& c : cases) {
    SCOPED_TRACE(c.command + " on " + c.before);
    ASSERT_EQ(StoreArrayString(engine.storage().arrays(), static_cast<std::uint8_t>(code), 0, c.before), kDone);
    ASSERT_EQ(Run(c.command), kNoValue);
    EXPECT_EQ(Text("a"), c.after);
  }
}

}  // namespace
}  // namespace calc::testing
