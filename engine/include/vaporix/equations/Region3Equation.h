#pragma once

#include "vaporix/StateProperties.h"

namespace vaporix {

// IF97 region 3 (near-critical): the Helmholtz equation f(rho,T), and start
// volumes for its density iterations from the IAPWS region-3 backward
// equations v(p,T) with their 26 subregions. Stateless.
class Region3Equation {
 public:
  virtual ~Region3Equation() = default;

  // Fills every field but x from density and temperature; false, before
  // anything is written, for a density that is not positive and finite or a
  // temperature that is negative or not finite; false at a zero denominator or
  // a property that comes out infinite or NaN (T = 0 included).
  bool Evaluate(double rho, double T, StateProperties& out) const;

  // p, h, s, u at (rho, T) with their partial derivatives in rho (at constant
  // T) and in T (at constant rho): one Helmholtz evaluation for a Newton step
  // in (rho, T).
  struct Partials {
    double p, pRho, pT;
    double h, hRho, hT;
    double s, sRho, sT;
    double u, uRho, uT;
  };
  // False for a density or temperature that is not positive and finite.
  bool PartialsAt(double rho, double T, Partials& out) const;

  // p(T, rho) in MPa; kNotAvailable when T or rho is not positive and finite.
  double Pressure(double T, double rho) const;
  // p(rho, T); writes (dp/dT)_rho.
  double PressureSlope(double* dpdT, double rho, double T) const;
  double EnthalpyTRho(double* dhdrho, double T, double rho) const;        // writes (dh/drho)_T
  double EntropyTRho(double* dsdrho, double T, double rho) const;         // writes (ds/drho)_T
  double InternalEnergyTRho(double* dudrho, double T, double rho) const;  // writes (du/drho)_T

  // The straight line through the critical point with the slope of the
  // saturation curve there, continuing it above the critical temperature.
  double CriticalLinePressure(double T) const;

  // Start volume (m3/kg) of a region-3 density iteration at (p, T): the
  // backward equation v(p,T) of the subregion that holds the point. Its
  // validity range is ps(623.15 K) < p <= 100 MPa, 623.15 K <= T <= T_B23(p).
  // Outside it the selection extends outward (lowest band below ps(623.15 K),
  // top band above 100 MPa, the band's first or last subregion below 623.15 K
  // or above T_B23(p)), and the equation is evaluated at the point itself up to
  // 5 K / 0.5 MPa beyond the range, further out at the nearest point on that
  // margin: finite, of the selected phase, and a kelvin outside the range
  // still within about 0.1 %. kNotAvailable for a non-positive or non-finite
  // p or T.
  double StartVolume(double p, double T) const;
  // The subregion letter 'a' ... 'z' that StartVolume uses at (p, T); '\0'
  // for a non-positive or non-finite p or T.
  char StartVolumeSubregion(double p, double T) const;
  // The backward equation v(p,T) of one subregion, evaluated at (p, T) without
  // any selection or range check (kNotAvailable for an unknown letter or a
  // result that is not finite).
  double SubregionVolume(char subregion, double p, double T) const;
};

}  // namespace vaporix
