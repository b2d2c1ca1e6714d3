#pragma once

#include "vaporix/equations/Region1Equation.h"
#include "vaporix/equations/Region2Equation.h"
#include "vaporix/equations/Region3Equation.h"
#include "vaporix/equations/SaturationEquation.h"
#include "vaporix/solvers/RegionSolver.h"

namespace vaporix {

// IF97 region 3, between the 623.15 K isotherm, the B23 line and 100 MPa. Its
// equation is explicit in density, so every pair iterates on density.
class Region3Solver : public RegionSolver {
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
  Region1Equation region1;
  Region2Equation region2;
  Region3Equation region3;
  SaturationEquation saturation;
};

}  // namespace vaporix
