#include "run_command.h"

#include <atomic>
#include <charconv>
#include <fstream>
#include <iostream>
#include <iterator>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "console_host.h"
#include "core/command_names.h"
#include "core/mode_commands.h"
#include "core/status_codes.h"
#include "language/functions.h"
#include "library/library_state.h"
#include "library/standard_library.h"
#include "line_editor.h"
#include "line_reader.h"
#include "source_file.h"
#include "text_codec.h"

namespace radixcalc {
namespace {

std::atomic<calc::CalcEngine*> g_running{nullptr};
std::atomic<bool> g_session{false};

struct Input {
  bool is_text = false;  // -e TEXT, else a file name
  std::string_view value;
};

struct RunOptions {
  std::optional<std::uint8_t> mode_command;
  std::optional<int> radix;
  std::optional<int> precision;
  std::vector<std::string_view> folders;
  std::string_view extension = ".cef";
  std::size_t cache = calc::kDefaultExternalCacheCapacity;
  bool quiet = false;
  bool converter = false;
  bool convert_text = ConvertsByDefault();
  unsigned long long max_steps = kDefaultMaxSteps;
  std::size_t max_memory = kDefaultMaxMemory;
  std::string_view canvas_file;
  std::vector<Input> inputs;
};

template <typename T>
bool ParseNumberArg(std::string_view text, T& out) {
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, out);
  return ec == std::errc() && ptr == end;
}

// A number of bytes, optionally followed by K, M or G (binary multiples).
bool ParseByteCount(std::string_view text, std::size_t& out) {
  std::size_t shift = 0;
  if (!text.empty()) {
    switch (text.back()) {
      case 'K': case 'k': shift = 10; break;
      case 'M': case 'm': shift = 20; break;
      case 'G': case 'g': shift = 30; break;
      default: break;
    }
  }
  if (shift != 0) text.remove_suffix(1);
  std::size_t count = 0;
  if (!ParseNumberArg(text, count) || count > (std::numeric_limits<std::size_t>::max() >> shift)) return false;
  out = count << shift;
  return true;
}

// The mode names are those of the mode commands that set a numeric mode or
// the angle unit.
std::optional<std::uint8_t> ModeCommandOf(std::string_view name) {
  const std::uint8_t code = calc::LookupCommand(name);
  if (code >= calc::kCmdEfloat && code <= calc::kCmdUint && code != calc::kCmdPrec && code != calc::kCmdFps)
    return code;
  if (code >= calc::kCmdRad && code <= calc::kCmdGrad) return code;
  return std::nullopt;
}

bool IsAngleCommand(std::uint8_t code) { return code >= calc::kCmdRad && code <= calc::kCmdGrad; }

bool TakesValue(std::string_view option) {
  static constexpr std::string_view kValueOptions[] = {"-e",    "--mode",  "--radix",     "--prec",      "--path",
                                                       "--ext", "--cache", "--max-steps", "--max-memory",
                                                       "--canvas"};
  for (const std::string_view known : kValueOptions)
    if (option == known) return true;
  return false;
}

std::optional<std::string> ParseRunOptions(std::span<const std::string_view> args, RunOptions& opt) {
  bool options_done = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    if (options_done || arg == "-" || arg.empty() || arg[0] != '-') {
      opt.inputs.push_back({false, arg});
      continue;
    }
    if (arg == "--") {
      options_done = true;
    } else if (arg == "-q") {
      opt.quiet = true;
    } else if (arg == "--converter") {
      opt.converter = true;
    } else if (arg == "--sjis") {
      opt.convert_text = false;
    } else if (!TakesValue(arg)) {
      return "unknown option " + std::string(arg);
    } else if (i + 1 >= args.size()) {
      return std::string(arg) + " needs a value";
    } else {
      const std::string_view value = args[++i];
      if (arg == "-e") {
        opt.inputs.push_back({true, value});
      } else if (arg == "--mode") {
        opt.mode_command = ModeCommandOf(value);
        if (!opt.mode_command) return "unknown mode " + std::string(value);
      } else if (arg == "--radix") {
        int radix = 0;
        if (!ParseNumberArg(value, radix) || radix < 2 || radix > 36) return "--radix must be 2 to 36";
        opt.radix = radix;
      } else if (arg == "--prec") {
        int precision = 0;
        if (!ParseNumberArg(value, precision) || precision < 0) return "--prec must be a number from 0";
        opt.precision = precision;
      } else if (arg == "--path") {
        if (value.empty()) return "--path needs a folder";
        opt.folders.push_back(value);
      } else if (arg == "--ext") {
        opt.extension = value;
      } else if (arg == "--cache") {
        if (!ParseNumberArg(value, opt.cache)) return "--cache must be a number (0: no cache)";
      } else if (arg == "--canvas") {
        if (value.empty()) return "--canvas needs a file name";
        opt.canvas_file = value;
      } else if (arg == "--max-steps") {
        if (!ParseNumberArg(value, opt.max_steps)) return "--max-steps must be a number (0: no limit)";
      } else {  // --max-memory
        if (!ParseByteCount(value, opt.max_memory))
          return "--max-memory must be a number of bytes, optionally with K, M or G (0: no limit)";
      }
    }
  }
  return std::nullopt;
}

