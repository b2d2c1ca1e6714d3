#pragma once

// Unit factors shared by every front end: the Celsius offset and the English
// (US customary) factors, each in one place. The English factors are built
// from the exact international definitions of the pound, the foot, standard
// gravity, the IT British thermal unit and the degree Fahrenheit, so that
// every English value agrees with its SI value to the last digit shown, and
// an output factor is the reciprocal of the input factor of its quantity.

namespace vaporix::units {

// Kelvin at 0 degC (ITS-90 definition of the Celsius scale).
inline constexpr double kCelsiusOffset = 273.15;
// Rankine at 0 degF; degF = K * 1.8 - 459.67.
inline constexpr double kRankineOffset = 459.67;
inline constexpr double kRankinePerKelvin = 1.8;
// Megapascal per bar and bar per megapascal (1 bar = 0.1 MPa by definition);
// both kept so that each direction is one exact multiplication by a literal.
inline constexpr double kMegapascalPerBar = 0.1;
inline constexpr double kBarPerMegapascal = 10.0;

// The exact definitions (international yard and pound, 1959; IT Btu).
inline constexpr double kKilogramPerPound = 0.45359237;
inline constexpr double kMetrePerFoot = 0.3048;
inline constexpr double kMetrePerInch = 0.0254;
inline constexpr double kStandardGravity = 9.80665;  // m/s2, defines the pound-force
inline constexpr double kSecondsPerHour = 3600.0;
inline constexpr double kNewtonPerPoundForce = kKilogramPerPound * kStandardGravity;
// 1 psi = 1 lbf/in2 = 6894.757293168 Pa.
inline constexpr double kPascalPerPsi = kNewtonPerPoundForce / (kMetrePerInch * kMetrePerInch);
inline constexpr double kCubicMetrePerCubicFoot = kMetrePerFoot * kMetrePerFoot * kMetrePerFoot;
// 1 Btu(IT)/lb = 2.326 kJ/kg and 1 Btu(IT)/(lb degF) = 4.1868 kJ/(kg K), both exact.
inline constexpr double kKilojoulePerKilogramPerBtuPerPound = 2.326;
inline constexpr double kKilojoulePerKilogramKelvinPerBtuPerPoundRankine = 4.1868;
inline constexpr double kJoulePerBtu =
    kKilojoulePerKilogramPerBtuPerPound * 1000.0 * kKilogramPerPound;  // 1055.05585262 J

// English input factors: psi, degF, Btu/lb, Btu/(lb degF), ft3/lb to the
// engine's units (temperature: (degF + kRankineOffset) * kKelvinPerRankine).
inline constexpr double kPsiToMegapascal = kPascalPerPsi * 1e-6;
inline constexpr double kKelvinPerRankine = 1.0 / kRankinePerKelvin;
inline constexpr double kBtuPerPoundToKilojoulePerKilogram = kKilojoulePerKilogramPerBtuPerPound;
inline constexpr double kBtuPerPoundRankineToKilojoulePerKilogramKelvin =
    kKilojoulePerKilogramKelvinPerBtuPerPoundRankine;
inline constexpr double kCubicFootPerPoundToCubicMetrePerKilogram =
    kCubicMetrePerCubicFoot / kKilogramPerPound;

// English output factors of the state record (SI value times factor). Where
// a quantity is also an input, its factor is the reciprocal of the input one.
inline constexpr double kMegapascalToPsi = 1.0 / kPsiToMegapascal;
inline constexpr double kVolumeToEnglish = 1.0 / kCubicFootPerPoundToCubicMetrePerKilogram;
inline constexpr double kEnergyToEnglish = 1.0 / kBtuPerPoundToKilojoulePerKilogram;
inline constexpr double kEntropyToEnglish = 1.0 / kBtuPerPoundRankineToKilojoulePerKilogramKelvin;
// kg/m3 to lb/ft3: the inverse of a specific volume.
inline constexpr double kDensityToEnglish = kCubicFootPerPoundToCubicMetrePerKilogram;
inline constexpr double kSpeedToEnglish = 1.0 / kMetrePerFoot;                  // m/s to ft/s
inline constexpr double kExpansionToEnglish = kKelvinPerRankine;                // 1/K to 1/degF
inline constexpr double kCompressibilityToEnglish = kPsiToMegapascal;           // 1/MPa to 1/psi
inline constexpr double kDvdtToEnglish = kVolumeToEnglish * kKelvinPerRankine;  // m3/(kg K)
inline constexpr double kDvdpToEnglish = kVolumeToEnglish * kPsiToMegapascal;   // m3/(kg MPa)
inline constexpr double kDpdtToEnglish = kMegapascalToPsi * kKelvinPerRankine;  // MPa/K
inline constexpr double kDpdvToEnglish = kMegapascalToPsi * kDensityToEnglish;  // MPa kg/m3
inline constexpr double kIsothermalThrottlingToEnglish =
    kEnergyToEnglish * kPsiToMegapascal;  // kJ/(kg MPa)
inline constexpr double kJouleThomsonToEnglish = kRankinePerKelvin * kPsiToMegapascal;  // K/MPa

// English output factors of the transport record.
// uPa s = 1e-6 kg/(m s) to lb/(ft h).
inline constexpr double kViscosityToEnglish =
    1e-6 * kSecondsPerHour * kMetrePerFoot / kKilogramPerPound;
// mm2/s to ft2/h.
inline constexpr double kDiffusivityToEnglish =
    1e-6 * kSecondsPerHour / (kMetrePerFoot * kMetrePerFoot);
// W/(m K) to Btu/(h ft degF).
inline constexpr double kConductivityToEnglish =
    kSecondsPerHour * kMetrePerFoot * kKelvinPerRankine / kJoulePerBtu;
// mN/m to lbf/ft.
inline constexpr double kSurfaceTensionToEnglish = 1e-3 * kMetrePerFoot / kNewtonPerPoundForce;

}  // namespace vaporix::units
