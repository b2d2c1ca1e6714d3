#pragma once

#include "vaporix/StateProperties.h"

namespace vaporix {

// IF97 region 1 (compressed liquid): the basic equation g(p,T) and the backward
// equations T(p,h), T(p,s), p(h,s). Stateless and reentrant.
// Units: p MPa, T K, h and u kJ/kg, s kJ/(kg K), density kg/m3, v m3/kg.
// The single-property operations write their slope through the first argument.
class Region1Equation {
 public:
  virtual ~Region1Equation() = default;

  // Fills every field but x; false at p = 0, T = 0, NaN inputs, a zero
  // denominator or a property that comes out infinite or NaN.
  bool Evaluate(double p, double T, StateProperties& out) const;

  double EnthalpyPT(double* cp, double p, double T) const;            // writes cp
  double EntropyPT(double* cpOverT, double p, double T) const;        // writes cp/T
  double InternalEnergyPT(double* dudT, double p, double T) const;    // writes (du/dT)_p
  double DensityPT(double* dvdTTimes1000, double p, double T) const;  // writes 1000 (dv/dT)_p
  double EnthalpyTP(double* dhdp, double T, double p) const;          // writes (dh/dp)_T
  double EntropyTP(double* dsdp, double T, double p) const;           // writes (ds/dp)_T
  double InternalEnergyTP(double* dudp, double T, double p) const;    // writes (du/dp)_T
  double DensityTP(double* dvdpTimes1000, double T, double p) const;  // writes 1000 (dv/dp)_T

  // v for 273.15 <= T <= 623.15 and 0 <= p <= 100, else kNotAvailable.
  double VolumeInRange(double p, double T) const;

  // Backward equations; no range checks (start values only).
  double TemperaturePH(double p, double h) const;
  double TemperaturePS(double p, double s) const;
  double PressureHS(double h, double s) const;
};

}  // namespace vaporix