const char* BlockName(calc::BlockType type) {
  switch (type) {
    case calc::kBlockDo: return "do";
    case calc::kBlockWhile: return "while";
    case calc::kBlockFor: return "for";
    default: return "func";
  }
}

bool IsBlank(std::string_view text) { return text.find_first_not_of(" \t\r") == std::string_view::npos; }

class RunningScope {
 public:
  explicit RunningScope(calc::CalcEngine& engine) { g_running.store(&engine); }
  ~RunningScope() { g_running.store(nullptr); }
  RunningScope(const RunningScope&) = delete;
  RunningScope& operator=(const RunningScope&) = delete;
};

class SessionScope {
 public:
  SessionScope() { g_session.store(true); }
  ~SessionScope() { g_session.store(false); }
  SessionScope(const SessionScope&) = delete;
  SessionScope& operator=(const SessionScope&) = delete;
};

// One run of radixcalc: the engine and what it runs.
class Runner {
 public:
  // `folders` and `extension` are engine text already.
  // `in` is what ":scanf" and ":scan" read; `terminal` is set for an
  // interactive session.
  Runner(const RunOptions& opt, const TextCodec& codec, std::vector<std::string> folders, std::string extension,
         std::istream& in, std::ostream& out, std::ostream& err, const LineEditor* terminal)
      : opt_(opt), codec_(codec), out_(out), err_(err) {
    setup_.out = &out;
    setup_.err = &err;
    setup_.codec = &codec_;
    setup_.out_is_terminal = &out == &std::cout && StdoutIsTerminal();
    setup_.in = &in;
    setup_.interactive = terminal != nullptr;
    setup_.folders = std::move(folders);
    setup_.extension = std::move(extension);
    setup_.canvas_file = opt.canvas_file;

    if (opt.mode_command && !IsAngleCommand(*opt.mode_command)) {
      calc::ModeCommandTarget target(context_);
      calc::RunModeCommand(*opt.mode_command, std::nullopt, target);
    }
    if (opt.radix) context_.SetRadix(*opt.radix);
    // Unless --prec says otherwise, reals print with as many digits as they
    // need: the automatic precision, shortest.
    context_.shortest_automatic = true;
    context_.SetPrecision(opt.precision.value_or(0));
    calc::CalcEngineSettings settings;
    settings.mode = context_.mode();
    settings.echo = !opt.quiet;
    if (opt.converter) {
      // Exactly RadixPad's engine: expressions only, range warnings on, and
      // a new name is no variable.
      context_.commands_allowed = false;
      context_.statements_allowed = false;
      context_.range_warnings = true;
    } else {
      settings.implicit_variables = true;
    }
    engine_ = std::make_unique<calc::CalcEngine>(context_, host_, settings);
    engine_->set_library(&calc::StandardLibrary());
    engine_->SetMemoryLimit(opt.max_memory);
    if (opt.mode_command && IsAngleCommand(*opt.mode_command))
      calc::RunModeCommand(*opt.mode_command, std::nullopt, engine_->mode_target());
    engine_->DefinePredefinedSymbol();
  }

