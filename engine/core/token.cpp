#include "core/token.h"

#include <algorithm>
#include <iterator>
#include <new>
#include <utility>

#include "core/status_codes.h"
#include "core/matrix.h"

namespace calc {

// --- MatrixBox ---------------------------------------------------------------

MatrixBox::MatrixBox(const CalcMatrix& matrix) : matrix_(std::make_unique<CalcMatrix>(matrix)) {}

MatrixBox::MatrixBox(const MatrixBox& other)
    : matrix_(other.matrix_ ? std::make_unique<CalcMatrix>(*other.matrix_) : nullptr) {}

MatrixBox::MatrixBox(MatrixBox&& other) noexcept = default;

MatrixBox& MatrixBox::operator=(const MatrixBox& other) {
  if (this != &other) {
    MatrixBox copy(other);
    matrix_ = std::move(copy.matrix_);
  }
  return *this;
}

MatrixBox& MatrixBox::operator=(MatrixBox&& other) noexcept = default;

MatrixBox::~MatrixBox() = default;

// --- CalcToken ---------------------------------------------------------------

void CalcToken::FitPayload() {
  switch (PayloadShapeOf(kind_)) {
    case PayloadShape::kNone:
      payload_.emplace<std::monostate>();
      return;
    case PayloadShape::kCode:
      payload_.emplace<std::uint8_t>(std::uint8_t{0});
      return;
    case PayloadShape::kText:
      payload_.emplace<std::string>();
      return;
    case PayloadShape::kNumber:
      payload_.emplace<CalcValue>(CalcValue::FromReal(0.0));
      return;
    case PayloadShape::kMatrix:
      // Built aside first: a failed allocation leaves the payload as it was
      // (the exception then ends the token's construction anyway).
      payload_ = MatrixBox(CalcMatrix());
      return;
  }
}

const CalcMatrix* CalcToken::matrix() const {
  const MatrixBox* box = std::get_if<MatrixBox>(&payload_);
  return box ? box->get() : nullptr;
}

CalcMatrix* CalcToken::matrix() {
  MatrixBox* box = std::get_if<MatrixBox>(&payload_);
  return box ? box->get() : nullptr;
}

int CalcToken::Assign(std::uint8_t kind, const TokenPayload& payload) {
  try {
    CalcToken replacement(kind, payload);
    *this = std::move(replacement);
    return kDone;
  } catch (const std::bad_alloc&) {
    return E_MEM;
  }
}

// --- CalcTokenList -----------------------------------------------------------

// A block's header; its nodes follow at kNodesOffset.
struct CalcTokenList::Block {
  Block* next;
};

namespace {

// The first block of a list that grows one token at a time holds this many
// nodes; later ones hold as many as the list has so far (the room doubles),
// up to kLargestGrowth, so that a long line wastes at most one block's
// unused tail.
constexpr std::size_t kFirstGrowth = 8;
constexpr std::size_t kLargestGrowth = 1024;

}  // namespace

template <typename... Args>
CalcTokenList::iterator CalcTokenList::Emplace(const_iterator pos, Args&&... args) {
  void* slot = TakeSlot();
  Node* node;
  try {
    node = new (slot) Node(std::forward<Args>(args)...);
  } catch (...) {
    GiveSlot(slot);
    throw;
  }
  Link* after = pos.link_;
  node->prev = after->prev;
  node->next = after;
  after->prev->next = node;
  after->prev = node;
  ++count_;
  return iterator(node);
}

void* CalcTokenList::TakeSlot() {
  if (free_ != nullptr) {
    FreeSlot* slot = free_;
    free_ = slot->next;
    return slot;
  }
  if (unused_ == unused_end_) AddBlock(std::clamp(capacity_, kFirstGrowth, kLargestGrowth));
  void* slot = unused_;
  unused_ += sizeof(Node);
  return slot;
}

void CalcTokenList::GiveSlot(void* slot) { free_ = new (slot) FreeSlot{free_}; }

void CalcTokenList::AddBlock(std::size_t nodes) {
  constexpr std::size_t kNodesOffset = (sizeof(Block) + alignof(Node) - 1) / alignof(Node) * alignof(Node);
  static_assert(alignof(Node) <= __STDCPP_DEFAULT_NEW_ALIGNMENT__, "operator new aligns the nodes");
  if (nodes > (static_cast<std::size_t>(-1) - kNodesOffset) / sizeof(Node)) throw std::bad_alloc();
  auto* raw = static_cast<std::byte*>(::operator new(kNodesOffset + nodes * sizeof(Node)));
  blocks_ = new (raw) Block{blocks_};
  // What is left of the previous block's unused run is given to the free
  // list, so that nothing is lost when a reservation starts a new block.
  for (; unused_ != unused_end_; unused_ += sizeof(Node)) GiveSlot(unused_);
  unused_ = raw + kNodesOffset;
  unused_end_ = unused_ + nodes * sizeof(Node);
  capacity_ += nodes;
}

int CalcTokenList::Reserve(std::size_t count) {
  const std::size_t room = capacity_ - count_;
  if (room >= count) return kDone;
  try {
    AddBlock(count - room);
    return kDone;
  } catch (const std::bad_alloc&) {
    return E_MEM;
  }
}

void CalcTokenList::DestroyTokens() {
  Link* link = head_.next;
  while (link != &head_) {
    Node* node = static_cast<Node*>(link);
    link = link->next;
    node->~Node();
    GiveSlot(node);
  }
  head_.next = head_.prev = &head_;
  count_ = 0;
  cursor_ = end();
}

void CalcTokenList::ReleaseBlocks() {
  while (blocks_ != nullptr) {
    Block* block = blocks_;
    blocks_ = block->next;
    block->~Block();
    ::operator delete(static_cast<void*>(block));
  }
  free_ = nullptr;
  unused_ = unused_end_ = nullptr;
  capacity_ = 0;
}

void CalcTokenList::TakeFrom(CalcTokenList& other) {
  const bool cursor_at_end = other.cursor_ == other.end();
  if (other.count_ > 0) {
    head_.next = other.head_.next;
    head_.prev = other.head_.prev;
    head_.next->prev = &head_;
    head_.prev->next = &head_;
  }
  cursor_ = cursor_at_end ? end() : other.cursor_;
  count_ = other.count_;
  capacity_ = other.capacity_;
  blocks_ = other.blocks_;
  free_ = other.free_;
  unused_ = other.unused_;
  unused_end_ = other.unused_end_;
  other.head_.next = other.head_.prev = &other.head_;
  other.cursor_ = other.end();
  other.count_ = other.capacity_ = 0;
  other.blocks_ = nullptr;
  other.free_ = nullptr;
  other.unused_ = other.unused_end_ = nullptr;
}

CalcTokenList::CalcTokenList(CalcTokenList&& other) noexcept { TakeFrom(other); }

CalcTokenList& CalcTokenList::operator=(CalcTokenList&& other) noexcept {
  if (this == &other) return *this;
  DestroyTokens();
  ReleaseBlocks();
  TakeFrom(other);
  return *this;
}

CalcTokenList::~CalcTokenList() {
  DestroyTokens();
  ReleaseBlocks();
}

int CalcTokenList::Append(std::uint8_t kind, const TokenPayload& payload) {
  return InsertBefore(end(), kind, payload);
}

int CalcTokenList::Append(std::uint8_t kind) {
  try {
    Emplace(end(), kind, std::monostate{});
    return kDone;
  } catch (const std::bad_alloc&) {
    return E_MEM;
  }
}

int CalcTokenList::Append(std::uint8_t kind, std::uint8_t code) {
  try {
    Emplace(end(), kind, code);
    return kDone;
  } catch (const std::bad_alloc&) {
    return E_MEM;
  }
}

int CalcTokenList::Append(CalcToken token) { return InsertBefore(end(), std::move(token)); }

int CalcTokenList::AppendNumber(const CalcValue& value) {
  try {
    Emplace(end(), value);
    return kDone;
  } catch (const std::bad_alloc&) {
    return E_MEM;
  }
}

int CalcTokenList::AppendMatrix(const CalcMatrix& matrix) {
  try {
    Emplace(end(), kTokMatrix, TokenPayload(std::in_place_type<MatrixBox>, matrix));
    return kDone;
  } catch (const std::bad_alloc&) {
    return E_MEM;
  }
}

int CalcTokenList::InsertBefore(const_iterator pos, std::uint8_t kind, const TokenPayload& payload,
                                iterator* inserted) {
  try {
    const iterator it = Emplace(pos, kind, payload);
    if (inserted) *inserted = it;
    return kDone;
  } catch (const std::bad_alloc&) {
    return E_MEM;
  }
}

int CalcTokenList::InsertBefore(const_iterator pos, CalcToken token, iterator* inserted) {
  try {
    const iterator it = Emplace(pos, std::move(token));
    if (inserted) *inserted = it;
    return kDone;
  } catch (const std::bad_alloc&) {
    return E_MEM;
  }
}

int CalcTokenList::RemoveAt(std::size_t index) {
  if (index >= count_) return E_LIST_INDEX;
  Erase(IteratorAt(index));
  return kDone;
}

CalcTokenList::iterator CalcTokenList::Erase(const_iterator pos) {
  if (pos == end()) return end();
  Node* node = static_cast<Node*>(pos.link_);
  const iterator next(node->next);
  node->prev->next = node->next;
  node->next->prev = node->prev;
  if (cursor_.link_ == node) cursor_ = next;
  node->~Node();
  GiveSlot(node);
  --count_;
  return next;
}

void CalcTokenList::Clear() { DestroyTokens(); }

int CalcTokenList::CopyTo(CalcTokenList& out) const {
  if (&out == this) return kDone;
  try {
    CalcTokenList copy;
    if (count_ > 0) copy.AddBlock(count_);  // exactly the room the copy needs
    for (const CalcToken& token : *this) copy.Emplace(copy.end(), token);
    out = std::move(copy);
    out.Rewind();
    return kDone;
  } catch (const std::bad_alloc&) {
    return E_MEM;
  }
}

CalcTokenList::iterator CalcTokenList::IteratorAt(std::size_t index) {
  if (index >= count_) return end();
  // Walk from the nearer end.
  if (index <= count_ / 2) return std::next(begin(), static_cast<std::ptrdiff_t>(index));
  return std::prev(end(), static_cast<std::ptrdiff_t>(count_ - index));
}

CalcToken* CalcTokenList::At(std::size_t index) {
  const iterator it = IteratorAt(index);
  return it == end() ? nullptr : &*it;
}

const CalcToken* CalcTokenList::At(std::size_t index) const {
  return const_cast<CalcTokenList*>(this)->At(index);
}

std::size_t CalcTokenList::IndexOf(const_iterator pos) const {
  return static_cast<std::size_t>(std::distance(begin(), pos));
}

bool CalcTokenList::Next(std::uint8_t& kind, const TokenPayload*& payload) {
  const CalcToken* token = Next();
  if (!token) return false;
  kind = token->kind();
  payload = &token->payload();
  return true;
}

}  // namespace calc
