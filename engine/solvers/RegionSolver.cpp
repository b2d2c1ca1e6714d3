#include "vaporix/solvers/RegionSolver.h"

#include "vaporix/IF97Calculator.h"

namespace vaporix {
namespace {

// The engine's tolerance, for a solver used before Initialize gave it one.
constexpr double kDefaultTolerance = 1e-6;

}  // namespace

double RegionSolver::Tolerance() const {
  return engine != nullptr ? engine->Tolerance() : kDefaultTolerance;
}

}  // namespace vaporix
