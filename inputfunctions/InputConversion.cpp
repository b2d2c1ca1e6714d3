#include "InputConversion.h"

#include <algorithm>
#include <charconv>
#include <limits>

#include "vaporix/Limits.h"
#include "vaporix/NumberText.h"
#include "vaporix/Units.h"

namespace vaporix {
namespace {

// A range bound as the grid writes numbers: six significant digits.
std::string FormatRangeNumber(double value) {
  char buffer[32];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 6);
  return std::string(buffer, result.ptr);
}

}  // namespace

std::string_view QuantityName(Quantity quantity) {
  switch (quantity) {
    case Quantity::Pressure:
      return "Pressure";
    case Quantity::Temperature:
      return "Temperature";
    case Quantity::Enthalpy:
      return "Enthalpy";
    case Quantity::Entropy:
      return "Entropy";
    case Quantity::Volume:
      return "Volume";
    case Quantity::InternalEnergy:
      return "Internal Energy";
    case Quantity::Quality:
      return "Quality";
  }
  return {};
}

std::vector<std::string> UnitTexts(Quantity quantity, UnitSystem unitSystem,
                                   PageKind /*pageKind*/) {
  const bool si = unitSystem == UnitSystem::SI;
  // Pressure and temperature offer bar and °C first, the units the grid
  // starts in; every other list is the engine's own unit text.
  switch (quantity) {
    case Quantity::Pressure:
      return si ? std::vector<std::string>{"bar", "MPa"} : std::vector<std::string>{"psi"};
    case Quantity::Temperature:
      return si ? std::vector<std::string>{"°C", "K"} : std::vector<std::string>{"°F"};
    default: {
      const QuantityInfo& info = Describe(quantity);
      return {std::string(si ? info.siUnit : info.englishUnit)};
    }
  }
}

bool CanBeNegative(Quantity quantity) {
  // The reference state puts u and s of liquid at the triple point to zero,
  // so compressed liquid near 0 °C has slightly negative u, s and h.
  return quantity == Quantity::Enthalpy || quantity == Quantity::Entropy ||
         quantity == Quantity::InternalEnergy;
}

double FromSI(Quantity quantity, double siValue, UnitSystem unitSystem, int unitPosition) {
  // ToSI is linear, so two points give its inverse.
  const double at0 = ToSI(quantity, 0.0, unitSystem, unitPosition);
  const double slope = ToSI(quantity, 1.0, unitSystem, unitPosition) - at0;
  return (siValue - at0) / slope;
}

std::string RangeText(RangeTest test, Quantity quantity, UnitSystem unitSystem, int unitPosition) {
  const auto shown = [&](double siValue) {
    return FormatRangeNumber(FromSI(quantity, siValue, unitSystem, unitPosition));
  };
  const std::vector<std::string> units = UnitTexts(quantity, unitSystem, PageKind::SinglePhase);
  const std::string unit =
      units.empty()
          ? std::string()
          : " " + units[std::min<std::size_t>(static_cast<std::size_t>(std::max(unitPosition, 0)),
                                              units.size() - 1)];
  switch (test) {
    case RangeTest::None:
      return {};
    case RangeTest::Pressure:
      return shown(limits::kInputMinimumPressure) + " to " + shown(limits::kMaximumPressure) + unit;
    case RangeTest::Temperature:
      return shown(limits::kMinimumTemperature) + " to " + shown(limits::kMaximumTemperature) +
             unit;
    case RangeTest::Volume:
      return "above " + shown(limits::kInputMinimumVolume) + unit;
    case RangeTest::SaturationPressure:
      return shown(limits::kSaturationMinimumPressure) + " to " + shown(limits::kCriticalPressure) +
             unit;
    case RangeTest::SaturationTemperature:
      return shown(limits::kMinimumTemperature) + " to " + shown(limits::kCriticalTemperature) +
             unit;
    case RangeTest::Quality:
      return "0 to 100 %";
  }
  return {};
}

double ToSI(Quantity quantity, double value, UnitSystem unitSystem, int unitPosition) {
  if (unitSystem == UnitSystem::English) {
    return EnglishToSI(quantity, value);
  }
  // SI lists offer bar or MPa for pressure and degC or K for temperature.
  switch (quantity) {
    case Quantity::Pressure:
      return unitPosition == 0 ? value * units::kMegapascalPerBar : value;
    case Quantity::Temperature:
      return unitPosition == 0 ? value + units::kCelsiusOffset : value;
    default:
      return value;
  }
}

double ParseInputNumber(std::string_view text, std::string_view decimalSeparator) {
  return ParseNumberText(text, decimalSeparator).value_or(std::numeric_limits<double>::quiet_NaN());
}

bool PassesRangeTest(RangeTest test, double siValue) {
  switch (test) {
    case RangeTest::None:
      return true;
    case RangeTest::Pressure:
      return siValue >= limits::kInputMinimumPressure && siValue <= limits::kMaximumPressure;
    case RangeTest::Temperature:
      return siValue >= limits::kMinimumTemperature && siValue <= limits::kMaximumTemperature;
    case RangeTest::Volume:
      return siValue > limits::kInputMinimumVolume;
    case RangeTest::SaturationPressure:
      return siValue >= limits::kSaturationMinimumPressure && siValue <= limits::kCriticalPressure;
    case RangeTest::SaturationTemperature:
      return siValue >= limits::kMinimumTemperature && siValue <= limits::kCriticalTemperature;
    case RangeTest::Quality:
      return siValue >= 0.0 && siValue <= 100.0;
  }
  return false;
}

double ReadSIInput(const InputPage& page, InputSlot slot, Quantity quantity) {
  const double typed = ParseInputNumber(page.InputText(slot), page.DecimalSeparator());
  return ToSI(quantity, typed, page.CurrentUnitSystem(), page.SelectedUnit(slot));
}

}  // namespace vaporix
