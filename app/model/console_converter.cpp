#include "model/console_converter.h"

namespace radixpad {

ConsoleConverter::ConsoleConverter(const ConsoleConverterOptions& options)
    : engine_(context_), converter_(context_, engine_, *this) {
  ConfigureConverterContext(context_);
  engine_.ForwardReportsTo(&converter_);
  engine_.DefineConverterSymbol();
  bool field_unsigned[kFieldCount];
  for (int i = 0; i < kFieldCount; ++i) field_unsigned[i] = options.field_unsigned[static_cast<std::size_t>(i)];
  converter_.Restore(false, false, field_unsigned, options.bits);
}

ConsoleConverter::~ConsoleConverter() { engine_.ForwardReportsTo(nullptr); }

bool ConsoleConverter::Type(int field, std::string_view text) {
  if (field < 1 || field > kFieldCount) return false;
  focus_ = field;
  fields_[static_cast<std::size_t>(field - 1)] = text;
  return converter_.OnFieldEdited(field);
}

void ConsoleConverter::Enter(bool keep_lock) { converter_.OnEnter(keep_lock); }

std::string ConsoleConverter::FieldText(int field) { return Field(field); }

void ConsoleConverter::SetFieldText(int field, std::string_view text) {
  fields_[static_cast<std::size_t>(field - 1)] = text;
}

ConsoleConversion ConvertText(const ConsoleConverterOptions& options, int field, std::string_view text, bool hold) {
  ConsoleConverter console(options);
  if (hold) console.ToggleHold();
  ConsoleConversion result;
  result.has_value = console.Type(field, text);
  if (!hold) console.Enter();
  for (int f = 1; f <= kFieldCount; ++f) result.fields[static_cast<std::size_t>(f - 1)] = console.Field(f);
  const ErrorLog& log = console.reports();
  for (std::size_t i = 0; i < log.Count(); ++i) result.reports.push_back(*log.Entry(i));
  return result;
}

}  // namespace radixpad
