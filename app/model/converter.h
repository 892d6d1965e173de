// The converter's logic: which field is active, the last value computed,
// calculation hold, the sign pairs, the width group and MASTER, and what
// happens on an edit, on Enter and on each button. It runs the engine through
// LineRunner and shows everything through ConverterView, so the same code
// drives the window and `radixcalc convert`.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/context.h"
#include "core/render.h"
#include "core/value.h"
#include "model/converter_view.h"
#include "model/error_log.h"

namespace radixpad {

// The engine as the converter uses it: one line of text at a time, with the
// previous answer as the result.
class LineRunner {
 public:
  virtual ~LineRunner() = default;
  // 3 when the line ended with a value (then the previous answer).
  virtual int RunLine(std::string_view text) = 0;
  virtual void ResetAnswer() = 0;
  virtual calc::CalcValue Answer() = 0;
  // Names of variable and array slots for rendering, when the engine has any.
  virtual const calc::SlotNames* SlotNames() { return nullptr; }
};

constexpr int kFieldCount = 4;
constexpr std::array<int, kFieldCount> kFieldRadix = {2, 8, 10, 16};
constexpr int kAllFields = 15;
// Fields beyond this length are cut before they are evaluated or transcribed.
constexpr std::size_t kMaxFieldText = 255;

constexpr int FieldBit(int field) { return 1 << (field - 1); }

// The field (1..4) that shows numbers in `radix`, 0 for any other radix.
constexpr int FieldOfRadix(int radix) {
  for (int field = 1; field <= kFieldCount; ++field)
    if (kFieldRadix[static_cast<std::size_t>(field - 1)] == radix) return field;
  return 0;
}

class Converter {
 public:
  Converter(calc::CalcContext& context, LineRunner& engine, ConverterView& view);

  // --- state set at start from the settings ---
  // `bits` is 8, 16 or 32; anything else selects no width. Fills every field
  // with the current value.
  void Restore(bool master, bool global_unsigned, const bool field_unsigned[4], int bits);

  // --- the operations of the window ---
  void ApplyFieldMode(int field);
  bool EvaluateField(int field);
  void WriteValue(const calc::CalcValue& value, int mask);
  void TranscribeActive(int mask);
  // True when the field was the one being typed into and its text gave a
  // value (the window does not look at it; the console host does).
  bool OnFieldEdited(int field);
  void OnEnter(bool keep_lock);
  void RefreshActive();

  // --- buttons ---
  void SetAllSigns(bool is_unsigned);
  void SetFieldSign(int field, bool is_unsigned);
  void SetBitWidth(int bits);
  void ToggleHold();
  void OnMasterClicked(bool checked);

  // --- the engine's reports during an evaluation ---
  void OnReport(int code, int line, std::string_view source, std::string_view token);

  // --- what the window shows and saves ---
  int active_field() const { return active_field_; }
  bool hold() const { return hold_; }
  bool master() const { return master_; }
  bool global_unsigned() const { return global_unsigned_; }
  bool field_unsigned(int field) const { return field_unsigned_[field - 1]; }
  int bits() const { return bits_; }  // 0: no width selected
  const calc::CalcValue& current_value() const { return current_; }
  const ErrorLog& error_log() const { return log_; }

  // The mode word of a field under the current width and its sign.
  std::uint16_t FieldMode(int field) const;

 private:
  void ShowButtons();
  std::string ActiveText();

  calc::CalcContext& context_;
  LineRunner& engine_;
  ConverterView& view_;
  ErrorLog log_;
  calc::CalcValue current_;
  int active_field_ = 0;
  bool hold_ = false;
  bool master_ = false;
  bool global_unsigned_ = false;
  bool field_unsigned_[kFieldCount] = {true, true, false, true};
  int bits_ = 32;
  bool writing_ = false;  // the converter itself is writing fields
};

}  // namespace radixpad
