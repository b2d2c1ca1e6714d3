#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

#include "vaporix/StateProperties.h"
#include "vaporix/Units.h"

namespace vaporix {

// One of the thirty properties a calculation yields, in property-number
// order (the rows of the results grid, the columns of the CLI and of the
// document lists). Exactly one of `stateField` and `transportField` is set,
// except for the region, which is an integer field (`isRegion`). English
// value = SI value * englishFactor + englishOffset; transport values equal to
// kNotAvailable are not converted.
struct PropertyInfo {
  std::string_view key;
  int number;               // 1-30
  int supplementaryNumber;  // 1-18 for the properties beyond the basic set, else 0
  double StateProperties::*stateField;
  double TransportProperties::*transportField;
  bool isRegion;
  std::string_view siUnit;
  std::string_view englishUnit;
  double englishFactor;
  double englishOffset;
};

namespace detail {
constexpr PropertyInfo StateRow(std::string_view key, int number, int supplementary,
                                double StateProperties::*field, std::string_view siUnit,
                                std::string_view englishUnit, double factor, double offset = 0.0) {
  return {key, number, supplementary, field, nullptr, false, siUnit, englishUnit, factor, offset};
}
constexpr PropertyInfo TransportRow(std::string_view key, int number, int supplementary,
                                    double TransportProperties::*field, std::string_view siUnit,
                                    std::string_view englishUnit, double factor) {
  return {key, number, supplementary, nullptr, field, false, siUnit, englishUnit, factor, 0.0};
}
}  // namespace detail

inline constexpr std::size_t kPropertyCount = 30;

inline constexpr std::array<PropertyInfo, kPropertyCount> kProperties{{
    detail::StateRow("p", 1, 0, &StateProperties::p, "MPa", "psi", units::kMegapascalToPsi),
    detail::StateRow("t", 2, 0, &StateProperties::t, "K", "°F", units::kRankinePerKelvin,
                     -units::kRankineOffset),
    detail::StateRow("d", 3, 0, &StateProperties::d, "kg/m³", "lb/ft³", units::kDensityToEnglish),
    detail::StateRow("v", 4, 0, &StateProperties::v, "m³/kg", "ft³/lb", units::kVolumeToEnglish),
    detail::StateRow("h", 5, 0, &StateProperties::h, "kJ/kg", "Btu/lb", units::kEnergyToEnglish),
    detail::StateRow("s", 6, 0, &StateProperties::s, "kJ/(kg·K)", "Btu/(lb·°F)",
                     units::kEntropyToEnglish),
    detail::StateRow("u", 7, 0, &StateProperties::u, "kJ/kg", "Btu/lb", units::kEnergyToEnglish),
    detail::StateRow("cp", 8, 1, &StateProperties::cp, "kJ/(kg·K)", "Btu/(lb·°F)",
                     units::kEntropyToEnglish),
    detail::StateRow("cv", 9, 2, &StateProperties::cv, "kJ/(kg·K)", "Btu/(lb·°F)",
                     units::kEntropyToEnglish),
    detail::StateRow("w", 10, 3, &StateProperties::w, "m/s", "ft/s", units::kSpeedToEnglish),
    detail::StateRow("kapa", 11, 4, &StateProperties::kapa, "-", "-", 1.0),
    detail::StateRow("H", 12, 0, &StateProperties::H, "kJ/kg", "Btu/lb", units::kEnergyToEnglish),
    detail::StateRow("G", 13, 0, &StateProperties::G, "kJ/kg", "Btu/lb", units::kEnergyToEnglish),
    detail::StateRow("Z", 14, 0, &StateProperties::Z, "-", "-", 1.0),
    detail::StateRow("x", 15, 0, &StateProperties::x, "%", "%", 1.0),
    PropertyInfo{"region", 16, 0, nullptr, nullptr, true, "-", "-", 1.0, 0.0},
    detail::StateRow("alpha", 17, 5, &StateProperties::alpha, "1/K", "1/°F",
                     units::kExpansionToEnglish),
    detail::StateRow("Kt", 18, 6, &StateProperties::Kt, "1/MPa", "1/psi",
                     units::kCompressibilityToEnglish),
    detail::StateRow("dvdt", 19, 7, &StateProperties::dvdt, "m³/(kg·K)", "ft³/(lb·°F)",
                     units::kDvdtToEnglish),
    detail::StateRow("dvdp", 20, 8, &StateProperties::dvdp, "m³/(kg·MPa)", "ft³/(lb·psi)",
                     units::kDvdpToEnglish),
    detail::StateRow("dpdt", 21, 9, &StateProperties::dpdt, "MPa/K", "psi/°F",
                     units::kDpdtToEnglish),
    detail::StateRow("dpdv", 22, 10, &StateProperties::dpdv, "MPa·kg/m³", "psi·lb/ft³",
                     units::kDpdvToEnglish),
    detail::StateRow("iJTC", 23, 11, &StateProperties::iJTC, "kJ/(kg·MPa)", "Btu/(lb·psi)",
                     units::kIsothermalThrottlingToEnglish),
    detail::StateRow("JTC", 24, 12, &StateProperties::JTC, "K/MPa", "°F/psi",
                     units::kJouleThomsonToEnglish),
    detail::TransportRow("dv", 25, 13, &TransportProperties::dv, "µPa·s", "lb/(ft·h)",
                         units::kViscosityToEnglish),
    detail::TransportRow("kv", 26, 14, &TransportProperties::kv, "mm²/s", "ft²/h",
                         units::kDiffusivityToEnglish),
    detail::TransportRow("tc", 27, 15, &TransportProperties::tc, "W/(m·K)", "Btu/(h·ft·°F)",
                         units::kConductivityToEnglish),
    detail::TransportRow("td", 28, 16, &TransportProperties::td, "mm²/s", "ft²/h",
                         units::kDiffusivityToEnglish),
    detail::TransportRow("Pr", 29, 17, &TransportProperties::Pr, "-", "-", 1.0),
    detail::TransportRow("Sigma", 30, 18, &TransportProperties::Sigma, "mN/m", "lbf/ft",
                         units::kSurfaceTensionToEnglish),
}};

// The row of property `number` (1-30); the table is in number order.
constexpr const PropertyInfo& PropertyByNumber(int number) {
  return kProperties[static_cast<std::size_t>(number - 1)];
}

// The row of a property key ("p", "iJTC", ...); nullptr for an unknown key.
constexpr const PropertyInfo* FindProperty(std::string_view key) {
  for (const PropertyInfo& info : kProperties) {
    if (info.key == key) {
      return &info;
    }
  }
  return nullptr;
}

// The value of a property of a state; the region as a double.
inline double ValueOf(const PropertyInfo& info, const StateProperties& state,
                      const TransportProperties& transport) {
  if (info.stateField != nullptr) {
    return state.*info.stateField;
  }
  if (info.transportField != nullptr) {
    return transport.*info.transportField;
  }
  return static_cast<double>(state.region);
}

// The value of property `number` (1-30) of a state; nullopt for a number
// outside 1-30.
inline std::optional<double> PropertyValue(const StateProperties& state,
                                           const TransportProperties& transport, int number) {
  if (number < 1 || number > static_cast<int>(kPropertyCount)) {
    return std::nullopt;
  }
  return ValueOf(PropertyByNumber(number), state, transport);
}

// A state inside the two-phase region, strictly between saturated liquid
// and saturated vapour.
inline bool IsTwoPhaseMixture(const StateProperties& state) {
  return state.region == 4 && state.x > 0.0 && state.x < 100.0;
}

// Whether a property belongs to one phase: heat capacities, speed of sound,
// isentropic exponent, the derivatives (alpha to JTC) and the transport
// properties but surface tension. A mixture has none of them; a linear mix
// of its two phases' values would mean nothing (at 1 MPa, x = 50 % such a
// viscosity lies below both the liquid's and the vapour's).
namespace detail {
// The first and last of the derivative properties, found once at compile time
// rather than by name on every call.
inline constexpr int kFirstDerivativeNumber = FindProperty("alpha")->number;
inline constexpr int kLastDerivativeNumber = FindProperty("JTC")->number;
}  // namespace detail

constexpr bool IsSinglePhaseProperty(const PropertyInfo& info) {
  const bool caloric =
      info.stateField == &StateProperties::cp || info.stateField == &StateProperties::cv ||
      info.stateField == &StateProperties::w || info.stateField == &StateProperties::kapa;
  const bool derivative =
      info.number >= detail::kFirstDerivativeNumber && info.number <= detail::kLastDerivativeNumber;
  const bool transport =
      info.transportField != nullptr && info.transportField != &TransportProperties::Sigma;
  return caloric || derivative || transport;
}

// Whether a property of a found state has a value to show; front ends show
// "N/A" (the CLI, the program) or NaN (Python) otherwise. Not available: a
// transport value marked kNotAvailable, the quality of a single-phase state
// outside a saturation calculation, and a one-phase property of a two-phase
// mixture. Stored records keep their values; only what is shown follows
// this rule.
inline bool IsAvailable(const PropertyInfo& info, const StateProperties& state,
                        const TransportProperties& transport, bool saturationCalculation) {
  if (IsTwoPhaseMixture(state) && IsSinglePhaseProperty(info)) {
    return false;
  }
  if (info.transportField != nullptr) {
    return transport.*info.transportField != kNotAvailable;
  }
  if (info.stateField == &StateProperties::x) {
    return state.region == 4 || saturationCalculation;
  }
  return true;
}

namespace detail {
constexpr bool PropertyTableInOrder() {
  int supplementary = 0;
  for (std::size_t i = 0; i < kProperties.size(); ++i) {
    const PropertyInfo& row = kProperties[i];
    if (row.number != static_cast<int>(i) + 1) {
      return false;
    }
    const int fields = (row.stateField != nullptr) + (row.transportField != nullptr) + row.isRegion;
    if (fields != 1) {
      return false;
    }
    if (row.supplementaryNumber != 0 && row.supplementaryNumber != ++supplementary) {
      return false;
    }
  }
  return supplementary == 18;
}
}  // namespace detail
static_assert(detail::PropertyTableInOrder(),
              "numbers 1-30 in order, one field each, supplementary numbers 1-18 in order");

}  // namespace vaporix
