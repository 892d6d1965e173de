// radixcalc's run form: -e texts and files as sources, echo on standard
// output, reports on standard error, and the exit status.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "core/numeric_settings.h"
#include "language/functions.h"
#include "run_command.h"
#include "text_codec.h"

namespace radixcalc {
namespace {

struct Outcome {
  int status;
  std::string out;
  std::string err;
};

Outcome RunCli(std::vector<std::string_view> args, const std::string& input = "", LineEditor* terminal = nullptr) {
  std::istringstream in(input);
  std::ostringstream out, err;
  const int status = RunScripts(args, in, out, err, terminal);
  return {status, out.str(), err.str()};
}

// Engine text as radixcalc writes it on this system.
std::string Terminal(std::string_view engine_text) { return TextCodec(ConvertsByDefault()).FromEngine(engine_text); }

TEST(RunCommand, TheForLoopExampleEndsWithItsSum) {
  const Outcome o = RunCli({"-e", "for i = 0; i < 3; i = i + 1; s = s + i; next; s"});
  EXPECT_EQ(o.status, 0);
  EXPECT_EQ(o.out, "3\n");
  EXPECT_EQ(o.err, "");
}

TEST(RunCommand, TextsRunInOrderAndShareTheirVariables) {
  const Outcome o = RunCli({"-e", "x = 4", "-", "-e", "x * y"}, "y = 5\nx + y\n");
  EXPECT_EQ(o.status, 0);
  EXPECT_EQ(o.out, "9\n20\n");
}

TEST(RunCommand, AnErrorEndsItsTextReportsItsLineAndSetsStatusOne) {
  const Outcome o = RunCli({"-e", "1\n2 +\n3", "-e", "4"});
  EXPECT_EQ(o.status, 1);
  EXPECT_EQ(o.out, "1\n4\n");
  EXPECT_EQ(o.err, "-e:2: E_RVALUE_NULL: +\n");
}

TEST(RunCommand, WarningsAloneKeepStatusZero) {
  const Outcome o = RunCli({"-e", "1 / 0 > 1"});
  EXPECT_EQ(o.status, 0);
  EXPECT_EQ(o.out, "1\n");
  EXPECT_EQ(o.err, "-e:1: W_DIV: /\n");
}

TEST(RunCommand, ModeAndRadixOptionsSetTheStartingMode) {
  EXPECT_EQ(RunCli({"--mode", "ushort", "--radix", "16", "-e", "0 - 1"}).out, "FFFF\n");
  EXPECT_EQ(RunCli({"--mode", "fract", "-e", "1_2 + 1_3"}).out, Terminal("5\x81\x76" "6\n"));
  // ":ptype" returns to the mode the run started in.
  EXPECT_EQ(RunCli({"--mode", "long", "-e", ":gfloat; :ptype; 7 / 2"}).out, "3\n");
}

TEST(RunCommand, AnOpenBlockAtTheEndOfATextIsAnError) {
  const Outcome o = RunCli({"-e", "while 1\n1"});
  EXPECT_EQ(o.status, 1);
  EXPECT_EQ(o.out, "");
  EXPECT_EQ(o.err, "-e:2: while block not closed\n");
}

TEST(RunCommand, TheStepLimitEndsARunawayLoop) {
  const Outcome o = RunCli({"--max-steps", "500", "-e", "do\nuntil 1"});
  EXPECT_EQ(o.status, 1);
  EXPECT_EQ(o.err, "-e:1: E_MEM: step limit reached\n");
}

// A usage error is one line that names the problem and points to --help.
TEST(RunCommand, UsageErrorsAreOneLineWithStatusTwo) {
  const struct {
    std::vector<std::string_view> args;
    std::string_view problem;
  } rows[] = {
      {{"--bogus"}, "unknown option --bogus"},
      {{"--bogus", "1"}, "unknown option --bogus"},
      {{"-x", "-e", "1"}, "unknown option -x"},
      {{"-e"}, "-e needs a value"},
      {{"-e", "1", "--prec"}, "--prec needs a value"},
      {{"--mode", "hex", "-e", "1"}, "unknown mode hex"},
      {{"--radix", "40", "-e", "1"}, "--radix must be 2 to 36"},
      {{"--prec", "-1", "-e", "1"}, "--prec must be a number from 0"},
      {{"--cache", "x", "-e", "1"}, "--cache must be a number (0: no cache)"},
      {{"--path", "", "-e", "1"}, "--path needs a folder"},
      {{"--max-memory", "12x", "-e", "1"},
       "--max-memory must be a number of bytes, optionally with K, M or G (0: no limit)"},
      {{"--max-memory", "M", "-e", "1"},
       "--max-memory must be a number of bytes, optionally with K, M or G (0: no limit)"},
      {{"--max-memory", "99999999999999G", "-e", "1"},
       "--max-memory must be a number of bytes, optionally with K, M or G (0: no limit)"},
  };
  for (const auto& row : rows) {
    const Outcome o = RunCli(row.args);
    EXPECT_EQ(o.status, 2) << row.args.front();
    EXPECT_EQ(o.out, "");
    EXPECT_EQ(o.err, "radixcalc: " + std::string(row.problem) + " (radixcalc --help lists the options)\n");
  }
}

TEST(RunCommand, AFileThatCannotBeReadIsReportedWithTheReasonAndStatusTwo) {
  namespace fs = std::filesystem;
  const std::string folder = fs::temp_directory_path().string();
  struct Row {
    std::string file;
    std::string reason;
  };
  std::vector<Row> rows = {{"/nonexistent/script.calc", "No such file or directory"}, {folder, "Is a directory"}};
  // Opens, then fails to read.
#ifndef _WIN32
  if (fs::exists("/proc/self/mem")) rows.push_back({"/proc/self/mem", "Input/output error"});
#endif
  for (const Row& row : rows) {
    const Outcome o = RunCli({"-e", "1", row.file, "-e", "2"});
    EXPECT_EQ(o.status, 2) << row.file;
    EXPECT_EQ(o.out, "1\n2\n") << row.file;
    EXPECT_EQ(o.err, "radixcalc: cannot read " + row.file + ": " + row.reason + "\n");
  }
}

// Standard input that gives one line, then a read error.
class FailingInput : public std::streambuf {
 protected:
  int_type underflow() override {
    if (served_) throw std::ios_base::failure("read", std::make_error_code(std::errc::io_error));
    served_ = true;
    setg(line_, line_, line_ + 2);
    return traits_type::to_int_type(line_[0]);
  }

