#pragma once

#include "vaporix/InputPair.h"
#include "vaporix/equations/Region1Equation.h"
#include "vaporix/equations/Region2Equation.h"
#include "vaporix/equations/Region3BackwardEquation.h"
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
  bool SolveHS(double h, double s, StateProperties& out) const override;

  // The region predicate on (p, T).
  bool InRange(double p, double T) const;

 private:
  bool PressureInRange(double p) const;
  bool TemperatureInRange(double T) const;
  // True when T lies below the critical temperature and rho between the
  // saturated vapour and liquid densities of the region-3 equation at T.
  bool InsideSaturationDome(double T, double rho) const;
  // The density of (p, T): Ridders' iteration from the start volume.
  bool SolveDensity(double p, double T, double& rho) const;
  // Widens a density bracket without a sign change, on the phase side of the state.
  bool WidenDensityBracket(double p, double T, double rhoStart, double& dense, double& fDense,
                           double& light, double& fLight) const;
  // (p,h), (p,s), (p,u) and (T,h), (T,s), (T,u): `quantity` is Enthalpy,
  // Entropy or InternalEnergy.
  bool SolvePY(double p, double y, Quantity quantity, StateProperties& out) const;
  // What the backward equations tell of a (p,h) or (p,s) input.
  enum class Routed { Solved, Declined, Unsure };
  // (p,h) and (p,s) from the backward equations: wet inputs declined by the
  // saturation pressure p3sat(h) or p3sat(s) (clear of its uncertainty), the
  // rest started from T(p,y), v(p,y) and iterated by Newton in (rho, T) on the
  // basic equation. Unsure when neither settles it; SolvePY's search follows.
  Routed RouteFromBackward(double p, double y, Quantity quantity, StateProperties& out) const;
  // True when (rho, T) at pressure p is a stable state of the region: inside
  // its (p, T) range and, below the critical pressure, on the side of the
  // saturation temperature its density belongs to.
  bool StableState(double p, double T, double rho) const;
  // Newton in (rho, T) for p and h (or s, or u) from a start; true when it
  // converged to the engine's precision.
  bool IterateDensityTemperature(double p, double y, Quantity quantity, double& rho,
                                 double& T) const;
  bool SolveTY(double T, double y, Quantity quantity, StateProperties& out) const;
  // h, s or u of (T, rho) and its slope in the iterated variable.
  double Property(Quantity quantity, double T, double rho, double& slope) const;
  // Evaluates (rho, T) and tells whether it is a single-phase state of the region.
  bool AcceptTemperatureState(double T, double rho, StateProperties& out) const;

  Region1Equation region1;
  Region2Equation region2;
  Region3Equation region3;
  Region3BackwardEquation backward;
  SaturationEquation saturation;
};

}  // namespace vaporix
