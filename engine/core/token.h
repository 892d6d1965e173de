// CalcToken and CalcTokenList: a line of the language cut into tokens. A token
// is a kind byte and a payload whose shape follows from the kind alone: nothing
// (parentheses, braces, "&", "[]"), a one-byte code (commands, statements,
// operators, built-ins, variables and arrays by code), a text (names, external
// functions, strings, variables and arrays by name), a number or a matrix.
//
// The list owns its tokens; a token owns its payload. Every operation that can
// allocate returns a status (0 or E_MEM) and never throws. A line compiles to a
// token per word or sign, so a token is kept small (see CalcToken).
#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <variant>

#include "core/matrix.h"
#include "core/value.h"

namespace calc {

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

// What a token is built from; which alternative fits follows PayloadShapeOf(kind).
using TokenPayload = std::variant<std::monostate, std::uint8_t, std::string, CalcValue, CalcMatrix>;

// A token is 16 bytes: the kind, a code, the name-slot hint and one word that
// holds the rest. A number that is a real in the complex kind (nearly every
// literal) and a text of up to 8 bytes (nearly every name) are held in that
// word; other numbers, longer texts and matrices are owned through it.
class CalcToken {
 public:
  CalcToken() = default;  // an opening parenthesis
  // A payload that does not fit the kind is replaced by the kind's empty
  // payload (code 0, empty text, zero, a 1 x 1 zero matrix). May throw
  // std::bad_alloc; the list operations below catch it.
  CalcToken(std::uint8_t kind, const TokenPayload& payload);
  // A token of no payload, or of a one-byte code, built in place: the
  // tokenizer makes most tokens of a line this way. A kind of another shape
  // gets its empty payload, as above.
  CalcToken(std::uint8_t kind, std::monostate) : kind_(kind) {
    if (PayloadShapeOf(kind) != PayloadShape::kNone) SetEmptyPayload();
  }
  CalcToken(std::uint8_t kind, std::uint8_t code) : kind_(kind), code_(code) {
    if (PayloadShapeOf(kind) != PayloadShape::kCode) {
      code_ = 0;
      SetEmptyPayload();
    }
  }
  // A number token and a matrix token; std::bad_alloc as above.
  explicit CalcToken(const CalcValue& number) : kind_(kTokNumber) { SetNumber(number); }
  explicit CalcToken(const CalcMatrix& matrix) : kind_(kTokMatrix) { SetMatrix(matrix); }
  // A token of a text kind (another kind gets its empty payload);
  // std::bad_alloc as above.
  static CalcToken Text(std::uint8_t kind, std::string_view text);
  ~CalcToken() {
    if (holder_ >= kOwnsText) Release();
  }
  CalcToken(const CalcToken& other);
  CalcToken(CalcToken&& other) noexcept;
  CalcToken& operator=(const CalcToken& other);
  CalcToken& operator=(CalcToken&& other) noexcept;

  std::uint8_t kind() const { return kind_; }

  // Typed views of the payload; neutral values when the kind has another shape.
  // The evaluator asks for them on every token, so they inline.
  std::uint8_t code() const { return code_; }  // 0 without a code
  std::string_view text() const {               // "" without a text
    if (holder_ == kInlineText) return {word_.chars, inline_length_};
    if (holder_ == kOwnsText) return {word_.text + sizeof(std::size_t), TextLength()};
    return {};
  }
  bool is_number() const { return kind_ == kTokNumber; }
  // A number token's value, copied into `out` (nothing for another kind).
  void CopyNumberTo(CalcValue& out) const {
    if (holder_ == kInlineReal)
      out.SetComplex({word_.real, 0.0});
    else if (holder_ == kOwnsNumber)
      out = *word_.number;
  }
  CalcValue NumberValue() const;  // zero in the current kind for another kind
  // True, with the number, for a number token whose value is in the complex
  // kind.
  bool ComplexNumber(CalcComplex& z) const {
    if (holder_ == kInlineReal) {
      z = {word_.real, 0.0};
      return true;
    }
    const CalcComplex* active = holder_ == kOwnsNumber ? word_.number->ComplexIfActive() : nullptr;
    if (active != nullptr) z = *active;
    return active != nullptr;
  }
  const CalcMatrix* matrix() const { return holder_ == kOwnsMatrix ? word_.matrix : nullptr; }  // null unless a matrix token
  CalcMatrix* matrix() { return holder_ == kOwnsMatrix ? word_.matrix : nullptr; }
  // What the token owns outside itself, in bytes (0 for the forms it keeps
  // in itself).
  std::size_t OwnedBytes() const;

