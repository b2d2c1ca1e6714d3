#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ImplementSatFunction.h"
#include "support/FakeInputPage.h"
#include "support/InputFunctionSteps.h"

namespace vaporix {
namespace {

using testing::CalculateCase;
using testing::CheckCalculateCase;
using testing::FakeInputPage;
using testing::FunctionAt;
using testing::RecordingEngine;
using Units = std::vector<std::string>;
constexpr UnitSystem SI = UnitSystem::SI;
constexpr UnitSystem English = UnitSystem::English;
using enum InputStatus;

const Units kPressureSI{"bar", "MPa"}, kPressureE{"psi"};
const Units kTemperatureSI{"°C", "K"}, kTemperatureE{"°F"};
const Units kEnergySI{"kJ/kg"}, kEnergyE{"Btu/lb"};
const Units kEntropySI{"kJ/(kg·K)"}, kEntropyE{"Btu/(lb·°F)"};
const Units kVolumeSI{"m³/kg"}, kVolumeE{"ft³/lb"};
const Units kQuality{"%"};

struct SatRow {
  const char* listText;
  const char* firstLabel;
  const char* secondLabel;
  Units siFirst, siSecond, englishFirst, englishSecond;
  InputPair pair;
  InputStatus refused;
  int provider;
};

constexpr int PX = 0, TX = 1, PH = 2, PS = 3, PV = 4, PU = 5, TH = 6, TS = 7, TV = 8, TU = 9,
              HS = 10, US = 11, VS = 12, HV = 13, UV = 14;

const SatRow kRows[] = {
    {" function (p, x)", "&1. Pressure", "&2. Quality", kPressureSI, kQuality, kPressureE, kQuality,
     InputPair::SatPX, PointOutOfRange, PX},
    {" function (t, x)", "&1. Temperature", "&2. Quality", kTemperatureSI, kQuality, kTemperatureE,
     kQuality, InputPair::SatTX, PointOutOfRange, TX},
    {" function (p, h)", "&1. Pressure", "&2. Enthalpy", kPressureSI, kEnergySI, kPressureE,
     kEnergyE, InputPair::SatPH, SecondOutOfRange, PX},
    {" function (p, s)", "&1. Pressure", "&2. Entropy", kPressureSI, kEntropySI, kPressureE,
     kEntropyE, InputPair::SatPS, SecondOutOfRange, PX},
    {" function (p, v)", "&1. Pressure", "&2. Volume", kPressureSI, kVolumeSI, kPressureE, kVolumeE,
     InputPair::SatPV, SecondOutOfRange, PX},
    {" function (p, u)", "&1. Pressure", "&2. Internal Energy", kPressureSI, kEnergySI, kPressureE,
     kEnergyE, InputPair::SatPU, SecondOutOfRange, PX},
    {" function (t, h)", "&1. Temperature", "&2. Enthalpy", kTemperatureSI, kEnergySI,
     kTemperatureE, kEnergyE, InputPair::SatTH, SecondOutOfRange, TX},
    {" function (t, s)", "&1. Temperature", "&2. Entropy", kTemperatureSI, kEntropySI,
     kTemperatureE, kEntropyE, InputPair::SatTS, SecondOutOfRange, TX},
    {" function (t, v)", "&1. Temperature", "&2. Volume", kTemperatureSI, kVolumeSI, kTemperatureE,
     kVolumeE, InputPair::SatTV, SecondOutOfRange, TX},
    {" function (t, u)", "&1. Temperature", "&2. Internal Energy", kTemperatureSI, kEnergySI,
     kTemperatureE, kEnergyE, InputPair::SatTU, SecondOutOfRange, TX},
    {" function (h, s)", "&1. Enthalpy", "&2. Entropy", kEnergySI, kEntropySI, kEnergyE, kEntropyE,
     InputPair::SatHS, SecondOutOfRange, HS},
    {" function (u, s)", "&1. Internal Energy", "&2. Entropy", kEnergySI, kEntropySI, kEnergyE,
     kEntropyE, InputPair::SatUS, SecondOutOfRange, HS},
    {" function (v, s)", "&1. Volume", "&2. Entropy", kVolumeSI, kEntropySI, kVolumeE, kEntropyE,
     InputPair::SatVS, SecondOutOfRange, HS},
    {" function (h, v)", "&1. Enthalpy", "&2. Volume", kEnergySI, kVolumeSI, kEnergyE, kVolumeE,
     InputPair::SatHV, SecondOutOfRange, HS},
    {" function (u, v) ", "&1. Internal Energy", "&2. Volume", kEnergySI, kVolumeSI, kEnergyE,
     kVolumeE, InputPair::SatUV, SecondOutOfRange, HS},
};

bool Refuse(const RecordingEngine::Call&, StateProperties&, TransportProperties&) {
  return false;
}

TEST(implement_sat_function_test, labels_units_entry_points_and_blame_by_position) {
  FakeInputPage page;
  const auto functions = CreateSaturationFunctions(page);
  ASSERT_EQ(functions.size(), std::size(kRows));
  for (int position = 0; position < kSaturationFunctionCount; ++position) {
    const SatRow& row = kRows[position];
    ImplementSatFunction& function = FunctionAt(functions, position);
    EXPECT_EQ(SaturationFunctionListText(position), row.listText);
    EXPECT_EQ(LiquidVapourProviderPosition(position), row.provider) << row.listText;
    for (UnitSystem system : {English, SI}) {
      page.unitSystem = system;
      page.labels = {"&Pressure:", "&Quality:"};
      page.selected = {1, 1};
      function.Apply();
      EXPECT_EQ(page.labels[0], row.firstLabel) << row.listText;
      EXPECT_EQ(page.labels[1], row.secondLabel) << row.listText;
      EXPECT_EQ(page.units[0], system == SI ? row.siFirst : row.englishFirst) << row.listText;
      EXPECT_EQ(page.units[1], system == SI ? row.siSecond : row.englishSecond) << row.listText;
      EXPECT_EQ(page.selected, (std::array<int, 2>{0, 0})) << row.listText;
    }
    // In range for every first quantity in MPa / K and every second one.
    page.selected = {1, 0};
    page.inputs = {position == TX || (position >= TH && position <= TU) ? "400" : "1", "50"};
    page.recordingEngine.calls.clear();
    page.recordingEngine.answer = Refuse;
    StateProperties out;
    TransportProperties transport;
    EXPECT_EQ(function.Calculate(out, transport), row.refused) << row.listText;
    ASSERT_EQ(page.recordingEngine.calls.size(), 1u) << row.listText;
    EXPECT_EQ(page.recordingEngine.calls[0].pair, row.pair) << row.listText;
    EXPECT_TRUE(page.recordingEngine.calls[0].withTransport);
    EXPECT_FALSE(page.recordingEngine.calls[0].english);
  }
}

const CalculateCase kCases[] = {
    {"22.064 MPa", PX, SI, {1, 0}, {"22.064", "50"}, Ok, 22.064, 50.0},
    {"220.64 bar", PX, SI, {0, 0}, {"220.64", "50"}, Ok, 22.064, 50.0},
    {"just above 22.064 MPa", PX, SI, {1, 0}, {"22.0640001", "50"}, FirstOutOfRange},
    {"0.000611213 MPa", PX, SI, {1, 0}, {"0.000611213", "0"}, Ok, 0.000611213, 0.0},
    {"0.000611157 MPa is below the saturation line",
     PX,
     SI,
     {1, 0},
     {"0.000611157", "0"},
     FirstOutOfRange},
    {"x = 0", PX, SI, {1, 0}, {"1", "0"}, Ok, 1.0, 0.0},
    {"x = 100", PX, SI, {1, 0}, {"1", "100"}, Ok, 1.0, 100.0},
    {"x = 100.5", PX, SI, {1, 0}, {"1", "100.5"}, SecondOutOfRange},
    {"x not a number", PX, SI, {1, 0}, {"1", "."}, SecondOutOfRange},
    {"bad pressure and bad quality", PX, SI, {1, 0}, {"30", "200"}, FirstOutOfRange},
    {"psi, x unconverted",
     PX,
     English,
     {0, 0},
     {"100", "50"},
     Ok,
     100 * 6.8947572931683616e-3,
     50.0},
    {"0 C", TX, SI, {0, 0}, {"0", "50"}, Ok, 273.15, 50.0},
    {"273.15 K", TX, SI, {1, 0}, {"273.15", "50"}, Ok, 273.15, 50.0},
    {"647.096 K", TX, SI, {1, 0}, {"647.096", "50"}, Ok, 647.096, 50.0},
    {"just above 647.096 K", TX, SI, {1, 0}, {"647.0960001", "50"}, FirstOutOfRange},
    {"374 C is above the critical point", TX, SI, {0, 0}, {"374", "50"}, FirstOutOfRange},
    {"32 F", TX, English, {0, 0}, {"32", "100"}, Ok, 273.15000000000003, 100.0},
    {"bad temperature first", TX, SI, {1, 0}, {"700", "101"}, FirstOutOfRange},
    {"(p, h) pressure above the critical point", PH, SI, {1, 0}, {"23", "2000"}, FirstOutOfRange},
    {"(p, h) Btu/lb", PH, English, {0, 0}, {"100", "500"}, Ok, 100 * 6.8947572931683616e-3, 1163.0},
    {"(p, v) ft3/lb",
     PV,
     English,
     {0, 0},
     {"100", "2"},
     Ok,
     100 * 6.8947572931683616e-3,
     2 * 0.062427960576144609},
    {"(t, s) Btu/lbF", TS, English, {0, 0}, {"300", "1"}, Ok, (300 + 459.67) * (5.0 / 9), 4.1868},
    {"(t, u) temperature above the critical point",
     TU,
     SI,
     {0, 0},
     {"400", "2000"},
     FirstOutOfRange},
    {"(h, s) has no range test", HS, SI, {0, 0}, {"99999", "0"}, Ok, 99999.0, 0.0},
    {"(u, v) has no volume test", UV, SI, {0, 0}, {"100", "0.0001"}, Ok, 100.0, 0.0001},
};

// Conversions, bounds and the order of the status checks, one test per row.
class implement_sat_function_test_cases : public ::testing::TestWithParam<CalculateCase> {};

TEST_P(implement_sat_function_test_cases, conversions_bounds_and_status_order) {
  const CalculateCase& c = GetParam();
  FakeInputPage page;
  const auto functions = CreateSaturationFunctions(page);
  CheckCalculateCase(page, FunctionAt(functions, c.position), c);
}

INSTANTIATE_TEST_SUITE_P(rows, implement_sat_function_test_cases, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<CalculateCase>& row) {
                           return vaporix::testing::CaseName(row.param.what);
                         });

// The saturated liquid and vapour: (p, x) and (t, x) read their first input
// again, (h, s) takes the temperature of the point it is given.
TEST(implement_sat_function_test, liquid_and_vapour_providers) {
  struct Case {
    int provider;
    std::array<const char*, 2> typed;
    std::array<int, 2> unitPositions;
    double pointTemperature;
    InputPair pair;
    double first;
  };
  const Case cases[] = {
      {PX, {"10", "50"}, {0, 0}, 0.0, InputPair::SatPX, 1.0},
      {PX, {"30", "50"}, {1, 0}, 0.0, InputPair::SatPX, 30.0},  // no range test
      {TX, {"100", "50"}, {0, 0}, 0.0, InputPair::SatTX, 373.15},
      {TX, {"500", "50"}, {1, 0}, 0.0, InputPair::SatTX, 500.0},
      {HS, {"2000", "5"}, {0, 0}, 453.0356, InputPair::SatTX, 453.0356},
  };
  for (const Case& c : cases) {
    FakeInputPage page;
    page.recordingEngine.answer = [](const RecordingEngine::Call& call, StateProperties& out,
                                     TransportProperties&) {
      out.x = call.second;
      return true;
    };
    const auto functions = CreateSaturationFunctions(page);
    ImplementSatFunction& provider = FunctionAt(functions, c.provider);
    provider.Apply();
    page.selected = c.unitPositions;
    page.inputs = {c.typed[0], c.typed[1]};
    StateProperties liquid;
    liquid.t = c.pointTemperature;
    StateProperties vapour = liquid;
    TransportProperties transport;
    EXPECT_EQ(provider.CalculateLiquid(liquid, transport), kLiquidVapourOk);
    EXPECT_EQ(provider.CalculateVapour(vapour, transport), kLiquidVapourOk);
    ASSERT_EQ(page.recordingEngine.calls.size(), 2u);
    for (const auto& call : page.recordingEngine.calls) {
      EXPECT_EQ(call.pair, c.pair) << c.provider;
      EXPECT_DOUBLE_EQ(call.first, c.first) << c.provider;
      EXPECT_TRUE(call.withTransport);
      EXPECT_FALSE(call.english);
    }
    EXPECT_EQ(page.recordingEngine.calls[0].second, 0.0);
    EXPECT_EQ(page.recordingEngine.calls[1].second, 100.0);
    EXPECT_EQ(liquid.x, 0.0);
    EXPECT_EQ(vapour.x, 100.0);

    page.recordingEngine.answer = Refuse;
    EXPECT_EQ(provider.CalculateLiquid(liquid, transport), kLiquidVapourRefused);
    EXPECT_EQ(provider.CalculateVapour(vapour, transport), kLiquidVapourRefused);
  }
}

TEST(implement_sat_function_test, other_pairs_provide_no_liquid_or_vapour) {
  FakeInputPage page;
  page.inputs = {"1", "50"};
  const auto functions = CreateSaturationFunctions(page);
  for (int position : {PH, PS, PV, PU, TH, TS, TV, TU, US, VS, HV, UV}) {
    StateProperties out;
    out.t = 400.0;
    TransportProperties transport;
    EXPECT_EQ(functions[static_cast<std::size_t>(position)]->CalculateLiquid(out, transport),
              kLiquidVapourNotProvided);
    EXPECT_EQ(functions[static_cast<std::size_t>(position)]->CalculateVapour(out, transport),
              kLiquidVapourNotProvided);
  }
  EXPECT_TRUE(page.recordingEngine.calls.empty());
}

}  // namespace
}  // namespace vaporix
