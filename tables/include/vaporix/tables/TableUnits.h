#pragma once

#include <cstdint>
#include <string_view>

#include "vaporix/InputPair.h"
#include "vaporix/Properties.h"

namespace vaporix::tables {

// The SI pressure and temperature units a table can be written in; the
// engine's own units are MPa and K.
enum class PressureUnit : std::uint8_t { Megapascal, Bar };
enum class TemperatureUnit : std::uint8_t { Kelvin, Celsius };

// The units of a table's inputs and values: English (psi, °F, Btu/lb, ...),
// or SI with a choice of pressure and temperature unit.
struct UnitChoice {
  bool english = false;
  PressureUnit pressure = PressureUnit::Megapascal;
  TemperatureUnit temperature = TemperatureUnit::Kelvin;

  friend bool operator==(const UnitChoice&, const UnitChoice&) = default;
};

// An input value in these units converted to the engine's SI units.
double InputToSI(Quantity quantity, double value, const UnitChoice& units);

// A property value of the engine (SI) in these units; kNotAvailable transport
// values and the region stay as they are.
double ToDisplay(const PropertyInfo& property, double siValue, const UnitChoice& units);

// The unit text of a property or an input quantity in these units.
std::string_view UnitText(const PropertyInfo& property, const UnitChoice& units);
std::string_view UnitText(Quantity quantity, const UnitChoice& units);

// The property row of an input quantity ("p" for Pressure, ...).
const PropertyInfo& PropertyOf(Quantity quantity);

}  // namespace vaporix::tables
