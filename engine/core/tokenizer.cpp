#include "core/tokenizer.h"

#include <algorithm>
#include <array>
#include <new>
#include <optional>
#include <string>

#include "core/command_names.h"
#include "core/keywords.h"
#include "core/literal.h"
#include "core/status_codes.h"
#include "core/value.h"

namespace calc {
namespace {

constexpr bool IsBlank(unsigned char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

// A backslash before these bytes stays in the word, so that the number reader
// sees "\x1F" or "\017" and the string reader sees "\n" intact.
constexpr bool KeepsBackslash(unsigned char c) {
  if (c >= '0' && c <= '9') return true;
  switch (c) {
    case 'a': case 'b': case 'e': case 'f': case 'n': case 'r': case 't': case 'v': case 'x':
      return true;
    default:
      return false;
  }
}

// Bytes that may open an operator written with symbols ("!" only before "=").
constexpr bool MayOpenOperator(unsigned char c) {
  switch (c) {
    case '*': case '/': case '%': case '+': case '-': case '<': case '>': case '=':
    case '!': case '&': case '^': case '|': case '?': case ',':
      return true;
    default:
      return false;
  }
}

// Bytes that only ever join the word they stand in: the main loop takes a
// run of them at once. Everything the loop treats specially is excluded
// (lead bytes, the backslash, "[", blanks, brackets, bytes that may open an
// operator, and ":", which may end an "@" word).
constexpr std::array<bool, 256> PlainWordBytes() {
  std::array<bool, 256> plain{};
  for (int c = 0; c < 256; ++c) {
    const auto b = static_cast<unsigned char>(c);
    plain[c] = !IsLeadByte(b) && b != '\\' && b != '[' && !IsBlank(b) && b != '(' && b != ')' && b != '{' &&
               b != '}' && !MayOpenOperator(b) && b != ':';
  }
  return plain;
}

constexpr auto kPlainWordBytes = PlainWordBytes();

struct OperatorMatch {
  std::uint8_t code;
  std::size_t length;
};

// The written forms of the binary and postfix operators (codes 6 and up;
// 0-5 are only reachable as bracketed words), grouped by their first byte
// and longest first within a group, so that the first form of the group that
// matches is the longest.
struct OperatorSpelling {
  std::string_view form;
  std::uint8_t code;
};

constexpr std::size_t kSpellingCount = kOperatorCount - kOpPostIncrement;

constexpr std::array<OperatorSpelling, kSpellingCount> OperatorSpellings() {
  std::array<OperatorSpelling, kSpellingCount> spellings{};
  std::size_t n = 0;
  for (int first = 0; first < 256; ++first)
    for (std::size_t length = 3; length >= 1; --length)
      for (int code = kOpPostIncrement; code < kOperatorCount; ++code) {
        const std::string_view form = OperatorForm(code);
        if (form.size() == length && static_cast<unsigned char>(form[0]) == first)
          spellings[n++] = OperatorSpelling{form, static_cast<std::uint8_t>(code)};
      }
  return spellings;
}

constexpr auto kOperatorSpellings = OperatorSpellings();

// For each byte, where its group starts in kOperatorSpellings (the group
// ends where the next byte's starts), so that a match tries only the forms
// that can match: one lookup per operator instead of a walk of the table.
constexpr std::array<std::uint8_t, 257> SpellingGroups() {
  std::array<std::uint8_t, 257> starts{};
  std::size_t n = 0;
  for (int first = 0; first < 256; ++first) {
    starts[first] = static_cast<std::uint8_t>(n);
    while (n < kSpellingCount && static_cast<unsigned char>(kOperatorSpellings[n].form[0]) == first) ++n;
  }
  starts[256] = static_cast<std::uint8_t>(n);
  return starts;
}

constexpr auto kSpellingGroups = SpellingGroups();
static_assert(kSpellingGroups[256] == kSpellingCount, "every operator form is in its first byte's group");

// The longest binary or postfix operator written at the start of `rest`.
std::optional<OperatorMatch> MatchOperator(std::string_view rest) {
  if (rest.empty()) return std::nullopt;
  const auto first = static_cast<unsigned char>(rest[0]);
  for (std::size_t i = kSpellingGroups[first]; i < kSpellingGroups[first + 1]; ++i) {
    const OperatorSpelling& s = kOperatorSpellings[i];
    // Byte by byte: the forms are one to three bytes long, shorter than a
    // call to compare them would be.
    if (s.form.size() > rest.size()) continue;
    std::size_t k = 1;  // the first byte chose the group
    while (k < s.form.size() && rest[k] == s.form[k]) ++k;
    if (k == s.form.size()) return OperatorMatch{s.code, s.form.size()};
  }
  return std::nullopt;
}

// Tokens for single bytes that structure the line.
std::optional<std::uint8_t> BracketKind(unsigned char c) {
  switch (c) {
    case '(': return kTokOpen;
    case ')': return kTokClose;
    case '{': return kTokOpenBrace;
    case '}': return kTokCloseBrace;
    default: return std::nullopt;
  }
}

char EscapedByte(char c) {
  switch (c) {
    case '0': return '\0';
    case 'a': return '\a';
    case 'b': return '\b';
    case 'e': return '\x1B';
    case 'f': return '\f';
    case 'n': return '\n';
    case 'r': return '\r';
    case 't': return '\t';
    case 'v': return '\v';
    default: return c;
  }
}

// The engine's own short words: a structural byte standing for its kind, a
// tab followed by an operator code, "&", and the "@" forms.
std::optional<CalcToken> InternalWord(std::string_view word) {
  const auto first = static_cast<unsigned char>(word[0]);
  switch (first) {
    case kTokOpen:
    case kTokClose:
    case kTokOpenBrace:
    case kTokCloseBrace:
    case kTokEmptyBrackets:
      return CalcToken(first, std::monostate{});
    default:
      break;
  }
  if (first == '\t' && word.size() >= 2) {
    const auto code = static_cast<std::uint8_t>(word[1]);
    // A code outside the operator table would be an operator nothing knows.
    if (code < kOperatorCount) return CalcToken(kTokOperator, code);
  }
  if (word == "&") return CalcToken(kTokReference, std::monostate{});
  if (first == '@') {
    if (word.size() == 1) return CalcToken(kTokArray, std::uint8_t{0});
    if (word.size() >= 3 && word[1] == '@') return CalcToken(kTokArray, static_cast<std::uint8_t>(word[2]));
    return CalcToken(kTokVariable, static_cast<std::uint8_t>(word[1]));
  }
  return std::nullopt;
}

}  // namespace

std::string ResolveStringEscapes(std::string_view body) {
  std::string out;
  out.reserve(body.size());
  std::size_t i = 0;
  const std::size_t n = body.size();
  while (i < n) {
    char c = body[i++];
    if (c == '\\') {
      if (i == n) break;  // a trailing backslash is dropped
      c = EscapedByte(body[i++]);
    }
    out += c;
    // The second byte of a double-byte character is never an escape.
    if (IsLeadByte(static_cast<unsigned char>(c)) && i < n) out += body[i++];
  }
  return out;
}

namespace {

// True when no keyword, command, external name, string, internal word or
// named constant starts with the byte, so that a word starting with it is a
// number or a name: the common words of arithmetic skip every lookup.
constexpr bool StartsOnlyNumbersAndNames(unsigned char c) { return c >= '0' && c <= '9'; }

// ClassifyWord's work appended straight into the list (no token is built
// aside and moved in). The caller holds the numeric scope.
int AppendClassified(const CalcContext& ctx, std::string_view word, bool parse_numbers, CalcTokenList& list) {
  if (!StartsOnlyNumbersAndNames(static_cast<unsigned char>(word[0]))) {
    CalcToken token = ClassifyWord(ctx, word, parse_numbers);
    return list.Append(std::move(token));
  }
  CalcValue value;
  if (parse_numbers && ParseNumber(ctx, word, value)) return list.AppendNumber(value);
  return list.Append(CalcToken::Text(kTokName, word));
}

// The word being collected. While it is one run of the text (the usual case)
// it is only the run's bounds; a backslash that drops out of the word copies
// it into `spilled`, where it goes on growing.
class WordCollector {
 public:
  WordCollector(std::string_view text, std::string& spilled) : text_(text), spilled_(spilled) {}

