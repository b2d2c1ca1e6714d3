#pragma once

// Draws inputs for every input pair across and beyond the formulation's range,
// dense near its boundaries and the saturation line, and checks the rule every
// "ok" answer must keep: the state reproduces its two inputs, and it is the
// state the formulation has at its own (p, T) (or a point on the saturation
// line). Shared by the engine test and the long sweep run by hand.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <limits>
#include <random>
#include <string>

#include "vaporix/IF97Calculator.h"
#include "vaporix/Limits.h"
#include "vaporix/equations/SaturationEquation.h"

namespace vaporix::acceptance {

// How close a reproduced input must be: relative to the value, with a floor
// for quantities that pass through zero (u and s of the triple-point liquid).
inline constexpr double kInputTolerance = 1e-6;
// The (p, T) state of a single-phase answer must have the same volume; near
// the critical point the (p, T) solve itself is only good to this much.
inline constexpr double kSameStateTolerance = 1e-5;
inline constexpr double kNearCriticalSameStateTolerance = 2e-3;
// The region-3 equation's isotherms keep a tiny loop right at the critical
// point (dp/dv up to about 1e-3 MPa kg/m3 within 1e-4 K of it).
inline constexpr double kCriticalLoopSlope = 1e-2;
// Where two regions meet, or on the saturation line at 623.15 K, the two
// equations differ by this much in v.
inline constexpr double kBoundaryTolerance = 1e-3;

inline double Floor(Quantity quantity) {
  switch (quantity) {
    case Quantity::Enthalpy:
    case Quantity::InternalEnergy:
      return 1.0;  // kJ/kg
    case Quantity::Entropy:
      return 0.01;  // kJ/(kg K)
    case Quantity::Quality:
      return 100.0;  // percent
    default:
      return 0.0;
  }
}

inline bool Reproduces(Quantity quantity, double given, double found) {
  const double scale = std::max(std::fabs(given), Floor(quantity));
  return std::fabs(found - given) <= kInputTolerance * scale;
}

// An engine of its own answers the (p, T) and saturation questions, so the
// check does not share state with the engine under test.
class Checker {
 public:
  Checker() { reference.Initialize(); }

  // Empty when the ok answer `out` to (pair, a, b) keeps the rule, else why not.
  std::string Check(InputPair pair, double a, double b, const StateProperties& out) {
    const InputPairInfo& info = Describe(pair);
    for (const double value : {out.p, out.t, out.v, out.h, out.s, out.u}) {
      if (!std::isfinite(value)) {
        return "a property is not finite";
      }
    }
    const std::array<std::pair<Quantity, double>, 2> inputs{{{info.first, a}, {info.second, b}}};
    for (const auto& [quantity, given] : inputs) {
      const double found = out.*Describe(quantity).field;
      if (!Reproduces(quantity, given, found)) {
        return Message("%s given %.17g, state has %.17g",
                       std::string(Describe(quantity).key).c_str(), given, found);
      }
    }
    // A saturation pair answers with a point of the saturation line or the dome.
    return info.saturation || out.region == 4 ? CheckTwoPhase(out) : CheckSinglePhase(out);
  }

 private:
  template <class... Args>
  static std::string Message(const char* format, Args... args) {
    char text[256];
    std::snprintf(text, sizeof text, format, args...);
    return text;
  }

  static bool NearCritical(const StateProperties& state) {
    return std::fabs(state.t - kCriticalTemperature) < 2.0 &&
           std::fabs(state.p - kCriticalPressure) < 2.0;
  }

  // On the saturation line (p, T) names two states: either end is the state.
  bool SaturatedEnd(const StateProperties& out) {
    if (out.t > kCriticalTemperature) {
      return false;
    }
    for (const double x : {0.0, 100.0}) {
      StateProperties end;
      if (Solve(InputPair::SatTX, out.t, x, end) &&
          std::fabs(end.v - out.v) <= kBoundaryTolerance * out.v &&
          std::fabs(end.p - out.p) <= kSameStateTolerance * out.p) {
        return true;
      }
    }
    return false;
  }

