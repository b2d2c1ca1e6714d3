#pragma once

#include "CalculationEngine.h"
#include "vaporix/IF97Calculator.h"

namespace vaporix {

// Runs the input functions' requests on a page's own IF97Calculator.
class IF97CalculationEngine final : public CalculationEngine {
 public:
  explicit IF97CalculationEngine(IF97Calculator& calculator) : engine(calculator) {}

  bool Calculate(InputPair pair, double first, double second, StateProperties& out,
                 TransportProperties& transport, bool withTransport, bool english) override;

  IF97Calculator& Calculator() { return engine; }

 private:
  IF97Calculator& engine;
};

}  // namespace vaporix
