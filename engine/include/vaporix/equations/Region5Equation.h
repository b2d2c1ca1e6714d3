#pragma once

#include "vaporix/StateProperties.h"

namespace vaporix {

// IF97 region 5 (high-temperature steam, 1073.15 K to 2273.15 K), the 1997
// form of its Gibbs free energy (ideal-gas part plus five residual terms).
// Stateless; no backward equations.
class Region5Equation {
 public:
  virtual ~Region5Equation() = default;

  // Fills every field but x; a zero or negative p or a zero T fails because
  // a property comes out infinite or NaN.
  bool Evaluate(double p, double T, StateProperties& out) const;

  double EnthalpyPT(double* cp, double p, double T) const;
  double EntropyPT(double* cpOverT, double p, double T) const;
  double InternalEnergyPT(double* dudT, double p, double T) const;
  double DensityPT(double* dvdTTimes1000, double p, double T) const;
  double EnthalpyTP(double* dhdp, double T, double p) const;
  double EntropyTP(double* dsdp, double T, double p) const;
  double InternalEnergyTP(double* dudp, double T, double p) const;
  double DensityTP(double* dvdpTimes1000, double T, double p) const;
};

}  // namespace vaporix
