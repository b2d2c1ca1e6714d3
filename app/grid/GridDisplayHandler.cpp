#include "GridDisplayHandler.h"

#include <array>
#include <charconv>
#include <cmath>
#include <optional>
#include <string>
#include <string_view>

#include "CGridCtrl.h"
#include "Contrast.h"
#include "vaporix/Properties.h"

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

// Constants of the formulation shown beside rows 1-8.
constexpr std::array<const char*, 8> kSIConstants{{
    "Specific gas constant: R = 0.461526 kJ/(kg·K)",
    "Molar gas constant: Rm = 8.31451 J/(mol·K)",
    "Molar mass: M = 18.015257 g/mol",
    "Critical temperature: Tc = 647.096 K",
    "Critical pressure: pc = 22.064 MPa",
    "Critical density: rhoc = 322 kg/m³",
    "Triple-point temperature: Tt = 273.16 K",
    "Triple-point pressure: pt = 611.657 Pa",
}};

constexpr std::array<const char*, 8> kEnglishConstants{{
    "Specific gas constant: R =  0.1102335912869 Btu/(lb·°F)",
    "Molar gas constant: Rm =   1.985609881262 Btu/(lbmol·°F)",
    "Molar mass: M = 18.015257 lbm/lbmol",
    "Critical temperature: Tc =  705.1028 °F",
    "Critical pressure: pc =  3200.11278135 psi",
    "Critical density: rhoc =  20.10180753955 lb/ft³",
    "Triple-point temperature: Tt =  32.018 °F",
    "Triple-point pressure: pt =  0.08871335131898 psi",
}};

constexpr int kFirstPropertyRow = 1;
constexpr int kLastPropertyRow = 30;
constexpr double kCelsiusOffset = 273.15;
constexpr double kBarPerMPa = 10.0;

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

void FillConstants(CGridCtrl& grid, int column, const std::array<const char*, 8>& constants) {
  for (std::size_t i = 0; i < constants.size(); ++i) {
    grid.setCellText(static_cast<int>(i) + 1, column, QString::fromUtf8(constants[i]));
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
  grid.setGridColumnWidth(kTitleColumn, 280);
  if (saturationLayout) {
    grid.setGridColumnWidth(kLiquidColumn, 115);
    grid.setGridColumnWidth(kSaturationResultColumn, 130);
    grid.setGridColumnWidth(kVaporColumn, 115);
  } else {
    grid.setGridColumnWidth(kResultColumn, 160);
  }
  grid.setGridColumnWidth(UnitColumn(saturationLayout), 100);
  grid.setGridColumnWidth(ConstantsColumn(saturationLayout), 300);

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
  FillConstants(grid, column, kSIConstants);
}

void GridDisplayHandler::FillEnglishConstants(CGridCtrl& grid, int column) {
  FillConstants(grid, column, kEnglishConstants);
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
    } else if (info.number == kPressureRow) {
      const bool inBar = grid.cellText(kPressureRow, unitColumn) == kBar;
      text = FormatValue(inBar ? state.p * kBarPerMPa : state.p);
    } else if (info.number == kTemperatureRow) {
      const bool inCelsius = grid.cellText(kTemperatureRow, unitColumn) == kCelsius;
      text = FormatValue(inCelsius ? state.t - kCelsiusOffset : state.t);
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
}

void GridDisplayHandler::ShowEnglishMode(CGridCtrl& grid, bool saturationLayout) {
  const int unitColumn = UnitColumn(saturationLayout);
  grid.setCellText(0, unitColumn, QStringLiteral("Units (E)"));
  grid.clearCellOptions(kPressureRow, unitColumn);
  grid.clearCellOptions(kTemperatureRow, unitColumn);
  FillEnglishUnits(grid, unitColumn);
  FillEnglishConstants(grid, ConstantsColumn(saturationLayout));
}

}  // namespace vaporix
