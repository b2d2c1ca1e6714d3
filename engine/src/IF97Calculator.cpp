#include "vaporix/IF97Calculator.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <utility>

#include "StateAcceptance.h"
#include "vaporix/equations/Region1Equation.h"
#include "vaporix/equations/Region2Equation.h"
#include "vaporix/equations/Region3Equation.h"
#include "vaporix/equations/SaturationEquation.h"
#include "vaporix/solvers/RootFinders.h"

namespace vaporix {
namespace {

using limits::kMaximumPressure;
using limits::kMaximumTemperature;
using limits::kMinimumTemperature;
using limits::kPressureSearchMinimumPressure;
using limits::kRegion2MaximumTemperature;
using limits::kRegion2MinimumPressure;
using limits::kRegion5MaximumPressure;

struct Corner {
  double p;
  double T;
};
// Corners A to F of the upper-boundary routine; D lies just inside region 2.
constexpr std::array<Corner, 6> kCorners{{
    {kPressureSearchMinimumPressure, kMinimumTemperature},  // A
    {kPressureSearchMinimumPressure, kMaximumTemperature},  // B
    {kMaximumPressure, kMinimumTemperature},                // C
    {kMaximumPressure, 1073.14},                            // D
    {kRegion5MaximumPressure, kRegion2MaximumTemperature},  // E
    {kRegion5MaximumPressure, kMaximumTemperature},         // F
}};
enum CornerIndex { kA, kB, kC, kD, kE, kF };

// Entropies and enthalpies of the (h,s) plane's boundary lines, kJ/(kg K) and
// kJ/kg: the saturated liquid and vapour at 273.15 K and 623.15 K, the split of
// h''2ab and h''2c3b, and region 3's least and greatest entropy and greatest
// enthalpy (623.15 K and 863.15 K at 100 MPa; the B23 line).
constexpr double kSaturatedLiquidEntropy273 = -1.545495919e-4;
constexpr double kSaturatedVapourEntropy273 = 9.155759395;
constexpr double kSaturatedLiquidEntropy623 = limits::kSaturatedLiquidEntropy623;
constexpr double kEntropy2ab2c = 5.85;
// The backward saturation lines h'(s) and h''(s) miss the saturated
// enthalpies by at most 0.008 kJ/kg; a target this far above them is not wet.
constexpr double kWetLineMargin = 1.0;  // kJ/kg
constexpr double kRegion3MinimumEntropy = 3.397782955;
constexpr double kRegion3MaximumEntropy = 5.260578707;
constexpr double kRegion3MaximumEnthalpy = 2812.942061;

// Acceptance of the pressure search: h and u from (h,s) and (u,s) within
// 1 kJ/kg, v from (v,s) within 0.001 m3/kg, h and u from (h,v) and (u,v)
// within 0.1 %.
constexpr double kSearchEnergyAcceptance = 1.0;
constexpr double kSearchVolumeAcceptance = 0.001;
constexpr double kSearchRelativeAcceptance = 0.001;
// ... of |target|, but of at least this (kJ/kg), so that a target at or below
// zero (cold liquid at high pressure has u < 0) has an acceptance too.
constexpr double kSearchRelativeFloor = 1.0;
// The pressure search converges to the engine tolerance times this, relative
// to the target value.
constexpr double kSearchToleranceScale = 1e-6;
// The pressure search first makes at most this many solves; a line that
// needs more usually crosses the saturation line inside its bracket, which is
// then found (to kCrossingTolerance, relative) and splits the bracket.
constexpr int kSearchFirstEvaluations = 12;
constexpr double kCrossingTolerance = 1e-12;
// The second pass makes at most this many solves: a target in the jump of a
// region seam (B23, 1073.15 K) has no root to converge to, and its last
// estimate goes to the acceptance test (which polishes it on its equation).
constexpr int kSearchSecondEvaluations = 30;
// Bisection steps (in log p) for the lowest pressure of a line: 2^-40 of the span.
constexpr int kLowestPressureBisections = 40;
// A target this close to an end value (relative, times the tolerance) is that end.
constexpr double kEndToleranceScale = 1e-3;
// A target in the jump of a line between two equations has no state when
// both sides' nearest approach to it lies this many times beyond the
// acceptance rule's reach.
constexpr double kJumpReachScale = 2.0;
// Where Newton's iteration stalls short of a root, its state must still keep
// the line to this share of the rule's tolerance to stand for the line.
constexpr double kStalledLineShare = 1e-3;
// Probes either side of a seam this close, relative in pressure, bracket it.
constexpr double kSeamBracketShare = 1e-4;
// Newton's iteration from the search's closest probes is tried this often.
constexpr int kSearchShortcutTries = 2;
// Pressure (MPa) to which the isochore's meeting with the B23 line is found;
// the target's value there is then exact to far below the acceptance rule's.
constexpr double kSeamPressureTolerance = 1e-10;
constexpr double kSeamVolumeTolerance = 1e-12;  // relative
// Region 3's meeting with the B23 line is bracketed this many kelvin on
// either side of region 2's.
constexpr double kSeamBracket = 1.0;
// Newton steps in p for an isochore's state on the 1073.15 K isotherm.
constexpr int kSeamNewtonSteps = 30;
// A neighbouring isochore's seam state tried for a target in its own
// isochore's jump lies this fraction of the rule's tolerance away in v.
constexpr double kNeighbourReach = 0.999;
// Just above 623.15 K, where the saturated phases come from region 3.
constexpr double kAboveRegion13 = 1e-9;

// The region-solver operation of each pair of that route, in pair order.
using RegionOperation = bool (RegionSolver::*)(double, double, StateProperties&) const;
constexpr std::array<RegionOperation, 9> kRegionOperations{{
    &RegionSolver::SolvePT,
    &RegionSolver::SolvePH,
    &RegionSolver::SolvePS,
    &RegionSolver::SolvePU,
    &RegionSolver::SolvePV,
    &RegionSolver::SolveTH,
    &RegionSolver::SolveTS,
    &RegionSolver::SolveTU,
    &RegionSolver::SolveTV,
}};
static_assert(static_cast<std::size_t>(InputPair::TV) + 1 == kRegionOperations.size());

// The two-phase solver's operation of each saturation pair, in pair order.
using TwoPhaseOperation = bool (TwoPhaseSolver::*)(double, double, StateProperties&) const;
constexpr auto kFirstSaturationPair = static_cast<std::size_t>(InputPair::SatPX);
constexpr std::array<TwoPhaseOperation, 15> kTwoPhaseOperations{{
    &TwoPhaseSolver::SolvePX,
    &TwoPhaseSolver::SolveTX,
    &TwoPhaseSolver::SolvePH,
    &TwoPhaseSolver::SolvePS,
    &TwoPhaseSolver::SolvePU,
    &TwoPhaseSolver::SolvePV,
    &TwoPhaseSolver::SolveTH,
    &TwoPhaseSolver::SolveTS,
    &TwoPhaseSolver::SolveTU,
    &TwoPhaseSolver::SolveTV,
    &TwoPhaseSolver::SolveHS,
    &TwoPhaseSolver::SolveUS,
    &TwoPhaseSolver::SolveVS,
    &TwoPhaseSolver::SolveHV,
    &TwoPhaseSolver::SolveUV,
}};
static_assert(kFirstSaturationPair + kTwoPhaseOperations.size() == kInputPairCount);

// A pressure times a specific volume, MPa m3/kg, in kJ/kg.
constexpr double kKilojoulePerMegapascalCubicMetre = 1000.0;
// The refinement on the state's own equation stops when its next correction
// is below this, relative (a few units in the last place), after this many
// steps, or when this many steps in a row bring no smaller correction (the
// inputs' own rounding reached). Each step that would leave the equation's
// region is halved at most this often.
constexpr double kRefinedCorrection = 1e-15;
constexpr int kRefineSteps = 60;
constexpr int kRefineStale = 4;
constexpr int kRefineHalvings = 6;

// Rates of change of a quantity with the two coordinates of a state's own
// equation: pressure and temperature in regions 1, 2 and 5, specific volume
// and temperature in region 3. Thermodynamic identities over the state's
// derivatives, so no difference quotient limits the refinement.
struct Slopes {
  double first;  // per MPa, or per m3/kg in region 3
  double T;      // per K
};

Slopes SlopesOf(Quantity quantity, const StateProperties& state, bool volumeCoordinate) {
  constexpr double k = kKilojoulePerMegapascalCubicMetre;
  const double p = state.p;
  const double T = state.t;
  const double v = state.v;
  if (!volumeCoordinate) {
    switch (quantity) {
      case Quantity::Volume:
        return {state.dvdp, state.dvdt};
      case Quantity::Enthalpy:
        return {k * (v - T * state.dvdt), state.cp};
      case Quantity::Entropy:
        return {-k * state.dvdt, state.cp / T};
      case Quantity::InternalEnergy:
        return {-k * (T * state.dvdt + p * state.dvdp), state.cp - k * p * state.dvdt};
      default:
        break;
    }
  } else {
    switch (quantity) {
      case Quantity::Volume:
        return {1.0, 0.0};
      case Quantity::Enthalpy:
        return {k * (T * state.dpdt + v * state.dpdv), state.cv + k * v * state.dpdt};
      case Quantity::Entropy:
        return {k * state.dpdt, state.cv / T};
      case Quantity::InternalEnergy:
        return {k * (T * state.dpdt - p), state.cv};
      default:
        break;
    }
  }
  return {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::quiet_NaN()};
}

// Newton's iteration on a single-phase state's own equation for the two
// inputs, with the exact Jacobian, run until the correction itself is spent
// rather than until the residuals are small: along cold-liquid isentropes u
// barely changes with p, so residuals far below any tolerance still leave the
// pressure off by orders of magnitude. The state stays on the solver's
// equation; the caller decides whether the result is kept.
StateProperties RefineOnEquation(const RegionSolver& solver, bool region3, Quantity first, double a,
                                 Quantity second, double b, const StateProperties& start) {
  double StateProperties::*const fieldA = Describe(first).field;
  double StateProperties::*const fieldB = Describe(second).field;
  const auto evaluate = [&](double x, double T, StateProperties& state) {
    return x > 0.0 && (region3 ? solver.SolveTV(T, x, state) : solver.SolvePT(x, T, state));
  };
  StateProperties current = start;
  StateProperties best = start;
  double bestCorrection = std::numeric_limits<double>::infinity();
  int stale = 0;
  for (int step = 0; step < kRefineSteps; ++step) {
    const double x = region3 ? current.v : current.p;
    const double T = current.t;
    const double ra = current.*fieldA - a;
    const double rb = current.*fieldB - b;
    const Slopes ja = SlopesOf(first, current, region3);
    const Slopes jb = SlopesOf(second, current, region3);
    const double determinant = ja.first * jb.T - ja.T * jb.first;
    if (!std::isfinite(determinant) || determinant == 0.0) {
      break;
    }
    const double dx = (ra * jb.T - rb * ja.T) / determinant;
    const double dT = (ja.first * rb - jb.first * ra) / determinant;
    const double correction = std::max(std::fabs(dx / x), std::fabs(dT / T));
    if (!std::isfinite(correction)) {
      break;
    }
    if (correction < bestCorrection) {
      bestCorrection = correction;
      best = current;
      stale = 0;
    } else if (++stale >= kRefineStale) {
      break;
    }
    if (correction <= kRefinedCorrection) {
      break;
    }
    double scale = 1.0;
    int halvings = 0;
    StateProperties next;
    while (!evaluate(x - scale * dx, T - scale * dT, next) && ++halvings < kRefineHalvings) {
      scale /= 2.0;
    }
    if (halvings >= kRefineHalvings) {
      break;
    }
    current = next;
  }
  return best;
}

// Newton's iteration of the direct region-3 solve in (rho, T): this many
// steps at most, each halved at most kRegion3Halvings times to stay inside
// region 3's box of densities and temperatures; converged when the relative
// correction is below kRegion3Converged.
constexpr int kRegion3Steps = 40;
constexpr int kRegion3Halvings = 20;
constexpr double kRegion3Converged = 1e-14;
// Region 3's densities: from the 863.15 K end of the B23 line (about
// 113 kg/m3) to liquid at 623.15 K and 100 MPa (about 762 kg/m3), widened.
constexpr double kRegion3LeastDensity = 100.0;
constexpr double kRegion3GreatestDensity = 780.0;
// Widening of region 3's entropy range for the direct solve, kJ/(kg K).
constexpr double kRegion3EntropyMargin = 0.01;
// Liquid isochores up to this volume (m3/kg) pass the density maximum near
// 277 K, where one pressure holds two states of the isochore and the search
// over pressure loses its bracket; they are searched over temperature from
// 273.15 K in steps of kColdIsochoreStep up to kColdIsochoreTop.
constexpr double kColdIsochoreMaximumVolume = 1.0003e-3;
constexpr double kColdIsochoreStep = 1.0;
constexpr double kColdIsochoreTop = 300.0;
// An isochore this much (relative) wider than the saturated liquid at T has
// no region-1 state within the acceptance rule's 1e-6 there, whatever the
// rounding of the saturation line: its state is wet.
constexpr double kColdWetMargin = 1e-5;
// Newton's iteration in p for a cold isochore's liquid state: at most this
// many steps (from the saturation pressure to 100 MPa takes six), stopped
// when the step is below kColdPressureStep (MPa). The step is absolute: at a
// few kPa the rounding of v alone moves p by more than 1e-10 of itself.
constexpr int kColdNewtonSteps = 12;
constexpr double kColdPressureStep = 1e-11;
// The isochore search next to the critical point: its first bracket is
// this wide on either side (K), widened fourfold at most kIsochoreWidenings
// times; it converges to kIsochoreTolerance relative to the target.
constexpr double kIsochoreBracket = 0.01;
constexpr int kIsochoreWidenings = 6;
constexpr double kIsochoreTolerance = 1e-11;
// K below the critical temperature within which an isochore's crossing of the
// dome is too rough to tell a target's side by the end's value.
constexpr double kCriticalCrossing = 1e-3;
// An entropy or volume this far (relative) inside the boundary values of a
// region at a pressure belongs to that region, whichever equation gives the
// boundary.
constexpr double kBoundaryMargin = 1e-6;

// Value and slopes in (rho, T) of an input quantity of a region-3 state; for
// a volume the density itself stands in (the residual rho - 1/v is linear).
struct Region3Row {
  double value;
  double rho;
  double T;
};

Region3Row Region3RowOf(Quantity quantity, const Region3Equation::Partials& at, double rho) {
  switch (quantity) {
    case Quantity::Enthalpy:
      return {at.h, at.hRho, at.hT};
    case Quantity::Entropy:
      return {at.s, at.sRho, at.sT};
    case Quantity::InternalEnergy:
      return {at.u, at.uRho, at.uT};
    case Quantity::Volume:
      return {rho, 1.0, 0.0};
    default:
      return {std::numeric_limits<double>::quiet_NaN(), 0.0, 0.0};
  }
}

// (rho, T) of region 3's equation with the two inputs, by a damped Newton
// iteration from the critical point (or from the given volume); the Jacobian
// in (rho, T) of (u, s), (v, s), (h, v) and (u, v) has no zero inside the
// region, so the iteration needs no search. False when it leaves no root.
bool SolveRegion3Direct(Quantity first, double a, Quantity second, double b, double& rhoOut,
                        double& TOut) {
  // An entropy outside region 3's (widened by kRegion3EntropyMargin) has no
  // state there.
  for (const auto& [quantity, value] : {std::pair{first, a}, std::pair{second, b}}) {
    if (quantity == Quantity::Entropy &&
        !(value >= kRegion3MinimumEntropy - kRegion3EntropyMargin &&
          value <= kRegion3MaximumEntropy + kRegion3EntropyMargin)) {
      return false;
    }
  }
  const Region3Equation region3;
  const double ta = first == Quantity::Volume ? 1.0 / a : a;
  const double tb = second == Quantity::Volume ? 1.0 / b : b;
  double rho = first == Quantity::Volume ? ta : second == Quantity::Volume ? tb : kCriticalDensity;
  double T = kCriticalTemperature;
  if (!(rho >= kRegion3LeastDensity && rho <= kRegion3GreatestDensity)) {
    return false;
  }
  const auto inside = [](double r, double t) {
    return r >= kRegion3LeastDensity && r <= kRegion3GreatestDensity &&
           t >= limits::kRegion13Temperature && t <= limits::kB23MaximumTemperature;
  };
  for (int step = 0; step < kRegion3Steps; ++step) {
    Region3Equation::Partials at{};
    if (!region3.PartialsAt(rho, T, at)) {
      return false;
    }
    const Region3Row ra = Region3RowOf(first, at, rho);
    const Region3Row rb = Region3RowOf(second, at, rho);
    const double fa = ra.value - ta;
    const double fb = rb.value - tb;
    const double determinant = ra.rho * rb.T - ra.T * rb.rho;
    if (!std::isfinite(determinant) || determinant == 0.0) {
      return false;
    }
    const double dRho = (fa * rb.T - fb * ra.T) / determinant;
    const double dT = (ra.rho * fb - rb.rho * fa) / determinant;
    if (!std::isfinite(dRho) || !std::isfinite(dT)) {
      return false;
    }
    if (std::max(std::fabs(dRho / rho), std::fabs(dT / T)) <= kRegion3Converged) {
      rhoOut = rho;
      TOut = T;
      return true;
    }
    double scale = 1.0;
    int halvings = 0;
    while (!inside(rho - scale * dRho, T - scale * dT)) {
      if (++halvings > kRegion3Halvings) {
        return false;
      }
      scale /= 2.0;
    }
    rho -= scale * dRho;
    T -= scale * dT;
  }
  // Out of steps: the last iterate goes to the caller's acceptance test.
  rhoOut = rho;
  TOut = T;
  return true;
}

// The saturated end a line of constant entropy or volume crosses: the
// saturated liquid for values below the critical point's, the vapour above,
// at the temperature where the end's value is the line's (monotonic in T).
bool SaturationCrossing(const TwoPhaseSolver& twoPhaseSolver, Quantity fixed, double value,
                        StateProperties& crossing) {
  double StateProperties::*const field = Describe(fixed).field;
  const double critical = fixed == Quantity::Entropy ? Region3BackwardEquation::kCriticalEntropy
                                                     : 1.0 / kCriticalDensity;
  const double x = value < critical ? 0.0 : 100.0;
  StateProperties cold;
  StateProperties hot;
  if (!twoPhaseSolver.SolveTX(limits::kMinimumTemperature, x, cold) ||
      !twoPhaseSolver.SolveTX(kCriticalTemperature, x, hot)) {
    return false;
  }
  const double fCold = cold.*field - value;
  const double fHot = hot.*field - value;
  if (!(fCold * fHot < 0.0)) {
    return false;
  }
  double crossingT = std::numeric_limits<double>::quiet_NaN();
  const auto residual = [&](double T) {
    crossingT = T;
    if (twoPhaseSolver.SolveTX(T, x, crossing)) {
      return crossing.*field - value;
    }
    crossingT = std::numeric_limits<double>::quiet_NaN();
    return std::numeric_limits<double>::quiet_NaN();
  };
  const RootResult search =
      Ridders(residual, limits::kMinimumTemperature, fCold, kCriticalTemperature, fHot,
              kCrossingTolerance * std::fabs(value));
  if (!search.hasEstimate || !std::isfinite(search.x)) {
    return false;
  }
  return search.x == crossingT || twoPhaseSolver.SolveTX(search.x, x, crossing);
}

// Ridders' iteration in T for the state of a line whose `field` equals
// `target`, between two temperatures whose residuals bracket it, with at
// most `budget` evaluations. The state of the last evaluation is kept when
// the root is that point.
enum class RootNeed { Converged, Estimate };
template <class StateAt>
bool RootAlongLine(const StateAt& stateAt, double StateProperties::*field, double target,
                   double TLow, double fLow, double THigh, double fHigh, double tolerance,
                   RootNeed need, StateProperties& out, int budget = kMaxEvaluations) {
  StateProperties scratch;
  double scratchT = std::numeric_limits<double>::quiet_NaN();
  const auto residual = [&](double T) {
    scratchT = T;
    if (stateAt(T, scratch)) {
      return scratch.*field - target;
    }
    scratchT = std::numeric_limits<double>::quiet_NaN();
    return std::numeric_limits<double>::quiet_NaN();
  };
  const RootResult search = Ridders(residual, TLow, fLow, THigh, fHigh, tolerance, budget);
  if (need == RootNeed::Converged ? !search.Converged() : !search.hasEstimate) {
    return false;
  }
  if (search.x == scratchT) {
    out = scratch;
    return true;
  }
  return stateAt(search.x, out);
}

// The state of an isochore (or isentrope) next to the critical point whose
// target lies beside the temperature T0: the target rises with temperature
// along the line (through region 3 and the dome alike), so a bracket widened
// from T0 and Ridders' iteration in T find it. `stateAt(T, state)` is the
// line's state at T.
template <class StateAt>
bool SearchIsochoreAround(const StateAt& stateAt, Quantity target, double targetValue, double T0,
                          StateProperties& out, RootNeed need = RootNeed::Converged,
                          int budget = kMaxEvaluations) {
  double StateProperties::*const field = Describe(target).field;
  StateProperties low;
  StateProperties high;
  double width = kIsochoreBracket;
  double TLow = T0 - width;
  double THigh = std::min(T0 + width, kCriticalTemperature);
  for (int widening = 0;; ++widening) {
    if (widening > kIsochoreWidenings || !stateAt(TLow, low) || !stateAt(THigh, high)) {
      return false;
    }
    if (low.*field <= targetValue && targetValue <= high.*field) {
      break;
    }
    width *= 4.0;
    if (low.*field > targetValue) {
      TLow -= width;
    } else {
      THigh += width;
    }
  }
  const double scale = std::max(1.0, std::fabs(targetValue));
  return RootAlongLine(stateAt, field, targetValue, TLow, low.*field - targetValue, THigh,
                       high.*field - targetValue, kIsochoreTolerance * scale, need, out, budget);
}

// (u,s), (v,s), (h,v), (u,v) of a region-3 state straight from region 3's
// equation, before any pressure search; false leaves the search to decide.
// The caller applies the acceptance rule.
bool FindRegion3Direct(const Region3Solver& region3Solver, const TwoPhaseSolver& twoPhaseSolver,
                       InputPair pair, double a, double b, StateProperties& out) {
  const InputPairInfo& info = Describe(pair);
  double rho = 0.0;
  double T = 0.0;
  if (!SolveRegion3Direct(info.first, a, info.second, b, rho, T)) {
    return false;
  }
  // Only a state inside region 3 as the formulation bounds it: above
  // 623.15 K and the B23 line's pressure, outside the saturation dome
  // (SolveTV refuses it there). Next to the 623.15 K and B23 seams the
  // neighbouring region's equation may hold a state of its own a hair away
  // (the equations differ there by up to 1e-4); region 3's is the answer.
  const SaturationEquation saturation;
  if (!(T > limits::kRegion13Temperature)) {
    return false;
  }
  if (!region3Solver.SolveTV(T, 1.0 / rho, out)) {
    // A saturated liquid or vapour lies on the dome's edge, where the dome
    // test falls either way by rounding: such a state is kept when its volume
    // is a saturated end's to the engine tolerance.
    const Region3Equation region3;
    StateProperties liquid;
    StateProperties vapour;
    const auto atEnd = [&](const StateProperties& end) {
      return std::fabs(end.v * rho - 1.0) <= limits::kInputReproduction;
    };
    if (!(T < kCriticalTemperature) || !twoPhaseSolver.SolveTX(T, 0.0, liquid) ||
        !twoPhaseSolver.SolveTX(T, 100.0, vapour)) {
      return false;
    }
    if (!(atEnd(liquid) || atEnd(vapour))) {
      // Inside the dome the inputs name a wet state, close to the region-3
      // iterate's temperature: searched along the isochore when one input is
      // the volume.
      const bool volumeFirst = info.first == Quantity::Volume;
      if (!volumeFirst && info.second != Quantity::Volume) {
        // (h,s) and (u,s): along an isentrope h and u rise with temperature
        // through region 3 and the dome alike.
        const auto onIsentrope = [&](double t, StateProperties& state) {
          return region3Solver.SolveTS(t, b, state) ||
                 (t < kCriticalTemperature && twoPhaseSolver.SolveTS(t, b, state));
        };
        return info.second == Quantity::Entropy &&
               SearchIsochoreAround(onIsentrope, info.first, a, T, out);
      }
      const auto stateAt = [&](double t, StateProperties& state) {
        return region3Solver.SolveTV(t, volumeFirst ? a : b, state) ||
               (t < kCriticalTemperature && twoPhaseSolver.SolveTV(t, volumeFirst ? a : b, state));
      };
      return SearchIsochoreAround(stateAt, volumeFirst ? info.second : info.first,
                                  volumeFirst ? b : a, T, out);
    }
    if (!region3.Evaluate(rho, T, out)) {
      return false;
    }
    out.region = 3;
    out.x = 0.0;
  }
  return out.p > saturation.B23Pressure(T);
}

// A single-phase state of `region` (quality 0, as every solver gives it).
void MarkSinglePhase(StateProperties& state, int region) {
  state.region = region;
  state.x = 0.0;
}

// The state of `equation` on the isotherm T whose volume is v, by Newton's
// iteration in p from `p`; every iterate and the root must satisfy
// `inRange`. False when it leaves the range or does not converge.
template <class Equation, class InRange>
bool VolumeOnIsotherm(const Equation& equation, double T, double v, double p,
                      const InRange& inRange, StateProperties& state) {
  for (int step = 0; step < kSeamNewtonSteps; ++step) {
    if (!inRange(p) || !equation.Evaluate(p, T, state) || !(state.dvdp < 0.0)) {
      return false;
    }
    const double dp = (state.v - v) / state.dvdp;
    p -= dp;
    if (std::fabs(dp) <= kSeamVolumeTolerance * p) {
      return inRange(p) && equation.Evaluate(p, T, state);
    }
  }
  return false;
}

// The states of the isochore v on either side of the B23 line: region 3's
// at the temperature where its pressure at density 1/v is the line's, and
// region 2's where its volume at the line's pressure is v. False unless the
// isochore meets the line with region 3 on its cold side and region 2 on its
// hot side, as it does across the line's whole range.
bool B23Seam(double v, StateProperties& region3Side, StateProperties& region2Side) {
  const Region3Equation region3;
  const Region2Equation region2;
  const SaturationEquation saturation;
  const double rho = 1.0 / v;
  // The line's equation puts its hot end 3e-11 MPa above 100 MPa, where
  // region 2 has no volume: every isochore would seem to cross there.
  const auto linePressure = [&](double T) {
    return std::min(saturation.B23Pressure(T), limits::kMaximumPressure);
  };
  // Region 2 holds the isochore where its volume at the line's pressure falls
  // below v (its state lies below the line), region 3 where its pressure at
  // density 1/v lies above the line.
  const auto below2 = [&](double T) { return region2.VolumeInRange(linePressure(T), T) - v; };
  const auto above3 = [&](double T) { return region3.Pressure(T, rho) - linePressure(T); };
  double cold = limits::kRegion13Temperature;
  double hot = limits::kB23MaximumTemperature;
  const double f2Cold = below2(cold);
  const double f2Hot = below2(hot);
  if (!(f2Cold > 0.0 && f2Hot < 0.0)) {
    return false;
  }
  const RootResult at2 = Ridders(below2, cold, f2Cold, hot, f2Hot, kSeamVolumeTolerance * v);
  if (!at2.Converged()) {
    return false;
  }
  // The two equations meet the line within a fraction of a kelvin of each
  // other; region 3's bracket stays out of the dome, where its equation's
  // pressure is not the state's.
  cold = std::max(limits::kRegion13Temperature, at2.x - kSeamBracket);
  hot = std::min(limits::kB23MaximumTemperature, at2.x + kSeamBracket);
  const double f3Cold = above3(cold);
  const double f3Hot = above3(hot);
  if (!(f3Cold > 0.0 && f3Hot < 0.0)) {
    return false;
  }
  const RootResult at3 = Ridders(above3, cold, f3Cold, hot, f3Hot, kSeamPressureTolerance);
  if (!at3.Converged() || !region3.Evaluate(rho, at3.x, region3Side) ||
      !region2.Evaluate(linePressure(at2.x), at2.x, region2Side)) {
    return false;
  }
  MarkSinglePhase(region3Side, 3);
  MarkSinglePhase(region2Side, 2);
  return true;
}

// The states of the isochore v on either side of the 1073.15 K isotherm at
// or below 10 MPa: region 2's and region 5's at the pressures where their
// volumes are v, by Newton's iteration in p from the ideal gas. False when
// either lies beyond 10 MPa or does not converge.
bool Region25Seam(double v, StateProperties& region2Side, StateProperties& region5Side) {
  const Region2Equation region2;
  const Region5Equation region5;
  const double T = kRegion2MaximumTemperature;
  const double idealGas = kGasConstant * T / v / kKilojoulePerMegapascalCubicMetre;
  const auto inRange = [](double p) { return p > 0.0 && p <= kRegion5MaximumPressure; };
  if (!VolumeOnIsotherm(region2, T, v, idealGas, inRange, region2Side) ||
      !VolumeOnIsotherm(region5, T, v, idealGas, inRange, region5Side)) {
    return false;
  }
  MarkSinglePhase(region2Side, 2);
  MarkSinglePhase(region5Side, 5);
  return true;
}

// The states of the isochore v on either side of the 623.15 K isotherm
// above the saturation pressure: region 1's at the pressure where its volume
// is v (Newton's iteration in p from region 3's pressure), and region 3's at
// density 1/v. False unless region 1's pressure lies between the saturation
// pressure and 100 MPa, as it does for liquid isochores from about 0.00135
// to 0.00174 m3/kg.
bool Region13Seam(double v, StateProperties& region1Side, StateProperties& region3Side) {
  const Region1Equation region1;
  const Region3Equation region3;
  const double T = limits::kRegion13Temperature;
  const double saturated = SaturationEquation().SaturationPressure(T);
  if (!region3.Evaluate(1.0 / v, T, region3Side)) {
    return false;
  }
  const auto inRange = [saturated](double p) { return p >= saturated && p <= kMaximumPressure; };
  if (!VolumeOnIsotherm(region1, T, v, region3Side.p, inRange, region1Side) ||
      !(region3Side.p >= saturated)) {
    return false;
  }
  MarkSinglePhase(region1Side, 1);
  MarkSinglePhase(region3Side, 3);
  return true;
}

// Region 1's state of the isochore v on the cold isotherm T, by Newton's
// iteration in p from the saturation pressure. On a liquid isotherm v falls
// with p and is convex in it, so the iterates climb to the root without
// passing it. A root beyond either end of region 1 gives the end's state, for
// the acceptance rule to judge; false where the isochore is wet at T by more
// than rounding.
bool ColdLiquidOnIsotherm(double T, double v, StateProperties& state) {
  const Region1Equation region1;
  const double saturated = SaturationEquation().SaturationPressure(T);
  if (!(saturated > 0.0) || !region1.Evaluate(saturated, T, state) ||
      v > state.v * (1.0 + kColdWetMargin)) {
    return false;
  }
  double p = saturated;
  for (int step = 0; step < kColdNewtonSteps; ++step) {
    if (!(state.dvdp < 0.0)) {
      return false;
    }
    const double dp = (state.v - v) / state.dvdp;
    const double next = std::clamp(p - dp, saturated, kMaximumPressure);
    if (next == p) {
      break;
    }
    p = next;
    if (!region1.Evaluate(p, T, state)) {
      return false;
    }
    if (std::fabs(dp) <= kColdPressureStep) {
      break;
    }
  }
  MarkSinglePhase(state, 1);
  return true;
}

// (h,v) and (u,v) of cold liquid beside the density maximum, searched over
// temperature along the isochore (`stateAt(T, state)` is the (T,v) solve) when
// the pressure search found nothing. `densest` is the smallest volume of the
// range (liquid at 100 MPa and 273.15 K).
template <class StateAt>
bool ColdIsochoreSearch(const StateAt& stateAt, double densest, double searchTolerance,
                        Quantity target, double targetValue, double v, StateProperties& out) {
  if (!(v >= densest && v <= kColdIsochoreMaximumVolume)) {
    return false;
  }
  // Along an isochore h and u rise with temperature (cv > 0), through the
  // liquid and the wet states alike: the first step whose end lies above the
  // target brackets the one state.
  double StateProperties::*const field = Describe(target).field;
  // A target beyond the top step's value is not this stretch's.
  StateProperties top;
  const bool haveTop = !(Region1Equation().VolumeInRange(kMaximumPressure, kColdIsochoreTop) > v) &&
                       stateAt(kColdIsochoreTop, top);
  if (haveTop && top.*field < targetValue) {
    return false;
  }
  StateProperties below;
  double TBelow = 0.0;
  bool haveBelow = false;
  StateProperties above;
  double TAbove = 0.0;
  // Where the liquid at 100 MPa is wider than v, the isochore lies above the
  // range: such a step is passed over without a solve.
  const Region1Equation region1;
  for (double T = limits::kMinimumTemperature; T <= kColdIsochoreTop; T += kColdIsochoreStep) {
    StateProperties state;
    if (region1.VolumeInRange(kMaximumPressure, T) > v || !stateAt(T, state)) {
      haveBelow = false;
      continue;
    }
    if (state.*field >= targetValue) {
      if (!haveBelow) {
        // Nothing brackets a target at or below the stretch's first state:
        // that state is the answer when the caller's acceptance rule keeps
        // it, as it does for a target drawn at 273.15 K itself.
        out = state;
        return true;
      }
      above = state;
      TAbove = T;
      break;
    }
    below = state;
    TBelow = T;
    haveBelow = true;
  }
  // The 1 K steps from 273.15 K end at 299.15 K, short of the top: a target
  // between the last step and the top is bracketed by the top's state.
  if (haveBelow && !(TAbove > TBelow) && haveTop && TBelow < kColdIsochoreTop) {
    above = top;
    TAbove = kColdIsochoreTop;
  }
  if (!haveBelow || !(TAbove > TBelow)) {
    return false;
  }
  return RootAlongLine(stateAt, field, targetValue, TBelow, below.*field - targetValue, TAbove,
                       above.*field - targetValue, searchTolerance, RootNeed::Estimate, out);
}

// A region-3 state on the B23 line, to the rounding its acceptance allows
// beyond the line.
// A region-3 state within this of the critical temperature: the equation's
// values there carry rounding noise of about 1e-5 kJ/kg, on which the
// search's probes crawl, and its Newton steps rarely settle.
constexpr double kNoisyCriticalSpan = 1e-2;  // K
constexpr double kCriticalNoiseShare = 1e-2;

// The solver of a single-phase region's equation (the engine's solvers in
// the order of regions 1, 2, 3, two-phase, 5); none for a mixture.
const RegionSolver* SolverOfRegion(const std::array<const RegionSolver*, 5>& solvers, int region) {
  if (region < 1 || region > 5 || region == 4) {
    return nullptr;
  }
  return solvers[region == 5 ? 4 : static_cast<std::size_t>(region - 1)];
}

bool NextToCriticalPoint(const StateProperties& state) {
  return state.region == 3 && std::fabs(state.t - kCriticalTemperature) <= kNoisyCriticalSpan;
}

bool OnB23(const StateProperties& state) {
  if (!(state.region == 3 && state.t >= limits::kRegion13Temperature &&
        state.t <= limits::kB23MaximumTemperature)) {
    return false;
  }
  const double line = SaturationEquation().B23Pressure(state.t);
  return std::fabs(state.p - line) <= limits::kInputReproduction * line;
}

bool Between(double low, double value, double high) {
  return low <= value && value <= high;
}

}  // namespace

IF97Calculator::IF97Calculator()
    : solvers{&region1Solver, &region2Solver, &region3Solver, &twoPhaseSolver, &region5Solver} {}

IF97Calculator::~IF97Calculator() = default;

void IF97Calculator::Initialize() {
  std::lock_guard guard(lock);
  region1Solver.Initialize(this);
  region2Solver.Initialize(this);
  region3Solver.Initialize(this);
  twoPhaseSolver.Initialize(this);
  region5Solver.Initialize(this);
  for (std::size_t i = 0; i < kCorners.size(); ++i) {
    StateProperties corner;
    const bool found = Find(InputPair::PT, kCorners[i].p, kCorners[i].T, corner);
    cornerEntropy[i] = found ? corner.s : std::numeric_limits<double>::quiet_NaN();
    cornerVolume[i] = found ? corner.v : std::numeric_limits<double>::quiet_NaN();
  }
}

int IF97Calculator::PropertyNumber(const std::string& key) const {
  const PropertyInfo* info = FindProperty(key);
  return info == nullptr ? 0 : info->number;
}

int IF97Calculator::SupplementaryNumber(const std::string& key) const {
  const PropertyInfo* info = FindProperty(key);
  return info == nullptr ? 0 : info->supplementaryNumber;
}

bool IF97Calculator::Calculate(InputPair pair, double a, double b, StateProperties& out,
                               TransportProperties& transport, bool withTransport, bool english) {
  try {
    std::unique_lock guard(lock);
    if (english) {
      const InputPairInfo& inputs = Describe(pair);
      a = EnglishToSI(inputs.first, a);
      b = EnglishToSI(inputs.second, b);
    }
    // Not-a-number and infinite inputs never yield a state (checked after the
    // conversion, which can overflow a huge value).
    if (!std::isfinite(a) || !std::isfinite(b)) {
      return false;
    }
    if (!Find(pair, a, b, out)) {
      return false;
    }
    if (withTransport) {
      ComputeTransport(out, transport);
    }
    if (english) {
      ToEnglish(out);
      if (withTransport) {
        ToEnglish(transport);
      }
    }
    return true;
  } catch (...) {
    // Includes a lock that cannot be acquired.
    return false;
  }
}

bool IF97Calculator::AskSolvers(bool (RegionSolver::*operation)(double, double, StateProperties&)
                                    const,
                                InputPair pair, double a, double b, StateProperties& out,
                                const RegionSolver* skip) const {
  for (const RegionSolver* solver : solvers) {
    if (solver != skip && (solver->*operation)(a, b, out) && Accept(pair, a, b, out)) {
      return true;
    }
  }
  return false;
}

bool IF97Calculator::Find(InputPair pair, double a, double b, StateProperties& out) const {
  const InputPairInfo& info = Describe(pair);
  const auto index = static_cast<std::size_t>(pair);
  switch (info.route) {
    case SolverRoute::RegionSolvers:
      // A specific volume is positive; the solvers are not asked otherwise.
      if (info.second == Quantity::Volume && !(b > 0.0)) {
        return false;
      }
      return AskSolvers(kRegionOperations[index], pair, a, b, out);
    case SolverRoute::PressureSearch: {
      if (pair == InputPair::HS && FindHS(a, b, out) && Accept(pair, a, b, out)) {
        return true;
      }
      if (FindRegion3Direct(region3Solver, twoPhaseSolver, pair, a, b, out) &&
          Accept(pair, a, b, out)) {
        return true;
      }
      const LineVerdict verdict = ScreenLine(pair, a, b, out);
      if (verdict == LineVerdict::NoState) {
        return false;
      }
      // Cold liquid (T <= 300 K, v <= 1.0003e-3 m3/kg) is region 1's or
      // wet; the other solvers are not asked. Its isochores pass the density
      // maximum, where one pressure holds two of their states and the
      // pressure search crawls to no end: they are searched in T first.
      // The liquid's own Newton iteration, not region 1's (T,v) solve: at a
      // few kPa that one spends its whole budget on a convergence test
      // finer than the rounding of v, and wherever the isochore is wet.
      const auto coldAt = [&](double T, StateProperties& state) {
        return (ColdLiquidOnIsotherm(T, b, state) && Accept(InputPair::TV, T, b, state)) ||
               (twoPhaseSolver.SolveTV(T, b, state) && Accept(InputPair::TV, T, b, state));
      };
      const auto coldSearch = [&] {
        const double searchTolerance =
            tolerance * kSearchToleranceScale * std::max(1.0, std::fabs(a));
        return info.second == Quantity::Volume &&
               ColdIsochoreSearch(coldAt, cornerVolume[kC], searchTolerance, info.first, a, b,
                                  out) &&
               Accept(pair, a, b, out);
      };
      const bool coldFirst = info.second == Quantity::Volume && b <= kColdIsochoreMaximumVolume;
      const bool found =
          verdict == LineVerdict::State || (coldFirst && coldSearch()) ||
          (PressureSearch(info.second, b, info.first, a, out) && Accept(pair, a, b, out)) ||
          (!coldFirst && coldSearch());
      if (!found) {
        return false;
      }
      // Newton's iteration on the answer's own equation until its pressure
      // and temperature are as exact as the inputs allow; kept only when the
      // acceptance rule keeps it (a mixture stays as its solver found it).
      if (out.region != 4) {
        // The search's probes share one buffer: a single-phase state found
        // after a wet probe would keep that probe's quality.
        out.x = 0.0;
        if (const RegionSolver* solver = SolverOfRegion(solvers, out.region)) {
          StateProperties refined =
              RefineOnEquation(*solver, out.region == 3, info.first, a, info.second, b, out);
          if (Accept(pair, a, b, refined)) {
            out = refined;
          }
        }
      }
      return true;
    }
    case SolverRoute::TwoPhase:
      // Every two-phase pair lies at or after the first saturation pair; the
      // test keeps the compiler's bounds analysis quiet.
      if (index < kFirstSaturationPair) {
        return false;
      }
      return (twoPhaseSolver.*kTwoPhaseOperations[index - kFirstSaturationPair])(a, b, out) &&
             Accept(pair, a, b, out);
  }
  return false;
}

bool IF97Calculator::FindHS(double h, double s, StateProperties& out) const {
  using Region3Backward = Region3BackwardEquation;
  // The saturation line in the (h,s) plane: h'(s) on the liquid side, h''(s)
  // on the vapour side; below it a state is wet. No wet state lies outside
  // s'(273.15 K) ... s''(273.15 K).
  bool wetPossible = s >= kSaturatedLiquidEntropy273 && s <= kSaturatedVapourEntropy273;
  bool wetFirst = false;
  bool wellAbove = false;
  if (wetPossible) {
    double line = 0.0;
    if (s <= kSaturatedLiquidEntropy623) {
      line = backward.SaturatedLiquidEnthalpy1(s);
    } else if (s <= Region3Backward::kCriticalEntropy) {
      line = backward.SaturatedLiquidEnthalpy3a(s);
    } else if (s <= kEntropy2ab2c) {
      line = backward.SaturatedVapourEnthalpy2c3b(s);
    } else {
      line = backward.SaturatedVapourEnthalpy2ab(s);
    }
    wetFirst = h < line;
    wellAbove = h > line + kWetLineMargin;
  }
  // Region 3 holds only entropies between s(623.15 K, 100 MPa) and the
  // largest on the B23 line, and enthalpies up to h(863.15 K, 100 MPa).
  const bool region3Possible =
      s >= kRegion3MinimumEntropy && s <= kRegion3MaximumEntropy && h <= kRegion3MaximumEnthalpy;
  const bool region3First =
      region3Possible && (s > kSaturatedLiquidEntropy623 || h > backward.B13Enthalpy(s));
  std::array<const RegionSolver*, 3> single{};
  if (s <= kSaturatedLiquidEntropy623) {
    single = region3First
                 ? std::array<const RegionSolver*, 3>{&region3Solver, &region1Solver, nullptr}
                 : std::array<const RegionSolver*, 3>{
                       &region1Solver, region3Possible ? &region3Solver : nullptr, nullptr};
  } else if (region3Possible) {
    single = {&region3Solver, &region2Solver, nullptr};
  } else {
    single = {&region2Solver, nullptr, nullptr};
  }
  if (wetFirst && twoPhaseSolver.SolveWetHS(h, s, out)) {
    return true;
  }
  for (const RegionSolver* solver : single) {
    if (solver != nullptr && solver->SolveHS(h, s, out)) {
      return true;
    }
  }
  // A state well above the line is not wet: its wet solve would only
  // decline, at the cost of a dozen saturation solves.
  return !wetFirst && !wellAbove && wetPossible && twoPhaseSolver.SolveWetHS(h, s, out);
}

bool IF97Calculator::FindAtPressure(Quantity fixed, double p, double value,
                                    StateProperties& out) const {
  const InputPair pair = fixed == Quantity::Entropy ? InputPair::PS : InputPair::PV;
  if (p > 0.0 && p <= limits::kMaximumPressure && std::isfinite(value)) {
    // The entropies or volumes of the region boundaries at p tell which
    // solver holds the probe; asked first, it spares the search's probes the
    // full declining iterations of the solvers asked before it (10-20 us
    // each). Within kBoundaryMargin of a boundary the usual order decides.
    const SaturationEquation saturation;
    const Region1Equation region1;
    const Region2Equation region2;
    const bool entropy = fixed == Quantity::Entropy;
    // The value of region 1 or 2 at (p, T), not a number outside its range.
    const auto bound = [&](bool gas, double T) {
      double slope = 0.0;
      const double v = gas ? region2.VolumeInRange(p, T) : region1.VolumeInRange(p, T);
      if (!(v > 0.0)) {
        return std::numeric_limits<double>::quiet_NaN();
      }
      return !entropy ? v : gas ? region2.EntropyPT(&slope, p, T) : region1.EntropyPT(&slope, p, T);
    };
    const auto margin = [](double edge) {
      return kBoundaryMargin * std::max(std::fabs(edge), 1e-3);
    };
    const auto inside = [&](double low, double high) {
      return value > low + margin(low) && value < high - margin(high);
    };
    // Below ps(623.15 K) the saturated ends at p part liquid, wet and vapour;
    // above it region 3 lies between 623.15 K and the B23 line.
    const bool dome = p < limits::kSaturationPressureAt623;
    const double Tlow = dome ? saturation.SaturationTemperature(p) : limits::kRegion13Temperature;
    const double Thigh = dome ? Tlow : saturation.B23Temperature(p);
    const double liquid = bound(false, Tlow);
    const double vapour = bound(true, Thigh);
    const double hottest = bound(true, limits::kRegion2MaximumTemperature);
    const RegionSolver* first = nullptr;
    if (value < liquid - margin(liquid)) {
      first = &region1Solver;
    } else if (inside(liquid, vapour)) {
      first = dome ? static_cast<const RegionSolver*>(&twoPhaseSolver) : &region3Solver;
    } else if (inside(vapour, hottest)) {
      first = &region2Solver;
    } else if (value > hottest + margin(hottest) && p <= limits::kRegion5MaximumPressure) {
      first = &region5Solver;
    }
    const auto solve = entropy ? &RegionSolver::SolvePS : &RegionSolver::SolvePV;
    if (first != nullptr) {
      if ((first->*solve)(p, value, out) && Accept(pair, p, value, out)) {
        return true;
      }
      // The usual order without the solver just asked: where an isentrope
      // runs along the B23 line, region 2's declining solve (7 us) was asked
      // twice for every region-3 probe. A volume is positive, as Find asks.
      return (entropy || value > 0.0) && AskSolvers(solve, pair, p, value, out, first);
    }
  }
  return Find(pair, p, value, out);
}

bool IF97Calculator::FindAtTemperature(Quantity fixed, double T, double value,
                                       StateProperties& out) const {
  return Find(fixed == Quantity::Entropy ? InputPair::TS : InputPair::TV, T, value, out);
}

bool IF97Calculator::UpperBoundaryState(Quantity fixed, double q, StateProperties& boundary) const {
  const std::array<double, 6>& c = fixed == Quantity::Entropy ? cornerEntropy : cornerVolume;
  if (Between(c[kC], q, c[kD])) {  // the 100 MPa isobar
    return FindAtPressure(fixed, kMaximumPressure, q, boundary);
  }
  if (Between(c[kD], q, c[kE])) {  // the 1073.15 K isotherm
    const bool onIsotherm = FindAtTemperature(fixed, kRegion2MaximumTemperature, q, boundary);
    if (onIsotherm && boundary.p != kMaximumPressure) {
      return true;
    }
    // Corner D lies at 1073.14 K: lines between it and the 1073.15 K corner
    // end on the 100 MPa isobar, where the isotherm's solve has no state or
    // only the corner itself, a rounding band off the line. (Lines a band
    // beyond the corner keep the isotherm's state beyond 100 MPa.)
    StateProperties onIsobar;
    if (FindAtPressure(fixed, kMaximumPressure, q, onIsobar) &&
        onIsobar.t <= kRegion2MaximumTemperature) {
      boundary = onIsobar;
      return true;
    }
    return onIsotherm;
  }
  if (Between(c[kE], q, c[kF])) {  // the 10 MPa isobar
    return FindAtPressure(fixed, kRegion5MaximumPressure, q, boundary);
  }
  const bool onLowestIsotherm =
      fixed == Quantity::Entropy ? Between(c[kA], q, c[kC]) : Between(c[kC], q, c[kA]);
  if (onLowestIsotherm) {  // the 273.15 K isotherm
    return FindAtTemperature(fixed, kMinimumTemperature, q, boundary);
  }
  if (Between(c[kF], q, c[kB])) {  // the 2273.15 K isotherm
    return FindAtTemperature(fixed, kMaximumTemperature, q, boundary);
  }
  if (q > c[kB]) {  // the 2273.15 K isotherm below 1 kPa
    return FindAtTemperature(fixed, kMaximumTemperature, q, boundary);
  }
  // No edge of the range carries this value: there is no upper end to search to.
  return false;
}

IF97Calculator::LineVerdict IF97Calculator::ScreenLine(InputPair pair, double y, double fixedValue,
                                                       StateProperties& out) const {
  const InputPairInfo& info = Describe(pair);
  const Quantity target = info.first;
  const Quantity fixed = info.second;
  double StateProperties::*const field = Describe(target).field;
  double StateProperties::*const fixedField = Describe(fixed).field;
  // Along an isochore or an isentrope h and u rise with temperature, through
  // the dome too, and v falls: `rank` orders values by temperature.
  const double sign = target == Quantity::Volume ? -1.0 : 1.0;
  const auto rank = [sign](double value) { return sign * value; };
  // Values this close to a seam's or an end's are left to the search: the
  // acceptance rule may take a state there from either side.
  const double band = limits::kInputReproduction * ReproductionScale(target, y);
  // The line's wet stretch runs from 273.15 K to the saturated end where it
  // leaves the dome, and holds the targets between the values at its ends.
  const auto wetAt = [&](double T, StateProperties& state) {
    return fixed == Quantity::Volume ? twoPhaseSolver.SolveTV(T, fixedValue, state)
                                     : twoPhaseSolver.SolveTS(T, fixedValue, state);
  };
  // Isentropes are screened for (v,s) on the vapour side alone: the wet (h,s)
  // and (u,s) states have solvers of their own, and the search does not
  // crawl along the liquid side.
  const bool isochore = fixed == Quantity::Volume;
  if (!isochore &&
      (target != Quantity::Volume || !(fixedValue > Region3BackwardEquation::kCriticalEntropy))) {
    return LineVerdict::Search;
  }
  // The line through the critical point leaves the dome there.
  const double critical =
      isochore ? 1.0 / kCriticalDensity : Region3BackwardEquation::kCriticalEntropy;
  StateProperties end;
  StateProperties cold;
  // A line closer to the critical one than the saturated ends a step of
  // rounding in T below the critical point leaves the dome there too: no
  // representable temperature below it holds its crossing.
  const auto atCritical = [&] {
    StateProperties last;
    const double TLast = std::nextafter(kCriticalTemperature, 0.0);
    return twoPhaseSolver.SolveTX(TLast, fixedValue < critical ? 0.0 : 100.0, last) &&
           std::fabs(fixedValue - critical) <= std::fabs(last.*fixedField - critical);
  };
  const bool crosses =
      fixedValue == critical
          ? twoPhaseSolver.SolveTX(kCriticalTemperature, 100.0, end)
          : SaturationCrossing(twoPhaseSolver, fixed, fixedValue, end) ||
                (atCritical() && twoPhaseSolver.SolveTX(kCriticalTemperature, 100.0, end));
  // A seam of an isochore between two regions' equations: the target rises
  // with temperature along each, and where the colder side's value at the
  // seam lies below the hotter side's, a target between them has no state,
  // unless the acceptance rule keeps one of the two equations' states a hair
  // beyond the seam. Nothing when the target lies off the seam; `found`
  // tells whether the isochore meets the seam. Where both equations hold an
  // exact state, `hotFirst` takes the hot side's, as the search did.
  const auto screenSeam = [&](const auto& seamAt, std::size_t coldSolver, std::size_t hotSolver,
                              StateProperties& coldSide, StateProperties& hotSide, bool& found,
                              bool hotFirst) -> std::optional<LineVerdict> {
    found = seamAt(fixedValue, coldSide, hotSide);
    if (!found || !(y >= coldSide.*field - band && y <= hotSide.*field + band)) {
      return std::nullopt;
    }
    for (const StateProperties* side :
         {hotFirst ? &hotSide : &coldSide, hotFirst ? &coldSide : &hotSide}) {
      if (NewtonFromProbe(fixed, fixedValue, target, y, *side, out)) {
        return LineVerdict::State;
      }
    }
    // Within the acceptance rule's reach of the seam the state is Newton's
    // root on either equation when the rule keeps it (a region-3 state a
    // hair beyond the B23 line is checked on the line), else the seam state
    // itself when it reproduces the target.
    const std::array<std::pair<const StateProperties*, std::size_t>, 2> sides{
        {{&coldSide, coldSolver}, {&hotSide, hotSolver}}};
    for (const auto& [side, solver] : sides) {
      out = RefineOnEquation(*solvers[solver], solver == 2, target, y, fixed, fixedValue, *side);
      if (Accept(pair, y, fixedValue, out)) {
        return LineVerdict::State;
      }
    }
    for (const StateProperties& side : {coldSide, hotSide}) {
      out = side;
      if (Accept(pair, y, fixedValue, out)) {
        return LineVerdict::State;
      }
    }
    // The rule also keeps a state of a neighbouring isochore, within its
    // tolerance of v: a target has none when it lies in the jump of those
    // too. In the jump of its own isochore alone, the neighbours' seam states
    // within reach of the target are the states the rule may keep, and the
    // search decides the rest.
    const bool inOwnJump = y > coldSide.*field + band && y < hotSide.*field - band;
    bool inEveryJump = inOwnJump;
    for (const double shift : {-limits::kInputReproduction, limits::kInputReproduction}) {
      StateProperties nearCold;
      StateProperties nearHot;
      const bool near = seamAt(fixedValue * (1.0 + shift), nearCold, nearHot);
      inEveryJump = inEveryJump && near && y > nearCold.*field + band && y < nearHot.*field - band;
      // The candidates lie a hair inside the rule's reach in v, where its
      // test does not fall either way by rounding.
      if (!inOwnJump || !seamAt(fixedValue * (1.0 + kNeighbourReach * shift), nearCold, nearHot)) {
        continue;
      }
      for (const StateProperties& side : {nearHot, nearCold}) {
        out = side;
        if (std::fabs(side.*field - y) <= band && Accept(pair, y, fixedValue, out)) {
          return LineVerdict::State;
        }
      }
    }
    return inEveryJump ? LineVerdict::NoState : LineVerdict::Search;
  };
  // The B23 seam (region 3 on its cold side, region 2 on its hot side), the
  // 1073.15 K seam below 10 MPa (regions 2 and 5) and the 623.15 K seam of
  // liquid isochores above the saturation pressure (regions 1 and 3).
  StateProperties side3;
  StateProperties side2;
  StateProperties side25;
  StateProperties side5;
  bool seam = false;
  bool seam25 = false;
  if (isochore) {
    if (const auto verdict = screenSeam(B23Seam, 2, 1, side3, side2, seam, false)) {
      return *verdict;
    }
    if (const auto verdict = screenSeam(Region25Seam, 1, 4, side25, side5, seam25, false)) {
      return *verdict;
    }
    StateProperties side1;
    StateProperties side13;
    bool seam13 = false;
    if (const auto verdict = screenSeam(Region13Seam, 0, 2, side1, side13, seam13, true)) {
      return *verdict;
    }
  }
  // Between a saturated end above 623.15 K and the B23 seam an isochore runs
  // through region 3, whose (T,v) solve is explicit: searched in T from the
  // end. Next to the critical point the equation's isochore may hold no exact
  // root; the estimate after the search's first budget goes to the
  // acceptance rule.
  // Between the end and the critical temperature, where the saturated
  // densities and the dome test disagree in the last digits and neither
  // solver answers, the equation's own state stands in.
  const Region3Equation region3;
  const auto region3At = [&](double T, StateProperties& state) {
    if (region3Solver.SolveTV(T, fixedValue, state) ||
        (T < kCriticalTemperature && twoPhaseSolver.SolveTV(T, fixedValue, state))) {
      return true;
    }
    if (!(T >= end.t && T <= kCriticalTemperature) ||
        !region3.Evaluate(1.0 / fixedValue, T, state)) {
      return false;
    }
    state.region = 3;
    state.x = 0.0;
    return true;
  };
  const auto searchFromEnd = [&] {
    return SearchIsochoreAround(region3At, target, y, end.t, out, RootNeed::Estimate,
                                kSearchFirstEvaluations) &&
           Accept(pair, y, fixedValue, out);
  };
  if (crosses && isochore && end.t > limits::kRegion13Temperature &&
      rank(y) > rank(end.*field) + band && (!seam || y < side3.*field - band)) {
    return searchFromEnd() ? LineVerdict::State : LineVerdict::Search;
  }
  // An isochore that meets the dome within kCriticalCrossing of the critical
  // temperature has its crossing only to the rounding of the saturated
  // volumes there, which sweep fast with T: a target below the end's value
  // may still lie on region 3's side, where the pressure search crawls. Such
  // a target within the isochore's values over the first bracket is
  // searched in T from the end too, before the wet stretch.
  StateProperties belowEnd;
  if (crosses && isochore && kCriticalTemperature - end.t < kCriticalCrossing &&
      region3At(end.t - kIsochoreBracket, belowEnd) && rank(y) > rank(belowEnd.*field) &&
      searchFromEnd()) {
    return LineVerdict::State;
  }
  if (crosses && wetAt(kMinimumTemperature, cold) && rank(y) >= rank(cold.*field) - band &&
      rank(y) <= rank(end.*field) + band) {
    // A target at the saturated end is the single-phase state there, as the
    // pressure search has always answered it: the end itself when it matches
    // to rounding, else Newton's root on the end's own equation when its
    // region holds it, else the end when the acceptance rule keeps it.
    const double endGap = std::fabs(end.*field - y);
    if (endGap <= tolerance * kEndToleranceScale * std::max(1.0, std::fabs(y))) {
      out = end;
      if (Accept(pair, y, fixedValue, out)) {
        return LineVerdict::State;
      }
    }
    if (endGap <= band) {
      if (NewtonFromProbe(fixed, fixedValue, target, y, end, out)) {
        return LineVerdict::State;
      }
      out = end;
      if (Accept(pair, y, fixedValue, out)) {
        return LineVerdict::State;
      }
    }
    // At 623.15 K the phases pass from regions 1 and 2 to region 3, whose
    // mixture differs there in the last digits: each side is searched alone,
    // and a target in a jump forward between them has no state.
    double TLow = kMinimumTemperature;
    StateProperties low = cold;
    double THigh = end.t;
    StateProperties high = end;
    StateProperties seamBelow;
    StateProperties seamAbove;
    StateProperties liquid;
    StateProperties vapour;
    // An isochore whose volume lies between the saturated liquid's of
    // regions 1 and 3 at 623.15 K leaves the dome there: region 3's side of
    // the seam is its single-phase state at 623.15 K, and it has no wet
    // stretch above 623.15 K.
    const bool liquidAbove = isochore && end.t < limits::kRegion13Temperature + kAboveRegion13;
    const double TAbove = limits::kRegion13Temperature + kAboveRegion13;
    const auto wetAbove = [&](StateProperties& state) {
      if (!liquidAbove) {
        return wetAt(TAbove, state);
      }
      if (!Region3Equation().Evaluate(1.0 / fixedValue, limits::kRegion13Temperature, state)) {
        return false;
      }
      state.region = 3;
      state.x = 0.0;
      return true;
    };
    if (end.t > limits::kRegion13Temperature && wetAt(limits::kRegion13Temperature, seamBelow) &&
        wetAbove(seamAbove) && twoPhaseSolver.SolveTX(limits::kRegion13Temperature, 0.0, liquid) &&
        twoPhaseSolver.SolveTX(limits::kRegion13Temperature, 100.0, vapour)) {
      const double below = rank(seamBelow.*field);
      const double above = rank(seamAbove.*field);
      // The acceptance rule's tolerance in the fixed quantity moves a
      // mixture's value by the lever rule's slope times it.
      const double leverSlope =
          (vapour.*field - liquid.*field) / (vapour.*fixedField - liquid.*fixedField);
      const double jumpBand = band + limits::kInputReproduction * std::fabs(leverSlope) *
                                         ReproductionScale(fixed, fixedValue);
      if (rank(y) > below + jumpBand && rank(y) < above - jumpBand) {
        return LineVerdict::NoState;
      }
      // In the jump but within the rule's reach of a side, neither side holds
      // an exact root: the seam state nearer the target stands when the rule
      // keeps it.
      if (rank(y) > below && rank(y) < above) {
        const bool belowNearer = rank(y) - below <= above - rank(y);
        for (const StateProperties* side :
             {belowNearer ? &seamBelow : &seamAbove, belowNearer ? &seamAbove : &seamBelow}) {
          if (side == &seamAbove && liquidAbove &&
              NewtonFromProbe(fixed, fixedValue, target, y, seamAbove, out)) {
            return LineVerdict::State;
          }
          out = *side;
          if (Accept(pair, y, fixedValue, out)) {
            return LineVerdict::State;
          }
        }
        // Region 3's side holds the neighbouring isochores' states at
        // 623.15 K too, which the rule keeps within its tolerance of v.
        for (const double shift : {-limits::kInputReproduction, limits::kInputReproduction}) {
          if (liquidAbove &&
              Region3Equation().Evaluate(1.0 / (fixedValue * (1.0 + kNeighbourReach * shift)),
                                         limits::kRegion13Temperature, out)) {
            MarkSinglePhase(out, 3);
            if (Accept(pair, y, fixedValue, out)) {
              return LineVerdict::State;
            }
          }
        }
        return LineVerdict::Search;
      }
      // Region 3's single-phase side is left to the search.
      if (liquidAbove && rank(y) >= above) {
        return LineVerdict::Search;
      }
      // Where region 3's side starts before the other side's end, both hold
      // the target; the side of regions 1 and 2 is taken, as the search did.
      if (rank(y) <= below) {
        THigh = limits::kRegion13Temperature;
        high = seamBelow;
      } else {
        TLow = TAbove;
        low = seamAbove;
      }
    }
    const double searchTolerance = tolerance * kSearchToleranceScale * std::max(1.0, std::fabs(y));
    if (RootAlongLine(wetAt, field, y, TLow, low.*field - y, THigh, high.*field - y,
                      searchTolerance, RootNeed::Converged, out) &&
        Accept(pair, y, fixedValue, out)) {
      return LineVerdict::State;
    }
    return LineVerdict::Search;
  }
  return LineVerdict::Search;
}

bool IF97Calculator::PressureSearch(Quantity fixed, double fixedValue, Quantity target,
                                    double targetValue, StateProperties& out) const {
  double StateProperties::*const targetField = Describe(target).field;
  // The search runs from 1 kPa to the line's upper edge; below 1 kPa it runs
  // from the line's lowest state (1 Pa, or where it meets 273.15 K) to 1 kPa.
  StateProperties top;
  if (!UpperBoundaryState(fixed, fixedValue, top)) {
    return false;
  }
  StateProperties low;
  const bool lowFound = FindAtPressure(fixed, kPressureSearchMinimumPressure, fixedValue, low);
  if (lowFound) {
    // Volume falls with pressure along the line, enthalpy and energy rise:
    // a target beyond the 1 kPa value lies below 1 kPa.
    const double yLow = low.*targetField;
    const bool belowLow = target == Quantity::Volume ? targetValue > yLow : targetValue < yLow;
    const double endTolerance =
        tolerance * kEndToleranceScale * std::max(1.0, std::fabs(targetValue));
    if (!belowLow || std::fabs(yLow - targetValue) <= endTolerance) {
      return SearchSegment(fixed, fixedValue, target, targetValue, kPressureSearchMinimumPressure,
                           low, top, out);
    }
  }
  // The line's lowest state: at 1 Pa, where it meets 273.15 K, or (an
  // isochore of cold compressed liquid) the lowest pressure found by bisection.
  StateProperties lowest;
  if (!FindAtPressure(fixed, kRegion2MinimumPressure, fixedValue, lowest) &&
      !FindAtTemperature(fixed, kMinimumTemperature, fixedValue, lowest) &&
      !(LowestPressureOnLine(fixed, fixedValue, top.p, lowest) > 0.0)) {
    return false;
  }
  if (lowFound) {
    return lowest.p < kPressureSearchMinimumPressure &&
           SearchSegment(fixed, fixedValue, target, targetValue, lowest.p, lowest, low, out);
  }
  return lowest.p < top.p &&
         SearchSegment(fixed, fixedValue, target, targetValue, lowest.p, lowest, top, out);
}

bool IF97Calculator::SearchSegment(Quantity fixed, double fixedValue, Quantity target,
                                   double targetValue, double lowPressure,
                                   const StateProperties& low, const StateProperties& top,
                                   StateProperties& out) const {
  double StateProperties::*const targetField = Describe(target).field;
  const auto field = [targetField](const StateProperties& state) { return state.*targetField; };
  const double topPressure = top.p;
  const double yLow = field(low);
  const double yTop = field(top);
  const double smaller = std::min(yLow, yTop);
  const double larger = std::max(yLow, yTop);
  // The engine tolerance in kJ/kg or m3/kg leaves the pressure, and with it the
  // temperature, visibly off along lines where the target changes slowly; the
  // search converges to a tolerance relative to the target instead.
  const double searchTolerance =
      tolerance * kSearchToleranceScale * std::max(1.0, std::fabs(targetValue));
  // A state on the edge of the range has its target at an end, up to the
  // rounding of the end state's own solve (a few 1e-8 K on the 10 MPa isobar).
  const double endTolerance =
      tolerance * kEndToleranceScale * std::max(1.0, std::fabs(targetValue));
  if (!(targetValue >= smaller - endTolerance && targetValue <= larger + endTolerance)) {
    // A target beyond an end by no more than the acceptance rule's reach
    // (a line topping out a rounding band inside a corner of the range):
    // the end is the state when the rule keeps it.
    const StateProperties& end =
        targetValue > larger ? (yTop > yLow ? top : low) : (yTop < yLow ? top : low);
    if (std::fabs(field(end) - targetValue) >
        limits::kInputReproduction * ReproductionScale(target, targetValue)) {
      return false;
    }
    out = end;
    return AcceptSearched(fixed, fixedValue, target, targetValue, out);
  }

  // The smaller property value sits at the first end: volume falls with
  // pressure, enthalpy and internal energy rise.
  const bool volumeTarget = target == Quantity::Volume;
  const double xl = volumeTarget ? topPressure : lowPressure;
  const double xh = volumeTarget ? lowPressure : topPressure;
  // Rounding in Ridders' step can put an estimate a hair beyond an end that
  // lies on the edge of the range (10 or 100 MPa); keep it on the end.
  const auto insideBracket = [&](double p) {
    return std::clamp(p, lowPressure, std::max(lowPressure, topPressure));
  };
  StateProperties scratch;
  double scratchPressure = std::numeric_limits<double>::quiet_NaN();
  // The probe closest to the target, where Newton's iteration starts when the
  // first pass crawls.
  StateProperties closest;
  double closestResidual = std::numeric_limits<double>::infinity();
  // The last pressure whose probe had no state: the final state is not
  // solved for again there (a declining solve asks every solver, 30 us).
  double failedPressure = std::numeric_limits<double>::quiet_NaN();
  // The probes closest to the target on either side of it: where the line
  // jumps between two equations, the target's states are found next to them.
  std::array<StateProperties, 2> nearest{};
  std::array<double, 2> nearestResidual{-std::numeric_limits<double>::infinity(),
                                        std::numeric_limits<double>::infinity()};
  // A probe within the acceptance rule's reach of the target ends the search
  // once Newton's iteration on its equation gives the exact state, or (on an
  // isentrope hugging the B23 line, where the probes' residuals are noisy)
  // once the rule keeps the probe itself: the iteration would only crawl on.
  // The residual is zero from then on, so Ridders' iteration stops at once.
  const double reach = limits::kInputReproduction * ReproductionScale(target, targetValue);
  // Next to the critical point a probe is taken as it stands only within the
  // equation's noise of the target, a hundredth of the rule's reach.
  const double noiseReach = kCriticalNoiseShare * reach;
  int shortcutTries = kSearchShortcutTries;
  // No Newton shortcut for u along an isentrope: in cold liquid it rises
  // with p^2 only, and a residual within the search's tolerance leaves p
  // loose where the iteration's bracket still narrows it.
  const bool newtonShortcut = !(target == Quantity::InternalEnergy && fixed == Quantity::Entropy);
  StateProperties shortcut;
  bool shortcutFound = false;
  const auto tryShortcut = [&](const StateProperties& probe) {
    if (shortcutTries == 0) {
      return false;
    }
    --shortcutTries;
    if (newtonShortcut && !NextToCriticalPoint(probe) &&
        NewtonFromProbe(fixed, fixedValue, target, targetValue, probe, shortcut) &&
        std::fabs(field(shortcut) - targetValue) <= searchTolerance &&
        std::fabs(shortcut.*Describe(fixed).field - fixedValue) <=
            tolerance * kSearchToleranceScale * std::max(1.0, std::fabs(fixedValue))) {
      return true;
    }
    shortcut = probe;
    return ((NextToCriticalPoint(probe) && std::fabs(field(probe) - targetValue) <= noiseReach) ||
            (fixed == Quantity::Entropy && OnB23(probe))) &&
           AcceptSearched(fixed, fixedValue, target, targetValue, shortcut);
  };
  // Below its crossing with the saturation line a line is wet. Within a
  // hair of the saturated end the (p,s) or (p,v) solve may answer with the
  // end itself, whose target differs from the wet neighbours' by up to a
  // few 1e-3 kJ/kg: on the wet piece the probes come from the mixture.
  bool wetPiece = false;
  const auto stateAt = [&](double p, StateProperties& state) {
    if (wetPiece && (fixed == Quantity::Entropy ? twoPhaseSolver.SolvePS(p, fixedValue, state)
                                                : twoPhaseSolver.SolvePV(p, fixedValue, state))) {
      return true;
    }
    return FindAtPressure(fixed, p, fixedValue, state);
  };
  const auto residual = [&](double p) {
    if (shortcutFound) {
      return 0.0;
    }
    scratchPressure = insideBracket(p);
    if (stateAt(scratchPressure, scratch)) {
      const double r = field(scratch) - targetValue;
      if (std::fabs(r) < closestResidual) {
        closestResidual = std::fabs(r);
        closest = scratch;
        if (std::fabs(r) <= reach && tryShortcut(scratch)) {
          shortcutFound = true;
          return 0.0;
        }
      }
      const std::size_t side = r < 0.0 ? 0 : 1;
      if (std::fabs(r) < std::fabs(nearestResidual[side])) {
        nearestResidual[side] = r;
        nearest[side] = scratch;
      }
      return r;
    }
    failedPressure = scratchPressure;
    scratchPressure = std::numeric_limits<double>::quiet_NaN();
    return std::numeric_limits<double>::quiet_NaN();
  };
  double p = 0.0;
  StateProperties crossing;
  bool atCrossing = false;
  if (std::fabs(yTop - targetValue) <= endTolerance) {
    // The target lies at an end of the line, up to rounding (a state on the
    // edge of the range): that end is the state, and with no sign change
    // between the ends Ridders' iteration could not reach it.
    p = topPressure;
  } else if (std::fabs(yLow - targetValue) <= endTolerance) {
    p = lowPressure;
  } else {
    RootResult search = Ridders(residual, xl, smaller - targetValue, xh, larger - targetValue,
                                searchTolerance, kSearchFirstEvaluations);
    // Where the line meets the dome its target only kinks, and the second
    // pass below finds the exact state beside the crossing.
    const bool wetNearest = nearest[0].region == 4 || nearest[1].region == 4;
    if (shortcutFound) {
      out = shortcut;
      return true;
    }
    const bool crawled = search.stop == RootStop::Budget;
    // The line crosses the saturation line inside the bracket, where the
    // target's slope jumps and Ridders' iteration crawls.
    const bool crosses = crawled &&
                         SaturationCrossing(twoPhaseSolver, fixed, fixedValue, crossing) &&
                         crossing.p > std::min(xl, xh) && crossing.p < std::max(xl, xh);
    // Newton's iteration on the closest probe's equation converges in a few
    // steps where the search would crawl on; an exact root of it is the
    // state. A target in the sliver between the vapour equation and the
    // saturation line has none: the saturated end is the state when it
    // reproduces the inputs, else the equation's nearest approach.
    StateProperties newton;
    const bool newtonFound =
        crawled && NewtonFromProbe(fixed, fixedValue, target, targetValue, closest, newton);
    const bool exact = newtonFound && std::fabs(field(newton) - targetValue) <= searchTolerance &&
                       std::fabs(newton.*Describe(fixed).field - fixedValue) <=
                           tolerance * kSearchToleranceScale * std::max(1.0, std::fabs(fixedValue));
    StateProperties end = crossing;
    // The first pass also crawls where its probes hug the B23 line: region-3
    // states a rounding hair either side of it carry residuals noisy at
    // 1e-5, and Newton's root may lie a hair beyond the line, in region 2's
    // range. The closest probe is then the state when the acceptance rule
    // keeps it. Isentropes between region 3's and region 2's least entropy
    // on the line (about 5.048, near 780 K) touch it from region 3's side and
    // hold no state beyond the touch: the second pass fell there and declined.
    StateProperties onEdge;
    if (crosses && std::fabs(field(crossing) - targetValue) <= endTolerance) {
      atCrossing = true;  // the saturated end is the state
    } else if (exact) {
      out = newton;
      return true;
    } else if (crosses && AcceptSearched(fixed, fixedValue, target, targetValue, end)) {
      out = end;
      return true;
    } else if (newtonFound) {
      out = newton;
      return true;
    } else if (crawled &&
               ((NextToCriticalPoint(closest) && closestResidual <= noiseReach) ||
                (fixed == Quantity::Entropy && OnB23(closest))) &&
               AcceptSearched(fixed, fixedValue, target, targetValue, onEdge = closest)) {
      out = onEdge;
      return true;
    } else if (const LineVerdict jump = crawled && !wetNearest
                                            ? BesideJump(fixed, fixedValue, target, targetValue,
                                                         nearest, nearestResidual, out)
                                            : LineVerdict::Search;
               jump != LineVerdict::Search) {
      return jump == LineVerdict::State;
    } else if (crawled && !wetNearest && std::isfinite(nearestResidual[0]) &&
               std::isfinite(nearestResidual[1]) && nearest[0].region != nearest[1].region &&
               std::fabs(nearest[0].p - nearest[1].p) <=
                   kSeamBracketShare * std::max(nearest[0].p, nearest[1].p)) {
      // The first pass closed in on a seam the target jumps across, and
      // neither side's equation nor probe holds it: a second pass would
      // only close in on the same seam (30 probes) and find no more.
      return false;
    } else if (crosses) {
      // The crossing splits the line into two smooth pieces, one of which
      // holds the target. Its residual comes from the line's own solve there
      // when that has a state (so that its sign agrees with its neighbours'),
      // else from the saturated end itself.
      const double yLine = residual(crossing.p);
      double yCrossing = std::isfinite(yLine) ? yLine : field(crossing) - targetValue;
      // The piece reaching down to the line's low end is the wet one; the
      // saturated end is its own end when it falls on the same side.
      const bool towardsLow = (yCrossing < 0.0) == volumeTarget;
      const double yEnd = field(crossing) - targetValue;
      if (towardsLow && (yEnd < 0.0) == (yCrossing < 0.0)) {
        wetPiece = true;
        yCrossing = yEnd;
      }
      if (yCrossing < 0.0) {
        search = Ridders(residual, crossing.p, yCrossing, xh, larger - targetValue, searchTolerance,
                         kSearchSecondEvaluations);
      } else {
        search = Ridders(residual, xl, smaller - targetValue, crossing.p, yCrossing,
                         searchTolerance, kSearchSecondEvaluations);
      }
    } else if (crawled) {
      search = Ridders(residual, xl, smaller - targetValue, xh, larger - targetValue,
                       searchTolerance, kSearchSecondEvaluations);
    }
    // A probe without a state ends the search, and so does the second pass's
    // budget; the last estimate (the low end when a failed probe left none)
    // still goes to the acceptance test below.
    const bool usable = search.stop == RootStop::Converged ||
                        search.stop == RootStop::FailedEvaluation ||
                        (search.stop == RootStop::Budget && search.hasEstimate);
    p = atCrossing ? crossing.p : usable ? insideBracket(search.x) : 0.0;
  }

  // The search's last evaluation is usually the final state itself.
  if (shortcutFound) {
    out = shortcut;
    return true;
  }
  if (atCrossing) {
    out = crossing;
  } else if (p == scratchPressure) {
    out = scratch;
  } else if (p == failedPressure || !stateAt(p, out)) {
    // A line with no state between two equations' stretches (an isochore
    // at 623.15 K above the saturation pressure) ends the search on the gap.
    return BesideJump(fixed, fixedValue, target, targetValue, nearest, nearestResidual, out) ==
           LineVerdict::State;
  }
  const double found = field(out);
  if (target == Quantity::Volume) {
    return std::fabs(found - targetValue) < kSearchVolumeAcceptance;
  }
  return fixed == Quantity::Entropy
             ? std::fabs(found - targetValue) < kSearchEnergyAcceptance
             : std::fabs(found - targetValue) <
                   kSearchRelativeAcceptance *
                       std::max(std::fabs(targetValue), kSearchRelativeFloor);
}

bool IF97Calculator::AcceptSearched(Quantity fixed, double fixedValue, Quantity target,
                                    double targetValue, StateProperties& state) const {
  // The searched pair has the target first and the line's quantity second.
  const auto info = std::find_if(kInputPairs.begin(), kInputPairs.end(), [&](const auto& pair) {
    return !pair.saturation && pair.first == target && pair.second == fixed;
  });
  return info != kInputPairs.end() && Accept(info->pair, targetValue, fixedValue, state);
}

IF97Calculator::LineVerdict IF97Calculator::BesideJump(
    Quantity fixed, double fixedValue, Quantity target, double targetValue,
    const std::array<StateProperties, 2>& nearest, const std::array<double, 2>& residuals,
    StateProperties& out) const {
  if (!std::isfinite(residuals[0]) || !std::isfinite(residuals[1]) ||
      nearest[0].region == nearest[1].region) {
    return LineVerdict::Search;
  }
  double StateProperties::*const targetField = Describe(target).field;
  double StateProperties::*const fixedField = Describe(fixed).field;
  // The nearer probe first: where both equations hold the target, its side's.
  const std::size_t nearer = -residuals[0] <= residuals[1] ? 0 : 1;
  const std::array<std::size_t, 2> order{nearer, 1 - nearer};
  // Newton's root on each side's own equation; a wet probe has none here.
  std::array<StateProperties, 2> roots{};
  std::array<bool, 2> rooted{};
  // Each root as the acceptance rule left it, and whether it kept it.
  std::array<StateProperties, 2> kept{};
  std::array<bool, 2> keeps{};
  for (const std::size_t side : order) {
    const RegionSolver* solver = SolverOfRegion(solvers, nearest[side].region);
    if (solver == nullptr) {
      continue;
    }
    roots[side] = RefineOnEquation(*solver, nearest[side].region == 3, target, targetValue, fixed,
                                   fixedValue, nearest[side]);
    rooted[side] = true;
    // An exact root in its own region is the state.
    kept[side] = roots[side];
    keeps[side] = AcceptSearched(fixed, fixedValue, target, targetValue, kept[side]);
    StateProperties same;
    if (keeps[side] &&
        AskSolvers(&RegionSolver::SolvePT, InputPair::PT, kept[side].p, kept[side].t, same) &&
        same.region == kept[side].region) {
      out = kept[side];
      return LineVerdict::State;
    }
  }
  // A root a hair beyond the seam: a region-3 state is checked on the seam,
  // any other is replaced by the formulation's state at its pressure and
  // temperature, which must reproduce the inputs too.
  for (const std::size_t side : order) {
    if (!rooted[side]) {
      continue;
    }
    if (roots[side].region == 3) {
      if (keeps[side]) {
        out = kept[side];
        return LineVerdict::State;
      }
    } else if (AskSolvers(&RegionSolver::SolvePT, InputPair::PT, roots[side].p, roots[side].t,
                          out) &&
               AcceptSearched(fixed, fixedValue, target, targetValue, out)) {
      return LineVerdict::State;
    }
  }
  for (const std::size_t side : order) {
    out = nearest[side];
    if (AcceptSearched(fixed, fixedValue, target, targetValue, out)) {
      return LineVerdict::State;
    }
  }
  // No state when each side's equation stays clear of the target up to the
  // seam by more than the acceptance rule reaches: the target's tolerance
  // plus the fixed quantity's tolerance times the slope of the target across
  // neighbouring lines at constant pressure. Newton's iteration on a side's
  // equation ends at its root or, where it stalls, at its nearest approach:
  // beyond the other side's probe (the target lies in the jump) the
  // residual at the seam follows linearly, else it is no nearer than there.
  const auto slopeAtPressure = [&](const StateProperties& state, Quantity quantity) {
    switch (quantity) {
      case Quantity::Enthalpy:
        return state.cp;
      case Quantity::InternalEnergy:
        return state.cp - 1000.0 * state.p * state.dvdt;
      case Quantity::Entropy:
        return state.cp / state.t;
      default:
        return state.dvdt;
    }
  };
  const double targetBand = limits::kInputReproduction * ReproductionScale(target, targetValue);
  const double fixedBand = limits::kInputReproduction * ReproductionScale(fixed, fixedValue);
  // A stalled iteration keeps the line only to about a thousandth of the
  // rule's reach, which moves its approach by as little.
  const double fixedTolerance = kStalledLineShare * fixedBand;
  for (const std::size_t side : order) {
    const StateProperties& root = roots[side];
    const double miss = root.*targetField - targetValue;
    if (!rooted[0] || !rooted[1] || !(std::fabs(root.*fixedField - fixedValue) <= fixedTolerance)) {
      return LineVerdict::Search;
    }
    const double pProbe = nearest[side].p;
    const double pOther = nearest[1 - side].p;
    double approach = 0.0;
    if ((root.p - pOther) * (pOther - pProbe) > 0.0) {
      // The other side's probe lies between: the residual there, taken
      // linearly from the probe to the iteration's end, must keep its sign.
      const double atOther =
          residuals[side] + (miss - residuals[side]) * (pOther - pProbe) / (root.p - pProbe);
      if (!(atOther * residuals[side] > 0.0)) {
        return LineVerdict::Search;
      }
      approach = std::fabs(atOther);
    } else if (miss * residuals[side] > 0.0 && std::fabs(miss) <= std::fabs(residuals[side])) {
      approach = std::fabs(miss);
    } else {
      return LineVerdict::Search;
    }
    const double slope =
        slopeAtPressure(nearest[side], target) / slopeAtPressure(nearest[side], fixed);
    if (!(approach > kJumpReachScale * (targetBand + std::fabs(slope) * fixedBand))) {
      return LineVerdict::Search;
    }
  }
  return LineVerdict::NoState;
}

bool IF97Calculator::NewtonFromProbe(Quantity fixed, double fixedValue, Quantity target,
                                     double targetValue, const StateProperties& start,
                                     StateProperties& out) const {
  // A wet probe is left to the search: the polish in (T, x) stops at the
  // acceptance rule's tolerance, short of the search's.
  const RegionSolver* solver = SolverOfRegion(solvers, start.region);
  if (solver == nullptr) {
    return false;
  }
  StateProperties refined =
      RefineOnEquation(*solver, start.region == 3, target, targetValue, fixed, fixedValue, start);
  if (!AcceptSearched(fixed, fixedValue, target, targetValue, refined)) {
    return false;
  }
  // Kept only when the formulation puts its pressure and temperature in the
  // same region: an equation continued past its seam is not the state.
  StateProperties same;
  if (!AskSolvers(&RegionSolver::SolvePT, InputPair::PT, refined.p, refined.t, same) ||
      same.region != refined.region) {
    return false;
  }
  out = refined;
  return true;
}

double IF97Calculator::LowestPressureOnLine(Quantity fixed, double fixedValue, double topPressure,
                                            StateProperties& low) const {
  if (FindAtPressure(fixed, kPressureSearchMinimumPressure, fixedValue, low)) {
    return kPressureSearchMinimumPressure;
  }
  // An isochore of cold compressed liquid enters the range only at the
  // pressure that squeezes the liquid to its volume: the lowest pressure with
  // a state, found by bisection (states exist from it up to the top).
  double below = kPressureSearchMinimumPressure;
  double above = topPressure;
  if (!FindAtPressure(fixed, above, fixedValue, low)) {
    return 0.0;
  }
  for (int i = 0; i < kLowestPressureBisections; ++i) {
    const double middle = std::sqrt(below * above);
    StateProperties state;
    if (FindAtPressure(fixed, middle, fixedValue, state)) {
      above = middle;
      low = state;
    } else {
      below = middle;
    }
  }
  return above;
}

void IF97Calculator::ComputeTransport(const StateProperties& state,
                                      TransportProperties& transport) const {
  transport.tc = transportEquation.ThermalConductivity(state.p, state.t, state.v);
  transport.td = transportEquation.ThermalDiffusivity(transport.tc, state.cp, state.v);
  transport.dv = transportEquation.Viscosity(state.p, state.t, state.v);
  transport.kv = transportEquation.KinematicViscosity(transport.dv, state.v);
  transport.Pr = transportEquation.PrandtlNumber(transport.dv, state.cp, transport.tc);
  transport.Sigma = transportEquation.SurfaceTension(state.t);
}

void IF97Calculator::ToEnglish(StateProperties& state) {
  for (const PropertyInfo& info : kProperties) {
    if (info.stateField != nullptr) {
      double& value = state.*info.stateField;
      value = info.englishOffset == 0.0 ? value * info.englishFactor
                                        : value * info.englishFactor + info.englishOffset;
    }
  }
}

void IF97Calculator::ToEnglish(TransportProperties& transport) {
  // "Not available" stays exactly -1.
  for (const PropertyInfo& info : kProperties) {
    if (info.transportField != nullptr) {
      double& value = transport.*info.transportField;
      if (value != kNotAvailable) {
        value *= info.englishFactor;
      }
    }
  }
}

}  // namespace vaporix
