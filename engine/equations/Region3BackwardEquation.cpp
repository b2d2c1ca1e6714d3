#include "vaporix/equations/Region3BackwardEquation.h"

#include <cmath>
#include <cstring>
#include <limits>
#include <span>

namespace vaporix {
namespace {

// One term n (x1)^I (x2)^J of a backward equation.
struct BackwardTerm {
  int I;
  int J;
  double n;
};

// How the sum makes the reduced output.
enum class BackwardForm { kSum, kReciprocalSum, kExponentialSum, kFourthPowerSum };

// A reduced input: argument / scale + shift, or scale / argument + shift.
struct BackwardFactor {
  int argument;  // 0 the first argument, 1 the second
  double scale;
  double shift;
  bool reciprocal;
};

struct BackwardEquation {
  double outputScale;
  BackwardForm form;
  BackwardFactor first;
  BackwardFactor second;
  std::span<const BackwardTerm> terms;
};

#include "equations/Region3BackwardTables.inc"

double Reduced(const BackwardFactor& factor, double a, double b) {
  const double x = factor.argument == 0 ? a : b;
  return (factor.reciprocal ? factor.scale / x : x / factor.scale) + factor.shift;
}

// x^n for a small integer n of either sign, by squaring.
double IntegerPower(double x, int n) {
  if (n < 0) {
    return 1.0 / IntegerPower(x, -n);
  }
  double result = 1.0;
  double base = x;
  while (n > 0) {
    if (n & 1) {
      result *= base;
    }
    base *= base;
    n >>= 1;
  }
  return result;
}

double Evaluate(const BackwardEquation& equation, double a, double b = 0.0) {
  const double x = Reduced(equation.first, a, b);
  const double y = Reduced(equation.second, a, b);
  // The terms come sorted by I, so each power of x is formed once.
  double sum = 0.0;
  int lastI = equation.terms.front().I;
  double xPower = IntegerPower(x, lastI);
  for (const BackwardTerm& term : equation.terms) {
    if (term.I != lastI) {
      xPower = IntegerPower(x, term.I);
      lastI = term.I;
    }
    sum += term.n * xPower * IntegerPower(y, term.J);
  }
  switch (equation.form) {
    case BackwardForm::kReciprocalSum:
      return equation.outputScale / sum;
    case BackwardForm::kExponentialSum:
      return equation.outputScale * std::exp(sum);
    case BackwardForm::kFourthPowerSum: {
      const double square = sum * sum;
      return equation.outputScale * square * square;
    }
    case BackwardForm::kSum:
      break;
  }
  return equation.outputScale * sum;
}

struct NamedEquation {
  const char* name;
  const BackwardEquation* equation;
};
constexpr NamedEquation kNamed[] = {
    {"region3_h3ab_p", &kH3ab},
    {"region3a_T_ph", &kT3aPH},
    {"region3b_T_ph", &kT3bPH},
    {"region3a_v_ph", &kV3aPH},
    {"region3b_v_ph", &kV3bPH},
    {"region3a_T_ps", &kT3aPS},
    {"region3b_T_ps", &kT3bPS},
    {"region3a_v_ps", &kV3aPS},
    {"region3b_v_ps", &kV3bPS},
    {"region3_psat_h", &kPsat3H},
    {"region3_psat_s", &kPsat3S},
    {"region3a_p_hs", &kP3aHS},
    {"region3b_p_hs", &kP3bHS},
    {"boundary_h1_s", &kH1SaturatedLiquid},
    {"boundary_h3a_s", &kH3aSaturatedLiquid},
    {"boundary_h2ab_s", &kH2abSaturatedVapour},
    {"boundary_h2c3b_s", &kH2c3bSaturatedVapour},
    {"boundary_hB13_s", &kHB13},
    {"boundary_TB23_hs", &kTB23},
    {"region4_Tsat_hs", &kTsatHS},
};

}  // namespace

double Region3BackwardEquation::H3ab(double p) const {
  return Evaluate(kH3ab, p);
}

double Region3BackwardEquation::TemperaturePH(double p, double h) const {
  return Evaluate(h <= H3ab(p) ? kT3aPH : kT3bPH, p, h);
}

double Region3BackwardEquation::VolumePH(double p, double h) const {
  return Evaluate(h <= H3ab(p) ? kV3aPH : kV3bPH, p, h);
}

double Region3BackwardEquation::TemperaturePS(double p, double s) const {
  return Evaluate(s <= kCriticalEntropy ? kT3aPS : kT3bPS, p, s);
}

double Region3BackwardEquation::VolumePS(double p, double s) const {
  return Evaluate(s <= kCriticalEntropy ? kV3aPS : kV3bPS, p, s);
}

double Region3BackwardEquation::PressureHS(double h, double s) const {
  return Evaluate(s <= kCriticalEntropy ? kP3aHS : kP3bHS, h, s);
}

double Region3BackwardEquation::SaturationPressureH(double h) const {
  return Evaluate(kPsat3H, h);
}

double Region3BackwardEquation::SaturationPressureS(double s) const {
  return Evaluate(kPsat3S, s);
}

double Region3BackwardEquation::SaturatedLiquidEnthalpy1(double s) const {
  return Evaluate(kH1SaturatedLiquid, s);
}

double Region3BackwardEquation::SaturatedLiquidEnthalpy3a(double s) const {
  return Evaluate(kH3aSaturatedLiquid, s);
}

double Region3BackwardEquation::SaturatedVapourEnthalpy2ab(double s) const {
  return Evaluate(kH2abSaturatedVapour, s);
}

double Region3BackwardEquation::SaturatedVapourEnthalpy2c3b(double s) const {
  return Evaluate(kH2c3bSaturatedVapour, s);
}

double Region3BackwardEquation::B13Enthalpy(double s) const {
  return Evaluate(kHB13, s);
}

double Region3BackwardEquation::B23Temperature(double h, double s) const {
  return Evaluate(kTB23, h, s);
}

double Region3BackwardEquation::SaturationTemperatureHS(double h, double s) const {
  return Evaluate(kTsatHS, h, s);
}

double Region3BackwardEquation::ByName(const char* name, double first, double second) const {
  for (const NamedEquation& named : kNamed) {
    if (std::strcmp(named.name, name) == 0) {
      return Evaluate(*named.equation, first, second);
    }
  }
  return std::numeric_limits<double>::quiet_NaN();
}

}  // namespace vaporix
