#include "vaporix/solvers/Region5Solver.h"

#include <cmath>

#include "solvers/SolverSupport.h"
#include "vaporix/solvers/RootFinders.h"

namespace vaporix {
namespace {

constexpr double kMinTemperature = 1073.15;
constexpr double kMaxTemperature = 2273.15;
constexpr double kMaxPressure = 10.0;
// Temperature searches span the whole region from its middle; pressure
// searches span 0 to 10 MPa from 5 MPa.
constexpr double kMidTemperature = 1673.15;
constexpr double kTemperatureStep = 1200.0;
constexpr double kMidPressure = 5.0;
constexpr double kPressureStep = 10.0;
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
  const auto enthalpy = [&](double T, double& slope) { return region5.EnthalpyPT(&slope, p, T); };
  const double T = SafeguardedNewton(enthalpy, h, kMidTemperature, kMinTemperature, kMaxTemperature,
                                     kTemperatureStep, Tolerance())
                       .x;
  return Finish(p, T, true, out) && detail::AcceptEnergy(out.h, h);
}

bool Region5Solver::SolvePS(double p, double s, StateProperties& out) const {
  if (!PressureInRange(p)) {
    return false;
  }
  const auto entropy = [&](double T, double& slope) { return region5.EntropyPT(&slope, p, T); };
  const double T = SafeguardedNewton(entropy, s, kMidTemperature, kMinTemperature, kMaxTemperature,
                                     kTemperatureStep, Tolerance() * detail::kFineToleranceScale)
                       .x;
  return Finish(p, T, true, out) && detail::AcceptEnergy(out.s, s);
}

bool Region5Solver::SolvePU(double p, double u, StateProperties& out) const {
  if (!PressureInRange(p)) {
    return false;
  }
  const auto energy = [&](double T, double& slope) {
    return region5.InternalEnergyPT(&slope, p, T);
  };
  const double T = SafeguardedNewton(energy, u, kMidTemperature, kMinTemperature, kMaxTemperature,
                                     kTemperatureStep, Tolerance())
                       .x;
  return Finish(p, T, true, out) && detail::AcceptEnergy(out.u, u);
}

bool Region5Solver::SolvePV(double p, double v, StateProperties& out) const {
  if (!PressureInRange(p) || !(v > 0.0)) {
    return false;
  }
  const auto density = [&](double T, double& slope) {
    const double rho = region5.DensityPT(&slope, p, T);
    slope = detail::DensitySlope(rho, slope);
    return rho;
  };
  const double T =
      SafeguardedNewton(density, 1.0 / v, kMidTemperature, kMaxTemperature, kMinTemperature,
                        kTemperatureStep, Tolerance() * detail::kFineToleranceScale)
          .x;
  return Finish(p, T, true, out) && detail::AcceptVolume(out.v, v);
}

bool Region5Solver::SolveTH(double T, double h, StateProperties& out) const {
  if (!TemperatureInRange(T)) {
    return false;
  }
  const auto enthalpy = [&](double p, double& slope) { return region5.EnthalpyTP(&slope, T, p); };
  const double p = SafeguardedNewton(enthalpy, h, kMidPressure, kMaxPressure, 0.0, kPressureStep,
                                     Tolerance(), detail::kPressureCorrection)
                       .x;
  return Finish(p, T, false, out) && detail::AcceptEnergy(out.h, h);
}

bool Region5Solver::SolveTS(double T, double s, StateProperties& out) const {
  if (!TemperatureInRange(T)) {
    return false;
  }
  const auto entropy = [&](double p, double& slope) { return region5.EntropyTP(&slope, T, p); };
  const double p = SafeguardedNewton(entropy, s, kMidPressure, kMaxPressure, 0.0, kPressureStep,
                                     Tolerance(), detail::kPressureCorrection)
                       .x;
  return Finish(p, T, false, out) && detail::AcceptEnergy(out.s, s);
}

bool Region5Solver::SolveTU(double T, double u, StateProperties& out) const {
  if (!TemperatureInRange(T)) {
    return false;
  }
  const auto energy = [&](double p, double& slope) {
    return region5.InternalEnergyTP(&slope, T, p);
  };
  const double p = SafeguardedNewton(energy, u, kMidPressure, kMaxPressure, 0.0, kPressureStep,
                                     Tolerance(), detail::kPressureCorrection)
                       .x;
  return Finish(p, T, false, out) && detail::AcceptEnergy(out.u, u);
}

bool Region5Solver::SolveTV(double T, double v, StateProperties& out) const {
  if (!TemperatureInRange(T) || !(v > 0.0)) {
    return false;
  }
  const auto density = [&](double p, double& slope) {
    const double rho = region5.DensityTP(&slope, T, p);
    slope = detail::DensitySlope(rho, slope);
    return rho;
  };
  const double p = SafeguardedNewton(density, 1.0 / v, kMidPressure, 0.0, kMaxPressure,
                                     kPressureStep, Tolerance(), detail::kPressureCorrection)
                       .x;
  return Finish(p, T, true, out) && detail::AcceptVolume(out.v, v, kLargeVolumeAcceptanceTV);
}

}  // namespace vaporix
