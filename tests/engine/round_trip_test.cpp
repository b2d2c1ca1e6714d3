#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "engine/round_trip_support.h"
#include "vaporix/IF97Calculator.h"
#include "vaporix/equations/SaturationEquation.h"

namespace vaporix {
namespace {

using round_trip::kSinglePhasePairs;
using round_trip::Pair;

// Along which line the engine searches for the state of a pair: the isobar,
// the isotherm, or the line of constant entropy or volume.
enum class Line { Isobar, Isotherm, Isentrope, Isochore };

Line SearchLine(const Pair& pair) {
  if (pair.first == &StateProperties::p) {
    return Line::Isobar;
  }
  if (pair.first == &StateProperties::t) {
    return Line::Isotherm;
  }
  return pair.second == &StateProperties::s ? Line::Isentrope : Line::Isochore;
}

// A pair of h, u or v with s or v is solved by a search along p.
bool PressureSearch(const Pair& pair) {
  const Line line = SearchLine(pair);
  return line == Line::Isentrope || line == Line::Isochore;
}

constexpr double kTemperatureLimit = 1e-4;       // K
constexpr double kRelativePressureLimit = 1e-5;  // of p
constexpr double kRequiredShare = 0.999;
constexpr int kExamplesPerKind = 4;

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

class round_trip_test : public ::testing::Test {
 protected:
  void SetUp() override {
    engine.Initialize();
    StateProperties state;
    TransportProperties transport;
    placeholderSolvers = !engine.CalcSatPX(1.0, 50.0, state, transport, false, false) ||
                         !engine.CalcPT(50.0, 700.0, state, transport, false, false);
  }

  // While the region-3 or two-phase solver is a placeholder, a line of
  // constant entropy or volume may run through states nobody answers. True
  // when the line misses its 0.001 MPa end, or has a hole above a state that
  // is not at the temperature edge of the range.
  bool LineCrossesPlaceholders(const Pair& pair, const StateProperties& given) {
    if (!placeholderSolvers) {
      return false;
    }
    const bool byEntropy = pair.second == &StateProperties::s;
    const double fixed = given.*pair.second;
    bool previousFound = false;
    double previousT = 0.0;
    bool first = true;
    for (double p : LogSpaced(0.001, 100.0, 48)) {
      StateProperties state;
      TransportProperties transport;
      const bool found = byEntropy ? engine.CalcPS(p, fixed, state, transport, false, false)
                                   : engine.CalcPV(p, fixed, state, transport, false, false);
      if (!found && (first || (previousFound && previousT < 1000.0))) {
        return true;
      }
      first = false;
      previousFound = found;
      previousT = state.t;
    }
    return false;
  }

  // The value of `property` at `share` (0 to 1) of a line: the isobar through
  // p (temperatures 273.15 K to 2273.15 K, dense at the low end), the isotherm
  // through T, or the line of entropy or volume `fixed` (pressures 0.001 MPa to
  // 100 MPa); false where no state is found.
  bool ValueOnLine(Line line, double p, double T, double fixed, double share,
                   double StateProperties::*property, double& value) {
    const double pressure = 0.001 * std::pow(1e5, share);
    StateProperties state;
    TransportProperties transport;
    bool found = false;
    switch (line) {
      case Line::Isobar:
        found = engine.CalcPT(p, 273.15 + 2000.0 * share * share, state, transport, false, false);
        break;
      case Line::Isotherm:
        found = engine.CalcPT(pressure, T, state, transport, false, false);
        break;
      case Line::Isentrope:
        found = engine.CalcPS(pressure, fixed, state, transport, false, false);
        break;
      case Line::Isochore:
        found = engine.CalcPV(pressure, fixed, state, transport, false, false);
        break;
    }
    value = state.*property;
    return found;
  }

  // How often `property` takes the value `target` along a line (a sample on
  // the value itself counts as one).
  int Crossings(Line line, double p, double T, double fixed, double StateProperties::*property,
                double target) {
    constexpr int kSamples = 4000;
    int crossings = 0;
    bool havePrevious = false;
    double previous = 0.0;
    for (int i = 0; i < kSamples; ++i) {
      double value = 0.0;
      if (!ValueOnLine(line, p, T, fixed, static_cast<double>(i) / (kSamples - 1), property,
                       value)) {
        continue;
      }
      const double difference = value - target;
      if (std::fabs(difference) <= 1e-12 * std::max(1.0, std::fabs(target))) {
        ++crossings;
        havePrevious = false;
        continue;
      }
      if (havePrevious && (difference > 0.0) != (previous > 0.0)) {
        ++crossings;
      }
      previous = difference;
      havePrevious = true;
    }
    return crossings;
  }

  // True when more than one state has the pair along the line the engine
  // searches (the density maximum of liquid water near 277 K, enthalpy along
  // liquid isotherms near 530 K), or, for a pressure search, when more than
  // one state at the search's 0.001 MPa end has the fixed entropy or volume:
  // the engine may then find or reject another state.
  bool SeveralStatesHavePair(const Pair& pair, const StateProperties& given) {
    const Line line = SearchLine(pair);
    if (line == Line::Isobar || line == Line::Isotherm) {
      return Crossings(line, given.p, given.t, 0.0, pair.second, given.*pair.second) >= 2;
    }
    return Crossings(line, given.p, given.t, given.*pair.second, pair.first, given.*pair.first) >=
               2 ||
           Crossings(Line::Isobar, 0.001, given.t, 0.0, pair.second, given.*pair.second) >= 2;
  }

