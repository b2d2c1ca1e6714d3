#include "vaporix/equations/SaturationEquation.h"

#include <array>
#include <cmath>

#include "vaporix/Limits.h"
#include "vaporix/StateProperties.h"

namespace vaporix {
namespace {

// IAPWS-IF97 Table 34: coefficients n1 ... n10 of the region-4 saturation equations.
constexpr std::array<double, 11> kN{0.0,
                                    1167.0521452767,
                                    -724213.16703206,
                                    -17.073846940092,
                                    12020.82470247,
                                    -3232555.0322333,
                                    14.91510861353,
                                    -4823.2657361591,
                                    405113.40542057,
                                    -0.23855557567849,
                                    650.17534844798};

// IAPWS-IF97 Table 1: coefficients n1 ... n5 of the B23 boundary equation.
constexpr std::array<double, 6> kB23{
    0.0, 348.05185628969, -1.1671859879975, 0.0010192970039326, 572.54459862746, 13.91883977887};

constexpr double kInverseCriticalTemperature = 0.0015453657571674064;

// Auxiliary saturated-liquid density (IAPWS 1992 saturation release form,
// b3 = -0.510839): coefficients b1 ... b6 of theta^(1/3), theta^(2/3),
// theta^(5/3), theta^(16/3), theta^(43/3), theta^(110/3).
constexpr std::array<double, 6> kLiquidCoefficients{1.99274064,  1.09965342,  -0.510839,
                                                    -1.75493479, -45.5170352, -674694.45};

// Auxiliary saturated-vapour density: coefficients c1 ... c6 of theta^(2/6),
// theta^(4/6), theta^(8/6), theta^(18/6), theta^(37/6), theta^(71/6).
constexpr std::array<double, 6> kVapourCoefficients{-2.0315024,  -2.6830294,  -5.38626492,
                                                    -17.2991605, -44.7586581, -63.9201063};

}  // namespace

double SaturationEquation::SaturationPressure(double T) const {
  if (!(T >= limits::kMinimumTemperature && T <= limits::kCriticalTemperature)) {
    return kNotAvailable;
  }
  const double theta = T + kN[9] / (T - kN[10]);
  const double a = theta * theta + kN[1] * theta + kN[2];
  const double b = kN[3] * theta * theta + kN[4] * theta + kN[5];
  const double c = kN[6] * theta * theta + kN[7] * theta + kN[8];
  const double denominator = std::sqrt(b * b - 4.0 * a * c) - b;
  if (denominator == 0.0) {
    return kNotAvailable;
  }
  const double x = 2.0 * c / denominator;
  return x * x * x * x;
}

double SaturationEquation::SaturationTemperature(double p) const {
  if (!(p >= limits::kSaturationMinimumPressure && p <= limits::kCriticalPressure)) {
    return kNotAvailable;
  }
  // The fourth root as two square roots: within an ulp of pow(p, 0.25), at
  // half its cost.
  const double beta = std::sqrt(std::sqrt(p));
  const double e = beta * beta + kN[3] * beta + kN[6];
  const double f = kN[1] * beta * beta + kN[4] * beta + kN[7];
  const double g = kN[2] * beta * beta + kN[5] * beta + kN[8];
  const double denominator = -f - std::sqrt(f * f - 4.0 * e * g);
  if (denominator == 0.0) {
    return kNotAvailable;
  }
  const double k = 2.0 * g / denominator;
  return (kN[10] + k - std::sqrt((kN[10] + k) * (kN[10] + k) - 4.0 * (kN[9] + kN[10] * k))) / 2.0;
}

// The fractional powers of theta as products of its cube root (and of the
// square root of that): one cbrt where six pow calls cost about ten times
// more. Above the critical temperature theta is negative and the densities
// are not defined (NaN, as a fractional power of a negative number gives).
double SaturationEquation::SaturatedLiquidDensity(double T) const {
  const double theta = 1.0 - T * kInverseCriticalTemperature;
  if (!(theta >= 0.0)) {
    return std::nan("");
  }
  const double t1 = std::cbrt(theta);
  const double t2 = t1 * t1;
  const double t4 = t2 * t2;
  const double t8 = t4 * t4;
  const double t16 = t8 * t8;
  const double t32 = t16 * t16;
  const double t43 = t32 * t8 * t2 * t1;
  const double t110 = t32 * t32 * t32 * t8 * t4 * t2;
  const double sum = 1.0 + kLiquidCoefficients[0] * t1 + kLiquidCoefficients[1] * t2 +
                     kLiquidCoefficients[2] * t4 * t1 + kLiquidCoefficients[3] * t16 +
                     kLiquidCoefficients[4] * t43 + kLiquidCoefficients[5] * t110;
  return kCriticalDensity * sum;
}

double SaturationEquation::SaturatedVapourDensity(double T) const {
  const double theta = 1.0 - T * kInverseCriticalTemperature;
  if (!(theta >= 0.0)) {
    return std::nan("");
  }
  // Powers of theta^(1/6) = sqrt(cbrt(theta)); t_k below is theta^(k/3).
  const double t1 = std::cbrt(theta);
  const double sixth = std::sqrt(t1);
  const double t2 = t1 * t1;
  const double t4 = t2 * t2;
  const double t6 = t4 * t2;
  const double t12 = t6 * t6;
  const double t18 = t12 * t6;
  const double t35 = t18 * t12 * t4 * t1;
  const double sum = kVapourCoefficients[0] * t1 + kVapourCoefficients[1] * t2 +
                     kVapourCoefficients[2] * t4 + kVapourCoefficients[3] * t6 * t1 * t2 +
                     kVapourCoefficients[4] * t18 * sixth + kVapourCoefficients[5] * t35 * sixth;
  return kCriticalDensity * std::exp(sum);
}

double SaturationEquation::B23Pressure(double T) const {
  if (!(T >= limits::kRegion13Temperature && T <= limits::kB23MaximumTemperature)) {
    return kNotAvailable;
  }
  return kB23[1] + kB23[2] * T + kB23[3] * T * T;
}

double SaturationEquation::B23Temperature(double p) const {
  if (!(p >= limits::kSaturationPressureAt623 && p <= limits::kMaximumPressure)) {
    return kNotAvailable;
  }
  return kB23[4] + std::sqrt((p - kB23[5]) / kB23[3]);
}

}  // namespace vaporix
