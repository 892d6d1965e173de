// A converter window made of four strings, a focus and the marks and buttons
// it was last told to show.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "model/converter.h"
#include "model/converter_view.h"

namespace radixpad {

class FakeView : public ConverterView {
 public:
  std::string FieldText(int field) override { return text[field - 1]; }
  void SetFieldText(int field, std::string_view t) override { text[field - 1] = t; }
  int FocusedField() override { return focus; }
  void FocusField(int field) override { focus = field; }
  void SelectAll(int field) override { selected = field; }
  void HideWarningMarks() override { mark = 0; }
  void ShowWarningMark(int field) override { mark = field; }
  void ShowHold(bool on) override { hold_shown = on; }
  void ShowSigns(bool, const bool[4], bool m) override { master_shown = m; }
  void ShowWidth(int bits) override { width_shown = bits; }

  // The user types into a field: it has the focus and its text changes.
  void Type(Converter& converter, int field, std::string_view t) {
    focus = field;
    text[field - 1] = t;
    converter.OnFieldEdited(field);
  }

  std::array<std::string, 4> text;
  int focus = 0, selected = 0, mark = 0, width_shown = -1;
  bool hold_shown = false, master_shown = false;
};

}  // namespace radixpad