  // True for an operator token with that code, and so on.
  bool Is(std::uint8_t kind) const { return kind_ == kind; }
  bool Is(std::uint8_t kind, std::uint8_t code_value) const { return kind_ == kind && code_ == code_value; }

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
  // What the word holds. The owning forms come last, so that one comparison
  // tells whether there is anything to free.
  enum Holder : std::uint8_t { kNothing, kInlineReal, kInlineText, kOwnsText, kOwnsNumber, kOwnsMatrix };
  static constexpr std::size_t kInlineTextBytes = 8;

  // The kind's empty payload (code 0 needs nothing).
  void SetEmptyPayload();
  void SetNumber(const CalcValue& number);
  void SetText(std::string_view text);
  void SetMatrix(const CalcMatrix& matrix);
  void CopyPayloadFrom(const CalcToken& other);
  void Release();
  std::size_t TextLength() const;

  std::uint8_t kind_ = kTokOpen;
  std::uint8_t code_ = 0;
  Holder holder_ = kNothing;
  std::uint8_t inline_length_ = 0;  // an inline text's length
  mutable NameHint name_hint_;
  union Word {
    double real;
    char chars[kInlineTextBytes];
    char* text;  // the length (a std::size_t), then the bytes
    CalcValue* number;
    CalcMatrix* matrix;
  } word_{};
};

// A doubly linked list of tokens. Iterators stay valid across insertions and
// across removals of other tokens, so a pass may hold a position while it
// inserts parentheses elsewhere; moving a list keeps its tokens, and its
// end(), where they are. (The end() of a list that has no room yet stands for
// its end only until its first token.)
//
// The nodes come from blocks the list owns. A removed token's node is kept for
// the next insertion, and Clear keeps every block, so a list that is refilled
// (a line tokenised again, a replayed statement) allocates nothing once it has
// held its largest line; a new list allocates a block per several tokens
// instead of one node per token. The blocks go with the list, and all that
// keeps track of them and of the tokens lives in the first block: a list that
// never held a token (an empty statement) is one null pointer.
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

  // Replaces `out` with a deep copy of this list. On E_MEM `out` is left as
  // it was.
  int CopyTo(CalcTokenList& out) const;

  // --- access ---

  std::size_t Count() const { return room_ != nullptr ? room_->count : 0; }
  // What the list has allocated for its tokens, used or not, and what a list
  // that reserved exactly `tokens` has (tokens' own payloads aside).
  std::size_t AllocatedBytes() const;
  static std::size_t AllocatedBytesFor(std::size_t tokens);
  bool Empty() const { return Count() == 0; }
  // Null when index >= Count(). Linear in the index.
  CalcToken* At(std::size_t index);
  const CalcToken* At(std::size_t index) const;
  iterator IteratorAt(std::size_t index);  // end() when beyond
  std::size_t IndexOf(const_iterator pos) const;

  iterator begin() { return iterator(Head()->next); }
  iterator end() { return iterator(Head()); }
  const_iterator begin() const { return const_iterator(Head()->next); }
  const_iterator end() const { return const_iterator(Head()); }

 private:
  struct Block;
  // Where a free node's storage links to the next free one.
  struct FreeSlot {
    FreeSlot* next;
  };
  // The list's ends, its count, its blocks and what is free in them. It lies
  // at the start of the first block's storage, before that block's header.
  struct Room {
    Link head;  // the sentinel: head.next is the first token, head.prev the last
    std::size_t count = 0;
    Block* blocks = nullptr;          // newest first
    FreeSlot* free = nullptr;         // nodes of removed tokens
    std::byte* unused = nullptr;      // the newest block's never-used nodes run from here...
    std::byte* unused_end = nullptr;  // ...to here
    std::size_t capacity = 0;         // nodes in all blocks
  };
  // The ends of every list that has no room yet; nothing is ever linked to it.
  static Link no_tokens_;
  static const std::size_t kNodesOffset;
  static const std::size_t kRoomBytes;

  Link* Head() const { return room_ != nullptr ? &room_->head : &no_tokens_; }

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

  Room* room_ = nullptr;  // null until the first block
};

inline CalcTokenList::Link CalcTokenList::no_tokens_{&no_tokens_, &no_tokens_};

}  // namespace calc
