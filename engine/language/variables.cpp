#include "language/variables.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <memory>
#include <new>
#include <utility>

#include "core/status_codes.h"
#include "core/truncation.h"

namespace calc {

namespace {

constexpr std::int32_t kMaxEntries = CalcMatrix::kMaxElements;

// A copy of `value` in the current kind.
CalcValue Synced(const CalcValue& value) {
  CalcValue copy(value);
  copy.Sync();
  return copy;
}

bool IsZero(const CalcValue& value) {
  const CalcValue v = Synced(value);
  switch (v.kind()) {
    case kKindComplex: {
      const CalcComplex c = v.ComplexView();
      return c.re == 0.0 && c.im == 0.0;
    }
    case kKindFraction: return v.FractionView().num == 0;
    default: return TimeToSeconds(v.TimeView()) == 0.0;
  }
}

// Puts a matrix back to a single zero. Making one element can only fail when
// memory is exhausted; the matrix is then left with no elements, which reads
// as zero all the same.
void ResetMatrix(CalcMatrix& m) {
  if (m.rows() == 1 && m.columns() == 1) {
    m.At(0) = CalcValue();
    return;
  }
  if (auto one = CalcMatrix::Make(1, 1)) {
    m = std::move(*one);
  } else if (auto none = CalcMatrix::Make(0, 0)) {
    m = std::move(*none);
  }
}

// How many entries a vector or child list of `size` must gain so that index
// `index` exists; 0 when it already does.
std::int64_t Growth(std::int32_t index, std::size_t size) {
  const std::int64_t needed = std::int64_t{index} + 1;
  return needed > static_cast<std::int64_t>(size) ? needed - static_cast<std::int64_t>(size) : 0;
}

// Deep copy of a tree. The recursion is as deep as the tree, which
// CalcArrayTable keeps within kMaxArraySubscripts levels. Throws
// std::bad_alloc; `to` is then partly built and is discarded by the caller.
void CopyTree(const CalcArrayNode& from, CalcRunBudget* budget, std::vector<CalcValue>& values,
              std::vector<CalcArrayNode>& children);

// Grows `values` to `size` zeros, in slices with a check of the budget
// between them (a large vector takes a second to fill, and a run that must
// end should not wait for it). False when the budget ends the run; throws
// std::bad_alloc like resize, and leaves the vector as it was either way.
bool GrowValues(std::vector<CalcValue>& values, std::size_t size, CalcRunBudget* budget) {
  constexpr std::size_t kSlice = std::size_t{1} << 16;
  const std::size_t old_size = values.size();
  if (size <= old_size) return true;
  values.reserve(size);
  while (values.size() < size) {
    const std::size_t slice = std::min(kSlice, size - values.size());
    if (budget != nullptr && !budget->ChargeWork(slice)) {
      values.resize(old_size);
      return false;
    }
    values.resize(values.size() + slice);
  }
  return true;
}

// What a node's own lists take.
std::size_t ListBytes(std::size_t values, std::size_t children) {
  return values * sizeof(CalcValue) + children * sizeof(CalcArrayNode);
}

}  // namespace

// --- names ---------------------------------------------------------------------

namespace {

// Each table counts its generations in a range of its own, so that a slot
// remembered for one table is never taken for another's.
std::uint64_t FirstGeneration() {
  static std::atomic<std::uint64_t> tables{0};
  return tables.fetch_add(1, std::memory_order_relaxed) << 32;
}

}  // namespace

CalcNameTable::CalcNameTable() : generation_(FirstGeneration()) {}

int CalcNameTable::Allocate(std::string_view name) {
  if (name.empty()) return -1;
  for (int code = kSlotCount - 1; code >= 0; --code) {
    if (states_[code] != kSlotFree) continue;
    try {
      names_[code].assign(name);
      NoteName(static_cast<std::uint8_t>(code));
    } catch (const std::bad_alloc&) {
      return -1;
    }
    ++generation_;
    states_[code] = kSlotAuto;
    return code;
  }
  return -1;
}

int CalcNameTable::Find(std::string_view name) const {
  if (name.empty()) return -1;
  for (int word = 0; word < kSlotCount / 64; ++word) {
    for (std::uint64_t bits = named_[word]; bits != 0; bits &= bits - 1) {
      const int code = word * 64 + std::countr_zero(bits);
      if (names_[code] == name) return code;
    }
  }
  return -1;
}

int CalcNameTable::Free(std::string_view name) {
  const int code = Find(name);
  if (code >= 0) FreeCode(static_cast<std::uint8_t>(code));
  return code;
}

void CalcNameTable::FreeCode(std::uint8_t code) {
  std::string().swap(names_[code]);
  NoteName(code);
  ++generation_;
  states_[code] = kSlotFree;
}

int CalcNameTable::SetName(std::uint8_t code, std::string_view name, bool mark) {
  std::string copy;
  try {
    copy.assign(name);
  } catch (const std::bad_alloc&) {
    return E_MEM;
  }
  if (mark) Claim(code);
  names_[code].swap(copy);
  NoteName(code);
  ++generation_;
  states_[code] = kSlotUsed;
  return 0;
}

void CalcNameTable::Claim(std::uint8_t code) {
  if (states_[code] == kSlotAuto) {
    // The name moves with the entry; the slot it leaves keeps state 2 until
    // the end, so the search below cannot pick it.
    std::string name;
    name.swap(names_[code]);
    NoteName(code);
    ++generation_;
    int to = -1;
    for (int c = kSlotCount - 1; c >= 0; --c) {
      if (states_[c] == kSlotFree) {
        to = c;
        break;
      }
    }
    if (to >= 0) {
      names_[to].swap(name);
      NoteName(static_cast<std::uint8_t>(to));
      states_[to] = kSlotAuto;
    }
    RelocateContents(code, to);
  }
  states_[code] = kSlotUsed;
}

void CalcNameTable::RelocateContents(std::uint8_t, int) {}

// --- variables -------------------------------------------------------------------

CalcValue CalcVariableTable::Get(std::uint8_t code) const { return Synced(values_[code]); }

void CalcVariableTable::GetInto(std::uint8_t code, CalcValue& out) const {
  out = values_[code];
  out.Sync();
}

bool CalcVariableTable::Set(std::uint8_t code, const CalcValue& value, bool mark) {
  if (constant_[code]) return false;
  if (mark) Claim(code);
  values_[code] = Synced(value);
  return true;
}

int CalcVariableTable::Declare(std::string_view name, const CalcValue& value, bool constant) {
  const int code = Allocate(name);
  if (code < 0) return -1;
  if (!constant_[code]) values_[code] = Synced(value);
  if (constant) constant_[code] = true;
  return code;
}

int CalcVariableTable::Undefine(std::string_view name) {
  const int code = Find(name);
  if (code >= 0) UndefineCode(static_cast<std::uint8_t>(code));
  return code;
}

void CalcVariableTable::UndefineCode(std::uint8_t code) {
  FreeCode(code);
  constant_[code] = false;
  values_[code] = CalcValue();
}

void CalcVariableTable::RelocateContents(std::uint8_t from, int to) {
  if (to >= 0) {
    values_[to] = values_[from];
    constant_[to] = constant_[from];
  }
  constant_[from] = false;
}

// --- array nodes ---------------------------------------------------------------

namespace {

void CopyTree(const CalcArrayNode& from, CalcRunBudget* budget, std::vector<CalcValue>& values,
              std::vector<CalcArrayNode>& children) {
  if (budget != nullptr && !budget->ChargeWork(static_cast<std::uint64_t>(from.ValueCount())))
    throw std::bad_alloc();
  std::vector<CalcValue> copied_values;
  copied_values.reserve(static_cast<std::size_t>(from.ValueCount()));
  for (std::int32_t i = 0; i < from.ValueCount(); ++i) copied_values.push_back(from.Value(i));
  std::vector<CalcArrayNode> copied_children(static_cast<std::size_t>(from.ChildCount()));
  for (std::int32_t i = 0; i < from.ChildCount(); ++i) {
    CalcArrayNode& child = copied_children[static_cast<std::size_t>(i)];
    const int status = child.CopyFrom(*from.Child(i), budget);
    if (status != 0) throw std::bad_alloc();
  }
  values.swap(copied_values);
  children.swap(copied_children);
}

}  // namespace

CalcValue CalcArrayNode::Value(std::int32_t index) const {
  if (index < 0 || index >= ValueCount()) return CalcValue();
  return Synced(values_[static_cast<std::size_t>(index)]);
}

bool CalcArrayNode::SetValue(std::int32_t index, const CalcValue& value) {
  if (index < 0 || index >= ValueCount()) return false;
  values_[static_cast<std::size_t>(index)] = Synced(value);
  return true;
}

bool CalcArrayNode::ChargeSizes(std::size_t values, std::size_t children, CalcRunBudget* budget) {
  return charge_.Set(ListBytes(values, children), budget);
}

void CalcArrayNode::Recharge() { ChargeSizes(values_.size(), children_.size(), nullptr); }

int CalcArrayNode::ResizeValues(std::int32_t count, CalcRunBudget* budget) {
  if (count < 0 || count > kMaxEntries) return E_MEM;
  const auto size = static_cast<std::size_t>(count);
  CalcRunBudget* const on = budget != nullptr ? budget : charge_.budget();
  if (!ChargeSizes(size, children_.size(), on)) return E_MEM;
  bool resized = false;
  try {
    if (size < values_.size()) values_.resize(size);
    resized = GrowValues(values_, size, on);
  } catch (const std::bad_alloc&) {
    resized = false;
  }
  if (resized) return 0;
  Recharge();  // the vector is as it was
  return E_MEM;
}

const CalcArrayNode* CalcArrayNode::Child(std::int32_t index) const {
  if (index < 0 || index >= ChildCount()) return nullptr;
  return &children_[static_cast<std::size_t>(index)];
}

int CalcArrayNode::CopyFrom(const CalcArrayNode& other, CalcRunBudget* budget) {
  CalcRunBudget* on = budget != nullptr ? budget : charge_.budget() != nullptr ? charge_.budget() : other.budget();
  CalcMemoryCharge charge;
  if (on != nullptr &&
      !charge.Set(ListBytes(static_cast<std::size_t>(other.ValueCount()), static_cast<std::size_t>(other.ChildCount())),
                  on))
    return E_MEM;
  std::vector<CalcValue> values;
  std::vector<CalcArrayNode> children;
  try {
    CopyTree(other, on, values, children);
  } catch (const std::bad_alloc&) {
    return E_MEM;
  }
  // Built apart first, so copying from a descendant of this node is safe.
  values_.swap(values);
  children_.swap(children);
  charge_ = std::move(charge);
  return 0;
}

void CalcArrayNode::Clear() {
  std::vector<CalcValue>().swap(values_);
  std::vector<CalcArrayNode>().swap(children_);
  Recharge();
}

// --- arrays ------------------------------------------------------------------------

CalcArrayTable::CalcArrayTable() = default;

CalcArrayTable::Slot* CalcArrayTable::WritableSlot(std::uint8_t code) {
  if (slots_[code] == nullptr) slots_[code].reset(new (std::nothrow) Slot);
  return slots_[code].get();
}

CalcArrayTable::Slot& CalcArrayTable::MadeSlot(std::uint8_t code) {
  Slot* slot = WritableSlot(code);
  if (slot == nullptr) throw std::bad_alloc();
  return *slot;
}

CalcValue CalcArrayTable::Element(std::uint8_t code, std::span<const std::int32_t> subscripts) const {
  const std::size_t n = subscripts.size();
  const Slot& slot = SlotAt(code);
  if (n == 0) return slot.matrix.First();
  if (n == 1) return slot.node.Value(subscripts[0]);
  if (n == 2) return slot.matrix.Element(subscripts[0], subscripts[1]);
  if (n > static_cast<std::size_t>(kMaxArraySubscripts)) return CalcValue();
  const CalcArrayNode* node = &slot.node;
  for (std::size_t k = 0; k + 1 < n; ++k) {
    node = node->Child(subscripts[k]);
    if (node == nullptr) return CalcValue();
  }
  return node->Value(subscripts[n - 1]);
}

int CalcArrayTable::Read(std::uint8_t code, std::span<const std::int32_t> subscripts,
                         CalcMatrix& out) const {
  if (subscripts.size() > static_cast<std::size_t>(kMaxArraySubscripts)) return E_ARRAY;
  if (subscripts.empty()) return out.Assign(SlotAt(code).matrix, budget()) ? 0 : E_MEM;
  std::optional<CalcMatrix> one = CalcMatrix::Make(1, 1);
  if (!one) return E_MEM;
  one->SetElementAt(0, Element(code, subscripts));
  out = std::move(*one);
  return 0;
}

int CalcArrayTable::Write(std::uint8_t code, std::span<const std::int32_t> subscripts,
                          const CalcMatrix& value, bool mark) {
  if (!subscripts.empty()) return WriteValue(code, subscripts, value.First(), mark);
  if (mark) Claim(code);
  Slot* slot = WritableSlot(code);
  return slot != nullptr && slot->matrix.Assign(value, budget()) ? 0 : E_MEM;
}

int CalcArrayTable::WriteValue(std::uint8_t code, std::span<const std::int32_t> subscripts,
                               const CalcValue& value, bool mark) {
  const std::size_t n = subscripts.size();
  if (n > static_cast<std::size_t>(kMaxArraySubscripts)) return E_ARRAY;
  for (std::int32_t s : subscripts) {
    if (s < 0) return E_ARRAY;
  }
  if (mark) Claim(code);
  Slot* slot = WritableSlot(code);
  if (slot == nullptr) return E_MEM;

  if (n == 0) {
    std::optional<CalcMatrix> one = CalcMatrix::Make(1, 1, budget());
    if (!one) return E_MEM;
    one->SetElementAt(0, value);
    slot->matrix = std::move(*one);
    return 0;
  }

  if (n == 2) {
    CalcMatrix& m = slot->matrix;
    const std::int32_t r = subscripts[0];
    const std::int32_t c = subscripts[1];
    if (r >= m.rows() || c >= m.columns()) {
      const std::int64_t rows = std::max<std::int64_t>(m.rows(), std::int64_t{r} + 1);
      const std::int64_t columns = std::max<std::int64_t>(m.columns(), std::int64_t{c} + 1);
      if (rows > kMaxEntries || columns > kMaxEntries) return E_MEM;
      if (!m.Resize(static_cast<std::int32_t>(rows), static_cast<std::int32_t>(columns), budget())) return E_MEM;
    }
    m.SetElement(r, c, value);
    return 0;
  }

  // One subscript, or a walk down the children first. Check the whole write
  // before changing anything: every list stays within kMaxEntries and the
  // write creates at most kMaxEntries entries in all.
  std::int64_t created = 0;
  const CalcArrayNode* existing = &slot->node;  // null once below new nodes
  for (std::size_t k = 0; k < n; ++k) {
    const std::int32_t index = subscripts[k];
    if (index >= kMaxEntries) return E_MEM;
    const bool last = k + 1 == n;
    const std::size_t size =
        existing == nullptr ? 0
        : last              ? existing->values_.size()
                            : existing->children_.size();
    created += Growth(index, size);
    if (!last && existing != nullptr) existing = existing->Child(index);
  }
  if (created > kMaxEntries) return E_MEM;
  CalcRunBudget* const on = budget();

  // The first list that grows is the only one that existed before: shrinking
  // it back undoes everything below it (and gives back what they charged).
  // Every list is charged before it grows, and a refused charge is a failed
  // allocation.
  CalcArrayNode* grown = nullptr;
  std::size_t grown_from = 0;
  CalcArrayNode* node = &slot->node;
  try {
    for (std::size_t k = 0; k + 1 < n; ++k) {
      const auto index = static_cast<std::size_t>(subscripts[k]);
      if (index >= node->children_.size()) {
        if (on != nullptr && !on->ChargeWork(index + 1 - node->children_.size())) throw std::bad_alloc();
        if (!node->ChargeSizes(node->values_.size(), index + 1, on)) throw std::bad_alloc();
        if (grown == nullptr) {
          grown = node;
          grown_from = node->children_.size();
        }
        node->children_.resize(index + 1);
      }
      node = &node->children_[index];
    }
    const std::int32_t index = subscripts[n - 1];
    if (index >= node->ValueCount()) {
      const auto size = static_cast<std::size_t>(index) + 1;
      if (!node->ChargeSizes(size, node->children_.size(), on) || !GrowValues(node->values_, size, on))
        throw std::bad_alloc();
    }
    node->SetValue(index, value);
  } catch (const std::bad_alloc&) {
    if (grown != nullptr) {
      grown->children_.resize(grown_from);
      grown->Recharge();
    } else {
      // Nothing new above it: only the vector of the node reached grew.
      node->Recharge();
    }
    return E_MEM;
  }
  return 0;
}

void CalcArrayTable::ResetAnswer() {
  if (slots_[0] != nullptr) ResetMatrix(slots_[0]->matrix);
}

void CalcArrayTable::ClearSlot(std::uint8_t code) {
  if (slots_[code] == nullptr) return;
  slots_[code]->node.Clear();
  ResetMatrix(slots_[code]->matrix);
}

int CalcArrayTable::CopySlot(std::uint8_t to, const CalcArrayTable& source, std::uint8_t from) {
  const Slot& original = source.SlotAt(from);
  CalcArrayNode node;
  if (node.CopyFrom(original.node, budget()) != 0) return E_MEM;
  std::optional<CalcMatrix> matrix = CalcMatrix::Make(0, 0);
  if (!matrix || !matrix->Assign(original.matrix, budget())) return E_MEM;
  Slot* slot = WritableSlot(to);
  if (slot == nullptr) return E_MEM;
  slot->node = std::move(node);
  slot->matrix = std::move(*matrix);
  return 0;
}

int CalcArrayTable::Declare(std::string_view name) {
  const int code = Allocate(name);
  if (code >= 0) ClearSlot(static_cast<std::uint8_t>(code));
  return code;
}

int CalcArrayTable::Undefine(std::string_view name) {
  const int code = Find(name);
  if (code >= 0) UndefineCode(static_cast<std::uint8_t>(code));
  return code;
}

void CalcArrayTable::UndefineCode(std::uint8_t code) {
  FreeCode(code);
  ClearSlot(code);
}

void CalcArrayTable::RelocateContents(std::uint8_t from, int to) {
  if (to < 0) return;
  const auto target = static_cast<std::uint8_t>(to);
  if (CopySlot(target, *this, from) != 0) {
    // No memory for a copy: the entry moves and its old slot is left empty.
    slots_[target] = std::move(slots_[from]);
  }
}

// --- brace form --------------------------------------------------------------------

namespace {

int AppendBraces(CalcTokenList& out) {
  if (int status = out.Append(kTokOpenBrace); status != 0) return status;
  return out.Append(kTokCloseBrace);
}

// One node by the brace-form rule; as deep as the tree (bounded, see above).
int AppendNode(const CalcArrayNode& node, bool top, bool matrix_written, CalcTokenList& out) {
  int status = 0;
  if (node.ChildCount() > 0) {
    if ((status = out.Append(kTokOpenBrace)) != 0) return status;
    for (std::int32_t i = 0; i < node.ChildCount(); ++i) {
      if ((status = AppendNode(*node.Child(i), false, matrix_written, out)) != 0) return status;
    }
    if ((status = out.Append(kTokCloseBrace)) != 0) return status;
  }
  if (node.ValueCount() > 0) {
    if ((status = out.Append(kTokOpenBrace)) != 0) return status;
    for (std::int32_t i = 0; i < node.ValueCount(); ++i) {
      if ((status = out.AppendNumber(node.Value(i))) != 0) return status;
    }
    if ((status = out.Append(kTokCloseBrace)) != 0) return status;
  }
  if (node.Empty() && (!top || !matrix_written)) return AppendBraces(out);
  return 0;
}

}  // namespace

int CalcArrayTable::BraceForm(std::uint8_t code, CalcTokenList& out) const {
  out.Clear();
  CalcTokenList list;
  const Slot& slot = SlotAt(code);
  const CalcMatrix& m = slot.matrix;
  const bool write_matrix = !(m.count() <= 1 && IsZero(m.First()));
  int status = 0;
  if (write_matrix) {
    if ((status = list.Append(kTokOpenBrace)) != 0) return status;
    for (std::int32_t i = 0; i < m.rows(); ++i) {
      if ((status = list.Append(kTokOpenBrace)) != 0) return status;
      for (std::int32_t j = 0; j < m.columns(); ++j) {
        if ((status = list.AppendNumber(m.Element(i, j))) != 0) return status;
      }
      if ((status = list.Append(kTokCloseBrace)) != 0) return status;
    }
    if ((status = list.Append(kTokCloseBrace)) != 0) return status;
  }
  if ((status = AppendNode(slot.node, true, write_matrix, list)) != 0) return status;
  out = std::move(list);
  return 0;
}

// --- storage -------------------------------------------------------------------------

CalcValue CalcStorage::GetVariable(std::uint8_t code) const {
  return code == 0 ? AnswerValue() : variables_.Get(code);
}

void CalcStorage::GetVariableInto(std::uint8_t code, CalcValue& out) const {
  if (code == 0)
    out = AnswerValue();
  else
    variables_.GetInto(code, out);
}

int CalcStorage::SetVariable(std::uint8_t code, const CalcValue& value, bool mark) {
  if (variables_.IsConstant(code)) return E_ASS;
  if (code != 0) {
    variables_.Set(code, value, mark);
    return 0;
  }
  std::optional<CalcMatrix> one = CalcMatrix::Make(1, 1);
  if (!one) return E_MEM;
  one->SetElementAt(0, value);
  variables_.Set(0, value, mark);
  arrays_.Claim(0);
  arrays_.Matrix(0) = std::move(*one);
  return 0;
}

int CalcStorage::StoreAnswer(const CalcMatrix& result) {
  arrays_.Claim(0);
  return arrays_.Matrix(0).Assign(result, arrays_.budget()) ? 0 : E_MEM;
}

bool CalcStorage::NameExists(std::string_view name) const {
  return variables_.Find(name) >= 0 || arrays_.Find(name) >= 0;
}

// --- brace fill ----------------------------------------------------------------------

CalcBraceFill::CalcBraceFill(CalcArrayTable& table, std::uint8_t code, bool by_code)
    : table_(table), code_(code) {
  if (by_code) table_.Claim(code_);
}

int CalcBraceFill::OpenLevel() {
  if (depth_ >= kMaxArraySubscripts) return E_ARRAY;
  indices_[depth_++] = 0;
  max_depth_ = std::max(max_depth_, depth_);
  return 0;
}

int CalcBraceFill::CloseLevel() {
  if (depth_ == 0) return E_ARRAY;
  --depth_;
  if (depth_ > 0 && indices_[depth_ - 1] < kMaxEntries) ++indices_[depth_ - 1];
  return 0;
}

int CalcBraceFill::Store(const CalcValue& value) {
  if (depth_ == 0) return E_ARRAY;
  CalcRunBudget* const on = table_.budget();
  if (on != nullptr && !on->ChargeWork(1)) return E_MEM;
  if (depth_ == 1) {
    // The vector ends after the element just stored, so the list replaces it.
    const std::int32_t i = indices_[0];
    if (i >= kMaxEntries) return E_MEM;
    CalcArrayNode& node = table_.Node(code_);
    if (int status = node.ResizeValues(i + 1, on); status != 0) return status;
    node.SetValue(i, value);
    vector_end_ = i + 1;
  } else if (depth_ == 2) {
    const std::int32_t r = indices_[0];
    const std::int32_t c = indices_[1];
    const std::int32_t rows = std::max(max_row_, r) + 1;
    const std::int32_t columns = std::max(max_column_, c) + 1;
    CalcMatrix& m = table_.Matrix(code_);
    // The very first store may shrink the matrix; later ones only grow it.
    if ((rows != m.rows() || columns != m.columns()) && !m.Resize(rows, columns, on)) return E_MEM;
    max_row_ = rows - 1;
    max_column_ = columns - 1;
    m.SetElement(r, c, value);
  } else {
    const int status = table_.WriteValue(code_, std::span<const std::int32_t>(indices_, depth_), value);
    if (status != 0) return status;
  }
  if (indices_[depth_ - 1] < kMaxEntries) ++indices_[depth_ - 1];
  return 0;
}

int CalcBraceFill::Finish() {
  if (depth_ != 0) return E_ARRAY;
  if (max_depth_ == 1) return table_.Node(code_).ResizeValues(vector_end_);
  return 0;
}

CalcStorage& StorageOf(CalcContext& context) {
  // Every member of a storage initialises itself, so default-initialisation
  // suffices; value-initialisation (make_unique) would first zero all of its
  // 100 KB, once per function call.
  if (context.store() == nullptr) context.set_store(std::make_unique_for_overwrite<CalcStorage>());
  // Only this function sets a context's store, so it is always a CalcStorage.
  return static_cast<CalcStorage&>(*context.store());
}

std::string ArrayString(const CalcArrayTable& arrays, std::uint8_t code) {
  std::string text;
  const CalcArrayNode& node = arrays.Node(code);
  for (std::int32_t i = 0; i < node.ValueCount(); ++i) {
    const auto byte = static_cast<char>(TruncToInt64(node.Value(i).ToReal()) & 0xff);
    if (byte == 0) break;
    text += byte;
  }
  return text;
}

}  // namespace calc
