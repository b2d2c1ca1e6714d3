#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string>
#include <vector>

#include "state_acceptance.h"
#include "vaporix/IF97Calculator.h"

namespace vaporix {
namespace {

// A pair whose inputs several states share, and where those states lie:
// each state's pressure (MPa) in CalcAll's order, Calculate's answer first,
// and the quality (%) of the one wet state, if any.
struct TwoValuedCase {
  const char* name;
  InputPair pair;
  double a;
  double b;
  std::vector<double> pressures;
  double wetQuality;
  // Each state's temperature (K) where the pressure is the input.
  std::vector<double> temperatures = {};

  friend void PrintTo(const TwoValuedCase& row, std::ostream* out) { *out << row.name; }
};

// Pressures to 0.1 %: they locate the states; the forward check below
// verifies them to the engine tolerance.
constexpr double kLocation = 1e-3;

const TwoValuedCase kCases[] = {
    // Enthalpy along a hot isotherm has a minimum (about 1214.3 kJ/kg at
    // 40 MPa for 550 K): between it and h' two liquid states.
    {"th_hot_liquid_both_sides_of_minimum", InputPair::TH, 550.0, 1215.0, {23.713, 49.013}, -1.0},
    // Just above h' the hot isotherm is wet at small quality or liquid far up.
    {"th_hot_wet_or_liquid", InputPair::TH, 550.0, 1225.0, {91.319, 6.1171}, 0.3027},
    // Cold: wet at 0.95 kPa with x = 1.7 %, or liquid at 44.3 MPa.
    {"th_cold_wet_or_liquid", InputPair::TH, 279.45, 69.13, {44.251, 0.00095495}, 1.7155},
    // Thermal expansion changes sign with pressure below 277 K: entropy along
    // the isotherm has a maximum (0.53 MPa or 26.6 MPa), and just above s' a
    // wet state too.
    {"ts_cold_liquid", InputPair::TS, 274.37, 0.018665, {26.546, 0.00066758, 0.50743}, 2.5222e-4},
    {"tu_cold_liquid", InputPair::TU, 274.37, 5.2, {49.358, 0.00066758, 9.2231}, 4.0674e-3},
    // The density maximum: one volume at 274.1 K and at 280.2 K.
    {"pv_density_maximum", InputPair::PV, 0.1, 0.0010001, {0.1, 0.1}, -1.0, {280.222, 274.105}},
    // Below 1 kPa the saturated liquid is warmer than the density maximum:
    // the cold liquid's volume recurs in the wet region at a tiny quality.
    {"pv_cold_liquid_or_wet_below_1kpa",
     InputPair::PV,
     0.0008,
     0.00100015,
     {0.0008, 0.0008},
     4.71453e-8,
     {274.105, 276.911}},
};

class all_states_test : public testing::TestWithParam<TwoValuedCase> {
 protected:
  void SetUp() override { engine.Initialize(); }
  IF97Calculator engine;
  acceptance::Checker checker;
};

// Every state is verified by a forward evaluation of its own (p, T), or
// (T, x) when wet, which must give back both inputs.
TEST_P(all_states_test, finds_every_state_each_verified_forward) {
  const TwoValuedCase& row = GetParam();
  const InputPairInfo& info = Describe(row.pair);
  const std::vector<CalculatedState> all = engine.CalcAll(row.pair, row.a, row.b, false, false);
  ASSERT_EQ(all.size(), row.pressures.size());

  StateProperties expected;
  TransportProperties transport;
  ASSERT_TRUE(engine.Calculate(row.pair, row.a, row.b, expected, transport, false, false));
  EXPECT_EQ(all[0].state.p, expected.p) << "Calculate's answer comes first";
  EXPECT_EQ(all[0].state.t, expected.t);

  for (std::size_t i = 0; i < all.size(); ++i) {
    const StateProperties& found = all[i].state;
    SCOPED_TRACE("state " + std::to_string(i) + " p = " + std::to_string(found.p));
    EXPECT_NEAR(found.p, row.pressures[i], kLocation * row.pressures[i]);
    StateProperties forward;
    if (found.region == 4) {
      EXPECT_NEAR(found.x, row.wetQuality, kLocation * row.wetQuality);
      ASSERT_TRUE(engine.CalcSatTX(found.t, found.x, forward, transport, false, false));
    } else {
      ASSERT_TRUE(engine.CalcPT(found.p, found.t, forward, transport, false, false));
    }
    EXPECT_TRUE(acceptance::Reproduces(info.first, row.a, forward.*Describe(info.first).field));
    EXPECT_TRUE(acceptance::Reproduces(info.second, row.b, forward.*Describe(info.second).field));
    for (std::size_t j = 0; j < i; ++j) {
      EXPECT_FALSE(found.p == all[j].state.p && found.t == all[j].state.t) << "a duplicate";
    }
  }
  for (std::size_t i = 0; i < row.temperatures.size(); ++i) {
    EXPECT_NEAR(all[i].state.t, row.temperatures[i], 1e-2) << "state " << i;
  }
}

INSTANTIATE_TEST_SUITE_P(known_cases, all_states_test, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<TwoValuedCase>& row) {
                           return std::string(row.param.name);
                         });

// One state where the pair has one, in English units too; none for bad input.
TEST(all_states_unique_test, single_answers_and_refusals) {
  IF97Calculator engine;
  engine.Initialize();
  const std::vector<CalculatedState> ph = engine.CalcAll(InputPair::PH, 1.0, 1000.0, true, false);
  ASSERT_EQ(ph.size(), 1U);
  EXPECT_EQ(ph[0].state.region, 4);
  EXPECT_GT(ph[0].transport.Sigma, 0.0);

  // 274.37 K = 34.196 degF; 5.2 kJ/kg = 2.2356 Btu/lb: the three cold-liquid states.
  const std::vector<CalculatedState> english = engine.CalcAll(
      InputPair::TU, 34.196, 5.2 / units::kBtuPerPoundToKilojoulePerKilogram, false, true);
  ASSERT_EQ(english.size(), 3U);
  EXPECT_NEAR(english[0].state.p, 49.358 / units::kPsiToMegapascal, 0.1);

  EXPECT_TRUE(engine.CalcAll(InputPair::TH, std::nan(""), 100.0, false, false).empty());
  EXPECT_TRUE(engine.CalcAll(InputPair::PV, 1.0, -0.001, false, false).empty());
  EXPECT_TRUE(engine.CalcAll(InputPair::HS, 1e9, 5.0, false, false).empty());
}

}  // namespace
}  // namespace vaporix
