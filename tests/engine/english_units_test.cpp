#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "vaporix/IF97Calculator.h"
#include "vaporix/InputPair.h"
#include "vaporix/Properties.h"

namespace vaporix {
namespace {

// An English input read back by the property table gives the typed number:
// the output factor of every input quantity is the reciprocal of its input
// factor, and the Fahrenheit offsets cancel.
TEST(english_units_test, output_factors_are_reciprocals_of_input_factors) {
  for (const QuantityInfo& quantity : kQuantities) {
    const PropertyInfo* property = FindProperty(quantity.key);
    ASSERT_NE(property, nullptr) << quantity.key;
    // Reciprocal to the last bit the division can give.
    EXPECT_NEAR(property->englishFactor * quantity.englishFactor, 1.0,
                std::numeric_limits<double>::epsilon())
        << quantity.key;
    EXPECT_EQ(property->englishOffset, -quantity.englishOffset) << quantity.key;
  }
}

struct EnteredState {
  const char* name;
  InputPair pair;
  double a;  // SI inputs
  double b;
};

class english_input_test : public ::testing::TestWithParam<EnteredState> {};

// The same state typed in English units and in SI units: every property
// agrees to 1e-12 relative, in every region and for a direct, a backward and
// a two-phase pair.
TEST_P(english_input_test, english_inputs_find_the_si_state) {
  const EnteredState& entered = GetParam();
  IF97Calculator engine;
  engine.Initialize();
  StateProperties si;
  TransportProperties siTransport;
  ASSERT_TRUE(engine.Calculate(entered.pair, entered.a, entered.b, si, siTransport, true, false));

  // The inputs in English units, through the property table's output factors.
  const InputPairInfo& pair = Describe(entered.pair);
  const auto toEnglish = [&](Quantity quantity, double value) {
    const PropertyInfo& info = *FindProperty(Describe(quantity).key);
    return value * info.englishFactor + info.englishOffset;
  };
  StateProperties english;
  TransportProperties englishTransport;
  ASSERT_TRUE(engine.Calculate(entered.pair, toEnglish(pair.first, entered.a),
                               toEnglish(pair.second, entered.b), english, englishTransport, true,
                               true));

  IF97Calculator::ToEnglish(si);
  IF97Calculator::ToEnglish(siTransport);
  for (const PropertyInfo& info : kProperties) {
    const double expected = ValueOf(info, si, siTransport);
    EXPECT_NEAR(ValueOf(info, english, englishTransport), expected, 1e-12 * std::abs(expected))
        << info.key;
  }
}

INSTANTIATE_TEST_SUITE_P(
    states, english_input_test,
    ::testing::Values(EnteredState{"region1_pt", InputPair::PT, 3.0, 300.0},
                      EnteredState{"region2_pt", InputPair::PT, 0.1, 500.0},
                      EnteredState{"region3_pt", InputPair::PT, 25.0, 650.0},
                      EnteredState{"region5_pt", InputPair::PT, 5.0, 1500.0},
                      EnteredState{"region1_ph", InputPair::PH, 3.0, 500.0},
                      EnteredState{"region2_ps", InputPair::PS, 1.0, 7.0},
                      EnteredState{"wet_steam_px", InputPair::SatPX, 1.0, 50.0},
                      EnteredState{"wet_steam_tx", InputPair::SatTX, 400.0, 30.0}),
    [](const ::testing::TestParamInfo<EnteredState>& row) { return row.param.name; });

}  // namespace
}  // namespace vaporix
