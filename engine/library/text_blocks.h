// The block searches of hlloadblock, hlloadblockm and hlgetline on plain
// text: a block runs from a begin marker to an end marker, both found
// ignoring ASCII letter case. The file and stream sides are in
// hl_builtins.cpp.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace calc {

// The first block of a text fed line by line. The block starts just after
// the begin marker (the marker is left out) and ends just after the end
// marker (the marker is kept); it may span lines.
class FirstBlockScan {
 public:
  enum State { kNoBegin = 0, kNoEnd = 1, kComplete = 2 };

  FirstBlockScan(std::string_view begin, std::string_view end) : begin_(begin), end_(end) {}

  // The part of `line` that belongs to the block (empty when none does).
  // Call only while !done().
  std::string_view Take(std::string_view line);
  bool done() const { return state_ == kComplete; }
  State state() const { return state_; }

 private:
  std::string_view begin_, end_;
  State state_ = kNoBegin;
};

// Every block of a text fed line by line, markers included. At most one
// block starts in a line. count() is twice the number of complete blocks,
// plus 1 while the last block has no end.
class BlockListScan {
 public:
  BlockListScan(std::string_view begin, std::string_view end) : begin_(begin), end_(end) {}

  // The part of `line` that belongs to a block (empty when none does).
  std::string_view Take(std::string_view line);
  long count() const { return count_; }

 private:
  bool InsideBlock() const { return count_ % 2 != 0; }

  std::string_view begin_, end_;
  // A long: a file of more than 63 blocks must not wrap the count (an 8-bit
  // counter would), and one line adds at most 2.
  long count_ = 0;
};

// The first block of `text`: from the first begin marker through the first
// end marker after it, both included.
struct TextSpan {
  std::size_t offset = 0;
  std::size_t length = 0;
};
std::optional<TextSpan> FindBlock(std::string_view text, std::string_view begin, std::string_view end);

}  // namespace calc
