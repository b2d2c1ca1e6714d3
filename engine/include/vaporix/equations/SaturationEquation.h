#pragma once

namespace vaporix {

// The one-dimensional equations of IF97: the saturation line of region 4,
// auxiliary saturated densities (start values only) and the B23 boundary
// between regions 2 and 3. Each answers kNotAvailable (-1) outside its range.
// Stateless.
class SaturationEquation {
 public:
  virtual ~SaturationEquation() = default;

  double SaturationPressure(double T) const;      // MPa, 273.15 <= T <= 647.096
  double SaturationTemperature(double p) const;   // K, 0.000611213 <= p <= 22.064
  double SaturatedLiquidDensity(double T) const;  // kg/m3, no range check
  double SaturatedVapourDensity(double T) const;  // kg/m3, no range check
  double B23Pressure(double T) const;             // MPa, 623.15 <= T <= 863.15
  double B23Temperature(double p) const;          // K, 16.5292 <= p <= 100
};

}  // namespace vaporix
