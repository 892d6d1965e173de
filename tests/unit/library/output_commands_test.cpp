// The output commands through the host hooks: what each delivers, that a
// failing argument delivers nothing, and what the array forms store.
#include <string>
#include <vector>

#include "library_fixture.h"

namespace calc::testing {
namespace {

class OutputCommands : public LibraryTest {
 protected:
  std::string Text(std::string_view array) {
    const int code = engine.storage().arrays().Find(array);
    return code < 0 ? "<no array>" : ArrayString(engine.storage().arrays(), static_cast<std::uint8_t>(code));
  }
};

TEST_F(OutputCommands, DeliverCompleteTextThroughTheHost) {
  ASSERT_EQ(Run(":array s; :sprint s [\"abc]"), kNoValue);
  struct Delivery {
    const char* text;
    std::vector<std::string> texts;
  };
  const std::vector<Delivery> cases = {
      {":print [\"x = ] 1 [\" ] s", {"x = 1 abc"}},
      {":println s (2*3)", {"abc6\n"}},
      {":print", {""}},
      {":println", {"\n"}},
      {":printf [\"%5.2f|%x|%s] 3.14159 255 \"ab", {" 3.14|ff|ab"}},
      {":printf [\"%s!] s; :printf [\"%d] 7", {"abc!", "7"}},
      // A number for a string is a stream handle; no stream is open: empty.
      {":printf [\"%s] 5", {""}},
      // Nothing is delivered when an argument fails or a directive is refused.
      {":print 1 (2 +)", {}},
      {":printf [\"%d %d] 1", {}},
      {":printf [\"%d %n] 1 2", {}},
      {":printf [\"%5] 1", {}},
  };
  for (const Delivery& c : cases) {
    SCOPED_TRACE(c.text);
    Run(c.text);
    EXPECT_EQ(engine.texts, c.texts);
  }
}

TEST_F(OutputCommands, FailuresAreCommandParameterErrors) {
  for (const char* text : {":printf [\"%d] \"x", ":printf [\"%lld] 1", ":printf [\"%99999999d] 1", ":sprint 5 1",
                           ":sprintf", ":error 5", ":error", ":printf"}) {
    SCOPED_TRACE(text);
    EXPECT_EQ(Run(text), E_COMMAND_PARAM);
    EXPECT_TRUE(engine.texts.empty());
    EXPECT_TRUE(engine.errors.empty());
  }
}

TEST_F(OutputCommands, ArrayFormsReplaceTheString) {
  ASSERT_EQ(Run(":array a; :sprint a [\"a long first text]; :sprintf a [\"%03d] 7"), kNoValue);
  EXPECT_EQ(Text("a"), "007");
  EXPECT_EQ(engine.storage().arrays().Node(static_cast<std::uint8_t>(engine.storage().arrays().Find("a"))).ValueCount(), 4);
  // The items are read before the array is written, so it may be one of them.
  ASSERT_EQ(Run(":sprint a a [\"-] a"), kNoValue);
  EXPECT_EQ(Text("a"), "007-007");
  // A failing item leaves the array as it was.
  EXPECT_EQ(Run(":sprintf a [\"%d%d] 1"), E_COMMAND_PARAM);
  EXPECT_EQ(Text("a"), "007-007");
  ASSERT_EQ(Run(":sprintf @@z [\"%s=%g] \"pi 3.5"), kNoValue);
  const NumericScope numeric(context.numeric());
  EXPECT_EQ(ArrayString(engine.storage().arrays(), 'z'), "pi=3.5");
}

TEST_F(OutputCommands, ErrorAndClearReachTheirHooks) {
  ASSERT_EQ(Run(":array m; :sprint m [\"from array]; :error [\"a - b]; :error m; :clear; :clear"), kNoValue);
  // Outside a source file the text goes unchanged.
  EXPECT_EQ(engine.errors, (std::vector<std::string>{"a - b", "from array"}));
  EXPECT_EQ(engine.clears, 2);
}

}  // namespace
}  // namespace calc::testing
