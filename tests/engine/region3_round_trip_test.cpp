#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <string>

#include "engine/round_trip_support.h"
#include "vaporix/IF97Calculator.h"
#include "vaporix/StateProperties.h"

namespace vaporix {
namespace {

using round_trip::kSinglePhasePairs;
using round_trip::Pair;

bool SameState(const StateProperties& expected, const StateProperties& got) {
  return got.region == expected.region && std::fabs(got.t - expected.t) <= 1e-4 &&
         std::fabs(got.p - expected.p) <= 1e-5 * expected.p;
}

// A grid over region 3 with a denser patch around the critical point: every
// pair returns the state it was built from (|dT| <= 1e-4 K, |dp|/p <= 1e-5,
// region 3) on every trial.
TEST(region3_round_trip_test, all_single_phase_pairs_return_the_state) {
  IF97Calculator engine;
  engine.Initialize();
  std::map<std::string, int> failuresByPair;
  int trials = 0;
  int failures = 0;
  int states = 0;
  const auto check = [&](double p, double T) {
    StateProperties state;
    TransportProperties transport;
    if (!engine.CalcPT(p, T, state, transport, false, false) || state.region != 3) {
      return;
    }
    ++states;
    for (const Pair& pair : kSinglePhasePairs) {
      ++trials;
      StateProperties out;
      const bool ok = round_trip::Solve(engine, pair, state, out, transport);
      if ((!ok || !SameState(state, out))) {
        ++failures;
        ++failuresByPair[pair.name];
        std::printf("  %s region %d at %.6f MPa, %.6f K: %s, region %d, %.8f MPa, %.8f K\n",
                    pair.name.c_str(), state.region, p, T, ok ? "other state" : "declined",
                    out.region, out.p, out.t);
      }
    }
  };
  for (double T = 623.7; T <= 863.0; T += 7.3) {
    for (double p = 16.7; p <= 99.9; p += 2.6) {
      check(p, T);
    }
  }
  for (double T = 640.05; T <= 656.0; T += 0.61) {
    for (double p = 19.03; p <= 26.0; p += 0.29) {
      check(p, T);
    }
  }
  round_trip::PrintFailuresByPair(failuresByPair);
  std::printf("  %d states, %d trials, %d failures\n", states, trials, failures);
  EXPECT_GT(states, 900);
  EXPECT_EQ(failures, 0);
}

}  // namespace
}  // namespace vaporix
