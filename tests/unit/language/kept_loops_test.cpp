// Loops in function bodies are recorded once and kept by the body: later
// calls count the statements off and replay the kept tree, recursive calls
// replay it while their caller is still inside it. None of that may show.
// An external function run with a cache of capacity 0 runs from its file line
// by line and keeps nothing, so it is the reference: the same random bodies,
// run that way, as a cached external function and as a user-defined one,
// called again and again, with and without a step limit that ends them
// anywhere (in a recording, in a counting off, in a replay), must give the
// same statuses, answers, reports and step counts.
//
// And a compiled body read under another mode or radix than it was compiled
// in reads each run's numbers: a name that spells a number is read anew by
// every run, never turned into the number of the first.
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "engine_fixture.h"
#include "temp_folder.h"

namespace calc::testing {
namespace {

// Random bodies of loops (for, while, do; nested up to three deep), breaks
// and continues, ifs around loops, a recursive call, errors and loops left
// open. "CALL" stands for the function's own name.
class BodyMaker {
 public:
  explicit BodyMaker(unsigned seed) : random_(seed) {}

  std::string Make() {
    text_.clear();
    recursions_left_ = 1;
    Emit(":params n");
    Emit("s = 0");
    Emit("h = 1");
    Block(0, 2 + Pick(3));
    if (Pick(8) == 0) {  // never closed: recorded to the body's end, never run
      Emit("while s >= 0");
      Emit("s = s + 1");
    } else {
      Emit("return h * 1000 + s");
    }
    return text_;
  }

 private:
  int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
  void Emit(const std::string& line) { text_ += line + "\n"; }
  static std::string Counter(int depth) { return "i" + std::to_string(depth); }

  void Block(int depth, int count) {
    for (int k = 0; k < count; ++k) Statement(depth);
  }

  void Statement(int depth) {
    const std::string inner = depth > 0 ? Counter(depth - 1) : "n";
    switch (Pick(depth < 3 ? 11 : 6)) {
      case 0:
      case 1:
        Emit("s = s + " + inner + " * 3 % 7");
        break;
      case 2:
        Emit("h = (h * 31 + s + " + inner + ") % 1000003");
        break;
      case 3:
        if (depth > 0)
          Emit("if " + inner + " == " + std::to_string(Pick(3)) + (Pick(2) == 0 ? "; break" : "; continue") +
               "; endif");
        break;
      case 4:
        // Inside at most one loop, so that the calls stay few.
        if (depth <= 1 && recursions_left_ > 0) {
          --recursions_left_;
          Emit("if n > 0; s = s + CALL (n - 1); endif");
        }
        break;
      case 5:
        if (Pick(6) == 0) Emit(Pick(2) == 0 ? "s = s + nowhere" : "endwhile");
        break;
      case 6:
        Emit("if s % 2 == " + std::to_string(Pick(2)));
        Block(depth, 1 + Pick(2));
        Emit("endif");
        break;
      default:
        Loop(depth);
        break;
    }
  }

  void Loop(int depth) {
    const std::string v = Counter(depth);
    const std::string bound = std::to_string(1 + Pick(3));
    switch (Pick(3)) {
      case 0:
        Emit("for " + v + " = 0; " + v + " < " + bound + "; " + v + " += 1");
        Block(depth + 1, 1 + Pick(3));
        Emit("next");
        break;
      case 1:
        Emit(v + " = 0");
        Emit("while " + v + " < " + bound);
        Emit(v + " = " + v + " + 1");  // first, so that continue cannot loop forever
        Block(depth + 1, 1 + Pick(3));
        Emit("endwhile");
        break;
      default:
        Emit(v + " = 0");
        Emit("do");
        Emit(v + " = " + v + " + 1");
        Block(depth + 1, 1 + Pick(3));
        Emit("until " + v + " < " + bound);
        break;
    }
  }

  std::mt19937 random_;
  std::string text_;
  int recursions_left_ = 0;
};

std::string WithName(std::string body, const std::string& name) {
  for (std::size_t at = body.find("CALL"); at != std::string::npos; at = body.find("CALL", at))
    body.replace(at, 4, name);
  return body;
}

// What a call shows. The report of a failed call names the kind of
// function, so the reports of the outermost caller are left out and those of
// the recursive calls say only that a call failed; the status counts as
// done, failed or other.
struct Outcome {
  int status = 0;
  double answer = 0.0;
  std::uint64_t steps = 0;
  std::vector<std::string> reports;

