// Physical lines of a stream, with a bound on their length.
#include "line_reader.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace radixcalc {
namespace {

TEST(LineReader, EveryLineEndEndsALineAndALongLineIsRefusedUnread) {
  struct Case {
    std::string input;
    std::vector<std::string> lines;  // read before the end or the refusal
    LineRead last;
    std::size_t unread;  // characters the stream still holds after `last`
  };
  const std::vector<Case> cases = {
      {"", {}, LineRead::kEnd, 0},
      {"a\nb", {"a", "b"}, LineRead::kEnd, 0},
      {"a\r\nb\rc\n", {"a", "b", "c"}, LineRead::kEnd, 0},
      {"\n\r\n\r", {"", "", ""}, LineRead::kEnd, 0},
      {"12345\n123456\n", {"12345"}, LineRead::kTooLong, 1},  // one past the bound was read: "\n" left
      {"1234567890123", {}, LineRead::kTooLong, 13 - 6},
  };
  for (const Case& c : cases) {
    std::istringstream in(c.input);
    std::vector<std::string> lines;
    std::string line;
    LineRead read;
    while ((read = ReadPhysicalLine(in, line, 5)) == LineRead::kLine) lines.push_back(line);
    EXPECT_EQ(lines, c.lines) << c.input;
    EXPECT_EQ(read, c.last) << c.input;
    const std::string rest(std::istreambuf_iterator<char>(in), {});
    EXPECT_EQ(rest.size(), c.unread) << c.input;
  }
}

}  // namespace
}  // namespace radixcalc
