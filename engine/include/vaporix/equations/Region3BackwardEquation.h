#pragma once

namespace vaporix {

// The IAPWS supplementary backward and boundary equations around region 3:
// T(p,h), v(p,h), T(p,s), v(p,s) of subregions 3a and 3b with their split
// h3ab(p) and s_c, the saturation pressures p3sat(h) and p3sat(s), p(h,s) of
// 3a and 3b, the boundary lines h'1(s), h'3a(s), h''2ab(s), h''2c3b(s),
// hB13(s), TB23(h,s), and Tsat(h,s) of wet steam. They agree with the basic
// equations to a few millikelvin; the engine uses them only to start and to
// route iterations on the basic equations, never as answers.
// Units: MPa, K, kJ/kg, kJ/(kg K), m3/kg.
class Region3BackwardEquation {
 public:
  // Entropy of the critical point, the split of 3a and 3b for (p,s) and (h,s).
  static constexpr double kCriticalEntropy = 4.41202148223476;

  double H3ab(double p) const;
  // Subregion 3a (h <= h3ab(p)) or 3b, chosen inside.
  double TemperaturePH(double p, double h) const;
  double VolumePH(double p, double h) const;
  // Subregion 3a (s <= s_c) or 3b, chosen inside.
  double TemperaturePS(double p, double s) const;
  double VolumePS(double p, double s) const;
  double PressureHS(double h, double s) const;
  // Saturation pressure of region 3 from h or s, between ps(623.15 K) and the
  // critical point.
  double SaturationPressureH(double h) const;
  double SaturationPressureS(double s) const;

  // Boundary lines in the (h,s) plane.
  double SaturatedLiquidEnthalpy1(double s) const;     // h'1(s), s'(273.15 K) to s'(623.15 K)
  double SaturatedLiquidEnthalpy3a(double s) const;    // h'3a(s), s'(623.15 K) to s_c
  double SaturatedVapourEnthalpy2ab(double s) const;   // h''2ab(s), 5.85 to s''(273.15 K)
  double SaturatedVapourEnthalpy2c3b(double s) const;  // h''2c3b(s), s_c to 5.85
  double B13Enthalpy(double s) const;                  // hB13(s)
  double B23Temperature(double h, double s) const;     // TB23(h,s)
  // Saturation temperature of wet steam, for s >= s''(623.15 K) only.
  double SaturationTemperatureHS(double h, double s) const;

  // Each equation by its table name ("region3a_T_ph", "boundary_h1_s", ...),
  // without the subregion rule: for checks against the published values.
  // NaN for an unknown name.
  double ByName(const char* name, double first, double second) const;
};

}  // namespace vaporix
