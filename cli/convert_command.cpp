#include "convert_command.h"

#include <array>
#include <optional>
#include <string>

#include "console_host.h"
#include "model/console_converter.h"
#include "model/converter.h"
#include "text_codec.h"

namespace radixcalc {
namespace {

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
    if (arg != "--width" && arg != "--from" && arg != "--signs") return "unknown option " + std::string(arg);
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
    } else {  // --signs
      if (!ParseSigns(value, opt.is_unsigned)) return "--signs must be four letters s or u (BIN OCT DEC HEX)";
    }
  }
  if (!have_text) return "TEXT is missing";
  return std::nullopt;
}

}  // namespace

std::string_view ConvertUsage() {
  return "usage: radixcalc convert [--width 8|16|32] [--signs XXXX] [--from 2|8|10|16] [--hold] TEXT\n"
         "  Evaluates the expression TEXT as the converter's source field does (the field's radix\n"
         "  and integer type, no commands or statements, range warnings on) and prints the BIN,\n"
         "  OCT, DEC and HEX field texts, one per line. --hold prints the expression transcribed\n"
         "  into each field instead.\n"
         "  --signs: four letters s (signed) or u (unsigned) for BIN OCT DEC HEX (default uusu)\n"
         "  --width: 8, 16 or 32 bits (default 32); --from: the source radix (default 10)\n"
         "  On Linux TEXT is UTF-8: it is converted to Shift-JIS and cut to the field's 255\n"
         "  bytes (never inside a character), and the fields are shown in UTF-8 again.\n"
         "exit status: 0 shown, 1 TEXT gives no value or has a character without a Shift-JIS\n"
         "  code, 2 a usage error.\n";
}

int RunConvert(std::span<const std::string_view> args, std::ostream& out, std::ostream& err) {
  for (const std::string_view arg : args) {
    if (arg == "--") break;
    if (arg == "--help" || arg == "-h") {
      out << ConvertUsage();
      return 0;
    }
  }
  ConvertOptions opt;
  if (auto problem = ParseOptions(args, opt)) {
    err << "radixcalc convert: " << *problem << " (radixcalc convert --help tells how to use it)\n";
    return 2;
  }
  // The field holds Shift-JIS text of at most kMaxFieldText bytes, as the
  // window's edit control does: the text is converted first and then cut,
  // never inside a double-byte character.
  const TextCodec codec(ConvertsByDefault());
  std::string field_text;
  TextProblem problem;
  if (!codec.ToEngine(opt.text, field_text, problem)) {
    err << "radixcalc convert: " << problem.Describe() << "\n";
    return 1;
  }
  field_text.resize(CutShiftJis(field_text, radixpad::kMaxFieldText).size());
  // The window's own converter logic, over four strings.
  radixpad::ConsoleConverterOptions options;
  options.bits = opt.width;
  options.field_unsigned = opt.is_unsigned;
  const radixpad::ConsoleConversion result =
      radixpad::ConvertText(options, radixpad::FieldOfRadix(opt.from), field_text, opt.hold);
  for (const radixpad::LoggedReport& r : result.reports)
    err << codec.FromEngine(FormatReport(calc::Report{r.code, r.line, r.source, r.token}, "radixcalc convert")) << "\n";
  if (!result.has_value && !opt.hold) {
    err << "radixcalc convert: \"" << opt.text << "\" gives no value in radix " << opt.from << "\n";
    return 1;
  }
  for (const std::string& field : result.fields) out << codec.FromEngine(field) << "\n";
  return 0;
}

}  // namespace radixcalc
