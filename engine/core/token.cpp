#include "core/token.h"

#include <iterator>
#include <new>
#include <utility>

#include "core/status_codes.h"
#include "core/matrix.h"

namespace calc {

PayloadShape PayloadShapeOf(std::uint8_t kind) {
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

namespace {

// The payload itself when it has the kind's shape, else the kind's empty one.
TokenPayload FitPayload(std::uint8_t kind, TokenPayload&& payload) {
  switch (PayloadShapeOf(kind)) {
    case PayloadShape::kNone:
      return std::monostate{};
    case PayloadShape::kCode:
      if (std::holds_alternative<std::uint8_t>(payload)) return std::move(payload);
      return std::uint8_t{0};
    case PayloadShape::kText:
      if (std::holds_alternative<std::string>(payload)) return std::move(payload);
      return std::string{};
    case PayloadShape::kNumber:
      if (std::holds_alternative<CalcValue>(payload)) return std::move(payload);
      return CalcValue::FromReal(0.0);
    case PayloadShape::kMatrix:
      if (const MatrixBox* box = std::get_if<MatrixBox>(&payload); box && box->get())
        return std::move(payload);
      return MatrixBox(CalcMatrix());
  }
  return std::monostate{};
}

}  // namespace

CalcToken::CalcToken(std::uint8_t kind, TokenPayload payload)
    : kind_(kind), payload_(FitPayload(kind, std::move(payload))) {}

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

void CalcToken::AssignNumber(const CalcValue& value) {
  kind_ = kTokNumber;
  payload_.emplace<CalcValue>(value);
}

// --- CalcTokenList -----------------------------------------------------------

CalcTokenList::CalcTokenList(CalcTokenList&& other) noexcept {
  *this = std::move(other);
}

CalcTokenList& CalcTokenList::operator=(CalcTokenList&& other) noexcept {
  if (this == &other) return *this;
  // Node iterators survive the move; the end position belongs to each list.
  const bool cursor_at_end = other.cursor_ == other.tokens_.end();
  const iterator cursor = other.cursor_;
  tokens_ = std::move(other.tokens_);
  cursor_ = cursor_at_end ? tokens_.end() : cursor;
  other.tokens_.clear();
  other.cursor_ = other.tokens_.end();
  return *this;
}

int CalcTokenList::Append(std::uint8_t kind, const TokenPayload& payload) {
  return InsertBefore(tokens_.end(), kind, payload);
}

int CalcTokenList::Append(CalcToken token) { return InsertBefore(tokens_.end(), std::move(token)); }

int CalcTokenList::AppendNumber(const CalcValue& value) {
  try {
    tokens_.emplace_back(kTokNumber, TokenPayload(std::in_place_type<CalcValue>, value));
    return kDone;
  } catch (const std::bad_alloc&) {
    return E_MEM;
  }
}

int CalcTokenList::AppendMatrix(const CalcMatrix& matrix) {
  try {
    tokens_.emplace_back(kTokMatrix, TokenPayload(std::in_place_type<MatrixBox>, matrix));
    return kDone;
  } catch (const std::bad_alloc&) {
    return E_MEM;
  }
}

int CalcTokenList::InsertBefore(const_iterator pos, std::uint8_t kind, const TokenPayload& payload,
                                iterator* inserted) {
  try {
    const iterator it = tokens_.emplace(pos, kind, payload);
    if (inserted) *inserted = it;
    return kDone;
  } catch (const std::bad_alloc&) {
    return E_MEM;
  }
}

int CalcTokenList::InsertBefore(const_iterator pos, CalcToken token, iterator* inserted) {
  try {
    const iterator it = tokens_.insert(pos, std::move(token));
    if (inserted) *inserted = it;
    return kDone;
  } catch (const std::bad_alloc&) {
    return E_MEM;
  }
}

int CalcTokenList::RemoveAt(std::size_t index) {
  if (index >= tokens_.size()) return E_LIST_INDEX;
  Erase(IteratorAt(index));
  return kDone;
}

CalcTokenList::iterator CalcTokenList::Erase(const_iterator pos) {
  if (pos == tokens_.cend()) return tokens_.end();
  const bool moves_cursor = cursor_ == pos;
  const iterator next = tokens_.erase(pos);
  if (moves_cursor) cursor_ = next;
  return next;
}

void CalcTokenList::Clear() {
  tokens_.clear();
  cursor_ = tokens_.end();
}

int CalcTokenList::CopyTo(CalcTokenList& out) const {
  if (&out == this) return kDone;
  try {
    Tokens copy(tokens_);
    out.tokens_.swap(copy);
    out.cursor_ = out.tokens_.begin();
    return kDone;
  } catch (const std::bad_alloc&) {
    return E_MEM;
  }
}

CalcTokenList::iterator CalcTokenList::IteratorAt(std::size_t index) {
  if (index >= tokens_.size()) return tokens_.end();
  // Walk from the nearer end.
  if (index <= tokens_.size() / 2) return std::next(tokens_.begin(), static_cast<std::ptrdiff_t>(index));
  return std::prev(tokens_.end(), static_cast<std::ptrdiff_t>(tokens_.size() - index));
}

CalcToken* CalcTokenList::At(std::size_t index) {
  const iterator it = IteratorAt(index);
  return it == tokens_.end() ? nullptr : &*it;
}

const CalcToken* CalcTokenList::At(std::size_t index) const {
  return const_cast<CalcTokenList*>(this)->At(index);
}

std::size_t CalcTokenList::IndexOf(const_iterator pos) const {
  return static_cast<std::size_t>(std::distance(tokens_.cbegin(), pos));
}

bool CalcTokenList::Next(std::uint8_t& kind, const TokenPayload*& payload) {
  const CalcToken* token = Next();
  if (!token) return false;
  kind = token->kind();
  payload = &token->payload();
  return true;
}

const CalcToken* CalcTokenList::Next() {
  if (cursor_ == tokens_.end()) return nullptr;
  const CalcToken* token = &*cursor_;
  ++cursor_;
  return token;
}

}  // namespace calc
