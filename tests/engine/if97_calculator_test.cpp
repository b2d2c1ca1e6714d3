#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <future>
#include <limits>
#include <thread>
#include <vector>

#include "engine/record_bits.h"
#include "vaporix/IF97Calculator.h"
#include "vaporix/Properties.h"
#include "vaporix/equations/SaturationEquation.h"

namespace vaporix {
namespace {

using EntryPoint = bool (IF97Calculator::*)(double, double, StateProperties&, TransportProperties&,
                                            bool, bool);

constexpr EntryPoint kAllEntryPoints[] = {
    &IF97Calculator::CalcPT,    &IF97Calculator::CalcPH,    &IF97Calculator::CalcPS,
    &IF97Calculator::CalcPU,    &IF97Calculator::CalcPV,    &IF97Calculator::CalcTH,
    &IF97Calculator::CalcTS,    &IF97Calculator::CalcTU,    &IF97Calculator::CalcTV,
    &IF97Calculator::CalcHS,    &IF97Calculator::CalcUS,    &IF97Calculator::CalcVS,
    &IF97Calculator::CalcHV,    &IF97Calculator::CalcUV,    &IF97Calculator::CalcSatPX,
    &IF97Calculator::CalcSatTX, &IF97Calculator::CalcSatPH, &IF97Calculator::CalcSatPS,
    &IF97Calculator::CalcSatPU, &IF97Calculator::CalcSatPV, &IF97Calculator::CalcSatTH,
    &IF97Calculator::CalcSatTS, &IF97Calculator::CalcSatTU, &IF97Calculator::CalcSatTV,
    &IF97Calculator::CalcSatHS, &IF97Calculator::CalcSatUS, &IF97Calculator::CalcSatVS,
    &IF97Calculator::CalcSatHV, &IF97Calculator::CalcSatUV,
};

using records::SameBits;

// Every property of two records agrees to 1e-12 relative (absolute below 1,
// where the free energies lose digits to cancellation): the input factors
// written here are the exact definitions, the engine's may differ in the last bit.
::testing::AssertionResult SameWithin(const StateProperties& a, const StateProperties& b,
                                      const TransportProperties& at,
                                      const TransportProperties& bt) {
  for (const PropertyInfo& info : kProperties) {
    const double expected = ValueOf(info, b, bt);
    const double actual = ValueOf(info, a, at);
    if (std::abs(actual - expected) > 1e-12 * std::max(std::abs(expected), 1.0)) {
      return ::testing::AssertionFailure() << info.key << ": " << actual << " vs " << expected;
    }
  }
  return ::testing::AssertionSuccess();
}

// 1 psi = 1 lbf/in2 = 0.45359237 kg * 9.80665 m/s2 / (0.0254 m)2, in MPa.
constexpr double kPsiInMPa = 6.8947572931683616e-3;
// 1 ft3/lb in m3/kg.
constexpr double kCubicFootPerPoundInSI = 0.062427960576144609;

class if97_calculator_test : public ::testing::Test {
 protected:
  void SetUp() override { engine.Initialize(); }

  // Region of the (p, T) state, or 0 when the engine answers false.
  int RegionPT(double p, double T) {
    StateProperties state;
    TransportProperties transport;
    return engine.CalcPT(p, T, state, transport, false, false) ? state.region : 0;
  }

