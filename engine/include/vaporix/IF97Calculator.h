#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <mutex>
#include <string>

#include "vaporix/StateProperties.h"
#include "vaporix/equations/TransportEquation.h"
#include "vaporix/solvers/Region1Solver.h"
#include "vaporix/solvers/Region2Solver.h"
#include "vaporix/solvers/Region3Solver.h"
#include "vaporix/solvers/Region5Solver.h"
#include "vaporix/solvers/TwoPhaseSolver.h"

namespace vaporix {

// The one object through which the rest of the system computes a state of
// water or steam: one entry point per input pair. Each entry point takes the
// pair in the order of its name, fills `out` (and `transport` when
// withTransport) and answers true when the state exists; with `english` the
// inputs are psi, degF, Btu/lb, Btu/(lb degF), ft3/lb and the outputs are
// English too. Entry points of one engine are serialised by a re-entrant
// lock; engines share nothing, so one engine per thread runs in parallel.
// No exception leaves an entry point.
class IF97Calculator {
 public:
  IF97Calculator();
  virtual ~IF97Calculator();
  IF97Calculator(const IF97Calculator&) = delete;
  IF97Calculator& operator=(const IF97Calculator&) = delete;

  // Gives the solvers their engine and fills the key tables; call once
  // before the first calculation.
  void Initialize();

  double Tolerance() const { return tolerance; }

  // Single-phase entry points ("Subcooled/Superheated properties").
  bool CalcPT(double p, double t, StateProperties& out, TransportProperties& transport,
              bool withTransport, bool english);
  bool CalcPH(double p, double h, StateProperties& out, TransportProperties& transport,
              bool withTransport, bool english);
  bool CalcPS(double p, double s, StateProperties& out, TransportProperties& transport,
              bool withTransport, bool english);
  bool CalcPU(double p, double u, StateProperties& out, TransportProperties& transport,
              bool withTransport, bool english);
  bool CalcPV(double p, double v, StateProperties& out, TransportProperties& transport,
              bool withTransport, bool english);
  bool CalcTH(double t, double h, StateProperties& out, TransportProperties& transport,
              bool withTransport, bool english);
  bool CalcTS(double t, double s, StateProperties& out, TransportProperties& transport,
              bool withTransport, bool english);
  bool CalcTU(double t, double u, StateProperties& out, TransportProperties& transport,
              bool withTransport, bool english);
  bool CalcTV(double t, double v, StateProperties& out, TransportProperties& transport,
              bool withTransport, bool english);
  bool CalcHS(double h, double s, StateProperties& out, TransportProperties& transport,
              bool withTransport, bool english);
  bool CalcUS(double u, double s, StateProperties& out, TransportProperties& transport,
              bool withTransport, bool english);
  bool CalcVS(double v, double s, StateProperties& out, TransportProperties& transport,
              bool withTransport, bool english);
  bool CalcHV(double h, double v, StateProperties& out, TransportProperties& transport,
              bool withTransport, bool english);
  bool CalcUV(double u, double v, StateProperties& out, TransportProperties& transport,
              bool withTransport, bool english);

