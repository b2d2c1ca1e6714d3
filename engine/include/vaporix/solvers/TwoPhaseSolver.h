#pragma once

#include "vaporix/InputPair.h"
#include "vaporix/equations/Region1Equation.h"
#include "vaporix/equations/Region2Equation.h"
#include "vaporix/equations/Region3BackwardEquation.h"
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
  // Wet steam with the enthalpy h and entropy s: Newton on the temperature of
  // the mixture whose quality gives s and whose enthalpy is h, started from
  // Tsat(h,s) where that equation holds. False when no such state is found
  // (the saturation search then decides).
  bool SolveWetHS(double h, double s, StateProperties& out) const;

  bool BuildSaturatedState(double p, double T, double x, StateProperties& out) const;
  static bool MixPhases(StateProperties& out, const StateProperties& liquid,
                        const StateProperties& vapour, double x);
  double RefineLiquidDensity(double p, double T, double rhoStart) const;
  double RefineVapourDensity(double p, double T, double rhoStart) const;
  double SaturationTemperatureAtEntropy(double s) const;
  double SaturationTemperatureAtVolume(double v) const;

 private:
  enum class Given { Pressure, Temperature };
  // The end of the saturated range that accepts an input beyond it by the
  // rounding band limits::kSaturatedEndBand.
  enum class BandRule { None, EnthalpyBelowLiquid, EntropyAboveVapour, VolumeToLiquid };

  // The record field of an input quantity.
  static double Field(const StateProperties& state, Quantity quantity);
  static bool TemperatureOrPressureInRange(Given given, double value);
  // The quality x of the quality search and the two saturated phases it lies between.
  bool FindQuality(Given given, double fixed, double y, Quantity quantity, BandRule band,
                   StateProperties& liquid, StateProperties& vapour, double& x) const;
  // What the wet (h,s) search concluded: a state, no wet state within the
  // acceptance of the inputs (so no slower search need look), or neither.
  enum class WetVerdict { Found, NoState, Undecided };
  WetVerdict FindWetHS(double h, double s, StateProperties& out) const;
  // SolveWetHS above 623.15 K: Newton on the temperature and both saturated
  // densities of region 3 at once. False when the state is not wet steam above
  // 623.15 K or the iteration does not converge; `reached` is then the
  // iteration's last temperature (0 when it never started).
  bool SolveWetHSRegion3(double h, double s, StateProperties& out, double& reached) const;
  // The field `quantity` of the wet state at T with the entropy or volume
  // `fixed` (what SolveTS or SolveTV gives); NaN when there is none.
  double WetField(double T, double fixed, Quantity fixedQuantity, Quantity quantity) const;
  // The quality search of slots 2 to 9 at a given pressure or temperature.
  bool SearchQuality(Given given, double fixed, double y, Quantity quantity, BandRule band,
                     StateProperties& out) const;
  // A property of SolveTX(T, x); NaN when that declines.
  double SaturatedField(double T, double x, Quantity quantity) const;
  // The saturation page's two-property pairs: a temperature search with the
  // entropy or volume held, finished by the slot of the other property.
  bool SolveAlongSaturation(double y, Quantity quantity, double fixed, Quantity fixedQuantity,
                            StateProperties& out) const;

  Region1Equation region1;
  Region2Equation region2;
  Region3Equation region3;
  SaturationEquation saturation;
  Region3BackwardEquation backward;
  double upperQuality = 100.0;
  double lowerQuality = 0.0;
};

}  // namespace vaporix