  // Next to the critical point the (p, T) solve can fail; a region-3 state
  // there must still be mechanically stable and outside the saturation dome.
  std::string CheckNearCritical(const StateProperties& out) {
    if (!(out.dpdv <= kCriticalLoopSlope)) {
      return Message("unstable region-3 state, dp/dv=%.17g", out.dpdv);
    }
    StateProperties liquid;
    StateProperties vapour;
    if (out.t < kCriticalTemperature && Solve(InputPair::SatTX, out.t, 0.0, liquid) &&
        Solve(InputPair::SatTX, out.t, 100.0, vapour) &&
        out.v > liquid.v * (1.0 + kNearCriticalSameStateTolerance) &&
        out.v < vapour.v * (1.0 - kNearCriticalSameStateTolerance)) {
      return Message("region-3 state v=%.17g inside the dome at T=%.17g", out.v, out.t);
    }
    return {};
  }

  std::string CheckSinglePhase(const StateProperties& out) {
    // A state on the 100 MPa edge may lie beyond it by the rounding of its own pressure.
    const double p = std::fabs(out.p - limits::kMaximumPressure) <= kInputTolerance * out.p
                         ? std::min(out.p, limits::kMaximumPressure)
                         : out.p;
    StateProperties same;
    if (!Solve(InputPair::PT, p, out.t, same)) {
      if (out.region == 3 && NearCritical(out)) {
        return CheckNearCritical(out);
      }
      if (SaturatedEnd(out)) {
        return {};
      }
      return Message("no (p,T) state at p=%.17g T=%.17g", out.p, out.t);
    }
    // Two regions' equations meet at a boundary with a small step in v.
    const double allowed = same.region != out.region ? kBoundaryTolerance
                           : NearCritical(out)       ? kNearCriticalSameStateTolerance
                                                     : kSameStateTolerance;
    if (std::fabs(same.v - out.v) <= allowed * out.v || SaturatedEnd(out)) {
      return {};
    }
    return Message("region %d state v=%.17g, but (p,T) gives v=%.17g", out.region, out.v, same.v);
  }

  std::string CheckTwoPhase(const StateProperties& out) {
    StateProperties liquid;
    StateProperties vapour;
    if (!Solve(InputPair::SatTX, out.t, 0.0, liquid) ||
        !Solve(InputPair::SatTX, out.t, 100.0, vapour)) {
      return Message("no saturated states at T=%.17g", out.t);
    }
    if (!(out.x >= 0.0 && out.x <= 100.0)) {
      return Message("quality %.17g", out.x);
    }
    if (std::fabs(liquid.p - out.p) > kSameStateTolerance * out.p) {
      return Message("two-phase p=%.17g off the saturation pressure %.17g", out.p, liquid.p);
    }
    const double v = liquid.v + out.x / 100.0 * (vapour.v - liquid.v);
    const double allowed = NearCritical(out) ? kNearCriticalSameStateTolerance
                           : std::fabs(out.t - limits::kRegion13Temperature) < 1e-6
                               ? kBoundaryTolerance
                               : kSameStateTolerance;
    if (std::fabs(v - out.v) > allowed * out.v) {
      return Message("two-phase v=%.17g, the mixture of x=%.17g has %.17g", out.v, out.x, v);
    }
    return {};
  }

  bool Solve(InputPair pair, double a, double b, StateProperties& out) {
    TransportProperties transport;
    return reference.Calculate(pair, a, b, out, transport, false, false);
  }

  IF97Calculator reference;
};

// Inputs for a pair: the pair's two quantities taken from a seed state, then
// moved by a relative step from 1e-15 to 30 %, or replaced by an absurd value.
class InputDraws {
 public:
  explicit InputDraws(std::uint64_t seed) : random(seed) { engine.Initialize(); }

  std::pair<double, double> Draw(InputPair pair) {
    const InputPairInfo& info = Describe(pair);
    StateProperties seed;
    for (int attempt = 0; attempt < 100 && !SeedState(info.saturation, seed); ++attempt) {
    }
    return {Perturb(info.first, Value(info.first, seed)),
            Perturb(info.second, Value(info.second, seed))};
  }

 private:
  double Uniform(double low, double high) {
    return std::uniform_real_distribution<double>(low, high)(random);
  }
  double LogUniform(double low, double high) {
    return std::exp(Uniform(std::log(low), std::log(high)));
  }
  bool Chance(double probability) { return Uniform(0.0, 1.0) < probability; }

