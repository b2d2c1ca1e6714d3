#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "vaporix/InputPair.h"

namespace vaporix::charts {

// The four property diagrams.
enum class ChartType : std::uint8_t { HS, TS, PH, PT };

// A chart's visible window in the engine's SI units (s kJ/(kg K), h kJ/kg,
// T K, p MPa); x is the horizontal axis.
struct ChartRange {
  double xMin = 0.0;
  double xMax = 1.0;
  double yMin = 0.0;
  double yMax = 1.0;
};

// One chart: its command-line name, its title, the quantities on its two
// axes, whether the vertical axis is logarithmic, the input pair that finds
// the state at a point (its inputs are y then x) and the window it opens with.
struct ChartInfo {
  ChartType type;
  std::string_view name;
  std::string_view title;
  Quantity xAxis;
  Quantity yAxis;
  bool logY;
  InputPair pointPair;
  bool qualityLines;  // p-T has none: they all fall onto the saturation line
  ChartRange home;
};

inline constexpr std::array<ChartInfo, 4> kCharts{{
    {ChartType::HS,
     "hs",
     "h–s (Mollier) diagram",
     Quantity::Entropy,
     Quantity::Enthalpy,
     false,
     InputPair::HS,
     true,
     {0.0, 10.0, 0.0, 4200.0}},
    {ChartType::TS,
     "ts",
     "T–s diagram",
     Quantity::Entropy,
     Quantity::Temperature,
     false,
     InputPair::TS,
     true,
     {0.0, 10.0, 273.15, 1073.15}},
    {ChartType::PH,
     "ph",
     "log p–h diagram",
     Quantity::Enthalpy,
     Quantity::Pressure,
     true,
     InputPair::PH,
     true,
     {0.0, 4200.0, 0.001, 100.0}},
    {ChartType::PT,
     "pt",
     "p–T diagram",
     Quantity::Temperature,
     Quantity::Pressure,
     true,
     InputPair::PT,
     false,
     {273.15, 1073.15, 0.001, 100.0}},
}};

constexpr const ChartInfo& Describe(ChartType type) {
  return kCharts[static_cast<std::size_t>(type)];
}

// The chart of a command-line name ("hs", "ts", "ph", "pt").
constexpr std::optional<ChartType> FindChart(std::string_view name) {
  for (const ChartInfo& info : kCharts) {
    if (info.name == name) {
      return info.type;
    }
  }
  return std::nullopt;
}

// The units a chart is read in: SI with pressure in MPa or bar and
// temperature in K or degC, or English (psi, degF, Btu/lb, Btu/(lb degF),
// ft3/lb). The tracer works in SI; these convert at the edges.
struct DisplayUnits {
  bool english = false;
  bool pressureInBar = false;
  bool temperatureInCelsius = false;
};

// An SI value of `quantity` in display units and back (exact inverses).
double ToDisplay(Quantity quantity, double si, const DisplayUnits& units);
double FromDisplay(Quantity quantity, double shown, const DisplayUnits& units);
// The unit text of `quantity` in display units ("bar", "°C", "kJ/kg", ...).
std::string_view UnitText(Quantity quantity, const DisplayUnits& units);

namespace detail {
constexpr bool ChartTableInOrder() {
  for (std::size_t i = 0; i < kCharts.size(); ++i) {
    if (static_cast<std::size_t>(kCharts[i].type) != i) {
      return false;
    }
    // The point pair takes the vertical quantity first, the horizontal second.
    const InputPairInfo& pair = vaporix::Describe(kCharts[i].pointPair);
    if (pair.first != kCharts[i].yAxis || pair.second != kCharts[i].xAxis) {
      return false;
    }
  }
  return true;
}
}  // namespace detail
static_assert(detail::ChartTableInOrder(), "rows in enum order, point pairs take (y, x)");

}  // namespace vaporix::charts
