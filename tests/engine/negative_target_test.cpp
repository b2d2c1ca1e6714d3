#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "vaporix/IF97Calculator.h"
#include "vaporix/InputPair.h"

namespace vaporix {
namespace {

// Cold liquid at 100 MPa and 273.15 K has u = -0.28 kJ/kg and
// s = -0.0086 kJ/(kg K): every pair that takes s or u finds it from those
// negative inputs (a relative acceptance on the bare target refused them).
class negative_target_test : public testing::TestWithParam<InputPair> {};

TEST_P(negative_target_test, finds_the_cold_liquid_state) {
  IF97Calculator engine;
  engine.Initialize();
  StateProperties state;
  TransportProperties transport;
  ASSERT_TRUE(engine.CalcPT(100.0, 273.15, state, transport, false, false));
  ASSERT_LT(state.u, 0.0);
  ASSERT_LT(state.s, 0.0);
  const InputPairInfo& pair = Describe(GetParam());
  StateProperties out;
  ASSERT_TRUE(engine.Calculate(pair.pair, state.*Describe(pair.first).field,
                               state.*Describe(pair.second).field, out, transport, false, false));
  EXPECT_NEAR(out.p, 100.0, 1e-6);
  EXPECT_NEAR(out.t, 273.15, 1e-6);
}

INSTANTIATE_TEST_SUITE_P(pairs, negative_target_test,
                         testing::Values(InputPair::PS, InputPair::PU, InputPair::TS, InputPair::TU,
                                         InputPair::HS, InputPair::US, InputPair::VS),
                         [](const testing::TestParamInfo<InputPair>& row) {
                           return std::string(Describe(row.param).name);
                         });

}  // namespace
}  // namespace vaporix
