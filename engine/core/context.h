// CalcContext: everything that decides how text becomes numbers and numbers
// become text (mode word, precision, radix, fps) plus the switches a host sets,
// and the storage of the language: the variable and array tables with the
// previous answer (language/variables.h), made with the context and freed
// with it.
#pragma once

#include <cstdint>
#include <memory>

#include "core/modes.h"

namespace calc {

class CalcStorage;

class CalcContext {
 public:
  CalcContext();  // may throw std::bad_alloc, like any container
  CalcContext(const CalcContext&) = delete;
  CalcContext& operator=(const CalcContext&) = delete;
  virtual ~CalcContext();

  // Variables, arrays and the previous answer of this context.
  CalcStorage& storage() { return *storage_; }
  const CalcStorage& storage() const { return *storage_; }

  std::uint16_t mode() const { return mode_; }
  double fps() const { return fps_; }
  std::int32_t precision() const { return precision_; }
  std::int32_t radix() const { return radix_; }

  // Stores the mode word and republishes the engine-wide numeric settings.
  void SetMode(std::uint16_t mode);
  // Writes the current kind and the real-only flag that follow the mode word.
  void Republish() const;
  // 10 below 2, 36 above 36.
  void SetRadix(std::int32_t radix);
  // A negative precision means the default 6; 0 means automatic.
  void SetPrecision(std::int32_t precision);
  // An fps that is not a positive finite number means the default 30; the
  // engine-wide fps follows.
  void SetFps(double fps);

  bool commands_allowed = true;
  bool statements_allowed = true;
  bool range_warnings = false;

 private:
  std::uint16_t mode_ = kModeGfloat;
  double fps_ = 30.0;
  std::int32_t precision_ = 6;
  std::int32_t radix_ = 10;
  std::unique_ptr<CalcStorage> storage_;
};

}  // namespace calc
