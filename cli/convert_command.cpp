#include "convert_command.h"

#include <array>
#include <sstream>
#include <optional>
#include <string>

#include "console_engine.h"
#include "core/context.h"
#include "core/modes.h"
#include "core/render.h"
#include "core/status_codes.h"
#include "core/tokenizer.h"
#include "core/value.h"

namespace radixcalc {
namespace {

constexpr std::array<int, 4> kFieldRadix = {2, 8, 10, 16};

// The converter reads at most this much of a field.
constexpr std::size_t kFieldTextLimit = 255;

struct ConvertOptions {
  int width = 32;
  std::array<bool, 4> is_unsigned = {true, true, false, true};  // BIN OCT DEC HEX
  int from = 10;
  bool hold = false;
  std::string_view text;
};

std::optional<int> ParseChoice(std::string_view word, std::initializer_list<int> allowed) {
  for (int choice : allowed)
    if (word == std::to_string(choice)) return choice;
  return std::nullopt;
}

bool ParseSigns(std::string_view word, std::array<bool, 4>& is_unsigned) {
  if (word.size() != 4) return false;
  for (std::size_t i = 0; i < 4; ++i) {
    if (word[i] != 's' && word[i] != 'u') return false;
    is_unsigned[i] = word[i] == 'u';
  }
  return true;
}

// Returns an error message, or nothing when the arguments were understood.
std::optional<std::string> ParseOptions(std::span<const std::string_view> args, ConvertOptions& opt) {
  bool have_text = false;
  bool options_done = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    const bool is_option = !options_done && arg.size() > 1 && arg[0] == '-' && arg[1] == '-';
    if (!is_option) {
      if (have_text) return "more than one TEXT given";
      opt.text = arg;
      have_text = true;
      continue;
    }
    if (arg == "--") {
      options_done = true;
      continue;
    }
    if (arg == "--hold") {
      opt.hold = true;
      continue;
    }
    if (i + 1 >= args.size()) return std::string(arg) + " needs a value";
    const std::string_view value = args[++i];
    if (arg == "--width") {
      auto w = ParseChoice(value, {8, 16, 32});
      if (!w) return "--width must be 8, 16 or 32";
      opt.width = *w;
    } else if (arg == "--from") {
      auto f = ParseChoice(value, {2, 8, 10, 16});
      if (!f) return "--from must be 2, 8, 10 or 16";
      opt.from = *f;
    } else if (arg == "--signs") {
      if (!ParseSigns(value, opt.is_unsigned)) return "--signs must be four letters s or u (BIN OCT DEC HEX)";
    } else {
      return "unknown option " + std::string(arg);
    }
  }
  if (!have_text) return "TEXT is missing";
  return std::nullopt;
}

std::size_t FieldIndexOfRadix(int radix) {
  for (std::size_t i = 0; i < kFieldRadix.size(); ++i)
    if (kFieldRadix[i] == radix) return i;
  return 2;
}

void SetField(calc::CalcContext& ctx, const ConvertOptions& opt, std::size_t field) {
  ctx.SetMode(calc::IntegerMode(opt.width, opt.is_unsigned[field]));
  ctx.SetRadix(kFieldRadix[field]);
}

bool IsOperandToken(std::uint8_t kind) {
  return kind == calc::kTokNumber || kind == calc::kTokVariable || kind == calc::kTokArray;
}

// The text re-rendered token by token in every field: one blank between two
// adjacent operands (number, variable or array by code), one blank after a
// built-in or external function name, nothing else added.
int Transcribe(calc::CalcContext& ctx, const ConvertOptions& opt, std::string_view text, std::ostream& out,
               std::ostream& err) {
  calc::CalcTokenList tokens;
  if (calc::Tokenize(ctx, text, true, tokens) != calc::kDone) {
    err << "radixcalc convert: E_MEM\n";
    return 1;
  }
  for (std::size_t field = 0; field < kFieldRadix.size(); ++field) {
    SetField(ctx, opt, field);
    std::string line;
    std::optional<std::uint8_t> previous;
    for (const calc::CalcToken& token : tokens) {
      const std::uint8_t kind = token.kind();
      if (previous && IsOperandToken(*previous) && IsOperandToken(kind)) line += ' ';
      calc::AppendRenderedToken(ctx, kind, token.payload(), nullptr, line);
      if (kind == calc::kTokBuiltin || kind == calc::kTokExternal) line += ' ';
      previous = kind;
    }
    out << line << "\n";
  }
  return 0;
}

}  // namespace

std::string_view ConvertUsage() {
  return "usage: radixcalc convert [--width 8|16|32] [--signs XXXX] [--from 2|8|10|16] [--hold] TEXT\n"
         "  Evaluates the expression TEXT as the converter's source field does (the field's radix\n"
         "  and integer type, no commands or statements, range warnings on) and prints the BIN,\n"
         "  OCT, DEC and HEX field texts, one per line. --hold prints the expression transcribed\n"
         "  into each field instead.\n"
         "  --signs: four letters s (signed) or u (unsigned) for BIN OCT DEC HEX (default uusu)\n"
         "  --width: 8, 16 or 32 bits (default 32); --from: the source radix (default 10)\n";
}

int RunConvert(std::span<const std::string_view> args, std::ostream& out, std::ostream& err) {
  ConvertOptions opt;
  if (auto problem = ParseOptions(args, opt)) {
    err << "radixcalc convert: " << *problem << "\n" << ConvertUsage();
    return 2;
  }
  const std::string_view text = opt.text.substr(0, kFieldTextLimit);
  calc::CalcContext ctx;
  SetField(ctx, opt, FieldIndexOfRadix(opt.from));
  if (opt.hold) return Transcribe(ctx, opt, text, out, err);

  // The converter's engine: expressions only, integer range warnings on.
  ctx.commands_allowed = false;
  ctx.statements_allowed = false;
  ctx.range_warnings = true;
  std::ostringstream discarded;  // the converter shows no echo
  ConsoleSetup setup;
  setup.out = &discarded;
  setup.err = &err;
  setup.prefix = "radixcalc convert";
  ConsoleEngine engine(ctx, calc::CalcEngineSettings{}, setup);
  engine.storage().ResetAnswer();
  const int status = engine.RunText(text);
  setup.FlushReports();
  if (status != calc::kValue) {
    err << "radixcalc convert: \"" << opt.text << "\" gives no value in radix " << opt.from << "\n";
    return 1;
  }
  const calc::CalcValue value = engine.storage().AnswerValue();
  for (std::size_t field = 0; field < kFieldRadix.size(); ++field) {
    SetField(ctx, opt, field);
    out << calc::RenderNumber(ctx, value) << "\n";
  }
  return 0;
}

}  // namespace radixcalc
