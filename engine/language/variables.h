// Variables and arrays: the storage of one context. 256 scalar variables and
// 256 arrays, each addressed by a one-byte code and optionally by a name.
//
// - CalcNameTable: the names and name states shared by both tables.
// - CalcVariableTable: one CalcValue and a constant flag per code.
// - CalcArrayTable: per code a node tree (a value vector plus child nodes)
//   and a CalcMatrix. Array code 0's matrix is the previous answer.
// - CalcStorage: both tables together, with the rule that variable code 0
//   stands for the first element of the previous answer. It also supplies the
//   slot names the token renderer prints.
// - CalcBraceFill: fills an array from a "{ ... }" list as the evaluator walks
//   it.
//
// Like CalcMatrix, every read outside what is stored returns a zero in the
// current kind (the "spare"), so a new array reads as zero everywhere.
//
// Sizes come from user input (32-bit subscripts), so nothing here trusts them:
// a value vector, a child list or a matrix never exceeds
// CalcMatrix::kMaxElements entries, one write never creates more than
// kMaxElements new entries in total, and an allocation the system refuses is
// caught. Such writes fail with E_MEM and change nothing. Node trees are at
// most kMaxArraySubscripts levels deep (the evaluator's subscript limit), which
// bounds every walk over a tree; writes and brace lists that would go deeper
// fail with E_ARRAY.
//
// Array storage is charged to the run budget the storage is given
// (set_budget): every vector, child list and matrix an array holds counts
// against its memory limit, and growing past it fails with E_MEM like a
// refused allocation. Growth and fills count their work on it too.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/context.h"
#include "core/matrix.h"
#include "core/render.h"
#include "core/run_budget.h"
#include "core/token.h"
#include "core/value.h"
#include "language/functions.h"
#include "language/library_interface.h"

namespace calc {

constexpr int kSlotCount = 256;

// Most subscripts one array reference may carry; also the deepest brace list
// and the deepest node tree (top node plus 14 levels of children).
constexpr int kMaxArraySubscripts = 15;

enum NameState : std::uint8_t {
  kSlotFree = 0,  // never used, or its name was freed
  kSlotUsed = 1,  // used through its code, or named by ":label"
  kSlotAuto = 2,  // allocated for a declared name (":var", ":array", ...)
};

// ---------------------------------------------------------------------------
// Names and name states of 256 slots. Names are case-sensitive byte strings;
// an empty name means "no name".
class CalcNameTable {
 public:
  CalcNameTable();
  CalcNameTable(const CalcNameTable&) = delete;
  CalcNameTable& operator=(const CalcNameTable&) = delete;
  virtual ~CalcNameTable() = default;

  // The highest free (state 0) code, given the name and state 2; -1 when every
  // slot is taken, the name is empty or its copy cannot be allocated.
  int Allocate(std::string_view name);
  // The lowest code carrying the name; -1 when none does (always for "").
  int Find(std::string_view name) const;
  // Find, then drop the name and set state 0; -1 when no slot has the name.
  // Only the name goes: the slot's contents are the derived table's business.
  int Free(std::string_view name);
  // The same by code: drops the slot's name and sets state 0.
  void FreeCode(std::uint8_t code);
  // Gives a slot a name (an empty name removes it) and state 1. When `mark` is
  // set and the slot holds an automatically allocated name, the named entry is
  // first relocated (see Claim). 0, or E_MEM with nothing changed.
  int SetName(std::uint8_t code, std::string_view name, bool mark);
  // A code is being used directly (assignment through the code, ":label",
  // the answer store at code 0): an automatically named entry there is moved
  // to a newly allocated slot of the same name, contents and constant flag
  // included, and this slot loses its name (and constant flag); then the state
  // becomes 1. When no slot is free the named entry is lost. Never fails.
  void Claim(std::uint8_t code);

  std::string_view NameOf(std::uint8_t code) const { return names_[code]; }
  std::uint8_t State(std::uint8_t code) const { return states_[code]; }
  // Changes whenever any name of the table changes, and is never the same
  // for two tables: a slot found for a name stays right while it is unchanged.
  std::uint64_t generation() const { return generation_; }

