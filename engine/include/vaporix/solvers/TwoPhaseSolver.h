#pragma once

#include "vaporix/equations/Region1Equation.h"
#include "vaporix/equations/Region2Equation.h"
#include "vaporix/equations/Region3Equation.h"
#include "vaporix/equations/SaturationEquation.h"
#include "vaporix/solvers/RegionSolver.h"

namespace vaporix {

// IF97 region 4: the saturation line and the wet-steam mixtures under it, from
// 273.15 K to the critical point. Quality x is in percent. A (p,T) pair is
// never two-phase, so SolvePT always declines.
class TwoPhaseSolver : public RegionSolver {
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

  bool SolvePX(double p, double x, StateProperties& out) const;
  bool SolveTX(double T, double x, StateProperties& out) const;
  bool SolveHS(double h, double s, StateProperties& out) const;
  bool SolveUS(double u, double s, StateProperties& out) const;
  bool SolveVS(double v, double s, StateProperties& out) const;
  bool SolveHV(double h, double v, StateProperties& out) const;
  bool SolveUV(double u, double v, StateProperties& out) const;

  bool BuildSaturatedState(double p, double T, double x, StateProperties& out) const;
  static bool MixPhases(StateProperties& out, const StateProperties& liquid,
                        const StateProperties& vapour, double x);
  double RefineLiquidDensity(double p, double T, double rhoStart) const;
  double RefineVapourDensity(double p, double T, double rhoStart) const;
  double SaturationTemperatureAtEntropy(double s) const;
  double SaturationTemperatureAtVolume(double v) const;

 private:
  Region1Equation region1;
  Region2Equation region2;
  Region3Equation region3;
  SaturationEquation saturation;
  double upperQuality = 100.0;
  double lowerQuality = 0.0;
};

}  // namespace vaporix