  ~Runner() { engine_->ResetControl(); }

  // Runs one whole text as the source `name`; a text that cannot become
  // engine text is refused whole.
  void RunText(std::string_view name, std::string_view text) {
    std::string engine_text;
    if (!ToEngine(name, 1, text, engine_text)) return;
    Begin(name);
    {
      RunningScope running(*engine_);
      engine_->RunText(engine_text);
    }
    End(name);
  }

  // Runs a stream (a file or standard input) line by line as the source
  // `name`, until its end or until the run stops. A line longer than
  // kMaxLineLength ends it with an error, unread beyond that length.
  // Reports come in order with the results: every report flushes the output
  // before it is written.
  void RunStream(std::string_view name, std::istream& in) {
    Begin(name);
    // Both buffers live across the lines, so that a line allocates nothing
    // once they have held the longest line so far.
    std::string line;
    std::string engine_line;
    for (;;) {
      LineRead read;
      try {
        read = ReadPhysicalLine(in, line, calc::kMaxLineLength);
      } catch (const std::ios_base::failure& failure) {
        // A read error (a folder, a device that fails): the text ends here
        // and the run's status says the file could not be read.
        setup_.FlushReports();
        out_.flush();
        err_ << "radixcalc: cannot read " << SourceDisplayName(name) << ": " << ReadFailureReason(failure) << "\n";
        read_failed_ = true;
        break;
      }
      if (read == LineRead::kEnd) break;
      if (read == LineRead::kTooLong) {
        setup_.FlushReports();
        out_.flush();
        err_ << name << ":" << engine_->next_line() << ": line too long (more than " << calc::kMaxLineLength
             << " bytes)\n";
        line_too_long_ = true;
        break;
      }
      // A line that cannot become engine text ends the text like an error.
      if (!ToEngine(name, engine_->next_line(), line, engine_line)) break;
      {
        RunningScope running(*engine_);
        // With its end, so that an empty line is counted too.
        engine_line += '\n';
        engine_->RunText(engine_line);
      }
      // Results go out before the next read would wait (a program feeding
      // lines through a pipe sees each answer), but not after every line of a
      // file: a write per line would cost more than running the line.
      if (in.rdbuf()->in_avail() <= 0) out_.flush();
      if (engine_->run_stopped()) break;
    }
    End(name);
  }

  // The interactive session: one line at a time, each a run of its own.
  void RunSession(LineEditor& terminal) {
    SessionScope session;
    Begin("stdin");
    std::string line;
    while (terminal.ReadLine(Recording() ? "... " : "> ", line)) {
      if (!IsBlank(line)) terminal.AddHistory(line);
      std::string engine_line;
      // A refused line runs as an empty one, so that it is still counted and
      // the next line has its own number.
      if (!ToEngine("stdin", engine_->next_line(), line, engine_line)) engine_line = "\n";
      engine_->SetStepLimit(opt_.max_steps);
      {
        RunningScope running(*engine_);
        engine_->RunText(engine_line);
      }
      setup_.FlushReports();
      out_.flush();
      err_.flush();
    }
    End("stdin");
  }

  // The canvas as the run left it, to --canvas's file.
  void WriteCanvas() { host_.WriteCanvas(calc::RunState(*engine_).canvas); }

  int Status(bool unreadable) const {
    if (unreadable || read_failed_) return 2;
    return engine_->errors_reported() > 0 || unterminated_ || line_too_long_ || refused_text_ ? 1 : 0;
  }

 private:
  // `text` as engine text. When it cannot be converted, reports the problem
  // as "NAME:LINE: column C: WHAT" (`first_line` is the number of the text's
  // first line) and returns false.
  bool ToEngine(std::string_view name, int first_line, std::string_view text, std::string& engine_text) {
    TextProblem problem;
    if (codec_.ToEngine(text, engine_text, problem)) return true;
    setup_.FlushReports();
    out_.flush();
    err_ << name << ":" << first_line + static_cast<int>(problem.line) - 1 << ": " << problem.Describe() << "\n";
    refused_text_ = true;
    return false;
  }