 private:
  char line_[2] = {'7', '\n'};
  bool served_ = false;
};

TEST(RunCommand, AReadErrorOnStandardInputEndsItWithStatusTwo) {
  FailingInput buffer;
  std::istream in(&buffer);
  std::ostringstream out, err;
  const std::vector<std::string_view> args = {"-", "-e", "8"};
  EXPECT_EQ(RunScripts(args, in, out, err), 2);
  EXPECT_EQ(out.str(), "7\n8\n");
  EXPECT_EQ(err.str(), "radixcalc: cannot read standard input: Input/output error\n");
}

TEST(RunCommand, TheMemoryLimitFailsAStatementAndTheNextTextRuns) {
  // Suffixed and plain byte counts; a one-element array takes more than 1 byte.
  for (const std::string_view limit : {"8M", "8m", "8388608", "8192K"}) {
    const Outcome o = RunCli({"--max-memory", limit, "-e", "@@a 0 0 100000 = 1", "-e", "2"});
    EXPECT_EQ(o.status, 1) << limit;
    EXPECT_EQ(o.out, "2\n");
    EXPECT_EQ(o.err, "-e:1: E_MEM: memory limit reached\n");
  }
  EXPECT_EQ(RunCli({"--max-memory", "0", "-e", "@@a 0 0 100000 = 1; 3"}).out, "3\n");  // no limit
}

TEST(RunCommand, ALineLongerThanTheLimitEndsItsTextUnread) {
  std::string input = "1\n\n";
  input += std::string(calc::kMaxLineLength + 1, '7');
  input += "\n4\n";
  const Outcome o = RunCli({"-", "-e", "5"}, input);
  EXPECT_EQ(o.status, 1);
  EXPECT_EQ(o.out, "1\n5\n");
  EXPECT_EQ(o.err, "-:3: line too long (more than 16777216 bytes)\n");
}

// Lines typed at the terminal, and what the session asked for.
class ScriptedEditor : public LineEditor {
 public:
  explicit ScriptedEditor(std::vector<std::string> lines) : lines_(std::move(lines)) {}
  bool ReadLine(std::string_view prompt, std::string& line) override {
    prompts.emplace_back(prompt);
    if (next_ >= lines_.size()) return false;
    line = lines_[next_++];
    return true;
  }
  void AddHistory(std::string_view line) override { history.emplace_back(line); }

  std::vector<std::string> prompts;
  std::vector<std::string> history;

