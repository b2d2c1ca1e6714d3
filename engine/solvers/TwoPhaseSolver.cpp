#include "vaporix/solvers/TwoPhaseSolver.h"

#include <algorithm>
#include <cmath>

#include "solvers/SaturatedDensity.h"
#include "solvers/SolverSupport.h"
#include "vaporix/Limits.h"
#include "vaporix/solvers/RootFinders.h"

namespace vaporix {

namespace {

constexpr double kEpsilon = 0x1p-52;
constexpr double kRegion3MinTemperature =
    limits::kRegion13Temperature;  // K; above it both phases come from region 3
constexpr double kMinPressure = limits::kSaturationMinimumPressure;
constexpr double kMinTemperature = limits::kMinimumTemperature;
constexpr double kAcceptance = 0.001;
constexpr double kMaxEntropy = 9.15;  // kJ/(kg K), the two-property input test
constexpr double kMinVolume = 0.001;  // m3/kg
constexpr double kMaxVolume = 250.0;  // m3/kg
constexpr double kCriticalVolume = 1.0 / kCriticalDensity;
// The liquid and vapour volumes at this temperature bound the stretch next to
// the critical point where the saturation temperature at a volume is searched
// on its own, with the tolerance of the engine.
constexpr double kNearCriticalTemperature = 647.091;
// s''(623.15 K): from it on Tsat(h,s) starts the wet (h,s) iteration.
constexpr double kSaturatedVapourEntropy623 = limits::kSaturatedVapourEntropy623;
// h'(623.15 K), kJ/kg, and s'(623.15 K): a wet state above 623.15 K has a larger
// enthalpy and a larger entropy than the saturated liquid there.
constexpr double kSaturatedLiquidEnthalpy623 = limits::kSaturatedLiquidEnthalpy623;
constexpr double kSaturatedLiquidEntropy623 = limits::kSaturatedLiquidEntropy623;
// The wet (h,s) iteration's residual tolerance, relative to |h| (at least 1),
// and the rounding allowed in its quality before it is clamped to 0 or 1.
constexpr double kWetTolerance = 1e-12;
constexpr double kQualityRounding = 1e-9;
constexpr double kWetTemperatureStep = 1e-13;
// What the wet (h,s) iteration reports beyond the two-phase stretch, kJ/kg
// above the target.
constexpr double kAboveTarget = 1000.0;
// Next to the critical point the saturated densities carry the rounding of
// their refinement, and inputs formed there lie off the dome by as much, so
// the wet (h,s) iteration can close its bracket on one temperature with a
// residual above its tolerance: that temperature answers when its residual is
// within this, relative to |h| (at least 1), a tenth of the acceptance.
constexpr double kWetStallTolerance = 1e-7;
// The entropy, kJ/(kg K), below which the acceptance compares it absolutely.
constexpr double kEntropyFloor = 0.01;
// Along a fixed entropy the wet enthalpy rises by v dp, so from T to the
// critical point it gains at most v''(T) (pc - ps(T)); a target further above
// than that and a margin has no wet state. The margin, kJ/kg plus this share
// of |h| + Tc s, holds any state the acceptance could take: twice its band in
// h and in s, the latter times the dome's slope dh/ds, which is T at its edge.
constexpr double kDomeMarginEnthalpy = kAcceptance;
constexpr double kDomeMarginShare = 2.0 * limits::kInputReproduction;
// A joint iteration that failed within this many kelvin of the critical
// temperature was drawn to the dome's tip; the wet (h,s) search then probes
// the tip this many kelvin below the critical temperature, where the region-3
// phases still part and above which the enthalpy at fixed s gains less than
// 1e-8 kJ/kg.
constexpr double kTipReach = 1e-4;
constexpr double kTipDistance = 1e-8;
// Liquid volumes change by about 1e-6 m3/kg per kelvin, so volume residuals
// run on the engine tolerance scaled by this to pin the temperature.
constexpr double kFineToleranceScale = 0.0001;

// Wet (h,s) above 623.15 K, where both phases come from the region-3
// equation: Newton on the temperature and both saturated densities at once,
// on the three conditions p(T, rho') = ps(T), p(T, rho'') = ps(T) and the
// mixture with entropy s having the enthalpy h. One evaluation of the
// equation per phase and step, where refining both densities at every
// temperature of a search in T alone takes several. The slope of ps(T) comes
// from differences over this many kelvin (their error only slows the last
// steps a little), and the step in T is limited to this many kelvin.
constexpr double kSaturationSlopeStep = 1e-3;
constexpr double kJointMaxTemperatureStep = 10.0;
constexpr int kJointSteps = 30;
constexpr double kJointTemperatureStep = 1e-12;
constexpr double kJointDensityStep = 1e-11;
constexpr double kJointQuadraticRange = 1e-6;
// A step in T longer than this many kelvin, landing within this many kelvin
// of the critical temperature, restarts the densities from the auxiliary equations.
constexpr double kJointReseedStep = 0.1;
constexpr double kJointReseedRange = 5.0;
// K above 623.15 K within which a joint root is checked against regions 1 and 2.
constexpr double kNearRegion13 = 0.5;
// Within this many kelvin of the critical temperature the pressure barely
// changes with density, so the saturated densities are known only to the
// rounding of their refinement: the joint iteration's density steps keep
// wandering after the state has settled, and the wet (h,s) search in T can
// close its bracket on one temperature. There the joint iteration stops on
// its residuals, the enthalpy's within the wet tolerance and both phases'
// pressures within this many MPa of ps(T), and the search on its stall.
constexpr double kCriticalRange = 0.01;
constexpr double kJointPressureResidual = 1e-9;

// Whether a wet state found beside the critical point reproduces h and s
// within the stall tolerance, on the scales of the acceptance.
bool ReproducesClosely(const StateProperties& state, double h, double s) {
  return std::fabs(state.h - h) <= kWetStallTolerance * std::max(1.0, std::fabs(h)) &&
         std::fabs(state.s - s) <= kWetStallTolerance * std::max(kEntropyFloor, std::fabs(s));
}

struct SaturatedPair {
  double T;
  double rhoLiquid;
  double rhoVapour;
};

// `reached` is the temperature of the last step, also when it fails.
bool JointWetHS(const Region3Equation& region3, const SaturationEquation& saturation, double h,
                double s, SaturatedPair& pair, double& reached) {
  double T = pair.T;
  double rhoL = pair.rhoLiquid;
  double rhoV = pair.rhoVapour;
  double previousStep = 0.0;
  for (int i = 0; i < kJointSteps; ++i) {
    reached = T;
    if (!(T > kRegion3MinTemperature && T < kCriticalTemperature)) {
      return false;
    }
    const double ps = saturation.SaturationPressure(T);
    // A central difference where it stays below the critical temperature.
    const double psSlope =
        T + kSaturationSlopeStep < kCriticalTemperature
            ? (saturation.SaturationPressure(T + kSaturationSlopeStep) -
               saturation.SaturationPressure(T - kSaturationSlopeStep)) /
                  (2.0 * kSaturationSlopeStep)
            : (ps - saturation.SaturationPressure(T - kSaturationSlopeStep)) / kSaturationSlopeStep;
    Region3Equation::Partials L{};
    Region3Equation::Partials V{};
    if (!region3.PartialsAt(rhoL, T, L) || !region3.PartialsAt(rhoV, T, V) || !(L.pRho > 0.0) ||
        !(V.pRho > 0.0) || !(V.s > L.s)) {
      return false;
    }
    const double ds = V.s - L.s;
    const double x = (s - L.s) / ds;
    const double ratio = (V.h - L.h) / ds;
    const double fL = L.p - ps;
    const double fV = V.p - ps;
    const double fH = L.h + x * (V.h - L.h) - h;
    // Converged on the residuals next to the critical point.
    if (kCriticalTemperature - T < kCriticalRange &&
        std::fabs(fH) <= kWetTolerance * std::max(1.0, std::fabs(h)) &&
        std::fabs(fL) <= kJointPressureResidual && std::fabs(fV) <= kJointPressureResidual) {
      pair = {T, rhoL, rhoV};
      return true;
    }
    // The enthalpy condition's slopes in each density and in T (the quality
    // follows the phases' entropies), and the pressure conditions' slopes in T.
    const double aL = (1.0 - x) * (L.hRho - ratio * L.sRho);
    const double aV = x * (V.hRho - ratio * V.sRho);
    const double aT = (1.0 - x) * (L.hT - ratio * L.sT) + x * (V.hT - ratio * V.sT);
    const double bL = L.pT - psSlope;
    const double bV = V.pT - psSlope;
    const double denominator = aT - aL * bL / L.pRho - aV * bV / V.pRho;
    double dT = -(fH - aL * fL / L.pRho - aV * fV / V.pRho) / denominator;
    if (!std::isfinite(dT)) {
      return false;
    }
    dT = std::clamp(dT, -kJointMaxTemperatureStep, kJointMaxTemperatureStep);
    // Never step onto or past the critical temperature: halve the distance instead.
    if (T + dT >= kCriticalTemperature) {
      dT = (kCriticalTemperature - T) / 2.0;
    }
    const double dRhoL = -(fL + bL * dT) / L.pRho;
    const double dRhoV = -(fV + bV * dT) / V.pRho;
    T += dT;
    rhoL += dRhoL;
    rhoV += dRhoV;
    // After a long step next to the critical point, where the saturated
    // densities change like a square root of the distance to it, the
    // auxiliary densities at the new temperature start better than the
    // linear update.
    if (std::fabs(dT) > kJointReseedStep && kCriticalTemperature - T < kJointReseedRange) {
      rhoL = saturation.SaturatedLiquidDensity(T);
      rhoV = saturation.SaturatedVapourDensity(T);
      previousStep = 0.0;
      continue;
    }
    if (!(rhoL > kCriticalDensity) || !(rhoV > 0.0 && rhoV < kCriticalDensity)) {
      return false;
    }
    // Converged when the steps vanish, or when they are small and the last
    // two predict a next step in T below the tolerance (the convergence is
    // quadratic there), which saves the step that would only confirm it.
    const double size = std::fabs(dT);
    const bool small = size <= kJointQuadraticRange * T &&
                       std::fabs(dRhoL) <= kJointQuadraticRange * rhoL &&
                       std::fabs(dRhoV) <= kJointQuadraticRange * rhoV;
    const bool predicted =
        small && previousStep > 0.0 &&
        size * size * size <= kJointTemperatureStep * T * previousStep * previousStep;
    previousStep = size;
    if (predicted ||
        (size <= kJointTemperatureStep * T && std::fabs(dRhoL) <= kJointDensityStep * rhoL &&
         std::fabs(dRhoV) <= kJointDensityStep * rhoV)) {
      pair = {T, rhoL, rhoV};
      return true;
    }
  }
  return false;
}

bool PressureInRange(double p) {
  return p >= kMinPressure && p <= kCriticalPressure;
}
bool TemperatureInRange(double T) {
  return T >= kMinTemperature && T <= kCriticalTemperature;
}
bool QualityInRange(double x) {
  return x >= 0.0 && x <= 100.0;
}

}  // namespace

double TwoPhaseSolver::Field(const StateProperties& state, Quantity quantity) {
  return state.*Describe(quantity).field;
}

bool TwoPhaseSolver::SolvePT(double /*p*/, double /*T*/, StateProperties& /*out*/) const {
  return false;
}

bool TwoPhaseSolver::SolvePX(double p, double x, StateProperties& out) const {
  if (!PressureInRange(p) || !QualityInRange(x)) {
    return false;
  }
  if (!BuildSaturatedState(p, saturation.SaturationTemperature(p), x, out)) {
    return false;
  }
  // Above 623.15 K the phases come from the region-3 equation at their
  // saturated densities, whose pressure differs from the given one in the
  // eighth digit; the state is the one at the pressure asked for.
  out.p = p;
  return true;
}

bool TwoPhaseSolver::SolveTX(double T, double x, StateProperties& out) const {
  if (!TemperatureInRange(T) || !QualityInRange(x)) {
    return false;
  }
  return BuildSaturatedState(saturation.SaturationPressure(T), T, x, out);
}

bool TwoPhaseSolver::BuildSaturatedState(double p, double T, double x, StateProperties& out) const {
  out.x = x;
  out.region = 4;
  if (std::fabs(T - kCriticalTemperature) <= kEpsilon ||
      std::fabs(p - kCriticalPressure) <= kEpsilon) {
    return region3.Evaluate(kCriticalDensity, T, out);
  }
  // Below 623.15 K both phases come from regions 1 and 2. The pressure decides
  // too, so that a pressure-given state at ps(623.15 K) takes the same branch
  // as the temperature-given one although Ts(ps(T)) differs from T in the last bits.
  if (T <= kRegion3MinTemperature || p <= saturation.SaturationPressure(kRegion3MinTemperature)) {
    if (x == 0.0) {
      return region1.Evaluate(p, T, out);
    }
    if (x == 100.0) {
      return region2.Evaluate(p, T, out);
    }
    StateProperties liquid = out;
    StateProperties vapour = out;
    if (!region1.Evaluate(p, T, liquid) || !region2.Evaluate(p, T, vapour)) {
      return false;
    }
    return MixPhases(out, liquid, vapour, x);
  }
  // A saturated end needs only its own phase's start (the wet searches build
  // both ends, each through here).
  if (x == 100.0) {
    const double rhoVapourStart = detail::SaturatedVapourStart(saturation, T);
    return region3.Evaluate(rhoVapourStart == kCriticalDensity
                                ? kCriticalDensity
                                : RefineVapourDensity(p, T, rhoVapourStart),
                            T, out);
  }
  if (x == 0.0) {
    const double rhoLiquidStart = detail::SaturatedLiquidStart(saturation, T);
    return region3.Evaluate(rhoLiquidStart == kCriticalDensity
                                ? kCriticalDensity
                                : RefineLiquidDensity(p, T, rhoLiquidStart),
                            T, out);
  }
  const double rhoLiquidStart = detail::SaturatedLiquidStart(saturation, T);
  const double rhoVapourStart = detail::SaturatedVapourStart(saturation, T);
  if (std::fabs(rhoLiquidStart - rhoVapourStart) <= kEpsilon) {
    return region3.Evaluate(kCriticalDensity, T, out);
  }
  StateProperties liquid = out;
  StateProperties vapour = out;
  if (!region3.Evaluate(RefineLiquidDensity(p, T, rhoLiquidStart), T, liquid) ||
      !region3.Evaluate(RefineVapourDensity(p, T, rhoVapourStart), T, vapour)) {
    return false;
  }
  return MixPhases(out, liquid, vapour, x);
}

bool TwoPhaseSolver::MixPhases(StateProperties& out, const StateProperties& liquid,
                               const StateProperties& vapour, double x) {
  const double share = 0.01 * x;
  const auto mix = [share](double liquidValue, double vapourValue) {
    return liquidValue + share * (vapourValue - liquidValue);
  };
  out.p = mix(liquid.p, vapour.p);
  out.t = mix(liquid.t, vapour.t);
  out.v = mix(liquid.v, vapour.v);
  // Volumes add by the lever rule; densities do not.
  out.d = 1.0 / out.v;
  out.h = mix(liquid.h, vapour.h);
  out.s = mix(liquid.s, vapour.s);
  out.u = mix(liquid.u, vapour.u);
  out.cp = mix(liquid.cp, vapour.cp);
  out.cv = mix(liquid.cv, vapour.cv);
  out.w = mix(liquid.w, vapour.w);
  out.kapa = mix(liquid.kapa, vapour.kapa);
  out.H = mix(liquid.H, vapour.H);
  out.G = mix(liquid.G, vapour.G);
  out.Z = mix(liquid.Z, vapour.Z);
  out.alpha = mix(liquid.alpha, vapour.alpha);
  out.Kt = mix(liquid.Kt, vapour.Kt);
  out.dvdt = mix(liquid.dvdt, vapour.dvdt);
  out.dvdp = mix(liquid.dvdp, vapour.dvdp);
  // A mixture's pressure follows its temperature along the saturation line:
  // dp/dT is the line's slope (Clapeyron, from the two phases; kPa/K to
  // MPa/K), dp/dv at constant T is zero, and throttling moves the state along
  // the line, so the Joule-Thomson coefficient is dTs/dp. The isothermal
  // throttling coefficient v - T dv/dT is formed from the mixed v and dv/dT,
  // as it is in a single phase.
  out.dpdt = (vapour.s - liquid.s) / (vapour.v - liquid.v) / 1000.0;
  out.dpdv = 0.0;
  out.JTC = 1.0 / out.dpdt;
  out.iJTC = 1000.0 * (out.v - out.t * out.dvdt);
  return true;
}

double TwoPhaseSolver::RefineLiquidDensity(double p, double T, double rhoStart) const {
  return detail::RefineSaturatedLiquidDensity(region3, p, T, rhoStart, Tolerance());
}

double TwoPhaseSolver::RefineVapourDensity(double p, double T, double rhoStart) const {
  return detail::RefineSaturatedVapourDensity(region3, p, T, rhoStart, Tolerance());
}

bool TwoPhaseSolver::FindQuality(Given given, double fixed, double y, Quantity quantity,
                                 BandRule band, StateProperties& liquid, StateProperties& vapour,
                                 double& x) const {
  const bool pressureGiven = given == Given::Pressure;
  if (!std::isfinite(y)) {
    return false;
  }
  if (pressureGiven) {
    // SolvePX at both ends, with the saturation temperature computed once.
    if (!PressureInRange(fixed) || !QualityInRange(lowerQuality) || !QualityInRange(upperQuality)) {
      return false;
    }
    const double T = saturation.SaturationTemperature(fixed);
    if (!BuildSaturatedState(fixed, T, lowerQuality, liquid) ||
        !BuildSaturatedState(fixed, T, upperQuality, vapour)) {
      return false;
    }
    liquid.p = fixed;
    vapour.p = fixed;
  } else if (!SolveTX(fixed, lowerQuality, liquid) || !SolveTX(fixed, upperQuality, vapour)) {
    return false;
  }
  double yLiquid = Field(liquid, quantity);
  double yVapour = Field(vapour, quantity);
  bool vapourWidened = false;
  // An input beyond a saturated end value by no more than the rounding of
  // that end state is the end point; anything further lies outside the dome.
  const double endBand = limits::kSaturatedEndBand;
  switch (band) {
    case BandRule::EnthalpyBelowLiquid:
    case BandRule::VolumeToLiquid:
      if (y < yLiquid && yLiquid - y <= endBand * std::fabs(yLiquid)) {
        yLiquid = y;
      }
      break;
    case BandRule::EntropyAboveVapour:
      if (y > yVapour && y - yVapour <= endBand * std::fabs(yVapour)) {
        yVapour = y;
        vapourWidened = true;
      }
      break;
    case BandRule::None:
      break;
  }
  if (!(y >= yLiquid && y <= yVapour)) {
    return false;
  }
  if (!TemperatureOrPressureInRange(given, fixed)) {
    return false;
  }
  // Every mixed property is linear in x between the two saturated phases, so
  // the mixture at x is formed from them directly, as BuildSaturatedState would.
  const double liquidValue = Field(liquid, quantity);
  const double vapourValue = Field(vapour, quantity);
  const auto residual = [&](double quality) {
    if (quality == lowerQuality) {
      return liquidValue - y;
    }
    if (quality == upperQuality) {
      return vapourValue - y;
    }
    return liquidValue + 0.01 * quality * (vapourValue - liquidValue) - y;
  };
  const RootResult root =
      Ridders(residual, lowerQuality, yLiquid - y, upperQuality, yVapour - y, Tolerance());
  x = 0.0;
  if (root.Converged()) {
    x = std::clamp(root.x, lowerQuality, upperQuality);
  } else if (vapourWidened) {
    x = upperQuality;
  }
  return true;
}

bool TwoPhaseSolver::SearchQuality(Given given, double fixed, double y, Quantity quantity,
                                   BandRule band, StateProperties& out) const {
  StateProperties liquid;
  StateProperties vapour;
  double x = 0.0;
  if (!FindQuality(given, fixed, y, quantity, band, liquid, vapour, x)) {
    return false;
  }
  // The two saturated ends are the states BuildSaturatedState would form the
  // mixture from (at the pressure given, when it is given): it is formed from
  // them, so that the densities of region 3 are refined once per call.
  if (x == lowerQuality || x == upperQuality) {
    out = x == lowerQuality ? liquid : vapour;
    return true;
  }
  out.x = x;
  out.region = 4;
  return MixPhases(out, liquid, vapour, x);
}

double TwoPhaseSolver::WetField(double T, double fixed, Quantity fixedQuantity,
                                Quantity quantity) const {
  StateProperties liquid;
  StateProperties vapour;
  double x = 0.0;
  if (!FindQuality(Given::Temperature, T, fixed, fixedQuantity, BandRule::None, liquid, vapour,
                   x)) {
    return std::nan("");
  }
  // The field BuildSaturatedState would give, without building the whole state.
  const double liquidValue = Field(liquid, quantity);
  const double vapourValue = Field(vapour, quantity);
  if (x == lowerQuality) {
    return liquidValue;
  }
  if (x == upperQuality) {
    return vapourValue;
  }
  return liquidValue + 0.01 * x * (vapourValue - liquidValue);
}

bool TwoPhaseSolver::TemperatureOrPressureInRange(Given given, double value) {
  return given == Given::Pressure ? PressureInRange(value) : TemperatureInRange(value);
}

bool TwoPhaseSolver::SolvePH(double p, double h, StateProperties& out) const {
  return SearchQuality(Given::Pressure, p, h, Quantity::Enthalpy, BandRule::None, out);
}

bool TwoPhaseSolver::SolvePS(double p, double s, StateProperties& out) const {
  return SearchQuality(Given::Pressure, p, s, Quantity::Entropy, BandRule::EntropyAboveVapour, out);
}

bool TwoPhaseSolver::SolvePU(double p, double u, StateProperties& out) const {
  return SearchQuality(Given::Pressure, p, u, Quantity::InternalEnergy, BandRule::None, out);
}

bool TwoPhaseSolver::SolvePV(double p, double v, StateProperties& out) const {
  return SearchQuality(Given::Pressure, p, v, Quantity::Volume, BandRule::VolumeToLiquid, out);
}

bool TwoPhaseSolver::SolveTH(double T, double h, StateProperties& out) const {
  return SearchQuality(Given::Temperature, T, h, Quantity::Enthalpy, BandRule::EnthalpyBelowLiquid,
                       out);
}

bool TwoPhaseSolver::SolveTS(double T, double s, StateProperties& out) const {
  return SearchQuality(Given::Temperature, T, s, Quantity::Entropy, BandRule::None, out);
}

bool TwoPhaseSolver::SolveTU(double T, double u, StateProperties& out) const {
  return SearchQuality(Given::Temperature, T, u, Quantity::InternalEnergy, BandRule::None, out);
}

bool TwoPhaseSolver::SolveTV(double T, double v, StateProperties& out) const {
  if (!TemperatureInRange(T)) {
    return false;
  }
  return SearchQuality(Given::Temperature, T, v, Quantity::Volume, BandRule::None, out);
}

double TwoPhaseSolver::SaturatedField(double T, double x, Quantity quantity) const {
  StateProperties state;
  if (!SolveTX(T, x, state)) {
    return std::nan("");
  }
  return Field(state, quantity);
}

double TwoPhaseSolver::SaturationTemperatureAtEntropy(double s) const {
  const double sCritical = SaturatedField(kCriticalTemperature, lowerQuality, Quantity::Entropy);
  if (!std::isfinite(s) || !std::isfinite(sCritical)) {
    return 0.0;
  }
  const bool vapourBranch = s > sCritical;
  const double x = vapourBranch ? upperQuality : lowerQuality;
  const double atTriple = SaturatedField(kMinTemperature, x, Quantity::Entropy);
  bool failed = false;
  const auto residual = [&](double T) {
    const double value = SaturatedField(T, x, Quantity::Entropy);
    failed = failed || !std::isfinite(value);
    return value - s;
  };
  const RootResult root = vapourBranch ? Ridders(residual, kCriticalTemperature, sCritical - s,
                                                 kMinTemperature, atTriple - s, Tolerance())
                                       : Ridders(residual, kMinTemperature, atTriple - s,
                                                 kCriticalTemperature, sCritical - s, Tolerance());
  return root.Converged() && !failed ? root.x : 0.0;
}

double TwoPhaseSolver::SaturationTemperatureAtVolume(double v) const {
  if (!std::isfinite(v)) {
    return 0.0;
  }
  const bool vapourBranch = v > kCriticalVolume;
  const double x = vapourBranch ? upperQuality : lowerQuality;
  const double vNear = SaturatedField(kNearCriticalTemperature, x, Quantity::Volume);
  // Next to the critical point the saturated volumes approach the critical
  // volume like a square root of the temperature distance, so a straight-line
  // interpolation there falls short of the saturation temperature; the search
  // runs on that short stretch too, between 647.091 K and the critical point.
  const bool nearCritical = vapourBranch ? v <= vNear : v >= vNear;
  const double tFar = nearCritical ? kNearCriticalTemperature : kMinTemperature;
  const double vFar = nearCritical ? vNear : SaturatedField(kMinTemperature, x, Quantity::Volume);
  bool failed = false;
  const auto residual = [&](double T) {
    const double value = SaturatedField(T, x, Quantity::Volume);
    failed = failed || !std::isfinite(value);
    return value - v;
  };
  // Next to the critical point the volume changes steeply with temperature
  // and the equation's own critical volume differs from 1/322 in the fifth
  // digit, so the coarse tolerance serves there.
  const double tolerance = nearCritical ? Tolerance() : Tolerance() * kFineToleranceScale;
  const RootResult root =
      vapourBranch
          ? Ridders(residual, kCriticalTemperature, kCriticalVolume - v, tFar, vFar - v, tolerance)
          : Ridders(residual, tFar, vFar - v, kCriticalTemperature, kCriticalVolume - v, tolerance);
  return root.Converged() && !failed ? root.x : 0.0;
}

bool TwoPhaseSolver::SolveAlongSaturation(double y, Quantity quantity, double fixed,
                                          Quantity fixedQuantity, StateProperties& out) const {
  const bool entropyFixed = fixedQuantity == Quantity::Entropy;
  if (!std::isfinite(y)) {
    return false;
  }
  const bool inputValid = entropyFixed ? (fixed >= 0.0 && fixed <= kMaxEntropy)
                                       : (fixed >= kMinVolume && fixed <= kMaxVolume);
  if (!inputValid) {
    return false;
  }
  // The property of the state that SolveTS(T, s) or SolveTV(T, v) gives.
  const auto fieldAt = [&](double T) { return WetField(T, fixed, fixedQuantity, quantity); };
  double tTop = 0.0;
  bool vapourSide = false;
  if (entropyFixed) {
    tTop = SaturationTemperatureAtEntropy(fixed);
    vapourSide = fixed > SaturatedField(kCriticalTemperature, lowerQuality, Quantity::Entropy);
  } else {
    tTop = SaturationTemperatureAtVolume(fixed);
    vapourSide = fixed > kCriticalVolume;
  }
  if (!TemperatureInRange(tTop)) {
    return false;
  }

  const double fLow = fieldAt(kMinTemperature) - y;
  if (!std::isfinite(fLow)) {
    return false;
  }
  double fHigh = 0.0;
  if (quantity == Quantity::Volume) {
    fHigh = fieldAt(tTop - 0.001) - y;
    if (!std::isfinite(fHigh)) {
      return false;
    }
  } else {
    const double top = SaturatedField(tTop, vapourSide ? upperQuality : lowerQuality, quantity);
    if (!std::isfinite(top)) {
      return false;
    }
    // The saturated end lies one unit beyond its property value when the entropy is fixed.
    fHigh = top + (entropyFixed ? 1.0 : 0.0) - y;
  }
  // Above the top temperature the fixed property leaves the two-phase range;
  // such a probe counts as lying beyond the saturated end.
  const auto residual = [&](double T) {
    const double value = fieldAt(T);
    return std::isfinite(value) ? value - y : fHigh;
  };
  const double tolerance =
      quantity == Quantity::Volume ? Tolerance() * kFineToleranceScale : Tolerance();
  // At 623.15 K the phases switch from the region 1 and 2 equations to the
  // region-3 equation, whose values differ there in the last digits; the
  // search is split at that temperature so that it never straddles the step,
  // and the lower part (regions 1 and 2, as in the engine's order) goes first.
  double tLow = kMinTemperature;
  double tHigh = tTop;
  double fLowEnd = fLow;
  double fHighEnd = fHigh;
  double T = 0.0;
  bool found = false;
  if (tTop > kRegion3MinTemperature) {
    const double fSwitch = residual(kRegion3MinTemperature);
    if (std::fabs(fSwitch) <= tolerance) {
      T = kRegion3MinTemperature;
      found = true;
    } else if ((fLow < 0.0) != (fSwitch < 0.0)) {
      tHigh = kRegion3MinTemperature;
      fHighEnd = fSwitch;
    } else {
      tLow = kRegion3MinTemperature;
      fLowEnd = fSwitch;
    }
  }
  if (!found) {
    const RootResult root = Ridders(residual, tLow, fLowEnd, tHigh, fHighEnd, tolerance);
    T = root.Converged() ? root.x : 0.0;
  }
  if (!TemperatureInRange(T)) {
    return false;
  }
  bool solved = false;
  switch (quantity) {
    case Quantity::Enthalpy:
      solved = SolveTH(T, y, out);
      break;
    case Quantity::InternalEnergy:
      solved = SolveTU(T, y, out);
      break;
    case Quantity::Volume:
      solved = SolveTV(T, y, out);
      break;
    default:
      break;
  }
  return solved && std::fabs(Field(out, quantity) - y) < kAcceptance;
}

bool TwoPhaseSolver::SolveWetHSRegion3(double h, double s, StateProperties& out,
                                       double& reached) const {
  if (!(h > kSaturatedLiquidEnthalpy623 && s > kSaturatedLiquidEntropy623)) {
    return false;
  }
  // The mixture with entropy s at 623.15 K from regions 1 and 2, its enthalpy
  // less h, and that difference's slope in T: h - T s equals the Gibbs energy
  // g(T) along the saturation line, whose slope is -s' + v' dps/dT. At
  // 623.15 K the region-3 phases differ from those of regions 1 and 2 in the
  // last digits; a state that regions 1 and 2 reach by 623.15 K is theirs, as
  // in the engine's order, and left to the search in T.
  const auto at623 = [&](double& below, double& slope) {
    const double T1 = kRegion3MinTemperature;
    const double p1 = saturation.SaturationPressure(T1);
    StateProperties liquid;
    StateProperties vapour;
    if (!region1.Evaluate(p1, T1, liquid) || !region2.Evaluate(p1, T1, vapour) ||
        !(vapour.s > liquid.s)) {
      return false;
    }
    const double x = (s - liquid.s) / (vapour.s - liquid.s);
    below = liquid.h + x * (vapour.h - liquid.h) - h;
    const double dpsdT = (vapour.s - liquid.s) / (vapour.v - liquid.v) / 1000.0;
    slope = s - liquid.s + 1000.0 * liquid.v * dpsdT;
    return below < -kWetTolerance * std::max(1.0, std::fabs(h)) && slope > 0.0;
  };
  double below = 0.0;
  double slope = 0.0;
  bool checked623 = false;
  SaturatedPair pair{};
  if (s >= kSaturatedVapourEntropy623) {
    pair.T = backward.SaturationTemperatureHS(h, s);
    reached = pair.T;
  } else {
    // One Newton step from 623.15 K on g(T) + T s - h starts the iteration.
    if (!at623(below, slope)) {
      return false;
    }
    checked623 = true;
    pair.T = kRegion3MinTemperature - below / slope;
    reached = pair.T;
  }
  if (!(pair.T > kRegion3MinTemperature && pair.T < kCriticalTemperature)) {
    return false;
  }
  pair.rhoLiquid = saturation.SaturatedLiquidDensity(pair.T);
  pair.rhoVapour = saturation.SaturatedVapourDensity(pair.T);
  if (!JointWetHS(region3, saturation, h, s, pair, reached)) {
    return false;
  }
  if (!checked623 && pair.T < kRegion3MinTemperature + kNearRegion13 && !at623(below, slope)) {
    return false;
  }
  StateProperties liquid = out;
  StateProperties vapour = out;
  if (!region3.Evaluate(pair.rhoLiquid, pair.T, liquid) ||
      !region3.Evaluate(pair.rhoVapour, pair.T, vapour) || !(vapour.s > liquid.s)) {
    return false;
  }
  const double quality = (s - liquid.s) / (vapour.s - liquid.s);
  if (!(quality >= -kQualityRounding && quality <= 1.0 + kQualityRounding)) {
    return false;
  }
  const double x = 100.0 * std::clamp(quality, 0.0, 1.0);
  if (x == lowerQuality || x == upperQuality) {
    out = x == lowerQuality ? liquid : vapour;
    out.x = x;
  } else {
    out.x = x;
    out.region = 4;
    MixPhases(out, liquid, vapour, x);
  }
  return std::fabs(out.h - h) < kAcceptance && std::fabs(out.s - s) < kAcceptance;
}

bool TwoPhaseSolver::SolveWetHS(double h, double s, StateProperties& out) const {
  return FindWetHS(h, s, out) == WetVerdict::Found;
}

TwoPhaseSolver::WetVerdict TwoPhaseSolver::FindWetHS(double h, double s,
                                                     StateProperties& out) const {
  if (!std::isfinite(h) || !std::isfinite(s)) {
    return WetVerdict::NoState;
  }
  // Above 623.15 K the joint iteration answers; where it does not converge
  // (next to the critical point) the search in T below does.
  double reached = 0.0;
  if (SolveWetHSRegion3(h, s, out, reached)) {
    return WetVerdict::Found;
  }
  // The mixture at T with entropy s: x = (s - s')/(s'' - s'), and its
  // enthalpy minus h; with the temperature slope along the saturation line,
  // d/dT = (d/dT)_p + (d/dp)_T dps/dT for each phase.
  double quality = 0.0;
  // The phases of the last evaluation, which at the root are the state's.
  StateProperties liquid;
  StateProperties vapour;
  const double domeMargin =
      kDomeMarginEnthalpy +
      kDomeMarginShare * (std::max(1.0, std::fabs(h)) + kCriticalTemperature * std::fabs(s));
  // noState: the dome bound rules out every wet state. stalled: no wet state
  // lies closer to the target than the last wet evaluation (the bracket closed
  // on one temperature, or the tip probe fell short of the target).
  bool noState = false;
  bool stalled = false;
  double lastT = std::nan("");
  int repeats = 0;
  // The last evaluation inside the two-phase stretch: its temperature,
  // enthalpy, quality and phases.
  double wetT = std::nan("");
  double wetValue = std::nan("");
  double wetQuality = 0.0;
  StateProperties wetLiquid;
  StateProperties wetVapour;
  const auto mismatch = [&](double T) {
    // The bracket can close on one temperature, from which no later step
    // moves: next to the critical point, where the residual cannot reach the
    // tolerance, and at a saturated end whose value the target passes by a
    // rounding. Next to the critical point a step within two roundings counts
    // as a repeat; elsewhere only the same temperature three times over, as
    // a converging iteration's steps may still move by a rounding there. (One
    // repeat happens anywhere when the first bisection lands on the start.)
    const bool nearCritical = kCriticalTemperature - T < kCriticalRange;
    const bool repeat = nearCritical ? std::fabs(T - lastT) <= 2.0 * kEpsilon * T : T == lastT;
    repeats = repeat ? repeats + 1 : 0;
    if (repeats >= (nearCritical ? 2 : 3)) {
      stalled = true;
      return ValueSlope{std::nan(""), std::nan("")};
    }
    lastT = T;
    const double p = saturation.SaturationPressure(T);
    const bool phasesFromRegion3 = T > kRegion3MinTemperature;
    const bool phases =
        phasesFromRegion3
            ? region3.Evaluate(RefineLiquidDensity(p, T, saturation.SaturatedLiquidDensity(T)), T,
                               liquid) &&
                  region3.Evaluate(RefineVapourDensity(p, T, saturation.SaturatedVapourDensity(T)),
                                   T, vapour)
            : region1.Evaluate(p, T, liquid) && region2.Evaluate(p, T, vapour);
    if (!phases || !(vapour.s > liquid.s)) {
      // At the critical point the phases meet: beyond the two-phase stretch.
      return phasesFromRegion3 ? ValueSlope{h + kAboveTarget, 0.0}
                               : ValueSlope{std::nan(""), std::nan("")};
    }
    const double dpdT = (vapour.s - liquid.s) / (vapour.v - liquid.v) / 1000.0;
    const auto hSlope = [&](const StateProperties& phase) { return phase.cp + phase.iJTC * dpdT; };
    const auto sSlope = [&](const StateProperties& phase) {
      return phase.cp / T - 1000.0 * phase.dvdt * dpdT;
    };
    const double ds = vapour.s - liquid.s;
    const double dh = vapour.h - liquid.h;
    const double x = (s - liquid.s) / ds;
    quality = x;
    // Above the temperatures where s lies between s' and s'' (both ends of
    // that stretch are hotter than the root's side): counted as above the
    // target, with no slope, so the search bisects back.
    if (!(x >= -kQualityRounding && x <= 1.0 + kQualityRounding)) {
      return ValueSlope{h + kAboveTarget, 0.0};
    }
    const double value = liquid.h + x * dh;
    if (value - h < -(domeMargin + 1000.0 * vapour.v * (kCriticalPressure - p))) {
      noState = true;
      return ValueSlope{std::nan(""), std::nan("")};
    }
    wetT = T;
    wetValue = value;
    wetQuality = x;
    wetLiquid = liquid;
    wetVapour = vapour;
    const double dsT = sSlope(vapour) - sSlope(liquid);
    const double dhT = hSlope(vapour) - hSlope(liquid);
    const double xT = (-sSlope(liquid) - x * dsT) / ds;
    return ValueSlope{value, hSlope(liquid) + xT * dh + x * dhT};
  };
  const double TLow = kMinTemperature;
  const double TTop = kCriticalTemperature;
  double T0 = (TLow + TTop) / 2.0;
  if (s >= kSaturatedVapourEntropy623) {
    const double Tsat = backward.SaturationTemperatureHS(h, s);
    if (Tsat > TLow && Tsat < TTop) {
      T0 = Tsat;
    }
  }
  // At fixed s the mixture's enthalpy rises with T (dh = v dp there): a
  // target beyond either end's value has no root on this stretch.
  // At the critical temperature the saturated phases meet (the evaluation
  // there counts as above any target), so only the low end is tested.
  const double tolerance = kWetTolerance * std::max(1.0, std::fabs(h));
  // A wet state at the tip short of the target leaves only the sliver above
  // the probe, whose states lie within its enthalpy's rounding: the probe is
  // the closest wet state, taken below when it is within the stall tolerance.
  const double tipT = kCriticalTemperature - kTipDistance;
  if (kCriticalTemperature - reached < kTipReach && mismatch(tipT).value < h && wetT == tipT) {
    stalled = true;
  }
  if (noState) {
    return WetVerdict::NoState;
  }
  const ValueSlope low = stalled ? ValueSlope{} : mismatch(TLow);
  if (!stalled && !(low.value - h <= tolerance)) {
    // The wet enthalpy at s is lowest at the triple point: a target further
    // below it than the margin has no wet state either.
    return noState || (wetT == TLow && wetValue - h > domeMargin) ? WetVerdict::NoState
                                                                  : WetVerdict::Undecided;
  }
  // Without Tsat(h,s) a Newton step from the low end starts the search when
  // it lands in the lowest quarter of the range: the slope of the enthalpy
  // at fixed s falls with T, so the step stays short of the root, and for
  // the cold states, where the slope changes little, it lands next to it.
  if (s < kSaturatedVapourEntropy623 && low.slope > 0.0) {
    const double fromLow = TLow - (low.value - h) / low.slope;
    if (fromLow > TLow && fromLow < (TLow + T0) / 2.0) {
      T0 = fromLow;
    }
  }
  // Next to the saturated liquid the enthalpy barely changes with T at fixed
  // s (its slope is about s - s'), so the temperature converges on its own
  // correction too: the quality, and with it v, follows T closely there.
  RootResult root = stalled ? RootResult{}
                            : SafeguardedNewton(mismatch, h, T0, {TLow, TTop},
                                                {tolerance, kMaxEvaluations, kWetTemperatureStep});
  if (noState) {
    return WetVerdict::NoState;
  }
  // Up to 623.15 K the last evaluation's phases are those BuildSaturatedState
  // would evaluate at the root: the state is mixed from them.
  bool fromPhases = root.x <= kRegion3MinTemperature;
  // A stall next to the critical point ends on its last wet evaluation, whose
  // phases form the state: refined again from other starts, their densities
  // could move by the rounding of the refinement, which is large there.
  if (stalled && kCriticalTemperature - wetT < kCriticalRange &&
      std::fabs(wetValue - h) <= kWetStallTolerance * std::max(1.0, std::fabs(h))) {
    root.x = wetT;
    root.stop = RootStop::Converged;
    quality = wetQuality;
    liquid = wetLiquid;
    vapour = wetVapour;
    fromPhases = true;
  }
  if (!root.Converged()) {
    return WetVerdict::Undecided;
  }
  // The quality of the last evaluation, at the root.
  if (!(quality >= -kQualityRounding && quality <= 1.0 + kQualityRounding)) {
    return WetVerdict::Undecided;
  }
  const double x = 100.0 * std::clamp(quality, 0.0, 1.0);
  bool built = false;
  if (fromPhases && (x == lowerQuality || x == upperQuality)) {
    out = x == lowerQuality ? liquid : vapour;
    out.x = x;
    built = true;
  } else if (fromPhases) {
    out.x = x;
    out.region = 4;
    built = MixPhases(out, liquid, vapour, x);
  } else {
    built = BuildSaturatedState(saturation.SaturationPressure(root.x), root.x, x, out);
  }
  // A stalled state answers only when it reproduces both inputs within the
  // stall tolerance (on the scales of the acceptance): its quality may have
  // been clamped at a saturated end.
  const bool reproduces =
      stalled ? ReproducesClosely(out, h, s)
              : std::fabs(out.h - h) < kAcceptance && std::fabs(out.s - s) < kAcceptance;
  return built && reproduces ? WetVerdict::Found : WetVerdict::Undecided;
}

bool TwoPhaseSolver::SolveHS(double h, double s, StateProperties& out) const {
  switch (FindWetHS(h, s, out)) {
    case WetVerdict::Found:
      return true;
    case WetVerdict::NoState:
      return false;
    case WetVerdict::Undecided:
      break;
  }
  return SolveAlongSaturation(h, Quantity::Enthalpy, s, Quantity::Entropy, out);
}

bool TwoPhaseSolver::SolveUS(double u, double s, StateProperties& out) const {
  return SolveAlongSaturation(u, Quantity::InternalEnergy, s, Quantity::Entropy, out);
}

bool TwoPhaseSolver::SolveVS(double v, double s, StateProperties& out) const {
  return SolveAlongSaturation(v, Quantity::Volume, s, Quantity::Entropy, out);
}

bool TwoPhaseSolver::SolveHV(double h, double v, StateProperties& out) const {
  return SolveAlongSaturation(h, Quantity::Enthalpy, v, Quantity::Volume, out);
}

bool TwoPhaseSolver::SolveUV(double u, double v, StateProperties& out) const {
  return SolveAlongSaturation(u, Quantity::InternalEnergy, v, Quantity::Volume, out);
}

}  // namespace vaporix
