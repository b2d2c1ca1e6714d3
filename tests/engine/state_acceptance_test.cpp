#include "engine/state_acceptance.h"

#include <gtest/gtest.h>

#include <string>

namespace vaporix {
namespace {

// Every "ok" answer reproduces its two inputs and is the formulation's state at
// its own (p, T): a fixed draw over all 29 pairs, dense near every boundary
// (the long run of the same draws is bench/acceptance_sweep.cpp).
TEST(state_acceptance_test, every_ok_answer_of_every_pair_keeps_the_rule) {
  constexpr int kDrawsPerPair = 400;
  acceptance::Checker checker;
  IF97Calculator engine;
  engine.Initialize();
  for (const InputPairInfo& info : kInputPairs) {
    acceptance::InputDraws draws(1000 + static_cast<std::uint64_t>(info.pair));
    int ok = 0;
    for (int i = 0; i < kDrawsPerPair; ++i) {
      const auto [a, b] = draws.Draw(info.pair);
      StateProperties out;
      TransportProperties transport;
      if (engine.Calculate(info.pair, a, b, out, transport, false, false)) {
        ++ok;
        const std::string why = checker.Check(info.pair, a, b, out);
        EXPECT_TRUE(why.empty()) << (info.saturation ? "sat " : "") << info.name << " " << a << " "
                                 << b << ": " << why;
      }
    }
    EXPECT_GT(ok, kDrawsPerPair / 5) << info.name << ": the draws must reach the range";
  }
}

// The answers that once passed for states: each is now refused, or is the
// right state.
struct Example {
  const char* name;
  InputPair pair;
  double a;
  double b;
  bool exists;
  int region;  // of the right state, when it exists
};

class state_acceptance_examples : public ::testing::TestWithParam<Example> {};

TEST_P(state_acceptance_examples, refused_or_the_right_state) {
  const Example& example = GetParam();
  IF97Calculator engine;
  engine.Initialize();
  StateProperties out;
  TransportProperties transport;
  const bool ok =
      engine.Calculate(example.pair, example.a, example.b, out, transport, false, false);
  ASSERT_EQ(ok, example.exists);
  if (ok) {
    acceptance::Checker checker;
    EXPECT_EQ(checker.Check(example.pair, example.a, example.b, out), "");
    EXPECT_EQ(out.region, example.region);
  }
}

INSTANTIATE_TEST_SUITE_P(
    issue_examples, state_acceptance_examples,
    ::testing::Values(
        // Region-3 densities at 623 K whose pressure lies outside region 3.
        Example{"tv_623_15_liquid_beyond_100_MPa", InputPair::TV, 623.15, 0.00105, false, 0},
        Example{"tv_624_4_region3_loop_at_1_82_MPa", InputPair::TV, 624.4, 0.00104, false, 0},
        // Volumes below the saturated liquid's.
        Example{"pv_below_saturated_liquid", InputPair::PV, 1.0, 0.0001, false, 0},
        Example{"pv_denormal_volume", InputPair::PV, 1.0, 1e-320, false, 0},
        Example{"sat_pv_below_saturated_liquid", InputPair::SatPV, 1.0, 0.0011, false, 0},
        // Enthalpy below the lowest at 600 K (1448.5 kJ/kg at 100 MPa).
        Example{"th_below_lowest_enthalpy", InputPair::TH, 600.0, 1370.0, false, 0},
        Example{"sat_th_below_saturated_liquid", InputPair::SatTH, 600.0, 1370.0, false, 0},
        // Entropy above the saturated vapour's (7.3589 at 1 MPa).
        Example{"sat_ps_above_saturated_vapour", InputPair::SatPS, 1.0, 6.65, false, 0},
        // Wet steam at x of about 99.99 %, not the vapour next to it.
        Example{"ts_wet_steam_near_saturated_vapour", InputPair::TS, 273.15, 9.155, true, 4},
        Example{"sat_ts_wet_steam_near_saturated_vapour", InputPair::SatTS, 273.15, 9.155, true,
                4}),
    [](const ::testing::TestParamInfo<Example>& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace vaporix
