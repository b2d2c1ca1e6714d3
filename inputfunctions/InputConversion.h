#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "InputPage.h"
#include "vaporix/InputPair.h"

namespace vaporix {

// The name written into an input's label ("Pressure", "Internal Energy", ...).
std::string_view QuantityName(Quantity quantity);

// Which input page asks; both pages offer the same unit texts.
enum class PageKind { SinglePhase, Saturation };

// The unit list offered for a quantity, in list order, spelt as the results
// grid spells it.
std::vector<std::string> UnitTexts(Quantity quantity, UnitSystem unitSystem, PageKind pageKind);

// A typed value in SI units (MPa, K, kJ/kg, kJ/(kg K), m3/kg, %); the unit
// position is read for pressure and temperature only (0 bar / degC, 1 MPa / K).
double ToSI(Quantity quantity, double value, UnitSystem unitSystem, int unitPosition);

// An SI value in the unit shown at `unitPosition` of the quantity's list:
// the inverse of ToSI.
double FromSI(Quantity quantity, double siValue, UnitSystem unitSystem, int unitPosition);

// Whether a typed value of the quantity can be negative (h, s, u).
bool CanBeNegative(Quantity quantity);

// The value of an edit field's text read as written (sign, locale decimal
// separator, exponent, surrounding spaces); NaN for a text that is not a
// number as a whole.
double ParseInputNumber(std::string_view text, std::string_view decimalSeparator);

// A range test on an SI input value, run before the engine is asked.
enum class RangeTest {
  None,
  Pressure,               // limits::kInputMinimumPressure to kMaximumPressure
  Temperature,            // limits::kMinimumTemperature to kMaximumTemperature
  Volume,                 // v > limits::kInputMinimumVolume
  SaturationPressure,     // limits::kSaturationMinimumPressure to kCriticalPressure
  SaturationTemperature,  // limits::kMinimumTemperature to kCriticalTemperature
  Quality,                // 0 <= x <= 100 %
};

// True when the value passes the test; NaN passes no test but None.
bool PassesRangeTest(RangeTest test, double siValue);

// The range a test allows, in the unit shown ("0.00611157 to 1000 bar");
// empty for RangeTest::None.
std::string RangeText(RangeTest test, Quantity quantity, UnitSystem unitSystem, int unitPosition);

// Reads an input of the page and converts it to SI by the page's unit
// system and the selected position of the input's unit list.
double ReadSIInput(const InputPage& page, InputSlot slot, Quantity quantity);

}  // namespace vaporix
