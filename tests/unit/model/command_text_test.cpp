// The texts of the command API that cross process boundaries: replies as the
// client reads them, and the message log's entries and stamp.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

#include "model/command_reply.h"
#include "model/message_log.h"

namespace radixpad {
namespace {

TEST(CommandReplyTest, RepliesReadBackAndBrokenOnesAreRefused) {
  for (const char* payload : {"", "-1", "1100\r\n14\r\n12\r\nC", "a\r\n\r\nb"}) {
    const auto parsed = ParseReply(OkReply(payload));
    ASSERT_TRUE(parsed);
    EXPECT_TRUE(parsed->ok);
    EXPECT_EQ(parsed->payload, payload);
  }
  const auto bad = ParseReply(BadRequestReply());
  ASSERT_TRUE(bad);
  EXPECT_FALSE(bad->ok);
  for (const char* broken : {"", "200 OK\r\n", "200 OK\r\n\r\n", "200 OK\r\n1\r\n", "400 Bad Request\r\n",
                             "500 Oops\r\n\r\n", "200 ok\r\n1\r\n\r\n"})
    EXPECT_FALSE(ParseReply(broken)) << broken;
}

TEST(MessageLogTest, EntriesAndStampHaveTheirFixedForm) {
  std::tm t{};
  t.tm_year = 2026 - 1900;
  t.tm_mon = 11;
  t.tm_mday = 7;
  t.tm_wday = 1;
  t.tm_hour = 9;
  t.tm_min = 5;
  t.tm_sec = 3;
  EXPECT_EQ(LogStamp(t), "[Mon Dec  7 09:05:03 2026] ");
  t.tm_mday = 17;
  t.tm_wday = 4;
  EXPECT_EQ(LogStamp(t), "[Thu Dec 17 09:05:03 2026] ");
  EXPECT_EQ(RegisteredMessageEntry(321, 0), "WM_RADIXPADCOMMANDAPI wParam=321 lParam=0\n");
  EXPECT_EQ(CopyDataEntry(-5, 403), "WM_COPYDATA wParam=-5 dwData=403 lpData=\n");
  // Only the low 32 bits show, as a signed number.
  EXPECT_EQ(CopyDataEntry(static_cast<std::intptr_t>(0xFFFFFFFFu), 999), "WM_COPYDATA wParam=-1 dwData=999 lpData=\n");
  EXPECT_EQ(MessageLogPath("C:\\RadixPad"), "C:\\RadixPad\\LOG\\message.log");
}

// An entry as a text-mode stream writes it: Windows ends its lines with CR LF.
std::string AsWritten(std::string entry) {
#ifdef _WIN32
  for (std::size_t at = entry.find('\n'); at != std::string::npos; at = entry.find('\n', at + 2)) entry.insert(at, "\r");
#endif
  return entry;
}

TEST(MessageLogTest, EntriesAreAppendedWithTheRawTextAndAMissingFolderDropsThem) {
  const auto dir =
      std::filesystem::temp_directory_path() / ("message_log_test_" + std::to_string(std::random_device{}()));
  std::filesystem::create_directories(dir);
  const std::string path = (dir / "message.log").string();
  AppendLogEntry(path, 0, CopyDataEntry(1, 403), "12\r\n");
  AppendLogEntry(path, 0, RegisteredMessageEntry(321, 0));
  std::stringstream content;
  {
    std::ifstream in(path, std::ios::binary);  // closed before the folder is removed (Windows)
    content << in.rdbuf();
  }
  const std::string text = content.str();
  // Both entries carry the same stamp: the same moment, in the local time zone.
  ASSERT_GT(text.size(), 27u);
  const std::string stamp = text.substr(0, 27);
  EXPECT_EQ(stamp.front(), '[');
  EXPECT_TRUE(stamp.ends_with(" 1970] ") || stamp.ends_with(" 1969] ")) << stamp;
  EXPECT_EQ(text, stamp + AsWritten(CopyDataEntry(1, 403)) + "12\r\n" + stamp + AsWritten(RegisteredMessageEntry(321, 0)));
  AppendLogEntry((dir / "missing" / "message.log").string(), 0, "x\n");  // silently dropped
  EXPECT_FALSE(std::filesystem::exists(dir / "missing"));
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace radixpad
