// What the converter logic needs from its window: four one-line fields, the
// keyboard focus, the warning marks and the hold button. The Win32 window
// implements it over its edit controls and skin buttons; tests and the
// console host implement it over four strings.
#pragma once

#include <string>
#include <string_view>

namespace radixpad {

class ConverterView {
 public:
  virtual ~ConverterView() = default;
  // Fields are numbered 1..4 (BIN, OCT, DEC, HEX).
  virtual std::string FieldText(int field) = 0;
  virtual void SetFieldText(int field, std::string_view text) = 0;
  // The field whose edit control has the keyboard focus, 0 for none.
  virtual int FocusedField() = 0;
  virtual void FocusField(int field) = 0;
  virtual void SelectAll(int field) = 0;
  virtual void HideWarningMarks() = 0;
  virtual void ShowWarningMark(int field) = 0;
  virtual void ShowHold(bool on) = 0;
  virtual void ShowSigns(bool global_unsigned, const bool field_unsigned[4], bool master) = 0;
  virtual void ShowWidth(int bits) = 0;  // 0: no width button checked
};

}  // namespace radixpad
