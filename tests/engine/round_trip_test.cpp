#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iomanip>
#include <string>
#include <vector>

#include "engine/round_trip_support.h"
#include "vaporix/IF97Calculator.h"
#include "vaporix/equations/SaturationEquation.h"

namespace vaporix {
namespace {

using round_trip::kSinglePhasePairs;
using round_trip::Pair;

constexpr double kTemperatureLimit = 1e-4;       // K
constexpr double kRelativePressureLimit = 1e-5;  // of p
// Region 1's u carries about this much rounding (kJ/kg); along cold-liquid
// isentropes u changes with p only as (du/dp)_s = -p (dv/dp)_s, so (u,s)
// fixes p only to ten times this rounding over that slope there.
constexpr double kRegion1EnergyRounding = 2e-12;
constexpr double kRoundingMargin = 10.0;

// The pressure difference a round trip of `pair` from `given` may show.
double PressureLimit(const Pair& pair, const StateProperties& given) {
  const double limit = kRelativePressureLimit * given.p;
  if (pair.name != "us" || given.region != 1) {
    return limit;
  }
  // (dv/dp)_s = (dv/dp)_T + T (dv/dT)_p^2 / cp, with cp in kJ/(kg K).
  const double dvdpAtS = given.dvdp + 1000.0 * given.t * given.dvdt * given.dvdt / given.cp;
  const double slope = std::fabs(1000.0 * given.p * dvdpAtS);  // kJ/(kg MPa)
  return std::max(limit, kRoundingMargin * kRegion1EnergyRounding / slope);
}

// Pressures from pLow to pHigh, evenly spaced in log p.
std::vector<double> LogSpaced(double pLow, double pHigh, int count) {
  std::vector<double> pressures;
  for (int i = 0; i < count; ++i) {
    pressures.push_back(pLow * std::pow(pHigh / pLow, static_cast<double>(i) / (count - 1)));
  }
  return pressures;
}

// The (p, T) grid: regions 1, 2 and 5, at pressures from 0.002 MPa (the
// pressure search starts at 0.001 MPa) up to just inside each region's top.
std::vector<std::pair<double, double>> Grid() {
  const SaturationEquation saturation;
  std::vector<std::pair<double, double>> grid;
  for (double T = 275.0; T <= 620.0; T += 15.0) {  // region 1
    const double pLow = std::max(1.05 * saturation.SaturationPressure(T), 0.002);
    for (double p : LogSpaced(pLow, 100.0, 10)) {
      grid.emplace_back(p, T);
    }
  }
  for (double T = 290.0; T <= 1070.0; T += 20.0) {  // region 2
    const double pTop = T <= 623.15   ? 0.95 * saturation.SaturationPressure(T)
                        : T <= 863.15 ? 0.95 * saturation.B23Pressure(T)
                                      : 100.0;
    if (pTop > 0.002) {
      for (double p : LogSpaced(0.002, pTop, 10)) {
        grid.emplace_back(p, T);
      }
    }
  }
  for (double T = 1100.0; T <= 2250.0; T += 50.0) {  // region 5
    for (double p : LogSpaced(0.002, 10.0, 8)) {
      grid.emplace_back(p, T);
    }
  }
  return grid;
}

// Round trips of the grid that end in another state, each by its input.
constexpr round_trip::KnownCase kOtherStates[] = {
    // Another state has the pair's values on the line the engine searches:
    // the density maximum of liquid water near 277 K (t with s, u, v; p with
    // v), and enthalpy along liquid isotherms near 530-600 K.
    {"pv", 0.002, 275},        {"pv", 0.00665484238, 275}, {"pv", 0.0221434636, 275},
    {"pv", 0.07368063, 275},   {"pv", 0.24516649, 275},    {"pv", 0.815772173, 275},
    {"pv", 2.71441762, 275},   {"pv", 9.0320107, 275},     {"th", 18.2482544, 530},
    {"th", 39.0331647, 545},   {"th", 53.4099915, 545},    {"th", 56.1714967, 560},
    {"th", 74.9476462, 560},   {"th", 100, 560},           {"th", 76.7626785, 575},
    {"th", 100, 575},          {"th", 78.532565, 590},     {"th", 100, 590},
    {"th", 100, 605},          {"ts", 0.002, 275},         {"ts", 0.00665484238, 275},
    {"ts", 0.0221434636, 275}, {"ts", 0.07368063, 275},    {"ts", 0.24516649, 275},
    {"ts", 0.815772173, 275},  {"ts", 2.71441762, 275},    {"ts", 9.0320107, 275},
    {"tu", 0.002, 275},        {"tu", 0.00665484238, 275}, {"tu", 0.0221434636, 275},
    {"tu", 0.07368063, 275},   {"tu", 0.24516649, 275},    {"tu", 0.815772173, 275},
    {"tu", 2.71441762, 275},   {"tu", 9.0320107, 275},
};

// Every pair returns the state it was built from (|dT| <= 1e-4 K,
// |dp|/p <= 1e-5, same region) over regions 1, 2 and 5, except the listed
// cases, and the list is exact.
TEST(round_trip_test, every_pair_returns_its_state_in_regions_1_2_and_5) {
  IF97Calculator engine;
  engine.Initialize();
  round_trip::KnownCases known(kOtherStates);
  int checked = 0;
  for (const auto& [p, T] : Grid()) {
    StateProperties given;
    TransportProperties transport;
    ASSERT_TRUE(engine.CalcPT(p, T, given, transport, false, false)) << p << " MPa, " << T << " K";
    for (const Pair& pair : kSinglePhasePairs) {
      StateProperties found;
      const bool ok = round_trip::Solve(engine, pair, given, found, transport);
      const bool same = ok && std::fabs(found.t - given.t) <= kTemperatureLimit &&
                        std::fabs(found.p - given.p) <= PressureLimit(pair, given) &&
                        found.region == given.region;
      ++checked;
      if (!same && !known.Contains(pair.name, p, T)) {
        ADD_FAILURE() << pair.name << " at " << std::setprecision(9) << p << " MPa, " << T
                      << " K: " << (ok ? "found" : "declined") << " p = " << found.p
                      << ", T = " << found.t << ", region " << found.region;
      }
    }
  }
  EXPECT_GT(checked, 11000);
  EXPECT_EQ(known.NotSeen(), "");
}

}  // namespace
}  // namespace vaporix
