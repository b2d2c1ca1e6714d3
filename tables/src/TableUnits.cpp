#include "vaporix/tables/TableUnits.h"

#include "vaporix/Units.h"

namespace vaporix::tables {
namespace {

constexpr std::string_view kBarText = "bar";
constexpr std::string_view kCelsiusText = "°C";

bool IsPressure(const PropertyInfo& property) {
  return property.stateField == &StateProperties::p;
}

bool IsTemperature(const PropertyInfo& property) {
  return property.stateField == &StateProperties::t;
}

}  // namespace

const PropertyInfo& PropertyOf(Quantity quantity) {
  return *FindProperty(Describe(quantity).key);
}

double InputToSI(Quantity quantity, double value, const UnitChoice& units) {
  if (units.english) {
    return EnglishToSI(quantity, value);
  }
  if (quantity == Quantity::Pressure && units.pressure == PressureUnit::Bar) {
    return value * units::kMegapascalPerBar;
  }
  if (quantity == Quantity::Temperature && units.temperature == TemperatureUnit::Celsius) {
    return value + units::kCelsiusOffset;
  }
  return value;
}

double ToDisplay(const PropertyInfo& property, double siValue, const UnitChoice& units) {
  if (property.isRegion || (property.transportField != nullptr && siValue == kNotAvailable)) {
    return siValue;
  }
  if (units.english) {
    return siValue * property.englishFactor + property.englishOffset;
  }
  if (IsPressure(property) && units.pressure == PressureUnit::Bar) {
    return siValue / units::kMegapascalPerBar;
  }
  if (IsTemperature(property) && units.temperature == TemperatureUnit::Celsius) {
    return siValue - units::kCelsiusOffset;
  }
  return siValue;
}

std::string_view UnitText(const PropertyInfo& property, const UnitChoice& units) {
  if (units.english) {
    return property.englishUnit;
  }
  if (IsPressure(property) && units.pressure == PressureUnit::Bar) {
    return kBarText;
  }
  if (IsTemperature(property) && units.temperature == TemperatureUnit::Celsius) {
    return kCelsiusText;
  }
  return property.siUnit;
}

std::string_view UnitText(Quantity quantity, const UnitChoice& units) {
  return UnitText(PropertyOf(quantity), units);
}

}  // namespace vaporix::tables