 protected:
  // Relocation of slot `from`: its contents go to the freshly allocated slot
  // `to` (or nowhere when `to` is -1, no slot being free) and `from` loses its
  // constant flag. The contents are copied; when memory is short they may be
  // moved instead, leaving `from` empty. Must not fail.
  virtual void RelocateContents(std::uint8_t from, int to);

 private:
  // Records whether slot `code` has a name now; every change of a name
  // passes here.
  void NoteName(std::uint8_t code) {
    const std::uint64_t bit = std::uint64_t{1} << (code % 64);
    if (names_[code].empty())
      named_[code / 64] &= ~bit;
    else
      named_[code / 64] |= bit;
  }

  std::string names_[kSlotCount];
  std::uint8_t states_[kSlotCount] = {};
  // The slots with a name, a bit each, so that a search skips the empty
  // ones: most tables, a function call's above all, name only a few.
  std::uint64_t named_[kSlotCount / 64] = {};
  std::uint64_t generation_;
};

// ---------------------------------------------------------------------------
// 256 scalar variables, all zero at start, with constant flags. The raw table:
// code 0 is an ordinary slot here; CalcStorage gives it its answer meaning.
class CalcVariableTable : public CalcNameTable {
 public:
  CalcVariableTable() = default;

  // A copy converted to the current kind.
  CalcValue Get(std::uint8_t code) const;
  // The same copy written into `out`, for a reader that has a place for it
  // (a copy fewer on every read of a variable).
  void GetInto(std::uint8_t code, CalcValue& out) const;
  // False, with nothing changed, when the slot is constant. Otherwise, with
  // `mark`, claims the code (relocation, state 1), then stores the value
  // converted to the current kind.
  bool Set(std::uint8_t code, const CalcValue& value, bool mark);
  bool IsConstant(std::uint8_t code) const { return constant_[code]; }
  // The value as stored, in the kind it was stored in.
  const CalcValue& Stored(std::uint8_t code) const { return values_[code]; }
  // Set for a complex value in the complex kind, which needs no conversion.
  bool SetComplex(std::uint8_t code, const CalcComplex& z, bool mark) {
    if (constant_[code]) return false;
    if (mark) Claim(code);
    values_[code].SetComplex(z);
    return true;
  }

  // Allocates a slot for the name; stores the value unless the slot is
  // constant; sets the constant flag when asked. The code, or -1 (nothing
  // created) when no slot could be allocated.
  int Declare(std::string_view name, const CalcValue& value, bool constant);
  // Frees the name, clears the constant flag and resets the value to zero.
  // The code, or -1 when no variable has the name.
  int Undefine(std::string_view name);
  // The same by code.
  void UndefineCode(std::uint8_t code);

 protected:
  void RelocateContents(std::uint8_t from, int to) override;

 private:
  CalcValue values_[kSlotCount];
  bool constant_[kSlotCount] = {};
};

// ---------------------------------------------------------------------------
// One level of an array's tree: a vector of values and a list of child nodes.
// Reads outside either give the spare (zero) or no child; they never grow it.
class CalcArrayNode {
 public:
  CalcArrayNode() = default;
  // Deep copies, like any container's (may throw std::bad_alloc); code that
  // must report E_MEM copies with CopyFrom.
  CalcArrayNode(const CalcArrayNode&) = default;
  CalcArrayNode& operator=(const CalcArrayNode&) = default;
  CalcArrayNode(CalcArrayNode&&) noexcept = default;
  CalcArrayNode& operator=(CalcArrayNode&&) noexcept = default;
  virtual ~CalcArrayNode() = default;

  std::int32_t ValueCount() const { return static_cast<std::int32_t>(values_.size()); }
  std::int32_t ChildCount() const { return static_cast<std::int32_t>(children_.size()); }
  bool Empty() const { return values_.empty() && children_.empty(); }

