#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "engine/gibbs_state_checks.h"
#include "vaporix/StateProperties.h"
#include "vaporix/equations/Region2Equation.h"
#include "vaporix/equations/SaturationEquation.h"

namespace vaporix {
namespace {

using checks::StatePoint;

const Region2Equation kRegion2;

// Upper pressure of region 2 at T: the saturation line, the B23 line, then 100 MPa.
double UpperPressure(double T) {
  const SaturationEquation saturation;
  if (T <= 623.15) {
    return saturation.SaturationPressure(T);
  }
  if (T <= 863.15) {
    return saturation.B23Pressure(T);
  }
  return 100.0;
}

// Region-2 states from very low pressure up to the region's upper pressure.
std::vector<StatePoint> Region2Grid() {
  std::vector<StatePoint> points;
  for (const double T : {273.15, 300.0, 350.0, 400.0, 500.0, 600.0, 623.15, 650.0, 700.0, 800.0,
                         863.15, 900.0, 1000.0, 1073.15}) {
    const double upper = UpperPressure(T);
    for (const double fraction : {1e-4, 0.01, 0.1, 0.3, 0.6, 0.9, 1.0}) {
      points.push_back({upper * fraction, T});
    }
  }
  return points;
}

// IAPWS-IF97 verification values of the region-2 basic equation, to the printed digits.
TEST(region2_equation_test, evaluate_verification_values) {
  StateProperties state;
  ASSERT_TRUE(kRegion2.Evaluate(0.0035, 300.0, state));
  EXPECT_NEAR(state.v, 39.4913866, 5e-8);
  EXPECT_NEAR(state.h, 2549.91145, 5e-6);
  EXPECT_NEAR(state.u, 2411.69160, 5e-6);
  EXPECT_NEAR(state.s, 8.52238967, 5e-9);
  EXPECT_NEAR(state.cp, 1.91300162, 5e-9);
  EXPECT_NEAR(state.w, 427.920172, 5e-7);
  EXPECT_EQ(state.region, 2);

  ASSERT_TRUE(kRegion2.Evaluate(30.0, 700.0, state));
  EXPECT_NEAR(state.v, 0.00542946619, 5e-12);
  EXPECT_NEAR(state.h, 2631.49474, 5e-6);
}

struct BackwardCase {
  double first;
  double second;
  double expected;
  double tolerance;
  const char* subregion;
};

TEST(region2_equation_test, backward_verification_values) {
  const BackwardCase temperaturePH[] = {{0.001, 3000.0, 534.433241, 5e-7, "2a"},
                                        {5.0, 3500.0, 801.299102, 5e-7, "2b"},
                                        {40.0, 2700.0, 743.056411, 5e-7, "2c"}};
  for (const BackwardCase& c : temperaturePH) {
    EXPECT_NEAR(kRegion2.TemperaturePH(c.first, c.second), c.expected, c.tolerance)
        << "T(p,h) " << c.subregion;
  }
  const BackwardCase temperaturePS[] = {{0.1, 7.5, 399.517097, 5e-7, "2a"},
                                        {8.0, 6.0, 600.484040, 5e-7, "2b"},
                                        {20.0, 5.75, 697.992849, 5e-7, "2c"}};
  for (const BackwardCase& c : temperaturePS) {
    EXPECT_NEAR(kRegion2.TemperaturePS(c.first, c.second), c.expected, c.tolerance)
        << "T(p,s) " << c.subregion;
  }
  const BackwardCase pressureHS[] = {{2800.0, 6.5, 1.371012767, 5e-10, "2a"},
                                     {3600.0, 6.0, 83.95519209, 5e-9, "2b"},
                                     {2800.0, 5.1, 94.39202060, 5e-9, "2c"}};
  for (const BackwardCase& c : pressureHS) {
    EXPECT_NEAR(kRegion2.PressureHS(c.first, c.second), c.expected, c.tolerance)
        << "p(h,s) " << c.subregion;
  }
}

// On a subregion boundary the backward equations jump by some millikelvin; the
// value on the boundary must join the side the boundary belongs to.
void ExpectJoinsSide(double onBoundary, double ownSide, double otherSide, const char* what) {
  EXPECT_LT(std::fabs(onBoundary - ownSide), 1e-11 * std::fabs(ownSide)) << what;
  EXPECT_GT(std::fabs(onBoundary - otherSide), 1e-9 * std::fabs(ownSide)) << what;
}

TEST(region2_equation_test, subregion_boundaries) {
  const double belowFour = std::nextafter(4.0, 0.0);
  const double aboveFour = std::nextafter(4.0, 5.0);
  for (const double h : {2800.0, 3000.0, 3500.0}) {
    ExpectJoinsSide(kRegion2.TemperaturePH(4.0, h), kRegion2.TemperaturePH(aboveFour, h),
                    kRegion2.TemperaturePH(belowFour, h), "T(p,h): p = 4 takes 2b");
  }
  for (const double s : {6.2, 6.5}) {
    ExpectJoinsSide(kRegion2.TemperaturePS(4.0, s), kRegion2.TemperaturePS(aboveFour, s),
                    kRegion2.TemperaturePS(belowFour, s), "T(p,s): p = 4 takes 2b");
  }
  const double belowB2bc = std::nextafter(5.85, 0.0);
  const double aboveB2bc = std::nextafter(5.85, 6.0);
  for (const double p : {10.0, 20.0, 50.0}) {
    ExpectJoinsSide(kRegion2.TemperaturePS(p, 5.85), kRegion2.TemperaturePS(p, aboveB2bc),
                    kRegion2.TemperaturePS(p, belowB2bc), "T(p,s): s = 5.85 takes 2b");
  }
  for (const double h : {2800.0, 3000.0, 3300.0}) {
    ExpectJoinsSide(kRegion2.PressureHS(h, 5.85), kRegion2.PressureHS(h, aboveB2bc),
                    kRegion2.PressureHS(h, belowB2bc), "p(h,s): s = 5.85 is not 2c");
  }
}

// The 2a/2b boundary of p(h,s) is h_2ab(s) of the p(h,s) release; on either side the
// pressure is about 4 MPa, and the two equations nearly agree there.
TEST(region2_equation_test, pressure_hs_2ab_boundary) {
  for (const double s : {6.0, 6.5, 7.0}) {
    const double boundary = -3498.98083432139 + 2575.60716905876 * s - 421.073558227969 * s * s +
                            27.6349063799944 * s * s * s;
    const double below = kRegion2.PressureHS(boundary - 0.01, s);
    const double above = kRegion2.PressureHS(boundary + 0.01, s);
    EXPECT_NEAR(below, 4.0, 0.02) << "s = " << s;
    EXPECT_NEAR(above, 4.0, 0.02) << "s = " << s;
    EXPECT_NEAR(above, below, 5e-4) << "s = " << s;
  }
}

TEST(region2_equation_test, record_relations_on_grid) {
  for (const StatePoint& point : Region2Grid()) {
    StateProperties state;
    ASSERT_TRUE(kRegion2.Evaluate(point.p, point.T, state)) << checks::Where(point.p, point.T);
    EXPECT_EQ(state.region, 2);
    checks::ExpectRecordRelations(state, checks::Where(point.p, point.T));
  }
}

TEST(region2_equation_test, derivatives_match_finite_differences) {
  for (const StatePoint& point : Region2Grid()) {
    checks::ExpectRecordMatchesDifferences(kRegion2, point.p, point.T);
    checks::ExpectSinglePropertySlopes(kRegion2, point.p, point.T);
  }
}

// The grid without the states below the triple-point pressure, where the
// backward equations were not fitted.
std::vector<StatePoint> BackwardGrid() {
  std::vector<StatePoint> points;
  for (const StatePoint& point : Region2Grid()) {
    if (point.p >= 0.000611) {
      points.push_back(point);
    }
  }
  return points;
}

// The backward temperatures agree with the basic equation within 25 mK; a
// dense scan finds at most 24 mK, near the B23 line and the saturation line at
// high pressure (subregions 2b and 2c), and a term-by-term evaluation of the
// published sums gives the same.
TEST(region2_equation_test, backward_temperatures_round_trip) {
  for (const StatePoint& point : BackwardGrid()) {
    StateProperties state;
    ASSERT_TRUE(kRegion2.Evaluate(point.p, point.T, state));
    const std::string where = checks::Where(point.p, point.T);
    EXPECT_NEAR(kRegion2.TemperaturePH(point.p, state.h), point.T, 0.025) << where;
    EXPECT_NEAR(kRegion2.TemperaturePS(point.p, state.s), point.T, 0.025) << where;
  }
}

TEST(region2_equation_test, backward_pressure_round_trip) {
  for (const StatePoint& point : BackwardGrid()) {
    StateProperties state;
    ASSERT_TRUE(kRegion2.Evaluate(point.p, point.T, state));
    EXPECT_NEAR(kRegion2.PressureHS(state.h, state.s), point.p, 1e-4 * point.p)
        << checks::Where(point.p, point.T);
  }
}

TEST(region2_equation_test, failure_points) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  const StatePoint refusedAtOnce[] = {{0.0, 700.0}, {1.0, 0.0},   {nan, 700.0},
                                      {1.0, nan},   {inf, 700.0}, {1.0, inf}};
  for (const StatePoint& point : refusedAtOnce) {
    StateProperties state = checks::SentinelRecord();
    EXPECT_FALSE(kRegion2.Evaluate(point.p, point.T, state)) << checks::Where(point.p, point.T);
    EXPECT_TRUE(checks::SameBits(state, checks::SentinelRecord()))
        << "written at " << checks::Where(point.p, point.T);
  }
  // tau = 540 K / 1080 K = 0.5: the residual derivatives divide by zero.
  StateProperties state;
  EXPECT_FALSE(kRegion2.Evaluate(1.0, 1080.0, state));
  EXPECT_TRUE(kRegion2.Evaluate(1.0, 1073.15, state));
}

TEST(region2_equation_test, volume_in_range_bounds) {
  struct Case {
    double p;
    double T;
    bool inside;
  };
  const Case cases[] = {{0.001, 1073.15, true},
                        {100.0, 1073.15, true},
                        {0.001, 273.15, true},
                        {1.0, 1073.16, false},
                        {1.0, 273.149, false},
                        {100.0000001, 900.0, false},
                        {-0.001, 900.0, false},
                        {std::nan(""), 900.0, false},
                        {0.0, 900.0, false /* infinite volume */}};
  for (const Case& c : cases) {
    const double v = kRegion2.VolumeInRange(c.p, c.T);
    if (c.inside) {
      StateProperties state;
      ASSERT_TRUE(kRegion2.Evaluate(c.p, c.T, state));
      EXPECT_NEAR(v, state.v, 1e-14 * state.v) << checks::Where(c.p, c.T);
    } else {
      EXPECT_EQ(v, kNotAvailable) << checks::Where(c.p, c.T);
    }
  }
}

TEST(region2_equation_test, backward_equations_refuse_non_finite_input) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  for (const double p : {0.1, 5.0, 40.0}) {
    EXPECT_EQ(kRegion2.TemperaturePH(p, nan), kNotAvailable);
    EXPECT_EQ(kRegion2.TemperaturePS(p, inf), kNotAvailable);
  }
  EXPECT_EQ(kRegion2.TemperaturePH(nan, 3000.0), kNotAvailable);
  EXPECT_EQ(kRegion2.PressureHS(2800.0, nan), kNotAvailable);
  EXPECT_EQ(kRegion2.PressureHS(nan, 6.5), kNotAvailable);
}

TEST(region2_equation_test, threads_give_identical_records) {
  checks::ExpectThreadsGiveSameRecords<Region2Equation>(Region2Grid());
}

}  // namespace
}  // namespace vaporix
