// The rule every answer of the engine keeps: a state is reported only when it
// reproduces the two inputs it was asked for, and only when it is the state
// the formulation has at its own pressure and temperature.

#include "StateAcceptance.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "vaporix/IF97Calculator.h"
#include "vaporix/equations/SaturationEquation.h"

namespace vaporix {

// Inputs that pass through zero (u and s of the liquid near the triple
// point, the quality) are compared against this floor instead.
double ReproductionScale(Quantity quantity, double given) {
  double floor = 0.0;
  switch (quantity) {
    case Quantity::Enthalpy:
    case Quantity::InternalEnergy:
      floor = 1.0;  // kJ/kg
      break;
    case Quantity::Entropy:
      floor = 0.01;  // kJ/(kg K)
      break;
    case Quantity::Quality:
      floor = 100.0;  // percent
      break;
    default:
      break;
  }
  return std::max(std::fabs(given), floor);
}

namespace {

double Residual(Quantity quantity, double given, const StateProperties& state) {
  return (state.*Describe(quantity).field - given) / ReproductionScale(quantity, given);
}

bool Reproduces(const InputPairInfo& info, double a, double b, const StateProperties& state) {
  return std::fabs(Residual(info.first, a, state)) <= limits::kInputReproduction &&
         std::fabs(Residual(info.second, b, state)) <= limits::kInputReproduction;
}

// A solver's answer further off than this is a different state, not an
// imprecise one, and is not polished.
constexpr double kPolishReach = 1e-2;
constexpr int kPolishSteps = 4;
// Relative step of the difference quotients, and the quality step (percent).
constexpr double kDifferenceStep = 1e-7;
constexpr double kQualityStep = 1e-5;
// A region-3 answer whose density differs from the (p, T) density by more than
// this lies on another branch of the equation's isotherm.
constexpr double kBranchTolerance = 5e-3;
// A region-3 state may lie beyond the edge of its region by the tolerance of
// its own solve (1e-6 MPa in pressure).
constexpr double kEdgeRounding = limits::kInputReproduction;

}  // namespace

bool IF97Calculator::Accept(InputPair pair, double a, double b, StateProperties& out) const {
  const InputPairInfo& info = Describe(pair);
  if (!Reproduces(info, a, b, out)) {
    if (!(std::fabs(Residual(info.first, a, out)) <= kPolishReach &&
          std::fabs(Residual(info.second, b, out)) <= kPolishReach) ||
        !Polish(pair, a, b, out)) {
      return false;
    }
  }
  return OnStableBranch(out);
}

bool IF97Calculator::Polish(InputPair pair, double a, double b, StateProperties& out) const {
  const InputPairInfo& info = Describe(pair);
  // Single-phase states move in (p, T), region-3 states in (v, T), where the
  // equation is explicit and stays well-conditioned next to the critical
  // point, two-phase states in (T, x).
  const bool twoPhase = out.region == 4 || info.route == SolverRoute::TwoPhase;
  const bool region3 = !twoPhase && out.region == 3;
  const auto evaluate = [&](double u, double w, StateProperties& state) {
    if (twoPhase) {
      return twoPhaseSolver.SolveTX(u, std::clamp(w, 0.0, 100.0), state);
    }
    return region3 ? region3Solver.SolveTV(w, u, state)
                   : AskSolvers(&RegionSolver::SolvePT, InputPair::PT, u, w, state);
  };
  double u = twoPhase ? out.t : region3 ? out.v : out.p;
  double w = twoPhase ? out.x : out.t;
  StateProperties state = out;
  for (int step = 0; step < kPolishSteps; ++step) {
    const std::array<double, 2> r{Residual(info.first, a, state), Residual(info.second, b, state)};
    // Difference quotients, stepping inwards at the ends of the quality range.
    const double du = kDifferenceStep * u;
    const double dw = twoPhase ? (w > 50.0 ? -kQualityStep : kQualityStep) : kDifferenceStep * w;
    StateProperties moved;
    if (!evaluate(u + du, w, moved)) {
      return false;
    }
    const double j11 = (Residual(info.first, a, moved) - r[0]) / du;
    const double j21 = (Residual(info.second, b, moved) - r[1]) / du;
    if (!evaluate(u, w + dw, moved)) {
      return false;
    }
    const double j12 = (Residual(info.first, a, moved) - r[0]) / dw;
    const double j22 = (Residual(info.second, b, moved) - r[1]) / dw;
    const double determinant = j11 * j22 - j12 * j21;
    if (!(std::fabs(determinant) > 0.0) || !std::isfinite(determinant)) {
      return false;
    }
    u -= (r[0] * j22 - r[1] * j12) / determinant;
    w -= (j11 * r[1] - j21 * r[0]) / determinant;
    if (twoPhase) {
      w = std::clamp(w, 0.0, 100.0);
    }
    if (!evaluate(u, w, state)) {
      return false;
    }
    if (Reproduces(info, a, b, state)) {
      out = state;
      return true;
    }
  }
  return false;
}

bool IF97Calculator::OnStableBranch(const StateProperties& state) const {
  if (state.region != 3) {
    return true;
  }
  const SaturationEquation saturation;
  if (state.t < kCriticalTemperature &&
      std::fabs(state.p - saturation.SaturationPressure(state.t)) <=
          limits::kInputReproduction * state.p) {
    return true;  // on the saturation line, where either saturated density is the state
  }
  // A state just beyond the edge of region 3 is checked on the edge.
  const auto onEdge = [](double value, double edge) {
    return std::fabs(value - edge) <= kEdgeRounding * edge ? edge : value;
  };
  const double T = onEdge(state.t, limits::kRegion13Temperature);
  double p = onEdge(state.p, limits::kMaximumPressure);
  if (T >= limits::kRegion13Temperature && T <= limits::kB23MaximumTemperature) {
    p = onEdge(p, saturation.B23Pressure(T));
  }
  StateProperties same;
  return region3Solver.SolvePT(p, T, same) &&
         std::fabs(same.v - state.v) <= kBranchTolerance * state.v;
}

}  // namespace vaporix