  // Saturation entry points ("Saturation properties"): the two-phase solver alone.
  bool CalcSatPX(double p, double x, StateProperties& out, TransportProperties& transport,
                 bool withTransport, bool english);
  bool CalcSatTX(double t, double x, StateProperties& out, TransportProperties& transport,
                 bool withTransport, bool english);
  bool CalcSatPH(double p, double h, StateProperties& out, TransportProperties& transport,
                 bool withTransport, bool english);
  bool CalcSatPS(double p, double s, StateProperties& out, TransportProperties& transport,
                 bool withTransport, bool english);
  bool CalcSatPU(double p, double u, StateProperties& out, TransportProperties& transport,
                 bool withTransport, bool english);
  bool CalcSatPV(double p, double v, StateProperties& out, TransportProperties& transport,
                 bool withTransport, bool english);
  bool CalcSatTH(double t, double h, StateProperties& out, TransportProperties& transport,
                 bool withTransport, bool english);
  bool CalcSatTS(double t, double s, StateProperties& out, TransportProperties& transport,
                 bool withTransport, bool english);
  bool CalcSatTU(double t, double u, StateProperties& out, TransportProperties& transport,
                 bool withTransport, bool english);
  bool CalcSatTV(double t, double v, StateProperties& out, TransportProperties& transport,
                 bool withTransport, bool english);
  bool CalcSatHS(double h, double s, StateProperties& out, TransportProperties& transport,
                 bool withTransport, bool english);
  bool CalcSatUS(double u, double s, StateProperties& out, TransportProperties& transport,
                 bool withTransport, bool english);
  bool CalcSatVS(double v, double s, StateProperties& out, TransportProperties& transport,
                 bool withTransport, bool english);
  bool CalcSatHV(double h, double v, StateProperties& out, TransportProperties& transport,
                 bool withTransport, bool english);
  bool CalcSatUV(double u, double v, StateProperties& out, TransportProperties& transport,
                 bool withTransport, bool english);

  // Transport properties of a filled SI state; kNotAvailable where a
  // correlation does not hold.
  void ComputeTransport(const StateProperties& state, TransportProperties& transport) const;
  // In-place conversion of SI records to English units.
  static void ToEnglish(StateProperties& state);
  static void ToEnglish(TransportProperties& transport);

  // The key tables filled by Initialize: property number 1-30 and
  // supplementary number 1-18 of a key, 0 for an unknown key.
  int PropertyNumber(const std::string& key) const;
  int SupplementaryNumber(const std::string& key) const;

 private:
  // The input pair of an entry point; selects the unit conversion of its
  // inputs and the way the state is found.
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
  // The property a pressure search is held at, and the one it matches.
  enum class FixedProperty : std::uint8_t { Entropy, Volume };
  enum class TargetProperty : std::uint8_t { Enthalpy, InternalEnergy, Volume };

  // The frame every entry point runs in: lock, English input conversion,
  // finding the state, transport, English output conversion.
  bool Calculate(InputPair pair, double a, double b, StateProperties& out,
                 TransportProperties& transport, bool withTransport, bool english);
  // Finds the state of an SI input pair, without transport.
  bool Find(InputPair pair, double a, double b, StateProperties& out) const;
  // The single-phase solvers asked in order with one operation.
  bool AskSolvers(bool (RegionSolver::*operation)(double, double, StateProperties&) const, double a,
                  double b, StateProperties& out) const;
  // The state at pressure p with the fixed entropy or volume (CalcPS, CalcPV).
  bool FindAtPressure(FixedProperty fixed, double p, double value, StateProperties& out) const;
  // The state at temperature T with the fixed entropy or volume (CalcTS, CalcTV).
  bool FindAtTemperature(FixedProperty fixed, double T, double value, StateProperties& out) const;
  // Search over pressure for the pairs no solver handles directly.
  bool PressureSearch(FixedProperty fixed, double fixedValue, TargetProperty target,
                      double targetValue, StateProperties& out) const;
  // The state where the line of constant entropy or volume leaves the range of
  // the formulation at its high-pressure or temperature edges.
  bool UpperBoundaryState(FixedProperty fixed, double value, StateProperties& boundary) const;

  double tolerance = 1e-6;
  Region1Solver region1Solver;
  Region2Solver region2Solver;
  Region3Solver region3Solver;
  TwoPhaseSolver twoPhaseSolver;
  Region5Solver region5Solver;
  std::array<const RegionSolver*, 5> solvers;
  TransportEquation transportEquation;
  std::recursive_mutex lock;
  std::map<std::string, int> propertyKeys;
  std::map<std::string, int> supplementaryKeys;
  // Entropy and specific volume of the six corner states of the upper-boundary
  // routine, A to F; they depend only on the equations, so Initialize
  // computes them once. NaN where a corner state cannot be computed.
  std::array<double, 6> cornerEntropy{};
  std::array<double, 6> cornerVolume{};
};

}  // namespace vaporix
