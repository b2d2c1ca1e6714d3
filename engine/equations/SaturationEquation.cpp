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
// b3 = -0.510839): exponents of theta and coefficients b1 ... b6.
constexpr std::array<double, 6> kLiquidExponents{0.3333333333333333, 0.6666666666666666,
                                                 1.6666666666666667, 5.333333333333333,
                                                 14.333333333333334, 36.666666666666664};
constexpr std::array<double, 6> kLiquidCoefficients{1.99274064,  1.09965342,  -0.510839,
                                                    -1.75493479, -45.5170352, -674694.45};

// Auxiliary saturated-vapour density: exponents of theta and coefficients c1 ... c6.
constexpr std::array<double, 6> kVapourExponents{0.3333333333333333, 0.6666666666666666,
                                                 1.3333333333333333, 3.0,
                                                 6.166666666666667,  11.833333333333334};
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

double SaturationEquation::SaturatedLiquidDensity(double T) const {
  const double theta = 1.0 - T * kInverseCriticalTemperature;
  double sum = 1.0;
  for (std::size_t i = 0; i < kLiquidExponents.size(); ++i) {
    sum += kLiquidCoefficients[i] * std::pow(theta, kLiquidExponents[i]);
  }
  return kCriticalDensity * sum;
}

double SaturationEquation::SaturatedVapourDensity(double T) const {
  const double theta = 1.0 - T * kInverseCriticalTemperature;
  double sum = 0.0;
  for (std::size_t i = 0; i < kVapourExponents.size(); ++i) {
    sum += kVapourCoefficients[i] * std::pow(theta, kVapourExponents[i]);
  }
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
