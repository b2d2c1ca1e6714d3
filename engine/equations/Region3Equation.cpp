#include "vaporix/equations/Region3Equation.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <span>

#include "equations/FiniteState.h"
#include "equations/PowerSeries.h"
#include "vaporix/Limits.h"
#include "vaporix/StateProperties.h"
#include "vaporix/equations/SaturationEquation.h"

namespace vaporix {
namespace {

// One term n (pi - a)^(I/pressureRoot) (theta - b)^(J/temperatureRoot) of a
// region-3 backward equation v(p,T).
struct VolumeTerm {
  int I;
  int J;
  double n;
};

// One subregion equation of the IAPWS region-3 v(p,T) backward equations:
// v = vStar * (sum of terms)^outerPower, or v = vStar * exp(sum) when
// exponential, with pi = p/pStar and theta = T/TStar.
struct SubregionEquation {
  char letter;
  double vStar;
  double pStar;
  double TStar;
  double a;
  double b;
  int pressureRoot;     // 2 when the pressure exponents are I/2
  int temperatureRoot;  // 4 when the temperature exponents are J/4
  int outerPower;
  bool exponential;
  int minI;
  int maxI;
  int minJ;
  int maxJ;
  std::span<const VolumeTerm> terms;
};

struct BoundaryTerm {
  int I;
  double n;
};

#include "equations/Region3HelmholtzTable.inc"
#include "equations/Region3SubregionTables.inc"

constexpr double kInverseCriticalDensity = 1.0 / kCriticalDensity;

// Slope of the critical line; its reciprocal 3.727888 is the slope of T_3ef(p).
constexpr double kCriticalLineSlope = 0.268248402;  // MPa/K

// IAPWS SR5-05(2016) Eq. 3: the boundary 3ef, a straight line through the critical point.
constexpr double kEfSlope = 3.727888004;  // K/MPa

// Pressures that separate the pressure bands of the subregion selection (MPa).
constexpr double kPressureCd = 19.00881189173929;            // lowest pressure of the boundary 3cd
constexpr double kPressureNearCriticalLiquid = 21.93161551;  // u/y split starts above it
constexpr double kPressureNearCriticalVapour = 21.90096265;  // z/x split starts above it

// Temperature and pressure limits of the backward equations v(p,T).
constexpr double kMinimumTemperature = limits::kRegion13Temperature;
constexpr double kMaximumPressure = limits::kMaximumPressure;

// Lowest pressure of the B23 equation T_B23(p) (MPa).
constexpr double kLowestB23Pressure = limits::kSaturationPressureAt623;

// How far beyond the validity range StartVolume still evaluates a subregion
// equation at the point itself (K and MPa): that close the extrapolation stays
// within about 1 % of the volume, further out the equations soon diverge.
constexpr double kTemperatureMargin = 5.0;
constexpr double kPressureMargin = 0.5;

// The reduced Helmholtz free energy and its derivatives at (delta, tau).
struct Helmholtz {
  double phi = 0.0;
  double d = 0.0;   // phi_delta
  double dd = 0.0;  // phi_delta_delta
  double t = 0.0;   // phi_tau
  double tt = 0.0;  // phi_tau_tau
  double dt = 0.0;  // phi_delta_tau
};

// Each term t = n delta^I tau^J is formed once (powers from a compile-time
// plan, partial sums side by side); its derivatives follow by the exponent
// factors and a division by delta or tau. delta and tau are never zero here.
Helmholtz HelmholtzDerivatives(double delta, double tau) {
  const detail::GibbsSeriesSums sums = detail::SumGibbsSeries<kHelmholtzTerms>(delta, tau);
  const double inverseDelta = 1.0 / delta;
  const double inverseTau = 1.0 / tau;
  Helmholtz f;
  f.phi = kLogDeltaCoefficient * std::log(delta) + sums.terms;
  f.d = (kLogDeltaCoefficient + sums.xTerms) * inverseDelta;
  f.dd = (sums.xxTerms - kLogDeltaCoefficient) * (inverseDelta * inverseDelta);
  f.t = sums.yTerms * inverseTau;
  f.tt = sums.yyTerms * (inverseTau * inverseTau);
  f.dt = sums.xyTerms * (inverseDelta * inverseTau);
  return f;
}

// phi_delta alone, for the pressure inside density iterations.
double HelmholtzDeltaDerivative(double delta, double tau) {
  return (kLogDeltaCoefficient + detail::SumFirstExponentSeries<kHelmholtzTerms>(delta, tau)) /
         delta;
}

double IntegerPower(double base, int exponent) {
  double result = 1.0;
  for (int k = 0; k < std::abs(exponent); ++k) {
    result *= base;
  }
  return exponent < 0 ? 1.0 / result : result;
}

template <std::size_t N>
double PolynomialBoundary(const BoundaryTerm (&terms)[N], double p) {
  double T = 0.0;
  for (const BoundaryTerm& term : terms) {
    T += term.n * IntegerPower(p, term.I);
  }
  return T;
}

template <std::size_t N>
double LogarithmicBoundary(const BoundaryTerm (&terms)[N], double p) {
  const double logP = std::log(p);
  double T = 0.0;
  for (const BoundaryTerm& term : terms) {
    T += term.n * IntegerPower(logP, term.I);
  }
  return T;
}

double BoundaryEf(double p) {
  return kEfSlope * (p - kCriticalPressure) + kCriticalTemperature;
}

// Room for the widest exponent range of any subregion (-12 ... 36).
constexpr int kMaxPowerCount = 64;

constexpr bool SubregionTablesFit() {
  char letter = 'a';
  for (const SubregionEquation& equation : kSubregionEquations) {
    const bool fits = std::max(equation.maxI, 0) - std::min(equation.minI, 0) < kMaxPowerCount &&
                      std::max(equation.maxJ, 0) - std::min(equation.minJ, 0) < kMaxPowerCount;
    if (equation.letter != letter++ || !fits) {
      return false;
    }
  }
  return letter == 'z' + 1;
}
static_assert(SubregionTablesFit(), "subregion tables must run a ... z and fit the power tables");

// Powers base^lo ... base^hi (lo <= 0 <= hi) by multiplication, indexed from lo.
struct PowerRange {
  std::array<double, kMaxPowerCount> values{};
  int lo = 0;

