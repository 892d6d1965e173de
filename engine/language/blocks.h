// Loops without a syntax tree: the statements of a do, while, for or func
// block are recorded into a block tree while they are read, and once the
// outermost block is complete the tree is replayed.
//
// A block holds a type and its entries (a recorded statement or a child
// block); a run replaying it holds its cursor and two flags, break and
// continue. Replay walks the entries; after each one the type's advance rule
// picks the next:
//   do, while   the next entry, wrapping from the last to the first;
//   for         the next entry, wrapping from the last to the second, so the
//               initialisation runs once;
//   func and the outermost sequence: the next entry; the end ends the block.
// A loop only ends when its closing statement finds the break flag set.
//
// A for block is rewritten when its "next" is recorded: "for init; cond;
// step; body...; next" becomes "init; for (cond); body...; next; step".
//
// A function body records its loops when a run first reaches them and keeps
// the sealed trees (see CalcKeptLoops): later runs count the same statements
// off, as many steps as recording them takes, and replay the kept tree.
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
  // Set when the tree is complete, if every statement of the loop is planned.
  std::unique_ptr<CalcLoopPlan> loop_plan;
};

// What replay changes in the block it runs at one depth: the cursor and the
// two flags. It lives with the run, not in the tree, so that runs sharing one
// tree (the calls of a function, recursive ones at the same time) never see
// each other's place. Only the blocks on the path from the outermost
// sequence to the current block need one: a block entered starts afresh.
struct CalcBlockRun {
  std::size_t cursor = 0;
  bool break_flag = false;
  bool continue_flag = false;
};

// A block tree. Once the outermost block is complete the tree is sealed: its
// plans are built and it never changes again, so that it can be replayed by
// any number of runs (a function body keeps the loops its statements
// recorded; see CalcKeptLoops).
struct CalcBlockTree {
  CalcBlock root;  // the outermost sequence
  std::size_t statements = 0;  // recorded, the opening statement included
  int depth = 0;  // of the deepest block
};

enum class RecordingMode : std::uint8_t { kNormal = 0, kRecording = 1, kReplaying = 2 };

// The recording state of one engine: the mode, the block tree and the run's
// place in it.
class CalcBlockState {
 public:
  // Deepest nesting of blocks. Deeper text fails with E_MEM, for the same
  // reason as the evaluator's nesting limit: the tree is freed recursively.
  static constexpr int kMaxBlockDepth = 256;

  RecordingMode mode() const { return mode_; }
  // The block being recorded into (null while a kept tree is counted off),
  // or the block being replayed; null in mode 0.
  const CalcBlock* current() const { return current_; }
  // The replay state of the current block; only in mode 2.
  CalcBlockRun& current_run() { return path_[static_cast<std::size_t>(current_->depth)]; }

  // Mode 1 with a fresh tree whose outermost sequence is current.
  int StartRecording();
  // Mode 1 for a sealed tree recorded before from the very statements that
  // follow: Record only counts them off, the opening one already counted, and
  // reports the tree complete at its last. 0 or E_MEM.
  int StartCounting(std::shared_ptr<const CalcBlockTree> tree);
  // Records one statement into the current block (a copy), opening and
  // closing blocks by its keyword. `complete` becomes true when the outermost
  // loop or function closed; the tree is then sealed. On failure the
  // offending statement's first token is copied into `offender`. 0, E_MEM, or
  // the error of a malformed block. The recorded tree is charged to `budget`
  // (when given) until it is abandoned: past its memory limit, E_MEM.
  int Record(const CalcLine& statement, bool& complete, CalcToken& offender, CalcRunBudget* budget = nullptr);

  // The sealed tree, once Record reported it complete (or StartCounting gave
  // it).
  const std::shared_ptr<const CalcBlockTree>& tree() const { return tree_; }
  // What the statements recorded by this state take; whoever keeps the
  // sealed tree takes the charge over with it.
  CalcMemoryCharge& charge() { return charge_; }

  // Mode 2 from the start of the sealed tree.
  void BeginReplay();
  // Mode 0; the tree is let go of.
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
  const CalcLine* NextStatement();
  // Moves past the statement just run by the type's advance rule, unless
  // CloseIteration already left the block.
  void Advance();

 private:
  int OpenBlock(BlockType type, std::unique_ptr<CalcLine> first);
  void CloseBlock(bool& complete);
  int RewriteFor(CalcBlock& block);
  // Builds the plans of the complete tree and makes it the sealed one.
  void Seal();
  bool Replaying() const { return mode_ == RecordingMode::kReplaying && current_ != nullptr; }

  RecordingMode mode_ = RecordingMode::kNormal;
  std::unique_ptr<CalcBlockTree> recording_;  // mode 1, recording
  CalcBlock* open_ = nullptr;                 // its innermost open block
  std::shared_ptr<const CalcBlockTree> tree_;  // sealed: replayed, or counted off
  std::size_t uncounted_ = 0;                  // counting off: statements still to come
  const CalcBlock* current_ = nullptr;
  std::vector<CalcBlockRun> path_;  // by depth: the current block and its ancestors
  bool left_block_ = false;
  CalcMemoryCharge charge_;  // what the recorded statements take
};

// Replays the recorded tree through the engine's statement runner until the
// outermost sequence is done, an error ends it, or the run is to stop.
// Returns the status of the last statement run.
int ReplayBlocks(CalcEngine& engine);

}  // namespace calc
