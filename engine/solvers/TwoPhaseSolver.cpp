#include "vaporix/solvers/TwoPhaseSolver.h"

namespace vaporix {

// Placeholder until the two-phase solver is built: it declines every pair.
bool TwoPhaseSolver::SolvePT(double, double, StateProperties&) const {
  return false;
}
bool TwoPhaseSolver::SolvePH(double, double, StateProperties&) const {
  return false;
}
bool TwoPhaseSolver::SolvePS(double, double, StateProperties&) const {
  return false;
}
bool TwoPhaseSolver::SolvePU(double, double, StateProperties&) const {
  return false;
}
bool TwoPhaseSolver::SolvePV(double, double, StateProperties&) const {
  return false;
}
bool TwoPhaseSolver::SolveTH(double, double, StateProperties&) const {
  return false;
}
bool TwoPhaseSolver::SolveTS(double, double, StateProperties&) const {
  return false;
}
bool TwoPhaseSolver::SolveTU(double, double, StateProperties&) const {
  return false;
}
bool TwoPhaseSolver::SolveTV(double, double, StateProperties&) const {
  return false;
}
bool TwoPhaseSolver::SolvePX(double, double, StateProperties&) const {
  return false;
}
bool TwoPhaseSolver::SolveTX(double, double, StateProperties&) const {
  return false;
}
bool TwoPhaseSolver::SolveHS(double, double, StateProperties&) const {
  return false;
}
bool TwoPhaseSolver::SolveUS(double, double, StateProperties&) const {
  return false;
}
bool TwoPhaseSolver::SolveVS(double, double, StateProperties&) const {
  return false;
}
bool TwoPhaseSolver::SolveHV(double, double, StateProperties&) const {
  return false;
}
bool TwoPhaseSolver::SolveUV(double, double, StateProperties&) const {
  return false;
}
bool TwoPhaseSolver::BuildSaturatedState(double, double, double, StateProperties&) const {
  return false;
}
bool TwoPhaseSolver::MixPhases(StateProperties&, const StateProperties&, const StateProperties&,
                               double) {
  return false;
}
double TwoPhaseSolver::RefineLiquidDensity(double, double, double) const {
  return kNotAvailable;
}
double TwoPhaseSolver::RefineVapourDensity(double, double, double) const {
  return kNotAvailable;
}
double TwoPhaseSolver::SaturationTemperatureAtEntropy(double) const {
  return kNotAvailable;
}
double TwoPhaseSolver::SaturationTemperatureAtVolume(double) const {
  return kNotAvailable;
}

}  // namespace vaporix
