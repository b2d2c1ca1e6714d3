#include "vaporix/solvers/Region5Solver.h"

#include <algorithm>
#include <cmath>

#include "solvers/SolverSupport.h"
#include "vaporix/Limits.h"
#include "vaporix/solvers/RootFinders.h"

namespace vaporix {
namespace {

// Temperature searches span the whole region, pressure searches 0 to 10 MPa,
// each started in the middle of its span.
constexpr double kMinTemperature = limits::kRegion2MaximumTemperature;
constexpr double kMaxTemperature = limits::kMaximumTemperature;
constexpr double kMaxPressure = limits::kRegion5MaximumPressure;
// Specific volumes from 1 m3/kg on are accepted within this in (T, v).
constexpr double kLargeVolumeAcceptanceTV = 0.01;

bool PressureInRange(double p) {
  return p > 0.0 && p <= kMaxPressure;
}
bool TemperatureInRange(double T) {
  return T >= kMinTemperature && T <= kMaxTemperature;
}

}  // namespace

bool Region5Solver::InRange(double p, double T) const {
  return TemperatureInRange(T) && PressureInRange(p);
}

bool Region5Solver::Finish(double p, double T, bool testRange, StateProperties& out) const {
  return (!testRange || InRange(p, T)) && region5.Evaluate(p, T, out);
}

bool Region5Solver::SolvePT(double p, double T, StateProperties& out) const {
  return InRange(p, T) && region5.Evaluate(p, T, out);
}

bool Region5Solver::SolvePH(double p, double h, StateProperties& out) const {
  if (!PressureInRange(p)) {
    return false;
  }
  const auto enthalpy =
      detail::Sloped([&](double T, double& slope) { return region5.EnthalpyPT(&slope, p, T); });
  const RootResult search =
      detail::SearchSpan(enthalpy, h, {kMinTemperature, kMaxTemperature}, Tolerance());
  return detail::HasIterate(search) && Finish(p, search.x, true, out) &&
         detail::AcceptEnergy(out.h, h);
}

bool Region5Solver::SolvePS(double p, double s, StateProperties& out) const {
  if (!PressureInRange(p)) {
    return false;
  }
  const auto entropy =
      detail::Sloped([&](double T, double& slope) { return region5.EntropyPT(&slope, p, T); });
  const RootResult search = detail::SearchSpan(entropy, s, {kMinTemperature, kMaxTemperature},
                                               Tolerance() * detail::kFineToleranceScale);
  return detail::HasIterate(search) && Finish(p, search.x, true, out) &&
         detail::AcceptEnergy(out.s, s);
}

bool Region5Solver::SolvePU(double p, double u, StateProperties& out) const {
  if (!PressureInRange(p)) {
    return false;
  }
  const auto energy = detail::Sloped(
      [&](double T, double& slope) { return region5.InternalEnergyPT(&slope, p, T); });
  const RootResult search =
      detail::SearchSpan(energy, u, {kMinTemperature, kMaxTemperature}, Tolerance());
  return detail::HasIterate(search) && Finish(p, search.x, true, out) &&
         detail::AcceptEnergy(out.u, u);
}

bool Region5Solver::SolvePV(double p, double v, StateProperties& out) const {
  if (!PressureInRange(p) || !(v > 0.0)) {
    return false;
  }
  const auto density = detail::WithDensitySlope(
      [&](double T, double& slope) { return region5.DensityPT(&slope, p, T); });
  // Below 1 kg/m3 the density tolerance scales with the density (dilute steam).
  const double rho = 1.0 / v;
  const RootResult search =
      detail::SearchSpan(density, rho, {kMaxTemperature, kMinTemperature},
                         Tolerance() * detail::kFineToleranceScale * std::min(1.0, rho));
  return detail::HasIterate(search) && Finish(p, search.x, true, out) &&
         detail::AcceptVolume(out.v, v);
}

bool Region5Solver::SolveTH(double T, double h, StateProperties& out) const {
  if (!TemperatureInRange(T)) {
    return false;
  }
  const auto enthalpy =
      detail::Sloped([&](double p, double& slope) { return region5.EnthalpyTP(&slope, T, p); });
  const RootResult search = detail::SearchSpan(enthalpy, h, {kMaxPressure, 0.0}, Tolerance(),
                                               detail::kPressureCorrection);
  return detail::HasIterate(search) && Finish(search.x, T, false, out) &&
         detail::AcceptEnergy(out.h, h);
}

bool Region5Solver::SolveTS(double T, double s, StateProperties& out) const {
  if (!TemperatureInRange(T)) {
    return false;
  }
  const auto entropy =
      detail::Sloped([&](double p, double& slope) { return region5.EntropyTP(&slope, T, p); });
  const RootResult search =
      detail::SearchSpan(entropy, s, {kMaxPressure, 0.0}, Tolerance(), detail::kPressureCorrection);
  return detail::HasIterate(search) && Finish(search.x, T, false, out) &&
         detail::AcceptEnergy(out.s, s);
}

bool Region5Solver::SolveTU(double T, double u, StateProperties& out) const {
  if (!TemperatureInRange(T)) {
    return false;
  }
  const auto energy = detail::Sloped(
      [&](double p, double& slope) { return region5.InternalEnergyTP(&slope, T, p); });
  const RootResult search =
      detail::SearchSpan(energy, u, {kMaxPressure, 0.0}, Tolerance(), detail::kPressureCorrection);
  return detail::HasIterate(search) && Finish(search.x, T, false, out) &&
         detail::AcceptEnergy(out.u, u);
}

bool Region5Solver::SolveTV(double T, double v, StateProperties& out) const {
  if (!TemperatureInRange(T) || !(v > 0.0)) {
    return false;
  }
  const auto density = detail::WithDensitySlope(
      [&](double p, double& slope) { return region5.DensityTP(&slope, T, p); });
  const RootResult search = detail::SearchSpan(density, 1.0 / v, {0.0, kMaxPressure}, Tolerance(),
                                               detail::kPressureCorrection);
  return detail::HasIterate(search) && Finish(search.x, T, true, out) &&
         detail::AcceptVolume(out.v, v, kLargeVolumeAcceptanceTV);
}

}  // namespace vaporix
