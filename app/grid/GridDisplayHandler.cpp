#include "GridDisplayHandler.h"

#include <array>
#include <charconv>
#include <cmath>
#include <optional>
#include <string>
#include <string_view>

#include "CGridCtrl.h"
#include "Contrast.h"
#include "vaporix/Limits.h"
#include "vaporix/Properties.h"
#include "vaporix/Units.h"

namespace vaporix {

namespace {

// Titles of rows 1-30, in property-number order; the units come from the
// engine's property table.
constexpr std::array<const char*, 30> kRowTitles{{
    "Pressure   [p]",
    "Temperature   [t]",
    "Density   [d]",
    "Specific volume   [v]",
    "Specific enthalpy   [h]",
    "Specific entropy   [s]",
    "Specific internal energy   [u]",
    "Specific isobaric heat capacity   [cp]",
    "Specific isochoric heat capacity   [cv]",
    "Speed of sound   [w]",
    "Isentropic exponent   [kapa]",
    "Specific Helmholtz free energy   [H]",
    "Specific Gibbs free energy   [G]",
    "Compressibility factor   [Z]",
    "Steam quality   [quality]",
    "Region   [region]",
    "Isobaric volume expansion coefficient   [alpha]",
    "Isothermal compressibility   [Kt]",
    "Partial derivative (dV/dT)p   [dvdt]",
    "Partial derivative (dV/dP)T   [dvdp]",
    "Partial derivative (dP/dT)v   [dpdt]",
    "Partial derivative (dP/dV)T   [dpdv]",
    "Isothermal Joule-Thomson coefficient   [iJTC]",
    "Joule-Thomson coefficient   [JTC]",
    "Dynamic viscosity   [dv]",
    "Kinematic viscosity   [kv]",
    "Thermal conductivity   [tc]",
    "Thermal diffusivity   [td]",
    "Prandtl number   [Pr]",
    "Surface tension   [Sigma]",
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
constexpr int kLastPropertyRow = 30;
constexpr double kCelsiusOffset = units::kCelsiusOffset;
constexpr double kBarPerMPa = 1.0 / units::kMegapascalPerBar;

// The grid's colours: blue text, red results of the main properties, pale
// yellow titles, pale green saturated columns and grey constants, or their
// counterparts on a dark desktop; every text keeps a contrast of 4.5 or more
// on its background.
struct GridColours {
  QColor blueText;
  QColor redText;
  QColor titleBackground;
  QColor saturatedBackground;
  QColor constantsBackground;
};

GridColours ColoursFor(const QPalette& palette) {
  if (IsDarkPalette(palette)) {
    return {QColor(138, 180, 248), QColor(255, 138, 128), QColor(52, 52, 40), QColor(36, 56, 40),
            QColor(58, 58, 58)};
  }
  return {QColor(0, 0, 255), QColor(192, 0, 0), QColor(255, 255, 230), QColor(245, 255, 245),
          QColor(230, 230, 230)};
}

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

// Pressure or temperature as the grid's value cells write it, following the
// unit their unit cell shows.
QString ShownValue(const CGridCtrl& grid, int unitColumn, const StateProperties& state,
                   int number) {
  if (number == GridDisplayHandler::kPressureRow) {
    const bool inBar = grid.cellText(GridDisplayHandler::kPressureRow, unitColumn) == kBar;
    return GridDisplayHandler::FormatValue(inBar ? state.p * kBarPerMPa : state.p);
  }
  const bool inCelsius = grid.cellText(GridDisplayHandler::kTemperatureRow, unitColumn) == kCelsius;
  return GridDisplayHandler::FormatValue(inCelsius ? state.t - kCelsiusOffset : state.t);
}

bool IsRedRow(int row) {
  return (row >= 1 && row <= 4) || row == 6 || row == 7 || (row >= 12 && row <= 23);
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

QString FromView(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void FillUnits(CGridCtrl& grid, int column, bool english) {
  for (const PropertyInfo& info : kProperties) {
    grid.setCellText(info.number, column, FromView(english ? info.englishUnit : info.siUnit));
  }
  if (!english) {
    // The SI pressure and temperature start in the grid's drop-down units.
    grid.setCellText(GridDisplayHandler::kPressureRow, column, kBar);
    grid.setCellText(GridDisplayHandler::kTemperatureRow, column, kCelsius);
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

  for (int row = kFirstPropertyRow; row <= kLastPropertyRow; ++row) {
    grid.setCellText(row, 0, QString::number(row));
  }
  ApplyColours(grid, saturationLayout);
  if (saturationLayout) {
    FillSaturationHeader(grid);
  } else {
    FillHeader(grid);
  }
  FillRowTitles(grid, kTitleColumn);
  grid.fitColumnToContents(kTitleColumn, kTitleColumnWidth);
}

void GridDisplayHandler::ApplyColours(CGridCtrl& grid, bool saturationLayout) {
  ApplyColours(grid, saturationLayout, grid.palette());
}

void GridDisplayHandler::ApplyColours(CGridCtrl& grid, bool saturationLayout,
                                      const QPalette& basis) {
  const GridColours colours = ColoursFor(basis);
  QPalette palette = grid.palette();
  palette.setColor(QPalette::Text, colours.blueText);
  grid.setPalette(palette);

  const int resultColumn = saturationLayout ? kSaturationResultColumn : kResultColumn;
  for (int row = kFirstPropertyRow; row <= kLastPropertyRow; ++row) {
    for (int column = 1; column < grid.gridColumnCount(); ++column) {
      grid.setCellTextColor(row, column, colours.blueText);
    }
    grid.setCellBackground(row, kTitleColumn, colours.titleBackground);
    grid.setCellBackground(row, ConstantsColumn(saturationLayout), colours.constantsBackground);
    if (saturationLayout) {
      grid.setCellBackground(row, kLiquidColumn, colours.saturatedBackground);
      grid.setCellBackground(row, kVaporColumn, colours.saturatedBackground);
    }
    if (IsRedRow(row)) {
      grid.setCellTextColor(row, resultColumn, colours.redText);
    }
  }
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
  return QString::fromUtf8(kRowTitles[static_cast<std::size_t>(number - 1)]);
}

void GridDisplayHandler::FillRowTitles(CGridCtrl& grid, int column) {
  for (int row = kFirstPropertyRow; row <= kLastPropertyRow; ++row) {
    grid.setCellText(row, column, QString::fromUtf8(kRowTitles[static_cast<std::size_t>(row - 1)]));
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

QString GridDisplayHandler::ValueWithUnit(const CGridCtrl& grid, const StateProperties& state,
                                          int number) {
  const int unitColumn = OwnUnitColumn(grid);
  if (number < kFirstPropertyRow || number > kLastPropertyRow ||
      PropertyByNumber(number).stateField == nullptr) {
    return {};
  }
  const QString value = number == kPressureRow || number == kTemperatureRow
                            ? ShownValue(grid, unitColumn, state, number)
                            : FormatValue(state.*PropertyByNumber(number).stateField);
  return value + QLatin1Char(' ') + grid.cellText(number, unitColumn);
}

void GridDisplayHandler::FillValues(CGridCtrl& grid, const StateProperties& state,
                                    const TransportProperties& transport, int column,
                                    bool saturationLayout) {
  const int unitColumn = OwnUnitColumn(grid);
  for (const PropertyInfo& info : kProperties) {
    QString text;
    if (!IsAvailable(info, state, transport, saturationLayout)) {
      text = kNotApplicable;
    } else if (info.isRegion) {
      text = QString::number(state.region);
    } else if (info.number == kPressureRow || info.number == kTemperatureRow) {
      text = ShownValue(grid, unitColumn, state, info.number);
    } else {
      text = FormatValue(ValueOf(info, state, transport));
    }
    grid.setCellText(info.number, column, text);
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
               [](double value) { return value * kBarPerMPa; });
  } else {
    grid.setCellText(kPressureRow, column, kMPa);
    RescaleRow(grid, kPressureRow, column, saturationLayout,
               [](double value) { return value / kBarPerMPa; });
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
