// User-defined and external functions: what a function is, where the engine
// keeps it, how a call hands its arguments to the function's own context and
// back, and how an external function's file is read.
//
// A user-defined function is written between "func name params" and
// "endfunc"; an external function is a text file found through the host's
// folders and called as "!name". Either runs in a fresh context whose
// variables (or arrays) '0'..'9' hold the arguments and whose variable '!'
// holds their number. The running itself (begin, step, end) is CalcEngine's.
//
// Parameter lists ("func f a &b c[]", ":params a &b c[]"): a name is a
// parameter; "&" before it (the "&" token, or any operator token with an id
// above 20, which is how the tokenizer reads "&b") makes it a reference
// parameter, whose argument is written back to the caller when the call
// ends; "[]" after it makes it an array parameter. Parentheses and the other
// operators are ignored. Note that "," (operator 38) also counts as a mark:
// parameters are separated by blanks.
//
// Argument lists are token lists: variables and arrays as tokens (so they
// can be written back), numbers, strings, and evaluated matrices.
#pragma once

#include <cstdint>
#include <cstdio>
#include <list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/context.h"
#include "core/run_budget.h"
#include "core/token.h"
#include "language/commands.h"
#include "language/kept_loops.h"
#include "language/line_runner.h"

namespace calc {

class CalcEvaluator;
class CalcStorage;

// Parameters occupy the ten variables (or arrays) '0'..'9'.
constexpr int kMaxParameters = 10;
constexpr std::uint8_t kFirstParameterCode = '0';
// The variable that holds the number of arguments.
constexpr std::uint8_t kArgumentCountCode = '!';

// What a function is: its name, its parameter list, its body and the line
// the body starts on. Shared by every list that holds the function (a
// caller's list is copied into each call), and by the runs in progress, so
// that an entry evicted while it runs stays alive until the run ends.
struct CalcFunctionBody {
  std::string name;
  CalcTokenList parameters;  // names, reference marks and "[]", as written
  CalcLineList lines;
  int first_line = 1;
  CalcKeptLoops loops;  // the loops of `lines`, recorded once
  CalcMemoryCharge charge;  // what the lines and kept loops take, on the budget of the run that made them
};

struct CalcFunctionEntry {
  std::shared_ptr<CalcFunctionBody> body;
  bool owner = true;        // made in this list, not copied from another
  std::uint32_t uses = 0;   // lookups that counted

  std::string_view name() const { return body->name; }
};

// A list of functions with a capacity (0: no entries allowed). New entries go
// to the head; adding to a full list first removes the entry with the
// fewest uses, the oldest of those when several tie.
class CalcFunctionList {
 public:
  explicit CalcFunctionList(std::size_t capacity) : capacity_(capacity) {}

  std::size_t capacity() const { return capacity_; }
  // Entries beyond the new capacity are removed by the same rule as for an
  // addition.
  void set_capacity(std::size_t capacity);
  std::size_t size() const { return entries_.size(); }

  // The entry with exactly this name, or null; with `count` its use counter
  // goes up by one.
  CalcFunctionEntry* Find(std::string_view name, bool count);
  // Adds the entry at the head, making room first. False (nothing added)
  // when the capacity is 0 or memory is short.
  bool Add(CalcFunctionEntry entry);
  bool Remove(std::string_view name);
  void Clear() { entries_.clear(); }
  // Becomes a copy of `other`: the same functions and use counts, the bodies
  // shared, no entry an owner. False (unchanged) when memory is short.
  bool CopyFrom(const CalcFunctionList& other);

  // Names from head (newest) to tail, for tests and hosts.
  std::vector<std::string> Names() const;

 private:
  void Evict();

