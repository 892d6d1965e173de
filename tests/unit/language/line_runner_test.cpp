// Text to statements (";", "#", backslashes, line numbers), the statuses of
// running a statement, the line filter, echo, sources and interruption.
#include <chrono>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "engine_fixture.h"

namespace calc::testing {
namespace {

struct SplitRow {
  std::string_view line;
  std::vector<std::string_view> statements;
  std::string_view comment;
};

TEST(SplitStatements, CutsAtUnescapedSemicolonsAndEndsAtComments) {
  const SplitRow rows[] = {
      {"a; b", {"a", " b"}, ""},
      {"a \\; b", {"a \\; b"}, ""},
      {"a \\\\; b", {"a \\\\", " b"}, ""},
      {"a # c; d", {"a "}, " c; d"},
      {"a \\# b", {"a \\# b"}, ""},
      {"x;", {"x", ""}, ""},
      {"for i = 0;; i++", {"for i = 0", "", " i++"}, ""},
      {"", {}, ""},
      {" \t ", {}, ""},
      {"(1A*2B)/3 \\ \x83", {"(1A*2B)/3 \\ \x83"}, ""},  // nothing to cut at: the whole line
      {"   # only a note", {}, " only a note"},
      {"\x83\x5c;x", {"\x83\x5c", "x"}, ""},  // the second byte of a double-byte character escapes nothing
  };
  for (const SplitRow& row : rows) {
    const SplitLine split = SplitStatements(row.line);
    EXPECT_EQ(split.statements, row.statements) << row.line;
    EXPECT_EQ(split.comment, row.comment) << row.line;
  }
}

// Lines end at CR, LF or CR LF, whichever comes first; held against the
// obvious byte-by-byte cut on random texts of those bytes.
TEST(NextPhysicalLine, CutsAtTheFirstLineEndOfEachKind) {
  const auto cut_by_bytes = [](std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t pos = 0;
    while (pos < text.size()) {
      std::size_t end = pos;
      while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
      lines.push_back(text.substr(pos, end - pos));
      if (end < text.size() && text[end] == '\r') ++end;
      if (end < text.size() && text[end] == '\n') ++end;
      pos = end;
    }
    return lines;
  };
  std::mt19937 rng(8);
  const char bytes[] = {'a', 'b', '\r', '\n', ';'};
  for (int round = 0; round < 2000; ++round) {
    std::string text;
    for (int i = round % 24; i > 0; --i) text += bytes[rng() % sizeof bytes];
    std::vector<std::string_view> lines;
    std::size_t pos = 0;
    std::string_view line;
    while (NextPhysicalLine(text, pos, line)) lines.push_back(line);
    EXPECT_EQ(lines, cut_by_bytes(text)) << text;
  }
}

TEST(CompileLine, AnInterruptionEndsALineOfManyStatementsBeforeItIsCompiled) {
  CalcContext context;
  const auto budget = CalcRunBudget::Make();
  budget->RequestInterrupt();
  CalcLineList lines;
  EXPECT_EQ(CompileLine(context, std::string(100000, ';'), 1, lines, budget.get()), E_MEM);
  EXPECT_TRUE(lines.empty());
  EXPECT_EQ(budget->stop(), CalcRunBudget::Stop::kInterrupted);
}

TEST(CompileText, NumbersStatementsByPhysicalLine) {
  CalcContext context;
  CalcLineList lines;
  ASSERT_EQ(CompileText(context, "a\nb; c\r\nd # note", 5, lines), kDone);
  std::vector<int> numbers;
  for (const CalcLine& line : lines) numbers.push_back(line.line);
  EXPECT_EQ(numbers, (std::vector<int>{5, 6, 6, 7}));
  EXPECT_TRUE(lines[3].has_comment());
  EXPECT_EQ(lines[3].comment_text(), " note");
  EXPECT_FALSE(lines[0].has_comment());
}

using LineRunnerTest = EngineTest;

struct StatusRow {
  const char* text;
  int status;
};

TEST_F(LineRunnerTest, EachStatementEndsWithItsStatus) {
  const StatusRow rows[] = {
      {"", kNoValue},
      {";", kNoValue},
      {"1 + 1", kValue},
      {"x = 1", kValue},
      {":radix 10", kNoValue},
      {"if 0; 5", kNoValue},  // skipped
      {"endif", kNoValue},
      {"1 +", E_RVALUE_NULL},
  };
  for (const StatusRow& row : rows) EXPECT_EQ(Run(row.text), row.status) << row.text;
}

TEST_F(LineRunnerTest, ACommentEndsTheStatementAndAnEscapedOneDoesNot) {
  Run("1 # 2; 3");
  EXPECT_EQ(Printed(), "1\n");
  EXPECT_EQ(Run("x = 1\\#2"), E_CONSTANT);  // the word 1#2 is no number
}

TEST_F(LineRunnerTest, ReportsCarryTheSourceLineAndAnErrorEndsTheSource) {
  engine.BeginSource("script");
  Run("1\n\n2 +\n3");
  EXPECT_EQ(Printed(), "1\n");
  ASSERT_EQ(engine.reports.size(), 1u);
  EXPECT_EQ(engine.reports[0].code, E_RVALUE_NULL);
  EXPECT_TRUE(engine.run_stopped());
  engine.EndSource();
  // Without a source the text goes on after an error.
  Run("2 +\n3");
  EXPECT_EQ(Printed(), "3\n");
  EXPECT_FALSE(engine.run_stopped());
}

TEST_F(LineRunnerTest, TheLineFilterAsksTheHooksAsItsModeSays) {
  // Each source numbers its lines from 1.
  const auto run_source = [this](std::string_view text) {
    engine.BeginSource("filtered");
    const int status = Run(text);
    engine.EndSource();
    return status;
  };
  run_source("1\n2\n3");
  EXPECT_TRUE(engine.notified.empty());  // the default lets everything run unasked
  engine.line_filter().mode = CalcLineFilter::kAskAll;
  engine.refused_line = 2;
  EXPECT_EQ(run_source("1\n2"), 1);
  EXPECT_EQ(Printed(), "1\n");
  EXPECT_EQ(engine.notified, (std::vector<int>{1, 2}));
  engine.line_filter().mode = CalcLineFilter::kAskListed;
  engine.line_filter().lines = {2};
  engine.notified.clear();
  run_source("1\n2\n3");
  EXPECT_EQ(engine.notified, std::vector<int>{2});
  EXPECT_EQ(Printed(), "1\n3\n");
  engine.line_filter().notify = false;
  engine.notified.clear();
  run_source("1\n2");
  EXPECT_TRUE(engine.notified.empty());
}

TEST_F(LineRunnerTest, EchoSwitchedOffPrintsNothing) {
  engine.set_echo(false);
  EXPECT_EQ(Run("1 + 1"), kValue);
  EXPECT_TRUE(engine.printed.empty());
}

TEST_F(LineRunnerTest, AStepLimitEndsARunawayLoop) {
  engine.SetStepLimit(1000);
  EXPECT_EQ(Run("do\nx = 1\nuntil 1\n5"), E_MEM);
  EXPECT_TRUE(engine.interrupted());
  EXPECT_TRUE(engine.run_stopped());
  EXPECT_EQ(Printed(), "");
  EXPECT_EQ(engine.control().blocks.mode(), RecordingMode::kNormal);
  engine.SetStepLimit(0);
  EXPECT_EQ(Run("5"), kValue);
  EXPECT_FALSE(engine.interrupted());
}

TEST_F(LineRunnerTest, ACancellationFromAnotherThreadEndsARunawayLoop) {
  std::thread canceller([this] {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    engine.RequestInterrupt();
  });
  EXPECT_EQ(Run("do\nuntil 1"), E_MEM);
  canceller.join();
  EXPECT_TRUE(engine.interrupted());
}

}  // namespace
}  // namespace calc::testing
