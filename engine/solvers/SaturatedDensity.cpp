#include "solvers/SaturatedDensity.h"

#include <cmath>
#include <cstddef>

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
// The root from the start density: one Newton step with the full slope of
// the isotherm, then secant steps, which need only the pressure (a third of
// the cost of an evaluation with its derivatives) and converge almost as
// fast. At most this many steps; converged once a step is below
// kSecantStep of the density while the one before was below kSecantRange
// (the next would be below their product, so the density is exact to about
// 1e-12 and the pressure within a few 1e-9 MPa of p, far inside the
// engine's tolerance).
// A pressure within this fraction of the engine's tolerance of p ends the
// iteration too: next to the critical point, where the isotherm is nearly
// flat, that comes several steps before the step test.
constexpr double kResidualScale = 1e-3;
constexpr int kSecantSteps = 16;
constexpr double kSecantStep = 1e-8;
constexpr double kSecantRange = 1e-4;

// The iteration on P(T, rho) = p from rhoStart. Each phase's root lies where
// the isotherm rises (dp/drho > 0) on its own side of the critical density,
// and the isotherm is convex on the liquid side and concave on the vapour
// side of the loop, so from an auxiliary start the iterates reach the root
// without leaving that stretch. An iterate that does leave it, or a slope
// that is not positive (next to the critical point, where the auxiliary
// start may lie inside the loop), hands the root to the bracketing search;
// so does a step count beyond the budget.
bool NewtonDensity(const Region3Equation& region3, double p, double T, double rhoStart, bool liquid,
                   double residualTolerance, double& rho) {
  Region3Equation::Partials at{};
  if (!region3.PartialsAt(rhoStart, T, at) || !(at.pRho > 0.0)) {
    return false;
  }
  double previous = rhoStart;
  double fPrevious = at.p - p;
  double slope = at.pRho;
  double previousStep = std::fabs(rhoStart);
  for (int i = 0; i < kSecantSteps; ++i) {
    const double step = fPrevious / slope;
    const double current = previous - step;
    const bool onSide =
        liquid ? current > kCriticalDensity : (current > 0.0 && current < kCriticalDensity);
    if (!onSide || !std::isfinite(current)) {
      return false;
    }
    const double size = std::fabs(step);
    if (size <= kSecantStep * current && previousStep <= kSecantRange * current) {
      rho = current;
      return true;
    }
    const double fCurrent = region3.Pressure(T, current) - p;
    if (std::fabs(fCurrent) <= residualTolerance) {
      rho = current;
      return true;
    }
    slope = (fCurrent - fPrevious) / (current - previous);
    if (!(slope > 0.0) || !std::isfinite(slope)) {
      return false;
    }
    previous = current;
    fPrevious = fCurrent;
    previousStep = size;
  }
  return false;
}

// Below this 1 - T/Tc (above 642.57 K) the fitted near-critical starts are
// used. Their coefficients: a least-squares fit, weighted to relative error, of
// rho/rho_c - 1 in powers r, r^2, ... of r = sqrt(1 - T/Tc), to the saturated
// densities refined on the region-3 equation at 600 temperatures between
// 1 - T/Tc = 3e-7 and this bound.
constexpr double kNearCriticalTheta = 0.007;
constexpr double kLiquidSeries[] = {7.5640866699769829, -41.993684066134378, -367.42424510603234,
                                    15981.034530266608, -174618.65879913702, 664623.18908612092};
constexpr double kVapourSeries[] = {-7.1933438085472021, -47.88478307172835, 5929.6798942389169,
                                    -173219.45516365644, 2569551.9111121478, -19515818.648489654,
                                    60030508.686527856};

template <std::size_t N>
double NearCriticalDensity(const double (&series)[N], double r) {
  double sum = 0.0;
  for (std::size_t i = N; i-- > 0;) {
    sum = sum * r + series[i];
  }
  return kCriticalDensity * (1.0 + sum * r);
}

double Theta(double T) {
  return 1.0 - T / kCriticalTemperature;
}

}  // namespace

double SaturatedLiquidStart(const SaturationEquation& saturation, double T) {
  const double theta = Theta(T);
  if (theta > 0.0 && theta < kNearCriticalTheta) {
    return NearCriticalDensity(kLiquidSeries, std::sqrt(theta));
  }
  return saturation.SaturatedLiquidDensity(T);
}

double SaturatedVapourStart(const SaturationEquation& saturation, double T) {
  const double theta = Theta(T);
  if (theta > 0.0 && theta < kNearCriticalTheta) {
    return NearCriticalDensity(kVapourSeries, std::sqrt(theta));
  }
  return saturation.SaturatedVapourDensity(T);
}

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
  double newton = 0.0;
  if (NewtonDensity(region3, p, T, rhoStart, true, tolerance * kResidualScale, newton)) {
    return newton;
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
  double newton = 0.0;
  if (NewtonDensity(region3, p, T, rhoStart, false, tolerance * kResidualScale, newton)) {
    return newton;
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
