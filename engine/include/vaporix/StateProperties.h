#pragma once

#include <cstdint>

#include "vaporix/Limits.h"

namespace vaporix {

// The thermodynamic state of one point of water or steam. The field order is
// also the order of the ".stb" document file: keep it.
struct StateProperties {
  double p = 0.0;           // pressure, MPa
  double t = 0.0;           // temperature, K
  double v = 0.0;           // specific volume, m3/kg
  double d = 0.0;           // density, kg/m3
  double h = 0.0;           // specific enthalpy, kJ/kg
  double s = 0.0;           // specific entropy, kJ/(kg K)
  double u = 0.0;           // specific internal energy, kJ/kg
  double cp = 0.0;          // specific isobaric heat capacity, kJ/(kg K)
  double cv = 0.0;          // specific isochoric heat capacity, kJ/(kg K)
  double w = 0.0;           // speed of sound, m/s
  double kapa = 0.0;        // isentropic exponent
  double H = 0.0;           // specific Helmholtz free energy, kJ/kg
  double G = 0.0;           // specific Gibbs free energy, kJ/kg
  double Z = 0.0;           // compressibility factor
  double alpha = 0.0;       // isobaric volume expansion coefficient, 1/K
  double Kt = 0.0;          // isothermal compressibility, 1/MPa
  double dvdt = 0.0;        // (dv/dT)_p, m3/(kg K)
  double dvdp = 0.0;        // (dv/dp)_T, m3/(kg MPa)
  double dpdt = 0.0;        // (dp/dT)_v, MPa/K
  double dpdv = 0.0;        // (dp/dv)_T, MPa kg/m3
  double iJTC = 0.0;        // isothermal Joule-Thomson coefficient, kJ/(kg MPa)
  double JTC = 0.0;         // Joule-Thomson coefficient, K/MPa
  double x = 0.0;           // steam quality, % (0 saturated liquid, 100 saturated vapour)
  std::int32_t region = 0;  // IF97 region 1, 2, 3 or 5; 4 for a two-phase mixture
};

// Transport properties and surface tension of the same state. The value
// kNotAvailable marks a value whose correlation does not hold at the state.
struct TransportProperties {
  double dv = 0.0;     // dynamic viscosity, uPa s
  double kv = 0.0;     // kinematic viscosity, 1e-6 m2/s
  double tc = 0.0;     // thermal conductivity, W/(m K)
  double td = 0.0;     // thermal diffusivity, 1e-6 m2/s
  double Pr = 0.0;     // Prandtl number
  double Sigma = 0.0;  // surface tension, mN/m
};

// The formulation's "not available" marker, returned by range-limited
// equations and stored in TransportProperties.
inline constexpr double kNotAvailable = -1.0;

// Constants of the formulation used everywhere; the critical point is
// defined once, with the other limits.
inline constexpr double kGasConstant = 0.461526;  // R, kJ/(kg K)
using limits::kCriticalDensity;
using limits::kCriticalPressure;
using limits::kCriticalTemperature;

}  // namespace vaporix
