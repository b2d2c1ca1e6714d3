#pragma once

#include "vaporix/equations/Region1Equation.h"
#include "vaporix/equations/SaturationEquation.h"
#include "vaporix/solvers/RegionSolver.h"

namespace vaporix {

// IF97 region 1, compressed liquid; asked first, so it takes the saturation
// line below 623.15 K and the 623.15 K isotherm.
class Region1Solver : public RegionSolver {
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

  bool BackwardPH(double p, double h, StateProperties& out) const override;
  bool BackwardPS(double p, double s, StateProperties& out) const override;
  bool BackwardHS(double h, double s, StateProperties& out) const override;
  bool SolveHS(double h, double s, StateProperties& out) const override;

  // The region predicate on (p, T).
  bool InRange(double p, double T) const;

 private:
  // The highest temperature of region 1 at pressure p.
  double UpperTemperature(double p) const;
  // The pressure of the lowest enthalpy along the isotherm T between ps and
  // 100 MPa, where (dh/dp)_T changes sign.
  double LowestEnthalpyPressure(double T, double ps) const;

  Region1Equation region1;
  SaturationEquation saturation;
};

}  // namespace vaporix
