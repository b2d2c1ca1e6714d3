#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "vaporix/StateProperties.h"
#include "vaporix/Units.h"

namespace vaporix {

// A quantity that can be an input of a calculation.
enum class Quantity : std::uint8_t {
  Pressure,
  Temperature,
  Enthalpy,
  Entropy,
  Volume,
  InternalEnergy,
  Quality,
};

// What the engine needs to know of an input quantity: its property key, its
// field in the state record, its units and the conversion of an English
// value to SI, si = (english + englishOffset) * englishFactor.
struct QuantityInfo {
  Quantity quantity;
  std::string_view key;
  double StateProperties::*field;
  std::string_view siUnit;
  std::string_view englishUnit;
  double englishFactor;
  double englishOffset;
};

inline constexpr std::array<QuantityInfo, 7> kQuantities{{
    {Quantity::Pressure, "p", &StateProperties::p, "MPa", "psi", units::kPsiToMegapascal, 0.0},
    {Quantity::Temperature, "t", &StateProperties::t, "K", "°F", units::kKelvinPerRankine,
     units::kRankineOffset},
    {Quantity::Enthalpy, "h", &StateProperties::h, "kJ/kg", "Btu/lb",
     units::kBtuPerPoundToKilojoulePerKilogram, 0.0},
    {Quantity::Entropy, "s", &StateProperties::s, "kJ/(kg·K)", "Btu/(lb·°F)",
     units::kBtuPerPoundRankineToKilojoulePerKilogramKelvin, 0.0},
    {Quantity::Volume, "v", &StateProperties::v, "m³/kg", "ft³/lb",
     units::kCubicFootPerPoundToCubicMetrePerKilogram, 0.0},
    {Quantity::InternalEnergy, "u", &StateProperties::u, "kJ/kg", "Btu/lb",
     units::kBtuPerPoundToKilojoulePerKilogram, 0.0},
    {Quantity::Quality, "x", &StateProperties::x, "%", "%", 1.0, 0.0},
}};

constexpr const QuantityInfo& Describe(Quantity quantity) {
  return kQuantities[static_cast<std::size_t>(quantity)];
}

// An English input value in the engine's SI units.
constexpr double EnglishToSI(Quantity quantity, double value) {
  const QuantityInfo& info = Describe(quantity);
  return info.englishOffset == 0.0 ? value * info.englishFactor
                                   : (value + info.englishOffset) * info.englishFactor;
}

// The twenty-nine input pairs of a calculation: fourteen single-phase pairs,
// then fifteen saturation pairs (the two-phase solver alone).
enum class InputPair : std::uint8_t {
  PT,
  PH,
  PS,
  PU,
  PV,
  TH,
  TS,
  TU,
  TV,
  HS,
  US,
  VS,
  HV,
  UV,
  SatPX,
  SatTX,
  SatPH,
  SatPS,
  SatPU,
  SatPV,
  SatTH,
  SatTS,
  SatTU,
  SatTV,
  SatHS,
  SatUS,
  SatVS,
  SatHV,
  SatUV,
};

inline constexpr std::size_t kInputPairCount = 29;

// How the engine finds the state of a pair.
enum class SolverRoute : std::uint8_t {
  RegionSolvers,   // the region solvers asked in order (p or T given)
  PressureSearch,  // a search over pressure along a line of constant s or v
  TwoPhase,        // the two-phase solver alone
};

// One input pair: its name as the command line spells it ("pt", "px", ...;
// a saturation pair and a single-phase pair can share a name), whether it is
// a saturation pair, its two input quantities in order and its solver route.
struct InputPairInfo {
  InputPair pair;
  std::string_view name;
  bool saturation;
  Quantity first;
  Quantity second;
  SolverRoute route;
};

inline constexpr std::array<InputPairInfo, kInputPairCount> kInputPairs{{
    {InputPair::PT, "pt", false, Quantity::Pressure, Quantity::Temperature,
     SolverRoute::RegionSolvers},
    {InputPair::PH, "ph", false, Quantity::Pressure, Quantity::Enthalpy,
     SolverRoute::RegionSolvers},
    {InputPair::PS, "ps", false, Quantity::Pressure, Quantity::Entropy, SolverRoute::RegionSolvers},
    {InputPair::PU, "pu", false, Quantity::Pressure, Quantity::InternalEnergy,
     SolverRoute::RegionSolvers},
    {InputPair::PV, "pv", false, Quantity::Pressure, Quantity::Volume, SolverRoute::RegionSolvers},
    {InputPair::TH, "th", false, Quantity::Temperature, Quantity::Enthalpy,
     SolverRoute::RegionSolvers},
    {InputPair::TS, "ts", false, Quantity::Temperature, Quantity::Entropy,
     SolverRoute::RegionSolvers},
    {InputPair::TU, "tu", false, Quantity::Temperature, Quantity::InternalEnergy,
     SolverRoute::RegionSolvers},
    {InputPair::TV, "tv", false, Quantity::Temperature, Quantity::Volume,
     SolverRoute::RegionSolvers},
    {InputPair::HS, "hs", false, Quantity::Enthalpy, Quantity::Entropy,
     SolverRoute::PressureSearch},
    {InputPair::US, "us", false, Quantity::InternalEnergy, Quantity::Entropy,
     SolverRoute::PressureSearch},
    {InputPair::VS, "vs", false, Quantity::Volume, Quantity::Entropy, SolverRoute::PressureSearch},
    {InputPair::HV, "hv", false, Quantity::Enthalpy, Quantity::Volume, SolverRoute::PressureSearch},
    {InputPair::UV, "uv", false, Quantity::InternalEnergy, Quantity::Volume,
     SolverRoute::PressureSearch},
    {InputPair::SatPX, "px", true, Quantity::Pressure, Quantity::Quality, SolverRoute::TwoPhase},
    {InputPair::SatTX, "tx", true, Quantity::Temperature, Quantity::Quality, SolverRoute::TwoPhase},
    {InputPair::SatPH, "ph", true, Quantity::Pressure, Quantity::Enthalpy, SolverRoute::TwoPhase},
    {InputPair::SatPS, "ps", true, Quantity::Pressure, Quantity::Entropy, SolverRoute::TwoPhase},
    {InputPair::SatPU, "pu", true, Quantity::Pressure, Quantity::InternalEnergy,
     SolverRoute::TwoPhase},
    {InputPair::SatPV, "pv", true, Quantity::Pressure, Quantity::Volume, SolverRoute::TwoPhase},
    {InputPair::SatTH, "th", true, Quantity::Temperature, Quantity::Enthalpy,
     SolverRoute::TwoPhase},
    {InputPair::SatTS, "ts", true, Quantity::Temperature, Quantity::Entropy, SolverRoute::TwoPhase},
    {InputPair::SatTU, "tu", true, Quantity::Temperature, Quantity::InternalEnergy,
     SolverRoute::TwoPhase},
    {InputPair::SatTV, "tv", true, Quantity::Temperature, Quantity::Volume, SolverRoute::TwoPhase},
    {InputPair::SatHS, "hs", true, Quantity::Enthalpy, Quantity::Entropy, SolverRoute::TwoPhase},
    {InputPair::SatUS, "us", true, Quantity::InternalEnergy, Quantity::Entropy,
     SolverRoute::TwoPhase},
    {InputPair::SatVS, "vs", true, Quantity::Volume, Quantity::Entropy, SolverRoute::TwoPhase},
    {InputPair::SatHV, "hv", true, Quantity::Enthalpy, Quantity::Volume, SolverRoute::TwoPhase},
    {InputPair::SatUV, "uv", true, Quantity::InternalEnergy, Quantity::Volume,
     SolverRoute::TwoPhase},
}};

constexpr const InputPairInfo& Describe(InputPair pair) {
  return kInputPairs[static_cast<std::size_t>(pair)];
}

// The pair of a command-line name among the saturation or the single-phase
// pairs; nullopt for an unknown name.
constexpr std::optional<InputPair> FindInputPair(std::string_view name, bool saturation) {
  for (const InputPairInfo& info : kInputPairs) {
    if (info.saturation == saturation && info.name == name) {
      return info.pair;
    }
  }
  return std::nullopt;
}

namespace detail {
constexpr bool InputPairTableInOrder() {
  for (std::size_t i = 0; i < kInputPairs.size(); ++i) {
    if (static_cast<std::size_t>(kInputPairs[i].pair) != i) {
      return false;
    }
    for (std::size_t j = 0; j < i; ++j) {
      if (kInputPairs[i].saturation == kInputPairs[j].saturation &&
          kInputPairs[i].name == kInputPairs[j].name) {
        return false;
      }
    }
  }
  return true;
}
constexpr bool QuantityTableInOrder() {
  for (std::size_t i = 0; i < kQuantities.size(); ++i) {
    if (static_cast<std::size_t>(kQuantities[i].quantity) != i) {
      return false;
    }
  }
  return true;
}
}  // namespace detail

static_assert(static_cast<std::size_t>(InputPair::SatUV) + 1 == kInputPairCount,
              "every enumerator has a row");
static_assert(detail::InputPairTableInOrder(), "rows in enum order, names unique per kind");
static_assert(detail::QuantityTableInOrder(), "rows in enum order");
static_assert(Describe(InputPair::SatPX).saturation && !Describe(InputPair::UV).saturation);

}  // namespace vaporix
