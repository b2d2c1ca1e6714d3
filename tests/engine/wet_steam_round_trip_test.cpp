#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <initializer_list>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "engine/round_trip_support.h"
#include "vaporix/IF97Calculator.h"
#include "vaporix/StateProperties.h"

namespace vaporix {
namespace {

using round_trip::Pair;

const std::vector<Pair> kSaturationPairs = round_trip::Pairs(true);

// The temperature pairs of the single-phase page.
std::vector<Pair> TemperaturePairs() {
  std::vector<Pair> pairs;
  for (const Pair& pair : round_trip::kSinglePhasePairs) {
    if (pair.first == &StateProperties::t) {
      pairs.push_back(pair);
    }
  }
  return pairs;
}
const std::vector<Pair> kTemperaturePairs = TemperaturePairs();

bool SameWetState(const StateProperties& expected, const StateProperties& got) {
  return got.region == 4 && std::fabs(got.t - expected.t) <= 1e-4 &&
         std::fabs(got.p - expected.p) <= 1e-5 * expected.p &&
         std::fabs(got.x - expected.x) <= 1e-4;
}

struct Tally {
  std::map<std::string, int> failuresByPair;
  int trials = 0;
  int failures = 0;

  void Check(IF97Calculator& engine, const Pair& pair, const StateProperties& state) {
    ++trials;
    StateProperties out;
    TransportProperties transport;
    const bool ok = round_trip::Solve(engine, pair, state, out, transport);
    if (!ok || !SameWetState(state, out)) {
      ++failures;
      ++failuresByPair[pair.name];
      std::printf("  %s region 4 at %.6f K, x = %g %%: %s, region %d, %.8f K, x = %.6f %%\n",
                  pair.name.c_str(), state.t, state.x, ok ? "other state" : "declined", out.region,
                  out.t, out.x);
    }
  }

  void Print() const {
    round_trip::PrintFailuresByPair(failuresByPair);
    std::printf("  %d trials, %d failures\n", trials, failures);
  }
};

// Wet steam from the triple point to 647 K and qualities from 1 to 99 %: every
// saturation pair returns the state (|dT| <= 1e-4 K, |dp|/p <= 1e-5,
// |dx| <= 1e-4 %, region 4) on every trial.
TEST(wet_steam_round_trip_test, all_saturation_pairs_return_the_state) {
  IF97Calculator engine;
  engine.Initialize();
  Tally tally;
  int states = 0;
  // Every 15 K from the triple point, both sides of 623.15 K, and closer
  // steps towards the critical point.
  std::vector<double> temperatures;
  for (double T = 273.16; T < 620.0; T += 15.0) {
    temperatures.push_back(T);
  }
  for (double T : {620.0, 623.0, 623.15, 623.3, 626.0, 630.0, 634.0, 638.0, 641.0, 643.0, 644.5,
                   645.5, 646.2, 646.6, 646.8, 646.9, 646.95, 647.0}) {
    temperatures.push_back(T);
  }
  const double qualities[] = {1.0, 3.0, 10.0, 25.0, 40.0, 50.0, 60.0, 75.0, 90.0, 97.0, 99.0};
  for (double T : temperatures) {
    for (double x : qualities) {
      StateProperties state;
      TransportProperties transport;
      ASSERT_TRUE(engine.CalcSatTX(T, x, state, transport, false, false)) << T << " K, " << x;
      ASSERT_EQ(state.region, 4);
      ++states;
      for (const Pair& pair : kSaturationPairs) {
        tally.Check(engine, pair, state);
      }
    }
  }
  tally.Print();
  EXPECT_EQ(states, static_cast<int>(temperatures.size() * std::size(qualities)));
  EXPECT_EQ(tally.failures, 0);
}

// Dome states entered on the single-phase page: regions 1 to 3 decline them,
// so the two-phase solver answers with the right quality.
TEST(wet_steam_round_trip_test, near_critical_dome_states_on_the_single_phase_page) {
  IF97Calculator engine;
  engine.Initialize();
  Tally tally;
  for (double T = 630.0; T <= 646.0; T += 0.5) {
    for (double x = 1.0; x <= 99.0; x += 7.0) {
      StateProperties state;
      TransportProperties transport;
      ASSERT_TRUE(engine.CalcSatTX(T, x, state, transport, false, false)) << T << " K, " << x;
      for (const Pair& pair : kTemperaturePairs) {
        tally.Check(engine, pair, state);
      }
    }
  }
  tally.Print();
  EXPECT_EQ(tally.failures, 0);
}

}  // namespace
}  // namespace vaporix
