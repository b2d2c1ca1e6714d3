#pragma once

#include "vaporix/InputPair.h"
#include "vaporix/StateProperties.h"

namespace vaporix {

// The engine as the input functions see it: one call that calculates an
// input pair with the calculator's contract (true when the state exists).
// IF97CalculationEngine forwards to a page's IF97Calculator; tests may put a
// recording engine in its place.
class CalculationEngine {
 public:
  virtual ~CalculationEngine() = default;
  virtual bool Calculate(InputPair pair, double first, double second, StateProperties& out,
                         TransportProperties& transport, bool withTransport, bool english) = 0;
};

}  // namespace vaporix
