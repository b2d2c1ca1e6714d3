#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "vaporix/IF97Calculator.h"
#include "vaporix/Limits.h"
#include "vaporix/StateProperties.h"
#include "vaporix/equations/Region3Equation.h"
#include "vaporix/equations/SaturationEquation.h"
#include "vaporix/solvers/TwoPhaseSolver.h"

namespace vaporix {
namespace {

// The solver reads the engine's tolerance, so it is given an engine as the
// engine's Initialize would.
const IF97Calculator kEngine;

TwoPhaseSolver Initialized() {
  TwoPhaseSolver solver;
  solver.Initialize(&kEngine);
  return solver;
}

const TwoPhaseSolver kSolver = Initialized();
const Region3Equation kEquation;
const SaturationEquation kSaturation;

TEST(two_phase_solver_test, mix_phases_is_linear_in_the_first_18_fields_but_density) {
  StateProperties liquid;
  StateProperties vapour;
  double* liquidFields = &liquid.p;
  double* vapourFields = &vapour.p;
  for (int i = 0; i < 22; ++i) {
    liquidFields[i] = i + 1.0;
    vapourFields[i] = 3.0 * (i + 1.0);
  }
  StateProperties out;
  out.x = 25.0;
  out.region = 4;
  EXPECT_TRUE(TwoPhaseSolver::MixPhases(out, liquid, vapour, 25.0));
  const double* mixed = &out.p;
  constexpr int kDensityField = 3;
  for (int i = 0; i < 18; ++i) {
    if (i != kDensityField) {
      EXPECT_DOUBLE_EQ(mixed[i], 1.5 * (i + 1.0)) << "field " << i;
    }
  }
  EXPECT_DOUBLE_EQ(out.d, 1.0 / out.v);
  EXPECT_EQ(out.x, 25.0);
  EXPECT_EQ(out.region, 4);
}

// A mixture's dp/dT is the slope of the saturation line, its Joule-Thomson
// coefficient dTs/dp, dp/dv zero; whichever entry point found it (the
// single-phase (p,h) asks region 2 first, whose failed search once left its
// last values in these fields).
TEST(two_phase_solver_test, mixture_derivatives_follow_the_saturation_line) {
  IF97Calculator engine;
  engine.Initialize();
  const double cases[][2] = {{300.0, 50.0}, {450.0, 10.0}, {630.0, 50.0}, {646.0, 80.0}};
  for (const auto& [T, x] : cases) {
    StateProperties wet;
    StateProperties viaPH;
    TransportProperties transport;
    ASSERT_TRUE(engine.CalcSatTX(T, x, wet, transport, false, false)) << T;
    ASSERT_TRUE(engine.CalcPH(wet.p, wet.h, viaPH, transport, false, false)) << T;
    const double dT = 1e-3;
    const double slope =
        (kSaturation.SaturationPressure(T + dT) - kSaturation.SaturationPressure(T - dT)) /
        (2.0 * dT);
    // Clapeyron on the region equations meets the saturation equation's slope
    // within the formulation's consistency (a few 1e-4 next to the critical point).
    EXPECT_NEAR(wet.dpdt / slope, 1.0, 1e-3) << T;
    EXPECT_DOUBLE_EQ(wet.JTC * wet.dpdt, 1.0) << T;
    EXPECT_EQ(wet.dpdv, 0.0) << T;
    EXPECT_NEAR(wet.iJTC, 1000.0 * (wet.v - T * wet.dvdt), 1e-9 * std::fabs(wet.iJTC)) << T;
    EXPECT_NEAR(viaPH.dpdt, wet.dpdt, 1e-6 * wet.dpdt) << T;
    EXPECT_NEAR(viaPH.JTC, wet.JTC, 1e-6 * wet.JTC) << T;
    EXPECT_EQ(viaPH.dpdv, 0.0) << T;
  }
}

TEST(two_phase_solver_test, px_at_1_MPa) {
  StateProperties liquid;
  StateProperties vapour;
  StateProperties half;
  ASSERT_TRUE(kSolver.SolvePX(1.0, 0.0, liquid));
  ASSERT_TRUE(kSolver.SolvePX(1.0, 100.0, vapour));
  ASSERT_TRUE(kSolver.SolvePX(1.0, 50.0, half));
  EXPECT_EQ(liquid.region, 1);
  EXPECT_EQ(vapour.region, 2);
  EXPECT_EQ(half.region, 4);
  EXPECT_EQ(half.x, 50.0);
  EXPECT_NEAR(half.t, 453.035632, 5e-7);
  EXPECT_DOUBLE_EQ(half.h, (liquid.h + vapour.h) / 2.0);
  EXPECT_DOUBLE_EQ(half.v, (liquid.v + vapour.v) / 2.0);
  EXPECT_DOUBLE_EQ(half.w, (liquid.w + vapour.w) / 2.0);
}

TEST(two_phase_solver_test, tx_at_640_K_uses_region_3) {
  StateProperties liquid;
  StateProperties vapour;
  ASSERT_TRUE(kSolver.SolveTX(640.0, 0.0, liquid));
  ASSERT_TRUE(kSolver.SolveTX(640.0, 100.0, vapour));
  EXPECT_EQ(liquid.region, 3);
  EXPECT_EQ(vapour.region, 3);
  EXPECT_GT(liquid.d, kCriticalDensity);
  EXPECT_LT(vapour.d, kCriticalDensity);
  const double ps = kSaturation.SaturationPressure(640.0);
  EXPECT_NEAR(liquid.p, ps, 1e-6);
  EXPECT_NEAR(vapour.p, ps, 1e-6);
}

TEST(two_phase_solver_test, mixture_density_is_the_reciprocal_of_the_mixed_volume) {
  // 1 MPa, x = 50 %: v = 0.09774 m3/kg, so 10.23 kg/m3 (not the 446 kg/m3
  // a lever rule on the two densities gives).
  for (double x : {10.0, 50.0, 90.0}) {
    StateProperties out;
    ASSERT_TRUE(kSolver.SolvePX(1.0, x, out)) << "x = " << x;
    EXPECT_DOUBLE_EQ(out.d * out.v, 1.0) << "x = " << x;
  }
  StateProperties half;
  ASSERT_TRUE(kSolver.SolvePX(1.0, 50.0, half));
  EXPECT_NEAR(half.d, 10.2314, 1e-4);
}

TEST(two_phase_solver_test, px_and_tx_return_their_input_exactly) {
  for (double x : {0.0, 86.9, 100.0}) {
    StateProperties byPressure;
    ASSERT_TRUE(kSolver.SolvePX(21.702709414, x, byPressure)) << "x = " << x;
    EXPECT_EQ(byPressure.p, 21.702709414) << "x = " << x;
    StateProperties byTemperature;
    ASSERT_TRUE(kSolver.SolveTX(645.0, x, byTemperature)) << "x = " << x;
    EXPECT_EQ(byTemperature.t, 645.0) << "x = " << x;
  }
}

TEST(two_phase_solver_test, px_at_critical_pressure_gives_critical_density) {
  for (double x : {0.0, 30.0, 100.0}) {
    StateProperties out;
    ASSERT_TRUE(kSolver.SolvePX(kCriticalPressure, x, out)) << "x = " << x;
    EXPECT_EQ(out.d, kCriticalDensity);
    EXPECT_EQ(out.region, 3);
    EXPECT_EQ(out.x, x);
  }
}

TEST(two_phase_solver_test, out_of_range_pairs_are_refused) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double temperatureCases[][2] = {{400.0, 100.1}, {400.0, -0.1}, {647.097, 50.0},
                                        {273.14, 50.0}, {nan, 50.0},   {400.0, nan}};
  for (const auto& pair : temperatureCases) {
    StateProperties out;
    EXPECT_FALSE(kSolver.SolveTX(pair[0], pair[1], out)) << pair[0] << " K, x = " << pair[1];
  }
  const double pressureCases[][2] = {{22.065, 50.0}, {0.0006, 50.0}, {1.0, 101.0}, {nan, 50.0}};
  for (const auto& pair : pressureCases) {
    StateProperties out;
    EXPECT_FALSE(kSolver.SolvePX(pair[0], pair[1], out)) << pair[0] << " MPa, x = " << pair[1];
  }
  StateProperties out;
  EXPECT_FALSE(kSolver.SolvePT(1.0, 453.0, out));
  EXPECT_FALSE(kSolver.SolvePH(1.0, nan, out));
  EXPECT_FALSE(kSolver.SolveTV(400.0, nan, out));
  EXPECT_FALSE(kSolver.SolveHS(2000.0, nan, out));
  EXPECT_FALSE(kSolver.SolveHV(2000.0, 251.0, out));
}

// An input beyond a saturated end value is that end point only within the
// rounding band; a step further it lies outside the two-phase region.
TEST(two_phase_solver_test, inputs_beyond_a_saturated_end_only_within_the_band) {
  using Solve = bool (TwoPhaseSolver::*)(double, double, StateProperties&) const;
  struct Row {
    const char* name;
    Solve solve;
    double fixed;
    double x;  // the end the input lies beyond
    double StateProperties::*field;
    double direction;  // -1 below the end value, +1 above
  };
  const Row rows[] = {
      {"th below the liquid", &TwoPhaseSolver::SolveTH, 400.0, 0.0, &StateProperties::h, -1.0},
      {"ps above the vapour", &TwoPhaseSolver::SolvePS, 1.0, 100.0, &StateProperties::s, 1.0},
      {"pv below the liquid", &TwoPhaseSolver::SolvePV, 1.0, 0.0, &StateProperties::v, -1.0},
  };
  for (const Row& row : rows) {
    const bool pressureGiven = row.solve != &TwoPhaseSolver::SolveTH;
    StateProperties end;
    ASSERT_TRUE(pressureGiven ? kSolver.SolvePX(row.fixed, row.x, end)
                              : kSolver.SolveTX(row.fixed, row.x, end))
        << row.name;
    const double value = end.*row.field;
    StateProperties out;
    const double inside = value * (1.0 + row.direction * 0.5 * limits::kSaturatedEndBand);
    ASSERT_TRUE((kSolver.*row.solve)(row.fixed, inside, out)) << row.name;
    EXPECT_EQ(out.x, row.x) << row.name;
    for (const double beyond : {10.0 * limits::kSaturatedEndBand, 1e-4, 0.05, 0.5}) {
      EXPECT_FALSE((kSolver.*row.solve)(row.fixed, value * (1.0 + row.direction * beyond), out))
          << row.name << " " << beyond;
    }
  }
}

// Above 623.15 K both phases come from the region-3 equation: their densities
// are its roots of P(T, rho) = ps(T), liquid above the critical density and
// vapour below it, on the stable branches of the loop.
TEST(two_phase_solver_test, saturated_densities_satisfy_the_saturation_pressure) {
  int points = 0;
  for (double T = 623.15; T <= 647.0900001; T += 0.01) {
    const double ps = kSaturation.SaturationPressure(T);
    const double liquid = kSolver.RefineLiquidDensity(ps, T, kSaturation.SaturatedLiquidDensity(T));
    const double vapour = kSolver.RefineVapourDensity(ps, T, kSaturation.SaturatedVapourDensity(T));
    ASSERT_GT(liquid, kCriticalDensity) << T;
    ASSERT_LT(vapour, kCriticalDensity) << T;
    // Refined well inside the engine's tolerance (1e-6 MPa): the phases lie at ps(T).
    EXPECT_LE(std::fabs(kEquation.Pressure(T, liquid) - ps), 1e-9 * ps) << T;
    EXPECT_LE(std::fabs(kEquation.Pressure(T, vapour) - ps), 1e-9 * ps) << T;
    StateProperties liquidState;
    StateProperties vapourState;
    ASSERT_TRUE(kEquation.Evaluate(liquid, T, liquidState));
    ASSERT_TRUE(kEquation.Evaluate(vapour, T, vapourState));
    EXPECT_LT(liquidState.dpdv, 0.0) << "liquid root on the unstable branch at " << T;
    EXPECT_LT(vapourState.dpdv, 0.0) << "vapour root on the unstable branch at " << T;
    // The saturated ends as the solver builds them (from its own starts,
    // fitted next to the critical point) reach the same roots; at 623.15 K
    // itself they come from regions 1 and 2.
    StateProperties end;
    if (T > limits::kRegion13Temperature) {
      ASSERT_TRUE(kSolver.SolveTX(T, 0.0, end)) << T;
      EXPECT_NEAR(end.d, liquid, 1e-7 * liquid) << T;
      ASSERT_TRUE(kSolver.SolveTX(T, 100.0, end)) << T;
      EXPECT_NEAR(end.d, vapour, 1e-7 * vapour) << T;
    }
    ++points;
  }
  EXPECT_EQ(points, 2395);
}

TEST(two_phase_solver_test, refinements_at_their_edges) {
  EXPECT_EQ(kSolver.RefineLiquidDensity(20.0, 640.0, 0.0), 0.0);
  EXPECT_EQ(kSolver.RefineVapourDensity(20.0, 640.0, 0.0), 0.0);
  EXPECT_EQ(kSolver.RefineLiquidDensity(kCriticalPressure, 640.0, 500.0), kCriticalDensity);
  EXPECT_EQ(kSolver.RefineVapourDensity(kCriticalPressure, 640.0, 150.0), kCriticalDensity);
}

TEST(two_phase_solver_test, saturation_temperature_at_entropy_and_volume) {
  for (double T : {280.0, 400.0, 600.0, 630.0, 645.0}) {
    for (double x : {0.0, 100.0}) {
      StateProperties state;
      ASSERT_TRUE(kSolver.SolveTX(T, x, state));
      EXPECT_NEAR(kSolver.SaturationTemperatureAtEntropy(state.s), T, 1e-3) << T << " K, " << x;
      if (x == 100.0 || T > 300.0) {  // the liquid volume is nearly flat near 277 K
        EXPECT_NEAR(kSolver.SaturationTemperatureAtVolume(state.v), T, 1e-3) << T << " K, " << x;
      }
    }
  }
  EXPECT_NEAR(kSolver.SaturationTemperatureAtVolume(1.0 / kCriticalDensity), kCriticalTemperature,
              1e-9);
}

// Next to the critical point the saturated volumes approach 1/322 like a
// square root of the temperature distance: a straight line between 647.091 K
// and the critical point would miss the temperature by about 1e-3 K there.
TEST(two_phase_solver_test, saturation_temperature_at_volume_next_to_the_critical_point) {
  for (double T : {646.0, 647.0, 647.09, 647.092, 647.094, 647.095}) {
    for (double x : {0.0, 100.0}) {
      StateProperties state;
      ASSERT_TRUE(kSolver.SolveTX(T, x, state));
      EXPECT_NEAR(kSolver.SaturationTemperatureAtVolume(state.v), T, 1e-4) << T << " K, " << x;
    }
  }
}

// Wet steam within a hundred microkelvin of the critical point, where the
// saturated densities carry the rounding of their refinement: its (h,s) finds
// the temperature within 1e-7 K. The search once stalled there and a slower
// one answered up to 4e-6 K off.
struct CriticalWetCase {
  const char* name;
  double belowCritical;  // K
  double x;              // percent
};

class critical_wet_hs_test : public testing::TestWithParam<CriticalWetCase> {};

TEST_P(critical_wet_hs_test, finds_the_temperature) {
  const CriticalWetCase& row = GetParam();
  const double T = kCriticalTemperature - row.belowCritical;
  StateProperties given;
  ASSERT_TRUE(kSolver.SolveTX(T, row.x, given));
  StateProperties found;
  ASSERT_TRUE(kSolver.SolveHS(given.h, given.s, found));
  EXPECT_NEAR(found.t, T, 1e-7);
  EXPECT_NEAR(found.h, given.h, 1e-9 * given.h);
  EXPECT_NEAR(found.s, given.s, 1e-9 * given.s);
}

constexpr CriticalWetCase kCriticalWet[] = {
    {"critical_point", 0.0, 0.0},
    {"0_1_uK_below_x_30", 1e-7, 30.0},
    {"1_uK_below_x_100", 1e-6, 100.0},
    {"10_uK_below_x_50", 1e-5, 50.0},
};
INSTANTIATE_TEST_SUITE_P(next_to_the_critical_point, critical_wet_hs_test,
                         testing::ValuesIn(kCriticalWet),
                         [](const testing::TestParamInfo<CriticalWetCase>& row) {
                           return std::string(row.param.name);
                         });

}  // namespace
}  // namespace vaporix
