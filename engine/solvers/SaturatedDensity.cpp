#include "solvers/SaturatedDensity.h"

#include <cmath>

#include "vaporix/StateProperties.h"
#include "vaporix/solvers/RootFinders.h"

namespace vaporix::detail {

namespace {

constexpr double kEpsilon = 0x1p-52;
// Probes between the start density and the critical density, in steps of this
// fraction of their distance: small enough never to step over the stretch of
// the loop that lies on the probe's side of the root.
constexpr double kProbeFraction = 0.05;
constexpr int kProbeCount = 20;
// K below the critical temperature where the equation's loop has closed.
constexpr double kClosedLoopDistance = 1e-4;

}  // namespace

double RefineSaturatedLiquidDensity(const Region3Equation& region3, double p, double T,
                                    double rhoStart, double tolerance) {
  if (rhoStart == 0.0) {
    return 0.0;
  }
  if (std::fabs(p - kCriticalPressure) <= kEpsilon) {
    return kCriticalDensity;
  }
  if (!(rhoStart > kCriticalDensity) || !std::isfinite(rhoStart) || !std::isfinite(p) ||
      !std::isfinite(T)) {
    return kCriticalDensity;
  }
  const auto residual = [&](double rho) { return region3.Pressure(T, rho) - p; };

  // Dense end: 1 % above the start, stepped by 1 % while the pressure is not yet above p.
  double dense = 1.01 * rhoStart;
  double fDense = residual(dense);
  for (int i = 0; i < kMaxEvaluations && !(fDense > 0.0); ++i) {
    dense += 0.01 * rhoStart;
    fDense = residual(dense);
  }
  if (!(fDense > 0.0)) {
    return kCriticalDensity;
  }

  // Light end: walk from the start towards the critical density; the first
  // probe below p lies between the liquid root and the loop's middle root.
  const double distance = rhoStart - kCriticalDensity;
  double light = rhoStart;
  double fLight = residual(light);
  for (int j = 1; fLight > 0.0 && j < kProbeCount; ++j) {
    if (light < dense) {
      dense = light;
      fDense = fLight;
    }
    light = kCriticalDensity + distance * (1.0 - kProbeFraction * j);
    fLight = residual(light);
  }
  if (fLight == 0.0) {
    return light;
  }
  if (!(fLight < 0.0)) {
    return kCriticalDensity;
  }

  const RootResult root = Ridders(residual, light, fLight, dense, fDense, tolerance);
  if (!root.Converged()) {
    return kCriticalDensity;
  }
  return root.x >= kCriticalDensity ? root.x : kCriticalDensity;
}

double RefineSaturatedVapourDensity(const Region3Equation& region3, double p, double T,
                                    double rhoStart, double tolerance) {
  if (rhoStart == 0.0) {
    return 0.0;
  }
  if (std::fabs(p - kCriticalPressure) <= kEpsilon) {
    return kCriticalDensity;
  }
  if (!(rhoStart > 0.0 && rhoStart < kCriticalDensity) || !std::isfinite(p) || !std::isfinite(T)) {
    return 0.0;
  }
  const auto residual = [&](double rho) { return region3.Pressure(T, rho) - p; };

  // Light end: 1 % below the start, stepped down by 1 % while the pressure is not yet below p.
  double light = 0.99 * rhoStart;
  double fLight = residual(light);
  for (int i = 0; i < kMaxEvaluations && !(fLight < 0.0); ++i) {
    light *= 0.99;
    fLight = residual(light);
  }
  if (!(fLight < 0.0)) {
    return 0.0;
  }

  // Dense end: walk from the start towards the critical density; the first
  // probe above p lies between the vapour root and the loop's middle root.
  const double distance = kCriticalDensity - rhoStart;
  double dense = rhoStart;
  double fDense = residual(dense);
  for (int j = 1; fDense < 0.0 && j < kProbeCount; ++j) {
    if (dense > light) {
      light = dense;
      fLight = fDense;
    }
    dense = kCriticalDensity - distance * (1.0 - kProbeFraction * j);
    fDense = residual(dense);
  }
  if (fDense == 0.0) {
    return dense;
  }
  if (!(fDense > 0.0)) {
    // Within a few 1e-5 K of the critical temperature the loop of the equation
    // closes short of the critical density: no vapour root lies below it.
    return T < kCriticalTemperature && kCriticalTemperature - T < kClosedLoopDistance
               ? kCriticalDensity
               : 0.0;
  }

  const RootResult root = Ridders(residual, light, fLight, dense, fDense, tolerance);
  if (!root.Converged()) {
    return 0.0;
  }
  return root.x <= kCriticalDensity ? root.x : kCriticalDensity;
}

}  // namespace vaporix::detail
