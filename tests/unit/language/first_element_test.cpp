// The shortcuts that read a scalar operand in place (FirstAsStored,
// FirstReal, CalcStorage::GetVariableInto) must give exactly what the copying
// reads give, for every stored kind read under every current kind, including
// a time stored at another frame rate, whose copy is re-expressed.
#include <gtest/gtest.h>

#include "core/matrix.h"
#include "core/numeric_settings.h"
#include "core/value.h"
#include "language/evaluator.h"
#include "language/variables.h"

namespace calc {
namespace {

NumericSettings Settings(std::uint8_t kind, double fps) {
  NumericSettings s;
  s.current_kind = kind;
  s.current_fps = fps;
  return s;
}

bool SameValue(const CalcValue& a, const CalcValue& b) {
  if (a.kind() != b.kind()) return false;
  switch (a.kind()) {
    case kKindFraction: {
      const CalcFraction x = a.FractionView(), y = b.FractionView();
      return x.sign == y.sign && x.num == y.num && x.den == y.den;
    }
    case kKindTime: {
      const CalcTime x = a.TimeView(), y = b.TimeView();
      return x.sign == y.sign && x.hours == y.hours && x.minutes == y.minutes && x.seconds == y.seconds &&
             x.frames == y.frames && x.fps == y.fps;
    }
    default: {
      const CalcComplex x = a.ComplexView(), y = b.ComplexView();
      return x.re == y.re && x.im == y.im;
    }
  }
}

TEST(FirstElementTest, InPlaceReadsMatchTheCopyingReads) {
  const std::uint8_t kinds[] = {kKindComplex, kKindFraction, kKindTime};
  const double reals[] = {0.0, 0.1, -2.5, 1.0 / 3.0, 3725.04, -1e-9};
  const double rates[] = {25.0, 30.0};
  for (const std::uint8_t stored_kind : kinds) {
    for (const double stored_fps : rates) {
      for (const double x : reals) {
        CalcMatrix m;
        CalcStorage storage;
        {
          const NumericSettings stored = Settings(stored_kind, stored_fps);
          const NumericScope scope(stored);
          m.At(0) = CalcValue::FromReal(x);
          ASSERT_EQ(storage.SetVariable(7, m.At(0), false), 0);
        }
        for (const std::uint8_t read_kind : kinds) {
          const NumericSettings read = Settings(read_kind, 30.0);
          const NumericScope scope(read);
          SCOPED_TRACE(testing::Message() << "stored kind " << int{stored_kind} << " at " << stored_fps
                                          << " fps, read kind " << int{read_kind} << ", x " << x);
          const CalcValue copy = m.First();
          if (const CalcValue* in_place = FirstAsStored(m)) {
            EXPECT_TRUE(SameValue(*in_place, copy));
          }
          EXPECT_EQ(FirstReal(m), copy.ToReal());

          CalcValue into;
          storage.GetVariableInto(7, into);
          EXPECT_TRUE(SameValue(into, storage.GetVariable(7)));
        }
      }
    }
  }
  // A matrix without elements reads as zero either way.
  CalcMatrix empty = *CalcMatrix::Make(0, 0);
  EXPECT_EQ(FirstAsStored(empty), nullptr);
  EXPECT_EQ(FirstReal(empty), 0.0);
}

}  // namespace
}  // namespace calc