  // Element i converted to the current kind; the spare outside the vector.
  CalcValue Value(std::int32_t index) const;
  // Stores a copy converted to the current kind inside the vector; false,
  // with nothing stored, outside it. Never grows the vector.
  bool SetValue(std::int32_t index, const CalcValue& value);
  // Cuts or grows the vector to `count` elements; new ones are zero, kept ones
  // keep their values (converted when read, like every element). 0, or E_MEM
  // (nothing changed) when count is negative, above kMaxElements or cannot be
  // allocated or charged to `budget` (null: the one this node is charged to).
  int ResizeValues(std::int32_t count, CalcRunBudget* budget = nullptr);

  // Child i, or null when there is none. Children are only added through
  // CalcArrayTable, which keeps the tree within its depth limit.
  const CalcArrayNode* Child(std::int32_t index) const;

  // Becomes a deep copy of other, every value converted to the current kind
  // and charged to `budget` (null: this node's budget, else other's). 0, or
  // E_MEM with this node unchanged. `other` may be this node or one of its
  // descendants.
  int CopyFrom(const CalcArrayNode& other, CalcRunBudget* budget = nullptr);
  void Clear();

  // The budget this node's own lists are charged to, or null.
  CalcRunBudget* budget() const { return charge_.budget(); }

 private:
  friend class CalcArrayTable;

  // Makes the charge that of lists of these sizes; false when the budget
  // (`budget`, else the node's own) refuses.
  bool ChargeSizes(std::size_t values, std::size_t children, CalcRunBudget* budget);
  // The charge back to the lists' present sizes, after a growth was undone.
  void Recharge();

  // First, so that a copy the budget refuses changes nothing.
  CalcMemoryCharge charge_;  // for values_ and children_ themselves
  std::vector<CalcValue> values_;
  std::vector<CalcArrayNode> children_;
};

// ---------------------------------------------------------------------------
// 256 arrays: per code a node tree and a matrix (a new one is 1 x 1 zero).
// Arrays have no constant flag. Subscripts are the evaluated, non-negative
// subscript list without its end mark:
// - none: the whole matrix;
// - one (i): element i of the top node's vector;
// - two (r, c): element (r, c) of the matrix;
// - three or more: all but the last walk down the child nodes, the last
//   indexes the vector of the node reached.
// More than kMaxArraySubscripts subscripts fail with E_ARRAY.
class CalcArrayTable : public CalcNameTable {
 public:
  CalcArrayTable();

  // The budget that array storage is charged to from now on (null: none).
  void set_budget(std::shared_ptr<CalcRunBudget> budget) { budget_ = std::move(budget); }
  CalcRunBudget* budget() const { return budget_.get(); }

  // The addressed element, or with no subscripts a copy of the whole matrix,
  // into `out` (an element as a 1 x 1 matrix). Nothing is grown: a missing
  // element or child reads as zero, and so does a negative subscript.
  // 0, E_ARRAY (too many subscripts) or E_MEM.
  int Read(std::uint8_t code, std::span<const std::int32_t> subscripts, CalcMatrix& out) const;
  // The addressed element (converted to the current kind); with no
  // subscripts the matrix's first element. Zero where Read would give E_ARRAY.
  CalcValue Element(std::uint8_t code, std::span<const std::int32_t> subscripts) const;

  // Stores the first element of `value` at the subscripts, growing the vector,
  // matrix or child list as needed (existing elements keep their places, new
  // ones are zero); with no subscripts the matrix becomes a copy of `value`.
  // With `mark` the code is first claimed (relocation, state 1): pass it when
  // the array was addressed by its code, not by its name.
  // 0; E_ARRAY for too many or negative subscripts; E_MEM when a size limit or
  // the memory is exceeded. On failure nothing is changed (except the claim).
  int Write(std::uint8_t code, std::span<const std::int32_t> subscripts, const CalcMatrix& value,
            bool mark = false);
  // The same for a single value; with no subscripts the matrix becomes 1 x 1
  // holding it.
  int WriteValue(std::uint8_t code, std::span<const std::int32_t> subscripts, const CalcValue& value,
                 bool mark = false);

