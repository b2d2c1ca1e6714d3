#pragma once

#include <array>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "vaporix/InputPair.h"
#include "vaporix/Limits.h"
#include "vaporix/Properties.h"
#include "vaporix/StateProperties.h"
#include "vaporix/Units.h"
#include "vaporix/equations/Region3BackwardEquation.h"
#include "vaporix/equations/TransportEquation.h"
#include "vaporix/solvers/Region1Solver.h"
#include "vaporix/solvers/Region2Solver.h"
#include "vaporix/solvers/Region3Solver.h"
#include "vaporix/solvers/Region5Solver.h"
#include "vaporix/solvers/TwoPhaseSolver.h"

namespace vaporix {

// One state found by IF97Calculator::CalcAll, with its transport properties
// when they were asked for.
struct CalculatedState {
  StateProperties state;
  TransportProperties transport;
};

// The one object through which the rest of the system computes a state of
// water or steam: Calculate with an input pair (see InputPair.h), or the
// entry point named after the pair. Entry points of one engine are serialised by a re-entrant
// lock; engines share nothing, so one engine per thread runs in parallel.
// No exception leaves an entry point.
class IF97Calculator {
 public:
  IF97Calculator();
  virtual ~IF97Calculator();
  IF97Calculator(const IF97Calculator&) = delete;
  IF97Calculator& operator=(const IF97Calculator&) = delete;

  // Gives the solvers their engine; call once before the first calculation.
  void Initialize();

  double Tolerance() const { return tolerance; }

  // Finds the state of `pair` from its two inputs (in the order of the pair's
  // name): fills `out` (and `transport` when withTransport) and answers true
  // when the state exists. With `english` the inputs are psi, degF, Btu/lb,
  // Btu/(lb degF), ft3/lb and the outputs are English too.
  bool Calculate(InputPair pair, double a, double b, StateProperties& out,
                 TransportProperties& transport, bool withTransport, bool english);

  // Every state that has the two inputs of `pair`: Calculate's answer first
  // (when it has one), then the others in the order they lie along the line
  // of the first input (or of the second for the pressure-search pairs);
  // empty when no state has them. Units and transport as Calculate.
  std::vector<CalculatedState> CalcAll(InputPair pair, double a, double b, bool withTransport,
                                       bool english);

