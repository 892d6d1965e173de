// The string commands that rewrite an array string: copies and appends with
// their markers, case changes, replacements, the double-byte-safe cut and
// the HTML escapes, and the failures that must leave the array as it was.
#include <string>
#include <vector>

#include "library_fixture.h"

namespace calc::testing {
namespace {

// A Shift-JIS character whose second byte is "A" (0x41), and one whose second
// byte is "\" (0x5C).
constexpr const char* kKanjiA = "\x83\x41";
constexpr const char* kKanjiYen = "\x95\x5C";

class StringCommands : public LibraryTest {
 protected:
  std::string Text(std::string_view array) {
    const int code = engine.storage().arrays().Find(array);
    return code < 0 ? "<no array>" : ArrayString(engine.storage().arrays(), static_cast<std::uint8_t>(code));
  }
  std::int32_t VectorSize(std::string_view array) {
    return engine.storage().arrays().Node(static_cast<std::uint8_t>(engine.storage().arrays().Find(array))).ValueCount();
  }
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
                           ":esc2char 1"}) {
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

}  // namespace
}  // namespace calc::testing
