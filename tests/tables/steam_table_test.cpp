#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "vaporix/IF97Calculator.h"
#include "vaporix/tables/SteamTable.h"
#include "vaporix/tables/TableCsv.h"

namespace vaporix::tables {
namespace {

constexpr UnitChoice kKelvinMPa{};
constexpr UnitChoice kCelsiusBar{false, PressureUnit::Bar, TemperatureUnit::Celsius};
constexpr UnitChoice kEnglish{true, PressureUnit::Megapascal, TemperatureUnit::Kelvin};

IF97Calculator& Engine() {
  static IF97Calculator* engine = [] {
    auto* created = new IF97Calculator();
    created->Initialize();
    return created;
  }();
  return *engine;
}

TableRequest Request(TableKind kind, StepRange range, UnitChoice units = kKelvinMPa) {
  TableRequest request;
  request.kind = kind;
  request.range = range;
  request.units = units;
  request.properties = DefaultProperties();
  return request;
}

SteamTable Make(const TableRequest& request) {
  SteamTable table;
  EXPECT_EQ(Generate(request, Engine(), table), RangeError::None);
  return table;
}

// The cell of the named column of row `row`.
Cell At(const SteamTable& table, std::size_t row, const std::string& name,
        const UnitChoice& units) {
  for (const TableColumn& column : Columns(table.request)) {
    if (column.name == name) {
      return CellOf(table.request, table.rows.at(row), column, units);
    }
  }
  ADD_FAILURE() << "no column " << name;
  return {};
}

double Number(const SteamTable& table, std::size_t row, const std::string& name,
              const UnitChoice& units = kKelvinMPa) {
  const Cell cell = At(table, row, name, units);
  EXPECT_EQ(cell.kind, Cell::Kind::Number) << name << " of row " << row;
  return cell.value;
}

// IAPWS-IF97 verification values of the saturation equations: p_s(T) and
// T_s(p), read from one-row saturation tables.
struct SaturationPoint {
  const char* name;
  TableKind kind;
  double argument;
  const char* column;
  double expected;
};

void PrintTo(const SaturationPoint& point, std::ostream* out) {
  *out << point.name;
}

class SaturationVerification : public ::testing::TestWithParam<SaturationPoint> {};

TEST_P(SaturationVerification, MatchesThePublishedValue) {
  const SaturationPoint& point = GetParam();
  const SteamTable table = Make(Request(point.kind, {point.argument, point.argument, 1.0}));
  ASSERT_EQ(table.rows.size(), 1u);
  EXPECT_NEAR(Number(table, 0, point.column), point.expected, 1e-8 * point.expected);
}

INSTANTIATE_TEST_SUITE_P(
    steam_table_test, SaturationVerification,
    ::testing::Values(
        SaturationPoint{"ps_300K", TableKind::SaturationByTemperature, 300.0, "p", 0.353658941e-2},
        SaturationPoint{"ps_500K", TableKind::SaturationByTemperature, 500.0, "p", 0.263889776e1},
        SaturationPoint{"ps_600K", TableKind::SaturationByTemperature, 600.0, "p", 0.123443146e2},
        SaturationPoint{"Ts_0_1MPa", TableKind::SaturationByPressure, 0.1, "t", 0.372755919e3},
        SaturationPoint{"Ts_1MPa", TableKind::SaturationByPressure, 1.0, "t", 0.453035632e3},
        SaturationPoint{"Ts_10MPa", TableKind::SaturationByPressure, 10.0, "t", 0.584149488e3}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(steam_table_test, saturation_rows_are_the_engine_states_in_any_units) {
  const SteamTable table =
      Make(Request(TableKind::SaturationByTemperature, {0.0, 100.0, 10.0}, kCelsiusBar));
  ASSERT_EQ(table.rows.size(), 11u);
  for (std::size_t i = 0; i < table.rows.size(); ++i) {
    SCOPED_TRACE("row " + std::to_string(i));
    const double T = 10.0 * static_cast<double>(i) + 273.15;
    StateProperties liquid, vapour;
    TransportProperties liquidTransport, vapourTransport;
    ASSERT_TRUE(Engine().Calculate(InputPair::SatTX, T, 0.0, liquid, liquidTransport, true, false));
    ASSERT_TRUE(
        Engine().Calculate(InputPair::SatTX, T, 100.0, vapour, vapourTransport, true, false));
    EXPECT_EQ(Number(table, i, "t", kCelsiusBar), 10.0 * static_cast<double>(i));
    EXPECT_DOUBLE_EQ(Number(table, i, "p", kCelsiusBar), liquid.p * 10.0);
    EXPECT_EQ(Number(table, i, "h_liq", kCelsiusBar), liquid.h);
    EXPECT_EQ(Number(table, i, "s_vap", kCelsiusBar), vapour.s);
    EXPECT_EQ(Number(table, i, "h_fg", kCelsiusBar), vapour.h - liquid.h);
    // Re-shown in English units without a new calculation.
    IF97Calculator::ToEnglish(vapour);
    EXPECT_DOUBLE_EQ(Number(table, i, "h_vap", kEnglish), vapour.h);
    EXPECT_DOUBLE_EQ(Number(table, i, "t", kEnglish), vapour.t);
  }
}

TEST(steam_table_test, critical_temperature_and_pressure_are_end_rows) {
  struct EndRow {
    const char* name;
    TableRequest request;
  };
  const EndRow ends[] = {
      {"celsius",
       Request(TableKind::SaturationByTemperature, {273.946, 373.946, 10.0}, kCelsiusBar)},
      {"kelvin", Request(TableKind::SaturationByTemperature, {547.096, 647.096, 25.0})},
      {"bar", Request(TableKind::SaturationByPressure, {20.64, 220.64, 20.0}, kCelsiusBar)},
  };
  for (const EndRow& end : ends) {
    SCOPED_TRACE(end.name);
    const SteamTable table = Make(end.request);
    const TableRow& last = table.rows.back();
    ASSERT_EQ(last.status, RowStatus::Ok);
    EXPECT_NEAR(last.state.t, kCriticalTemperature, 1e-6);
    EXPECT_NEAR(last.state.p, kCriticalPressure, 1e-6);
    EXPECT_NEAR(Number(table, table.rows.size() - 1, "h_fg"), 0.0, 1e-6);
    EXPECT_NEAR(Number(table, table.rows.size() - 1, "s_fg"), 0.0, 1e-9);
  }
  // A step beyond the critical point is kept as a row without a state.
  const SteamTable beyond = Make(Request(TableKind::SaturationByTemperature, {640.0, 650.0, 5.0}));
  ASSERT_EQ(beyond.rows.size(), 3u);
  EXPECT_EQ(beyond.rows[2].status, RowStatus::OutOfRange);
  EXPECT_EQ(Number(beyond, 2, "t"), 650.0);
  EXPECT_EQ(At(beyond, 2, "p", kKelvinMPa).kind, Cell::Kind::Empty);
}

TEST(steam_table_test, grid_inserts_the_saturated_states_where_it_crosses_the_line) {
  TableRequest request = Request(TableKind::Grid, {50.0, 250.0, 50.0}, kCelsiusBar);
  request.pressures = {1.0, 10.0};
  const SteamTable table = Make(request);
  std::vector<std::string> statuses;
  std::vector<int> regions;
  for (const TableRow& row : table.rows) {
    statuses.emplace_back(StatusText(row.status));
    regions.push_back(row.state.region);
  }
  const std::string ok = "ok", liq = "saturated_liquid", vap = "saturated_vapour";
  EXPECT_EQ(statuses, (std::vector<std::string>{ok, liq, vap, ok, ok, ok, ok,  // 1 bar
                                                ok, ok, ok, liq, vap, ok, ok}));
  // The saturated states carry the region of their phase.
  EXPECT_EQ(regions, (std::vector<int>{1, 1, 2, 2, 2, 2, 2, 1, 1, 1, 1, 2, 2, 2}));
  EXPECT_NEAR(Number(table, 1, "t", kCelsiusBar), 99.606, 1e-3);
  EXPECT_EQ(Number(table, 1, "p", kCelsiusBar), 1.0);
  // A grid temperature on the saturation line fixes no state.
  StateProperties liquid;
  TransportProperties transport;
  ASSERT_TRUE(Engine().Calculate(InputPair::SatPX, 1.0, 0.0, liquid, transport, false, false));
  TableRequest onLine = Request(TableKind::Grid, {liquid.t - 10.0, liquid.t + 10.0, 10.0});
  onLine.pressures = {1.0};
  const SteamTable crossing = Make(onLine);
  ASSERT_EQ(crossing.rows.size(), 5u);
  EXPECT_EQ(crossing.rows[2].status, RowStatus::TwoPhase);
  EXPECT_EQ(At(crossing, 2, "h", kKelvinMPa).kind, Cell::Kind::Empty);
  EXPECT_EQ(At(crossing, 2, "status", kKelvinMPa).text, "two_phase");
}

TEST(steam_table_test, isoline_steps_the_second_input_and_keeps_rows_without_state) {
  TableRequest request = Request(TableKind::Isoline, {900.0, 1100.0, 100.0});
  request.pair = InputPair::PT;
  request.fixed = 20.0;
  const SteamTable table = Make(request);
  ASSERT_EQ(table.rows.size(), 3u);
  EXPECT_EQ(table.rows[1].state.region, 2);
  EXPECT_EQ(table.rows[2].status, RowStatus::OutOfRange);  // region 5 ends at 10 MPa
  EXPECT_EQ(Number(table, 2, "p"), 20.0);
  EXPECT_EQ(Number(table, 2, "t"), 1100.0);

  TableRequest wet = Request(TableKind::Isoline, {0.0, 100.0, 50.0});
  wet.pair = InputPair::SatPX;
  wet.fixed = 1.0;
  wet.properties = {FindProperty("x"), FindProperty("h")};
  const SteamTable quality = Make(wet);
  ASSERT_EQ(quality.rows.size(), 3u);
  StateProperties expected;
  TransportProperties transport;
  ASSERT_TRUE(Engine().Calculate(InputPair::SatPX, 1.0, 50.0, expected, transport, true, false));
  EXPECT_EQ(Number(quality, 1, "x"), 50.0);
  EXPECT_EQ(Number(quality, 1, "h"), expected.h);
}

struct BadRange {
  const char* name;
  StepRange range;
  std::vector<double> pressures;
  RangeError error;
};

void PrintTo(const BadRange& bad, std::ostream* out) {
  *out << bad.name;
}

class RangeCheck : public ::testing::TestWithParam<BadRange> {};

TEST_P(RangeCheck, RefusesWithTheRightError) {
  const BadRange& bad = GetParam();
  TableRequest request = Request(
      bad.pressures.empty() ? TableKind::SaturationByTemperature : TableKind::Grid, bad.range);
  request.pressures = bad.pressures;
  SteamTable table;
  EXPECT_EQ(Generate(request, Engine(), table), bad.error);
  EXPECT_TRUE(table.rows.empty());
}

INSTANTIATE_TEST_SUITE_P(
    steam_table_test, RangeCheck,
    ::testing::Values(BadRange{"end_before_start", {400, 300, 10}, {}, RangeError::EndBeforeStart},
                      BadRange{"zero_step", {300, 400, 0}, {}, RangeError::StepNotPositive},
                      BadRange{"negative_step", {300, 400, -5}, {}, RangeError::StepNotPositive},
                      BadRange{"nan", {NAN, 400, 5}, {}, RangeError::NotANumber},
                      BadRange{"infinite_step", {300, 400, INFINITY}, {}, RangeError::NotANumber},
                      BadRange{"million_and_one", {0, 1e6, 1}, {}, RangeError::TooManyRows},
                      BadRange{"huge", {0, 1e300, 1e-300}, {}, RangeError::TooManyRows},
                      BadRange{"grid_rows",
                               {300, 400, 1e-3},
                               {1, 2, 3, 4, 5, 6, 7, 8, 9, 10},
                               RangeError::TooManyRows},
                      BadRange{
                          "grid_nan_pressure", {300, 400, 10}, {1, NAN}, RangeError::NotANumber}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(steam_table_test, end_value_is_a_row_when_the_steps_reach_it) {
  struct Steps {
    StepRange range;
    std::size_t rows;
  };
  for (const Steps& steps :
       {Steps{{0.0, 1.0, 0.1}, 11}, Steps{{0.0, 0.3, 0.1}, 4}, Steps{{5.0, 5.0, 1.0}, 1},
        Steps{{0.0, 0.95, 0.1}, 10}, Steps{{0.0, 999999.0, 1.0}, 1000000}}) {
    TableRequest request = Request(TableKind::SaturationByTemperature, steps.range);
    std::size_t rows = 0;
    EXPECT_EQ(CheckRequest(request, &rows), RangeError::None);
    EXPECT_EQ(rows, steps.rows) << steps.range.to << " step " << steps.range.step;
  }
}

TEST(steam_table_test, csv_names_columns_and_marks_missing_values) {
  TableRequest request = Request(TableKind::Grid, {300.0, 300.0, 1.0});
  request.pressures = {0.1, 200.0};
  request.properties = {FindProperty("h"), FindProperty("x"), FindProperty("dv")};
  const std::string csv = TableCsv(Make(request), kKelvinMPa);
  const std::size_t firstLine = csv.find('\n');
  EXPECT_EQ(csv.substr(0, firstLine), "p,t,h,x,dv,region,status");
  // Quality of a single-phase state is not available; 200 MPa has no state.
  EXPECT_NE(csv.find(",N/A,"), std::string::npos) << csv;
  EXPECT_NE(csv.find("\n200,300,,,,,out_of_range\n"), std::string::npos) << csv;
  std::string unknown;
  EXPECT_FALSE(ParsePropertyKeys("v, hh", &unknown));
  EXPECT_EQ(unknown, "hh");
}

}  // namespace
}  // namespace vaporix::tables
