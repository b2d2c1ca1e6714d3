#include "GridDisplayHandler.h"

#include <array>
#include <charconv>
#include <cmath>
#include <optional>
#include <string>

#include "CGridCtrl.h"
#include "vaporix/Limits.h"
#include "vaporix/Properties.h"
#include "vaporix/Units.h"

namespace vaporix {

namespace {

struct RowText {
  const char* title;
  const char* siUnit;
  const char* englishUnit;
};

// The grid's own titles and unit texts of rows 1-30, by property number.
constexpr std::array<RowText, kPropertyCount> kRows{{
    {"Pressure   [p]", "bar", "psi"},
    {"Temperature   [t]", "°C", "°F"},
    {"Density   [d]", "kg/m³", "lb/ft³"},
    {"Specific volume   [v]", "m³/kg", "ft³/lb"},
    {"Specific enthalpy   [h]", "kJ/kg", "Btu/lb"},
    {"Specific entropy   [s]", "kJ/(kg·K)", "Btu/(lb·°F)"},
    {"Specific internal energy   [u]", "kJ/kg", "Btu/lb"},
    {"Specific isobaric heat capacity   [cp]", "kJ/(kg·K)", "Btu/(lb·°F)"},
    {"Specific isochoric heat capacity   [cv]", "kJ/(kg·K)", "Btu/(lb·°F)"},
    {"Speed of sound   [w]", "m/s", "ft/s"},
    {"Isentropic exponent   [kapa]", "dimensionless", "dimensionless"},
    {"Specific Helmholtz free energy   [H]", "kJ/kg", "Btu/lb"},
    {"Specific Gibbs free energy   [G]", "kJ/kg", "Btu/lb"},
    {"Compressibility factor   [Z]", "dimensionless", "dimensionless"},
    {"Steam quality   [quality]", "%", "%"},
    {"Region   [region]", "dimensionless", "dimensionless"},
    {"Isobaric volume expansion coefficient   [alpha]", "1/K", "1/°F"},
    {"Isothermal compressibility   [Kt]", "1/MPa", "1/psi"},
    {"Partial derivative (dV/dT)p   [dvdt]", "m³/(kg·K)", "ft³/(lb·°F)"},
    {"Partial derivative (dV/dP)T   [dvdp]", "m³/(kg·MPa)", "ft³/(lb·psi)"},
    {"Partial derivative (dP/dT)v   [dpdt]", "MPa/K", "psi/°F"},
    {"Partial derivative (dP/dV)T   [dpdv]", "MPa·kg/m³", "psi·lb/ft³"},
    {"Isothermal Joule-Thomson coefficient   [iJTC]", "kJ/(kg·Mpa)", "Btu/(lb·psi)"},
    {"Joule-Thomson coefficient   [JTC]", "K/MPa", "°F/psi"},
    {"Dynamic viscosity   [dv]", "µPa·s", "lb/(ft·h)"},
    {"Kinematic viscosity   [kv]", "µm²/s", "ft²/h"},
    {"Thermal conductivity   [tc]", "W/(K·m)", "Btu/(h·ft·°F)"},
    {"Thermal diffusivity   [td]", "µm²/s", "ft²/h"},
    {"Prandtl number   [Pr]", "dimensionless", "dimensionless"},
    {"Surface tension   [Sigma]", "mN/m", "lbf/ft"},
}};

// Constants of the formulation shown beside rows 1-8: the SI row as written,
// and the value in the engine's units with the property whose English factor
// converts it (none: the same number in both systems), so that the English
// rows follow the unit factors and show six significant digits.
struct FormulationConstant {
  const char* siText;
  const char* name;
  double value;
  const char* propertyKey;
  const char* englishUnit;
};

constexpr std::array<FormulationConstant, 8> kConstants{{
    {"Specific gas constant: R = 0.461526 kJ/(kg·K)", "Specific gas constant: R", kGasConstant, "s",
     "Btu/(lb·°F)"},
    // J/(mol K) is kJ/(kmol K), converted as a specific heat.
    {"Molar gas constant: Rm = 8.31451 J/(mol·K)", "Molar gas constant: Rm", 8.31451, "s",
     "Btu/(lbmol·°F)"},
    {"Molar mass: M = 18.015257 g/mol", "Molar mass: M", 18.015257, nullptr, "lbm/lbmol"},
    {"Critical temperature: Tc = 647.096 K", "Critical temperature: Tc", kCriticalTemperature, "t",
     "°F"},
    {"Critical pressure: pc = 22.064 MPa", "Critical pressure: pc", kCriticalPressure, "p", "psi"},
    {"Critical density: rhoc = 322 kg/m³", "Critical density: rhoc", kCriticalDensity, "d",
     "lb/ft³"},
    {"Triple-point temperature: Tt = 273.16 K", "Triple-point temperature: Tt",
     limits::kTriplePointTemperature, "t", "°F"},
    {"Triple-point pressure: pt = 611.657 Pa", "Triple-point pressure: pt",
     limits::kTriplePointPressure, "p", "psi"},
}};

QString EnglishConstantText(const FormulationConstant& constant) {
  double value = constant.value;
  if (constant.propertyKey != nullptr) {
    const PropertyInfo& property = *FindProperty(constant.propertyKey);
    value = value * property.englishFactor + property.englishOffset;
  }
  return QStringLiteral("%1 = %2 %3")
      .arg(QString::fromUtf8(constant.name), GridDisplayHandler::FormatValue(value),
           QString::fromUtf8(constant.englishUnit));
}

// Least widths of the title and constants columns, in pixels.
constexpr int kTitleColumnWidth = 280;
constexpr int kConstantsColumnWidth = 300;

// Rows are property numbers.
constexpr int kFirstPropertyRow = 1;
constexpr int kLastPropertyRow = static_cast<int>(kPropertyCount);
// The derivatives (alpha to iJTC) and the Joule-Thomson coefficient.
constexpr int kFirstDerivativeRow = 17;
constexpr int kJouleThomsonRow = 24;
using units::kBarPerMegapascal;
using units::kCelsiusOffset;

const QColor kBlueText(0, 0, 255);
const QColor kRedText(255, 0, 0);
const QColor kTitleBackground(255, 255, 230);
const QColor kSaturatedBackground(245, 255, 245);
const QColor kConstantsBackground(230, 230, 230);

const QString kNotApplicable = QStringLiteral("N/A");
const QString kBar = QStringLiteral("bar");
const QString kMPa = QStringLiteral("MPa");
const QString kCelsius = QStringLiteral("°C");
const QString kKelvin = QStringLiteral("K");

int UnitColumn(bool saturationLayout) {
  return saturationLayout ? GridDisplayHandler::kSaturationUnitColumn
                          : GridDisplayHandler::kUnitColumn;
}

int ConstantsColumn(bool saturationLayout) {
  return saturationLayout ? GridDisplayHandler::kSaturationConstantsColumn
                          : GridDisplayHandler::kConstantsColumn;
}

// The unit column of the grid's own layout, judged by its column count.
int OwnUnitColumn(const CGridCtrl& grid) {
  return UnitColumn(grid.gridColumnCount() >= GridDisplayHandler::kSaturationColumnCount);
}

bool IsRedRow(int row) {
  return (row >= 1 && row <= 4) || row == 6 || row == 7 || (row >= 12 && row <= 23);
}

bool IsTwoPhaseMixture(const StateProperties& state) {
  return state.region == 4 && state.x > 0.0 && state.x < 100.0;
}

// The number a displayed value text stands for; nullopt for "N/A" or empty.
std::optional<double> ParseDisplayed(const QString& text) {
  const std::string ascii = text.trimmed().toStdString();
  double value = 0.0;
  const char* const end = ascii.data() + ascii.size();
  const auto [ptr, error] = std::from_chars(ascii.data(), end, value);
  if (ascii.empty() || error != std::errc() || ptr != end) {
    return std::nullopt;
  }
  return value;
}

// Rewrites one row of the value columns left of the unit column through `convert`.
template <typename Convert>
void RescaleRow(CGridCtrl& grid, int row, int unitColumn, bool saturationLayout, Convert convert) {
  const int valueColumns = saturationLayout ? 3 : 1;
  for (int column = unitColumn - valueColumns; column < unitColumn; ++column) {
    if (const auto value = ParseDisplayed(grid.cellText(row, column))) {
      grid.setCellText(row, column, GridDisplayHandler::FormatValue(convert(*value)));
    }
  }
}

void FillUnits(CGridCtrl& grid, int column, bool english) {
  for (int row = kFirstPropertyRow; row <= kLastPropertyRow; ++row) {
    const RowText& text = kRows[static_cast<std::size_t>(row - 1)];
    grid.setCellText(row, column, QString::fromUtf8(english ? text.englishUnit : text.siUnit));
  }
}

void FillConstants(CGridCtrl& grid, int column, bool english) {
  for (std::size_t i = 0; i < kConstants.size(); ++i) {
    grid.setCellText(
        static_cast<int>(i) + 1, column,
        english ? EnglishConstantText(kConstants[i]) : QString::fromUtf8(kConstants[i].siText));
  }
}

}  // namespace

QString GridDisplayHandler::FormatValue(double value) {
  if (!std::isfinite(value)) {
    return kNotApplicable;
  }
  // std::to_chars with a precision is printf "%g" in the C locale, whatever
  // the process locale says.
  std::array<char, 32> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                    std::chars_format::general, 6);
  return QString::fromLatin1(buffer.data(), result.ptr - buffer.data());
}