  bool Recording() const { return engine_->control().blocks.mode() == calc::RecordingMode::kRecording; }

  void Begin(std::string_view name) {
    engine_->ResetControl();
    engine_->SetStepLimit(opt_.max_steps);
    engine_->BeginSource(codec_.NameToEngine(name));
  }

  void End(std::string_view name) {
    setup_.FlushReports();
    out_.flush();  // a file's results come before the report below
    if (Recording()) {
      const calc::CalcBlock* open = engine_->control().blocks.current();
      err_ << name << ":" << engine_->next_line() - 1 << ": " << BlockName(open ? open->type : calc::kBlockDo)
           << " block not closed\n";
      unterminated_ = true;
    }
    engine_->EndSource();
  }

  const RunOptions& opt_;
  const TextCodec& codec_;
  std::ostream& out_;
  std::ostream& err_;
  ConsoleSetup setup_;
  ConsoleHost host_{setup_};
  calc::CalcContext context_;
  std::unique_ptr<calc::CalcEngine> engine_;
  bool unterminated_ = false;
  bool line_too_long_ = false;
  bool read_failed_ = false;
  bool refused_text_ = false;
};

}  // namespace

std::string_view RunUsage() {
  return "usage: radixcalc [OPTIONS] [-e TEXT]... [FILE]...\n"
         "  Runs each -e TEXT and each FILE (- for standard input) as engine text, in the order\n"
         "  given, in one engine: variables and functions carry over from one to the next, and an\n"
         "  error ends the text it occurs in. With neither, standard input is read; when standard\n"
         "  input and output are both terminals this is an interactive session with line editing\n"
         "  and history (Ctrl+C interrupts a running line or drops the typed one, Ctrl+D ends;\n"
         "  a second Ctrl+C before a running line answered the first ends radixcalc).\n"
         "  Results that are not assignments print on standard output, one per line, as do :warn\n"
         "  messages; reports go to standard error as SOURCE:LINE: NAME[: TOKEN] (SOURCE: the file,\n"
         "  -e, - for standard input, stdin for the session, or the function running).\n"
         "options:\n"
         "  --mode NAME     the mode to start in: a mode command's name (gfloat, complex, fract,\n"
         "                  time, char, ulong, ..., rad, deg, grad)\n"
         "  --radix N       the radix of the integer modes (2 to 36)\n"
         "  --prec N        digits of the float and complex modes (default 0: as many as\n"
         "                  needed; integers print whole, other reals with the fewest digits\n"
         "                  that read back as the same number)\n"
         "  --path DIR      a folder searched for external function files (!name); repeatable,\n"
         "                  searched in the order given\n"
         "  --ext EXT       the extension of external function files (default .cef)\n"
         "  --cache N       external functions kept read after their first call (default 16;\n"
         "                  0: the file is read on every call); the least used one goes first\n"
         "  -q              no echo of results (messages and reports still appear)\n"
         "  --converter     RadixPad's converter engine: no commands, no statements, integer\n"
         "                  range warnings on, and assigning to a new name is an error\n"
         "  --max-steps N   steps of work one text may take (default 100000000, 0: no limit): a\n"
         "                  statement is one step, and long matrix and array operations count\n"
         "                  their work in steps as they go\n"
         "  --max-memory B  bytes the values, arrays and compiled lines of a run may take at\n"
         "                  once; K, M or G multiply by 1024, 1024^2, 1024^3 (default 1G,\n"
         "                  0: no limit). Past it the statement fails with E_MEM\n"
         "  --sjis          texts and output are Shift-JIS already (by default radixcalc on\n"
         "                  Linux converts UTF-8 to Shift-JIS and back; on Windows it never does).\n"
         "                  Converted text with a character Shift-JIS lacks, or bytes that are\n"
         "                  not UTF-8, is refused: SOURCE:LINE: column C: what it is\n"
         "  --canvas FILE   after the run, and whenever the canvas is refreshed, write it to FILE\n"
         "                  as an indexed PNG (:gworld makes the canvas; see README.md for the\n"
         "                  colours of the indices)\n"
         "  --help          this text\n"
         "language notes:\n"
         "  A new name is declared by assigning to it. func NAME PARAMS ... endfunc defines a\n"
         "  function: parameters are separated by blanks, &x marks a reference (its argument is\n"
         "  written back to the caller), x[] an array. A call writes its arguments after the\n"
         "  name (f x 2, f (x + 1)); inside, @! is their number and @0 to @9 their values. The\n"
         "  value of a call is the function's last result or what return gives. Calls nest\n"
         "  about 400 deep; deeper recursion fails with E_MEM. !NAME runs the external function\n"
         "  file NAME.cef, whose :params line names its arguments. :ans 0 makes a function\n"
         "  return no value; :warn [\"text] prints a message (\"-\" stands for the source's name);\n"
         "  :assert 1 turns assert on (a failed assert reports and ends the text); :debug 1\n"
         "  traces every function file read. A negative argument is written \\-1.\n"
         "  RADIXCALC is a constant 1 in every context.\n"
         "  Lines of files and standard input may be at most 16 MiB long; a longer one ends the\n"
         "  text with an error. The step limit, an interruption and the memory limit end a\n"
         "  statement with E_MEM, reported with the reason: E_MEM: step limit reached,\n"
         "  E_MEM: interrupted, E_MEM: memory limit reached.\n"
         "exit status: 0 no error reported, 1 an error was reported, 2 a usage error or a file\n"
         "  that cannot be read (reported as radixcalc: cannot read FILE: REASON).\n";
}

