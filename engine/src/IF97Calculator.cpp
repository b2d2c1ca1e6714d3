#include "vaporix/IF97Calculator.h"

#include <algorithm>
#include <cmath>
#include <limits>

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
constexpr double kSaturatedLiquidEntropy623 = 3.77828134;
constexpr double kEntropy2ab2c = 5.85;
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
// Bisection steps (in log p) for the lowest pressure of a line: 2^-40 of the span.
constexpr int kLowestPressureBisections = 40;
// A target this close to an end value (relative, times the tolerance) is that end.
constexpr double kEndToleranceScale = 1e-3;

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
                                InputPair pair, double a, double b, StateProperties& out) const {
  for (const RegionSolver* solver : solvers) {
    if ((solver->*operation)(a, b, out) && Accept(pair, a, b, out)) {
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
    case SolverRoute::PressureSearch:
      if (pair == InputPair::HS && FindHS(a, b, out) && Accept(pair, a, b, out)) {
        return true;
      }
      return PressureSearch(info.second, b, info.first, a, out) && Accept(pair, a, b, out);
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
  return !wetFirst && wetPossible && twoPhaseSolver.SolveWetHS(h, s, out);
}

bool IF97Calculator::FindAtPressure(Quantity fixed, double p, double value,
                                    StateProperties& out) const {
  return Find(fixed == Quantity::Entropy ? InputPair::PS : InputPair::PV, p, value, out);
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
    return FindAtTemperature(fixed, kRegion2MaximumTemperature, q, boundary);
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
    return false;
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
  const auto residual = [&](double p) {
    scratchPressure = insideBracket(p);
    if (FindAtPressure(fixed, scratchPressure, fixedValue, scratch)) {
      return field(scratch) - targetValue;
    }
    scratchPressure = std::numeric_limits<double>::quiet_NaN();
    return std::numeric_limits<double>::quiet_NaN();
  };
  double p = 0.0;
  if (std::fabs(yTop - targetValue) <= endTolerance) {
    // The target lies at an end of the line, up to rounding (a state on the
    // edge of the range): that end is the state, and with no sign change
    // between the ends Ridders' iteration could not reach it.
    p = topPressure;
  } else if (std::fabs(yLow - targetValue) <= endTolerance) {
    p = lowPressure;
  } else {
    const RootResult search =
        Ridders(residual, xl, smaller - targetValue, xh, larger - targetValue, searchTolerance);
    // A probe without a state ends the search; its last estimate (the low end
    // when there is none) still goes to the acceptance test below.
    const bool usable =
        search.stop == RootStop::Converged || search.stop == RootStop::FailedEvaluation;
    p = usable ? insideBracket(search.x) : 0.0;
  }

  // The search's last evaluation is usually the final state itself.
  if (p == scratchPressure) {
    out = scratch;
  } else if (!FindAtPressure(fixed, p, fixedValue, out)) {
    return false;
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
