#pragma once

#include <QPalette>
#include <QString>

#include "vaporix/StateProperties.h"

namespace vaporix {

class CGridCtrl;

// Writes the header, row titles, units, constants and values of the results
// grid of an input page, keeping no state of its own.
class GridDisplayHandler {
 public:
  static constexpr int kRowCount = 31;  // header row and the 30 properties
  static constexpr int kSinglePhaseColumnCount = 5;
  static constexpr int kSaturationColumnCount = 7;

  static constexpr int kTitleColumn = 1;
  // Single-phase layout.
  static constexpr int kResultColumn = 2;
  static constexpr int kUnitColumn = 3;
  static constexpr int kConstantsColumn = 4;
  // Saturation layout.
  static constexpr int kLiquidColumn = 2;
  static constexpr int kSaturationResultColumn = 3;
  static constexpr int kVaporColumn = 4;
  static constexpr int kSaturationUnitColumn = 5;
  static constexpr int kSaturationConstantsColumn = 6;

  static constexpr int kPressureRow = 1;
  static constexpr int kTemperatureRow = 2;
  static constexpr int kQualityRow = 15;

  // Sizes the grid for its layout and sets widths, colours, row numbers,
  // header and row titles; the unit mode is set afterwards with ShowSIMode or
  // ShowEnglishMode.
  static void PrepareGrid(CGridCtrl& grid, bool saturationLayout);

  // Sets the text and background colours of the cells for a light or a
  // dark `palette` (the grid's own by default); again after a palette change.
  static void ApplyColours(CGridCtrl& grid, bool saturationLayout);
  static void ApplyColours(CGridCtrl& grid, bool saturationLayout, const QPalette& palette);

  static void FillHeader(CGridCtrl& grid);
  static void FillSaturationHeader(CGridCtrl& grid);
  static void FillRowTitles(CGridCtrl& grid, int column);
  static void FillSIUnits(CGridCtrl& grid, int column);
  static void FillEnglishUnits(CGridCtrl& grid, int column);
  static void FillSIConstants(CGridCtrl& grid, int column);
  static void FillEnglishConstants(CGridCtrl& grid, int column);

  // Writes rows 1-30 of one value column from a state and its transport
  // properties; pressure and temperature follow the grid's unit cells.
  static void FillValues(CGridCtrl& grid, const StateProperties& state,
                         const TransportProperties& transport, int column, bool saturationLayout);

  // Empties rows 1-30 of every value column.
  static void ClearValues(CGridCtrl& grid, bool saturationLayout);

  // Rescale the displayed pressure or temperature values after the user
  // picked a unit in the unit cell at `column`.
  static void ChangePressureUnit(CGridCtrl& grid, int column, bool saturationLayout);
  static void ChangeTemperatureUnit(CGridCtrl& grid, int column, bool saturationLayout);

  // Switch the unit column between SI (drop-down cells starting at "bar" and
  // "°C") and English units (plain "psi" and "°F"), with the constants; the
  // page writes the values of the held result afterwards.
  static void ShowSIMode(CGridCtrl& grid, bool saturationLayout);
  static void ShowEnglishMode(CGridCtrl& grid, bool saturationLayout);

  // Property `number` (1-30) of `state` with its unit as the single-phase
  // grid shows them now ("31.6 MPa", pressure and temperature in the unit
  // their cells show); `state` is in the grid's unit system.
  static QString ValueWithUnit(const CGridCtrl& grid, const StateProperties& state, int number);

  // A number as "%g" shows it; "N/A" for a value that is not finite.
  static QString FormatValue(double value);

  // The row title of property `number` (1-30), as the grid shows it.
  static QString PropertyTitle(int number);
};

}  // namespace vaporix
