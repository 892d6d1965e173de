#include "core/render.h"

#include "core/format.h"

namespace calc {

std::string RenderNumber(const CalcContext& ctx, const CalcValue& value) {
  const std::string text = FormatValue(ctx, value);
  std::string out;
  out.reserve(text.size() + 4);
  for (char c : text) {
    if (c == '+' || c == '-') out += '\\';
    out += c;
  }
  return out;
}

}  // namespace calc
