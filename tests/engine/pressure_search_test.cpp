#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "vaporix/IF97Calculator.h"
#include "vaporix/InputPair.h"
#include "vaporix/Limits.h"

namespace vaporix {
namespace {

// A state built by (p, T), asked back through one of the pairs the engine
// answers by searching: the answer is that state, its pressure within
// `pressureTolerance` relative and its temperature within 1e-6 K.
struct SearchCase {
  const char* name;
  InputPair pair;
  double p;  // MPa
  double T;  // K
  double pressureTolerance;
};

class pressure_search_test : public testing::TestWithParam<SearchCase> {};

TEST_P(pressure_search_test, finds_the_state_it_was_built_from) {
  const SearchCase& row = GetParam();
  IF97Calculator engine;
  engine.Initialize();
  StateProperties given;
  TransportProperties transport;
  ASSERT_TRUE(engine.CalcPT(row.p, row.T, given, transport, false, false));
  const InputPairInfo& info = Describe(row.pair);
  StateProperties found;
  ASSERT_TRUE(engine.Calculate(row.pair, given.*Describe(info.first).field,
                               given.*Describe(info.second).field, found, transport, false, false));
  EXPECT_LE(std::fabs(found.p - row.p), row.pressureTolerance * row.p) << "p = " << found.p;
  EXPECT_NEAR(found.t, row.T, 1e-6);
}

// Cold liquid at low pressure, where u and h barely change along the line the
// search follows: the answer's pressure must still be the state's, to 1e-6.
// Along a cold-liquid isentrope u rises with p^2 only: at 3.77 kPa and 278 K
// (du/dp)_s = 1.7e-6 kJ/(kg MPa), while region 1's u carries about 2e-12
// kJ/kg of rounding, so p is defined to about 3e-4 there and no better (the
// (u,s) rows below 0.1 MPa hold that bound; at 0.1 MPa 1e-6 holds again).
constexpr SearchCase kColdLiquid[] = {
    {"hs_3_77_kPa", InputPair::HS, 0.00377, 278.0, 1e-6},
    {"hs_0_7_kPa", InputPair::HS, 0.0007, 273.5, 1e-6},
    {"uv_3_77_kPa", InputPair::UV, 0.00377, 278.0, 1e-6},
    {"uv_10_kPa", InputPair::UV, 0.01, 300.0, 1e-6},
    {"uv_2_kPa", InputPair::UV, 0.002, 290.0, 1e-6},
    {"hv_3_77_kPa", InputPair::HV, 0.00377, 278.0, 1e-6},
    {"vs_0_7_kPa", InputPair::VS, 0.0007, 273.5, 1e-6},
    {"us_0_1_MPa", InputPair::US, 0.1, 280.0, 1e-6},
    {"us_1_MPa", InputPair::US, 1.0, 290.0, 1e-6},
    {"us_3_77_kPa", InputPair::US, 0.00377, 278.0, 3e-4},
    {"us_10_kPa", InputPair::US, 0.01, 300.0, 3e-4},
    {"us_2_kPa", InputPair::US, 0.002, 290.0, 3e-4},
};
INSTANTIATE_TEST_SUITE_P(cold_liquid, pressure_search_test, testing::ValuesIn(kColdLiquid),
                         [](const testing::TestParamInfo<SearchCase>& row) {
                           return std::string(row.param.name);
                         });

// Isochores beside the density maximum hold two states at one pressure (near
// 275 K and near 279 K): (h,v) and (u,v) still find the one they were given.
constexpr SearchCase kDensityMaximum[] = {
    {"uv_2_kPa", InputPair::UV, 0.002, 275.0, 1e-6},
    {"uv_22_kPa", InputPair::UV, 0.0221434636, 275.0, 1e-6},
    {"uv_0_25_MPa", InputPair::UV, 0.24516649, 275.0, 1e-6},
    {"uv_9_MPa", InputPair::UV, 9.0320107, 275.0, 1e-6},
    {"hv_2_kPa", InputPair::HV, 0.002, 275.0, 1e-6},
    {"hv_0_8_MPa", InputPair::HV, 0.815772173, 275.0, 1e-6},
    {"hv_9_MPa", InputPair::HV, 9.0320107, 275.0, 1e-6},
    {"uv_100_MPa_273_15_K", InputPair::UV, 100.0, 273.15, 1e-6},
    {"hv_100_MPa_273_15_K", InputPair::HV, 100.0, 273.15, 1e-6},
    // The state at 273.15 K itself, where nothing colder brackets the target:
    // once declined when its rounding put it a hair above the target.
    {"hv_0_7_kPa_273_15_K", InputPair::HV, 0.0007, 273.15, 1e-6},
    {"uv_0_7_kPa_273_15_K", InputPair::UV, 0.0007, 273.15, 1e-6},
    {"uv_10_kPa_273_15_K", InputPair::UV, 0.01, 273.15, 1e-6},
    {"uv_16_53_MPa_273_15_K", InputPair::UV, 16.53, 273.15, 1e-6},
};
INSTANTIATE_TEST_SUITE_P(density_maximum, pressure_search_test, testing::ValuesIn(kDensityMaximum),
                         [](const testing::TestParamInfo<SearchCase>& row) {
                           return std::string(row.param.name);
                         });

// Region-3 states next to the critical point, answered from region 3's
// equation before any search.
constexpr SearchCase kNearCritical[] = {
    {"us_22_5_MPa_647_5_K", InputPair::US, 22.5, 647.5, 1e-6},
    {"vs_22_5_MPa_647_5_K", InputPair::VS, 22.5, 647.5, 1e-6},
    {"hv_22_5_MPa_647_5_K", InputPair::HV, 22.5, 647.5, 1e-6},
    {"uv_22_5_MPa_647_5_K", InputPair::UV, 22.5, 647.5, 1e-6},
    {"us_25_MPa_660_K", InputPair::US, 25.0, 660.0, 1e-6},
    {"uv_25_MPa_660_K", InputPair::UV, 25.0, 660.0, 1e-6},
    {"hv_40_MPa_700_K", InputPair::HV, 40.0, 700.0, 1e-6},
    {"vs_40_MPa_700_K", InputPair::VS, 40.0, 700.0, 1e-6},
    // A hair inside region 3 at its seams with regions 1 (623.15 K) and 2
    // (the B23 line), where the neighbouring equation holds a state nearby.
    {"hv_623_15_K_seam", InputPair::HV, 35.5, 623.1501, 1e-6},
    {"us_623_15_K_seam", InputPair::US, 35.5, 623.1501, 1e-6},
    {"uv_b23_seam", InputPair::UV, 70.82, 808.8, 1e-6},
    {"vs_b23_seam", InputPair::VS, 70.82, 808.8, 1e-6},
};
INSTANTIATE_TEST_SUITE_P(near_critical, pressure_search_test, testing::ValuesIn(kNearCritical),
                         [](const testing::TestParamInfo<SearchCase>& row) {
                           return std::string(row.param.name);
                         });

// Lines along which the search crawls (a region seam or the saturation line
// lies close to the state) and Newton's iteration on the nearest probe's
// equation answers: still the state they were built from.
constexpr SearchCase kBesideSeams[] = {
    {"us_beside_saturated_vapour", InputPair::US, 8.5754260628611, 573.0513314093487, 1e-6},
    {"vs_beside_saturated_vapour", InputPair::VS, 0.4796324645393, 423.4343329744082, 1e-6},
    {"uv_beside_saturated_vapour", InputPair::UV, 0.614829787991496, 432.940243661502, 1e-6},
    {"hv_below_b23_90_9_MPa", InputPair::HV, 90.904134385146, 847.369853158536, 1e-6},
    {"uv_below_1073_15_K", InputPair::UV, 1.63, 1073.1, 1e-6},
    {"hv_above_1073_15_K", InputPair::HV, 0.1409, 1073.2, 1e-6},
    // A hair below the B23 line, where region 3's equation meets the line at
    // a higher value of u and h than region 2's: once declined.
    {"uv_below_b23_53_9_MPa", InputPair::UV, 53.912207254555298, 770.62596423781281, 1e-6},
    {"hv_below_b23_53_9_MPa", InputPair::HV, 53.912207254555298, 770.62596423781281, 1e-6},
    // Liquid a hair below 623.15 K, where region 1's isochore meets region
    // 3's with a jump: once declined (the search ended on region 3's side).
    {"hv_below_623_15_K_81_MPa", InputPair::HV, 81.0, 623.1499999, 1e-6},
    {"uv_below_623_15_K_47_MPa", InputPair::UV, 47.36, 623.14999997, 1e-6},
    {"uv_below_623_15_K_100_MPa", InputPair::UV, 99.9999, 623.149999, 1e-6},
    {"hv_below_623_15_K_16_5_MPa", InputPair::HV, 16.5367, 623.1499, 1e-6},
    // Lines that top out on the 100 MPa isobar between 1073.14 and 1073.15 K,
    // where the search looked for their top on the 1073.15 K isotherm: once
    // declined.
    {"hv_1073_145_K_99_9999_MPa", InputPair::HV, 99.9999, 1073.145, 1e-6},
    {"uv_1073_145_K_99_9999_MPa", InputPair::UV, 99.9999, 1073.145, 1e-6},
    {"us_1073_145_K_99_9999_MPa", InputPair::US, 99.9999, 1073.145, 1e-6},
    {"vs_1073_145_K_99_9999_MPa", InputPair::VS, 99.9999, 1073.145, 1e-6},
};
INSTANTIATE_TEST_SUITE_P(beside_seams, pressure_search_test, testing::ValuesIn(kBesideSeams),
                         [](const testing::TestParamInfo<SearchCase>& row) {
                           return std::string(row.param.name);
                         });

// Inputs asked as they are; the tests of a single-phase answer also name its
// region.
struct InputCase {
  const char* name;
  InputPair pair;
  double a;
  double b;
  int region = 0;
};

// The answer reproduces both inputs to 1e-6; where the row names a region,
// it is a single-phase state of that region with quality 0.
class searched_answer_test : public testing::TestWithParam<InputCase> {};

TEST_P(searched_answer_test, reproduces_both_inputs) {
  const InputCase& row = GetParam();
  IF97Calculator engine;
  engine.Initialize();
  StateProperties found;
  TransportProperties transport;
  ASSERT_TRUE(engine.Calculate(row.pair, row.a, row.b, found, transport, false, false));
  const InputPairInfo& info = Describe(row.pair);
  EXPECT_NEAR(found.*Describe(info.first).field, row.a, 1e-6 * std::fabs(row.a));
  EXPECT_NEAR(found.*Describe(info.second).field, row.b, 1e-6 * std::fabs(row.b));
  if (row.region != 0) {
    EXPECT_EQ(found.region, row.region);
    EXPECT_EQ(found.x, 0.0);
  }
}

const auto kRowName = [](const testing::TestParamInfo<InputCase>& row) {
  return std::string(row.param.name);
};

// Isentropes whose region-3 stretch touches the B23 line near 780 K (entropy
// between region 3's and region 2's least on the line): the state lies on
// the line, its Newton root a rounding hair beyond it. Once declined after
// the search fell into the stretch beyond the line, which holds no state.
constexpr InputCase kB23Touch[] = {
    {"hs_779_6_K", InputPair::HS, 2650.242263387529, 5.0480158206907744, 3},
    {"hs_777_9_K", InputPair::HS, 2647.924997937796, 5.0479672478536264, 3},
    {"us_778_4_K", InputPair::US, 2461.2179476358187, 5.0479750048982837, 3},
};
INSTANTIATE_TEST_SUITE_P(b23_touch, searched_answer_test, testing::ValuesIn(kB23Touch), kRowName);

// Cold liquid just past the warm end of its isochore's wet stretch, found by
// a search through wet states: once with the quality of a wet neighbour left
// over (1.7e-9 % and more).
constexpr InputCase kColdWetEnd[] = {
    {"hv_280_7_K", InputPair::HV, 31.689644311406621, 0.0010001716144668962, 1},
    {"hv_281_1_K", InputPair::HV, 33.266672913693952, 0.001000192815443147, 1},
    {"uv_282_0_K", InputPair::UV, 37.291798082402494, 0.0010002543990664371, 1},
};
INSTANTIATE_TEST_SUITE_P(cold_wet_end, searched_answer_test, testing::ValuesIn(kColdWetEnd),
                         kRowName);

// Targets in the jump of a line between two equations (the B23 line, the
// 623.15 K and 1073.15 K seams) within the acceptance rule's reach of a
// state beside it: once declined after the search crawled into the jump.
constexpr InputCase kBesideJumps[] = {
    {"hs_b23_725_K", InputPair::HS, 2605.6663321388887, 5.0877683968882259},
    {"us_b23_699_K", InputPair::US, 2452.5734685810303, 5.1459495769623453},
    {"vs_b23_715_K", InputPair::VS, 0.0046445632088564963, 5.1068824390048491},
    {"hv_623_15_K_79_MPa", InputPair::HV, 1557.95375936646, 0.0013545712644729764},
    // A neighbouring isochore's region-3 state at 623.15 K, beside the wet end.
    {"hv_623_15_K_16_5_MPa", InputPair::HV, 1670.8866606708764, 0.0017401268318112187},
    {"us_623_15_K_44_MPa", InputPair::US, 1518.4892239102078, 3.5684271698870029},
    {"vs_623_15_K_45_MPa", InputPair::VS, 0.0014631916273325526, 3.5632632129150439},
    {"us_1073_15_K_0_24_MPa", InputPair::US, 3664.5093980470415, 9.1624659214058006},
};
INSTANTIATE_TEST_SUITE_P(beside_jumps, searched_answer_test, testing::ValuesIn(kBesideJumps),
                         kRowName);

// Targets a rounding band beyond the end of their line (at 273.15 K, at
// 2273.15 K, at 100 MPa), within the acceptance rule's reach of the end
// state: once declined.
constexpr InputCase kBeyondLineEnds[] = {
    {"us_273_15_K_vapour", InputPair::US, 2374.8953366532764, 9.1557593952287721},
    {"uv_2273_15_K", InputPair::UV, 6327.8390640159241, 29.349954190676009},
    {"hv_100_MPa_273_K", InputPair::HV, 95.488779497457514, 0.00095669228274835596},
};
INSTANTIATE_TEST_SUITE_P(beyond_line_ends, searched_answer_test, testing::ValuesIn(kBeyondLineEnds),
                         kRowName);

// Isochores a hair off the critical one that meet the dome microkelvins
// below the critical temperature, where the crossing is too rough to tell the
// target's side: searched in T from the crossing, they answer like the
// targets beside a jump.
constexpr InputCase kCriticalIsochores[] = {
    {"hv_liquid_side", InputPair::HV, 2087.0303959328544, 0.0031026159591667191},
    {"uv_liquid_side", InputPair::UV, 2018.5353892159019, 0.0031023595269469729},
};
INSTANTIATE_TEST_SUITE_P(beside_the_critical_point, searched_answer_test,
                         testing::ValuesIn(kCriticalIsochores), kRowName);

// Wet steam at 273.15 K, the cold end of an isochore's wet stretch (below
// the 1 kPa the pressure search starts from): once declined by (h,v) and
// (u,v).
struct WetCase {
  const char* name;
  InputPair pair;
  double x;  // percent, at 273.15 K
};

class wet_isochore_test : public testing::TestWithParam<WetCase> {};

TEST_P(wet_isochore_test, finds_the_wet_state_it_was_built_from) {
  const WetCase& row = GetParam();
  IF97Calculator engine;
  engine.Initialize();
  StateProperties given;
  TransportProperties transport;
  ASSERT_TRUE(engine.CalcSatTX(limits::kMinimumTemperature, row.x, given, transport, false, false));
  const InputPairInfo& info = Describe(row.pair);
  StateProperties found;
  ASSERT_TRUE(engine.Calculate(row.pair, given.*Describe(info.first).field,
                               given.*Describe(info.second).field, found, transport, false, false));
  EXPECT_EQ(found.region, 4);
  EXPECT_NEAR(found.t, limits::kMinimumTemperature, 1e-6);
  EXPECT_NEAR(found.x, row.x, 1e-4);
}

constexpr WetCase kWetAt273[] = {
    {"uv_x_50", InputPair::UV, 50.0},
    {"hv_x_50", InputPair::HV, 50.0},
    {"uv_x_0_001", InputPair::UV, 0.001},
    {"hv_x_99", InputPair::HV, 99.0},
};
INSTANTIATE_TEST_SUITE_P(at_273_15_K, wet_isochore_test, testing::ValuesIn(kWetAt273),
                         [](const testing::TestParamInfo<WetCase>& row) {
                           return std::string(row.param.name);
                         });

}  // namespace
}  // namespace vaporix
