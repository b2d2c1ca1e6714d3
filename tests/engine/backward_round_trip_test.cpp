#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

#include "vaporix/IF97Calculator.h"
#include "vaporix/Limits.h"
#include "vaporix/equations/SaturationEquation.h"

namespace vaporix {
namespace {

// 20,000 random states of one region, each through (p,h), (p,s), (h,s) and,
// for wet steam, the saturation page's (h,s): every state is found, its
// temperature within 1e-6 K. Single-phase states keep 0.05 K from the
// seams of their region (623.15 K, the B23 line, the saturation line), where
// the neighbouring region's equation, a few millikelvin apart, answers first.

constexpr int kStates = 20000;
constexpr double kSeam = 0.05;  // K
const SaturationEquation kSaturation;

bool DrawState(IF97Calculator& engine, const std::string& region, std::mt19937_64& random,
               StateProperties& state) {
  const auto uniform = [&](double a, double b) {
    return std::uniform_real_distribution<double>(a, b)(random);
  };
  TransportProperties transport;
  if (region == "wet") {
    return engine.CalcSatTX(uniform(limits::kMinimumTemperature, 647.09), uniform(0.0, 100.0),
                            state, transport, false, false);
  }
  double p = 0.0;
  double T = 0.0;
  if (region == "region1") {
    p = uniform(0.001, 100.0);
    T = uniform(limits::kMinimumTemperature, limits::kRegion13Temperature - kSeam);
  } else if (region == "region2") {
    p = std::exp(uniform(std::log(0.001), std::log(100.0)));
    T = uniform(limits::kMinimumTemperature, limits::kRegion2MaximumTemperature);
  } else if (random() % 2 == 0) {  // region 3, half of it next to the critical point
    p = uniform(20.0, 26.0);
    T = uniform(640.0, 660.0);
  } else {
    p = uniform(limits::kSaturationPressureAt623, 100.0);
    T = uniform(limits::kRegion13Temperature + kSeam, 863.15);
  }
  const int expected = region == "region1" ? 1 : region == "region2" ? 2 : 3;
  if (!engine.CalcPT(p, T, state, transport, false, false) || state.region != expected) {
    return false;
  }
  // Away from the saturation line and the B23 line.
  if (p <= limits::kCriticalPressure && T <= limits::kCriticalTemperature &&
      std::fabs(T - kSaturation.SaturationTemperature(p)) < kSeam) {
    return false;
  }
  return !(T >= limits::kRegion13Temperature && T <= 863.15 &&
           std::fabs(T - kSaturation.B23Temperature(p)) < kSeam);
}

class backward_round_trip_test : public testing::TestWithParam<const char*> {};

TEST_P(backward_round_trip_test, every_state_found_within_a_microkelvin) {
  const std::string region = GetParam();
  IF97Calculator engine;
  engine.Initialize();
  std::mt19937_64 random(20261208);
  struct Route {
    const char* name;
    bool (IF97Calculator::*calc)(double, double, StateProperties&, TransportProperties&, bool,
                                 bool);
    double StateProperties::*first;
    double StateProperties::*second;
  };
  const Route routes[] = {
      {"ph", &IF97Calculator::CalcPH, &StateProperties::p, &StateProperties::h},
      {"ps", &IF97Calculator::CalcPS, &StateProperties::p, &StateProperties::s},
      {"hs", &IF97Calculator::CalcHS, &StateProperties::h, &StateProperties::s},
      {"saturation hs", &IF97Calculator::CalcSatHS, &StateProperties::h, &StateProperties::s},
  };
  int failures = 0;
  for (int n = 0; n < kStates;) {
    StateProperties state;
    if (!DrawState(engine, region, random, state)) {
      continue;
    }
    ++n;
    for (const Route& route : routes) {
      if (route.calc == &IF97Calculator::CalcSatHS && region != "wet") {
        continue;
      }
      StateProperties out;
      TransportProperties transport;
      const bool found = (engine.*route.calc)(state.*route.first, state.*route.second, out,
                                              transport, false, false);
      // A wet state given its pressure lies at Ts(p), which meets the drawn
      // temperature only to the saturation equations' own round trip (1e-6 K
      // next to the critical point).
      const bool atPressure = route.first == &StateProperties::p;
      const double expected =
          region == "wet" && atPressure ? kSaturation.SaturationTemperature(state.p) : state.t;
      if (!found || !(std::fabs(out.t - expected) <= 1e-6)) {
        if (++failures <= 10) {
          ADD_FAILURE() << region << " " << route.name << " at p = " << state.p
                        << " MPa, T = " << state.t << " K, x = " << state.x << ": "
                        << (found ? "T = " + std::to_string(out.t) : std::string("not found"));
        }
      }
    }
  }
  EXPECT_EQ(failures, 0);
}

INSTANTIATE_TEST_SUITE_P(regions, backward_round_trip_test,
                         testing::Values("region1", "region2", "region3", "wet"),
                         [](const testing::TestParamInfo<const char*>& row) {
                           return std::string(row.param);
                         });

}  // namespace
}  // namespace vaporix
