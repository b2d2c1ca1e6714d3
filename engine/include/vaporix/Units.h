#pragma once

// Unit factors shared by every front end: the Celsius offset and the English
// (US customary) factors, each in one place.

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

// English input factors: psi, degF, Btu/lb, Btu/(lb degF), ft3/lb to the
// engine's units (temperature: (degF + kRankineOffset) * kKelvinPerRankine).
inline constexpr double kPsiToMegapascal = 0.0068948;
inline constexpr double kKelvinPerRankine = 0.5555555555555556;
inline constexpr double kBtuPerPoundToKilojoulePerKilogram = 2.326;
inline constexpr double kBtuPerPoundRankineToKilojoulePerKilogramKelvin = 4.1868;
inline constexpr double kCubicFootPerPoundToCubicMetrePerKilogram = 0.062428;

// English output factors of the state record (SI value times factor).
inline constexpr double kMegapascalToPsi = 145.03683935719673;
inline constexpr double kVolumeToEnglish = 16.018453258153393;     // m3/kg to ft3/lb
inline constexpr double kDensityToEnglish = 0.06242976651267324;   // kg/m3 to lb/ft3
inline constexpr double kEnergyToEnglish = 0.42992261392949266;    // kJ/kg to Btu/lb
inline constexpr double kEntropyToEnglish = 0.23884589662749595;   // kJ/(kg K) to Btu/(lb degF)
inline constexpr double kSpeedToEnglish = 3.280839895013123;       // m/s to ft/s
inline constexpr double kExpansionToEnglish = 0.5555555555555556;  // 1/K to 1/degF
inline constexpr double kCompressibilityToEnglish = 0.006894757185267779;       // 1/MPa to 1/psi
inline constexpr double kDvdtToEnglish = 8.899295244331;                        // m3/(kg K)
inline constexpr double kDvdpToEnglish = 0.1104452636934;                       // m3/(kg MPa)
inline constexpr double kDpdtToEnglish = 80.5760218651093;                      // MPa/K
inline constexpr double kDpdvToEnglish = 9.05425879353265;                      // MPa kg/m3
inline constexpr double kIsothermalThrottlingToEnglish = 0.002964437232227488;  // kJ/(kg MPa)
inline constexpr double kJouleThomsonToEnglish = 0.01241064;                    // K/MPa

// English output factors of the transport record.
inline constexpr double kViscosityToEnglish = 0.002419088153749502;        // uPa s to lb/(ft h)
inline constexpr double kDiffusivityToEnglish = 0.038750077500155;         // mm2/s to ft2/h
inline constexpr double kConductivityToEnglish = 0.5777892051642799;       // W/(m K)
inline constexpr double kSurfaceTensionToEnglish = 6.852177964766101e-05;  // mN/m to lbf/ft

}  // namespace vaporix::units
