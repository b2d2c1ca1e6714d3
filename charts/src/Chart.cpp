#include "vaporix/charts/Chart.h"

#include "vaporix/Properties.h"
#include "vaporix/Units.h"

namespace vaporix::charts {
namespace {

// The property-table row of an input quantity: its English factor and offset.
const PropertyInfo& Row(Quantity quantity) {
  return *FindProperty(vaporix::Describe(quantity).key);
}

}  // namespace

double ToDisplay(Quantity quantity, double si, const DisplayUnits& units) {
  if (units.english) {
    const PropertyInfo& row = Row(quantity);
    return si * row.englishFactor + row.englishOffset;
  }
  if (quantity == Quantity::Pressure && units.pressureInBar) {
    return si / units::kMegapascalPerBar;
  }
  if (quantity == Quantity::Temperature && units.temperatureInCelsius) {
    return si - units::kCelsiusOffset;
  }
  return si;
}

double FromDisplay(Quantity quantity, double shown, const DisplayUnits& units) {
  if (units.english) {
    const PropertyInfo& row = Row(quantity);
    return (shown - row.englishOffset) / row.englishFactor;
  }
  if (quantity == Quantity::Pressure && units.pressureInBar) {
    return shown * units::kMegapascalPerBar;
  }
  if (quantity == Quantity::Temperature && units.temperatureInCelsius) {
    return shown + units::kCelsiusOffset;
  }
  return shown;
}

std::string_view UnitText(Quantity quantity, const DisplayUnits& units) {
  if (units.english) {
    return Row(quantity).englishUnit;
  }
  if (quantity == Quantity::Pressure && units.pressureInBar) {
    return "bar";
  }
  if (quantity == Quantity::Temperature && units.temperatureInCelsius) {
    return "°C";
  }
  return Row(quantity).siUnit;
}

}  // namespace vaporix::charts
