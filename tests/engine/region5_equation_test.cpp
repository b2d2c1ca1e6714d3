#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "engine/gibbs_state_checks.h"
#include "vaporix/StateProperties.h"
#include "vaporix/equations/Region5Equation.h"

namespace vaporix {
namespace {

using checks::StatePoint;

const Region5Equation kRegion5;

// Region-5 states, 1073.15 K to 2273.15 K, up to the solver's 10 MPa.
std::vector<StatePoint> Region5Grid() {
  std::vector<StatePoint> points;
  for (const double T : {1073.15, 1200.0, 1500.0, 1800.0, 2000.0, 2273.15}) {
    for (const double p : {0.001, 0.01, 0.1, 0.5, 1.0, 5.0, 10.0}) {
      points.push_back({p, T});
    }
  }
  return points;
}

// IAPWS-IF97 verification values of the region-5 basic equation, to the printed digits.
TEST(region5_equation_test, evaluate_verification_values) {
  StateProperties state;
  ASSERT_TRUE(kRegion5.Evaluate(0.5, 1500.0, state));
  EXPECT_NEAR(state.v, 1.38455354, 5e-9);
  EXPECT_NEAR(state.h, 5219.76332, 5e-6);
  EXPECT_NEAR(state.u, 4527.48654, 5e-6);
  EXPECT_NEAR(state.s, 9.65408431, 5e-9);
  EXPECT_NEAR(state.cp, 2.61610228, 5e-9);
  EXPECT_NEAR(state.w, 917.071933, 5e-7);
  EXPECT_EQ(state.region, 5);

  ASSERT_TRUE(kRegion5.Evaluate(8.0, 2000.0, state));
  EXPECT_NEAR(state.v, 0.115743146, 5e-10);
  EXPECT_NEAR(state.h, 6583.80291, 5e-6);
}

TEST(region5_equation_test, record_relations_on_grid) {
  for (const StatePoint& point : Region5Grid()) {
    StateProperties state;
    ASSERT_TRUE(kRegion5.Evaluate(point.p, point.T, state)) << checks::Where(point.p, point.T);
    EXPECT_EQ(state.region, 5);
    checks::ExpectRecordRelations(state, checks::Where(point.p, point.T));
  }
}

TEST(region5_equation_test, derivatives_match_finite_differences) {
  for (const StatePoint& point : Region5Grid()) {
    checks::ExpectRecordMatchesDifferences(kRegion5, point.p, point.T);
    checks::ExpectSinglePropertySlopes(kRegion5, point.p, point.T);
  }
}

// p = 0, a negative p and T = 0 fail through the non-finite ln pi and
// 1000 K / T; non-finite inputs are refused before anything is written.
TEST(region5_equation_test, failure_points) {
  const StatePoint failingThroughNonFinite[] = {{0.0, 1500.0}, {-0.5, 1500.0}, {0.5, 0.0}};
  for (const StatePoint& point : failingThroughNonFinite) {
    StateProperties state;
    EXPECT_FALSE(kRegion5.Evaluate(point.p, point.T, state)) << checks::Where(point.p, point.T);
  }
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  const StatePoint refusedAtOnce[] = {{nan, 1500.0}, {0.5, nan}, {inf, 1500.0}, {0.5, inf}};
  for (const StatePoint& point : refusedAtOnce) {
    StateProperties state = checks::SentinelRecord();
    EXPECT_FALSE(kRegion5.Evaluate(point.p, point.T, state)) << checks::Where(point.p, point.T);
    EXPECT_TRUE(checks::SameBits(state, checks::SentinelRecord()));
  }
}

TEST(region5_equation_test, threads_give_identical_records) {
  checks::ExpectThreadsGiveSameRecords<Region5Equation>(Region5Grid());
}

}  // namespace
}  // namespace vaporix