  // The bytes text[at, at + n) join the word.
  void TakeRun(std::size_t at, std::size_t n) {
    if (!is_spilled_) {
      if (begin_ == end_) {
        begin_ = at;
        end_ = at + n;
        return;
      }
      if (end_ == at) {
        end_ += n;
        return;
      }
    }
    AppendSpilled(at, n);
  }
  // A byte joins the word apart from its neighbours in the text.
  void TakeByte(char c) {
    if (!is_spilled_) Spill();
    spilled_ += c;
  }

  bool empty() const { return is_spilled_ ? spilled_.empty() : begin_ == end_; }
  std::string_view view() const {
    return is_spilled_ ? std::string_view(spilled_) : text_.substr(begin_, end_ - begin_);
  }
  char front() const { return view().front(); }

  void Clear() {
    begin_ = end_ = 0;
    is_spilled_ = false;
  }

 private:
  void Spill() {
    spilled_.assign(text_.substr(begin_, end_ - begin_));
    is_spilled_ = true;
  }
  // A run that is not next to the word so far: the word moves to `spilled`
  // (once) and the run follows it there. Out of line, so that TakeRun's
  // usual cases inline into the tokenizer's loop.
  [[gnu::noinline]] void AppendSpilled(std::size_t at, std::size_t n) {
    if (!is_spilled_) Spill();
    spilled_.append(text_.substr(at, n));
  }

