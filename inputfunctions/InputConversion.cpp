#include "InputConversion.h"

#include <charconv>
#include <limits>

#include "vaporix/Limits.h"
#include "vaporix/Units.h"

namespace vaporix {

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

std::vector<std::string> UnitTexts(Quantity quantity, UnitSystem unitSystem, PageKind pageKind) {
  const bool si = unitSystem == UnitSystem::SI;
  const bool saturation = pageKind == PageKind::Saturation;
  switch (quantity) {
    case Quantity::Pressure:
      return si ? std::vector<std::string>{"bar", "MPa"} : std::vector<std::string>{"psi"};
    case Quantity::Temperature:
      if (si) {
        return {saturation ? "C" : "°C", "K"};
      }
      return {saturation ? "F" : "°F"};
    case Quantity::Enthalpy:
    case Quantity::InternalEnergy:
      return {si ? "kJ/kg" : "Btu/lb"};
    case Quantity::Entropy:
      return {si ? "kJ/kgK" : "Btu/lbF"};
    case Quantity::Volume:
      return {si ? "m3/kg" : "ft3/lb"};
    case Quantity::Quality:
      return {"%"};
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
  std::string number;
  bool separatorSeen = false;
  bool digitSeen = false;
  for (std::size_t i = 0; i < text.size();) {
    const char c = text[i];
    if (c >= '0' && c <= '9') {
      number.push_back(c);
      digitSeen = true;
      ++i;
    } else if (!decimalSeparator.empty() && text.substr(i).starts_with(decimalSeparator)) {
      if (!separatorSeen) {
        number.push_back('.');
        separatorSeen = true;
      }
      i += decimalSeparator.size();
    } else {
      ++i;
    }
  }
  if (!digitSeen) {
    return std::numeric_limits<double>::quiet_NaN();
  }
  if (number.front() == '.') {
    number.insert(number.begin(), '0');
  }
  double value = 0.0;
  const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
  if (error != std::errc() || end != number.data() + number.size()) {
    return std::numeric_limits<double>::quiet_NaN();
  }
  return value;
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
