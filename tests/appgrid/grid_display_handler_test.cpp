#include <QComboBox>
#include <QTest>
#include <cmath>
#include <limits>

#include "CGridCtrl.h"
#include "GridDisplayHandler.h"
#include "widgets/QtTestApplication.h"

namespace vaporix {
namespace {

using Handler = GridDisplayHandler;

// A compressed-liquid state near 1 MPa and 100 °C, filled by hand.
StateProperties LiquidState() {
  StateProperties state;
  state.p = 1.0;
  state.t = 373.15;
  state.v = 0.00104298;
  state.d = 958.788;
  state.h = 419.837;
  state.s = 1.30661;
  state.u = 418.794;
  state.cp = 4.21502;
  state.cv = 3.76765;
  state.w = 1545.69;
  state.kapa = 21762.4;
  state.H = -68.7623;
  state.G = -67.719;
  state.Z = 0.00603;
  state.alpha = 0.000752;
  state.Kt = 0.000489;
  state.dvdt = 7.85e-7;
  state.dvdp = -5.1e-7;
  state.dpdt = 1.5378;
  state.dpdv = -1.96e6;
  state.iJTC = -0.0108;
  state.JTC = -0.0257;
  state.x = 0.0;
  state.region = 1;
  return state;
}

TransportProperties LiquidTransport() {
  return {281.8, 0.2939, 0.6791, 0.1681, 1.749, 58.91};
}

// The grid of a page, prepared for its layout in SI mode, with the page's
// reaction to a unit pick.
struct PageGrid {
  explicit PageGrid(bool saturation) : saturationLayout(saturation) {
    Handler::PrepareGrid(grid, saturationLayout);
    Handler::ShowSIMode(grid, saturationLayout);
    QObject::connect(&grid, &CGridCtrl::cellOptionPicked, &grid,
                     [this](int row, int column, const QString&) {
                       if (row == Handler::kPressureRow) {
                         Handler::ChangePressureUnit(grid, column, saturationLayout);
                       } else if (row == Handler::kTemperatureRow) {
                         Handler::ChangeTemperatureUnit(grid, column, saturationLayout);
                       }
                     });
    grid.show();
  }
  int unitColumn() const {
    return saturationLayout ? Handler::kSaturationUnitColumn : Handler::kUnitColumn;
  }
  // Moves the list box of a unit cell one entry down or up, as the user does.
  void pick(int row, Qt::Key key) {
    QComboBox* comboBox = grid.cellComboBox(row, unitColumn());
    ASSERT_NE(comboBox, nullptr);
    QTest::keyClick(comboBox, key);
  }