  // One entry point per input pair, kept for the callers that name them.
  bool CalcPT(double a, double b, StateProperties& out, TransportProperties& transport,
              bool withTransport, bool english) {
    return Calculate(InputPair::PT, a, b, out, transport, withTransport, english);
  }
  bool CalcPH(double a, double b, StateProperties& out, TransportProperties& transport,
              bool withTransport, bool english) {
    return Calculate(InputPair::PH, a, b, out, transport, withTransport, english);
  }
  bool CalcPS(double a, double b, StateProperties& out, TransportProperties& transport,
              bool withTransport, bool english) {
    return Calculate(InputPair::PS, a, b, out, transport, withTransport, english);
  }
  bool CalcPU(double a, double b, StateProperties& out, TransportProperties& transport,
              bool withTransport, bool english) {
    return Calculate(InputPair::PU, a, b, out, transport, withTransport, english);
  }
  bool CalcPV(double a, double b, StateProperties& out, TransportProperties& transport,
              bool withTransport, bool english) {
    return Calculate(InputPair::PV, a, b, out, transport, withTransport, english);
  }
  bool CalcTH(double a, double b, StateProperties& out, TransportProperties& transport,
              bool withTransport, bool english) {
    return Calculate(InputPair::TH, a, b, out, transport, withTransport, english);
  }
  bool CalcTS(double a, double b, StateProperties& out, TransportProperties& transport,
              bool withTransport, bool english) {
    return Calculate(InputPair::TS, a, b, out, transport, withTransport, english);
  }
  bool CalcTU(double a, double b, StateProperties& out, TransportProperties& transport,
              bool withTransport, bool english) {
    return Calculate(InputPair::TU, a, b, out, transport, withTransport, english);
  }
  bool CalcTV(double a, double b, StateProperties& out, TransportProperties& transport,
              bool withTransport, bool english) {
    return Calculate(InputPair::TV, a, b, out, transport, withTransport, english);
  }
  bool CalcHS(double a, double b, StateProperties& out, TransportProperties& transport,
              bool withTransport, bool english) {
    return Calculate(InputPair::HS, a, b, out, transport, withTransport, english);
  }
  bool CalcUS(double a, double b, StateProperties& out, TransportProperties& transport,
              bool withTransport, bool english) {
    return Calculate(InputPair::US, a, b, out, transport, withTransport, english);
  }
  bool CalcVS(double a, double b, StateProperties& out, TransportProperties& transport,
              bool withTransport, bool english) {
    return Calculate(InputPair::VS, a, b, out, transport, withTransport, english);
  }
  bool CalcHV(double a, double b, StateProperties& out, TransportProperties& transport,
              bool withTransport, bool english) {
    return Calculate(InputPair::HV, a, b, out, transport, withTransport, english);
  }
  bool CalcUV(double a, double b, StateProperties& out, TransportProperties& transport,
              bool withTransport, bool english) {
    return Calculate(InputPair::UV, a, b, out, transport, withTransport, english);
  }
  bool CalcSatPX(double a, double b, StateProperties& out, TransportProperties& transport,
                 bool withTransport, bool english) {
    return Calculate(InputPair::SatPX, a, b, out, transport, withTransport, english);
  }
  bool CalcSatTX(double a, double b, StateProperties& out, TransportProperties& transport,
                 bool withTransport, bool english) {
    return Calculate(InputPair::SatTX, a, b, out, transport, withTransport, english);
  }
  bool CalcSatPH(double a, double b, StateProperties& out, TransportProperties& transport,
                 bool withTransport, bool english) {
    return Calculate(InputPair::SatPH, a, b, out, transport, withTransport, english);
  }
  bool CalcSatPS(double a, double b, StateProperties& out, TransportProperties& transport,
                 bool withTransport, bool english) {
    return Calculate(InputPair::SatPS, a, b, out, transport, withTransport, english);
  }
  bool CalcSatPU(double a, double b, StateProperties& out, TransportProperties& transport,
                 bool withTransport, bool english) {
    return Calculate(InputPair::SatPU, a, b, out, transport, withTransport, english);
  }
  bool CalcSatPV(double a, double b, StateProperties& out, TransportProperties& transport,
                 bool withTransport, bool english) {
    return Calculate(InputPair::SatPV, a, b, out, transport, withTransport, english);
  }
  bool CalcSatTH(double a, double b, StateProperties& out, TransportProperties& transport,
                 bool withTransport, bool english) {
    return Calculate(InputPair::SatTH, a, b, out, transport, withTransport, english);
  }
  bool CalcSatTS(double a, double b, StateProperties& out, TransportProperties& transport,
                 bool withTransport, bool english) {
    return Calculate(InputPair::SatTS, a, b, out, transport, withTransport, english);
  }
  bool CalcSatTU(double a, double b, StateProperties& out, TransportProperties& transport,
                 bool withTransport, bool english) {
    return Calculate(InputPair::SatTU, a, b, out, transport, withTransport, english);
  }
  bool CalcSatTV(double a, double b, StateProperties& out, TransportProperties& transport,
                 bool withTransport, bool english) {
    return Calculate(InputPair::SatTV, a, b, out, transport, withTransport, english);
  }
  bool CalcSatHS(double a, double b, StateProperties& out, TransportProperties& transport,
                 bool withTransport, bool english) {
    return Calculate(InputPair::SatHS, a, b, out, transport, withTransport, english);
  }
  bool CalcSatUS(double a, double b, StateProperties& out, TransportProperties& transport,
                 bool withTransport, bool english) {
    return Calculate(InputPair::SatUS, a, b, out, transport, withTransport, english);
  }
  bool CalcSatVS(double a, double b, StateProperties& out, TransportProperties& transport,
                 bool withTransport, bool english) {
    return Calculate(InputPair::SatVS, a, b, out, transport, withTransport, english);
  }
  bool CalcSatHV(double a, double b, StateProperties& out, TransportProperties& transport,
                 bool withTransport, bool english) {
    return Calculate(InputPair::SatHV, a, b, out, transport, withTransport, english);
  }
  bool CalcSatUV(double a, double b, StateProperties& out, TransportProperties& transport,
                 bool withTransport, bool english) {
    return Calculate(InputPair::SatUV, a, b, out, transport, withTransport, english);
  }

  // Transport properties of a filled SI state; kNotAvailable where a
  // correlation does not hold.
  void ComputeTransport(const StateProperties& state, TransportProperties& transport) const;
  // In-place conversion of SI records to English units.
  static void ToEnglish(StateProperties& state);
  static void ToEnglish(TransportProperties& transport);

  // Property number 1-30 and supplementary number 1-18 of a key, 0 for an
  // unknown key (read from the property table).
  int PropertyNumber(const std::string& key) const;
  int SupplementaryNumber(const std::string& key) const;

