// The command API against the real engine and a fake window: every code of
// the command table in one scripted session, the bound on entered texts, the
// character-by-character entry and the warnings in the reply, and the
// registered message's queries.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_view.h"
#include "memory_ini.h"
#include "model/command_api.h"
#include "model/converter_engine.h"

namespace radixpad {
namespace {

// The window's side: typing reaches the converter as a user's edit would.
class TypingFields : public CommandFields {
 public:
  TypingFields(FakeView& view, Converter& converter) : view_(view), converter_(converter) {}
  void FocusField(int field) override { view_.FocusField(field); }
  void TypeFieldText(int field, std::string_view text) override {
    typed.emplace_back(text);
    view_.Type(converter_, field, text);
  }
  std::string FieldText(int field) override { return view_.FieldText(field); }

  std::vector<std::string> typed;

 private:
  FakeView& view_;
  Converter& converter_;
};

class CommandApiTest : public ::testing::Test {
 protected:
  CommandApiTest() {
    ConfigureConverterContext(ctx);
    engine.ForwardReportsTo(&converter);
    const bool signs[4] = {true, true, false, true};  // a fresh settings file
    converter.Restore(false, false, signs, 32);
    ini.values[{kMessageSection, "W_OVERFLOW"}] = "overflow $string2";
  }

  std::string Send(std::uintptr_t code, std::string text) { return api.Handle({code, std::move(text)}, false); }

