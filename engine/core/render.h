// Token rendering: the text of a token under the context's current mode and
// radix, written so that it reads back through the tokenizer as the same
// token. Rendering a list token by token with another radix set before each
// pass re-expresses an expression in that radix (the converter's calculation
// hold). No blanks are added between tokens; the caller decides the spacing.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/context.h"
#include "core/token.h"
#include "core/value.h"

namespace calc {

// Names that variable and array slots may have been given; a slot without a
// name renders by its code ("@x", "@@x").
class SlotNames {
 public:
  virtual ~SlotNames() = default;
  virtual std::string_view VariableName(std::uint8_t code) const = 0;  // "" when unnamed
  virtual std::string_view ArrayName(std::uint8_t code) const = 0;     // "" when unnamed
};

// A number token's text: the formatted value with a backslash before every
// sign, so that "-1" or "1e+20" reads back as one word.
std::string RenderNumber(const CalcContext& ctx, const CalcValue& value);

// Appends the text of one token to `out`. Kinds without a printed form
// append nothing. `names` may be null (every slot renders by code).
void AppendRenderedToken(const CalcContext& ctx, const CalcToken& token, const SlotNames* names, std::string& out);

std::string RenderToken(const CalcContext& ctx, const CalcToken& token, const SlotNames* names = nullptr);
// The text of the token that `kind` and `payload` make.
std::string RenderToken(const CalcContext& ctx, std::uint8_t kind, const TokenPayload& payload,
                        const SlotNames* names = nullptr);

}  // namespace calc
