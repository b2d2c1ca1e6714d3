#include "vaporix/solvers/Region3Solver.h"

#include <cmath>

#include "solvers/SaturatedDensity.h"
#include "solvers/SolverSupport.h"
#include "vaporix/Limits.h"
#include "vaporix/solvers/RootFinders.h"

namespace vaporix {

namespace {

constexpr double kEpsilon = 0x1p-52;
constexpr double kRegion3MinTemperature =
    limits::kRegion13Temperature;                          // K, the isotherm shared with region 1
constexpr double kMaxPressure = limits::kMaximumPressure;  // MPa
constexpr double kAcceptance = 0.001;
constexpr double kFineToleranceScale = 0.0001;
// The region-3 (p,T) density bracket: this fraction on either side of the start volume.
constexpr double kStartBracket = 0.001;
// Newton in (rho, T) stops when both corrections fall below this fraction.
constexpr double kNewtonStep = 1e-9;
constexpr int kMaxNewtonSteps = 12;
// The saturated liquid and vapour at 623.15 K (regions 1 and 2 at
// ps(623.15 K)): the band of h and s in which region-3 states can be wet.
constexpr double kSaturatedLiquidEnthalpy623 = limits::kSaturatedLiquidEnthalpy623;
constexpr double kSaturatedVapourEnthalpy623 = limits::kSaturatedVapourEnthalpy623;
constexpr double kSaturatedLiquidEntropy623 = limits::kSaturatedLiquidEntropy623;
constexpr double kSaturatedVapourEntropy623 = limits::kSaturatedVapourEntropy623;
// p3sat(h) and p3sat(s) meet the saturation pressure to 7e-5 (measured along
// the line); inside this relative margin the search decides wet or not.
constexpr double kSaturationPressureMargin = 5e-4;
// The auxiliary saturated densities meet the region-3 equation's own to 2.4 %
// (next to the critical point; measured): outside this margin they decide.
constexpr double kAuxiliaryDensityMargin = 0.04;
// Widening steps of that bracket: kStartBracket * 2^k for k = 1 ... kWideningSteps.
constexpr int kWideningSteps = 9;

bool SignChange(double a, double b) {
  return (a <= 0.0 && b >= 0.0) || (a >= 0.0 && b <= 0.0);
}

}  // namespace

bool Region3Solver::InRange(double p, double T) const {
  return T >= kRegion3MinTemperature && T <= saturation.B23Temperature(p) &&
         p >= saturation.B23Pressure(T) && p <= kMaxPressure;
}

bool Region3Solver::PressureInRange(double p) const {
  return p >= saturation.B23Pressure(kRegion3MinTemperature) && p <= kMaxPressure;
}

bool Region3Solver::TemperatureInRange(double T) const {
  return T >= kRegion3MinTemperature && T <= saturation.B23Temperature(kMaxPressure);
}

bool Region3Solver::InsideSaturationDome(double T, double rho) const {
  if (!(T < kCriticalTemperature) || !(T >= kRegion3MinTemperature)) {
    return false;
  }
  const double p = saturation.SaturationPressure(T);
  const double tolerance = Tolerance();
  const double rhoLiquid = detail::RefineSaturatedLiquidDensity(
      region3, p, T, saturation.SaturatedLiquidDensity(T), tolerance);
  const double rhoVapour = detail::RefineSaturatedVapourDensity(
      region3, p, T, saturation.SaturatedVapourDensity(T), tolerance);
  // A failed refinement (vapour density 0) gives no dome to test against.
  return rhoVapour > 0.0 && rho > rhoVapour && rho < rhoLiquid;
}

bool Region3Solver::WidenDensityBracket(double p, double T, double rhoStart, double& dense,
                                        double& fDense, double& light, double& fLight) const {
  // Below the critical temperature the isotherm has a loop; the bracket must
  // stay on the phase side that the start volume names, so it never crosses
  // the critical density there.
  bool liquidSide = false;
  bool vapourSide = false;
  if (T < kCriticalTemperature) {
    const double ps = saturation.SaturationPressure(T);
    liquidSide = p >= ps;
    vapourSide = !liquidSide;
  }
  const auto residual = [&](double rho) { return region3.Pressure(T, rho) - p; };
  // Both residuals positive: the root is lighter than the bracket.
  const bool moveLight = fDense > 0.0 && fLight > 0.0;
  for (int k = 1; k <= kWideningSteps; ++k) {
    const double step = kStartBracket * std::ldexp(1.0, k);
    if (moveLight) {
      double candidate = rhoStart * (1.0 - step);
      const bool clamped = liquidSide && candidate <= kCriticalDensity;
      if (clamped) {
        candidate = kCriticalDensity;
      }
      const double f = residual(candidate);
      if (!(f > 0.0)) {
        dense = light;
        fDense = fLight;
        light = candidate;
        fLight = f;
        return SignChange(fLight, fDense);
      }
      light = candidate;
      fLight = f;
      if (clamped) {
        return false;
      }
    } else {
      double candidate = rhoStart * (1.0 + step);
      const bool clamped = vapourSide && candidate >= kCriticalDensity;
      if (clamped) {
        candidate = kCriticalDensity;
      }
      const double f = residual(candidate);
      if (!(f < 0.0)) {
        light = dense;
        fLight = fDense;
        dense = candidate;
        fDense = f;
        return SignChange(fLight, fDense);
      }
      dense = candidate;
      fDense = f;
      if (clamped) {
        return false;
      }
    }
  }
  return false;
}

bool Region3Solver::SolveDensity(double p, double T, double& rho) const {
  const double vStart = region3.StartVolume(p, T);
  if (!(vStart > 0.0) || !std::isfinite(vStart)) {
    return false;
  }
  const auto residual = [&](double density) { return region3.Pressure(T, density) - p; };
  double dense = 1.0 / ((1.0 - kStartBracket) * vStart);
  double light = 1.0 / ((1.0 + kStartBracket) * vStart);
  double fDense = residual(dense);
  double fLight = residual(light);
  if (!SignChange(fDense, fLight) &&
      !WidenDensityBracket(p, T, 1.0 / vStart, dense, fDense, light, fLight)) {
    return false;
  }
  const RootResult root = Ridders(residual, dense, fDense, light, fLight, Tolerance());
  if (!root.Converged()) {
    return false;
  }
  rho = root.x;
  return true;
}

bool Region3Solver::SolvePT(double p, double T, StateProperties& out) const {
  if (!InRange(p, T)) {
    return false;
  }
  if (std::fabs(p - kCriticalPressure) <= kEpsilon &&
      std::fabs(T - kCriticalTemperature) <= kEpsilon) {
    return region3.Evaluate(kCriticalDensity, T, out);
  }
  double rho = 0.0;
  if (!SolveDensity(p, T, rho) || !region3.Evaluate(rho, T, out)) {
    return false;
  }
  // The density reproduces p to the solver's tolerance; the state carries
  // the pressure it was asked for, as regions 1, 2 and 5 do.
  out.p = p;
  return true;
}

bool Region3Solver::IterateDensityTemperature(double p, double y, Quantity quantity, double& rho,
                                              double& T) const {
  for (int i = 0; i < kMaxNewtonSteps; ++i) {
    Region3Equation::Partials at{};
    if (!region3.PartialsAt(rho, T, at)) {
      return false;
    }
    double value = at.h;
    double slopeRho = at.hRho;
    double slopeT = at.hT;
    if (quantity == Quantity::Entropy) {
      value = at.s;
      slopeRho = at.sRho;
      slopeT = at.sT;
    } else if (quantity == Quantity::InternalEnergy) {
      value = at.u;
      slopeRho = at.uRho;
      slopeT = at.uT;
    }
    const double fp = at.p - p;
    const double fy = value - y;
    const double determinant = at.pRho * slopeT - at.pT * slopeRho;
    if (!(std::fabs(determinant) > 0.0)) {
      return false;
    }
    const double dRho = (fp * slopeT - fy * at.pT) / determinant;
    const double dT = (at.pRho * fy - slopeRho * fp) / determinant;
    rho -= dRho;
    T -= dT;
    if (!std::isfinite(rho) || !std::isfinite(T) || !(rho > 0.0)) {
      return false;
    }
    // Newton converges quadratically: a correction this small leaves the
    // next one at the rounding of the equation.
    if (std::fabs(dT) <= kNewtonStep * T && std::fabs(dRho) <= kNewtonStep * rho) {
      return true;
    }
  }
  return false;
}

bool Region3Solver::StableState(double p, double T, double rho) const {
  if (!InRange(p, T)) {
    return false;
  }
  if (!(p < kCriticalPressure)) {
    return true;
  }
  const double Ts = saturation.SaturationTemperature(p);
  const bool liquid = rho > kCriticalDensity;
  if (liquid ? T > Ts : T < Ts) {
    return false;
  }
  if (!(T < kCriticalTemperature)) {
    return true;
  }
  // The density must lie outside the saturation dome at T, not on the
  // equation's loop between the phases: clear of the auxiliary saturated
  // density by its uncertainty, or else against the refined one.
  const double ps = saturation.SaturationPressure(T);
  if (liquid) {
    const double auxiliary = saturation.SaturatedLiquidDensity(T);
    return rho >= auxiliary * (1.0 + kAuxiliaryDensityMargin) ||
           rho >= detail::RefineSaturatedLiquidDensity(region3, ps, T, auxiliary, Tolerance());
  }
  const double auxiliary = saturation.SaturatedVapourDensity(T);
  if (rho <= auxiliary * (1.0 - kAuxiliaryDensityMargin)) {
    return true;
  }
  const double refined =
      detail::RefineSaturatedVapourDensity(region3, ps, T, auxiliary, Tolerance());
  return refined > 0.0 && rho <= refined;
}

bool Region3Solver::SolveHS(double h, double s, StateProperties& out) const {
  // Start: p(h,s), then T and v at (p, h), all from the backward equations.
  const double p0 = backward.PressureHS(h, s);
  if (!(p0 > 0.0) || !std::isfinite(p0)) {
    return false;
  }
  double T = backward.TemperaturePH(p0, h);
  double rho = 1.0 / backward.VolumePH(p0, h);
  for (int i = 0;; ++i) {
    Region3Equation::Partials at{};
    if (i == kMaxNewtonSteps || !(T > 0.0) || !region3.PartialsAt(rho, T, at)) {
      return false;
    }
    const double fh = at.h - h;
    const double fs = at.s - s;
    const double determinant = at.hRho * at.sT - at.hT * at.sRho;
    if (!(std::fabs(determinant) > 0.0)) {
      return false;
    }
    const double dRho = (fh * at.sT - fs * at.hT) / determinant;
    const double dT = (at.hRho * fs - at.sRho * fh) / determinant;
    rho -= dRho;
    T -= dT;
    if (!std::isfinite(rho) || !std::isfinite(T) || !(rho > 0.0)) {
      return false;
    }
    if (std::fabs(dT) <= kNewtonStep * T && std::fabs(dRho) <= kNewtonStep * rho) {
      break;
    }
  }
  return region3.Evaluate(rho, T, out) && StableState(out.p, T, rho) &&
         std::fabs(out.h - h) < kAcceptance && std::fabs(out.s - s) < kAcceptance;
}

Region3Solver::Routed Region3Solver::RouteFromBackward(double p, double y, Quantity quantity,
                                                       StateProperties& out) const {
  const bool enthalpy = quantity == Quantity::Enthalpy;
  if (p < kCriticalPressure) {
    // A wet state of region 3's temperatures has y between the saturated
    // values at 623.15 K, and p below the saturation pressure p3sat(y).
    const bool band = enthalpy
                          ? (y >= kSaturatedLiquidEnthalpy623 && y <= kSaturatedVapourEnthalpy623)
                          : (y >= kSaturatedLiquidEntropy623 && y <= kSaturatedVapourEntropy623);
    if (band) {
      const double pSat =
          enthalpy ? backward.SaturationPressureH(y) : backward.SaturationPressureS(y);
      if (p < pSat * (1.0 - kSaturationPressureMargin)) {
        return Routed::Declined;
      }
      if (p <= pSat * (1.0 + kSaturationPressureMargin)) {
        return Routed::Unsure;
      }
    }
  }
  double T = enthalpy ? backward.TemperaturePH(p, y) : backward.TemperaturePS(p, y);
  const double v = enthalpy ? backward.VolumePH(p, y) : backward.VolumePS(p, y);
  double rho = 1.0 / v;
  if (!std::isfinite(T) || !(v > 0.0) || !IterateDensityTemperature(p, y, quantity, rho, T)) {
    return Routed::Unsure;
  }
  // Outside the region, or a root on the wrong side of the saturation line
  // (a metastable state of the equation's loop): the search decides.
  if (!StableState(p, T, rho)) {
    return Routed::Unsure;
  }
  if (!region3.Evaluate(rho, T, out)) {
    return Routed::Unsure;
  }
  return std::fabs(out.*Describe(quantity).field - y) < kAcceptance ? Routed::Solved
                                                                    : Routed::Unsure;
}

bool Region3Solver::SolvePY(double p, double y, Quantity quantity, StateProperties& out) const {
  if (!PressureInRange(p) || !std::isfinite(y)) {
    return false;
  }
  if (quantity != Quantity::InternalEnergy) {
    const Routed routed = RouteFromBackward(p, y, quantity, out);
    if (routed != Routed::Unsure) {
      return routed == Routed::Solved;
    }
  }
  double StateProperties::*const field = Describe(quantity).field;
  const double tB23 = saturation.B23Temperature(p);
  double tLow = kRegion3MinTemperature;
  double tHigh = tB23;
  StateProperties lowState;
  StateProperties highState;
  if (!region1.Evaluate(p, kRegion3MinTemperature, lowState) ||
      !region2.Evaluate(p, tB23, highState)) {
    return false;
  }
  double fLow = lowState.*field - y;
  double fHigh = highState.*field - y;
  const double tolerance = Tolerance();
  // Below the critical pressure the isobar steps from the saturated liquid to
  // the saturated vapour at Ts(p). A value between the two is wet steam, left
  // to the two-phase solver; otherwise the search keeps to the phase that
  // holds the value, where the property is smooth in T and Ridders converges fast.
  if (p < kCriticalPressure) {
    const double tSat = saturation.SaturationTemperature(p);
    if (tSat > kRegion3MinTemperature && tSat < tB23) {
      const double rhoLiquid = detail::RefineSaturatedLiquidDensity(
          region3, p, tSat, saturation.SaturatedLiquidDensity(tSat), tolerance);
      const double rhoVapour = detail::RefineSaturatedVapourDensity(
          region3, p, tSat, saturation.SaturatedVapourDensity(tSat), tolerance);
      double slope = 0.0;
      const double fLiquid = Property(quantity, tSat, rhoLiquid, slope) - y;
      const double fVapour = Property(quantity, tSat, rhoVapour, slope) - y;
      if (fLiquid < 0.0 && fVapour > 0.0) {
        return false;
      }
      if (fLiquid >= 0.0) {
        tHigh = tSat;
        fHigh = fLiquid;
      } else {
        tLow = tSat;
        fLow = fVapour;
      }
    }
  }
  // The property of the state SolvePT gives at (p, T), taken from its density.
  bool declined = false;
  const auto residual = [&](double T) {
    double rho = kCriticalDensity;
    const bool critical = std::fabs(p - kCriticalPressure) <= kEpsilon &&
                          std::fabs(T - kCriticalTemperature) <= kEpsilon;
    if (!critical && !SolveDensity(p, T, rho)) {
      declined = true;
      return std::nan("");
    }
    double slope = 0.0;
    return Property(quantity, T, rho, slope) - y;
  };
  // Entropy changes by only cp/T per kelvin, so its residual needs the finer
  // tolerance to pin the temperature to 1e-4 K.
  const double scaled = quantity == Quantity::Entropy ? tolerance * kFineToleranceScale : tolerance;
  const RootResult root = Ridders(residual, tLow, fLow, tHigh, fHigh, scaled);
  const double T = (root.Converged() && !declined) ? root.x : 0.0;
  if (!InRange(p, T)) {
    return false;
  }
  if (!SolvePT(p, T, out)) {
    return false;
  }
  return std::fabs(out.*field - y) < kAcceptance;
}

bool Region3Solver::SolvePH(double p, double h, StateProperties& out) const {
  return SolvePY(p, h, Quantity::Enthalpy, out);
}

bool Region3Solver::SolvePS(double p, double s, StateProperties& out) const {
  return SolvePY(p, s, Quantity::Entropy, out);
}

bool Region3Solver::SolvePU(double p, double u, StateProperties& out) const {
  return SolvePY(p, u, Quantity::InternalEnergy, out);
}

bool Region3Solver::SolvePV(double p, double v, StateProperties& out) const {
  if (!PressureInRange(p) || !(v > 0.0)) {
    return false;
  }
  const double tUpper = p > limits::kSaturationPressureAt623 ? saturation.B23Temperature(p)
                                                             : saturation.SaturationTemperature(p);
  const double rho = 1.0 / v;
  const auto pressure = detail::Sloped(
      [&](double T, double& slope) { return region3.PressureSlope(&slope, rho, T); });
  const RootResult search =
      detail::SearchSpan(pressure, p, {kRegion3MinTemperature, tUpper}, Tolerance());
  const double T = search.x;
  if (!detail::HasIterate(search) || !InRange(p, T)) {
    return false;
  }
  // A density between the saturated densities at the solved temperature is a
  // point of the equation's unstable loop, not a state of region 3.
  if (InsideSaturationDome(T, rho)) {
    return false;
  }
  if (!region3.Evaluate(rho, T, out)) {
    return false;
  }
  return std::fabs(out.p - p) < kAcceptance;
}

bool Region3Solver::AcceptTemperatureState(double T, double rho, StateProperties& out) const {
  if (!(rho > 0.0) || !region3.Evaluate(rho, T, out)) {
    return false;
  }
  // States above 100 MPa lie outside the formulation, and densities inside the
  // saturation dome belong to the two-phase solver, which the engine asks next.
  return out.p > 0.0 && out.p <= kMaxPressure && !InsideSaturationDome(T, rho);
}

bool Region3Solver::SolveTY(double T, double y, Quantity quantity, StateProperties& out) const {
  if (!TemperatureInRange(T) || !std::isfinite(y)) {
    return false;
  }
  double StateProperties::*const field = Describe(quantity).field;
  const double vHigh = region1.VolumeInRange(kMaxPressure, kRegion3MinTemperature);
  const double vLow = region2.VolumeInRange(saturation.B23Pressure(T), T);
  if (!(vHigh > 0.0) || !(vLow > 0.0)) {
    return false;
  }
  const double rhoHigh = 1.0 / vHigh;
  const double rhoLow = 1.0 / vLow;
  const auto property =
      detail::Sloped([&](double rho, double& slope) { return Property(quantity, T, rho, slope); });
  const RootResult result = SafeguardedNewton(property, y, 1.0 / ((vLow + vHigh) / 2.0),
                                              {rhoHigh, rhoLow}, {Tolerance()});
  return detail::HasIterate(result) && AcceptTemperatureState(T, result.x, out) &&
         std::fabs(out.*field - y) < kAcceptance;
}

double Region3Solver::Property(Quantity quantity, double T, double rho, double& slope) const {
  switch (quantity) {
    case Quantity::Entropy:
      return region3.EntropyTRho(&slope, T, rho);
    case Quantity::InternalEnergy:
      return region3.InternalEnergyTRho(&slope, T, rho);
    default:
      return region3.EnthalpyTRho(&slope, T, rho);
  }
}

bool Region3Solver::SolveTH(double T, double h, StateProperties& out) const {
  return SolveTY(T, h, Quantity::Enthalpy, out);
}

bool Region3Solver::SolveTS(double T, double s, StateProperties& out) const {
  return SolveTY(T, s, Quantity::Entropy, out);
}

bool Region3Solver::SolveTU(double T, double u, StateProperties& out) const {
  return SolveTY(T, u, Quantity::InternalEnergy, out);
}

bool Region3Solver::SolveTV(double T, double v, StateProperties& out) const {
  if (!TemperatureInRange(T) || !(v > 0.0)) {
    return false;
  }
  if (!AcceptTemperatureState(T, 1.0 / v, out)) {
    return false;
  }
  return std::fabs(out.v - v) < kAcceptance;
}

}  // namespace vaporix
