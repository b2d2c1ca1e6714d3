#include "vaporix/IF97Calculator.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "vaporix/PropertyKeys.h"
#include "vaporix/solvers/RootFinders.h"

namespace vaporix {
namespace {

// The kind of an input value, which fixes its English input conversion.
enum class Quantity : std::uint8_t { Pressure, Temperature, Energy, Entropy, Volume, Quality };

struct PairInputs {
  Quantity first;
  Quantity second;
};

// Input kinds of the entry points, in the order of IF97Calculator::InputPair.
constexpr std::array<PairInputs, 29> kPairInputs{{
    {Quantity::Pressure, Quantity::Temperature},  // PT
    {Quantity::Pressure, Quantity::Energy},       // PH
    {Quantity::Pressure, Quantity::Entropy},      // PS
    {Quantity::Pressure, Quantity::Energy},       // PU
    {Quantity::Pressure, Quantity::Volume},       // PV
    {Quantity::Temperature, Quantity::Energy},    // TH
    {Quantity::Temperature, Quantity::Entropy},   // TS
    {Quantity::Temperature, Quantity::Energy},    // TU
    {Quantity::Temperature, Quantity::Volume},    // TV
    {Quantity::Energy, Quantity::Entropy},        // HS
    {Quantity::Energy, Quantity::Entropy},        // US
    {Quantity::Volume, Quantity::Entropy},        // VS
    {Quantity::Energy, Quantity::Volume},         // HV
    {Quantity::Energy, Quantity::Volume},         // UV
    {Quantity::Pressure, Quantity::Quality},      // SatPX
    {Quantity::Temperature, Quantity::Quality},   // SatTX
    {Quantity::Pressure, Quantity::Energy},       // SatPH
    {Quantity::Pressure, Quantity::Entropy},      // SatPS
    {Quantity::Pressure, Quantity::Energy},       // SatPU
    {Quantity::Pressure, Quantity::Volume},       // SatPV
    {Quantity::Temperature, Quantity::Energy},    // SatTH
    {Quantity::Temperature, Quantity::Entropy},   // SatTS
    {Quantity::Temperature, Quantity::Energy},    // SatTU
    {Quantity::Temperature, Quantity::Volume},    // SatTV
    {Quantity::Energy, Quantity::Entropy},        // SatHS
    {Quantity::Energy, Quantity::Entropy},        // SatUS
    {Quantity::Volume, Quantity::Entropy},        // SatVS
    {Quantity::Energy, Quantity::Volume},         // SatHV
    {Quantity::Energy, Quantity::Volume},         // SatUV
}};

// English input factors: psi, degF, Btu/lb, Btu/(lb degF), ft3/lb to the
// engine's units. They are not the reciprocals of the output factors.
constexpr double kPsiToMegapascal = 0.0068948;
constexpr double kRankineToKelvin = 0.5555555555555556;
constexpr double kRankineOffset = 459.67;
constexpr double kBtuPerPoundToKilojoulePerKilogram = 2.326;
constexpr double kBtuPerPoundRankineToKilojoulePerKilogramKelvin = 4.1868;
constexpr double kCubicFootPerPoundToCubicMetrePerKilogram = 0.062428;

double ToInternalUnits(Quantity quantity, double value) {
  switch (quantity) {
    case Quantity::Pressure:
      return value * kPsiToMegapascal;
    case Quantity::Temperature:
      return (value + kRankineOffset) * kRankineToKelvin;
    case Quantity::Energy:
      return value * kBtuPerPoundToKilojoulePerKilogram;
    case Quantity::Entropy:
      return value * kBtuPerPoundRankineToKilojoulePerKilogramKelvin;
    case Quantity::Volume:
      return value * kCubicFootPerPoundToCubicMetrePerKilogram;
    case Quantity::Quality:
      return value;
  }
  return value;
}

// English output factors of the state record.
constexpr double kMegapascalToPsi = 145.03683935719673;
constexpr double kKelvinToRankine = 1.8;
constexpr double kVolumeToEnglish = 16.018453258153393;
constexpr double kDensityToEnglish = 0.06242976651267324;
constexpr double kEnergyToEnglish = 0.42992261392949266;
constexpr double kEntropyToEnglish = 0.23884589662749595;
constexpr double kSpeedToEnglish = 3.280839895013123;
constexpr double kExpansionToEnglish = 0.5555555555555556;
constexpr double kCompressibilityToEnglish = 0.006894757185267779;
constexpr double kDvdtToEnglish = 8.899295244331;
constexpr double kDvdpToEnglish = 0.1104452636934;
constexpr double kDpdtToEnglish = 80.5760218651093;
constexpr double kDpdvToEnglish = 9.05425879353265;
constexpr double kIsothermalThrottlingToEnglish = 0.002964437232227488;
constexpr double kJouleThomsonToEnglish = 0.01241064;

// English output factors of the transport record.
constexpr double kViscosityToEnglish = 0.002419088153749502;
constexpr double kDiffusivityToEnglish = 0.038750077500155;
constexpr double kConductivityToEnglish = 0.5777892051642799;
constexpr double kSurfaceTensionToEnglish = 6.852177964766101e-05;

// The pressure search: its low end, and the edges of the range of the
// formulation walked by the upper-boundary routine.
constexpr double kSearchLowPressure = 0.001;
constexpr double kTopPressure = 100.0;
constexpr double kRegion5TopPressure = 10.0;
constexpr double kLowestTemperature = 273.15;
constexpr double kRegion2TopTemperature = 1073.15;
constexpr double kHighestTemperature = 2273.15;

struct Corner {
  double p;
  double T;
};
// Corners A to F of the upper-boundary routine; D lies just inside region 2.
constexpr std::array<Corner, 6> kCorners{{
    {kSearchLowPressure, kLowestTemperature},       // A
    {kSearchLowPressure, kHighestTemperature},      // B
    {kTopPressure, kLowestTemperature},             // C
    {kTopPressure, 1073.14},                        // D
    {kRegion5TopPressure, kRegion2TopTemperature},  // E
    {kRegion5TopPressure, kHighestTemperature},     // F
}};
enum CornerIndex { kA, kB, kC, kD, kE, kF };

// Acceptance of the pressure search: h and u from (h,s) and (u,s) within
// 1 kJ/kg, v from (v,s) within 0.001 m3/kg, h and u from (h,v) and (u,v)
// within 0.1 %.
constexpr double kSearchEnergyAcceptance = 1.0;
constexpr double kSearchVolumeAcceptance = 0.001;
constexpr double kSearchRelativeAcceptance = 0.001;
// The pressure search converges to the engine tolerance times this, relative
// to the target value.
constexpr double kSearchToleranceScale = 1e-6;
// A target this close to an end value (relative, times the tolerance) is that end.
constexpr double kEndToleranceScale = 1e-3;

bool Between(double low, double value, double high) {
  return low <= value && value <= high;
}

}  // namespace

IF97Calculator::IF97Calculator()
    : solvers{&region1Solver, &region2Solver, &region3Solver, &twoPhaseSolver, &region5Solver} {}

IF97Calculator::~IF97Calculator() = default;

void IF97Calculator::Initialize() {
  std::lock_guard guard(lock);
  region1Solver.Initialize(this);
  region2Solver.Initialize(this);
  region3Solver.Initialize(this);
  twoPhaseSolver.Initialize(this);
  region5Solver.Initialize(this);
  propertyKeys.clear();
  supplementaryKeys.clear();
  for (const PropertyKey& key : kPropertyKeys) {
    propertyKeys[std::string(key.key)] = key.number;
    if (key.supplementaryNumber != 0) {
      supplementaryKeys[std::string(key.key)] = key.supplementaryNumber;
    }
  }
  for (std::size_t i = 0; i < kCorners.size(); ++i) {
    StateProperties corner;
    const bool found = Find(InputPair::PT, kCorners[i].p, kCorners[i].T, corner);
    cornerEntropy[i] = found ? corner.s : std::numeric_limits<double>::quiet_NaN();
    cornerVolume[i] = found ? corner.v : std::numeric_limits<double>::quiet_NaN();
  }
}

int IF97Calculator::PropertyNumber(const std::string& key) const {
  const auto found = propertyKeys.find(key);
  return found == propertyKeys.end() ? 0 : found->second;
}

int IF97Calculator::SupplementaryNumber(const std::string& key) const {
  const auto found = supplementaryKeys.find(key);
  return found == supplementaryKeys.end() ? 0 : found->second;
}

bool IF97Calculator::Calculate(InputPair pair, double a, double b, StateProperties& out,
                               TransportProperties& transport, bool withTransport, bool english) {
  try {
    std::unique_lock guard(lock);
    if (english) {
      const PairInputs& inputs = kPairInputs[static_cast<std::size_t>(pair)];
      a = ToInternalUnits(inputs.first, a);
      b = ToInternalUnits(inputs.second, b);
    }
    // Not-a-number and infinite inputs never yield a state (checked after the
    // conversion, which can overflow a huge value).
    if (!std::isfinite(a) || !std::isfinite(b)) {
      return false;
    }
    if (!Find(pair, a, b, out)) {
      return false;
    }
    if (withTransport) {
      ComputeTransport(out, transport);
    }
    if (english) {
      ToEnglish(out);
      if (withTransport) {
        ToEnglish(transport);
      }
    }
    return true;
  } catch (...) {
    // Includes a lock that cannot be acquired.
    return false;
  }
}

bool IF97Calculator::AskSolvers(bool (RegionSolver::*operation)(double, double, StateProperties&)
                                    const,
                                double a, double b, StateProperties& out) const {
  for (const RegionSolver* solver : solvers) {
    if ((solver->*operation)(a, b, out)) {
      return true;
    }
  }
  return false;
}

bool IF97Calculator::Find(InputPair pair, double a, double b, StateProperties& out) const {
  switch (pair) {
    case InputPair::PT:
      return AskSolvers(&RegionSolver::SolvePT, a, b, out);
    case InputPair::PH:
      return AskSolvers(&RegionSolver::SolvePH, a, b, out);
    case InputPair::PS:
      return AskSolvers(&RegionSolver::SolvePS, a, b, out);
    case InputPair::PU:
      return AskSolvers(&RegionSolver::SolvePU, a, b, out);
    case InputPair::PV:
      return b > 0.0 && AskSolvers(&RegionSolver::SolvePV, a, b, out);
    case InputPair::TH:
      return AskSolvers(&RegionSolver::SolveTH, a, b, out);
    case InputPair::TS:
      return AskSolvers(&RegionSolver::SolveTS, a, b, out);
    case InputPair::TU:
      return AskSolvers(&RegionSolver::SolveTU, a, b, out);
    case InputPair::TV:
      return b > 0.0 && AskSolvers(&RegionSolver::SolveTV, a, b, out);
    case InputPair::HS:
      return PressureSearch(FixedProperty::Entropy, b, TargetProperty::Enthalpy, a, out);
    case InputPair::US:
      return PressureSearch(FixedProperty::Entropy, b, TargetProperty::InternalEnergy, a, out);
    case InputPair::VS:
      return PressureSearch(FixedProperty::Entropy, b, TargetProperty::Volume, a, out);
    case InputPair::HV:
      return PressureSearch(FixedProperty::Volume, b, TargetProperty::Enthalpy, a, out);
    case InputPair::UV:
      return PressureSearch(FixedProperty::Volume, b, TargetProperty::InternalEnergy, a, out);
    case InputPair::SatPX:
      return twoPhaseSolver.SolvePX(a, b, out);
    case InputPair::SatTX:
      return twoPhaseSolver.SolveTX(a, b, out);
    case InputPair::SatPH:
      return twoPhaseSolver.SolvePH(a, b, out);
    case InputPair::SatPS:
      return twoPhaseSolver.SolvePS(a, b, out);
    case InputPair::SatPU:
      return twoPhaseSolver.SolvePU(a, b, out);
    case InputPair::SatPV:
      return twoPhaseSolver.SolvePV(a, b, out);
    case InputPair::SatTH:
      return twoPhaseSolver.SolveTH(a, b, out);
    case InputPair::SatTS:
      return twoPhaseSolver.SolveTS(a, b, out);
    case InputPair::SatTU:
      return twoPhaseSolver.SolveTU(a, b, out);
    case InputPair::SatTV:
      return twoPhaseSolver.SolveTV(a, b, out);
    case InputPair::SatHS:
      return twoPhaseSolver.SolveHS(a, b, out);
    case InputPair::SatUS:
      return twoPhaseSolver.SolveUS(a, b, out);
    case InputPair::SatVS:
      return twoPhaseSolver.SolveVS(a, b, out);
    case InputPair::SatHV:
      return twoPhaseSolver.SolveHV(a, b, out);
    case InputPair::SatUV:
      return twoPhaseSolver.SolveUV(a, b, out);
  }
  return false;
}

bool IF97Calculator::FindAtPressure(FixedProperty fixed, double p, double value,
                                    StateProperties& out) const {
  return Find(fixed == FixedProperty::Entropy ? InputPair::PS : InputPair::PV, p, value, out);
}

bool IF97Calculator::FindAtTemperature(FixedProperty fixed, double T, double value,
                                       StateProperties& out) const {
  return Find(fixed == FixedProperty::Entropy ? InputPair::TS : InputPair::TV, T, value, out);
}

bool IF97Calculator::UpperBoundaryState(FixedProperty fixed, double q,
                                        StateProperties& boundary) const {
  const std::array<double, 6>& c = fixed == FixedProperty::Entropy ? cornerEntropy : cornerVolume;
  if (Between(c[kC], q, c[kD])) {  // the 100 MPa isobar
    return FindAtPressure(fixed, kTopPressure, q, boundary);
  }
  if (Between(c[kD], q, c[kE])) {  // the 1073.15 K isotherm
    return FindAtTemperature(fixed, kRegion2TopTemperature, q, boundary);
  }
  if (Between(c[kE], q, c[kF])) {  // the 10 MPa isobar
    return FindAtPressure(fixed, kRegion5TopPressure, q, boundary);
  }
  const bool onLowestIsotherm =
      fixed == FixedProperty::Entropy ? Between(c[kA], q, c[kC]) : Between(c[kC], q, c[kA]);
  if (onLowestIsotherm) {  // the 273.15 K isotherm
    return FindAtTemperature(fixed, kLowestTemperature, q, boundary);
  }
  if (Between(c[kF], q, c[kB])) {  // the 2273.15 K isotherm
    return FindAtTemperature(fixed, kHighestTemperature, q, boundary);
  }
  // No edge of the range carries this value: there is no upper end to search to.
  return false;
}

bool IF97Calculator::PressureSearch(FixedProperty fixed, double fixedValue, TargetProperty target,
                                    double targetValue, StateProperties& out) const {
  const auto field = [target](const StateProperties& state) {
    switch (target) {
      case TargetProperty::Enthalpy:
        return state.h;
      case TargetProperty::InternalEnergy:
        return state.u;
      case TargetProperty::Volume:
        return state.v;
    }
    return state.h;
  };

  // Without a computable state at either end the search has nothing to bracket.
  StateProperties low;
  if (!FindAtPressure(fixed, kSearchLowPressure, fixedValue, low)) {
    return false;
  }
  StateProperties top;
  if (!UpperBoundaryState(fixed, fixedValue, top)) {
    return false;
  }
  const double topPressure = top.p;
  const double yLow = field(low);
  const double yTop = field(top);
  const double smaller = std::min(yLow, yTop);
  const double larger = std::max(yLow, yTop);
  // The engine tolerance in kJ/kg or m3/kg leaves the pressure, and with it the
  // temperature, visibly off along lines where the target changes slowly; the
  // search converges to a tolerance relative to the target instead.
  const double searchTolerance =
      tolerance * kSearchToleranceScale * std::max(1.0, std::fabs(targetValue));
  // A state on the edge of the range has its target at an end, up to the
  // rounding of the end state's own solve (a few 1e-8 K on the 10 MPa isobar).
  const double endTolerance =
      tolerance * kEndToleranceScale * std::max(1.0, std::fabs(targetValue));
  if (!(targetValue >= smaller - endTolerance && targetValue <= larger + endTolerance)) {
    return false;
  }

  // The smaller property value sits at the first end: volume falls with
  // pressure, enthalpy and internal energy rise.
  const bool volumeTarget = target == TargetProperty::Volume;
  const double xl = volumeTarget ? topPressure : kSearchLowPressure;
  const double xh = volumeTarget ? kSearchLowPressure : topPressure;
  // Rounding in Ridders' step can put an estimate a hair beyond an end that
  // lies on the edge of the range (10 or 100 MPa); keep it on the end.
  const auto insideBracket = [&](double p) {
    return std::clamp(p, kSearchLowPressure, std::max(kSearchLowPressure, topPressure));
  };
  StateProperties scratch;
  double scratchPressure = std::numeric_limits<double>::quiet_NaN();
  const auto residual = [&](double p) {
    scratchPressure = insideBracket(p);
    if (FindAtPressure(fixed, scratchPressure, fixedValue, scratch)) {
      return field(scratch) - targetValue;
    }
    scratchPressure = std::numeric_limits<double>::quiet_NaN();
    return std::numeric_limits<double>::quiet_NaN();
  };
  double p = 0.0;
  if (std::fabs(yTop - targetValue) <= endTolerance) {
    // The target lies at an end of the line, up to rounding (a state on the
    // edge of the range): that end is the state, and with no sign change
    // between the ends Ridders' iteration could not reach it.
    p = topPressure;
  } else if (std::fabs(yLow - targetValue) <= endTolerance) {
    p = kSearchLowPressure;
  } else {
    const RiddersResult search =
        Ridders(residual, xl, smaller - targetValue, xh, larger - targetValue, searchTolerance);
    const bool failed =
        search.stop == RiddersStop::NoSignChange || search.stop == RiddersStop::TooManyEvaluations;
    p = failed ? 0.0 : insideBracket(search.x);
  }

  // The search's last evaluation is usually the final state itself.
  if (p == scratchPressure) {
    out = scratch;
  } else if (!FindAtPressure(fixed, p, fixedValue, out)) {
    return false;
  }
  const double found = field(out);
  switch (target) {
    case TargetProperty::Enthalpy:
    case TargetProperty::InternalEnergy:
      return fixed == FixedProperty::Entropy
                 ? std::fabs(found - targetValue) < kSearchEnergyAcceptance
                 : std::fabs(found - targetValue) < kSearchRelativeAcceptance * targetValue;
    case TargetProperty::Volume:
      return std::fabs(found - targetValue) < kSearchVolumeAcceptance;
  }
  return false;
}

void IF97Calculator::ComputeTransport(const StateProperties& state,
                                      TransportProperties& transport) const {
  transport.tc = transportEquation.ThermalConductivity(state.p, state.t, state.v);
  transport.td = transportEquation.ThermalDiffusivity(transport.tc, state.cp, state.v);
  transport.dv = transportEquation.Viscosity(state.p, state.t, state.v);
  transport.kv = transportEquation.KinematicViscosity(transport.dv, state.v);
  transport.Pr = transportEquation.PrandtlNumber(transport.dv, state.cp, transport.tc);
  transport.Sigma = transportEquation.SurfaceTension(state.t);
}

void IF97Calculator::ToEnglish(StateProperties& state) {
  state.p *= kMegapascalToPsi;
  state.t = state.t * kKelvinToRankine - kRankineOffset;
  state.v *= kVolumeToEnglish;
  state.d *= kDensityToEnglish;
  state.h *= kEnergyToEnglish;
  state.s *= kEntropyToEnglish;
  state.u *= kEnergyToEnglish;
  state.cp *= kEntropyToEnglish;
  state.cv *= kEntropyToEnglish;
  state.w *= kSpeedToEnglish;
  state.H *= kEnergyToEnglish;
  state.G *= kEnergyToEnglish;
  state.alpha *= kExpansionToEnglish;
  state.Kt *= kCompressibilityToEnglish;
  state.dvdt *= kDvdtToEnglish;
  state.dvdp *= kDvdpToEnglish;
  state.dpdt *= kDpdtToEnglish;
  state.dpdv *= kDpdvToEnglish;
  state.iJTC *= kIsothermalThrottlingToEnglish;
  state.JTC *= kJouleThomsonToEnglish;
}

void IF97Calculator::ToEnglish(TransportProperties& transport) {
  // "Not available" stays exactly -1.
  const auto convert = [](double& value, double factor) {
    if (value != kNotAvailable) {
      value *= factor;
    }
  };
  convert(transport.dv, kViscosityToEnglish);
  convert(transport.kv, kDiffusivityToEnglish);
  convert(transport.tc, kConductivityToEnglish);
  convert(transport.td, kDiffusivityToEnglish);
  convert(transport.Sigma, kSurfaceTensionToEnglish);
}

bool IF97Calculator::CalcPT(double p, double t, StateProperties& out,
                            TransportProperties& transport, bool withTransport, bool english) {
  return Calculate(InputPair::PT, p, t, out, transport, withTransport, english);
}

bool IF97Calculator::CalcPH(double p, double h, StateProperties& out,
                            TransportProperties& transport, bool withTransport, bool english) {
  return Calculate(InputPair::PH, p, h, out, transport, withTransport, english);
}

bool IF97Calculator::CalcPS(double p, double s, StateProperties& out,
                            TransportProperties& transport, bool withTransport, bool english) {
  return Calculate(InputPair::PS, p, s, out, transport, withTransport, english);
}

bool IF97Calculator::CalcPU(double p, double u, StateProperties& out,
                            TransportProperties& transport, bool withTransport, bool english) {
  return Calculate(InputPair::PU, p, u, out, transport, withTransport, english);
}

bool IF97Calculator::CalcPV(double p, double v, StateProperties& out,
                            TransportProperties& transport, bool withTransport, bool english) {
  return Calculate(InputPair::PV, p, v, out, transport, withTransport, english);
}

bool IF97Calculator::CalcTH(double t, double h, StateProperties& out,
                            TransportProperties& transport, bool withTransport, bool english) {
  return Calculate(InputPair::TH, t, h, out, transport, withTransport, english);
}

bool IF97Calculator::CalcTS(double t, double s, StateProperties& out,
                            TransportProperties& transport, bool withTransport, bool english) {
  return Calculate(InputPair::TS, t, s, out, transport, withTransport, english);
}

bool IF97Calculator::CalcTU(double t, double u, StateProperties& out,
                            TransportProperties& transport, bool withTransport, bool english) {
  return Calculate(InputPair::TU, t, u, out, transport, withTransport, english);
}

bool IF97Calculator::CalcTV(double t, double v, StateProperties& out,
                            TransportProperties& transport, bool withTransport, bool english) {
  return Calculate(InputPair::TV, t, v, out, transport, withTransport, english);
}

bool IF97Calculator::CalcHS(double h, double s, StateProperties& out,
                            TransportProperties& transport, bool withTransport, bool english) {
  return Calculate(InputPair::HS, h, s, out, transport, withTransport, english);
}

bool IF97Calculator::CalcUS(double u, double s, StateProperties& out,
                            TransportProperties& transport, bool withTransport, bool english) {
  return Calculate(InputPair::US, u, s, out, transport, withTransport, english);
}

bool IF97Calculator::CalcVS(double v, double s, StateProperties& out,
                            TransportProperties& transport, bool withTransport, bool english) {
  return Calculate(InputPair::VS, v, s, out, transport, withTransport, english);
}

bool IF97Calculator::CalcHV(double h, double v, StateProperties& out,
                            TransportProperties& transport, bool withTransport, bool english) {
  return Calculate(InputPair::HV, h, v, out, transport, withTransport, english);
}

bool IF97Calculator::CalcUV(double u, double v, StateProperties& out,
                            TransportProperties& transport, bool withTransport, bool english) {
  return Calculate(InputPair::UV, u, v, out, transport, withTransport, english);
}

bool IF97Calculator::CalcSatPX(double p, double x, StateProperties& out,
                               TransportProperties& transport, bool withTransport, bool english) {
  return Calculate(InputPair::SatPX, p, x, out, transport, withTransport, english);
}

bool IF97Calculator::CalcSatTX(double t, double x, StateProperties& out,
                               TransportProperties& transport, bool withTransport, bool english) {
  return Calculate(InputPair::SatTX, t, x, out, transport, withTransport, english);
}

bool IF97Calculator::CalcSatPH(double p, double h, StateProperties& out,
                               TransportProperties& transport, bool withTransport, bool english) {
  return Calculate(InputPair::SatPH, p, h, out, transport, withTransport, english);
}

bool IF97Calculator::CalcSatPS(double p, double s, StateProperties& out,
                               TransportProperties& transport, bool withTransport, bool english) {
  return Calculate(InputPair::SatPS, p, s, out, transport, withTransport, english);
}

bool IF97Calculator::CalcSatPU(double p, double u, StateProperties& out,
                               TransportProperties& transport, bool withTransport, bool english) {
  return Calculate(InputPair::SatPU, p, u, out, transport, withTransport, english);
}

bool IF97Calculator::CalcSatPV(double p, double v, StateProperties& out,
                               TransportProperties& transport, bool withTransport, bool english) {
  return Calculate(InputPair::SatPV, p, v, out, transport, withTransport, english);
}

bool IF97Calculator::CalcSatTH(double t, double h, StateProperties& out,
                               TransportProperties& transport, bool withTransport, bool english) {
  return Calculate(InputPair::SatTH, t, h, out, transport, withTransport, english);
}

bool IF97Calculator::CalcSatTS(double t, double s, StateProperties& out,
                               TransportProperties& transport, bool withTransport, bool english) {
  return Calculate(InputPair::SatTS, t, s, out, transport, withTransport, english);
}

bool IF97Calculator::CalcSatTU(double t, double u, StateProperties& out,
                               TransportProperties& transport, bool withTransport, bool english) {
  return Calculate(InputPair::SatTU, t, u, out, transport, withTransport, english);
}

bool IF97Calculator::CalcSatTV(double t, double v, StateProperties& out,
                               TransportProperties& transport, bool withTransport, bool english) {
  return Calculate(InputPair::SatTV, t, v, out, transport, withTransport, english);
}

bool IF97Calculator::CalcSatHS(double h, double s, StateProperties& out,
                               TransportProperties& transport, bool withTransport, bool english) {
  return Calculate(InputPair::SatHS, h, s, out, transport, withTransport, english);
}

bool IF97Calculator::CalcSatUS(double u, double s, StateProperties& out,
                               TransportProperties& transport, bool withTransport, bool english) {
  return Calculate(InputPair::SatUS, u, s, out, transport, withTransport, english);
}

bool IF97Calculator::CalcSatVS(double v, double s, StateProperties& out,
                               TransportProperties& transport, bool withTransport, bool english) {
  return Calculate(InputPair::SatVS, v, s, out, transport, withTransport, english);
}

bool IF97Calculator::CalcSatHV(double h, double v, StateProperties& out,
                               TransportProperties& transport, bool withTransport, bool english) {
  return Calculate(InputPair::SatHV, h, v, out, transport, withTransport, english);
}

bool IF97Calculator::CalcSatUV(double u, double v, StateProperties& out,
                               TransportProperties& transport, bool withTransport, bool english) {
  return Calculate(InputPair::SatUV, u, v, out, transport, withTransport, english);
}

}  // namespace vaporix