 private:
  std::vector<std::string> lines_;
  std::size_t next_ = 0;
};

TEST(RunCommand, TheSessionRunsLineByLineAndGoesOnAfterAnError) {
  ScriptedEditor editor({"x = 2", "x +", "", "while x < 4", "x = x + 1", "endwhile", "x"});
  const Outcome o = RunCli({"--max-steps", "1000"}, "", &editor);
  EXPECT_EQ(o.out, "4\n");
  EXPECT_EQ(o.err, "stdin:2: E_RVALUE_NULL: +\n");
  EXPECT_EQ(editor.prompts, (std::vector<std::string>{"> ", "> ", "> ", "> ", "... ", "... ", "> ", "> "}));
  EXPECT_EQ(editor.history,
            (std::vector<std::string>{"x = 2", "x +", "while x < 4", "x = x + 1", "endwhile", "x"}));
  EXPECT_EQ(o.status, 1);
}

TEST(RunCommand, WithoutTextsStandardInputIsReadUntilAnErrorEndsIt) {
  const Outcome o = RunCli({}, "func f a &b\nb = a * 2\nreturn a + 1\nendfunc\nx = 5; y = 0; f x y; y\n");
  EXPECT_EQ(o.out, "6\n10\n");
  EXPECT_EQ(o.status, 0);
  const Outcome e = RunCli({}, "1\n2 +\n3\n");
  EXPECT_EQ(e.out, "1\n");
  EXPECT_EQ(e.err, "-:2: E_RVALUE_NULL: +\n");
}

TEST(RunCommand, PrecisionQuietAndAngleOptions) {
  EXPECT_EQ(RunCli({"--prec", "3", "-e", "2 / 3"}).out, "0.667\n");
  const Outcome quiet = RunCli({"-q", "-e", "1 + 1; :warn [\"shown]"});
  EXPECT_EQ(quiet.out, "shown\n");
  // The function converts its parameter from the caller's unit, degrees.
  EXPECT_EQ(RunCli({"--mode", "deg", "-e", "func f x; :rad; :angle 0; return x; endfunc; f 180"}).out,
            "3.141592653589793\n");
  // The converter's set-up refuses commands.
  const Outcome converter = RunCli({"--converter", "-e", ":warn 0"});
  EXPECT_EQ(converter.err, "-e:1: E_COMMAND\n");
  EXPECT_EQ(converter.status, 1);
}

TEST(RunCommand, FunctionFilesComeFromTheGivenFoldersWithTheGivenExtension) {
  namespace fs = std::filesystem;
  const fs::path folder = fs::temp_directory_path() / ("radixcalc-test-" + std::to_string(std::random_device()()));
  fs::create_directories(folder);
  std::ofstream(folder / "sq.txt") << ":params x\nreturn x * x\n";
  const std::string path = folder.string();
  const Outcome o = RunCli({"--path", "/nonexistent", "--path", path, "--ext", ".txt", "-e", "!sq 7"});
  EXPECT_EQ(o.out, "49\n");
  EXPECT_EQ(o.status, 0);
  const Outcome missing = RunCli({"--path", path, "-e", "!sq 7"});
  EXPECT_EQ(missing.err, "-e:1: E_FUNC_OPEN: sq\n-e:1: E_EXTFUNC: !sq\n");
  std::error_code ignored;
  fs::remove_all(folder, ignored);
}

TEST(RunCommand, TextWithoutShiftJisIsRefusedWhereverItComesFrom) {
  if (!ConvertsByDefault()) GTEST_SKIP() << "radixcalc.exe passes the console's text through";
  // An -e text is refused whole; the next text runs.
  const Outcome e = RunCli({"-e", "1\n5 \xF0\x9F\x98\x80 7 9", "-e", "2"});
  EXPECT_EQ(e.out, "2\n");
  EXPECT_EQ(e.err, "-e:2: column 3: character U+1F600 (\xF0\x9F\x98\x80) has no Shift-JIS code\n");
  EXPECT_EQ(e.status, 1);
  // A file's bad line ends the file like an error.
  const Outcome file = RunCli({"-"}, "1\n2 \xFF 3\n4\n");
  EXPECT_EQ(file.out, "1\n");
  EXPECT_EQ(file.err, "-:2: column 3: invalid UTF-8 (byte FF)\n");
  EXPECT_EQ(file.status, 1);
  // The session reports the line and goes on; the line keeps its number.
  ScriptedEditor editor({"1", "\x95\x5c", "2 +"});
  const Outcome session = RunCli({}, "", &editor);
  EXPECT_EQ(session.out, "1\n");
  EXPECT_EQ(session.err, "stdin:2: column 1: invalid UTF-8 (byte 95)\nstdin:3: E_RVALUE_NULL: +\n");
  EXPECT_EQ(session.status, 1);
  // Folders and the extension are engine text too.
  const Outcome path = RunCli({"--path", "\xFF", "-e", "1"});
  EXPECT_EQ(path.err, "radixcalc: --path \xFF: column 1: invalid UTF-8 (byte FF)\n");
  EXPECT_EQ(path.status, 2);
}

TEST(RunCommand, JapaneseTextRoundTripsThroughTheEngine) {
  if (!ConvertsByDefault()) GTEST_SKIP() << "radixcalc.exe passes the console's text through";
  // "表" ends in the byte of a backslash in Shift-JIS.
  const Outcome o = RunCli({"-e", ":warn [\"表示 - \xe3\x83\x86\xe3\x82\xb9\xe3\x83\x88]"});
  EXPECT_EQ(o.out, "表示 -e テスト\n");
  const Outcome sjis = RunCli({"--sjis", "-e", ":warn [\"\x95\x5c-]"});
  EXPECT_EQ(sjis.out, "\x95\x5c-e\n");
}

}  // namespace
}  // namespace radixcalc
