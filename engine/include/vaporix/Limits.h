#pragma once

// The boundaries of the IAPWS-IF97 formulation that the code uses, each named
// after what it is. Pressures in MPa, temperatures in K, volumes in m3/kg.

namespace vaporix::limits {

// Range of validity: 273.15 K <= T <= 1073.15 K for p <= 100 MPa, and
// 1073.15 K < T <= 2273.15 K (region 5) for p <= 50 MPa.
inline constexpr double kMinimumTemperature = 273.15;
inline constexpr double kMaximumPressure = 100.0;
inline constexpr double kRegion2MaximumTemperature = 1073.15;
inline constexpr double kMaximumTemperature = 2273.15;
// Region 5 reaches 50 MPa since the 2007 revision; the engine keeps the
// 1997 release's 10 MPa, to which the region-5 equation was fitted.
inline constexpr double kRegion5MaximumPressure = 10.0;
inline constexpr double kRegion5RevisedMaximumPressure = 50.0;

// Region 1 / region 3 isotherm and the saturation pressure on it (IF97
// saturation equation at 623.15 K, 16.529164253 MPa, as the code rounds it).
inline constexpr double kRegion13Temperature = 623.15;
inline constexpr double kSaturationPressureAt623 = 16.5292;
// The saturated liquid and vapour at 623.15 K (regions 1 and 2 at
// ps(623.15 K)), where region 3 meets the saturation line: kJ/kg, kJ/(kg K).
inline constexpr double kSaturatedLiquidEnthalpy623 = 1670.8582182746;
inline constexpr double kSaturatedVapourEnthalpy623 = 2563.5920038889;
inline constexpr double kSaturatedLiquidEntropy623 = 3.7782813395;
inline constexpr double kSaturatedVapourEntropy623 = 5.2108878249;
// Highest temperature of the B23 line (at 100 MPa); above it region 2
// reaches the top pressure.
inline constexpr double kB23MaximumTemperature = 863.15;

// Triple point (IAPWS) and critical point (IF97 values).
inline constexpr double kTriplePointTemperature = 273.16;
inline constexpr double kTriplePointPressure = 0.000611657;
inline constexpr double kCriticalTemperature = 647.096;
inline constexpr double kCriticalPressure = 22.064;
inline constexpr double kCriticalDensity = 322.0;  // kg/m3

// Minimum pressures, each with the reason it exists.
// Regions 1 and 2 answer down to a little below ps(273.15 K), so that the
// saturated states at 273.15 K stay computable after rounding.
inline constexpr double kSinglePhaseMinimumPressure = 0.000611153;
// Saturation pressure at 273.15 K, 611.213 Pa: the lowest two-phase state.
inline constexpr double kSaturationMinimumPressure = 0.000611213;
// The lowest pressure the program's input pages accept (ps(273.15 K)
// rounded down, so that the lowest saturated state can be typed).
inline constexpr double kInputMinimumPressure = 0.000611157;
// The pressure search of the (h,s)-type pairs runs first from this pressure
// up (its Ridders iteration is linear in p, and 1 kPa keeps the usual states'
// answers as they always were); targets beyond its value here are searched
// below it, down to the line's lowest state.
inline constexpr double kPressureSearchMinimumPressure = 0.001;
// Region 2 answers down to 1 Pa: dilute steam there is still an ideal gas the
// region-2 equation describes; below it no engineering state is asked for.
inline constexpr double kRegion2MinimumPressure = 1e-6;

// Smallest specific volume the input pages accept (liquid at 100 MPa is
// about 0.00100021 m3/kg near 273 K).
inline constexpr double kInputMinimumVolume = 0.00100021;

// An answer is a state only when the state reproduces both of its inputs to
// this tolerance, relative to the input (the engine tolerance).
inline constexpr double kInputReproduction = 1e-6;
// A saturation input beyond the saturated liquid's or vapour's value by at
// most this much, relative, is that end point (the rounding of the end state's
// own evaluation); anything further beyond lies outside the two-phase region.
inline constexpr double kSaturatedEndBand = 1e-9;

}  // namespace vaporix::limits
