// Token rendering: the text of a token under the context's current mode and
// radix, such that it reads back through the tokenizer as the same token.
#pragma once

#include <string>

#include "core/context.h"
#include "core/value.h"

namespace calc {

// A number token's text: the formatted value with a backslash before every
// sign, so that "-1" or "1e+20" reads back as one word.
std::string RenderNumber(const CalcContext& ctx, const CalcValue& value);

}  // namespace calc
