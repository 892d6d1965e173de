#include "core/grouping.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <memory_resource>
#include <new>
#include <vector>

#include "core/keywords.h"
#include "core/status_codes.h"
#include "core/tokenizer.h"

namespace calc {
namespace {

struct LevelRow {
  OperatorCode code;
  std::uint8_t level;
};

// ORDER OperatorCode: one row per code.
constexpr LevelRow kLevels[] = {
    {kOpPreIncrement, 14},      // [++]
    {kOpPreDecrement, 14},      // [--]
    {kOpBitNot, 14},            // [~]
    {kOpLogicalNot, 14},        // [!]
    {kOpNegate, 14},            // [-]
    {kOpPlus, 14},              // [+]
    {kOpPostIncrement, 15},     // ++
    {kOpPostDecrement, 15},     // --
    {kOpMultiply, 13},          // *
    {kOpDivide, 13},            // /
    {kOpRemainder, 13},         // %
    {kOpAdd, 12},               // +
    {kOpSubtract, 12},          // -
    {kOpShiftLeft, 11},         // <<
    {kOpShiftRight, 11},        // >>
    {kOpLess, 10},              // <
    {kOpLessEqual, 10},         // <=
    {kOpGreater, 10},           // >
    {kOpGreaterEqual, 10},      // >=
    {kOpEqual, 9},              // ==
    {kOpNotEqual, 9},           // !=
    {kOpBitAnd, 8},             // &
    {kOpBitXor, 7},             // ^
    {kOpBitOr, 6},              // |
    {kOpLogicalAnd, 5},         // &&
    {kOpLogicalOr, 4},          // ||
    {kOpConditional, 3},        // ?
    {kOpAssign, 2},             // =
    {kOpMultiplyAssign, 2},     // *=
    {kOpDivideAssign, 2},       // /=
    {kOpRemainderAssign, 2},    // %=
    {kOpAddAssign, 2},          // +=
    {kOpSubtractAssign, 2},     // -=
    {kOpShiftLeftAssign, 2},    // <<=
    {kOpShiftRightAssign, 2},   // >>=
    {kOpAndAssign, 2},          // &=
    {kOpOrAssign, 2},           // |=
    {kOpXorAssign, 2},          // ^=
    {kOpComma, 1},              // ,
};
static_assert(std::size(kLevels) == kOperatorCount);

constexpr bool RowsFollowCodes() {
  for (std::size_t i = 0; i < std::size(kLevels); ++i)
    if (kLevels[i].code != i) return false;
  return true;
}
static_assert(RowsFollowCodes());

// The level of an operator token, 0 for any other token.
int LevelOf(const CalcToken& token) {
  return token.kind() == kTokOperator ? OperatorLevel(token.code()) : 0;
}

using Iter = CalcTokenList::iterator;

// Makes the operator at `op` bind before whatever precedes it, where needed.
int GroupOperator(CalcTokenList& list, Iter op) {
  const int level = LevelOf(*op);

  // Backward: find the nearest operator at this depth that binds looser (or an
  // assignment before an assignment, which groups to the right).
  Iter looser = list.end();
  int depth = 0;
  for (Iter it = op; looser == list.end() && it != list.begin();) {
    --it;
    const std::uint8_t kind = it->kind();
    if (kind == kTokClose) {
      ++depth;
    } else if (kind == kTokOpen) {
      if (depth == 0) return kDone;  // the operand starts at this parenthesis
      --depth;
    } else if (kind == kTokStatement) {  // the keyword's expression starts right after it
      return list.InsertBefore(std::next(it), kTokOpen);
    } else if (kind == kTokOperator && depth == 0) {
      const int other = LevelOf(*it);
      if (other != 0 && (other < level || (other == kAssignmentLevel && level == kAssignmentLevel)))
        looser = it;
    }
  }
  if (looser == list.end()) return kDone;  // start of the line: left to right is right

  // Forward: the group ends before the parenthesis that closes this depth, or
  // before the first operator at this depth that binds no tighter than
  // `looser`. After an assignment only a looser operator ends it: a further
  // assignment belongs inside, so that a=b=c=d reads a=(b=(c=d)) and
  // a=b+c=d reads a=((b+c)=d).
  const int bound = LevelOf(*looser);
  const bool right_to_left = bound == kAssignmentLevel;
  Iter stop = list.end();
  depth = 0;
  for (Iter it = std::next(op); it != list.end(); ++it) {
    if (it->kind() == kTokOpen) {
      ++depth;
    } else if (it->kind() == kTokClose) {
      if (depth == 0) {
        stop = it;
        break;
      }
      --depth;
    } else if (depth == 0 && it->kind() == kTokOperator) {
      const int other = LevelOf(*it);
      if (other != 0 && (other < bound || (other == bound && !right_to_left))) {
        stop = it;
        break;
      }
    }
  }

  const int status = list.InsertBefore(std::next(looser), kTokOpen);
  if (status != kDone || stop == list.end()) return status;
  return list.InsertBefore(stop, kTokClose);
}

// The pass in one walk. Walking left to right, it keeps a stack of frames,
// one per parenthesis open at the walk's position: the line itself, a "(" of
// the text or one put after a statement keyword, and a group this pass
// opened after a looser operator, whose ")" is still to come. Each frame
// keeps its operators at depth 0 that a later operator could still find as
// its looser one: an operator hides every earlier one that binds no looser
// than it, so their levels rise strictly and at most 15 are kept per frame.
//
// The result is token for token the one the per-operator scans of
// GroupOperator give: the nearest of the frame's opening, the looser operator
// and a statement keyword ends the backward scan, and a group's ")" goes
// before the first token that would end its forward scan: a ")" of the text,
// or an operator that binds at least as loosely as the group's bound (for an
// assignment bound, more loosely). Those scans run from each operator over the
// text already grouped, so an unmatched ")", a keyword inside an earlier
// parenthesis, or a keyword met while a group is open changes what they see;
// such lines take the per-operator scans (Run gives false).
class LinearGrouping {
 public:
  // May throw std::bad_alloc.
  explicit LinearGrouping(CalcTokenList& list) : list_(list) {
    // Room up front, so that the stacks do not leave outgrown copies in the
    // buffer while they grow to an ordinary line's depth.
    frames_.reserve(16);
    ops_.reserve(32);
    inserted_.reserve(32);
  }
  LinearGrouping(const LinearGrouping&) = delete;
  LinearGrouping& operator=(const LinearGrouping&) = delete;

