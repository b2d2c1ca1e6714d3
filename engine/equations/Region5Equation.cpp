#include "vaporix/equations/Region5Equation.h"

#include <array>
#include <cmath>

#include "equations/FiniteState.h"
#include "equations/GibbsProperties.h"
#include "equations/PowerSeries.h"

namespace vaporix {
namespace {

using detail::GibbsDerivatives;
using detail::IdealGasTerm;
using detail::kR;
using detail::PowerTerm;
using detail::ReducedGibbsState;

// IAPWS-IF97 (1997 release) Table 37: ideal-gas part of the region 5 equation.
constexpr std::array<IdealGasTerm, 6> kIdealGasTerms{{
    {0, -13.179983674201},
    {1, 6.8540841634434},
    {-3, -0.024805148933466},
    {-2, 0.36901534980333},
    {-1, -3.1161318213925},
    {2, -0.32961626538917},
}};

// IAPWS-IF97 (1997 release) Table 38: residual part of the region 5 equation.
constexpr std::array<PowerTerm, 5> kResidualTerms{{
    {1, 0, -0.00012563183589592},
    {1, 1, 0.0021774678714571},
    {1, 3, -0.004594282089991},
    {2, 9, -3.9724828359569e-06},
    {3, 3, 1.2919228289784e-07},
}};

constexpr double kReducingPressure = 1.0;        // MPa
constexpr double kReducingTemperature = 1000.0;  // K

GibbsDerivatives ResidualDerivatives(double pi, double tau) {
  return detail::SeriesDerivatives(detail::SumGibbsSeries<kResidualTerms>(pi, tau), pi, tau);
}

ReducedGibbsState Reduce(double p, double T) {
  ReducedGibbsState state;
  state.pi = p / kReducingPressure;
  state.tau = kReducingTemperature / T;
  state.g = detail::AddIdealGasPart(state.pi, state.tau,
                                    detail::SumIdealGasSeries<kIdealGasTerms>(state.tau),
                                    ResidualDerivatives(state.pi, state.tau));
  return state;
}

using SingleProperties = detail::GibbsSingleProperties<&Reduce, kReducingPressure,
                                                       kReducingTemperature / kReducingPressure>;

}  // namespace

bool Region5Equation::Evaluate(double p, double T, StateProperties& out) const {
  // A zero or negative p or a zero T fails through the non-finite ln pi and
  // 1000/T it leads to; non-finite inputs are refused here, before any write.
  if (!std::isfinite(p) || !std::isfinite(T)) {
    return false;
  }
  ReducedGibbsState state;
  state.pi = p / kReducingPressure;
  state.tau = kReducingTemperature / T;
  const double pi = state.pi;
  const double tau = state.tau;
  const GibbsDerivatives residual = ResidualDerivatives(pi, tau);
  state.g =
      detail::AddIdealGasPart(pi, tau, detail::SumIdealGasSeries<kIdealGasTerms>(tau), residual);
  const GibbsDerivatives& g = state.g;

  if (!detail::FormVolumeAndCaloricProperties(p, T, state, out)) {
    return false;
  }
  const double m = 1.0 - pi * pi * residual.gammaPiPi;
  if (m == 0.0) {
    return false;
  }
  const double dd = 1.0 + pi * residual.gammaPi - tau * pi * residual.gammaPiTau;
  out.cv = out.cp - kR * dd * dd / m;

  const double soundDenominator = m + dd * dd / (tau * tau * g.gammaTauTau);
  if (soundDenominator == 0.0) {
    return false;
  }
  const double piGammaPi = pi * residual.gammaPi;
  out.w = std::sqrt(1000.0 * kR * T * (1.0 + 2.0 * piGammaPi + piGammaPi * piGammaPi) /
                    soundDenominator);
  out.kapa = out.w * out.w / (p * out.v * 1.0e6);

  detail::FormDerivedProperties(p, T, state, dd, pi * pi * residual.gammaPiPi - 1.0, 5, out);
  return detail::FormedPropertiesFinite(out);
}

double Region5Equation::EnthalpyPT(double* cp, double p, double T) const {
  return SingleProperties::EnthalpyPT(cp, p, T);
}

double Region5Equation::EntropyPT(double* cpOverT, double p, double T) const {
  return SingleProperties::EntropyPT(cpOverT, p, T);
}

double Region5Equation::InternalEnergyPT(double* dudT, double p, double T) const {
  return SingleProperties::InternalEnergyPT(dudT, p, T);
}

double Region5Equation::DensityPT(double* dvdTTimes1000, double p, double T) const {
  return SingleProperties::DensityPT(dvdTTimes1000, p, T);
}

double Region5Equation::EnthalpyTP(double* dhdp, double T, double p) const {
  return SingleProperties::EnthalpyTP(dhdp, T, p);
}

double Region5Equation::EntropyTP(double* dsdp, double T, double p) const {
  return SingleProperties::EntropyTP(dsdp, T, p);
}

double Region5Equation::InternalEnergyTP(double* dudp, double T, double p) const {
  return SingleProperties::InternalEnergyTP(dudp, T, p);
}

double Region5Equation::DensityTP(double* dvdpTimes1000, double T, double p) const {
  return SingleProperties::DensityTP(dvdpTimes1000, T, p);
}

}  // namespace vaporix
