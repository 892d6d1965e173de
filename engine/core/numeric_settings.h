// The numeric settings that values follow: the kind a value switches to when
// it is used, whether results may be complex, the frames-per-second of new
// times and the angle unit.
//
// Each context holds its own set (CalcContext::numeric). Values read the set
// of the context being run: an engine makes its context's set current for the
// length of each operation with a NumericScope, and restores the one before
// when the operation ends, so engines in one process (and the nested engines
// of function calls) never see each other's settings. The current set is per
// thread, as a decimal library's current context is. Outside any scope the
// defaults apply.
#pragma once

#include <cstdint>

namespace calc {

enum ValueKind : std::uint8_t { kKindComplex = 0, kKindFraction = 1, kKindTime = 2 };

enum AngleUnit : std::uint8_t { kRadians = 0, kDegrees = 1, kGrads = 2 };

struct NumericSettings {
  std::uint8_t current_kind = kKindComplex;
  std::uint8_t real_only = 1;
  double current_fps = 30.0;
  std::uint8_t angle_unit = kRadians;
  std::uint8_t radian_flag = 1;
  double half_turn = 200.0;  // 180 in degrees, else 200; read when radian_flag is 0

  // Sets the angle unit together with its radian flag and half turn.
  void SetAngleUnit(std::uint8_t unit);
};

namespace numeric_detail {
// The innermost NumericScope's set, else the defaults; only NumericScope
// changes it. Declared here so that Numeric() inlines: values read it on
// every use, and an out-of-line call per read was a measurable share of a
// loop's time. constinit tells every reader that no dynamic initialisation
// is needed, so the access is a plain thread-local load.
extern constinit thread_local const NumericSettings* current;
}  // namespace numeric_detail

// The settings values follow now: the innermost NumericScope's, else the
// defaults.
inline const NumericSettings& Numeric() { return *numeric_detail::current; }

// Makes a set current for the life of the scope. Scopes nest; the set must
// outlive the scope.
class NumericScope {
 public:
  explicit NumericScope(const NumericSettings& settings);
  ~NumericScope();
  NumericScope(const NumericScope&) = delete;
  NumericScope& operator=(const NumericScope&) = delete;

 private:
  const NumericSettings* saved_;
};

}  // namespace calc
