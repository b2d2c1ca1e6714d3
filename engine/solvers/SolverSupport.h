#pragma once

#include <cmath>

#include "vaporix/StateProperties.h"
#include "vaporix/solvers/RootFinders.h"

namespace vaporix::detail {

// Standard acceptance of a solved state: the recomputed property must match
// the given one within these limits.
inline constexpr double kEnergyAcceptance = 0.001;       // h, s, u
inline constexpr double kSmallVolumeAcceptance = 1e-6;   // v below 1 m3/kg
inline constexpr double kLargeVolumeAcceptance = 0.001;  // v from 1 m3/kg on

// Entropy and some density iterations run on the engine tolerance scaled by this.
inline constexpr double kFineToleranceScale = 0.0001;

// Pressure searches at a given temperature converge only when the next Newton
// correction is below this fraction of the pressure: along an isotherm the
// liquid's entropy and energy, and the dilute gas's enthalpy and energy, change
// so little that the residual tolerance alone leaves the pressure percent off.
inline constexpr double kPressureCorrection = 1e-10;

inline bool AcceptEnergy(double computed, double given) {
  return std::fabs(computed - given) < kEnergyAcceptance;
}

inline bool AcceptVolume(double computed, double given,
                         double largeVolumeLimit = kLargeVolumeAcceptance) {
  return std::fabs(computed - given) < (given < 1.0 ? kSmallVolumeAcceptance : largeVolumeLimit);
}

// Adapts an equation's single-property operation, value = op(x, slope), to
// the function the Newton search takes.
template <class Operation>
auto Sloped(Operation operation) {
  return [operation](double x) {
    double slope = 0.0;
    const double value = operation(x, slope);
    return ValueSlope{value, slope};
  };
}

// The density operations of the equations return density together with
// 1000 (dv/dx); the Newton step needs the slope of the density itself,
// d(rho)/dx = -rho^2 (dv/dx).
inline double DensitySlope(double density, double volumeSlopeTimes1000) {
  return -density * density * volumeSlopeTimes1000 / 1000.0;
}

// The density operations as the function of x the Newton step needs: rho and
// d(rho)/dx in place of rho and 1000 (dv/dx).
template <class DensityOperation>
auto WithDensitySlope(DensityOperation densityOperation) {
  return [densityOperation](double x) {
    double slope = 0.0;
    const double rho = densityOperation(x, slope);
    return ValueSlope{rho, DensitySlope(rho, slope)};
  };
}

// A Newton search that converged or spent its budget leaves an iterate for
// the solver's acceptance test to judge; a failed evaluation leaves none.
inline bool HasIterate(const RootResult& result) {
  return result.stop == RootStop::Converged || result.stop == RootStop::Budget;
}

// The safeguarded Newton search of f = target over `span`, started in the
// middle of the span with the whole span as its first step bound. A target
// beyond an end of the span stops the search on that end (f has no side
// effects here).
template <class Function>
RootResult SearchSpan(Function&& f, double target, Bracket span, double tolerance,
                      double relativeCorrection = 0.0) {
  return SafeguardedNewton(f, target, (span.belowTarget + span.aboveTarget) / 2.0, span,
                           RootOptions{tolerance, kMaxEvaluations, relativeCorrection, 0.0, true});
}

// Where a property is not monotonic in the same sense over the whole region
// (liquid water below its density maximum), the end above the target is the
// end at which the property is actually larger. Keeps the given labels on a
// tie or when an end value is not a number.
template <class Function>
Bracket OrientBracket(Function&& f, Bracket bracket) {
  const double atLow = f(bracket.belowTarget).value;
  const double atHigh = f(bracket.aboveTarget).value;
  if (atLow > atHigh) {
    return Bracket{bracket.aboveTarget, bracket.belowTarget};
  }
  return bracket;
}

// Newton in (ln p, T) for the state of a Gibbs-equation region with the
// enthalpy h and entropy s, from (p, T); on success `out` holds the full
// state at the converged (p, T). Derivatives from the record itself:
// (dh/dp)_T = iJTC, (dh/dT)_p = cp, (ds/dp)_T = -1000 (dv/dT)_p,
// (ds/dT)_p = cp / T. The corrections shrink quadratically; the loop stops
// when they are at the rounding of the equation.
inline constexpr int kMaxEnthalpyEntropySteps = 20;
inline constexpr double kEnthalpyEntropyStep = 1e-11;

template <class Equation>
bool NewtonEnthalpyEntropy(const Equation& equation, double h, double s, double p, double T,
                           StateProperties& out) {
  for (int i = 0; i < kMaxEnthalpyEntropySteps; ++i) {
    if (!(p > 0.0) || !(T > 0.0) || !equation.Evaluate(p, T, out)) {
      return false;
    }
    const double fh = out.h - h;
    const double fs = out.s - s;
    const double hLogP = p * out.iJTC;
    const double sLogP = -1000.0 * p * out.dvdt;
    const double hT = out.cp;
    const double sT = out.cp / T;
    const double determinant = hLogP * sT - hT * sLogP;
    if (!(std::fabs(determinant) > 0.0)) {
      return false;
    }
    double dLogP = (fh * sT - fs * hT) / determinant;
    double dT = (hLogP * fs - sLogP * fh) / determinant;
    if (!std::isfinite(dLogP) || !std::isfinite(dT)) {
      return false;
    }
    // Far from the root (a backward start extrapolated to a few pascals) the
    // step is shortened to one e-fold of pressure.
    if (std::fabs(dLogP) > 1.0) {
      const double shorten = 1.0 / std::fabs(dLogP);
      dLogP *= shorten;
      dT *= shorten;
    }
    p *= std::exp(-dLogP);
    T -= dT;
    if (std::fabs(dLogP) <= kEnthalpyEntropyStep && std::fabs(dT) <= kEnthalpyEntropyStep * T) {
      return p > 0.0 && T > 0.0 && equation.Evaluate(p, T, out);
    }
  }
  return false;
}

}  // namespace vaporix::detail