  PowerRange(double base, int minExponent, int maxExponent) : lo(std::min(minExponent, 0)) {
    const int hi = std::max(maxExponent, 0);
    const auto zero = static_cast<std::size_t>(-lo);
    values[zero] = 1.0;
    for (int k = 1; k <= hi; ++k) {
      values[zero + static_cast<std::size_t>(k)] =
          values[zero + static_cast<std::size_t>(k - 1)] * base;
    }
    if (lo < 0) {
      const double inverse = 1.0 / base;
      for (int k = 1; k <= -lo; ++k) {
        values[zero - static_cast<std::size_t>(k)] =
            values[zero - static_cast<std::size_t>(k - 1)] * inverse;
      }
    }
  }

  double operator[](int exponent) const { return values[static_cast<std::size_t>(exponent - lo)]; }
};

double EvaluateSubregion(const SubregionEquation& equation, double p, double T) {
  double pressureBase = p / equation.pStar - equation.a;
  double temperatureBase = T / equation.TStar - equation.b;
  if (equation.pressureRoot == 2) {
    pressureBase = std::sqrt(pressureBase);
  }
  if (equation.temperatureRoot == 4) {
    temperatureBase = std::sqrt(std::sqrt(temperatureBase));
  }
  const PowerRange pressurePowers(pressureBase, equation.minI, equation.maxI);
  const PowerRange temperaturePowers(temperatureBase, equation.minJ, equation.maxJ);
  double sum = 0.0;
  for (const VolumeTerm& term : equation.terms) {
    sum += term.n * pressurePowers[term.I] * temperaturePowers[term.J];
  }
  double omega = 0.0;
  if (equation.exponential) {
    omega = std::exp(sum);
  } else if (equation.outerPower == 4) {
    const double square = sum * sum;
    omega = square * square;
  } else {
    omega = sum;
  }
  return equation.vStar * omega;
}

// IAPWS SR5-05(2016) Table 10: the subregions next to the critical point,
// for T_3qu(p) < T <= T_3rx(p).
char SelectNearCriticalSubregion(double p, double T, const SaturationEquation& saturation) {
  if (p > 22.11) {
    if (T <= PolynomialBoundary(kBoundaryUV, p)) {
      return 'u';
    }
    if (T <= BoundaryEf(p)) {
      return 'v';
    }
    if (T <= LogarithmicBoundary(kBoundaryWX, p)) {
      return 'w';
    }
    return 'x';
  }
  if (p > kCriticalPressure) {
    if (T <= PolynomialBoundary(kBoundaryUV, p)) {
      return 'u';
    }
    if (T <= BoundaryEf(p)) {
      return 'y';
    }
    if (T <= LogarithmicBoundary(kBoundaryWX, p)) {
      return 'z';
    }
    return 'x';
  }
  if (T > saturation.SaturationTemperature(p)) {
    if (p <= kPressureNearCriticalVapour) {
      return 'x';
    }
    return T <= LogarithmicBoundary(kBoundaryWX, p) ? 'z' : 'x';
  }
  if (p <= kPressureNearCriticalLiquid) {
    return 'u';
  }
  return T <= PolynomialBoundary(kBoundaryUV, p) ? 'u' : 'y';
}

// IAPWS SR5-05(2016) Table 2 with Table 10. Each pressure band orders its
// subregions by rising temperature, so a temperature below 623.15 K falls to
// the band's first (liquid) subregion and one above T_B23(p) to its last
// (vapour) one; pressures above 100 MPa use the top band and pressures below
// ps(623.15 K) the bottom band.
char SelectSubregion(double p, double T) {
  const SaturationEquation saturation;
  if (p > 40.0) {
    return T <= LogarithmicBoundary(kBoundaryAB, p) ? 'a' : 'b';
  }
  if (p > 25.0) {
    if (T <= PolynomialBoundary(kBoundaryCD, p)) {
      return 'c';
    }
    if (T <= LogarithmicBoundary(kBoundaryAB, p)) {
      return 'd';
    }
    if (T <= BoundaryEf(p)) {
      return 'e';
    }
    return 'f';
  }
  if (p > 23.0) {
    if (T <= PolynomialBoundary(kBoundaryCD, p)) {
      return 'c';
    }
    if (T <= PolynomialBoundary(kBoundaryGH, p)) {
      return p > 23.5 ? 'g' : 'l';
    }
    if (T <= BoundaryEf(p)) {
      return 'h';
    }
    if (T <= PolynomialBoundary(kBoundaryIJ, p)) {
      return 'i';
    }
    if (T <= PolynomialBoundary(kBoundaryJK, p)) {
      return 'j';
    }
    return 'k';
  }
  if (p > 22.5) {
    if (T <= PolynomialBoundary(kBoundaryCD, p)) {
      return 'c';
    }
    if (T <= PolynomialBoundary(kBoundaryGH, p)) {
      return 'l';
    }
    if (T <= PolynomialBoundary(kBoundaryMN, p)) {
      return 'm';
    }
    if (T <= BoundaryEf(p)) {
      return 'n';
    }
    if (T <= LogarithmicBoundary(kBoundaryOP, p)) {
      return 'o';
    }
    if (T <= PolynomialBoundary(kBoundaryIJ, p)) {
      return 'p';
    }
    if (T <= PolynomialBoundary(kBoundaryJK, p)) {
      return 'j';
    }
    return 'k';
  }
  if (p > kPressureCd) {
    if (T <= PolynomialBoundary(kBoundaryCD, p)) {
      return 'c';
    }
    if (p > 20.5) {
      if (p > saturation.SaturationPressure(643.15)) {
        if (T <= PolynomialBoundary(kBoundaryQU, p)) {
          return 'q';
        }
        if (T <= PolynomialBoundary(kBoundaryRX, p)) {
          return SelectNearCriticalSubregion(p, T, saturation);
        }
      } else if (T <= saturation.SaturationTemperature(p)) {
        return 's';
      }
      return T <= PolynomialBoundary(kBoundaryJK, p) ? 'r' : 'k';
    }
    return T <= saturation.SaturationTemperature(p) ? 's' : 't';
  }
  return T <= saturation.SaturationTemperature(p) ? 'c' : 't';
}

const SubregionEquation* FindSubregion(char letter) {
  if (letter < 'a' || letter > 'z') {
    return nullptr;
  }
  return &kSubregionEquations[letter - 'a'];
}

bool UsableVolume(double v) {
  return std::isfinite(v) && v > 0.0;
}

struct Point {
  double p;
  double T;
};

// The point at which StartVolume evaluates its subregion equation: (p, T)
// itself inside the validity range (ps(623.15 K) < p <= 100 MPa, 623.15 K <=
// T <= T_B23(p)) and within the margins around it, else the nearest point on
// the margins. Far outside the range this gives the finite volume of the
// nearest edge state instead of a diverging extrapolation.
Point ExtrapolationLimitedPoint(double p, double T) {
  const SaturationEquation saturation;
  Point at{std::min(p, kMaximumPressure + kPressureMargin), T};
  if (at.p < kLowestB23Pressure) {
    at.p = std::max(at.p, saturation.SaturationPressure(kMinimumTemperature) - kPressureMargin);
  }
  const double highestTemperature =
      saturation.B23Temperature(std::clamp(at.p, kLowestB23Pressure, kMaximumPressure));
  at.T = std::clamp(T, kMinimumTemperature - kTemperatureMargin,
                    highestTemperature + kTemperatureMargin);
  return at;
}

}  // namespace

bool Region3Equation::Evaluate(double rho, double T, StateProperties& out) const {
  // Negative or infinite inputs are refused here as well: they are never a
  // state, and some would pass the finiteness test below.
  if (!(rho > 0.0) || !std::isfinite(rho) || !(T >= 0.0) || !std::isfinite(T)) {
    return false;
  }
  const double R = kGasConstant;
  const double delta = rho * kInverseCriticalDensity;
  const double tau = kCriticalTemperature / T;
  const Helmholtz f = HelmholtzDerivatives(delta, tau);

  out.d = rho;
  out.v = 1.0 / rho;
  out.t = T;
  out.p = R * f.d * delta * rho * T / 1000.0;
  out.u = R * T * tau * f.t;
  out.s = R * (tau * f.t - f.phi);
  out.h = R * T * (delta * f.d + tau * f.t);
  out.cv = -R * tau * tau * f.tt;

  const double X = 2.0 * delta * f.d + delta * delta * f.dd;
  if (X == 0.0) {
    return false;
  }
  const double pressureTemperatureTerm = delta * f.d - delta * tau * f.dt;
  const double pressureTemperatureSquare = pressureTemperatureTerm * pressureTemperatureTerm;
  out.cp = out.cv + R * pressureTemperatureSquare / X;

  const double tauSquarePhiTauTau = tau * tau * f.tt;
  if (tauSquarePhiTauTau == 0.0) {
    return false;
  }
  const double soundSquare = 1000.0 * R * T * (X - pressureTemperatureSquare / tauSquarePhiTauTau);
  out.w = std::sqrt(soundSquare);

  if (out.p * 1.0e6 == 0.0) {
    return false;
  }
  // w^2 rho / p, formed without waiting for the square root.
  out.kapa = soundSquare * rho / (out.p * 1.0e6);

  out.H = R * T * f.phi;
  out.G = out.h - T * out.s;
  out.Z = delta * f.d;  // p / (rho R T) with p = rho R T delta phi_delta

  const double volumeTemperatureDenominator = rho * T * (2.0 * f.d + delta * f.dd);
  if (volumeTemperatureDenominator == 0.0) {
    return false;
  }
  out.dvdt = (f.d - tau * f.dt) / volumeTemperatureDenominator;
  out.alpha = out.dvdt * rho;

  const double volumePressureDenominator = R * T * rho * rho * X;
  if (volumePressureDenominator == 0.0) {
    return false;
  }
  out.dvdp = -1000.0 / volumePressureDenominator;
  out.Kt = -out.dvdp * rho;

  if (out.dvdp != 0.0) {
    // (dp/dT)_v and (dp/dv)_T straight from phi rather than as quotients of
    // the volume derivatives, which are themselves quotients.
    out.dpdt = R * rho * (delta * f.d - delta * tau * f.dt) / 1000.0;
    out.dpdv = -volumePressureDenominator / 1000.0;
  }
  out.iJTC = 1000.0 * (out.v - T * out.dvdt);
  if (out.cp != 0.0) {
    out.JTC = 1000.0 * (T * out.dvdt - out.v) / out.cp;
  }
  out.region = 3;
  return detail::FormedPropertiesFinite(out);
}

bool Region3Equation::PartialsAt(double rho, double T, Partials& out) const {
  if (!(rho > 0.0) || !std::isfinite(rho) || !(T > 0.0) || !std::isfinite(T)) {
    return false;
  }
  const double R = kGasConstant;
  const double delta = rho * kInverseCriticalDensity;
  const double tau = kCriticalTemperature / T;
  const Helmholtz f = HelmholtzDerivatives(delta, tau);
  // p = R rho T delta phi_d (kPa, /1000 to MPa); d/drho = (1/rho_c) d/ddelta
  // and d/dT = -(tau/T) d/dtau.
  out.p = R * f.d * delta * rho * T / 1000.0;
  out.pRho = R * T * (2.0 * delta * f.d + delta * delta * f.dd) / 1000.0;
  out.pT = R * rho * delta * (f.d - tau * f.dt) / 1000.0;
  out.h = R * T * (delta * f.d + tau * f.t);
  out.hRho = R * T * (f.d + delta * f.dd + tau * f.dt) * kInverseCriticalDensity;
  out.hT = R * (delta * f.d - delta * tau * f.dt - tau * tau * f.tt);
  out.s = R * (tau * f.t - f.phi);
  out.sRho = R * (tau * f.dt - f.d) * kInverseCriticalDensity;
  out.sT = -R * tau * tau * f.tt / T;
  out.u = R * T * tau * f.t;
  out.uRho = R * T * tau * f.dt * kInverseCriticalDensity;
  out.uT = -R * tau * tau * f.tt;
  return true;
}

double Region3Equation::Pressure(double T, double rho) const {
  if (!(T > 0.0) || !(rho > 0.0) || !std::isfinite(T) || !std::isfinite(rho)) {
    return kNotAvailable;
  }
  const double delta = rho * kInverseCriticalDensity;
  const double phiDelta = HelmholtzDeltaDerivative(delta, kCriticalTemperature / T);
  return kGasConstant * phiDelta * delta * rho * T / 1000.0;
}

double Region3Equation::PressureSlope(double* dpdT, double rho, double T) const {
  const double delta = rho * kInverseCriticalDensity;
  const double tau = kCriticalTemperature / T;
  const Helmholtz f = HelmholtzDerivatives(delta, tau);
  if (dpdT != nullptr) {
    *dpdT = rho * kGasConstant * delta * (f.d - tau * f.dt) / 1000.0;
  }
  return kGasConstant * f.d * delta * rho * T / 1000.0;
}

double Region3Equation::EnthalpyTRho(double* dhdrho, double T, double rho) const {
  const double delta = rho * kInverseCriticalDensity;
  const double tau = kCriticalTemperature / T;
  const Helmholtz f = HelmholtzDerivatives(delta, tau);
  if (dhdrho != nullptr) {
    *dhdrho = kGasConstant * T * (f.d + delta * f.dd + tau * f.dt) * kInverseCriticalDensity;
  }
  return kGasConstant * T * (delta * f.d + tau * f.t);
}

double Region3Equation::EntropyTRho(double* dsdrho, double T, double rho) const {
  const double delta = rho * kInverseCriticalDensity;
  const double tau = kCriticalTemperature / T;
  const Helmholtz f = HelmholtzDerivatives(delta, tau);
  if (dsdrho != nullptr) {
    *dsdrho = kGasConstant * (tau * f.dt - f.d) * kInverseCriticalDensity;
  }
  return kGasConstant * (tau * f.t - f.phi);
}

double Region3Equation::InternalEnergyTRho(double* dudrho, double T, double rho) const {
  const double delta = rho * kInverseCriticalDensity;
  const double tau = kCriticalTemperature / T;
  const Helmholtz f = HelmholtzDerivatives(delta, tau);
  if (dudrho != nullptr) {
    *dudrho = kGasConstant * kCriticalTemperature * f.dt * kInverseCriticalDensity;
  }
  return kGasConstant * T * tau * f.t;
}

double Region3Equation::CriticalLinePressure(double T) const {
  return kCriticalPressure + kCriticalLineSlope * (T - kCriticalTemperature);
}

double Region3Equation::SubregionVolume(char subregion, double p, double T) const {
  const SubregionEquation* equation = FindSubregion(subregion);
  if (equation == nullptr) {
    return kNotAvailable;
  }
  const double v = EvaluateSubregion(*equation, p, T);
  return std::isfinite(v) ? v : kNotAvailable;
}

char Region3Equation::StartVolumeSubregion(double p, double T) const {
  if (!(p > 0.0) || !(T > 0.0) || !std::isfinite(p) || !std::isfinite(T)) {
    return '\0';
  }
  return SelectSubregion(p, T);
}

double Region3Equation::StartVolume(double p, double T) const {
  const char subregion = StartVolumeSubregion(p, T);
  if (subregion == '\0') {
    return kNotAvailable;
  }
  const Point at = ExtrapolationLimitedPoint(p, T);
  const double v = EvaluateSubregion(*FindSubregion(subregion), at.p, at.T);
  return UsableVolume(v) ? v : kNotAvailable;
}

}  // namespace vaporix
