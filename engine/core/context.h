// CalcContext: everything that decides how text becomes numbers and numbers
// become text (mode word, precision, radix, fps, and the numeric settings
// that follow from them) plus the switches a host sets, and the storage of
// the language (its variable and array tables with the previous answer),
// which core holds without knowing its type.
#pragma once

#include <cstdint>
#include <memory>

#include "core/modes.h"
#include "core/numeric_settings.h"

namespace calc {

// What the language keeps per context. Core owns it and frees it with the
// context; only the language knows what it holds (language/variables.h).
class CalcContextStore {
 public:
  virtual ~CalcContextStore() = default;
};

class CalcContext {
 public:
  CalcContext() = default;
  CalcContext(const CalcContext&) = delete;
  CalcContext& operator=(const CalcContext&) = delete;
  ~CalcContext() = default;

  // The language's storage of this context; null until the language makes it.
  CalcContextStore* store() { return store_.get(); }
  const CalcContextStore* store() const { return store_.get(); }
  void set_store(std::unique_ptr<CalcContextStore> store) { store_ = std::move(store); }

  std::uint16_t mode() const { return mode_; }
  double fps() const { return fps_; }
  std::int32_t precision() const { return precision_; }
  std::int32_t radix() const { return radix_; }

  // The value kind, real-only flag, fps and angle unit of this context. An
  // engine makes them current (NumericScope) while it runs on the context.
  const NumericSettings& numeric() const { return numeric_; }

  // Stores the mode word; the value kind and real-only flag follow it.
  void SetMode(std::uint16_t mode);
  // 10 below 2, 36 above 36.
  void SetRadix(std::int32_t radix);
  // A negative precision means the default 6; 0 means automatic.
  void SetPrecision(std::int32_t precision);
  // An fps that is not a positive finite number means the default 30.
  void SetFps(double fps);
  void SetAngleUnit(std::uint8_t unit) { numeric_.SetAngleUnit(unit); }

  bool commands_allowed = true;
  bool statements_allowed = true;
  bool range_warnings = false;
  // Automatic precision (0) in the float and complex modes prints each real
  // with the fewest digits that read back as the same double, and a whole
  // number below 2^64 with all its digits, instead of the digit counts of
  // FormatValue's automatic precision. A host's choice (radixcalc's); off,
  // the formatting is RadixPad's.
  bool shortest_automatic = false;

 private:
  std::uint16_t mode_ = kModeGfloat;
  double fps_ = 30.0;
  std::int32_t precision_ = 6;
  std::int32_t radix_ = 10;
  NumericSettings numeric_;
  std::unique_ptr<CalcContextStore> store_;
};

}  // namespace calc
