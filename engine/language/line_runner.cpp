#include "language/line_runner.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "core/grouping.h"
#include "core/status_codes.h"
#include "core/tokenizer.h"

namespace calc {
bool IsBlankStatement(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c == ' ' || c == '\t'; });
}

namespace {

bool Contains(std::string_view text, char c) { return std::memchr(text.data(), c, text.size()) != nullptr; }

// A line with no ";" and no "#" is one statement, or none when it is blank:
// escapes and double-byte characters only decide whether those two bytes
// count, so the usual line needs no walk of its bytes.
bool IsOneStatement(std::string_view line) { return !Contains(line, ';') && !Contains(line, '#'); }

// Appends one statement of the line to `out`, with the line's shared
// comment (null: none), and compiles it.
int CompileStatement(const CalcContext& context, std::string_view text, int line_number,
                     const std::shared_ptr<const std::string>& comment, CalcLineList& out, CalcRunBudget* budget) {
  // A line of millions of statements takes seconds to compile: an
  // interruption ends it between two of them.
  if (budget != nullptr && !budget->ChargeWork(0)) return E_MEM;
  CalcLine& line = out.emplace_back();
  line.line = line_number;
  line.comment = comment;
  return TokenizeAndGroup(context, text, true, line.tokens);
}

// Room for `count` more statements. Exactly the room a fresh list needs (a
// line of a million ";" would otherwise leave up to as much again unused);
// growing lists still grow geometrically. May throw std::bad_alloc.
void ReserveStatements(CalcLineList& out, std::size_t count) {
  const std::size_t needed = out.size() + count;
  if (needed > out.capacity()) out.reserve(std::max(needed, 2 * out.capacity()));
}

}  // namespace

int CalcLine::CopyTo(CalcLine& out) const {
  if (const int status = tokens.CopyTo(out.tokens)) return status;
  out.comment = comment;
  out.line = line;
  return kDone;
}

void PlanStatements(CalcLineList& lines) {
  for (CalcLine& line : lines) line.plans.Build(line.tokens);
}

// Backslashes escape: a ";" or "#" after an odd number of them belongs to the
// statement. A Shift-JIS lead byte carries the byte after it, so a second
// byte that happens to be a backslash escapes nothing, as in the tokenizer.
bool StatementCutter::Next(std::string_view& statement) {
  if (done_) return false;
  if (!started_) {
    started_ = true;
    if (IsOneStatement(line_)) {
      done_ = true;
      if (IsBlankStatement(line_)) return false;
      statement = line_;
      return true;
    }
  }
  // A ";" ends the walk unescaped, so each call starts unescaped.
  bool escaped = false;
  std::size_t end = line_.size();
  for (std::size_t i = start_; i < line_.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(line_[i]);
    if (escaped) {
      escaped = false;
      if (IsLeadByte(c)) ++i;
      continue;
    }
    if (IsLeadByte(c)) {
      ++i;
    } else if (c == '\\') {
      escaped = true;
    } else if (c == ';') {
      statement = line_.substr(start_, i - start_);
      start_ = i + 1;
      has_separator_ = true;
      return true;
    } else if (c == '#') {
      comment_ = line_.substr(std::min(i + 1, line_.size()));
      has_comment_ = true;
      end = i;
      break;
    }
  }
  done_ = true;
  statement = line_.substr(start_, end - start_);
  return has_separator_ || !IsBlankStatement(statement);
}

SplitLine SplitStatements(std::string_view line) {
  SplitLine split;
  StatementCutter cutter(line);
  for (std::string_view statement; cutter.Next(statement);) split.statements.push_back(statement);
  split.comment = cutter.comment();
  split.has_comment = cutter.has_comment();
  return split;
}

int CompileLine(const CalcContext& context, std::string_view physical_line, int line_number, CalcLineList& out,
                CalcRunBudget* budget) {
  try {
    if (IsOneStatement(physical_line)) {  // the usual line, without building a split
      if (IsBlankStatement(physical_line)) return kDone;
      ReserveStatements(out, 1);
      return CompileStatement(context, physical_line, line_number, nullptr, out, budget);
    }
    // One walk counts the statements and finds the comment, a second
    // compiles them: a list of a long line's pieces would take more than
    // its statements.
    StatementCutter counter(physical_line);
    std::size_t count = 0;
    for (std::string_view text; counter.Next(text);) ++count;
    ReserveStatements(out, count);
    std::shared_ptr<const std::string> comment;
    if (counter.has_comment()) comment = std::make_shared<const std::string>(counter.comment());
    StatementCutter cutter(physical_line);
    for (std::string_view text; cutter.Next(text);)
      if (const int status = CompileStatement(context, text, line_number, comment, out, budget)) return status;
  } catch (const std::bad_alloc&) {
    return E_MEM;
  }
  return kDone;
}

bool NextPhysicalLine(std::string_view text, std::size_t& pos, std::string_view& line) {
  if (pos >= text.size()) return false;
  // The line ends at the first CR or LF: the LF is found first, then a CR
  // before it (searches for a byte beat a test of two per byte).
  const char* begin = text.data() + pos;
  const std::size_t rest = text.size() - pos;
  const void* lf = std::memchr(begin, '\n', rest);
  const std::size_t to_lf = lf != nullptr ? static_cast<std::size_t>(static_cast<const char*>(lf) - begin) : rest;
  const void* cr = std::memchr(begin, '\r', to_lf);
  std::size_t end = pos + (cr != nullptr ? static_cast<std::size_t>(static_cast<const char*>(cr) - begin) : to_lf);
  line = text.substr(pos, end - pos);
  if (end < text.size() && text[end] == '\r') ++end;
  if (end < text.size() && text[end] == '\n') ++end;
  pos = end;
  return true;
}

int CompileText(const CalcContext& context, std::string_view text, int first_line, CalcLineList& out) {
  std::size_t pos = 0;
  std::string_view line;
  int number = first_line;
  while (NextPhysicalLine(text, pos, line))
    if (const int status = CompileLine(context, line, number++, out)) return status;
  return kDone;
}

bool CalcLineFilter::Asks(int line) const {
  switch (mode) {
    case kAskAll: return true;
    case kAskListed: return std::find(lines.begin(), lines.end(), line) != lines.end();
    default: return false;
  }
}

}  // namespace calc
