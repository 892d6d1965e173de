// CalcToken and CalcTokenList: a line of the language cut into tokens. A token
// is a kind byte and a payload whose shape follows from the kind alone: nothing
// (parentheses, braces, "&", "[]"), a one-byte code (commands, statements,
// operators, built-ins, variables and arrays by code), a text (names, external
// functions, strings, variables and arrays by name), a number or a matrix.
//
// The list owns its tokens; a token owns its payload. Every operation that can
// allocate returns a status (0 or E_MEM) and never throws.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <variant>

#include "core/value.h"

namespace calc {

class CalcMatrix;

enum TokenKind : std::uint8_t {
  kTokOpen = 0,            // "("
  kTokNumber = 5,          // CalcValue
  kTokName = 6,            // text: a variable, array, user function or label name
  kTokCommand = 7,         // code: a ":" command
  kTokStatement = 8,       // code: StatementCode
  kTokOperator = 9,        // code: OperatorCode
  kTokBuiltin = 10,        // code: built-in function
  kTokExternal = 11,       // text: external function name without "!"
  kTokClose = 13,          // ")"
  kTokOpenBrace = 14,      // "{"
  kTokCloseBrace = 15,     // "}"
  kTokMatrix = 16,         // CalcMatrix; made by the engine only
  kTokString = 17,         // text, escapes resolved
  kTokReference = 20,      // "&"
  kTokEmptyBrackets = 21,  // "[]"
  kTokVariable = 33,       // code: variable slot (a character)
  kTokVariableName = 34,   // text; made by the engine only
  kTokArray = 67,          // code: array slot (a character, 0 for a lone "@")
  kTokArrayName = 68,      // text; made by the engine only
};

enum class PayloadShape : std::uint8_t { kNone, kCode, kText, kNumber, kMatrix };

// The payload shape a kind carries. Kinds outside the table carry nothing.
constexpr PayloadShape PayloadShapeOf(std::uint8_t kind) {
  switch (kind) {
    case kTokCommand:
    case kTokStatement:
    case kTokOperator:
    case kTokBuiltin:
    case kTokVariable:
    case kTokArray:
      return PayloadShape::kCode;
    case kTokName:
    case kTokExternal:
    case kTokString:
    case kTokVariableName:
    case kTokArrayName:
      return PayloadShape::kText;
    case kTokNumber:
      return PayloadShape::kNumber;
    case kTokMatrix:
      return PayloadShape::kMatrix;
    default:
      return PayloadShape::kNone;
  }
}

// An owned, deep-copied matrix. Only a moved-from box is empty.
class MatrixBox {
 public:
  explicit MatrixBox(const CalcMatrix& matrix);  // copies; may throw std::bad_alloc
  MatrixBox(const MatrixBox& other);
  MatrixBox(MatrixBox&& other) noexcept;
  MatrixBox& operator=(const MatrixBox& other);
  MatrixBox& operator=(MatrixBox&& other) noexcept;
  ~MatrixBox();

  const CalcMatrix* get() const { return matrix_.get(); }
  CalcMatrix* get() { return matrix_.get(); }

 private:
  std::unique_ptr<CalcMatrix> matrix_;
};

// What a token carries; which alternative is held follows PayloadShapeOf(kind).
using TokenPayload = std::variant<std::monostate, std::uint8_t, std::string, CalcValue, MatrixBox>;

class CalcToken {
 public:
  CalcToken() = default;  // an opening parenthesis
  // A payload that does not fit the kind is replaced by the kind's empty
  // payload (code 0, empty text, zero, a 1 x 1 zero matrix). May throw
  // std::bad_alloc; the list operations below catch it.
  // Every token of a line is built here, so the check that the payload fits
  // inlines; only a misfit goes out of line.
  CalcToken(std::uint8_t kind, const TokenPayload& payload) : kind_(kind), payload_(payload) {
    if (!PayloadFits()) FitPayload();
  }
  CalcToken(std::uint8_t kind, TokenPayload&& payload) : kind_(kind), payload_(std::move(payload)) {
    if (!PayloadFits()) FitPayload();
  }
  // A token of no payload, or of a one-byte code, built in place: the
  // tokenizer makes most tokens of a line this way. A kind of another shape
  // gets its empty payload, as above.
  CalcToken(std::uint8_t kind, std::monostate) : kind_(kind) {
    if (PayloadShapeOf(kind) != PayloadShape::kNone) FitPayload();
  }
  CalcToken(std::uint8_t kind, std::uint8_t code) : kind_(kind), payload_(std::in_place_type<std::uint8_t>, code) {
    if (PayloadShapeOf(kind) != PayloadShape::kCode) FitPayload();
  }
  // A number token.
  explicit CalcToken(const CalcValue& number) : kind_(kTokNumber), payload_(std::in_place_type<CalcValue>, number) {}
  ~CalcToken() = default;
  CalcToken(const CalcToken&) = default;
  CalcToken(CalcToken&&) noexcept = default;
  CalcToken& operator=(const CalcToken&) = default;
  CalcToken& operator=(CalcToken&&) noexcept = default;