  bool saturationLayout;
  CGridCtrl grid;
};

TEST(grid_display_handler_test, formats_values_like_printf_g) {
  struct FormatCase {
    double value;
    const char* text;
  };
  const FormatCase cases[] = {
      {10.0, "10"},
      {373.15, "373.15"},
      {0.000123456789, "0.000123457"},
      {1e-5, "1e-05"},
      {1234567.0, "1.23457e+06"},
      {-68.7623, "-68.7623"},
      {0.0, "0"},
      {-1.0, "-1"},
      {std::numeric_limits<double>::quiet_NaN(), "N/A"},
      {std::numeric_limits<double>::infinity(), "N/A"},
  };
  for (const FormatCase& testCase : cases) {
    EXPECT_EQ(Handler::FormatValue(testCase.value), QString::fromLatin1(testCase.text))
        << testCase.text;
  }
}

TEST(grid_display_handler_test, single_phase_layout_texts) {
  PageGrid page(false);
  CGridCtrl& grid = page.grid;
  EXPECT_EQ(grid.gridRowCount(), 31);
  EXPECT_EQ(grid.gridColumnCount(), 5);
  struct CellCase {
    int row;
    int column;
    const char* text;
  };
  const CellCase cells[] = {
      {0, 1, "Property Name"},
      {0, 2, "Results"},
      {0, 3, "Units (SI)"},
      {0, 4, "Constants used in calculation"},
      {1, 0, "1"},
      {30, 0, "30"},
      {1, 1, "Pressure   [p]"},
      {6, 1, "Specific entropy   [s]"},
      {19, 1, "Partial derivative (dV/dT)p   [dvdt]"},
      {23, 1, "Isothermal Joule-Thomson coefficient   [iJTC]"},
      {30, 1, "Surface tension   [Sigma]"},
      {1, 3, "bar"},
      {2, 3, "°C"},
      {3, 3, "kg/m³"},
      {6, 3, "kJ/(kg·K)"},
      {15, 3, "%"},
      {22, 3, "MPa·kg/m³"},
      {23, 3, "kJ/(kg·MPa)"},
      {25, 3, "µPa·s"},
      {26, 3, "mm²/s"},  // 10⁻⁶ m²/s, once labelled µm²/s
      {27, 3, "W/(m·K)"},
      {1, 4, "Specific gas constant: R = 0.461526 kJ/(kg·K)"},
      {2, 4, "Molar gas constant: Rm = 8.31451 J/(mol·K)"},
      {6, 4, "Critical density: rhoc = 322 kg/m³"},
      {8, 4, "Triple-point pressure: pt = 611.657 Pa"},
      {9, 4, ""},
  };
  for (const CellCase& cell : cells) {
    EXPECT_EQ(grid.cellText(cell.row, cell.column), QString::fromUtf8(cell.text))
        << cell.row << "," << cell.column;
  }
  EXPECT_EQ(grid.gridColumnWidth(0), 30);
  // Titles and constants widen their columns to the longest text.
  EXPECT_GE(grid.gridColumnWidth(1), 280);
  EXPECT_EQ(grid.gridColumnWidth(2), 160);
  EXPECT_EQ(grid.gridColumnWidth(3), 100);
  EXPECT_GE(grid.gridColumnWidth(4), 300);

  const QColor red(192, 0, 0);  // 4.5:1 on white; pure red reads at 4:1
  const QColor blue(0, 0, 255);
  for (int row = 1; row <= 30; ++row) {
    const bool redRow = row <= 4 || row == 6 || row == 7 || (row >= 12 && row <= 23);
    EXPECT_EQ(grid.cellTextColor(row, 2), redRow ? red : blue) << row;
    EXPECT_EQ(grid.cellTextColor(row, 1), blue) << row;
    EXPECT_EQ(grid.cellBackground(row, 1), QColor(255, 255, 230)) << row;
    EXPECT_EQ(grid.cellBackground(row, 4), QColor(230, 230, 230)) << row;
  }
}

TEST(grid_display_handler_test, english_mode_texts_and_back) {
  PageGrid page(true);
  CGridCtrl& grid = page.grid;
  EXPECT_EQ(grid.gridColumnCount(), 7);
  EXPECT_EQ(grid.cellText(0, 2), QStringLiteral("Liquid"));
  EXPECT_EQ(grid.cellText(0, 3), QStringLiteral("Results"));
  EXPECT_EQ(grid.cellText(0, 4), QStringLiteral("Vapor"));
  EXPECT_EQ(grid.cellBackground(5, 2), QColor(245, 255, 245));
  EXPECT_EQ(grid.cellBackground(5, 4), QColor(245, 255, 245));
  EXPECT_EQ(grid.cellTextColor(1, 3), QColor(192, 0, 0));
  EXPECT_EQ(grid.gridColumnWidth(3), 130);

  Handler::ShowEnglishMode(grid, true);
  struct CellCase {
    int row;
    int column;
    const char* text;
  };
  const CellCase cells[] = {
      {0, 5, "Units (E)"},
      {1, 5, "psi"},
      {2, 5, "°F"},
      {6, 5, "Btu/(lb·°F)"},
      {20, 5, "ft³/(lb·psi)"},
      {22, 5, "psi·lb/ft³"},
      {27, 5, "Btu/(h·ft·°F)"},
      {30, 5, "lbf/ft"},
      // The constants in English units, six significant digits, each worked
      // out from its SI value with the exact pound, foot, psi, Btu and degF.
      {1, 6, "Specific gas constant: R = 0.110234 Btu/(lb·°F)"},
      {2, 6, "Molar gas constant: Rm = 1.98589 Btu/(lbmol·°F)"},
      {3, 6, "Molar mass: M = 18.0153 lbm/lbmol"},
      {4, 6, "Critical temperature: Tc = 705.103 °F"},
      {5, 6, "Critical pressure: pc = 3200.11 psi"},
      {6, 6, "Critical density: rhoc = 20.1018 lb/ft³"},
      {7, 6, "Triple-point temperature: Tt = 32.018 °F"},
      {8, 6, "Triple-point pressure: pt = 0.0887133 psi"},
  };
  for (const CellCase& cell : cells) {
    EXPECT_EQ(grid.cellText(cell.row, cell.column), QString::fromUtf8(cell.text))
        << cell.row << "," << cell.column;
  }
  EXPECT_EQ(grid.cellComboBox(1, 5), nullptr);
  EXPECT_EQ(grid.cellComboBox(2, 5), nullptr);

  Handler::ShowSIMode(grid, true);
  EXPECT_EQ(grid.cellText(0, 5), QStringLiteral("Units (SI)"));
  ASSERT_NE(grid.cellComboBox(1, 5), nullptr);
  EXPECT_EQ(grid.cellComboBox(1, 5)->currentText(), QStringLiteral("bar"));
  EXPECT_EQ(grid.cellComboBox(2, 5)->currentText(), QStringLiteral("°C"));
  EXPECT_EQ(grid.cellText(1, 6), QStringLiteral("Specific gas constant: R = 0.461526 kJ/(kg·K)"));
}

TEST(grid_display_handler_test, pressure_cell_rescales_row_one) {
  PageGrid page(false);
  Handler::FillValues(page.grid, LiquidState(), LiquidTransport(), Handler::kResultColumn, false);
  EXPECT_EQ(page.grid.cellText(1, 2), QStringLiteral("10"));
  EXPECT_EQ(page.grid.cellText(1, 3), QStringLiteral("bar"));

  page.pick(Handler::kPressureRow, Qt::Key_Down);
  EXPECT_EQ(page.grid.cellText(1, 3), QStringLiteral("MPa"));
  EXPECT_EQ(page.grid.cellText(1, 2), QStringLiteral("1"));

  // A new result follows the unit the cell shows now.
  StateProperties state = LiquidState();
  state.p = 2.5;
  Handler::FillValues(page.grid, state, LiquidTransport(), Handler::kResultColumn, false);
  EXPECT_EQ(page.grid.cellText(1, 2), QStringLiteral("2.5"));

  page.pick(Handler::kPressureRow, Qt::Key_Up);
  EXPECT_EQ(page.grid.cellText(1, 3), QStringLiteral("bar"));
  EXPECT_EQ(page.grid.cellText(1, 2), QStringLiteral("25"));
  // Other rows never change with the unit cells.
  EXPECT_EQ(page.grid.cellText(5, 2), QStringLiteral("419.837"));
}

TEST(grid_display_handler_test, temperature_cell_rescales_row_two_of_all_three_columns) {
  PageGrid page(true);
  StateProperties liquid = LiquidState();
  liquid.region = 4;
  StateProperties mixture = liquid;
  mixture.x = 50.0;
  StateProperties vapour = liquid;
  vapour.x = 100.0;
  vapour.t = 453.15;
  Handler::FillValues(page.grid, liquid, LiquidTransport(), Handler::kLiquidColumn, true);
  Handler::FillValues(page.grid, mixture, LiquidTransport(), Handler::kSaturationResultColumn,
                      true);
  Handler::FillValues(page.grid, vapour, LiquidTransport(), Handler::kVaporColumn, true);
  EXPECT_EQ(page.grid.cellText(2, 2), QStringLiteral("100"));
  EXPECT_EQ(page.grid.cellText(2, 4), QStringLiteral("180"));

  page.pick(Handler::kTemperatureRow, Qt::Key_Down);
  EXPECT_EQ(page.grid.cellText(2, 5), QStringLiteral("K"));
  EXPECT_EQ(page.grid.cellText(2, 2), QStringLiteral("373.15"));
  EXPECT_EQ(page.grid.cellText(2, 3), QStringLiteral("373.15"));
  EXPECT_EQ(page.grid.cellText(2, 4), QStringLiteral("453.15"));
  EXPECT_EQ(page.grid.cellText(1, 3), QStringLiteral("10"));

  page.pick(Handler::kTemperatureRow, Qt::Key_Up);
  EXPECT_EQ(page.grid.cellText(2, 5), QStringLiteral("°C"));
  EXPECT_EQ(page.grid.cellText(2, 3), QStringLiteral("100"));
  EXPECT_EQ(page.grid.cellText(2, 4), QStringLiteral("180"));
}

TEST(grid_display_handler_test, rescaling_an_empty_grid_leaves_it_empty) {
  PageGrid page(false);
  page.pick(Handler::kPressureRow, Qt::Key_Down);
  page.pick(Handler::kTemperatureRow, Qt::Key_Down);
  EXPECT_EQ(page.grid.cellText(1, 2), QString());
  EXPECT_EQ(page.grid.cellText(2, 2), QString());
}

// A mixture has no one-phase property: heat capacities, speed of sound,
// isentropic exponent, derivatives and transport but surface tension (a
// mixed viscosity once read 14.68 µPa·s, below both phases' own).
TEST(grid_display_handler_test, two_phase_mixture_shows_quality_and_no_derivatives) {
  for (const bool saturationLayout : {false, true}) {
    PageGrid page(saturationLayout);
    const int column = saturationLayout ? Handler::kSaturationResultColumn : Handler::kResultColumn;
    StateProperties state = LiquidState();
    state.region = 4;
    state.x = 37.5;
    Handler::FillValues(page.grid, state, LiquidTransport(), column, saturationLayout);
    EXPECT_EQ(page.grid.cellText(15, column), QStringLiteral("37.5"));
    EXPECT_EQ(page.grid.cellText(16, column), QStringLiteral("4"));
    for (const int row : {8, 9, 10, 11, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29}) {
      EXPECT_EQ(page.grid.cellText(row, column), QStringLiteral("N/A")) << row;
    }
    EXPECT_EQ(page.grid.cellText(14, column), QStringLiteral("0.00603"));
  }
}

TEST(grid_display_handler_test, saturated_liquid_and_vapour_show_their_derivatives) {
  PageGrid page(true);
  for (const double quality : {0.0, 100.0}) {
    StateProperties state = LiquidState();
    state.region = 4;
    state.x = quality;
    Handler::FillValues(page.grid, state, LiquidTransport(), Handler::kLiquidColumn, true);
    EXPECT_EQ(page.grid.cellText(15, 2), Handler::FormatValue(quality));
    EXPECT_EQ(page.grid.cellText(17, 2), QStringLiteral("0.000752"));
    EXPECT_EQ(page.grid.cellText(20, 2), QStringLiteral("-5.1e-07"));
    EXPECT_EQ(page.grid.cellText(22, 2), QStringLiteral("-1.96e+06"));
    EXPECT_EQ(page.grid.cellText(23, 2), QStringLiteral("-0.0108"));
    EXPECT_EQ(page.grid.cellText(24, 2), QStringLiteral("-0.0257"));
  }
}

TEST(grid_display_handler_test, single_phase_results_show_no_quality) {
  PageGrid page(false);
  for (const int region : {1, 2, 3, 5}) {
    StateProperties state = LiquidState();
    state.region = region;
    state.x = 100.0;
    Handler::FillValues(page.grid, state, LiquidTransport(), Handler::kResultColumn, false);
    EXPECT_EQ(page.grid.cellText(15, 2), QStringLiteral("N/A")) << region;
    EXPECT_EQ(page.grid.cellText(16, 2), QString::number(region));
    EXPECT_EQ(page.grid.cellText(17, 2), QStringLiteral("0.000752")) << region;
  }
  // On the saturation page the quality of a single-phase state is shown.
  PageGrid saturation(true);
  StateProperties vapour = LiquidState();
  vapour.region = 2;
  vapour.x = 100.0;
  Handler::FillValues(saturation.grid, vapour, LiquidTransport(), Handler::kVaporColumn, true);
  EXPECT_EQ(saturation.grid.cellText(15, 4), QStringLiteral("100"));
}

TEST(grid_display_handler_test, unavailable_transport_values_show_not_applicable) {
  PageGrid page(false);
  StateProperties state = LiquidState();
  state.region = 2;
  state.t = 700.0;
  const TransportProperties transport{30.1, 2.5, 0.0652, -1.0, -1.0, -1.0};
  Handler::FillValues(page.grid, state, transport, Handler::kResultColumn, false);
  const char* expected[] = {"30.1", "2.5", "0.0652", "N/A", "N/A", "N/A"};
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(page.grid.cellText(25 + i, 2), QString::fromLatin1(expected[i])) << 25 + i;
  }
}

TEST(grid_display_handler_test, english_values_are_shown_without_rescaling) {
  PageGrid page(false);
  Handler::ShowEnglishMode(page.grid, false);
  StateProperties english = LiquidState();
  english.p = 14.5;
  english.t = 212.0;
  Handler::FillValues(page.grid, english, LiquidTransport(), Handler::kResultColumn, false);
  EXPECT_EQ(page.grid.cellText(1, 2), QStringLiteral("14.5"));
  EXPECT_EQ(page.grid.cellText(1, 3), QStringLiteral("psi"));
  EXPECT_EQ(page.grid.cellText(2, 2), QStringLiteral("212"));
  EXPECT_EQ(page.grid.cellText(2, 3), QStringLiteral("°F"));
}

TEST(grid_display_handler_test, clear_values_empties_the_value_columns_only) {
  PageGrid page(true);
  for (const int column : {2, 3, 4}) {
    Handler::FillValues(page.grid, LiquidState(), LiquidTransport(), column, true);
  }
  Handler::ClearValues(page.grid, true);
  for (int row = 1; row <= 30; ++row) {
    for (const int column : {2, 3, 4}) {
      EXPECT_EQ(page.grid.cellText(row, column), QString()) << row << "," << column;
    }
  }
  EXPECT_EQ(page.grid.cellText(1, 5), QStringLiteral("bar"));
  EXPECT_EQ(page.grid.cellText(1, 1), QStringLiteral("Pressure   [p]"));
}

}  // namespace
}  // namespace vaporix
