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
#include <list>
#include <memory>
#include <string>
#include <string_view>
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
PayloadShape PayloadShapeOf(std::uint8_t kind);

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
  CalcToken(std::uint8_t kind, TokenPayload payload);
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

  // Rewrites the token in place (a name becoming a number, an operator
  // becoming another). 0, or E_MEM with the token unchanged.
  int Assign(std::uint8_t kind, const TokenPayload& payload);
  void AssignNumber(const CalcValue& value);  // kind 5; cannot fail

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
  std::uint8_t kind_ = kTokOpen;
  mutable NameHint name_hint_;
  TokenPayload payload_;
};

// A doubly linked list of tokens with a cursor for forward walks. Iterators
// stay valid across insertions and across removals of other tokens, so a pass
// may hold a position while it inserts parentheses elsewhere.
class CalcTokenList {
 public:
  using Tokens = std::list<CalcToken>;
  using iterator = Tokens::iterator;
  using const_iterator = Tokens::const_iterator;

  CalcTokenList() = default;
  CalcTokenList(const CalcTokenList&) = delete;  // copies go through CopyTo
  CalcTokenList& operator=(const CalcTokenList&) = delete;
  CalcTokenList(CalcTokenList&& other) noexcept;
  CalcTokenList& operator=(CalcTokenList&& other) noexcept;
  ~CalcTokenList() = default;

  // --- building: 0 or E_MEM (the list is unchanged on failure) ---

  // The payload is copied (text duplicated, number and matrix deep-copied).
  int Append(std::uint8_t kind, const TokenPayload& payload = {});
  int Append(CalcToken token);
  int AppendNumber(const CalcValue& value);
  int AppendMatrix(const CalcMatrix& matrix);
  // Inserts before `pos` (at the front when pos is begin(), at the end when it
  // is end()). On success `*inserted`, when given, is the new token.
  int InsertBefore(const_iterator pos, std::uint8_t kind, const TokenPayload& payload = {},
                   iterator* inserted = nullptr);
  int InsertBefore(const_iterator pos, CalcToken token, iterator* inserted = nullptr);

  // 0-based; E_LIST_INDEX when there is no such token.
  int RemoveAt(std::size_t index);
  // Removes one token and returns the one after it (nothing at end()).
  iterator Erase(const_iterator pos);
  void Clear();

  // Replaces `out` with a deep copy of this list (cursor rewound). On E_MEM
  // `out` is left as it was.
  int CopyTo(CalcTokenList& out) const;

  // --- access ---

  std::size_t Count() const { return tokens_.size(); }
  bool Empty() const { return tokens_.empty(); }
  // Null when index >= Count(). Linear in the index.
  CalcToken* At(std::size_t index);
  const CalcToken* At(std::size_t index) const;
  iterator IteratorAt(std::size_t index);  // end() when beyond
  std::size_t IndexOf(const_iterator pos) const;

  iterator begin() { return tokens_.begin(); }
  iterator end() { return tokens_.end(); }
  const_iterator begin() const { return tokens_.begin(); }
  const_iterator end() const { return tokens_.end(); }

  // --- cursor walk ---

  // Puts the cursor on the first token.
  void Rewind() { cursor_ = tokens_.begin(); }
  // The cursor's token, then advances; false (outputs untouched) at the end.
  bool Next(std::uint8_t& kind, const TokenPayload*& payload);
  const CalcToken* Next();
  // The token the next call of Next returns (end() when done). Removing that
  // token moves the cursor to its successor.
  iterator Cursor() const { return cursor_; }
  // Puts the cursor on any token of this list (end() finishes the walk). The
  // empty erase only turns the position into a mutable iterator.
  void SetCursor(const_iterator pos) { cursor_ = tokens_.erase(pos, pos); }

 private:
  Tokens tokens_;
  iterator cursor_ = tokens_.end();
};

}  // namespace calc
