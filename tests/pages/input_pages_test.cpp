#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <functional>

#include "CHyperLink.h"
#include "CPageGeneral.h"
#include "CPageSaturation.h"
#include "CStyledGroupBox.h"
#include "CVaporixDoc.h"
#include "PagesTestSupport.h"

namespace vaporix {
namespace {

using test::CapturingMessages;
using test::ColumnTexts;
using test::ExpectedColumn;
using Handler = GridDisplayHandler;
using Icon = MessageService::Icon;
using Entry = bool (IF97Calculator::*)(double, double, StateProperties&, TransportProperties&, bool,
                                       bool);

constexpr int kBar = 0;
constexpr int kMPa = 1;
constexpr int kCelsius = 0;
constexpr int kKelvin = 1;
constexpr int kOnly = 0;  // the single entry of the other unit lists

class PageTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { test::UseDotDecimalLocale(); }

  CVaporixDoc document;
  CapturingMessages messages;
  test::ReferenceEngine reference;
};

// A single-phase point typed on the page and the engine call that must give
// the same state (SI values as the page converts them).
struct GeneralCase {
  const char* name;
  int function;
  int firstUnit;
  int secondUnit;
  const char* first;
  const char* second;
  Entry entry;
  double siFirst;
  double siSecond;
  int region;
};

const GeneralCase kGeneralCases[] = {
    {"pt_region1", 0, kMPa, kKelvin, "3", "300", &IF97Calculator::CalcPT, 3.0, 300.0, 1},
    {"pt_region2_bar_celsius", 0, kBar, kCelsius, "0.035", "26.85", &IF97Calculator::CalcPT,
     0.035 * 0.1, 26.85 + 273.15, 2},
    {"pt_region5", 0, kMPa, kKelvin, "0.5", "1500", &IF97Calculator::CalcPT, 0.5, 1500.0, 5},
    {"ph_region1", 1, kMPa, kOnly, "3", "115.331273", &IF97Calculator::CalcPH, 3.0, 115.331273, 1},
    {"ps_region2", 2, kBar, kOnly, "10", "7", &IF97Calculator::CalcPS, 10 * 0.1, 7.0, 2},
    {"pu_region1", 4, kMPa, kOnly, "80", "400", &IF97Calculator::CalcPU, 80.0, 400.0, 1},
    {"th_region2", 5, kKelvin, kOnly, "700", "3200", &IF97Calculator::CalcTH, 700.0, 3200.0, 2},
    {"hs_region2", 9, kOnly, kOnly, "2800", "6.5", &IF97Calculator::CalcHS, 2800.0, 6.5, 2},
};

TEST_F(PageTest, general_page_shows_the_engine_state_of_typed_inputs) {
  CPageGeneral page(document);
  std::size_t solved = 0;
  for (const GeneralCase& row : kGeneralCases) {
    SCOPED_TRACE(row.name);
    test::SelectFunction(page, row.function);
    test::SelectUnits(page, row.firstUnit, row.secondUnit);
    test::TypeInputs(page, row.first, row.second);
    messages.messages.clear();
    test::PressCalculate(page);

    StateProperties state{};
    TransportProperties transport{};
    if (!(reference.calculator.*row.entry)(row.siFirst, row.siSecond, state, transport, true,
                                           false)) {
      // Where the engine finds no state, neither does the page.
      ASSERT_EQ(messages.messages.size(), 1U);
      EXPECT_EQ(messages.messages.front().text, CInputPropertyPage::kPointOutOfRangeMessage);
      continue;
    }
    ++solved;
    ASSERT_TRUE(messages.messages.empty()) << messages.messages.front().text.toStdString();
    EXPECT_EQ(state.region, row.region);
    EXPECT_EQ(ColumnTexts(page.grid(), Handler::kResultColumn),
              ExpectedColumn(state, transport, false, false, Handler::kResultColumn));
    // No value shows the marker of an unavailable transport property.
    EXPECT_FALSE(ColumnTexts(page.grid(), Handler::kResultColumn).contains(QStringLiteral("-1")));
  }
  EXPECT_GE(solved, 6U);
  EXPECT_EQ(document.SIResults().size(), solved);
  EXPECT_TRUE(document.EnglishResults().empty());
}

TEST_F(PageTest, general_page_matches_the_iapws_verification_states) {
  CPageGeneral page(document);
  struct Verification {
    const char* pressureMPa;
    const char* temperatureK;
    const char* volume;
    const char* enthalpy;
    const char* speedOfSound;
  };
  // IAPWS-IF97 tables 5 and 15 at six significant digits.
  const Verification kStates[] = {
      {"3", "300", "0.00100215", "115.331", "1507.74"},
      {"80", "300", "0.000971181", "184.143", "1634.69"},
      {"3", "500", "0.00120242", "975.542", "1240.71"},
      {"0.0035", "300", "39.4914", "2549.91", "427.92"},
      {"0.0035", "700", "92.3016", "3335.68", "644.289"},
  };
  test::SelectUnits(page, kMPa, kKelvin);
  for (const Verification& row : kStates) {
    SCOPED_TRACE(row.pressureMPa);
    test::TypeInputs(page, row.pressureMPa, row.temperatureK);
    test::PressCalculate(page);
    EXPECT_EQ(page.grid().cellText(4, Handler::kResultColumn), row.volume);
    EXPECT_EQ(page.grid().cellText(5, Handler::kResultColumn), row.enthalpy);
    EXPECT_EQ(page.grid().cellText(10, Handler::kResultColumn), row.speedOfSound);
  }
}

TEST_F(PageTest, english_calculation_goes_to_the_english_list_in_english_units) {
  CPageGeneral page(document);
  test::ClickEnglish(page);
  ASSERT_EQ(page.CurrentUnitSystem(), UnitSystem::English);
  EXPECT_EQ(page.firstUnits().itemText(0), QStringLiteral("psi"));
  EXPECT_EQ(page.secondUnits().itemText(0), QStringLiteral("°F"));
  test::TypeInputs(page, "145.038", "80.33");
  test::PressCalculate(page);

  StateProperties state{};
  TransportProperties transport{};
  ASSERT_TRUE(reference.calculator.CalcPT(145.038 * 6.8947572931683616e-3,
                                          (80.33 + 459.67) * 0.5555555555555556, state, transport,
                                          true, false));
  IF97Calculator::ToEnglish(state);
  IF97Calculator::ToEnglish(transport);
  EXPECT_EQ(ColumnTexts(page.grid(), Handler::kResultColumn),
            ExpectedColumn(state, transport, false, true, Handler::kResultColumn));
  EXPECT_TRUE(document.SIResults().empty());
  ASSERT_EQ(document.EnglishResults().size(), 1U);
  EXPECT_DOUBLE_EQ(document.EnglishResults().front()->state.p, state.p);
  EXPECT_DOUBLE_EQ(document.latestState.t, state.t);
}

TEST_F(PageTest, unit_switch_reshows_the_held_result_without_recalculating) {
  CPageGeneral page(document);
  test::SelectUnits(page, kMPa, kKelvin);
  test::TypeInputs(page, "1", "373.15");
  test::PressCalculate(page);
  ASSERT_TRUE(page.hasResults());
  const QStringList siTexts = ColumnTexts(page.grid(), Handler::kResultColumn);
  EXPECT_EQ(siTexts[0], QStringLiteral("10"));   // 1 MPa shown in bar
  EXPECT_EQ(siTexts[1], QStringLiteral("100"));  // 373.15 K shown in °C

  test::ClickEnglish(page);
  EXPECT_EQ(page.grid().cellText(0, Handler::kUnitColumn), QStringLiteral("Units (E)"));
  EXPECT_EQ(page.grid().cellText(1, Handler::kUnitColumn), QStringLiteral("psi"));
  EXPECT_EQ(page.grid().cellComboBox(1, Handler::kUnitColumn), nullptr);
  EXPECT_EQ(ColumnTexts(page.grid(), Handler::kResultColumn),
            ExpectedColumn(page.result().englishState, page.result().englishTransport, false, true,
                           Handler::kResultColumn));
  EXPECT_EQ(page.grid().cellText(2, Handler::kUnitColumn + 1).left(12),
            QStringLiteral("Molar gas co"));

  test::ClickSI(page);
  EXPECT_EQ(page.grid().cellText(0, Handler::kUnitColumn), QStringLiteral("Units (SI)"));
  EXPECT_NE(page.grid().cellComboBox(1, Handler::kUnitColumn), nullptr);
  EXPECT_EQ(ColumnTexts(page.grid(), Handler::kResultColumn), siTexts);
  // The typed numbers follow their units (1 MPa, 373.15 K -> psi, °F -> bar, °C).
  EXPECT_EQ(page.firstEdit().text(), QStringLiteral("10"));
  EXPECT_EQ(page.secondEdit().text(), QStringLiteral("100"));
  EXPECT_EQ(page.firstUnits().currentIndex(), 0);

  EXPECT_EQ(document.SIResults().size(), 1U);
  EXPECT_TRUE(document.EnglishResults().empty());
}

TEST_F(PageTest, unit_switch_without_a_result_refills_units_and_constants_only) {
  CPageGeneral page(document);
  test::ClickEnglish(page);
  EXPECT_EQ(page.grid().cellText(1, Handler::kConstantsColumn),
            QStringLiteral("Specific gas constant: R = 0.110234 Btu/(lb·°F)"));
  EXPECT_TRUE(ColumnTexts(page.grid(), Handler::kResultColumn).join(QString()).isEmpty());
  test::ClickSI(page);
  EXPECT_EQ(page.grid().cellText(1, Handler::kConstantsColumn),
            QStringLiteral("Specific gas constant: R = 0.461526 kJ/(kg·K)"));
  EXPECT_TRUE(ColumnTexts(page.grid(), Handler::kResultColumn).join(QString()).isEmpty());
}

TEST_F(PageTest, grid_unit_cells_rescale_rows_one_and_two) {
  CPageGeneral page(document);
  test::SelectUnits(page, kMPa, kKelvin);
  test::TypeInputs(page, "1", "373.15");
  test::PressCalculate(page);
  CGridCtrl& grid = page.grid();

  test::PickGridUnit(page, Handler::kPressureRow, "MPa");
  EXPECT_EQ(grid.cellText(1, Handler::kResultColumn), QStringLiteral("1"));
  EXPECT_EQ(page.pressureUnit(), QStringLiteral("MPa"));
  test::PickGridUnit(page, Handler::kTemperatureRow, "K");
  EXPECT_EQ(grid.cellText(2, Handler::kResultColumn), QStringLiteral("373.15"));
  test::PickGridUnit(page, Handler::kPressureRow, "bar");
  EXPECT_EQ(grid.cellText(1, Handler::kResultColumn), QStringLiteral("10"));
  test::PickGridUnit(page, Handler::kTemperatureRow, "°C");
  EXPECT_EQ(grid.cellText(2, Handler::kResultColumn), QStringLiteral("100"));
  // Other rows keep their values.
  EXPECT_EQ(grid.cellText(16, Handler::kResultColumn), QStringLiteral("1"));
}

TEST_F(PageTest, saturation_unit_cells_rescale_all_three_columns) {
  CPageSaturation page(document);
  test::TypeInputs(page, "10", "50");
  test::PressCalculate(page);
  ASSERT_TRUE(page.hasResults());
  for (int column = Handler::kLiquidColumn; column <= Handler::kVaporColumn; ++column) {
    EXPECT_EQ(page.grid().cellText(1, column), QStringLiteral("10"));
  }
  test::PickGridUnit(page, Handler::kPressureRow, "MPa");
  test::PickGridUnit(page, Handler::kTemperatureRow, "K");
  for (int column = Handler::kLiquidColumn; column <= Handler::kVaporColumn; ++column) {
    SCOPED_TRACE(column);
    EXPECT_EQ(page.grid().cellText(1, column), QStringLiteral("1"));
    EXPECT_EQ(page.grid().cellText(2, column), Handler::FormatValue(page.point().state.t));
  }
}

TEST_F(PageTest, unit_cell_pick_before_any_result_changes_nothing_until_a_result_is_shown) {
  CPageGeneral page(document);
  test::PickGridUnit(page, Handler::kPressureRow, "MPa");
  EXPECT_EQ(page.pressureUnit(), QStringLiteral("bar"));
  EXPECT_TRUE(page.grid().cellText(1, Handler::kResultColumn).isEmpty());

  // The result is then written in the unit the cell shows, and picking
  // "bar" converts it.
  test::SelectUnits(page, kMPa, kKelvin);
  test::TypeInputs(page, "1", "373.15");
  test::PressCalculate(page);
  EXPECT_EQ(page.grid().cellText(1, Handler::kResultColumn), QStringLiteral("1"));
  test::PickGridUnit(page, Handler::kPressureRow, "bar");
  EXPECT_EQ(page.grid().cellText(1, Handler::kResultColumn), QStringLiteral("10"));
}

TEST_F(PageTest, unit_cells_start_over_after_a_trip_to_english_units) {
  CPageGeneral page(document);
  test::SelectUnits(page, kMPa, kKelvin);
  test::TypeInputs(page, "1", "373.15");
  test::PressCalculate(page);
  test::PickGridUnit(page, Handler::kPressureRow, "MPa");
  test::ClickEnglish(page);
  test::ClickSI(page);
  EXPECT_EQ(page.grid().cellText(1, Handler::kUnitColumn), QStringLiteral("bar"));
  EXPECT_EQ(page.grid().cellText(1, Handler::kResultColumn), QStringLiteral("10"));
  test::PickGridUnit(page, Handler::kPressureRow, "MPa");
  EXPECT_EQ(page.grid().cellText(1, Handler::kResultColumn), QStringLiteral("1"));
}

TEST_F(PageTest, wet_steam_shows_quality_and_no_derivatives) {
  CPageGeneral page(document);
  test::SelectFunction(page, 1);  // (p, h)
  test::TypeInputs(page, "10", "2000");
  test::PressCalculate(page);
  ASSERT_TRUE(page.hasResults());
  const QStringList texts = ColumnTexts(page.grid(), Handler::kResultColumn);
  EXPECT_EQ(texts[15], QStringLiteral("4"));
  EXPECT_NE(texts[14], QStringLiteral("N/A"));
  EXPECT_GT(texts[14].toDouble(), 0.0);
  EXPECT_LT(texts[14].toDouble(), 100.0);
  for (int row = 17; row <= 24; ++row) {
    EXPECT_EQ(texts[row - 1], QStringLiteral("N/A")) << "row " << row;
  }

  // A single-phase state has no quality.
  test::SelectFunction(page, 0);
  test::TypeInputs(page, "10", "100");
  test::PressCalculate(page);
  EXPECT_EQ(page.grid().cellText(15, Handler::kResultColumn), QStringLiteral("N/A"));
  EXPECT_EQ(page.grid().cellText(16, Handler::kResultColumn), QStringLiteral("1"));
  EXPECT_NE(page.grid().cellText(17, Handler::kResultColumn), QStringLiteral("N/A"));
}

TEST_F(PageTest, unavailable_transport_properties_show_not_applicable) {
  CPageGeneral page(document);
  test::SelectUnits(page, kMPa, kKelvin);
  test::TypeInputs(page, "1", "1500");  // region 5, beyond the transport correlations
  test::PressCalculate(page);
  ASSERT_TRUE(page.hasResults());
  ASSERT_EQ(page.result().transport.dv, kNotAvailable);
  const TransportProperties& transport = page.result().transport;
  const double values[] = {transport.dv, transport.kv, transport.tc,
                           transport.td, transport.Pr, transport.Sigma};
  for (int row = 25; row <= 30; ++row) {
    SCOPED_TRACE(row);
    const double value = values[row - 25];
    EXPECT_EQ(page.grid().cellText(row, Handler::kResultColumn),
              value == kNotAvailable ? QStringLiteral("N/A") : Handler::FormatValue(value));
  }
  EXPECT_EQ(page.grid().cellText(25, Handler::kResultColumn), QStringLiteral("N/A"));
}

// A saturation point typed on the page with the engine calls of the point
// and of its liquid and vapour.
struct SaturationCase {
  const char* name;
  int function;
  int firstUnit;
  const char* first;
  const char* second;
  Entry entry;
  double siFirst;
  double siSecond;
  bool byTemperature;  // the liquid and vapour of the point's temperature, else its pressure
};

const SaturationCase kSaturationCases[] = {
    {"px", 0, kBar, "10", "50", &IF97Calculator::CalcSatPX, 10 * 0.1, 50.0, false},
    {"tx", 1, kKelvin, "400", "25", &IF97Calculator::CalcSatTX, 400.0, 25.0, true},
    {"ph", 2, kBar, "10", "1500", &IF97Calculator::CalcSatPH, 10 * 0.1, 1500.0, false},
    {"ts", 7, kCelsius, "150", "3", &IF97Calculator::CalcSatTS, 150 + 273.15, 3.0, true},
    {"hs", 10, kOnly, "1500", "4", &IF97Calculator::CalcSatHS, 1500.0, 4.0, true},
};

TEST_F(PageTest, saturation_page_shows_liquid_point_and_vapour) {
  CPageSaturation page(document);
  for (const SaturationCase& row : kSaturationCases) {
    SCOPED_TRACE(row.name);
    test::SelectFunction(page, row.function);
    test::SelectUnits(page, row.firstUnit, kOnly);
    test::TypeInputs(page, row.first, row.second);
    test::PressCalculate(page);
    ASSERT_TRUE(messages.messages.empty()) << messages.messages.front().text.toStdString();

    StateProperties point{};
    TransportProperties pointTransport{};
    ASSERT_TRUE((reference.calculator.*row.entry)(row.siFirst, row.siSecond, point, pointTransport,
                                                  true, false));
    StateProperties liquid{};
    StateProperties vapour{};
    TransportProperties liquidTransport{};
    TransportProperties vapourTransport{};
    if (row.byTemperature) {
      ASSERT_TRUE(
          reference.calculator.CalcSatTX(point.t, 0.0, liquid, liquidTransport, true, false));
      ASSERT_TRUE(
          reference.calculator.CalcSatTX(point.t, 100.0, vapour, vapourTransport, true, false));
    } else {
      ASSERT_TRUE(
          reference.calculator.CalcSatPX(point.p, 0.0, liquid, liquidTransport, true, false));
      ASSERT_TRUE(
          reference.calculator.CalcSatPX(point.p, 100.0, vapour, vapourTransport, true, false));
    }
    EXPECT_EQ(ColumnTexts(page.grid(), Handler::kLiquidColumn),
              ExpectedColumn(liquid, liquidTransport, true, false, Handler::kLiquidColumn));
    EXPECT_EQ(ColumnTexts(page.grid(), Handler::kSaturationResultColumn),
              ExpectedColumn(point, pointTransport, true, false, Handler::kSaturationResultColumn));
    EXPECT_EQ(ColumnTexts(page.grid(), Handler::kVaporColumn),
              ExpectedColumn(vapour, vapourTransport, true, false, Handler::kVaporColumn));
    // Quality 0 and 100 beside the point; the liquid keeps its derivatives.
    EXPECT_EQ(page.grid().cellText(15, Handler::kLiquidColumn), QStringLiteral("0"));
    EXPECT_EQ(page.grid().cellText(15, Handler::kVaporColumn), QStringLiteral("100"));
    EXPECT_NE(page.grid().cellText(17, Handler::kLiquidColumn), QStringLiteral("N/A"));
  }
  // Only the requested points reach the document.
  ASSERT_EQ(document.SIResults().size(), std::size(kSaturationCases));
  EXPECT_DOUBLE_EQ(document.SIResults().front()->state.x, 50.0);
}

TEST_F(PageTest, saturation_mixture_shows_no_derivatives_in_the_point_column) {
  CPageSaturation page(document);
  test::TypeInputs(page, "10", "50");
  test::PressCalculate(page);
  for (int row = 17; row <= 23; ++row) {
    EXPECT_EQ(page.grid().cellText(row, Handler::kSaturationResultColumn), QStringLiteral("N/A"));
  }
  EXPECT_EQ(page.grid().cellText(15, Handler::kSaturationResultColumn), QStringLiteral("50"));
}

TEST_F(PageTest, saturation_page_in_english_units) {
  CPageSaturation page(document);
  test::ClickEnglish(page);
  EXPECT_EQ(page.firstUnits().itemText(0), QStringLiteral("psi"));
  EXPECT_EQ(page.secondUnits().itemText(0), QStringLiteral("%"));
  test::TypeInputs(page, "100", "30");
  test::PressCalculate(page);
  ASSERT_TRUE(page.hasResults());
  EXPECT_EQ(page.grid().cellText(0, Handler::kSaturationUnitColumn), QStringLiteral("Units (E)"));
  EXPECT_EQ(page.grid().cellText(1, Handler::kSaturationUnitColumn), QStringLiteral("psi"));
  EXPECT_EQ(ColumnTexts(page.grid(), Handler::kSaturationResultColumn),
            ExpectedColumn(page.point().englishState, page.point().englishTransport, true, true,
                           Handler::kSaturationResultColumn));
  EXPECT_EQ(ColumnTexts(page.grid(), Handler::kVaporColumn),
            ExpectedColumn(page.vapour().englishState, page.vapour().englishTransport, true, true,
                           Handler::kVaporColumn));
  ASSERT_EQ(document.EnglishResults().size(), 1U);
  EXPECT_TRUE(document.SIResults().empty());
}

// The three messages and where the focus goes after each.
struct MessageCase {
  const char* name;
  bool saturationPage;
  int function;
  int firstUnit;
  const char* first;
  const char* second;
  Icon icon;
  const char* text;
  bool focusOnSecond;
  bool textSelected;
};

const MessageCase kMessageCases[] = {
    {"both_empty", false, 0, kBar, "", "", Icon::Stop, "Enter input data!", false, false},
    {"second_empty", false, 0, kBar, "10", "", Icon::Stop, "Enter input data!", true, false},
    {"first_empty", true, 0, kBar, "", "50", Icon::Stop, "Enter input data!", false, false},
    {"pressure_above_1000_bar", false, 0, kBar, "1000.001", "100", Icon::Warning,
     "The value is out of the range!\nPressure: 0.00611157 to 1000 bar", false, true},
    {"temperature_above_2000_celsius", false, 0, kBar, "10", "2000.5", Icon::Warning,
     "The value is out of the range!\nTemperature: 0 to 2000 °C", true, true},
    {"hv_volume_at_the_bound", false, 12, kOnly, "1000", "0.00100021", Icon::Warning,
     "The value is out of the range!\nVolume: above 0.00100021 m³/kg", true, true},
    {"exponent_left_unfinished", false, 0, kBar, "1e", "100", Icon::Stop,
     "Pressure: \"1e\" is not a number.\nType digits with \".\" as the decimal separator, and an "
     "exponent if needed (1e-3).",
     false, true},
    {"negative_pressure", false, 0, kBar, "10", "-5", Icon::Stop,
     "Temperature: \"-5\" is not a number (it cannot be negative).\nType digits with \".\" as the "
     "decimal separator, and an exponent if needed (1e-3).",
     true, true},
    {"hs_no_state", false, 9, kOnly, "1", "9", Icon::Warning, "The point is out of the range!",
     false, false},
    {"sat_quality_above_100", true, 0, kBar, "10", "100.5", Icon::Warning,
     "The value is out of the range!\nQuality: 0 to 100 %", true, true},
    {"sat_ph_superheated_enthalpy", true, 2, kBar, "10", "3000", Icon::Warning,
     "The value is out of the range!\nEnthalpy: no two-phase state at this value for the "
     "pressure given",
     true, true},
    {"sat_px_above_critical", true, 0, kMPa, "22.0641", "50", Icon::Warning,
     "The value is out of the range!\nPressure: 0.000611213 to 22.064 MPa", false, true},
};

TEST_F(PageTest, calculation_messages_put_the_focus_where_the_fault_is) {
  // Both pages side by side in one active window.
  QWidget window;
  auto* general = new CPageGeneral(document, &window);
  auto* saturation = new CPageSaturation(document, &window);
  saturation->move(0, general->templateSize().height());
  ASSERT_TRUE(test::ShowActive(window));
  for (const MessageCase& row : kMessageCases) {
    SCOPED_TRACE(row.name);
    CInputPropertyPage& page =
        row.saturationPage ? static_cast<CInputPropertyPage&>(*saturation) : *general;
    test::SelectFunction(page, row.function);
    test::SelectUnits(page, row.firstUnit, kOnly);
    test::TypeInputs(page, row.first, row.second);
    page.functionList().setFocus();
    messages.messages.clear();

    test::PressCalculate(page);
    ASSERT_EQ(messages.messages.size(), 1U);
    EXPECT_EQ(messages.messages.front().icon, row.icon);
    EXPECT_EQ(messages.messages.front().text, QString::fromUtf8(row.text));
    CNumericEdit& expected = row.focusOnSecond ? page.secondEdit() : page.firstEdit();
    EXPECT_TRUE(expected.hasFocus());
    EXPECT_EQ(expected.hasSelectedText() && expected.selectedText() == expected.text(),
              row.textSelected);
    // The typed text stays as it was.
    EXPECT_EQ(page.firstEdit().text(), QString::fromUtf8(row.first));
    EXPECT_FALSE(page.hasResults());
  }
  EXPECT_TRUE(document.SIResults().empty());
}

TEST_F(PageTest, failed_calculation_keeps_the_last_result_in_both_unit_systems) {
  CPageGeneral page(document);
  test::SelectUnits(page, kMPa, kKelvin);
  test::TypeInputs(page, "1", "373.15");
  test::PressCalculate(page);
  const QStringList siTexts = ColumnTexts(page.grid(), Handler::kResultColumn);

  test::TypeInputs(page, "1000", "373.15");  // above 100 MPa
  test::PressCalculate(page);
  ASSERT_EQ(messages.messages.size(), 1U);
  test::SelectFunction(page, 9);  // (h, s) with no state
  test::TypeInputs(page, "1", "9");
  test::PressCalculate(page);
  ASSERT_EQ(messages.messages.size(), 2U);

  EXPECT_EQ(ColumnTexts(page.grid(), Handler::kResultColumn), siTexts);
  test::ClickEnglish(page);
  test::ClickSI(page);
  EXPECT_EQ(ColumnTexts(page.grid(), Handler::kResultColumn), siTexts);
  EXPECT_DOUBLE_EQ(page.result().state.p, 1.0);
  EXPECT_EQ(document.SIResults().size(), 1U);
}

TEST_F(PageTest, failed_saturation_calculation_keeps_all_three_columns) {
  CPageSaturation page(document);
  test::TypeInputs(page, "10", "50");
  test::PressCalculate(page);
  const QStringList liquid = ColumnTexts(page.grid(), Handler::kLiquidColumn);
  const QStringList vapour = ColumnTexts(page.grid(), Handler::kVaporColumn);
  test::SelectFunction(page, 2);
  test::TypeInputs(page, "10", "3000");
  test::PressCalculate(page);
  ASSERT_EQ(messages.messages.size(), 1U);
  test::ClickEnglish(page);
  test::ClickSI(page);
  EXPECT_EQ(ColumnTexts(page.grid(), Handler::kLiquidColumn), liquid);
  EXPECT_EQ(ColumnTexts(page.grid(), Handler::kVaporColumn), vapour);
  EXPECT_EQ(page.grid().cellText(15, Handler::kSaturationResultColumn), QStringLiteral("50"));
}

TEST_F(PageTest, enter_in_an_edit_field_presses_calculate) {
  CPageGeneral page(document);
  ASSERT_TRUE(test::ShowActive(page));
  test::TypeInputs(page, "10", "100");
  page.secondEdit().setFocus();
  QTest::keyClick(&page.secondEdit(), Qt::Key_Return);
  EXPECT_TRUE(page.hasResults());
  EXPECT_EQ(document.SIResults().size(), 1U);
}

TEST_F(PageTest, function_selection_writes_labels_and_unit_lists) {
  CPageGeneral general(document);
  CPageSaturation saturation(document);
  ASSERT_EQ(general.functionList().count(), 14);
  ASSERT_EQ(saturation.functionList().count(), 15);
  EXPECT_EQ(general.functionList().itemText(3), QStringLiteral(" function (p, v)"));
  EXPECT_EQ(saturation.functionList().itemText(14), QStringLiteral(" function (u, v) "));

  EXPECT_EQ(general.firstLabel().text(), QStringLiteral("&1. Pressure"));
  EXPECT_EQ(general.secondLabel().text(), QStringLiteral("&2. Temperature"));
  EXPECT_EQ(saturation.secondLabel().text(), QStringLiteral("&2. Quality"));
  EXPECT_EQ(general.secondUnits().itemText(0), QStringLiteral("°C"));
  EXPECT_EQ(saturation.firstUnits().count(), 2);

  test::SelectFunction(general, 13);  // (u, v)
  EXPECT_EQ(general.firstLabel().text(), QStringLiteral("&1. Internal Energy"));
  EXPECT_EQ(general.secondLabel().text(), QStringLiteral("&2. Volume"));
  EXPECT_EQ(general.firstUnits().itemText(0), QStringLiteral("kJ/kg"));
  EXPECT_EQ(general.secondUnits().itemText(0), QStringLiteral("m³/kg"));

  test::SelectFunction(saturation, 1);  // (t, x)
  EXPECT_EQ(saturation.firstUnits().itemText(0), QStringLiteral("°C"));
  EXPECT_EQ(saturation.firstUnits().itemText(1), QStringLiteral("K"));
  test::ClickEnglish(saturation);
  EXPECT_EQ(saturation.firstUnits().itemText(0), QStringLiteral("°F"));
}

// A typed value keeps the state it stands for when its unit changes (once
// "10" stayed "10" from bar to MPa), and a pair change keeps the quantities
// the new pair still has.
TEST_F(PageTest, typed_values_follow_unit_and_pair_changes) {
  CPageGeneral page(document);
  test::TypeInputs(page, "10", "100");  // bar, °C
  struct Step {
    const char* name;
    std::function<void()> act;
    const char* first;
    const char* second;
  };
  const Step steps[] = {
      {"bar to MPa", [&] { page.firstUnits().setCurrentIndex(kMPa); }, "1", "100"},
      {"°C to K", [&] { page.secondUnits().setCurrentIndex(kKelvin); }, "1", "373.15"},
      {"SI to English", [&] { test::ClickEnglish(page); }, "145.0377377", "212"},
      {"English to SI", [&] { test::ClickSI(page); }, "10", "100"},
      {"(p, t) to (p, h) keeps p", [&] { test::SelectFunction(page, 1); }, "10", ""},
      {"(p, h) to (t, h) keeps nothing typed", [&] { test::SelectFunction(page, 5); }, "", ""},
  };
  for (const Step& step : steps) {
    step.act();
    EXPECT_EQ(page.firstEdit().text(), QString::fromUtf8(step.first)) << step.name;
    EXPECT_EQ(page.secondEdit().text(), QString::fromUtf8(step.second)) << step.name;
  }
  // Entropy and internal energy of compressed liquid near 0 °C are negative.
  test::SelectFunction(page, 10);  // (u, s)
  test::TypeInputs(page, "-0.04", "-0.0001");
  EXPECT_FALSE(page.firstEdit().isInvalid());
  EXPECT_FALSE(page.secondEdit().isInvalid());
}

TEST_F(PageTest, reset_page_returns_to_the_start_state) {
  CPageSaturation page(document);
  test::SelectFunction(page, 1);
  test::SelectUnits(page, kKelvin, kOnly);
  test::TypeInputs(page, "400", "20");
  test::PressCalculate(page);
  test::ClickEnglish(page);
  ASSERT_TRUE(page.hasResults());

  page.ResetPage();
  EXPECT_FALSE(page.hasResults());
  EXPECT_EQ(page.CurrentUnitSystem(), UnitSystem::SI);
  EXPECT_TRUE(page.siButton().isChecked());
  EXPECT_FALSE(page.englishButton().isChecked());
  EXPECT_EQ(page.functionList().currentIndex(), 0);
  EXPECT_EQ(page.firstLabel().text(), QStringLiteral("&1. Pressure"));
  EXPECT_EQ(page.firstUnits().currentText(), QStringLiteral("bar"));
  EXPECT_TRUE(page.firstEdit().text().isEmpty());
  EXPECT_TRUE(page.secondEdit().text().isEmpty());
  EXPECT_EQ(page.grid().cellText(0, Handler::kSaturationUnitColumn), QStringLiteral("Units (SI)"));
  for (int column = Handler::kLiquidColumn; column <= Handler::kVaporColumn; ++column) {
    EXPECT_TRUE(ColumnTexts(page.grid(), column).join(QString()).isEmpty());
  }
  EXPECT_EQ(&page.liquidVapourFunction(), &page.currentFunction());
}

TEST_F(PageTest, controls_carry_their_texts_and_mnemonics) {
  CPageGeneral page(document);
  EXPECT_EQ(page.title(), QStringLiteral("Subcooled/Superheated properties"));
  EXPECT_EQ(page.unitsGroup().title(), QStringLiteral("&Units"));
  EXPECT_EQ(page.inputGroup().title(), QStringLiteral("Input &Data"));
  EXPECT_EQ(page.siButton().text(), QStringLiteral("SI (&Metric)"));
  EXPECT_EQ(page.englishButton().text(), QStringLiteral("En&glish"));
  EXPECT_EQ(page.functionLabel().text(), QStringLiteral("Se&lect function:"));
  EXPECT_EQ(page.calculateButton().text(), QStringLiteral("&Calculate"));
  EXPECT_TRUE(page.calculateButton().isDefault());
  EXPECT_EQ(page.functionLabel().buddy(), &page.functionList());
  EXPECT_EQ(page.firstLabel().buddy(), &page.firstEdit());

  ASSERT_TRUE(test::ShowActive(page));
  page.calculateButton().setFocus();
  QTest::keyClick(&page, Qt::Key_U, Qt::AltModifier);
  EXPECT_TRUE(page.siButton().hasFocus());
  QTest::keyClick(&page, Qt::Key_2, Qt::AltModifier);
  EXPECT_TRUE(page.secondEdit().hasFocus());
}

TEST_F(PageTest, grid_follows_the_page_edges_and_the_link_the_right_edge) {
  CPageGeneral page(document);
  page.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&page));
  page.resize(page.templateSize());
  const QRect smallGrid = page.grid().geometry();
  const int linkGap = page.width() - page.hyperLink().geometry().left();
  page.resize(page.templateSize() + QSize(200, 300));
  EXPECT_EQ(page.grid().geometry().width(), smallGrid.width() + 200);
  EXPECT_EQ(page.grid().geometry().height(), smallGrid.height() + 300);
  EXPECT_EQ(page.width() - page.hyperLink().geometry().left(), linkGap);
  EXPECT_EQ(page.hyperLink().url(), QUrl(QStringLiteral("help:index.html")));
}

}  // namespace
}  // namespace vaporix
