#include "language/blocks.h"

#include <iterator>
#include <new>

#include "core/keywords.h"
#include "core/status_codes.h"
#include "language/compiled_size.h"
#include "language/engine.h"

namespace calc {
namespace {

// The keyword a statement starts with, or -1.
int KeywordOf(const CalcLine& statement) {
  const CalcToken* first = statement.tokens.At(0);
  return first != nullptr && first->kind() == kTokStatement ? first->code() : -1;
}

// A recorded statement that is no keyword line and no block: what the
// condition and the step of a for loop must be.
bool IsPlainStatement(const CalcBlockEntry& entry) {
  return entry.statement != nullptr && KeywordOf(*entry.statement) < 0;
}

// The closer a block type expects, and the error of a closer found in a block
// of another type.
int ClosingKeyword(BlockType type) {
  switch (type) {
    case kBlockDo: return kStUntil;
    case kBlockWhile: return kStEndwhile;
    case kBlockFor: return kStNext;
    case kBlockFunc: return kStEndfunc;
    default: return -1;
  }
}

int MismatchError(int keyword) {
  switch (keyword) {
    case kStUntil: return E_STAT_UNTIL;
    case kStEndwhile: return E_STAT_ENDWHILE;
    case kStNext: return E_STAT_NEXT;
    default: return E_STAT_ENDFUNC;
  }
}

// "for ( init )" -> "init": the keyword goes, and so do the parentheses the
// grouping pass put around the rest when they enclose all of it.
void StripForKeyword(CalcTokenList& tokens) {
  tokens.Erase(tokens.begin());
  if (tokens.Empty() || tokens.begin()->kind() != kTokOpen) return;
  int depth = 0;
  for (auto it = tokens.begin(); it != tokens.end(); ++it) {
    if (it->kind() == kTokOpen) {
      ++depth;
    } else if (it->kind() == kTokClose && --depth == 0) {
      if (std::next(it) != tokens.end()) return;  // the parentheses close early
      tokens.Erase(it);
      tokens.Erase(tokens.begin());
      return;
    }
  }
}

}  // namespace

int CalcBlockState::StartRecording() {
  Abandon();
  try {
    recording_ = std::make_unique<CalcBlockTree>();
  } catch (const std::bad_alloc&) {
    return E_MEM;
  }
  open_ = &recording_->root;
  current_ = open_;
  mode_ = RecordingMode::kRecording;
  return kDone;
}

int CalcBlockState::StartCounting(std::shared_ptr<const CalcBlockTree> tree) {
  Abandon();
  if (tree == nullptr || tree->statements < 2) return E_MEM;
  try {
    path_.resize(static_cast<std::size_t>(tree->depth) + 1);
  } catch (const std::bad_alloc&) {
    return E_MEM;
  }
  uncounted_ = tree->statements - 1;
  tree_ = std::move(tree);
  mode_ = RecordingMode::kRecording;
  return kDone;
}

void CalcBlockState::Abandon() {
  mode_ = RecordingMode::kNormal;
  recording_.reset();
  open_ = nullptr;
  tree_.reset();
  uncounted_ = 0;
  current_ = nullptr;
  charge_.Reset();
  left_block_ = false;
}

int CalcBlockState::OpenBlock(BlockType type, std::unique_ptr<CalcLine> first) {
  if (open_->depth >= kMaxBlockDepth) return E_MEM;
  auto block = std::make_unique<CalcBlock>();
  block->type = type;
  block->parent = open_;
  block->depth = open_->depth + 1;
  block->entries.emplace_back().statement = std::move(first);
  CalcBlock* opened = block.get();
  open_->entries.emplace_back().block = std::move(block);
  open_ = opened;
  current_ = opened;
  if (opened->depth > recording_->depth) recording_->depth = opened->depth;
  return kDone;
}

void CalcBlockState::CloseBlock(bool& complete) {
  open_ = open_->parent;
  current_ = open_;
  complete = open_ == &recording_->root;
}

int CalcBlockState::Record(const CalcLine& statement, bool& complete, CalcToken& offender, CalcRunBudget* budget) {
  complete = false;
  if (mode_ != RecordingMode::kRecording) return E_MEM;
  if (tree_ != nullptr) {  // counting off a sealed tree
    if (uncounted_ == 0) return E_MEM;
    complete = --uncounted_ == 0;
    return kDone;
  }
  if (open_ == nullptr) return E_MEM;
  try {
    if (!charge_.Set(charge_.bytes() + CompiledSize(statement), budget)) return E_MEM;
    auto copy = std::make_unique<CalcLine>();
    if (statement.CopyTo(*copy) != kDone) return E_MEM;
    ++recording_->statements;
    const int keyword = KeywordOf(statement);
    CalcBlock& block = *open_;
    const bool in_function = block.type == kBlockFunc;
    const auto fail = [&](int code) {
      offender = *statement.tokens.At(0);
      return code;
    };

    switch (keyword) {
      case kStDo:
      case kStWhile:
      case kStFor:
        // A function body keeps its loops as plain statements; they are
        // recorded when the function runs.
        if (in_function) break;
        return OpenBlock(keyword == kStDo ? kBlockDo : keyword == kStWhile ? kBlockWhile : kBlockFor,
                         std::move(copy)) == kDone
                   ? kDone
                   : fail(E_MEM);
      case kStFunc:
        if (in_function) return fail(E_STAT_FUNC_NEST);
        return OpenBlock(kBlockFunc, std::move(copy)) == kDone ? kDone : fail(E_MEM);
      case kStUntil:
      case kStEndwhile:
      case kStEndfunc:
      case kStNext:
        if (ClosingKeyword(block.type) == keyword) {
          block.entries.emplace_back().statement = std::move(copy);
          if (keyword == kStNext)
            if (const int status = RewriteFor(block)) return fail(status);
          CloseBlock(complete);
          if (complete) Seal();
          return kDone;
        }
        // A closer of another block would close the wrong loop on replay.
        if (!in_function) return fail(MismatchError(keyword));
        break;
      default:
        break;
    }
    block.entries.emplace_back().statement = std::move(copy);
    return kDone;
  } catch (const std::bad_alloc&) {
    return E_MEM;
  }
}

// Entries on entry: for-statement, condition, step, body..., next.
int CalcBlockState::RewriteFor(CalcBlock& block) {
  auto& entries = block.entries;
  if (entries.size() < 2 || !IsPlainStatement(entries[1])) return E_STAT_FOR_CON;
  if (entries.size() < 3 || !IsPlainStatement(entries[2])) return E_STAT_FOR_EXP;

  StripForKeyword(entries[0].statement->tokens);

  CalcTokenList& condition = entries[1].statement->tokens;
  if (!condition.Empty()) {  // an empty condition stays empty: the loop runs until break
    if (condition.InsertBefore(condition.begin(), kTokOpen) != kDone || condition.Append(kTokClose) != kDone ||
        condition.InsertBefore(condition.begin(), kTokStatement, std::uint8_t{kStFor}) != kDone)
      return E_MEM;
  }

  CalcBlockEntry step = std::move(entries[2]);
  entries.erase(entries.begin() + 2);
  entries.push_back(std::move(step));
  return kDone;
}

namespace {

// Every statement of the tree gets its scalar plans once, when the tree is
// sealed, and every loop of planned statements its loop plan: a loop then
// runs its arithmetic without the general walk.
void BuildPlans(CalcBlock& block) {
  for (CalcBlockEntry& entry : block.entries) {
    if (entry.statement != nullptr) entry.statement->plans.Build(entry.statement->tokens);
    if (entry.block != nullptr) BuildPlans(*entry.block);
  }
  block.loop_plan.reset();
  try {
    auto loop = std::make_unique<CalcLoopPlan>();
    if (BuildLoopPlan(block, *loop)) block.loop_plan = std::move(loop);
  } catch (const std::bad_alloc&) {
    // without memory the loop just runs the general way
  }
}

}  // namespace

// May throw std::bad_alloc (Record's caller then abandons the tree).
void CalcBlockState::Seal() {
  BuildPlans(recording_->root);
  path_.resize(static_cast<std::size_t>(recording_->depth) + 1);
  tree_ = std::move(recording_);
  open_ = nullptr;
  current_ = nullptr;
}

void CalcBlockState::BeginReplay() {
  mode_ = RecordingMode::kReplaying;
  current_ = tree_ != nullptr ? &tree_->root : nullptr;
  if (current_ != nullptr) path_[0] = CalcBlockRun{};
  left_block_ = false;
}

bool CalcBlockState::FlagPending() const {
  if (!Replaying()) return false;
  const CalcBlockRun& run = path_[static_cast<std::size_t>(current_->depth)];
  return run.break_flag || run.continue_flag;
}

void CalcBlockState::SetBreak() {
  if (!Replaying()) return;
  CalcBlockRun& run = current_run();
  if (!run.continue_flag) run.break_flag = true;
}

void CalcBlockState::SetContinue() {
  if (!Replaying()) return;
  CalcBlockRun& run = current_run();
  if (!run.break_flag) run.continue_flag = true;
}

void CalcBlockState::CloseIteration() {
  if (!Replaying()) return;
  CalcBlockRun& run = current_run();
  run.continue_flag = false;
  if (!run.break_flag || current_->parent == nullptr) return;
  run.break_flag = false;
  current_ = current_->parent;
  ++current_run().cursor;
  left_block_ = true;
}

const CalcLine* CalcBlockState::NextStatement() {
  left_block_ = false;
  if (mode_ != RecordingMode::kReplaying) return nullptr;
  while (current_ != nullptr) {
    const CalcBlock* block = current_;
    const CalcBlockRun& run = current_run();
    if (run.cursor >= block->entries.size()) {
      // Only a function body and the outermost sequence run off their end.
      if (block->parent == nullptr) return nullptr;
      current_ = block->parent;
      ++current_run().cursor;
      continue;
    }
    const CalcBlockEntry& entry = block->entries[run.cursor];
    if (entry.statement != nullptr) return entry.statement.get();
    const CalcBlock* child = entry.block.get();
    const bool pending = run.break_flag || run.continue_flag;
    current_ = child;
    current_run() = CalcBlockRun{0, pending, false};
  }
  return nullptr;
}

void CalcBlockState::Advance() {
  if (left_block_ || !Replaying()) return;
  const CalcBlock& block = *current_;
  CalcBlockRun& run = current_run();
  const std::size_t count = block.entries.size();
  ++run.cursor;
  if (run.cursor < count) return;
  switch (block.type) {
    case kBlockDo:
    case kBlockWhile:
      run.cursor = 0;
      break;
    case kBlockFor:
      run.cursor = count > 1 ? 1 : 0;
      break;
    default:
      break;  // the end ends the block
  }
}

int ReplayBlocks(CalcEngine& engine) {
  CalcBlockState& blocks = engine.control().blocks;
  blocks.BeginReplay();
  int status = kNoValue;
  // The planned run hands a loop back at a statement that it leaves to the
  // general replay; that statement runs before the loop is offered again.
  bool handed_back = false;
  while (const CalcLine* statement = blocks.NextStatement()) {
    const CalcBlock* block = blocks.current();
    CalcBlockRun& run = blocks.current_run();
    if (!handed_back && block->loop_plan != nullptr && run.cursor == block->loop_plan->first) {
      RunPlannedIterations(engine, *block, run);
      handed_back = true;
      continue;
    }
    handed_back = false;
    status = engine.RunStatement(*statement);
    if (engine.run_stopped() || IsError(status)) break;
    blocks.Advance();
  }
  return status;
}

}  // namespace calc