  bool operator==(const Outcome&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Outcome& o) {
  out << "status " << o.status << ", answer " << o.answer << ", steps " << o.steps << ", reports:";
  for (const std::string& r : o.reports) out << " [" << r << "]";
  return out;
}

Outcome Call(RecordingEngine& engine, const std::string& text, std::uint64_t step_limit) {
  engine.reports.clear();
  engine.SetStepLimit(step_limit);
  const int status = engine.RunText(text);
  Outcome outcome;
  outcome.status = status == kValue ? kValue : IsError(status) ? -1 : status;
  if (status == kValue) outcome.answer = engine.storage().AnswerValue().ToReal();
  outcome.steps = engine.steps();
  for (const Seen& seen : engine.reports) {
    if (seen.source != "f") continue;
    const bool failed_call = seen.code == E_USERFUNC || seen.code == E_EXTFUNC;
    outcome.reports.push_back((failed_call ? std::string("failed call") : std::to_string(seen.code) + " " + seen.token) +
                              " " + std::to_string(seen.line));
  }
  return outcome;
}

class KeptLoopsTest : public EngineTest {
 protected:
  static constexpr std::uint64_t kNoRealLimit = 1000000;
};

TEST_F(KeptLoopsTest, KeptLoopsRunExactlyAsLoopsRecordedOnEveryCall) {
  TempFolder folder;
  BodyMaker maker(20261208);
  int runs_compared = 0;
  int ended_by_limit = 0;
  for (int body_number = 0; body_number < 120; ++body_number) {
    const std::string body = maker.Make();
    SCOPED_TRACE(body);
    folder.Write("f.cef", WithName(body, "!f"));
    std::mt19937 random(static_cast<unsigned>(body_number));

    // The reference: nothing kept.
    ExternalFunctionCache().Clear();
    ExternalFunctionCache().set_capacity(0);
    CalcContext reference_context;
    RecordingEngine reference(reference_context, Scripting());
    reference.folders = {folder.path()};
    struct Case {
      std::string argument;
      std::uint64_t limit;
      Outcome expected;
    };
    std::vector<Case> cases;
    for (const char* argument : {"0", "1", "2"}) {
      const Outcome full = Call(reference, std::string("!f ") + argument, kNoRealLimit);
      cases.push_back({argument, kNoRealLimit, full});
      for (int k = 0; k < 3; ++k) {
        const std::uint64_t limit = 1 + std::uniform_int_distribution<std::uint64_t>(0, full.steps)(random);
        cases.push_back({argument, limit, Call(reference, std::string("!f ") + argument, limit)});
        if (cases.back().expected.steps < full.steps) ++ended_by_limit;
      }
    }

    // Kept by a cached external function, and by a user-defined one; every
    // case twice, so that most calls replay what an earlier one kept.
    ExternalFunctionCache().set_capacity(kDefaultExternalCacheCapacity);
    CalcContext external_context;
    RecordingEngine external(external_context, Scripting());
    external.folders = {folder.path()};
    CalcContext user_context;
    RecordingEngine user(user_context, Scripting());
    ASSERT_EQ(user.RunText("func f\n" + WithName(body, "f") + "endfunc\n"), kNoValue);
    for (int pass = 0; pass < 2; ++pass) {
      for (const Case& c : cases) {
        SCOPED_TRACE("f " + c.argument + ", step limit " + std::to_string(c.limit) + ", pass " +
                     std::to_string(pass));
        EXPECT_EQ(Call(external, "!f " + c.argument, c.limit), c.expected);
        EXPECT_EQ(Call(user, "f " + c.argument, c.limit), c.expected);
        runs_compared += 2;
      }
    }
    if (HasFailure()) break;
  }
  // The bodies must really reach the cases that matter.
  EXPECT_GT(ended_by_limit, 200);
  EXPECT_EQ(runs_compared, 120 * 12 * 2 * 2);
}

// A function body compiled in decimal, where "AB" and "FFFFFFFF" are names,
// then run in radix 16, where they are numbers, in both integer modes and in
// a decimal mode again: every run reads them in its own mode, in the body's
// statements and in the loop the body keeps.
TEST_F(KeptLoopsTest, ABodyReadsItsNumbersInTheModeOfEachRun) {
  Run("func plain\nreturn AB\nendfunc\n"
      "func looped\nt = 0\nfor k = 0; k < 2; k += 1\nt = FFFFFFFF\nnext\nreturn t\nendfunc");
  ASSERT_TRUE(engine.reports.empty());
  struct Row {
    const char* mode;
    const char* call;
    int status;
    double answer;
  };
  const Row rows[] = {
      {":ulong \\16", "plain", kValue, 171},
      {":ulong \\16", "looped", kValue, 4294967295.0},
      {":long \\16", "looped", kValue, -1},
      {":long \\10", "plain", E_USERFUNC, 0},  // a name again, naming nothing
      {":long \\10", "looped", E_USERFUNC, 0},
      {":ulong \\16", "plain", kValue, 171},
      {":ulong \\16", "looped", kValue, 4294967295.0},
      {":long \\16", "looped", kValue, -1},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.mode) + " " + row.call);
    Run(row.mode);
    EXPECT_EQ(Run(row.call), row.status);
    if (row.status == kValue) {
      EXPECT_EQ(Answer(), row.answer);
    }
  }
}

}  // namespace
}  // namespace calc::testing