InterruptAnswer InterruptScripts() {
  calc::CalcEngine* engine = g_running.load();
  if (engine == nullptr) return InterruptAnswer::kIdle;
  if (engine->budget().interrupt_pending()) return InterruptAnswer::kUnanswered;
  engine->RequestInterrupt();
  return InterruptAnswer::kRequested;
}

bool InSession() { return g_session.load(); }

int RunScripts(std::span<const std::string_view> args, std::istream& in, std::ostream& out, std::ostream& err,
               LineEditor* terminal) {
  RunOptions opt;
  if (auto problem = ParseRunOptions(args, opt)) {
    err << "radixcalc: " << *problem << " (radixcalc --help lists the options)\n";
    return 2;
  }

  // Process-wide: the predefined symbol, and the cache of function files,
  // which starts empty for every run.
  calc::CalcEngine::SetPredefinedSymbol(kPredefinedSymbol);
  calc::ExternalFunctionCache().Clear();
  calc::ExternalFunctionCache().set_capacity(opt.cache);

  const TextCodec codec(opt.convert_text);
  std::vector<std::string> folders;
  std::string extension;
  TextProblem problem;
  for (const std::string_view folder : opt.folders) {
    if (!codec.ToEngine(folder, folders.emplace_back(), problem)) {
      err << "radixcalc: --path " << folder << ": " << problem.Describe() << "\n";
      return 2;
    }
  }
  if (!codec.ToEngine(opt.extension, extension, problem)) {
    err << "radixcalc: --ext " << opt.extension << ": " << problem.Describe() << "\n";
    return 2;
  }

  Runner runner(opt, codec, std::move(folders), std::move(extension), in, out, err, terminal);
  bool unreadable = false;
  if (opt.inputs.empty()) {
    if (terminal != nullptr)
      runner.RunSession(*terminal);
    else
      runner.RunStream("-", in);
  }
  for (const Input& input : opt.inputs) {
    if (input.is_text) {
      runner.RunText("-e", input.value);
    } else if (input.value == "-") {
      runner.RunStream("-", in);
    } else {
      std::ifstream file;
      if (const std::string reason = OpenSourceFile(input.value, file); !reason.empty()) {
        out.flush();
        err << "radixcalc: cannot read " << input.value << ": " << reason << "\n";
        unreadable = true;
        continue;
      }
      runner.RunStream(input.value, file);
    }
  }
  runner.WriteCanvas();
  calc::ExternalFunctionCache().Clear();
  return runner.Status(unreadable);
}

}  // namespace radixcalc