  std::uint8_t kind() const { return kind_; }
  const TokenPayload& payload() const { return payload_; }

  // Typed views of the payload; neutral values when the kind has another shape.
  // The evaluator asks for them on every token, so they inline.
  std::uint8_t code() const {  // 0 without a code
    const std::uint8_t* code = std::get_if<std::uint8_t>(&payload_);
    return code != nullptr ? *code : 0;
  }
  std::string_view text() const {  // "" without a text
    const std::string* text = std::get_if<std::string>(&payload_);
    return text != nullptr ? std::string_view(*text) : std::string_view();
  }
  const CalcValue* number() const { return std::get_if<CalcValue>(&payload_); }  // null unless a number token
  CalcValue* number() { return std::get_if<CalcValue>(&payload_); }
  const CalcMatrix* matrix() const;  // null unless a matrix token
  CalcMatrix* matrix();

  // True for an operator token with that code, and so on.
  bool Is(std::uint8_t kind) const { return kind_ == kind; }
  bool Is(std::uint8_t kind, std::uint8_t code_value) const { return kind_ == kind && code() == code_value; }

  // Rewrites the token in place, as a pass that builds a list may (running a
  // list never does). 0, or E_MEM with the token unchanged.
  int Assign(std::uint8_t kind, const TokenPayload& payload);

  // The variable or array slot a name token was last found in. Only a hint:
  // its user checks that the slot still carries the name before trusting it,
  // so a stale or copied hint costs a search, never a wrong answer.
  struct NameHint {
    bool valid = false;
    bool is_array = false;
    std::uint8_t code = 0;
  };
  NameHint name_hint() const { return name_hint_; }
  void set_name_hint(NameHint hint) const { name_hint_ = hint; }

 private:
  // True when the payload has the kind's shape (a matrix one also holds a
  // matrix).
  bool PayloadFits() const {
    switch (PayloadShapeOf(kind_)) {
      case PayloadShape::kNone: return std::holds_alternative<std::monostate>(payload_);
      case PayloadShape::kCode: return std::holds_alternative<std::uint8_t>(payload_);
      case PayloadShape::kText: return std::holds_alternative<std::string>(payload_);
      case PayloadShape::kNumber: return std::holds_alternative<CalcValue>(payload_);
      case PayloadShape::kMatrix: return matrix() != nullptr;
    }
    return false;
  }
  // Replaces a payload that does not have the kind's shape by the kind's
  // empty one.
  void FitPayload();

  std::uint8_t kind_ = kTokOpen;
  mutable NameHint name_hint_;
  TokenPayload payload_;
};

// A doubly linked list of tokens with a cursor for forward walks. Iterators
// stay valid across insertions and across removals of other tokens, so a pass
// may hold a position while it inserts parentheses elsewhere; moving a list
// keeps its tokens where they are (only end() belongs to the list object).
//
// The nodes come from blocks the list owns. A removed token's node is kept for
// the next insertion, and Clear keeps every block, so a list that is refilled
// (a line tokenised again, a replayed statement) allocates nothing once it has
// held its largest line; a new list allocates a block per several tokens
// instead of one node per token. The blocks go with the list.
class CalcTokenList {
  struct Link {
    Link* prev;
    Link* next;
  };
  struct Node : Link {
    template <typename... Args>
    explicit Node(Args&&... args) : Link{nullptr, nullptr}, token(std::forward<Args>(args)...) {}
    CalcToken token;
  };

  template <bool kConst>
  class BasicIterator {
   public:
    using iterator_category = std::bidirectional_iterator_tag;
    using value_type = CalcToken;
    using difference_type = std::ptrdiff_t;
    using pointer = std::conditional_t<kConst, const CalcToken*, CalcToken*>;
    using reference = std::conditional_t<kConst, const CalcToken&, CalcToken&>;

    BasicIterator() = default;
    // A position may always be read through a const_iterator.
    template <bool kOther>
      requires(kConst && !kOther)
    BasicIterator(const BasicIterator<kOther>& other) : link_(other.link_) {}  // NOLINT: implicit by design

    reference operator*() const { return static_cast<Node*>(link_)->token; }
    pointer operator->() const { return &static_cast<Node*>(link_)->token; }
    BasicIterator& operator++() {
      link_ = link_->next;
      return *this;
    }
    BasicIterator operator++(int) {
      BasicIterator before = *this;
      link_ = link_->next;
      return before;
    }
    BasicIterator& operator--() {
      link_ = link_->prev;
      return *this;
    }
    BasicIterator operator--(int) {
      BasicIterator before = *this;
      link_ = link_->prev;
      return before;
    }
    friend bool operator==(const BasicIterator& a, const BasicIterator& b) { return a.link_ == b.link_; }

