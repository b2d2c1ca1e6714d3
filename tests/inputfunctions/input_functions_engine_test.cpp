#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "IF97CalculationEngine.h"
#include "ImplementFunction.h"
#include "ImplementSatFunction.h"
#include "support/FakeInputPage.h"
#include "support/InputFunctionSteps.h"
#include "vaporix/IF97Calculator.h"

namespace vaporix {
namespace {

using testing::ApplyTypeAndCalculate;
using testing::FakeInputPage;
using testing::FunctionAt;
using enum InputStatus;

// A page whose input functions talk to a real, initialised engine.
class EnginePage : public FakeInputPage {
 public:
  EnginePage() : adapter(calculator) {
    calculator.Initialize();
    engine = &adapter;
  }

  IF97Calculator calculator;
  IF97CalculationEngine adapter;
};

struct EngineCase {
  const char* what;
  int position;
  UnitSystem system;
  std::array<int, 2> unitPositions;
  std::array<const char*, 2> typed;
  InputStatus status;
  int region = 0;  // checked when the status is Ok
};

// Positions of the single-phase list.
constexpr int PT = 0, PH = 1, PV = 3, HS = 9, HV = 12;

TEST(input_functions_engine_test, single_phase_page_statuses_with_the_engine) {
  const EngineCase cases[] = {
      {"compressed liquid", PT, UnitSystem::SI, {1, 1}, {"1", "300"}, Ok, 1},
      {"superheated steam", PT, UnitSystem::SI, {0, 0}, {"10", "226.85"}, Ok, 2},
      {"high-temperature steam", PT, UnitSystem::SI, {1, 1}, {"5", "1500"}, Ok, 5},
      {"14.5 psi at 212 degF, just above boiling",
       PT,
       UnitSystem::English,
       {0, 0},
       {"14.5", "212"},
       Ok,
       2},
      {"in both ranges, outside the formulation",
       PT,
       UnitSystem::SI,
       {1, 0},
       {"100", "2000"},
       PointOutOfRange},
      {"(p, h) enthalpy beyond every region",
       PH,
       UnitSystem::SI,
       {1, 0},
       {"1", "99999"},
       PointOutOfRange},
      {"(p, v) superheated", PV, UnitSystem::SI, {1, 0}, {"0.1", "2"}, Ok, 2},
      {"(h, s) far outside", HS, UnitSystem::SI, {0, 0}, {"99999", "99999"}, PointOutOfRange},
      {"(h, s) zeros", HS, UnitSystem::SI, {0, 0}, {"0", "0"}, PointOutOfRange},
      {"(h, v) at the volume bound",
       HV,
       UnitSystem::SI,
       {0, 0},
       {"100", "0.00100021"},
       SecondOutOfRange},
  };
  for (const EngineCase& c : cases) {
    EnginePage page;
    const auto functions = CreateSinglePhaseFunctions(page);
    StateProperties out;
    TransportProperties transport;
    EXPECT_EQ(ApplyTypeAndCalculate(page, FunctionAt(functions, c.position), c.system,
                                    c.unitPositions, c.typed, out, transport),
              c.status)
        << c.what;
    if (c.status == Ok) {
      EXPECT_EQ(out.region, c.region) << c.what;
      // Transport properties were asked for: a value, or -1 where no correlation holds.
      EXPECT_NE(transport.dv, 0.0) << c.what;
    }
  }
}

// Positions of the saturation list.
constexpr int SatPX = 0, SatTX = 1, SatPH = 2, SatTH = 6, SatHS = 10, SatVS = 12;

TEST(input_functions_engine_test, saturation_page_blames_the_second_input) {
  const EngineCase cases[] = {
      {"(p, x) at 10 bar", SatPX, UnitSystem::SI, {0, 0}, {"10", "50"}, Ok, 4},
      {"(t, x) at 0 C", SatTX, UnitSystem::SI, {0, 0}, {"0", "50"}, Ok, 4},
      {"(p, h) inside the dome", SatPH, UnitSystem::SI, {1, 0}, {"1", "1500"}, Ok, 4},
      {"(p, h) superheated enthalpy",
       SatPH,
       UnitSystem::SI,
       {1, 0},
       {"1", "3000"},
       SecondOutOfRange},
      {"(p, h) subcooled enthalpy", SatPH, UnitSystem::SI, {1, 0}, {"1", "100"}, SecondOutOfRange},
      {"(t, h) superheated enthalpy",
       SatTH,
       UnitSystem::SI,
       {0, 0},
       {"100", "3000"},
       SecondOutOfRange},
      {"(h, s) inside the dome", SatHS, UnitSystem::SI, {0, 0}, {"2000", "5"}, Ok, 4},
      {"(h, s) superheated", SatHS, UnitSystem::SI, {0, 0}, {"3500", "8"}, SecondOutOfRange},
      {"(v, s) far outside", SatVS, UnitSystem::SI, {0, 0}, {"99999", "0"}, SecondOutOfRange},
  };
  for (const EngineCase& c : cases) {
    EnginePage page;
    const auto functions = CreateSaturationFunctions(page);
    StateProperties out;
    TransportProperties transport;
    EXPECT_EQ(ApplyTypeAndCalculate(page, FunctionAt(functions, c.position), c.system,
                                    c.unitPositions, c.typed, out, transport),
              c.status)
        << c.what;
    if (c.status == Ok) {
      EXPECT_EQ(out.region, c.region) << c.what;
      EXPECT_GT(out.x, 0.0) << c.what;
      EXPECT_LT(out.x, 100.0) << c.what;
    }
  }
}

// The liquid and vapour columns belong to the point's pressure or temperature.
TEST(input_functions_engine_test, liquid_and_vapour_of_the_point) {
  struct Case {
    int position;
    std::array<const char*, 2> typed;
  };
  const Case cases[] = {{SatPH, {"10", "1500"}}, {SatTH, {"180", "1500"}}, {SatHS, {"2000", "5"}}};
  for (const Case& c : cases) {
    EnginePage page;
    const auto functions = CreateSaturationFunctions(page);
    ImplementSatFunction& function = FunctionAt(functions, c.position);
    ImplementSatFunction& provider =
        FunctionAt(functions, LiquidVapourProviderPosition(c.position));
    function.Apply();
    page.inputs = {c.typed[0], c.typed[1]};
    StateProperties point;
    TransportProperties transport;
    ASSERT_EQ(function.Calculate(point, transport), Ok) << c.position;
    StateProperties liquid = point;
    StateProperties vapour = point;
    TransportProperties liquidTransport, vapourTransport;
    ASSERT_EQ(provider.CalculateLiquid(liquid, liquidTransport), kLiquidVapourOk);
    ASSERT_EQ(provider.CalculateVapour(vapour, vapourTransport), kLiquidVapourOk);
    EXPECT_EQ(liquid.x, 0.0);
    EXPECT_EQ(vapour.x, 100.0);
    EXPECT_NEAR(liquid.t, point.t, 1e-6 * point.t) << c.position;
    EXPECT_NEAR(vapour.p, point.p, 1e-6 * point.p) << c.position;
    EXPECT_LT(liquid.h, point.h);
    EXPECT_GT(vapour.h, point.h);
  }
}

}  // namespace
}  // namespace vaporix
