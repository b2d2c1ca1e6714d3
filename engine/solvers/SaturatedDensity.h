#pragma once

#include "vaporix/equations/Region3Equation.h"
#include "vaporix/equations/SaturationEquation.h"

namespace vaporix::detail {

// Saturated densities on the IF97 region-3 equation: the roots of P(T, rho) = p
// on the liquid side (above the critical density) and on the vapour side
// (below it), refined from an auxiliary start density by Newton's method to
// the rounding of the equation. Below the critical temperature the isotherm of
// the equation has a loop between the two phases; where Newton would enter it
// (next to the critical point) the refinement brackets its root between a
// probe just beyond the root and a probe on its own side of the loop, both
// with their real residuals, and iterates to `tolerance` in pressure.
//
// Returns 0 for a zero start density and the critical density 322 at the
// critical pressure. When no bracket or no root is found the liquid answer is
// 322 and the vapour answer 0 (which a following Evaluate rejects).
// Start densities for the refinement at T. Within a few kelvin of the
// critical point the auxiliary equations (IAPWS 1992 form) lie 0.2-2 % from
// the region-3 equation's saturated densities, whose loop closes like a
// square root of the distance to the critical temperature; there the starts
// come from a series in sqrt(1 - T/Tc) fitted to those densities (within
// 3e-4), which saves two to three steps per phase. Elsewhere, and for T
// above the critical temperature (NaN), the auxiliary equations.
double SaturatedLiquidStart(const SaturationEquation& saturation, double T);
double SaturatedVapourStart(const SaturationEquation& saturation, double T);

double RefineSaturatedLiquidDensity(const Region3Equation& region3, double p, double T,
                                    double rhoStart, double tolerance);
double RefineSaturatedVapourDensity(const Region3Equation& region3, double p, double T,
                                    double rhoStart, double tolerance);

}  // namespace vaporix::detail
