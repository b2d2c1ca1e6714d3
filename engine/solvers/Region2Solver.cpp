#include "vaporix/solvers/Region2Solver.h"

#include <algorithm>
#include <cmath>

#include "solvers/SolverSupport.h"
#include "vaporix/Limits.h"
#include "vaporix/solvers/RootFinders.h"

namespace vaporix {
namespace {

constexpr double kMinTemperature = limits::kMinimumTemperature;
constexpr double kMaxTemperature = limits::kRegion2MaximumTemperature;
constexpr double kSaturationBandTop =
    limits::kRegion13Temperature;  // region 2 below the saturation line up to here
constexpr double kB23BandTop =
    limits::kB23MaximumTemperature;  // then below the B23 line up to here
constexpr double kMinPressure = limits::kRegion2MinimumPressure;
constexpr double kMaxPressure = limits::kMaximumPressure;
// Saturation pressure at 623.15 K: above it region 2 starts at the B23 line.
constexpr double kSaturationPressureAt623 = limits::kSaturationPressureAt623;
constexpr double kSaturatedVapourEnthalpy623 = limits::kSaturatedVapourEnthalpy623;
constexpr double kMinEnthalpy = 2495.0;
constexpr double kMaxEnthalpy = 4500.0;
constexpr double kMinEntropy = 5.047;
// Up to steam at 1073.15 K and 1 Pa (14.7 kJ/(kg K)).
constexpr double kMaxEntropy = 15.0;
// The backward equation T(p,s) is declined above this pressure at higher entropies.
constexpr double kBackwardPSPressureLimit = 10.0;
constexpr double kBackwardPSEntropyLimit = 7.5;
// The backward temperature is moved this far up before the search.
constexpr double kStartOffset = 0.05;
// A start further than this from the root (by the Newton step) is not the
// backward equations' estimate of a region-2 state.
constexpr double kTrustedStartDistance = 5.0;

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

bool Region2Solver::InRange(double p, double T) const {
  if (!(p > 0.0)) {
    return false;
  }
  if (T >= kMinTemperature && T <= kSaturationBandTop) {
    return p <= saturation.SaturationPressure(T);
  }
  if (T > kSaturationBandTop && T <= kB23BandTop) {
    return p <= saturation.B23Pressure(T);
  }
  return T > kB23BandTop && T <= kMaxTemperature && p <= kMaxPressure;
}

double Region2Solver::LowerTemperature(double p) const {
  if (p > kSaturationPressureAt623) {
    return saturation.B23Temperature(p);
  }
  // Below ps(273.15 K) region 2 reaches down to 273.15 K.
  return p < limits::kSaturationMinimumPressure ? kMinTemperature
                                                : saturation.SaturationTemperature(p);
}

double Region2Solver::UpperPressure(double T) const {
  if (T <= kSaturationBandTop) {
    return saturation.SaturationPressure(T);
  }
  if (T > kB23BandTop) {
    return kMaxPressure;
  }
  return saturation.B23Pressure(T);
}

bool Region2Solver::SolvePT(double p, double T, StateProperties& out) const {
  return InRange(p, T) && region2.Evaluate(p, T, out);
}

template <class Property>
bool Region2Solver::SolveAtPressure(double p, double TBackward, Property&& property, double target,
                                    double tolerance, StateProperties& out) const {
  double T0 = std::min(TBackward + kStartOffset, kMaxTemperature);
  // Below ps(273.15 K) the backward equations extrapolate and may fall under
  // 273.15 K; no wet state lies there, so the search starts at the bottom.
  if (p < limits::kSaturationMinimumPressure) {
    T0 = std::max(T0, kMinTemperature);
  }
  if (!InRange(p, T0)) {
    return false;
  }
  // The backward equations are good to a few hundredths of a kelvin inside
  // region 2. A start much further from the root, or one pushed down to
  // 1073.15 K, means the target may lie beyond 1073.15 K (a region-5 state,
  // where the backward equations extrapolate freely); the search would then
  // spend all of its evaluations on the bracket end, and the looser acceptance
  // could pass a state up to half a kelvin above 1073.15 K as the region-2
  // state at 1073.15 K. Such a target is declined at once.
  //
  // Below the value at the region's lowest temperature the target is wet
  // steam or a region-3 state, which the backward equations do not recognise
  // either; Newton would bisect towards that end until its budget is spent.
  // Such a target is declined too, unless it lies within the acceptance of
  // the end state (which the search would still find there).
  const double Tlow = LowerTemperature(p);
  const ValueSlope start = property(T0);
  if (T0 < TBackward + kStartOffset ||
      !(std::fabs(start.value - target) <= kTrustedStartDistance * std::fabs(start.slope))) {
    // The low end first: most such targets are wet or region-3 states.
    if (property(Tlow).value - target >= detail::kEnergyAcceptance ||
        target - property(kMaxTemperature).value > tolerance) {
      return false;
    }
  }
  // The first evaluation of the search is the one just made at T0.
  bool first = true;
  const auto startCached = [&](double T) {
    if (first) {
      first = false;
      return start;
    }
    return property(T);
  };
  // A wet or region-3 target a hair below the value at the region's lowest
  // temperature has its root below the bracket: the search stops on that end
  // instead of bisecting there through its whole budget. (The cached start
  // is the only state the function keeps.)
  RootOptions options{tolerance};
  options.checkEnds = true;
  const RootResult search =
      SafeguardedNewton(startCached, target, T0, {Tlow, kMaxTemperature}, options);
  return detail::HasIterate(search) && SolvePT(p, search.x, out);
}

bool Region2Solver::SolvePH(double p, double h, StateProperties& out) const {
  if (!PressureInRange(p)) {
    return false;
  }
  // Above ps(623.15 K) region 2 begins at the B23 line, where the enthalpy is
  // at least h''(623.15 K) (at the line's lower end): a lower target is wet
  // steam or a region-3 state, declined without evaluating region 2.
  if (p > kSaturationPressureAt623 && h < kSaturatedVapourEnthalpy623 - detail::kEnergyAcceptance) {
    return false;
  }
  const auto enthalpy =
      detail::Sloped([&](double T, double& slope) { return region2.EnthalpyPT(&slope, p, T); });
  return SolveAtPressure(p, region2.TemperaturePH(p, h), enthalpy, h, Tolerance(), out) &&
         detail::AcceptEnergy(out.h, h);
}

bool Region2Solver::SolvePS(double p, double s, StateProperties& out) const {
  if (!PressureInRange(p)) {
    return false;
  }
  const auto entropy =
      detail::Sloped([&](double T, double& slope) { return region2.EntropyPT(&slope, p, T); });
  return SolveAtPressure(p, region2.TemperaturePS(p, s), entropy, s,
                         Tolerance() * detail::kFineToleranceScale, out) &&
         detail::AcceptEnergy(out.s, s);
}

bool Region2Solver::SolvePU(double p, double u, StateProperties& out) const {
  if (!PressureInRange(p)) {
    return false;
  }
  const double Tlow = LowerTemperature(p);
  const auto energy = detail::Sloped(
      [&](double T, double& slope) { return region2.InternalEnergyPT(&slope, p, T); });
  const RootResult search = detail::SearchSpan(energy, u, {Tlow, kMaxTemperature}, Tolerance());
  return detail::HasIterate(search) && SolvePT(p, search.x, out) && detail::AcceptEnergy(out.u, u);
}

bool Region2Solver::SolvePV(double p, double v, StateProperties& out) const {
  if (!PressureInRange(p) || !(v > 0.0)) {
    return false;
  }
  const double Tlow = LowerTemperature(p);
  const auto density = detail::WithDensitySlope(
      [&](double T, double& slope) { return region2.DensityPT(&slope, p, T); });
  // Below 1 kg/m3 the density tolerance scales with the density, so that the
  // volume of dilute steam (1e5 m3/kg at 1 Pa) meets its acceptance too.
  const double rho = 1.0 / v;
  const RootResult search =
      detail::SearchSpan(density, rho, {kMaxTemperature, Tlow},
                         Tolerance() * detail::kFineToleranceScale * std::min(1.0, rho));
  return detail::HasIterate(search) && SolvePT(p, search.x, out) && detail::AcceptVolume(out.v, v);
}

bool Region2Solver::SolveTH(double T, double h, StateProperties& out) const {
  if (!TemperatureInRange(T)) {
    return false;
  }
  const double pup = UpperPressure(T);
  const auto enthalpy =
      detail::Sloped([&](double p, double& slope) { return region2.EnthalpyTP(&slope, T, p); });
  const RootResult search =
      detail::SearchSpan(enthalpy, h, {pup, 0.0}, Tolerance(), detail::kPressureCorrection);
  return detail::HasIterate(search) && SolvePT(search.x, T, out) && detail::AcceptEnergy(out.h, h);
}

bool Region2Solver::SolveTS(double T, double s, StateProperties& out) const {
  if (!TemperatureInRange(T)) {
    return false;
  }
  const double pup = UpperPressure(T);
  const auto entropy =
      detail::Sloped([&](double p, double& slope) { return region2.EntropyTP(&slope, T, p); });
  const RootResult search =
      detail::SearchSpan(entropy, s, {pup, 0.0}, Tolerance(), detail::kPressureCorrection);
  return detail::HasIterate(search) && SolvePT(search.x, T, out) && detail::AcceptEnergy(out.s, s);
}

bool Region2Solver::SolveTU(double T, double u, StateProperties& out) const {
  if (!TemperatureInRange(T)) {
    return false;
  }
  const double pup = UpperPressure(T);
  const auto energy = detail::Sloped(
      [&](double p, double& slope) { return region2.InternalEnergyTP(&slope, T, p); });
  const RootResult search =
      detail::SearchSpan(energy, u, {pup, 0.0}, Tolerance(), detail::kPressureCorrection);
  return detail::HasIterate(search) && SolvePT(search.x, T, out) && detail::AcceptEnergy(out.u, u);
}

bool Region2Solver::SolveTV(double T, double v, StateProperties& out) const {
  if (!TemperatureInRange(T) || !(v > 0.0)) {
    return false;
  }
  const double pup = UpperPressure(T);
  const auto density = detail::WithDensitySlope(
      [&](double p, double& slope) { return region2.DensityTP(&slope, T, p); });
  const RootResult search =
      detail::SearchSpan(density, 1.0 / v, {0.0, pup}, Tolerance(), detail::kPressureCorrection);
  return detail::HasIterate(search) && SolvePT(search.x, T, out) && detail::AcceptVolume(out.v, v);
}

bool Region2Solver::BackwardPH(double p, double h, StateProperties& out) const {
  if (!PressureInRange(p) || !EnthalpyInRange(h)) {
    return false;
  }
  return SolvePT(p, region2.TemperaturePH(p, h), out);
}

bool Region2Solver::BackwardPS(double p, double s, StateProperties& out) const {
  if (!PressureInRange(p) || !EntropyInRange(s) ||
      (p > kBackwardPSPressureLimit && s > kBackwardPSEntropyLimit)) {
    return false;
  }
  return SolvePT(p, region2.TemperaturePS(p, s), out);
}

bool Region2Solver::BackwardHS(double h, double s, StateProperties& out) const {
  if (!EnthalpyInRange(h) || !EntropyInRange(s)) {
    return false;
  }
  const double p = region2.PressureHS(h, s);
  return SolvePT(p, region2.TemperaturePS(p, s), out);
}

bool Region2Solver::SolveHS(double h, double s, StateProperties& out) const {
  if (!EnthalpyInRange(h) || !EntropyInRange(s)) {
    return false;
  }
  const double p0 = region2.PressureHS(h, s);
  const double T0 = region2.TemperaturePS(p0, s);
  return detail::NewtonEnthalpyEntropy(region2, h, s, p0, T0, out) && InRange(out.p, out.t);
}

}  // namespace vaporix
