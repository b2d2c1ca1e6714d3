#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <limits>
#include <thread>
#include <vector>

#include "engine/record_bits.h"
#include "vaporix/StateProperties.h"
#include "vaporix/equations/Region3Equation.h"

namespace vaporix {
namespace {

const Region3Equation kRegion3;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

using records::SameBits;
using records::SentinelRecord;

// Region-3 states (density, temperature) across the region: near the 623.15 K
// isotherm, around the critical point, along the B23 line and at high density.
struct DensityTemperature {
  double rho;
  double T;
};
const DensityTemperature kStates[] = {
    {650.0, 623.15}, {600.0, 630.0}, {500.0, 650.0}, {200.0, 650.0}, {322.0, 650.0},
    {400.0, 660.0},  {250.0, 680.0}, {150.0, 700.0}, {500.0, 750.0}, {300.0, 800.0},
    {700.0, 700.0},  {420.0, 860.0}, {120.0, 860.0}, {322.0, 647.2}, {560.0, 640.0},
};

// IAPWS-IF97 Table 33: verification values of the region-3 basic equation.
TEST(region3_equation_test, verification_values) {
  struct Case {
    double rho;
    double T;
    const char* name;
    double StateProperties::*field;
    double expected;
    double tolerance;
  };
  const Case cases[] = {
      {500.0, 650.0, "p", &StateProperties::p, 25.5837018, 5e-8},
      {500.0, 650.0, "h", &StateProperties::h, 1863.43019, 5e-6},
      {500.0, 650.0, "u", &StateProperties::u, 1812.26279, 5e-6},
      {500.0, 650.0, "s", &StateProperties::s, 4.05427273, 5e-9},
      {500.0, 650.0, "cp", &StateProperties::cp, 13.8935717, 5e-8},
      {500.0, 650.0, "w", &StateProperties::w, 502.005554, 5e-7},
      {200.0, 650.0, "p", &StateProperties::p, 22.2930643, 5e-8},
      {500.0, 750.0, "p", &StateProperties::p, 78.3095639, 5e-8},
  };
  for (const Case& c : cases) {
    StateProperties state;
    ASSERT_TRUE(kRegion3.Evaluate(c.rho, c.T, state)) << "rho = " << c.rho << ", T = " << c.T;
    EXPECT_NEAR(state.*c.field, c.expected, c.tolerance)
        << c.name << " at rho = " << c.rho << ", T = " << c.T;
    EXPECT_EQ(state.region, 3);
    EXPECT_EQ(state.d, c.rho);
    EXPECT_EQ(state.t, c.T);
  }
}

// The basic equation passes through the critical point of the formulation.
TEST(region3_equation_test, critical_point) {
  StateProperties state;
  ASSERT_TRUE(kRegion3.Evaluate(kCriticalDensity, kCriticalTemperature, state));
  EXPECT_NEAR(state.p, kCriticalPressure, 1e-8);
  EXPECT_NEAR(kRegion3.Pressure(kCriticalTemperature, kCriticalDensity), kCriticalPressure, 1e-8);
  EXPECT_EQ(kRegion3.CriticalLinePressure(kCriticalTemperature), kCriticalPressure);
  EXPECT_NEAR(kRegion3.CriticalLinePressure(657.096), 22.064 + 2.68248402, 1e-12);
  EXPECT_NEAR(kRegion3.CriticalLinePressure(637.096), 22.064 - 2.68248402, 1e-12);
}

// The relations between the fields of a single-phase record, on a grid of region-3 states.
TEST(region3_equation_test, property_relations) {
  for (const DensityTemperature& at : kStates) {
    StateProperties s;
    s.x = 42.0;
    ASSERT_TRUE(kRegion3.Evaluate(at.rho, at.T, s)) << "rho = " << at.rho << ", T = " << at.T;
    const auto near = [](double actual, double expected) {
      return std::fabs(actual - expected) <= 1e-12 * (std::fabs(expected) + 1e-3);
    };
    EXPECT_TRUE(near(s.v * s.d, 1.0));
    EXPECT_TRUE(near(s.H, s.u - s.t * s.s)) << s.H << " vs " << s.u - s.t * s.s;
    EXPECT_TRUE(near(s.G, s.h - s.t * s.s));
    EXPECT_TRUE(near(s.kapa, s.d * s.w * s.w / (s.p * 1e6)));
    EXPECT_TRUE(near(s.Z, s.v * s.p * 1000.0 / (kGasConstant * s.t)));
    EXPECT_TRUE(near(s.alpha, s.dvdt / s.v));
    EXPECT_TRUE(near(s.Kt, -s.dvdp / s.v));
    EXPECT_TRUE(near(s.dpdt, -s.dvdt / s.dvdp));
    EXPECT_TRUE(near(s.dpdv, 1.0 / s.dvdp));
    EXPECT_TRUE(near(s.iJTC, (s.v - s.t * s.dvdt) * 1000.0));
    EXPECT_TRUE(near(s.JTC, (s.t * s.dvdt - s.v) * 1000.0 / s.cp));
    EXPECT_TRUE(near(s.h, s.u + s.p * s.v * 1000.0));
    EXPECT_EQ(s.x, 42.0) << "Evaluate leaves the quality as the caller supplied it";
    EXPECT_EQ(s.region, 3);
  }
}

// Thermodynamic identities that tie the heat capacities and the speed of sound
// to the pressure derivatives, which catches a wrong term in any of them.
TEST(region3_equation_test, thermodynamic_identities) {
  for (const DensityTemperature& at : kStates) {
    StateProperties s;
    ASSERT_TRUE(kRegion3.Evaluate(at.rho, at.T, s));
    // cp - cv = T (dp/dT)_v (dv/dT)_p, MPa m3/kg = 1000 kJ/kg.
    EXPECT_NEAR(s.cp - s.cv, 1000.0 * s.t * s.dpdt * s.dvdt, 1e-9 * s.cp);
    // w^2 = (dp/drho)_T + T (dp/dT)_rho^2 / (rho^2 cv), in SI units.
    const double dpdrho = -s.dpdv * s.v * s.v * 1e6;
    const double dpdT = s.dpdt * 1e6;
    const double w2 = dpdrho + s.t * dpdT * dpdT / (s.d * s.d * s.cv * 1000.0);
    EXPECT_NEAR(s.w * s.w, w2, 1e-9 * w2);
    // cv = (du/dT)_rho and (ds/dT)_rho = cv/T, by central differences.
    const double dT = 1e-3;
    double slope = 0.0;
    const double du = kRegion3.InternalEnergyTRho(&slope, at.T + dT, at.rho) -
                      kRegion3.InternalEnergyTRho(&slope, at.T - dT, at.rho);
    EXPECT_NEAR(du / (2.0 * dT), s.cv, 1e-6 * s.cv);
    const double ds = kRegion3.EntropyTRho(&slope, at.T + dT, at.rho) -
                      kRegion3.EntropyTRho(&slope, at.T - dT, at.rho);
    EXPECT_NEAR(ds / (2.0 * dT), s.cv / at.T, 1e-6 * s.cv / at.T);
    // (dp/dT)_v and (dp/dv)_T of the record against differences of Pressure.
    const double dpT = kRegion3.Pressure(at.T + dT, at.rho) - kRegion3.Pressure(at.T - dT, at.rho);
    EXPECT_NEAR(dpT / (2.0 * dT), s.dpdt, 1e-6 * std::fabs(s.dpdt));
    const double dv = 1e-4 * s.v;
    const double dpv =
        kRegion3.Pressure(at.T, 1.0 / (s.v + dv)) - kRegion3.Pressure(at.T, 1.0 / (s.v - dv));
    EXPECT_NEAR(dpv / (2.0 * dv), s.dpdv, 1e-5 * std::fabs(s.dpdv));
  }
}

// The single-property operations return the fields of Evaluate and write the
// slopes their callers iterate with; the slopes are checked by central differences.
TEST(region3_equation_test, single_property_operations_and_slopes) {
  using Operation = double (Region3Equation::*)(double*, double, double) const;
  struct Slope {
    const char* name;
    Operation operation;
    bool densityFirst;  // PressureSlope takes (rho, T), the others (T, rho)
    bool temperatureSlope;
    double StateProperties::*field;
  };
  const Slope slopes[] = {
      {"PressureSlope", &Region3Equation::PressureSlope, true, true, &StateProperties::p},
      {"EnthalpyTRho", &Region3Equation::EnthalpyTRho, false, false, &StateProperties::h},
      {"EntropyTRho", &Region3Equation::EntropyTRho, false, false, &StateProperties::s},
      {"InternalEnergyTRho", &Region3Equation::InternalEnergyTRho, false, false,
       &StateProperties::u},
  };
  for (const DensityTemperature& at : kStates) {
    StateProperties s;
    ASSERT_TRUE(kRegion3.Evaluate(at.rho, at.T, s));
    for (const Slope& slope : slopes) {
      const auto call = [&](double* derivative, double rho, double T) {
        return slope.densityFirst ? (kRegion3.*slope.operation)(derivative, rho, T)
                                  : (kRegion3.*slope.operation)(derivative, T, rho);
      };
      double derivative = kNaN;
      const double value = call(&derivative, at.rho, at.T);
      EXPECT_NEAR(value, s.*slope.field, 1e-12 * std::fabs(value) + 1e-12) << slope.name;
      const double step = slope.temperatureSlope ? 1e-3 : 1e-4 * at.rho;
      double ignored = 0.0;
      const double difference =
          slope.temperatureSlope
              ? (call(&ignored, at.rho, at.T + step) - call(&ignored, at.rho, at.T - step))
              : (call(&ignored, at.rho + step, at.T) - call(&ignored, at.rho - step, at.T));
      EXPECT_NEAR(derivative, difference / (2.0 * step), 1e-6 * std::fabs(derivative) + 1e-10)
          << slope.name << " at rho = " << at.rho << ", T = " << at.T;
    }
    double dpdT = 0.0;
    kRegion3.PressureSlope(&dpdT, at.rho, at.T);
    EXPECT_NEAR(dpdT, s.dpdt, 1e-12 * std::fabs(s.dpdt)) << "(dp/dT)_rho of the record";
    EXPECT_NEAR(kRegion3.Pressure(at.T, at.rho), s.p, 1e-12 * s.p);
  }
}

// Evaluate refuses a zero, negative or non-finite density and a negative or
// non-finite temperature before it writes anything.
TEST(region3_equation_test, evaluate_refuses_bad_input_untouched) {
  const DensityTemperature cases[] = {
      {0.0, 650.0},  {kNaN, 650.0},   {-500.0, 650.0},    {kInfinity, 650.0}, {-kInfinity, 650.0},
      {500.0, kNaN}, {500.0, -650.0}, {500.0, kInfinity}, {kNaN, kNaN},       {-0.0, 650.0},
  };
  for (const DensityTemperature& c : cases) {
    const StateProperties sentinel = SentinelRecord();
    StateProperties state = sentinel;
    EXPECT_FALSE(kRegion3.Evaluate(c.rho, c.T, state)) << "rho = " << c.rho << ", T = " << c.T;
    EXPECT_TRUE(SameBits(state, sentinel))
        << "written before the refusal at rho = " << c.rho << ", T = " << c.T;
  }
}

// T = 0 is not tested on entry: the division by zero makes the properties
// non-finite, which fails the evaluation.
TEST(region3_equation_test, zero_temperature_fails_through_non_finite_properties) {
  StateProperties state;
  EXPECT_FALSE(kRegion3.Evaluate(500.0, 0.0, state));
  EXPECT_TRUE(kRegion3.Evaluate(500.0, 650.0, state)) << "a failure leaves nothing behind";
}

// Flags raised before the call do not spoil the evaluation, and a state whose
// formulas break down is refused (speed of sound of a negative square).
TEST(region3_equation_test, finiteness_test) {
  StateProperties state;
  std::feraiseexcept(FE_OVERFLOW | FE_DIVBYZERO | FE_INVALID | FE_UNDERFLOW);
  EXPECT_TRUE(kRegion3.Evaluate(500.0, 650.0, state));
  EXPECT_FALSE(kRegion3.Evaluate(1200.0, 623.15, state)) << "far beyond the liquid spinodal";
  std::feclearexcept(FE_ALL_EXCEPT);
}

TEST(region3_equation_test, pressure_refuses_zero_and_non_finite_input) {
  const DensityTemperature cases[] = {
      {0.0, 650.0},  {500.0, 0.0},  {kNaN, 650.0},      {500.0, kNaN},
      {-1.0, 650.0}, {500.0, -1.0}, {kInfinity, 650.0}, {500.0, kInfinity},
  };
  for (const DensityTemperature& c : cases) {
    EXPECT_EQ(kRegion3.Pressure(c.T, c.rho), kNotAvailable) << "rho = " << c.rho << ", T = " << c.T;
  }
}

// Two threads evaluating at once get the same results as one thread alone:
// the equation keeps no state between or during calls.
TEST(region3_equation_test, concurrent_evaluations_agree) {
  std::vector<StateProperties> expected;
  std::vector<double> startVolumes;
  for (const DensityTemperature& at : kStates) {
    StateProperties s;
    ASSERT_TRUE(kRegion3.Evaluate(at.rho, at.T, s));
    expected.push_back(s);
    startVolumes.push_back(kRegion3.StartVolume(s.p, at.T));
  }
  const auto work = [&](int* mismatches) {
    for (int round = 0; round < 200; ++round) {
      for (std::size_t i = 0; i < expected.size(); ++i) {
        StateProperties s;
        const bool ok = kRegion3.Evaluate(kStates[i].rho, kStates[i].T, s);
        if (!ok || !SameBits(s, expected[i]) ||
            kRegion3.StartVolume(expected[i].p, kStates[i].T) != startVolumes[i]) {
          ++*mismatches;
        }
      }
    }
  };
  int mismatchesA = 0;
  int mismatchesB = 0;
  std::thread a(work, &mismatchesA);
  std::thread b(work, &mismatchesB);
  a.join();
  b.join();
  EXPECT_EQ(mismatchesA, 0);
  EXPECT_EQ(mismatchesB, 0);
}

}  // namespace
}  // namespace vaporix
