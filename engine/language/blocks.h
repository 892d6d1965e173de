// Loops without a syntax tree: the statements of a do, while, for or func
// block are recorded into a block tree while they are read, and once the
// outermost block is complete the tree is replayed.
//
// A block holds a type, its entries (a recorded statement or a child block),
// a cursor and two flags, break and continue. Replay walks the entries; after
// each one the type's advance rule picks the next:
//   do, while   the next entry, wrapping from the last to the first;
//   for         the next entry, wrapping from the last to the second, so the
//               initialisation runs once;
//   func and the outermost sequence: the next entry; the end ends the block.
// A loop only ends when its closing statement finds the break flag set.
//
// A for block is rewritten when its "next" is recorded: "for init; cond;
// step; body...; next" becomes "init; for (cond); body...; next; step".
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "core/run_budget.h"
#include "core/token.h"
#include "language/line_runner.h"
#include "language/planned_loop.h"

namespace calc {

class CalcEngine;

enum BlockType : std::uint8_t {
  kBlockSequence = 0,  // the outermost block: holds the first loop or function
  kBlockDo = 1,
  kBlockWhile = 2,
  kBlockFor = 3,
  kBlockFunc = 4,
};

struct CalcBlock;

// A recorded statement or a child block: exactly one of the two is set.
struct CalcBlockEntry {
  std::unique_ptr<CalcLine> statement;
  std::unique_ptr<CalcBlock> block;
};

struct CalcBlock {
  BlockType type = kBlockSequence;
  CalcBlock* parent = nullptr;
  int depth = 0;  // 0 for the outermost sequence
  std::vector<CalcBlockEntry> entries;
  std::size_t cursor = 0;
  bool break_flag = false;
  bool continue_flag = false;
  // Set before the replay when every statement of the loop is planned.
  std::unique_ptr<CalcLoopPlan> loop_plan;
};

enum class RecordingMode : std::uint8_t { kNormal = 0, kRecording = 1, kReplaying = 2 };

// The recording state of one engine: the mode and the block tree.
class CalcBlockState {
 public:
  // Deepest nesting of blocks. Deeper text fails with E_MEM, for the same
  // reason as the evaluator's nesting limit: the tree is freed recursively.
  static constexpr int kMaxBlockDepth = 256;

  RecordingMode mode() const { return mode_; }
  CalcBlock* current() { return current_; }
  const CalcBlock* current() const { return current_; }
  CalcBlock* root() { return root_.get(); }

  // Mode 1 with a fresh tree whose outermost sequence is current.
  int StartRecording();
  // Records one statement into the current block (a copy), opening and
  // closing blocks by its keyword. `complete` becomes true when the outermost
  // loop or function closed. On failure the offending statement's first token
  // is copied into `offender`. 0, E_MEM, or the error of a malformed block.
  // The recorded tree is charged to `budget` (when given) until it is
  // abandoned: past its memory limit, E_MEM.
  int Record(const CalcLine& statement, bool& complete, CalcToken& offender, CalcRunBudget* budget = nullptr);

  // Mode 2 from the start of the tree.
  void BeginReplay();
  // Mode 0; the tree is freed.
  void Abandon();

  // True in mode 2 when the current block has break or continue pending.
  bool FlagPending() const;
  void SetBreak();     // unless continue is pending
  void SetContinue();  // unless break is pending
  // At "until", "endwhile", "next": with break set, leaves the block (its
  // parent becomes current with its cursor past the block); in any case the
  // continue flag is cleared.
  void CloseIteration();

  // Replay's walk: the entry under the cursor of the current block, entering
  // child blocks on the way (a child entered while its parent has a flag
  // pending starts with break set, so it ends at its closer without running).
  // Null when the outermost sequence is done.
  CalcLine* NextStatement();
  // Moves past the statement just run by the type's advance rule, unless
  // CloseIteration already left the block.
  void Advance();

 private:
  int OpenBlock(BlockType type, std::unique_ptr<CalcLine> first);
  void CloseBlock(bool& complete);
  int RewriteFor(CalcBlock& block);

  RecordingMode mode_ = RecordingMode::kNormal;
  std::unique_ptr<CalcBlock> root_;
  CalcBlock* current_ = nullptr;
  bool left_block_ = false;
  CalcMemoryCharge charge_;  // what the recorded statements take
};

// Replays the recorded tree through the engine's statement runner until the
// outermost sequence is done, an error ends it, or the run is to stop.
// Returns the status of the last statement run.
int ReplayBlocks(CalcEngine& engine);

}  // namespace calc