 private:
  // Finds the state of an SI input pair, without transport.
  bool Find(InputPair pair, double a, double b, StateProperties& out) const;
  // The single-phase solvers asked in order with one operation; the first
  // answer that Accept keeps is the state. `skip`, when given, is a solver
  // the caller has asked already.
  bool AskSolvers(bool (RegionSolver::*operation)(double, double, StateProperties&) const,
                  InputPair pair, double a, double b, StateProperties& out,
                  const RegionSolver* skip = nullptr) const;
  // Keeps a solver's answer only when it reproduces both inputs (after a few
  // Newton steps on its own coordinates if it is close) and, in region 3, is
  // the density that region 3 has at its (p, T).
  bool Accept(InputPair pair, double a, double b, StateProperties& out) const;
  bool Polish(InputPair pair, double a, double b, StateProperties& out) const;
  bool OnStableBranch(const StateProperties& state) const;
  // Appends to `states` every accepted state of the SI pair found by
  // bracketing along the pair's free variable that is not already there.
  void FindOtherStates(InputPair pair, double a, double b,
                       std::vector<StateProperties>& states) const;
  // The state at pressure p with the fixed entropy or volume (CalcPS, CalcPV).
  bool FindAtPressure(Quantity fixed, double p, double value, StateProperties& out) const;
  // The state at temperature T with the fixed entropy or volume (CalcTS, CalcTV).
  bool FindAtTemperature(Quantity fixed, double T, double value, StateProperties& out) const;
  // (h,s) iterated by each region solver from the backward equations, in the
  // order the boundary lines of the (h,s) plane predict; false leaves the
  // pressure search to decide.
  bool FindHS(double h, double s, StateProperties& out) const;
  // What the line of constant entropy or volume says of a pressure-search
  // pair's target before the search: the state, when it is wet (solved in T
  // along the saturation line) or the line's saturated end; no state, when
  // the target lies in the jump of the 623.15 K seam or an isochore's B23
  // seam; or that the search is to decide.
  enum class LineVerdict { State, NoState, Search };
  LineVerdict ScreenLine(InputPair pair, double y, double fixedValue, StateProperties& out) const;
  // Search over pressure for the pairs no solver handles directly.
  // `fixed` is Entropy or Volume; `target` Enthalpy, InternalEnergy or Volume.
  bool PressureSearch(Quantity fixed, double fixedValue, Quantity target, double targetValue,
                      StateProperties& out) const;
  // The search of PressureSearch between two states of the line, the first at
  // lowPressure.
  bool SearchSegment(Quantity fixed, double fixedValue, Quantity target, double targetValue,
                     double lowPressure, const StateProperties& low, const StateProperties& top,
                     StateProperties& out) const;
  // The acceptance rule for a state of the pressure search's pair (target
  // first, the line's quantity second).
  bool AcceptSearched(Quantity fixed, double fixedValue, Quantity target, double targetValue,
                      StateProperties& state) const;
  // The state with the two inputs by Newton's iteration on the equation of
  // the search's probe `start`; false unless the acceptance rule keeps it and
  // its pressure and temperature lie in that equation's region.
  bool NewtonFromProbe(Quantity fixed, double fixedValue, Quantity target, double targetValue,
                       const StateProperties& start, StateProperties& out) const;
  // What the search's probes nearest the target on either side say when they
  // lie on two equations (the line jumps at a region boundary between them):
  // the state beside the jump the acceptance rule keeps, no state when the
  // target lies in the jump beyond the reach of the rule, or that the search
  // is to decide. `residuals` are the probes' target values less the target.
  LineVerdict BesideJump(Quantity fixed, double fixedValue, Quantity target, double targetValue,
                         const std::array<StateProperties, 2>& nearest,
                         const std::array<double, 2>& residuals, StateProperties& out) const;
  // The lowest pressure (from the search's minimum) at which the line of
  // constant entropy or volume has a state, with that state; 0 when none.
  double LowestPressureOnLine(Quantity fixed, double fixedValue, double topPressure,
                              StateProperties& low) const;
  // The state where the line of constant entropy or volume leaves the range of
  // the formulation at its high-pressure or temperature edges.
  bool UpperBoundaryState(Quantity fixed, double value, StateProperties& boundary) const;

  double tolerance = 1e-6;
  Region1Solver region1Solver;
  Region2Solver region2Solver;
  Region3Solver region3Solver;
  TwoPhaseSolver twoPhaseSolver;
  Region5Solver region5Solver;
  std::array<const RegionSolver*, 5> solvers;
  TransportEquation transportEquation;
  Region3BackwardEquation backward;
  std::recursive_mutex lock;
  // Entropy and specific volume of the six corner states of the upper-boundary
  // routine, A to F; they depend only on the equations, so Initialize
  // computes them once. NaN where a corner state cannot be computed.
  std::array<double, 6> cornerEntropy{};
  std::array<double, 6> cornerVolume{};
};

}  // namespace vaporix
