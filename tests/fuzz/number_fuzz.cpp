// Fuzz target: arbitrary bytes read as one number literal under a mode and
// radix taken from the input; whatever is read is formatted and rendered in
// every mode group.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/context.h"
#include "core/format.h"
#include "core/literal.h"
#include "core/render.h"
#include "fuzz_modes.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 3) return 0;
  calc::CalcContext ctx;
  ctx.SetMode(fuzz::ModeFromByte(data[0]));
  ctx.SetRadix(2 + data[1] % 35);
  ctx.SetPrecision(data[2] % 40);
  const std::string_view text(reinterpret_cast<const char*>(data + 3), size - 3);

  calc::CalcValue value;
  if (!calc::ParseNumber(ctx, text, value)) return 0;
  for (std::uint8_t mode_byte = 0; mode_byte < fuzz::kModeCount; ++mode_byte) {
    ctx.SetMode(fuzz::ModeFromByte(mode_byte));
    // Kept in a volatile so that the three formatters are not optimised away.
    volatile std::size_t n = calc::FormatValue(ctx, value).size() + calc::FormatAnswer(ctx, value).real.size() +
                             calc::RenderNumber(ctx, value).size();
    (void)n;
  }
  return 0;
}
