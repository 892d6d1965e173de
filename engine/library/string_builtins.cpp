// The string functions: searches, comparisons, the length and the two token
// scanners. Their strings are string arguments (a literal, an array string or
// a stream handle); results are byte offsets from 0, or -1 for "not found".
#include <string>
#include <string_view>

#include "core/status_codes.h"
#include "core/truncation.h"
#include "library/array_strings.h"
#include "library/builtin_handlers.h"
#include "library/byte_text.h"

namespace calc::builtins {
namespace {

constexpr double kNotFound = -1.0;

int ReadTwoStrings(BuiltinCall& call, std::string& s, std::string& t) {
  if (const int status = ReadString(call, s)) return status;
  return ReadString(call, t);
}

// Offsets of the single-byte characters equal to `byte`, first and last;
// the bytes of double-byte characters are never compared.
void FindSingleByte(std::string_view s, std::int64_t byte, double& first, double& last) {
  first = last = kNotFound;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const auto c = static_cast<unsigned char>(s[i]);
    if (IsLeadByte(c)) {
      ++i;  // the trail byte belongs to the same character
      continue;
    }
    if (static_cast<signed char>(c) != byte) continue;
    if (first < 0) first = static_cast<double>(i);
    last = static_cast<double>(i);
  }
}

int FindChar(BuiltinCall& call, bool last) {
  std::string s;
  std::int64_t byte = 0;
  if (const int status = ReadString(call, s)) return status;
  // The byte is compared with each byte read as a signed 8-bit value.
  if (const int status = ReadInteger(call, byte)) return status;
  double first_at = 0, last_at = 0;
  FindSingleByte(s, byte, first_at, last_at);
  call.SetReal(last ? last_at : first_at);
  return kDone;
}

int Compare(BuiltinCall& call, bool ignore_case) {
  std::string s, t;
  if (const int status = ReadTwoStrings(call, s, t)) return status;
  if (ignore_case) {
    s = AsciiLower(s);
    t = AsciiLower(t);
  }
  // std::string compares as unsigned char.
  const int order = s.compare(t);
  call.SetReal(order < 0 ? -1.0 : order > 0 ? 1.0 : 0.0);
  return kDone;
}

int Search(BuiltinCall& call, bool ignore_case) {
  std::string s, t;
  if (const int status = ReadTwoStrings(call, s, t)) return status;
  const std::size_t at = FindText(s, t, 0, ignore_case);
  call.SetReal(at == std::string::npos ? kNotFound : static_cast<double>(at));
  return kDone;
}

// The arguments of strtok and strrtok: the string, the position variable
// and its value, the delimiters and the optional array for the token.
struct TokenScan {
  std::string s;
  VariableTarget position;
  std::int64_t from = 0;
  std::string delimiters;
  int array = -1;
};

int ReadTokenScan(BuiltinCall& call, TokenScan& scan) {
  if (const int status = ReadString(call, scan.s)) return status;
  bool found = false;
  if (const int status = TakeVariable(call.engine(), scan.position, found)) return status;
  if (!found) return call.Fail(E_FUNCTION);
  scan.from = TruncToInt64(call.engine().storage().GetVariable(scan.position.code).ToReal());
  if (const int status = ReadString(call, scan.delimiters)) return status;
  return TakeWritableArray(call.engine(), scan.array);
}

// Ends a scan: the variable receives `position`; the token, when one was
// found, goes to the array; the result is `offset`.
int FinishTokenScan(BuiltinCall& call, const TokenScan& scan, std::int64_t position, std::string_view token,
                    std::int64_t offset) {
  CalcEngine& engine = call.engine();
  if (const int status = AssignVariable(engine, scan.position, CalcValue::FromReal(static_cast<double>(position))))
    return status;
  if (offset >= 0 && scan.array >= 0) {
    const int status = StoreArrayString(engine.storage().arrays(), static_cast<std::uint8_t>(scan.array), 0, token);
    if (status != kDone) return call.Fail(status);
  }
  call.SetReal(static_cast<double>(offset));
  return kDone;
}

bool IsDelimiter(const TokenScan& scan, std::int64_t i) {
  return scan.delimiters.find(scan.s[static_cast<std::size_t>(i)]) != std::string::npos;
}

}  // namespace

int Strchr(BuiltinCall& call) { return FindChar(call, false); }
int Strrchr(BuiltinCall& call) { return FindChar(call, true); }
int Strcmp(BuiltinCall& call) { return Compare(call, false); }
int Stricmp(BuiltinCall& call) { return Compare(call, true); }
int Strstr(BuiltinCall& call) { return Search(call, false); }
int Stristr(BuiltinCall& call) { return Search(call, true); }

// Only a literal or an array counts: a stream handle is refused.
int Strlen(BuiltinCall& call) {
  CalcEngine& engine = call.engine();
  const CalcToken* next = call.evaluator.Peek();
  std::string text;
  if (next != nullptr && next->kind() == kTokString) {
    call.evaluator.Take();
    text = next->text();
  } else {
    int array = -1;
    if (const int status = TakeArray(engine, array)) return status;
    if (array < 0) return call.Fail(E_FUNCTION);
    text = ArrayString(engine.storage().arrays(), static_cast<std::uint8_t>(array));
  }
  call.SetReal(static_cast<double>(text.size()));
  return kDone;
}

// From the position in the variable: delimiters are skipped, the token runs
// to the next delimiter; the variable receives the offset of that delimiter.
int Strtok(BuiltinCall& call) {
  TokenScan scan;
  if (const int status = ReadTokenScan(call, scan)) return status;
  const auto length = static_cast<std::int64_t>(scan.s.size());
  if (scan.from < 0 || scan.from >= length) {
    call.SetReal(kNotFound);
    return kDone;
  }
  std::int64_t begin = scan.from;
  while (begin < length && IsDelimiter(scan, begin)) ++begin;
  if (begin == length) return FinishTokenScan(call, scan, begin, {}, -1);
  std::int64_t end = begin;
  while (end < length && !IsDelimiter(scan, end)) ++end;
  const std::string_view token(scan.s.data() + begin, static_cast<std::size_t>(end - begin));
  return FinishTokenScan(call, scan, end, token, begin);
}

// The mirror of strtok: scanning towards the start, the result is the
// offset of the token's last byte and the variable receives the offset of
// the delimiter before the token (-1 at the start of the string).
int Strrtok(BuiltinCall& call) {
  TokenScan scan;
  if (const int status = ReadTokenScan(call, scan)) return status;
  const auto length = static_cast<std::int64_t>(scan.s.size());
  if (scan.from < 0 || scan.from >= length) {
    call.SetReal(kNotFound);
    return kDone;
  }
  std::int64_t last = scan.from;
  while (last >= 0 && IsDelimiter(scan, last)) --last;
  if (last < 0) return FinishTokenScan(call, scan, -1, {}, -1);
  std::int64_t before = last;
  while (before >= 0 && !IsDelimiter(scan, before)) --before;
  const std::string_view token(scan.s.data() + before + 1, static_cast<std::size_t>(last - before));
  return FinishTokenScan(call, scan, before, token, last);
}

}  // namespace calc::builtins