  // True when moving the state along the engine's search line by the
  // round-trip limit (1e-5 of p, or 1e-4 K along an isobar) changes the value
  // the search matches by less than 1e-10 of itself: the pair cannot tell the
  // two states apart at the precision of the engine's inner iterations
  // (internal energy along a liquid isentrope, for example).
  bool PairCannotResolveState(const Pair& pair, const StateProperties& given) {
    const Line line = SearchLine(pair);
    StateProperties moved;
    TransportProperties transport;
    bool found = false;
    double StateProperties::*matched = pair.second;
    switch (line) {
      case Line::Isobar:
        found = engine.CalcPT(given.p, given.t + kTemperatureLimit, moved, transport, false, false);
        break;
      case Line::Isotherm:
        found = engine.CalcPT(given.p * (1.0 + kRelativePressureLimit), given.t, moved, transport,
                              false, false);
        break;
      case Line::Isentrope:
        found = engine.CalcPS(given.p * (1.0 + kRelativePressureLimit), given.s, moved, transport,
                              false, false);
        matched = pair.first;
        break;
      case Line::Isochore:
        found = engine.CalcPV(given.p * (1.0 + kRelativePressureLimit), given.v, moved, transport,
                              false, false);
        matched = pair.first;
        break;
    }
    const double target = given.*matched;
    return found && std::fabs(moved.*matched - target) < 1e-10 * std::fabs(target);
  }

  IF97Calculator engine;
  bool placeholderSolvers = false;
};

TEST_F(round_trip_test, every_pair_returns_its_state_in_regions_1_2_and_5) {
  int checked = 0;
  int failed = 0;
  int pending = 0;
  int several = 0;
  std::map<std::string, int> severalByPairAndRegion;
  int unresolved = 0;
  std::map<std::string, int> unresolvedByPairAndRegion;
  std::map<std::string, int> failuresByPairAndRegion;
  std::map<std::string, int> pendingByPairAndRegion;
  std::map<std::string, std::string> examplesByPairAndRegion;
  for (const auto& [p, T] : Grid()) {
    StateProperties given;
    TransportProperties transport;
    ASSERT_TRUE(engine.CalcPT(p, T, given, transport, false, false)) << p << " MPa, " << T << " K";
    for (const Pair& pair : kSinglePhasePairs) {
      StateProperties found;
      const bool ok = round_trip::Solve(engine, pair, given, found, transport);
      const bool same = ok && std::fabs(found.t - given.t) <= kTemperatureLimit &&
                        std::fabs(found.p - given.p) <= kRelativePressureLimit * given.p &&
                        found.region == given.region;
      const std::string key = std::string(pair.name) + " region " + std::to_string(given.region);
      if (!same && PressureSearch(pair) && LineCrossesPlaceholders(pair, given)) {
        ++pending;
        ++pendingByPairAndRegion[key];
        continue;
      }
      if (!same && SeveralStatesHavePair(pair, given)) {
        ++several;
        ++severalByPairAndRegion[key];
        continue;
      }
      if (!same && ok && PairCannotResolveState(pair, given)) {
        ++unresolved;
        ++unresolvedByPairAndRegion[key];
        continue;
      }
      ++checked;
      if (!same) {
        ++failed;
        if (++failuresByPairAndRegion[key] <= kExamplesPerKind) {
          char line[200];
          std::snprintf(line, sizeof line, "    at %.9g MPa, %.9g K: %s p = %.12g, T = %.12g\n", p,
                        T, ok ? "found" : "declined", found.p, found.t);
          examplesByPairAndRegion[key] += line;
        }
      }
    }
  }
  std::string report;
  for (const auto& [key, count] : failuresByPairAndRegion) {
    report +=
        "  failed " + key + ": " + std::to_string(count) + "\n" + examplesByPairAndRegion[key];
  }
  for (const auto& [key, count] : pendingByPairAndRegion) {
    report += "  not counted (line crosses region 3/4 placeholders) " + key + ": " +
              std::to_string(count) + "\n";
  }
  for (const auto& [key, count] : severalByPairAndRegion) {
    report +=
        "  not counted (several states have the pair) " + key + ": " + std::to_string(count) + "\n";
  }
  for (const auto& [key, count] : unresolvedByPairAndRegion) {
    report += "  not counted (pair cannot resolve the state) " + key + ": " +
              std::to_string(count) + "\n";
  }
  std::printf(
      "round trips: %d checked, %d failed; not counted: %d on lines through placeholders, %d with "
      "several states, %d unresolved\n%s",
      checked, failed, pending, several, unresolved, report.c_str());
  ASSERT_GT(checked, 0);
  EXPECT_GE(static_cast<double>(checked - failed) / checked, kRequiredShare) << report;
}

}  // namespace
}  // namespace vaporix
