#pragma once

#include "vaporix/StateProperties.h"

namespace vaporix {

class IF97Calculator;

// One IF97 region's answer to "does the state of this input pair lie in my
// region, and which state is it". Every operation takes the pair in the order
// of its name and the record to fill; true means `out` holds the whole state,
// false that the solver declines (and `out` must not be used). Inputs in the
// engine's SI units: MPa, K, kJ/kg, kJ/(kg K), m3/kg.
class RegionSolver {
 public:
  virtual ~RegionSolver() = default;

  virtual bool SolvePT(double p, double T, StateProperties& out) const = 0;
  virtual bool SolvePH(double p, double h, StateProperties& out) const = 0;
  virtual bool SolvePS(double p, double s, StateProperties& out) const = 0;
  virtual bool SolvePU(double p, double u, StateProperties& out) const = 0;
  virtual bool SolvePV(double p, double v, StateProperties& out) const = 0;
  virtual bool SolveTH(double T, double h, StateProperties& out) const = 0;
  virtual bool SolveTS(double T, double s, StateProperties& out) const = 0;
  virtual bool SolveTU(double T, double u, StateProperties& out) const = 0;
  virtual bool SolveTV(double T, double v, StateProperties& out) const = 0;

  // Direct answers from the backward equations, without iteration; only the
  // region 1 and region 2 solvers provide them.
  virtual bool BackwardPH(double /*p*/, double /*h*/, StateProperties& /*out*/) const {
    return false;
  }
  virtual bool BackwardPS(double /*p*/, double /*s*/, StateProperties& /*out*/) const {
    return false;
  }
  virtual bool BackwardHS(double /*h*/, double /*s*/, StateProperties& /*out*/) const {
    return false;
  }

  // (h,s) iterated from the backward equations to the state of this region
  // with both inputs; false when the region does not hold it (or the
  // iteration does not settle), leaving the engine's pressure search to decide.
  virtual bool SolveHS(double /*h*/, double /*s*/, StateProperties& /*out*/) const { return false; }

  // Called by the engine's Initialize; a solver must not be used before.
  void Initialize(const IF97Calculator* owner) { engine = owner; }

 protected:
  RegionSolver() = default;
  RegionSolver(const RegionSolver&) = default;
  RegionSolver& operator=(const RegionSolver&) = default;

  // The engine's convergence tolerance (1e-6), read on every call.
  double Tolerance() const;

  const IF97Calculator* engine = nullptr;
};

}  // namespace vaporix
