#include "vaporix/solvers/RegionSolver.h"

#include "vaporix/IF97Calculator.h"

namespace vaporix {

double RegionSolver::Tolerance() const { return engine->Tolerance(); }

}  // namespace vaporix