void GridDisplayHandler::PrepareGrid(CGridCtrl& grid, bool saturationLayout) {
  grid.setGridRowCount(kRowCount);
  grid.setGridColumnCount(saturationLayout ? kSaturationColumnCount : kSinglePhaseColumnCount);
  grid.setFixedRowHeight(30);
  grid.setGridColumnWidth(0, 30);
  grid.setGridColumnWidth(kTitleColumn, kTitleColumnWidth);
  if (saturationLayout) {
    grid.setGridColumnWidth(kLiquidColumn, 115);
    grid.setGridColumnWidth(kSaturationResultColumn, 130);
    grid.setGridColumnWidth(kVaporColumn, 115);
  } else {
    grid.setGridColumnWidth(kResultColumn, 160);
  }
  grid.setGridColumnWidth(UnitColumn(saturationLayout), 100);
  grid.setGridColumnWidth(ConstantsColumn(saturationLayout), kConstantsColumnWidth);
  // Titles and constants stay on one line: their columns grow to the text,
  // and the constants column fills the rest of the grid.
  grid.setWordWrap(false);
  grid.setLastColumnFillsGrid(true);

  QPalette palette = grid.palette();
  palette.setColor(QPalette::Text, kBlueText);
  grid.setPalette(palette);

  const int resultColumn = saturationLayout ? kSaturationResultColumn : kResultColumn;
  for (int row = kFirstPropertyRow; row <= kLastPropertyRow; ++row) {
    grid.setCellText(row, 0, QString::number(row));
    for (int column = 1; column < grid.gridColumnCount(); ++column) {
      grid.setCellTextColor(row, column, kBlueText);
    }
    grid.setCellBackground(row, kTitleColumn, kTitleBackground);
    grid.setCellBackground(row, ConstantsColumn(saturationLayout), kConstantsBackground);
    if (saturationLayout) {
      grid.setCellBackground(row, kLiquidColumn, kSaturatedBackground);
      grid.setCellBackground(row, kVaporColumn, kSaturatedBackground);
    }
    if (IsRedRow(row)) {
      grid.setCellTextColor(row, resultColumn, kRedText);
    }
  }
  if (saturationLayout) {
    FillSaturationHeader(grid);
  } else {
    FillHeader(grid);
  }
  FillRowTitles(grid, kTitleColumn);
  grid.fitColumnToContents(kTitleColumn, kTitleColumnWidth);
}

