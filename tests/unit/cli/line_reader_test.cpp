// Physical lines of a stream, with a bound on their length.
#include "line_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

namespace radixcalc {
namespace {

// A stream buffer that holds at most `window` characters at a time (0: none,
// every character comes through underflow and uflow), so that lines and
// their ends cross the edges of what the reader finds buffered.
class WindowBuffer : public std::streambuf {
 public:
  WindowBuffer(std::string text, std::size_t window) : text_(std::move(text)), window_(window) {}

 protected:
  int_type underflow() override {
    if (window_ == 0) return pos_ < text_.size() ? traits_type::to_int_type(text_[pos_]) : traits_type::eof();
    pos_ += static_cast<std::size_t>(gptr() - eback());  // what the last window gave
    if (pos_ >= text_.size()) return traits_type::eof();
    char* begin = text_.data() + pos_;
    setg(begin, begin, begin + std::min(window_, text_.size() - pos_));
    return traits_type::to_int_type(*begin);
  }
  int_type uflow() override {
    if (window_ != 0) return std::streambuf::uflow();
    return pos_ < text_.size() ? traits_type::to_int_type(text_[pos_++]) : traits_type::eof();
  }

 private:
  std::string text_;
  std::size_t window_;
  std::size_t pos_ = 0;
};

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
      {"12\r\n345\r\r\n12345", {"12", "345", "", "12345"}, LineRead::kEnd, 0},
      {"1234\r12345x\n", {"1234"}, LineRead::kTooLong, 1},
  };
  // The whole text buffered at once, windows of a few characters, and none.
  for (const std::size_t window : {std::size_t{100}, std::size_t{1}, std::size_t{2}, std::size_t{3},
                                   std::size_t{0}}) {
    for (const Case& c : cases) {
      WindowBuffer buffer(c.input, window);
      std::istream in(&buffer);
      std::vector<std::string> lines;
      std::string line;
      LineRead read;
      while ((read = ReadPhysicalLine(in, line, 5)) == LineRead::kLine) lines.push_back(line);
      EXPECT_EQ(lines, c.lines) << c.input << " window " << window;
      EXPECT_EQ(read, c.last) << c.input << " window " << window;
      const std::string rest(std::istreambuf_iterator<char>(in), {});
      EXPECT_EQ(rest.size(), c.unread) << c.input << " window " << window;
    }
  }
}

}  // namespace
}  // namespace radixcalc
