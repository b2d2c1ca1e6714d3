#include "vaporix/solvers/Region1Solver.h"

#include <algorithm>
#include <cmath>

#include "solvers/SolverSupport.h"
#include "vaporix/Limits.h"
#include "vaporix/solvers/RootFinders.h"

namespace vaporix {
namespace {

constexpr double kMinTemperature = limits::kMinimumTemperature;
constexpr double kMaxTemperature = limits::kRegion13Temperature;
constexpr double kMinPressure = limits::kSinglePhaseMinimumPressure;
constexpr double kMaxPressure = limits::kMaximumPressure;
// Saturation pressure at 623.15 K: above it region 1 reaches up to 623.15 K.
constexpr double kSaturationPressureAt623 = limits::kSaturationPressureAt623;
constexpr double kTriplePointTemperature = limits::kTriplePointTemperature;
constexpr double kTriplePointPressure = limits::kTriplePointPressure;
constexpr double kMachineEpsilon = 0x1p-52;
// The bisection for an isotherm's lowest enthalpy stops at this width of its
// pressure interval, relative, or after so many halvings of 100 MPa.
constexpr double kMinimumSearchWidth = 1e-13;
constexpr int kMinimumSearchSteps = 64;
constexpr double kMinEnthalpy = -0.05;
constexpr double kMaxEnthalpy = 1675.0;
constexpr double kMinEntropy = -0.01;
constexpr double kMaxEntropy = 3.8;
// The backward temperature is moved this far down and searched this far around.
constexpr double kStartOffset = 0.05;
constexpr double kHalfBracket = 10.0;

bool PressureInRange(double p) {
  return p >= kMinPressure && p <= kMaxPressure;
}
bool TemperatureInRange(double T) {
  return T >= kMinTemperature && T <= kMaxTemperature;
}
bool EnthalpyInRange(double h) {
  return h >= kMinEnthalpy && h <= kMaxEnthalpy;
}
bool EntropyInRange(double s) {
  return s >= kMinEntropy && s <= kMaxEntropy;
}

}  // namespace

bool Region1Solver::InRange(double p, double T) const {
  if (std::fabs(T - kTriplePointTemperature) <= kMachineEpsilon &&
      std::fabs(p - kTriplePointPressure) <= kMachineEpsilon) {
    return true;
  }
  return TemperatureInRange(T) && p >= saturation.SaturationPressure(T) && p <= kMaxPressure;
}

double Region1Solver::UpperTemperature(double p) const {
  return p > kSaturationPressureAt623 ? kMaxTemperature : saturation.SaturationTemperature(p);
}

bool Region1Solver::SolvePT(double p, double T, StateProperties& out) const {
  return InRange(p, T) && region1.Evaluate(p, T, out);
}

bool Region1Solver::SolvePH(double p, double h, StateProperties& out) const {
  // Enthalpies beyond those of region 1 would send the search, started at
  // 273.15 K by a backward temperature far out of range, through all of its
  // evaluations for nothing.
  if (!PressureInRange(p) || !EnthalpyInRange(h)) {
    return false;
  }
  const double T0 = std::max(region1.TemperaturePH(p, h) - kStartOffset, kMinTemperature);
  if (!InRange(p, T0)) {
    return false;
  }
  const auto enthalpy =
      detail::Sloped([&](double T, double& slope) { return region1.EnthalpyPT(&slope, p, T); });
  const RootResult search =
      SafeguardedNewton(enthalpy, h, T0, {T0 - kHalfBracket, T0 + kHalfBracket},
                        RootOptions{Tolerance(), kMaxEvaluations, 0.0, 2.0 * kHalfBracket});
  return detail::HasIterate(search) && SolvePT(p, search.x, out) && detail::AcceptEnergy(out.h, h);
}

bool Region1Solver::SolvePS(double p, double s, StateProperties& out) const {
  if (!PressureInRange(p) || !EntropyInRange(s)) {
    return false;
  }
  const double T0 = std::max(region1.TemperaturePS(p, s) - kStartOffset, kMinTemperature);
  if (!InRange(p, T0)) {
    return false;
  }
  const auto entropy =
      detail::Sloped([&](double T, double& slope) { return region1.EntropyPT(&slope, p, T); });
  const RootResult search =
      SafeguardedNewton(entropy, s, T0, {T0 - kHalfBracket, T0 + kHalfBracket},
                        RootOptions{Tolerance() * detail::kFineToleranceScale, kMaxEvaluations, 0.0,
                                    2.0 * kHalfBracket});
  return detail::HasIterate(search) && SolvePT(p, search.x, out) && detail::AcceptEnergy(out.s, s);
}

bool Region1Solver::SolvePU(double p, double u, StateProperties& out) const {
  if (!PressureInRange(p)) {
    return false;
  }
  const double Tup = UpperTemperature(p);
  const auto energy = detail::Sloped(
      [&](double T, double& slope) { return region1.InternalEnergyPT(&slope, p, T); });
  const RootResult search = detail::SearchSpan(energy, u, {kMinTemperature, Tup}, Tolerance());
  return detail::HasIterate(search) && SolvePT(p, search.x, out) && detail::AcceptEnergy(out.u, u);
}

bool Region1Solver::SolvePV(double p, double v, StateProperties& out) const {
  if (!PressureInRange(p) || !(v > 0.0)) {
    return false;
  }
  const double Tup = UpperTemperature(p);
  const auto density = detail::WithDensitySlope(
      [&](double T, double& slope) { return region1.DensityPT(&slope, p, T); });
  const RootResult search =
      detail::SearchSpan(density, 1.0 / v, {Tup, kMinTemperature}, Tolerance());
  return detail::HasIterate(search) && SolvePT(p, search.x, out) && detail::AcceptVolume(out.v, v);
}

bool Region1Solver::SolveTH(double T, double h, StateProperties& out) const {
  if (!TemperatureInRange(T)) {
    return false;
  }
  const double ps = saturation.SaturationPressure(T);
  StateProperties top;
  StateProperties bottom;
  if (!SolvePT(kMaxPressure, T, top) || !SolvePT(ps, T, bottom)) {
    return false;
  }
  const auto enthalpy =
      detail::Sloped([&](double p, double& slope) { return region1.EnthalpyTP(&slope, T, p); });
  // Along most isotherms of region 1 enthalpy rises with pressure, near
  // 623.15 K it falls: test against both ends and put the high end where
  // the enthalpy is larger.
  Bracket span{};
  if (h >= std::min(top.h, bottom.h) && h <= std::max(top.h, bottom.h)) {
    const bool risesWithPressure = top.h > bottom.h;
    span = {risesWithPressure ? ps : kMaxPressure, risesWithPressure ? kMaxPressure : ps};
  } else if (h < std::min(top.h, bottom.h) && enthalpy(ps).slope < 0.0) {
    // Between about 500 and 623 K the isotherm's enthalpy falls from ps to a
    // minimum and rises again: a target between that minimum and both ends
    // has two states. The answer is the one on the falling side, nearer
    // saturation; the list of every state holds the other.
    const double pMinimum = LowestEnthalpyPressure(T, ps);
    if (!(enthalpy(pMinimum).value <= h)) {
      return false;
    }
    span = {pMinimum, ps};
  } else {
    return false;
  }
  const RootResult search =
      detail::SearchSpan(enthalpy, h, span, Tolerance(), detail::kPressureCorrection);
  return detail::HasIterate(search) && SolvePT(search.x, T, out) && detail::AcceptEnergy(out.h, h);
}

double Region1Solver::LowestEnthalpyPressure(double T, double ps) const {
  // (dh/dp)_T = v (1 - T alpha) changes sign once along the isotherm: bisect
  // on its sign to the rounding of the pressure.
  double falling = ps;
  double rising = kMaxPressure;
  for (int i = 0; i < kMinimumSearchSteps && rising - falling > kMinimumSearchWidth * rising; ++i) {
    const double middle = 0.5 * (falling + rising);
    double slope = 0.0;
    region1.EnthalpyTP(&slope, T, middle);
    (slope < 0.0 ? falling : rising) = middle;
  }
  return 0.5 * (falling + rising);
}

bool Region1Solver::SolveTS(double T, double s, StateProperties& out) const {
  if (!TemperatureInRange(T)) {
    return false;
  }
  const double ps = saturation.SaturationPressure(T);
  const auto entropy =
      detail::Sloped([&](double p, double& slope) { return region1.EntropyTP(&slope, T, p); });
  const Bracket span = detail::OrientBracket(entropy, Bracket{kMaxPressure, ps});
  const RootResult search =
      detail::SearchSpan(entropy, s, span, Tolerance(), detail::kPressureCorrection);
  return detail::HasIterate(search) && SolvePT(search.x, T, out) && detail::AcceptEnergy(out.s, s);
}

bool Region1Solver::SolveTU(double T, double u, StateProperties& out) const {
  if (!TemperatureInRange(T)) {
    return false;
  }
  const double ps = saturation.SaturationPressure(T);
  const auto energy = detail::Sloped(
      [&](double p, double& slope) { return region1.InternalEnergyTP(&slope, T, p); });
  const Bracket span = detail::OrientBracket(energy, Bracket{kMaxPressure, ps});
  const RootResult search =
      detail::SearchSpan(energy, u, span, Tolerance(), detail::kPressureCorrection);
  return detail::HasIterate(search) && SolvePT(search.x, T, out) && detail::AcceptEnergy(out.u, u);
}

bool Region1Solver::SolveTV(double T, double v, StateProperties& out) const {
  if (!TemperatureInRange(T) || !(v > 0.0)) {
    return false;
  }
  const double ps = saturation.SaturationPressure(T);
  const auto density = detail::WithDensitySlope(
      [&](double p, double& slope) { return region1.DensityTP(&slope, T, p); });
  const RootResult search = detail::SearchSpan(density, 1.0 / v, {ps, kMaxPressure}, Tolerance(),
                                               detail::kPressureCorrection);
  return detail::HasIterate(search) && SolvePT(search.x, T, out) && detail::AcceptVolume(out.v, v);
}

bool Region1Solver::BackwardPH(double p, double h, StateProperties& out) const {
  if (!PressureInRange(p) || !EnthalpyInRange(h)) {
    return false;
  }
  return SolvePT(p, region1.TemperaturePH(p, h), out);
}

bool Region1Solver::BackwardPS(double p, double s, StateProperties& out) const {
  if (!PressureInRange(p) || !EntropyInRange(s)) {
    return false;
  }
  return SolvePT(p, region1.TemperaturePS(p, s), out);
}

bool Region1Solver::BackwardHS(double h, double s, StateProperties& out) const {
  if (!EnthalpyInRange(h) || !EntropyInRange(s)) {
    return false;
  }
  const double p = region1.PressureHS(h, s);
  return SolvePT(p, region1.TemperaturePH(p, h), out);
}

bool Region1Solver::SolveHS(double h, double s, StateProperties& out) const {
  if (!EnthalpyInRange(h) || !EntropyInRange(s)) {
    return false;
  }
  const double p0 = region1.PressureHS(h, s);
  const double T0 = region1.TemperaturePH(p0, h);
  return detail::NewtonEnthalpyEntropy(region1, h, s, p0, T0, out) && InRange(out.p, out.t);
}

}  // namespace vaporix