  // Groups the list; false, with the list as it was, when the line needs the
  // per-operator scans. May throw std::bad_alloc (the list may then be partly
  // grouped, as with the scans).
  bool Run() {
    frames_.push_back(Frame{Frame::kOpen, -1, 0, 0, next_id_++});
    std::int64_t pos = 0;
    for (Iter it = list_.begin(); it != list_.end(); ++it, pos += 2) {
      const std::uint8_t kind = it->kind();
      if (kind == kTokOpen) {
        frames_.push_back(Frame{Frame::kOpen, pos, 0, ops_.size(), next_id_++});
      } else if (kind == kTokClose) {
        CloseGroupsBefore(it, [](int) { return true; });
        if (frames_.size() == 1) return Undo();  // an unmatched ")"
        PopFrame();
      } else if (kind == kTokStatement) {
        statement_ = it;
        statement_pos_ = pos;
        statement_frame_ = frames_.back().id;
      } else if (const int level = LevelOf(*it); level != 0) {
        CloseGroupsBefore(it, [level](int threshold) { return level < threshold; });
        if (!GroupOperator(it, pos, level)) return Undo();
      }
    }
    return true;
  }

 private:
  struct Frame {
    enum Kind : std::uint8_t { kOpen, kGroup };
    Kind kind;
    std::int64_t open_pos;  // where its "(" stands; -1 for the line
    int threshold;          // a group ends before an operator of a lower level
    std::size_t ops_begin;  // its operators are ops_[ops_begin..]
    int id;
  };
  struct Op {
    Iter at;
    std::int64_t pos;
    int level;
  };

  // Closes the groups this pass opened, innermost first, while `ends` says
  // the token at `it` ends them. Their thresholds never fall from the inside
  // out, so the groups that end form the top of the stack.
  template <typename Ends>
  void CloseGroupsBefore(Iter it, Ends ends) {
    while (frames_.back().kind == Frame::kGroup && ends(frames_.back().threshold)) {
      Insert(it, kTokClose);
      PopFrame();
    }
  }

  bool GroupOperator(Iter op, std::int64_t pos, int level) {
    const Frame& frame = frames_.back();
    // The nearest operator that binds looser (or an assignment before an
    // assignment): the first from the top below `limit`.
    const int limit = level == kAssignmentLevel ? kAssignmentLevel + 1 : level;
    std::size_t looser = ops_.size();
    for (std::size_t i = ops_.size(); i > frame.ops_begin; --i) {
      if (ops_[i - 1].level < limit) {
        looser = i - 1;
        break;
      }
    }
    const std::int64_t looser_pos = looser < ops_.size() ? ops_[looser].pos : -1;
    if (statement_pos_ > frame.open_pos && statement_pos_ > looser_pos) {
      // The keyword's expression starts right after it. While a group this
      // pass opened is open, that "(" could pair with the group's ")", which
      // the scans placed before they met the keyword.
      if (statement_frame_ != frame.id || open_groups_ > 0) return false;
      Iter after = statement_;
      Insert(++after, kTokOpen);
      std::size_t begin = ops_.size();
      while (begin > frame.ops_begin && ops_[begin - 1].pos > statement_pos_) --begin;
      frames_.push_back(Frame{Frame::kOpen, statement_pos_ + 1, 0, begin, next_id_++});
    } else if (looser < ops_.size()) {
      const int bound = ops_[looser].level;
      Iter after = ops_[looser].at;
      Insert(++after, kTokOpen);
      const int threshold = bound == kAssignmentLevel ? bound : bound + 1;
      frames_.push_back(Frame{Frame::kGroup, looser_pos + 1, threshold, looser + 1, next_id_++});
      ++open_groups_;
    }
    while (ops_.size() > frames_.back().ops_begin && ops_.back().level >= level) ops_.pop_back();
    ops_.push_back(Op{op, pos, level});
    return true;
  }

