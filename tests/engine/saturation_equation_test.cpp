#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "vaporix/StateProperties.h"
#include "vaporix/equations/SaturationEquation.h"

namespace vaporix {
namespace {

struct Point {
  double in;
  double expected;
  double tolerance;
};

const SaturationEquation kSaturation;

// IAPWS-IF97 Tables 35 and 36 (saturation pressure and temperature).
TEST(saturation_equation_test, saturation_pressure_verification_values) {
  const Point points[] = {{300.0, 0.00353658941, 5e-12},
                          {500.0, 2.63889776, 5e-9},
                          {600.0, 12.3443146, 5e-8},
                          {273.15, 0.000611212677, 5e-13},
                          {647.096, 22.064, 4e-10}};
  for (const Point& point : points) {
    EXPECT_NEAR(kSaturation.SaturationPressure(point.in), point.expected, point.tolerance)
        << "T = " << point.in;
  }
}

TEST(saturation_equation_test, saturation_temperature_verification_values) {
  const Point points[] = {{0.1, 372.755919, 5e-7},
                          {1.0, 453.035632, 5e-7},
                          {10.0, 584.149488, 5e-7},
                          {22.064, 647.096, 2e-9}};
  for (const Point& point : points) {
    EXPECT_NEAR(kSaturation.SaturationTemperature(point.in), point.expected, point.tolerance)
        << "p = " << point.in;
  }
}

TEST(saturation_equation_test, range_bounds_are_inclusive) {
  EXPECT_EQ(kSaturation.SaturationPressure(273.149), kNotAvailable);
  EXPECT_EQ(kSaturation.SaturationPressure(647.097), kNotAvailable);
  EXPECT_EQ(kSaturation.SaturationTemperature(0.000611212), kNotAvailable);
  EXPECT_GT(kSaturation.SaturationTemperature(0.000611213), 273.0);
  EXPECT_EQ(kSaturation.SaturationTemperature(22.0641), kNotAvailable);
  const double nan = std::numeric_limits<double>::quiet_NaN();
  EXPECT_EQ(kSaturation.SaturationPressure(nan), kNotAvailable);
  EXPECT_EQ(kSaturation.SaturationTemperature(nan), kNotAvailable);
  EXPECT_EQ(kSaturation.B23Pressure(nan), kNotAvailable);
  EXPECT_EQ(kSaturation.B23Temperature(nan), kNotAvailable);
}

// IAPWS-IF97 equations 5 and 6 checked at the published point (623.15 K, 16.5291643 MPa).
TEST(saturation_equation_test, b23_boundary) {
  EXPECT_NEAR(kSaturation.B23Pressure(623.15), 16.5291643, 5e-8);
  EXPECT_EQ(kSaturation.B23Temperature(16.5291643), kNotAvailable);
  const double t = kSaturation.B23Temperature(16.5292);
  EXPECT_GT(t, 623.15);
  EXPECT_LT(t, 623.16);
  EXPECT_EQ(kSaturation.B23Pressure(623.149), kNotAvailable);
  EXPECT_EQ(kSaturation.B23Pressure(863.151), kNotAvailable);
  EXPECT_NEAR(kSaturation.B23Temperature(kSaturation.B23Pressure(700.0)), 700.0, 1e-9);
}

TEST(saturation_equation_test, auxiliary_densities) {
  EXPECT_NEAR(kSaturation.SaturatedLiquidDensity(373.15), 958.35, 0.05);
  EXPECT_NEAR(kSaturation.SaturatedVapourDensity(373.15), 0.598, 0.001);
  EXPECT_TRUE(std::isnan(kSaturation.SaturatedLiquidDensity(650.0)));
  EXPECT_TRUE(std::isnan(kSaturation.SaturatedVapourDensity(650.0)));
}

// Saturation pressure and temperature are inverse to each other along the line.
TEST(saturation_equation_test, pressure_temperature_round_trip) {
  for (double T = 273.16; T < 647.0; T += 7.3) {
    const double p = kSaturation.SaturationPressure(T);
    EXPECT_NEAR(kSaturation.SaturationTemperature(p), T, 1e-7 * T) << "T = " << T;
  }
}

}  // namespace
}  // namespace vaporix
