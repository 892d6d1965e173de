#include "run_command.h"

#include <atomic>
#include <charconv>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "console_engine.h"
#include "core/command_names.h"
#include "core/mode_commands.h"
#include "core/status_codes.h"

namespace radixcalc {
namespace {

std::atomic<calc::CalcEngine*> g_running{nullptr};

struct Input {
  bool is_text = false;  // -e TEXT, else a file name
  std::string_view value;
};

struct RunOptions {
  std::optional<std::uint8_t> mode_command;
  std::optional<int> radix;
  unsigned long long max_steps = kDefaultMaxSteps;
  std::vector<Input> inputs;
};

template <typename T>
bool ParseNumberArg(std::string_view text, T& out) {
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, out);
  return ec == std::errc() && ptr == end;
}

// The mode names are those of the mode commands that set a numeric mode.
std::optional<std::uint8_t> ModeCommandOf(std::string_view name) {
  const std::uint8_t code = calc::LookupCommand(name);
  if (code >= calc::kCmdEfloat && code <= calc::kCmdUint && code != calc::kCmdPrec && code != calc::kCmdFps)
    return code;
  return std::nullopt;
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
      continue;
    }
    if (i + 1 >= args.size()) return std::string(arg) + " needs a value";
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
    } else if (arg == "--max-steps") {
      if (!ParseNumberArg(value, opt.max_steps)) return "--max-steps must be a number (0: no limit)";
    } else {
      return "unknown option " + std::string(arg);
    }
  }
  if (opt.inputs.empty()) return "nothing to run: give -e TEXT or a FILE";
  return std::nullopt;
}

bool ReadInput(const Input& input, std::istream& in, std::string& text) {
  if (input.value == "-") {
    text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
  }
  std::ifstream file{std::string(input.value), std::ios::binary};
  if (!file) return false;
  std::ostringstream contents;
  contents << file.rdbuf();
  if (file.bad()) return false;
  text = std::move(contents).str();
  return true;
}

const char* BlockName(calc::BlockType type) {
  switch (type) {
    case calc::kBlockDo: return "do";
    case calc::kBlockWhile: return "while";
    case calc::kBlockFor: return "for";
    default: return "func";
  }
}

class RunningScope {
 public:
  explicit RunningScope(calc::CalcEngine& engine) { g_running.store(&engine); }
  ~RunningScope() { g_running.store(nullptr); }
  RunningScope(const RunningScope&) = delete;
  RunningScope& operator=(const RunningScope&) = delete;
};

}  // namespace

std::string_view RunUsage() {
  return "usage: radixcalc [--mode NAME] [--radix N] [--max-steps N] [-e TEXT]... [FILE]...\n"
         "  Runs each -e TEXT and each FILE (- for standard input) as engine text and prints\n"
         "  every echoed result on its own line; reports go to standard error.\n"
         "  --mode: a numeric mode (gfloat, complex, fract, time, char, ulong, ...)\n"
         "  --radix: the radix of the integer modes (2 to 36)\n"
         "  --max-steps: statements a run may take (default 100000000, 0: no limit)\n";
}

void InterruptScripts() {
  if (calc::CalcEngine* engine = g_running.load()) engine->RequestInterrupt();
}

int RunScripts(std::span<const std::string_view> args, std::istream& in, std::ostream& out, std::ostream& err) {
  RunOptions opt;
  if (auto problem = ParseRunOptions(args, opt)) {
    err << "radixcalc: " << *problem << "\n" << RunUsage();
    return 2;
  }

  calc::CalcContext context;
  if (opt.mode_command) {
    calc::ModeCommandTarget target(context);
    calc::RunModeCommand(*opt.mode_command, std::nullopt, target);
  }
  if (opt.radix) context.SetRadix(*opt.radix);

  calc::CalcEngineSettings settings;
  settings.mode = context.mode();
  settings.implicit_variables = true;
  ConsoleEngine engine(context, settings, out, err, "radixcalc");
  engine.SetStepLimit(opt.max_steps);
  RunningScope running(engine);

  bool unreadable = false;
  bool unterminated = false;
  for (const Input& input : opt.inputs) {
    std::string text;
    if (input.is_text) {
      text = input.value;
    } else if (!ReadInput(input, in, text)) {
      err << "radixcalc: cannot read " << input.value << "\n";
      unreadable = true;
      continue;
    }
    const std::string_view name = input.is_text ? std::string_view("-e") : input.value;
    engine.ResetControl();
    engine.BeginSource(name);
    engine.RunText(text);
    if (engine.control().blocks.mode() == calc::RecordingMode::kRecording) {
      const calc::CalcBlock* open = engine.control().blocks.current();
      err << name << ":" << engine.next_line() - 1 << ": " << BlockName(open ? open->type : calc::kBlockDo)
          << " block not closed\n";
      unterminated = true;
    }
    engine.EndSource();
    out.flush();
  }
  engine.ResetControl();
  if (unreadable) return 2;
  return engine.errors_reported() > 0 || unterminated ? 1 : 0;
}

}  // namespace radixcalc
