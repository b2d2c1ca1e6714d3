#pragma once

#include <cmath>
#include <cstdint>

#include "equations/PowerSeries.h"
#include "vaporix/StateProperties.h"

namespace vaporix::detail {

// The dimensionless Gibbs free energy gamma(pi, tau) of an IF97 region and its
// first and second derivatives.
struct GibbsDerivatives {
  double gamma = 0.0;
  double gammaPi = 0.0;
  double gammaPiPi = 0.0;
  double gammaTau = 0.0;
  double gammaTauTau = 0.0;
  double gammaPiTau = 0.0;
};

// A point of a Gibbs-equation region in its reduced variables.
struct ReducedGibbsState {
  double pi = 0.0;
  double tau = 0.0;
  GibbsDerivatives g;
};

constexpr double kR = kGasConstant;

// The derivatives of a series sum n pi^I y^J, y = tau - offset, with respect to
// pi and tau; where a base is zero the divisions by pi and y give non-finite
// derivatives, which fail the evaluation.
inline GibbsDerivatives SeriesDerivatives(const GibbsSeriesSums& sums, double pi, double y) {
  const double inversePi = 1.0 / pi;
  const double inverseY = 1.0 / y;
  GibbsDerivatives g;
  g.gamma = sums.terms;
  g.gammaPi = sums.xTerms * inversePi;
  g.gammaPiPi = sums.xxTerms * (inversePi * inversePi);
  g.gammaTau = sums.yTerms * inverseY;
  g.gammaTauTau = sums.yyTerms * (inverseY * inverseY);
  g.gammaPiTau = sums.xyTerms * (inversePi * inverseY);
  return g;
}

// gamma = ideal-gas part (ln pi + sum n tau^J) + residual part, for regions 2 and 5.
inline GibbsDerivatives AddIdealGasPart(double pi, double tau, const IdealGasSums& ideal,
                                        const GibbsDerivatives& residual) {
  GibbsDerivatives g;
  g.gamma = std::log(pi) + ideal.terms + residual.gamma;
  g.gammaPi = 1.0 / pi + residual.gammaPi;
  g.gammaPiPi = -1.0 / (pi * pi) + residual.gammaPiPi;
  g.gammaTau = ideal.tauTerms / tau + residual.gammaTau;
  g.gammaTauTau = ideal.tauTauTerms / (tau * tau) + residual.gammaTauTau;
  g.gammaPiTau = residual.gammaPiTau;
  return g;
}

// The formation of StateProperties from the Gibbs derivatives shared by regions
// 1, 2 and 5. Each region forms cv, w and kapa itself, because their forms and
// failure points differ between the regions.

// Writes p, t, v, d, u, s, h and cp; false when v is zero (p, t and v are
// written by then).
inline bool FormVolumeAndCaloricProperties(double p, double T, const ReducedGibbsState& state,
                                           StateProperties& out) {
  const double pi = state.pi;
  const double tau = state.tau;
  const GibbsDerivatives& g = state.g;
  out.p = p;
  out.t = T;
  out.v = kR * T * pi * g.gammaPi / (1000.0 * p);
  if (out.v == 0.0) {
    return false;
  }
  out.d = 1.0 / out.v;
  out.u = kR * T * (tau * g.gammaTau - pi * g.gammaPi);
  out.s = kR * (tau * g.gammaTau - g.gamma);
  out.h = kR * T * tau * g.gammaTau;
  out.cp = -kR * tau * tau * g.gammaTauTau;
  return true;
}

// Writes Z, G, H, the volume derivatives and the coefficients derived from
// them, and the region. `expansion` is pi (gammaPi - tau gammaPiTau), so that
// (dv/dT)_p = R expansion / (1000 p); `compression` is pi^2 gammaPiPi, so that
// (dv/dp)_T = R T compression / (1000 p^2). dpdt, dpdv and JTC keep their
// previous contents where their denominator is zero.
inline void FormDerivedProperties(double p, double T, const ReducedGibbsState& state,
                                  double expansion, double compression, std::int32_t region,
                                  StateProperties& out) {
  out.Z = state.pi * state.g.gammaPi;
  out.G = kR * T * state.g.gamma;
  out.H = out.u - T * out.s;
  out.dvdt = kR * expansion / (1000.0 * p);
  out.alpha = out.dvdt * out.d;
  out.dvdp = kR * T * compression / (1000.0 * p * p);
  out.Kt = -out.dvdp * out.d;
  if (out.dvdp != 0.0) {
    out.dpdt = -out.dvdt / out.dvdp;
    out.dpdv = 1.0 / out.dvdp;
  }
  out.iJTC = 1000.0 * (out.v - T * out.dvdt);
  if (out.cp != 0.0) {
    out.JTC = 1000.0 * (T * out.dvdt - out.v) / out.cp;
  }
  out.region = region;
}

// Single properties and their slopes, for the iterations of the region
// solvers. `reducingPressure` is p*/1 MPa (pi = p / p*), `reducingTemperature`
// is T*/1 K (tau = T* / T).

inline double SpecificEnthalpy(double T, const ReducedGibbsState& state) {
  return kR * T * state.tau * state.g.gammaTau;
}

inline double SpecificEntropy(const ReducedGibbsState& state) {
  return kR * (state.tau * state.g.gammaTau - state.g.gamma);
}

inline double SpecificInternalEnergy(double T, const ReducedGibbsState& state) {
  return kR * T * (state.tau * state.g.gammaTau - state.pi * state.g.gammaPi);
}

inline double Density(double p, double T, const ReducedGibbsState& state) {
  return 1000.0 * p / (kR * T * state.pi * state.g.gammaPi);
}

// cp = (dh/dT)_p.
inline double IsobaricHeatCapacity(const ReducedGibbsState& state) {
  return -kR * state.tau * state.tau * state.g.gammaTauTau;
}

// (du/dT)_p.
inline double InternalEnergyTemperatureSlope(const ReducedGibbsState& state) {
  const GibbsDerivatives& g = state.g;
  return kR * (state.pi * state.tau * g.gammaPiTau - state.tau * state.tau * g.gammaTauTau -
               state.pi * g.gammaPi);
}

// 1000 (dv/dT)_p.
inline double VolumeTemperatureSlope(const ReducedGibbsState& state, double reducingPressure) {
  return kR * (state.g.gammaPi - state.tau * state.g.gammaPiTau) / reducingPressure;
}

// (dh/dp)_T; `temperatureOverPressure` is T*/p*.
inline double EnthalpyPressureSlope(const ReducedGibbsState& state,
                                    double temperatureOverPressure) {
  return kR * state.g.gammaPiTau * temperatureOverPressure;
}

// (ds/dp)_T.
inline double EntropyPressureSlope(const ReducedGibbsState& state, double reducingPressure) {
  return kR * (state.tau * state.g.gammaPiTau - state.g.gammaPi) / reducingPressure;
}

// (du/dp)_T.
inline double InternalEnergyPressureSlope(double T, const ReducedGibbsState& state,
                                          double reducingPressure) {
  const GibbsDerivatives& g = state.g;
  return kR * T * (state.tau * g.gammaPiTau - g.gammaPi - state.pi * g.gammaPiPi) /
         reducingPressure;
}

// 1000 (dv/dp)_T.
inline double VolumePressureSlope(double T, const ReducedGibbsState& state,
                                  double reducingPressure) {
  return kR * T * state.g.gammaPiPi / (reducingPressure * reducingPressure);
}

// The eight single-property operations of a Gibbs region over its `Reduce`
// function; `ReducingPressure` is p*/1 MPa and `TemperatureOverPressure` is T*/p*.
template <ReducedGibbsState (*Reduce)(double, double), double ReducingPressure,
          double TemperatureOverPressure>
struct GibbsSingleProperties {
  static double EnthalpyPT(double* cp, double p, double T) {
    const ReducedGibbsState state = Reduce(p, T);
    *cp = IsobaricHeatCapacity(state);
    return SpecificEnthalpy(T, state);
  }

