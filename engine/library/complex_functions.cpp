#include "library/complex_functions.h"

#include <cmath>
#include <complex>

namespace calc {
namespace {

using Complex = std::complex<double>;

// 1 / sqrt(2), as the square root's halving uses it.
constexpr double kHalfRoot2 = 0.7071067811865476;
constexpr double kLn10 = 2.302585092994046;

// Where a real argument lies for a function's real version.
enum class RealDomain { kInside, kOutside, kPole };

struct Elementary {
  double (*real)(double);
  Complex (*complex)(const Complex&);
  RealDomain (*domain)(double);  // null: every real number (NaN counts as inside)
};

RealDomain InsideUnit(double x) { return x < -1.0 || x > 1.0 ? RealDomain::kOutside : RealDomain::kInside; }
RealDomain AtLeastOne(double x) { return x < 1.0 ? RealDomain::kOutside : RealDomain::kInside; }
RealDomain OpenUnit(double x) {
  if (x == 1.0 || x == -1.0) return RealDomain::kPole;
  return InsideUnit(x);
}
RealDomain Positive(double x) {
  if (x == 0.0) return RealDomain::kPole;
  return x < 0.0 ? RealDomain::kOutside : RealDomain::kInside;
}

CalcComplex Evaluate(const Elementary& f, const CalcComplex& z, bool complex_mode, DomainEvents& events) {
  if (z.im == 0.0) {
    const RealDomain where = f.domain != nullptr ? f.domain(z.re) : RealDomain::kInside;
    if (where == RealDomain::kInside) {
      const double y = f.real(z.re);
      if (!complex_mode && std::isinf(y) && std::isfinite(z.re)) events.Raise(DomainEvents::kOverflow);
      return {y, 0.0};
    }
    // A pole has the same infinite value in every mode.
    if (where == RealDomain::kPole || !complex_mode) {
      if (!complex_mode)
        events.Raise(where == RealDomain::kPole ? DomainEvents::kPole : DomainEvents::kOutsideDomain);
      return {f.real(z.re), 0.0};
    }
  }
  const Complex w = f.complex(Complex(z.re, z.im));
  return {w.real(), w.imag()};
}

constexpr Elementary kSin{[](double x) { return std::sin(x); }, [](const Complex& z) { return std::sin(z); },
                          nullptr};
constexpr Elementary kCos{[](double x) { return std::cos(x); }, [](const Complex& z) { return std::cos(z); },
                          nullptr};
constexpr Elementary kTan{[](double x) { return std::tan(x); }, [](const Complex& z) { return std::tan(z); },
                          nullptr};
constexpr Elementary kAsin{[](double x) { return std::asin(x); }, [](const Complex& z) { return std::asin(z); },
                           InsideUnit};
constexpr Elementary kAcos{[](double x) { return std::acos(x); }, [](const Complex& z) { return std::acos(z); },
                           InsideUnit};
constexpr Elementary kAtan{[](double x) { return std::atan(x); }, [](const Complex& z) { return std::atan(z); },
                           nullptr};
constexpr Elementary kSinh{[](double x) { return std::sinh(x); }, [](const Complex& z) { return std::sinh(z); },
                           nullptr};
constexpr Elementary kCosh{[](double x) { return std::cosh(x); }, [](const Complex& z) { return std::cosh(z); },
                           nullptr};
constexpr Elementary kTanh{[](double x) { return std::tanh(x); }, [](const Complex& z) { return std::tanh(z); },
                           nullptr};
constexpr Elementary kAsinh{[](double x) { return std::asinh(x); },
                            [](const Complex& z) { return std::asinh(z); }, nullptr};
// The principal branch written out, since C libraries disagree on it: MinGW's
// cacosh gives acosh(0.5) as -i pi/3 where glibc gives +i pi/3.
constexpr Elementary kAcosh{[](double x) { return std::acosh(x); },
                            [](const Complex& z) { return std::log(z + std::sqrt(z + 1.0) * std::sqrt(z - 1.0)); },
                            AtLeastOne};
constexpr Elementary kAtanh{[](double x) { return std::atanh(x); },
                            [](const Complex& z) { return std::atanh(z); }, OpenUnit};
constexpr Elementary kExp{[](double x) { return std::exp(x); }, [](const Complex& z) { return std::exp(z); },
                          nullptr};
constexpr Elementary kExp10{[](double x) { return std::pow(10.0, x); },
                            [](const Complex& z) { return std::exp(z * kLn10); }, nullptr};
constexpr Elementary kLog{[](double x) { return std::log(x); }, [](const Complex& z) { return std::log(z); },
                          Positive};
constexpr Elementary kLog10{[](double x) { return std::log10(x); },
                            [](const Complex& z) { return std::log10(z); }, Positive};

}  // namespace

CalcComplex ComplexSqrt(const CalcComplex& z, bool complex_mode, DomainEvents& events) {
  const double x = z.re;
  const double y = z.im;
  if (y == 0.0) {
    if (x >= 0.0 || std::isnan(x)) return {std::sqrt(x), 0.0};
    if (!complex_mode) {
      events.Raise(DomainEvents::kOutsideDomain);
      return {std::sqrt(x), 0.0};
    }
  }
  const double m = std::hypot(x, y);
  if (x >= 0.0) {
    const double t = std::sqrt(m + x);
    return {t * kHalfRoot2, y * kHalfRoot2 / t};
  }
  const double t = std::sqrt(m - x);
  const CalcComplex root{y * kHalfRoot2 / t, t * kHalfRoot2};
  if (y >= 0.0) return root;
  return {-root.re, -root.im};
}

CalcComplex ComplexSin(const CalcComplex& z, bool c, DomainEvents& e) { return Evaluate(kSin, z, c, e); }
CalcComplex ComplexCos(const CalcComplex& z, bool c, DomainEvents& e) { return Evaluate(kCos, z, c, e); }
CalcComplex ComplexTan(const CalcComplex& z, bool c, DomainEvents& e) { return Evaluate(kTan, z, c, e); }
CalcComplex ComplexAsin(const CalcComplex& z, bool c, DomainEvents& e) { return Evaluate(kAsin, z, c, e); }
CalcComplex ComplexAcos(const CalcComplex& z, bool c, DomainEvents& e) { return Evaluate(kAcos, z, c, e); }
CalcComplex ComplexAtan(const CalcComplex& z, bool c, DomainEvents& e) { return Evaluate(kAtan, z, c, e); }
CalcComplex ComplexSinh(const CalcComplex& z, bool c, DomainEvents& e) { return Evaluate(kSinh, z, c, e); }
CalcComplex ComplexCosh(const CalcComplex& z, bool c, DomainEvents& e) { return Evaluate(kCosh, z, c, e); }
CalcComplex ComplexTanh(const CalcComplex& z, bool c, DomainEvents& e) { return Evaluate(kTanh, z, c, e); }
CalcComplex ComplexAsinh(const CalcComplex& z, bool c, DomainEvents& e) { return Evaluate(kAsinh, z, c, e); }
CalcComplex ComplexAcosh(const CalcComplex& z, bool c, DomainEvents& e) { return Evaluate(kAcosh, z, c, e); }
CalcComplex ComplexAtanh(const CalcComplex& z, bool c, DomainEvents& e) { return Evaluate(kAtanh, z, c, e); }
CalcComplex ComplexExp(const CalcComplex& z, bool c, DomainEvents& e) { return Evaluate(kExp, z, c, e); }
CalcComplex ComplexExp10(const CalcComplex& z, bool c, DomainEvents& e) { return Evaluate(kExp10, z, c, e); }
CalcComplex ComplexLog(const CalcComplex& z, bool c, DomainEvents& e) { return Evaluate(kLog, z, c, e); }
CalcComplex ComplexLog10(const CalcComplex& z, bool c, DomainEvents& e) { return Evaluate(kLog10, z, c, e); }

CalcComplex ComplexPow(const CalcComplex& x, const CalcComplex& y, bool complex_mode, DomainEvents& events) {
  if (x.im == 0.0 && y.im == 0.0) {
    const double r = std::pow(x.re, y.re);
    const bool fractional_exponent = std::isfinite(y.re) && std::trunc(y.re) != y.re;
    if (x.re < 0.0 && fractional_exponent) {
      if (complex_mode) {
        const Complex w = std::pow(Complex(x.re, 0.0), Complex(y.re, 0.0));
        return {w.real(), w.imag()};
      }
      events.Raise(DomainEvents::kOutsideDomain);
    } else if (!complex_mode && std::isinf(r) && std::isfinite(x.re) && std::isfinite(y.re)) {
      events.Raise(x.re == 0.0 ? DomainEvents::kPole : DomainEvents::kOverflow);
    }
    return {r, 0.0};
  }
  const Complex w = std::pow(Complex(x.re, x.im), Complex(y.re, y.im));
  return {w.real(), w.imag()};
}

}  // namespace calc