  std::list<CalcFunctionEntry> entries_;
  std::size_t capacity_;
};

// How many functions each context may define before the least used goes.
constexpr std::size_t kUserFunctionCapacity = 256;
// How many external functions the process keeps read until the host says
// otherwise.
constexpr std::size_t kDefaultExternalCacheCapacity = 16;

// The process-wide cache of external functions read from their files.
CalcFunctionList& ExternalFunctionCache();

// What a context knows about calls: its functions, which parameters are
// written back, and the answer switch (":ans"), which decides whether a
// function call or "return" delivers a value.
struct CalcCallState {
  CalcFunctionList functions{kUserFunctionCapacity};
  bool reference[kMaxParameters] = {};
  CalcSwitch answer{true};
};

// --- parameter lists -------------------------------------------------------

struct CalcParameter {
  std::string name;
  bool array = false;      // written with "[]"
  bool reference = false;  // written with "&"
};

enum class ParameterProblem : std::uint8_t {
  kNone,
  kTooMany,          // an eleventh name
  kUnusable,         // a token that has no place in a parameter list
  kMarkWithoutName,  // "&" at the end of the list
};

struct ParsedParameters {
  std::vector<CalcParameter> parameters;
  ParameterProblem problem = ParameterProblem::kNone;
  CalcTokenList::const_iterator at;  // the offending token (end when none)
};

// Reads a parameter list from the tokens [begin, end).
ParsedParameters ParseParameters(CalcTokenList::const_iterator begin, CalcTokenList::const_iterator end);

// Parameter i becomes the name of variable (or, with "[]", array) '0' + i of
// `storage`, and its reference flag follows its mark; the other flags are
// cleared. With `replace`, a name that already names something there is
// freed first; without it such a name fails with E_COMMAND_DEFINE before
// anything changes. 0, E_COMMAND_DEFINE or E_MEM; `offender` is the index of
// the failing parameter.
int BindParameters(const std::vector<CalcParameter>& parameters, CalcStorage& storage, bool replace,
                   std::size_t& offender);

// --- arguments ---------------------------------------------------------------

// Collects the operands after a function's name from the evaluator's cursor,
// up to the end of the list or the first token that cannot begin an operand
// (which stays where it is): variables, arrays, numbers and strings are
// copied as tokens (a name as a variable or array by name when it names one,
// a computed code as the code it computes); anything else is evaluated and
// its value copied, as a number or, with more than one element, a matrix.
// 0 or the evaluator's error.
int CollectArguments(CalcEvaluator& evaluator, CalcTokenList& out);

// Fills the callee's '0' + i from argument i (a variable's value, a deep copy
// of an array, a number, a matrix into the array's matrix, a string's
// character codes into the array's vector) and sets variable '!' to the
// count. E_FUNC_PARANUM for an eleventh argument, E_FUNC_PARACODE for one
// that cannot be passed, E_MEM; `offender` is the failing argument.
int PassArguments(const CalcTokenList& arguments, const CalcStorage& caller, CalcStorage& callee,
                  const CalcToken*& offender);

// Writes back every argument whose reference flag is set in the callee: a
// variable gets the callee's variable '0' + i, an array a copy of its array
// '0' + i. Every argument is tried; the first failure is returned: E_ASS for
// a constant variable, E_MEM.
int WriteBackArguments(const CalcTokenList& arguments, const CalcStorage& callee, CalcStorage& caller,
                       const CalcToken*& offender);

// --- function files ----------------------------------------------------------

// The longest physical line the engine reads from a file (16 MiB). A longer
// one is refused rather than read: a file with no line ends (a device, a
// binary file) would otherwise be read whole into memory.
constexpr std::size_t kMaxLineLength = std::size_t{16} << 20;

// Opens `path` to read as a function file. Null when it cannot be opened or
// its first read fails (a folder, which opens on Linux and then fails to
// read; a device that gives EIO): such a file is no function file, so the
// search for one goes on, and ends in E_FUNC_OPEN when nothing else is found.
std::FILE* OpenReadableFile(const std::string& path);

// A text file read one physical line at a time. Each read takes at most
// kReadLimit characters; a line longer than that takes several reads, which
// are joined, so that a long line keeps its meaning instead of being cut into
// several lines. Reading stops for good at the end of the file, and at a line
// longer than kMaxLineLength, which is not read beyond that length.
class CalcSourceFile {
 public:
  static constexpr std::size_t kReadLimit = 255;

  CalcSourceFile() = default;
  CalcSourceFile(const CalcSourceFile&) = delete;
  CalcSourceFile& operator=(const CalcSourceFile&) = delete;
  ~CalcSourceFile() { Close(); }

  // Takes over an open file (closed by Close or the destructor).
  void Attach(std::FILE* file);
  bool is_open() const { return file_ != nullptr; }
  // The next line without its CR, LF or CR LF; false at the end, or when
  // the line is longer than kMaxLineLength (line_too_long() then says so).
  bool ReadLine(std::string& line);
  bool line_too_long() const { return line_too_long_; }
  void Close();

 private:
  // One read: up to kReadLimit characters of the current line. `ended` when
  // the line's end (LF, CR or CR LF, not kept) or the file's end was reached.
  // False when nothing was left to read.
  bool ReadPiece(std::string& piece, bool& ended);

  std::FILE* file_ = nullptr;
  bool at_end_ = false;
  bool line_too_long_ = false;
};

// Reads a whole function file into `body`: every line compiled (";" splits,
// "#" comments) under `context`, lines numbered from 1, and charged to
// `budget` as it is compiled. 0, or E_MEM (also for a line longer than
// kMaxLineLength, and when the budget refuses).
int LoadFunctionFile(CalcSourceFile& file, const CalcContext& context, CalcFunctionBody& body,
                     CalcRunBudget* budget = nullptr);

// The separator between a folder and a file name in the paths the engine
// builds.
#ifdef _WIN32
constexpr char kPathSeparator = '\\';
#else
constexpr char kPathSeparator = '/';
#endif

}  // namespace calc
