#pragma once

namespace vaporix {

// IAPWS industrial equations for viscosity, thermal conductivity and surface
// tension of ordinary water, and the quantities derived from them. Every
// operation answers kNotAvailable (-1) outside its range. Stateless.
class TransportEquation {
 public:
  virtual ~TransportEquation() = default;

  double Viscosity(double p, double T, double v) const;                 // uPa s
  double ThermalConductivity(double p, double T, double v) const;       // W/(m K)
  double SurfaceTension(double T) const;                                // mN/m
  double ThermalDiffusivity(double lambda, double cp, double v) const;  // 1e-6 m2/s
  double KinematicViscosity(double mu, double v) const;                 // 1e-6 m2/s
  double PrandtlNumber(double mu, double cp, double lambda) const;
};

}  // namespace vaporix