  // A slot's matrix and node tree. The writable ones make the slot's contents
  // on first use and throw std::bad_alloc when they cannot (the statement
  // runner reports that as E_MEM).
  CalcMatrix& Matrix(std::uint8_t code) { return MadeSlot(code).matrix; }
  const CalcMatrix& Matrix(std::uint8_t code) const { return SlotAt(code).matrix; }
  CalcArrayNode& Node(std::uint8_t code) { return MadeSlot(code).node; }
  const CalcArrayNode& Node(std::uint8_t code) const { return SlotAt(code).node; }

  // Array code 0's matrix back to a single zero (the node part is kept).
  void ResetAnswer();
  // Empties slot `code`: no values, no children, a 1 x 1 zero matrix. Names
  // are untouched.
  void ClearSlot(std::uint8_t code);
  // Slot `to` becomes a deep copy of `source`'s slot `from` (node tree and
  // matrix, values converted to the current kind); `source` may be this
  // table. 0, or E_MEM with slot `to` unchanged.
  int CopySlot(std::uint8_t to, const CalcArrayTable& source, std::uint8_t from);

  // Allocates a slot for the name and empties it; the code or -1.
  int Declare(std::string_view name);
  // Frees the name and empties the slot; the code or -1 when no array has it.
  int Undefine(std::string_view name);
  void UndefineCode(std::uint8_t code);

  // Replaces `out` with the brace form of array `code`, the token list that
  // echoes a result which is not a single value:
  // 1. unless the matrix holds at most one element and it is zero: "{", per
  //    row "{" the row's numbers "}", then "}";
  // 2. then the top node: with children "{" each child "}"; with values "{"
  //    the values "}"; a node with neither writes "{" "}" when it is a child,
  //    or when it is the top node and step 1 wrote nothing.
  // 0, or E_MEM with `out` left empty.
  int BraceForm(std::uint8_t code, CalcTokenList& out) const;

 protected:
  void RelocateContents(std::uint8_t from, int to) override;

 private:
  // What a slot holds. A slot that was never written holds nothing and reads
  // as `empty_`: most tables, a function call's above all, use the answer
  // and a few arrays, and making and freeing 256 matrices and trees took
  // most of a call's time.
  struct Slot {
    CalcArrayNode node;
    CalcMatrix matrix;
  };
  const Slot& SlotAt(std::uint8_t code) const { return slots_[code] != nullptr ? *slots_[code] : empty_; }
  // The slot's contents, made on first use; null when there is no memory.
  Slot* WritableSlot(std::uint8_t code);
  Slot& MadeSlot(std::uint8_t code);

  std::shared_ptr<CalcRunBudget> budget_;
  const Slot empty_{};  // a new slot: no values, no children, a 1 x 1 zero
  std::unique_ptr<Slot> slots_[kSlotCount];
};

// ---------------------------------------------------------------------------
// The storage a context owns: both tables, the previous answer (array code
// 0's matrix) and variable code 0, which is not a separate variable but the
// first element of the previous answer. Also the slot names the renderer
// prints for "@x" and "@@x", and the context's call state: its user-defined
// functions, reference flags and answer switch (language/functions.h).
class CalcStorage : public SlotNames, public CalcContextStore {
 public:
  CalcStorage() = default;
  CalcStorage(const CalcStorage&) = delete;
  CalcStorage& operator=(const CalcStorage&) = delete;
  ~CalcStorage() override = default;

  CalcVariableTable& variables() { return variables_; }
  const CalcVariableTable& variables() const { return variables_; }
  CalcArrayTable& arrays() { return arrays_; }
  const CalcArrayTable& arrays() const { return arrays_; }

  // Variable `code` converted to the current kind; code 0 reads the first
  // element of the previous answer.
  CalcValue GetVariable(std::uint8_t code) const;
  // GetVariable written into `out`.
  void GetVariableInto(std::uint8_t code, CalcValue& out) const;
  // E_ASS (nothing changed) when the variable is constant. Otherwise, with
  // `mark` (the variable was addressed by its code), the code is claimed
  // first; the value is stored, and for code 0 the previous answer becomes a
  // 1 x 1 matrix holding it. 0, E_ASS or E_MEM.
  int SetVariable(std::uint8_t code, const CalcValue& value, bool mark);