  calc::CalcContext ctx;
  ConverterEngine engine{ctx};
  FakeView view;
  Converter converter{ctx, engine, view};
  MemoryIni ini;
  MessageCatalog catalog{ini};
  TypingFields fields{view, converter};
  CommandApi api{converter, fields, catalog};
};

constexpr char kBad[] = "400 Bad Request\r\n\r\n";

TEST_F(CommandApiTest, EveryCodeAnswersAndActsInOneSession) {
  struct Step {
    std::uintptr_t code;
    const char* text;
    const char* reply;
  };
  const Step steps[] = {
      // The queries need no argument; a fresh start is 32 bit, DEC signed.
      {311, "", "200 OK\r\n0\r\n\r\n"},
      {312, "", "200 OK\r\n0\r\n\r\n"},
      {313, "", "200 OK\r\n1\r\n\r\n"},
      {314, "anything", "200 OK\r\n0\r\n\r\n"},
      {321, "", "200 OK\r\n2\r\n\r\n"},
      {403, "12\r\n", "200 OK\r\n1100\r\n14\r\n12\r\nC\r\n\r\n"},
      // Global sign: every field follows.
      {201, "1\r\n", "200 OK\r\n1\r\n\r\n"},
      {311, "", "200 OK\r\n1\r\n\r\n"},
      {314, "", "200 OK\r\n1\r\n\r\n"},
      {201, "2\r\n", "200 OK\r\n-1\r\n\r\n"},
      {201, "1", kBad},  // no CR LF
      {201, "0\r\nignored", "200 OK\r\n0\r\n\r\n"},
      {312, "", "200 OK\r\n0\r\n\r\n"},
      // One field's sign; the others keep theirs.
      {211, "1\r\n", "200 OK\r\n1\r\n\r\n"},
      {212, "1\r\n", "200 OK\r\n1\r\n\r\n"},
      {213, "x\r\n", "200 OK\r\n0\r\n\r\n"},  // no digits reads as 0
      {214, "-1\r\n", "200 OK\r\n-1\r\n\r\n"},
      {311, "", "200 OK\r\n1\r\n\r\n"},
      {312, "", "200 OK\r\n1\r\n\r\n"},
      {313, "", "200 OK\r\n0\r\n\r\n"},
      {314, "", "200 OK\r\n0\r\n\r\n"},
      // Width.
      {221, "0\r\n", "200 OK\r\n0\r\n\r\n"},
      {321, "", "200 OK\r\n0\r\n\r\n"},
      {221, "3\r\n", "200 OK\r\n-1\r\n\r\n"},
      {221, "-1\r\n", "200 OK\r\n-1\r\n\r\n"},
      {321, "", "200 OK\r\n0\r\n\r\n"},
      {221, "1\r\n", "200 OK\r\n1\r\n\r\n"},
      // 16 bit; BIN, OCT signed, DEC, HEX unsigned.
      // 65535 does not fit the signed binary field: its warning follows the fields.
      {401, "1111111111111111\r\n", "200 OK\r\n\\-1\r\n\\-1\r\n65535\r\nFFFF\r\noverflow \r\n\r\n"},
      {402, "-2\r\n", "200 OK\r\n\\-10\r\n\\-2\r\n65534\r\nFFFE\r\n\r\n"},
      {404, "10\r\n", "200 OK\r\n10000\r\n20\r\n16\r\n10\r\n\r\n"},
      {404, "10", kBad},
      {321, "", "200 OK\r\n1\r\n\r\n"},
      {999, "", kBad},
      {0, "", kBad},
      {200, "1\r\n", kBad},
  };
  int index = 0;
  for (const Step& step : steps) {
    EXPECT_EQ(Send(step.code, step.text), step.reply) << "step " << index << ": code " << step.code;
    ++index;
  }
}

TEST_F(CommandApiTest, RegisteredMessageAnswersOnlyTheQueries) {
  converter.SetBitWidth(8);
  converter.SetFieldSign(2, false);
  EXPECT_EQ(api.Query(311), 0);
  EXPECT_EQ(api.Query(312), 1);
  EXPECT_EQ(api.Query(313), 1);
  EXPECT_EQ(api.Query(314), 0);
  EXPECT_EQ(api.Query(321), 0);
  for (std::uintptr_t other : {0u, 201u, 221u, 401u, 999u}) EXPECT_FALSE(api.Query(other)) << other;
}

TEST_F(CommandApiTest, EnteredTextIsTypedOneCharacterAtATimeAndBounded) {
  EXPECT_EQ(Send(403, "1+2\r\n"), "200 OK\r\n11\r\n3\r\n3\r\n3\r\n\r\n");
  EXPECT_EQ(fields.typed, (std::vector<std::string>{"1", "1+", "1+2"}));

  // A double-byte character is never split between two keystrokes.
  fields.typed.clear();
  Send(403, "1\x82\xa0" "2\r\n");
  EXPECT_EQ(fields.typed, (std::vector<std::string>{"1", "1\x82\xa0", "1\x82\xa0" "2"}));

  // What a field holds is accepted; one byte more is refused before any typing.
  fields.typed.clear();
  const std::string longest(kMaxEnteredText, '1');
  EXPECT_TRUE(Send(401, longest + "\r\n").starts_with("200 OK\r\n"));
  EXPECT_EQ(fields.typed.size(), kMaxEnteredText);
  fields.typed.clear();
  EXPECT_EQ(Send(401, longest + "1\r\n"), kBad);
  EXPECT_TRUE(fields.typed.empty());
}

TEST_F(CommandApiTest, EnteredTextRepliesWithTheWarningsOfItsLastKeystroke) {
  converter.SetBitWidth(8);
  const std::string reply = Send(403, "100+100\r\n");
  EXPECT_EQ(reply, "200 OK\r\n11001000\r\n310\r\n\\-56\r\nC8\r\noverflow \r\n\r\n") << reply;
  // Without a template the message is empty and left out.
  ini.values.clear();
  EXPECT_EQ(Send(403, "100+100\r\n"), "200 OK\r\n11001000\r\n310\r\n\\-56\r\nC8\r\n\r\n");
}

TEST(CommandRequestTest, MalformedEnvelopesAreRefusedAndNothingPastTheDataIsRead) {
  // Exactly the announced bytes on the heap: the sanitizer sees any read beyond.
  const std::vector<char> exact = {'3', '\r', '\n'};
  const std::vector<char> big(kMaxRequestBytes + 1, '1');
  struct Case {
    CopyDataEnvelope envelope;
    bool accepted;
    std::string text;
  };
  const Case cases[] = {
      {{false, 311, 0, nullptr}, false, ""},
      {{true, 311, 0, nullptr}, true, ""},
      {{true, 403, 5, nullptr}, false, ""},
      {{true, 403, exact.size(), exact.data()}, true, "3\r\n"},
      {{true, 403, 2, exact.data()}, true, "3\r"},
      {{true, 403, kMaxRequestBytes, big.data()}, true, std::string(kMaxRequestBytes, '1')},
      {{true, 403, kMaxRequestBytes + 1, big.data()}, false, ""},
      {{true, 403, std::uint64_t{1} << 40, big.data()}, false, ""},
      {{true, 403, 6, "12\0\r\n"}, true, "12"},  // the sender's text ends at its NUL
  };
  for (const Case& c : cases) {
    const std::optional<CommandRequest> request = ReadCommandRequest(c.envelope);
    EXPECT_EQ(request.has_value(), c.accepted) << c.envelope.size;
    if (request && c.accepted) {
      EXPECT_EQ(request->text, c.text);
      EXPECT_EQ(request->code, c.envelope.code);
    }
  }
}

}  // namespace
}  // namespace radixpad
