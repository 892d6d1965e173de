#include "model/converter.h"

#include "core/modes.h"
#include "core/render.h"
#include "core/token.h"
#include "core/tokenizer.h"

namespace radixpad {
namespace {

// Operands written side by side need a blank between them to stay apart.
bool IsOperandKind(std::uint8_t kind) {
  return kind == calc::kTokNumber || kind == calc::kTokVariable || kind == calc::kTokArray;
}

bool IsFunctionKind(std::uint8_t kind) { return kind == calc::kTokBuiltin || kind == calc::kTokExternal; }

bool IsWidth(int bits) { return bits == 8 || bits == 16 || bits == 32; }

// Marks the converter as writing fields for the lifetime of the object.
class WritingFields {
 public:
  explicit WritingFields(bool& flag) : flag_(flag), was_(flag) { flag_ = true; }
  ~WritingFields() { flag_ = was_; }
  WritingFields(const WritingFields&) = delete;
  WritingFields& operator=(const WritingFields&) = delete;

 private:
  bool& flag_;
  bool was_;
};

std::string CutField(std::string text) {
  if (text.size() > kMaxFieldText) text.resize(kMaxFieldText);
  return text;
}

}  // namespace

Converter::Converter(calc::CalcContext& context, LineRunner& engine, ConverterView& view)
    : context_(context), engine_(engine), view_(view), current_(calc::CalcValue::FromReal(0.0)) {}

void Converter::Restore(bool master, bool global_unsigned, const bool field_unsigned[4], int bits) {
  master_ = master;
  global_unsigned_ = global_unsigned;
  for (int i = 0; i < kFieldCount; ++i) field_unsigned_[i] = field_unsigned[i];
  bits_ = IsWidth(bits) ? bits : 0;
  hold_ = false;
  ShowButtons();
  view_.ShowHold(false);
  WriteValue(current_, kAllFields);
}

std::uint16_t Converter::FieldMode(int field) const {
  return calc::IntegerMode(bits_, field_unsigned_[field - 1]);
}

void Converter::ApplyFieldMode(int field) {
  // No width selected: the mode word stays as it is.
  if (bits_ == 0 || field < 1 || field > kFieldCount) return;
  context_.SetMode(FieldMode(field));
}

bool Converter::EvaluateField(int field) {
  if (field < 1 || field > kFieldCount) return false;
  view_.HideWarningMarks();
  const std::string text = CutField(view_.FieldText(field));
  ApplyFieldMode(field);
  context_.SetRadix(kFieldRadix[field - 1]);
  engine_.ResetAnswer();
  log_.Clear();
  if (engine_.RunLine(text) != 3) return false;
  current_ = engine_.Answer();
  return true;
}

void Converter::WriteValue(const calc::CalcValue& value, int mask) {
  const WritingFields writing(writing_);
  for (int field = 1; field <= kFieldCount; ++field) {
    if ((mask & FieldBit(field)) == 0) continue;
    ApplyFieldMode(field);
    context_.SetRadix(kFieldRadix[field - 1]);
    view_.SetFieldText(field, calc::RenderNumber(context_, value));
  }
}

std::string Converter::ActiveText() {
  return active_field_ == 0 ? std::string() : CutField(view_.FieldText(active_field_));
}

void Converter::TranscribeActive(int mask) {
  const WritingFields writing(writing_);
  calc::CalcTokenList tokens;
  calc::Tokenize(context_, ActiveText(), true, tokens);  // on E_MEM: the tokens made so far
  const calc::SlotNames* names = engine_.SlotNames();
  for (int field = 1; field <= kFieldCount; ++field) {
    if ((mask & FieldBit(field)) == 0) continue;
    ApplyFieldMode(field);
    context_.SetRadix(kFieldRadix[field - 1]);
    std::string text;
    bool previous_is_operand = false;
    for (const calc::CalcToken& token : tokens) {
      const bool is_operand = IsOperandKind(token.kind());
      if (previous_is_operand && is_operand) text += ' ';
      calc::AppendRenderedToken(context_, token, names, text);
      if (IsFunctionKind(token.kind())) text += ' ';
      previous_is_operand = is_operand;
    }
    view_.SetFieldText(field, text);
  }
}

bool Converter::OnFieldEdited(int field) {
  // Texts the program writes itself arrive while another control (or none)
  // has the focus; only the user's typing converts.
  // A window reports its own writes as edits too, even into the focused
  // field (Enter rewrites it): those never start a conversion.
  if (writing_ || field < 1 || field > kFieldCount || view_.FocusedField() != field) return false;
  active_field_ = field;
  const bool has_value = EvaluateField(field);
  const int others = kAllFields - FieldBit(field);
  if (hold_)
    TranscribeActive(others);
  else
    WriteValue(current_, others);
  return has_value;
}

void Converter::OnEnter(bool keep_lock) {
  if (active_field_ != 0) EvaluateField(active_field_);
  WriteValue(current_, kAllFields);
  if (hold_ && !keep_lock) {
    hold_ = false;
    view_.ShowHold(false);
  }
  const int focused = view_.FocusedField();
  if (focused != 0) view_.SelectAll(focused);
}

void Converter::RefreshActive() {
  if (active_field_ == 0) return;
  view_.FocusField(active_field_);
  OnFieldEdited(active_field_);
}

void Converter::SetAllSigns(bool is_unsigned) {
  global_unsigned_ = is_unsigned;
  master_ = true;
  for (bool& field : field_unsigned_) field = is_unsigned;
  ShowButtons();
  RefreshActive();
}

void Converter::SetFieldSign(int field, bool is_unsigned) {
  if (field < 1 || field > kFieldCount) return;
  field_unsigned_[field - 1] = is_unsigned;
  master_ = false;
  ShowButtons();
  RefreshActive();
}

void Converter::SetBitWidth(int bits) {
  if (!IsWidth(bits)) return;
  bits_ = bits;
  ShowButtons();
  RefreshActive();
}

void Converter::ToggleHold() {
  hold_ = !hold_;
  view_.ShowHold(hold_);
  if (active_field_ != 0) OnFieldEdited(active_field_);
}

void Converter::OnMasterClicked(bool checked) {
  if (!checked) {
    master_ = false;
    if (active_field_ != 0) view_.FocusField(active_field_);
    return;
  }
  SetAllSigns(global_unsigned_);
}

void Converter::OnReport(int code, int line, std::string_view source, std::string_view token) {
  if (log_.Add(code, line, source, token) && active_field_ != 0) view_.ShowWarningMark(active_field_);
}

void Converter::ShowButtons() {
  view_.ShowSigns(global_unsigned_, field_unsigned_, master_);
  view_.ShowWidth(bits_);
}

}  // namespace radixpad
