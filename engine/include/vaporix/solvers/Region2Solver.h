#pragma once

#include "vaporix/equations/Region2Equation.h"
#include "vaporix/equations/SaturationEquation.h"
#include "vaporix/solvers/RegionSolver.h"

namespace vaporix {

// IF97 region 2, superheated steam up to 1073.15 K; takes the B23 line and
// the 1073.15 K isotherm.
class Region2Solver : public RegionSolver {
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
  // The lowest temperature of region 2 at pressure p.
  double LowerTemperature(double p) const;
  // The highest pressure of region 2 at temperature T.
  double UpperPressure(double T) const;
  // The temperature search of (p,h) and (p,s), started from the backward
  // temperature, for a property that rises with temperature.
  template <class Property>
  bool SolveAtPressure(double p, double TBackward, Property&& property, double target,
                       double tolerance, StateProperties& out) const;

  Region2Equation region2;
  SaturationEquation saturation;
};

}  // namespace vaporix
