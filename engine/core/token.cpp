#include "core/token.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <iterator>
#include <new>
#include <utility>

#include "core/status_codes.h"
#include "core/matrix.h"

namespace calc {

// --- CalcToken ---------------------------------------------------------------

static_assert(sizeof(CalcToken) == 16, "a line holds a token per word or sign");

CalcToken::CalcToken(std::uint8_t kind, const TokenPayload& payload) : kind_(kind) {
  switch (PayloadShapeOf(kind)) {
    case PayloadShape::kNone: return;
    case PayloadShape::kCode:
      if (const auto* code = std::get_if<std::uint8_t>(&payload)) code_ = *code;
      return;
    case PayloadShape::kText:
      if (const auto* text = std::get_if<std::string>(&payload)) SetText(*text);
      return;
    case PayloadShape::kNumber:
      if (const auto* number = std::get_if<CalcValue>(&payload))
        SetNumber(*number);
      else
        SetEmptyPayload();
      return;
    case PayloadShape::kMatrix:
      if (const auto* matrix = std::get_if<CalcMatrix>(&payload))
        SetMatrix(*matrix);
      else
        SetEmptyPayload();
      return;
  }
}

CalcToken CalcToken::Text(std::uint8_t kind, std::string_view text) {
  CalcToken token(kind, std::monostate{});
  if (PayloadShapeOf(kind) == PayloadShape::kText) token.SetText(text);
  return token;
}

CalcToken::CalcToken(const CalcToken& other)
    : kind_(other.kind_), code_(other.code_), name_hint_(other.name_hint_) {
  CopyPayloadFrom(other);
}

CalcToken::CalcToken(CalcToken&& other) noexcept
    : kind_(other.kind_),
      code_(other.code_),
      holder_(other.holder_),
      inline_length_(other.inline_length_),
      name_hint_(other.name_hint_),
      word_(other.word_) {
  other.holder_ = kNothing;
}

CalcToken& CalcToken::operator=(const CalcToken& other) {
  if (this != &other) *this = CalcToken(other);
  return *this;
}

CalcToken& CalcToken::operator=(CalcToken&& other) noexcept {
  if (this == &other) return *this;
  if (holder_ >= kOwnsText) Release();
  kind_ = other.kind_;
  code_ = other.code_;
  holder_ = other.holder_;
  inline_length_ = other.inline_length_;
  name_hint_ = other.name_hint_;
  word_ = other.word_;
  other.holder_ = kNothing;
  return *this;
}

void CalcToken::SetEmptyPayload() {
  switch (PayloadShapeOf(kind_)) {
    case PayloadShape::kNone:
    case PayloadShape::kCode:
    case PayloadShape::kText: return;
    case PayloadShape::kNumber: SetNumber(CalcValue::FromReal(0.0)); return;
    case PayloadShape::kMatrix: SetMatrix(CalcMatrix()); return;
  }
}

void CalcToken::SetNumber(const CalcValue& number) {
  // Only +0.0 as the imaginary part may be dropped: -0.0 prints differently.
  const CalcComplex* z = number.ComplexIfActive();
  if (z != nullptr && z->im == 0.0 && !std::signbit(z->im)) {
    word_.real = z->re;
    holder_ = kInlineReal;
    return;
  }
  word_.number = new CalcValue(number);
  holder_ = kOwnsNumber;
}

void CalcToken::SetText(std::string_view text) {
  if (text.size() <= kInlineTextBytes) {
    std::memcpy(word_.chars, text.data(), text.size());
    inline_length_ = static_cast<std::uint8_t>(text.size());
    holder_ = kInlineText;
    return;
  }
  if (text.size() > static_cast<std::size_t>(-1) - sizeof(std::size_t)) throw std::bad_alloc();
  char* block = new char[sizeof(std::size_t) + text.size()];
  const std::size_t length = text.size();
  std::memcpy(block, &length, sizeof length);
  std::memcpy(block + sizeof length, text.data(), length);
  word_.text = block;
  holder_ = kOwnsText;
}

void CalcToken::SetMatrix(const CalcMatrix& matrix) {
  word_.matrix = new CalcMatrix(matrix);
  holder_ = kOwnsMatrix;
}

std::size_t CalcToken::TextLength() const {
  std::size_t length;
  std::memcpy(&length, word_.text, sizeof length);
  return length;
}

void CalcToken::CopyPayloadFrom(const CalcToken& other) {
  switch (other.holder_) {
    case kNothing:
    case kInlineReal:
    case kInlineText:
      holder_ = other.holder_;
      inline_length_ = other.inline_length_;
      word_ = other.word_;
      return;
    case kOwnsText: SetText(other.text()); return;
    case kOwnsNumber: SetNumber(*other.word_.number); return;
    case kOwnsMatrix: SetMatrix(*other.word_.matrix); return;
  }
}

void CalcToken::Release() {
  switch (holder_) {
    case kOwnsText: delete[] word_.text; break;
    case kOwnsNumber: delete word_.number; break;
    case kOwnsMatrix: delete word_.matrix; break;
    default: break;
  }
  holder_ = kNothing;
}

std::size_t CalcToken::OwnedBytes() const {
  switch (holder_) {
    case kOwnsText: return sizeof(std::size_t) + TextLength();
    case kOwnsNumber: return sizeof(CalcValue);
    case kOwnsMatrix: return sizeof(CalcMatrix) + static_cast<std::size_t>(word_.matrix->count()) * sizeof(CalcValue);
    default: return 0;
  }
}

CalcValue CalcToken::NumberValue() const {
  CalcValue value = CalcValue::FromReal(0.0);
  CopyNumberTo(value);
  return value;
}

int CalcToken::Assign(std::uint8_t kind, const TokenPayload& payload) {
  try {
    *this = CalcToken(kind, payload);
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
  // A list's first slot makes its room, and with it the ends that `pos`
  // stands for until then.
  Link* after = pos.link_ == &no_tokens_ ? &room_->head : pos.link_;
  Node* node;
  try {
    node = new (slot) Node(std::forward<Args>(args)...);
  } catch (...) {
    GiveSlot(slot);
    throw;
  }
  node->prev = after->prev;
  node->next = after;
  after->prev->next = node;
  after->prev = node;
  ++room_->count;
  return iterator(node);
}

void* CalcTokenList::TakeSlot() {
  if (room_ == nullptr || (room_->free == nullptr && room_->unused == room_->unused_end))
    AddBlock(std::clamp(room_ != nullptr ? room_->capacity : 0, kFirstGrowth, kLargestGrowth));
  if (room_->free != nullptr) {
    FreeSlot* slot = room_->free;
    room_->free = slot->next;
    return slot;
  }
  void* slot = room_->unused;
  room_->unused += sizeof(Node);
  return slot;
}

void CalcTokenList::GiveSlot(void* slot) { room_->free = new (slot) FreeSlot{room_->free}; }

namespace {

template <typename T, typename Node>
constexpr std::size_t RoundedToNodes() {
  return (sizeof(T) + alignof(Node) - 1) / alignof(Node) * alignof(Node);
}

}  // namespace

// The storage of a block: its header, then its nodes; the first block has the
// room before its header.
const std::size_t CalcTokenList::kNodesOffset = RoundedToNodes<CalcTokenList::Block, CalcTokenList::Node>();
const std::size_t CalcTokenList::kRoomBytes = RoundedToNodes<CalcTokenList::Room, CalcTokenList::Node>();

std::size_t CalcTokenList::AllocatedBytes() const {
  if (room_ == nullptr) return 0;
  std::size_t blocks = 0;
  for (const Block* block = room_->blocks; block != nullptr; block = block->next) ++blocks;
  return kRoomBytes + blocks * kNodesOffset + room_->capacity * sizeof(Node);
}

std::size_t CalcTokenList::AllocatedBytesFor(std::size_t tokens) {
  return tokens == 0 ? 0 : kRoomBytes + kNodesOffset + tokens * sizeof(Node);
}

void CalcTokenList::AddBlock(std::size_t nodes) {
  static_assert(alignof(Node) <= __STDCPP_DEFAULT_NEW_ALIGNMENT__, "operator new aligns the nodes");
  const std::size_t header = (room_ == nullptr ? kRoomBytes : 0) + kNodesOffset;
  if (nodes > (static_cast<std::size_t>(-1) - header) / sizeof(Node)) throw std::bad_alloc();
  auto* raw = static_cast<std::byte*>(::operator new(header + nodes * sizeof(Node)));
  if (room_ == nullptr) {
    room_ = new (raw) Room{};
    room_->head = {&room_->head, &room_->head};
    raw += kRoomBytes;
  }
  room_->blocks = new (raw) Block{room_->blocks};
  // What is left of the previous block's unused run is given to the free
  // list, so that nothing is lost when a reservation starts a new block.
  for (; room_->unused != room_->unused_end; room_->unused += sizeof(Node)) GiveSlot(room_->unused);
  room_->unused = raw + kNodesOffset;
  room_->unused_end = room_->unused + nodes * sizeof(Node);
  room_->capacity += nodes;
}

int CalcTokenList::Reserve(std::size_t count) {
  const std::size_t room = room_ != nullptr ? room_->capacity - room_->count : 0;
  if (room >= count) return kDone;
  try {
    AddBlock(count - room);
    return kDone;
  } catch (const std::bad_alloc&) {
    return E_MEM;
  }
}

void CalcTokenList::DestroyTokens() {
  if (room_ == nullptr) return;
  Link* head = &room_->head;
  Link* link = head->next;
  while (link != head) {
    Node* node = static_cast<Node*>(link);
    link = link->next;
    node->~Node();
    GiveSlot(node);
  }
  head->next = head->prev = head;
  room_->count = 0;
}

void CalcTokenList::ReleaseBlocks() {
  if (room_ == nullptr) return;
  // The oldest block shares its storage with the room, which goes last.
  for (Block* block = room_->blocks; block->next != nullptr;) {
    Block* next = block->next;
    ::operator delete(static_cast<void*>(block));
    block = next;
  }
  room_->~Room();
  ::operator delete(static_cast<void*>(room_));
  room_ = nullptr;
}

void CalcTokenList::TakeFrom(CalcTokenList& other) {
  room_ = other.room_;
  other.room_ = nullptr;
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
    Emplace(end(), matrix);
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
  if (index >= Count()) return E_LIST_INDEX;
  Erase(IteratorAt(index));
  return kDone;
}

CalcTokenList::iterator CalcTokenList::Erase(const_iterator pos) {
  if (pos == end()) return end();
  Node* node = static_cast<Node*>(pos.link_);
  const iterator next(node->next);
  node->prev->next = node->next;
  node->next->prev = node->prev;
  node->~Node();
  GiveSlot(node);
  --room_->count;
  return next;
}

void CalcTokenList::Clear() { DestroyTokens(); }

int CalcTokenList::CopyTo(CalcTokenList& out) const {
  if (&out == this) return kDone;
  try {
    CalcTokenList copy;
    if (Count() > 0) copy.AddBlock(Count());  // exactly the room the copy needs
    for (const CalcToken& token : *this) copy.Emplace(copy.end(), token);
    out = std::move(copy);
    return kDone;
  } catch (const std::bad_alloc&) {
    return E_MEM;
  }
}

CalcTokenList::iterator CalcTokenList::IteratorAt(std::size_t index) {
  const std::size_t count = Count();
  if (index >= count) return end();
  // Walk from the nearer end.
  if (index <= count / 2) return std::next(begin(), static_cast<std::ptrdiff_t>(index));
  return std::prev(end(), static_cast<std::ptrdiff_t>(count - index));
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

}  // namespace calc
