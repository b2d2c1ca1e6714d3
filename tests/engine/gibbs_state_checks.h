#pragma once

// Checks shared by the tests of the Gibbs-equation regions 1, 2 and 5: the
// relations between the fields of a record, derivatives against central
// differences of the equation's own values, and helpers for failure and
// threading tests.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <thread>
#include <vector>

#include "engine/record_bits.h"
#include "vaporix/StateProperties.h"

namespace vaporix::checks {

struct StatePoint {
  double p;
  double T;
};

inline std::string Where(double p, double T) {
  return "p = " + std::to_string(p) + " MPa, T = " + std::to_string(T) + " K";
}

// |actual - expected| <= relative * scale, with the scale given by the size of
// the quantities the relation combines (so that cancellation is not punished).
inline void ExpectClose(double actual, double expected, double scale, double relative,
                        const std::string& what) {
  EXPECT_LE(std::fabs(actual - expected), relative * std::fabs(scale))
      << what << ": " << actual << " vs " << expected;
}

// The relations every single-phase record satisfies.
inline void ExpectRecordRelations(const StateProperties& s, const std::string& where) {
  constexpr double kRelative = 1e-12;
  ExpectClose(s.v * s.d, 1.0, 1.0, kRelative, "v d = 1 at " + where);
  ExpectClose(s.H, s.u - s.t * s.s, std::fabs(s.u) + std::fabs(s.t * s.s), kRelative,
              "H = u - T s at " + where);
  ExpectClose(s.G, s.h - s.t * s.s, std::fabs(s.h) + std::fabs(s.t * s.s), kRelative,
              "G = h - T s at " + where);
  const double kapa = s.d * s.w * s.w / (s.p * 1.0e6);
  ExpectClose(s.kapa, kapa, kapa, kRelative, "kapa at " + where);
  const double z = s.v * s.p * 1000.0 / (kGasConstant * s.t);
  ExpectClose(s.Z, z, z, kRelative, "Z at " + where);
  ExpectClose(s.alpha, s.dvdt / s.v, s.alpha, kRelative, "alpha at " + where);
  ExpectClose(s.Kt, -s.dvdp / s.v, s.Kt, kRelative, "Kt at " + where);
  ExpectClose(s.dpdt, -s.dvdt / s.dvdp, s.dpdt, kRelative, "dpdt at " + where);
  ExpectClose(s.dpdv, 1.0 / s.dvdp, s.dpdv, kRelative, "dpdv at " + where);
  const double throttlingScale = 1000.0 * (std::fabs(s.v) + std::fabs(s.t * s.dvdt));
  ExpectClose(s.iJTC, (s.v - s.t * s.dvdt) * 1000.0, throttlingScale, kRelative,
              "iJTC at " + where);
  ExpectClose(s.JTC, (s.t * s.dvdt - s.v) * 1000.0 / s.cp, throttlingScale / s.cp, kRelative,
              "JTC at " + where);
}

// Central difference of f at x, extrapolated from the steps dx and dx/2
// (Richardson), and a bound of its rounding error.
struct Difference {
  double slope;
  double roundingBound;
};

// `noiseScale` is the size of the terms whose sum gives f: an enthalpy near
// zero still carries the rounding of sums of size R T.
template <typename F>
Difference CentralDifference(F f, double x, double dx, double noiseScale) {
  const double above = f(x + dx);
  const double below = f(x - dx);
  const double halfAbove = f(x + 0.5 * dx);
  const double halfBelow = f(x - 0.5 * dx);
  const double coarse = (above - below) / (2.0 * dx);
  const double fine = (halfAbove - halfBelow) / dx;
  const double size = std::max({std::fabs(above), std::fabs(below), noiseScale});
  const double roundingBound = 3.0 * 64.0 * std::numeric_limits<double>::epsilon() * size / dx;
  return {(4.0 * fine - coarse) / 3.0, roundingBound};
}

// Relative tolerance of the difference checks: the truncation error of the
// extrapolated differences stays far below it on the grids used.
constexpr double kDifferenceTolerance = 1e-7;

inline void ExpectSlope(double written, const Difference& difference, const std::string& what) {
  EXPECT_LE(std::fabs(written - difference.slope),
            kDifferenceTolerance * std::fabs(difference.slope) + difference.roundingBound)
      << what << ": written " << written << ", difference " << difference.slope;
}

// Relative steps of the differences in T and in p.
constexpr double kTemperatureStep = 1e-5;
constexpr double kPressureStep = 1e-4;

// cp, cv, w, alpha, Kt and the volume derivatives of a record against central
// differences of the same equation's h and v. cv and w come from the
// thermodynamic identities cv = cp + T (dv/dT)_p^2 / (dv/dp)_T and
// w^2 = -v^2 / (dv/dp)_s with (dv/dp)_s = (dv/dp)_T + T (dv/dT)_p^2 / cp.
template <typename Equation>
void ExpectRecordMatchesDifferences(const Equation& equation, double p, double T) {
  const std::string where = Where(p, T);
  StateProperties state;
  ASSERT_TRUE(equation.Evaluate(p, T, state)) << where;
  auto at = [&](double pressure, double temperature) {
    StateProperties other;
    EXPECT_TRUE(equation.Evaluate(pressure, temperature, other));
    return other;
  };
  const double dT = kTemperatureStep * T;
  const double dp = kPressureStep * p;
  const double energyScale = kGasConstant * T;
  const Difference cp = CentralDifference([&](double t) { return at(p, t).h; }, T, dT, energyScale);
  const Difference dvdt = CentralDifference([&](double t) { return at(p, t).v; }, T, dT, 0.0);
  const Difference dvdp = CentralDifference([&](double q) { return at(q, T).v; }, p, dp, 0.0);
  ExpectSlope(state.cp, cp, "cp at " + where);
  ExpectSlope(state.dvdt, dvdt, "dvdt at " + where);
  ExpectSlope(state.dvdp, dvdp, "dvdp at " + where);
  ExpectSlope(state.alpha, {dvdt.slope / state.v, dvdt.roundingBound / state.v},
              "alpha at " + where);
  ExpectSlope(state.Kt, {-dvdp.slope / state.v, dvdp.roundingBound / state.v}, "Kt at " + where);

  // Relative rounding errors of the differences, carried into cv and w.
  const double cpError = cp.roundingBound / std::fabs(cp.slope);
  const double dvdtError = dvdt.roundingBound / std::fabs(dvdt.slope);
  const double dvdpError = dvdp.roundingBound / std::fabs(dvdp.slope);
  const double cvCorrection = 1000.0 * T * dvdt.slope * dvdt.slope / dvdp.slope;
  const double cv = cp.slope + cvCorrection;
  EXPECT_NEAR(
      state.cv, cv,
      1e-6 * cv + cp.roundingBound + std::fabs(cvCorrection) * (2.0 * dvdtError + dvdpError))
      << "cv at " << where;
  const double isentropic = dvdp.slope * 1e-6 + T * dvdt.slope * dvdt.slope / (1000.0 * cp.slope);
  const double w = std::sqrt(-state.v * state.v / isentropic);
  EXPECT_NEAR(state.w, w, w * (1e-6 + dvdpError + 2.0 * dvdtError + cpError)) << "w at " << where;
}

// Each single-property operation returns the record's value and writes the
// slope of its own returned value.
template <typename Equation>
void ExpectSinglePropertySlopes(const Equation& equation, double p, double T) {
  const std::string where = Where(p, T);
  StateProperties state;
  ASSERT_TRUE(equation.Evaluate(p, T, state)) << where;
  const double dT = kTemperatureStep * T;
  const double dp = kPressureStep * p;
  double slope = 0.0;
  double ignored = 0.0;
  constexpr double kSame = 1e-12;

  using PT = double (Equation::*)(double*, double, double) const;
  struct Operation {
    PT operation;
    double recordValue;
    bool isDensity;
    double noiseScale;
    const char* name;
  };
  const double energyScale = kGasConstant * T;
  const Operation perTemperature[] = {
      {&Equation::EnthalpyPT, state.h, false, energyScale, "EnthalpyPT"},
      {&Equation::EntropyPT, state.s, false, kGasConstant, "EntropyPT"},
      {&Equation::InternalEnergyPT, state.u, false, energyScale, "InternalEnergyPT"},
      {&Equation::DensityPT, state.d, true, 0.0, "DensityPT"}};
  for (const Operation& op : perTemperature) {
    const double value = (equation.*op.operation)(&slope, p, T);
    ExpectClose(value, op.recordValue, op.recordValue, kSame, std::string(op.name) + " " + where);
    // The density operations write 1000 (dv/dT)_p, the slope of 1000 / density.
    auto f = [&](double t) {
      const double x = (equation.*op.operation)(&ignored, p, t);
      return op.isDensity ? 1000.0 / x : x;
    };
    ExpectSlope(slope, CentralDifference(f, T, dT, op.noiseScale),
                std::string(op.name) + " slope " + where);
  }
  const Operation perPressure[] = {
      {&Equation::EnthalpyTP, state.h, false, energyScale, "EnthalpyTP"},
      {&Equation::EntropyTP, state.s, false, kGasConstant, "EntropyTP"},
      {&Equation::InternalEnergyTP, state.u, false, energyScale, "InternalEnergyTP"},
      {&Equation::DensityTP, state.d, true, 0.0, "DensityTP"}};
  for (const Operation& op : perPressure) {
    // The TP operations take (T, p): the same member pointer type, arguments swapped.
    const double value = (equation.*op.operation)(&slope, T, p);
    ExpectClose(value, op.recordValue, op.recordValue, kSame, std::string(op.name) + " " + where);
    auto f = [&](double q) {
      const double x = (equation.*op.operation)(&ignored, T, q);
      return op.isDensity ? 1000.0 / x : x;
    };
    ExpectSlope(slope, CentralDifference(f, p, dp, op.noiseScale),
                std::string(op.name) + " slope " + where);
  }
}

using records::SameBits;
using records::SentinelRecord;

// Evaluates every point into a record of its own.
template <typename Equation>
std::vector<StateProperties> EvaluateAll(const Equation& equation,
                                         const std::vector<StatePoint>& points) {
  std::vector<StateProperties> records(points.size());
  std::memset(static_cast<void*>(records.data()), 0, records.size() * sizeof(StateProperties));
  for (std::size_t i = 0; i < points.size(); ++i) {
    equation.Evaluate(points[i].p, points[i].T, records[i]);
  }
  return records;
}

// Two threads evaluating the grid at the same time produce the same bits as
// one thread alone: the evaluation shares no state between calls.
template <typename Equation>
void ExpectThreadsGiveSameRecords(const std::vector<StatePoint>& points) {
  const Equation equation;
  const std::vector<StateProperties> alone = EvaluateAll(equation, points);
  constexpr int kRounds = 200;
  std::vector<StateProperties> first;
  std::vector<StateProperties> second;
  bool firstSame = true;
  bool secondSame = true;
  auto worker = [&](std::vector<StateProperties>& out, bool& same) {
    for (int round = 0; round < kRounds; ++round) {
      out = EvaluateAll(equation, points);
      same = same && SameBits(out, alone);
    }
  };
  std::thread a(worker, std::ref(first), std::ref(firstSame));
  std::thread b(worker, std::ref(second), std::ref(secondSame));
  a.join();
  b.join();
  EXPECT_TRUE(firstSame);
  EXPECT_TRUE(secondSame);
}

}  // namespace vaporix::checks
