#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "vaporix/StateProperties.h"
#include "vaporix/equations/TransportEquation.h"

namespace vaporix {
namespace {

const TransportEquation kTransport;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// Liquid water at 0.1 MPa and 25 °C.
constexpr double kLiquidP = 0.1;
constexpr double kLiquidT = 298.15;
constexpr double kLiquidV = 1.0 / 997.047;
constexpr double kLiquidCp = 4.1813;

// Temperatures are formed from Celsius by the same addition the engine uses.
double Kelvin(double celsius) {
  return celsius + 273.15;
}

TEST(transport_equation_test, liquid_reference_state) {
  EXPECT_NEAR(kTransport.Viscosity(kLiquidP, kLiquidT, kLiquidV), 890.08, 0.005);
  EXPECT_NEAR(kTransport.ThermalConductivity(kLiquidP, kLiquidT, kLiquidV), 0.6075, 0.00005);
}

struct SurfaceTensionPoint {
  double T;
  double expected;
  double tolerance;
};

// The first three rows are tabulated values of the IAPWS surface-tension release
// (0.01 °C, 25 °C, 100 °C); the others pin the equation and its inclusive ends.
TEST(transport_equation_test, surface_tension_values_and_range) {
  const SurfaceTensionPoint points[] = {
      {Kelvin(0.01), 75.65, 0.005},  {Kelvin(25.0), 71.97, 0.005}, {373.15, 58.91, 0.005},
      {300.0, 71.686, 0.0005},       {373.15, 58.912, 0.0005},     {273.16, 75.646, 0.0005},
      {647.096, 0.0, 0.0},           {Kelvin(373.946), 0.0, 0.0},  {273.15, kNotAvailable, 0.0},
      {273.159, kNotAvailable, 0.0}, {647.1, kNotAvailable, 0.0},  {647.0961, kNotAvailable, 0.0},
      {0.0, kNotAvailable, 0.0},     {-300.0, kNotAvailable, 0.0}, {kNaN, kNotAvailable, 0.0},
      {kInf, kNotAvailable, 0.0},    {-kInf, kNotAvailable, 0.0},
  };
  for (const SurfaceTensionPoint& point : points) {
    EXPECT_NEAR(kTransport.SurfaceTension(point.T), point.expected, point.tolerance)
        << "T = " << point.T;
  }
}

TEST(transport_equation_test, surface_tension_falls_towards_critical_point) {
  double previous = kTransport.SurfaceTension(273.16);
  for (double T = 280.0; T <= 647.0; T += 7.0) {
    const double sigma = kTransport.SurfaceTension(T);
    EXPECT_LT(sigma, previous) << "T = " << T;
    EXPECT_GT(sigma, 0.0) << "T = " << T;
    previous = sigma;
  }
}

struct BandPoint {
  double celsius;
  double p;
  bool inside;
};

// A plausible dense-fluid volume; the range test does not look at it.
constexpr double kBandVolume = 0.0015;

void ExpectBands(double (TransportEquation::*operation)(double, double, double) const,
                 const BandPoint* begin, const BandPoint* end) {
  for (const BandPoint* point = begin; point != end; ++point) {
    const double value = (kTransport.*operation)(point->p, Kelvin(point->celsius), kBandVolume);
    if (point->inside) {
      EXPECT_GT(value, 0.0) << "t = " << point->celsius << " p = " << point->p;
      EXPECT_TRUE(std::isfinite(value)) << "t = " << point->celsius << " p = " << point->p;
    } else {
      EXPECT_EQ(value, kNotAvailable) << "t = " << point->celsius << " p = " << point->p;
    }
  }
}

TEST(transport_equation_test, viscosity_range_bands_are_inclusive) {
  const BandPoint points[] = {
      {0.0, 0.1, true},        {-0.001, 0.1, false},     {-20.0, 1.0, false},
      {20.0, 0.0, true},       {150.0, 500.0, true},     {150.0, 500.001, false},
      {150.0, 400.0, true},    {150.0001, 400.0, false}, {150.0001, 350.0, true},
      {600.0, 350.0, true},    {600.0, 350.001, false},  {600.0001, 350.0, false},
      {600.0001, 300.0, true}, {900.0, 300.0, true},     {900.0, 300.001, false},
      {900.001, 300.0, false}, {900.001, 0.1, false},    {1200.0, 0.1, false},
  };
  ExpectBands(&TransportEquation::Viscosity, std::begin(points), std::end(points));
}

TEST(transport_equation_test, conductivity_range_bands_are_inclusive) {
  const BandPoint points[] = {
      {0.0, 0.1, true},        {-0.001, 0.1, false},    {20.0, 0.0, true},     {500.0, 100.0, true},
      {500.0, 100.001, false}, {500.001, 100.0, false}, {500.001, 70.0, true}, {650.0, 70.0, true},
      {650.0, 70.001, false},  {650.001, 70.0, false},  {650.001, 40.0, true}, {800.0, 40.0, true},
      {800.0, 40.001, false},  {800.001, 40.0, false},  {800.001, 0.1, false},
  };
  ExpectBands(&TransportEquation::ThermalConductivity, std::begin(points), std::end(points));
}

struct StateInput {
  double p;
  double T;
  double v;
};

// Non-finite arguments, and volumes that give no density, never yield a number.
TEST(transport_equation_test, malformed_inputs_are_not_available) {
  const StateInput inputs[] = {
      {kNaN, kLiquidT, kLiquidV},  {kLiquidP, kNaN, kLiquidV},   {kLiquidP, kLiquidT, kNaN},
      {kInf, kLiquidT, kLiquidV},  {-kInf, kLiquidT, kLiquidV},  {kLiquidP, kInf, kLiquidV},
      {kLiquidP, -kInf, kLiquidV}, {kLiquidP, kLiquidT, kInf},   {kLiquidP, kLiquidT, -kInf},
      {kLiquidP, kLiquidT, 0.0},   {kLiquidP, kLiquidT, -0.001},
  };
  for (const StateInput& in : inputs) {
    EXPECT_EQ(kTransport.Viscosity(in.p, in.T, in.v), kNotAvailable)
        << in.p << " " << in.T << " " << in.v;
    EXPECT_EQ(kTransport.ThermalConductivity(in.p, in.T, in.v), kNotAvailable)
        << in.p << " " << in.T << " " << in.v;
  }
}

// The two branches of the critical-enhancement factor S meet at T = 647.26 K.
TEST(transport_equation_test, conductivity_continuous_across_reduced_temperature_one) {
  const double densities[] = {200.0, 317.7, 500.0};
  for (const double density : densities) {
    const double below = kTransport.ThermalConductivity(22.0, 647.26 * (1.0 - 1e-9), 1.0 / density);
    const double above = kTransport.ThermalConductivity(22.0, 647.26 * (1.0 + 1e-9), 1.0 / density);
    EXPECT_NEAR(below, above, 1e-5 * above) << "density = " << density;
  }
}

// Liquid viscosity falls with temperature along an isobar.
TEST(transport_equation_test, liquid_viscosity_falls_with_temperature) {
  double previous = kTransport.Viscosity(1.0, Kelvin(0.0), 0.001);
  for (double celsius = 10.0; celsius <= 150.0; celsius += 10.0) {
    const double mu = kTransport.Viscosity(1.0, Kelvin(celsius), 0.001);
    EXPECT_LT(mu, previous) << "t = " << celsius;
    previous = mu;
  }
}

TEST(transport_equation_test, derived_quantities_follow_their_definitions) {
  const double mu = kTransport.Viscosity(kLiquidP, kLiquidT, kLiquidV);
  const double lambda = kTransport.ThermalConductivity(kLiquidP, kLiquidT, kLiquidV);
  EXPECT_DOUBLE_EQ(kTransport.KinematicViscosity(mu, kLiquidV), mu * kLiquidV);
  EXPECT_DOUBLE_EQ(kTransport.ThermalDiffusivity(lambda, kLiquidCp, kLiquidV),
                   1000.0 * lambda * kLiquidV / kLiquidCp);
  EXPECT_DOUBLE_EQ(kTransport.PrandtlNumber(mu, kLiquidCp, lambda),
                   0.001 * mu * kLiquidCp / lambda);
  // Liquid water at 25 °C: kinematic viscosity about 0.893e-6 m2/s, Prandtl number about 6.1.
  EXPECT_NEAR(kTransport.KinematicViscosity(mu, kLiquidV), 0.8927, 0.0005);
  EXPECT_NEAR(kTransport.PrandtlNumber(mu, kLiquidCp, lambda), 6.126, 0.005);
}

struct DerivedCase {
  const char* name;
  double mu;
  double lambda;
  double cp;
  double v;
  bool kinematicAvailable;
  bool diffusivityAvailable;
  bool prandtlAvailable;
};

// A -1 (or a malformed input) passes on to every derived quantity that depends on it.
TEST(transport_equation_test, not_available_chain_of_derived_quantities) {
  const DerivedCase cases[] = {
      {"all available", 890.0, 0.6, 4.18, 0.001, true, true, true},
      {"viscosity missing", -1.0, 0.6, 4.18, 0.001, false, true, false},
      {"conductivity missing", 890.0, -1.0, 4.18, 0.001, true, false, false},
      {"both missing", -1.0, -1.0, 4.18, 0.001, false, false, false},
      {"zero conductivity", 890.0, 0.0, 4.18, 0.001, true, true, false},
      {"viscosity NaN", kNaN, 0.6, 4.18, 0.001, false, true, false},
      {"viscosity inf", kInf, 0.6, 4.18, 0.001, false, true, false},
      {"conductivity NaN", 890.0, kNaN, 4.18, 0.001, true, false, false},
      {"conductivity inf", 890.0, kInf, 4.18, 0.001, true, false, false},
      {"cp NaN", 890.0, 0.6, kNaN, 0.001, true, false, false},
      {"cp inf", 890.0, 0.6, kInf, 0.001, true, false, false},
      {"cp zero", 890.0, 0.6, 0.0, 0.001, true, false, false},
      {"volume NaN", 890.0, 0.6, 4.18, kNaN, false, false, true},
      {"volume inf", 890.0, 0.6, 4.18, kInf, false, false, true},
      {"volume zero", 890.0, 0.6, 4.18, 0.0, false, false, true},
  };
  for (const DerivedCase& c : cases) {
    const double kv = kTransport.KinematicViscosity(c.mu, c.v);
    const double td = kTransport.ThermalDiffusivity(c.lambda, c.cp, c.v);
    const double pr = kTransport.PrandtlNumber(c.mu, c.cp, c.lambda);
    EXPECT_EQ(kv != kNotAvailable, c.kinematicAvailable) << c.name;
    EXPECT_EQ(td != kNotAvailable, c.diffusivityAvailable) << c.name;
    EXPECT_EQ(pr != kNotAvailable, c.prandtlAvailable) << c.name;
    for (const double value : {kv, td, pr}) {
      EXPECT_TRUE(std::isfinite(value)) << c.name;
    }
  }
}

struct ChainState {
  double celsius;
  double p;
  double v;
  bool viscosityAvailable;
  bool conductivityAvailable;
};

// The calling order of the engine on states inside one range but not the other.
TEST(transport_equation_test, chain_follows_the_ranges_of_the_two_equations) {
  const ChainState states[] = {
      {25.0, 0.1, kLiquidV, true, true},     // both ranges
      {850.0, 1.0, 0.5, true, false},        // above 800 °C: no conductivity
      {100.0, 450.0, 0.0009, true, false},   // above 100 MPa at 100 °C: no conductivity
      {100.0, 600.0, 0.0009, false, false},  // above 500 MPa: neither
  };
  for (const ChainState& s : states) {
    const double T = Kelvin(s.celsius);
    const double tc = kTransport.ThermalConductivity(s.p, T, s.v);
    const double td = kTransport.ThermalDiffusivity(tc, kLiquidCp, s.v);
    const double dv = kTransport.Viscosity(s.p, T, s.v);
    const double kv = kTransport.KinematicViscosity(dv, s.v);
    const double pr = kTransport.PrandtlNumber(dv, kLiquidCp, tc);
    EXPECT_EQ(dv != kNotAvailable, s.viscosityAvailable) << "t = " << s.celsius;
    EXPECT_EQ(kv != kNotAvailable, s.viscosityAvailable) << "t = " << s.celsius;
    EXPECT_EQ(tc != kNotAvailable, s.conductivityAvailable) << "t = " << s.celsius;
    EXPECT_EQ(td != kNotAvailable, s.conductivityAvailable) << "t = " << s.celsius;
    EXPECT_EQ(pr != kNotAvailable, s.viscosityAvailable && s.conductivityAvailable)
        << "t = " << s.celsius;
  }
}

}  // namespace
}  // namespace vaporix
