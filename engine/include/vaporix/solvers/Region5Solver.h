#pragma once

#include "vaporix/equations/Region5Equation.h"
#include "vaporix/solvers/RegionSolver.h"

namespace vaporix {

// IF97 region 5, steam from 1073.15 K to 2273.15 K up to 10 MPa.
class Region5Solver : public RegionSolver {
 public:
  bool SolvePT(double p, double T, StateProperties& out) const override;
  bool SolvePH(double p, double h, StateProperties& out) const override;
  bool SolvePS(double p, double s, StateProperties& out) const override;
  bool SolvePU(double p, double u, StateProperties& out) const override;
  bool SolvePV(double p, double v, StateProperties& out) const override;
  bool SolveTH(double T, double h, StateProperties& out) const override;
  bool SolveTS(double T, double s, StateProperties& out) const override;
  bool SolveTU(double T, double u, StateProperties& out) const override;
  bool SolveTV(double T, double v, StateProperties& out) const override;

  // The region predicate on (p, T).
  bool InRange(double p, double T) const;

 private:
  // The full evaluation at the solved point, with or without the region test.
  bool Finish(double p, double T, bool testRange, StateProperties& out) const;

  Region5Equation region5;
};

}  // namespace vaporix
