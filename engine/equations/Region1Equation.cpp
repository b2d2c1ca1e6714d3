#include "vaporix/equations/Region1Equation.h"

#include <cmath>

#include "equations/FiniteState.h"
#include "equations/GibbsProperties.h"
#include "equations/PowerSeries.h"
#include "vaporix/Limits.h"

namespace vaporix {
namespace {

using detail::GibbsDerivatives;
using detail::kR;
using detail::PowerTerm;
using detail::ReducedGibbsState;

// IAPWS R7-97(2012), Revised Release on the IAPWS Industrial Formulation 1997, Table 2 (34 terms).
constexpr std::array<PowerTerm, 34> kGibbsTerms{{
    {0, -2, 0.14632971213167},       {0, -1, -0.84548187169114},
    {0, 0, -3.756360367204},         {0, 1, 3.3855169168385},
    {0, 2, -0.95791963387872},       {0, 3, 0.15772038513228},
    {0, 4, -0.016616417199501},      {0, 5, 0.00081214629983568},
    {1, -9, 0.00028319080123804},    {1, -7, -0.00060706301565874},
    {1, -1, -0.018990068218419},     {1, 0, -0.032529748770505},
    {1, 1, -0.021841717175414},      {1, 3, -5.283835796993e-05},
    {2, -3, -0.00047184321073267},   {2, 0, -0.00030001780793026},
    {2, 1, 4.7661393906987e-05},     {2, 3, -4.4141845330846e-06},
    {2, 17, -7.2694996297594e-16},   {3, -4, -3.1679644845054e-05},
    {3, 0, -2.8270797985312e-06},    {3, 6, -8.5205128120103e-10},
    {4, -5, -2.2425281908e-06},      {4, -2, -6.5171222895601e-07},
    {4, 10, -1.4341729937924e-13},   {5, -8, -4.0516996860117e-07},
    {8, -11, -1.2734301741641e-09},  {8, -6, -1.7424871230634e-10},
    {21, -29, -6.8762131295531e-19}, {23, -31, 1.4478307828521e-20},
    {29, -38, 2.6335781662795e-23},  {30, -39, -1.1947622640071e-23},
    {31, -40, 1.8228094581404e-24},  {32, -41, -9.3537087292458e-26},
}};

// IAPWS R7-97(2012), Revised Release on the IAPWS Industrial Formulation 1997, Table 6 (20 terms).
constexpr std::array<PowerTerm, 20> kTemperaturePHTerms{{
    {0, 0, -238.72489924521},     {0, 1, 404.21188637945},       {0, 2, 113.49746881718},
    {0, 6, -5.8457616048039},     {0, 22, -0.0001528548241314},  {0, 32, -1.0866707695377e-06},
    {1, 0, -13.391744872602},     {1, 1, 43.211039183559},       {1, 2, -54.010067170506},
    {1, 3, 30.535892203916},      {1, 4, -6.5964749423638},      {1, 10, 0.0093965400878363},
    {1, 32, 1.157364750534e-07},  {2, 10, -2.5858641282073e-05}, {2, 32, -4.0644363084799e-09},
    {3, 10, 6.6456186191635e-08}, {3, 32, 8.0670734103027e-11},  {4, 32, -9.3477771213947e-13},
    {5, 32, 5.8265442020601e-15}, {6, 32, -1.5020185953503e-17},
}};

// IAPWS R7-97(2012), Revised Release on the IAPWS Industrial Formulation 1997, Table 8 (20 terms).
constexpr std::array<PowerTerm, 20> kTemperaturePSTerms{{
    {0, 0, 174.78268058307},      {0, 1, 34.806930892873},       {0, 2, 6.5292584978455},
    {0, 3, 0.33039981775489},     {0, 11, -1.9281382923196e-07}, {0, 31, -2.4909197244573e-23},
    {1, 0, -0.26107636489332},    {1, 1, 0.22592965981586},      {1, 2, -0.064256463395226},
    {1, 3, 0.0078876289270526},   {1, 12, 3.5672110607366e-10},  {1, 31, 1.7332496994895e-24},
    {2, 0, 0.00056608900654837},  {2, 1, -0.00032635483139717},  {2, 2, 4.4778286690632e-05},
    {2, 9, -5.1322156908507e-10}, {2, 31, -4.2522657042207e-26}, {3, 10, 2.6400441360689e-13},
    {3, 32, 7.8124600459723e-29}, {4, 32, -3.0732199903668e-31},
}};

// IAPWS SR2-01(2014), Revised Supplementary Release on Backward Equations p(h,s) for Regions 1 and
// 2, Table 2 (19 terms).
constexpr std::array<PowerTerm, 19> kPressureHSTerms{{
    {0, 0, -0.691997014660582}, {0, 1, -18.361254878756},  {0, 2, -9.28332409297335},
    {0, 4, 65.9639569909906},   {0, 5, -16.2060388912024}, {0, 6, 450.620017338667},
    {0, 8, 854.68067822417},    {0, 14, 6075.23214001162}, {1, 0, 32.6487682621856},
    {1, 1, -26.9408844582931},  {1, 4, -319.9478483343},   {1, 6, -928.35430704332},
    {2, 0, 30.3634537455249},   {2, 1, -65.0540422444146}, {2, 10, -4309.9131651613},
    {3, 4, -747.512324096068},  {4, 1, 730.000345529245},  {4, 4, 1142.84032569021},
    {5, 0, -436.407041874559},
}};

constexpr double kInverseReducingPressure = 0.060496067755595885;  // 1 / 16.53 MPa
constexpr double kReducingPressure = 16.53;                        // MPa
constexpr double kReducingTemperature = 1386.0;                    // K
constexpr double kTemperatureOverPressure = 83.8475499092559;      // 1386 / 16.53

// The Gibbs derivatives from the bases a = 7.1 - pi and b = tau - 1.222, which
// must not be zero: every derivative is formed by dividing by its base.
GibbsDerivatives Derivatives(double a, double b) {
  const detail::GibbsSeriesSums sums = detail::SumGibbsSeries<kGibbsTerms>(a, b);
  const double inverseA = 1.0 / a;
  const double inverseB = 1.0 / b;
  GibbsDerivatives g;
  g.gamma = sums.terms;
  g.gammaPi = -sums.xTerms * inverseA;
  g.gammaPiPi = sums.xxTerms * (inverseA * inverseA);
  g.gammaTau = sums.yTerms * inverseB;
  g.gammaTauTau = sums.yyTerms * (inverseB * inverseB);
  g.gammaPiTau = -sums.xyTerms * (inverseA * inverseB);
  return g;
}

ReducedGibbsState Reduce(double p, double T) {
  ReducedGibbsState state;
  state.pi = p * kInverseReducingPressure;
  state.tau = kReducingTemperature / T;
  state.g = Derivatives(7.1 - state.pi, state.tau - 1.222);
  return state;
}

using SingleProperties =
    detail::GibbsSingleProperties<&Reduce, kReducingPressure, kTemperatureOverPressure>;

}  // namespace

bool Region1Equation::Evaluate(double p, double T, StateProperties& out) const {
  if (!std::isfinite(p) || !std::isfinite(T) || p == 0.0 || T == 0.0) {
    return false;
  }
  ReducedGibbsState state;
  state.pi = p * kInverseReducingPressure;
  state.tau = kReducingTemperature / T;
  const double a = 7.1 - state.pi;
  const double b = state.tau - 1.222;
  if (a == 0.0 || b == 0.0) {
    return false;
  }
  state.g = Derivatives(a, b);
  const GibbsDerivatives& g = state.g;
  const double pi = state.pi;
  const double tau = state.tau;

  if (!detail::FormVolumeAndCaloricProperties(p, T, state, out)) {
    return false;
  }
  if (g.gammaPiPi == 0.0) {
    return false;
  }
  const double expansion = g.gammaPi - tau * g.gammaPiTau;
  const double expansionSquare = expansion * expansion;
  out.cv = out.cp + kR * expansionSquare / g.gammaPiPi;

  // w^2 = gammaPi^2 * 1000 R T / (expansion^2 / q - gammaPiPi) with q = -cp / R,
  // brought over one denominator: one division on the way to w instead of three.
  if (out.cp == 0.0) {
    return false;
  }
  const double soundDenominator = kR * expansionSquare + g.gammaPiPi * out.cp;
  if (soundDenominator == 0.0) {
    return false;
  }
  const double soundFactor = -1000.0 * kR * T * out.cp / soundDenominator;
  out.w = g.gammaPi * std::sqrt(soundFactor);

  const double pv = p * out.v * 1.0e6;
  if (pv == 0.0) {
    return false;
  }
  // w^2 / pv, formed without waiting for the square root.
  out.kapa = g.gammaPi * g.gammaPi * soundFactor / pv;

  detail::FormDerivedProperties(p, T, state, pi * expansion, pi * pi * g.gammaPiPi, 1, out);
  return detail::FormedPropertiesFinite(out);
}

double Region1Equation::EnthalpyPT(double* cp, double p, double T) const {
  return SingleProperties::EnthalpyPT(cp, p, T);
}

double Region1Equation::EntropyPT(double* cpOverT, double p, double T) const {
  return SingleProperties::EntropyPT(cpOverT, p, T);
}

double Region1Equation::InternalEnergyPT(double* dudT, double p, double T) const {
  return SingleProperties::InternalEnergyPT(dudT, p, T);
}

double Region1Equation::DensityPT(double* dvdTTimes1000, double p, double T) const {
  return SingleProperties::DensityPT(dvdTTimes1000, p, T);
}

double Region1Equation::EnthalpyTP(double* dhdp, double T, double p) const {
  return SingleProperties::EnthalpyTP(dhdp, T, p);
}

double Region1Equation::EntropyTP(double* dsdp, double T, double p) const {
  return SingleProperties::EntropyTP(dsdp, T, p);
}

double Region1Equation::InternalEnergyTP(double* dudp, double T, double p) const {
  return SingleProperties::InternalEnergyTP(dudp, T, p);
}

double Region1Equation::DensityTP(double* dvdpTimes1000, double T, double p) const {
  return SingleProperties::DensityTP(dvdpTimes1000, T, p);
}

double Region1Equation::VolumeInRange(double p, double T) const {
  if (!(T >= limits::kMinimumTemperature && T <= limits::kRegion13Temperature && p >= 0.0 &&
        p <= limits::kMaximumPressure)) {
    return kNotAvailable;
  }
  const ReducedGibbsState state = Reduce(p, T);
  const double v = kR * T * state.pi * state.g.gammaPi / (1000.0 * p);
  // At p = 0 the formula gives 0/0; never hand that out as a volume.
  return std::isfinite(v) ? v : kNotAvailable;
}

double Region1Equation::TemperaturePH(double p, double h) const {
  if (!std::isfinite(p) || !std::isfinite(h)) {
    return kNotAvailable;
  }
  return detail::SumPowerSeries<kTemperaturePHTerms>(p, h * 0.0004 + 1.0);
}

double Region1Equation::TemperaturePS(double p, double s) const {
  if (!std::isfinite(p) || !std::isfinite(s)) {
    return kNotAvailable;
  }
  return detail::SumPowerSeries<kTemperaturePSTerms>(p, s + 2.0);
}

double Region1Equation::PressureHS(double h, double s) const {
  if (!std::isfinite(h) || !std::isfinite(s)) {
    return kNotAvailable;
  }
  const double eta = h * 0.0002941176470588235;
  const double sigma = s * 0.13157894736842105;
  return 100.0 * detail::SumPowerSeries<kPressureHSTerms>(eta + 0.05, sigma + 0.05);
}

}  // namespace vaporix
