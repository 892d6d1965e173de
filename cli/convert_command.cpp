#include "convert_command.h"

#include <array>
#include <optional>
#include <string>

#include "core/context.h"
#include "core/literal.h"
#include "core/modes.h"
#include "core/render.h"
#include "core/value.h"

namespace radixcalc {
namespace {

constexpr std::array<int, 4> kFieldRadix = {2, 8, 10, 16};

struct ConvertOptions {
  int width = 32;
  std::array<bool, 4> is_unsigned = {true, true, false, true};  // BIN OCT DEC HEX
  int from = 10;
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

}  // namespace

int RunConvert(std::span<const std::string_view> args, std::ostream& out, std::ostream& err) {
  ConvertOptions opt;
  if (auto problem = ParseOptions(args, opt)) {
    err << "radixcalc convert: " << *problem << "\n"
        << "usage: radixcalc convert [--width 8|16|32] [--signs XXXX] [--from 2|8|10|16] TEXT\n";
    return 2;
  }
  calc::CalcContext ctx;
  const std::size_t source = FieldIndexOfRadix(opt.from);
  const std::uint16_t source_mode = calc::IntegerMode(opt.width, opt.is_unsigned[source]);
  ctx.SetMode(source_mode);
  ctx.SetRadix(opt.from);
  calc::CalcValue value;
  if (!calc::ParseNumber(ctx, opt.text, value)) {
    err << "radixcalc convert: \"" << opt.text << "\" is not a number in radix " << opt.from << "\n";
    return 1;
  }
  calc::FitToMode(value, source_mode, false);
  for (std::size_t field = 0; field < kFieldRadix.size(); ++field) {
    ctx.SetMode(calc::IntegerMode(opt.width, opt.is_unsigned[field]));
    ctx.SetRadix(kFieldRadix[field]);
    out << calc::RenderNumber(ctx, value) << "\n";
  }
  return 0;
}

}  // namespace radixcalc