   private:
    friend class CalcTokenList;
    friend class BasicIterator<!kConst>;
    explicit BasicIterator(Link* link) : link_(link) {}
    Link* link_ = nullptr;
  };

 public:
  using iterator = BasicIterator<false>;
  using const_iterator = BasicIterator<true>;

  CalcTokenList() = default;
  CalcTokenList(const CalcTokenList&) = delete;  // copies go through CopyTo
  CalcTokenList& operator=(const CalcTokenList&) = delete;
  CalcTokenList(CalcTokenList&& other) noexcept;
  CalcTokenList& operator=(CalcTokenList&& other) noexcept;
  ~CalcTokenList();

  // --- building: 0 or E_MEM (the list is unchanged on failure) ---

  // The payload is copied (text duplicated, number and matrix deep-copied).
  int Append(std::uint8_t kind, const TokenPayload& payload);
  // A token with the kind's empty payload, and one with a code, built in place.
  int Append(std::uint8_t kind);
  int Append(std::uint8_t kind, std::uint8_t code);
  int Append(CalcToken token);
  int AppendNumber(const CalcValue& value);
  int AppendMatrix(const CalcMatrix& matrix);
  // Inserts before `pos` (at the front when pos is begin(), at the end when it
  // is end()). On success `*inserted`, when given, is the new token.
  int InsertBefore(const_iterator pos, std::uint8_t kind, const TokenPayload& payload = {},
                   iterator* inserted = nullptr);
  int InsertBefore(const_iterator pos, CalcToken token, iterator* inserted = nullptr);
  // Makes room for `count` more tokens in one block, so that a list about to
  // be filled allocates once. Only a hint: E_MEM leaves the list as it was,
  // and more tokens than reserved still fit.
  int Reserve(std::size_t count);

  // 0-based; E_LIST_INDEX when there is no such token.
  int RemoveAt(std::size_t index);
  // Removes one token and returns the one after it (nothing at end()).
  iterator Erase(const_iterator pos);
  // Removes every token; the list keeps its room for as many.
  void Clear();

  // Replaces `out` with a deep copy of this list (cursor rewound). On E_MEM
  // `out` is left as it was.
  int CopyTo(CalcTokenList& out) const;

  // --- access ---

  std::size_t Count() const { return count_; }
  bool Empty() const { return count_ == 0; }
  // Null when index >= Count(). Linear in the index.
  CalcToken* At(std::size_t index);
  const CalcToken* At(std::size_t index) const;
  iterator IteratorAt(std::size_t index);  // end() when beyond
  std::size_t IndexOf(const_iterator pos) const;

  iterator begin() { return iterator(head_.next); }
  iterator end() { return iterator(&head_); }
  const_iterator begin() const { return const_iterator(head_.next); }
  const_iterator end() const { return const_iterator(const_cast<Link*>(&head_)); }

  // --- cursor walk ---

  // Puts the cursor on the first token.
  void Rewind() { cursor_ = begin(); }
  // The cursor's token, then advances; false (outputs untouched) at the end.
  bool Next(std::uint8_t& kind, const TokenPayload*& payload);
  const CalcToken* Next() {
    if (cursor_.link_ == &head_) return nullptr;
    const CalcToken* token = &*cursor_;
    ++cursor_;
    return token;
  }
  // The token the next call of Next returns (end() when done). Removing that
  // token moves the cursor to its successor.
  iterator Cursor() const { return cursor_; }
  // Puts the cursor on any token of this list (end() finishes the walk).
  void SetCursor(const_iterator pos) { cursor_ = iterator(pos.link_); }

 private:
  struct Block;
  // Where a free node's storage links to the next free one.
  struct FreeSlot {
    FreeSlot* next;
  };

  // A node built from `args` and linked in before `pos`. May throw
  // std::bad_alloc (the list is then unchanged).
  template <typename... Args>
  iterator Emplace(const_iterator pos, Args&&... args);
  // Storage for one node: a removed node's, else the next unused one of the
  // newest block, else a new block's. May throw std::bad_alloc.
  void* TakeSlot();
  void GiveSlot(void* slot);
  void AddBlock(std::size_t nodes);  // may throw std::bad_alloc
  void DestroyTokens();              // the tokens only; the blocks stay
  void ReleaseBlocks();
  void TakeFrom(CalcTokenList& other);  // this list must hold no tokens and no blocks

  Link head_{&head_, &head_};  // the sentinel: head_.next is the first token, head_.prev the last
  std::size_t count_ = 0;
  std::size_t capacity_ = 0;       // nodes in all blocks
  Block* blocks_ = nullptr;        // newest first
  FreeSlot* free_ = nullptr;       // nodes of removed tokens
  std::byte* unused_ = nullptr;    // the newest block's never-used nodes run from here...
  std::byte* unused_end_ = nullptr;  // ...to here
  iterator cursor_{&head_};
};

}  // namespace calc
