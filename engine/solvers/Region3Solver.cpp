#include "vaporix/solvers/Region3Solver.h"

namespace vaporix {

// Placeholder until the region 3 solver is built: it declines every pair, so
// the engine's sequence passes on to the next solver.
bool Region3Solver::InRange(double /*p*/, double /*T*/) const {
  return false;
}
bool Region3Solver::SolvePT(double, double, StateProperties&) const {
  return false;
}
bool Region3Solver::SolvePH(double, double, StateProperties&) const {
  return false;
}
bool Region3Solver::SolvePS(double, double, StateProperties&) const {
  return false;
}
bool Region3Solver::SolvePU(double, double, StateProperties&) const {
  return false;
}
bool Region3Solver::SolvePV(double, double, StateProperties&) const {
  return false;
}
bool Region3Solver::SolveTH(double, double, StateProperties&) const {
  return false;
}
bool Region3Solver::SolveTS(double, double, StateProperties&) const {
  return false;
}
bool Region3Solver::SolveTU(double, double, StateProperties&) const {
  return false;
}
bool Region3Solver::SolveTV(double, double, StateProperties&) const {
  return false;
}

}  // namespace vaporix
