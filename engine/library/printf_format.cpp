#include "library/printf_format.h"

#include "core/status_codes.h"
#include "library/printf_directive.h"

namespace calc {
namespace {

// The stars, then the value the directive converts.
int ApplyDirective(PrintfDirective& directive, PrintfArguments& arguments, std::string& out) {
  std::int32_t star = 0;
  if (directive.width_star) {
    if (const int status = arguments.NextInteger(star)) return status;
    if (!ApplyStarWidth(directive, star)) return E_COMMAND_PARAM;
  }
  if (directive.precision_star) {
    if (const int status = arguments.NextInteger(star)) return status;
    if (!ApplyStarPrecision(directive, star)) return E_COMMAND_PARAM;
  }
  switch (directive.argument()) {
    case PrintfDirective::Argument::kInteger: {
      std::int32_t value = 0;
      if (const int status = arguments.NextInteger(value)) return status;
      out = FormatInteger(directive, value);
      return kDone;
    }
    case PrintfDirective::Argument::kReal: {
      double value = 0;
      if (const int status = arguments.NextReal(value)) return status;
      out = FormatReal(directive, value);
      return kDone;
    }
    case PrintfDirective::Argument::kString: {
      std::string value;
      if (const int status = arguments.NextString(value)) return status;
      out = FormatString(directive, value);
      return kDone;
    }
  }
  return E_COMMAND_PARAM;
}

}  // namespace

int FormatPrintf(std::string_view format, PrintfArguments& arguments, std::vector<std::string>& pieces) {
  std::string text;
  std::size_t at = 0;
  while (at < format.size()) {
    const std::size_t percent = format.find('%', at);
    text.append(format.substr(at, percent == std::string_view::npos ? std::string_view::npos : percent - at));
    if (percent == std::string_view::npos) break;
    if (percent + 1 < format.size() && format[percent + 1] == '%') {
      text += '%';
      at = percent + 2;
      continue;
    }
    std::size_t end = percent + 1;
    while (end < format.size() && !IsConversionLetter(format[end])) ++end;
    if (end == format.size()) return E_COMMAND_PARAM;  // the format ends inside a directive
    PrintfDirective directive;
    if (!ParseDirective(format.substr(percent, end - percent + 1), directive)) return E_COMMAND_PARAM;
    if (!text.empty()) pieces.push_back(std::move(text));
    text.clear();
    std::string out;
    if (const int status = ApplyDirective(directive, arguments, out)) return status;
    pieces.push_back(std::move(out));
    at = end + 1;
  }
  if (!text.empty()) pieces.push_back(std::move(text));
  return kDone;
}

}  // namespace calc