  // The previous answer and its first element.
  const CalcMatrix& Answer() const { return arrays_.Matrix(0); }
  CalcValue AnswerValue() const { return arrays_.Matrix(0).First(); }
  // Makes `result` the previous answer: claims array code 0 (relocating an
  // automatically named array there), then copies it. 0, or E_MEM with the
  // previous answer unchanged.
  int StoreAnswer(const CalcMatrix& result);
  // The previous answer becomes a 1 x 1 zero.
  void ResetAnswer() { arrays_.ResetAnswer(); }

  // True when the name names a variable or an array.
  bool NameExists(std::string_view name) const;

  // The budget values stored here are charged to (see CalcArrayTable).
  void set_budget(std::shared_ptr<CalcRunBudget> budget) { arrays_.set_budget(std::move(budget)); }

  CalcCallState& calls() { return calls_; }
  const CalcCallState& calls() const { return calls_; }

  // What the engine's library keeps for the runs on this storage (null until
  // the library makes it).
  CalcLibraryState* library_state() { return library_state_.get(); }
  void set_library_state(std::unique_ptr<CalcLibraryState> state) { library_state_ = std::move(state); }

  // SlotNames: "" for a slot without a name.
  std::string_view VariableName(std::uint8_t code) const override { return variables_.NameOf(code); }
  std::string_view ArrayName(std::uint8_t code) const override { return arrays_.NameOf(code); }

 private:
  CalcVariableTable variables_;
  CalcArrayTable arrays_;
  CalcCallState calls_;
  std::unique_ptr<CalcLibraryState> library_state_;
};

// The string an array holds (a ":warn" message, a string argument): its
// vector's bytes, each element truncated to its low eight bits, up to the
// first 0.
std::string ArrayString(const CalcArrayTable& arrays, std::uint8_t code);

// The storage of a context, made with its first use. May throw
// std::bad_alloc, like making a context did.
CalcStorage& StorageOf(CalcContext& context);

// ---------------------------------------------------------------------------
// Fills one array from a brace list. The evaluator walks the collected list
// and calls OpenLevel for "{", CloseLevel for "}" and Store with every
// evaluated item, then Finish once the braces balance. Each open level has an
// index that starts at 0; a stored item goes to the current indices (one
// level: the vector, two: the matrix, more: the node tree) and advances the
// innermost index; closing a level advances the enclosing one.
// - A list one level deep replaces the vector exactly: it is cut or grown to
//   end after the last element stored ("{}" empties it).
// - Two levels: before each store the matrix is resized to (largest row index
//   so far + 1) x (largest column index so far + 1), so it ends with exactly
//   the size of the list.
// - Three or more: stores follow CalcArrayTable::Write.
class CalcBraceFill {
 public:
  // With `by_code` (the array was addressed by its code) the code is claimed
  // at once (relocation, state 1).
  CalcBraceFill(CalcArrayTable& table, std::uint8_t code, bool by_code);

  // 0, or E_ARRAY when the list would be deeper than kMaxArraySubscripts.
  int OpenLevel();
  // 0, or E_ARRAY for a "}" without an open level.
  int CloseLevel();
  // 0; E_ARRAY outside every level; E_MEM when the element cannot be stored
  // or the table's budget ends the run (each store counts as work).
  int Store(const CalcValue& value);
  // Applies the one-level rule. 0, or E_ARRAY while levels are still open.
  int Finish();

  int Depth() const { return depth_; }        // levels open now
  int MaxDepth() const { return max_depth_; }  // deepest level seen

 private:
  CalcArrayTable& table_;
  std::uint8_t code_;
  int depth_ = 0;
  int max_depth_ = 0;
  std::int32_t indices_[kMaxArraySubscripts] = {};
  std::int32_t vector_end_ = 0;   // one past the last element stored at level 1
  std::int32_t max_row_ = -1;     // largest indices stored at level 2
  std::int32_t max_column_ = -1;
};

}  // namespace calc
