#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "ImplementFunction.h"
#include "InputConversion.h"
#include "support/FakeInputPage.h"
#include "support/InputFunctionSteps.h"

namespace vaporix {
namespace {

using testing::CalculateCase;
using testing::CheckCalculateCase;
using testing::FakeInputPage;
using testing::FunctionAt;
using Units = std::vector<std::string>;
constexpr UnitSystem SI = UnitSystem::SI;
constexpr UnitSystem English = UnitSystem::English;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct PairRow {
  const char* listText;
  const char* firstLabel;
  const char* secondLabel;
  Units siFirst, siSecond, englishFirst, englishSecond;
  InputPair pair;
};

const Units kPressureSI{"bar", "MPa"}, kPressureE{"psi"};
const Units kTemperatureSI{"°C", "K"}, kTemperatureE{"°F"};
const Units kEnergySI{"kJ/kg"}, kEnergyE{"Btu/lb"};
const Units kEntropySI{"kJ/(kg·K)"}, kEntropyE{"Btu/(lb·°F)"};
const Units kVolumeSI{"m³/kg"}, kVolumeE{"ft³/lb"};

// The function list of the single-phase page, by position.
const PairRow kRows[] = {
    {" function (p, t)", "&1. Pressure", "&2. Temperature", kPressureSI, kTemperatureSI, kPressureE,
     kTemperatureE, InputPair::PT},
    {" function (p, h)", "&1. Pressure", "&2. Enthalpy", kPressureSI, kEnergySI, kPressureE,
     kEnergyE, InputPair::PH},
    {" function (p, s)", "&1. Pressure", "&2. Entropy", kPressureSI, kEntropySI, kPressureE,
     kEntropyE, InputPair::PS},
    {" function (p, v)", "&1. Pressure", "&2. Volume", kPressureSI, kVolumeSI, kPressureE, kVolumeE,
     InputPair::PV},
    {" function (p, u)", "&1. Pressure", "&2. Internal Energy", kPressureSI, kEnergySI, kPressureE,
     kEnergyE, InputPair::PU},
    {" function (t, h)", "&1. Temperature", "&2. Enthalpy", kTemperatureSI, kEnergySI,
     kTemperatureE, kEnergyE, InputPair::TH},
    {" function (t, s)", "&1. Temperature", "&2. Entropy", kTemperatureSI, kEntropySI,
     kTemperatureE, kEntropyE, InputPair::TS},
    {" function (t, v)", "&1. Temperature", "&2. Volume", kTemperatureSI, kVolumeSI, kTemperatureE,
     kVolumeE, InputPair::TV},
    {" function (t, u)", "&1. Temperature", "&2. Internal Energy", kTemperatureSI, kEnergySI,
     kTemperatureE, kEnergyE, InputPair::TU},
    {" function (h, s)", "&1. Enthalpy", "&2. Entropy", kEnergySI, kEntropySI, kEnergyE, kEntropyE,
     InputPair::HS},
    {" function (u, s)", "&1. Internal Energy", "&2. Entropy", kEnergySI, kEntropySI, kEnergyE,
     kEntropyE, InputPair::US},
    {" function (v, s)", "&1. Volume", "&2. Entropy", kVolumeSI, kEntropySI, kVolumeE, kEntropyE,
     InputPair::VS},
    {" function (h, v)", "&1. Enthalpy", "&2. Volume", kEnergySI, kVolumeSI, kEnergyE, kVolumeE,
     InputPair::HV},
    {" function (u, v)", "&1. Internal Energy", "&2. Volume", kEnergySI, kVolumeSI, kEnergyE,
     kVolumeE, InputPair::UV},
};

TEST(implement_function_test, labels_unit_lists_and_entry_points_by_position) {
  FakeInputPage page;
  const auto functions = CreateSinglePhaseFunctions(page);
  ASSERT_EQ(functions.size(), std::size(kRows));
  for (int position = 0; position < kSinglePhaseFunctionCount; ++position) {
    const PairRow& row = kRows[position];
    EXPECT_EQ(SinglePhaseFunctionListText(position), row.listText);
    for (UnitSystem system : {SI, English}) {
      page.unitSystem = system;
      page.labels = {"&Pressure:", "&Temperature:"};
      page.selected = {1, 1};
      functions[static_cast<std::size_t>(position)]->Apply();
      EXPECT_EQ(page.labels[0], row.firstLabel) << row.listText;
      EXPECT_EQ(page.labels[1], row.secondLabel) << row.listText;
      EXPECT_EQ(page.units[0], system == SI ? row.siFirst : row.englishFirst) << row.listText;
      EXPECT_EQ(page.units[1], system == SI ? row.siSecond : row.englishSecond) << row.listText;
      EXPECT_EQ(page.selected, (std::array<int, 2>{0, 0})) << row.listText;
    }
    page.unitSystem = SI;
    functions[static_cast<std::size_t>(position)]->Apply();
    page.selected = {1, 1};
    page.inputs = {position < 5 ? "1" : "500", "500"};
    page.recordingEngine.calls.clear();
    StateProperties out;
    TransportProperties transport;
    functions[static_cast<std::size_t>(position)]->Calculate(out, transport);
    ASSERT_EQ(page.recordingEngine.calls.size(), 1u) << row.listText;
    EXPECT_EQ(page.recordingEngine.calls[0].pair, row.pair) << row.listText;
    EXPECT_TRUE(page.recordingEngine.calls[0].withTransport);
    EXPECT_FALSE(page.recordingEngine.calls[0].english);
  }
}

constexpr int PT = 0, PH = 1, PS = 2, PV = 3, PU = 4, TH = 5, TS = 6, TV = 7, TU = 8, HS = 9,
              US = 10, VS = 11, HV = 12, UV = 13;
using enum InputStatus;

const CalculateCase kCases[] = {
    // Pressure bounds and units.
    {"100 MPa", PT, SI, {1, 1}, {"100", "300"}, Ok, 100.0, 300.0},
    {"1000 bar is 100 MPa", PT, SI, {0, 1}, {"1000", "300"}, Ok, 100.0, 300.0},
    {"just above 100 MPa", PT, SI, {1, 1}, {"100.000000001", "300"}, FirstOutOfRange},
    {"1000.1 bar", PT, SI, {0, 1}, {"1000.1", "300"}, FirstOutOfRange},
    {"lowest pressure 0.000611157 MPa",
     PT,
     SI,
     {1, 1},
     {"0.000611157", "300"},
     Ok,
     0.000611157,
     300.0},
    {"below the lowest pressure", PT, SI, {1, 1}, {"0.000611156", "300"}, FirstOutOfRange},
    {"zero pressure", PH, SI, {1, 0}, {"0", "100"}, FirstOutOfRange},
    {"psi",
     PT,
     English,
     {0, 0},
     {"100", "500"},
     Ok,
     100 * 6.8947572931683616e-3,
     (500 + 459.67) * (5.0 / 9)},
    {"14503.78 psi is above 100 MPa", PT, English, {0, 0}, {"14503.78", "500"}, FirstOutOfRange},
    // Pressure is tested before temperature.
    {"bad pressure and bad temperature", PT, SI, {1, 1}, {"200", "5000"}, FirstOutOfRange},
    {"good pressure, bad temperature", PT, SI, {1, 1}, {"1", "5000"}, SecondOutOfRange},
    // Temperature bounds and units.
    {"0 degC", PT, SI, {1, 0}, {"1", "0"}, Ok, 1.0, 273.15},
    {"273.15 K", PT, SI, {1, 1}, {"1", "273.15"}, Ok, 1.0, 273.15},
    {"273.14 K", PT, SI, {1, 1}, {"1", "273.14"}, SecondOutOfRange},
    {"32 degF",
     PT,
     English,
     {0, 0},
     {"145", "32"},
     Ok,
     145 * 6.8947572931683616e-3,
     273.15000000000003},
    {"2000 degC", PT, SI, {1, 0}, {"1", "2000"}, Ok, 1.0, 2273.15},
    {"3632 degF", PT, English, {0, 0}, {"145", "3632"}, Ok, 145 * 6.8947572931683616e-3, 2273.15},
    {"2000.01 degC", PT, SI, {1, 0}, {"1", "2000.01"}, SecondOutOfRange},
    {"3632.1 degF", PT, English, {0, 0}, {"145", "3632.1"}, SecondOutOfRange},
    {"temperature first on (t, h)", TH, SI, {1, 0}, {"5000", "100"}, FirstOutOfRange},
    {"temperature on (t, s) in degC", TS, SI, {0, 0}, {"-", "1"}, FirstOutOfRange},
    {"degF on (t, v)",
     TV,
     English,
     {0, 0},
     {"212", "26.8"},
     Ok,
     (212 + 459.67) * (5.0 / 9),
     26.8 * 0.062427960576144609},
    {"(t, u) in K", TU, SI, {1, 0}, {"500", "2000"}, Ok, 500.0, 2000.0},
    // Second inputs without a range test, in both unit systems.
    {"enthalpy kJ/kg", PH, SI, {1, 0}, {"1", "99999.5"}, Ok, 1.0, 99999.5},
    {"enthalpy Btu/lb",
     PH,
     English,
     {0, 0},
     {"145", "100"},
     Ok,
     145 * 6.8947572931683616e-3,
     232.6},
    {"entropy Btu/lbF", PS, English, {0, 0}, {"145", "1"}, Ok, 145 * 6.8947572931683616e-3, 4.1868},
    {"internal energy Btu/lb",
     PU,
     English,
     {0, 0},
     {"145", "10"},
     Ok,
     145 * 6.8947572931683616e-3,
     23.26},
    {"volume ft3/lb on (p, v)",
     PV,
     English,
     {0, 0},
     {"145", "2"},
     Ok,
     145 * 6.8947572931683616e-3,
     2 * 0.062427960576144609},
    {"tiny volume on (p, v) is the engine's to refuse",
     PV,
     SI,
     {1, 0},
     {"1", "0.0001"},
     Ok,
     1.0,
     0.0001},
    // The volume bound of (h, v) and (u, v), compared in SI.
    {"(h, v) at 0.00100021 m3/kg", HV, SI, {0, 0}, {"100", "0.00100021"}, SecondOutOfRange},
    {"(u, v) at 0.00100021 m3/kg", UV, SI, {0, 0}, {"100", "0.00100021"}, SecondOutOfRange},
    {"(h, v) just above the bound", HV, SI, {0, 0}, {"100", "0.00100022"}, Ok, 100.0, 0.00100022},
    {"(h, v) 0.01602 ft3/lb is below the bound",
     HV,
     English,
     {0, 0},
     {"100", "0.01602"},
     SecondOutOfRange},
    {"(u, v) 0.01603 ft3/lb is above the bound",
     UV,
     English,
     {0, 0},
     {"100", "0.01603"},
     Ok,
     232.6,
     0.01603 * 0.062427960576144609},
    {"(h, v) 0.00100021 ft3/lb", HV, English, {0, 0}, {"100", "0.00100021"}, SecondOutOfRange},
    // Pairs without range tests always ask the engine.
    {"(h, s) huge values", HS, SI, {0, 0}, {"99999", "99999"}, Ok, 99999.0, 99999.0},
    {"(u, s) zeros", US, SI, {0, 0}, {"0", "0"}, Ok, 0.0, 0.0},
    {"(v, s) in English",
     VS,
     English,
     {0, 0},
     {"3", "2"},
     Ok,
     3 * 0.062427960576144609,
     2 * 4.1868},
    {"(h, v) volume is the first test", HV, SI, {0, 0}, {"99999", "1"}, Ok, 99999.0, 1.0},
};

// Conversions, bounds and the order of the status checks, one test per row.
class implement_function_test_cases : public ::testing::TestWithParam<CalculateCase> {};

TEST_P(implement_function_test_cases, conversions_bounds_and_status_order) {
  const CalculateCase& c = GetParam();
  FakeInputPage page;
  const auto functions = CreateSinglePhaseFunctions(page);
  CheckCalculateCase(page, FunctionAt(functions, c.position), c);
}

INSTANTIATE_TEST_SUITE_P(rows, implement_function_test_cases, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<CalculateCase>& row) {
                           return vaporix::testing::CaseName(row.param.what);
                         });

TEST(implement_function_test, exact_bounds_are_not_rounded_away) {
  // 32 degF lands a hair above 273.15 K; 3632 degF exactly on 2273.15 K.
  EXPECT_EQ(ToSI(Quantity::Temperature, 32.0, English, 0), 273.15000000000003);
  EXPECT_EQ(ToSI(Quantity::Temperature, 3632.0, English, 0), 2273.15);
  EXPECT_EQ(ToSI(Quantity::Pressure, 1000.0, SI, 0), 100.0);
  EXPECT_TRUE(PassesRangeTest(RangeTest::Pressure, 100.0));
  EXPECT_FALSE(PassesRangeTest(RangeTest::Pressure, std::nextafter(100.0, 200.0)));
  EXPECT_FALSE(PassesRangeTest(RangeTest::Volume, 0.00100021));
  EXPECT_TRUE(PassesRangeTest(RangeTest::Volume, std::nextafter(0.00100021, 1.0)));
  for (RangeTest test :
       {RangeTest::Pressure, RangeTest::Temperature, RangeTest::Volume,
        RangeTest::SaturationPressure, RangeTest::SaturationTemperature, RangeTest::Quality}) {
    EXPECT_FALSE(PassesRangeTest(test, kNaN));
  }
}

TEST(implement_function_test, engine_refusal_is_point_out_of_range_for_every_pair) {
  FakeInputPage page;
  page.recordingEngine.answer = [](const auto&, StateProperties&, TransportProperties&) {
    return false;
  };
  const auto functions = CreateSinglePhaseFunctions(page);
  for (std::size_t position = 0; position < functions.size(); ++position) {
    functions[position]->Apply();
    page.selected = {1, 1};
    page.inputs = {"500", "500"};  // in range as MPa, K, kJ/kg, kJ/kgK and m3/kg
    if (position < 5) {
      page.inputs[0] = "1";
    }
    StateProperties out;
    TransportProperties transport;
    EXPECT_EQ(functions[position]->Calculate(out, transport), PointOutOfRange)
        << SinglePhaseFunctionListText(static_cast<int>(position));
  }
  EXPECT_EQ(page.recordingEngine.calls.size(), functions.size());
}

TEST(implement_function_test, switching_units_keeps_the_typed_numbers_and_reads_them_anew) {
  FakeInputPage page;
  const auto functions = CreateSinglePhaseFunctions(page);
  ImplementFunction& pt = *functions[PT];
  pt.Apply();
  page.selected = {1, 1};
  page.inputs = {"100", "500"};
  page.unitSystem = English;
  pt.FillUnits();
  EXPECT_EQ(page.units[0], kPressureE);
  EXPECT_EQ(page.selected, (std::array<int, 2>{0, 0}));
  EXPECT_EQ(page.inputs[0], "100");
  StateProperties out;
  TransportProperties transport;
  ASSERT_EQ(pt.Calculate(out, transport), Ok);
  EXPECT_DOUBLE_EQ(page.recordingEngine.calls[0].first, 100 * 6.8947572931683616e-3);
  EXPECT_DOUBLE_EQ(page.recordingEngine.calls[0].second, (500 + 459.67) * (5.0 / 9));

  page.unitSystem = SI;
  pt.FillUnits();
  EXPECT_EQ(page.units[1], kTemperatureSI);
  ASSERT_EQ(pt.Calculate(out, transport), Ok);
  EXPECT_DOUBLE_EQ(page.recordingEngine.calls[1].first, 10.0);  // "bar" again
  EXPECT_DOUBLE_EQ(page.recordingEngine.calls[1].second, 773.15);
}

// A typed number is read as written or refused as a whole, never in part
// (once "1e-3" read as 13 and "-5" as 5).
TEST(implement_function_test, edit_texts_are_read_as_written_or_refused) {
  struct Case {
    const char* text;
    const char* separator;
    double value;
  };
  const Case cases[] = {
      {"12.5", ".", 12.5},
      {"1,5", ",", 1.5},
      {".5", ".", 0.5},
      {"7.", ".", 7.0},
      {"1e-3", ".", 1e-3},
      {"2.5E+2", ".", 250.0},
      {"2,5e2", ",", 250.0},
      {"-5", ".", -5.0},
      {"+5", ".", 5.0},
      {" 12.5 ", ".", 12.5},
      {"00042", ".", 42.0},
      {"3\u066B25", "\u066B", 3.25},
      {"99999.999999999999999", ".", 99999.999999999999999},
  };
  for (const Case& c : cases) {
    EXPECT_DOUBLE_EQ(ParseInputNumber(c.text, c.separator), c.value) << c.text;
  }
  for (const char* text : {"", ".", "abc", " ", "1.5,", "1 234.5", "1.2.3", "1e", "1e-", "1e999",
                           "--5", "5-", "inf", "nan", "0x10", "1,5"}) {
    EXPECT_TRUE(std::isnan(ParseInputNumber(text, "."))) << '"' << text << '"';
  }
}

}  // namespace
}  // namespace vaporix