  void PopFrame() {
    if (frames_.back().kind == Frame::kGroup) --open_groups_;
    ops_.resize(frames_.back().ops_begin);
    frames_.pop_back();
  }

  void Insert(Iter before, std::uint8_t kind) {
    Iter inserted;
    if (list_.InsertBefore(before, kind, {}, &inserted) != kDone) throw std::bad_alloc();
    inserted_.push_back(inserted);
  }

  bool Undo() {
    for (const Iter& it : inserted_) list_.Erase(it);
    return false;
  }

  CalcTokenList& list_;
  // The stacks of an ordinary line fit in this buffer, so that grouping it
  // allocates nothing; a deeper line continues on the heap.
  std::array<std::byte, 2048> buffer_;
  std::pmr::monotonic_buffer_resource memory_{buffer_.data(), buffer_.size(), std::pmr::new_delete_resource()};
  std::pmr::vector<Frame> frames_{&memory_};
  std::pmr::vector<Op> ops_{&memory_};
  std::pmr::vector<Iter> inserted_{&memory_};
  Iter statement_;
  std::int64_t statement_pos_ = -2;
  int statement_frame_ = -1;
  int next_id_ = 0;
  int open_groups_ = 0;  // frames of kind kGroup on the stack
};

// Above every operator level.
constexpr int kNoOperatorYet = 16;

// Opens every unmatched ")" at the front and closes every unmatched "(" at the end.
int BalanceParentheses(CalcTokenList& list) {
  int depth = 0;
  for (Iter it = list.begin(); it != list.end(); ++it) {
    if (it->kind() == kTokOpen) {
      ++depth;
    } else if (it->kind() == kTokClose) {
      if (depth > 0) {
        --depth;
      } else if (const int status = list.InsertBefore(list.begin(), kTokOpen); status != kDone) {
        return status;
      }
    }
  }
  for (; depth > 0; --depth)
    if (const int status = list.Append(kTokClose); status != kDone) return status;
  return kDone;
}

// True when grouping would leave the list as it is, which one cheap walk can
// tell for most lines: no statement keyword, parentheses that balance and
// never close more than they opened, and at each depth no operator that
// binds tighter than an earlier one at that depth (nor an assignment after an
// assignment). Within a parenthesis the grouping pass looks for the nearest
// earlier operator that binds looser; one exists exactly when the loosest
// earlier operator does, so the lowest level seen per depth decides. Deeper
// lines than the walk tracks are left to the pass.
bool NeedsNoGrouping(const CalcTokenList& list) {
  constexpr int kTrackedDepth = 32;
  std::array<int, kTrackedDepth> lowest;  // the loosest operator level seen at each depth
  int depth = 0;
  lowest[0] = kNoOperatorYet;
  for (const CalcToken& token : list) {
    switch (token.kind()) {
      case kTokOpen:
        if (++depth == kTrackedDepth) return false;
        lowest[depth] = kNoOperatorYet;
        break;
      case kTokClose:
        if (--depth < 0) return false;
        break;
      case kTokStatement:
        return false;
      case kTokOperator: {
        const int level = OperatorLevel(token.code());
        if (level == 0) break;
        const int limit = level == kAssignmentLevel ? kAssignmentLevel + 1 : level;
        if (lowest[depth] < limit) return false;
        lowest[depth] = level;  // not above the lowest so far, or the walk would have ended
        break;
      }
      default:
        break;
    }
  }
  return depth == 0;
}

}  // namespace

int OperatorLevel(int code) {
  return code >= 0 && code < kOperatorCount ? kLevels[code].level : 0;
}

int GroupTokens(CalcTokenList& list) {
  if (NeedsNoGrouping(list)) return kDone;
  int status = kDone;
  try {
    if (!LinearGrouping(list).Run()) {
      for (Iter it = list.begin(); it != list.end() && status == kDone; ++it)
        if (LevelOf(*it) != 0) status = GroupOperator(list, it);
    }
    if (status == kDone) status = BalanceParentheses(list);
  } catch (const std::bad_alloc&) {
    status = E_MEM;
  }
  return status;
}

int TokenizeAndGroup(const CalcContext& ctx, std::string_view text, bool parse_numbers, CalcTokenList& list) {
  const NumericScope numeric(ctx.numeric());
  const int status = Tokenize(ctx, text, parse_numbers, list);
  return status != kDone ? status : GroupTokens(list);
}

}  // namespace calc
