#include "vaporix/equations/TransportEquation.h"

#include <array>
#include <cmath>

#include "vaporix/StateProperties.h"
#include "vaporix/Units.h"

namespace vaporix {
namespace {

// Celsius offset; the band limits below are formed as kCelsiusOffset + t so that
// a temperature typed in °C and converted by the same addition lands exactly on them.
constexpr double kCelsiusOffset = units::kCelsiusOffset;

// One temperature band of a range: temperatures up to the upper limit (K) above the
// previous band's limit, at pressures up to the maximum (MPa).
struct RangeBand {
  double upperTemperature;
  double maxPressure;
};

// Validity bands of the IAPWS industrial viscosity equation (0-150, 150-600, 600-900 °C).
constexpr std::array<RangeBand, 3> kViscosityBands{{
    {kCelsiusOffset + 150.0, 500.0},
    {kCelsiusOffset + 600.0, 350.0},
    {kCelsiusOffset + 900.0, 300.0},
}};

// Validity bands of the IAPWS industrial thermal-conductivity equation (0-500, 500-650,
// 650-800 °C).
constexpr std::array<RangeBand, 3> kConductivityBands{{
    {kCelsiusOffset + 500.0, 100.0},
    {kCelsiusOffset + 650.0, 70.0},
    {kCelsiusOffset + 800.0, 40.0},
}};

// Every bound is inclusive and a temperature on a band limit belongs to the lower band;
// the comparisons are written so that NaN falls outside.
bool InsideBands(const std::array<RangeBand, 3>& bands, double p, double T) {
  if (!std::isfinite(p) || !(T >= kCelsiusOffset)) {
    return false;
  }
  for (const RangeBand& band : bands) {
    if (T <= band.upperTemperature) {
      return p <= band.maxPressure;
    }
  }
  return false;
}

// A specific volume the equations can turn into a density.
bool UsableVolume(double v) {
  return std::isfinite(v) && v > 0.0;
}

// A heat capacity the derived quantities can divide by.
bool UsableHeatCapacity(double cp) {
  return std::isfinite(cp) && cp > 0.0;
}

double FiniteOrNotAvailable(double value) {
  return std::isfinite(value) ? value : kNotAvailable;
}

// IAPWS viscosity of ordinary water, industrial form: reduced quantities.
constexpr double kViscosityInverseTemperature = 0.001545055359333525;  // 1/647.226 K
constexpr double kViscosityInverseDensity = 0.003146999493333082;      // 1/317.763 kg/m3
constexpr double kViscosityReference = 55.071;                         // uPa s

// IAPWS viscosity release: coefficients H_0 ... H_3 of the dilute-gas term.
constexpr std::array<double, 4> kViscosityDiluteGas{1.0, 0.978197, 0.579829, -0.202354};

// IAPWS viscosity release: coefficients H_ij of the residual term, row i, column j.
constexpr std::array<std::array<double, 7>, 6> kViscosityResidual{{
    {0.5132047, 0.2151778, -0.2818107, 0.1778064, -0.0417661, 0.0, 0.0},
    {0.3205656, 0.7317883, -1.070786, 0.460504, 0.0, -0.01578386, 0.0},
    {0.0, 1.241044, -1.263184, 0.2340379, 0.0, 0.0, 0.0},
    {0.0, 1.476783, 0.0, -0.4924179, 0.1600435, 0.0, -0.003629481},
    {-0.7782567, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0},
    {0.1885447, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0},
}};

// IAPWS industrial thermal conductivity of ordinary water: reduced quantities.
constexpr double kConductivityInverseTemperature = 0.0015449741989308778;  // 1/647.26 K
constexpr double kConductivityInverseDensity = 0.003147623544224111;       // 1/317.7 kg/m3

// IAPWS industrial thermal-conductivity equation: coefficients of the ideal-gas term.
constexpr std::array<double, 4> kConductivityIdealGas{0.0102811, 0.0299621, 0.0156146, -0.00422464};

// IAPWS industrial thermal-conductivity equation: coefficients of lambda1 and lambda2.
constexpr double kB0 = -0.39707;
constexpr double kB1 = 0.400302;
constexpr double kB2 = 1.06;
constexpr double kBigB1 = -0.171587;
constexpr double kBigB2 = 2.39219;
constexpr double kD1 = 0.0701309;
constexpr double kD2 = 0.011852;
constexpr double kD3 = 0.00169937;
constexpr double kD4 = -1.02;
constexpr double kC1 = 0.642857;
constexpr double kC2 = -4.11717;
constexpr double kC3 = -6.17937;
constexpr double kC4 = 0.00308976;
constexpr double kC5 = 0.0822994;
constexpr double kC6 = 10.0932;

// IAPWS surface tension of ordinary water: range and coefficients.
constexpr double kSurfaceTensionLowest = kCelsiusOffset + 0.01;      // triple point, K
constexpr double kSurfaceTensionHighest = kCelsiusOffset + 373.946;  // critical point, K
constexpr double kInverseCriticalTemperature = 0.0015453657571674064;
constexpr double kSurfaceTensionB = 235.8;  // mN/m
constexpr double kSurfaceTensionExponent = 1.256;
constexpr double kSurfaceTensionSmallB = 0.625;

}  // namespace

double TransportEquation::Viscosity(double p, double T, double v) const {
  if (!InsideBands(kViscosityBands, p, T) || !UsableVolume(v)) {
    return kNotAvailable;
  }
  const double tau = T * kViscosityInverseTemperature;
  const double delta = (1.0 / v) * kViscosityInverseDensity;

  double diluteSum = 0.0;
  for (std::size_t i = kViscosityDiluteGas.size(); i-- > 0;) {
    diluteSum = diluteSum / tau + kViscosityDiluteGas[i];
  }
  const double mu0 = std::sqrt(tau) / diluteSum;

  // Double Horner scheme over (1/tau - 1)^i (delta - 1)^j.
  const double temperatureTerm = 1.0 / tau - 1.0;
  const double densityTerm = delta - 1.0;
  double residualSum = 0.0;
  for (std::size_t i = kViscosityResidual.size(); i-- > 0;) {
    const auto& row = kViscosityResidual[i];
    double rowSum = 0.0;
    for (std::size_t j = row.size(); j-- > 0;) {
      rowSum = rowSum * densityTerm + row[j];
    }
    residualSum = residualSum * temperatureTerm + rowSum;
  }
  const double mu1 = std::exp(delta * residualSum);

  return FiniteOrNotAvailable(kViscosityReference * mu0 * mu1);
}

double TransportEquation::ThermalConductivity(double p, double T, double v) const {
  if (!InsideBands(kConductivityBands, p, T) || !UsableVolume(v)) {
    return kNotAvailable;
  }
  const double tau = T * kConductivityInverseTemperature;
  const double delta = (1.0 / v) * kConductivityInverseDensity;

  const double idealGasSum =
      kConductivityIdealGas[0] +
      tau * (kConductivityIdealGas[1] +
             tau * (kConductivityIdealGas[2] + tau * kConductivityIdealGas[3]));
  const double lambda0 = std::sqrt(tau) * idealGasSum;

  const double shifted = delta + kBigB2;
  const double lambda1 = kB0 + kB1 * delta + kB2 * std::exp(kBigB1 * shifted * shifted);

  const double deltaTau = std::fabs(tau - 1.0) + kC4;
  const double deltaTauPower = std::pow(deltaTau, 0.6);
  const double q = 2.0 + kC5 / deltaTauPower;
  const double s = tau >= 1.0 ? 1.0 / deltaTau : kC6 / deltaTauPower;

  const double tau2 = tau * tau;
  const double tau10 = tau2 * tau2 * tau2 * tau2 * tau2;
  const double delta2 = delta * delta;
  const double delta5 = delta2 * delta2 * delta;
  const double delta9Fifths = std::pow(delta, 1.8);
  const double deltaQ = std::pow(delta, q);
  const double lambda2 =
      (kD1 / tau10 + kD2) * delta9Fifths * std::exp(kC1 * (1.0 - delta * delta9Fifths)) +
      kD3 * s * deltaQ * std::exp((q / (1.0 + q)) * (1.0 - delta * deltaQ)) +
      kD4 * std::exp(kC2 * tau * std::sqrt(tau) + kC3 / delta5);

  return FiniteOrNotAvailable(lambda0 + lambda1 + lambda2);
}

double TransportEquation::SurfaceTension(double T) const {
  if (!(T >= kSurfaceTensionLowest && T <= kSurfaceTensionHighest)) {
    return kNotAvailable;
  }
  const double theta = 1.0 - T * kInverseCriticalTemperature;
  return kSurfaceTensionB * std::pow(theta, kSurfaceTensionExponent) *
         (1.0 - kSurfaceTensionSmallB * theta);
}

double TransportEquation::ThermalDiffusivity(double lambda, double cp, double v) const {
  if (lambda == kNotAvailable || !std::isfinite(lambda) || !UsableHeatCapacity(cp) ||
      !UsableVolume(v)) {
    return kNotAvailable;
  }
  return FiniteOrNotAvailable(1000.0 * lambda * v / cp);
}

double TransportEquation::KinematicViscosity(double mu, double v) const {
  if (mu == kNotAvailable || !std::isfinite(mu) || !UsableVolume(v)) {
    return kNotAvailable;
  }
  return FiniteOrNotAvailable(mu * v);
}

double TransportEquation::PrandtlNumber(double mu, double cp, double lambda) const {
  if (mu == kNotAvailable || lambda == kNotAvailable || lambda == 0.0 || !std::isfinite(mu) ||
      !std::isfinite(lambda) || !UsableHeatCapacity(cp)) {
    return kNotAvailable;
  }
  return FiniteOrNotAvailable(0.001 * mu * cp / lambda);
}

}  // namespace vaporix