  IF97Calculator engine;
  SaturationEquation saturation;
};

TEST_F(if97_calculator_test, solver_order_decides_boundary_points) {
  struct Case {
    const char* what;
    double p;
    double T;
    int region;
  };
  const Case cases[] = {
      {"compressed liquid", 1.0, 300.0, 1},
      {"superheated steam", 1.0, 500.0, 2},
      {"high-temperature steam", 5.0, 1500.0, 5},
      {"triple point", 0.000611657, 273.16, 1},
      {"saturation line at 300 K", saturation.SaturationPressure(300.0), 300.0, 1},
      {"saturation line at 500 K", saturation.SaturationPressure(500.0), 500.0, 1},
      {"saturation line at 623.15 K", saturation.SaturationPressure(623.15), 623.15, 1},
      {"623.15 K isotherm at 50 MPa", 50.0, 623.15, 1},
      {"623.15 K isotherm at 100 MPa", 100.0, 623.15, 1},
      {"B23 line at 700 K", saturation.B23Pressure(700.0), 700.0, 2},
      {"B23 line at 863.15 K", saturation.B23Pressure(863.15), 863.15, 2},
      {"1073.15 K isotherm at 10 MPa", 10.0, 1073.15, 2},
      {"1073.15 K isotherm at 0.001 MPa", 0.001, 1073.15, 2},
      {"just above 1073.15 K at 10 MPa", 10.0, 1073.16, 5},
      {"region 5 corner", 10.0, 2273.15, 5},
      {"100 MPa, 900 K", 100.0, 900.0, 2},
      {"pressure above 100 MPa", 100.0001, 500.0, 0},
      {"region 5 above 10 MPa", 10.0001, 1500.0, 0},
      {"above 2273.15 K", 1.0, 2273.16, 0},
      {"below 273.15 K", 1.0, 273.14, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RegionPT(c.p, c.T), c.region) << c.what;
  }
}

TEST_F(if97_calculator_test, region_3_point_is_never_given_to_regions_1_or_2) {
  // (100 MPa, 800 K) lies above the B23 line.
  EXPECT_EQ(RegionPT(100.0, 800.0), 3);
}

TEST_F(if97_calculator_test, region_2_solver_alone_accepts_the_saturation_line) {
  Region2Solver solver;
  solver.Initialize(&engine);
  StateProperties state;
  EXPECT_TRUE(solver.SolvePT(saturation.SaturationPressure(450.0), 450.0, state));
  EXPECT_EQ(state.region, 2);
}

TEST_F(if97_calculator_test, two_phase_solver_never_answers_p_t) {
  TwoPhaseSolver solver;
  solver.Initialize(&engine);
  StateProperties state;
  EXPECT_FALSE(solver.SolvePT(saturation.SaturationPressure(450.0), 450.0, state));
  EXPECT_FALSE(solver.SolvePT(1.0, 400.0, state));
}

TEST_F(if97_calculator_test, non_finite_inputs_are_refused_by_every_entry_point) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  const double pairs[][2] = {{nan, 300.0},  {1.0, nan},  {inf, 300.0}, {1.0, inf},
                             {-inf, 300.0}, {1.0, -inf}, {nan, nan}};
  for (EntryPoint entryPoint : kAllEntryPoints) {
    for (const auto& pair : pairs) {
      for (bool english : {false, true}) {
        StateProperties state;
        TransportProperties transport;
        EXPECT_FALSE((engine.*entryPoint)(pair[0], pair[1], state, transport, true, english))
            << pair[0] << ", " << pair[1];
      }
    }
  }
  // A huge finite value that the English conversion overflows.
  StateProperties state;
  TransportProperties transport;
  EXPECT_FALSE(engine.CalcPS(100.0, 1e308, state, transport, true, true));
}

TEST_F(if97_calculator_test, non_positive_volume_is_refused) {
  StateProperties state;
  TransportProperties transport;
  for (double v : {0.0, -0.001, -1.0}) {
    EXPECT_FALSE(engine.CalcPV(1.0, v, state, transport, false, false)) << v;
    EXPECT_FALSE(engine.CalcTV(300.0, v, state, transport, false, false)) << v;
  }
}

TEST_F(if97_calculator_test, english_input_of_14_5_psi_and_212_F) {
  StateProperties english;
  TransportProperties englishTransport;
  ASSERT_TRUE(engine.CalcPT(14.5, 212.0, english, englishTransport, true, true));
  StateProperties si;
  TransportProperties siTransport;
  ASSERT_TRUE(
      engine.CalcPT(14.5 * kPsiInMPa, (212.0 + 459.67) / 1.8, si, siTransport, true, false));
  EXPECT_NEAR(si.p, 0.099973980750941, 1e-15);
  EXPECT_NEAR(si.t, 373.15, 1e-12);
  EXPECT_EQ(si.region, 2);  // just above the saturation temperature at 0.09997 MPa
  StateProperties converted = si;
  IF97Calculator::ToEnglish(converted);
  TransportProperties convertedTransport = siTransport;
  IF97Calculator::ToEnglish(convertedTransport);
  EXPECT_TRUE(SameWithin(english, converted, englishTransport, convertedTransport));
  // The output factor is the reciprocal of the input factor: 14.5 psi comes back.
  EXPECT_NEAR(english.p, 14.5, 1e-13);
  EXPECT_NEAR(english.t, 212.0, 1e-9);
}

TEST_F(if97_calculator_test, english_input_factors_of_every_quantity) {
  struct Case {
    const char* what;
    EntryPoint entryPoint;
    double a;
    double b;
    double siA;
    double siB;
  };
  const Case cases[] = {
      {"p, h", &IF97Calculator::CalcPH, 145.0, 100.0, 145.0 * kPsiInMPa, 100.0 * 2.326},
      {"p, s", &IF97Calculator::CalcPS, 145.0, 0.5, 145.0 * kPsiInMPa, 0.5 * 4.1868},
      {"t, v", &IF97Calculator::CalcTV, 100.0, 0.01606, (100.0 + 459.67) * 0.5555555555555556,
       0.01606 * kCubicFootPerPoundInSI},
      {"t, u", &IF97Calculator::CalcTU, 1000.0, 1320.0, (1000.0 + 459.67) * 0.5555555555555556,
       1320.0 * 2.326},
  };
  for (const Case& c : cases) {
    StateProperties english;
    StateProperties si;
    TransportProperties transport;
    const bool englishFound = (engine.*c.entryPoint)(c.a, c.b, english, transport, false, true);
    const bool siFound = (engine.*c.entryPoint)(c.siA, c.siB, si, transport, false, false);
    ASSERT_EQ(englishFound, siFound) << c.what;
    ASSERT_TRUE(siFound) << c.what;
    IF97Calculator::ToEnglish(si);
    EXPECT_TRUE(SameWithin(english, si, transport, transport)) << c.what;
  }
}

TEST_F(if97_calculator_test, english_output_factors_of_the_state) {
  StateProperties state;
  state.p = 0.1;
  state.t = 373.15;
  state.v = 2.0;
  state.d = 3.0;
  state.h = 4.0;
  state.s = 5.0;
  state.u = 6.0;
  state.cp = 7.0;
  state.cv = 8.0;
  state.w = 9.0;
  state.kapa = 1.3;
  state.H = 10.0;
  state.G = 11.0;
  state.Z = 0.9;
  state.alpha = 12.0;
  state.Kt = 13.0;
  state.dvdt = 14.0;
  state.dvdp = 15.0;
  state.dpdt = 16.0;
  state.dpdv = 17.0;
  state.iJTC = 18.0;
  state.JTC = 19.0;
  state.x = 42.0;
  state.region = 4;
  IF97Calculator::ToEnglish(state);
  EXPECT_NEAR(state.p, 14.503773773020922, 1e-14);
  EXPECT_NEAR(state.t, 212.0, 1e-12);
  // Each factor written out from the exact definitions of the pound, foot,
  // psi, Btu(IT) and degF.
  constexpr double v = 0.3048 * 0.3048 * 0.3048 / 0.45359237;  // m3/kg per ft3/lb
  constexpr double psi = kPsiInMPa;
  const struct {
    const char* field;
    double value;
    double expected;
  } fields[] = {
      {"v", state.v, 2.0 / v},
      {"d", state.d, 3.0 * v},
      {"h", state.h, 4.0 / 2.326},
      {"s", state.s, 5.0 / 4.1868},
      {"u", state.u, 6.0 / 2.326},
      {"cp", state.cp, 7.0 / 4.1868},
      {"cv", state.cv, 8.0 / 4.1868},
      {"w", state.w, 9.0 / 0.3048},
      {"kapa", state.kapa, 1.3},
      {"H", state.H, 10.0 / 2.326},
      {"G", state.G, 11.0 / 2.326},
      {"Z", state.Z, 0.9},
      {"alpha", state.alpha, 12.0 / 1.8},
      {"Kt", state.Kt, 13.0 * psi},
      {"dvdt", state.dvdt, 14.0 / v / 1.8},
      {"dvdp", state.dvdp, 15.0 / v * psi},
      {"dpdt", state.dpdt, 16.0 / psi / 1.8},
      {"dpdv", state.dpdv, 17.0 / psi * v},
      {"iJTC", state.iJTC, 18.0 / 2.326 * psi},
      {"JTC", state.JTC, 19.0 * 1.8 * psi},
      {"x", state.x, 42.0},
  };
  for (const auto& field : fields) {
    EXPECT_NEAR(field.value, field.expected, 1e-13 * std::abs(field.expected)) << field.field;
  }
  EXPECT_EQ(state.region, 4);
  // The published lb/ft3 of 958.775 kg/m3 (saturated water at 100 degC).
  StateProperties water;
  water.d = 958.775;
  IF97Calculator::ToEnglish(water);
  EXPECT_NEAR(water.d, 59.8544, 5e-5);
}

TEST_F(if97_calculator_test, english_output_factors_of_transport_keep_not_available) {
  TransportProperties transport{2.0, 3.0, 4.0, 5.0, 6.0, 58.9};
  IF97Calculator::ToEnglish(transport);
  // uPa s to lb/(ft h), mm2/s to ft2/h, W/(m K) to Btu/(h ft degF), mN/m to lbf/ft.
  const struct {
    const char* field;
    double value;
    double expected;
  } fields[] = {
      {"dv", transport.dv, 2.0 * 0.0024190883105022249},
      {"kv", transport.kv, 3.0 * 0.038750077500155002},
      {"tc", transport.tc, 4.0 * 0.57778931654299814},
      {"td", transport.td, 5.0 * 0.038750077500155002},
      {"Pr", transport.Pr, 6.0},
      {"Sigma", transport.Sigma, 58.9 * 6.8521765856791752e-05},
  };
  for (const auto& field : fields) {
    EXPECT_NEAR(field.value, field.expected, 1e-13 * std::abs(field.expected)) << field.field;
  }

  TransportProperties unavailable{-1.0, -1.0, -1.0, -1.0, -1.0, -1.0};
  IF97Calculator::ToEnglish(unavailable);
  for (double value : {unavailable.dv, unavailable.kv, unavailable.tc, unavailable.td,
                       unavailable.Pr, unavailable.Sigma}) {
    EXPECT_EQ(value, kNotAvailable);
  }
}

TEST_F(if97_calculator_test, transport_not_available_chain) {
  struct Case {
    const char* what;
    double p;
    double T;
    bool viscosity;
    bool conductivity;
    bool surfaceTension;
  };
  const Case cases[] = {
      {"liquid at 1 MPa, 300 K", 1.0, 300.0, true, true, true},
      {"steam at 1 MPa, 800 K", 1.0, 800.0, true, true, false},
      {"steam above the conductivity range", 1.0, 1150.0, true, false, false},
      {"steam above both ranges", 1.0, 1500.0, false, false, false},
  };
  for (const Case& c : cases) {
    StateProperties state;
    TransportProperties transport;
    ASSERT_TRUE(engine.CalcPT(c.p, c.T, state, transport, true, false)) << c.what;
    EXPECT_EQ(transport.dv != kNotAvailable, c.viscosity) << c.what;
    EXPECT_EQ(transport.kv != kNotAvailable, c.viscosity) << c.what;
    EXPECT_EQ(transport.tc != kNotAvailable, c.conductivity) << c.what;
    EXPECT_EQ(transport.td != kNotAvailable, c.conductivity) << c.what;
    EXPECT_EQ(transport.Pr != kNotAvailable, c.viscosity && c.conductivity) << c.what;
    EXPECT_EQ(transport.Sigma != kNotAvailable, c.surfaceTension) << c.what;
    if (c.viscosity && c.conductivity) {
      EXPECT_NEAR(transport.kv, transport.dv * state.v, 1e-12 * transport.kv) << c.what;
      EXPECT_NEAR(transport.td, transport.tc * state.v * 1000.0 / state.cp, 1e-12 * transport.td)
          << c.what;
      EXPECT_NEAR(transport.Pr, transport.dv * state.cp * 0.001 / transport.tc,
                  1e-12 * transport.Pr)
          << c.what;
    }
  }
}

TEST_F(if97_calculator_test, without_transport_the_transport_record_is_untouched) {
  StateProperties state;
  TransportProperties transport{7.0, 7.0, 7.0, 7.0, 7.0, 7.0};
  ASSERT_TRUE(engine.CalcPT(1.0, 300.0, state, transport, false, false));
  EXPECT_EQ(transport.dv, 7.0);
  EXPECT_EQ(transport.Sigma, 7.0);
}

TEST_F(if97_calculator_test, key_tables) {
  EXPECT_EQ(engine.PropertyNumber("p"), 1);
  EXPECT_EQ(engine.PropertyNumber("h"), 5);
  EXPECT_EQ(engine.PropertyNumber("H"), 12);
  EXPECT_EQ(engine.PropertyNumber("region"), 16);
  EXPECT_EQ(engine.PropertyNumber("Sigma"), 30);
  EXPECT_EQ(engine.PropertyNumber("sigma"), 0);
  EXPECT_EQ(engine.SupplementaryNumber("cp"), 1);
  EXPECT_EQ(engine.SupplementaryNumber("alpha"), 5);
  EXPECT_EQ(engine.SupplementaryNumber("Sigma"), 18);
  EXPECT_EQ(engine.SupplementaryNumber("H"), 0);
  EXPECT_EQ(engine.SupplementaryNumber("x"), 0);
  engine.Initialize();  // a second call gives the same tables
  EXPECT_EQ(engine.PropertyNumber("Pr"), 29);
  EXPECT_EQ(engine.SupplementaryNumber("Pr"), 17);
}

TEST_F(if97_calculator_test, region_1_t_h_accepts_enthalpies_where_they_rise_with_pressure) {
  // At 300 K enthalpy rises from about 112.6 kJ/kg at the saturation line to
  // about 201.5 kJ/kg at 100 MPa; at 600 K it falls with pressure.
  struct Case {
    double T;
    double p;
  };
  const Case cases[] = {{300.0, 50.0}, {400.0, 10.0}, {550.0, 90.0}, {600.0, 30.0}, {623.15, 60.0}};
  for (const Case& c : cases) {
    StateProperties given;
    StateProperties found;
    TransportProperties transport;
    ASSERT_TRUE(engine.CalcPT(c.p, c.T, given, transport, false, false));
    ASSERT_TRUE(engine.CalcTH(c.T, given.h, found, transport, false, false)) << c.T;
    EXPECT_EQ(found.region, 1);
    EXPECT_NEAR(found.p, c.p, 1e-5 * c.p) << c.T;
  }
  // Outside both end enthalpies at 300 K: 100 kJ/kg lies below every state at
  // 300 K; 210 kJ/kg lies above the saturated liquid, so the two-phase solver
  // answers it as wet steam.
  StateProperties state;
  TransportProperties transport;
  EXPECT_FALSE(engine.CalcTH(300.0, 100.0, state, transport, false, false));
  ASSERT_TRUE(engine.CalcTH(300.0, 210.0, state, transport, false, false));
  EXPECT_EQ(state.region, 4);
  EXPECT_NEAR(state.h, 210.0, 1e-6);
}

TEST_F(if97_calculator_test, region_2_backward_p_s_declines_high_entropy_above_10_mpa) {
  Region2Solver solver;
  solver.Initialize(&engine);
  StateProperties state;
  EXPECT_FALSE(solver.BackwardPS(11.0, 7.6, state));
  EXPECT_TRUE(solver.BackwardPS(11.0, 7.0, state));
  EXPECT_EQ(state.region, 2);
}

TEST_F(if97_calculator_test, backward_operations_stay_close_to_the_iterated_state) {
  Region1Solver region1;
  Region2Solver region2;
  region1.Initialize(&engine);
  region2.Initialize(&engine);
  StateProperties iterated;
  StateProperties backward;
  TransportProperties transport;
  ASSERT_TRUE(engine.CalcPH(3.0, 500.0, iterated, transport, false, false));
  ASSERT_TRUE(region1.BackwardPH(3.0, 500.0, backward));
  EXPECT_NEAR(backward.t, iterated.t, 0.03);
  ASSERT_TRUE(engine.CalcPS(3.0, 6.5, iterated, transport, false, false));
  ASSERT_TRUE(region2.BackwardPS(3.0, 6.5, backward));
  EXPECT_NEAR(backward.t, iterated.t, 0.03);
  EXPECT_FALSE(region1.BackwardPH(3.0, 1700.0, backward));  // enthalpy test
  EXPECT_FALSE(region2.BackwardHS(2400.0, 6.0, backward));  // enthalpy test
  Region5Solver region5;
  EXPECT_FALSE(region5.BackwardPH(3.0, 4000.0, backward));  // no backward equations
}

TEST_F(if97_calculator_test, region_5_refuses_zero_pressure) {
  Region5Solver solver;
  solver.Initialize(&engine);
  StateProperties state;
  EXPECT_FALSE(solver.SolvePT(0.0, 1500.0, state));
  EXPECT_FALSE(solver.SolvePH(0.0, 5000.0, state));
  EXPECT_FALSE(solver.SolvePS(0.0, 9.0, state));
  EXPECT_FALSE(solver.SolvePU(0.0, 4000.0, state));
  EXPECT_FALSE(solver.SolvePV(0.0, 1.0, state));
}

TEST_F(if97_calculator_test, region_5_t_h_above_the_ideal_gas_limit_is_declined) {
  StateProperties low;
  TransportProperties transport;
  ASSERT_TRUE(engine.CalcPT(1e-9, 1500.0, low, transport, false, false));
  StateProperties state;
  EXPECT_FALSE(engine.CalcTH(1500.0, low.h + 1.0, state, transport, false, false));
}

TEST_F(if97_calculator_test, pressure_search_results_meet_their_acceptance) {
  struct Case {
    const char* what;
    double p;
    double T;
  };
  const Case cases[] = {{"steam at 0.01 MPa", 0.01, 700.0},
                        {"steam at 0.002 MPa", 0.002, 400.0},
                        {"region 5", 5.0, 1500.0}};
  for (const Case& c : cases) {
    StateProperties given;
    StateProperties found;
    TransportProperties transport;
    ASSERT_TRUE(engine.CalcPT(c.p, c.T, given, transport, false, false)) << c.what;
    if (engine.CalcHS(given.h, given.s, found, transport, false, false)) {
      EXPECT_LT(std::fabs(found.h - given.h), 1.0) << c.what;
    }
    if (engine.CalcUS(given.u, given.s, found, transport, false, false)) {
      EXPECT_LT(std::fabs(found.u - given.u), 1.0) << c.what;
    }
    if (engine.CalcHV(given.h, given.v, found, transport, false, false)) {
      EXPECT_LT(std::fabs(found.h - given.h), 0.001 * given.h) << c.what;
    }
    if (engine.CalcUV(given.u, given.v, found, transport, false, false)) {
      EXPECT_LT(std::fabs(found.u - given.u), 0.001 * given.u) << c.what;
    }
  }
}

TEST_F(if97_calculator_test, pressure_search_outside_its_ends_fails) {
  StateProperties state;
  TransportProperties transport;
  // Enthalpy far above every state of entropy 9 kJ/(kg K), and far below.
  EXPECT_FALSE(engine.CalcHS(9000.0, 9.0, state, transport, false, false));
  EXPECT_FALSE(engine.CalcHS(10.0, 9.0, state, transport, false, false));
  // An entropy no edge of the range carries: no upper end.
  EXPECT_FALSE(engine.CalcHS(3000.0, 40.0, state, transport, false, false));
  EXPECT_FALSE(engine.CalcHS(100.0, -5.0, state, transport, false, false));
  // A specific volume no state at 0.001 MPa has.
  EXPECT_FALSE(engine.CalcHV(3000.0, 1e6, state, transport, false, false));
}

TEST_F(if97_calculator_test, english_pressure_search_converts_inputs_and_outputs) {
  StateProperties given;
  TransportProperties transport;
  ASSERT_TRUE(engine.CalcPT(0.01, 700.0, given, transport, false, false));
  StateProperties si;
  ASSERT_TRUE(engine.CalcHS(given.h, given.s, si, transport, true, false));
  StateProperties english;
  TransportProperties englishTransport;
  ASSERT_TRUE(
      engine.CalcHS(given.h / 2.326, given.s / 4.1868, english, englishTransport, true, true));
  EXPECT_NEAR(english.t, si.t * 1.8 - 459.67, 1e-6);
  EXPECT_NEAR(english.p, si.p / kPsiInMPa, 1e-6);
  EXPECT_EQ(english.region, si.region);
}

TEST_F(if97_calculator_test, search_bounds_at_region_edges) {
  // Round trips that exercise the start values and bracket ends of the
  // region 1 and 2 searches.
  struct Case {
    const char* what;
    EntryPoint entryPoint;
    double p;
    double T;
    double StateProperties::*second;
  };
  const Case cases[] = {
      // Backward temperature minus 0.05 K below 273.15 K: the search starts there.
      {"(p,h) at 273.16 K", &IF97Calculator::CalcPH, 1.0, 273.16, &StateProperties::h},
      {"(p,h) at 273.15 K, 100 MPa", &IF97Calculator::CalcPH, 100.0, 273.15, &StateProperties::h},
      {"(p,s) at 273.2 K", &IF97Calculator::CalcPS, 1.0, 273.2, &StateProperties::s},
      // Above 16.5292 MPa region 1 reaches 623.15 K, below it the saturation line.
      {"(p,u) at 20 MPa, 620 K", &IF97Calculator::CalcPU, 20.0, 620.0, &StateProperties::u},
      {"(p,v) at 20 MPa, 620 K", &IF97Calculator::CalcPV, 20.0, 620.0, &StateProperties::v},
      {"(p,u) just below Ts(10 MPa)", &IF97Calculator::CalcPU, 10.0, 584.0, &StateProperties::u},
      {"(p,v) just below Ts(10 MPa)", &IF97Calculator::CalcPV, 10.0, 584.0, &StateProperties::v},
      // Region 2 between 0.000611153 and 0.000611213 MPa, where Ts(p) is not available.
      {"(p,h) at 0.0006112 MPa", &IF97Calculator::CalcPH, 0.0006112, 300.0, &StateProperties::h},
      {"(p,s) at 0.0006112 MPa", &IF97Calculator::CalcPS, 0.0006112, 300.0, &StateProperties::s},
      // Region 2 on the B23 line and at 1073.15 K; region 5 at its corners.
      {"(p,h) on B23 at 700 K", &IF97Calculator::CalcPH, 0.999 * saturation.B23Pressure(700.0),
       700.0, &StateProperties::h},
      {"(p,h) at 1073.15 K", &IF97Calculator::CalcPH, 10.0, 1073.15, &StateProperties::h},
      {"(p,h) at 2273.15 K", &IF97Calculator::CalcPH, 10.0, 2273.15, &StateProperties::h},
      {"(p,s) at 1073.16 K", &IF97Calculator::CalcPS, 1.0, 1073.16, &StateProperties::s},
  };
  for (const Case& c : cases) {
    StateProperties given;
    StateProperties found;
    TransportProperties transport;
    ASSERT_TRUE(engine.CalcPT(c.p, c.T, given, transport, false, false)) << c.what;
    ASSERT_TRUE((engine.*c.entryPoint)(c.p, given.*c.second, found, transport, false, false))
        << c.what;
    EXPECT_NEAR(found.t, c.T, 1e-4) << c.what;
    EXPECT_EQ(found.region, given.region) << c.what;
  }
}

TEST_F(if97_calculator_test, lock_is_released_on_every_way_out) {
  // Failing calls of every kind on one thread; another thread must then get in.
  std::thread failing([&] {
    StateProperties state;
    TransportProperties transport;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (EntryPoint entryPoint : kAllEntryPoints) {
      (engine.*entryPoint)(nan, 1.0, state, transport, true, false);
      (engine.*entryPoint)(1e9, 1e9, state, transport, true, true);
      (engine.*entryPoint)(-1.0, -1.0, state, transport, true, false);
    }
  });
  failing.join();
  auto other = std::async(std::launch::async, [&] {
    StateProperties state;
    TransportProperties transport;
    return engine.CalcPT(1.0, 300.0, state, transport, true, false);
  });
  ASSERT_EQ(other.wait_for(std::chrono::seconds(20)), std::future_status::ready);
  EXPECT_TRUE(other.get());
}

// The states of one thread's share of the work, filled by the given engine.
std::vector<StateProperties> ComputeStates(IF97Calculator& engine, int first, int count) {
  std::vector<StateProperties> states;
  for (int i = first; i < first + count; ++i) {
    const double p = 0.01 + 0.37 * i;
    const double T = 280.0 + 3.1 * i;
    StateProperties state;
    TransportProperties transport;
    if (engine.CalcPT(p, T, state, transport, true, false)) {
      StateProperties found;
      engine.CalcPH(p, state.h, found, transport, true, false);
      states.push_back(found);
    }
    states.push_back(state);
  }
  return states;
}

TEST_F(if97_calculator_test, two_engines_on_two_threads_match_one_thread_bit_for_bit) {
  constexpr int kCount = 250;
  const std::vector<StateProperties> alone = ComputeStates(engine, 0, kCount);
  for (int round = 0; round < 3; ++round) {
    std::vector<StateProperties> first;
    std::vector<StateProperties> second;
    std::thread a([&] {
      IF97Calculator own;
      own.Initialize();
      first = ComputeStates(own, 0, kCount);
    });
    std::thread b([&] {
      IF97Calculator own;
      own.Initialize();
      second = ComputeStates(own, 0, kCount);
    });
    a.join();
    b.join();
    ASSERT_EQ(first.size(), alone.size());
    ASSERT_EQ(second.size(), alone.size());
    EXPECT_TRUE(SameBits(first, alone));
    EXPECT_TRUE(SameBits(second, alone));
  }
}

TEST_F(if97_calculator_test, one_engine_shared_by_two_threads_serialises_its_calls) {
  constexpr int kCount = 200;
  const std::vector<StateProperties> alone = ComputeStates(engine, 0, kCount);
  std::vector<StateProperties> first;
  std::vector<StateProperties> second;
  std::thread a([&] { first = ComputeStates(engine, 0, kCount); });
  std::thread b([&] { second = ComputeStates(engine, 0, kCount); });
  a.join();
  b.join();
  ASSERT_EQ(first.size(), alone.size());
  EXPECT_TRUE(SameBits(first, alone));
  EXPECT_TRUE(SameBits(second, alone));
}

}  // namespace
}  // namespace vaporix
