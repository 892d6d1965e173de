// Fuzz target: arbitrary bytes are tokenized and grouped under a mode and radix
// taken from the input, every token is rendered, and the rendered text must
// tokenize again. Crashes, sanitizer reports and hangs are the findings.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/context.h"
#include "core/grouping.h"
#include "core/modes.h"
#include "core/render.h"
#include "core/token.h"
#include "core/tokenizer.h"
#include "fuzz_modes.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  calc::CalcContext ctx;
  ctx.SetMode(fuzz::ModeFromByte(data[0]));
  ctx.SetRadix(2 + data[1] % 35);
  const std::string_view text(reinterpret_cast<const char*>(data + 2), size - 2);

  calc::CalcTokenList grouped;
  if (calc::TokenizeAndGroup(ctx, text, true, grouped) != 0) return 0;

  calc::CalcTokenList plain;
  if (calc::Tokenize(ctx, text, true, plain) != 0) return 0;
  std::string rendered;
  for (const calc::CalcToken& token : plain) {
    if (!rendered.empty()) rendered += ' ';
    calc::AppendRenderedToken(ctx, token, nullptr, rendered);
  }
  calc::CalcTokenList again;
  calc::TokenizeAndGroup(ctx, rendered, true, again);
  return 0;
}