  // A value beside `edge`: exactly on it, or off by a relative step up to 1e-2.
  double Near(double edge) {
    if (Chance(0.2)) {
      return edge;
    }
    return edge * (1.0 + (Chance(0.5) ? 1.0 : -1.0) * LogUniform(1e-15, 1e-2));
  }

  bool Solve(InputPair pair, double a, double b, StateProperties& out) {
    TransportProperties transport;
    return engine.Calculate(pair, a, b, out, transport, false, false);
  }

  bool SeedState(bool saturation, StateProperties& seed) {
    using limits::kMinimumTemperature, limits::kRegion13Temperature, limits::kB23MaximumTemperature,
        limits::kRegion2MaximumTemperature, limits::kMaximumTemperature,
        limits::kTriplePointTemperature, limits::kMaximumPressure, limits::kRegion5MaximumPressure,
        limits::kSaturationPressureAt623, limits::kPressureSearchMinimumPressure,
        limits::kSinglePhaseMinimumPressure;
    if (saturation ? Chance(0.8) : Chance(0.3)) {
      // The saturation line and the dome, dense at the triple and critical ends.
      double T = Chance(0.3) ? Near(Chance(0.5) ? kMinimumTemperature : kCriticalTemperature)
                             : Uniform(kMinimumTemperature, kCriticalTemperature);
      T = std::clamp(T, kMinimumTemperature, kCriticalTemperature);
      const double x = Chance(0.5)   ? (Chance(0.5) ? 0.0 : 100.0)
                       : Chance(0.5) ? std::clamp(Near(Chance(0.5) ? 1e-3 : 100.0), 0.0, 100.0)
                                     : Uniform(0.0, 100.0);
      return Solve(InputPair::SatTX, T, x, seed);
    }
    static constexpr std::array<double, 7> kTemperatures{
        kMinimumTemperature,    kRegion13Temperature,       kCriticalTemperature,
        kB23MaximumTemperature, kRegion2MaximumTemperature, kMaximumTemperature,
        kTriplePointTemperature};
    static constexpr std::array<double, 5> kPressures{kMaximumPressure, kRegion5MaximumPressure,
                                                      kCriticalPressure, kSaturationPressureAt623,
                                                      kPressureSearchMinimumPressure};
    const bool region5 = Chance(0.15);
    double T = region5 ? Uniform(kRegion2MaximumTemperature, kMaximumTemperature)
                       : Uniform(kMinimumTemperature, kRegion2MaximumTemperature);
    double p = LogUniform(kSinglePhaseMinimumPressure,
                          region5 ? kRegion5MaximumPressure : kMaximumPressure);
    if (Chance(0.3)) {
      T = Near(kTemperatures[random() % kTemperatures.size()]);
    }
    if (Chance(0.3)) {
      p = Near(kPressures[random() % kPressures.size()]);
    } else if (Chance(0.3) && T <= kCriticalTemperature) {
      p = Near(saturationEquation.SaturationPressure(std::max(T, kMinimumTemperature)));
    } else if (Chance(0.2) && T >= kRegion13Temperature && T <= kB23MaximumTemperature) {
      p = Near(saturationEquation.B23Pressure(T));
    }
    return Solve(InputPair::PT, p, T, seed);
  }

  double Value(Quantity quantity, const StateProperties& seed) {
    return quantity == Quantity::Quality ? Uniform(-1.0, 101.0) : seed.*Describe(quantity).field;
  }

  double Perturb(Quantity quantity, double value) {
    const double roll = Uniform(0.0, 1.0);
    if (roll < 0.3) {
      return value;
    }
    if (roll < 0.95) {
      const double step = LogUniform(1e-15, 0.3) * (Chance(0.5) ? 1.0 : -1.0);
      const double scale = std::max(std::fabs(value), 0.1 * Floor(quantity));
      return value + step * scale;
    }
    static constexpr std::array<double, 9> kAbsurd{std::numeric_limits<double>::quiet_NaN(),
                                                   std::numeric_limits<double>::infinity(),
                                                   -std::numeric_limits<double>::infinity(),
                                                   0.0,
                                                   -1.0,
                                                   1e-320,
                                                   1e300,
                                                   -1e300,
                                                   1e-9};
    return kAbsurd[random() % kAbsurd.size()];
  }

  std::mt19937_64 random;
  IF97Calculator engine;
  SaturationEquation saturationEquation;
};

}  // namespace vaporix::acceptance