  static double EntropyPT(double* cpOverT, double p, double T) {
    const ReducedGibbsState state = Reduce(p, T);
    *cpOverT = IsobaricHeatCapacity(state) / T;
    return SpecificEntropy(state);
  }

  static double InternalEnergyPT(double* dudT, double p, double T) {
    const ReducedGibbsState state = Reduce(p, T);
    *dudT = InternalEnergyTemperatureSlope(state);
    return SpecificInternalEnergy(T, state);
  }

  static double DensityPT(double* dvdTTimes1000, double p, double T) {
    const ReducedGibbsState state = Reduce(p, T);
    *dvdTTimes1000 = VolumeTemperatureSlope(state, ReducingPressure);
    return Density(p, T, state);
  }

  static double EnthalpyTP(double* dhdp, double T, double p) {
    const ReducedGibbsState state = Reduce(p, T);
    *dhdp = EnthalpyPressureSlope(state, TemperatureOverPressure);
    return SpecificEnthalpy(T, state);
  }

  static double EntropyTP(double* dsdp, double T, double p) {
    const ReducedGibbsState state = Reduce(p, T);
    *dsdp = EntropyPressureSlope(state, ReducingPressure);
    return SpecificEntropy(state);
  }

  static double InternalEnergyTP(double* dudp, double T, double p) {
    const ReducedGibbsState state = Reduce(p, T);
    *dudp = InternalEnergyPressureSlope(T, state, ReducingPressure);
    return SpecificInternalEnergy(T, state);
  }

  static double DensityTP(double* dvdpTimes1000, double T, double p) {
    const ReducedGibbsState state = Reduce(p, T);
    *dvdpTimes1000 = VolumePressureSlope(T, state, ReducingPressure);
    return Density(p, T, state);
  }
};

}  // namespace vaporix::detail