  std::string_view text_;
  std::string& spilled_;
  std::size_t begin_ = 0;
  std::size_t end_ = 0;
  bool is_spilled_ = false;
};

// A first guess at the tokens a text makes, so that the list takes its room
// in one block: words and operators of ordinary lines average about two
// bytes, and grouping adds a pair of parentheses or so. Bounded, so that a
// line of long names does not hold much room it never uses; a line of more
// tokens grows as it needs. An empty text (a ";;" piece) takes no room.
constexpr std::size_t kMaxReservedTokens = 32;
std::size_t ExpectedTokens(std::string_view text) {
  return text.empty() ? 0 : std::min(text.size() / 2 + 2, kMaxReservedTokens);
}

}  // namespace

CalcToken ClassifyWord(const CalcContext& ctx, std::string_view word, bool parse_numbers) {
  const NumericScope numeric(ctx.numeric());
  if (const auto code = LookupOperatorWord(word)) return CalcToken(kTokOperator, *code);
  if (const auto code = LookupBuiltin(word)) return CalcToken(kTokBuiltin, *code);
  if (const auto code = LookupStatement(word)) return CalcToken(kTokStatement, *code);
  if (word.empty()) return CalcToken(kTokName, std::monostate{});

  switch (word[0]) {
    case ':': return CalcToken(kTokCommand, LookupCommand(word.substr(1)));
    case '!': return CalcToken::Text(kTokExternal, word.substr(1));
    case '"': return CalcToken::Text(kTokString, ResolveStringEscapes(word.substr(1)));
    default: break;
  }
  if (auto token = InternalWord(word)) return std::move(*token);

  CalcValue value;
  if (ReadNamedConstant(word, value) || (parse_numbers && ParseNumber(ctx, word, value)))
    return CalcToken(value);
  return CalcToken::Text(kTokName, word);
}

int AppendWord(const CalcContext& ctx, std::string_view word, bool parse_numbers, CalcTokenList& list) {
  const NumericScope numeric(ctx.numeric());
  if (word.empty()) return kDone;
  try {
    return AppendClassified(ctx, word, parse_numbers, list);
  } catch (const std::bad_alloc&) {
    return E_MEM;
  }
}

int Tokenize(const CalcContext& ctx, std::string_view text, bool parse_numbers, CalcTokenList& list) {
  const NumericScope numeric(ctx.numeric());
  list.Clear();
  int status = list.Reserve(ExpectedTokens(text));
  try {
    std::string spilled;
    WordCollector word(text, spilled);
    bool in_brackets = false;
    const auto flush = [&]() -> int {
      if (word.empty()) return kDone;
      const int result = AppendClassified(ctx, word.view(), parse_numbers, list);
      word.Clear();
      return result;
    };
    // The word before a bracket or operator ends there; `append` then adds the token.
    const auto flush_then = [&](auto append) {
      const int result = flush();
      return result != kDone ? result : append();
    };

    const std::size_t n = text.size();
    std::size_t i = 0;
    while (i < n && status == kDone) {
      const auto c = static_cast<unsigned char>(text[i]);

      if (!in_brackets && kPlainWordBytes[c]) {
        std::size_t end = i + 1;
        while (end < n && kPlainWordBytes[static_cast<unsigned char>(text[end])]) ++end;
        word.TakeRun(i, end - i);
        i = end;
        continue;
      }

      if (IsLeadByte(c)) {  // the pair stays together; at the end, the lead byte alone
        const std::size_t length = i + 1 < n ? 2 : 1;
        word.TakeRun(i, length);
        i += length;
        continue;
      }

      if (c == '\\') {
        if (i + 1 == n) {  // a trailing backslash is dropped
          ++i;
          continue;
        }
        const auto next = static_cast<unsigned char>(text[i + 1]);
        if (KeepsBackslash(next)) {  // the next byte is then read as usual
          word.TakeRun(i++, 1);
          continue;
        }
        if (next == '\\') {
          word.TakeRun(i, 2);
          i += 2;
          continue;
        }
        // Any other byte is taken literally, even an operator, bracket, blank
        // or lead byte: an escaped lead byte stands alone and does not take
        // the byte after it (so a string can end in one before its "]").
        word.TakeByte(text[i + 1]);
        i += 2;
        continue;
      }

      if (in_brackets) {
        if (c != ']') {
          word.TakeRun(i++, 1);
        } else {
          ++i;
          in_brackets = false;
          status = word.empty() ? list.Append(kTokEmptyBrackets) : flush();
        }
        continue;
      }

      if (c == '[') {
        ++i;
        in_brackets = true;
        status = flush();
        continue;
      }
      if (IsBlank(c)) {
        ++i;
        status = flush();
        continue;
      }
      if (const auto kind = BracketKind(c)) {
        ++i;
        status = flush_then([&] { return list.Append(*kind); });
        continue;
      }
      if (MayOpenOperator(c)) {
        if (const auto match = MatchOperator(text.substr(i))) {
          i += match->length;
          status = flush_then([&] { return list.Append(kTokOperator, match->code); });
          continue;
        }
      }
      word.TakeRun(i++, 1);
      // "@a:" and the like end at their colon.
      if (c == ':' && word.front() == '@') status = flush();
    }
    if (status == kDone) status = flush();
  } catch (const std::bad_alloc&) {
    status = E_MEM;
  }
  return status;
}

}  // namespace calc
