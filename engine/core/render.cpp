#include "core/render.h"

#include "core/command_names.h"
#include "core/format.h"
#include "core/keywords.h"
#include "core/tokenizer.h"

namespace calc {
namespace {

// A string inside brackets: "]" and "\" are escaped so that the tokenizer
// neither ends the word early nor reads an escape sequence, and double-byte
// characters are copied whole (their second byte may look like either). A
// lead byte without its second byte is escaped so that it cannot swallow the
// closing bracket.
void AppendQuotedString(std::string_view text, std::string& out) {
  out += "[\"";
  for (std::size_t i = 0; i < text.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (IsLeadByte(c)) {
      if (i + 1 < text.size()) {
        out += text[i];
        out += text[++i];
      } else {
        out += '\\';
        out += text[i];
      }
      continue;
    }
    if (c == ']' || c == '\\') out += '\\';
    out += text[i];
  }
  out += ']';
}

// Bytes that would end a word or start a double-byte character; as a slot
// code they are written after a backslash, which makes them plain characters.
bool EndsOrJoinsWord(unsigned char c) {
  static constexpr std::string_view kSpecial = " \t\r\n*/%+-<>=!&^|?,(){}[]\\";
  return kSpecial.find(static_cast<char>(c)) != std::string_view::npos || IsLeadByte(c);
}

void AppendSlot(std::string_view name, std::string_view prefix, std::uint8_t code, std::string& out) {
  if (!name.empty()) {
    out += name;
    return;
  }
  out += prefix;
  if (code == 0) return;
  if (EndsOrJoinsWord(code)) out += '\\';
  out += static_cast<char>(code);
}

void AppendNumber(const CalcContext& ctx, const CalcValue& value, std::string& out) {
  for (char c : FormatValue(ctx, value)) {
    if (c == '+' || c == '-') out += '\\';
    out += c;
  }
}

}  // namespace

std::string RenderNumber(const CalcContext& ctx, const CalcValue& value) {
  const NumericScope numeric(ctx.numeric());
  std::string out;
  AppendNumber(ctx, value, out);
  return out;
}

void AppendRenderedToken(const CalcContext& ctx, const CalcToken& token, const SlotNames* names, std::string& out) {
  const NumericScope numeric(ctx.numeric());
  switch (token.kind()) {
    case kTokOpen: out += '('; break;
    case kTokClose: out += ')'; break;
    case kTokOpenBrace: out += '{'; break;
    case kTokCloseBrace: out += '}'; break;
    case kTokReference: out += '&'; break;
    case kTokEmptyBrackets: out += "[]"; break;
    case kTokNumber:
      AppendNumber(ctx, token.NumberValue(), out);
      break;
    case kTokName:
    case kTokVariableName:
    case kTokArrayName: out += token.text(); break;
    case kTokCommand:
      out += ':';
      out += CommandName(token.code());
      break;
    case kTokStatement: out += StatementName(token.code()); break;
    case kTokOperator: out += OperatorForm(token.code()); break;
    case kTokBuiltin: out += BuiltinName(token.code()); break;
    case kTokExternal:
      out += '!';
      out += token.text();
      break;
    case kTokString: AppendQuotedString(token.text(), out); break;
    case kTokVariable: {
      const std::uint8_t code = token.code();
      AppendSlot(names ? names->VariableName(code) : "", "@", code, out);
      break;
    }
    case kTokArray: {
      // Array code 0 is what a lone "@" reads as; "@@" would read back as the
      // variable "@".
      const std::uint8_t code = token.code();
      AppendSlot(names ? names->ArrayName(code) : "", code == 0 ? "@" : "@@", code, out);
      break;
    }
    default: break;
  }
}

std::string RenderToken(const CalcContext& ctx, const CalcToken& token, const SlotNames* names) {
  std::string out;
  AppendRenderedToken(ctx, token, names, out);
  return out;
}

std::string RenderToken(const CalcContext& ctx, std::uint8_t kind, const TokenPayload& payload,
                        const SlotNames* names) {
  const NumericScope numeric(ctx.numeric());  // the payload's number is read in the context's kind
  return RenderToken(ctx, CalcToken(kind, payload), names);
}

}  // namespace calc