void GridDisplayHandler::FillHeader(CGridCtrl& grid) {
  grid.setCellText(0, kTitleColumn, QStringLiteral("Property Name"));
  grid.setCellText(0, kResultColumn, QStringLiteral("Results"));
  grid.setCellText(0, kUnitColumn, QStringLiteral("Units (SI)"));
  grid.setCellText(0, kConstantsColumn, QStringLiteral("Constants used in calculation"));
}

void GridDisplayHandler::FillSaturationHeader(CGridCtrl& grid) {
  grid.setCellText(0, kTitleColumn, QStringLiteral("Property Name"));
  grid.setCellText(0, kLiquidColumn, QStringLiteral("Liquid"));
  grid.setCellText(0, kSaturationResultColumn, QStringLiteral("Results"));
  grid.setCellText(0, kVaporColumn, QStringLiteral("Vapor"));
  grid.setCellText(0, kSaturationUnitColumn, QStringLiteral("Units (SI)"));
  grid.setCellText(0, kSaturationConstantsColumn, QStringLiteral("Constants used in calculation"));
}

QString GridDisplayHandler::PropertyTitle(int number) {
  if (number < kFirstPropertyRow || number > kLastPropertyRow) {
    return {};
  }
  return QString::fromUtf8(kRows[static_cast<std::size_t>(number - 1)].title);
}

void GridDisplayHandler::FillRowTitles(CGridCtrl& grid, int column) {
  for (int row = kFirstPropertyRow; row <= kLastPropertyRow; ++row) {
    grid.setCellText(row, column,
                     QString::fromUtf8(kRows[static_cast<std::size_t>(row - 1)].title));
  }
}

void GridDisplayHandler::FillSIUnits(CGridCtrl& grid, int column) {
  FillUnits(grid, column, false);
}

void GridDisplayHandler::FillEnglishUnits(CGridCtrl& grid, int column) {
  FillUnits(grid, column, true);
}

