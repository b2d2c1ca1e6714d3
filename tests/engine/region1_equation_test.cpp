#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <limits>
#include <vector>

#include "engine/gibbs_state_checks.h"
#include "vaporix/StateProperties.h"
#include "vaporix/equations/Region1Equation.h"
#include "vaporix/equations/SaturationEquation.h"

namespace vaporix {
namespace {

using checks::StatePoint;

const Region1Equation kRegion1;

// Region-1 states from the saturation line to 100 MPa, 273.15 K to 623.15 K.
std::vector<StatePoint> Region1Grid() {
  const SaturationEquation saturation;
  std::vector<StatePoint> points;
  for (const double T : {273.15, 280.0, 300.0, 350.0, 400.0, 450.0, 500.0, 550.0, 600.0, 623.15}) {
    const double saturationPressure = saturation.SaturationPressure(T);
    points.push_back({saturationPressure * 1.001, T});
    for (const double p : {0.1, 1.0, 5.0, 10.0, 20.0, 50.0, 100.0}) {
      if (p > saturationPressure) {
        points.push_back({p, T});
      }
    }
  }
  return points;
}

// IAPWS-IF97 verification values of the region-1 basic equation at 3 MPa, 300 K,
// to the printed digits.
TEST(region1_equation_test, evaluate_verification_values) {
  StateProperties state;
  state.x = 42.0;
  ASSERT_TRUE(kRegion1.Evaluate(3.0, 300.0, state));
  EXPECT_NEAR(state.v, 0.00100215168, 5e-12);
  EXPECT_NEAR(state.h, 115.331273, 5e-7);
  EXPECT_NEAR(state.u, 112.324818, 5e-7);
  EXPECT_NEAR(state.s, 0.392294792, 5e-10);
  EXPECT_NEAR(state.cp, 4.17301218, 5e-9);
  EXPECT_NEAR(state.w, 1507.73921, 5e-6);
  EXPECT_EQ(state.region, 1);
  EXPECT_EQ(state.p, 3.0);
  EXPECT_EQ(state.t, 300.0);
  EXPECT_EQ(state.x, 42.0) << "the quality is the caller's";
}

TEST(region1_equation_test, backward_verification_values) {
  EXPECT_NEAR(kRegion1.TemperaturePH(3.0, 500.0), 391.798509, 5e-7);
  EXPECT_NEAR(kRegion1.TemperaturePS(3.0, 0.5), 307.842258, 5e-7);
  EXPECT_NEAR(kRegion1.PressureHS(0.001, 0.0), 9.800980612e-4, 5e-14);
}

TEST(region1_equation_test, record_relations_on_grid) {
  for (const StatePoint& point : Region1Grid()) {
    StateProperties state;
    ASSERT_TRUE(kRegion1.Evaluate(point.p, point.T, state)) << checks::Where(point.p, point.T);
    EXPECT_EQ(state.region, 1);
    checks::ExpectRecordRelations(state, checks::Where(point.p, point.T));
  }
}

TEST(region1_equation_test, derivatives_match_finite_differences) {
  for (const StatePoint& point : Region1Grid()) {
    checks::ExpectRecordMatchesDifferences(kRegion1, point.p, point.T);
    checks::ExpectSinglePropertySlopes(kRegion1, point.p, point.T);
  }
}

// Published consistency of the backward equations with the basic equation:
// |dT| <= 25 mK for T(p,h) and T(p,s).
TEST(region1_equation_test, backward_temperatures_round_trip) {
  for (const StatePoint& point : Region1Grid()) {
    StateProperties state;
    ASSERT_TRUE(kRegion1.Evaluate(point.p, point.T, state));
    const std::string where = checks::Where(point.p, point.T);
    EXPECT_NEAR(kRegion1.TemperaturePH(point.p, state.h), point.T, 0.025) << where;
    EXPECT_NEAR(kRegion1.TemperaturePS(point.p, state.s), point.T, 0.025) << where;
  }
}

// p(h,s) is a start value: a dense scan of region 1 finds it within 14 kPa of
// the pressure the state came from.
TEST(region1_equation_test, backward_pressure_round_trip) {
  for (const StatePoint& point : Region1Grid()) {
    StateProperties state;
    ASSERT_TRUE(kRegion1.Evaluate(point.p, point.T, state));
    EXPECT_NEAR(kRegion1.PressureHS(state.h, state.s), point.p, 0.015)
        << checks::Where(point.p, point.T);
  }
}

// The first p whose reduced pressure p / 16.53 MPa is exactly 7.1, and the first
// T whose reduced temperature 1386 K / T is exactly 1.222.
double PressureWithZeroPressureBase() {
  double p = 7.1 * 16.53;
  for (int i = 0; i < 64 && p * 0.060496067755595885 != 7.1; ++i) {
    p = std::nextafter(p, p * 0.060496067755595885 < 7.1 ? 200.0 : 0.0);
  }
  return p;
}

double TemperatureWithZeroTemperatureBase() {
  double T = 1386.0 / 1.222;
  for (int i = 0; i < 64 && 1386.0 / T != 1.222; ++i) {
    T = std::nextafter(T, 1386.0 / T > 1.222 ? 2000.0 : 0.0);
  }
  return T;
}

TEST(region1_equation_test, failure_points_write_nothing) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  const double zeroPressureBase = PressureWithZeroPressureBase();
  const double zeroTemperatureBase = TemperatureWithZeroTemperatureBase();
  ASSERT_EQ(7.1 - zeroPressureBase * 0.060496067755595885, 0.0);
  ASSERT_EQ(1386.0 / zeroTemperatureBase - 1.222, 0.0);
  const StatePoint failing[] = {{0.0, 300.0},
                                {3.0, 0.0},
                                {-0.0, 300.0},
                                {zeroPressureBase, 300.0},
                                {3.0, zeroTemperatureBase},
                                {nan, 300.0},
                                {3.0, nan},
                                {inf, 300.0},
                                {3.0, inf}};
  for (const StatePoint& point : failing) {
    StateProperties state = checks::SentinelRecord();
    EXPECT_FALSE(kRegion1.Evaluate(point.p, point.T, state)) << checks::Where(point.p, point.T);
    EXPECT_TRUE(checks::SameBits(state, checks::SentinelRecord()))
        << "written at " << checks::Where(point.p, point.T);
  }
}

// Floating-point flags left by earlier work (a benign underflow in a transport
// correlation, say) never decline a state, and a failed evaluation leaves
// nothing that declines the next one.
TEST(region1_equation_test, flags_of_earlier_work_decline_nothing) {
  StateProperties state;
  std::feraiseexcept(FE_DIVBYZERO | FE_UNDERFLOW | FE_OVERFLOW | FE_INVALID);
  EXPECT_TRUE(kRegion1.Evaluate(3.0, 300.0, state));
  EXPECT_FALSE(kRegion1.Evaluate(3.0, 0.0, state));
  EXPECT_TRUE(kRegion1.Evaluate(3.0, 300.0, state));
  std::feclearexcept(FE_ALL_EXCEPT);
}

TEST(region1_equation_test, volume_in_range_bounds) {
  struct Case {
    double p;
    double T;
    bool inside;
  };
  const Case cases[] = {
      {100.0, 623.15, true},       {0.001, 273.15, true},        {100.0, 273.15, true},
      {50.0, 450.0, true},         {100.0000001, 300.0, false},  {50.0, 623.16, false},
      {50.0, 273.149, false},      {-0.001, 300.0, false},       {std::nan(""), 300.0, false},
      {50.0, std::nan(""), false}, {0.0, 300.0, false /* 0/0 */}};
  for (const Case& c : cases) {
    const double v = kRegion1.VolumeInRange(c.p, c.T);
    if (c.inside) {
      StateProperties state;
      ASSERT_TRUE(kRegion1.Evaluate(c.p, c.T, state));
      EXPECT_NEAR(v, state.v, 1e-15) << checks::Where(c.p, c.T);
    } else {
      EXPECT_EQ(v, kNotAvailable) << checks::Where(c.p, c.T);
    }
  }
}

TEST(region1_equation_test, backward_equations_refuse_non_finite_input) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(kRegion1.TemperaturePH(nan, 500.0), kNotAvailable);
  EXPECT_EQ(kRegion1.TemperaturePH(3.0, inf), kNotAvailable);
  EXPECT_EQ(kRegion1.TemperaturePS(3.0, nan), kNotAvailable);
  EXPECT_EQ(kRegion1.PressureHS(nan, 0.5), kNotAvailable);
}

TEST(region1_equation_test, threads_give_identical_records) {
  checks::ExpectThreadsGiveSameRecords<Region1Equation>(Region1Grid());
}

}  // namespace
}  // namespace vaporix
