// The converter without a window: four strings stand for the four fields and
// the field being typed into holds the focus. `radixcalc convert` drives the
// window's own Converter and ConverterEngine through it, so the console shows
// exactly what the window would show.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/context.h"
#include "model/converter.h"
#include "model/converter_engine.h"
#include "model/converter_view.h"
#include "model/error_log.h"

namespace radixpad {

struct ConsoleConverterOptions {
  int bits = 32;  // 8, 16 or 32
  // BIN OCT DEC HEX; the defaults of a fresh settings file.
  std::array<bool, kFieldCount> field_unsigned = {true, true, false, true};
};

class ConsoleConverter final : public ConverterView {
 public:
  explicit ConsoleConverter(const ConsoleConverterOptions& options = {});
  ConsoleConverter(const ConsoleConverter&) = delete;
  ConsoleConverter& operator=(const ConsoleConverter&) = delete;
  ~ConsoleConverter() override;

  // The user replaces the whole text of `field` (1..4) by `text`. True when
  // the text gave a value; the other fields show it (or, with hold on, the
  // text transcribed).
  bool Type(int field, std::string_view text);
  // The Enter key: every field shows the current value; releases hold unless
  // `keep_lock`.
  void Enter(bool keep_lock = false);
  void ToggleHold() { converter_.ToggleHold(); }

  const std::string& Field(int field) const { return fields_[static_cast<std::size_t>(field - 1)]; }
  // The reports of the last evaluation, oldest first.
  const ErrorLog& reports() const { return converter_.error_log(); }
  const Converter& converter() const { return converter_; }

  // --- ConverterView over the four strings ---
  std::string FieldText(int field) override;
  void SetFieldText(int field, std::string_view text) override;
  int FocusedField() override { return focus_; }
  void FocusField(int field) override { focus_ = field; }
  void SelectAll(int) override {}
  void HideWarningMarks() override {}
  void ShowWarningMark(int) override {}
  void ShowHold(bool) override {}
  void ShowSigns(bool, const bool[kFieldCount], bool) override {}
  void ShowWidth(int) override {}

 private:
  // Declared first: the converter writes the fields while it is set up.
  std::array<std::string, kFieldCount> fields_;
  int focus_ = 0;
  calc::CalcContext context_;
  ConverterEngine engine_;
  Converter converter_;
};

// What `radixcalc convert` prints: `text` typed into `field`, then, with hold
// off, Enter (all four fields show the value); with hold on the source field
// keeps the text and the others show it transcribed.
struct ConsoleConversion {
  bool has_value = false;  // the text evaluated to a value
  std::array<std::string, kFieldCount> fields;
  std::vector<LoggedReport> reports;  // of the evaluation, oldest first
};
ConsoleConversion ConvertText(const ConsoleConverterOptions& options, int field, std::string_view text, bool hold);

}  // namespace radixpad