void GridDisplayHandler::FillSIConstants(CGridCtrl& grid, int column) {
  FillConstants(grid, column, false);
}

void GridDisplayHandler::FillEnglishConstants(CGridCtrl& grid, int column) {
  FillConstants(grid, column, true);
}

void GridDisplayHandler::FillValues(CGridCtrl& grid, const StateProperties& state,
                                    const TransportProperties& transport, int column,
                                    bool saturationLayout) {
  const bool mixture = IsTwoPhaseMixture(state);
  const int unitColumn = OwnUnitColumn(grid);

  const bool inBar = grid.cellText(kPressureRow, unitColumn) == kBar;
  const bool inCelsius = grid.cellText(kTemperatureRow, unitColumn) == kCelsius;
  for (const PropertyInfo& property : kProperties) {
    const int row = property.number;
    // The derivatives, and the Joule-Thomson coefficient the two-phase solver
    // does not compute, have no meaning inside the two-phase region.
    const bool undefinedInMixture = row >= kFirstDerivativeRow && row <= kJouleThomsonRow;
    QString text;
    if (!IsAvailable(property, state, transport, saturationLayout) ||
        (mixture && undefinedInMixture)) {
      text = kNotApplicable;
    } else if (property.isRegion) {
      text = QString::number(state.region);
    } else {
      double value = ValueOf(property, state, transport);
      if (row == kPressureRow && inBar) {
        value *= kBarPerMegapascal;
      } else if (row == kTemperatureRow && inCelsius) {
        value -= kCelsiusOffset;
      }
      text = FormatValue(value);
    }
    grid.setCellText(row, column, text);
  }
}

void GridDisplayHandler::ClearValues(CGridCtrl& grid, bool saturationLayout) {
  const int unitColumn = UnitColumn(saturationLayout);
  const int first = saturationLayout ? kLiquidColumn : kResultColumn;
  for (int row = kFirstPropertyRow; row <= kLastPropertyRow; ++row) {
    for (int column = first; column < unitColumn; ++column) {
      grid.setCellText(row, column, QString());
    }
  }
}

void GridDisplayHandler::ChangePressureUnit(CGridCtrl& grid, int column, bool saturationLayout) {
  if (grid.cellText(kPressureRow, column) == kBar) {
    grid.setCellText(kPressureRow, column, kBar);
    RescaleRow(grid, kPressureRow, column, saturationLayout,
               [](double value) { return value * kBarPerMegapascal; });
  } else {
    grid.setCellText(kPressureRow, column, kMPa);
    RescaleRow(grid, kPressureRow, column, saturationLayout,
               [](double value) { return value / kBarPerMegapascal; });
  }
  grid.viewport()->update();
}

void GridDisplayHandler::ChangeTemperatureUnit(CGridCtrl& grid, int column, bool saturationLayout) {
  if (grid.cellText(kTemperatureRow, column) == kCelsius) {
    grid.setCellText(kTemperatureRow, column, kCelsius);
    RescaleRow(grid, kTemperatureRow, column, saturationLayout,
               [](double value) { return value - kCelsiusOffset; });
  } else {
    grid.setCellText(kTemperatureRow, column, kKelvin);
    RescaleRow(grid, kTemperatureRow, column, saturationLayout,
               [](double value) { return value + kCelsiusOffset; });
  }
  grid.viewport()->update();
}

void GridDisplayHandler::ShowSIMode(CGridCtrl& grid, bool saturationLayout) {
  const int unitColumn = UnitColumn(saturationLayout);
  grid.setCellText(0, unitColumn, QStringLiteral("Units (SI)"));
  FillSIUnits(grid, unitColumn);
  grid.setCellOptions(kPressureRow, unitColumn, {kBar, kMPa});
  grid.setCellOptions(kTemperatureRow, unitColumn, {kCelsius, kKelvin});
  FillSIConstants(grid, ConstantsColumn(saturationLayout));
  grid.fitColumnToContents(ConstantsColumn(saturationLayout), kConstantsColumnWidth);
}

void GridDisplayHandler::ShowEnglishMode(CGridCtrl& grid, bool saturationLayout) {
  const int unitColumn = UnitColumn(saturationLayout);
  grid.setCellText(0, unitColumn, QStringLiteral("Units (E)"));
  grid.clearCellOptions(kPressureRow, unitColumn);
  grid.clearCellOptions(kTemperatureRow, unitColumn);
  FillEnglishUnits(grid, unitColumn);
  FillEnglishConstants(grid, ConstantsColumn(saturationLayout));
  grid.fitColumnToContents(ConstantsColumn(saturationLayout), kConstantsColumnWidth);
}

}  // namespace vaporix
