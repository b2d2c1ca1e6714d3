#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "vaporix/IF97Calculator.h"
#include "vaporix/StateProperties.h"
#include "vaporix/equations/Region3Equation.h"
#include "vaporix/equations/SaturationEquation.h"
#include "vaporix/solvers/Region3Solver.h"
#include "vaporix/solvers/TwoPhaseSolver.h"

namespace vaporix {
namespace {

// Solvers read the engine's tolerance, so they are given an engine as the
// engine's Initialize would.
const IF97Calculator kEngine;

template <class Solver>
Solver Initialized() {
  Solver solver;
  solver.Initialize(&kEngine);
  return solver;
}

const Region3Solver kSolver = Initialized<Region3Solver>();
const TwoPhaseSolver kTwoPhase = Initialized<TwoPhaseSolver>();
const Region3Equation kEquation;
const SaturationEquation kSaturation;

TEST(region3_solver_test, critical_point_without_iteration) {
  StateProperties out;
  ASSERT_TRUE(kSolver.SolvePT(kCriticalPressure, kCriticalTemperature, out));
  EXPECT_EQ(out.d, kCriticalDensity);
  EXPECT_EQ(out.t, kCriticalTemperature);
  EXPECT_EQ(out.region, 3);
}

// IAPWS-IF97 Table 33: the densities behind the published region-3 pressures.
TEST(region3_solver_test, density_of_verification_points) {
  struct Point {
    double p, T, rho;
  };
  const Point points[] = {
      {25.5837018, 650.0, 500.0}, {22.2930643, 650.0, 200.0}, {78.3095639, 750.0, 500.0}};
  for (const Point& point : points) {
    StateProperties out;
    ASSERT_TRUE(kSolver.SolvePT(point.p, point.T, out)) << point.p << " MPa, " << point.T << " K";
    EXPECT_NEAR(out.d, point.rho, 2e-5) << point.p << " MPa, " << point.T << " K";
    EXPECT_EQ(out.region, 3);
  }
}

TEST(region3_solver_test, pt_outside_region_is_declined) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double cases[][2] = {{15.0, 650.0}, {101.0, 700.0},
                             {30.0, 623.0}, {30.0, 900.0},
                             {20.0, 800.0}, {nan, 650.0},
                             {25.0, nan},   {std::numeric_limits<double>::infinity(), 650.0}};
  for (const auto& pair : cases) {
    StateProperties out;
    EXPECT_FALSE(kSolver.SolvePT(pair[0], pair[1], out)) << pair[0] << " MPa, " << pair[1] << " K";
  }
}

// Near the critical point the start volume can lie more than 0.1 % from the
// root; the widened bracket must still find the root on the phase side of the state.
TEST(region3_solver_test, near_critical_pt_solves_on_the_side_of_the_state) {
  int states = 0;
  int widened = 0;
  for (double T = 645.0; T <= 649.0; T += 0.0173) {
    for (double p = 21.0; p <= 23.0; p += 0.00731) {
      if (!kSolver.InRange(p, T)) {
        continue;
      }
      ++states;
      const double v = kEquation.StartVolume(p, T);
      if ((kEquation.Pressure(T, 1.0 / (0.999 * v)) - p) *
              (kEquation.Pressure(T, 1.0 / (1.001 * v)) - p) >
          0.0) {
        ++widened;
      }
      StateProperties out;
      ASSERT_TRUE(kSolver.SolvePT(p, T, out)) << p << " MPa, " << T << " K";
      EXPECT_NEAR(out.p, p, 1e-6) << p << " MPa, " << T << " K";
      if (T < kCriticalTemperature && p < kCriticalPressure) {
        const bool liquid = T <= kSaturation.SaturationTemperature(p);
        EXPECT_EQ(out.d > kCriticalDensity, liquid) << p << " MPa, " << T << " K";
        EXPECT_LT(out.dpdv, 0.0) << "unstable root at " << p << " MPa, " << T << " K";
      }
    }
  }
  EXPECT_GT(states, 20000);
  EXPECT_GT(widened, 0) << "the grid no longer exercises the widened bracket";
}

TEST(region3_solver_test, th_at_700_K_searches_between_b23_and_dense_liquid) {
  StateProperties state;
  ASSERT_TRUE(kSolver.SolvePT(60.0, 700.0, state));
  StateProperties out;
  ASSERT_TRUE(kSolver.SolveTH(700.0, state.h, out));
  EXPECT_NEAR(out.p, 60.0, 1e-5);
  EXPECT_EQ(out.region, 3);
}

// Densities between the saturated densities are points of the equation's
// unstable loop: the region-3 solver must leave them to the two-phase solver.
TEST(region3_solver_test, temperature_pairs_inside_the_dome_are_declined) {
  for (double T = 630.0; T <= 646.0; T += 2.0) {
    for (double x : {1.0, 25.0, 50.0, 75.0, 99.0}) {
      StateProperties wet;
      ASSERT_TRUE(kTwoPhase.SolveTX(T, x, wet));
      StateProperties liquid;
      StateProperties vapour;
      ASSERT_TRUE(kTwoPhase.SolveTX(T, 0.0, liquid));
      ASSERT_TRUE(kTwoPhase.SolveTX(T, 100.0, vapour));
      StateProperties out;
      EXPECT_FALSE(kSolver.SolveTV(T, wet.v, out)) << T << " K, x = " << x;
      // The same density at the equation: whatever h, s, u the loop gives there.
      const double rho = wet.d;
      double slope = 0.0;
      EXPECT_FALSE(kSolver.SolveTH(T, kEquation.EnthalpyTRho(&slope, T, rho), out))
          << T << " K, x = " << x;
      EXPECT_FALSE(kSolver.SolveTS(T, kEquation.EntropyTRho(&slope, T, rho), out))
          << T << " K, x = " << x;
      EXPECT_FALSE(kSolver.SolveTU(T, kEquation.InternalEnergyTRho(&slope, T, rho), out))
          << T << " K, x = " << x;
      EXPECT_FALSE(kSolver.SolvePV(wet.p, wet.v, out)) << T << " K, x = " << x;
      // Just outside the dome the state is single-phase and answered.
      EXPECT_TRUE(kSolver.SolveTV(T, liquid.v * 0.999, out)) << T << " K";
      EXPECT_TRUE(kSolver.SolveTV(T, vapour.v * 1.001, out)) << T << " K";
    }
  }
}

// Wet steam between 16.53 MPa and the critical pressure lies on the isobars of
// region 3 too; the pressure pairs must leave it to the two-phase solver.
TEST(region3_solver_test, pressure_pairs_of_wet_steam_are_declined) {
  for (double p : {16.6, 18.0, 20.0, 21.5, 22.0}) {
    for (double x : {1.0, 50.0, 99.0}) {
      StateProperties wet;
      ASSERT_TRUE(kTwoPhase.SolvePX(p, x, wet));
      StateProperties out;
      EXPECT_FALSE(kSolver.SolvePH(p, wet.h, out)) << p << " MPa, x = " << x;
      EXPECT_FALSE(kSolver.SolvePS(p, wet.s, out)) << p << " MPa, x = " << x;
      EXPECT_FALSE(kSolver.SolvePU(p, wet.u, out)) << p << " MPa, x = " << x;
      EXPECT_FALSE(kSolver.SolvePV(p, wet.v, out)) << p << " MPa, x = " << x;
    }
    // The saturated phases themselves belong to region 3.
    StateProperties liquid;
    StateProperties vapour;
    ASSERT_TRUE(kTwoPhase.SolvePX(p, 0.0, liquid));
    ASSERT_TRUE(kTwoPhase.SolvePX(p, 100.0, vapour));
    StateProperties out;
    EXPECT_TRUE(kSolver.SolvePH(p, liquid.h - 0.01, out)) << p << " MPa";
    EXPECT_TRUE(kSolver.SolvePH(p, vapour.h + 0.01, out)) << p << " MPa";
  }
}

TEST(region3_solver_test, temperature_pairs_above_100_MPa_are_declined) {
  StateProperties edge;
  ASSERT_TRUE(kSolver.SolvePT(100.0, 700.0, edge));
  StateProperties out;
  EXPECT_TRUE(kSolver.SolveTV(700.0, edge.v * 1.001, out));
  EXPECT_FALSE(kSolver.SolveTV(700.0, edge.v * 0.99, out));
  double slope = 0.0;
  const double rho = edge.d * 1.01;
  EXPECT_FALSE(kSolver.SolveTS(700.0, kEquation.EntropyTRho(&slope, 700.0, rho), out));
}

TEST(region3_solver_test, pv_and_tv_bounds) {
  StateProperties out;
  EXPECT_FALSE(kSolver.SolvePV(25.0, 0.0, out));
  EXPECT_FALSE(kSolver.SolvePV(25.0, -0.002, out));
  EXPECT_FALSE(kSolver.SolvePV(16.0, 0.002, out));
  EXPECT_FALSE(kSolver.SolveTV(650.0, 0.0, out));
  EXPECT_FALSE(kSolver.SolveTV(620.0, 0.002, out));
  EXPECT_FALSE(kSolver.SolveTV(std::numeric_limits<double>::quiet_NaN(), 0.002, out));
  EXPECT_FALSE(kSolver.SolvePH(25.0, std::numeric_limits<double>::quiet_NaN(), out));
  EXPECT_FALSE(kSolver.SolveTH(650.0, std::numeric_limits<double>::quiet_NaN(), out));
}

// Every slot of the solver returns a grid of region-3 states from their own properties.
TEST(region3_solver_test, round_trip_of_all_slots) {
  int failures = 0;
  int trials = 0;
  for (double T = 623.9; T <= 862.0; T += 7.9) {
    for (double p = 16.6; p <= 100.0; p += 2.9) {
      StateProperties state;
      if (!kSolver.SolvePT(p, T, state)) {
        continue;
      }
      const struct {
        const char* name;
        bool (Region3Solver::*solve)(double, double, StateProperties&) const;
        double a, b;
      } pairs[] = {
          {"ph", &Region3Solver::SolvePH, p, state.h}, {"ps", &Region3Solver::SolvePS, p, state.s},
          {"pu", &Region3Solver::SolvePU, p, state.u}, {"pv", &Region3Solver::SolvePV, p, state.v},
          {"th", &Region3Solver::SolveTH, T, state.h}, {"ts", &Region3Solver::SolveTS, T, state.s},
          {"tu", &Region3Solver::SolveTU, T, state.u}, {"tv", &Region3Solver::SolveTV, T, state.v},
      };
      for (const auto& pair : pairs) {
        ++trials;
        StateProperties out;
        const bool ok = (kSolver.*pair.solve)(pair.a, pair.b, out);
        if (!ok || std::fabs(out.t - T) > 1e-4 || std::fabs(out.p - p) > 1e-5 * p) {
          ++failures;
          ADD_FAILURE() << pair.name << " at " << p << " MPa, " << T << " K: ok=" << ok
                        << " T=" << out.t << " p=" << out.p;
        }
      }
    }
  }
  EXPECT_GT(trials, 3000);
  EXPECT_EQ(failures, 0);
}

}  // namespace
}  // namespace vaporix
